#pragma once
// The synthesizer plan of the RF output window: from the RF channel, PFD and crystal entries
// and the reference doubler to the reference divider R, the integer divider N and the 12-bit
// fraction F, the R and N register fields that carry them, and the frequencies they give.
//
// Pure: the synthesizer window gathers its boxes and the values it needs into the inputs,
// calls one entry point, applies the result to its controls, the field store and the working
// values, and shows the messages in order. An empty optional means "leave as it is".
#include "evalkit/calc/synthshown.h"
#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tessarine::calc {

// The field widths of R (bits 13-16) and N (bits 14-21); F is 12 bits.
inline constexpr int32_t MaxRDivider = 15;
inline constexpr int32_t MaxIntegerN = 255;
inline constexpr int32_t FracModulus = 4096;

inline constexpr int32_t DoublerOnField = int32_t{1} << 17;
inline constexpr int32_t Prescaler89Field = int32_t{1} << 22;

// Below this PFD the integer divider would have to pass 256 to reach the band's top; the
// 8/9 prescaler halves it.
inline constexpr double LowPfdMHz = 3.625;
inline constexpr double LowPfdMHzPrescaler89 = 1.812;

inline const QString WarningTitle = QStringLiteral("Warning");
inline const QString InvalidCrystalText = QStringLiteral("Invalid Crystal Frequency");
inline const QString NotMultipleText =
    QStringLiteral("Crystal frequency should be an integer multiple of PFD ");
inline const QString PfdTooLowText =
    QStringLiteral("PFD frequency too low to acheive lock (Nmax = 256) !");

// The dividers the window's load handler puts in the working values (the fields keep theirs).
inline constexpr int16_t FormLoadIntegerN = 47;
inline constexpr int16_t FormLoadFracN = 2752;

// What "Calculate" and the fraction buttons read.
struct SynthInputs {
    QString rfText;             // txtVCOout1
    QString pfdText;            // txtpfd1
    QString crystalText;        // TxtCrystal1
    int16_t DoublerFactor = 1;  // 2 while the doubler is ticked; anything else counts as 1
    int32_t PrescalerField = 0; // chooses the low-PFD threshold
};

// Besides what every synthesizer plan shows.
struct SynthResult : evalkit::calc::SynthShown {
    // A divider did not fit its field: nothing of this plan is stored, and after a fraction
    // step nothing of the calculation before it either.
    bool refused = false;
    // The result was stored: the window then refreshes the read-outs (fnGuiWrite), runs the
    // deviation (FSK) or Gaussian (GFSK, GOOK) plan of the chosen scheme, UpdateClockout of
    // the clock-out window, and refreshes the read-outs again.
    bool applied = false;

    // Working values.
    std::optional<int16_t> IntegerN;
    std::optional<int16_t> FracN;
    std::optional<int16_t> RDivider;
    std::optional<float> RfFrequencyMHz;
    std::optional<float> PfdFrequencyMHz;
    std::optional<float> CrystalFrequencyMHz;

    // Register fields, pre-shifted as the store holds them.
    std::optional<int32_t> IntegerNField;
    std::optional<int16_t> FracNField;
    std::optional<int32_t> RDividerField;
};

// cmdCalculate_Click: entries, crystal check, R, the integer-multiple check, the low-PFD
// warning, N and F, then the result stored and shown.
SynthResult cmdCalculate(const SynthInputs& in);

// cmdfdown_Click (up false) and CmdFup_Click (up true): the calculation, then one count of
// the fraction with carry into N (4095 up gives N + 1, F 0; 0 down gives N - 1, F 4095), shown
// over the PFD and crystal boxes as the calculation left them. A refused calculation changes
// nothing, and neither does a step that takes N out of its field.
SynthResult stepFraction(const SynthInputs& in, bool up);

// optDoubler_Click.
struct DoublerSetting {
    int16_t DoublerFactor = 1;
    int32_t DoublerField = 0;
};
DoublerSetting doublerSetting(bool ticked);

// cmbVCODivide_Click: the field for list index 0..3 (divide 1, 2, 4, 8); nothing for no
// selection.
std::optional<int32_t> vcoDivideField(int listIndex);

// The list index Form_Load shows for the field; nothing for a value that is no code.
std::optional<int> vcoDivideIndex(int32_t VcoDivideField);

// Lblprescaler1: "8/9" while the 8/9 prescaler is set, else "4/5".
QString prescalerText(int32_t PrescalerField);

// Form_Load: a frequency as the boxes show it on opening (".000000").
QString boxText(float mhz);

} // namespace tessarine::calc
