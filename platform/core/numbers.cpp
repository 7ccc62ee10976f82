#include "platform/core/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace platform {

namespace {

// std::to_chars / std::from_chars are used throughout because, unlike printf and strtod,
// they never look at the C locale's decimal point.

// A finite number as decimal digits: value = (negative ? -1 : 1) x 0.digits x 10^pointPos.
// digits has no leading or trailing zeros and is empty for zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int pointPos = 0;
};

int parseExponent(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return negative ? -value : value;
}

void stripTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

// The value rounded (half to even on its exact binary value) to `significant` digits.
Decimal decimalOf(double v, int significant) {
    Decimal d;
    if (v == 0.0 || !std::isfinite(v))
        return d;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v,
                                      std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    std::size_t i = 0;
    if (text[0] == '-') {
        d.negative = true;
        i = 1;
    }
    const std::size_t e = text.find('e');
    for (; i < e; ++i) {
        if (text[i] != '.')
            d.digits += text[i];
    }
    d.pointPos = parseExponent(text.substr(e + 1)) + 1;
    stripTrailingZeros(d);
    return d;
}

// Rounds the decimal digits half to even so that at most `places` digits follow the point.
void roundToPlaces(Decimal& d, int places) {
    const long keepLong = static_cast<long>(d.pointPos) + places;
    if (keepLong >= static_cast<long>(d.digits.size()))
        return;
    if (keepLong < 0) {
        // Even the first digit lies more than one place beyond: less than half a unit.
        d.digits.clear();
        return;
    }
    const auto keep = static_cast<std::size_t>(keepLong);
    const char first = d.digits[keep];
    const bool moreAfter = d.digits.find_first_not_of('0', keep + 1) != std::string::npos;
    const bool lastKeptOdd = keep > 0 && ((d.digits[keep - 1] - '0') % 2 == 1);
    const bool up = first > '5' || (first == '5' && (moreAfter || lastKeptOdd));
    d.digits.resize(keep);
    if (up) {
        std::size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9') {
            d.digits[i - 1] = '0';
            --i;
        }
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPos;
        } else {
            ++d.digits[i - 1];
        }
    }
    stripTrailingZeros(d);
    if (d.digits.empty())
        d.negative = false;
}

double toDouble(const Decimal& d) {
    if (d.digits.empty())
        return 0.0;
    const std::string text =
        std::string(d.negative ? "-" : "") + "0." + d.digits + "e" + std::to_string(d.pointPos);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

QString nonFiniteText(double v) {
    if (std::isnan(v))
        return QStringLiteral("nan");
    return v < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
}

QString plainText(const Decimal& d, int significant) {
    if (d.digits.empty())
        return QStringLiteral("0");
    std::string out = d.negative ? "-" : "";
    const int exponent = d.pointPos - 1;
    const auto count = static_cast<int>(d.digits.size());
    if (exponent >= significant || exponent < -4) {
        out += d.digits[0];
        if (count > 1) {
            out += '.';
            out.append(d.digits, 1);
        }
        const int magnitude = std::abs(exponent);
        out += exponent < 0 ? "E-" : "E+";
        if (magnitude < 10)
            out += '0';
        out += std::to_string(magnitude);
    } else if (d.pointPos <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-d.pointPos), '0') + d.digits;
    } else if (d.pointPos >= count) {
        out += d.digits + std::string(static_cast<std::size_t>(d.pointPos - count), '0');
    } else {
        const auto point = static_cast<std::size_t>(d.pointPos);
        out += d.digits.substr(0, point) + "." + d.digits.substr(point);
    }
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

// A number already rounded to its decimal places, split at the point.
struct Fixed {
    bool negative = false;
    std::string integer;  // at least one digit
    std::string fraction; // exactly the requested number of places
};

Fixed fixedOf(double v, int places) {
    std::string buffer(static_cast<std::size_t>(340 + places), '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                      std::chars_format::fixed, places);
    std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    Fixed f;
    if (!text.empty() && text.front() == '-') {
        f.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    f.integer = std::string(text.substr(0, point));
    if (point != std::string_view::npos)
        f.fraction = std::string(text.substr(point + 1));
    return f;
}

struct Pattern {
    int minimumIntegerDigits = 0;
    int forcedPlaces = 0;
    int optionalPlaces = 0;
    bool hasPoint = false;
    int places() const { return forcedPlaces + optionalPlaces; }
};

std::optional<Pattern> parsePattern(QStringView text) {
    Pattern p;
    int placeCount = 0;
    for (const QChar c : text) {
        if (c == u'.') {
            if (p.hasPoint)
                return std::nullopt;
            p.hasPoint = true;
        } else if (c == u'0' || c == u'#') {
            if (!p.hasPoint) {
                p.minimumIntegerDigits += c == u'0' ? 1 : 0;
            } else {
                ++placeCount;
                // Places up to the last '0' are always written.
                if (c == u'0')
                    p.forcedPlaces = placeCount;
            }
        } else {
            return std::nullopt;
        }
    }
    p.optionalPlaces = placeCount - p.forcedPlaces;
    return p;
}

QString applyPattern(Fixed f, const Pattern& p) {
    const std::size_t firstSignificant = f.integer.find_first_not_of('0');
    std::string integer =
        firstSignificant == std::string::npos ? std::string() : f.integer.substr(firstSignificant);
    const auto minimum = static_cast<std::size_t>(p.minimumIntegerDigits);
    if (integer.size() < minimum)
        integer.insert(0, minimum - integer.size(), '0');
    std::string fraction = f.fraction;
    while (fraction.size() > static_cast<std::size_t>(p.forcedPlaces) && fraction.back() == '0')
        fraction.pop_back();
    const bool zero = firstSignificant == std::string::npos &&
                      f.fraction.find_first_not_of('0') == std::string::npos;
    std::string out = (f.negative && !zero) ? "-" : "";
    out += integer;
    if (p.hasPoint)
        out += "." + fraction;
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

template <typename T> std::optional<T> toIntegral(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    const double rounded = std::nearbyint(v);
    // Both limits are powers of two and so exact in a double.
    constexpr double lowest = static_cast<double>(std::numeric_limits<T>::min());
    constexpr double aboveHighest = -lowest;
    if (rounded < lowest || rounded >= aboveHighest)
        return std::nullopt;
    return static_cast<T>(rounded);
}

int hexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the decimal grammar of textToNumber on ASCII text without blanks.
bool isDecimalNumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    int digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (isAsciiDigit(s[i])) {
            ++digits;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i == s.size())
        return true;
    if (s[i] != 'e' && s[i] != 'E')
        return false;
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    if (i == s.size())
        return false;
    for (; i < s.size(); ++i) {
        if (!isAsciiDigit(s[i]))
            return false;
    }
    return true;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

} // namespace

double roundHalfEven(double v) {
    return std::nearbyint(v);
}

std::optional<int16_t> toInt16(double v) {
    return toIntegral<int16_t>(v);
}
std::optional<int32_t> toInt32(double v) {
    return toIntegral<int32_t>(v);
}
std::optional<int64_t> toInt64(double v) {
    return toIntegral<int64_t>(v);
}

double intFloor(double v) {
    return std::floor(v);
}

float toSingle(double v) {
    // From half an ulp above the largest float on, IEEE rounding gives infinity; below
    // that the conversion is an ordinary rounding.
    constexpr double overflow = 0x1.ffffffp127;
    if (v >= overflow)
        return std::numeric_limits<float>::infinity();
    if (v <= -overflow)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

double roundDecimals(double v, int places) {
    if (!std::isfinite(v) || v == 0.0)
        return v;
    places = std::max(places, 0);
    Decimal d = decimalOf(v, 15);
    if (d.pointPos + static_cast<long>(places) >= static_cast<long>(d.digits.size()))
        return v;
    roundToPlaces(d, places);
    return toDouble(d);
}

QString numberText(double v) {
    if (!std::isfinite(v))
        return nonFiniteText(v);
    return plainText(decimalOf(v, 15), 15);
}

QString numberTextSingle(float v) {
    if (!std::isfinite(v))
        return nonFiniteText(v);
    return plainText(decimalOf(static_cast<double>(v), 7), 7);
}

QString strText(double v) {
    const QString text = numberText(v);
    return text.startsWith(u'-') ? text : u' ' + text;
}

QString strTextSingle(float v) {
    const QString text = numberTextSingle(v);
    return text.startsWith(u'-') ? text : u' ' + text;
}

QString formatNumber(double v, QStringView pattern) {
    const std::optional<Pattern> p = parsePattern(pattern);
    if (pattern.isEmpty() || !p || !std::isfinite(v))
        return numberText(v);
    return applyPattern(fixedOf(v, p->places()), *p);
}

QString formatSingle(float v, QStringView pattern) {
    const std::optional<Pattern> p = parsePattern(pattern);
    if (pattern.isEmpty() || !p || !std::isfinite(v))
        return numberTextSingle(v);
    // The single's exact binary value, widened without loss, is what gets rounded: the single
    // nearest 868.300185 is 868.30017089..., which the pattern "#0.00000" writes "868.30017".
    return applyPattern(fixedOf(static_cast<double>(v), p->places()), *p);
}

QString hexText(uint32_t v) {
    return QString::number(v, 16).toUpper();
}

QString hexText(int32_t v) {
    return hexText(static_cast<int64_t>(v));
}

QString hexText(int64_t v) {
    // Conversion to an unsigned type is modular: this is the two's complement pattern.
    return hexText(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

std::optional<uint32_t> hexToU32(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    uint32_t value = 0;
    for (const QChar c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return value;
}

std::optional<double> textToNumber(QStringView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    if (text.size() > 2 && text[0] == u'&' && (text[1] == u'H' || text[1] == u'h')) {
        const std::optional<uint32_t> pattern = hexToU32(text.sliced(2));
        if (!pattern)
            return std::nullopt;
        return static_cast<double>(*pattern);
    }
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        if (c.unicode() > 0x7F)
            return std::nullopt;
        ascii += static_cast<char>(c.unicode());
    }
    if (!isDecimalNumber(ascii))
        return std::nullopt;
    // from_chars takes no leading '+'.
    std::string_view digits(ascii);
    if (digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

bool isNumeric(QStringView text) {
    return textToNumber(text).has_value();
}

std::optional<QString> withDecimalPoint(QStringView text) {
    if (text.count(u',') != 1 || text.contains(u'.') || isNumeric(text))
        return std::nullopt;
    QString pointed = text.toString();
    pointed.replace(u',', u'.');
    if (!isNumeric(pointed))
        return std::nullopt;
    return pointed;
}

QString decimalPointHint(QStringView text) {
    const std::optional<QString> meant = withDecimalPoint(text);
    return meant ? QStringLiteral("The decimal mark is a point: ") + *meant : QString();
}

} // namespace platform
