#include "evalkit/calc/gaussian.h"

#include "platform/core/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace evalkit::calc {

namespace {

constexpr std::array<int32_t, 4> IndexCounters{16, 32, 64, 128};

} // namespace

std::optional<GaussianDivider> gaussianDivider(const QString& text) {
    const std::optional<double> entry = platform::textToNumber(text);
    if (!entry)
        return std::nullopt;
    const std::optional<int64_t> d = platform::toInt64(*entry);
    GaussianDivider g;
    g.divider =
        d ? static_cast<int32_t>(std::clamp<int64_t>(*d, MinGaussianDivider, MaxGaussianDivider))
          : (*entry < 0 ? MinGaussianDivider : MaxGaussianDivider);
    g.limited = !d || *d != g.divider;
    return g;
}

std::optional<int32_t> indexCounter(int listIndex) {
    if (listIndex < 0 || listIndex >= static_cast<int>(IndexCounters.size()))
        return std::nullopt;
    return IndexCounters[static_cast<size_t>(listIndex)];
}

double gaussianDeviationKHz(double PfdFrequencyMHz, int modControl, bool halved) {
    const double full = std::ldexp(PfdFrequencyMHz * 1e6, modControl) / (4096.0 * 1000.0);
    return halved ? full / 2 : full;
}

double gaussianDataRateKbps(double PfdFrequencyMHz, int32_t divider, int32_t indexCounter) {
    return PfdFrequencyMHz * 1e6 / (static_cast<double>(indexCounter) * divider * 1000.0);
}

} // namespace evalkit::calc
