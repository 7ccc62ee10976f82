#pragma once
// The other-features window: data invert, the RF prescaler and the lock-detect precision.
// Start-up creates it hidden to set its switches; it is shown modelessly beside the front
// panel.
#include "platform/form.h"
#include "tessarine/calc/settingsplan.h"

class QLabel;

namespace platform {
class Toggle;
}

namespace tessarine {

class TessarineApp;

class frmOtherFeatures : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmOtherFeatures";
    explicit frmOtherFeatures(TessarineApp& app);

    // Each switch shows whether its field holds its on value.
    void Form_Load() override;
    void TogDataInvert_Change();
    void togprescaler_Change();
    void TogLDP_Change();

    // A settings file's switches, each with its field: the prescaler with the synthesizer's
    // settings, data invert and the lock-detect precision with the other features.
    void applyPrescalerSetting(const std::optional<bool>& prescaler89);
    void applySettings(const calc::OtherPlan& p);

    platform::Toggle *TogDataInvert, *togprescaler, *TogLDP;
    QLabel *lblDataInvert, *lblPrescaler, *lblLDP;

private:
    TessarineApp& app_;
};

} // namespace tessarine
