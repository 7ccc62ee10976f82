#pragma once
// The PA ramp window: switches the PA on and off, once or in bursts, so that the ramp can be
// watched on the chip's output (and, on chips that have it, chooses the ramp profile). Each
// switch writes the PA's register at once; the return button leaves the PA on in the field
// store. The chips keep the PA switch at other bits and not all have a ramp profile.
#include "evalkit/fieldref.h"
#include "platform/form.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace evalkit {

class ProgramContext;

struct PaRampDescription {
    const char* paEnableField = "PaEnableField"; // code 1: PA on
    int paRegister = 2;                          // the register that holds it
    QString note;                                // the note label
    // The ramp profile list, on chips that have the field: list index = code.
    const char* rampField = nullptr;
    QStringList rampItems = {};
    QString rampDesignText = {};
};

class frmPARamp : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmPARamp";
    frmPARamp(ProgramContext& app, const PaRampDescription& description);

    // Passes of the busy wait between the writes of a burst.
    static constexpr int32_t BurstWait = 2001;
    static constexpr int BurstCount = 5;

    void Form_Load() override;
    void cmbPARamp_Click();
    void cmdRampUp_Click();     // PA On
    void cmdRampDown_Click();   // PA Off
    void cmdPAMulti1_Click();   // PA On then Off
    void cmdPAMulti2_Click();   // PA On/Off 5 times
    void returnToPanel_Click(); // Return to Front Panel

    QComboBox* cmbPARamp = nullptr; // only where the chip has a ramp profile
    QPushButton *cmdRampUp, *cmdRampDown, *cmdPAMulti1, *cmdPAMulti2;
    QPushButton* returnToPanel; // Command2
    QLabel* note;               // Label1

protected:
    void closeBox() override { returnToPanel_Click(); }

private:
    void writePa(bool on);

    ProgramContext& app_;
    const PaRampDescription& d_;
    FieldRef paEnable_;
    std::optional<FieldRef> ramp_;
};

} // namespace evalkit
