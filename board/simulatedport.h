#pragma once

#include "board/chipprofile.h"
#include "board/parllio.h"

#include <QString>
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <vector>

namespace board {

class BoardLog;

// The default parallel back end: a parallel port with a pin-level model of the chip's serial
// interface behind it, so tests prove the programs' bit-banging by decoding it.
//
// Data port lines: bit 0 serial clock, bit 1 serial data, bit 2 latch enable, bit 3 held high.
// With latch enable low, each rising clock edge shifts the data bit in. The rising edge of latch
// enable latches what was shifted: 32 bits are a register write; 16 bits whose register number
// is the chip's readback register (7), with latch enable left high, start a readback of the
// selection in bits 4..8. The register number sits in the word's low bits as the chip profile
// says (bits 3..0 unless told otherwise); a chip without readback takes no 16-bit words. During a
// readback the first clock pulse prepares the chip, then each of the next 16 rising edges puts
// the next answer bit (MSB first) of the chip profile's answer on status bit 4; a further pulse
// ends the frame and latch enable falling closes it. The status line settles late: the first status
// read after a clock edge still shows the previous bit, so only the second of two reads is current.
//
// The simulated port works whether or not it was claimed. Nothing malformed crashes it: it is
// recorded in malformed() and the shift register starts afresh.
class SimulatedPort : public Parllio {
public:
    // What a selection the chip profile lists no answer for reads.
    static constexpr int32_t kDefaultReadbackAnswer = ChipProfile::SimulatedAnswer;
    static constexpr uint8_t kInitialControl = 0xCC;
    // Clock pulses a readback frame takes: one preparatory, 16 answer bits, one closing.
    static constexpr int kReadbackClockPulses = 18;

    struct ByteAccess {
        uint16_t address;
        int32_t value; // the value passed to OutByte, or the result of InByte
    };
    struct Readback {
        uint32_t word;     // the 16-bit R7 word shifted in
        int16_t selection; // bits 4..8 of that word
        int32_t answer;    // the answer presented (its low 16 bits)
        int clockPulses;   // rising clock edges while latch enable was high
        bool complete;     // exactly kReadbackClockPulses pulses
    };

    explicit SimulatedPort(BoardLog* log = nullptr) : log_(log) {}

    void setChip(const ChipProfile& chip) {
        chip_ = chip;
        chip_.registerNumberBits = std::clamp(chip.registerNumberBits, 1, 4);
    }
    const ChipProfile& chip() const { return chip_; }

    int32_t ClaimParallelPort(int32_t port, int32_t flag) override;
    void ReleaseParallelPort(int32_t port) override;
    int32_t InByte(uint16_t address) override;
    void OutByte(uint16_t address, int16_t value) override;

    // What ClaimParallelPort returns (1 by default); the port counts as claimed when its low
    // 16 bits are non-zero.
    void setClaimResult(int32_t result) { claimResult_ = result; }
    bool claimed() const { return claimed_; }

    // An answer set here overrides the chip profile's for that selection.
    void setReadbackAnswer(int16_t selection, int32_t value) { answers_[selection] = value; }
    int32_t readbackAnswer(int16_t selection) const;

    const std::vector<ByteAccess>& outBytes() const { return outBytes_; }
    const std::vector<ByteAccess>& inBytes() const { return inBytes_; }
    size_t outByteCount() const { return outBytes_.size(); }
    size_t inByteCount() const { return inBytes_.size(); }
    // Forgets the bytes and words seen so far (the chip keeps its registers).
    void clear() {
        outBytes_.clear();
        inBytes_.clear();
        words_.clear();
        readbacks_.clear();
    }

    // Register words the chip latched, in order, and the last one per register.
    const std::vector<uint32_t>& words() const { return words_; }
    std::optional<uint32_t> lastWord(int reg) const;
    const std::vector<Readback>& readbacks() const { return readbacks_; }
    bool readbackActive() const { return readback_.has_value(); }
    // One text per malformed sequence the chip saw.
    const std::vector<QString>& malformed() const { return malformed_; }

    uint8_t dataLines() const { return data_; }
    uint8_t controlRegister() const { return control_; }

private:
    void driveDataLines(uint8_t lines);
    void shiftIn(bool bit);
    void latchRose();
    void latchFell();
    void clockWhileLatched();
    void presentBit(bool bit);
    int32_t readStatus();
    void reportMalformed(const QString& what);
    void log(const QString& line);

    BoardLog* log_;
    ChipProfile chip_;
    int32_t claimResult_ = 1;
    bool claimed_ = false;
    std::map<int16_t, int32_t> answers_;

    uint8_t data_ = 0;
    uint8_t control_ = kInitialControl;

    uint32_t shift_ = 0;
    int bitCount_ = 0;
    std::optional<Readback> readback_;
    int strayPulses_ = 0;
    bool currentBit_ = false;
    bool previousBit_ = false;
    int readsSinceEdge_ = 0;

    std::vector<ByteAccess> outBytes_;
    std::vector<ByteAccess> inBytes_;
    std::vector<uint32_t> words_;
    std::array<std::optional<uint32_t>, 16> lastWords_{};
    std::vector<Readback> readbacks_;
    std::vector<QString> malformed_;
};

} // namespace board
