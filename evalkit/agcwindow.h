#pragma once
// The AGC window: the automatic gain control's mode, the manual LNA and IF filter gains and the
// two AGC thresholds. It edits the field store only; its return button names the mode on the
// front panel's AGC button. The chips order the modes and code the gains differently; each
// program describes that, the window and its limits are the same.
#include "evalkit/calc/windowsettings.h"
#include "evalkit/fieldref.h"
#include "evalkit/statuscaption.h"
#include "platform/form.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace evalkit {

class ProgramContext;

struct AgcDescription {
    QStringList modes;                    // agcMode, in list order
    dialog::FieldValues modeValues;       // the mode field's value for each entry
    std::vector<bool> manualGains;        // for each entry: whether the gain lists can be chosen
    dialog::FieldValues lnaGainValues;    // lnaGain "Low", "Medium", "High"
    dialog::FieldValues filterGainValues; // filterGain "Low", "Medium", "High"
    dialog::StatusCaption status;         // the front panel's AGC button on return
    const char* modeField = "AgcModeField";
    const char* lnaGainField = "LnaGainField";
    const char* filterGainField = "FilterGainField";
    const char* lowThresholdField = "AgcLowThresholdField";
    const char* highThresholdField = "AgcHighThresholdField";
};

// What the threshold boxes accept, shown on a box while its entry is refused.
inline const QString AgcLowAccepts =
    QStringLiteral("AGC Low Threshold: a number from 0 to 63 of at most 2 characters");
inline const QString AgcHighAccepts =
    QStringLiteral("AGC High Threshold: a number from 0 to 80 of at most 2 characters");

class frmAGC : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmAGC";
    // statusButton: the front panel's AGC button (Command9).
    frmAGC(ProgramContext& app, const AgcDescription& description, QAbstractButton* statusButton);

    static constexpr int32_t MaxLowThreshold = 63;
    static constexpr int32_t MaxHighThreshold = 80;

    void Form_Load() override;
    void agcMode_Click();
    void lnaGain_Click();
    void filterGain_Click();
    void lowThreshold_Change();
    void highThreshold_Change();
    void returnToPanel_Click();

    // A settings file's part of the window, set as the user would; a control that shows the
    // value already has its handler run all the same.
    void applySettings(const calc::AgcPlan& p);
    // The part of the set-up in force a settings file holds.
    calc::AgcRecord settingsInForce() const;

    QComboBox* agcMode;         // Combo1
    QComboBox* lnaGain;         // Combo2
    QComboBox* filterGain;      // Combo3
    QLineEdit* lowThreshold;    // Text1
    QLineEdit* highThreshold;   // Text2
    QPushButton* returnToPanel; // Command2

protected:
    void closeBox() override { returnToPanel_Click(); }

private:
    void enableManualGains(int modeIndex);
    std::optional<int32_t> threshold(QLineEdit* box, int32_t limit, const QString& limitMessage,
                                     const QString& accepts);

    ProgramContext& app_;
    const AgcDescription& d_;
    QAbstractButton* statusButton_;
    FieldRef mode_, lnaGain_, filterGain_, low_, high_;
};

} // namespace evalkit
