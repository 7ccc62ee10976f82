#pragma once
// The AFC window: the automatic frequency control's switches, loop gains Kp and Ki and scaling
// factor (and, on chips that have it, its pull-in range). It edits the field store only; its
// return button names each switch's state on its front-panel status button. The chips differ
// in their switches, in the range box and in the scaling factor's limit; each program
// describes that.
#include "evalkit/calc/windowsettings.h"
#include "evalkit/fieldref.h"
#include "evalkit/statuscaption.h"
#include "platform/form.h"
#include "platform/toggle.h"

#include <QString>
#include <optional>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace evalkit {

class ProgramContext;

struct AfcDescription {
    // A switch stores code 1 of its field when on and 0 when off.
    struct Switch {
        QString caption;              // the label beside it
        const char* field;            // the field it switches
        dialog::StatusCaption status; // its front-panel button on return
    };
    std::vector<Switch> switches; // afcStatus, secondSwitch

    const char* kpField = "AfcKpField"; // cmbKp "0".."7", list index = code
    const char* kiField = "AfcKiField"; // cmbKi "0".."15"

    const char* scalingField = "AfcScalingField";
    dialog::NumberBox scaling; // txtAFCScaling
    QString scalingAccepts;

    // The pull-in range box, in kHz, with its code shown beside it, on chips that have it.
    const char* rangeField = nullptr;
    dialog::NumberBox range = {};
    QString rangeAccepts = {};
};

class frmAFC : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmAFC";
    // statusButtons: the front panel's button for each switch, in the same order (nullptr: the
    // switch has none).
    frmAFC(ProgramContext& app, const AfcDescription& description,
           std::vector<QAbstractButton*> statusButtons);

    void Form_Load() override;
    void afcStatus_Change() { switchChanged(0); }
    void secondSwitch_Change() { switchChanged(1); }
    void cmbKp_Click();
    void cmbKi_Click();
    void txtAFCScaling_Change();
    void txtAFCRange_Change();
    void returnToPanel_Click();

    // A settings file's part of the window (the first switch, the gains and the range), set as
    // the user would; a control that shows the value already has its handler run all the same.
    void applySettings(const calc::AfcPlan& p);
    // The part of the set-up in force a settings file holds.
    calc::AfcRecord settingsInForce() const;

    platform::Toggle* afcStatus = nullptr;    // Toggle1
    platform::Toggle* secondSwitch = nullptr; // Toggle2, only with a second switch
    QComboBox *cmbKp, *cmbKi;
    QLineEdit* txtAFCScaling;
    QLineEdit* txtAFCRange = nullptr; // only where the chip has a range
    QLabel* rangeCode = nullptr;      // Label6
    QPushButton* returnToPanel;       // Command2

protected:
    void closeBox() override { returnToPanel_Click(); }

private:
    void switchChanged(size_t n);

    ProgramContext& app_;
    const AfcDescription& d_;
    std::vector<QAbstractButton*> statusButtons_;
    std::vector<platform::Toggle*> toggles_;
    std::vector<FieldRef> switchFields_;
    FieldRef kp_, ki_, scaling_;
    std::optional<FieldRef> range_;
};

} // namespace evalkit
