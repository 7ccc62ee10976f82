#pragma once
// The demodulator set-up window: overrides what the data-rate plan chose for the receiver
// clocks, the correlator's discriminator, the post-demodulator filter and the linear
// demodulator's threshold mode. It changes the field store only; the read-outs are refreshed
// when it closes and the chip gets the words from the front panel's Update buttons.
#include "evalkit/calc/demodfilters.h"
#include "platform/form.h"

#include <QString>
#include <cstdint>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class CorvaneApp;

inline const QString DiscrimLimitText = QStringLiteral(
    "Largest Discrim B/W setting is 660. You will need to increase the demod clock to increase "
    "the disrcim b/w. See notes on register 4 in Corvane Datasheet");
inline const QString KLimitText = QStringLiteral("K value must be from 1 to 32767");
using evalkit::calc::PostDemodLimitText;
inline const QString IFFilterLimitText = QStringLiteral("IF Filter Divider must be from 1 to 511");
inline const QString BBOffsetLimitText = QStringLiteral("BB Offset Divider must be from 0 to 27");
inline const QString DemodLimitText = QStringLiteral("Demod Divider must be from 1 to 15");
inline const QString CDRLimitText = QStringLiteral("CDR Divider must be from 1 to 255");

class frmDemod : public platform::Form {
    Q_OBJECT
public:
    explicit frmDemod(CorvaneApp& app);

    // Fills every control from the field store; the handlers run it again after a change.
    void Form_Load() override;

    void cmbdiscrim_Click();
    void CmdKup_Click();
    void cmdKdown_Click();
    void cmdKreset_Click();
    void cmbLockmode_Click();
    void txtDemodBW_Change();
    void txtIFFilter_LostFocus();
    void txtBBOffset_LostFocus();
    void txtDemod_LostFocus();
    void txtCDR_LostFocus();
    void cmdautoClock_Click(); // Auto Calc Clocks
    void Command1_Click();     // Return to Front Panel

    // Correlator Setting
    QGroupBox* FrCorrelator;
    QComboBox* cmbdiscrim;
    QPushButton *CmdKup, *cmdKdown, *cmdKreset;
    QLabel *Label14, *lblT4Frequency, *Label16;
    // Linear Demod Threshold
    QGroupBox* FrLockmode;
    QComboBox* cmbLockmode;
    // PostDemoduator BW
    QGroupBox* FrPostDemod;
    QLineEdit* txtDemodBW;
    QLabel *lblDemodBW, *lblDemodBW_disp;
    // Receiver Clocks
    QGroupBox* FrClocks;
    QLineEdit *txtIFFilter, *txtBBOffset, *txtDemod, *txtCDR, *txtSeq;
    QLabel *lblIFfilterclk, *lblBBoffsetclk, *lblDemodclk, *lblCDRclk, *lblSeqclk;
    QPushButton* cmdautoClock;
    QPushButton* Command1;

protected:
    void closeBox() override { Command1_Click(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool linearOnFrontPanel();
    bool storeDiscrimCode(int K);
    void storeParity(int K);
    bool stepK(int K);
    void showKLabels();
    void showCentreFrequency();
    void showBoxes();
    void showClocks();
    void showPostDemod();
    void refuseDivider(QLineEdit* box, const QString& limitText);
    std::optional<int32_t> cdrEntry();
    void storeCdr(int32_t c);

    CorvaneApp& app_;
};

} // namespace corvane
