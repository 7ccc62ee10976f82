#include "corvane/frmpowerdown.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmPowerdown::frmPowerdown(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmPowerdown"));
    setWindowTitle(QStringLiteral("Bias Settings"));
}

} // namespace corvane
