#include "tessarine/statuscaptions.h"

#include "evalkit/statuscaption.h"
#include "tessarine/descriptions.h"
#include "tessarine/frontpanel.h"
#include "tessarine/tessarineapp.h"

#include <QLabel>

namespace tessarine {

void showStatusCaptions(TessarineApp& app) {
    using namespace evalkit::dialog;
    Main& m = app.main();
    showPanelCaptions({
        labelCaption(m.LblMuxOut, [&app] { return muxoutCaption(app, muxoutChoices()); }),
        labelCaption(m.LblClockout,
                     [&app] {
                         return clockOutCaption(app, clockOutDescription(),
                                                app.w().CrystalFrequencyMHz);
                     }),
    });
}

} // namespace tessarine
