#include "pellion/readbackhooks.h"

#include "pellion/calc/readback.h"
#include "pellion/frontpanel.h"
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
        evalkit::ReadbackAnswer a = evalkit::answerOf(r);
        a.messages = r.messages;
        if (r.SiliconRevisionText)
            a.thenApply = [&app, r] {
                showSiliconRevision(app, r);
            };
        return a;
    };
    const Main& m = app.main();
    hooks.transmitting = evalkit::ReadbackHooks::directionOf(m.optTx, m.optRx);
    return hooks;
}

} // namespace pellion
