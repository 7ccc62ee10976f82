#include "corvane/frmifcal.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmIFCal::frmIFCal(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmIFCal"));
    setWindowTitle(QStringLiteral("IF Filter Calibration"));
}

} // namespace corvane
