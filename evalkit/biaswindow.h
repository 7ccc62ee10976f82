#pragma once
// The bias settings window: PA bias, mixer linearity, VCO adjust (centre frequency) and VCO
// bias (and, on chips that have it, the crystal oscillator's bias). It edits the field store
// only and stays open beside the front panel; the read-outs follow each move at once. The chips
// keep the fields at other bits and label the VCO bias current a little differently; each
// program describes that.
#include "evalkit/calc/windowsettings.h"
#include "evalkit/fieldref.h"
#include "platform/form.h"

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace evalkit {

class ProgramContext;

struct BiasDescription {
    // Each slider's position is the code of its field.
    const char* paBiasField = "PaBiasField";        // 0..3
    const char* vcoAdjustField = "VcoAdjustField";  // 0..3
    const char* vcoBiasField = "VcoBiasField";      // 0..15
    const char* mixerField = "MixerLinearityField"; // "Normal" 0, "High" 1
    const char* xtalBiasField = nullptr;            // 0..3, on chips that have it
    // The load shows the VCO bias current a quarter milliamp above n / 4; a move of the bar
    // shows n / 4 plus this.
    double vcoBiasMovedOffsetMilliamps = 0;
    // "Min" and "Max" at the ends of the VCO adjust bar.
    bool vcoAdjustEnds = true;
};

class BiasWindow : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmPowerdown";
    BiasWindow(ProgramContext& app, const BiasDescription& description);

    void Form_Load() override;
    void HScrPABias_Change();
    void HScrXtalBias_Change();
    void HScrVCOAdjust_Change();
    void HScrVCObias_Change();
    void cmbMixerLinearity_Change();
    void cmbMixerLinearity_LostFocus() { cmbMixerLinearity_Change(); }
    void returnToPanel_Click();

    // A settings file's parts of the window, each set as the user would when the import's
    // order of steps reaches it; a control that shows the value already has its handler run
    // all the same (the VCO choice may have changed the field meanwhile).
    void applyVcoSettings(const calc::BiasPlan& p);
    void applyPaBiasSetting(const calc::BiasPlan& p);
    // The mixer linearity's field is set with the list, so the next save writes what was
    // loaded.
    void applyMixerSetting(const calc::BiasPlan& p);
    // The part of the set-up in force a settings file holds.
    calc::BiasRecord settingsInForce() const;

    QScrollBar *HScrPABias, *HScrVCOAdjust, *HScrVCObias;
    QScrollBar* HScrXtalBias = nullptr; // only where the chip has a crystal bias
    QLabel *lblPABias, *lblVCOAdjust, *lblVCObias, *lblVCOB;
    QLabel* lblXtalBias = nullptr;
    QComboBox* cmbMixerLinearity;
    QPushButton* returnToPanel; // Command1

protected:
    void closeBox() override { returnToPanel_Click(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPABias();
    void showXtalBias();

    ProgramContext& app_;
    const BiasDescription& d_;
    FieldRef paBias_, vcoAdjust_, vcoBias_, mixer_;
    std::optional<FieldRef> xtalBias_;
};

} // namespace evalkit
