#pragma once
// The advanced demodulator window: overrides what the data-rate plan chose for the receiver
// clock dividers, the post-demodulator bandwidth, the correlator discriminator and the lock
// threshold. It changes the field store only; the read-outs follow at the next refresh and the
// chip gets the words from the front panel's Update buttons.
#include "pellion/calc/demod.h"
#include "platform/form.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pellion {

class PellionApp;

class frmDemod : public platform::Form {
    Q_OBJECT
public:
    explicit frmDemod(PellionApp& app);

    // Fills every control from the field store; the divider edits run it again.
    void Form_Load() override;

    void txtIFFilter_LostFocus();
    void txtBBOffset_LostFocus();
    void txtDemod_LostFocus();
    void txtCDR_LostFocus();
    void txtDemodBW_LostFocus();
    void txtT4delay_Change();
    void cmbLockmode_LostFocus();
    void cmdautoClock_Click(); // Auto Calc Clocks
    void Command1_Click();     // Return to Front Panel

    // Receiver Clocks
    QGroupBox* FrClocks;
    QLineEdit *txtIFFilter, *txtBBOffset, *txtDemod, *txtCDR, *txtSeq;
    QLabel *lblIFfilterclk, *lblBBoffsetclk, *lblDemodclk, *lblCDRclk, *lblSeqclk;
    QPushButton* cmdautoClock;
    // PostDemoduator BW
    QGroupBox* FrPostDemod;
    QLineEdit* txtDemodBW;
    QLabel *lblDemodBW, *lblDemodBW_disp;
    // Demod Settings: Correlator Setting and Linear Demod Threshold
    QGroupBox *FrDemodSettings, *FrCorrelator, *FrLockmode;
    QLineEdit* txtT4delay;
    QLabel* lblT4Frequency;
    QComboBox* cmbLockmode;
    QPushButton* Command1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

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
