// The readback quantities of register 7 common to the chips: which register-7 fields each
// entry of the readback list selects, and how the chip's 16-bit answer becomes the text shown
// for it. The chips differ in the RSSI gain corrections and level offset and in the
// frequency-error scale; those come in as ReadbackScales.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <span>

namespace evalkit::calc {

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

// The RSSI correction (half dB) for one receiver gain code; codes not listed take 0.
struct RssiCorrection {
    int32_t gainCode = 0;
    int32_t correction = 0;
};

struct ReadbackScales {
    std::span<const RssiCorrection> rssiCorrections;
    double rssiOffsetDbm = 0;       // level = (low 7 bits + correction) / 2 + offset
    double frequencyErrorSteps = 0; // discriminator counts per demodulator clock
    double ifCentreKHz = 0;         // the IF the count is measured against
    QString frequencyErrorPrefix;   // the caption before the figure
};

int32_t rssiGainCorrection(int32_t gainCode, std::span<const RssiCorrection> corrections);

struct RssiReading {
    double levelDbm = 0;
    int32_t ReadbackValue = 0; // the answer without its gain code (low 7 bits)
};
// The gain code is the floor of raw / 128 (bits 7 and up); the reading its low 7 bits.
RssiReading rssiLevel(int32_t raw, const ReadbackScales& scales);

struct ReadbackDisplay {
    QString lblReadbackDisplay; // the raw answer in decimal, before masking
    // The converted value; nullopt leaves the label as it is (a mode with no conversion).
    std::optional<QString> lblReadbackSpecificDisplay;
    int32_t ReadbackValue = 0; // the answer as it stands after the conversion (masked or not)
};

// Every mode 0..6; the silicon revision is shown as siliconCodeText().
ReadbackDisplay convertReadback(int32_t ReadbackMode, int32_t raw, float DemodClockMHz,
                                const ReadbackScales& scales);

// "Silicon Code is " & Hex(raw) & "h".
QString siliconCodeText(int32_t raw);

} // namespace evalkit::calc
