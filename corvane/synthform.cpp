#include "corvane/synthform.h"

#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "platform/named.h"
#include "platform/numbers.h"

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
    return named(new QLabel(text), name);
}

constexpr int32_t DivideBy2On = 1 << 18;
constexpr int32_t Receive = 1 << 27;

} // namespace

synthform::synthform(CorvaneApp& app, calc::VcoUpperLimits fractionStepLimits)
    : app_(app), limits_(fractionStepLimits) {
    setObjectName(QStringLiteral("synthform"));
    setWindowTitle(QStringLiteral("RF Output Frequency"));
    txtVCOout1 = named(new QLineEdit, "txtVCOout1");
    txtpfd1 = named(new QLineEdit, "txtpfd1");
    TxtCrystal1 = named(new QLineEdit, "TxtCrystal1");
    Label1 = label("Label1", QStringLiteral(" Enter Desired RF Channel Frequency (MHz):"));
    Label5 = label("Label5", QStringLiteral("Enter Desired RF Channel Frequency (MHz)"));
    Label2 = label("Label2", QStringLiteral("Enter PFD reference frequency (MHz):"));
    Label12 = label("Label12", QStringLiteral("Enter the TCXO/Crystal Frequency (MHz)"));
    NoteText =
        label("NoteText",
              QStringLiteral("The Divide by 2 halves the Synthesizer frequency.This Divide by "
                             "2 is outside the synthesizer loop so the synthesizer is "
                             "running at twice the RF ouput frequency.                    "
                             "To compensate for this, the feedback divider number (N + F) "
                             "must be doubled."));
    NoteText->setWordWrap(true);
    Label8 = label("Label8", QStringLiteral("N: (integer)"));
    Label10 = label("Label10", QStringLiteral("R:"));
    Label11 = label("Label11", QStringLiteral("F:"));
    LblN = label("LblN", QString());
    LblR = label("LblR", QString());
    LblF = label("LblF", QString());
    Label13 = label("Label13", QStringLiteral("32768"));
    Label6 = label("Label6", QStringLiteral("Actual RF Channel Frequency"));
    LblActualChnFreq = label("LblActualChnFreq", QString());
    lblHeading = label("lblHeading", QStringLiteral("Receiver LO Frequency"));
    lblRxLO = label("lblRxLO", QString());
    Label7 = label("Label7", QStringLiteral("Synthesizer Frequency"));
    Label3 = label("Label3", QString());
    Label9 = label("Label9", QStringLiteral("Fstep = "));
    Label4 =
        label("Label4", QStringLiteral("Calculate updates the register values in the Main Panel"));
    Frame2 = named(new QGroupBox(QStringLiteral("PFD/Crystal/PLL Frequency")), "Frame2");
    frmVCOdiv2 = named(new QGroupBox(QStringLiteral("RF Divide by 2")), "frmVCOdiv2");
    Note = named(new QGroupBox(QStringLiteral("Note on Divide by 2")), "Note");
    Frame1 = named(new QGroupBox, "Frame1");
    lblVCOdiv2 = named(new platform::Toggle, "lblVCOdiv2");
    lblVCOdiv2->setStateTexts(QStringLiteral("Off"), QStringLiteral("On"));
    CmdCalculate = named(new QPushButton(QStringLiteral("Calculate")), "CmdCalculate");
    CmdCalculate->setToolTip(QStringLiteral("This will calculate the R, N and F values."));
    Command1 = named(new QPushButton(QStringLiteral("Return to front panel")), "Command1");
    Command1->setToolTip(QStringLiteral(
        "This will return you to the front panel and change the register values. The user must "
        "then program the appropriate registers by pressing the update button."));
    cmdfdown = named(new QToolButton, "cmdfdown");
    cmdfdown->setArrowType(Qt::DownArrow);
    cmdfdown->setToolTip(QStringLiteral("F - 1"));
    CmdFup = named(new QToolButton, "CmdFup");
    CmdFup->setArrowType(Qt::UpArrow);
    CmdFup->setToolTip(QStringLiteral("F + 1"));
    buildLayout();

    connect(CmdCalculate, &QPushButton::clicked, this, &synthform::CmdCalculate_Click);
    connect(Command1, &QPushButton::clicked, this, &synthform::Command1_Click);
    connect(cmdfdown, &QToolButton::clicked, this, &synthform::cmdfdown_Click);
    connect(CmdFup, &QToolButton::clicked, this, &synthform::CmdFup_Click);
    connect(lblVCOdiv2, &platform::Toggle::toggled, this, &synthform::lblVCOdiv2_Change);
}

void synthform::buildLayout() {
    auto* entries = new QGridLayout(Frame2);
    entries->addWidget(Label1, 0, 0);
    entries->addWidget(Label5, 0, 0);
    entries->addWidget(txtVCOout1, 0, 1);
    entries->addWidget(Label2, 1, 0);
    entries->addWidget(txtpfd1, 1, 1);
    entries->addWidget(Label12, 2, 0);
    entries->addWidget(TxtCrystal1, 2, 1);

    auto* div2 = new QHBoxLayout(frmVCOdiv2);
    div2->addWidget(lblVCOdiv2);
    div2->addStretch();
    auto* note = new QVBoxLayout(Note);
    note->addWidget(NoteText);

    auto* dividers = new QGridLayout(Frame1);
    dividers->addWidget(Label10, 0, 0);
    dividers->addWidget(LblR, 0, 1);
    dividers->addWidget(Label8, 1, 0);
    dividers->addWidget(LblN, 1, 1);
    dividers->addWidget(Label11, 2, 0);
    dividers->addWidget(LblF, 2, 1);
    dividers->addWidget(new QLabel(QStringLiteral("/")), 2, 2);
    dividers->addWidget(Label13, 2, 3);
    auto* arrows = new QVBoxLayout;
    arrows->addWidget(CmdFup);
    arrows->addWidget(cmdfdown);
    dividers->addLayout(arrows, 1, 4, 2, 1);
    dividers->addWidget(Label9, 3, 0, 1, 5);

    auto* results = new QGridLayout;
    results->addWidget(Label6, 0, 0);
    results->addWidget(LblActualChnFreq, 0, 1);
    results->addWidget(lblHeading, 1, 0);
    results->addWidget(lblRxLO, 1, 1);
    results->addWidget(Label7, 2, 0);
    results->addWidget(Label3, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdCalculate);
    buttons->addStretch();
    buttons->addWidget(Command1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame2);
    auto* middle = new QHBoxLayout;
    middle->addWidget(frmVCOdiv2);
    middle->addWidget(Frame1);
    layout->addLayout(middle);
    layout->addWidget(Note);
    layout->addLayout(results);
    layout->addWidget(Label4);
    layout->addLayout(buttons);
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
    Label1->setVisible(!external);
    for (QWidget* l : {static_cast<QWidget*>(Label5), static_cast<QWidget*>(Label3),
                       static_cast<QWidget*>(Label7)})
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

void synthform::apply(const calc::SynthResult& r) {
    app_.show(r.messages);
    auto& f = app_.f();
    auto& w = app_.w();
    const auto set = [](auto& target, const auto& value) {
        platform::assignIfSet(target, value);
    };
    auto text = [](QLabel* l, const std::optional<QString>& value) {
        if (value)
            l->setText(*value);
    };
    if (r.divideBy2On)
        lblVCOdiv2->setOn(*r.divideBy2On);
    set(f.VcoDiv2Field, r.VcoDiv2Field);
    set(w.IntegerN, r.IntegerN);
    set(w.FracN, r.FracN);
    set(w.RDivider, r.RDivider);
    set(w.RfFrequencyMHz, r.RfFrequencyMHz);
    set(w.PfdFrequencyMHz, r.PfdFrequencyMHz);
    set(w.CrystalFrequencyMHz, r.CrystalFrequencyMHz);
    set(f.IntegerNField, r.IntegerNField);
    set(f.FracNField, r.FracNField);
    set(f.RDividerField, r.RDividerField);
    set(f.IFCalUpperToneField, r.IFCalUpperToneField);
    set(f.IFCalLowerToneField, r.IFCalLowerToneField);
    set(f.AfcScalingField, r.AfcScalingField);
    if (r.txtVCOout1)
        txtVCOout1->setText(*r.txtVCOout1);
    if (r.txtpfd1)
        txtpfd1->setText(*r.txtpfd1);
    if (r.TxtCrystal1)
        TxtCrystal1->setText(*r.TxtCrystal1);
    text(LblActualChnFreq, r.LblActualChnFreq);
    text(lblRxLO, r.lblRxLO);
    text(Label3, r.Label3);
    text(Label9, r.Label9);
    text(LblR, r.LblR);
    text(LblN, r.LblN);
    text(LblF, r.LblF);
    if (r.NoteVisible)
        Note->setVisible(*r.NoteVisible);
    Main& panel = app_.main();
    text(panel.lblvcofreq, r.lblvcofreq);
    text(panel.lblpfd_freq, r.lblpfd_freq);
    text(panel.lblcrystal, r.lblcrystal);
    if (r.focus == calc::FocusBox::Pfd)
        txtpfd1->setFocus();
    else if (r.focus == calc::FocusBox::Crystal)
        TxtCrystal1->setFocus();
    if (r.refreshReadouts)
        app_.UpdateAllRegisterLabels();
}

void synthform::CmdCalculate_Click() {
    const auto& f = app_.f();
    const auto& w = app_.w();
    apply(calc::CmdCalculate({txtVCOout1->text(), txtpfd1->text(), TxtCrystal1->text(),
                              lblVCOdiv2->isOn(), f.VcoDiv2Field, f.ExtInductorField, f.TxRxField,
                              w.CrystalFrequencyMHz, w.IntegerN, w.FracN,
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
    apply(calc::UpdatesynthF({txtVCOout1->text(), txtpfd1->text(), TxtCrystal1->text(), step->LblN,
                              step->LblF, lblVCOdiv2->isOn(), f.ExtInductorField, f.TxRxField,
                              app_.w().RDivider},
                             limits_));
}

void synthform::cmdfdown_Click() {
    stepFraction(false);
}

void synthform::CmdFup_Click() {
    stepFraction(true);
}

void synthform::Command1_Click() {
    unload();
    app_.main().TxtFSKdev_Change();
    app_.UpdateAllRegisterLabels();
}

void synthform::lblVCOdiv2_Change() {
    app_.f().VcoDiv2Field = lblVCOdiv2->isOn() ? DivideBy2On : 0;
}

} // namespace corvane
