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

const evalkit::MuxoutChoices& muxoutChoices() {
    static const evalkit::MuxoutChoices choices{
        "MuxoutField",
        {QStringLiteral("Regulator Ready"), QStringLiteral("End of Cal"),
         QStringLiteral("Digital Lock Detect"), QStringLiteral("RSSI Ready"),
         QStringLiteral("Tx_Rx"), QStringLiteral("Logic Zero"), QStringLiteral("Tristate"),
         QStringLiteral("Logic One")},
        true,
    };
    return choices;
}

const evalkit::ClockOutDescription& clockOutDescription() {
    static const evalkit::ClockOutDescription description = [] {
        evalkit::ClockOutDescription d;
        d.field = "ClockOutField"; // code x 2^8 in R1
        d.crystalPattern = u"#0.00";
        // The window opens showing the output without a blank before the unit; turning the
        // selector shows it with one.
        d.loadedOutputUnit = QStringLiteral("MHz");
        return d;
    }();
    return description;
}

const evalkit::ReadbackDescription& readbackDescription() {
    static const evalkit::ReadbackDescription description = [] {
        evalkit::ReadbackDescription d;
        d.caption = QStringLiteral("Readback Function");
        d.valueCaption = QStringLiteral("Readback Value (decimal):");
        d.note = QStringLiteral(
            "Silicon Revision can be checked in either Tx, Rx or Idle mode. When in Tx Mode you "
            "need to enable the ADC Status to ON to do a readback of the other parameters. It is "
            "not possible to do a Battery Voltage or Temp Sensor readback in receive mode");
        d.loadShowsAdcEnable = true;
        return d;
    }();
    return description;
}

} // namespace pellion
