#include "link/registerlink.h"

#include "platform/numbers.h"

#include <array>

namespace corvane::link {

namespace {
constexpr double TwoTo31 = 2147483648.0;

bool hasMainReadout(int n) {
    return (n >= 0 && n <= 6) || (n >= 9 && n <= 13);
}
} // namespace

// ---- small shared routines -----------------------------------------------

int16_t osVersionCode(const OsVersionInfo& info) {
    switch (info.platformId) {
    case 1:
        if (info.minor == 0)
            return 95;
        if (info.minor == 10)
            return 98;
        return 0;
    case 2:
        switch (info.major) {
        case 3:
            return 351;
        case 4:
            return 400;
        case 5:
            return 2000;
        default:
            return 0;
        }
    default:
        return -1;
    }
}

OsVersionInfo currentOsVersion() {
    return {2, 5, 0};
}

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

double HexTextToNumber(const QString& text) {
    // Each character read as one hexadecimal digit from the right; anything
    // that is not a digit counts 0.
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

void UpdateFrequencyLabels(const CorvaneWorking& w, QLabel* vco, QLabel* pfd, QLabel* crystal) {
    const QString mhz = QStringLiteral("MHz");
    vco->setText(platform::formatNumber(w.RfFrequencyMHz, u"#0.00000") + mhz);
    pfd->setText(platform::formatNumber(w.PfdFrequencyMHz, u"#0.00000") + mhz);
    crystal->setText(platform::formatSingle(w.CrystalFrequencyMHz, u"#0.00000") + mhz);
}

// ---- the transport ---------------------------------------------------------

RegisterLink::RegisterLink(CorvaneStore& store, board::Skerry& usb, board::Parllio& port,
                           LinkHost& host, OsVersionInfo os)
    : store_(store), usb_(usb), port_(port), host_(host), os_(os) {}

void RegisterLink::UpdateAllRegisterLabels() {
    static constexpr std::array<int, 13> order{15, 13, 12, 11, 10, 9, 6, 5, 4, 3, 2, 1, 0};
    auto& w = store_.w;
    for (int n : order) {
        w.RegisterSelect = static_cast<uint8_t>(n);
        w.RegisterWord = store_.word(n);
        FormatRegisterWord();
        const QString text = QStringLiteral("0x") + w.RegisterHexHigh + w.RegisterHexLow;
        RegisterReadout* label = host_.readoutLabel(n);
        if (!label)
            continue;
        if (n == 15) {
            label->setText(text);
            continue;
        }
        if (label->text() != text) {
            label->setMark(RegisterReadout::Mark::Changed);
            // A fine calibration is started by R6 but finished by R5, so R5
            // has to be sent again too.
            if (n == 6 && store_.f.IFFineCalField == 16) {
                if (auto* r5 = host_.readoutLabel(5))
                    r5->setMark(RegisterReadout::Mark::Changed);
            }
        }
        label->setText(text);
    }
}

void RegisterLink::FormatRegisterWord() {
    auto& w = store_.w;
    const auto high = platform::toInt64(platform::intFloor(w.RegisterWord / 65536.0)).value_or(0);
    if (w.RegisterWord >= TwoTo31)
        w.RegisterWord -= TwoTo31;
    const int32_t low = platform::toInt32(w.RegisterWord).value_or(0) & 0xFFFF;
    w.RegisterHexLow = Hex4(low);
    w.RegisterHexHigh = platform::hexText(static_cast<uint32_t>(high));
}

void RegisterLink::restoreMark(int n) {
    if (auto* label = host_.readoutLabel(n))
        label->setMark(RegisterReadout::Mark::Normal);
}

int16_t RegisterLink::readbackSelection() const {
    const auto& f = store_.f;
    const double sum =
        double(f.ReadbackSelectField) + f.ReadbackEnableField + f.ReadbackAdcModeField;
    return static_cast<int16_t>(platform::toInt32(sum / 16.0).value_or(0) & 31);
}

void RegisterLink::WriteRegister() {
    const int n = store_.w.RegisterSelect;
    switch (host_.motherboardIndex()) {
    case 0:
        writeParallel(n);
        break;
    case 1:
        writeUsb(n);
        break;
    default:
        break; // no board chosen: nothing goes out
    }
}

void RegisterLink::writeUsb(int n) {
    auto& w = store_.w;
    if (hasMainReadout(n)) {
        // The USB path sends what the read-out shows.
        RegisterReadout* label = host_.readoutLabel(n);
        if (!label)
            return;
        const auto bits = platform::hexToU32(QStringView(label->text()).mid(2));
        if (!bits)
            return; // never refreshed: there is no word to send
        auto word = static_cast<int32_t>(*bits);
        usb_.dd_write_pellion_reg(word);
        label->setMark(RegisterReadout::Mark::Normal);
        return;
    }
    switch (n) {
    case 15: {
        auto word = static_cast<int32_t>(store_.wordBits(15));
        usb_.dd_write_pellion_reg(word);
        restoreMark(15);
        break;
    }
    case 7:
        w.ReadbackValue = 0;
        w.ReadbackValue = usb_.dd_read_pellion_reg(readbackSelection());
        break;
    case 8: {
        store_.applyReceiveTransmitRule();
        auto word = static_cast<int32_t>(store_.wordBits(8));
        usb_.dd_write_pellion_reg(word);
        break;
    }
    case 99:
        if (const auto bits = rawWordBits(w.RawRegisterText)) {
            auto word = static_cast<int32_t>(*bits);
            usb_.dd_write_pellion_reg(word);
        }
        break;
    default:
        break;
    }
}

void RegisterLink::writeParallel(int n) {
    auto& w = store_.w;
    if (hasMainReadout(n) || n == 15) {
        w.RegisterWord = store_.word(n);
        ShiftOutWord();
        PulseLatchEnable();
        if (auto* label = host_.readoutLabel(n)) {
            label->setText(QStringLiteral("0x") + w.RegisterHexHigh + w.RegisterHexLow);
            label->setMark(RegisterReadout::Mark::Normal);
        }
        return;
    }
    switch (n) {
    case 7:
        parallelReadback();
        break;
    case 8:
        store_.applyReceiveTransmitRule();
        w.RegisterWord = store_.word(8);
        ShiftOutWord();
        PulseLatchEnable();
        break;
    case 99:
        if (const auto bits = rawWordBits(w.RawRegisterText)) {
            w.RegisterWord = double(*bits);
            ShiftOutWord();
            PulseLatchEnable();
        }
        break;
    default:
        break;
    }
}

void RegisterLink::ShiftOutWord(bool readback16) {
    auto& w = store_.w;
    const int16_t base = w.ParallelDataBase;
    auto out = [&](int16_t v) {
        PortOutByte(w.ParallelPortAddress, int16_t(base + v));
    };
    auto sendBit = [&](bool one) {
        if (one) {
            out(pins::Data);
            out(pins::DataClock);
            out(pins::Data);
        } else {
            out(pins::Low);
            out(pins::Clock);
            out(pins::Low);
        }
    };

    out(pins::Low);
    const auto high = platform::toInt64(platform::intFloor(w.RegisterWord / 65536.0)).value_or(0);
    if (w.RegisterWord >= TwoTo31)
        w.RegisterWord -= TwoTo31;
    const int32_t lowSource = platform::toInt32(w.RegisterWord).value_or(0);
    if (!readback16) {
        for (int bit = 15; bit >= 0; --bit)
            sendBit(((high >> bit) & 1) != 0);
    }
    int32_t low = 0;
    for (int bit = 15; bit >= 0; --bit) {
        const bool one = ((lowSource >> bit) & 1) != 0;
        sendBit(one);
        if (one)
            low |= 1 << bit;
    }
    w.RegisterHexLow = Hex4(low);
    w.RegisterHexHigh = platform::hexText(static_cast<uint32_t>(high));
}

void RegisterLink::PulseLatchEnable(bool readback16) {
    auto& w = store_.w;
    auto out = [&](int16_t v) {
        PortOutByte(w.ParallelPortAddress, int16_t(w.ParallelDataBase + v));
    };
    out(pins::Low);
    out(pins::Latch);
    if (!readback16) {
        out(pins::Low);
        out(pins::Low);
    }
}

void RegisterLink::parallelReadback() {
    auto& w = store_.w;
    auto out = [&](int16_t v) {
        PortOutByte(w.ParallelPortAddress, int16_t(w.ParallelDataBase + v));
    };
    auto latchedClock = [&] {
        out(pins::Latch);
        out(pins::LatchClock);
        out(pins::Latch);
    };
    w.ReadbackValue = 0;
    w.RegisterWord = store_.word(7);
    ShiftOutWord(true);
    PulseLatchEnable(true);
    latchedClock();
    for (int i = 0; i < 16; ++i) {
        latchedClock();
        // The status line settles after the first read; the second one counts.
        PortInByte(pins::StatusPort);
        const int16_t status = PortInByte(pins::StatusPort);
        const int b = (status & pins::ReadbackBit) / pins::ReadbackBit;
        w.ReadbackValue += b << (15 - i);
    }
    latchedClock();
    out(pins::Low);
}

int32_t RegisterLink::DelayLoop(int32_t n) {
    // volatile: the wait is the point, so the compiler must not drop the loop.
    volatile int32_t count = 1;
    while (count <= n)
        count = count + 1;
    return count;
}

bool RegisterLink::OpenParallelPort() {
    return (port_.ClaimParallelPort(1, -1) & 0xFFFF) != 0;
}

int16_t RegisterLink::PortInByte(int16_t port) {
    return static_cast<int16_t>(port_.InByte(static_cast<uint16_t>(port)) & 0xFF);
}

void RegisterLink::PortOutByte(int16_t port, int16_t value) {
    port_.OutByte(static_cast<uint16_t>(port), value);
}

} // namespace corvane::link
