// The front panel's start-up, its chip enable, its register buttons and its File and test-mode
// menu items.
#include "tessarine/frontpanel.h"

#include "evalkit/boardsession.h"
#include "link/readouttext.h"
#include "tessarine/tessarineapp.h"
#include "tessarine/windows.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace tessarine {

using Mark = reglink::RegisterReadout::Mark;

// ---- start-up and shut-down -----------------------------------------------

void Main::startUp() {
    auto& w = app_.w();
    if (!w.FrontPanelInitialised)
        InitialiseBoard();
    w.FrontPanelInitialised = true;
}

void Main::InitialiseBoard() {
    app_.store().setFieldDefaults();
    app_.store().setWorkingDefaults();
    InitialiseFrontPanel();
}

void Main::InitialiseFrontPanel() {
    auto& w = app_.w();
    w.RfFrequencyMHz = 868.3f;
    w.PfdFrequencyMHz = 3.6864f;
    w.CrystalFrequencyMHz = 11.0592f;
    reglink::UpdateFrequencyLabels(lblvcofreq, lblpfd_freq, lblcrystal, w.RfFrequencyMHz,
                                   w.PfdFrequencyMHz, w.CrystalFrequencyMHz);

    app_.frmOtherFeatures().togprescaler->setOn(false); // creates it, hidden
    TogCrystal->setOn(true);
    app_.frmOtherFeatures().TogDataInvert->setOn(false);
    TogPLL->setOn(true);
    TogOutput->setOn(true);
    TogVCO->setOn(true);

    LblClockout->setText(QStringLiteral("Off"));

    cmbModCtrl->setCurrentIndex(0);
    cmbIndexCount->setCurrentIndex(0);
    cmbModulation->setCurrentIndex(0);

    FrFSK->setVisible(true);
    FrFSKpower->setVisible(true);
    frASK->setVisible(false);

    cmbIcp->setCurrentIndex(2);
    cmbMB->setCurrentIndex(1);

    ConnectUSB->setVisible(true);
    ConnectUSB->setEnabled(true);
    ConnectUSB->setText(evalkit::BoardSession::ConnectCaption);
    chipEnable->setVisible(true);
    chipEnable->setOn(true);

    app_.link().usb().dd_pellion_chip_sel(1);
}

// ---- chip enable ---------------------------------------------------------------

void Main::chipEnable_Change() {
    session().chipEnableChanged();
    // A chip enabled again has lost its registers: every one must be programmed again. What
    // was last written stays, so the next refresh marks by it again.
    if (chipEnable->isOn()) {
        for (int n = 0; n < 4; ++n)
            readout(n)->setMark(Mark::Changed);
    }
}

// ---- read-outs and register buttons ---------------------------------------

void Main::fnGuiWrite() {
    app_.fnGuiWrite();
}

void Main::updateButton_Click(int registerNumber) {
    // Only a word that reached the board is shown as written.
    if (!app_.writeRegister(registerNumber))
        return;
    if (reglink::RegisterReadout* r = readout(registerNumber))
        r->setMark(Mark::ButtonFace);
}

void Main::mnuSave_Click() {
    saveSettingsFile();
}

void Main::testmenu_Click() {
    // Open beside the panel already (from its button): brought to the front rather than shown
    // a second time, now modally.
    if (app_.isLoaded<frmTestModes>() && app_.frmTestModes().isVisible())
        app_.showModeless(&app_.frmTestModes());
    else
        app_.showModal(&app_.frmTestModes());
}

} // namespace tessarine
