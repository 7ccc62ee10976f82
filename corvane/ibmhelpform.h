#pragma once
// Help on setting up the parallel port of one laptop family. It has no button: the
// window's close box closes it.
#include "link/registerreadout.h"
#include "platform/form.h"
#include "platform/toggle.h"

#include <array>

class QLabel;

namespace corvane {

class CorvaneApp;

class IBMhelpform : public platform::Form {
    Q_OBJECT
public:
    explicit IBMhelpform(CorvaneApp& app);

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9,
        *Label10;

private:
    CorvaneApp& app_;
};

} // namespace corvane
