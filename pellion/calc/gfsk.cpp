#include "pellion/calc/gfsk.h"

#include "evalkit/calc/gaussian.h"
#include "evalkit/calc/limitwarning.h"
#include "pellion/calc/deviation.h"
#include "platform/core/numbers.h"

#include <cmath>

namespace pellion::calc {

namespace {

constexpr int MaxModControl = 7;
constexpr float GookDeviationKHz = 50; // what the receiver plans with in GOOK

using platform::bit;

int listIndex(int32_t field, int lowBit, int lastIndex) {
    const std::optional<int32_t> i = platform::toInt32(field / static_cast<double>(bit(lowBit)));
    return i && *i >= 0 && *i <= lastIndex ? *i : -1;
}

} // namespace

GfskResult planGfsk(const GfskInputs& in) {
    GfskResult r;
    // 3. The divider first: the box shows the limit even when the lists stop the calculation.
    const std::optional<evalkit::calc::GaussianDivider> D =
        evalkit::calc::gaussianDivider(in.txtDivider);
    if (!D)
        return r;
    if (D->limited)
        r.txtDivider = platform::strText(D->divider);
    // 1, 2, 4. Without a mod control or an index counter there is nothing to store.
    const int M = in.cmbModCtrlIndex;
    const std::optional<int32_t> IC = evalkit::calc::indexCounter(in.cmbIndexCountIndex);
    if (M < 0 || M > MaxModControl || !IC)
        return r;
    r.calculated = true;

    // 5. The divider, mod control and index counter into their fields of R2.
    r.TxDeviationField = D->divider * bit(15);
    r.GfskModControlField = M * bit(24);
    r.GfskIndexCounterField = in.cmbIndexCountIndex * bit(27);

    // 6, 7. The deviation and data rate they give.
    r.deviationKHz = evalkit::calc::gaussianDeviationKHz(in.PfdFrequencyMHz, M,
                                                         in.VcoDiv2Field == VcoDiv2FieldOn);
    r.dataRateKbps = evalkit::calc::gaussianDataRateKbps(in.PfdFrequencyMHz, D->divider, *IC);

    // 8. The deviation the panel shows: the Gaussian one in GFSK, the fixed GOOK one otherwise.
    r.ActualDeviationKHz = GookDeviationKHz;
    if (in.ModulationSchemeField == ModulationGfsk) {
        r.ActualDeviationKHz = platform::toSingle(platform::roundDecimals(r.deviationKHz, 3));
        const QString dev = platform::formatNumber(r.deviationKHz, u"#0.000");
        r.lblFdev = dev + QStringLiteral(" kHz");
        r.Lblfskdev = dev;
        r.TxtFSKdev = dev;
    }

    // 9. The data rate for this window and the one pushed into the panel's box.
    r.lblDatarate = platform::formatNumber(r.dataRateKbps, u"#0.000") + QStringLiteral(" kbits/s");
    r.frontPanelRate = r.dataRateKbps;
    r.txtDatarate = platform::numberText(platform::roundDecimals(r.dataRateKbps, 3));
    return r;
}

namespace {

// A rate the front panel does not plan: the limit it missed, as the panel's data-rate box
// names it at this set-up (one range, worked out for both), and the entries that move it.
platform::Message rateRefusal(double rate, const DataRatePlan& plan, const DataRateInputs& in) {
    const QString shown = platform::formatNumber(rate, u"#0.000") + QStringLiteral(" kbit/s");
    const std::optional<evalkit::calc::TakenRange> range = dataRateRange(in);
    if (range && rate > range->to)
        return evalkit::calc::aboveMaximumWarning(
            QStringLiteral("Data rate"), shown,
            evalkit::calc::endText(range->to) + QStringLiteral(" kbit/s"),
            QStringLiteral("Please raise the Divider Number or the Index Counter"));
    if (range && rate < range->from)
        return evalkit::calc::limitWarning(
            QStringLiteral("Data rate of %1 is below the minimum of %2 kbit/s. Please lower the "
                           "Divider Number or the Index Counter")
                .arg(shown, evalkit::calc::endText(range->from)));
    if (plan.setUpRefusal)
        return *plan.setUpRefusal;
    return evalkit::calc::limitWarning(
        QStringLiteral("Data rate of %1 cannot be planned at this set-up. Please change the "
                       "Divider Number or the Index Counter")
            .arg(shown));
}

} // namespace

std::optional<platform::Message> gfskRefusal(const GfskResult& r, GfskFollowUps in) {
    if (!r.calculated)
        return std::nullopt;
    float deviation = r.ActualDeviationKHz;
    // The deviation box plans what the window sets, when the text changes.
    if (r.TxtFSKdev && *r.TxtFSKdev != in.deviation.text) {
        in.deviation.text = *r.TxtFSKdev;
        const DeviationResult d = planDeviation(in.deviation);
        if (d.setUpRefusal)
            return d.setUpRefusal;
        if (d.ActualDeviationKHz)
            deviation = *d.ActualDeviationKHz;
    }
    in.rate.rateText = r.txtDatarate;
    in.rate.rateFromCode = r.frontPanelRate;
    in.rate.ActualDeviationKHz = deviation;
    const DataRatePlan p = planDataRate(in.rate);
    if (p.ran)
        return std::nullopt;
    return rateRefusal(r.dataRateKbps, p, in.rate);
}

QString dividerAcceptsText(const GfskInputs& in, const GfskFollowUps& followUps) {
    std::optional<int32_t> lowest, highest;
    for (int32_t d = evalkit::calc::MinGaussianDivider; d <= evalkit::calc::MaxGaussianDivider;
         ++d) {
        GfskInputs trial = in;
        trial.txtDivider = platform::numberText(d);
        const GfskResult r = planGfsk(trial);
        if (!r.calculated || gfskRefusal(r, followUps))
            continue;
        if (!lowest)
            lowest = d;
        highest = d;
    }
    if (!lowest)
        return QStringLiteral("Divider Number: no divider gives a data rate the front panel "
                              "takes at this PFD, Index Counter and Mod Control");
    return QStringLiteral("Divider Number: a whole number from %1 to %2 at this PFD, Index "
                          "Counter and Mod Control")
        .arg(*lowest)
        .arg(*highest);
}

GfskControls gfskControls(int32_t TxDeviationField, int32_t GfskIndexCounterField,
                          int32_t GfskModControlField) {
    return {platform::numberText(TxDeviationField / static_cast<double>(bit(15))),
            listIndex(GfskIndexCounterField, 27, 3), listIndex(GfskModControlField, 24, 7)};
}

} // namespace pellion::calc
