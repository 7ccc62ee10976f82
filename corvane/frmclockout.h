#pragma once
// The divide ratio of the chip's clock output: the 4-bit code of
// ClockOutField in Register 1 (0 = off, c = crystal / 2c). The window only
// sets the field and the front panel's caption; Register 1 goes to the chip
// from the front panel's Update button.
#include "platform/form.h"

#include <QString>

class QLabel;
class QPushButton;

namespace platform {
class Selector;
}

namespace corvane {

class CorvaneApp;

class frmClockOut : public platform::Form {
    Q_OBJECT
public:
    explicit frmClockOut(CorvaneApp& app);

    void Form_Load() override;
    // Stores the selector's code and shows the resulting frequency here and on
    // the front panel's LblClockout. Until a position is chosen (the window
    // was opened with a stored value that is no position) it changes nothing.
    void UpdateClockout();
    void SelClockoutDivide_Change();
    void cmdokclock_Click();

    platform::Selector* SelClockoutDivide;
    QLabel *lblcrystalfreq, *lblclkoutfrequency;
    QPushButton* cmdokclock;

protected:
    // Closing the window keeps the choice, as the return button does.
    void closeBox() override { cmdokclock_Click(); }

private:
    QString outputText(int ratio) const;

    CorvaneApp& app_;
    bool positionChosen_ = false;
};

} // namespace corvane
