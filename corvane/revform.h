#pragma once
// The revision history of the program.
#include "link/registerreadout.h"
#include "platform/form.h"
#include "platform/toggle.h"

#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;

namespace corvane {

class CorvaneApp;

class revform : public platform::Form {
    Q_OBJECT
public:
    explicit revform(CorvaneApp& app);

    void Command1_Click();

    QGroupBox* Frame1;
    QPushButton* Command1;
    // The history lines top to bottom (named Label1, Label2, ...): each revision line is
    // followed by the notes on what changed in it, and the last line points to updates.
    std::vector<QLabel*> historyLines;

protected:
    void closeBox() override { Command1_Click(); }

private:
    CorvaneApp& app_;
};

} // namespace corvane
