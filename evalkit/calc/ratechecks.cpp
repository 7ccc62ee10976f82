#include "evalkit/calc/ratechecks.h"

#include <cmath>

namespace evalkit::calc {

double cdrJitter(float cdrClockKHz, double rateKbps) {
    const double target = 32.0 * rateKbps;
    return std::abs(cdrClockKHz - target) / target;
}

bool excessiveJitter(float cdrClockKHz, double rateKbps) {
    return cdrJitter(cdrClockKHz, rateKbps) > MaxCdrJitter;
}

platform::Message jitterWarning() {
    return {JitterWarningText, platform::MsgIcon::Information, JitterWarningTitle, false};
}

} // namespace evalkit::calc
