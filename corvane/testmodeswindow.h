#pragma once
// The test modes window: the analog RSSI and slicer outputs of register 15 and the test DAC
// of register 14. Every control writes to the chip at once. Register 14 has no fields: its
// whole words go out as raw words through the raw-word register. The window also holds the
// register 15 read-out, so the read-out refresh creates it (hidden) when it first needs it.
#include "link/registerreadout.h"
#include "platform/form.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace corvane {

class CorvaneApp;

// The register-14 words the test DAC sends through the raw register.
inline constexpr uint32_t TestDacOffWord = 14;
inline constexpr uint32_t TestDacOnWord = 30;           // demodulator not linear
inline constexpr uint32_t TestDacLinearOnWord = 171870; // linear demodulator

class frmTestModes : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmTestModes";
    explicit frmTestModes(CorvaneApp& app);

    void Form_Load() override;
    void rssiOnTestA_Click();
    void cmbTestList_Click();
    void testDacOnSwd_Click();
    void testDacGain_Change();
    void returnToPanel_Click();

    QCheckBox* rssiOnTestA; // Check1
    QComboBox* cmbTestList;
    QCheckBox* testDacOnSwd;                     // Check2
    QScrollBar* testDacGain;                     // VScroll1
    QLineEdit* testDacGainValue;                 // Text1
    QLabel* testDacGainCaption;                  // Label4
    reglink::RegisterReadout* register15Readout; // Label2
    QPushButton* returnToPanel;                  // Command2

protected:
    void closeBox() override { returnToPanel_Click(); }

private:
    void showGain(bool shown);
    // The handlers' writes; none while the load shows the settings in force.
    void writeRegister15();
    void writeTestDacWord(uint32_t word);

    CorvaneApp& app_;
    bool loading_ = false;
};

} // namespace corvane
