#include "evalkit/calc/synthentry.h"

#include "platform/numbers.h"

#include <cmath>

namespace evalkit::calc {

namespace {

// An entry passes when it reads as a number and, scaled as the chip's units, still fits a
// single-precision value.
bool readsAsSingle(const QString& text, double scale) {
    const std::optional<double> value = platform::textToNumber(text);
    return value && std::isfinite(platform::toSingle(*value * scale));
}

bool validPfd(const QString& text) {
    if (!readsAsSingle(text, 1000)) {
        return false;
    }
    // Zero or below cannot be divided by; above the limit the message itself names, the
    // plan would keep absurd dividers.
    const double pfd = *platform::textToNumber(text);
    return pfd > 0 && pfd <= kMaxPfdMHz;
}

SynthEntryFailure failure(const char* text, SynthBox box, bool clears) {
    return {{QString::fromLatin1(text), platform::MsgIcon::Exclamation, std::nullopt, true},
            box,
            clears};
}

} // namespace

std::optional<SynthEntryFailure> validateSynthEntries(const QString& rfText, const QString& pfdText,
                                                      const QString& crystalText,
                                                      const SynthEntryRules& rules) {
    if (!readsAsSingle(rfText, 1e6)) {
        return failure("Invalid entry in RF Frequency.", SynthBox::Rf, rules.clearsRfBox);
    }
    if (!validPfd(pfdText)) {
        return failure("Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)", SynthBox::Pfd,
                       true);
    }
    if (!readsAsSingle(crystalText, 1000)) {
        return failure("Invalid entry in Crystal Frequency.", SynthBox::Crystal, true);
    }
    return std::nullopt;
}

} // namespace evalkit::calc
