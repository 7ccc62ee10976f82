// The warning that refuses a planned value which does not fit its register field: it names
// the value, the field's limit and what to change, and the plan then changes nothing.
#pragma once

#include "platform/core/message.h"

#include <QString>

#include <optional>

namespace evalkit::calc {

inline const QString LimitWarningTitle = QStringLiteral("Warning");

// A warning names a value as a whole number only below this magnitude. A value beyond it (from an
// absurdly small PFD, say) could not be written as the number it is, nor would it help the
// user: the warning says how far off it is instead.
inline constexpr double LargestNamedValue = 1e15;

// A warning of this kind in its own words: stop icon, "Warning".
platform::Message limitWarning(const QString& text);

// "<what> of <value> is above the maximum of <maximum>. <advice>", stop icon, "Warning"; for a
// value beyond LargestNamedValue (or not a number at all) "<what> is far above the maximum of
// <maximum>. <advice>".
platform::Message aboveMaximumWarning(const QString& what, double value, double maximum,
                                      const QString& advice);
// The same with the value and the limit already in text.
platform::Message aboveMaximumWarning(const QString& what, const QString& value,
                                      const QString& maximum, const QString& advice);
// "<what> of <value> is below the minimum of <minimum>. <advice>", or "<what> is far below the
// minimum of <minimum>. <advice>" beyond LargestNamedValue.
platform::Message belowMinimumWarning(const QString& what, double value, double minimum,
                                      const QString& advice);

// A whole value as a warning names it; nothing when it is beyond LargestNamedValue.
std::optional<QString> namedValue(double value);

} // namespace evalkit::calc
