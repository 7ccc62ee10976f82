#pragma once
// The synthesizer window: RF channel, PFD and crystal frequencies in; R, N and F out, with
// the RF divide-by-2 the band or the external inductor calls for and single steps of F down.
#include "pellion/calc/synthesizer.h"
#include "platform/form.h"
#include "platform/toggle.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace pellion {

class PellionApp;

class synthform : public platform::Form {
    Q_OBJECT
public:
    explicit synthform(PellionApp& app);

    void Form_Load() override;
    // 0 when the three boxes read as numbers; 1 after the message (the box is emptied and
    // focused).
    int16_t ValidateSynthInputs();
    void CmdCalculate_Click();
    // Applies the dividers now in IntegerN, FracN and RDivider with this PFD and crystal.
    void UpdateSynthValues(float pfdMHz, float crystalMHz, int resolution = 15);
    void cmdfdown_Click();
    // F + 1 after a fresh calculation; no button calls it.
    void StepFracUp();
    void Command1_Click();
    void lblVCOdiv2_Change();

    QLineEdit *txtVCOout1, *txtpfd1, *TxtCrystal1, *Text1;
    QLabel *Label1, *Label5, *Label2, *Label12, *Label7, *lblHeading, *lblRxLO, *Label8, *Label10,
        *Label11, *LblR, *LblN, *LblF, *Label13, *NoteText;
    QGroupBox *Frame2, *frmVCOdiv2, *Frame1, *Note;
    platform::Toggle* lblVCOdiv2;
    QPushButton *CmdCalculate, *Command1;
    QToolButton* cmdfdown;

private:
    void buildLayout();
    bool externalInductor() const;
    calc::SynthInputs inputs() const;
    void apply(const calc::SynthResult& r);
    void apply(const calc::FractionStepResult& r);

    PellionApp& app_;
};

} // namespace pellion
