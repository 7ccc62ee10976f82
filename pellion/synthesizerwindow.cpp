#include "pellion/synthesizerwindow.h"

#include "pellion/calc/followups.h"
#include "pellion/frontpanel.h"
#include "pellion/pellionapp.h"
#include "platform/core/numbers.h"
#include "platform/named.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace pellion {

namespace {

constexpr int32_t DivideBy2On = 1 << 13; // VcoDiv2Field
constexpr int32_t Receive = 1 << 27;     // TxRxField

} // namespace

synthform::synthform(PellionApp& app)
    : DivideBy2SynthWindow({.rfPromptInternal = QStringLiteral(" Enter RF Frequency (MHz):"),
                            .rfPromptExternal = QStringLiteral("Enter RF Frequency (MHz)"),
                            .crystalPrompt = QStringLiteral("Enter the Crystal Frequency (MHz)"),
                            .synthCaption = QStringLiteral("Synthesizer Frequency (MHz)"),
                            .lblHeading = QStringLiteral("RF Output Frequency (MHz)"),
                            .NoteText = QStringLiteral(
                                "The Divide by 2 halves the Synthesizer frequency.This Divide by "
                                "2 is outside the synthesizer loop so the synthesizer is "
                                "running at twice the RF ouput frequency."),
                            .cmdfdownTip = QStringLiteral("Click to decrement F")}),
      app_(app) {
    synthesizerFrequency = platform::named(new QLineEdit, "Text1");
    synthesizerFrequency->setReadOnly(true); // the result of the plan, not an entry
    // Shown while the divide-by-2 is on; its room is kept meanwhile, so the boxes above do not
    // move or shrink when it comes and goes.
    QSizePolicy keepRoom = Note->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    Note->setSizePolicy(keepRoom);
    Note->setVisible(false);
    buildLayout();

    connect(CmdCalculate, &QPushButton::clicked, this, &synthform::CmdCalculate_Click);
    connect(returnToPanel, &QPushButton::clicked, this, &synthform::returnToPanel_Click);
    connect(cmdfdown, &QToolButton::clicked, this, &synthform::cmdfdown_Click);
    connect(lblVCOdiv2, &platform::Toggle::toggled, this, &synthform::lblVCOdiv2_Change);
}

void synthform::buildLayout() {
    QGridLayout* dividers = layoutFrames();
    dividers->addWidget(cmdfdown, 2, 4);
    dividers->setColumnStretch(1, 1);

    QVBoxLayout* layout = startWindowLayout(1);
    auto* results = new QGridLayout;
    results->addWidget(lblHeading, 0, 0);
    results->addWidget(lblRxLO, 0, 1);
    results->addWidget(synthCaption, 1, 0);
    results->addWidget(synthesizerFrequency, 1, 1);
    layout->addLayout(results);
    layout->addWidget(Note);
    layout->addLayout(buttonRow());
    setMinimumWidth(460);
}

bool synthform::externalInductor() const {
    return app_.main().chkInductor->isChecked();
}

void synthform::Form_Load() {
    const auto& f = app_.f();
    auto& w = app_.w();
    lblHeading->setText(f.TxRxField == Receive ? QStringLiteral("Receiver LO Frequency (MHz)")
                                               : QStringLiteral("RF Output Frequency (MHz)"));
    const bool external = externalInductor();
    // With the internal inductor the band decides the divide-by-2; the switch only shows it.
    lblVCOdiv2->setEnabled(external);
    rfPromptInternal->setVisible(!external);
    rfPromptExternal->setVisible(external);
    // Only the external inductor's switch is the user's to show; with the internal inductor
    // the next plan sets it from the band.
    if (external && f.VcoDiv2Field == DivideBy2On)
        lblVCOdiv2->setOn(true);
    txtVCOout1->setText(platform::formatSingle(w.RfFrequencyMHz, u".000000"));
    txtpfd1->setText(platform::formatSingle(w.PfdFrequencyMHz, u".000000"));
    TxtCrystal1->setText(platform::formatSingle(w.CrystalFrequencyMHz, u".000000"));
    frmVCOdiv2->setVisible(true);
    lblVCOdiv2->setVisible(true);
    w.IntegerN = 78;
    w.FracN = 16836;
}

calc::SynthInputs synthform::inputs() const {
    calc::SynthInputs in;
    in.rfText = txtVCOout1->text();
    in.pfdText = txtpfd1->text();
    in.crystalText = TxtCrystal1->text();
    in.chkInductor = externalInductor();
    in.divideBy2On = lblVCOdiv2->isOn();
    in.TxRxField = app_.f().TxRxField;
    in.CrystalFrequencyMHz = app_.w().CrystalFrequencyMHz;
    return in;
}

std::optional<platform::Message> synthform::followUpRefusal(const calc::SynthResult& r) const {
    if (!r.planned)
        return std::nullopt;
    const auto& f = app_.f();
    const auto& w = app_.w();
    Main& panel = app_.main();
    calc::FollowUpInputs in;
    // A new crystal plans the receiver clocks again at once.
    if (r.runDataRateHandler) {
        in.rate = panel.dataRateInputs();
        in.rate->CrystalFrequencyMHz = r.CrystalFrequencyMHz.value_or(w.CrystalFrequencyMHz);
    }
    // The return to the front panel plans the FSK deviation again; it changes when the PFD,
    // the divide-by-2 or (through the receiver clocks) the crystal does.
    const float pfd = r.PfdFrequencyMHz.value_or(w.PfdFrequencyMHz);
    const int32_t divideBy2 = r.VcoDiv2Field.value_or(f.VcoDiv2Field);
    if (f.ModulationSchemeField == calc::ModulationFsk &&
        (pfd != w.PfdFrequencyMHz || divideBy2 != f.VcoDiv2Field || r.runDataRateHandler)) {
        in.deviation = calc::DeviationInputs{
            panel.TxtFSKdev->text(), pfd, divideBy2, f.ModulationSchemeField, f.DemodTypeField,
            w.DemodClockMHz};
    }
    return calc::followUpRefusal(std::move(in));
}

bool synthform::refusedByFollowUps(const calc::SynthResult& r,
                                   const std::vector<platform::Message>& before) {
    const std::optional<platform::Message> refusal = followUpRefusal(r);
    if (!refusal)
        return false;
    // Nothing of the plan is kept: its own messages, then why it was refused.
    std::vector<platform::Message> shown = before;
    shown.insert(shown.end(), r.messages.begin(), r.messages.end());
    shown.push_back(*refusal);
    app_.show(shown);
    return true;
}

bool synthform::apply(const calc::SynthResult& r) {
    if (refusedByFollowUps(r))
        return false;
    app_.show(r.messages);
    applyCommon(app_.f(), app_.w(), r);
    evalkit::showIfSet(synthesizerFrequency, r.synthesizerMHz);
    showNote(r);
    Main& panel = app_.main();
    evalkit::showFrequencyReadouts(panel.lblvcofreq, panel.lblpfd_freq, panel.lblcrystal, r);
    entryBoxes().focus(r.focus);
    if (r.runDataRateHandler)
        panel.txtDatarate_Change();
    if (r.refreshReadouts)
        app_.UpdateAllRegisterLabels();
    return r.planned;
}

void synthform::apply(const calc::FractionStepResult& r) {
    // The button's calculation and its step are one plan: a step that is refused keeps the
    // calculation before it out of the fields too.
    if (r.step && !r.step->planned) {
        std::vector<platform::Message> shown = r.calculation.messages;
        shown.insert(shown.end(), r.step->messages.begin(), r.step->messages.end());
        app_.show(shown);
        return;
    }
    if (refusedByFollowUps(r.calculation))
        return;
    apply(r.calculation);
    if (r.step)
        apply(*r.step);
}

int16_t synthform::ValidateSynthInputs() {
    const calc::SynthResult r = calc::ValidateSynthInputs(inputs());
    apply(r);
    return r.validationFailed ? 1 : 0;
}

bool synthform::CmdCalculate_Click() {
    return apply(calc::CmdCalculate(inputs()));
}

void synthform::UpdateSynthValues(float pfdMHz, float crystalMHz, int resolution) {
    const auto& w = app_.w();
    calc::SynthValues values;
    values.IntegerN = w.IntegerN;
    values.FracN = w.FracN;
    values.RDivider = w.RDivider;
    values.chkInductor = externalInductor();
    values.divideBy2On = lblVCOdiv2->isOn();
    values.TxRxField = app_.f().TxRxField;
    values.CrystalFrequencyMHz = w.CrystalFrequencyMHz;
    apply(calc::UpdateSynthValues(pfdMHz, crystalMHz, values, resolution));
}

void synthform::cmdfdown_Click() {
    apply(calc::cmdfdown(inputs()));
}

void synthform::StepFracUp() {
    apply(calc::StepFracUp(inputs()));
}

void synthform::returnToPanel_Click() {
    unload();
    if (app_.f().ModulationSchemeField == 0)
        app_.main().TxtFSKdev_Change();
    app_.UpdateAllRegisterLabels();
}

void synthform::lblVCOdiv2_Change() {
    app_.f().VcoDiv2Field = lblVCOdiv2->isOn() ? DivideBy2On : 0;
    app_.UpdateAllRegisterLabels();
}

std::optional<std::vector<platform::Message>> synthform::inductorRefusal(bool external) const {
    calc::SynthInputs in = inputs();
    in.chkInductor = external;
    const calc::SynthResult r = calc::CmdCalculate(in);
    if (!r.planned)
        return r.messages;
    const std::optional<platform::Message> refusal = followUpRefusal(r);
    if (!refusal)
        return std::nullopt;
    std::vector<platform::Message> shown = r.messages;
    shown.push_back(*refusal);
    return shown;
}

evalkit::SynthesizerImport synthform::applySettingsEntries(const calc::SynthesizerPlan& p) {
    return evalkit::putSynthesizerEntries(entryBoxes(), p.entries);
}

void synthform::applyDivideBy2(const calc::SynthesizerPlan& p) {
    if (!p.divideBy2)
        return;
    lblVCOdiv2->setOn(*p.divideBy2);
    lblVCOdiv2_Change();
}

void synthform::calculateSettings(calc::KeyReader& r, evalkit::SynthesizerImport import) {
    import.given = evalkit::synthesizerEntries(entryBoxes());
    CmdCalculate_Click();
    const PellionWorking& w = app_.w();
    evalkit::checkSynthesizerImport(r, import, entryBoxes(),
                                    {w.RfFrequencyMHz, w.PfdFrequencyMHz, w.CrystalFrequencyMHz},
                                    import.given.pfdMHz / calc::RfStepsPerPfd);
}

calc::SynthesizerRecord synthform::settingsInForce() const {
    // A box whose frequency the last calculation did not keep is written as it kept it.
    const PellionWorking& w = app_.w();
    return {evalkit::frequencyInForce(txtVCOout1, w.RfFrequencyMHz,
                                      w.PfdFrequencyMHz / calc::RfStepsPerPfd,
                                      platform::formatSingle(w.RfFrequencyMHz, u".000000")),
            evalkit::frequencyInForce(TxtCrystal1, w.CrystalFrequencyMHz, 5e-6,
                                      platform::formatSingle(w.CrystalFrequencyMHz, u".000000"))};
}

} // namespace pellion
