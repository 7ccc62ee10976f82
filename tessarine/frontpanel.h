#pragma once
// The front panel of tessarine-eval ("Main Interface Page").
#include "evalkit/frontpanelwindow.h"
#include "link/registerreadout.h"
#include "platform/clickablelabel.h"
#include "platform/toggle.h"
#include "tessarine/calc/settingsplan.h"
#include "tessarine/statuscaptions.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tessarine {

class TessarineApp;

// The board session, the register column and the settings-file items are the shared panel's;
// this adds tessarine-eval's controls, their layout and their handlers.
class Main : public evalkit::FrontPanelWindow {
    Q_OBJECT
public:
    explicit Main(TessarineApp& app);
    ~Main() override;

    // Start-up.
    void InitialiseBoard();
    void InitialiseFrontPanel();

    // The chip enable.
    void chipEnable_Change();

    // The read-outs and the register buttons.
    void fnGuiWrite();
    // An Update button: its register is written, and a word that reached the board gets the
    // button-face colour on its read-out.
    void updateButton_Click(int registerNumber) override;
    void cmdR_Click() { updateButton_Click(0); }
    void cmdN_Click() { updateButton_Click(1); }
    void cmdmod2_Click() { updateButton_Click(2); }
    void cmdfunction_Click() { updateButton_Click(3); }

    // "&Save Settings (.txt)", and the test modes from the menu.
    void mnuSave_Click();
    void testmenu_Click();

    // The transmit settings. The synthesizer plan runs the FSK deviation and the Gaussian
    // settings again after each calculation: they are counted in steps of the PFD.
    void cmbModulation_Click();
    void TxtFSKdev_Change();
    void FnUpdateGaussian();
    void cmbModCtrl_Click();
    void cmbIndexCount_Click();
    void txtDivider_Change();
    void paLevel_Change();
    void paLevelLow_Change();
    void cmbIcp_Click();
    void TogPLL_Change();
    void TogOutput_Change();
    void TogVCO_Change();
    void TogCrystal_Change();
    // paLevelCaption and paLevelLowCaption name the data level each ASK level sends, which data
    // invert swaps.
    void showAskDataLabels();
    // While held, a refused deviation only marks its box (the settings import checks and names
    // what it cannot use itself).
    void holdDeviationMessage(bool hold) { deviationMessageHeld_ = hold; }

    // A settings file's part of the panel, each set when the import's order of steps reaches
    // it; a deviation whose count does not fit at the PFD the synthesizer planned is left
    // out: false.
    void applyChargePump(const calc::FrontPanelPlan& p);
    bool applyModulation(const calc::FrontPanelPlan& p);
    // The part of the set-up in force a save takes from the panel.
    calc::FrontPanelRecord settingsInForce() const;

    // Read-outs (R, N, modulation, function) with their Update buttons, as the register table
    // lists them.
    reglink::RegisterReadout *lblRhex, *lblNhex, *lblMhex, *lblFhex;
    QPushButton *cmdR, *cmdN, *cmdmod2, *cmdfunction, *cmdUpdateAll;

    // Board choice and link.
    QComboBox* cmbMB;
    QPushButton* ConnectUSB;
    platform::Toggle* chipEnable; // Toggle4
    QLabel* partUsed;             // Label3

    // Frequencies (clicking opens the synthesizer window) and the windows opened from the
    // panel.
    platform::ClickableLabel *lblvcofreq, *lblpfd_freq, *lblcrystal;
    QPushButton* synthSettings; // Command2
    QPushButton *cmdBias, *cmdTestMod;
    QPushButton* otherFeatures;      // Command3
    QPushButton* manualRegisterEdit; // Command1
    platform::ClickableLabel *LblMuxOut, *LblClockout;

    // Transmit settings.
    QComboBox* cmbModulation;
    QGroupBox *FrFSK, *frHideFSK, *frGaussian, *FrFSKpower, *frASK;
    QLineEdit *TxtFSKdev, *txtDivider;
    QLabel *Lblfskdev, *lblTitleModCtrl, *lblTitleDateRate, *lblDatarate, *LblFSKpower;
    QLabel* paLevelCaption;    // Lbldata0
    QLabel* paLevelLowSetting; // Lblpower1
    QLabel* paLevelLowCaption; // Lbldata1
    QComboBox *cmbIndexCount, *cmbModCtrl, *cmbIcp;
    QScrollBar* paLevel;    // HScroll2
    QScrollBar* paLevelLow; // HScrollASKFine1: ASK's low level
    platform::Toggle *TogPLL, *TogOutput, *TogVCO, *TogCrystal;

    // Menu items.
    QAction *mnuSave, *crystalmenu, *mnuPowerDown, *muxmenu, *mnuClkOut, *testmenu, *registermenu,
        *portmenu, *mnuAbout, *mnuRev, *mnuThinkPad;

protected:
    // The board is set up once per run, whatever loads the panel again.
    void startUp() override;
    void showStatusCaptions() override { tessarine::showStatusCaptions(app_); }

private:
    void buildControls();
    void buildLayout();
    void buildMenus();
    void connectHandlers();

    TessarineApp& app_;
    // A deviation refused as a complete entry says so when the entry is committed, once; while
    // it is typed the box is only marked.
    bool deviationMessageHeld_ = false;
};

} // namespace tessarine
