#include "corvane/frmdemod.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmDemod::frmDemod(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmDemod"));
    setWindowTitle(QStringLiteral("Advanced Demod Settings"));
}

} // namespace corvane
