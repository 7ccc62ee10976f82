#pragma once
// The IR calibration window: tunes the synthesizer so the image-rejection
// calibration tone falls where the receiver can measure it, then searches the
// image-rejection gain and phase adjustments of register 5 for the lowest RSSI
// at the image frequency.
#include "platform/form.h"

#include <cstdint>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace corvane {

class CorvaneApp;

// The odd multiple n of the clock nearest to ratio = RF / clock: the ratio
// rounded half to even, and an even result moved one toward the ratio.
// nullopt when the ratio has no 32-bit multiple.
std::optional<int32_t> oddClockMultiple(double ratio);

class frmIRcal : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmIRcal";
    explicit frmIRcal(CorvaneApp& app);

    void updateRf_Click();
    // Starts the search; while it runs, the same button stops it.
    void cmdStartCal_Click();
    bool searching() const { return searching_; }

    QGroupBox* initialPoint;          // Frame1
    QGroupBox* terminatingConditions; // Frame2
    QGroupBox* bestPoint;             // Frame3
    QGroupBox* currentPoint;          // Frame4
    QLineEdit *txtGainInit, *txtPhaseInit, *txtIter, *txtSubopt;
    QLineEdit *txtRSSIbest, *txtGainbest, *txtPhasebest, *txtAttempts;
    QLineEdit *txtGaincur, *txtPhasecur, *txtItercur;
    QComboBox *cmbCalsrc, *cmbMode;
    QComboBox* demodDivider;        // Combo1
    QCheckBox* overrideDemodDivide; // Check1
    QLineEdit* demodClock;          // Text1
    QLineEdit* rfChannelFrequency;  // Text2
    QLineEdit* imageFrequency;      // Text3
    QScrollBar* sclOversample;
    QPushButton* updateRf; // Command1, "Update RF"
    QPushButton* cmdStartCal;

protected:
    void closeBox() override;

private:
    struct SearchEntries {
        int16_t first, second, iterations, suboptimal;
    };
    std::optional<SearchEntries> searchEntries();
    void runSearch(const SearchEntries& entries);
    std::optional<double> calibrationClock();
    void setIrFields(int first, int second);
    void writeRegister5();
    void MeasureImageRssi();
    void MeasureIrPoints(int first, int second);
    void refreshAndWrite(int n);

    CorvaneApp& app_;
    bool searching_ = false;
};

} // namespace corvane
