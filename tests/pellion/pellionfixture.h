#pragma once
// A fresh pellion-eval per test: recording services and board back ends, the real windows on
// the offscreen platform.
#include "../support/programfixture.h"

#include "pellion/pellionapp.h"
#include "pellion/windows.h"
#include "platform/core/numbers.h"

namespace pellion::test {

// The parallel port is a recording back end by default; tests of what the chip decodes use
// the simulated port instead.
template <class Port> using BasicPellionFixture = evaltest::ProgramFixture<PellionApp, Port>;

using PellionFixture = BasicPellionFixture<board::RecordingParllio>;
using PellionOverSimulatedPort = BasicPellionFixture<board::SimulatedPort>;

using platform::bit;

} // namespace pellion::test
