// The data-rate plan behind txtDatarate_Change: from the data rate, the crystal, the
// demodulator and the deviation actually programmed it chooses the receiver clocks of R3, the
// IF filter divider of R6, the post-demodulator filter of R4 and the correlator discriminator
// of R6. Pure: the main window gathers the inputs, applies the plan, shows its messages in
// order and refreshes the read-outs.
#pragma once

#include "evalkit/calc/receiverclockplan.h"
#include "evalkit/calc/takenrange.h"
#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace pellion::calc {

// DemodTypeField values (type x 2^4).
using evalkit::calc::DemodCorrelator;
using evalkit::calc::DemodLinear;
inline constexpr int16_t DemodAsk = 32;

// cmbDemod: "2FSK Linear" 0, "2FSK Correlator" 1, ASK 2.
inline constexpr int DemodListAsk = 2;

struct DataRateInputs {
    QString rateText; // txtDatarate as typed
    // A rate another window pushes from code (the GFSK window): taken as this number, and the
    // box's character count does not apply, so a full-precision figure is not ignored.
    std::optional<double> rateFromCode;
    float CrystalFrequencyMHz = 0;
    float ActualDeviationKHz = 0;
    int16_t DemodTypeField = 0;
    int cmbDemodIndex = -1; // -1: no selection, planned as an FSK demodulator
    QString lblRxCLK;       // the caption before the plan: the jitter check compares with it
};

// On the box while the crystal gives no receiver clocks to plan with.
inline const QString NoReceiverClocksText =
    QStringLiteral("Data rate in kbit/s: the crystal frequency gives no receiver clocks");

// What the plan stores: the receiver clocks (IF filter divider in R6, the other dividers in
// R3, the post-demodulator filter in R4) and what follows below. When `ran` is false nothing
// is applied and the read-outs are not refreshed; `messages` may then hold the warning
// that refused a value which does not fit its field. When `ran` is true every plain member is
// stored and each optional one only when it holds a value.
struct DataRatePlan : evalkit::calc::ReceiverClockPlan {
    bool ran = false;
    std::vector<platform::Message> messages;
    // Set whenever the rate is not taken: what the box says on its refusal mark (the warning
    // that refused a value, if any, and what the box takes, or why nothing can be planned).
    std::optional<QString> refusal;
    // Set when the rate is a rate the box takes but the set-up (the crystal, the deviation)
    // gives it no plan: the warning that says why. A window whose change of the set-up would
    // bring this refusal refuses that change with it.
    std::optional<platform::Message> setUpRefusal;

    // Correlator discriminator (R6): left as it is without a deviation, or when it would be 0.
    std::optional<int32_t> DiscrimBwField;
    // Set for the correlator demodulator only.
    std::optional<int32_t> KParityBit14Field;
    std::optional<int32_t> KParityBit29Field;
};

DataRatePlan planDataRate(const DataRateInputs& in);

// What the rate box takes with these inputs (its text aside), shown on the box while its text
// is not taken: the rates from the one whose clock-recovery divider still fits eight bits up
// to 201.5, as far as the other dividers and filters fit their fields.
QString dataRateAccepts(const DataRateInputs& in);

// The rates the box takes with these inputs (its text aside), each end as the box can hold it:
// the range its mark names, and the limits the Gaussian window names for the rate it pushes.
// Nothing when no rate can be planned at this set-up.
std::optional<evalkit::calc::TakenRange> dataRateRange(const DataRateInputs& in);

// The demodulator clock divider D for the crystal: 1 to 3 for the FSK demodulators (list
// index 0, 1 or none), 1 to 4 for ASK (index 2).
int demodClockDivider(float CrystalFrequencyMHz, int cmbDemodIndex);

// The correlator parity bits of K as the R6 fields hold them: bit 14 when K is odd, bit 29
// when K / 2 rounded up is odd.
struct KParityFields {
    int32_t KParityBit14Field = 0;
    int32_t KParityBit29Field = 0;
    friend bool operator==(const KParityFields&, const KParityFields&) = default;
};
KParityFields kParity(int32_t K);

// The discriminator setting round(K x fd x 10^6 / 800000), fd the demodulator clock in MHz.
std::optional<int32_t> discriminatorSetting(int32_t K, float DemodClockMHz);

// The discriminator the data-rate and deviation handlers (and the demodulator window's load)
// store: with a deviation above 0, the setting for its K, and for the correlator the parity of
// K (of 0 without a deviation). A setting that would be 0 (a deviation above 400 kHz), or no
// demodulator clock, changes nothing, parity included. A setting that does not fit the ten bits of
// DiscrimBwField is refused: `refusal` holds the warning and nothing may be stored.
struct DiscriminatorPlan {
    std::optional<int32_t> setting; // DiscrimBwField / 2^4
    std::optional<int32_t> DiscrimBwField;
    std::optional<KParityFields> parity;
    std::optional<platform::Message> refusal;
};
DiscriminatorPlan planDiscriminator(float ActualDeviationKHz, float DemodClockMHz,
                                    int16_t DemodTypeField);

// The warning that refuses a discriminator setting above the ten bits of DiscrimBwField (a
// setting beyond any number worth naming is told as far above it).
platform::Message discriminatorRefusal(double setting);

} // namespace pellion::calc
