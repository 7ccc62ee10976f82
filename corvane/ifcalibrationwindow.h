#pragma once
// The IF filter calibration window: coarse and fine calibration of the IF filter, the manual
// filter adjust and, where the program offers them (IFCalFeatures), the fixed
// fine-calibration workaround for crystals whose lower tone divide is beyond the chip's
// fine-calibration limit and the automatic calculation of the dwell time and tones.
#include "corvane/calc/settingsplan.h"
#include "corvane/variant.h"
#include "link/registerreadout.h"
#include "platform/form.h"
#include "platform/toggle.h"

#include <QString>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace corvane {

class CorvaneApp;

// The captions of the front panel's IF calibration status button (Main::ifCalStatus): the last
// calibration this window started.
inline const QString FineCalCaption = QStringLiteral("Fine Cal");
inline const QString CoarseCalCaption = QStringLiteral("Coarse");
inline const QString ManualAdjustCaption = QStringLiteral("Manual Adjust");
inline const QString FineCalWorkaroundCaption = QStringLiteral("Fine Cal workaround");

inline const QString FineCalRefusedText = QStringLiteral(
    "You cannot perform a fine calibration with this xtal value. Use the Fine Cal Workaround "
    "option below, and please refer to the Corvane anomaly sheet, available from the Corvane "
    "webpage.");
inline const QString DwellLimitsText = QStringLiteral("IF Cal Dwell Time outside of limits");
inline const QString UpperToneLimitsText =
    QStringLiteral("IF Cal Upper Tone Divide outside of limits");
inline const QString LowerToneLimitsText =
    QStringLiteral("IF Cal Lower Tone Divide outside of limits");

class frmIFCal : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmIFCal";
    frmIFCal(CorvaneApp& app, const IFCalFeatures& features);

    void Form_Load() override;
    void dwellTime_Change();
    void upperTone_Change();
    void lowerTone_Change();
    void scrollIFadjust_Change();
    void fineCalibrate_Click();
    void returnToPanel_Click();
    void coarseCalibrate_Click();
    void autoCalculate_Click();
    void updateRegister5_Click();
    void fineCalWorkaround_Click();

    // A settings file's part of the window, set as the user would; a box that shows the value
    // already has its handler run all the same (the synthesizer sets the tones meanwhile).
    void applySettings(const calc::IfFilterPlan& p);
    // The part of the set-up in force a settings file holds.
    calc::IfFilterRecord settingsInForce() const;

    // The controls a program does not offer (see IFCalFeatures) are not made: nullptr.
    QPushButton* fineCalibrate;     // Command1, "Do Fine Cal"
    QPushButton* coarseCalibrate;   // Command3, "Do Coarse Cal"
    QPushButton* fineCalWorkaround; // Command6, "Do Workaround for Fine Cal"
    QGroupBox* outerFrame;          // Frame1
    QGroupBox* fineFrame;           // Frame2
    QGroupBox* coarseFrame;         // Frame4
    QGroupBox* manualAdjust;
    QLabel* coarseNote;         // Label1, the note of the coarse frame
    QLabel* fineNote;           // Label2, the note of the fine frame
    QLineEdit* dwellTime;       // Text1
    QLineEdit* upperTone;       // Text2
    QLineEdit* lowerTone;       // Text3
    QLabel* upperToneFrequency; // Label13
    QLabel* lowerToneFrequency; // Label14
    QLabel* toneCalTime;        // Label8
    QLabel* totalFineCalTime;   // Label10
    QPushButton* autoCalculate; // Command4, "Auto Calculate"
    QScrollBar* scrollIFadjust;
    QLabel* adjustValue;          // Label18
    QPushButton* updateRegister5; // Command5, "Update Register 5"
    QLabel* registerOrderNote;    // Label17
    QPushButton* returnToPanel;   // Command2, "Return to Front Panel"

protected:
    void closeBox() override { returnToPanel_Click(); }

private:
    void buildLayout();
    // The entry of a box named `name` that takes `lowest` up to the field's maximum.
    std::optional<int32_t> fieldEntry(QLineEdit* box, int bits, int32_t lowest,
                                      const QString& name) const;
    void showToneTime();
    void showUpperTone(double divide);
    void showLowerTone(double divide);
    void setCalibrationCaption(const QString& caption);

    CorvaneApp& app_;
    IFCalFeatures features_;
};

} // namespace corvane
