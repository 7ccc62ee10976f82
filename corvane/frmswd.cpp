#include "corvane/frmswd.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmSWD::frmSWD(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmSWD"));
    setWindowTitle(QStringLiteral("Form1"));
}

} // namespace corvane
