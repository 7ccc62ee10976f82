#include "evalkit/parampwindow.h"

#include "evalkit/fielddialog.h"
#include "evalkit/programcontext.h"
#include "link/registerlink.h"
#include "platform/listchoice.h"
#include "platform/named.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace evalkit {

frmPARamp::frmPARamp(ProgramContext& app, const PaRampDescription& description)
    : app_(app), d_(description), paEnable_(app, description.paEnableField) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("PA Ramp Settings and Testing"));

    cmdRampUp = platform::namedButton("cmdRampUp", QStringLiteral("PA On"));
    cmdRampDown = platform::namedButton("cmdRampDown", QStringLiteral("PA Off"));
    cmdPAMulti1 = platform::namedButton("cmdPAMulti1", QStringLiteral("PA On then Off"));
    cmdPAMulti2 = platform::namedButton("cmdPAMulti2", QStringLiteral("PA On/Off 5 times"));
    returnToPanel = dialog::returnButton("Command2");
    note = platform::namedLabel("Label1", description.note);
    note->setWordWrap(true);

    auto* top = new QVBoxLayout(this);
    if (description.rampField) {
        ramp_.emplace(app, description.rampField);
        cmbPARamp = dialog::list("cmbPARamp", description.rampItems);
        cmbPARamp->setPlaceholderText(description.rampDesignText);
        auto* settings = new QGroupBox(QStringLiteral("Settings"));
        auto* settingsGrid = new QGridLayout(settings);
        auto* rampCaption = new QLabel(QStringLiteral("PA Ramp"));
        rampCaption->setBuddy(cmbPARamp);
        settingsGrid->addWidget(rampCaption, 0, 0);
        settingsGrid->addWidget(cmbPARamp, 0, 1);
        settingsGrid->setColumnStretch(1, 1);
        top->addWidget(settings);
        platform::onChoice(cmbPARamp, this, &frmPARamp::cmbPARamp_Click);
    }

    auto* testing = new QGroupBox(QStringLiteral("Testing"));
    auto* testingGrid = new QGridLayout(testing);
    testingGrid->addWidget(cmdRampUp, 0, 0);
    testingGrid->addWidget(cmdRampDown, 0, 1);
    testingGrid->addWidget(cmdPAMulti1, 1, 0);
    testingGrid->addWidget(cmdPAMulti2, 1, 1);

    auto* foot = dialog::footer({returnToPanel});

    top->addWidget(testing);
    top->addWidget(note);
    top->addLayout(foot);
    setMinimumWidth(440);

    connect(cmdRampUp, &QPushButton::clicked, this, &frmPARamp::cmdRampUp_Click);
    connect(cmdRampDown, &QPushButton::clicked, this, &frmPARamp::cmdRampDown_Click);
    connect(cmdPAMulti1, &QPushButton::clicked, this, &frmPARamp::cmdPAMulti1_Click);
    connect(cmdPAMulti2, &QPushButton::clicked, this, &frmPARamp::cmdPAMulti2_Click);
    connect(returnToPanel, &QPushButton::clicked, this, &frmPARamp::returnToPanel_Click);
}

// Opening the window always starts from no ramp, whatever was chosen before.
void frmPARamp::Form_Load() {
    if (!ramp_)
        return;
    ramp_->setCode(0);
    cmbPARamp->setCurrentIndex(0);
}

void frmPARamp::cmbPARamp_Click() {
    if (ramp_ && cmbPARamp->currentIndex() >= 0)
        ramp_->setCode(cmbPARamp->currentIndex());
}

// The word that goes out switches the PA as the button says; the front panel shows it first.
void frmPARamp::writePa(bool on) {
    paEnable_.setCode(on ? 1 : 0);
    app_.writeRegister(d_.paRegister);
}

void frmPARamp::cmdRampUp_Click() {
    writePa(true);
}

void frmPARamp::cmdRampDown_Click() {
    writePa(false);
}

// The bursts are timed by busy waits only, so the on and off times are as short and as even as
// the writes allow; the window does not respond until a burst is over.
void frmPARamp::cmdPAMulti1_Click() {
    writePa(false);
    reglink::RegisterLink::DelayLoop(BurstWait);
    writePa(true);
    reglink::RegisterLink::DelayLoop(BurstWait);
    writePa(false);
}

void frmPARamp::cmdPAMulti2_Click() {
    for (int pass = 0; pass < BurstCount; ++pass) {
        writePa(false);
        reglink::RegisterLink::DelayLoop(BurstWait);
        writePa(true);
        reglink::RegisterLink::DelayLoop(BurstWait);
    }
}

// Leaves the PA on (and no ramp) in the field store; the chip gets them with the front panel's
// next write of the PA's register.
void frmPARamp::returnToPanel_Click() {
    paEnable_.setCode(1);
    if (ramp_)
        ramp_->setCode(0);
    app_.UpdateAllRegisterLabels();
    unload();
}

} // namespace evalkit
