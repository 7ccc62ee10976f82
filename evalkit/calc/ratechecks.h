// The clock-recovery jitter check of the data-rate plans: the CDR clock should be within 3%
// of 32 times the data rate, or the receiver's bit timing drifts.
#pragma once

#include "platform/core/message.h"

#include <QString>

namespace evalkit::calc {

inline const QString JitterWarningTitle = QStringLiteral("Excessive Jitter Warning");
inline const QString JitterWarningText =
    QStringLiteral("Clock Recovery Frequency and (32 x Desired Datarate) have more than 3% "
                   "difference.. Less than 2% difference is reccomended");

// Above this relative difference the plan warns.
inline constexpr double MaxCdrJitter = 0.03;

// |CDR clock - 32 R| / (32 R), the clock in kHz and R in kbit/s.
double cdrJitter(float cdrClockKHz, double rateKbps);

// Whether the CDR clock is more than 3% away from 32 R.
bool excessiveJitter(float cdrClockKHz, double rateKbps);

// The warning box: information icon, its own title.
platform::Message jitterWarning();

} // namespace evalkit::calc
