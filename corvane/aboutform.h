#pragma once
// The about box: the program's revision and who makes it.
#include "link/registerreadout.h"
#include "platform/form.h"
#include "platform/toggle.h"

class QLabel;
class QPushButton;

namespace corvane {

class CorvaneApp;

class aboutform : public platform::Form {
    Q_OBJECT
public:
    explicit aboutform(CorvaneApp& app);

    void Command1_Click();

    QLabel* REV;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* Command1;

protected:
    void closeBox() override { Command1_Click(); }

private:
    CorvaneApp& app_;
};

} // namespace corvane
