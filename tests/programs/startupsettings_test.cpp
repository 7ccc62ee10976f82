// A settings file saved from a set-up restores that set-up: also the lists the start-up leaves
// without a choice (their design text shows while their field holds the start-up value), whose
// index the file holds as the field's. Loaded into a program whose lists the user has changed,
// the file gives every register word back, and says nothing: a file the program saved holds
// every value it reads.
#include "../qtprinters.h"
#include "../support/userinput.h"

#include "corvane/corvaneapp.h"
#include "corvane/settingsfile.h"
#include "corvane/windows.h"
#include "pellion/pellionapp.h"
#include "pellion/settingsfile.h"
#include "pellion/windows.h"
#include "tessarine/settingsfile.h"
#include "tessarine/tessarineapp.h"
#include "tessarine/windows.h"
#include "testing/recordingparllio.h"
#include "testing/recordingservices.h"
#include "testing/recordingskerry.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A front-panel list the file holds, and another item of it.
struct ListChange {
    const char* list;
    int item;
};

template <class App> struct Traits;
template <> struct Traits<corvane::CorvaneApp> {
    static void save(corvane::CorvaneApp& a, const QString& p) { corvane::ExportSettings(a, p); }
    static void load(corvane::CorvaneApp& a, const QString& p) { corvane::ImportSettings(a, p); }
    static std::vector<ListChange> changes() {
        return {{"cmbIcp", 0}, {"cmbIFBW", 0}, {"cmbDemod", 0}};
    }
};
template <> struct Traits<pellion::PellionApp> {
    static void save(pellion::PellionApp& a, const QString& p) { pellion::ExportSettings(a, p); }
    static void load(pellion::PellionApp& a, const QString& p) { pellion::ImportSettings(a, p); }
    static std::vector<ListChange> changes() { return {{"Chgpumpvalue", 0}, {"cmbIFBW", 2}}; }
};
template <> struct Traits<tessarine::TessarineApp> {
    static void save(tessarine::TessarineApp& a, const QString& p) {
        tessarine::ExportSettings(a, p);
    }
    static void load(tessarine::TessarineApp& a, const QString& p) {
        tessarine::ImportSettings(a, p);
    }
    static std::vector<ListChange> changes() { return {{"cmbIcp", 0}}; }
};

template <class App> struct Program {
    platform::RecordingServices services{App::programTitle()};
    board::RecordingSkerry usb;
    board::RecordingParllio port;
    std::unique_ptr<App> app = std::make_unique<App>(services.view(), usb, port);

    Program() {
        app->start();
        app->main().show();
    }
    ~Program() {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::vector<uint32_t> words() {
        std::vector<uint32_t> w;
        for (int n = 0; n < 16; ++n)
            w.push_back(app->store().wordBits(n));
        return w;
    }
};

template <class App> struct StartUpSettings : ::testing::Test {};

using Programs =
    ::testing::Types<corvane::CorvaneApp, pellion::PellionApp, tessarine::TessarineApp>;
TYPED_TEST_SUITE(StartUpSettings, Programs);

TYPED_TEST(StartUpSettings, AFileSavedAtStartUpRestoresTheStartUpSetUp) {
    using T = Traits<TypeParam>;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("start-up.txt"));
    Program<TypeParam> saved;
    const std::vector<uint32_t> startUp = saved.words();
    T::save(*saved.app, path);
    EXPECT_TRUE(saved.services.messages.texts().empty());

    Program<TypeParam> other;
    for (const ListChange& c : T::changes()) {
        SCOPED_TRACE(c.list);
        auto* list = other.app->main().template findChild<QComboBox*>(c.list);
        ASSERT_TRUE(list);
        evaltest::chooseItem(list, c.item);
    }
    ASSERT_NE(other.words(), startUp);
    other.services.messages.clear();
    T::load(*other.app, path);
    EXPECT_EQ(other.services.messages.texts(), std::vector<QString>{});
    EXPECT_EQ(other.words(), startUp);
}

} // namespace
