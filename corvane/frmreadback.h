#pragma once
// The readback window: reads one of the chip's readback quantities through register 7 and
// shows it converted to engineering units.
#include "link/registerreadout.h"
#include "platform/form.h"
#include "platform/toggle.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace corvane {

class CorvaneApp;

class frmReadback : public platform::Form {
    Q_OBJECT
public:
    explicit frmReadback(CorvaneApp& app);

    void Form_Load() override;
    void cmbReadback_Click();
    void cmdReadback_Click();
    void Tog_ADC_Enable_Change();
    void Command2_Click();

    QLabel* Label1;
    QComboBox* cmbReadback;
    QPushButton* cmdReadback;
    QLabel* Label6;
    QLabel* lblReadbackDisplay;
    QLabel* lblReadbackSpecificDisplay;
    QGroupBox* ADC_Status;
    platform::Toggle* Tog_ADC_Enable;
    QLabel* Label5;
    QPushButton* Command2;

protected:
    void closeBox() override { Command2_Click(); }

private:
    CorvaneApp& app_;
};

} // namespace corvane
