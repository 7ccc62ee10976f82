#include "board/simulatedport.h"

#include "board/boardlog.h"
#include "board/calltext.h"

namespace board {

namespace {

constexpr uint8_t kClock = 1;
constexpr uint8_t kData = 2;
constexpr uint8_t kLatch = 4;
constexpr uint8_t kHeldHigh = 8;
constexpr int32_t kStatusReadbackBit = 16;

// Enough to tell a runaway shift from a word without letting the counter overflow.
constexpr int kMaxCountedBits = 1 << 20;

QString hexByte(int value) {
    return QString::asprintf("0x%02X", static_cast<unsigned>(value));
}

} // namespace

int32_t SimulatedPort::ClaimParallelPort(int32_t port, int32_t /*flag*/) {
    claimed_ = (claimResult_ & 0xFFFF) != 0;
    log(calltext::claimPort(port, claimResult_));
    return claimResult_;
}

void SimulatedPort::ReleaseParallelPort(int32_t port) {
    claimed_ = false;
    log(calltext::releasePort(port));
}

int32_t SimulatedPort::InByte(uint16_t address) {
    int32_t result = 0;
    if (address == kStatusPortAddress)
        result = readStatus();
    else if (address == kControlPortAddress)
        result = control_;
    else if (address == kDataPortAddress)
        result = data_;
    inBytes_.push_back({address, result});
    return result;
}

void SimulatedPort::OutByte(uint16_t address, int16_t value) {
    outBytes_.push_back({address, value});
    const auto byte = static_cast<uint8_t>(value & 0xFF);
    if (address == kDataPortAddress)
        driveDataLines(byte);
    else if (address == kControlPortAddress)
        control_ = byte;
}

int32_t SimulatedPort::readbackAnswer(int16_t selection) const {
    const auto found = answers_.find(selection);
    return found == answers_.end() ? chip_.answerTo(selection) : found->second;
}

std::optional<uint32_t> SimulatedPort::lastWord(int reg) const {
    if (reg < 0 || reg >= chip_.registerCount())
        return std::nullopt;
    return lastWords_[static_cast<size_t>(reg)];
}

void SimulatedPort::driveDataLines(uint8_t lines) {
    if ((lines & kHeldHigh) == 0)
        reportMalformed(QStringLiteral("data byte %1 with bit 3 low").arg(hexByte(lines)));
    const uint8_t before = data_;
    data_ = lines;
    const bool latchWasHigh = (before & kLatch) != 0;
    const bool latchIsHigh = (lines & kLatch) != 0;
    if (!latchWasHigh && latchIsHigh)
        latchRose();
    if (latchWasHigh && !latchIsHigh)
        latchFell();
    if ((before & kClock) == 0 && (lines & kClock) != 0) {
        if (latchIsHigh)
            clockWhileLatched();
        else
            shiftIn((lines & kData) != 0);
    }
}

void SimulatedPort::shiftIn(bool bit) {
    shift_ = (shift_ << 1) | (bit ? 1u : 0u);
    if (bitCount_ < kMaxCountedBits)
        ++bitCount_;
}

void SimulatedPort::latchRose() {
    if (bitCount_ == 32) {
        words_.push_back(shift_);
        lastWords_[static_cast<size_t>(chip_.registerOf(shift_))] = shift_;
        log(calltext::parallelWord(shift_));
    } else if (bitCount_ == 16 && chip_.readbackRegister &&
               chip_.registerOf(shift_) == *chip_.readbackRegister) {
        const uint32_t word = shift_ & 0xFFFFu;
        const auto selection = static_cast<int16_t>((word >> 4) & 31u);
        readback_ = Readback{word, selection, readbackAnswer(selection), 0, false};
    } else {
        reportMalformed(QStringLiteral("latch enable after %1 bits (%2)")
                            .arg(bitCount_)
                            .arg(calltext::word(shift_)));
    }
    shift_ = 0;
    bitCount_ = 0;
}

void SimulatedPort::latchFell() {
    if (readback_) {
        Readback done = *readback_;
        readback_.reset();
        done.complete = done.clockPulses == kReadbackClockPulses;
        readbacks_.push_back(done);
        if (done.complete)
            log(calltext::parallelReadback(done.word, done.answer));
        else
            reportMalformed(QStringLiteral("readback %1 ended after %2 clock pulses, %3 expected")
                                .arg(calltext::word(done.word))
                                .arg(done.clockPulses)
                                .arg(kReadbackClockPulses));
        currentBit_ = false;
        previousBit_ = false;
    } else if (strayPulses_ > 0) {
        reportMalformed(
            QStringLiteral("%1 clock pulses while latch enable was high").arg(strayPulses_));
    }
    strayPulses_ = 0;
}

void SimulatedPort::clockWhileLatched() {
    if (!readback_) {
        if (strayPulses_ < kMaxCountedBits)
            ++strayPulses_;
        return;
    }
    Readback& frame = *readback_;
    if (frame.clockPulses < kMaxCountedBits)
        ++frame.clockPulses;
    // Pulse 1 prepares the chip; pulses 2..17 present bits 15..0; later pulses present nothing.
    const int bit = 17 - frame.clockPulses;
    presentBit(bit >= 0 && bit <= 15 && ((frame.answer >> bit) & 1) != 0);
}

void SimulatedPort::presentBit(bool bit) {
    previousBit_ = currentBit_;
    currentBit_ = bit;
    readsSinceEdge_ = 0;
}

int32_t SimulatedPort::readStatus() {
    const bool bit = readsSinceEdge_ == 0 ? previousBit_ : currentBit_;
    if (readsSinceEdge_ < kMaxCountedBits)
        ++readsSinceEdge_;
    return bit ? kStatusReadbackBit : 0;
}

void SimulatedPort::reportMalformed(const QString& what) {
    malformed_.push_back(what);
    log(calltext::parallelMalformed(what));
}

void SimulatedPort::log(const QString& line) {
    if (log_)
        log_->write(line);
}

} // namespace board
