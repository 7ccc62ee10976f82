#include "corvane/frmregisters.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmRegisters::frmRegisters(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmRegisters"));
    setWindowTitle(QStringLiteral("Directly Program Registers"));
}

} // namespace corvane
