#include "pellion/frmreadback.h"

#include "pellion/calc/readback.h"
#include "pellion/main_window.h"
#include "pellion/pellionapp.h"
#include "platform/named.h"

#include <QLabel>
#include <QRadioButton>

namespace pellion {

namespace {

// The silicon code and the variant it names go to the front panel; an unknown code still
// shows, with the device as it was.
void showSiliconRevision(PellionApp& app, const calc::ReadbackResult& r) {
    PellionWorking& w = app.w();
    platform::assignIfSet(w.DeviceName, r.DeviceName);
    platform::assignIfSet(w.SiliconRevisionText, r.SiliconRevisionText);
    app.main().Labelrev->setText(w.SiliconRevisionText);
    app.main().devinuse->setText(w.DeviceName);
}

} // namespace

evalkit::ReadbackHooks readbackHooks(PellionApp& app) {
    evalkit::ReadbackHooks hooks;
    hooks.ReadbackMode = &app.w().ReadbackMode;
    hooks.convert = [&app](int32_t mode, int32_t raw) {
        const calc::ReadbackResult r = calc::convertReadback(mode, raw, app.w().DemodClockMHz);
        evalkit::ReadbackAnswer a;
        a.lblReadbackDisplay = r.lblReadbackDisplay;
        a.lblReadbackSpecificDisplay = r.lblReadbackSpecificDisplay;
        a.ReadbackValue = r.ReadbackValue;
        a.messages = r.messages;
        if (r.SiliconRevisionText)
            a.thenApply = [&app, r] {
                showSiliconRevision(app, r);
            };
        return a;
    };
    hooks.transmitting = [&app]() -> std::optional<bool> {
        const Main& m = app.main();
        if (m.optTx->isChecked())
            return true;
        if (m.optRx->isChecked())
            return false;
        return std::nullopt;
    };
    return hooks;
}

} // namespace pellion
