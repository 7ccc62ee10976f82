// The figures of the advanced demodulator window: the receiver clock dividers as it shows
// them and the clocks they give, the divider, discriminator and post-demodulator entries it
// takes, and the lock-threshold choice. Pure: the window reads its boxes and the field store,
// applies what comes back and shows the messages; a refused entry changes nothing.
#pragma once

#include "pellion/calc/datarate.h"
#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace pellion::calc {

inline const QString DiscrimWarningText = QStringLiteral(
    "Largest Discrim B/W setting is 600. You will need to manually increase the demod clock to "
    "increase the disrcim b/w. See notes on register 6 in Pellion Datasheet");
inline const QString IFFilterLimitText = QStringLiteral("IF Filter Divider must be from 1 to 511");
inline const QString BBOffsetLimitText = QStringLiteral("BB Offset Divider must be from 0 to 27");
inline const QString DemodLimitText = QStringLiteral("Demod Divider must be from 1 to 4");
inline const QString CDRLimitText = QStringLiteral("CDR Divider must be from 1 to 255");
inline const QString DiscrimLimitText = QStringLiteral("Discrim BW Setting must be from 1 to 1023");

// The receiver clock fields of R3 and R6 as the field store holds them.
struct ReceiverClockFields {
    double IFFilterDividerField = 0;
    int32_t BbOffsetDividerField = 0;
    int16_t DemodClockDividerField = 0;
    int32_t CdrClockDividerField = 0;
    int32_t SeqClockDividerField = 0;
};

// The five dividers as the window shows them: the baseband offset as its divider (4 for code
// 0, else 8 x code), the demodulator code 0 as 4.
struct ShownDividers {
    int32_t ifFilter = 0;
    int32_t bbOffset = 0;
    int32_t demod = 0;
    int32_t cdr = 0;
    int32_t seq = 0;
    friend bool operator==(const ShownDividers&, const ShownDividers&) = default;
};

// A clock-recovery divider above the eight bits is shown balanced: the demodulator divider is
// raised a step at a time and the CDR divider scaled so that their product stays about the
// same, down to 255 at most. Only what is shown changes; the fields keep their values.
struct BalancedCdr {
    int32_t cdr = 0;
    int32_t demod = 0;
    friend bool operator==(const BalancedCdr&, const BalancedCdr&) = default;
};
BalancedCdr balanceCdr(int32_t cdr, int32_t demod);

// The dividers of the fields, the CDR divider balanced.
ShownDividers shownDividers(const ReceiverClockFields& fields);

// The clock labels (".0000" with " kHz" or " MHz"); a label whose divider is 0 (or, for the
// sequencer, not above 0) is nullopt and keeps what it shows.
struct ClockLabels {
    std::optional<QString> lblIFfilterclk;
    std::optional<QString> lblBBoffsetclk;
    std::optional<QString> lblDemodclk;
    std::optional<QString> lblCDRclk;
    std::optional<QString> lblSeqclk;
};
ClockLabels clockLabels(float CrystalFrequencyMHz, const ShownDividers& shown);

// lblT4Frequency for a discriminator setting: crystal kHz / setting, "#0.000" and " kHz";
// nullopt for a setting of 0.
std::optional<QString> t4FrequencyText(float CrystalFrequencyMHz, int32_t setting);

// The window's lblDemodBW from the front panel's caption: ".0000" and "kHz" (a caption that
// is not a number is kept as it is).
QString demodBwLabel(const QString& frontPanelCaption);

// lblDemodBW_disp: "R4_DB(6:15) = " and the code the field holds.
QString postDemodCodeText(int32_t PostDemodBwField);

// Load steps 7 to 9: the discriminator and parity of the data-rate plan for the deviation and
// demodulator clock that stand, and what the window then puts into txtT4delay (whose change
// handler stores it again and warns above 600) and lblT4Frequency. Nothing but the refusal
// when the setting does not fit; nothing at all when it would be 0.
struct LoadDiscriminator {
    DiscriminatorPlan plan;
    std::optional<QString> txtT4delay;
    std::optional<QString> lblT4Frequency;
};
LoadDiscriminator loadDiscriminator(float ActualDeviationKHz, float DemodClockMHz,
                                    int16_t DemodTypeField, float CrystalFrequencyMHz);

// The discriminator box (txtT4delay_Change): the setting 1..1023 is stored; above 600 the
// warning comes and the setting is stored all the same. An empty or non-numeric text changes
// nothing; a setting outside 1..1023 is refused with its message.
struct DiscrimEntry {
    std::vector<platform::Message> messages;
    std::optional<int32_t> DiscrimBwField;
    std::optional<QString> txtT4delay; // the setting as a whole number
    std::optional<QString> lblT4Frequency;
};
DiscrimEntry discrimEntry(const QString& text, float CrystalFrequencyMHz);

// A divider box entry: nothing when the text is not a number, the refusal when it is outside
// the field's range, else the values to store.
struct IFFilterEntry {
    std::optional<platform::Message> refusal;
    std::optional<double> IFFilterDividerField;
};
IFFilterEntry ifFilterEntry(const QString& text);

struct BBOffsetEntry {
    std::optional<platform::Message> refusal;
    std::optional<int32_t> BbOffsetDividerField;
};
BBOffsetEntry bbOffsetEntry(const QString& text);

// txtCDR: 0 is taken as 1 (no divide); the CDR clock follows from the demodulator clock.
struct CdrEntry {
    std::optional<platform::Message> refusal;
    std::optional<int32_t> CdrClockDividerField;
    std::optional<float> CdrClockKHz;
};
CdrEntry cdrEntry(const QString& text, float DemodClockMHz);

// txtDemod: the divider 1..4 (4 stored as code 0) and the clock it gives; with a deviation set,
// the discriminator for the new clock, round(fd kHz / (deviation x 4)), which the window puts
// into txtT4delay and lblT4Frequency. After applying it the window takes the CDR box again
// (cdrEntry with the new clock). A discriminator that does not fit refuses the whole entry.
struct DemodEntry {
    std::optional<platform::Message> refusal;
    std::optional<float> DemodClockMHz;
    std::optional<int16_t> DemodClockDividerField;
    std::optional<int32_t> DiscrimBwField;
    std::optional<QString> txtT4delay;
    std::optional<QString> lblT4Frequency;
};
DemodEntry demodEntry(const QString& text, float CrystalFrequencyMHz, float ActualDeviationKHz);

// txtDemodBW: the filter code nearest the wanted bandwidth (kHz) and the bandwidth it gives.
// A text that is not a number, a negative bandwidth or no demodulator clock change nothing; a
// code above ten bits is refused.
struct PostDemodEntry {
    std::optional<platform::Message> refusal;
    std::optional<int32_t> PostDemodBwField;
    std::optional<QString> lblDemodBW;        // the window's: "#0.0000" and "kHz"
    std::optional<QString> frontPanelDemodBW; // the front panel's: "#0.0000"
    std::optional<QString> lblDemodBW_disp;
};
PostDemodEntry postDemodEntry(const QString& text, float DemodClockMHz);

// The lock-threshold list: the entry the two R4 fields select (-1 for a sum no entry has), and
// the fields an entry stores.
int lockModeListIndex(int32_t LockThresholdModeBit23Field, double LockThresholdModeField);
// The entry of the lock-threshold code as the R4 word carries it in bits 25..23 (the two fields
// combined bit by bit, PellionStore::lockThresholdModeBits); -1 for a code no entry has.
int lockModeListIndexOfCode(int32_t codeBits);
struct LockModeFields {
    double LockThresholdModeField = 0;
    int32_t LockThresholdModeBit23Field = 0;
};
std::optional<LockModeFields> lockModeFields(int listIndex);

} // namespace pellion::calc
