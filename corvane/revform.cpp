#include "corvane/revform.h"

#include "corvane/corvaneapp.h"

namespace corvane {

revform::revform(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("revform"));
    setWindowTitle(QStringLiteral("Help / Information"));
}

} // namespace corvane
