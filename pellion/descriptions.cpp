#include "pellion/descriptions.h"

#include <QPalette>

namespace pellion {

const evalkit::BoardRules& boardRules() {
    static const evalkit::BoardRules rules = [] {
        evalkit::BoardRules r;
        // The port is claimed once and remembered in PortClaimed: choosing the parallel
        // board again does not release and claim it afresh.
        r.releaseBeforeClaim = false;
        r.rememberClaim = true;
        r.controlPortMask = 0xD4;
        r.usbSwitchesChipEnableOn = false;
        r.connectedColour = QPalette().color(QPalette::Button);
        r.disconnectedColour = QColor(0xFF, 0xC0, 0xC0); // light red
        r.onClose = evalkit::BoardRules::Shutdown::ByBoard;
        // Exit closes the link whichever board is chosen, and gives back a port still
        // claimed so that no other program finds it taken.
        r.onExit = evalkit::BoardRules::Shutdown::LinkThenClaimedPort;
        return r;
    }();
    return rules;
}

} // namespace pellion
