#pragma once
// The synthesizer window: RF channel, PFD and crystal frequencies in, R, N and
// F out, with single steps of the fraction.
#include "corvane/calc/settingsplan.h"
#include "corvane/calc/synthesizer.h"
#include "evalkit/settingsfile.h"
#include "evalkit/synthesizerwindow.h"

class QToolButton;

namespace corvane {

class CorvaneApp;

class synthform : public evalkit::DivideBy2SynthWindow {
    Q_OBJECT
public:
    explicit synthform(CorvaneApp& app, calc::VcoUpperLimits fractionStepLimits = {});

    void Form_Load() override;
    // False when the plan was refused (said, and nothing of it kept).
    bool CmdCalculate_Click();
    // The fraction-step path for the N and F now shown in LblN and LblF.
    void UpdatesynthF();
    void returnToPanel_Click();
    void cmdfdown_Click();
    void CmdFup_Click();
    void lblVCOdiv2_Change();

    // A settings file's part of the window: the divide-by-2 and the three entries, which the
    // calculation then plans from when the import's order of steps reaches it; an entry it
    // does not take is named in `r` and the boxes show what they showed before.
    evalkit::SynthesizerImport applySettingsEntries(const calc::SynthesizerPlan& p);
    void calculateSettings(calc::KeyReader& r, const evalkit::SynthesizerImport& import);
    // The frequencies in force as a settings file holds them.
    calc::SynthesizerRecord settingsInForce() const;

    // Besides the divide-by-2 window's controls.
    QLabel* actualChannelCaption; // Label6
    QLabel* LblActualChnFreq;
    QLabel* synthesizerFrequency; // Label3
    QLabel* frequencyStep;        // Label9
    QLabel* calculateNote;        // Label4
    QToolButton* CmdFup;

private:
    void buildLayout();
    // False when nothing of the plan was kept: it failed, or what follows it refused it.
    bool apply(const calc::SynthResult& r);
    // The warning with which the deviation and the receiver clocks, planned again for the
    // plan's new PFD, divide-by-2 and crystal, would refuse it; nothing when they take it.
    std::optional<platform::Message> followUpRefusal(const calc::SynthResult& r) const;
    void stepFraction(bool up);

    CorvaneApp& app_;
    calc::VcoUpperLimits limits_;
};

} // namespace corvane
