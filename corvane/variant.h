#pragma once
// What differs between the programs built from the Corvane code: corvane-eval and the
// narrow-band Corvane-N share every window and procedure and differ only in this description,
// which the code consults at run time. Each program's main() passes its own.
#include "corvane/calc/iftones.h"
#include "corvane/calc/synthesizer.h"
#include "corvane/model/registerstore.h"
#include "evalkit/infowindows.h"

#include <QString>
#include <QStringList>

namespace corvane {

// What the IF filter calibration window offers.
struct IFCalFeatures {
    QString outerCaption;     // Frame1; empty: no caption
    QString fineFrameCaption; // Frame2, around the dwell and tone boxes
    // "Do Workaround for Fine Cal" (Command6) with its two notes; only it leaves
    // "Fine Cal workaround" on the front panel.
    bool workaround = true;
    bool autoCalculate = true; // "Auto Calculate" (Command4)
    // "Do Fine Cal" refuses a lower tone divide above the chip's fine-calibration limit.
    bool refusesHighLowerTone = true;
    bool registerOrderNote = true; // Label17
    // Each calibration button sits in its own frame with what it writes: "Do Coarse Cal" in
    // Frame4 with Label1, "Do Fine Cal" in Frame2 with Label2.
    bool framePerCalibration = false;
    QString coarseFrameCaption; // Frame4
};

struct ProgramVariant {
    ChipVariant chip;                        // register 3's constant and the dwell default
    QString programTitle;                    // the program's name, the default message title
    QString fileVersion;                     // the program's file version
    QString windowCaption;                   // Main
    QString deviceName;                      // the front panel's label `device`
    QString aboutMenuCaption;                // mnuRev
    QStringList ifBandwidths;                // cmbIFBW, by IFFilterBandwidthField / 2^30
    calc::ToneSource tones;                  // the divisors of the IF fine-calibration tones
    bool bandwidthSetsTones = false;         // choosing an IF bandwidth recomputes the tones
    calc::VcoUpperLimits fractionStepLimits; // the fraction buttons' internal-inductor bands
    evalkit::AboutTexts about;
    evalkit::RevisionHistory revisions;
    IFCalFeatures ifCal;
};

// corvane-eval's own description.
const ProgramVariant& corvaneEval();

} // namespace corvane
