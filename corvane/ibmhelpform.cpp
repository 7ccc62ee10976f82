#include "corvane/ibmhelpform.h"

#include "corvane/corvaneapp.h"

namespace corvane {

IBMhelpform::IBMhelpform(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("IBMhelpform"));
    setWindowTitle(QStringLiteral("IBM Thinkpad Help"));
}

} // namespace corvane
