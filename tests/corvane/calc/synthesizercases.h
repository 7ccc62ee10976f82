#pragma once
// What the synthesizer planning tests share: the messages the planning gives, the window's
// state after start-up, and the check that nothing of a divider plan was applied.
#include "corvane/calc/synthesizer.h"

#include "../../qtprinters.h"
#include "../../support/messagetexts.h"
#include "../../support/namedcases.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace synthtest {

using corvane::calc::CmdCalculate;
using corvane::calc::FocusBox;
using corvane::calc::FractionStepInputs;
using corvane::calc::stepFraction;
using corvane::calc::SynthInputs;
using corvane::calc::SynthResult;
using corvane::calc::UpdatesynthF;
using corvane::calc::VcoUpperLimits;
using evaltest::PrintTo;
using platform::Message;
using platform::MsgIcon;

inline constexpr int32_t kDiv2On = 1 << 18;
inline constexpr int32_t kExternal = 1 << 25;
inline constexpr int32_t kReceive = 1 << 27;

inline const QString kInternalBand =
    "Frequency outside of VCO Range for Internal VCO inductor! Please consult the Corvane "
    "datasheet for achievable frequency ranges";
inline const QString kExternalBand = "Frequency outside of VCO Range for External VCO Inductor!";
inline const QString kCannotAchieve =
    "Cannot acheive specified RF Channel Frequency. Refer to Corvane "
    "datasheet for RF Frequency limits";
inline const QString kPfdTooLow = "PFD frequency too low to acheive lock (Nmax = 256) !";
inline const QString kInvalidCrystal = "Invalid Crystal Frequency";
inline const QString kNotMultiple = "Crystal frequency should be an integer multiple of PFD ";
inline const QString kMinimumN =
    "Minimum N divide is 23. Please lower the PFD frequency by increasing "
    "the R-divide or changing the XTAL frequency ";
inline const QString kInvalidRf = "Invalid entry in RF Frequency.";
inline const QString kInvalidPfd = "Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)";
inline const QString kInvalidCrystalEntry = "Invalid entry in Crystal Frequency.";

// The window's state after start-up: boxes as its load handler fills them, power-on fields.
inline SynthInputs defaults() {
    SynthInputs in;
    in.rfText = "869.500000";
    in.pfdText = "19.680000";
    in.crystalText = "19.680000";
    in.divideBy2On = false;
    in.VcoDiv2Field = 0;
    in.ExtInductorField = 0;
    in.TxRxField = 0;
    in.CrystalFrequencyMHz = 19.68f;
    in.IntegerN = 78;
    in.FracN = 16836;
    return in;
}

using evaltest::texts;

// Nothing of the divider plan was applied.
inline void expectDividersUntouched(const SynthResult& r) {
    EXPECT_FALSE(r.IntegerN);
    EXPECT_FALSE(r.FracN);
    EXPECT_FALSE(r.IntegerNField);
    EXPECT_FALSE(r.FracNField);
    EXPECT_FALSE(r.RDividerField);
    EXPECT_FALSE(r.VcoDiv2Field);
    EXPECT_FALSE(r.divideBy2On);
    EXPECT_FALSE(r.rfText);
    EXPECT_FALSE(r.pfdText);
    EXPECT_FALSE(r.crystalText);
    EXPECT_FALSE(r.actualChannel);
    EXPECT_FALSE(r.lblRxLO);
    EXPECT_FALSE(r.nText);
    EXPECT_FALSE(r.fText);
    EXPECT_FALSE(r.RfFrequencyMHz);
    EXPECT_FALSE(r.vcoFrequencyText);
}

} // namespace synthtest
