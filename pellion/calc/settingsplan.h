#pragma once
// The settings file of pellion-eval as data: its keys, what an import will set, planned from
// the file's keys before the first control changes, and what a save writes, in the file's
// order, from the set-up in force that each window gives. Each window applies its own part of
// a plan and gives its own part of a save.
#include "evalkit/calc/settingskeys.h"
#include "evalkit/calc/windowsettings.h"

#include <QString>

#include <optional>
#include <vector>

namespace pellion::calc {

using evalkit::calc::Key;
using evalkit::calc::KeyReader;

// Every key of this file stands in another program's file as well.
namespace keys = evalkit::calc::keys;

// The schemes by their list index; the file names them as the list does, case and all.
enum SchemeItem { FskScheme, GfskScheme, AskScheme, OokScheme, GookScheme };
// The scheme field's codes (bits 8..6 of R2), by the list index.
inline const std::vector<int> SchemeCodes{0, 1, 2, 3, 7};
// The schemes with Gaussian settings.
bool isGaussianScheme(int scheme);

// What the sync-word box's pattern begins with.
inline const QString SyncWordPrefix = QStringLiteral("0x");

// How far the channel the synthesizer plans may lie from the RF entry: half a step of the
// fraction (a quarter with the divide-by-2), with room for single precision.
inline constexpr double RfStepsPerPfd = 1 << 14;

// ---- reading: what the import will set; nullopt leaves a control as it is -------------

struct FrontPanelPlan {
    std::optional<bool> externalInductor;
    std::optional<int> icp;
    std::optional<int> scheme; // list index
    std::optional<double> deviation;
    std::optional<int> paLevel;
    std::optional<int> paLevelLow;
    std::optional<double> rate; // kbit/s
    std::optional<int> ifBandwidth;
};

using SynthesizerPlan = evalkit::calc::TransceiverSynthesizerPlan;

// The Gaussian window's fields, as codes.
struct GaussianPlan {
    std::optional<int> indexCounter;
    std::optional<int> divider;
    std::optional<int> modControl;
};

struct SettingsPlan {
    FrontPanelPlan panel;
    SynthesizerPlan synthesizer;
    evalkit::calc::BiasPlan bias;
    GaussianPlan gaussian;
    std::optional<int> lnaMode;
    evalkit::calc::SyncWordPlan sync;
};

// Every value checked, before the first control changes: what a control cannot take is named
// in `r` and left out. There is no check of the chip: both variants read the same file.
SettingsPlan planSettings(KeyReader& r);

// ---- writing: the set-up in force, as the file holds it ------------------------------

struct FrontPanelRecord {
    bool externalInductor = false;
    QString modulation; // the list's text
    QString fskLevel, askLevel, askLowLevel;
    QString deviationEntry; // the deviation box's text in force
    QString deviationShown; // the deviation reached, as the panel shows it
    QString ifBandwidth, icp;
};

using SynthesizerRecord = evalkit::calc::SynthesizerRecord;

struct GaussianRecord {
    QString indexCounter, divider, modControl;
};

// The registers' own values, as the chip is programmed with them.
using FieldsRecord = evalkit::calc::TransceiverFieldsRecord;

struct SettingsRecord {
    QString path;
    double rateKbps = 0;
    FrontPanelRecord panel;
    SynthesizerRecord synthesizer;
    FieldsRecord fields;
    GaussianRecord gaussian;
    evalkit::calc::BiasRecord bias;
    evalkit::calc::SyncWordRecord sync;
};

// Writes every key in the file's order; each scheme writes its own keys, and those of other
// schemes that the file holds stay.
void writeSettings(const SettingsRecord& s, const evalkit::calc::KeyWriter& write);

} // namespace pellion::calc
