#pragma once
// The synthesizer window ("RF Output Frequency"): RF channel, PFD and crystal frequencies in,
// the reference divider R, the integer divider N and the 12-bit fraction out, with the
// reference doubler, the output divider and single steps of the fraction.
#include "platform/form.h"
#include "tessarine/calc/synthesizer.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tessarine {

class TessarineApp;

class synthform : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "synthform";
    explicit synthform(TessarineApp& app);

    void Form_Load() override;
    void cmdCalculate_Click();
    void cmdfdown_Click();
    void CmdFup_Click();
    void optDoubler_Click();
    void cmbVCODivide_Click();
    void Command1_Click();

    QLineEdit *txtVCOout1, *txtpfd1, *TxtCrystal1;
    QCheckBox* optDoubler;
    QComboBox* cmbVCODivide;
    QPushButton *CmdCalculate, *Command1;
    QToolButton *cmdfdown, *CmdFup;
    QLabel *LblR, *LblN, *LblF, *Lblprescaler1;

private:
    calc::SynthInputs inputs() const;
    // Shows the plan's messages, then stores and shows what it planned and brings the
    // transmit settings, the clock-out and the read-outs up to date.
    void apply(const calc::SynthResult& r);
    // The warning with which the deviation, counted again at the plan's new PFD, would refuse
    // the plan; nothing when it takes it.
    std::optional<platform::Message> followUpRefusal(const calc::SynthResult& r) const;
    void followUps();

    TessarineApp& app_;
};

} // namespace tessarine
