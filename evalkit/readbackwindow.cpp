#include "evalkit/readbackwindow.h"
#include "evalkit/fielddialog.h"

#include "evalkit/calc/readbackconversions.h"
#include "evalkit/programcontext.h"
#include "platform/listchoice.h"
#include "platform/named.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace evalkit {

using platform::named;

std::function<std::optional<bool>()> ReadbackHooks::directionOf(const QAbstractButton* tx,
                                                                const QAbstractButton* rx) {
    return [tx, rx]() -> std::optional<bool> {
        if (tx && tx->isChecked())
            return true;
        if (rx && rx->isChecked())
            return false;
        return std::nullopt;
    };
}

frmReadback::frmReadback(ProgramContext& app, const ReadbackDescription& description,
                         ReadbackHooks hooks)
    : app_(app), d_(description), hooks_(std::move(hooks)),
      adcMode_(app.link().registers(), description.adcModeField),
      select_(app.link().registers(), description.selectField),
      enable_(app.link().registers(), description.enableField),
      adcEnable_(app.link().registers(), description.adcEnableField) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(description.caption);

    typeCaption = platform::namedLabel("Label1", QStringLiteral("Type of readback"));
    cmbReadback = platform::namedList(
        "cmbReadback",
        {QStringLiteral("RSSI"), QStringLiteral("Battery Voltage"), QStringLiteral("Temp Sensor"),
         QStringLiteral("External Pin"), QStringLiteral("Frequency Error"),
         QStringLiteral("Filter Cal"), QStringLiteral("Silicon Revision")});
    typeCaption->setBuddy(cmbReadback);

    cmdReadback = platform::namedButton("cmdReadback", QStringLiteral("Readback !"));
    cmdReadback->setToolTip(
        QStringLiteral("Initiates Readback, by sending a series of clock pulses to the sCLK pin"));
    cmdReadback->setDefault(true);

    valueCaption = platform::namedLabel("Label6", description.valueCaption);
    lblReadbackDisplay = platform::namedLabel("lblReadbackDisplay", QString());
    lblReadbackSpecificDisplay = platform::namedLabel("lblReadbackSpecificDisplay", QString());
    for (QLabel* l : {lblReadbackDisplay, lblReadbackSpecificDisplay}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(220);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    ADC_Status = named(new QGroupBox(QStringLiteral("ADC Status")), "ADC_Status");
    Tog_ADC_Enable = platform::namedToggle("Tog_ADC_Enable");
    adcNote = platform::namedLabel("Label5", description.note);
    adcNote->setWordWrap(true);

    returnToPanel = platform::namedButton("Command2", QStringLiteral("Return to Front Panel"));
    returnToPanel->setToolTip(
        QStringLiteral("Press this to return to the frontpage - Write to part has not occurred"));

    // The choice and the trigger on top, the answer below, the ADC switch beside its note, the
    // return button at the foot.
    auto* choice = new QHBoxLayout;
    choice->addWidget(typeCaption);
    choice->addWidget(cmbReadback, 1);
    choice->addWidget(cmdReadback);

    auto* answer = new QGridLayout;
    answer->addWidget(valueCaption, 0, 0);
    answer->addWidget(lblReadbackDisplay, 0, 1);
    answer->addWidget(lblReadbackSpecificDisplay, 1, 0, 1, 2);
    answer->setColumnStretch(1, 1);

    auto* adc = new QHBoxLayout(ADC_Status);
    adc->addWidget(Tog_ADC_Enable);
    auto* adcRow = new QHBoxLayout;
    adcRow->addWidget(ADC_Status);
    adcRow->addWidget(adcNote, 1);

    auto* foot = dialog::footer({returnToPanel});

    auto* top = new QVBoxLayout(this);
    top->addLayout(choice);
    top->addLayout(answer);
    top->addLayout(adcRow);
    top->addLayout(foot);
    setMinimumWidth(460);

    platform::onChoice(cmbReadback, this, &frmReadback::cmbReadback_Click);
    connect(cmdReadback, &QPushButton::clicked, this, &frmReadback::cmdReadback_Click);
    connect(Tog_ADC_Enable, &platform::Toggle::toggled, this, &frmReadback::Tog_ADC_Enable_Change);
    connect(returnToPanel, &QPushButton::clicked, this, &frmReadback::returnToPanel_Click);
}

void frmReadback::Form_Load() {
    // The ADC switch matters in transmit only: in receive the power-down rule powers the ADC.
    if (const std::optional<bool> tx = hooks_.transmitting ? hooks_.transmitting() : std::nullopt) {
        ADC_Status->setEnabled(*tx);
        Tog_ADC_Enable->setEnabled(*tx);
    }
    if (d_.loadShowsAdcEnable) {
        // Showing the bit is no change of it: the power-down register is not written.
        const QSignalBlocker quiet(Tog_ADC_Enable);
        Tog_ADC_Enable->setOn(adcEnable_.code() == 1);
    }
    // The list shows the quantity the register-7 fields select, so the next readback is
    // converted as the quantity that is actually read (its handler sets ReadbackMode to match).
    cmbReadback->setCurrentIndex(calc::readbackListIndex(static_cast<int32_t>(adcMode_.stored()),
                                                         static_cast<int32_t>(select_.stored())));
}

void frmReadback::cmbReadback_Click() {
    const std::optional<calc::ReadbackChoice> choice =
        calc::readbackChoice(cmbReadback->currentIndex());
    if (!choice)
        return;
    adcMode_.store(choice->ReadbackAdcModeField);
    select_.store(choice->ReadbackSelectField);
    if (hooks_.ReadbackMode)
        *hooks_.ReadbackMode = choice->ReadbackMode;
}

void frmReadback::cmdReadback_Click() {
    const std::optional<int> readback = app_.link().transport().readbackRegister;
    if (!readback || !hooks_.convert || !hooks_.ReadbackMode)
        return;
    enable_.setCode(1);
    // A readback that reached no board read nothing: the texts keep what was last read.
    if (!app_.writeRegister(*readback))
        return;
    int32_t& value = app_.link().values().ReadbackValue;
    const ReadbackAnswer a = hooks_.convert(*hooks_.ReadbackMode, value);
    lblReadbackDisplay->setText(a.lblReadbackDisplay);
    if (a.lblReadbackSpecificDisplay)
        lblReadbackSpecificDisplay->setText(*a.lblReadbackSpecificDisplay);
    value = a.ReadbackValue;
    app_.show(a.messages);
    if (a.thenApply)
        a.thenApply();
}

void frmReadback::Tog_ADC_Enable_Change() {
    adcEnable_.setCode(Tog_ADC_Enable->isOn() ? 1 : 0);
    if (const std::optional<int> powerDown = app_.link().transport().powerDownRegister)
        app_.writeRegister(*powerDown);
}

void frmReadback::returnToPanel_Click() {
    unload();
}

} // namespace evalkit
