#include "corvane-n/ifcalibrationfeatures.h"

namespace corvanen {

const corvane::IFCalFeatures& ifCalibrationFeatures() {
    static const corvane::IFCalFeatures features = [] {
        corvane::IFCalFeatures f;
        f.outerCaption = QString(); // Frame1 keeps only its tool tip
        f.fineFrameCaption = QStringLiteral("Fine Calibration");
        f.workaround = false;
        f.autoCalculate = false;
        f.refusesHighLowerTone = false;
        f.registerOrderNote = false;
        f.framePerCalibration = true;
        f.coarseFrameCaption = QStringLiteral("Coarse Calibration");
        return f;
    }();
    return features;
}

} // namespace corvanen
