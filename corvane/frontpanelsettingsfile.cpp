// The front panel's part of the settings file.
#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"
#include "evalkit/settingsfile.h"
#include "platform/entrymark.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace corvane {

using evalkit::setIndex;
using evalkit::setText;
using evalkit::setValue;

void Main::applyVcoChoice(const calc::FrontPanelPlan& p) {
    setIndex(cmbVCO, p.vcoChoice);
}

void Main::applyChargePump(const calc::FrontPanelPlan& p) {
    setIndex(cmbIcp, p.icp);
}

void Main::applyDirection(const calc::FrontPanelPlan& p) {
    // A new direction plans from the synthesizer's boxes as they stand, as its option does for
    // the user (and the synthesizer window goes as after that plan).
    if (p.transmit)
        (*p.transmit ? optTx : optRx)->setChecked(true);
}

void Main::applyModulation(const calc::FrontPanelPlan& p) {
    if (p.modulation) {
        setText(TxtFSKdev, p.deviation);
        setValue(paLevel, p.paLevel);
        cmbModulation->setCurrentIndex(*p.modulation);
    }
    setText(txtDatarate, p.rate);
    if (calc::isRaisedCosine(cmbModulation->currentIndex()))
        setIndex(gaussianAlpha, p.alpha);
}

void Main::applyIfBandwidth(const calc::FrontPanelPlan& p) {
    setIndex(cmbIFBW, p.ifBandwidth);
}

void Main::applyDemodulator(const calc::FrontPanelPlan& p) {
    setIndex(cmbDemod, p.demod);
}

void Main::finishSettingsImport() {
    TxtFSKdev_Change();
    txtDatarate_Change();
}

int Main::modulationChoice() const {
    return cmbModulation->currentIndex();
}

QString Main::dataRateInForce() const {
    return platform::textInForce(txtDatarate);
}

calc::FrontPanelRecord Main::settingsInForce() const {
    // Each list as its field holds it: a list the start-up leaves without a choice shows its
    // design text, and its field holds the start-up value.
    auto& store = app_.store();
    const auto item = [&store](const QComboBox* list, std::string_view field) {
        return evalkit::itemOfField(list, store, field).value_or(list->currentIndex());
    };
    calc::FrontPanelRecord r;
    r.vcoChoice = item(cmbVCO, "ExtInductorField");
    r.modulation = evalkit::textOfField(cmbModulation, store, "ModulationSchemeField");
    r.modulationIndex = item(cmbModulation, "ModulationSchemeField");
    r.receive = optRx->isChecked();
    r.paLevel = evalkit::valueText(paLevel);
    r.deviationShown = Lblfskdev->text();
    r.ifBandwidth = evalkit::indexOfField(cmbIFBW, store, "IFFilterBandwidthField");
    r.demod = evalkit::indexOfField(cmbDemod, store, "DemodTypeField");
    r.icp = evalkit::indexOfField(cmbIcp, store, "ChargePumpField");
    r.alpha = item(gaussianAlpha, "RcAlphaField");
    return r;
}

} // namespace corvane
