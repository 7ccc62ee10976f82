#pragma once
// How one chip's registers travel, as data: which registers the refresh shows and in what
// order, what the USB path sends for each, which register reads back and which is the
// power-down register, where raw words may go, how the parallel word ends and how read-outs
// are written and marked. The register link follows it; nothing in the link knows a chip.
#include "board/chipprofile.h"

#include <optional>
#include <vector>

namespace reglink {

// The read-out text of a word.
enum class ReadoutText {
    // "0x", the high 16 bits without leading zeros, the low 16 bits as four digits.
    HighAndLow,
    // "0x" and all hexadecimal digits of the word without leading zeros.
    Whole,
};

// When a read-out is light green.
enum class ReadoutMarks {
    // From the moment its text changes until its register is written; a write restores the
    // normal (3-D light) colour.
    TextChange,
    // While its word differs from the word last written to the register; otherwise the
    // button-face colour. A write leaves the colour to the next refresh.
    LastWritten,
};

// The bytes after the 32 data bits of a parallel write (latch enable is bit 2).
enum class LatchTail {
    LowLowAfterPulse, // 8, 12, 8, 8
    LowAfterPulse,    // 8, 12, 8
};

// A register built from fields. Either board gets the word the fields make at the moment of
// the write, and its read-out shows that word before it is marked written.
struct RegisterRoute {
    int number = 0;
    bool readout = true; // has a read-out label
    bool marked = true;  // the refresh colours its read-out (a read-out that only shows: false)
};

struct TransportDescription {
    board::ChipProfile chip;
    // The registers the refresh rebuilds and shows, in order.
    std::vector<int> refreshOrder;
    // Every register the write builds from the fields (the readback and power-down registers
    // are not listed here).
    std::vector<RegisterRoute> registers;
    std::optional<int> readbackRegister;   // written to read 16 bits back
    std::optional<int> powerDownRegister;  // built after the chip's power-down rule
    static constexpr int RawRegister = 99; // a whole word past the fields (writeRawWord)
    bool rawOverUsb = true;
    bool rawOverParallel = true;
    LatchTail latchTail = LatchTail::LowLowAfterPulse;
    ReadoutText text = ReadoutText::HighAndLow;
    ReadoutMarks marks = ReadoutMarks::TextChange;
    // With no board chosen (list index -1) a write goes nowhere; some programs send every
    // write that is not for the parallel board over USB.
    bool unchosenBoardIsUsb = false;

    const RegisterRoute* route(int n) const {
        for (const RegisterRoute& r : registers)
            if (r.number == n)
                return &r;
        return nullptr;
    }
};

} // namespace reglink
