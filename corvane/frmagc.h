#pragma once
// The AGC window: mode, manual LNA and IF filter gains and the two AGC
// thresholds of register 9. It edits the field store only.
#include "platform/form.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace corvane {

class CorvaneApp;

class frmAGC : public platform::Form {
    Q_OBJECT
public:
    explicit frmAGC(CorvaneApp& app);

    void Form_Load() override;
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Text1_Change();
    void Text2_Change();
    void Command2_Click();

    QComboBox *Combo1, *Combo2, *Combo3;
    QLineEdit *Text1, *Text2;
    QPushButton* Command2;

protected:
    void closeBox() override { Command2_Click(); }

private:
    void enableManualGains(bool enabled);

    CorvaneApp& app_;
};

} // namespace corvane
