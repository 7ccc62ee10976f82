#include "tessarine/calc/modulation.h"

#include "evalkit/calc/deviationcount.h"
#include "evalkit/calc/gaussian.h"
#include "evalkit/calc/limitwarning.h"
#include "platform/core/numbers.h"

#include <QRegularExpression>

#include <array>
#include <cmath>

namespace tessarine::calc {

namespace {

constexpr std::array<int32_t, 5> Schemes{SchemeFsk, SchemeGfsk, SchemeAsk, SchemeOok, SchemeGook};
constexpr int MaxModControl = 7;

QString threePlaces(double v) {
    return platform::formatNumber(v, u"#0.000");
}

QString largestDeviation(float DeviationStepHz) {
    return threePlaces(MaxDeviationCount * static_cast<double>(DeviationStepHz) / 1000.0);
}

// A text on its way to a number: nothing yet, a sign, a decimal point, digits with an
// exponent still to come.
bool stillBeingTyped(const QString& text) {
    static const QRegularExpression partial(
        QStringLiteral(R"(^\s*[+-]?(\.|(\d+\.?\d*|\.\d+)([eE][+-]?)?)?\s*$)"));
    return !platform::isNumeric(text) && partial.match(text).hasMatch();
}

} // namespace

std::optional<int32_t> modulationSchemeField(int listIndex) {
    if (listIndex < 0 || listIndex >= static_cast<int>(Schemes.size()))
        return std::nullopt;
    return Schemes[static_cast<std::size_t>(listIndex)];
}

QString deviationRangeText(float DeviationStepHz) {
    return QStringLiteral("Desired deviation in kHz: a number from 0 to %1 at this PFD frequency")
        .arg(largestDeviation(DeviationStepHz));
}

QString deviationRefusedMessage(float DeviationStepHz) {
    return QStringLiteral("Invalid entry in Desired Deviation: enter a number from 0 to %1 kHz "
                          "at this PFD frequency.")
        .arg(largestDeviation(DeviationStepHz));
}

DeviationResult planDeviation(const DeviationInputs& in) {
    DeviationResult r;
    if (in.ModulationSchemeField != SchemeFsk)
        return r;
    // Without a PFD there is no step to count in, and the entry is not at fault.
    const float step = platform::toSingle(double{in.PfdFrequencyMHz} * 1e6 / DeviationStepsPerPfd);
    if (!std::isfinite(step) || !(step > 0))
        return r;
    std::optional<evalkit::calc::DeviationCount> count;
    if (const std::optional<double> kHz = platform::textToNumber(in.text))
        count =
            evalkit::calc::deviationCount(*kHz, in.PfdFrequencyMHz, DeviationStepsPerPfd, false);
    // No count (no number, or a negative one), or one above 511 that would reach into the
    // neighbouring fields.
    if (!count || count->count > MaxDeviationCount) {
        r.refusal = deviationRangeText(step);
        if (!stillBeingTyped(in.text))
            r.message = deviationRefusedMessage(step);
        if (count)
            r.setUpRefusal = evalkit::calc::aboveMaximumWarning(
                QStringLiteral("Deviation count"), static_cast<double>(count->count),
                MaxDeviationCount,
                QStringLiteral("Please lower the deviation or raise the PFD frequency"));
        const int32_t held = (in.TxDeviationField >> 11) & MaxDeviationCount;
        r.actualDeviation =
            threePlaces(held * static_cast<double>(step) / 1000.0) + QStringLiteral(" kHz");
        return r;
    }
    r.DeviationStepHz = count->DeviationStepHz;
    r.TxDeviationField = static_cast<int32_t>(count->count) << 11;
    r.actualDeviation = threePlaces(count->actualKHz) + QStringLiteral(" kHz");
    return r;
}

GaussianResult planGaussian(const GaussianInputs& in) {
    GaussianResult r;
    // The mod control (no selection counts as 0) and the index counter's count.
    const int m =
        in.modControlIndex >= 0 && in.modControlIndex <= MaxModControl ? in.modControlIndex : 0;
    const int32_t c = evalkit::calc::indexCounter(in.indexCountIndex).value_or(0);
    // The divider, held to its limits (the box then shows the limit); one that is no number
    // changes nothing.
    const std::optional<evalkit::calc::GaussianDivider> divider =
        evalkit::calc::gaussianDivider(in.dividerText);
    if (!divider) {
        r.refusal = DividerAcceptsText;
        return r;
    }
    const int32_t d = divider->divider;
    if (divider->limited)
        r.dividerAtLimit = platform::numberText(d);
    // Without an index count there is nothing more to plan.
    if (c <= 0)
        return r;
    // The deviation field holds the divider; GOOK keeps mod control 0.
    r.TxDeviationField = d << 11;
    r.GfskModControlField = in.ModulationSchemeField == SchemeGook ? 0 : int32_t{m} << 20;
    r.GfskIndexCounterField = int32_t{in.indexCountIndex} << 23;
    // The deviation and the data rate these settings give at this PFD.
    const double pfd = in.PfdFrequencyMHz;
    const double deviationKHz = evalkit::calc::gaussianDeviationKHz(pfd, m, false);
    const double rateKbps = evalkit::calc::gaussianDataRateKbps(pfd, d, c);
    // Only GFSK shows its deviation, in the label and in the entry.
    if (in.ModulationSchemeField == SchemeGfsk) {
        r.actualDeviation = threePlaces(deviationKHz) + QStringLiteral(" kHz");
        r.deviationEntry = threePlaces(deviationKHz);
    }
    // The data rate, for GFSK and GOOK alike.
    r.dataRate = threePlaces(rateKbps) + QStringLiteral(" kbps");
    return r;
}

QString settingText(int level) {
    return QStringLiteral("Setting ") + platform::strText(level);
}

AskDataLabels askDataLabels(int32_t DataInvertField) {
    if (DataInvertField != 0)
        return {QStringLiteral("Data = 0"), QStringLiteral("Data = 1")};
    return {QStringLiteral("Data = 1"), QStringLiteral("Data = 0")};
}

} // namespace tessarine::calc
