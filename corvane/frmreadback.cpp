#include "corvane/frmreadback.h"
#include "platform/named.h"

#include "corvane/calc/readback.h"
#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace corvane {

namespace {

using platform::named;

// Bit 8 of register 8: the ADC is powered.
constexpr double AdcOn = 256;
// Bit 8 of register 7: the chip answers a readback.
constexpr int32_t ReadbackEnabled = 256;

} // namespace

frmReadback::frmReadback(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmReadback"));
    setWindowTitle(QStringLiteral("Corvane Readback"));

    Label1 = named(new QLabel(QStringLiteral("Type of readback")), "Label1");
    cmbReadback = platform::namedList(
        "cmbReadback",
        {QStringLiteral("RSSI"), QStringLiteral("Battery Voltage"), QStringLiteral("Temp Sensor"),
         QStringLiteral("External Pin"), QStringLiteral("Frequency Error"),
         QStringLiteral("Filter Cal"), QStringLiteral("Silicon Revision")});
    Label1->setBuddy(cmbReadback);

    cmdReadback = named(new QPushButton(QStringLiteral("Readback !")), "cmdReadback");
    cmdReadback->setToolTip(
        QStringLiteral("Initiates Readback, by sending a series of clock pulses to the sCLK pin"));
    cmdReadback->setDefault(true);

    Label6 = named(new QLabel(QStringLiteral("Readback Value is :")), "Label6");
    lblReadbackDisplay = named(new QLabel, "lblReadbackDisplay");
    lblReadbackSpecificDisplay = named(new QLabel, "lblReadbackSpecificDisplay");
    for (QLabel* l : {lblReadbackDisplay, lblReadbackSpecificDisplay}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(220);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    ADC_Status = named(new QGroupBox(QStringLiteral("ADC Status")), "ADC_Status");
    Tog_ADC_Enable = named(new platform::Toggle, "Tog_ADC_Enable");
    Tog_ADC_Enable->setStateTexts(QStringLiteral("Off"), QStringLiteral("On"));
    Label5 = named(new QLabel(QStringLiteral(
                       "When in TX Mode you need to enable the ADC Status to ON to do a readback. "
                       "It is not possible to do a Battery Voltage or Temp Sensor readback in "
                       "receive mode")),
                   "Label5");
    Label5->setWordWrap(true);

    Command2 = named(new QPushButton(QStringLiteral("Return to Front Panel")), "Command2");
    Command2->setToolTip(
        QStringLiteral("Press this to return to the frontpage - Write to part has not occurred"));

    // Layout: the choice and the trigger on top, the answer below, the ADC switch beside its
    // note, the return button at the foot.
    auto* choice = new QHBoxLayout;
    choice->addWidget(Label1);
    choice->addWidget(cmbReadback, 1);
    choice->addWidget(cmdReadback);

    auto* answer = new QGridLayout;
    answer->addWidget(Label6, 0, 0);
    answer->addWidget(lblReadbackDisplay, 0, 1);
    answer->addWidget(lblReadbackSpecificDisplay, 1, 0, 1, 2);

    auto* adc = new QHBoxLayout(ADC_Status);
    adc->addWidget(Tog_ADC_Enable);
    auto* adcRow = new QHBoxLayout;
    adcRow->addWidget(ADC_Status);
    adcRow->addWidget(Label5, 1);

    auto* foot = new QHBoxLayout;
    foot->addStretch();
    foot->addWidget(Command2);

    auto* top = new QVBoxLayout(this);
    top->addLayout(choice);
    top->addLayout(answer);
    top->addLayout(adcRow);
    top->addLayout(foot);

    connect(cmbReadback, &QComboBox::currentIndexChanged, this, &frmReadback::cmbReadback_Click);
    connect(cmdReadback, &QPushButton::clicked, this, &frmReadback::cmdReadback_Click);
    connect(Tog_ADC_Enable, &platform::Toggle::toggled, this, &frmReadback::Tog_ADC_Enable_Change);
    connect(Command2, &QPushButton::clicked, this, &frmReadback::Command2_Click);
}

void frmReadback::Form_Load() {
    // The ADC switch matters in transmit only: in receive the register-8 rule powers the ADC.
    Main& m = app_.main();
    if (m.optTx->isChecked()) {
        ADC_Status->setEnabled(true);
        Tog_ADC_Enable->setEnabled(true);
    } else if (m.optRx->isChecked()) {
        ADC_Status->setEnabled(false);
        Tog_ADC_Enable->setEnabled(false);
    }
    // Show the quantity the register-7 fields select, so the next readback is converted as
    // the quantity that is actually read (its handler sets ReadbackMode to match).
    const auto& f = app_.f();
    cmbReadback->setCurrentIndex(
        calc::readbackListIndex(f.ReadbackAdcModeField, f.ReadbackSelectField));
}

void frmReadback::cmbReadback_Click() {
    const auto choice = calc::readbackChoice(cmbReadback->currentIndex());
    if (!choice)
        return;
    auto& f = app_.f();
    f.ReadbackAdcModeField = choice->ReadbackAdcModeField;
    f.ReadbackSelectField = choice->ReadbackSelectField;
    app_.w().ReadbackMode = choice->ReadbackMode;
}

void frmReadback::cmdReadback_Click() {
    auto& w = app_.w();
    app_.f().ReadbackEnableField = ReadbackEnabled;
    app_.writeRegister(7);
    const calc::ReadbackDisplay d =
        calc::convertReadback(w.ReadbackMode, w.ReadbackValue, w.DemodClockMHz);
    lblReadbackDisplay->setText(d.lblReadbackDisplay);
    if (d.lblReadbackSpecificDisplay)
        lblReadbackSpecificDisplay->setText(*d.lblReadbackSpecificDisplay);
    w.ReadbackValue = d.ReadbackValue;
}

void frmReadback::Tog_ADC_Enable_Change() {
    app_.f().AdcEnableField = Tog_ADC_Enable->isOn() ? AdcOn : 0;
    app_.writeRegister(8);
}

void frmReadback::Command2_Click() {
    unload();
}

} // namespace corvane
