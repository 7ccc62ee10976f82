#pragma once
// The settings file of tessarine-eval as data: its keys, what an import will set, planned from
// the file's keys before the first control changes, and what a save writes, in the file's
// order, from the set-up in force that each window gives. Each window applies its own part of
// a plan and gives its own part of a save.
#include "evalkit/calc/settingskeys.h"
#include "evalkit/calc/windowsettings.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace tessarine::calc {

using evalkit::calc::Key;
using evalkit::calc::KeyReader;

namespace keys {
using namespace evalkit::calc::keys;
inline constexpr Key RefDoubler{u"PLL", u"RefDoubler"};
inline constexpr Key Prescaler{u"PLL", u"Prescaler"};
inline constexpr Key OtherEnabled{u"Other", u"OTHER_ENABLED"};
inline constexpr Key VcoAdjust{u"Other", u"VCO_ADJUST"};
// This file keeps the VCO bias in [Other], where the other programs' files have none.
inline constexpr Key VcoBias{u"Other", u"VCO_BIAS"};
inline constexpr Key PaBias{u"Other", u"PA_BIAS"};
inline constexpr Key ClockOut{u"Other", u"CLK_OUT"};
inline constexpr Key MuxOut{u"Other", u"MUX_OUT"};
inline constexpr Key DataInvert{u"Other", u"DATA_INVERT"};
inline constexpr Key LockDp{u"Other", u"LOCK_DP"};
} // namespace keys

// The scheme field's codes (bits 4..2 of the modulation register), by the list index.
inline const std::vector<int> SchemeCodes{0, 1, 2, 3, 7};
// VCODivider: the divide ratio of each output divider entry.
inline constexpr std::array<int, 4> VcoDivideRatios{1, 2, 4, 8};
// INDEX_COUNTER of a GOOK file: the count itself.
inline constexpr std::array<int, 4> IndexCounts{16, 32, 64, 128};
// The clock-out selector's positions.
inline constexpr int ClockOutPositions = 16;

// How far the synthesizer's planned frequency may lie from the RF entry: half a step of the
// 12-bit fraction, with room for single precision.
inline constexpr double RfStepsPerPfd = 1 << 11;

// ---- reading: what the import will set; nullopt leaves a control as it is -------------

struct SynthesizerPlan {
    evalkit::calc::SynthesizerEntries entries;
    std::optional<bool> doubler;
    std::optional<int> vcoDivide; // list index
};

struct GaussianPlan {
    std::optional<int> indexCount; // list index
    std::optional<QString> divider;
    std::optional<int> modControl; // GFSK only
};

struct FrontPanelPlan {
    std::optional<int> icp;
    std::optional<int> scheme; // list index
    std::optional<QString> deviation;
    GaussianPlan gaussian;
    std::optional<int> paLevel;
    std::optional<int> paLevelLow;
};

// The bias, clock-out, mux-out and other-features windows.
struct OtherPlan {
    std::optional<int> vcoAdjust;
    std::optional<int> vcoBias;
    std::optional<int> paBias;
    std::optional<int> clockOut;
    std::optional<int> muxOut;
    std::optional<bool> dataInvert;
    std::optional<bool> lockDetectFiveCycles;
};

struct SettingsPlan {
    SynthesizerPlan synthesizer;
    std::optional<bool> prescaler89;
    FrontPanelPlan panel;
    // A file without the section, or with it switched off, leaves these settings alone.
    std::optional<OtherPlan> other;
};

// Every value checked, before the first control changes: what a control cannot take is named
// in `r` and left out.
SettingsPlan planSettings(KeyReader& r);

// ---- writing: the set-up in force, as the file holds it ------------------------------

struct FrontPanelRecord {
    QString modulation; // the list's text
    int scheme = -1;    // the list's index
    QString icp;
    QString paLevel, paLevelLow;
    QString deviation; // the box's text in force
    QString indexCountIndex;
    int indexCount = -1; // the list's index
    QString divider;     // the box's text in force
    QString modControl;
};

struct SynthesizerRecord {
    QString rf, crystal;
    int vcoDivide = -1; // the list's index
};

struct BiasRecord {
    QString vcoAdjust, vcoBias, paBias;
};

// The registers' own values, as the chip is programmed with them.
struct FieldsRecord {
    QString integerN, fracN, refDivider, muxOut, dataInvert, lockDetect;
    bool doubler = false;
    bool prescaler89 = false;
};

struct SettingsRecord {
    QString path;
    FrontPanelRecord panel;
    SynthesizerRecord synthesizer;
    FieldsRecord fields;
    BiasRecord bias;
    int clockOut = 0; // the selector's position
};

// Writes every key in the file's order; each scheme writes its own keys, and those of other
// schemes that the file holds stay.
void writeSettings(const SettingsRecord& s, const evalkit::calc::KeyWriter& write);

} // namespace tessarine::calc
