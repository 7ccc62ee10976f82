#pragma once
// A fresh Corvane-N per test: corvane-eval's context given the narrow-band description, over
// recording services and board back ends, with the real windows on the offscreen platform.
#include "../support/programfixture.h"

#include "corvane-n/variant.h"
#include "corvane/corvaneapp.h"
#include "corvane/windows.h"

namespace corvanen::test {

struct CorvaneNApp : corvane::CorvaneApp {
    CorvaneNApp(platform::PlatformServices services, board::Skerry& usb, board::Parllio& port)
        : corvane::CorvaneApp(services, usb, port, corvanen::variant()) {}
    static QString programTitle() { return corvanen::variant().programTitle; }
};

template <class Port> using BasicCorvaneNFixture = evaltest::ProgramFixture<CorvaneNApp, Port>;

using CorvaneNFixture = BasicCorvaneNFixture<board::RecordingParllio>;
using CorvaneNOverSimulatedPort = BasicCorvaneNFixture<board::SimulatedPort>;

// Field weights of the calibration tones and the bandwidth.
inline constexpr int UpperToneShift = 13;
inline constexpr int LowerToneShift = 5;
inline constexpr double BandwidthStep = 1073741824.0; // 2^30

inline uint32_t bits(uint32_t word, int low, int count) {
    return (word >> low) & ((1u << count) - 1);
}

} // namespace corvanen::test
