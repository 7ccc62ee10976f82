// The number rules of the desktop platform the programs were written for: how reals become
// integers, how numbers become text and how text becomes numbers. Every conversion the
// programs make goes through here so the rules live in one place.
//
// All text functions are locale-independent: '.' is the decimal separator whatever the
// Qt default locale or the C locale says.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace platform {

// Register fields are held pre-shifted: a field starting at bit n holds its value x 2^n.
constexpr int32_t bit(int n) {
    return int32_t{1} << n;
}

// Half to even, as the platform's integer conversions round (std::nearbyint under the
// default rounding mode). 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2.
double roundHalfEven(double v);

// Real to integer, rounding half to even. A value that is not finite or whose rounded
// value does not fit the type gives nullopt: it is never wrapped.
std::optional<int16_t> toInt16(double v);
std::optional<int32_t> toInt32(double v);
std::optional<int64_t> toInt64(double v);

// Int(): the largest integer not above v (-2.5 -> -3).
double intFloor(double v);

// A real stored into a single-precision value: rounded to the nearest float. Magnitudes
// beyond the float range become infinity instead of being undefined.
float toSingle(double v);

// Round(x, n): half to even on the value's decimal form (its 15 significant digits), so
// 2.5 -> 2, 0.125 at 2 places -> 0.12 and 2.675 at 2 places -> 2.68 although the binary
// value of 2.675 lies just below the tie. Negative places count as 0; a value that has no
// digits beyond the given place, or is not finite, comes back unchanged.
double roundDecimals(double v, int places);

// The plain number-to-text form: at most 15 significant digits, no trailing zeros, no
// trailing '.', "-" for negatives, no leading blank. Magnitudes from 1E15 up, and non-zero
// magnitudes below 1E-4, are written in exponent form: "1E+15", "1.5E+16", "1E-05".
// Not finite: "inf", "-inf", "nan".
QString numberText(double v);

// The same for single-precision values with at most 7 significant digits; the exponent
// form starts at 1E7 (where the 7 digits no longer reach the units).
QString numberTextSingle(float v);

// Str(): the plain form with a leading blank for a number that is not negative (" 48",
// "-9.3", " 0.3").
QString strText(double v);
QString strTextSingle(float v);

// Format(v, pattern) for digit patterns made of '0' (forced digit), '#' (optional digit)
// and at most one '.': "#0.00000", "#0.000", ".000000", "0.000#", "#000.000", "#0", ...
// The integer part gets at least as many digits as there are '0's before the '.'
// (".000000" writes 0.5 as ".500000"); after the '.', '0' places are always written and
// trailing zeros are dropped from '#' places only. The value is rounded half to even on its
// exact binary value; a result that rounds to zero has no minus sign. An empty pattern
// gives numberText(); a pattern with any other character also falls back to numberText()
// since the programs use none. Not finite values give numberText().
QString formatNumber(double v, QStringView pattern);

// Format() of a single-precision value: rounded half to even on the single's exact binary
// value, as formatNumber() does for doubles (the single nearest 868.300185 is 868.3001709...,
// "868.30017" with "#0.00000"; 868.3 held as a single is 868.2999878..., "868.29999"). Only
// the plain forms (numberTextSingle, strTextSingle) stop at 7 significant digits.
QString formatSingle(float v, QStringView pattern);

// Hex(): upper case, no leading zeros, "0" for 0. A negative value gives its 32-bit two's
// complement pattern (Hex(-1) = "FFFFFFFF"). Values outside the int32/uint32 range give the
// hexadecimal of their low 32 bits.
QString hexText(uint32_t v);
QString hexText(int32_t v);
QString hexText(int64_t v);

// 1 to 8 hexadecimal digits (either case) as an unsigned 32-bit pattern, never
// sign-extended ("800C" -> 0x800C, "FFFFFFFF" -> 0xFFFFFFFF). Anything else: nullopt.
std::optional<uint32_t> hexToU32(QStringView digits);

// The strict numeric conversion of a text box. Blanks (spaces, tabs) around the text are
// ignored; then either
//   [+|-] digits with at most one '.' and at least one digit, then optionally
//   E or e, an optional sign and at least one digit;
// or "&H" (either case) and 1 to 8 hexadecimal digits, read as an unsigned 32-bit pattern.
// Anything else, and a value too large or too small for a double, gives nullopt.
std::optional<double> textToNumber(QStringView text);

// Whether textToNumber() accepts the text.
bool isNumeric(QStringView text);

// A text that textToNumber() refuses only because its decimal mark is a comma ("868,3",
// "20,5", as many locales write them): the text with a point in its place, which the boxes
// take. nullopt for any other text.
std::optional<QString> withDecimalPoint(QStringView text);

// What a refusal of such a text says besides its own words: "The decimal mark is a point:
// 868.3". Empty for any other text.
QString decimalPointHint(QStringView text);

} // namespace platform
