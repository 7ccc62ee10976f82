#pragma once
// The synthesizer plan of the front panel: from the RF channel, PFD and crystal entries to
// the reference divider R, the integer and fractional dividers N and F, the RF divide-by-2
// and the register fields that carry them, plus the crystal-dependent IF calibration tones
// and AFC scaling.
//
// Everything here is pure: the synthesizer window gathers its boxes, toggle, the fields and
// working values it needs into the inputs, calls one of the entry points and then applies
// the result to its controls, the field store and the working values, and shows the
// messages in order. An output is set only when the procedure writes it; an empty optional
// means "leave as it is".
#include "corvane/calc/iftones.h"
#include "evalkit/calc/synthshown.h"
#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace corvane::calc {

// The box that an invalid entry empties and gives the focus to (never the RF box here).
using FocusBox = evalkit::calc::SynthBox;

// What the Calculate button (and every caller of `CmdCalculate_Click`) reads.
struct SynthInputs {
    QString rfText;           // txtVCOout1
    QString pfdText;          // txtpfd1
    QString crystalText;      // TxtCrystal1
    bool divideBy2On = false; // lblVCOdiv2 as it stands
    int32_t VcoDiv2Field = 0;
    int32_t ExtInductorField = 0;
    int32_t TxRxField = 0;
    float CrystalFrequencyMHz = 0; // the shared value before the call
    // Working values before the call: only an inductor setting the program does not know
    // leaves the dividers uncalculated and stores these.
    int16_t IntegerN = 0;
    int32_t FracN = 0;
    // The divisors of the IF calibration tones for this calculation; nothing leaves the tone
    // fields as they are.
    std::optional<ToneDivisors> tones = ToneDivisors{};
};

// Upper VCO limits of the internal-inductor bands in the fraction-step path; the lower
// limits (840 and 420 MHz) are the same in every variant.
struct VcoUpperLimits {
    double divideBy2OffMHz = 960;
    double divideBy2OnMHz = 480;
};

// What a fraction button hands to `UpdatesynthF`: the three boxes as they stand (read
// before the step), and the N and F captions after the step (see stepFraction).
struct FractionStepInputs {
    QString rfText;
    QString pfdText;
    QString crystalText;
    QString nCaption; // stepped N caption
    QString fCaption; // stepped F caption
    bool divideBy2On = false;
    int32_t ExtInductorField = 0;
    int32_t TxRxField = 0;
    int16_t RDivider = 0; // working value: kept, shown in LblR and stored in RDividerField
};

// Besides what every synthesizer plan shows (an entry that did not read as a number sets
// nothing else).
struct SynthResult : evalkit::calc::SynthShown {
    bool refreshReadouts = false; // call UpdateAllRegisterLabels after applying

    // Working values.
    std::optional<int16_t> IntegerN;
    std::optional<int32_t> FracN;
    std::optional<int16_t> RDivider;
    std::optional<double> RfFrequencyMHz;
    std::optional<double> PfdFrequencyMHz;
    std::optional<float> CrystalFrequencyMHz;

    // Register fields, pre-shifted as the field store holds them.
    std::optional<int32_t> IntegerNField;
    std::optional<int32_t> FracNField;
    std::optional<int16_t> RDividerField;
    std::optional<int32_t> VcoDiv2Field;
    std::optional<int32_t> IFCalUpperToneField;
    std::optional<int32_t> IFCalLowerToneField;
    std::optional<double> AfcScalingField;

    // Synthesizer window.
    std::optional<bool> divideBy2On;      // lblVCOdiv2 (set by the internal-inductor band only)
    std::optional<QString> actualChannel; // the actual RF channel frequency
    std::optional<QString> lblRxLO;
    std::optional<QString> synthesizerFrequency; // external inductor only
    std::optional<QString> frequencyStep;        // "Fstep = ... Hz", Calculate path only
    std::optional<bool> NoteVisible;
};

// The Calculate path: entry validation, PFD and crystal checks, R, the external-inductor RF
// gate, the divider calculation, the crystal-derived fields and the read-out refresh.
SynthResult CmdCalculate(const SynthInputs& in);

// The fraction-step path, run after a fraction button has stepped N and F: validates the
// boxes, then repeats the band choice and display work with N and F read from the stepped
// captions. A refused or out-of-band step changes nothing (N, F and their captions stay).
SynthResult UpdatesynthF(const FractionStepInputs& in, VcoUpperLimits limits = {});

// One count of the fraction buttons, with carry into and borrow from N.
struct FractionStep {
    int16_t IntegerN = 0;
    int32_t FracN = 0;
    QString nCaption; // captions to pass to UpdatesynthF
    QString fCaption;
};

// Nothing when either caption is empty (no calculation since the window was loaded) or does
// not read as a 16-bit integer.
std::optional<FractionStep> stepFraction(const QString& nCaption, const QString& fCaption, bool up);

} // namespace corvane::calc
