#include "corvane/zantrelfile.h"

#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"
#include "corvane/synthesizerwindow.h"
#include "evalkit/fileerrors.h"
#include "evalkit/zantrel.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"

#include <QLineEdit>
#include <QScrollBar>

namespace corvane {

namespace {

using evalkit::ZantrelEntry;
using platform::numberText;

constexpr int32_t Receive = int32_t{1} << 27;
constexpr int32_t HighOnSyncForDpl = int32_t{1} << 7; // sync-word mode 2, the link tool's mode

// The numbers the file takes from the panel, in its units: the data rate in bit/s, the
// crystal and the RF channel in units of 100 Hz, and the beacon correction worked from the
// rate; or the refusal that names the text that cannot be written.
struct Numbers {
    double bitsPerSecond = 0;
    double xtal = 0;
    double rfcn0 = 0;
    int32_t beaconCorrection = 0;
};

std::optional<Numbers> zantrelNumbers(CorvaneApp& app, const QString& file) {
    const auto refuse = [&app](const QString& refusal) {
        app.messages().message(refusal, platform::MsgIcon::Exclamation);
        return std::nullopt;
    };
    // The rate in force: the one the box last took, when it refused the one it shows.
    const QString rate = platform::textInForce(app.main().txtDatarate);
    const QString dataRate = QStringLiteral("data rate");
    const evalkit::ZantrelNumbers r = evalkit::zantrelNumbers({{dataRate, rate, 1000}}, file);
    if (r.values.empty())
        return refuse(r.refusal);
    const std::optional<int32_t> beacon = evalkit::beaconLengthCorrection(r.values[0]);
    if (!beacon)
        return refuse(evalkit::zantrelRefusal(file, dataRate, rate));
    const evalkit::ZantrelNumbers n = evalkit::zantrelNumbers(
        {{QStringLiteral("crystal frequency"), app.synthform().TxtCrystal1->text(), 10000},
         {QStringLiteral("RF channel frequency"), app.synthform().txtVCOout1->text(), 10000}},
        file);
    if (n.values.empty())
        return refuse(n.refusal);
    return Numbers{r.values[0], n.values[0], n.values[1], *beacon};
}

} // namespace

void WriteZantrelIni(CorvaneApp& app, const QString& path) {
    // A device or a pipe is refused before the set-up is worked out for it.
    if (evalkit::refusedAsNotAFile(app, path, evalkit::ZantrelWriteFailure))
        return;
    const bool registersOnly = app.w().IniRegistersOnly != 0;
    const QString file = evalkit::fileName(path);
    if (!zantrelNumbers(app, file))
        return;
    Main& m = app.main();
    auto& f = app.f();
    const int32_t swdMode = f.SwdModeField;
    // The link tool expects the interrupt pin high after the sync word for the packet's
    // bytes; the file carries that mode, the set-up keeps its own.
    std::vector<ZantrelEntry> entries =
        evalkit::zantrelRegisters(app, f.TxRxField,
                                  {Receive, [&app] { app.synthform().CmdCalculate_Click(); },
                                   [&f] { f.SwdModeField = HighOnSyncForDpl; },
                                   [&f, swdMode] { f.SwdModeField = swdMode; }, 11});

    // The texts as the synthesizer's calculations left them.
    const std::optional<Numbers> numbers = zantrelNumbers(app, file);
    if (!numbers)
        return;
    const std::vector<ZantrelEntry> phy{
        {u"Phy", u"chip_type", QStringLiteral("3")},
        {u"Phy", u"pa_level", numberText(m.paLevel->value())},
        {u"Phy", u"xtal", numberText(numbers->xtal)},
        {u"Phy", u"rdiv", numberText(app.w().RDivider)},
        {u"Phy", u"baud_rate", numberText(numbers->bitsPerSecond)},
        {u"Phy", u"use_pa_ramp", QStringLiteral("0")},
        {u"Phy", u"use_hw_tx_clk", QStringLiteral("1")},
    };
    entries.insert(entries.end(), phy.begin(), phy.end());
    if (!registersOnly) {
        const std::vector<ZantrelEntry> defaults = evalkit::linkDefaults(
            {u"RxRegs", u"r11", QStringLiteral("0x891A2B3B")}, numberText(numbers->rfcn0),
            numberText(numbers->beaconCorrection));
        entries.insert(entries.end(), defaults.begin(), defaults.end());
    }
    evalkit::writeZantrelFile(app, path, entries);
}

} // namespace corvane
