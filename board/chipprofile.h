#pragma once

#include <cstdint>
#include <optional>

namespace board {

// What the far side of the cable needs to know of the chip on the daughter board: how many
// low bits of a word carry the register number, and which register number starts a readback.
// The simulated board and port take it from the program's transport description, so they
// decode every chip's words without knowing the chip.
struct ChipProfile {
    // 4 (registers 0..15) or 2 (registers 0..3); the back ends keep at most 16 registers.
    int registerNumberBits = 4;
    // A 16-bit word with this register number starts a readback of the selection in its bits
    // 4..8; none for a write-only chip.
    std::optional<int> readbackRegister = 7;

    uint32_t registerMask() const { return (uint32_t{1} << registerNumberBits) - 1; }
    int registerOf(uint32_t word) const { return static_cast<int>(word & registerMask()); }
    int registerCount() const { return 1 << registerNumberBits; }
};

} // namespace board
