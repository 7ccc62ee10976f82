// The front panel's part of the settings file.
#include "evalkit/settingsfile.h"
#include "platform/entrymark.h"
#include "tessarine/calc/modulation.h"
#include "tessarine/frontpanel.h"
#include "tessarine/tessarineapp.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

namespace tessarine {

using evalkit::setIndex;
using evalkit::setValue;

void Main::applyChargePump(const calc::FrontPanelPlan& p) {
    setIndex(cmbIcp, p.icp);
}

bool Main::applyModulation(const calc::FrontPanelPlan& p) {
    if (!p.scheme)
        return true;
    bool deviationTaken = true;
    cmbModulation->setCurrentIndex(*p.scheme);
    switch (*p.scheme) {
    case calc::FskItem:
        if (p.deviation) {
            // A count that does not fit the field at this PFD is left out like any other
            // value its box refuses.
            const calc::DeviationResult d = calc::planDeviation(
                {*p.deviation, app_.f().ModulationSchemeField, app_.w().PfdFrequencyMHz});
            deviationTaken = d.TxDeviationField.has_value();
            if (deviationTaken)
                TxtFSKdev->setText(*p.deviation);
        }
        setValue(paLevel, p.paLevel);
        break;
    case calc::GfskItem:
    case calc::GookItem:
        setIndex(cmbIndexCount, p.gaussian.indexCount);
        if (p.gaussian.divider)
            txtDivider->setText(*p.gaussian.divider);
        setIndex(cmbModCtrl, p.gaussian.modControl);
        setValue(paLevel, p.paLevel);
        FnUpdateGaussian();
        break;
    case calc::AskItem:
        setValue(paLevelLow, p.paLevelLow);
        setValue(paLevel, p.paLevel);
        break;
    case calc::OokItem:
        setValue(paLevel, p.paLevel);
        break;
    default:
        break;
    }
    return deviationTaken;
}

calc::FrontPanelRecord Main::settingsInForce() const {
    // Each list as its field holds it: a list without a choice shows its design text, and its
    // field holds what is in force.
    auto& store = app_.store();
    const auto item = [&store](const QComboBox* list, std::string_view field,
                               const std::vector<int>& codes = {}) {
        return evalkit::itemOfField(list, store, field, codes).value_or(list->currentIndex());
    };
    calc::FrontPanelRecord r;
    r.modulation =
        evalkit::textOfField(cmbModulation, store, "ModulationSchemeField", calc::SchemeCodes);
    r.scheme = item(cmbModulation, "ModulationSchemeField", calc::SchemeCodes);
    r.icp = evalkit::indexOfField(cmbIcp, store, "ChargePumpField");
    r.paLevel = evalkit::valueText(paLevel);
    r.paLevelLow = evalkit::valueText(paLevelLow);
    r.deviation = platform::textInForce(TxtFSKdev);
    r.indexCount = item(cmbIndexCount, "GfskIndexCounterField");
    r.indexCountIndex = platform::numberText(r.indexCount);
    r.divider = platform::textInForce(txtDivider);
    r.modControl = evalkit::indexOfField(cmbModCtrl, store, "GfskModControlField");
    return r;
}

} // namespace tessarine
