#include "pellion/calc/deviation.h"

#include "evalkit/calc/boxentry.h"
#include "evalkit/calc/deviationcount.h"
#include "evalkit/calc/limitwarning.h"
#include "evalkit/calc/takenrange.h"
#include "pellion/calc/datarate.h"
#include "platform/core/numbers.h"

#include <cmath>

namespace pellion::calc {

namespace {

constexpr int MaxTextLength = 6; // the box is acted on below 7 characters
constexpr double MaxDeviationKHz = 500;
constexpr double StepsPerPfd = 16384;      // 2^14
constexpr int64_t MaxDeviationCount = 511; // TxDeviationField is bits 23..15
constexpr int DeviationLowBit = 15;

platform::Message countRefusal(int64_t count) {
    return evalkit::calc::aboveMaximumWarning(QStringLiteral("Deviation count"), count,
                                              MaxDeviationCount,
                                              QStringLiteral("Please lower the deviation"));
}

DeviationResult refused(const platform::Message& warning) {
    DeviationResult r;
    r.messages.push_back(warning);
    r.refusal = warning.text;
    r.setUpRefusal = warning;
    return r;
}

// Steps 3 to 8 for a deviation of 0 to 500 kHz.
DeviationResult planValue(double value, const DeviationInputs& in) {
    DeviationResult r;
    // 3, 4. The deviation count for the PFD, doubled with the divide-by-2; only FSK stores
    // it, and a count beyond its field refuses the plan.
    const bool divideBy2 = in.VcoDiv2Field == VcoDiv2FieldOn;
    const std::optional<evalkit::calc::DeviationCount> c =
        evalkit::calc::deviationCount(value, in.PfdFrequencyMHz, StepsPerPfd, divideBy2);
    if (!c)
        return r;
    const bool storesCount = in.ModulationSchemeField == ModulationFsk;
    if (storesCount && c->stored > MaxDeviationCount)
        return refused(countRefusal(c->stored));
    const float actual = platform::toSingle(c->actualKHz);

    // 6, 7: the discriminator follows the deviation actually sent.
    const DiscriminatorPlan d = planDiscriminator(actual, in.DemodClockMHz, in.DemodTypeField);
    if (d.refusal)
        return refused(*d.refusal);

    r.DeviationStepHz = c->DeviationStepHz;
    r.ActualDeviationKHz = actual;
    if (storesCount)
        r.TxDeviationField = static_cast<int32_t>(c->stored) * (int32_t{1} << DeviationLowBit);
    // 5. The deviation at the antenna: the count before any doubling.
    r.Lblfskdev = platform::formatNumber(c->actualKHz, u"#0.000");
    r.DiscrimBwField = d.DiscrimBwField;
    if (d.parity) {
        r.KParityBit14Field = d.parity->KParityBit14Field;
        r.KParityBit29Field = d.parity->KParityBit29Field;
    }
    // 8. The read-outs show the new words.
    r.refreshReadouts = true;
    return r;
}

// Whether the plan takes a deviation of `kHz`.
bool takes(double kHz, const DeviationInputs& in) {
    return kHz >= 0 && kHz <= MaxDeviationKHz && planValue(kHz, in).ActualDeviationKHz;
}

} // namespace

QString deviationAccepts(const DeviationInputs& in) {
    const QString box = QStringLiteral("Desired deviation in kHz of at most 6 characters: ");
    // A deviation of at most half a step gives no count, and no discriminator to refuse it:
    // it is taken, and the carrier goes out without deviation. The counts from 1 up are taken
    // as far as their fields hold them.
    const bool divideBy2 = in.VcoDiv2Field == VcoDiv2FieldOn;
    const float step = evalkit::calc::deviationStepHz(in.PfdFrequencyMHz, StepsPerPfd);
    const std::optional<double> zeroTo = evalkit::calc::largestZeroCountEntry(
        [&](double v) {
            const auto c =
                evalkit::calc::deviationCount(v, in.PfdFrequencyMHz, StepsPerPfd, divideBy2);
            return c && c->count == 0 && takes(v, in);
        },
        step, MaxTextLength);
    if (!zeroTo)
        return box + QStringLiteral("none at this set-up");
    const QString zero = evalkit::calc::zeroCountText(*zeroTo);
    const double firstCount = 0.5 * step / 1000.0 * (1 + 1e-9);
    const auto range = evalkit::calc::takenRange([&in](double v) { return takes(v, in); },
                                                 firstCount, MaxDeviationKHz, MaxTextLength);
    const QString to = QStringLiteral(" at this set-up");
    if (!range)
        return box + QStringLiteral("only ") + zero + to;
    if (takes(firstCount, in))
        return box + QStringLiteral("a number from 0 to ") + evalkit::calc::endText(range->to) +
               to + QStringLiteral(" (") + zero + QStringLiteral(")");
    return box + zero + QStringLiteral(", or a number ") + evalkit::calc::rangeText(*range) + to;
}

DeviationResult planDeviation(const DeviationInputs& in) {
    DeviationResult r;
    // 1. A text that is empty, too long or not a number (yet), or a negative deviation, is left
    // alone without a refresh.
    const std::optional<double> value = evalkit::calc::boxEntry(in.text, MaxTextLength);
    if (!value || *value < 0) {
        r.refusal = deviationAccepts(in);
        return r;
    }
    // 2. The message, the refresh and nothing else.
    if (*value > MaxDeviationKHz) {
        r.messages.push_back({DeviationTooLargeText, platform::MsgIcon::None, std::nullopt});
        r.refreshReadouts = true;
        r.refusal = deviationAccepts(in);
        return r;
    }
    DeviationResult planned = planValue(*value, in);
    // A value that does not fit its field: its warning, and on the mark what the box takes.
    if (planned.refusal)
        planned.refusal = *planned.refusal + QStringLiteral("\n") + deviationAccepts(in);
    return planned;
}

} // namespace pellion::calc
