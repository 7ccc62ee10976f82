#include "corvane/descriptions.h"

#include <QAbstractButton>

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

namespace {

using evalkit::dialog::bit;

const evalkit::dialog::StatusCaption& swdImportStatus() {
    static const evalkit::dialog::StatusCaption status{
        evalkit::dialog::FieldValues::steps(4, bit(6)),
        {QStringLiteral("Low"), QStringLiteral("High on SWD"), QStringLiteral("High on SWD"),
         QStringLiteral("High")}};
    return status;
}

} // namespace

const evalkit::AfcDescription& afcDescription() {
    static const evalkit::AfcDescription description = [] {
        evalkit::AfcDescription d;
        d.switches = {{QStringLiteral("AFC Status"),
                       "AfcEnableField",
                       {{bit(4)}, {QStringLiteral("On")}, QStringLiteral("OFF")}}};
        d.scaling = {.maxLength = 4,
                     .limit = 4095,
                     .over = evalkit::dialog::OverLimit::Warn,
                     .limitMessage = QStringLiteral("Max AFC Scaling factor setting is 4095")};
        d.scalingAccepts =
            QStringLiteral("AFC Scaling Factor: a number from 0 to 4095 of at most 4 characters");
        // The range is typed in kHz and held as a code of 0.5 kHz steps.
        d.rangeField = "AfcRangeField";
        d.range = {.maxLength = 3,
                   .limit = 255,
                   .over = evalkit::dialog::OverLimit::Warn,
                   .limitMessage = QStringLiteral("Max AFC Range setting is 255"),
                   .step = 0.5};
        d.rangeAccepts = QStringLiteral(
            "Max AFC Range: kHz from 0 to 127.5 in steps of 0.5, of at most 3 characters");
        return d;
    }();
    return description;
}

const evalkit::AgcDescription& agcDescription() {
    static const evalkit::AgcDescription description{
        {QStringLiteral("Auto"), QStringLiteral("Manual"), QStringLiteral("Freeze")},
        {0, bit(18), bit(19)},
        // The gains act in manual and frozen mode.
        {false, true, true},
        evalkit::dialog::FieldValues::steps(3, bit(20)),
        evalkit::dialog::FieldValues::steps(3, bit(22)),
        {{0, bit(18), bit(19)},
         {QStringLiteral("Auto"), QStringLiteral("Manual"), QStringLiteral("Frozen")}},
    };
    return description;
}

const evalkit::SwdDescription& swdDescription() {
    static const evalkit::SwdDescription description = [] {
        evalkit::SwdDescription d;
        d.frame = QStringLiteral("Sync Word Detect");
        d.modes = {QStringLiteral("Interupt Pin Low"), QStringLiteral("Int High after Syncword"),
                   QStringLiteral("Int High after sync for DPL Bytes"),
                   QStringLiteral("Int Pin High")};
        d.modeField = "SwdModeField";
        d.modeValues = evalkit::dialog::FieldValues::steps(4, bit(6));
        d.status = {evalkit::dialog::FieldValues::steps(4, bit(6)),
                    {QStringLiteral("Low"), QStringLiteral("High on SWD"),
                     QStringLiteral("High on SWD for DPL"), QStringLiteral("High")}};
        // The pattern is typed as bare hexadecimal digits; a cleared box is the sync word 0.
        d.syncWordDesign = QStringLiteral("2AA");
        d.syncWordAccepts =
            QStringLiteral("Sync Word Pattern: up to 6 hexadecimal digits (0 to 9, A to F)");
        // Two bits of permitted errors; a cleared box means none.
        d.errors = {.limit = 3, .over = evalkit::dialog::OverLimit::Ignore, .emptyIsZero = true};
        d.errorsAccepts = QStringLiteral("Matching Errors Permitted: a number from 0 to 3");
        // A longer packet than the 8-bit field holds is sent as the longest one.
        d.packetLengthField = "PacketLengthField";
        d.packetLength = {.maxLength = 4, .limit = 255, .over = evalkit::dialog::OverLimit::Clamp};
        d.packetLengthAccepts = QStringLiteral(
            "Data Packet Length: a number of at most 4 characters (above 255 sends 255)");
        return d;
    }();
    return description;
}

const evalkit::BiasDescription& biasDescription() {
    static const evalkit::BiasDescription description = [] {
        evalkit::BiasDescription d;
        d.xtalBiasField = "XtalBiasField";
        return d;
    }();
    return description;
}

// The block switches of register 8 and the VCO enable of register 1.
const evalkit::PowerDownDescription& powerDownDescription() {
    static const evalkit::PowerDownDescription description =
        evalkit::PowerDownDescription::transceiver(
            {{"TogVCO", QStringLiteral("VCO"), "VcoEnableField"}});
    return description;
}

const evalkit::PaRampDescription& paRampDescription() {
    static const evalkit::PaRampDescription description{
        .note = QStringLiteral("Note: Return to Front Panel automatically sets the PA to ON and "
                               "the ramp profile to No Ramp"),
        .rampField = "PaRampField",
        .rampItems = {QStringLiteral("No Ramp"), QStringLiteral("0.25 x Bit period"),
                      QStringLiteral("0.5 x Bit period"), QStringLiteral("1 x Bit period"),
                      QStringLiteral("2 x Bit period"), QStringLiteral("4 x Bit period"),
                      QStringLiteral("8 x Bit period"), QStringLiteral("16 x Bit period")},
        .rampDesignText = QStringLiteral("Set PA Ramp Profile"),
    };
    return description;
}

const evalkit::ReadbackDescription& readbackDescription() {
    static const evalkit::ReadbackDescription description = [] {
        evalkit::ReadbackDescription d;
        d.caption = QStringLiteral("Corvane Readback");
        d.valueCaption = QStringLiteral("Readback Value is :");
        d.note = QStringLiteral(
            "When in TX Mode you need to enable the ADC Status to ON to do a readback. It is not "
            "possible to do a Battery Voltage or Temp Sensor readback in receive mode");
        return d;
    }();
    return description;
}

QString afcCaption(int32_t afcEnableField) {
    return afcDescription().switches.front().status.of(afcEnableField).value_or(QString());
}

std::optional<QString> agcCaption(int32_t agcModeField) {
    return agcDescription().status.of(agcModeField);
}

std::optional<QString> swdCaptionOnReturn(int32_t swdModeField) {
    return swdDescription().status.of(swdModeField);
}

std::optional<QString> swdCaptionOnImport(int32_t swdModeField) {
    return swdImportStatus().of(swdModeField);
}

void setCaption(QAbstractButton& button, const std::optional<QString>& caption) {
    if (caption)
        button.setText(*caption);
}

} // namespace corvane
