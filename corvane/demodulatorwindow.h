#pragma once
// corvane's demodulator window: the correlator is set by its K and a bandwidth multiple, with
// the discriminator's centre frequency; the post-demodulator filter acts as it is typed. The
// read-outs follow every field the window stores, its load's among them, at once.
#include "evalkit/calc/demodfilters.h"
#include "evalkit/demodulatorwindow.h"

#include <QString>
#include <cstdint>
#include <optional>

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

class frmDemod : public evalkit::DemodWindow {
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
    void txtIFFilter_LostFocus() override;
    void txtBBOffset_LostFocus() override;
    void txtDemod_LostFocus() override;
    void txtCDR_LostFocus() override;
    void cmdautoClock_Click();  // Auto Calc Clocks
    void returnToPanel_Click(); // Command1

    // Correlator Setting, besides the demodulator window's controls.
    QComboBox* cmbdiscrim;
    QPushButton *CmdKup, *cmdKdown, *cmdKreset;
    QLabel* correlatorK;         // Label14
    QLabel* discriminatorCentre; // Label16

protected:
    void closeBox() override { returnToPanel_Click(); }

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
    // The post-demodulator box: its limit message comes when the entry is committed.
};

} // namespace corvane
