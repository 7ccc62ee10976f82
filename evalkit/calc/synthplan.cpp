#include "evalkit/calc/synthplan.h"

#include "evalkit/calc/limitwarning.h"
#include "platform/core/numbers.h"

#include <cmath>

namespace evalkit::calc {

namespace {

using platform::Message;
using platform::MsgIcon;

QString integerText(double v) {
    return platform::numberText(v);
}

} // namespace

Message synthWarning(const QString& text) {
    return {text, MsgIcon::Critical, LimitWarningTitle, false};
}

std::optional<Message> rDividerRefusal(double r, const DividerLimits& limits) {
    if (r >= 1 && r <= limits.maxR)
        return std::nullopt;
    const QString advice =
        QStringLiteral("Please raise the PFD frequency or lower the XTAL frequency");
    // An R from an absurdly small PFD is beyond any number worth naming.
    if (const std::optional<QString> named = namedValue(r)) {
        return synthWarning(QStringLiteral("R divide of %1 is outside the range of 1 to %2. %3")
                                .arg(*named, integerText(limits.maxR), advice));
    }
    return aboveMaximumWarning(QStringLiteral("R divide"), r, limits.maxR, advice);
}

std::optional<Message> dividerRefusal(double n, double f, double r, const DividerLimits& limits) {
    if (std::optional<Message> refusal = rDividerRefusal(r, limits)) {
        return refusal;
    }
    if (!(n <= limits.maxN)) {
        return aboveMaximumWarning(QStringLiteral("Integer N divide"), n, limits.maxN,
                                   QStringLiteral("Please raise the PFD frequency"));
    }
    if (n < 0) {
        return belowMinimumWarning(QStringLiteral("Integer N divide"), n, 0,
                                   QStringLiteral("Please lower the PFD frequency"));
    }
    if (!(f >= 0 && f < limits.fracModulus)) {
        const QString range = integerText(limits.fracModulus - 1);
        if (const std::optional<QString> named = namedValue(f)) {
            return synthWarning(
                QStringLiteral("Fractional divide F of %1 is outside the range of 0 to %2")
                    .arg(*named, range));
        }
        return synthWarning(
            QStringLiteral("Fractional divide F is outside the range of 0 to %1").arg(range));
    }
    return std::nullopt;
}

std::optional<Message> pfdTooLowForLock(double pfdMHz, bool divideBy2On) {
    if (divideBy2On ? pfdMHz < 1.2 : pfdMHz < 2.35) {
        return synthWarning(QStringLiteral("PFD frequency too low to acheive lock (Nmax = 256) !"));
    }
    return std::nullopt;
}

ReferencePlan planReference(float crystalMHz, double pfdMHz, const DividerLimits& limits,
                            std::vector<Message>& messages) {
    ReferencePlan plan{crystalMHz, pfdMHz, 0, false};
    // Crystal check.
    if (plan.crystalMHz > 40 || platform::toSingle(plan.pfdMHz) > plan.crystalMHz) {
        messages.push_back(synthWarning(QStringLiteral("Invalid Crystal Frequency")));
        plan.crystalMHz = platform::toSingle(plan.pfdMHz);
    }
    // R, refused when it does not fit its field.
    const double r = platform::roundHalfEven(double{plan.crystalMHz} / plan.pfdMHz);
    if (std::optional<Message> refusal = rDividerRefusal(r, limits)) {
        messages.push_back(*refusal);
        plan.refused = true;
        return plan;
    }
    plan.rDivider = *platform::toInt16(r);
    // Multiple check.
    const float perR = plan.crystalMHz / static_cast<float>(plan.rDivider);
    if (std::abs(plan.pfdMHz - double{perR}) > 0.001) {
        messages.push_back(
            {QStringLiteral("Crystal frequency should be an integer multiple of PFD "),
             MsgIcon::Exclamation, std::nullopt, false});
        plan.pfdMHz = perR;
    }
    return plan;
}

std::optional<bool> internalInductorDivideBy2(double rfMHz, const InternalVcoBands& bands) {
    if (bands.divideBy2OffLowMHz < rfMHz && rfMHz < bands.divideBy2OffHighMHz) {
        return false;
    }
    if (bands.divideBy2OnLowMHz < rfMHz && rfMHz < bands.divideBy2OnHighMHz) {
        return true;
    }
    return std::nullopt;
}

std::optional<Message> minimumNNotice(double n, int minimumN) {
    if (n < minimumN) {
        return Message{QStringLiteral("Minimum N divide is %1. Please lower the PFD frequency by "
                                      "increasing the R-divide or changing the XTAL frequency ")
                           .arg(minimumN),
                       MsgIcon::None, std::nullopt, false};
    }
    return std::nullopt;
}

std::optional<int32_t> afcScaling(float crystalMHz, int32_t maxValue) {
    const std::optional<int32_t> v =
        platform::toInt32(16777216.0 * 500 / (double{crystalMHz} * 1e6));
    if (!v || *v < 0 || *v > maxValue) {
        return std::nullopt;
    }
    return v;
}

} // namespace evalkit::calc
