// The plans that follow a change of the synthesizer: a new crystal plans the receiver clocks
// again (the data-rate box's plan), and the return to the front panel plans the FSK deviation
// again for the new PFD and divide-by-2. A synthesizer plan that would bring either of them to
// a refusal is refused as a whole, so that the chip never holds dividers of two set-ups.
#pragma once

#include "pellion/calc/datarate.h"
#include "pellion/calc/deviation.h"
#include "platform/core/message.h"

#include <optional>

namespace pellion::calc {

struct FollowUpInputs {
    // The data-rate box's plan as the front panel would run it, at the new crystal; nothing
    // when the crystal stays.
    std::optional<DataRateInputs> rate;
    // The deviation box's plan at the new PFD and divide-by-2; nothing when the deviation is
    // not planned again (a scheme other than FSK). Its demodulator clock is the one in force,
    // replaced by the data-rate plan's when that runs.
    std::optional<DeviationInputs> deviation;
};

// The warning of the first follow-up plan that would refuse the new set-up; nothing when each
// would be taken or has no entry to plan (a box whose text is no rate or deviation refuses
// that text, not the set-up).
std::optional<platform::Message> followUpRefusal(FollowUpInputs in);

} // namespace pellion::calc
