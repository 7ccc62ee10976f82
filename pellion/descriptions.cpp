#include "pellion/descriptions.h"

#include "pellion/calc/settingsplan.h"

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

const evalkit::RawRegisterDescription& rawRegisterDescription() {
    static const evalkit::RawRegisterDescription description = [] {
        evalkit::RawRegisterDescription d;
        for (int n = 0; n < 16; ++n) {
            QString caption = QStringLiteral("Register %1 (Hex)").arg(n, 2, 10, QLatin1Char('0'));
            if (n == 1)
                caption = QStringLiteral("Register 01(Hex)");
            else if (n == 5 || n == 6)
                caption = QStringLiteral("Register 0%1 (Hex )").arg(n);
            evalkit::RawRegisterDescription::Box box{caption, {}, {}, {}};
            box.designText = n <= 6 ? QStringLiteral("0xZZZZZZZZ") : QStringLiteral(" 0xZZZZZZZ");
            if (n <= 6 || (n >= 9 && n <= 13))
                box.readout = n;
            // The registers without a read-out: their bare number, which the window reads
            // as it stands.
            if (n == 7)
                box.fixedText = QStringLiteral("007");
            else if (n == 8)
                box.fixedText = QStringLiteral("00008");
            else if (n == 14)
                box.fixedText = QStringLiteral("0000E");
            else if (n == 15)
                box.fixedText = QStringLiteral("0000F");
            d.boxes.push_back(box);
        }
        d.warning = QStringLiteral(
            "WARNING : Direct Programming of the registers will not update the Graphical "
            "interface. Programming of Registers 9 to 13 is not advised. The part should be "
            "reset to assume default values for these registers. Use 0x before all register "
            "values.  ");
        return d;
    }();
    return description;
}

namespace {

using evalkit::dialog::bit;

// A front-panel button that reads "On" for the field's one value and "OFF" for any other.
evalkit::dialog::StatusCaption onOff(int32_t on) {
    return {{on}, {QStringLiteral("On")}, QStringLiteral("OFF")};
}

} // namespace

const evalkit::AfcDescription& afcDescription() {
    static const evalkit::AfcDescription description = [] {
        evalkit::AfcDescription d;
        d.switches = {
            {QStringLiteral("AFC Status"), "AfcEnableField", onOff(bit(20))},
            {QStringLiteral("IF Filter Calibration"), "IFFilterCalEnableField", onOff(bit(19))},
        };
        // Four characters always fit the sixteen bits of the field.
        d.scaling = {.maxLength = 4, .limit = 0xFFFF, .over = evalkit::dialog::OverLimit::Ignore};
        d.scalingAccepts =
            QStringLiteral("AFC Scaling Factor: a number from 0 to 9999 of at most 4 characters");
        return d;
    }();
    return description;
}

const evalkit::AgcDescription& agcDescription() {
    static const evalkit::AgcDescription description{
        {QStringLiteral("Auto"), QStringLiteral("Freeze"), QStringLiteral("Manual")},
        {0, bit(18), bit(19)},
        {false, false, true}, // the gains are chosen in manual mode only
        {bit(20), 2 * bit(20), 3 * bit(20)},
        {0, bit(22), 2 * bit(22)},
        {{0, bit(18), bit(19)},
         {QStringLiteral("Auto"), QStringLiteral("Frozen"), QStringLiteral("Manual")}},
    };
    return description;
}

const evalkit::SwdDescription& swdDescription() {
    static const evalkit::SwdDescription description = [] {
        evalkit::SwdDescription d;
        d.frame = QStringLiteral("Sync Word Detect (SWD)");
        d.modes = {QStringLiteral("SWD Off"), QStringLiteral("SWD On - Free Running"),
                   QStringLiteral("SWD On - Lock Threshold")};
        // The mode shares the lock-threshold code of R4 with the demodulator window.
        d.modeField = "LockThresholdModeField";
        d.modeValues = {0, bit(24), 3 * bit(23)};
        d.status = {{0, bit(24), 3 * bit(23)},
                    {QStringLiteral("Off"), QStringLiteral("SWD On - Free"),
                     QStringLiteral("SWD On - Lock")}};
        d.syncWordPrefix = calc::SyncWordPrefix;
        d.syncWordDesign = QStringLiteral("0xAAAAAA");
        d.syncWordTooWide = QStringLiteral("Max Sync Word Pattern setting is 0xFFFFFF");
        d.syncWordAccepts = QStringLiteral(
            "Sync Word Pattern: 0x followed by up to 6 hexadecimal digits (0 to 9, A to F)");
        d.errors = {.limit = 3,
                    .over = evalkit::dialog::OverLimit::Warn,
                    .limitMessage = QStringLiteral("Max Matching Errors Permitted setting is 3"),
                    .emptyIsZero = true};
        d.errorsAccepts = QStringLiteral("Matching Errors Permitted: a number from 0 to 3");
        return d;
    }();
    return description;
}

const evalkit::BiasDescription& biasDescription() {
    static const evalkit::BiasDescription description = [] {
        evalkit::BiasDescription d;
        // A move of the VCO bias bar shows the current as the load does.
        d.vcoBiasMovedOffsetMilliamps = 0.25;
        d.vcoAdjustEnds = false;
        return d;
    }();
    return description;
}

// The block switches of register 8; this chip has no VCO enable of its own.
const evalkit::PowerDownDescription& powerDownDescription() {
    static const evalkit::PowerDownDescription description =
        evalkit::PowerDownDescription::transceiver(std::nullopt);
    return description;
}

const evalkit::PaRampDescription& paRampDescription() {
    static const evalkit::PaRampDescription description{
        .note = QStringLiteral("Note: Return to Front Panel automatically sets the PA to ON")};
    return description;
}

} // namespace pellion
