#include "tessarine/otherfeatureswindow.h"

#include "platform/core/numbers.h"
#include "platform/named.h"
#include "platform/toggle.h"
#include "tessarine/calc/modulation.h"
#include "tessarine/calc/synthesizer.h"
#include "tessarine/frontpanel.h"
#include "tessarine/tessarineapp.h"

#include <QComboBox>
#include <QGridLayout>

namespace tessarine {

namespace {

constexpr int32_t DataInvertOn = int32_t{1} << 5;
constexpr int32_t Prescaler89 = int32_t{1} << 22;
constexpr int32_t FiveCycles = int32_t{1} << 15;

} // namespace

frmOtherFeatures::frmOtherFeatures(TessarineApp& app) : app_(app) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Other Features"));

    TogDataInvert = platform::namedToggle("TogDataInvert");
    TogDataInvert->setToolTip(QStringLiteral("Click here to turn Data Inveret on/off"));
    togprescaler = platform::namedToggle("togprescaler");
    togprescaler->setToolTip(QStringLiteral("Click here to change the prescaler value"));
    TogLDP = platform::namedToggle("TogLDP");
    TogLDP->setStateTexts(QStringLiteral("3 Cycles"), QStringLiteral("5 Cycles"));
    TogLDP->setToolTip(QStringLiteral("Click here to change lock detect precision"));
    lblDataInvert = platform::namedLabel("lblDataInvert", QStringLiteral("Data Invert:"));
    lblPrescaler = platform::namedLabel("lblPrescaler", QStringLiteral("RF Prescaler:"));
    lblLDP = platform::namedLabel("lblLDP", QStringLiteral("Lock Detect Precision:"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblDataInvert, 0, 0);
    grid->addWidget(TogDataInvert, 0, 1);
    grid->addWidget(lblPrescaler, 1, 0);
    grid->addWidget(togprescaler, 1, 1);
    grid->addWidget(lblLDP, 2, 0);
    grid->addWidget(TogLDP, 2, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(TogDataInvert, &platform::Toggle::toggled, this,
            &frmOtherFeatures::TogDataInvert_Change);
    connect(togprescaler, &platform::Toggle::toggled, this, &frmOtherFeatures::togprescaler_Change);
    connect(TogLDP, &platform::Toggle::toggled, this, &frmOtherFeatures::TogLDP_Change);
}

void frmOtherFeatures::Form_Load() {
    const auto& f = app_.f();
    TogDataInvert->setOn(f.DataInvertField == DataInvertOn);
    togprescaler->setOn(f.PrescalerField == Prescaler89);
    TogLDP->setOn(f.LockDetectPrecisionField == FiveCycles);
}

void frmOtherFeatures::TogDataInvert_Change() {
    app_.f().DataInvertField = TogDataInvert->isOn() ? DataInvertOn : 0;
    // The ASK levels name the data level they send, which the switch swaps.
    Main& panel = app_.main();
    if (panel.cmbModulation->currentIndex() == calc::AskItem)
        panel.showAskDataLabels();
    app_.fnGuiWrite();
}

void frmOtherFeatures::togprescaler_Change() {
    app_.f().PrescalerField = togprescaler->isOn() ? Prescaler89 : 0;
    app_.fnGuiWrite();
}

void frmOtherFeatures::TogLDP_Change() {
    app_.f().LockDetectPrecisionField = TogLDP->isOn() ? FiveCycles : 0;
    app_.fnGuiWrite();
}

void frmOtherFeatures::applyPrescalerSetting(const std::optional<bool>& prescaler89) {
    if (!prescaler89)
        return;
    togprescaler->setOn(*prescaler89);
    app_.f().PrescalerField = *prescaler89 ? calc::Prescaler89Field : 0;
}

void frmOtherFeatures::applySettings(const calc::OtherPlan& p) {
    if (p.dataInvert) {
        TogDataInvert->setOn(*p.dataInvert);
        app_.f().DataInvertField = *p.dataInvert ? platform::bit(5) : 0;
    }
    if (p.lockDetectFiveCycles) {
        TogLDP->setOn(*p.lockDetectFiveCycles);
        app_.f().LockDetectPrecisionField = *p.lockDetectFiveCycles ? platform::bit(15) : 0;
    }
}

} // namespace tessarine
