#pragma once
// A fresh program context per test, over recording services and board back ends, with the
// real windows on the offscreen platform. Every program's window tests derive their fixture
// from this one: App is the program's context, Port the parallel back end (a recording one by
// default; tests of what the chip decodes use the simulated port, told the chip's numbering).
#include "../qtprinters.h"

#include <QCoreApplication>
#include <QPushButton>
#include <gtest/gtest.h>

#include "board/simulatedport.h"
#include "testing/recordingparllio.h"
#include "testing/recordingservices.h"
#include "testing/recordingskerry.h"

#include <memory>
#include <type_traits>

namespace evaltest {

template <class App, class Port = board::RecordingParllio> struct ProgramFixture : ::testing::Test {
    platform::RecordingServices services{App::programTitle()};
    board::RecordingSkerry usb;
    Port port;
    std::unique_ptr<App> app;

    void SetUp() override {
        if constexpr (std::is_same_v<Port, board::SimulatedPort>)
            port.setChip(App::transport().chip);
        app = std::make_unique<App>(services.view(), usb, port);
    }
    void TearDown() override {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    auto& start(const QStringList& arguments = {}) { return app->start(arguments); }
    // Starts the program and opens the USB link as the user does ("Connect USB"); the USB
    // board takes words only over an open link. The traffic so far is forgotten.
    auto& startConnected(const QStringList& arguments = {}) {
        auto& m = start(arguments);
        connectUsb();
        return m;
    }
    void connectUsb() {
        app->main().ConnectUSB->click();
        clearRecords();
    }
    // Forget what start-up did so a test sees only its own traffic.
    void clearRecords() {
        usb.clear();
        port.clear();
        services.messages.clear();
    }
    auto& f() { return app->f(); }
    auto& w() { return app->w(); }
    uint32_t word(int n) { return app->store().wordBits(n); }
    std::vector<QString> messageTexts() const { return services.messages.texts(); }
};

} // namespace evaltest
