// The deviation plan behind TxtFSKdev_Change: the typed deviation becomes the transmit
// deviation count of register 2 and the deviation that count really gives. Pure: the main
// window applies the result, shows its messages, runs the data-rate plan when asked and then
// refreshes the read-outs in every case.
#pragma once

#include "corvane/calc/datarate.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace corvane::calc {

inline const QString DeviationTooLargeText = QStringLiteral("Deviation frequency too large");

// VcoDiv2Field when the RF divide-by-2 is on.
inline constexpr int32_t VcoDiv2On = int32_t{1} << 18;

struct DeviationInputs {
    QString text; // TxtFSKdev, kHz
    double PfdFrequencyMHz = 0;
    int32_t VcoDiv2Field = 0;
};

// The four optional values are either all set (a deviation was taken) or all empty.
struct DeviationResult {
    std::vector<platform::Message> messages;
    bool runDataRatePlan = false; // txtDatarate_Change follows
    // Set when the text was not taken: what the box accepts, for the box's refusal mark.
    std::optional<QString> refusal;
    // Set when the deviation is one the box takes but its count does not fit the field at
    // this PFD and divide-by-2: the warning that names the limit. A synthesizer plan whose new
    // PFD would bring this refusal is refused with it.
    std::optional<platform::Message> setUpRefusal;
    std::optional<float> DeviationStepHz;
    std::optional<float> ActualDeviationKHz;
    std::optional<int32_t> TxDeviationField;
    std::optional<QString> actualDeviationText; // the actual deviation as the panel shows it
};

DeviationResult planDeviation(const DeviationInputs& in);

// What the deviation box takes with these inputs, shown on the box while its entry is refused:
// up to 100 kHz, as far as the count fits its eleven bits at this PFD (twice the count with the
// divide-by-2).
QString deviationAccepts(const DeviationInputs& in);

} // namespace corvane::calc
