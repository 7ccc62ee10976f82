// The front panel's start-up, its chip enable and data interface, and its register buttons.
#include "corvane/frontpanel.h"

#include "corvane/corvaneapp.h"
#include "corvane/windows.h"
#include "evalkit/boardsession.h"
#include "evalkit/frontpanelwindow.h"
#include "platform/core/numbers.h"
#include "platform/shown.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>

namespace corvane {

namespace {

using platform::bit;

} // namespace

// ---- start-up and shut-down -----------------------------------------------

void Main::InitialiseBoard() {
    auto& w = app_.w();
    app_.store().setFieldDefaults();
    w.FracN = 16244;
    w.IntegerN = 44;
    w.RDivider = 1;
    w.DemodClockMHz = platform::toSingle(19.68 / 3);
    w.CdrClockKHz = 307.5f;
    w.ActualDeviationKHz = 2.0f;
    w.PortformAddress = 888;
    w.ParallelPortAddress = 888;
    InitialiseFrontPanel();
    evalkit::planSynthesizer(app_);
    for (auto* r :
         {lblT4hex, lblSyncHex, lblAGC9hex, lbltest10hex, lbltest11hex, lbltest12hex, lblTFSK13hex})
        r->setMark(reglink::RegisterReadout::Mark::Normal);
    ConnectUSB->setEnabled(false);
    cmbMB->setCurrentIndex(1);
}

void Main::InitialiseFrontPanel() {
    auto& w = app_.w();
    w.RfFrequencyMHz = 869.5;
    w.PfdFrequencyMHz = 19.68;
    w.CrystalFrequencyMHz = 19.68f;
    reglink::UpdateFrequencyLabels(lblvcofreq, lblpfd_freq, lblcrystal, w.RfFrequencyMHz,
                                   w.PfdFrequencyMHz, w.CrystalFrequencyMHz);
    TogCrystal->setOn(true);
    cmbInterface->setCurrentIndex(0);
    cmbVCO->setCurrentIndex(0);
    synthEnable->setOn(true);
    vcoEnable->setOn(true);
    paEnable->setOn(true);
    TogCrystal->setOn(true);
    cmbModulation->setCurrentIndex(0);
    cmbDemod->setCurrentIndex(1);
    const auto ifbw =
        platform::toInt32(app_.f().IFFilterBandwidthField / 1073741824.0).value_or(-1);
    cmbIFBW->setCurrentIndex(ifbw);
    platform::setShown(FrFSK, true);
    platform::setShown(FrFSKpower, true);
    cmbIFBW->setCurrentIndex(ifbw);
    cmbIcp->setCurrentIndex(app_.f().ChargePumpField / bit(15));
    // The PA bar shows the level R2 starts with, so that the panel, a saved file and the chip
    // agree before the user moves it.
    paLevel->setValue(app_.f().PaLevelField / bit(13));
    evalkit::planSynthesizer(app_);
    TxtFSKdev_Change();
    txtDatarate_Change();
    chipEnable->setOn(true);
}

// ---- chip enable and data interface ---------------------------------------

void Main::chipEnable_Change() {
    session().chipEnableChanged();
}

void Main::cmbInterface_Click() {
    auto& f = app_.f();
    const int i = cmbInterface->currentIndex();
    if (i < 0 || i > 2) {
        f.DataInterfaceField = 0;
        app_.UpdateAllRegisterLabels();
        app_.writeRegister(0);
        return;
    }
    f.DataInterfaceField = i == 0 ? 0 : bit(28);
    app_.writeRegister(0);
    f.SpiModeField = i == 1 ? 7 * bit(17) : 0;
    app_.writeRegister(15);
    app_.UpdateAllRegisterLabels();
    app_.writeRegister(0);
}

} // namespace corvane
