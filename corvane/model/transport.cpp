#include "corvane/model/transport.h"

#include <iterator>

namespace corvane {

namespace {

// What the simulated chip answers each readback selection (enable bit set) with: a room at
// 20 °C, a 3.3 V supply and a signal at -80 dBm, read as the readback window converts them.
constexpr board::ReadbackAnswer SimulatedAnswers[] = {
    {20, 4 * 128 + 42}, // RSSI: gain code 4, reading 42: -80.0 dBm
    {21, 70},           // battery: 3.318 V
    {22, 62},           // temperature sensor: 20 °C
    {23, 42},           // external pin: 0.998 V
    {16, 5408},         // frequency error: 1.499 kHz at the 4.92 MHz demodulator clock
    {24, 37},           // filter calibration result
    {28, 0x4011},       // silicon revision
};

} // namespace

const reglink::TransportDescription& corvaneTransport() {
    static const reglink::TransportDescription transport = [] {
        reglink::TransportDescription t;
        t.chip = {4, 7, {std::begin(SimulatedAnswers), std::end(SimulatedAnswers)}};
        t.refreshOrder = {15, 13, 12, 11, 10, 9, 6, 5, 4, 3, 2, 1, 0};
        for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13})
            t.registers.push_back({n});
        t.registers.push_back({15, true, false});
        t.readbackRegister = 7;
        t.powerDownRegister = 8;
        t.latchTail = reglink::LatchTail::LowLowAfterPulse;
        t.text = reglink::ReadoutText::HighAndLow;
        t.marks = reglink::ReadoutMarks::TextChange;
        return t;
    }();
    return transport;
}

} // namespace corvane
