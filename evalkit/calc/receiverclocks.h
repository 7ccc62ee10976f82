// The receiver clock dividers as the data-rate plans choose them and the demodulator windows
// show and take them: the baseband-offset divider, the demodulator divider whose code 0 means
// a divide by 4, the clock read-outs and the divider boxes' entry rule.
#pragma once

#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace evalkit::calc {

// The baseband-offset divide code the crystal needs: 2 above 16 MHz, 1 above 8 MHz, else 0.
int32_t bbOffsetCode(float crystalMHz);

// The divider a baseband-offset code gives: code 0 divides by 4, the others by 8 x code.
int32_t bbOffsetDivider(int32_t code);

// The baseband-offset code a divider entry asks for: round(entry / 8), so 8, 16, 24 give 1, 2,
// 3 and up to 4 gives 0.
int32_t bbOffsetCodeOfEntry(int32_t entry);

// The demodulator divider of a field code: the code 0 is the chip's divide by 4.
int32_t demodDividerOfCode(int32_t code);

// numerator / divisor in the ".0000" pattern followed by the unit (" kHz", " MHz"); nullopt
// when there is no quotient to show (a divider of 0).
std::optional<QString> clockText(double numerator, double divisor, const QString& unit);
// The same worked out in single precision, for a single numerator over a whole divisor (the
// quotient rounded to a single before it is shown).
std::optional<QString> singleClockText(float numerator, double divisor, const QString& unit);

// A divider box's entry: a number is taken as a whole number (half to even) and must lie in
// lo..hi; outside that it is refused with limitText (exclamation icon, the program's title).
// Text that is not a number is refused without a message.
struct DividerEntry {
    std::optional<int32_t> value;
    std::optional<platform::Message> refusal;
};
DividerEntry dividerEntry(const QString& text, int32_t lo, int32_t hi, const QString& limitText);

} // namespace evalkit::calc
