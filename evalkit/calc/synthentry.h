#pragma once
// The entry check of the synthesizer windows: the RF, PFD and crystal boxes must each read as
// a number that still fits the single-precision values the plan works in, tried in that
// order; the first that does not gets its message and nothing is planned.
#include "platform/core/message.h"

#include <QString>

#include <optional>

namespace evalkit::calc {

enum class SynthBox { None, Rf, Pfd, Crystal };

struct SynthEntryRules {
    // Whether a refused RF entry is emptied and focused like the other two boxes; one
    // program leaves the RF text as typed.
    bool clearsRfBox = true;
};

// The PFD message names the limit: a PFD above 40 MHz, at or below 0, or not a finite number
// is an invalid PFD entry.
inline constexpr double kMaxPfdMHz = 40;

struct SynthEntryFailure {
    platform::Message message; // exclamation icon, default title, beep first
    SynthBox box = SynthBox::None;
    bool clearsBox = false; // the box is emptied and gets the focus
};

// Nothing when all three entries are good.
std::optional<SynthEntryFailure> validateSynthEntries(const QString& rfText, const QString& pfdText,
                                                      const QString& crystalText,
                                                      const SynthEntryRules& rules = {});

} // namespace evalkit::calc
