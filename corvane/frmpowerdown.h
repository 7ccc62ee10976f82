#pragma once
// The bias settings window: PA, VCO and crystal bias currents, VCO adjust and
// mixer linearity. It edits the field store only; the front panel stays
// usable while it is open.
#include "platform/form.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace corvane {

class CorvaneApp;

class frmPowerdown : public platform::Form {
    Q_OBJECT
public:
    explicit frmPowerdown(CorvaneApp& app);

    void Form_Load() override;
    void HScrPABias_Change();
    void HScrXtalBias_Change();
    void HScrVCOAdjust_Change();
    void HScrVCObias_Change();
    void cmbMixerLinearity_Change();
    void cmbMixerLinearity_LostFocus() { cmbMixerLinearity_Change(); }
    void Command1_Click();

    QScrollBar *HScrPABias, *HScrVCOAdjust, *HScrVCObias, *HScrXtalBias;
    QLabel *lblPABias, *lblVCOAdjust, *lblVCObias, *lblVCOB, *lblXtalBias;
    QComboBox* cmbMixerLinearity;
    QPushButton* Command1;

protected:
    void closeBox() override { Command1_Click(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPABias();
    void showXtalBias();

    CorvaneApp& app_;
};

} // namespace corvane
