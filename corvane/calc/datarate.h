// The data-rate plan behind txtDatarate_Change: from the data rate, the crystal, the
// demodulator type and the deviation actually programmed it chooses the receiver clocks of
// registers 3 and 5, the post-demodulator filter and discriminator of register 4 and the
// 3FSK/4FSK thresholds of register 13. Pure: the main window applies the plan, shows its
// messages in order and refreshes the read-outs.
#pragma once

#include "evalkit/calc/ratechecks.h"
#include "evalkit/calc/receiverclockplan.h"
#include "evalkit/calc/takenrange.h"
#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace corvane::calc {

// DemodTypeField values (type x 2^4).
using evalkit::calc::DemodCorrelator;
using evalkit::calc::DemodLinear;
inline constexpr int16_t DemodThreeFsk = 32;
inline constexpr int16_t DemodFourFsk = 48;

inline const QString TooLowRateText = QStringLiteral(
    "Desired datrate is too low for the given xtal. Minimum datarate is XTAL/12,240. "
    "Please re-adjust.");
using evalkit::calc::JitterWarningText;
using evalkit::calc::JitterWarningTitle;

struct DataRateInputs {
    QString rateText;      // txtDatarate
    QString deviationText; // TxtFSKdev, only tested for zero
    float CrystalFrequencyMHz = 0;
    float ActualDeviationKHz = 0;
    int16_t DemodTypeField = 0;
    int cmb3FSKDetectIndex = -1; // -1: no selection
    int cmbVPathMemIndex = -1;   // -1: no selection
    // A rate another window pushes from code (the Gaussian window): taken as this number
    // instead of the box's text, so the receiver is planned for the exact rate while the box
    // shows it rounded.
    std::optional<double> rateFromCode = std::nullopt;
};

// What the plan stores: the receiver clocks (IF filter divider in R5, the other dividers in
// R3, the post-demodulator filter in R4) and what follows below. When `ran` is false nothing
// is applied, no message is shown and the read-outs are not refreshed. When it is true every
// plain member is stored and each optional one only when it holds a value.
struct DataRatePlan : evalkit::calc::ReceiverClockPlan {
    bool ran = false;
    std::vector<platform::Message> messages;
    // Set when the rate is not taken: what the box takes at this set-up, for its refusal mark
    // (the box itself refuses without a message).
    std::optional<QString> refusal;
    // Set when the rate is one the box takes but the set-up (the crystal, the deviation)
    // gives it no plan: the warning that names the limit and what to change. `messages` stays
    // empty then. A window whose change of the set-up would bring this refusal refuses that
    // change with it.
    std::optional<platform::Message> setUpRefusal;

    // Discriminator (R4): set for the four demodulator types.
    std::optional<int32_t> DiscrimBwField;
    std::optional<int32_t> KParityBit7Field;
    std::optional<int32_t> KParityBit9Field;
    std::optional<int16_t> DiscrimK;
    std::optional<int16_t> DiscrimMultiplier;

    // Register 13: the linear demodulator leaves it alone, and the path memory stays as it is
    // while its list has no selection.
    std::optional<int16_t> ThresholdWordField;
    std::optional<int16_t> ThreeFskDetectorField;
    std::optional<int16_t> ViterbiPathMemoryField;
    std::optional<int16_t> ThreeFskEnableField;
    std::optional<int32_t> ThreeFskThresholdField;
    std::optional<int32_t> ThreeFskBits22To25Field;
};

DataRatePlan planDataRate(const DataRateInputs& in);

// What the rate box takes with these inputs (its text aside): a rate above 0 and at most 75
// while the deviation is above 0, as far as the plan's dividers and filters fit their fields.
QString dataRateAccepts(const DataRateInputs& in);

// The rates the box takes with these inputs (its text aside), each end as the box can hold it:
// the range its mark names, and the limits the Gaussian window names for the rate it pushes.
// Nothing when no rate can be planned.
std::optional<evalkit::calc::TakenRange> dataRateRange(const DataRateInputs& in);

// The correlator/3FSK parity of K as the stored field values: bit7 = 2^7 when K is odd, bit9 =
// 2^9 when ceil(K / 2) is odd.
struct KParity {
    int32_t bit7 = 0;
    int32_t bit9 = 0;
    friend bool operator==(const KParity&, const KParity&) = default;
};
KParity kParity(int K);

// The discriminator bandwidth code round(K x fd x 10^6 / 400000), fd the demodulator clock in
// MHz; nullopt when it does not fit 32 bits. The caller checks it against the 10-bit field.
std::optional<int32_t> discrimBandwidthCode(int K, float demodClockMHz);

// The 4FSK correction of K: twice, on the K that stands, a K that is not a multiple of 4 while
// round((K + 1) / 4) is not either is moved, first down by 1, then up by 2.
int correctFourFskK(int K);

} // namespace corvane::calc
