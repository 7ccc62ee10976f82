#include "corvane/aboutform.h"

#include "corvane/corvaneapp.h"

namespace corvane {

aboutform::aboutform(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("aboutform"));
    setWindowTitle(QStringLiteral("Who's behind this software ?"));
}

} // namespace corvane
