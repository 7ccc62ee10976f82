#pragma once
// pellion's demodulator window: the correlator is set by its discriminator setting; the
// post-demodulator bandwidth and the lock threshold act when the user leaves them, and
// "Auto Calc Clocks" puts back the dividers of the last load. The read-outs follow every field
// the window stores, its load's among them, at once.
#include "evalkit/demodulatorwindow.h"
#include "pellion/calc/demod.h"

namespace pellion {

class PellionApp;

class frmDemod : public evalkit::DemodWindow {
    Q_OBJECT
public:
    explicit frmDemod(PellionApp& app);

    // Fills every control from the field store; the divider edits run it again.
    void Form_Load() override;

    void txtIFFilter_LostFocus() override;
    void txtBBOffset_LostFocus() override;
    void txtDemod_LostFocus() override;
    void txtCDR_LostFocus() override;
    void txtDemodBW_LostFocus();
    void txtT4delay_Change();
    void cmbLockmode_LostFocus();
    void cmdautoClock_Click();  // Auto Calc Clocks
    void returnToPanel_Click(); // Return to Front Panel

    // Demod Settings around the correlator and the threshold, and the correlator's setting,
    // besides the demodulator window's controls.
    QGroupBox* FrDemodSettings;
    QLineEdit* txtT4delay;

protected:
    void controlLeft(QObject* control) override;

private:
    void showClockLabels(const calc::ShownDividers& shown);
    void showDividers(const calc::ShownDividers& shown);
    // After a divider entry that was not taken: a number outside the range has had its message
    // and the box shows the divider in force again; text that is not a number stays, marked
    // with what the box accepts.
    void refuseEntry(QLineEdit* box, const std::optional<platform::Message>& refusal,
                     const QString& accepts, int32_t shownValue);

    PellionApp& app_;
    // What the last load showed and found, for "Auto Calc Clocks".
    calc::ShownDividers snapshotShown_;
    calc::ReceiverClockFields snapshotFields_;
};

} // namespace pellion
