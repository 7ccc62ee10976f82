#include "pellion/calc/followups.h"

namespace pellion::calc {

std::optional<platform::Message> followUpRefusal(FollowUpInputs in) {
    if (in.rate) {
        const DataRatePlan p = planDataRate(*in.rate);
        if (p.setUpRefusal)
            return p.setUpRefusal;
        if (p.ran && in.deviation)
            in.deviation->DemodClockMHz = p.DemodClockMHz;
    }
    if (in.deviation) {
        const DeviationResult d = planDeviation(*in.deviation);
        if (d.setUpRefusal)
            return d.setUpRefusal;
    }
    return std::nullopt;
}

} // namespace pellion::calc
