// The front panel's transmit settings: the FSK deviation and the Gaussian settings, which the
// synthesizer plan brings up to date with the PFD.
#include "tessarine/main_window.h"

#include "platform/entrymark.h"
#include "platform/named.h"
#include "tessarine/calc/modulation.h"
#include "tessarine/tessarineapp.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace tessarine {

void Main::TxtFSKdev_Change() {
    auto& f = app_.f();
    auto& w = app_.w();
    const calc::DeviationResult r =
        calc::planDeviation({TxtFSKdev->text(), f.ModulationSchemeField, w.PfdFrequencyMHz});
    // A refused entry leaves the deviation in force: the box says so until it is taken.
    platform::showRefusal(TxtFSKdev, r.refusal.has_value(), r.refusal.value_or(QString()));
    if (!r.TxDeviationField)
        return;
    w.DeviationStepHz = *r.DeviationStepHz;
    f.TxDeviationField = *r.TxDeviationField;
    Lblfskdev->setText(*r.Lblfskdev);
    fnGuiWrite();
}

void Main::FnUpdateGaussian() {
    auto& f = app_.f();
    const calc::GaussianResult r =
        calc::planGaussian({cmbModCtrl->currentIndex(), cmbIndexCount->currentIndex(),
                            txtDivider->text(), f.ModulationSchemeField, app_.w().PfdFrequencyMHz});
    platform::showRefusal(txtDivider, r.refusal.has_value(), r.refusal.value_or(QString()));
    if (r.txtDivider)
        txtDivider->setText(*r.txtDivider);
    platform::assignIfSet(f.TxDeviationField, r.TxDeviationField);
    platform::assignIfSet(f.GfskModControlField, r.GfskModControlField);
    platform::assignIfSet(f.GfskIndexCounterField, r.GfskIndexCounterField);
    if (r.Lblfskdev)
        Lblfskdev->setText(*r.Lblfskdev);
    if (r.TxtFSKdev)
        TxtFSKdev->setText(*r.TxtFSKdev);
    if (r.lblDatarate)
        lblDatarate->setText(*r.lblDatarate);
}

} // namespace tessarine
