#include "corvane/frmafc.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmAFC::frmAFC(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmAFC"));
    setWindowTitle(QStringLiteral("AFC"));
}

} // namespace corvane
