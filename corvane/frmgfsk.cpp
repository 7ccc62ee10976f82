#include "corvane/frmgfsk.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmGFSK::frmGFSK(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmGFSK"));
    setWindowTitle(QStringLiteral("Gaussian ASK/FSK Form"));
}

} // namespace corvane
