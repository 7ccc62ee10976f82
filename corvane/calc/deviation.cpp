#include "corvane/calc/deviation.h"

#include "evalkit/calc/deviationcount.h"
#include "evalkit/calc/limitwarning.h"
#include "evalkit/calc/takenrange.h"
#include "platform/core/numbers.h"

namespace corvane::calc {

namespace {

constexpr int MaxTextLength = 5;
constexpr double MaxDeviationKHz = 100;
constexpr int32_t MaxDeviationCount = (int32_t{1} << 11) - 1; // TxDeviationField is bits 19..29
constexpr double StepsPerPfd = 65536;                         // 2^16
// The count is taken as a 16-bit number before it is checked against the field.
constexpr int64_t MaxCount = 32767;

bool divideBy2(const DeviationInputs& in) {
    return in.VcoDiv2Field == VcoDiv2On;
}

// The count of a deviation, when it fits the field (and the 16-bit number it is taken as).
std::optional<evalkit::calc::DeviationCount> fittingCount(double kHz, const DeviationInputs& in) {
    const float d = platform::toSingle(kHz);
    // The divide-by-2 halves the deviation at the antenna, so the chip needs twice the count.
    const std::optional<evalkit::calc::DeviationCount> c =
        evalkit::calc::deviationCount(d, in.PfdFrequencyMHz, StepsPerPfd, divideBy2(in));
    if (!c || c->count > MaxCount || c->stored > MaxDeviationCount)
        return std::nullopt;
    return c;
}

} // namespace

QString deviationAccepts(const DeviationInputs& in) {
    const QString box = QStringLiteral("Desired deviation in kHz of at most 5 characters: ");
    const auto range =
        evalkit::calc::takenRange([&in](double kHz) { return fittingCount(kHz, in).has_value(); },
                                  0, MaxDeviationKHz, MaxTextLength);
    if (!range)
        return box + QStringLiteral("none at this PFD frequency");
    QString accepts = box + QStringLiteral("a number ") + evalkit::calc::rangeText(*range) +
                      QStringLiteral(" at this set-up");
    // Within half a step of 0 the count is 0: taken, and the carrier goes out undeviated.
    const std::optional<double> zeroTo = evalkit::calc::largestZeroCountEntry(
        [&in](double kHz) {
            const auto c = fittingCount(kHz, in);
            return c && c->count == 0;
        },
        evalkit::calc::deviationStepHz(in.PfdFrequencyMHz, StepsPerPfd), MaxTextLength);
    if (range->from == 0 && zeroTo)
        accepts +=
            QStringLiteral(" (") + evalkit::calc::zeroCountText(*zeroTo) + QStringLiteral(")");
    return accepts;
}

DeviationResult planDeviation(const DeviationInputs& in) {
    DeviationResult r;
    // Only texts of 1 to 5 characters are acted on. A text that is not a number yet (a lone
    // "-" or "." while typing) or a negative one is left alone, as an empty one is.
    const auto value = in.text.isEmpty() || in.text.size() > MaxTextLength
                           ? std::nullopt
                           : platform::textToNumber(in.text);
    // Above the limit the previous deviation stays in force and the receiver is planned with
    // it.
    if (value && *value > MaxDeviationKHz) {
        r.messages.push_back({DeviationTooLargeText, platform::MsgIcon::None, std::nullopt});
        r.runDataRatePlan = true;
    }
    // Within the limit the deviation is counted in steps of the PFD; a count that would reach
    // into the next field of register 2 is refused.
    const std::optional<evalkit::calc::DeviationCount> c =
        value && *value >= 0 && *value <= MaxDeviationKHz ? fittingCount(*value, in) : std::nullopt;
    if (!c) {
        // The deviation stays as it was: the box says why.
        r.refusal = deviationAccepts(in);
        // A deviation the box takes whose count would reach into the next field of register 2:
        // the warning that names the limit, for a window whose change would bring it.
        const float step = evalkit::calc::deviationStepHz(in.PfdFrequencyMHz, StepsPerPfd);
        if (value && *value >= 0 && *value <= MaxDeviationKHz && step > 0) {
            const float d = platform::toSingle(*value);
            const int32_t perStep = divideBy2(in) ? 2 : 1;
            const std::optional<evalkit::calc::DeviationCount> raw =
                evalkit::calc::deviationCount(d, in.PfdFrequencyMHz, StepsPerPfd, divideBy2(in));
            r.setUpRefusal = evalkit::calc::aboveMaximumWarning(
                QStringLiteral("Deviation count"),
                raw ? double(raw->stored) : d * 1000.0 / double(step) * perStep, MaxDeviationCount,
                QStringLiteral("Please lower the deviation or raise the PFD frequency"));
        }
        return r;
    }
    r.DeviationStepHz = c->DeviationStepHz;
    r.ActualDeviationKHz = platform::toSingle(c->actualKHz);
    r.TxDeviationField = static_cast<int32_t>(c->stored) * (int32_t{1} << 19);
    r.actualDeviationText = platform::formatNumber(c->actualKHz, u"#0.0000");
    // The receiver is planned again for the new deviation.
    r.runDataRatePlan = true;
    return r;
}

} // namespace corvane::calc
