#pragma once
// The Gaussian set-up window: the deviation divider and the index counter of
// the Gaussian modulator, with the deviation and data rate they give.
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

// What "Calculate !" works out from the window's entries and the current
// frequencies.
struct GfskSetup {
    int32_t divider = 1;         // the divider entry limited to 1..127
    bool dividerLimited = false; // the entry lay outside 1..127
    int32_t TxDeviationField = 0;
    int32_t GfskIndexCounterField = 0;
    double deviationKHz = 0;      // as shown: halved below 500 MHz
    float ActualDeviationKHz = 0; // the full figure
    double dataRateKbps = 0;
};
// modControl 0..7, indexCounterIndex 0..3 (16, 32, 64, 128); nullopt for any
// other index or a divider that is not a number.
std::optional<GfskSetup> planGfsk(int modControl, int indexCounterIndex, const QString& dividerText,
                                  double PfdFrequencyMHz, double RfFrequencyMHz);

class frmGFSK : public platform::Form {
    Q_OBJECT
public:
    explicit frmGFSK(CorvaneApp& app);

    void CmdCalculate_Click();
    void cmdUpdate_Click();
    void cmdCancel_Click();

    QGroupBox* Frame1;
    QComboBox *cmbModCtrl, *cmbIndexCount;
    QLineEdit* txtDivider;
    QLabel *lblFdev, *lblDatarate, *Label4;
    QPushButton *cmdCalculate, *cmdUpdate, *cmdCancel;

protected:
    void closeBox() override { cmdCancel_Click(); }

private:
    CorvaneApp& app_;
};

} // namespace corvane
