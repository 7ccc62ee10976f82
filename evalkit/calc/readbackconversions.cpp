#include "evalkit/calc/readbackconversions.h"

#include "platform/core/numbers.h"

#include <array>

namespace evalkit::calc {

namespace {

constexpr std::array<ReadbackChoice, 7> Choices{{
    {0, 64, RssiReadback},
    {16, 64, BatteryReadback},
    {32, 64, TemperatureReadback},
    {48, 64, ExternalPinReadback},
    {0, 0, FrequencyErrorReadback},
    {0, 128, FilterCalReadback},
    {0, 192, SiliconRevisionReadback},
}};

// Bits 6..0 of the answer carry the reading; the bits above carry the gain code (RSSI) or
// nothing the temperature sensor uses.
constexpr int32_t ReadingMask = 127;

QString volts(const QString& prefix, double v) {
    return prefix + platform::formatNumber(v, u"#0.000") + QStringLiteral(" Volts");
}

} // namespace

std::optional<ReadbackChoice> readbackChoice(int listIndex) {
    if (listIndex < 0 || listIndex >= static_cast<int>(Choices.size()))
        return std::nullopt;
    return Choices[static_cast<size_t>(listIndex)];
}

int readbackListIndex(int32_t ReadbackAdcModeField, int32_t ReadbackSelectField) {
    for (size_t i = 0; i < Choices.size(); ++i) {
        if (Choices[i].ReadbackAdcModeField == ReadbackAdcModeField &&
            Choices[i].ReadbackSelectField == ReadbackSelectField)
            return static_cast<int>(i);
    }
    return -1;
}

int32_t rssiGainCorrection(int32_t gainCode, std::span<const RssiCorrection> corrections) {
    for (const RssiCorrection& c : corrections) {
        if (c.gainCode == gainCode)
            return c.correction;
    }
    return 0;
}

RssiReading rssiLevel(int32_t raw, const ReadbackScales& scales) {
    // A negative answer gives a negative code, which has no correction.
    const double gainCode = platform::intFloor(raw / 128.0);
    const int32_t correction =
        rssiGainCorrection(platform::toInt32(gainCode).value_or(-1), scales.rssiCorrections);
    const int32_t reading = raw & ReadingMask;
    return {(double(reading) + correction) / 2.0 + scales.rssiOffsetDbm, reading};
}

ReadbackDisplay convertReadback(int32_t ReadbackMode, int32_t raw, float DemodClockMHz,
                                const ReadbackScales& scales) {
    ReadbackDisplay d;
    d.lblReadbackDisplay = platform::numberText(raw);
    d.ReadbackValue = raw;
    switch (ReadbackMode) {
    case RssiReadback: {
        const RssiReading r = rssiLevel(raw, scales);
        d.ReadbackValue = r.ReadbackValue;
        d.lblReadbackSpecificDisplay = QStringLiteral("RSSI Level is ") +
                                       platform::formatNumber(r.levelDbm, u"#0.0") +
                                       QStringLiteral(" dBm");
        break;
    }
    case BatteryReadback:
        d.lblReadbackSpecificDisplay = volts(QStringLiteral("Vdd is "), raw / 21.1);
        break;
    case TemperatureReadback: {
        d.ReadbackValue = raw & ReadingMask;
        const double t = (68.4 - d.ReadbackValue) * 9.32 - 40.0;
        d.lblReadbackSpecificDisplay = QStringLiteral("Temperature is ") +
                                       platform::formatNumber(t, u"#0") +
                                       QStringLiteral(" \u00B0C");
        break;
    }
    case ExternalPinReadback:
        d.lblReadbackSpecificDisplay = volts(QStringLiteral("ADC Value is "), raw / 42.1);
        break;
    case FrequencyErrorReadback: {
        const double f =
            double(DemodClockMHz) * raw * 1000.0 / scales.frequencyErrorSteps - scales.ifCentreKHz;
        d.lblReadbackSpecificDisplay = scales.frequencyErrorPrefix +
                                       platform::formatNumber(f, u"#0.000") +
                                       QStringLiteral(" kHz");
        break;
    }
    case FilterCalReadback:
        d.lblReadbackSpecificDisplay = QString(); // only the raw number means anything
        break;
    case SiliconRevisionReadback:
        d.lblReadbackSpecificDisplay = siliconCodeText(raw);
        break;
    default:
        break;
    }
    return d;
}

QString siliconCodeText(int32_t raw) {
    return QStringLiteral("Silicon Code is ") + platform::hexText(raw) + QStringLiteral("h");
}

} // namespace evalkit::calc
