#include "corvane/frmparamp.h"

#include "corvane/corvaneapp.h"
#include "evalkit/fielddialog.h"
#include "link/registerlink.h"
#include "platform/named.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

using evalkit::dialog::bit;

namespace {

constexpr int16_t PaOn = 128; // R2 bit 7
constexpr int16_t PaOff = 0;
constexpr int RampProfiles = 8;
constexpr int BurstCount = 5;

} // namespace

frmPARamp::frmPARamp(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmPARamp"));
    setWindowTitle(QStringLiteral("PA Ramp Settings and Testing"));

    cmbPARamp = evalkit::dialog::list(
        "cmbPARamp", {QStringLiteral("No Ramp"), QStringLiteral("0.25 x Bit period"),
                      QStringLiteral("0.5 x Bit period"), QStringLiteral("1 x Bit period"),
                      QStringLiteral("2 x Bit period"), QStringLiteral("4 x Bit period"),
                      QStringLiteral("8 x Bit period"), QStringLiteral("16 x Bit period")});
    cmbPARamp->setPlaceholderText(QStringLiteral("Set PA Ramp Profile"));
    cmdRampUp = platform::namedButton("cmdRampUp", QStringLiteral("PA On"));
    cmdRampDown = platform::namedButton("cmdRampDown", QStringLiteral("PA Off"));
    cmdPAMulti1 = platform::namedButton("cmdPAMulti1", QStringLiteral("PA On then Off"));
    cmdPAMulti2 = platform::namedButton("cmdPAMulti2", QStringLiteral("PA On/Off 5 times"));
    Command2 = evalkit::dialog::returnButton("Command2");
    Label1 = platform::namedLabel("Label1", QStringLiteral("Note: Return to Front Panel "
                                                           "automatically sets the PA to ON "
                                                           "and the ramp profile to No Ramp"));
    Label1->setWordWrap(true);

    auto* settings = new QGroupBox(QStringLiteral("Settings"));
    auto* settingsGrid = new QGridLayout(settings);
    auto* rampCaption = new QLabel(QStringLiteral("PA Ramp"));
    rampCaption->setBuddy(cmbPARamp);
    settingsGrid->addWidget(rampCaption, 0, 0);
    settingsGrid->addWidget(cmbPARamp, 0, 1);
    settingsGrid->setColumnStretch(1, 1);

    auto* testing = new QGroupBox(QStringLiteral("Testing"));
    auto* testingGrid = new QGridLayout(testing);
    testingGrid->addWidget(cmdRampUp, 0, 0);
    testingGrid->addWidget(cmdRampDown, 0, 1);
    testingGrid->addWidget(cmdPAMulti1, 1, 0);
    testingGrid->addWidget(cmdPAMulti2, 1, 1);

    auto* foot = new QHBoxLayout;
    foot->addStretch();
    foot->addWidget(Command2);

    auto* top = new QVBoxLayout(this);
    top->addWidget(settings);
    top->addWidget(testing);
    top->addWidget(Label1);
    top->addLayout(foot);

    connect(cmbPARamp, &QComboBox::currentIndexChanged, this, &frmPARamp::cmbPARamp_Click);
    connect(cmdRampUp, &QPushButton::clicked, this, &frmPARamp::cmdRampUp_Click);
    connect(cmdRampDown, &QPushButton::clicked, this, &frmPARamp::cmdRampDown_Click);
    connect(cmdPAMulti1, &QPushButton::clicked, this, &frmPARamp::cmdPAMulti1_Click);
    connect(cmdPAMulti2, &QPushButton::clicked, this, &frmPARamp::cmdPAMulti2_Click);
    connect(Command2, &QPushButton::clicked, this, &frmPARamp::Command2_Click);
}

// Opening the window always starts from no ramp, whatever was chosen before.
void frmPARamp::Form_Load() {
    app_.f().PaRampField = 0;
    cmbPARamp->setCurrentIndex(0);
    app_.UpdateAllRegisterLabels();
}

void frmPARamp::cmbPARamp_Click() {
    const int i = cmbPARamp->currentIndex();
    if (i >= 0 && i < RampProfiles)
        app_.f().PaRampField = double(i) * bit(8);
    app_.UpdateAllRegisterLabels();
}

// The USB path sends the read-out text, so the read-outs are refreshed before the write.
void frmPARamp::writePa(int16_t enable) {
    app_.f().PaEnableField = enable;
    app_.UpdateAllRegisterLabels();
    app_.writeRegister(2);
}

void frmPARamp::cmdRampUp_Click() {
    writePa(PaOn);
}

void frmPARamp::cmdRampDown_Click() {
    writePa(PaOff);
}

// The bursts are timed by busy waits only, so the on and off times are as short and as even as
// the writes allow; the window does not respond until a burst is over.
void frmPARamp::cmdPAMulti1_Click() {
    writePa(PaOff);
    reglink::RegisterLink::DelayLoop(BurstWait);
    writePa(PaOn);
    reglink::RegisterLink::DelayLoop(BurstWait);
    writePa(PaOff);
}

void frmPARamp::cmdPAMulti2_Click() {
    for (int pass = 0; pass < BurstCount; ++pass) {
        writePa(PaOff);
        reglink::RegisterLink::DelayLoop(BurstWait);
        writePa(PaOn);
        reglink::RegisterLink::DelayLoop(BurstWait);
    }
}

// Leaves the PA on with no ramp in the field store; the chip gets them with the front panel's
// next register-2 write.
void frmPARamp::Command2_Click() {
    app_.f().PaEnableField = PaOn;
    app_.f().PaRampField = 0;
    app_.UpdateAllRegisterLabels();
    unload();
}

} // namespace corvane
