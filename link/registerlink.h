#pragma once
// Register read-out refresh, register write and readback over the USB library
// or the parallel port, and the parallel-port routines of the Corvane programs.
#include "board/parllio.h"
#include "board/skerry.h"
#include "link/registerreadout.h"
#include "link/registerstore.h"

#include <QLabel>
#include <optional>

namespace corvane::link {

// What the transport needs of the windows around it.
class LinkHost {
public:
    virtual ~LinkHost() = default;
    // The read-out label of register n: R0..R6 and R9..R13 on the main
    // window, R15 on the test-mode window (referring to it creates that
    // window). nullptr for registers without a read-out.
    virtual RegisterReadout* readoutLabel(int n) = 0;
    // The main window's motherboard list index: 0 parallel port, 1 USB, -1 none.
    virtual int motherboardIndex() const = 0;
};

// The operating system family as the port claim needs it.
struct OsVersionInfo {
    int platformId = 0; // 1: 9x family, 2: NT family
    int major = 0;
    int minor = 0;
};
int16_t osVersionCode(const OsVersionInfo& info);
// On Linux the parallel port is always claimed before use (ppdev), which is
// the behaviour of the NT family.
OsVersionInfo currentOsVersion();

// "0x" + hexadecimal of the high 16 bits without leading zeros + the low 16
// bits as four digits.
QString readoutText(uint32_t word);
QString Hex4(int32_t v);
double HexTextToNumber(const QString& text);
// A raw word as text ("&H" and hexadecimal digits, or decimal digits) read as
// its 32-bit pattern: values from -2^31 to 2^32-1; anything else is refused.
std::optional<uint32_t> rawWordBits(const QString& text);

// Parallel data-port byte values: bit 0 clock, bit 1 data, bit 2 latch
// enable, bit 3 always high.
namespace pins {
constexpr int16_t Low = 8, Clock = 9, Data = 10, DataClock = 11, Latch = 12, LatchClock = 13;
constexpr int16_t StatusPort = 889, ControlPort = 890;
constexpr int ReadbackBit = 16;
} // namespace pins

class RegisterLink {
public:
    RegisterLink(CorvaneStore& store, board::Skerry& usb, board::Parllio& port, LinkHost& host,
                 OsVersionInfo os = currentOsVersion());

    CorvaneStore& store() { return store_; }
    board::Skerry& usb() { return usb_; }
    board::Parllio& port() { return port_; }

    void UpdateAllRegisterLabels();
    void FormatRegisterWord();
    void WriteRegister();

    // readback16: the 16-bit register-7 readback shift (only bits 15..0 go
    // out, and the latch enable stays high). The caller says which, so a raw
    // write after a readback still sends all 32 bits.
    void ShiftOutWord(bool readback16 = false);
    void PulseLatchEnable(bool readback16 = false);
    static int32_t DelayLoop(int32_t n);

    int16_t GetOsVersionCode() const { return osVersionCode(os_); }
    bool OpenParallelPort();
    int16_t PortInByte(int16_t port);
    void PortOutByte(int16_t port, int16_t value);

private:
    void writeUsb(int n);
    void writeParallel(int n);
    void parallelReadback();
    int16_t readbackSelection() const;
    void restoreMark(int n);

    CorvaneStore& store_;
    board::Skerry& usb_;
    board::Parllio& port_;
    LinkHost& host_;
    OsVersionInfo os_;
};

// The three frequency read-outs of the main window ("869.50000MHz").
void UpdateFrequencyLabels(const CorvaneWorking& w, QLabel* vco, QLabel* pfd, QLabel* crystal);

} // namespace corvane::link
