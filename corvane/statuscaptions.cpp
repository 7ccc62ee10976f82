#include "corvane/statuscaptions.h"

#include "corvane/corvaneapp.h"
#include "corvane/descriptions.h"
#include "corvane/frontpanel.h"
#include "evalkit/statuscaption.h"

#include <QPushButton>

namespace corvane {

void showStatusCaptions(CorvaneApp& app) {
    using namespace evalkit::dialog;
    Main& m = app.main();
    const CorvaneFields& f = app.f();
    const CorvaneWorking& w = app.w();
    // The IF calibration button names the last calibration run, which no field holds: it is
    // left as it is.
    showPanelCaptions({
        {[&m](const QString& text) { m.testModesStatus->setText(text); },
         [&f, &w]() -> std::optional<QString> {
             const bool enabled =
                 f.RssiTestField != 0 || f.RxTestModeField != 0 || w.TestDacEnabled != 0;
             return enabled ? QStringLiteral("Enabled") : QStringLiteral("Disabled");
         }},
        statusCaption(m.afcStatus, afcDescription().switches.front().status,
                      [&f] { return double(f.AfcEnableField); }),
        statusCaption(m.agcStatus, agcDescription().status,
                      [&f] { return double(f.AgcModeField); }),
        statusCaption(m.syncWordStatus, swdDescription().status,
                      [&f] { return double(f.SwdModeField); }),
        labelCaption(m.LblMuxOut, [&app] { return muxoutCaption(app, muxoutChoices()); }),
        labelCaption(m.LblClockout,
                     [&app] {
                         return clockOutCaption(app, clockOutDescription(),
                                                app.w().CrystalFrequencyMHz);
                     }),
    });
}

} // namespace corvane
