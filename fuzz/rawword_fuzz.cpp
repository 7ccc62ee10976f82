// The texts the raw register window and the register links read as 32-bit words: "&H" or
// decimal raw words, the read-out form "0x..." and plain hexadecimal digits.
#include "fuzz/fuzzcheck.h"

#include "evalkit/rawregisterwindow.h"
#include "link/registerlink.h"
#include "platform/core/numbers.h"

#include <QString>

#include <cmath>
#include <cstring>

namespace {

bool isHexDigits(const QString& s) {
    if (s.isEmpty() || s.size() > 8)
        return false;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
            return false;
    }
    return true;
}

QString withoutLeadingZeros(QString upper) {
    while (upper.size() > 1 && upper.front() == u'0')
        upper.remove(0, 1);
    return upper;
}

void checkText(const QString& text) {
    // Hexadecimal digits: exactly 1 to 8 of them, unsigned, and Hex() writes them back.
    const std::optional<uint32_t> hex = platform::hexToU32(text);
    FUZZ_CHECK(hex.has_value() == isHexDigits(text));
    if (hex)
        FUZZ_CHECK(platform::hexText(*hex) == withoutLeadingZeros(text.toUpper()));

    // A raw word is any number text whose whole value is a 32-bit pattern.
    const std::optional<uint32_t> raw = reglink::rawWordBits(text);
    const std::optional<double> number = platform::textToNumber(text);
    if (raw) {
        FUZZ_CHECK(number.has_value());
        const std::optional<int64_t> whole = platform::toInt64(*number);
        FUZZ_CHECK(whole && *whole >= -2147483648LL && *whole <= 4294967295LL);
        FUZZ_CHECK(*raw == static_cast<uint32_t>(static_cast<uint64_t>(*whole) & 0xFFFFFFFFu));
    } else if (number) {
        const std::optional<int64_t> whole = platform::toInt64(*number);
        FUZZ_CHECK(!whole || *whole < -2147483648LL || *whole > 4294967295LL);
    }

    // The raw window: "0x" and the digits, nothing else.
    const std::optional<uint32_t> box = evalkit::RawRegisterDescription::hexWordAfterPrefix(text);
    if (text.startsWith(QStringLiteral("0x")))
        FUZZ_CHECK(box == platform::hexToU32(QStringView(text).mid(2)));
    else
        FUZZ_CHECK(!box.has_value());
    const std::optional<double> value = evalkit::frmRegisters::HexTextToValue(text);
    FUZZ_CHECK(value.has_value() == hex.has_value());
    if (value)
        FUZZ_CHECK(*value == double(*hex));
}

void checkWord(uint32_t word) {
    // What a read-out shows, the raw window reads back as the same word.
    const QString readout = reglink::readoutText(word);
    FUZZ_CHECK(evalkit::RawRegisterDescription::hexWordAfterPrefix(readout) == word);
    FUZZ_CHECK(platform::hexToU32(platform::hexText(word)) == word);
    FUZZ_CHECK(reglink::rawWordBits(QStringLiteral("&H") + platform::hexText(word)) == word);
    FUZZ_CHECK(reglink::rawWordBits(QString::number(word)) == word);
    const auto low = static_cast<int32_t>(word & 0xFFFFu);
    FUZZ_CHECK(platform::hexToU32(reglink::Hex4(low)) == uint32_t(low));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkText(QString::fromUtf8(bytes));
    checkText(QString::fromLatin1(bytes));
    if (size >= sizeof(uint32_t)) {
        uint32_t word;
        std::memcpy(&word, data, sizeof word);
        checkWord(word);
    }
    return 0;
}
