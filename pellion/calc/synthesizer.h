#pragma once
// The synthesizer plan of pellion-eval: from the RF channel, PFD and crystal entries to the
// reference divider R, the integer and fractional dividers N and F, the RF divide-by-2 and
// the register fields that carry them, plus the AFC scaling that follows the crystal.
//
// Everything here is pure: the synthesizer window gathers its boxes, its divide-by-2 toggle,
// the front panel's inductor check box, the fields and working values it needs into the
// inputs, calls one of the entry points and applies the result: messages first, in order,
// then every output that is set (an empty optional means "leave as it is"), then the
// data-rate handler of the front panel when asked, then the read-out refresh when asked.
#include "evalkit/calc/synthshown.h"
#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace pellion::calc {

using evalkit::calc::SynthBox;

// What `CmdCalculate_Click` (and the fraction steps, which start with it) reads.
struct SynthInputs {
    QString rfText;                // txtVCOout1
    QString pfdText;               // txtpfd1
    QString crystalText;           // TxtCrystal1
    bool chkInductor = false;      // Main's check box ticked: the external-inductor variant
    bool divideBy2On = false;      // lblVCOdiv2 as it stands
    int32_t TxRxField = 0;         // 2^27 in receive
    float CrystalFrequencyMHz = 0; // the working value before the call
};

// What `UpdateSynthValues` reads besides its PFD and crystal arguments.
struct SynthValues {
    int16_t IntegerN = 0; // the planned dividers, as the plan or a fraction step left them
    int32_t FracN = 0;
    int16_t RDivider = 0;
    bool chkInductor = false;
    bool divideBy2On = false; // the toggle as the plan left it
    int32_t TxRxField = 0;
    float CrystalFrequencyMHz = 0; // the working value before the call
};

// Besides what every synthesizer plan shows (an entry that did not read sets only its box
// and the focus).
struct SynthResult : evalkit::calc::SynthShown {
    bool planned = false;            // the plan went through; otherwise nothing but messages
    bool runDataRateHandler = false; // the crystal changed: txtDatarate_Change of Main, once
    bool refreshReadouts = false;    // UpdateAllRegisterLabels after applying

    // Working values. IntegerN and FracN are the planned dividers; the fields below carry
    // them doubled when the internal inductor's divide-by-2 is on.
    std::optional<int16_t> IntegerN;
    std::optional<int32_t> FracN;
    std::optional<int16_t> RDivider;
    std::optional<float> RfFrequencyMHz;
    std::optional<float> PfdFrequencyMHz;
    std::optional<float> CrystalFrequencyMHz;

    // Register fields, pre-shifted as the store holds them.
    std::optional<int32_t> IntegerNField;
    std::optional<int32_t> FracNField;
    std::optional<int16_t> RDividerField;
    std::optional<int32_t> VcoDiv2Field;
    std::optional<double> AfcScalingField; // only when the crystal changed

    // Synthesizer window.
    std::optional<bool> divideBy2On; // lblVCOdiv2, switched by the internal inductor's band
    std::optional<QString> lblRxLO;
    std::optional<QString> synthesizerMHz; // the synthesizer frequency, as "868.300 MHz"
    std::optional<bool> NoteVisible;
};

// The entry check alone: on a failure the message, the emptied box and its focus.
SynthResult ValidateSynthInputs(const SynthInputs& in);

// The Calculate button, and every caller of `CmdCalculate_Click`: entries, VCO range and
// divide-by-2, PFD and crystal checks, R, the receive LO offset, N and F, then
// UpdateSynthValues and the read-out refresh. A range failure or a divider that does not fit
// its field leaves everything as it was (messages only).
SynthResult CmdCalculate(const SynthInputs& in);

// Applies planned dividers: the shared frequencies, the boxes and read-outs, the doubling
// for the internal inductor's divide-by-2, the carry of F into N, the fields and the AFC
// scaling when the crystal changed. Works on copies of N and F: calling it twice gives the
// same fields. A divider that does not fit its field refuses the whole result; a PFD not
// above 0, or a PFD or crystal that is not a finite number, plans nothing.
SynthResult UpdateSynthValues(float pfdMHz, float crystalMHz, const SynthValues& values,
                              int resolution = 15);

// The fraction buttons run a fresh calculation, step F by one count from the planned
// dividers (with borrow from or carry into N) and apply the stepped dividers; the window
// applies `calculation`, then `step` when there is one. A calculation that fails or is
// refused steps nothing.
struct FractionStepResult {
    SynthResult calculation;
    std::optional<SynthResult> step;
};

FractionStepResult cmdfdown(const SynthInputs& in);
FractionStepResult StepFracUp(const SynthInputs& in);

} // namespace pellion::calc
