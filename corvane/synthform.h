#pragma once
// The synthesizer window: RF channel, PFD and crystal frequencies in, R, N and
// F out, with single steps of the fraction.
#include "corvane/calc/synthesizer.h"
#include "platform/form.h"
#include "platform/toggle.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace corvane {

class CorvaneApp;

class synthform : public platform::Form {
    Q_OBJECT
public:
    explicit synthform(CorvaneApp& app, calc::VcoUpperLimits fractionStepLimits = {});

    void Form_Load() override;
    void CmdCalculate_Click();
    // The fraction-step path for the N and F now shown in LblN and LblF.
    void UpdatesynthF();
    void Command1_Click();
    void cmdfdown_Click();
    void CmdFup_Click();
    void lblVCOdiv2_Change();

    QLineEdit *txtVCOout1, *txtpfd1, *TxtCrystal1;
    QLabel *Label1, *Label5, *Label2, *Label12, *NoteText, *Label8, *Label10, *Label11, *LblN,
        *LblR, *LblF, *Label13, *Label6, *LblActualChnFreq, *lblHeading, *lblRxLO, *Label7, *Label3,
        *Label9, *Label4;
    QGroupBox *Frame2, *frmVCOdiv2, *Note, *Frame1;
    platform::Toggle* lblVCOdiv2;
    QPushButton *CmdCalculate, *Command1;
    QToolButton *cmdfdown, *CmdFup;

private:
    void buildLayout();
    void apply(const calc::SynthResult& r);
    void stepFraction(bool up);

    CorvaneApp& app_;
    calc::VcoUpperLimits limits_;
};

} // namespace corvane
