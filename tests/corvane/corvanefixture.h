#pragma once
// A fresh corvane-eval per test: recording services and board back ends, the
// real windows on the offscreen platform.
#include "../qtprinters.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include "board/recordingparllio.h"
#include "board/recordingskerry.h"
#include "board/simulatedport.h"
#include "corvane/corvaneapp.h"
#include "corvane/windows.h"
#include "platform/services.h"

#include <memory>

namespace corvane::test {

// The parallel port is a recording back end by default; tests of what the
// chip decodes use the simulated port instead.
template <class Port> struct BasicCorvaneFixture : ::testing::Test {
    platform::RecordingServices services;
    board::RecordingSkerry usb;
    Port port;
    std::unique_ptr<CorvaneApp> app;

    void SetUp() override { app = std::make_unique<CorvaneApp>(services.view(), usb, port); }
    void TearDown() override {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Main& start(const QStringList& arguments = {}) { return app->start(arguments); }
    // Forget what start-up did so a test sees only its own traffic.
    void clearRecords() {
        usb.clear();
        port.clear();
        services.messages.clear();
    }
    link::CorvaneFields& f() { return app->f(); }
    link::CorvaneWorking& w() { return app->w(); }
    uint32_t word(int n) { return app->store().wordBits(n); }
    std::vector<QString> messageTexts() const { return services.messages.texts(); }
};

using CorvaneFixture = BasicCorvaneFixture<board::RecordingParllio>;
using CorvaneOverSimulatedPort = BasicCorvaneFixture<board::SimulatedPort>;

} // namespace corvane::test
