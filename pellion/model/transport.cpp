#include "pellion/model/transport.h"

#include <iterator>

namespace pellion {

namespace {

// What the simulated chip answers each readback selection (enable bit set) with: a Pellion
// (silicon code 2008h) in a room at 20 °C on a 3.3 V supply, with a signal at -80 dBm. The
// chip has no filter calibration to read.
constexpr board::ReadbackAnswer SimulatedAnswers[] = {
    {20, 8 * 128 + 17}, // RSSI: gain code 8, reading 17: -80.0 dBm
    {21, 70},           // battery: 3.318 V
    {22, 62},           // temperature sensor: 20 °C
    {23, 42},           // external pin: 0.998 V
    {16, 596},          // frequency error: 1.150 kHz at the 11.0592 MHz demodulator clock
    {28, 0x2008},       // silicon revision: a Pellion
};

} // namespace

const reglink::TransportDescription& pellionTransport() {
    static const reglink::TransportDescription transport = [] {
        reglink::TransportDescription t;
        t.chip = {4, 7, {std::begin(SimulatedAnswers), std::end(SimulatedAnswers)}};
        t.refreshOrder = {13, 12, 11, 10, 9, 6, 5, 4, 3, 2, 1, 0};
        for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13})
            t.registers.push_back({n});
        t.readbackRegister = 7;
        t.powerDownRegister = 8;
        t.rawOverUsb = false;
        t.rawOverParallel = true;
        t.latchTail = reglink::LatchTail::LowLowAfterPulse;
        t.text = reglink::ReadoutText::HighAndLow;
        t.marks = reglink::ReadoutMarks::TextChange;
        return t;
    }();
    return transport;
}

} // namespace pellion
