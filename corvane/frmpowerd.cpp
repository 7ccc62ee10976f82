#include "corvane/frmpowerd.h"

#include "platform/named.h"

#include "corvane/corvaneapp.h"
#include "evalkit/fielddialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

using evalkit::dialog::bit;

namespace {

platform::Toggle* toggle(const char* name) {
    return platform::namedToggle(name);
}

// A switch set from code runs its handler only when its state changes; the
// load wants every field to match its switch, so an unchanged switch runs it
// here.
void setSwitch(platform::Toggle* t, bool on, void (frmPowerD::*handler)(), frmPowerD& window) {
    if (t->isOn() == on)
        (window.*handler)();
    else
        t->setOn(on);
}

} // namespace

frmPowerD::frmPowerD(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmPowerD"));
    setWindowTitle(QStringLiteral("Power Down"));

    TogSynth = toggle("TogSynth");
    TogLNA = toggle("TogLNA");
    TogFilter = toggle("TogFilter");
    TogDemod = toggle("TogDemod");
    TogLogAMP = toggle("TogLogAMP");
    TogTXRXSwitch = toggle("TogTXRXSwitch");
    TogVCO = toggle("TogVCO");
    Command3 = new QPushButton(QStringLiteral("Load Now"));
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setToolTip(QStringLiteral("Update Brisquel"));
    Command1 = evalkit::dialog::returnButton("Command1");

    Frame1 = new QGroupBox(QStringLiteral("Individual Block Power Down"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(Frame1);
    const std::pair<QString, platform::Toggle*> rows[] = {
        {QStringLiteral("Synthesizer"), TogSynth},
        {QStringLiteral("VCO"), TogVCO},
        {QStringLiteral("LNA/Mixer"), TogLNA},
        {QStringLiteral("Filter"), TogFilter},
        {QStringLiteral("Demod"), TogDemod},
        {QStringLiteral("Log Amp"), TogLogAMP},
        {QStringLiteral("Internal Tx/RX Switch"), TogTXRXSwitch},
    };
    int row = 0;
    for (const auto& [caption, t] : rows) {
        grid->addWidget(new QLabel(caption), row, 0);
        grid->addWidget(t, row, 1);
        ++row;
    }
    grid->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
    buttons->addStretch();
    buttons->addWidget(Command1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    connect(TogSynth, &platform::Toggle::toggled, this, &frmPowerD::TogSynth_Change);
    connect(TogLNA, &platform::Toggle::toggled, this, &frmPowerD::TogLNA_Change);
    connect(TogFilter, &platform::Toggle::toggled, this, &frmPowerD::TogFilter_Change);
    connect(TogDemod, &platform::Toggle::toggled, this, &frmPowerD::TogDemod_Change);
    connect(TogLogAMP, &platform::Toggle::toggled, this, &frmPowerD::TogLogAMP_Change);
    connect(TogTXRXSwitch, &platform::Toggle::toggled, this, &frmPowerD::TogTXRXSwitch_Change);
    connect(TogVCO, &platform::Toggle::toggled, this, &frmPowerD::TogVCO_Change);
    connect(Command3, &QPushButton::clicked, this, &frmPowerD::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &frmPowerD::Command1_Click);
}

void frmPowerD::Form_Load() {
    setSwitch(TogSynth, true, &frmPowerD::TogSynth_Change, *this);
    setSwitch(TogLNA, true, &frmPowerD::TogLNA_Change, *this);
    setSwitch(TogFilter, true, &frmPowerD::TogFilter_Change, *this);
    setSwitch(TogDemod, true, &frmPowerD::TogDemod_Change, *this);
    setSwitch(TogLogAMP, true, &frmPowerD::TogLogAMP_Change, *this);
    setSwitch(TogTXRXSwitch, false, &frmPowerD::TogTXRXSwitch_Change, *this);
    setSwitch(TogVCO, true, &frmPowerD::TogVCO_Change, *this);
}

void frmPowerD::TogSynth_Change() {
    app_.f().SynthEnableField = TogSynth->isOn() ? bit(4) : 0;
}

void frmPowerD::TogLNA_Change() {
    app_.f().LnaEnableField = TogLNA->isOn() ? bit(6) : 0;
}

void frmPowerD::TogFilter_Change() {
    app_.f().FilterEnableField = TogFilter->isOn() ? bit(7) : 0;
}

void frmPowerD::TogDemod_Change() {
    app_.f().DemodEnableField = TogDemod->isOn() ? bit(9) : 0;
}

void frmPowerD::TogLogAMP_Change() {
    app_.f().LogAmpEnableField = TogLogAMP->isOn() ? bit(10) : 0;
}

void frmPowerD::TogTXRXSwitch_Change() {
    app_.f().TxRxSwitchEnableField = TogTXRXSwitch->isOn() ? bit(11) : 0;
}

void frmPowerD::TogVCO_Change() {
    app_.f().VcoEnableField = TogVCO->isOn() ? bit(17) : 0;
}

void frmPowerD::Command3_Click() {
    // Show the words the switches make; nothing goes to the board.
    app_.w().RegisterSelect = 8;
    app_.UpdateAllRegisterLabels();
    app_.w().RegisterSelect = 1;
    app_.UpdateAllRegisterLabels();
}

void frmPowerD::Command1_Click() {
    unload();
}

} // namespace corvane
