#include "corvane/frmtestmodes.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmTestModes::frmTestModes(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmTestModes"));
    setWindowTitle(QStringLiteral("Test Modes"));
    Label2 = new link::RegisterReadout(this);
    Label2->setObjectName(QStringLiteral("Label2"));
}

} // namespace corvane
