#include "corvane/synthesizerwindow.h"

#include "corvane/calc/followups.h"
#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"
#include "platform/core/numbers.h"
#include "platform/named.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

using platform::named;

QLabel* label(const char* name, const QString& text) {
    return platform::namedLabel(name, text);
}

constexpr int32_t DivideBy2On = 1 << 18;
constexpr int32_t Receive = 1 << 27;

} // namespace

synthform::synthform(CorvaneApp& app, calc::VcoUpperLimits fractionStepLimits)
    : DivideBy2SynthWindow(
          {.rfPromptInternal = QStringLiteral(" Enter Desired RF Channel Frequency (MHz):"),
           .rfPromptExternal = QStringLiteral("Enter Desired RF Channel Frequency (MHz)"),
           .crystalPrompt = QStringLiteral("Enter the TCXO/Crystal Frequency (MHz)"),
           .synthCaption = QStringLiteral("Synthesizer Frequency"),
           .lblHeading = QStringLiteral("Receiver LO Frequency"),
           .NoteText =
               QStringLiteral("The Divide by 2 halves the Synthesizer frequency.This Divide by "
                              "2 is outside the synthesizer loop so the synthesizer is "
                              "running at twice the RF ouput frequency.                    "
                              "To compensate for this, the feedback divider number (N + F) "
                              "must be doubled."),
           .cmdfdownTip = QStringLiteral("F - 1"),
           .returnTip =
               QStringLiteral("This will return you to the front panel and change the register "
                              "values. The user must then program the appropriate registers by "
                              "pressing the update button.")}),
      app_(app), limits_(fractionStepLimits) {
    actualChannelCaption = label("Label6", QStringLiteral("Actual RF Channel Frequency"));
    LblActualChnFreq = label("LblActualChnFreq", QString());
    synthesizerFrequency = label("Label3", QString());
    frequencyStep = label("Label9", QStringLiteral("Fstep = "));
    calculateNote =
        label("Label4", QStringLiteral("Calculate updates the register values in the Main Panel"));
    CmdFup = named(new QToolButton, "CmdFup");
    CmdFup->setArrowType(Qt::UpArrow);
    CmdFup->setToolTip(QStringLiteral("F + 1"));
    buildLayout();

    connect(CmdCalculate, &QPushButton::clicked, this, &synthform::CmdCalculate_Click);
    connect(returnToPanel, &QPushButton::clicked, this, &synthform::returnToPanel_Click);
    connect(cmdfdown, &QToolButton::clicked, this, &synthform::cmdfdown_Click);
    connect(CmdFup, &QToolButton::clicked, this, &synthform::CmdFup_Click);
    connect(lblVCOdiv2, &platform::Toggle::toggled, this, &synthform::lblVCOdiv2_Change);
}

void synthform::buildLayout() {
    QGridLayout* dividers = layoutFrames();
    auto* arrows = new QVBoxLayout;
    arrows->addWidget(CmdFup);
    arrows->addWidget(cmdfdown);
    dividers->addLayout(arrows, 1, 4, 2, 1);
    dividers->addWidget(frequencyStep, 3, 0, 1, 5);

    QVBoxLayout* layout = startWindowLayout(0);
    auto* results = new QGridLayout;
    results->addWidget(actualChannelCaption, 0, 0);
    results->addWidget(LblActualChnFreq, 0, 1);
    results->addWidget(lblHeading, 1, 0);
    results->addWidget(lblRxLO, 1, 1);
    results->addWidget(synthCaption, 2, 0);
    results->addWidget(synthesizerFrequency, 2, 1);
    layout->addWidget(Note);
    layout->addLayout(results);
    layout->addWidget(calculateNote);
    layout->addLayout(buttonRow());
}

void synthform::Form_Load() {
    const auto& f = app_.f();
    const auto& w = app_.w();
    if (f.TxRxField == Receive) {
        lblHeading->setText(QStringLiteral("Receiver LO Frequency (MHz)"));
        lblHeading->setVisible(true);
        lblRxLO->setVisible(true);
    } else if (f.TxRxField == 0) {
        lblHeading->setVisible(false);
        lblRxLO->setVisible(false);
    }
    const bool external = f.ExtInductorField != 0;
    // With the internal inductor the band decides the divide-by-2.
    lblVCOdiv2->setEnabled(external);
    rfPromptInternal->setVisible(!external);
    for (QWidget* l :
         {static_cast<QWidget*>(rfPromptExternal), static_cast<QWidget*>(synthesizerFrequency),
          static_cast<QWidget*>(synthCaption)})
        l->setVisible(external);
    txtVCOout1->setText(platform::formatNumber(w.RfFrequencyMHz, u".000000"));
    txtpfd1->setText(platform::formatNumber(w.PfdFrequencyMHz, u".000000"));
    TxtCrystal1->setText(platform::formatSingle(w.CrystalFrequencyMHz, u".000000"));
    frmVCOdiv2->setVisible(true);
    lblVCOdiv2->setVisible(true);
    if (f.VcoDiv2Field == DivideBy2On)
        lblVCOdiv2->setOn(true);
    else if (f.VcoDiv2Field == 0)
        lblVCOdiv2->setOn(false);
    app_.w().IntegerN = 78;
    app_.w().FracN = 16836;
}

std::optional<platform::Message> synthform::followUpRefusal(const calc::SynthResult& r) const {
    const auto& f = app_.f();
    const auto& w = app_.w();
    const double pfd = r.PfdFrequencyMHz.value_or(w.PfdFrequencyMHz);
    const int32_t divideBy2 = r.VcoDiv2Field.value_or(f.VcoDiv2Field);
    const float crystal = r.CrystalFrequencyMHz.value_or(w.CrystalFrequencyMHz);
    // Only what the plan changes can make the deviation and the receiver clocks, planned
    // again on the return to the front panel, refuse it.
    if (pfd == w.PfdFrequencyMHz && divideBy2 == f.VcoDiv2Field && crystal == w.CrystalFrequencyMHz)
        return std::nullopt;
    Main& panel = app_.main();
    calc::FollowUpInputs in{{panel.TxtFSKdev->text(), pfd, divideBy2}, panel.dataRateInputs()};
    in.rate.CrystalFrequencyMHz = crystal;
    return calc::followUpRefusal(std::move(in));
}

bool synthform::apply(const calc::SynthResult& r) {
    // A plan the deviation or the receiver clocks could not follow is refused as a whole.
    if (!evalkit::showSynthesizerPlan(app_, r.messages, followUpRefusal(r)))
        return false;
    auto& f = app_.f();
    applyCommon(f, app_.w(), r);
    platform::assignIfSet(f.IFCalUpperToneField, r.IFCalUpperToneField);
    platform::assignIfSet(f.IFCalLowerToneField, r.IFCalLowerToneField);
    using evalkit::showIfSet;
    showIfSet(LblActualChnFreq, r.actualChannel);
    showIfSet(synthesizerFrequency, r.synthesizerFrequency);
    showIfSet(frequencyStep, r.frequencyStep);
    showNote(r);
    Main& panel = app_.main();
    evalkit::showFrequencyReadouts(panel.lblvcofreq, panel.lblpfd_freq, panel.lblcrystal, r);
    entryBoxes().focus(r.focus);
    if (r.refreshReadouts)
        app_.UpdateAllRegisterLabels();
    // A plan that went through sets the dividers' fields.
    return r.IntegerNField.has_value();
}

bool synthform::CmdCalculate_Click() {
    const auto& f = app_.f();
    const auto& w = app_.w();
    return apply(calc::CmdCalculate({txtVCOout1->text(), txtpfd1->text(), TxtCrystal1->text(),
                                     lblVCOdiv2->isOn(), f.VcoDiv2Field, f.ExtInductorField,
                                     f.TxRxField, w.CrystalFrequencyMHz, w.IntegerN, w.FracN,
                                     app_.variant().tones.divisorsFor(f.IFFilterBandwidthField)}));
}

void synthform::UpdatesynthF() {
    const auto& f = app_.f();
    apply(calc::UpdatesynthF({txtVCOout1->text(), txtpfd1->text(), TxtCrystal1->text(),
                              LblN->text(), LblF->text(), lblVCOdiv2->isOn(), f.ExtInductorField,
                              f.TxRxField, app_.w().RDivider},
                             limits_));
}

void synthform::stepFraction(bool up) {
    const auto step = calc::stepFraction(LblN->text(), LblF->text(), up);
    if (!step)
        return; // no calculation since the window was loaded
    const auto& f = app_.f();
    // N and F change only through the fraction-step path, so a step the band
    // check rejects leaves them as they were.
    apply(calc::UpdatesynthF({txtVCOout1->text(), txtpfd1->text(), TxtCrystal1->text(),
                              step->nCaption, step->fCaption, lblVCOdiv2->isOn(),
                              f.ExtInductorField, f.TxRxField, app_.w().RDivider},
                             limits_));
}

void synthform::cmdfdown_Click() {
    stepFraction(false);
}

void synthform::CmdFup_Click() {
    stepFraction(true);
}

void synthform::returnToPanel_Click() {
    unload();
    app_.main().TxtFSKdev_Change();
    app_.UpdateAllRegisterLabels();
}

void synthform::lblVCOdiv2_Change() {
    app_.f().VcoDiv2Field = lblVCOdiv2->isOn() ? DivideBy2On : 0;
    app_.UpdateAllRegisterLabels();
}

evalkit::SynthesizerImport synthform::applySettingsEntries(const calc::SynthesizerPlan& p) {
    if (p.divideBy2) {
        lblVCOdiv2->setOn(*p.divideBy2);
        app_.f().VcoDiv2Field = *p.divideBy2 ? DivideBy2On : 0;
    }
    evalkit::SynthesizerImport import = evalkit::putSynthesizerEntries(entryBoxes(), p.entries);
    import.given = evalkit::synthesizerEntries(entryBoxes());
    return import;
}

void synthform::calculateSettings(calc::KeyReader& r, const evalkit::SynthesizerImport& import) {
    CmdCalculate_Click();
    const CorvaneWorking& w = app_.w();
    evalkit::checkSynthesizerImport(r, import, entryBoxes(),
                                    {w.RfFrequencyMHz, w.PfdFrequencyMHz, w.CrystalFrequencyMHz},
                                    calc::RfToleranceMHz);
}

calc::SynthesizerRecord synthform::settingsInForce() const {
    // A box whose frequency the last calculation did not keep is written as it kept it.
    const CorvaneWorking& w = app_.w();
    return {evalkit::frequencyInForce(txtVCOout1, w.RfFrequencyMHz, calc::RfToleranceMHz,
                                      platform::formatNumber(w.RfFrequencyMHz, u".000000")),
            evalkit::frequencyInForce(TxtCrystal1, w.CrystalFrequencyMHz, 5e-6,
                                      platform::formatSingle(w.CrystalFrequencyMHz, u".000000"))};
}

} // namespace corvane
