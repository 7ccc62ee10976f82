#pragma once

#include <QString>
#include <cstdint>

namespace board {

// The programs talk to the fixed I/O addresses of the PC's first parallel port.
inline constexpr uint16_t kDataPortAddress = 888;    // 0x378
inline constexpr uint16_t kStatusPortAddress = 889;  // 0x379
inline constexpr uint16_t kControlPortAddress = 890; // 0x37A

// The parallel-port I/O library as the programs use it: four calls, all by value. Every call
// must be accepted without a claimed port (the programs release before they ever claim, and on
// some systems never claim at all). Nothing throws, and the four calls report nothing of a call
// that did not reach the port; a back end that can tell keeps it until it is asked.
class Parllio {
public:
    virtual ~Parllio() = default;

    // The low 16 bits of the result are non-zero when the port was claimed.
    virtual int32_t ClaimParallelPort(int32_t port, int32_t flag) = 0;
    virtual void ReleaseParallelPort(int32_t port) = 0;
    // The byte read from that port; callers use the low 8 bits.
    virtual int32_t InByte(uint16_t address) = 0;
    // Writes the low 8 bits of value to that port at once.
    virtual void OutByte(uint16_t address, int16_t value) = 0;

    // Why a call since the last clearFailure() did not reach the port (the first such call,
    // naming the device and the cause, e.g. "/dev/parport0: No such device"), or empty when
    // every call did. A back end that cannot fail keeps it empty.
    virtual QString failure() const { return {}; }
    virtual void clearFailure() {}
};

} // namespace board
