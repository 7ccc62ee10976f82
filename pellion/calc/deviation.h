// The deviation plan behind TxtFSKdev_Change: the typed deviation becomes the FSK deviation
// count of R2, the deviation that count really gives, and the correlator discriminator that
// follows from it. Pure: the main window applies the result, shows its messages and refreshes
// the read-outs when asked. Unlike the data-rate box this one does not re-plan the receiver
// clocks.
#pragma once

#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace pellion::calc {

inline const QString DeviationTooLargeText = QStringLiteral("Deviation frequency too large");

// ModulationSchemeField values (scheme x 2^6).
inline constexpr int16_t ModulationFsk = 0;
inline constexpr int16_t ModulationGfsk = 64;
inline constexpr int16_t ModulationAsk = 128;
inline constexpr int16_t ModulationOok = 192;
inline constexpr int16_t ModulationGook = 448;

// VcoDiv2Field while the RF divide-by-2 is on.
inline constexpr int32_t VcoDiv2FieldOn = int32_t{1} << 13;

struct DeviationInputs {
    QString text; // TxtFSKdev, kHz
    float PfdFrequencyMHz = 0;
    int32_t VcoDiv2Field = 0;
    // TxDeviationField is the FSK count only in FSK; in the other schemes it holds the GFSK
    // divider or the ASK low PA setting, which the deviation must not overwrite.
    int16_t ModulationSchemeField = ModulationFsk;
    int16_t DemodTypeField = 0;
    float DemodClockMHz = 0;
};

// The deviation values are either all set (a deviation was taken) or all empty;
// TxDeviationField is set only in FSK. A refused deviation comes back with its warning in
// `messages` and nothing to store or refresh.
struct DeviationResult {
    std::vector<platform::Message> messages;
    bool refreshReadouts = false; // UpdateAllRegisterLabels after applying
    // Set when the text was not taken: what the box says on its refusal mark (the warning that
    // refused the deviation, if any, and what the box takes).
    std::optional<QString> refusal;
    // Set when the deviation is one the box takes but the set-up (the PFD, the demodulator
    // clock) cannot hold it: the warning that says why. A window whose change of the set-up
    // would bring this refusal refuses that change with it.
    std::optional<platform::Message> setUpRefusal;
    std::optional<float> DeviationStepHz;
    std::optional<float> ActualDeviationKHz;
    std::optional<int32_t> TxDeviationField;
    std::optional<QString> Lblfskdev;
    std::optional<int32_t> DiscrimBwField;
    std::optional<int32_t> KParityBit14Field; // correlator only
    std::optional<int32_t> KParityBit29Field;
};

DeviationResult planDeviation(const DeviationInputs& in);

// What the deviation box takes with these inputs, shown on the box while its text is not
// taken: up to 500 kHz, as far as the count fits its nine bits (in FSK) and the discriminator
// its ten.
QString deviationAccepts(const DeviationInputs& in);

} // namespace pellion::calc
