#include "corvane/calc/followups.h"

namespace corvane::calc {

std::optional<platform::Message> dataRateRefusalAfter(const DeviationResult& deviation,
                                                      DataRateInputs rate) {
    if (!deviation.runDataRatePlan)
        return std::nullopt;
    if (deviation.ActualDeviationKHz)
        rate.ActualDeviationKHz = *deviation.ActualDeviationKHz;
    return planDataRate(rate).setUpRefusal;
}

std::optional<platform::Message> followUpRefusal(FollowUpInputs in) {
    const DeviationResult d = planDeviation(in.deviation);
    if (d.setUpRefusal)
        return d.setUpRefusal;
    return dataRateRefusalAfter(d, std::move(in.rate));
}

} // namespace corvane::calc
