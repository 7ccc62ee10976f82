#include "evalkit/calc/limitwarning.h"

#include "platform/core/numbers.h"

#include <cmath>

namespace evalkit::calc {

namespace {

// A limit is a modest whole or decimal number; it is written in the plain number form.
QString limitText(double limit) {
    return platform::numberText(limit);
}

} // namespace

platform::Message limitWarning(const QString& text) {
    return {text, platform::MsgIcon::Critical, LimitWarningTitle, false};
}

std::optional<QString> namedValue(double value) {
    if (!std::isfinite(value) || !(std::abs(value) < LargestNamedValue))
        return std::nullopt;
    return platform::numberText(value);
}

platform::Message aboveMaximumWarning(const QString& what, double value, double maximum,
                                      const QString& advice) {
    if (const std::optional<QString> named = namedValue(value))
        return aboveMaximumWarning(what, *named, limitText(maximum), advice);
    return limitWarning(QStringLiteral("%1 is far above the maximum of %2. %3")
                            .arg(what, limitText(maximum), advice));
}

platform::Message aboveMaximumWarning(const QString& what, const QString& value,
                                      const QString& maximum, const QString& advice) {
    return limitWarning(QStringLiteral("%1 of %2 is above the maximum of %3. %4")
                            .arg(what, value, maximum, advice));
}

platform::Message belowMinimumWarning(const QString& what, double value, double minimum,
                                      const QString& advice) {
    if (const std::optional<QString> named = namedValue(value))
        return limitWarning(QStringLiteral("%1 of %2 is below the minimum of %3. %4")
                                .arg(what, *named, limitText(minimum), advice));
    return limitWarning(QStringLiteral("%1 is far below the minimum of %2. %3")
                            .arg(what, limitText(minimum), advice));
}

} // namespace evalkit::calc
