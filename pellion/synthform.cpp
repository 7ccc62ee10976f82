#include "pellion/synthform.h"

#include "pellion/main_window.h"
#include "pellion/pellionapp.h"
#include "platform/named.h"
#include "platform/numbers.h"

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

using platform::named;

QLabel* label(const char* name, const QString& text) {
    return named(new QLabel(text), name);
}

constexpr int32_t DivideBy2On = 1 << 13; // VcoDiv2Field
constexpr int32_t Receive = 1 << 27;     // TxRxField

} // namespace

synthform::synthform(PellionApp& app) : app_(app) {
    setObjectName(QStringLiteral("synthform"));
    setWindowTitle(QStringLiteral("RF Output Frequency"));
    txtVCOout1 = named(new QLineEdit, "txtVCOout1");
    txtpfd1 = named(new QLineEdit, "txtpfd1");
    TxtCrystal1 = named(new QLineEdit, "TxtCrystal1");
    Text1 = named(new QLineEdit, "Text1");
    Text1->setReadOnly(true); // the result of the plan, not an entry
    Label1 = label("Label1", QStringLiteral(" Enter RF Frequency (MHz):"));
    Label5 = label("Label5", QStringLiteral("Enter RF Frequency (MHz)"));
    Label2 = label("Label2", QStringLiteral("Enter PFD reference frequency (MHz):"));
    Label12 = label("Label12", QStringLiteral("Enter the Crystal Frequency (MHz)"));
    Label7 = label("Label7", QStringLiteral("Synthesizer Frequency (MHz)"));
    lblHeading = label("lblHeading", QStringLiteral("RF Output Frequency (MHz)"));
    lblRxLO = label("lblRxLO", QString());
    Label8 = label("Label8", QStringLiteral("N: (integer)"));
    Label10 = label("Label10", QStringLiteral("R:"));
    Label11 = label("Label11", QStringLiteral("F:"));
    LblR = label("LblR", QString());
    LblN = label("LblN", QString());
    LblF = label("LblF", QString());
    Label13 = label("Label13", QStringLiteral("32768"));
    NoteText =
        label("NoteText",
              QStringLiteral("The Divide by 2 halves the Synthesizer frequency.This Divide by "
                             "2 is outside the synthesizer loop so the synthesizer is "
                             "running at twice the RF ouput frequency."));
    NoteText->setWordWrap(true);
    Frame2 = named(new QGroupBox(QStringLiteral("PFD/Crystal/PLL Frequency")), "Frame2");
    frmVCOdiv2 = named(new QGroupBox(QStringLiteral("RF Divide by 2")), "frmVCOdiv2");
    Frame1 = named(new QGroupBox, "Frame1");
    Note = named(new QGroupBox(QStringLiteral("Note on Divide by 2")), "Note");
    // Shown while the divide-by-2 is on; its room is kept meanwhile, so the boxes above do not
    // move or shrink when it comes and goes.
    QSizePolicy keepRoom = Note->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    Note->setSizePolicy(keepRoom);
    Note->setVisible(false);
    lblVCOdiv2 = platform::namedToggle("lblVCOdiv2");
    CmdCalculate = named(new QPushButton(QStringLiteral("Calculate")), "CmdCalculate");
    CmdCalculate->setToolTip(QStringLiteral("This will calculate the R, N and F values."));
    Command1 = named(new QPushButton(QStringLiteral("Return to front panel")), "Command1");
    cmdfdown = named(new QToolButton, "cmdfdown");
    cmdfdown->setArrowType(Qt::DownArrow);
    cmdfdown->setToolTip(QStringLiteral("Click to decrement F"));
    buildLayout();

    connect(CmdCalculate, &QPushButton::clicked, this, &synthform::CmdCalculate_Click);
    connect(Command1, &QPushButton::clicked, this, &synthform::Command1_Click);
    connect(cmdfdown, &QToolButton::clicked, this, &synthform::cmdfdown_Click);
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

    auto* dividers = new QGridLayout(Frame1);
    dividers->addWidget(Label10, 0, 0);
    dividers->addWidget(LblR, 0, 1);
    dividers->addWidget(Label8, 1, 0);
    dividers->addWidget(LblN, 1, 1);
    dividers->addWidget(Label11, 2, 0);
    dividers->addWidget(LblF, 2, 1);
    dividers->addWidget(new QLabel(QStringLiteral("/")), 2, 2);
    dividers->addWidget(Label13, 2, 3);
    dividers->addWidget(cmdfdown, 2, 4);
    dividers->setColumnStretch(1, 1);

    auto* note = new QVBoxLayout(Note);
    note->addWidget(NoteText);

    auto* results = new QGridLayout;
    results->addWidget(lblHeading, 0, 0);
    results->addWidget(lblRxLO, 0, 1);
    results->addWidget(Label7, 1, 0);
    results->addWidget(Text1, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdCalculate);
    buttons->addStretch();
    buttons->addWidget(Command1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame2);
    auto* middle = new QHBoxLayout;
    middle->addWidget(frmVCOdiv2);
    middle->addWidget(Frame1, 1);
    layout->addLayout(middle);
    layout->addLayout(results);
    layout->addWidget(Note);
    layout->addLayout(buttons);
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
    Label1->setVisible(!external);
    Label5->setVisible(external);
    if (f.VcoDiv2Field == DivideBy2On)
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

void synthform::apply(const calc::SynthResult& r) {
    app_.show(r.messages);
    auto& f = app_.f();
    auto& w = app_.w();
    using platform::assignIfSet;
    if (r.divideBy2On)
        lblVCOdiv2->setOn(*r.divideBy2On);
    assignIfSet(f.VcoDiv2Field, r.VcoDiv2Field);
    assignIfSet(w.IntegerN, r.IntegerN);
    assignIfSet(w.FracN, r.FracN);
    assignIfSet(w.RDivider, r.RDivider);
    assignIfSet(w.RfFrequencyMHz, r.RfFrequencyMHz);
    assignIfSet(w.PfdFrequencyMHz, r.PfdFrequencyMHz);
    assignIfSet(w.CrystalFrequencyMHz, r.CrystalFrequencyMHz);
    assignIfSet(f.IntegerNField, r.IntegerNField);
    assignIfSet(f.FracNField, r.FracNField);
    assignIfSet(f.RDividerField, r.RDividerField);
    assignIfSet(f.AfcScalingField, r.AfcScalingField);
    const auto text = [](auto* control, const std::optional<QString>& value) {
        if (value)
            control->setText(*value);
    };
    text(txtVCOout1, r.txtVCOout1);
    text(txtpfd1, r.txtpfd1);
    text(TxtCrystal1, r.TxtCrystal1);
    text(lblRxLO, r.lblRxLO);
    text(Text1, r.Text1);
    text(LblR, r.LblR);
    text(LblN, r.LblN);
    text(LblF, r.LblF);
    if (r.NoteVisible)
        Note->setVisible(*r.NoteVisible);
    Main& panel = app_.main();
    text(panel.lblvcofreq, r.lblvcofreq);
    text(panel.lblpfd_freq, r.lblpfd_freq);
    text(panel.lblcrystal, r.lblcrystal);
    switch (r.focus) {
    case calc::SynthBox::Rf:
        txtVCOout1->setFocus();
        break;
    case calc::SynthBox::Pfd:
        txtpfd1->setFocus();
        break;
    case calc::SynthBox::Crystal:
        TxtCrystal1->setFocus();
        break;
    case calc::SynthBox::None:
        break;
    }
    if (r.runDataRateHandler)
        panel.txtDatarate_Change();
    if (r.refreshReadouts)
        app_.UpdateAllRegisterLabels();
}

void synthform::apply(const calc::FractionStepResult& r) {
    apply(r.calculation);
    if (r.step)
        apply(*r.step);
}

int16_t synthform::ValidateSynthInputs() {
    const calc::SynthResult r = calc::ValidateSynthInputs(inputs());
    apply(r);
    return r.validationFailed ? 1 : 0;
}

void synthform::CmdCalculate_Click() {
    apply(calc::CmdCalculate(inputs()));
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

void synthform::Command1_Click() {
    unload();
    if (app_.f().ModulationSchemeField == 0)
        app_.main().TxtFSKdev_Change();
    app_.UpdateAllRegisterLabels();
}

void synthform::lblVCOdiv2_Change() {
    app_.f().VcoDiv2Field = lblVCOdiv2->isOn() ? DivideBy2On : 0;
}

} // namespace pellion
