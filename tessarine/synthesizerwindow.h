#pragma once
// The synthesizer window ("RF Output Frequency"): RF channel, PFD and crystal frequencies in,
// the reference divider R, the integer divider N and the 12-bit fraction out, with the
// reference doubler, the output divider and single steps of the fraction.
#include "evalkit/settingsfile.h"
#include "platform/form.h"
#include "tessarine/calc/settingsplan.h"
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
    void returnToPanel_Click();

    // A settings file's part of the window: the three entries (the file holds R as the
    // calculation computed it, with the doubler in), the doubler and the output divider, and
    // the calculation that then plans from them when the import's order of steps reaches it;
    // an entry it does not take is named in `r` and the boxes show what they showed before.
    evalkit::SynthesizerImport applySettings(const calc::SynthesizerPlan& p);
    void calculateSettings(calc::KeyReader& r, evalkit::SynthesizerImport import);
    // The frequencies in force and the output divider, as a settings file holds them.
    calc::SynthesizerRecord settingsInForce() const;

    QLineEdit *txtVCOout1, *txtpfd1, *TxtCrystal1;
    QCheckBox* optDoubler;
    QComboBox* cmbVCODivide;
    QPushButton* CmdCalculate;
    QPushButton* returnToPanel; // Command1
    QToolButton *cmdfdown, *CmdFup;
    QLabel *LblR, *LblN, *LblF, *Lblprescaler1;

protected:
    // The window may have been loaded unseen (by an import, or at start-up) before the
    // prescaler it shows was set: it shows the prescaler in force whenever it is shown.
    void showEvent(QShowEvent* event) override;

private:
    void showPrescaler();
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
