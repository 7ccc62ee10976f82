// The plans that follow a change of the synthesizer: the return to the front panel plans the
// deviation again for the new PFD and divide-by-2, and after it the receiver clocks for the new
// crystal and the deviation then set. A synthesizer plan that would bring either of them to a
// refusal is refused as a whole, so that the chip never holds dividers of two set-ups. The
// deviation box's own plan is followed by the receiver clocks in the same way.
#pragma once

#include "corvane/calc/datarate.h"
#include "corvane/calc/deviation.h"
#include "platform/core/message.h"

#include <optional>

namespace corvane::calc {

struct FollowUpInputs {
    // The deviation box's plan at the new PFD and divide-by-2.
    DeviationInputs deviation;
    // The data-rate box's plan at the new crystal; its deviation is replaced by the one the
    // deviation plan sets.
    DataRateInputs rate;
};

// The warning of the first follow-up plan that would refuse the new set-up; nothing when each
// would be taken or has no entry to plan (a box whose text is no deviation or rate refuses that
// text, not the set-up).
std::optional<platform::Message> followUpRefusal(FollowUpInputs in);

// The receiver clocks a deviation the box takes would bring: the warning when they would be
// refused with the deviation it sets; nothing when they are taken or not planned again.
std::optional<platform::Message> dataRateRefusalAfter(const DeviationResult& deviation,
                                                      DataRateInputs rate);

} // namespace corvane::calc
