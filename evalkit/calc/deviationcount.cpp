#include "evalkit/calc/deviationcount.h"

#include "evalkit/calc/takenrange.h"
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

std::optional<double> largestZeroCountEntry(const std::function<bool(double)>& countsZero,
                                            float DeviationStepHz, int maxChars) {
    if (!std::isfinite(DeviationStepHz) || !(DeviationStepHz > 0))
        return std::nullopt;
    // Half a step, and a little beyond it for the search to start outside.
    const double halfStepKHz = static_cast<double>(DeviationStepHz) / 2000.0;
    const std::optional<TakenRange> zero = takenRange(countsZero, 0, halfStepKHz * 1.01, maxChars);
    if (!zero)
        return std::nullopt;
    return zero->to;
}

QString zeroCountText(double end) {
    return QStringLiteral("0 to ") + endText(end) +
           QStringLiteral(", under half a step: no deviation");
}

} // namespace evalkit::calc
