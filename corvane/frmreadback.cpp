#include "corvane/frmreadback.h"

#include "corvane/corvaneapp.h"

namespace corvane {

frmReadback::frmReadback(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmReadback"));
    setWindowTitle(QStringLiteral("Corvane Readback"));
}

} // namespace corvane
