// Opening a window writes nothing to the chip, in every program, on either board: each
// window is opened, closed and opened again (its load runs afresh) with the chip set up and
// the board ready to take words, and the board hears nothing.
#include "../qtprinters.h"
#include "../support/everywindow.h"

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

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using Opener = std::function<QWidget*()>;

template <class App> struct Program {
    platform::RecordingServices services{App::programTitle()};
    board::RecordingSkerry usb;
    board::RecordingParllio port;
    std::unique_ptr<App> app;

    template <class... Extra> explicit Program(const Extra&... extra) {
        app = std::make_unique<App>(services.view(), usb, port, extra...);
        app->start();
        app->main().show();
        // The start-up's own writes, before a board is chosen, go nowhere without a word.
        QCoreApplication::processEvents();
        EXPECT_TRUE(services.messages.texts().empty());
    }
    ~Program() {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Each window twice, on the USB board over an open link and on the claimed parallel
    // port.
    void expectNoWindowWrites(const std::vector<Opener>& windows) {
        for (const int board : {1, 0}) {
            SCOPED_TRACE(board == 1 ? "USB board" : "parallel-port board");
            auto& m = app->main();
            m.cmbMB->setCurrentIndex(board);
            if (board == 1 && m.ConnectUSB->text() == QStringLiteral("Connect USB"))
                m.ConnectUSB->click();
            ASSERT_TRUE(board == 1 ? app->link().usbOpen() : app->link().portUsable());
            QCoreApplication::processEvents();
            usb.clear();
            port.clear();
            services.messages.clear();
            for (const Opener& open : windows) {
                for (int opening = 0; opening < 2; ++opening) {
                    QWidget* w = open();
                    SCOPED_TRACE(w->objectName().toStdString());
                    w->show();
                    QCoreApplication::processEvents();
                    EXPECT_TRUE(usb.writtenWords().empty());
                    EXPECT_TRUE(port.outBytesTo(888).empty());
                    if (auto* form = qobject_cast<platform::Form*>(w))
                        form->unload();
                    else
                        w->hide();
                    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                }
            }
            EXPECT_TRUE(services.messages.texts().empty());
        }
    }
};

template <class App> void expectCorvaneWindowsWriteNothing(const corvane::ProgramVariant& variant) {
    Program<App> p(variant, reglink::currentOsVersion());
    App& a = *p.app;
    // The test modes on, so that the load of their window has settings to show.
    a.main().cmbDemod->setCurrentIndex(0);
    corvane::frmTestModes& t = a.frmTestModes();
    t.rssiOnTestA->setChecked(true);
    t.cmbTestList->setCurrentIndex(2);
    t.testDacOnSwd->setChecked(true);
    t.testDacGain->setValue(7);
    t.returnToPanel->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    p.expectNoWindowWrites(evaltest::everyWindow(a));
}

TEST(OpeningAWindowWritesNothing, CorvaneEval) {
    expectCorvaneWindowsWriteNothing<corvane::CorvaneApp>(corvane::corvaneEval());
}

TEST(OpeningAWindowWritesNothing, CorvaneN) {
    expectCorvaneWindowsWriteNothing<corvane::CorvaneApp>(corvanen::variant());
}

TEST(OpeningAWindowWritesNothing, PellionEval) {
    Program<pellion::PellionApp> p;
    pellion::PellionApp& a = *p.app;
    p.expectNoWindowWrites(evaltest::everyWindow(a));
}

TEST(OpeningAWindowWritesNothing, TessarineEval) {
    Program<tessarine::TessarineApp> p;
    tessarine::TessarineApp& a = *p.app;
    p.expectNoWindowWrites(evaltest::everyWindow(a));
}

} // namespace
