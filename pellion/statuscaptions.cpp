#include "pellion/statuscaptions.h"

#include "evalkit/statuscaption.h"
#include "pellion/descriptions.h"
#include "pellion/frontpanel.h"
#include "pellion/pellionapp.h"

#include <QPushButton>

namespace pellion {

void showStatusCaptions(PellionApp& app) {
    using namespace evalkit::dialog;
    Main& m = app.main();
    const PellionFields& f = app.f();
    const auto& afc = afcDescription().switches;
    // The IF filter calibration button starts as "No Cal", which names its switch off as well
    // as the window's "OFF" does.
    StatusCaption calibrationOn = afc.at(1).status;
    calibrationOn.otherwise = QString();
    showPanelCaptions({
        statusCaption(m.afcStatus, afc.at(0).status, [&f] { return double(f.AfcEnableField); }),
        statusCaption(m.ifFilterCalStatus, calibrationOn,
                      [&f] { return double(f.IFFilterCalEnableField); }),
        statusCaption(m.agcStatus, agcDescription().status,
                      [&f] { return double(f.AgcModeField); }),
        statusCaption(m.syncWordStatus, swdDescription().status,
                      [&f] { return f.LockThresholdModeField; }),
        labelCaption(m.LblMuxOut, [&app] { return muxoutCaption(app, muxoutChoices()); }),
        labelCaption(m.LblClockout,
                     [&app] {
                         return clockOutCaption(app, clockOutDescription(),
                                                app.w().CrystalFrequencyMHz);
                     }),
    });
}

} // namespace pellion
