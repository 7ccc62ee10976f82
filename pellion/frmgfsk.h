#pragma once
// The Gaussian set-up window: the divider number, index counter and mod control of R2 for GFSK
// and GOOK, the deviation and data rate they give, pushed into the front panel's boxes.
#include "platform/form.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pellion {

class PellionApp;

class frmGFSK : public platform::Form {
    Q_OBJECT
public:
    explicit frmGFSK(PellionApp& app);

    void Form_Load() override;
    // Both are called through the window by the front panel (a settings import runs them
    // without showing it).
    void CmdCalculate_Click();
    void cmdUpdate_Click();

    QGroupBox *Frame1, *Frame2;
    QComboBox *cmbModCtrl, *cmbIndexCount;
    QLineEdit* txtDivider;
    QPushButton* cmdCalculate;
    QLabel *lblFdev, *lblDatarate, *Label6, *LabelGOOK;
    QPushButton* cmdUpdate;

private:
    PellionApp& app_;
};

} // namespace pellion
