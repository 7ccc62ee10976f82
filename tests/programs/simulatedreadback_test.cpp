// The simulated board answers every readback of the program's chip as the chip would, on
// both boards: each entry of the readback window, chosen and read through the window's own
// controls, shows a plausible reading, and the silicon revision names the chip.
#include "../qtprinters.h"

#include "board/simulatedboard.h"
#include "board/simulatedport.h"
#include "corvane-n/variant.h"
#include "corvane/corvaneapp.h"
#include "corvane/windows.h"
#include "pellion/pellionapp.h"
#include "pellion/windows.h"
#include "testing/recordingservices.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Chooses item `index` of `list` through its drop-down, as a user does.
void choose(QComboBox* list, int index) {
    list->showPopup();
    QAbstractItemView* view = list->view();
    const QModelIndex item = view->model()->index(index, list->modelColumn(), view->rootIndex());
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    QCoreApplication::processEvents();
}

// What one entry of the readback list shows.
struct Shown {
    const char* raw;
    const char* converted;
};

struct CorvaneNApp : corvane::CorvaneApp {
    CorvaneNApp(platform::PlatformServices services, board::Skerry& usb, board::Parllio& port)
        : corvane::CorvaneApp(services, usb, port, corvanen::variant()) {}
    static QString programTitle() { return corvanen::variant().programTitle; }
};

// The Corvane chip (and its narrow-band variant): 20 °C, 3.3 V, -80 dBm.
const std::vector<Shown> CorvaneReadings = {
    {"554", "RSSI Level is -80.0 dBm"},    {"70", "Vdd is 3.318 Volts"},
    {"62", "Temperature is 20 \u00B0C"},   {"42", "ADC Value is 0.998 Volts"},
    {"5408", "IF frequency is 1.499 kHz"}, {"37", ""},
    {"16401", "Silicon Code is 4011h"},
};

// The Pellion chip: no filter calibration, and a silicon code that names it.
const std::vector<Shown> PellionReadings = {
    {"1041", "RSSI Level is -80.0 dBm"},        {"70", "Vdd is 3.318 Volts"},
    {"62", "Temperature is 20 \u00B0C"},        {"42", "ADC Value is 0.998 Volts"},
    {"596", "IF frequency error is 1.150 kHz"}, {"300", ""},
    {"8200", "Silicon Code is 2008h"},
};

template <class App> struct SimulatedReadback : ::testing::Test {
    platform::RecordingServices services{App::programTitle()};
    board::SimulatedBoard usb;
    board::SimulatedPort port;
    std::unique_ptr<App> app;

    void SetUp() override {
        usb.setChip(App::transport().chip);
        port.setChip(App::transport().chip);
        app = std::make_unique<App>(services.view(), usb, port);
        app->start();
        app->main().show();
    }
    void TearDown() override {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Opens the readback window from the front panel, reads every entry in turn and checks
    // what each shows.
    void expectReadings(const std::vector<Shown>& expected) {
        app->main().cmdReadback->click();
        evalkit::frmReadback& r = app->frmReadback();
        ASSERT_EQ(r.cmbReadback->count(), static_cast<int>(expected.size()));
        for (int i = 0; i < r.cmbReadback->count(); ++i) {
            SCOPED_TRACE(r.cmbReadback->itemText(i).toStdString());
            choose(r.cmbReadback, i);
            QTest::mouseClick(r.cmdReadback, Qt::LeftButton);
            const Shown& e = expected[static_cast<size_t>(i)];
            EXPECT_EQ(r.lblReadbackDisplay->text(), QString::fromUtf8(e.raw));
            EXPECT_EQ(r.lblReadbackSpecificDisplay->text(), QString::fromUtf8(e.converted));
        }
        r.returnToPanel->click();
    }

    void overUsb() {
        app->main().ConnectUSB->click();
        ASSERT_TRUE(usb.linkOpen());
        services.messages.clear();
    }
    void overParallelPort() {
        choose(app->main().cmbMB, 0);
        ASSERT_EQ(app->main().cmbMB->currentIndex(), 0);
        services.messages.clear();
    }
    void expectEveryFrameWhole(size_t frames = 7) {
        EXPECT_TRUE(port.malformed().empty());
        EXPECT_EQ(port.readbacks().size(), frames);
        for (const auto& frame : port.readbacks())
            EXPECT_TRUE(frame.complete);
    }
};

using CorvaneReadback = SimulatedReadback<corvane::CorvaneApp>;
using CorvaneNReadback = SimulatedReadback<CorvaneNApp>;
using PellionReadback = SimulatedReadback<pellion::PellionApp>;

TEST_F(CorvaneReadback, EveryEntryReadsLikeTheChipOverUsb) {
    overUsb();
    expectReadings(CorvaneReadings);
    EXPECT_TRUE(services.messages.texts().empty());
}

TEST_F(CorvaneReadback, EveryEntryReadsLikeTheChipOverTheParallelPort) {
    overParallelPort();
    expectReadings(CorvaneReadings);
    expectEveryFrameWhole();
    EXPECT_TRUE(services.messages.texts().empty());
}

TEST_F(CorvaneNReadback, EveryEntryReadsLikeTheChipOnBothBoards) {
    overUsb();
    expectReadings(CorvaneReadings);
    overParallelPort();
    expectReadings(CorvaneReadings);
    expectEveryFrameWhole(7);
    EXPECT_TRUE(services.messages.texts().empty());
}

// The silicon code names a Pellion on the front panel, and nothing warns of an invalid code;
// the frequency error comes with its note.
template <class Fixture> void expectPellionReadings(Fixture& t) {
    t.expectReadings(PellionReadings);
    pellion::Main& m = t.app->main();
    EXPECT_EQ(m.devinuse->text(), QStringLiteral("Pellion"));
    EXPECT_EQ(m.Labelrev->text(), QStringLiteral("2008"));
    ASSERT_EQ(t.services.messages.texts().size(), 1u);
    EXPECT_TRUE(t.services.messages.texts()[0].startsWith(
        QStringLiteral("The IF frequency error is due to errors")));
}

TEST_F(PellionReadback, EveryEntryReadsLikeTheChipOverUsb) {
    overUsb();
    expectPellionReadings(*this);
}

TEST_F(PellionReadback, EveryEntryReadsLikeTheChipOverTheParallelPort) {
    overParallelPort();
    expectPellionReadings(*this);
    expectEveryFrameWhole();
}

} // namespace
