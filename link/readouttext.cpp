#include "link/readouttext.h"

#include "platform/core/numbers.h"

namespace reglink {

QString Hex4(int32_t v) {
    const QString digits = platform::hexText(static_cast<uint32_t>(v));
    if (v <= 15)
        return QStringLiteral("000") + digits;
    if (v < 256)
        return QStringLiteral("00") + digits;
    if (v < 4096)
        return QStringLiteral("0") + digits;
    return digits;
}

QString readoutText(uint32_t word) {
    return QStringLiteral("0x") + platform::hexText(word >> 16) +
           Hex4(static_cast<int32_t>(word & 0xFFFFu));
}

QString wholeWordText(uint32_t word) {
    return QStringLiteral("0x") + platform::hexText(word);
}

QString readoutText(ReadoutText form, uint32_t word) {
    return form == ReadoutText::Whole ? wholeWordText(word) : readoutText(word);
}

double HexTextToNumber(const QString& text) {
    double total = 0;
    double weight = 1;
    for (qsizetype i = text.size() - 1; i >= 0; --i, weight *= 16) {
        const char16_t c = text[i].unicode();
        int digit = 0;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        total += digit * weight;
    }
    return total;
}

std::optional<uint32_t> rawWordBits(const QString& text) {
    const auto value = platform::textToNumber(text);
    if (!value)
        return std::nullopt;
    const auto whole = platform::toInt64(*value);
    if (!whole || *whole < -2147483648LL || *whole > 4294967295LL)
        return std::nullopt;
    return static_cast<uint32_t>(static_cast<uint64_t>(*whole) & 0xFFFFFFFFu);
}

QString frequencyText(double mhz) {
    return platform::formatNumber(mhz, u"#0.00000") + QStringLiteral("MHz");
}

QString frequencyText(float mhz) {
    return platform::formatSingle(mhz, u"#0.00000") + QStringLiteral("MHz");
}

} // namespace reglink
