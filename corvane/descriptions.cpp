#include "corvane/descriptions.h"

namespace corvane {

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
    static const evalkit::ClockOutDescription description{};
    return description;
}

const evalkit::RawRegisterDescription& rawRegisterDescription() {
    static const evalkit::RawRegisterDescription description = [] {
        const QString captions[16] = {
            QStringLiteral("Register 00 (Hex)"),  QStringLiteral("Register 01(Hex)"),
            QStringLiteral("Register 02 (Hex)"),  QStringLiteral("Register 03 (Hex)"),
            QStringLiteral("Register 04 (Hex)"),  QStringLiteral("Register 05 (Hex )"),
            QStringLiteral("Register 06 (Hex )"), QStringLiteral("Register 07 (Hex)"),
            QStringLiteral("Register 08 (Hex)"),  QStringLiteral("Register 09 (Hex)"),
            QStringLiteral("Register 10 (Hex)"),  QStringLiteral("Register 11 (Hex)"),
            QStringLiteral("Register 12 (Hex)"),  QStringLiteral("Register 13 (Hex)"),
            QStringLiteral("Register 14 (Hex)"),  QStringLiteral("Register 15 (Hex)")};
        evalkit::RawRegisterDescription d;
        for (int n = 0; n < 16; ++n) {
            evalkit::RawRegisterDescription::Box box{captions[n], {}, {}, {}};
            if (n <= 6)
                box.designText = QStringLiteral("0xZZZZZZZZ");
            if (n <= 6 || (n >= 9 && n <= 13))
                box.readout = n;
            // Registers without a read-out start at the bare register number.
            if (n == 7)
                box.fixedText = QStringLiteral("0x007");
            else if (n == 8)
                box.fixedText = QStringLiteral("0x0008");
            else if (n == 14)
                box.fixedText = QStringLiteral("0x0000000E");
            else if (n == 15)
                box.fixedText = QStringLiteral("0x0000000F");
            d.boxes.push_back(box);
        }
        d.warning = QStringLiteral(
            "WARNING : Direct Programming of the registers will not update the Graphical "
            "interface. Programming of Registers 9 to 13 is not advised. The part should be "
            "reset to assume default values for these registers  ");
        return d;
    }();
    return description;
}

const evalkit::PortTexts& portTexts() {
    static const evalkit::PortTexts texts{
        QStringLiteral("Choose which active port the cable is conected to on the PC:"),
        QStringLiteral("Load Now"), QStringLiteral("Return to Front Panel"), false};
    return texts;
}

const evalkit::AboutTexts& aboutTexts() {
    static const evalkit::AboutTexts texts{
        QStringLiteral("REV 3.2 Release, Jan 2008"),
        QStringLiteral("This Software is an evaluation tool for the Verrix Corvane Low Power "
                       "Narrow Band Transceiver. "),
        QStringLiteral("Verrix Ltd., 4 Millbrook Court, Eastfield Park, Dunmarrow DM3 9QT"),
    };
    return texts;
}

const evalkit::RevisionHistory& revisionHistory() {
    using Kind = evalkit::RevisionHistory::Kind;
    static const evalkit::RevisionHistory history = [] {
        struct Revision {
            const char* revision;
            const char* date;
            const char* note;
            std::vector<const char*> changes;
        };
        const Revision revisions[] = {
            {"Rev 1.0", "May '05", "Sampling Silicon Rev 1 - Datasheet Rev Pr. A", {}},
            {"Rev 2.0",
             "March '06",
             "New Silicon - Rev 1 ",
             {"Addition of seperate AFC, AGC, SWD and IF Filter cal windows",
              "Added use of external inductor", "Change to appearance",
              "Removed Load Now buttons. ",
              "User must now write to appropriate register. Regsiter highlighted in green",
              "Can be used with USB or Parallel Port interface"}},
            {"Rev 2.1",
             "July '06",
             "Minor update ",
             {"Added Import/export to tesxt file. Can also import from Ombrelle and export to "
              "Zantrel ver 2.0",
              "No longer any conflicts with French/German PC language settings",
              "Fixed some minor bugs "}},
            {"Rev 3.0",
             "Nov 06",
             "Major Update. Silicon Rev 3",
             {"Addition of seperate AFC, AGC, SWD and IF Filter cal windows"}},
            {"Rev 3.1",
             "",
             "Silicon Rev4",
             {"Changed Synthesizer window. User now always enters desired RF channel frequency "
              "(even in ext L mode with RF_divide by_2 enabled)"}},
            {"Rev 3.2",
             "",
             "Silicon Rev4",
             {"Fixed AFC scaling issue and fine cal tones now as per datasheet revA"}},
        };
        evalkit::RevisionHistory h;
        h.frame = QStringLiteral("Unload Me");
        h.buttonToolTip = QStringLiteral("Back to the Main Window");
        for (const Revision& r : revisions) {
            h.lines.push_back({evalkit::RevisionHistory::columns(QString::fromLatin1(r.revision),
                                                                 QString::fromLatin1(r.date),
                                                                 QString::fromLatin1(r.note)),
                               Kind::Revision,
                               {}});
            for (const char* change : r.changes)
                h.lines.push_back({QString::fromLatin1(change), Kind::Note, {}});
        }
        h.lines.push_back(
            {QStringLiteral("Please check the Verrix website for Updates to this software"),
             Kind::Footer,
             {}});
        return h;
    }();
    return history;
}

const evalkit::BoardRules& boardRules() {
    static const evalkit::BoardRules rules = [] {
        evalkit::BoardRules r;
        r.releaseBeforeClaim = true;
        r.rememberClaim = false;
        r.controlPortMask = 0xD4;
        r.connectedColour = QPalette().color(QPalette::Button);
        r.onClose = evalkit::BoardRules::Shutdown::ByBoard;
        r.onExit = evalkit::BoardRules::Shutdown::ByBoard;
        return r;
    }();
    return rules;
}

} // namespace corvane
