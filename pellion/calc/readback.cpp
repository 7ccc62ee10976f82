#include "pellion/calc/readback.h"

#include "platform/core/numbers.h"

#include <array>

namespace pellion::calc {

namespace {

using evalkit::calc::RssiCorrection;

constexpr std::array<RssiCorrection, 6> RssiCorrections{{
    {0, 105},
    {4, 90},
    {8, 63},
    {9, 45},
    {10, 24},
    {14, 0},
}};

// The discriminator counts 2^15 steps per demodulator clock; the IF sits at 200 kHz.
const evalkit::calc::ReadbackScales Scales{RssiCorrections, -120.0, 32768.0, 200.0,
                                           QStringLiteral("IF frequency error is ")};

platform::Message notice(const QString& text) {
    return {text, platform::MsgIcon::None, std::nullopt, false};
}

} // namespace

int32_t rssiGainCorrection(int32_t gainCode) {
    return evalkit::calc::rssiGainCorrection(gainCode, RssiCorrections);
}

evalkit::calc::RssiReading rssiLevel(int32_t raw) {
    return evalkit::calc::rssiLevel(raw, Scales);
}

std::optional<QString> deviceOfSiliconCode(int32_t raw) {
    switch (raw) {
    case 0x2007:
    case 0x2008:
        return PellionDeviceName;
    case 0x2017:
    case 0x2018:
        return Pellion1DeviceName;
    default:
        return std::nullopt;
    }
}

ReadbackResult convertReadback(int32_t ReadbackMode, int32_t raw, float DemodClockMHz) {
    const evalkit::calc::ReadbackDisplay d =
        evalkit::calc::convertReadback(ReadbackMode, raw, DemodClockMHz, Scales);
    ReadbackResult r;
    r.lblReadbackDisplay = d.lblReadbackDisplay;
    r.lblReadbackSpecificDisplay = d.lblReadbackSpecificDisplay;
    r.ReadbackValue = d.ReadbackValue;
    if (ReadbackMode == evalkit::calc::FrequencyErrorReadback) {
        r.messages.push_back(notice(FrequencyErrorNote));
    } else if (ReadbackMode == evalkit::calc::SiliconRevisionReadback) {
        r.DeviceName = deviceOfSiliconCode(raw);
        if (!r.DeviceName) {
            r.lblReadbackSpecificDisplay.reset();
            r.messages.push_back(notice(InvalidSiliconCodeText));
        }
        r.SiliconRevisionText = platform::hexText(raw);
    }
    return r;
}

} // namespace pellion::calc
