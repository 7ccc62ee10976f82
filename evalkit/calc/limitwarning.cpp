#include "evalkit/calc/limitwarning.h"

namespace evalkit::calc {

platform::Message aboveMaximumWarning(const QString& what, int64_t value, int64_t maximum,
                                      const QString& advice) {
    return aboveMaximumWarning(what, QString::number(value), QString::number(maximum), advice);
}

platform::Message aboveMaximumWarning(const QString& what, const QString& value,
                                      const QString& maximum, const QString& advice) {
    return {
        QStringLiteral("%1 of %2 is above the maximum of %3. %4").arg(what, value, maximum, advice),
        platform::MsgIcon::Critical, LimitWarningTitle, false};
}

} // namespace evalkit::calc
