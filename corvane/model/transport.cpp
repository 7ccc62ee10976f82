#include "corvane/model/transport.h"

namespace corvane {

const reglink::TransportDescription& corvaneTransport() {
    static const reglink::TransportDescription transport = [] {
        reglink::TransportDescription t;
        t.chip = {4, 7};
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
