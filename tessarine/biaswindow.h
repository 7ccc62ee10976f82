#pragma once
// The bias settings window: PA bias, VCO adjust (centre frequency) and VCO bias. It sets the
// fields and refreshes the read-outs; the registers go to the chip from the front panel.
#include "platform/form.h"
#include "tessarine/calc/settingsplan.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace tessarine {

class TessarineApp;

// Its design name, frmPowerdown, is the shared bias window's as well.
class BiasWindow : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmPowerdown";
    explicit BiasWindow(TessarineApp& app);

    // Each bar at its field's setting, with its label.
    void Form_Load() override;
    void HScrPAbias_Change();
    void HScrVCOAdjust_Change();
    void HScrVCObias_Change();
    void returnToPanel_Click();

    // A settings file's part of the window, set as the user would, and the bars as it holds
    // them.
    void applySettings(const calc::OtherPlan& p);
    calc::BiasRecord settings() const;

    QScrollBar *HScrPAbias, *HScrVCOAdjust, *HScrVCObias;
    QLabel *lblPABias, *lblVCOAdjust, *lblVCObias;
    QPushButton* returnToPanel; // Command1

private:
    void showPABias();
    void showVCOAdjust();
    void showVCObias();

    TessarineApp& app_;
};

} // namespace tessarine
