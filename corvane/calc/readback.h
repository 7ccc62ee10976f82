// The readback quantities of register 7: which register-7 fields each list entry selects, and
// how the chip's 16-bit answer becomes the text shown for it. Pure: the readback window does
// the register-7 write and shows the texts.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace corvane::calc {

// ReadbackMode values, in the order of the readback list.
enum ReadbackQuantity : int32_t {
    RssiReadback = 0,
    BatteryReadback = 1,
    TemperatureReadback = 2,
    ExternalPinReadback = 3,
    FrequencyErrorReadback = 4,
    FilterCalReadback = 5,
    SiliconRevisionReadback = 6,
};

// The register-7 fields (pre-shifted) and the conversion one list entry chooses.
struct ReadbackChoice {
    int32_t ReadbackAdcModeField = 0;
    int32_t ReadbackSelectField = 0;
    int32_t ReadbackMode = 0;
};

// The choice of list index 0..6; nullopt for any other index (no selection).
std::optional<ReadbackChoice> readbackChoice(int listIndex);

// The list index whose fields are these, or -1 when no entry selects them.
int readbackListIndex(int32_t ReadbackAdcModeField, int32_t ReadbackSelectField);

// RSSI correction for the receiver gain code in bits 7..10 of the answer.
int32_t rssiGainCorrection(int32_t gainCode);

struct RssiReading {
    double levelDbm = 0;
    int32_t ReadbackValue = 0; // the answer without its gain code (low 7 bits)
};
// (low 7 bits + correction) / 2 - 130 dBm.
RssiReading rssiLevel(int32_t raw);

struct ReadbackDisplay {
    QString lblReadbackDisplay; // the raw answer, before masking
    // The converted value; nullopt leaves the label as it is (a mode with no conversion).
    std::optional<QString> lblReadbackSpecificDisplay;
    int32_t ReadbackValue = 0; // the answer as it stands after the conversion (masked or not)
};

ReadbackDisplay convertReadback(int32_t ReadbackMode, int32_t raw, float DemodClockMHz);

} // namespace corvane::calc
