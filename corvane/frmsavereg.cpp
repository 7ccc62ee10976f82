#include "corvane/frmsavereg.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmSaveReg::frmSaveReg(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmSaveReg"));
    setWindowTitle(QStringLiteral("Save Reg Values"));
}

} // namespace corvane
