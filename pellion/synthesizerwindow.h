#pragma once
// The synthesizer window: RF channel, PFD and crystal frequencies in; R, N and F out, with
// the RF divide-by-2 the band or the external inductor calls for and single steps of F down.
#include "evalkit/settingsfile.h"
#include "evalkit/synthesizerwindow.h"
#include "pellion/calc/settingsplan.h"
#include "pellion/calc/synthesizer.h"

namespace pellion {

class PellionApp;

class synthform : public evalkit::DivideBy2SynthWindow {
    Q_OBJECT
public:
    explicit synthform(PellionApp& app);

    void Form_Load() override;
    // 0 when the three boxes read as numbers; 1 after the message (the box is emptied and
    // focused).
    int16_t ValidateSynthInputs();
    // False when the plan was refused (said, and nothing of it kept).
    bool CmdCalculate_Click();
    // Applies the dividers now in IntegerN, FracN and RDivider with this PFD and crystal.
    void UpdateSynthValues(float pfdMHz, float crystalMHz, int resolution = 15);
    void cmdfdown_Click();
    // F + 1 after a fresh calculation; no button calls it.
    void StepFracUp();
    void returnToPanel_Click();
    void lblVCOdiv2_Change();
    // The messages with which the calculation, run with the external inductor `external`,
    // would be refused (its VCO range, or what follows the plan); nothing when it is taken.
    // Nothing is planned or shown.
    std::optional<std::vector<platform::Message>> inductorRefusal(bool external) const;

    // A settings file's part of the window: the three entries, the divide-by-2, and the
    // calculation that then plans from them, each when the import's order of steps reaches
    // it; an entry the calculation does not take is named in `r` and the boxes show what they
    // showed before.
    evalkit::SynthesizerImport applySettingsEntries(const calc::SynthesizerPlan& p);
    void applyDivideBy2(const calc::SynthesizerPlan& p);
    void calculateSettings(calc::KeyReader& r, evalkit::SynthesizerImport import);
    // The frequencies in force as a settings file holds them.
    calc::SynthesizerRecord settingsInForce() const;

    // Besides the divide-by-2 window's controls.
    QLineEdit* synthesizerFrequency; // Text1

private:
    void buildLayout();
    bool externalInductor() const;
    calc::SynthInputs inputs() const;
    // False when nothing of the plan was kept: it failed, or what follows it refused it.
    bool apply(const calc::SynthResult& r);
    void apply(const calc::FractionStepResult& r);
    // The warning with which a plan that follows this one (the receiver clocks for a new
    // crystal, the FSK deviation for a new PFD) would refuse it; nothing when they take it.
    std::optional<platform::Message> followUpRefusal(const calc::SynthResult& r) const;
    // Shows the messages that come first, the plan's own and the refusal, when a follow-up
    // refuses the plan; the caller then keeps nothing of it.
    bool refusedByFollowUps(const calc::SynthResult& r,
                            const std::vector<platform::Message>& before = {});

    PellionApp& app_;
};

} // namespace pellion
