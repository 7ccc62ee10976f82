// The number entry of the text boxes: strict text-to-number, the integer conversions and the
// number texts, which must read back as the numbers they were written from.
#include "fuzz/fuzzcheck.h"

#include "platform/core/numbers.h"

#include <QString>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// The format patterns the windows use.
constexpr std::array<const char16_t*, 9> Patterns{
    u"#0.00000", u"#0.000", u".000000", u"0.000#", u"#000.000", u"#0", u"#0.0", u"0.00", u"#0.00"};

int decimalsOf(QStringView pattern) {
    const qsizetype point = pattern.indexOf(u'.');
    return point < 0 ? 0 : static_cast<int>(pattern.size() - point - 1);
}

// |a - b| within `absolute` plus the rounding to 15 significant digits (and the spacing of the
// subnormal numbers, where fewer digits are significant).
bool near(double a, double b, double absolute) {
    return std::fabs(a - b) <= absolute * (1 + 1e-9) + std::fabs(b) * 1e-14 + 1e-300;
}

template <class Int> void checkIntegerConversion(double v, std::optional<Int> (*convert)(double)) {
    const std::optional<Int> n = convert(v);
    constexpr double low = double(std::numeric_limits<Int>::min());
    constexpr double high = double(std::numeric_limits<Int>::max());
    if (!n) {
        // Only what does not fit may be refused.
        FUZZ_CHECK(!std::isfinite(v) || v >= high + 0.5 || v < low - 0.5);
        return;
    }
    const double back = double(*n);
    const double distance = std::fabs(back - v);
    FUZZ_CHECK(distance <= 0.5);
    if (distance == 0.5)
        FUZZ_CHECK(static_cast<int64_t>(*n % 2) == 0); // half to even
}

void checkNumber(double v) {
    checkIntegerConversion<int16_t>(v, platform::toInt16);
    checkIntegerConversion<int32_t>(v, platform::toInt32);
    checkIntegerConversion<int64_t>(v, platform::toInt64);
    if (!std::isfinite(v)) {
        (void)platform::numberText(v);
        (void)platform::formatNumber(v, u"#0.000");
        return;
    }
    const double floor = platform::intFloor(v);
    FUZZ_CHECK(floor == v || (floor < v && floor + 1 > v));

    // The plain text reads back to the value at 15 significant digits, and writing that again
    // gives the same text.
    const QString text = platform::numberText(v);
    const std::optional<double> back = platform::textToNumber(text);
    if (!back) {
        // Only next to the largest double does the 15-digit text round beyond the range, and
        // reading it is refused rather than made infinite.
        FUZZ_CHECK(std::fabs(v) > 1.79769313486231e308);
        return;
    }
    FUZZ_CHECK(near(*back, v, 0));
    FUZZ_CHECK(platform::numberText(*back) == text);
    const std::optional<double> str = platform::textToNumber(platform::strText(v));
    FUZZ_CHECK(str.has_value() && *str == *back);

    for (const char16_t* p : Patterns) {
        const QStringView pattern(p);
        const QString formatted = platform::formatNumber(v, pattern);
        const std::optional<double> read = platform::textToNumber(formatted);
        FUZZ_CHECK(read.has_value());
        FUZZ_CHECK(near(*read, v, 0.5 * std::pow(10.0, -decimalsOf(pattern))));
    }
    for (int places : {0, 2, 5}) {
        const double rounded = platform::roundDecimals(v, places);
        FUZZ_CHECK(near(rounded, v, 0.5 * std::pow(10.0, -places)));
    }

    const float single = platform::toSingle(v);
    if (std::isfinite(single)) {
        const std::optional<double> s = platform::textToNumber(platform::numberTextSingle(single));
        FUZZ_CHECK(s.has_value());
        FUZZ_CHECK(std::fabs(*s - single) <= std::fabs(single) * 1e-6);
        (void)platform::formatSingle(single, u"#0.00000");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString& text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
        const std::optional<double> v = platform::textToNumber(text);
        FUZZ_CHECK(platform::isNumeric(text) == v.has_value());
        if (v) {
            FUZZ_CHECK(std::isfinite(*v));
            checkNumber(*v);
        }
        // Any pattern text at all: no crash, and a result for every value.
        (void)platform::formatNumber(v.value_or(1.5), text);
        (void)platform::formatSingle(float(v.value_or(1.5)), text);
    }
    // The same rules on raw bit patterns: infinities, NaNs, subnormals and the range edges.
    for (size_t at = 0; at + sizeof(double) <= size && at < 64; at += sizeof(double)) {
        double v;
        std::memcpy(&v, data + at, sizeof v);
        checkNumber(v);
    }
    return 0;
}
