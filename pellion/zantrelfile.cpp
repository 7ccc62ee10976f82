#include "pellion/zantrelfile.h"

#include "evalkit/fileerrors.h"
#include "evalkit/zantrel.h"
#include "pellion/frontpanel.h"
#include "pellion/pellionapp.h"
#include "pellion/synthesizerwindow.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace pellion {

namespace {

using evalkit::ZantrelEntry;
using platform::numberText;

constexpr int32_t Receive = int32_t{1} << 27;
// Code 2 of R4 bits 25..23, "Lock Threshold after next Syncw'd for DPL Bytes": the mode the
// link tool works with.
constexpr double LockAfterSyncForDpl = double(int32_t{1} << 24);

// The numbers the file takes from the panel, in its units: the crystal and the RF channel in
// units of 100 Hz, the clock-recovery rate in bit/s; or the refusal that names the text that
// cannot be written. The RF channel counts for a new file only.
struct Numbers {
    double xtal = 0;
    double baud = 0;
    double rfcn0 = 0;
};

std::optional<Numbers> zantrelNumbers(PellionApp& app, const QString& file, bool registersOnly) {
    synthform& s = app.synthform();
    std::vector<evalkit::ZantrelNumber> numbers{
        {QStringLiteral("crystal frequency"), s.TxtCrystal1->text(), 10000},
        {QStringLiteral("clock recovery rate"), app.main().lblRxCLK->text(), 1000},
    };
    if (!registersOnly)
        numbers.push_back({QStringLiteral("RF channel frequency"), s.txtVCOout1->text(), 10000});
    const evalkit::ZantrelNumbers n = evalkit::zantrelNumbers(numbers, file);
    if (n.values.empty()) {
        app.messages().message(n.refusal, platform::MsgIcon::Exclamation);
        return std::nullopt;
    }
    return Numbers{n.values[0], n.values[1], registersOnly ? 0 : n.values[2]};
}

// The beacon length correction from the data rate in force (the rate the box last took, when
// it refused the one it shows), or nothing (after saying so) when there is no rate above 0 to
// work it from.
std::optional<QString> beaconCorrection(PellionApp& app, const QString& file) {
    const QString rate = platform::textInForce(app.main().txtDatarate);
    const std::optional<double> kbps = platform::textToNumber(rate);
    const std::optional<int32_t> correction =
        kbps ? evalkit::beaconLengthCorrection(*kbps * 1000) : std::nullopt;
    if (correction)
        return numberText(*correction);
    app.messages().message(
        QStringLiteral("The beacon length correction was not written to %1: the data rate "
                       "\"%2\" is not a number above 0.")
            .arg(file, rate),
        platform::MsgIcon::Exclamation);
    return std::nullopt;
}

} // namespace

void WriteZantrelIni(PellionApp& app, const QString& path) {
    // A device or a pipe is refused before the set-up is worked out for it.
    if (evalkit::refusedAsNotAFile(app, path, evalkit::ZantrelWriteFailure))
        return;
    const bool registersOnly = app.w().IniRegistersOnly != 0;
    const QString file = evalkit::fileName(path);
    const bool synthesizerLoaded = app.isLoaded<synthform>();
    if (!zantrelNumbers(app, file, registersOnly))
        return;
    Main& m = app.main();
    PellionFields& f = app.f();
    // The file carries the lock-threshold mode the link tool works with; the set-up keeps its
    // own (the demodulator window's bit 23 is part of the same code).
    const double lockMode = f.LockThresholdModeField;
    const int32_t lockBit23 = f.LockThresholdModeBit23Field;
    const auto linkMode = [&f] {
        f.LockThresholdModeField = LockAfterSyncForDpl;
        f.LockThresholdModeBit23Field = 0;
    };
    const auto ownMode = [&f, lockMode, lockBit23] {
        f.LockThresholdModeField = lockMode;
        f.LockThresholdModeBit23Field = lockBit23;
    };
    std::vector<ZantrelEntry> entries = evalkit::zantrelRegisters(
        app, f.TxRxField,
        {Receive, [&app] { app.synthform().CmdCalculate_Click(); }, linkMode, ownMode, 5});

    // The texts as the synthesizer's calculations left them.
    const std::optional<Numbers> numbers = zantrelNumbers(app, file, registersOnly);
    // Calculated only for the file: the synthesizer window goes again, as after the
    // calculations the program makes without showing it.
    if (!synthesizerLoaded)
        app.synthform().unload();
    if (!numbers)
        return;
    const std::vector<ZantrelEntry> phy{
        {u"Phy", u"chip_type",
         m.chkInductor->isChecked() ? QStringLiteral("2") : QStringLiteral("1")},
        {u"Phy", u"pa_level", numberText(m.paLevel->value())},
        {u"Phy", u"xtal", numberText(numbers->xtal)},
        {u"Phy", u"rdiv", numberText(app.w().RDivider)},
        {u"Phy", u"baud_rate", numberText(numbers->baud)},
        {u"Phy", u"use_pa_ramp", QStringLiteral("0")},
        {u"Phy", u"use_hw_tx_clk",
         m.cmbModulation->currentText() == QStringLiteral("GFSK") ? QStringLiteral("1")
                                                                  : QStringLiteral("0")},
    };
    entries.insert(entries.end(), phy.begin(), phy.end());
    if (!registersOnly) {
        const std::optional<QString> beacon = beaconCorrection(app, file);
        std::vector<ZantrelEntry> defaults =
            evalkit::linkDefaults({u"RxRegs", u"r05", QStringLiteral("0x891A2B35")},
                                  numberText(numbers->rfcn0), beacon.value_or(QString()));
        if (!beacon)
            defaults.pop_back(); // beacon_length_correction, the last of them
        entries.insert(entries.end(), defaults.begin(), defaults.end());
    }
    evalkit::writeZantrelFile(app, path, entries);
}

} // namespace pellion
