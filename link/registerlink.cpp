#include "link/registerlink.h"

#include "platform/core/numbers.h"

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
            // This refresh goes through the transport's working values, and leaves
            // RegisterSelect at the last register it showed.
            v_.RegisterSelect = static_cast<uint8_t>(n);
            FormatRegisterWord(word);
            text = QStringLiteral("0x") + v_.RegisterHexHigh + v_.RegisterHexLow;
        } else {
            text = wholeWordText(static_cast<uint32_t>(word));
        }
        showOnReadout(n, word, text);
    }
}

void RegisterLink::showOnReadout(int n, double word, const QString& text) {
    RegisterReadout* label = host_.readoutLabel(n);
    if (!label)
        return;
    const RegisterRoute* route = transport_.route(n);
    if (route && !route->marked) {
        label->setText(text);
        return;
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

void RegisterLink::FormatRegisterWord(double word) {
    v_.RegisterWord = word;
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

RegisterLink::Board RegisterLink::deliverableBoard() {
    const Board board = chosenBoard();
    if (board == Board::Parallel && !portUsable_) {
        // Bytes on a port nobody holds go nowhere: the write must not look done.
        host_.undelivered(LinkHost::NotSent::PortNotClaimed, {});
        return Board::None;
    }
    if (board == Board::Usb && !usbOpen_) {
        // A closed link takes no word and answers every readback with 0. Only a user who
        // chose the USB board is told: the start-up's writes before any board is chosen go
        // nowhere by design.
        if (host_.motherboardIndex() == 1)
            host_.undelivered(LinkHost::NotSent::UsbLinkClosed, {});
        return Board::None;
    }
    return board;
}

bool RegisterLink::writeRegister(int n) {
    v_.RegisterSelect = static_cast<uint8_t>(n);
    const Board board = deliverableBoard();
    if (board == Board::None)
        return false; // no board chosen, a port not claimed, a link not open: nothing goes out
    if (const RegisterRoute* route = transport_.route(n))
        return writeRouted(board, *route);
    if (transport_.readbackRegister == n) {
        if (board == Board::Parallel)
            return parallelReadback();
        v_.ReadbackValue = 0;
        v_.ReadbackValue = usb_.dd_read_pellion_reg(registers_.readbackSelection());
        return true;
    }
    if (transport_.powerDownRegister == n) {
        registers_.applyPowerDownRule();
        if (board == Board::Parallel)
            return sendParallel(registers_.word(n));
        sendUsb(registers_.wordBits(n));
        return true;
    }
    return false; // a register the chip is not written through
}

bool RegisterLink::writeRawWord(uint32_t bits) {
    v_.RegisterSelect = TransportDescription::RawRegister;
    v_.RawWord = bits;
    const Board board = deliverableBoard();
    if (board == Board::None)
        return false;
    if (!(board == Board::Usb ? transport_.rawOverUsb : transport_.rawOverParallel))
        return false; // the chip takes no raw word over this board
    if (board == Board::Parallel)
        return sendParallel(double(bits));
    sendUsb(bits);
    return true;
}

bool RegisterLink::sendWord(uint32_t bits) {
    switch (deliverableBoard()) {
    case Board::Usb:
        sendUsb(bits);
        return true;
    case Board::Parallel:
        // A whole word always goes out as 32 bits with the latch closed, whatever register was
        // written last.
        return sendParallel(double(bits));
    case Board::None:
        break;
    }
    return false;
}

bool RegisterLink::writeRouted(Board board, const RegisterRoute& route) {
    // Both boards get the word the fields make now, and the read-out shows it before it is
    // marked written, so the screen never says a word is on the chip that is not.
    const int n = route.number;
    const double word = registers_.word(n);
    bool wentOut = true;
    if (board == Board::Usb) {
        v_.RegisterWord = word;
        sendUsb(static_cast<uint32_t>(word));
    } else {
        wentOut = sendParallel(word);
    }
    if (!wentOut) {
        // The read-out still shows the word the fields make, marked as a refresh marks it.
        if (route.readout)
            showOnReadout(n, word, readoutText(transport_.text, static_cast<uint32_t>(word)));
        return false;
    }
    RegisterReadout* label = route.readout ? host_.readoutLabel(n) : nullptr;
    if (label)
        label->setText(readoutText(transport_.text, static_cast<uint32_t>(word)));
    afterWrite(n, word, label);
    return true;
}

void RegisterLink::afterWrite(int n, double word, RegisterReadout* label) {
    if (transport_.marks == ReadoutMarks::TextChange) {
        if (label)
            label->setMark(RegisterReadout::Mark::Normal);
        return;
    }
    // Marked against the last written word: remember it; the next refresh decides the
    // colour.
    registers_.rememberWritten(n, word);
}

void RegisterLink::sendUsb(uint32_t bits) {
    // The library takes the word as a signed 32-bit value with the same bits.
    auto word = static_cast<int32_t>(bits);
    usb_.dd_write_pellion_reg(word);
}

bool RegisterLink::sendParallel(double word) {
    startParallel();
    ShiftOutWord(word, false);
    PulseLatchEnable(false);
    return parallelWentOut();
}

void RegisterLink::startParallel() {
    port_.clearFailure();
    portFailed_ = false;
}

bool RegisterLink::parallelWentOut() {
    if (!portFailed_)
        portFailed_ = !port_.failure().isEmpty();
    if (!portFailed_)
        return true;
    host_.undelivered(LinkHost::NotSent::PortFailed, port_.failure());
    return false;
}

void RegisterLink::dataOut(int16_t value) {
    // Once a byte is lost, the bytes after it would clock a word nobody sent into the chip and
    // latch it: the rest of the word stays unsent, so the chip keeps the register it had.
    if (portFailed_)
        return;
    PortOutByte(v_.ParallelPortAddress, int16_t(v_.ParallelDataBase + value));
    portFailed_ = !port_.failure().isEmpty();
}

void RegisterLink::ShiftOutWord(double word, bool readback16) {
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
    v_.RegisterWord = word;
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

bool RegisterLink::parallelReadback() {
    auto latchedClock = [&] {
        dataOut(pins::Latch);
        dataOut(pins::LatchClock);
        dataOut(pins::Latch);
    };
    startParallel();
    const int32_t before = v_.ReadbackValue;
    v_.ReadbackValue = 0;
    ShiftOutWord(registers_.word(*transport_.readbackRegister), true);
    PulseLatchEnable(true);
    latchedClock();
    for (int i = 0; i < 16; ++i) {
        latchedClock();
        // The status line settles after the first read; the second one counts.
        PortInByte(pins::StatusPort);
        const int16_t status = PortInByte(pins::StatusPort);
        portFailed_ = portFailed_ || !port_.failure().isEmpty();
        const int b = (status & pins::ReadbackBit) / pins::ReadbackBit;
        v_.ReadbackValue += b << (15 - i);
    }
    latchedClock();
    dataOut(pins::Low);
    // Bits read from a port that failed are no answer of the chip.
    if (parallelWentOut())
        return true;
    v_.ReadbackValue = before;
    return false;
}

int32_t RegisterLink::DelayLoop(int32_t n) {
    // volatile: the wait is the point, so the compiler must not drop the loop.
    volatile int32_t count = 1;
    while (count <= n)
        count = count + 1;
    return count;
}

bool RegisterLink::OpenParallelPort() {
    portUsable_ = (port_.ClaimParallelPort(1, -1) & 0xFFFF) != 0;
    return portUsable_;
}

void RegisterLink::ReleaseParallelPort() {
    port_.ReleaseParallelPort(1);
    portUsable_ = false;
}

bool RegisterLink::OpenUsbLink() {
    usbOpen_ = usb_.rpc_initialise_vb() == 1;
    return usbOpen_;
}

void RegisterLink::CloseUsbLink() {
    usb_.rpc_shutdown();
    usbOpen_ = false;
}

int16_t RegisterLink::PortInByte(int16_t port) {
    return static_cast<int16_t>(port_.InByte(static_cast<uint16_t>(port)) & 0xFF);
}

void RegisterLink::PortOutByte(int16_t port, int16_t value) {
    port_.OutByte(static_cast<uint16_t>(port), value);
}

} // namespace reglink
