#include "link/registerlink.h"

#include "platform/numbers.h"

namespace reglink {

namespace {
constexpr double TwoTo31 = 2147483648.0;
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

// ---- the transport ---------------------------------------------------------

RegisterLink::RegisterLink(const TransportDescription& transport, RegisterFile& registers,
                           TransportValues& values, board::Skerry& usb, board::Parllio& port,
                           LinkHost& host, OsVersionInfo os)
    : transport_(transport), registers_(registers), v_(values), usb_(usb), port_(port), host_(host),
      os_(os) {}

void RegisterLink::UpdateAllRegisterLabels() {
    for (int n : transport_.refreshOrder) {
        const double word = registers_.word(n);
        QString text;
        if (transport_.text == ReadoutText::HighAndLow) {
            // This refresh goes through the transport's scratch values, and callers rely on
            // it leaving RegisterSelect at the last register it showed.
            v_.RegisterSelect = static_cast<uint8_t>(n);
            v_.RegisterWord = word;
            FormatRegisterWord();
            text = QStringLiteral("0x") + v_.RegisterHexHigh + v_.RegisterHexLow;
        } else {
            text = wholeWordText(static_cast<uint32_t>(word));
        }
        RegisterReadout* label = host_.readoutLabel(n);
        if (!label)
            continue;
        const RegisterRoute* route = transport_.route(n);
        if (route && !route->marked) {
            label->setText(text);
            continue;
        }
        if (transport_.marks == ReadoutMarks::TextChange) {
            if (label->text() != text) {
                label->setMark(RegisterReadout::Mark::Changed);
                if (const std::optional<int> other = registers_.alsoMarkedWith(n))
                    if (RegisterReadout* also = host_.readoutLabel(*other))
                        also->setMark(RegisterReadout::Mark::Changed);
            }
        } else {
            const double last = registers_.lastWritten(n).value_or(0);
            label->setMark(word != last ? RegisterReadout::Mark::Changed
                                        : RegisterReadout::Mark::ButtonFace);
        }
        label->setText(text);
    }
}

void RegisterLink::FormatRegisterWord() {
    const auto high = platform::toInt64(platform::intFloor(v_.RegisterWord / 65536.0)).value_or(0);
    if (v_.RegisterWord >= TwoTo31)
        v_.RegisterWord -= TwoTo31;
    const int32_t low = platform::toInt32(v_.RegisterWord).value_or(0) & 0xFFFF;
    v_.RegisterHexLow = Hex4(low);
    v_.RegisterHexHigh = platform::hexText(static_cast<uint32_t>(high));
}

RegisterLink::Board RegisterLink::chosenBoard() const {
    switch (host_.motherboardIndex()) {
    case 0:
        return Board::Parallel;
    case 1:
        return Board::Usb;
    default:
        return transport_.unchosenBoardIsUsb ? Board::Usb : Board::None;
    }
}

void RegisterLink::WriteRegister() {
    const int n = v_.RegisterSelect;
    switch (chosenBoard()) {
    case Board::Parallel:
        writeParallel(n);
        break;
    case Board::Usb:
        writeUsb(n);
        break;
    case Board::None:
        break; // no board chosen: nothing goes out
    }
}

void RegisterLink::afterWrite(int n, double word, RegisterReadout* label) {
    if (transport_.marks == ReadoutMarks::TextChange) {
        if (label)
            label->setMark(RegisterReadout::Mark::Normal);
        return;
    }
    // Marked against the last written word: remember it and show it; the next refresh
    // decides the colour.
    registers_.rememberWritten(n, word);
    if (label)
        label->setText(readoutText(transport_.text, static_cast<uint32_t>(word)));
}

void RegisterLink::writeUsb(int n) {
    auto send = [this](uint32_t bits) {
        auto word = static_cast<int32_t>(bits);
        usb_.dd_write_pellion_reg(word);
    };
    if (const RegisterRoute* route = transport_.route(n)) {
        if (route->usb == UsbSends::Caption) {
            // The USB path sends what the read-out shows.
            RegisterReadout* label = host_.readoutLabel(n);
            if (!label)
                return;
            const auto bits = platform::hexToU32(QStringView(label->text()).mid(2));
            if (!bits)
                return; // never refreshed: there is no word to send
            send(*bits);
            afterWrite(n, *bits, label);
            return;
        }
        const double word = registers_.word(n);
        v_.RegisterWord = word;
        send(static_cast<uint32_t>(word));
        afterWrite(n, word, route->readout ? host_.readoutLabel(n) : nullptr);
        return;
    }
    if (transport_.readbackRegister == n) {
        v_.ReadbackValue = 0;
        v_.ReadbackValue = usb_.dd_read_pellion_reg(registers_.readbackSelection());
    } else if (transport_.powerDownRegister == n) {
        registers_.applyPowerDownRule();
        send(registers_.wordBits(n));
    } else if (n == TransportDescription::RawRegister && transport_.rawOverUsb) {
        if (const auto bits = registers_.rawWord())
            send(*bits);
    }
}

void RegisterLink::sendParallel(double word) {
    v_.RegisterWord = word;
    ShiftOutWord();
    PulseLatchEnable();
}

void RegisterLink::writeParallel(int n) {
    if (const RegisterRoute* route = transport_.route(n)) {
        const double word = registers_.word(n);
        sendParallel(word);
        RegisterReadout* label = route->readout ? host_.readoutLabel(n) : nullptr;
        if (label) {
            // The read-out shows what was just sent.
            label->setText(transport_.text == ReadoutText::HighAndLow
                               ? QStringLiteral("0x") + v_.RegisterHexHigh + v_.RegisterHexLow
                               : wholeWordText(static_cast<uint32_t>(word)));
        }
        afterWrite(n, word, label);
        return;
    }
    if (transport_.readbackRegister == n) {
        parallelReadback();
    } else if (transport_.powerDownRegister == n) {
        registers_.applyPowerDownRule();
        sendParallel(registers_.word(n));
    } else if (n == TransportDescription::RawRegister && transport_.rawOverParallel) {
        if (const auto bits = registers_.rawWord())
            sendParallel(double(*bits));
    }
}

void RegisterLink::dataOut(int16_t value) {
    PortOutByte(v_.ParallelPortAddress, int16_t(v_.ParallelDataBase + value));
}

void RegisterLink::ShiftOutWord(bool readback16) {
    auto sendBit = [&](bool one) {
        if (one) {
            dataOut(pins::Data);
            dataOut(pins::DataClock);
            dataOut(pins::Data);
        } else {
            dataOut(pins::Low);
            dataOut(pins::Clock);
            dataOut(pins::Low);
        }
    };

    dataOut(pins::Low);
    const auto high = platform::toInt64(platform::intFloor(v_.RegisterWord / 65536.0)).value_or(0);
    if (v_.RegisterWord >= TwoTo31)
        v_.RegisterWord -= TwoTo31;
    const int32_t lowSource = platform::toInt32(v_.RegisterWord).value_or(0);
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
    v_.RegisterHexLow = Hex4(low);
    v_.RegisterHexHigh = platform::hexText(static_cast<uint32_t>(high));
}

void RegisterLink::PulseLatchEnable(bool readback16) {
    dataOut(pins::Low);
    dataOut(pins::Latch);
    if (readback16)
        return; // latch enable stays high for the readback
    dataOut(pins::Low);
    if (transport_.latchTail == LatchTail::LowLowAfterPulse)
        dataOut(pins::Low);
}

void RegisterLink::parallelReadback() {
    auto latchedClock = [&] {
        dataOut(pins::Latch);
        dataOut(pins::LatchClock);
        dataOut(pins::Latch);
    };
    v_.ReadbackValue = 0;
    v_.RegisterWord = registers_.word(*transport_.readbackRegister);
    ShiftOutWord(true);
    PulseLatchEnable(true);
    latchedClock();
    for (int i = 0; i < 16; ++i) {
        latchedClock();
        // The status line settles after the first read; the second one counts.
        PortInByte(pins::StatusPort);
        const int16_t status = PortInByte(pins::StatusPort);
        const int b = (status & pins::ReadbackBit) / pins::ReadbackBit;
        v_.ReadbackValue += b << (15 - i);
    }
    latchedClock();
    dataOut(pins::Low);
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

} // namespace reglink
