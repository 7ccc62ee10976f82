#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace board {

// What the chip on the far side answers one readback selection with.
struct ReadbackAnswer {
    int16_t selection = 0; // bits 4..8 of the readback word, enable bit included
    int32_t value = 0;     // the 16-bit answer
};

// What the far side of the cable needs to know of the chip on the daughter board: how many
// low bits of a word carry the register number, which register number starts a readback, and
// what the chip answers. The simulated board and port take it from the program's transport
// description, so they decode every chip's words and answer like it without knowing the chip.
struct ChipProfile {
    // 4 (registers 0..15) or 2 (registers 0..3); the back ends keep at most 16 registers.
    int registerNumberBits = 4;
    // A 16-bit word with this register number starts a readback of the selection in its bits
    // 4..8; none for a write-only chip.
    std::optional<int> readbackRegister = 7;
    // A plausible answer for each quantity the chip measures; a selection not listed here
    // answers SimulatedAnswer.
    std::vector<ReadbackAnswer> readbackAnswers = {};

    static constexpr int32_t SimulatedAnswer = 0x012C;

    uint32_t registerMask() const { return (uint32_t{1} << registerNumberBits) - 1; }
    int registerOf(uint32_t word) const { return static_cast<int>(word & registerMask()); }
    int registerCount() const { return 1 << registerNumberBits; }
    int32_t answerTo(int16_t selection) const {
        for (const ReadbackAnswer& a : readbackAnswers)
            if (a.selection == selection)
                return a.value;
        return SimulatedAnswer;
    }
};

} // namespace board
