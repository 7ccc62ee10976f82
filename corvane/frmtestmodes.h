#pragma once
#include "link/registerreadout.h"
#include "platform/form.h"
#include "platform/toggle.h"

namespace corvane {

class CorvaneApp;

class frmTestModes : public platform::Form {
    Q_OBJECT
public:
    explicit frmTestModes(CorvaneApp& app);

    link::RegisterReadout* Label2;

private:
    CorvaneApp& app_;
};

} // namespace corvane
