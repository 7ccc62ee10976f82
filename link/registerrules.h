#pragma once
// Rules that the register stores of several chips apply in the same way: the receive chain's
// enables of the power-down register as the receive/transmit choice sets them, and the
// readback selection that a USB readback passes. Each store hands in its own fields and the
// values they hold when on; nothing here knows a chip.
#include <cstdint>

namespace reglink {

// One enable of the power-down register and the pre-shifted value it holds when on.
struct Enable {
    double& field;
    double on;
};

// The enables the receive/transmit rule decides.
struct ReceiveChainEnables {
    Enable lna, filter, adc, demod, logAmp;
    double& txRxSwitch; // off in both directions
    double& reserved;   // bits the rule always clears
};

enum class RadioDirection { Receive, Transmit, Neither };

// The direction a transmit/receive field holds: `receive` (its pre-shifted receive value), 0
// for transmit, anything else (a value no option button gives) neither.
constexpr RadioDirection radioDirection(int32_t txRxField, int32_t receive) {
    return txRxField == receive ? RadioDirection::Receive
           : txRxField == 0     ? RadioDirection::Transmit
                                : RadioDirection::Neither;
}

// Receiving switches the LNA, filter, ADC, demodulator and log amplifier on; transmitting
// switches them off but the ADC, which stays as the readback window set it. Both clear the
// transmit/receive switch and the reserved bits; a direction that is neither changes nothing.
void applyReceiveTransmitRule(RadioDirection direction, const ReceiveChainEnables& enables);

// Bits 4..8 of the readback register, from the sum of its pre-shifted fields (without the
// register number): what the chip is asked to read back. A sum that is no number gives 0.
int16_t readbackSelectionBits(double fieldSum);

} // namespace reglink
