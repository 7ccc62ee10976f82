// The front panel's start-up and shut-down, its board choice, USB link and chip enable, and
// its register buttons.
#include "pellion/main_window.h"

#include "evalkit/boardsession.h"
#include "evalkit/commandline.h"
#include "evalkit/filemenu.h"
#include "link/readouttext.h"
#include "pellion/pellionapp.h"
#include "pellion/settingsfile.h"
#include "pellion/windows.h"
#include "pellion/zantrelfile.h"
#include "platform/numbers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

namespace pellion {

// ---- start-up and shut-down -------------------------------------------------

void Main::Form_Load(const QStringList& arguments) {
    InitialiseBoard();
    const QString file = evalkit::commandLineFile(arguments);
    if (!file.isEmpty())
        ImportSettings(app_, file);
}

void Main::InitialiseBoard() {
    app_.store().setFieldDefaults();
    app_.store().setWorkingDefaults();
    InitialiseFrontPanel();
    app_.synthform().CmdCalculate_Click();
    app_.synthform().Command1_Click();
    for (auto* r : {lblAGC9hex, lbltest10hex, lbltest11hex, lbltest12hex, lblTFSK13hex})
        r->setMark(reglink::RegisterReadout::Mark::Normal);
}

void Main::InitialiseFrontPanel() {
    auto& w = app_.w();
    w.RfFrequencyMHz = 868.3f;
    w.PfdFrequencyMHz = 11.0592f;
    w.CrystalFrequencyMHz = 11.0592f;
    reglink::UpdateFrequencyLabels(lblvcofreq, lblpfd_freq, lblcrystal, w.RfFrequencyMHz,
                                   w.PfdFrequencyMHz, w.CrystalFrequencyMHz);
    PA_EN->setOn(true);
    Synth_EN->setOn(true);
    OSC_EN->setOn(true);
    cmbModulation->setCurrentIndex(0);
    cmbDemod->setCurrentIndex(1);
    cmbIFBW->setCurrentIndex(
        platform::toInt32(app_.f().IFFilterBandwidthField / double(1 << 22)).value_or(-1));
    FrFSK->setVisible(true);
    FrFSKpower->setVisible(true);
    cmbMB->setCurrentIndex(1);
    app_.synthform().CmdCalculate_Click();
    app_.synthform().Command1_Click();
    TxtFSKdev_Change();
    txtDatarate_Change();
}

void Main::closeEvent(QCloseEvent* event) {
    // Closing the panel ends the program: no hidden window may keep it running without one.
    Form_Unload();
    event->accept();
}

void Main::Form_Unload() {
    session_->close();
}

void Main::Exitmenu_Click() {
    session_->exit();
}

// ---- board choice, USB link and chip enable -------------------------------

void Main::cmbMB_Click() {
    session_->boardChosen();
}

void Main::ConnectUSB_Click() {
    session_->connectClicked();
}

void Main::Synth_EN_Change() {
    session_->chipEnableChanged();
    app_.UpdateAllRegisterLabels();
}

// ---- register buttons ------------------------------------------------------

void Main::updateButton_Click(int registerNumber) {
    app_.writeRegister(registerNumber);
}

void Main::cmdUpdateAll_Click() {
    for (int n : {0, 1, 2, 3, 4, 6, 5})
        updateButton_Click(n);
}

void Main::mnuOpen_Click() {
    evalkit::openSettingsFile(app_, [this](const QString& path) { ImportSettings(app_, path); });
}

void Main::mnuWriteOmbrelle_Click() {
    evalkit::saveSettingsFile(app_, [this](const QString& path) { ExportSettings(app_, path); });
}

void Main::mnuSave_Click() {
    evalkit::zantrelFileItem(app_, -1, app_.w().IniRegistersOnly,
                             [this](const QString& path) { WriteZantrelIni(app_, path); });
}

void Main::mnuCreatenewini_Click() {
    evalkit::zantrelFileItem(app_, 0, app_.w().IniRegistersOnly,
                             [this](const QString& path) { WriteZantrelIni(app_, path); });
}

void Main::mnuPrint_Click() {
    evalkit::printWindow(app_, this);
}

} // namespace pellion
