#pragma once
// Read-out refresh, register write and readback over the USB library or the parallel port,
// and the parallel-port routines, for any chip: the chip's register file builds the words and
// its transport description says where they go.
#include "board/parllio.h"
#include "board/skerry.h"
#include "link/readouttext.h"
#include "link/registerfile.h"
#include "link/registerreadout.h"
#include "link/transport.h"

#include <cstdint>

namespace reglink {

// What the transport needs of the windows around it.
class LinkHost {
public:
    virtual ~LinkHost() = default;
    // The read-out label of register n (referring to it may create the window that holds it),
    // or nullptr for a register without one.
    virtual RegisterReadout* readoutLabel(int n) = 0;
    // The motherboard list index: 0 parallel port, 1 USB, -1 none.
    virtual int motherboardIndex() const = 0;
    // Why a write did not reach the chosen board.
    enum class NotSent {
        PortNotClaimed, // the parallel-port board, its port not claimed: nothing was sent
        UsbLinkClosed,  // the USB board, its link not open: nothing was sent
        PortFailed,     // a port call failed part-way: the word did not go out whole
    };
    // A write did not reach the chosen board; the user has to be told (once for all the
    // writes of one action). `detail` names the device and the cause of a port failure.
    virtual void undelivered(NotSent why, const QString& detail) = 0;
};

// The operating system family as the port claim needs it.
struct OsVersionInfo {
    int platformId = 0; // 1: 9x family, 2: NT family
    int major = 0;
    int minor = 0;
};
int16_t osVersionCode(const OsVersionInfo& info);
// On Linux the parallel port is always claimed before use (ppdev), which is the behaviour of
// the NT family.
OsVersionInfo currentOsVersion();

// Parallel data-port byte values: bit 0 clock, bit 1 data, bit 2 latch enable, bit 3 always
// high.
namespace pins {
constexpr int16_t Low = 8, Clock = 9, Data = 10, DataClock = 11, Latch = 12, LatchClock = 13;
constexpr int16_t StatusPort = 889, ControlPort = 890;
constexpr int ReadbackBit = 16;
} // namespace pins

class RegisterLink {
public:
    RegisterLink(const TransportDescription& transport, RegisterFile& registers,
                 TransportValues& values, board::Skerry& usb, board::Parllio& port, LinkHost& host,
                 OsVersionInfo os = currentOsVersion());

    const TransportDescription& transport() const { return transport_; }
    RegisterFile& registers() { return registers_; }
    TransportValues& values() { return v_; }
    board::Skerry& usb() { return usb_; }
    board::Parllio& port() { return port_; }

    // Rebuilds every word of the refresh order and shows it, marking read-outs as the
    // description says.
    void UpdateAllRegisterLabels();
    // Formats a word into RegisterHexHigh / RegisterHexLow and keeps it in RegisterWord,
    // lowered by 2^31 when bit 31 is set, as the shift does.
    void FormatRegisterWord(double word);

    // The three ways a word goes out. Each returns false when the word did not reach a board
    // whole: none is chosen, the parallel port is not claimed, the USB link is not open, or a
    // port call failed part-way (the host is told of the last three, and a read-out keeps its
    // mark). The link alone records what it was asked to send and what went out
    // (RegisterSelect, RegisterWord, RegisterHexHigh / RegisterHexLow, RawWord,
    // ReadbackValue); a readback that returns false read nothing.
    //
    // Register n as the chip takes it: a register built from the fields (the word the fields
    // make now, shown on its read-out), the readback register (the answer lands in
    // ReadbackValue) or the power-down register (after the chip's power-down rule). Any other
    // number, the raw register 99 among them, sends nothing.
    bool writeRegister(int n);
    // A whole word through the raw register 99, over the boards the transport lets raw words
    // go over (on any other board nothing goes out).
    bool writeRawWord(uint32_t bits);
    // A whole word past the field store straight to the chosen board, as the raw windows and
    // test words send it: the USB library gets it as it is, the parallel port all 32 bits and
    // a closed latch.
    bool sendWord(uint32_t bits);

    static int32_t DelayLoop(int32_t n);

    int16_t GetOsVersionCode() const { return osVersionCode(os_); }
    // Claims the port; the parallel board takes words only while it is claimed.
    bool OpenParallelPort();
    // An operating system that needs no claim: the port can be used as it is.
    void portNeedsNoClaim() { portUsable_ = true; }
    void ReleaseParallelPort();
    bool portUsable() const { return portUsable_; }
    // Opens the USB link (the library must answer 1); the USB board takes words and answers
    // readbacks only while its link is open.
    bool OpenUsbLink();
    // Shuts the USB link down, whether or not it was open.
    void CloseUsbLink();
    bool usbOpen() const { return usbOpen_; }
    int16_t PortInByte(int16_t port);
    void PortOutByte(int16_t port, int16_t value);

private:
    enum class Board { None, Parallel, Usb };
    Board chosenBoard() const;
    // The board a write goes to now; None (after telling the host) when the parallel board is
    // chosen but its port is not claimed.
    Board deliverableBoard();
    bool writeRouted(Board board, const RegisterRoute& route);
    void sendUsb(uint32_t bits);
    // False (after telling the host) when a port call failed: the rest of the word was not
    // sent, so the chip latched nothing of it.
    bool sendParallel(double word);
    void startParallel();
    bool parallelWentOut();
    // readback16: the 16-bit readback shift (only bits 15..0 go out, and the latch enable
    // stays high). The caller says which, so a raw write after a readback still sends all 32
    // bits.
    void ShiftOutWord(double word, bool readback16);
    void PulseLatchEnable(bool readback16);
    bool parallelReadback();
    void afterWrite(int n, double word, RegisterReadout* label);
    // Register n's read-out shows `text` (the text of `word`), marked as the transport's
    // marking rule says.
    void showOnReadout(int n, double word, const QString& text);
    void dataOut(int16_t value);

    const TransportDescription& transport_;
    RegisterFile& registers_;
    TransportValues& v_;
    board::Skerry& usb_;
    board::Parllio& port_;
    LinkHost& host_;
    OsVersionInfo os_;
    bool portUsable_ = false;
    bool usbOpen_ = false;
    bool portFailed_ = false; // a port call of the word being sent failed
};

} // namespace reglink
