#include "pellion/settingsfile.h"

#include "evalkit/biaswindow.h"
#include "evalkit/settingsfile.h"
#include "evalkit/syncwordwindow.h"
#include "pellion/calc/settingsplan.h"
#include "pellion/frontpanel.h"
#include "pellion/gaussianwindow.h"
#include "pellion/pellionapp.h"
#include "pellion/statuscaptions.h"
#include "pellion/synthesizerwindow.h"
#include "platform/core/numbers.h"

namespace pellion {

namespace {

using platform::bit;
using platform::numberText;

// The front panel's handlers know an import is running while this lives.
class SettingsLoading {
public:
    explicit SettingsLoading(PellionWorking& w) : w_(w) { w_.SettingsLoaded = -1; }
    ~SettingsLoading() { w_.SettingsLoaded = 0; }
    SettingsLoading(const SettingsLoading&) = delete;
    SettingsLoading& operator=(const SettingsLoading&) = delete;

private:
    PellionWorking& w_;
};

// 2 - 16. The controls' own handlers store the fields, as the user's edits would; nothing goes
// to the board. Each control set here runs its handler also when it already shows the value:
// the field it stands for may have been changed meanwhile by another window (the lock code by
// the demodulator window, the VCO bias by the inductor check box), and must hold what the
// control shows.
void applyPlan(PellionApp& app, calc::KeyReader& r, const calc::SettingsPlan& p) {
    const SettingsLoading loading(app.w());
    Main& m = app.main();
    m.applyInductor(p.panel);
    const evalkit::SynthesizerImport entries = app.synthform().applySettingsEntries(p.synthesizer);
    m.applyChargePump(p.panel);
    app.synthform().applyDivideBy2(p.synthesizer);
    app.biasWindow().applyVcoSettings(p.bias);
    app.synthform().calculateSettings(r, entries);
    if (!m.applyDeviation(p.panel))
        r.skip(calc::keys::Deviation);
    if (p.panel.scheme && calc::isGaussianScheme(*p.panel.scheme))
        frmGFSK::storeSettings(app.f(), p.gaussian);
    m.applyModulation(p.panel);
    if (!m.applyDataRate(p.panel))
        r.skip(calc::keys::BaudRate);
    m.applyIfBandwidth(p.panel);
    // The bias window's list shows the mixer linearity as the field holds it, so the next save
    // writes what was loaded.
    if (p.bias.mixerLinearity)
        app.biasWindow().applyMixerSetting(p.bias);
    if (p.lnaMode)
        app.f().LnaModeField = *p.lnaMode * bit(15);
    app.frmSWD().applySettings(p.sync);
    app.UpdateAllRegisterLabels();
    showStatusCaptions(app);
}

} // namespace

void ExportSettings(PellionApp& app, const QString& path) {
    Main& m = app.main();
    std::optional<calc::SettingsRecord> record =
        evalkit::beginSettingsRecord<calc::SettingsRecord>(app, path);
    if (!record)
        return;
    calc::SettingsRecord& s = *record;
    // The windows are loaded unseen when they are not open, and stay so, as an import leaves
    // them; what a window shows that its field no longer holds is written as the field holds it.
    s.synthesizer = app.synthform().settingsInForce();
    evalkit::BiasWindow& bias = app.biasWindow();
    evalkit::frmSWD& swd = app.frmSWD();
    s.sync = swd.settingsInForce();
    const PellionFields& f = app.f();
    s.panel = m.settingsInForce();
    // The dividers the chip is programmed with, not the working values the synthesizer window
    // resets when it is loaded.
    s.fields.integerN = numberText(f.IntegerNField / double(bit(19)));
    s.fields.fracN = numberText(f.FracNField / double(bit(4)));
    s.gaussian = frmGFSK::settingsInForce(f);
    s.bias = bias.settingsInForce();
    s.fields.lnaMode = numberText(f.LnaModeField / double(bit(15)));
    s.fields.refDivider = numberText(app.w().RDivider);
    s.fields.divideBy2 = f.VcoDiv2Field != 0;
    evalkit::exportSettings(
        app, path, [&s](const evalkit::calc::KeyWriter& write) { calc::writeSettings(s, write); });
}

void ImportSettings(PellionApp& app, const QString& path) {
    // 1. There is no check of the chip: both variants read the same file.
    evalkit::importSettings(app, path, [&app](calc::KeyReader& r) {
        // Every value is checked before the first control changes.
        const calc::SettingsPlan plan = calc::planSettings(r);
        applyPlan(app, r, plan);
    });
}

} // namespace pellion
