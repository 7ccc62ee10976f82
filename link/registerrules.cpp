#include "link/registerrules.h"

#include "platform/core/numbers.h"

namespace reglink {

void applyReceiveTransmitRule(RadioDirection direction, const ReceiveChainEnables& e) {
    if (direction == RadioDirection::Neither)
        return;
    const bool receive = direction == RadioDirection::Receive;
    e.txRxSwitch = 0;
    e.reserved = 0;
    for (const Enable* enable : {&e.logAmp, &e.demod, &e.filter, &e.lna})
        enable->field = receive ? enable->on : 0;
    if (receive)
        e.adc.field = e.adc.on;
}

int16_t readbackSelectionBits(double fieldSum) {
    return static_cast<int16_t>(platform::toInt64(fieldSum / 16.0).value_or(0) & 31);
}

} // namespace reglink
