// The front panel's part of the settings file.
#include "evalkit/settingsfile.h"
#include "pellion/frontpanel.h"
#include "pellion/pellionapp.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace pellion {

using evalkit::setIndex;
using evalkit::setText;
using evalkit::setValue;

namespace {

// The schemes whose PA level is set with the FSK scroll bar; the others use the ASK one.
bool fskPower(int scheme) {
    return scheme == calc::FskScheme || scheme == calc::GfskScheme;
}

} // namespace

void Main::applyInductor(const calc::FrontPanelPlan& p) {
    if (p.externalInductor)
        chkInductor->setChecked(*p.externalInductor);
}

void Main::applyChargePump(const calc::FrontPanelPlan& p) {
    setIndex(Chgpumpvalue, p.icp, [this] { Chgpumpvalue_Click(); });
}

bool Main::applyDeviation(const calc::FrontPanelPlan& p) {
    if (p.scheme != calc::FskScheme || !p.deviation)
        return true;
    // A count that does not fit the field at this PFD is left out like any other value the
    // box refuses.
    const QString text = platform::numberText(*p.deviation);
    if (!takesDeviation(text))
        return false;
    setText(TxtFSKdev, text, [this] { TxtFSKdev_Change(); });
    return true;
}

void Main::applyModulation(const calc::FrontPanelPlan& p) {
    if (!p.scheme)
        return;
    const int scheme = *p.scheme;
    if (scheme == calc::FskScheme)
        setValue(paLevel, p.paLevel, [this] { paLevel_Change(); });
    // The modulation handler runs the Gaussian window's calculation from the fields the
    // import set before.
    setIndex(cmbModulation, scheme, [this] { cmbModulation_Click(); });
    if (scheme == calc::AskScheme)
        setValue(HScrollOOKfine1, p.paLevelLow, [this] { HScrollOOKfine1_Change(); });
    if (scheme == calc::GfskScheme)
        setValue(paLevel, p.paLevel, [this] { paLevel_Change(); });
    if (!fskPower(scheme))
        setValue(HScrollASKFine1, p.paLevel, [this] { HScrollASKFine1_Change(); });
}

bool Main::applyDataRate(const calc::FrontPanelPlan& p) {
    if (!p.rate)
        return true;
    // The plan takes the rate as the file holds it, however many characters it has; one the
    // plan refuses at this crystal is left out like any other value the box refuses.
    if (!takesDataRate(*p.rate))
        return false;
    setDataRateFromCode(platform::numberText(*p.rate), *p.rate);
    return true;
}

void Main::applyIfBandwidth(const calc::FrontPanelPlan& p) {
    setIndex(cmbIFBW, p.ifBandwidth, [this] { cmbIFBW_Click(); });
}

QString Main::dataRateInForce() const {
    return platform::textInForce(txtDatarate);
}

calc::FrontPanelRecord Main::settingsInForce() const {
    calc::FrontPanelRecord r;
    r.externalInductor = chkInductor->isChecked();
    // Each list as its field holds it: a list the start-up leaves without a choice (the charge
    // pump) shows its design text, and its field holds the start-up value.
    auto& store = app_.store();
    r.modulation =
        evalkit::textOfField(cmbModulation, store, "ModulationSchemeField", calc::SchemeCodes);
    r.fskLevel = evalkit::valueText(paLevel);
    r.askLevel = evalkit::valueText(HScrollASKFine1);
    r.askLowLevel = evalkit::valueText(HScrollOOKfine1);
    r.deviationEntry = platform::textInForce(TxtFSKdev);
    r.deviationShown = Lblfskdev->text();
    r.ifBandwidth = evalkit::indexOfField(cmbIFBW, store, "IFFilterBandwidthField");
    r.icp = evalkit::indexOfField(Chgpumpvalue, store, "ChargePumpField");
    return r;
}

} // namespace pellion
