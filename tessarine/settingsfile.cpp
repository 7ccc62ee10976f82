#include "tessarine/settingsfile.h"

#include "evalkit/clockoutwindow.h"
#include "evalkit/muxoutwindow.h"
#include "evalkit/settingsfile.h"
#include "platform/core/numbers.h"
#include "platform/selector.h"
#include "tessarine/biaswindow.h"
#include "tessarine/calc/settingsplan.h"
#include "tessarine/frontpanel.h"
#include "tessarine/otherfeatureswindow.h"
#include "tessarine/statuscaptions.h"
#include "tessarine/synthesizerwindow.h"
#include "tessarine/tessarineapp.h"

namespace tessarine {

namespace {

using platform::bit;
using platform::numberText;

static_assert(calc::ClockOutPositions == platform::Selector::Positions);

// The controls' own handlers store the fields, as the user's edits would; nothing goes to the
// board. The deviation box says nothing of the entries it passes through on the way: what the
// file holds is checked by the plan, and what it cannot use is named at the end.
void applyPlan(TessarineApp& app, calc::KeyReader& r, const calc::SettingsPlan& p) {
    Main& m = app.main();
    m.holdDeviationMessage(true);
    const evalkit::SynthesizerImport entries = app.synthform().applySettings(p.synthesizer);
    m.applyChargePump(p.panel);
    if (p.prescaler89)
        app.frmOtherFeatures().applyPrescalerSetting(p.prescaler89);
    app.synthform().calculateSettings(r, entries);
    if (!m.applyModulation(p.panel))
        r.skip(calc::keys::Deviation);
    if (p.other) {
        const calc::OtherPlan& o = *p.other;
        app.biasWindow().applySettings(o);
        if (o.clockOut)
            app.frmClockOut().applySetting(*o.clockOut);
        if (o.muxOut)
            app.muxform().applySetting(*o.muxOut);
        app.frmOtherFeatures().applySettings(o);
    }
    m.holdDeviationMessage(false);
    app.fnGuiWrite();
    showStatusCaptions(app);
}

} // namespace

void ExportSettings(TessarineApp& app, const QString& path) {
    if (evalkit::settingsSaveRefused(app, path))
        return;
    calc::SettingsRecord s;
    s.path = path;
    s.synthesizer = app.synthform().settingsInForce();
    const auto& f = app.f();
    // The dividers the chip is programmed with (a fraction stepped past its end has carried
    // into N there), not the working values the synthesizer window resets when it is loaded.
    const uint32_t nWord = app.store().wordBits(NRegister);
    s.fields.integerN = numberText((nWord >> 14) & 0xFF);
    s.fields.fracN = numberText((nWord >> 2) & 0xFFF);
    s.fields.refDivider = numberText(f.RDividerField / bit(13));
    s.fields.doubler = f.DoublerField != 0;
    s.fields.prescaler89 = f.PrescalerField != 0;
    s.panel = app.main().settingsInForce();
    // The windows are loaded unseen when they are not open.
    s.bias = app.biasWindow().settings();
    s.clockOut = app.frmClockOut().settingPosition();
    s.fields.muxOut = numberText(f.MuxoutField / bit(11));
    s.fields.dataInvert = numberText(f.DataInvertField / bit(5));
    s.fields.lockDetect = numberText(f.LockDetectPrecisionField / bit(15));
    evalkit::exportSettings(
        app, path, [&s](const evalkit::calc::KeyWriter& write) { calc::writeSettings(s, write); });
}

void ImportSettings(TessarineApp& app, const QString& path) {
    evalkit::importSettings(app, path, [&app](calc::KeyReader& r) {
        // Every value is checked before the first control changes.
        const calc::SettingsPlan plan = calc::planSettings(r);
        applyPlan(app, r, plan);
    });
}

} // namespace tessarine
