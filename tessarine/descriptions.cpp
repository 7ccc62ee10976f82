#include "tessarine/descriptions.h"

namespace tessarine {

const evalkit::MuxoutChoices& muxoutChoices() {
    static const evalkit::MuxoutChoices choices{
        "MuxoutField",
        {QStringLiteral("Logic Low"), QStringLiteral("Logic High"), QStringLiteral("Tri-State"),
         QStringLiteral("Regulator Ready (Default)"), QStringLiteral("Digital Lock Detect"),
         QStringLiteral("Analog Lock Detect"), QStringLiteral("R-Divider / 2"),
         QStringLiteral("N-Divider / 2"), QStringLiteral("R Divider"), QStringLiteral("Data Rate"),
         QStringLiteral("Vdd  <  2.35V ?"), QStringLiteral("Vdd  <  2.75V ?"),
         QStringLiteral("Vdd  < 3.00V ?"), QStringLiteral("Vdd  < 3.25V ?"),
         QStringLiteral("Test Modes 1"), QStringLiteral("Test Modes SD")},
        // Only the return button takes the choice; closing the window keeps the old value.
        false,
    };
    return choices;
}

const evalkit::ClockOutDescription& clockOutDescription() {
    static const evalkit::ClockOutDescription description = [] {
        evalkit::ClockOutDescription d;
        d.field = "ClockOutField";
        d.enableField = "ClockOutEnableField";
        d.crystalCaption = QStringLiteral("Xtal Frequency  :");
        d.offText = QStringLiteral("Off");
        d.crystalPattern = u"#0.00";
        d.offCaptionAlways = true;
        return d;
    }();
    return description;
}

const evalkit::RawRegisterDescription& rawRegisterDescription() {
    static const evalkit::RawRegisterDescription description = [] {
        evalkit::RawRegisterDescription d;
        const QString captions[4] = {
            QStringLiteral("Register 00 (Hex)"), QStringLiteral("Register 01(Hex)"),
            QStringLiteral("Register 02 (Hex)"), QStringLiteral("Register 03 (Hex)")};
        for (int n = 0; n < 4; ++n)
            d.boxes.push_back({captions[n], QStringLiteral("0xZZZZZZZZ"), n, {}});
        d.warning = QStringLiteral("WARNING : Direct Programming of the registers will not update "
                                   "the") +
                    QString(34, QLatin1Char(' ')) + QStringLiteral("Graphical interface.");
        d.throughRawRegister = true;
        d.updateAll = true;
        d.updateAllToolTip = QStringLiteral("Click here to update all registers and HEX values");
        return d;
    }();
    return description;
}

const evalkit::PortTexts& portTexts() {
    static const evalkit::PortTexts texts{
        QStringLiteral("Choose which active port the cable is conected to on the PC : (when "
                       "using the QuorrabaseZ mother board only):"),
        QStringLiteral("OK"), QStringLiteral("Cancel"), true};
    return texts;
}

const evalkit::AboutTexts& aboutTexts() {
    static const evalkit::AboutTexts texts{
        QStringLiteral("REV 4.0 September 2007"),
        QStringLiteral(
            "This Software is an evaluation tool for the Verrix Tessarine Low Power Transmitter."),
        QString(),
    };
    return texts;
}

const evalkit::RevisionHistory& revisionHistory() {
    using Kind = evalkit::RevisionHistory::Kind;
    static const evalkit::RevisionHistory history = [] {
        evalkit::RevisionHistory h;
        for (const char* line : {
                 "Version 4.0   Major Update. Can be used with USB or Parallel Port Interface",
                 "Version 3.1   Direct Reg programming. GFSK update. Testmodes added",
                 "Version 3.0   Typographical Changes",
                 "Version 2.1   December 2003 Channel Selection Guide removed",
                 "Version 2.0   Final Silicon - Datasheet Pr.D/PrE",
                 "Version 1.0   Sampling Silicon - Datasheet Pr.C ",
             })
            h.lines.push_back({QString::fromLatin1(line), Kind::Revision, {}});
        h.lines.push_back(
            {QStringLiteral("Please check the Verrix website for Updates to this Software"),
             Kind::Footer,
             {}});
        h.button = QStringLiteral("Return to Front Panel");
        return h;
    }();
    return history;
}

const evalkit::BoardRules& boardRules() {
    static const evalkit::BoardRules rules = [] {
        evalkit::BoardRules r;
        // The port stays claimed while the parallel-port board is chosen again; only choosing
        // the USB board gives it up.
        r.releaseBeforeClaim = false;
        r.rememberClaim = true;
        r.controlPortMask = 0xD4 & 0xDF;
        r.usbSwitchesChipEnableOn = true;
        // The link button keeps its colour.
        r.connectedColour = std::nullopt;
        r.disconnectedColour = std::nullopt;
        r.onClose = evalkit::BoardRules::Shutdown::ReleaseThenByBoard;
        r.onExit = evalkit::BoardRules::Shutdown::ReleaseThenByBoard;
        return r;
    }();
    return rules;
}

} // namespace tessarine
