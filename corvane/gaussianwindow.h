#pragma once
// The Gaussian set-up window: the deviation divider and the index counter of
// the Gaussian modulator, with the deviation and data rate they give.
#include "corvane/calc/datarate.h"
#include "evalkit/gaussianwindow.h"
#include "platform/messages.h"

#include <QString>
#include <cstdint>
#include <optional>

class QLabel;
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

// The warning with which the front panel's data-rate plan would refuse the rate a
// calculation pushes (the box shows rateText; the plan takes the exact rate), with the rest of
// the plan's inputs as `rate` holds them; nothing when the rate is taken.
std::optional<platform::Message> rateRefusal(const GfskSetup& s, const QString& rateText,
                                             calc::DataRateInputs rate);

class frmGFSK : public evalkit::GaussianWindow {
    Q_OBJECT
public:
    explicit frmGFSK(CorvaneApp& app);

    void CmdCalculate_Click();
    void cmdUpdate_Click();
    void cmdCancel_Click();

    // Besides the Gaussian window's controls.
    QLabel* bandNote; // Label4
    QPushButton* cmdCancel;

protected:
    void closeBox() override { cmdCancel_Click(); }

private:
    CorvaneApp& app_;
};

} // namespace corvane
