#include "corvane/calc/iftones.h"

#include "platform/core/numbers.h"

namespace corvane::calc {

namespace {

constexpr int32_t MaxToneDivider = 255; // R6, 8 bits each

std::optional<int32_t> fitting(double quotient) {
    const std::optional<int32_t> v = platform::toInt32(quotient);
    if (!v || *v < 0 || *v > MaxToneDivider)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<ToneDivisors> ToneSource::divisorsFor(double IFFilterBandwidthField) const {
    if (byBandwidth.empty())
        return fixed;
    for (const ToneRow& row : byBandwidth) {
        if (row.IFFilterBandwidthField == IFFilterBandwidthField)
            return row.divisors;
    }
    return std::nullopt;
}

CalibrationTones calibrationTones(float CrystalFrequencyMHz, const ToneDivisors& d) {
    const double k = double{CrystalFrequencyMHz} * 1000;
    const double upper = d.upperInSingle ? double{platform::toSingle(k / d.upper)} : k / d.upper;
    CalibrationTones tones;
    if (const auto u = fitting(upper))
        tones.IFCalUpperToneField = *u * (1 << 13);
    if (const auto l = fitting(k / d.lower))
        tones.IFCalLowerToneField = *l * (1 << 5);
    return tones;
}

} // namespace corvane::calc
