#pragma once
// The AFC window: on/off, loop gains, pull-in range and scaling factor of
// register 10. It edits the field store only; the front panel stays usable
// while it is open.
#include "platform/form.h"
#include "platform/toggle.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class CorvaneApp;

class frmAFC : public platform::Form {
    Q_OBJECT
public:
    explicit frmAFC(CorvaneApp& app);

    void Form_Load() override;
    void Toggle1_Change();
    void cmbKp_Click();
    void cmbKi_Click();
    void txtAFCRange_Change();
    void txtAFCScaling_Change();
    void Command2_Click();

    platform::Toggle* Toggle1;
    QComboBox *cmbKp, *cmbKi;
    QLineEdit *txtAFCRange, *txtAFCScaling;
    QLabel* Label6;
    QPushButton* Command2;

protected:
    void closeBox() override { Command2_Click(); }

private:
    CorvaneApp& app_;
};

} // namespace corvane
