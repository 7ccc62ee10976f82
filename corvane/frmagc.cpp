#include "corvane/frmagc.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmAGC::frmAGC(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmAGC"));
    setWindowTitle(QStringLiteral("AGC"));
}

} // namespace corvane
