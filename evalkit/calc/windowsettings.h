#pragma once
// What the shared windows take from a settings file and give to one: for each, the part of an
// import's plan it applies (nullopt leaves a control as it is) and the part of a save it holds
// in force, as the file's texts. The synthesizer's three entries are planned the same way by
// every program, and what its calculation did not take is found here too.
#include "evalkit/calc/settingskeys.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace evalkit::calc {

// ---- the synthesizer's entries --------------------------------------------------------

// The keys the three entries come from, to name what the calculation did not take.
struct SynthesizerKeys {
    Key frequency, crystal, refDivider;
};

struct SynthesizerEntries {
    std::optional<QString> rf;
    std::optional<QString> crystal;
    // 0: the PFD is the crystal frequency; nothing: the PFD box keeps its text.
    std::optional<int> refDivider;
    SynthesizerKeys keys;
};

// The transceivers' synthesizer window in a settings file: the divide-by-2 and the entries.
struct TransceiverSynthesizerPlan {
    std::optional<bool> divideBy2;
    SynthesizerEntries entries;
};

// Reads the three entries: the RF and crystal texts whole (a text key reads into 256
// characters), the reference divider from 0 to `maxRefDivider` (one its field cannot hold is
// left out).
SynthesizerEntries planSynthesizerEntries(KeyReader& r, const SynthesizerKeys& keys,
                                          int maxRefDivider);

// The PFD box's text for a crystal box that reads `crystalText`: the crystal itself for a
// divider of 0, or the crystal times `doubling` divided by the divider; nothing when the
// crystal is no number.
std::optional<QString> pfdEntry(const QString& crystalText, int refDivider, double doubling = 1);

struct SynthesizerValues {
    double rfMHz = 0, pfdMHz = 0, crystalMHz = 0;
};

// The keys whose entries the calculation did not take: `given` is what the import put into the
// boxes, `kept` the working values afterwards, `rfToleranceMHz` how far the planned channel may
// lie from the RF entry. Empty when it took them all.
std::vector<Key> entriesNotTaken(const SynthesizerEntries& entries, const SynthesizerValues& given,
                                 const SynthesizerValues& kept, double rfToleranceMHz);

// ---- the bias window ------------------------------------------------------------------

struct BiasPlan {
    std::optional<int> vcoBand;
    std::optional<int> vcoBias; // nothing for 0: the bias the VCO choice set stays
    std::optional<int> paBias;
    std::optional<int> mixerLinearity;
};

// Reads the VCO band (0 to 3) and bias (0 to 15; 0 or missing keeps the bias).
void planVcoBias(KeyReader& r, BiasPlan& p, const Key& band, const Key& bias);

// The transceivers' synthesizer entries as a save writes them.
struct SynthesizerRecord {
    QString rf, crystal;
};

// The transceivers' register values a save writes as the chip is programmed with them.
struct TransceiverFieldsRecord {
    QString integerN, fracN, lnaMode, refDivider;
    bool divideBy2 = false;
};

struct BiasRecord {
    QString paBias, mixerLinearity, vcoBand, vcoBias;
};

// ---- the sync-word window -------------------------------------------------------------

// The word a pattern box's text stands for: `prefix` (in either case), then the word's
// hexadecimal digits, of at most 24 bits; without a prefix an empty text is the word 0. Any
// other text gives nothing; `tooWide` is set for hexadecimal digits of a wider word.
std::optional<uint32_t> syncWordValue(const QString& text, const QString& prefix,
                                      bool* tooWide = nullptr);

struct SyncWordPlan {
    std::optional<int> detect;
    std::optional<QString> word; // as the window's box takes it
    std::optional<int> length;
    std::optional<int> errors;
    std::optional<QString> packetLength; // on chips with a packet length box
};

struct SyncWordRecord {
    QString detect;
    QString word; // the box's text in force
    QString length;
    QString errors;
};

// ---- the AFC window -------------------------------------------------------------------

struct AfcPlan {
    std::optional<bool> on;
    std::optional<int> ki;
    std::optional<int> kp;
    std::optional<QString> range;
};

struct AfcRecord {
    bool on = false; // the first switch's field
    QString ki, kp, range;
};

// ---- the AGC window -------------------------------------------------------------------

struct AgcPlan {
    std::optional<int> mode;
    std::optional<int> low;
    std::optional<int> high;
    std::optional<int> lnaGain;
    std::optional<int> filterGain;
};

struct AgcRecord {
    QString mode, low, high, lnaGain, filterGain;
};

} // namespace evalkit::calc
