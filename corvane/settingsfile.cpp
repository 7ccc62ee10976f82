#include "corvane/settingsfile.h"

#include "corvane/calc/settingsplan.h"
#include "corvane/corvaneapp.h"
#include "corvane/statuscaptions.h"
#include "corvane/windows.h"
#include "evalkit/settingsfile.h"
#include "platform/core/numbers.h"

namespace corvane {

namespace {

using platform::bit;
using platform::numberText;

// The controls' own handlers recompute the fields, as the user's edits would; nothing goes to
// the board. The windows stay loaded unseen from one file to the next: a control that shows the
// value already has its handler run all the same, since another window may have changed its
// field meanwhile (the VCO list the VCO bias, the synthesizer the calibration tones).
void applyPlan(CorvaneApp& app, calc::KeyReader& r, const calc::SettingsPlan& p) {
    Main& m = app.main();
    m.applyVcoChoice(p.panel);
    const evalkit::SynthesizerImport entries = app.synthform().applySettingsEntries(p.synthesizer);
    m.applyChargePump(p.panel);
    app.biasWindow().applyVcoSettings(p.bias);
    m.applyDirection(p.panel);
    // The direction's plan may have closed the synthesizer window: it is loaded afresh.
    app.synthform().calculateSettings(r, entries);
    m.applyModulation(p.panel);
    app.biasWindow().applyPaBiasSetting(p.bias);
    m.applyIfBandwidth(p.panel);
    app.biasWindow().applyMixerSetting(p.bias);
    m.applyDemodulator(p.panel);
    if (p.sync)
        app.frmSWD().applySettings(*p.sync);
    if (p.afc)
        app.frmAFC().applySettings(*p.afc);
    if (p.ifFilter)
        app.frmIFCal().applySettings(*p.ifFilter);
    if (p.agc)
        app.frmAGC().applySettings(*p.agc);
    m.finishSettingsImport();
    app.UpdateAllRegisterLabels();
    // The front panel's status captions follow from the fields these set.
    showStatusCaptions(app);
}

} // namespace

void ExportSettings(CorvaneApp& app, const QString& path) {
    Main& m = app.main();
    std::optional<calc::SettingsRecord> record =
        evalkit::beginSettingsRecord<calc::SettingsRecord>(app, path);
    if (!record)
        return;
    calc::SettingsRecord& s = *record;
    const auto& f = app.f();
    // Written as the divider the chip is programmed with, not the working values the
    // synthesizer window resets when it is loaded.
    s.fields.integerN = numberText(f.IntegerNField / bit(19));
    s.fields.fracN = numberText(f.FracNField / bit(4));
    // The windows are loaded unseen when they are not open, and stay so; what a window shows
    // that its field no longer holds (the VCO list sets the VCO bias, the synthesizer the
    // calibration tones) is written as the field holds it.
    s.synthesizer = app.synthform().settingsInForce();
    BiasWindow& bias = app.biasWindow();
    frmSWD& swd = app.frmSWD();
    frmAFC& afc = app.frmAFC();
    frmIFCal& cal = app.frmIFCal();
    frmAGC& agc = app.frmAGC();
    s.panel = m.settingsInForce();
    s.bias = bias.settingsInForce();
    s.sync = swd.settingsInForce();
    s.afc = afc.settingsInForce();
    s.ifFilter = cal.settingsInForce();
    s.agc = agc.settingsInForce();
    s.fields.lnaMode = numberText(f.LnaModeField / double(bit(15)));
    s.fields.refDivider = numberText(app.w().RDivider);
    s.fields.divideBy2 = f.VcoDiv2Field != 0;
    evalkit::exportSettings(
        app, path, [&s](const evalkit::calc::KeyWriter& write) { calc::writeSettings(s, write); });
}

void ImportSettings(CorvaneApp& app, const QString& path) {
    evalkit::importSettings(app, path, [&app](calc::KeyReader& r) {
        if (const std::optional<QString> refusal = calc::chipRefusal(r)) {
            app.messages().message(*refusal);
            return;
        }
        // Every value is checked before the first control changes.
        const calc::SettingsPlan plan = calc::planSettings(r, app.main().modulationChoice());
        applyPlan(app, r, plan);
    });
}

} // namespace corvane
