#include "corvane/frmircal.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmIRcal::frmIRcal(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmIRcal"));
    setWindowTitle(QStringLiteral("IR Calibration"));
}

} // namespace corvane
