#pragma once
#include "link/registerreadout.h"
#include "platform/form.h"
#include "platform/toggle.h"

namespace corvane {

class CorvaneApp;

class frmIFCal : public platform::Form {
    Q_OBJECT
public:
    explicit frmIFCal(CorvaneApp& app);

private:
    CorvaneApp& app_;
};

} // namespace corvane
