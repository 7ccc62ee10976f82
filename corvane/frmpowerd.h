#pragma once
// The power-down window: one switch per receiver and synthesizer block. The
// switches only set the enable fields; "Load Now" shows the words they make.
#include "platform/form.h"
#include "platform/toggle.h"

class QGroupBox;
class QPushButton;

namespace corvane {

class CorvaneApp;

class frmPowerD : public platform::Form {
    Q_OBJECT
public:
    explicit frmPowerD(CorvaneApp& app);

    void Form_Load() override;
    void TogSynth_Change();
    void TogLNA_Change();
    void TogFilter_Change();
    void TogDemod_Change();
    void TogLogAMP_Change();
    void TogTXRXSwitch_Change();
    void TogVCO_Change();
    void Command3_Click();
    void Command1_Click();

    QGroupBox* Frame1;
    platform::Toggle *TogSynth, *TogLNA, *TogFilter, *TogDemod, *TogLogAMP, *TogTXRXSwitch, *TogVCO;
    QPushButton *Command3, *Command1;

private:
    CorvaneApp& app_;
};

} // namespace corvane
