#pragma once
// The sync-word detection window: interrupt-pin mode and data packet length
// (register 12), sync-word length, permitted errors and pattern (register 11).
// It edits the field store only.
#include "platform/form.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace corvane {

class CorvaneApp;

class frmSWD : public platform::Form {
    Q_OBJECT
public:
    explicit frmSWD(CorvaneApp& app);

    void Form_Load() override;
    void cmbInterupt_Click();
    void cmbPreamble_Click();
    void txtDPL_Change();
    void txtErrors_Change();
    void txtPreamble_Change();
    void return_Click();

    QComboBox *cmbInterupt, *cmbPreamble;
    QLineEdit *txtDPL, *txtPreamble, *txtErrors;
    QPushButton* return_; // object name "return"

protected:
    void closeBox() override { return_Click(); }

private:
    CorvaneApp& app_;
};

} // namespace corvane
