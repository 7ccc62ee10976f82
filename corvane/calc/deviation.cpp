#include "corvane/calc/deviation.h"

#include "evalkit/calc/deviationcount.h"
#include "evalkit/calc/limitwarning.h"
#include "platform/numbers.h"

namespace corvane::calc {

namespace {

constexpr int MaxTextLength = 5;
constexpr double MaxDeviationKHz = 100;
constexpr int32_t MaxDeviationCount = (int32_t{1} << 11) - 1; // TxDeviationField is bits 19..29
constexpr double StepsPerPfd = 65536;                         // 2^16
// The count is taken as a 16-bit number before it is checked against the field.
constexpr int64_t MaxCount = 32767;

} // namespace

DeviationResult planDeviation(const DeviationInputs& in) {
    DeviationResult r;
    // Every way out below but the last leaves the deviation as it was: the box says why.
    r.refusal = DeviationAcceptsText;
    // 1. Only texts of 1 to 5 characters are acted on.
    if (in.text.isEmpty() || in.text.size() > MaxTextLength)
        return r;
    // A text that is not a number yet (a lone "-" or "." while typing) or a negative one is
    // left alone, as an empty one is.
    const auto value = platform::textToNumber(in.text);
    if (!value || *value < 0)
        return r;
    // 1.1, 1.3: the previous deviation stays in force and the receiver is planned with it.
    if (*value > MaxDeviationKHz) {
        r.messages.push_back({DeviationTooLargeText, platform::MsgIcon::None, std::nullopt});
        r.runDataRatePlan = true;
        return r;
    }
    // 1.2
    const float d = platform::toSingle(*value);
    // The divide-by-2 halves the deviation at the antenna, so the chip needs twice the count.
    const bool divideBy2 = in.VcoDiv2Field == VcoDiv2On;
    const std::optional<evalkit::calc::DeviationCount> c =
        evalkit::calc::deviationCount(d, in.PfdFrequencyMHz, StepsPerPfd, divideBy2);
    if (!c || c->count > MaxCount || c->stored > MaxDeviationCount) {
        // Would reach into the next field of register 2.
        const float step = evalkit::calc::deviationStepHz(in.PfdFrequencyMHz, StepsPerPfd);
        if (step > 0) {
            const int32_t perStep = divideBy2 ? 2 : 1;
            const double largest = (MaxDeviationCount / perStep) * double(step) / 1000.0;
            r.refusal = QStringLiteral("Desired deviation in kHz: at this PFD frequency at most ") +
                        platform::formatNumber(largest, u"#0.000");
            r.setUpRefusal = evalkit::calc::aboveMaximumWarning(
                QStringLiteral("Deviation count"),
                c ? double(c->stored) : d * 1000.0 / double(step) * perStep, MaxDeviationCount,
                QStringLiteral("Please lower the deviation or raise the PFD frequency"));
        }
        return r;
    }
    const double actualKHz = c->actualKHz;
    const auto count = static_cast<int32_t>(c->stored);
    const float step = c->DeviationStepHz;
    r.refusal.reset();
    r.DeviationStepHz = step;
    r.ActualDeviationKHz = platform::toSingle(actualKHz);
    r.TxDeviationField = count * (int32_t{1} << 19);
    r.Lblfskdev = platform::formatNumber(actualKHz, u"#0.0000");
    // 1.3
    r.runDataRatePlan = true;
    return r;
}

} // namespace corvane::calc
