#pragma once
// The synthesizer window: RF channel, PFD and crystal frequencies in, R, N and
// F out, with single steps of the fraction.
#include "corvane/calc/synthesizer.h"
#include "evalkit/synthwindow.h"

class QToolButton;

namespace corvane {

class CorvaneApp;

class synthform : public evalkit::DivideBy2SynthWindow {
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

    // Besides the divide-by-2 window's controls.
    QLabel *Label6, *LblActualChnFreq, *Label3, *Label9, *Label4;
    QToolButton* CmdFup;

private:
    void buildLayout();
    void apply(const calc::SynthResult& r);
    // The warning with which the deviation and the receiver clocks, planned again for the
    // plan's new PFD, divide-by-2 and crystal, would refuse it; nothing when they take it.
    std::optional<platform::Message> followUpRefusal(const calc::SynthResult& r) const;
    void stepFraction(bool up);

    CorvaneApp& app_;
    calc::VcoUpperLimits limits_;
};

} // namespace corvane
