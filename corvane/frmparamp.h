#pragma once
// The PA ramp window: chooses the ramp profile of register 2 and switches the PA on and off,
// once or in bursts, so the ramp can be watched on the chip's output.
#include "platform/form.h"

#include <cstdint>

class QComboBox;
class QLabel;
class QPushButton;

namespace corvane {

class CorvaneApp;

class frmPARamp : public platform::Form {
    Q_OBJECT
public:
    explicit frmPARamp(CorvaneApp& app);

    // Passes of the busy wait between the writes of a burst.
    static constexpr int32_t BurstWait = 2001;

    void Form_Load() override;
    void cmbPARamp_Click();
    void cmdRampUp_Click();   // PA On
    void cmdRampDown_Click(); // PA Off
    void cmdPAMulti1_Click(); // PA On then Off
    void cmdPAMulti2_Click(); // PA On/Off 5 times
    void Command2_Click();    // Return to Front Panel

    QComboBox* cmbPARamp;
    QPushButton *cmdRampUp, *cmdRampDown, *cmdPAMulti1, *cmdPAMulti2;
    QPushButton* Command2;
    QLabel* Label1;

protected:
    void closeBox() override { Command2_Click(); }

private:
    void writePa(int16_t enable);

    CorvaneApp& app_;
};

} // namespace corvane
