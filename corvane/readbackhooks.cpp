#include "corvane/readbackhooks.h"

#include "corvane/calc/readback.h"
#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"

#include <QRadioButton>

namespace corvane {

evalkit::ReadbackHooks readbackHooks(CorvaneApp& app) {
    evalkit::ReadbackHooks hooks;
    hooks.ReadbackMode = &app.w().ReadbackMode;
    hooks.convert = [&app](int32_t mode, int32_t raw) {
        return evalkit::answerOf(calc::convertReadback(mode, raw, app.w().DemodClockMHz));
    };
    // In receive the register-8 rule powers the ADC, so the switch is for transmit only.
    const Main& m = app.main();
    hooks.transmitting = evalkit::ReadbackHooks::directionOf(m.optTx, m.optRx);
    return hooks;
}

} // namespace corvane
