#include "evalkit/calc/synthentry.h"

#include "platform/core/numbers.h"

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

// The message names the entry; an entry refused only for its decimal comma is also told that
// the decimal mark is a point, as the box is emptied.
SynthEntryFailure failure(const char* text, SynthBox box, bool clears, const QString& entry) {
    QString said = QString::fromLatin1(text);
    if (const QString hint = platform::decimalPointHint(entry); !hint.isEmpty())
        said += QStringLiteral("\n") + hint;
    return {{said, platform::MsgIcon::Exclamation, std::nullopt, true}, box, clears};
}

} // namespace

std::optional<SynthEntryFailure> validateSynthEntries(const QString& rfText, const QString& pfdText,
                                                      const QString& crystalText,
                                                      const SynthEntryRules& rules) {
    if (!readsAsSingle(rfText, 1e6)) {
        return failure("Invalid entry in RF Frequency.", SynthBox::Rf, rules.clearsRfBox, rfText);
    }
    if (!validPfd(pfdText)) {
        return failure("Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)", SynthBox::Pfd,
                       true, pfdText);
    }
    if (!readsAsSingle(crystalText, 1000)) {
        return failure("Invalid entry in Crystal Frequency.", SynthBox::Crystal, true, crystalText);
    }
    return std::nullopt;
}

} // namespace evalkit::calc
