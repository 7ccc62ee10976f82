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
    void Check1_Click();
    void cmbTestList_Click();
    void Check2_Click();
    void VScroll1_Change();
    void Command2_Click(); // Return to Front Panel

    QCheckBox* Check1;
    QComboBox* cmbTestList;
    QCheckBox* Check2;
    QScrollBar* VScroll1;
    QLineEdit* Text1;
    QLabel* Label4;
    reglink::RegisterReadout* Label2;
    QPushButton* Command2;

protected:
    void closeBox() override { Command2_Click(); }

private:
    void showGain(bool shown);

    CorvaneApp& app_;
};

} // namespace corvane
