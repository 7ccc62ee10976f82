#include "tessarine/synthesizerwindow.h"

#include "evalkit/clockoutwindow.h"
#include "evalkit/synthesizerwindow.h"
#include "platform/listchoice.h"
#include "platform/named.h"
#include "tessarine/calc/modulation.h"
#include "tessarine/frontpanel.h"
#include "tessarine/tessarineapp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessarine {

namespace {

using platform::named;

QLabel* label(const char* name, const QString& text) {
    return platform::namedLabel(name, text);
}

} // namespace

synthform::synthform(TessarineApp& app) : app_(app) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("RF Output Frequency"));
    txtVCOout1 = named(new QLineEdit, "txtVCOout1");
    txtpfd1 = named(new QLineEdit, "txtpfd1");
    TxtCrystal1 = named(new QLineEdit, "TxtCrystal1");
    optDoubler = named(new QCheckBox(QStringLiteral("Doubler")), "optDoubler");
    cmbVCODivide = platform::namedList(
        "cmbVCODivide", {QStringLiteral("NO VCO Divider"), QStringLiteral("Divide by 2"),
                         QStringLiteral("Divide by 4"), QStringLiteral("Divide by 8")});
    CmdCalculate = platform::namedButton("CmdCalculate", QStringLiteral("Calculate"));
    CmdCalculate->setToolTip(QStringLiteral("This will update the values on screen and "
                                            "internally. It does not write to the parallel port."));
    CmdCalculate->setDefault(true);
    returnToPanel = platform::namedButton("Command1", QStringLiteral("Return to Front Panel"));
    returnToPanel->setToolTip(
        QStringLiteral("This will return you to the front panel with nothing written yet"));
    cmdfdown = named(new QToolButton, "cmdfdown");
    cmdfdown->setArrowType(Qt::DownArrow);
    cmdfdown->setToolTip(QStringLiteral("F - 1"));
    CmdFup = named(new QToolButton, "CmdFup");
    CmdFup->setArrowType(Qt::UpArrow);
    CmdFup->setToolTip(QStringLiteral("F + 1"));
    LblR = label("LblR", QString());
    LblN = label("LblN", QString());
    LblF = label("LblF", QString());
    Lblprescaler1 = label("Lblprescaler1", QString());
    for (QLabel* l : {LblR, LblN, LblF})
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("88888")));

    auto prompt = [](const char* name, const QString& text, QWidget* buddy) {
        QLabel* l = label(name, text);
        l->setBuddy(buddy);
        return l;
    };
    auto* entries = new QGroupBox(QStringLiteral("Frequencies"));
    auto* entryGrid = new QGridLayout(entries);
    entryGrid->addWidget(
        prompt("Label1", QStringLiteral("Enter Desired RF Channel Frequency (MHz):"), txtVCOout1),
        0, 0);
    entryGrid->addWidget(txtVCOout1, 0, 1);
    entryGrid->addWidget(
        prompt("Label2", QStringLiteral("Enter PFD Reference Frequency (MHz):"), txtpfd1), 1, 0);
    entryGrid->addWidget(txtpfd1, 1, 1);
    entryGrid->addWidget(
        prompt("Label3", QStringLiteral("Enter the Crystal Frequency (MHz)"), TxtCrystal1), 2, 0);
    entryGrid->addWidget(TxtCrystal1, 2, 1);
    entryGrid->addWidget(optDoubler, 3, 1);
    entryGrid->addWidget(new QLabel(QStringLiteral("Output Divider")), 4, 0);
    entryGrid->addWidget(cmbVCODivide, 4, 1);

    auto* dividers = new QGroupBox(QStringLiteral("Dividers"));
    auto* dividerGrid = new QGridLayout(dividers);
    dividerGrid->addWidget(label("Label4", QStringLiteral("R:")), 0, 0);
    dividerGrid->addWidget(LblR, 0, 1);
    dividerGrid->addWidget(label("Label5", QStringLiteral("N: (integer)")), 1, 0);
    dividerGrid->addWidget(LblN, 1, 1);
    dividerGrid->addWidget(label("Label6", QStringLiteral("F:")), 2, 0);
    dividerGrid->addWidget(LblF, 2, 1);
    dividerGrid->addWidget(new QLabel(QStringLiteral("/")), 2, 2);
    dividerGrid->addWidget(label("Label7", QStringLiteral("4096")), 2, 3);
    auto* arrows = new QVBoxLayout;
    arrows->addWidget(CmdFup);
    arrows->addWidget(cmdfdown);
    dividerGrid->addLayout(arrows, 1, 4, 2, 1);
    dividerGrid->addWidget(label("Label8", QStringLiteral("Prescaler")), 3, 0);
    dividerGrid->addWidget(Lblprescaler1, 3, 1);
    dividerGrid->setColumnStretch(5, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdCalculate);
    buttons->addStretch();
    buttons->addWidget(returnToPanel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(entries);
    layout->addWidget(dividers);
    layout->addLayout(buttons);

    connect(CmdCalculate, &QPushButton::clicked, this, &synthform::cmdCalculate_Click);
    connect(cmdfdown, &QToolButton::clicked, this, &synthform::cmdfdown_Click);
    connect(CmdFup, &QToolButton::clicked, this, &synthform::CmdFup_Click);
    connect(returnToPanel, &QPushButton::clicked, this, &synthform::returnToPanel_Click);
    connect(optDoubler, &QCheckBox::toggled, this, &synthform::optDoubler_Click);
    platform::onChoice(cmbVCODivide, this, &synthform::cmbVCODivide_Click);
}

void synthform::Form_Load() {
    auto& w = app_.w();
    const auto& f = app_.f();
    txtVCOout1->setText(calc::boxText(w.RfFrequencyMHz));
    txtpfd1->setText(calc::boxText(w.PfdFrequencyMHz));
    TxtCrystal1->setText(calc::boxText(w.CrystalFrequencyMHz));
    // Only the working values: the register fields keep the last plan.
    w.IntegerN = calc::FormLoadIntegerN;
    w.FracN = calc::FormLoadFracN;
    showPrescaler();
    optDoubler->setChecked(w.DoublerFactor == 2);
    if (const std::optional<int> index = calc::vcoDivideIndex(f.VcoDivideField))
        cmbVCODivide->setCurrentIndex(*index);
}

void synthform::showPrescaler() {
    Lblprescaler1->setText(calc::prescalerText(app_.f().PrescalerField));
}

void synthform::showEvent(QShowEvent* event) {
    showPrescaler();
    platform::Form::showEvent(event);
}

calc::SynthInputs synthform::inputs() const {
    return {txtVCOout1->text(), txtpfd1->text(), TxtCrystal1->text(), app_.w().DoublerFactor,
            app_.f().PrescalerField};
}

void synthform::cmdCalculate_Click() {
    apply(calc::cmdCalculate(inputs()));
}

void synthform::cmdfdown_Click() {
    apply(calc::stepFraction(inputs(), false));
}

void synthform::CmdFup_Click() {
    apply(calc::stepFraction(inputs(), true));
}

std::optional<platform::Message> synthform::followUpRefusal(const calc::SynthResult& r) const {
    // In FSK the deviation is counted again in steps of the new PFD; the Gaussian settings and
    // the clock-out do not depend on it in a way that can be refused.
    Main& panel = app_.main();
    if (!r.applied || panel.cmbModulation->currentIndex() != calc::FskItem || !r.PfdFrequencyMHz ||
        *r.PfdFrequencyMHz == app_.w().PfdFrequencyMHz)
        return std::nullopt;
    return calc::planDeviation({panel.TxtFSKdev->text(), calc::SchemeFsk, *r.PfdFrequencyMHz,
                                app_.f().TxDeviationField})
        .setUpRefusal;
}

void synthform::apply(const calc::SynthResult& r) {
    // A plan whose deviation the new PFD cannot hold is refused as a whole.
    if (!evalkit::showSynthesizerPlan(app_, r.messages, followUpRefusal(r)))
        return;
    evalkit::SynthEntryBoxes{txtVCOout1, txtpfd1, TxtCrystal1}.show(r);
    if (!r.applied)
        return;

    evalkit::storeSynthPlan(app_.f(), app_.w(), r);
    Main& panel = app_.main();
    evalkit::showFrequencyReadouts(panel.lblvcofreq, panel.lblpfd_freq, panel.lblcrystal, r);
    evalkit::showDividers(LblR, LblN, LblF, r);
    followUps();
}

void synthform::followUps() {
    Main& panel = app_.main();
    panel.fnGuiWrite();
    // The deviation count and the Gaussian settings are counted in steps of the PFD.
    const int scheme = panel.cmbModulation->currentIndex();
    if (scheme == calc::FskItem) {
        panel.TxtFSKdev_Change();
    } else if (scheme == calc::GfskItem || scheme == calc::GookItem) {
        panel.FnUpdateGaussian();
        panel.fnGuiWrite();
    }
    // The clock-out frequency is the crystal's, divided.
    app_.frmClockOut().UpdateClockout();
    panel.fnGuiWrite();
}

void synthform::optDoubler_Click() {
    const calc::DoublerSetting s = calc::doublerSetting(optDoubler->isChecked());
    app_.w().DoublerFactor = s.DoublerFactor;
    app_.f().DoublerField = s.DoublerField;
    app_.fnGuiWrite();
}

void synthform::cmbVCODivide_Click() {
    platform::assignIfSet(app_.f().VcoDivideField,
                          calc::vcoDivideField(cmbVCODivide->currentIndex()));
    app_.fnGuiWrite();
}

void synthform::returnToPanel_Click() {
    unload();
}

evalkit::SynthesizerImport synthform::applySettings(const calc::SynthesizerPlan& p) {
    // The PFD is the doubled crystal divided by R, so the calculation gives the same R back.
    const bool doubled = p.doubler.value_or(app_.w().DoublerFactor == 2);
    evalkit::SynthesizerImport import = evalkit::putSynthesizerEntries(
        {txtVCOout1, txtpfd1, TxtCrystal1}, p.entries, doubled ? 2 : 1);
    if (p.doubler)
        optDoubler->setChecked(*p.doubler);
    evalkit::setIndex(cmbVCODivide, p.vcoDivide);
    return import;
}

void synthform::calculateSettings(calc::KeyReader& r, evalkit::SynthesizerImport import) {
    const evalkit::SynthEntryBoxes boxes{txtVCOout1, txtpfd1, TxtCrystal1};
    import.given = evalkit::synthesizerEntries(boxes);
    cmdCalculate_Click();
    const TessarineWorking& w = app_.w();
    evalkit::checkSynthesizerImport(r, import, boxes,
                                    {w.RfFrequencyMHz, w.PfdFrequencyMHz, w.CrystalFrequencyMHz},
                                    import.given.pfdMHz / calc::RfStepsPerPfd);
}

calc::SynthesizerRecord synthform::settingsInForce() const {
    // Boxes whose frequencies the last calculation did not keep are written as it kept them.
    const TessarineWorking& w = app_.w();
    return {evalkit::frequencyInForce(txtVCOout1, w.RfFrequencyMHz,
                                      w.PfdFrequencyMHz / calc::RfStepsPerPfd,
                                      calc::boxText(w.RfFrequencyMHz)),
            evalkit::frequencyInForce(TxtCrystal1, w.CrystalFrequencyMHz, 5e-6,
                                      calc::boxText(w.CrystalFrequencyMHz)),
            // The divider as its field holds it, also while the list shows no choice.
            calc::vcoDivideIndex(app_.f().VcoDivideField).value_or(cmbVCODivide->currentIndex())};
}

} // namespace tessarine
