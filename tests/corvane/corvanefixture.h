#pragma once
// A fresh corvane-eval per test: recording services and board back ends, the real windows on
// the offscreen platform.
#include "../support/programfixture.h"

#include "corvane/corvaneapp.h"
#include "corvane/windows.h"

namespace corvane::test {

// The shared windows corvane-eval shows.
using evalkit::aboutform;
using evalkit::frmClockOut;
using evalkit::frmRegisters;
using evalkit::IBMhelpform;
using evalkit::muxform;
using evalkit::portform;
using evalkit::revform;

// The parallel port is a recording back end by default; tests of what the chip decodes use
// the simulated port instead.
template <class Port> using BasicCorvaneFixture = evaltest::ProgramFixture<CorvaneApp, Port>;

using CorvaneFixture = BasicCorvaneFixture<board::RecordingParllio>;
using CorvaneOverSimulatedPort = BasicCorvaneFixture<board::SimulatedPort>;

} // namespace corvane::test
