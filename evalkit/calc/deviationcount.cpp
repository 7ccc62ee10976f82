#include "evalkit/calc/deviationcount.h"

#include "platform/core/numbers.h"

#include <cmath>

namespace evalkit::calc {

float deviationStepHz(double PfdFrequencyMHz, double stepsPerPfd) {
    return platform::toSingle(PfdFrequencyMHz * 1e6 / stepsPerPfd);
}

std::optional<DeviationCount> deviationCount(double deviationKHz, double PfdFrequencyMHz,
                                             double stepsPerPfd, bool divideBy2) {
    if (!std::isfinite(deviationKHz) || deviationKHz < 0)
        return std::nullopt;
    DeviationCount c;
    c.DeviationStepHz = deviationStepHz(PfdFrequencyMHz, stepsPerPfd);
    if (!std::isfinite(c.DeviationStepHz) || !(c.DeviationStepHz > 0))
        return std::nullopt;
    const std::optional<int64_t> count =
        platform::toInt64(deviationKHz * 1000.0 / static_cast<double>(c.DeviationStepHz));
    // Keep the doubling clear of the 64-bit edge; no register field comes near it.
    if (!count || *count > (int64_t{1} << 40))
        return std::nullopt;
    c.count = *count;
    c.stored = divideBy2 ? 2 * c.count : c.count;
    c.actualKHz = static_cast<double>(c.count) * static_cast<double>(c.DeviationStepHz) / 1000.0;
    return c;
}

} // namespace evalkit::calc
