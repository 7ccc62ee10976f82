#include "corvane/frmpowerd.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmPowerD::frmPowerD(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmPowerD"));
    setWindowTitle(QStringLiteral("Power Down"));
}

} // namespace corvane
