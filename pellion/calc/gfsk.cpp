#include "pellion/calc/gfsk.h"

#include "evalkit/calc/gaussian.h"
#include "pellion/calc/deviation.h"
#include "platform/numbers.h"

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

    // 5.
    r.TxDeviationField = D->divider * bit(15);
    r.GfskModControlField = M * bit(24);
    r.GfskIndexCounterField = in.cmbIndexCountIndex * bit(27);

    // 6, 7.
    r.deviationKHz = evalkit::calc::gaussianDeviationKHz(in.PfdFrequencyMHz, M,
                                                         in.VcoDiv2Field == VcoDiv2FieldOn);
    r.dataRateKbps = evalkit::calc::gaussianDataRateKbps(in.PfdFrequencyMHz, D->divider, *IC);

    // 8.
    r.ActualDeviationKHz = GookDeviationKHz;
    if (in.ModulationSchemeField == ModulationGfsk) {
        r.ActualDeviationKHz = platform::toSingle(platform::roundDecimals(r.deviationKHz, 3));
        const QString dev = platform::formatNumber(r.deviationKHz, u"#0.000");
        r.lblFdev = dev + QStringLiteral(" kHz");
        r.Lblfskdev = dev;
        r.TxtFSKdev = dev;
    }

    // 9.
    r.lblDatarate = platform::formatNumber(r.dataRateKbps, u"#0.000") + QStringLiteral(" kbits/s");
    r.frontPanelRate = platform::roundDecimals(r.dataRateKbps, 3);
    r.txtDatarate = platform::numberText(r.frontPanelRate);
    return r;
}

GfskControls gfskControls(int32_t TxDeviationField, int32_t GfskIndexCounterField,
                          int32_t GfskModControlField) {
    return {platform::numberText(TxDeviationField / static_cast<double>(bit(15))),
            listIndex(GfskIndexCounterField, 27, 3), listIndex(GfskModControlField, 24, 7)};
}

} // namespace pellion::calc
