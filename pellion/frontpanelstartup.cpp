// The front panel's start-up, its chip enable and its register buttons.
#include "pellion/frontpanel.h"

#include "evalkit/boardsession.h"
#include "evalkit/frontpanelwindow.h"
#include "link/readouttext.h"
#include "pellion/pellionapp.h"
#include "pellion/windows.h"
#include "platform/core/numbers.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

namespace pellion {

// ---- start-up and shut-down -------------------------------------------------

void Main::InitialiseBoard() {
    app_.store().setFieldDefaults();
    app_.store().setWorkingDefaults();
    InitialiseFrontPanel();
    evalkit::planSynthesizer(app_);
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
    evalkit::planSynthesizer(app_);
    TxtFSKdev_Change();
    txtDatarate_Change();
}

// ---- chip enable ------------------------------------------------------------

void Main::Synth_EN_Change() {
    session().chipEnableChanged();
    app_.UpdateAllRegisterLabels();
}

} // namespace pellion
