#include "corvane/frmparamp.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmPARamp::frmPARamp(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmPARamp"));
    setWindowTitle(QStringLiteral("PA Ramp Settings and Testing"));
}

} // namespace corvane
