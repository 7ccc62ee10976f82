// A settings or radio-link file that is not a regular file (a device, a named pipe, a folder)
// is refused with one message that names it and says what it is, before anything is read,
// worked out or written, from every File menu item and from the command line, in every
// program. Opening one of these would read /dev/zero for ever or wait on the pipe: a test that
// hangs has opened it.
#include "../qtprinters.h"
#include "../support/notafile.h"

#include "corvane-n/variant.h"
#include "corvane/corvaneapp.h"
#include "corvane/windows.h"
#include "pellion/pellionapp.h"
#include "pellion/windows.h"
#include "tessarine/tessarineapp.h"
#include "tessarine/windows.h"
#include "testing/recordingparllio.h"
#include "testing/recordingservices.h"
#include "testing/recordingskerry.h"

#include <QAction>
#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct CorvaneNApp : corvane::CorvaneApp {
    CorvaneNApp(platform::PlatformServices services, board::Skerry& usb, board::Parllio& port)
        : corvane::CorvaneApp(services, usb, port, corvanen::variant()) {}
    static QString programTitle() { return corvanen::variant().programTitle; }
};

const QString ReadFailure = QStringLiteral("The settings file %1 could not be read: %2");
const QString SaveFailure = QStringLiteral("The settings could not be saved to %1: %2");
const QString ZantrelFailure = QStringLiteral("The Zantrel file %1 could not be written: %2");

// A File menu item that names a file, and the message a refused file gives.
struct FileItem {
    const char* action;
    const QString* failure;
};

template <class App> std::vector<FileItem> fileItems();
template <> std::vector<FileItem> fileItems<corvane::CorvaneApp>() {
    return {{"mnuOpen", &ReadFailure},
            {"mnuWriteOmbrelle", &SaveFailure},
            {"mnuSave", &ZantrelFailure},
            {"mnuCreatenewini", &ZantrelFailure}};
}
template <> std::vector<FileItem> fileItems<CorvaneNApp>() {
    return fileItems<corvane::CorvaneApp>();
}
template <> std::vector<FileItem> fileItems<pellion::PellionApp>() {
    return fileItems<corvane::CorvaneApp>();
}
template <> std::vector<FileItem> fileItems<tessarine::TessarineApp>() {
    return {{"mnuOpen", &ReadFailure}, {"mnuSave", &SaveFailure}};
}

template <class App> struct Program {
    platform::RecordingServices services{App::programTitle()};
    board::RecordingSkerry usb;
    board::RecordingParllio port;
    std::unique_ptr<App> app = std::make_unique<App>(services.view(), usb, port);

    explicit Program(const QStringList& arguments = {}) { app->start(arguments); }
    ~Program() {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The register words and what the read-outs show.
    QStringList setUp() {
        QStringList s;
        for (int n = 0; n < 16; ++n) {
            s << QString::number(app->store().wordBits(n), 16);
            if (reglink::RegisterReadout* r = app->readoutLabel(n))
                s << r->text() + QLatin1Char('/') + QString::number(int(r->mark()));
        }
        return s;
    }
};

template <class App> struct FilesThatAreNotFiles : ::testing::Test {};

using Programs = ::testing::Types<corvane::CorvaneApp, CorvaneNApp, pellion::PellionApp,
                                  tessarine::TessarineApp>;
TYPED_TEST_SUITE(FilesThatAreNotFiles, Programs);

TYPED_TEST(FilesThatAreNotFiles, EveryFileItemRefusesThemWithOneMessage) {
    const evaltest::NotAFiles notFiles;
    Program<TypeParam> p;
    const QStringList before = p.setUp();
    for (const FileItem& item : fileItems<TypeParam>()) {
        for (const evaltest::NotAFile& n : notFiles.all()) {
            SCOPED_TRACE(std::string(item.action) + " " + n.path.toStdString());
            p.services.messages.clear();
            p.services.files.answers.push_back(n.path);
            auto* action = p.app->main().template findChild<QAction*>(item.action);
            ASSERT_TRUE(action);
            action->trigger();
            QCoreApplication::processEvents();
            EXPECT_EQ(p.services.messages.texts(), std::vector<QString>{item.failure->arg(
                                                       evaltest::nativePath(n.path), n.reason)});
            EXPECT_EQ(p.services.saving.created, 0); // nothing was opened to be written
            EXPECT_EQ(p.setUp(), before);
            EXPECT_TRUE(p.usb.writtenWords().empty());
        }
    }
}

TYPED_TEST(FilesThatAreNotFiles, TheCommandLineRefusesThemWithOneMessage) {
    const QStringList plain = Program<TypeParam>().setUp();
    const evaltest::NotAFiles notFiles;
    for (const evaltest::NotAFile& n : notFiles.all()) {
        SCOPED_TRACE(n.path.toStdString());
        Program<TypeParam> p({QLatin1Char('"') + n.path + QLatin1Char('"')});
        EXPECT_EQ(p.services.messages.texts(),
                  std::vector<QString>{ReadFailure.arg(evaltest::nativePath(n.path), n.reason)});
        EXPECT_EQ(p.setUp(), plain);
    }
}

} // namespace
