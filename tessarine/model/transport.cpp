#include "tessarine/model/transport.h"

#include "tessarine/model/registerstore.h"

namespace tessarine {

const reglink::TransportDescription& tessarineTransport() {
    static const reglink::TransportDescription transport = [] {
        reglink::TransportDescription t;
        t.chip = {2, std::nullopt};
        t.refreshOrder = {FunctionRegister, ModulationRegister, NRegister, RRegister};
        for (int n : {RRegister, NRegister, ModulationRegister, FunctionRegister})
            t.registers.push_back({n, true, true});
        t.rawOverUsb = true;
        t.rawOverParallel = true;
        t.latchTail = reglink::LatchTail::LowAfterPulse;
        t.text = reglink::ReadoutText::Whole;
        t.marks = reglink::ReadoutMarks::LastWritten;
        t.unchosenBoardIsUsb = true;
        return t;
    }();
    return transport;
}

} // namespace tessarine
