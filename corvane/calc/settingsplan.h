#pragma once
// The settings file of corvane-eval (and Corvane-N, which shares it) as data: its keys, what an
// import will set, planned from the file's keys before the first control changes, and what a
// save writes, in the file's order, from the set-up in force that each window gives. Each
// window applies its own part of a plan and gives its own part of a save.
#include "evalkit/calc/settingskeys.h"
#include "evalkit/calc/windowsettings.h"

#include <QString>

#include <optional>

namespace corvane::calc {

using evalkit::calc::Key;
using evalkit::calc::KeyReader;

namespace keys {
using namespace evalkit::calc::keys;
inline constexpr Key Mode{u"Phy", u"Mode"};
inline constexpr Key PABias{u"Phy", u"PABias"};
inline constexpr Key Demod{u"Rx", u"Demod"};
inline constexpr Key AfcStatus{u"AFC", u"Status"};
inline constexpr Key AfcKi{u"AFC", u"KI"};
inline constexpr Key AfcKp{u"AFC", u"KP"};
inline constexpr Key AfcRange{u"AFC", u"Range"};
inline constexpr Key Dwell{u"IF_Filter", u"Dwell"};
inline constexpr Key Upper{u"IF_Filter", u"Upper"};
inline constexpr Key Lower{u"IF_Filter", u"Lower"};
inline constexpr Key AgcMode{u"AGC", u"Mode"};
inline constexpr Key AgcLow{u"AGC", u"Low"};
inline constexpr Key AgcHigh{u"AGC", u"High"};
inline constexpr Key LnaGain{u"AGC", u"LNAGain"};
inline constexpr Key FilterGain{u"AGC", u"FilterGain"};
inline constexpr Key Alpha{u"Phy", u"Alpha"};
} // namespace keys

// List indices 5 to 7 of the modulation list are the raised-cosine ones, which have an alpha.
bool isRaisedCosine(int modulationIndex);

// How far the RF entry may lie from what the synthesizer keeps of it.
inline constexpr double RfToleranceMHz = 1e-9;

// ---- reading: what the import will set; nullopt leaves a control as it is -------------

struct FrontPanelPlan {
    std::optional<int> vcoChoice; // the VCO list's index
    std::optional<int> icp;
    std::optional<bool> transmit;
    std::optional<int> modulation; // list index
    std::optional<QString> deviation;
    std::optional<int> paLevel;
    std::optional<QString> rate;
    std::optional<int> alpha;
    std::optional<int> ifBandwidth;
    std::optional<int> demod;
};

using SynthesizerPlan = evalkit::calc::TransceiverSynthesizerPlan;

struct IfFilterPlan {
    std::optional<int> dwell;
    std::optional<int> upper;
    std::optional<int> lower;
};

struct SettingsPlan {
    FrontPanelPlan panel;
    SynthesizerPlan synthesizer;
    evalkit::calc::BiasPlan bias;
    // A window whose section the file leaves out (or switches off) is not touched.
    std::optional<evalkit::calc::SyncWordPlan> sync;
    std::optional<evalkit::calc::AfcPlan> afc;
    std::optional<IfFilterPlan> ifFilter;
    std::optional<evalkit::calc::AgcPlan> agc;
};

// The message for a file of another chip, or nothing when the file is for this one.
std::optional<QString> chipRefusal(const evalkit::calc::KeyReader& r);

// Every value checked, before the first control changes: what a control cannot take is named
// in `r` and left out. `currentModulation` is the list index the panel shows, which stays when
// the file names no modulation (the alpha is read only for the raised-cosine ones).
SettingsPlan planSettings(evalkit::calc::KeyReader& r, int currentModulation);

// ---- writing: the set-up in force, as the file holds it ------------------------------

struct FrontPanelRecord {
    int vcoChoice = -1; // the VCO list's index
    QString modulation; // the list's text
    int modulationIndex = -1;
    bool receive = false;
    QString paLevel;
    QString deviationShown; // the deviation reached, as the panel shows it
    QString ifBandwidth, demod, icp;
    int alpha = -1; // the alpha list's index
};

using SynthesizerRecord = evalkit::calc::SynthesizerRecord;

struct IfFilterRecord {
    QString dwell, upper, lower;
};

// The registers' own values, as the chip is programmed with them.
using FieldsRecord = evalkit::calc::TransceiverFieldsRecord;

struct SettingsRecord {
    QString path;
    double rateKbps = 0;
    FrontPanelRecord panel;
    SynthesizerRecord synthesizer;
    FieldsRecord fields;
    evalkit::calc::BiasRecord bias;
    evalkit::calc::SyncWordRecord sync;
    evalkit::calc::AfcRecord afc;
    IfFilterRecord ifFilter;
    evalkit::calc::AgcRecord agc;
};

// Writes every key in the file's order.
void writeSettings(const SettingsRecord& s, const evalkit::calc::KeyWriter& write);

} // namespace corvane::calc
