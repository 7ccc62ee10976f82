// The warning that refuses a planned value which does not fit its register field: it names
// the value, the field's limit and what to change, and the plan then changes nothing.
#pragma once

#include "platform/messages.h"

#include <QString>

#include <cstdint>

namespace evalkit::calc {

inline const QString LimitWarningTitle = QStringLiteral("Warning");

// "<what> of <value> is above the maximum of <maximum>. <advice>", stop icon, "Warning".
platform::Message aboveMaximumWarning(const QString& what, int64_t value, int64_t maximum,
                                      const QString& advice);
// The same with the value and the limit already in text (a value beyond every integer type is
// named in the plain number form).
platform::Message aboveMaximumWarning(const QString& what, const QString& value,
                                      const QString& maximum, const QString& advice);

} // namespace evalkit::calc
