#include "evalkit/calc/receiverclocks.h"

#include "platform/core/numbers.h"

#include <cmath>

namespace evalkit::calc {

int32_t bbOffsetCode(float crystalMHz) {
    if (crystalMHz > 16)
        return 2;
    if (crystalMHz > 8)
        return 1;
    return 0;
}

int32_t bbOffsetDivider(int32_t code) {
    return code == 0 ? 4 : 8 * code;
}

int32_t bbOffsetCodeOfEntry(int32_t entry) {
    return platform::toInt32(entry / 8.0).value_or(0);
}

int32_t demodDividerOfCode(int32_t code) {
    return code == 0 ? 4 : code;
}

std::optional<QString> clockText(double numerator, double divisor, const QString& unit) {
    if (divisor == 0)
        return std::nullopt;
    const double v = numerator / divisor;
    if (!std::isfinite(v))
        return std::nullopt;
    return platform::formatNumber(v, u".0000") + unit;
}

std::optional<QString> singleClockText(float numerator, double divisor, const QString& unit) {
    if (divisor == 0)
        return std::nullopt;
    const float v = platform::toSingle(double{numerator} / divisor);
    if (!std::isfinite(v))
        return std::nullopt;
    return platform::formatSingle(v, u".0000") + unit;
}

DividerEntry dividerEntry(const QString& text, int32_t lo, int32_t hi, const QString& limitText) {
    const std::optional<double> v = platform::textToNumber(text);
    if (!v)
        return {};
    const std::optional<int32_t> n = platform::toInt32(*v);
    if (!n || *n < lo || *n > hi)
        return {std::nullopt,
                platform::Message{limitText, platform::MsgIcon::Exclamation, std::nullopt, false}};
    return {n, std::nullopt};
}

} // namespace evalkit::calc
