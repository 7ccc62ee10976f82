#include "evalkit/calc/demodfilters.h"

#include "platform/core/numbers.h"

#include <cmath>

namespace evalkit::calc {

namespace {

bool usableClock(float demodClockMHz) {
    return std::isfinite(demodClockMHz) && demodClockMHz > 0;
}

} // namespace

std::optional<int32_t> postDemodCodeForRate(double rateKbps, float demodClockMHz, double factor) {
    if (!usableClock(demodClockMHz))
        return std::nullopt;
    const double x =
        1024.0 * factor * FilterTwoPi * rateKbps / (static_cast<double>(demodClockMHz) * 1000.0);
    return platform::toInt32(platform::intFloor(x) + 1);
}

std::optional<int32_t> postDemodCodeForBandwidth(double bandwidthKHz, float demodClockMHz) {
    if (!usableClock(demodClockMHz))
        return std::nullopt;
    return platform::toInt32(1024.0 * FilterTwoPi * bandwidthKHz /
                             (static_cast<double>(demodClockMHz) * 1000.0));
}

double postDemodBandwidthKHz(int32_t code, float demodClockMHz) {
    return code * static_cast<double>(demodClockMHz) * 1000.0 / (1024.0 * FilterTwoPi);
}

std::optional<int32_t> correlatorK(double numerator, float deviationKHz) {
    if (!(deviationKHz > 0))
        return std::nullopt;
    const std::optional<int16_t> K = platform::toInt16(numerator / deviationKHz);
    if (!K)
        return std::nullopt;
    return *K;
}

std::optional<int32_t> discriminatorCode(int32_t K, float demodClockMHz, double hzPerCount) {
    return platform::toInt32(K * static_cast<double>(demodClockMHz) * 1e6 / hzPerCount);
}

CorrelatorParity correlatorParity(int32_t K) {
    const bool odd = K % 2 != 0;
    const int64_t half = odd ? (int64_t{K} + 1) / 2 : K / 2; // K / 2 rounded up
    return {odd, half % 2 != 0};
}

} // namespace evalkit::calc
