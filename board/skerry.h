#pragma once

#include <cstdint>

namespace board {

// The USB interface library as the programs use it: six calls, with the argument types the
// programs pass. Every call must be accepted without an open link, because start-up and shut-down
// select the chip and close the link whether or not it was ever opened. Nothing throws.
class Skerry {
public:
    virtual ~Skerry() = default;

    // Opens the link; 1 means the link is up, any other value that it is not.
    virtual int32_t rpc_initialise_vb() = 0;
    // Prepares the board once the link is up.
    virtual void sched_initialise_target() = 0;
    // 1 selects (enables) the chip, 0 deselects it.
    virtual void dd_pellion_chip_sel(int32_t select) = 0;
    // The whole register word, register number in bits 3..0; by reference, as the programs pass it.
    virtual void dd_write_pellion_reg(int32_t& word) = 0;
    // The chip's 16-bit readback value for a selection (bits 4..8 of the R7 word).
    virtual int32_t dd_read_pellion_reg(int16_t selection) = 0;
    // Closes the link.
    virtual void rpc_shutdown() = 0;
};

} // namespace board
