#pragma once
// The front panel of corvane-eval.
#include "corvane/calc/datarate.h"
#include "corvane/calc/settingsplan.h"
#include "corvane/statuscaptions.h"
#include "evalkit/pushedrate.h"
#include "evalkit/zantrelpanel.h"
#include "link/registerreadout.h"
#include "platform/clickablelabel.h"
#include "platform/toggle.h"

namespace corvane {

class CorvaneApp;

// The board session, the register column and the File and Settings menus are the shared
// panel's; this adds corvane-eval's controls, their layout and their handlers.
class Main : public evalkit::ZantrelPanel, public evalkit::TransceiverRegisters {
    Q_OBJECT
public:
    explicit Main(CorvaneApp& app);
    ~Main() override;

    // Start-up.
    void InitialiseBoard();
    void InitialiseFrontPanel();

    // The chip enable and the data interface.
    void chipEnable_Change();
    void cmbInterface_Click();

    // Front-panel settings.
    void cmbModulation_Click();
    void cmbDemod_Click();
    void cmbIcp_Click();
    void cmbIFBW_Click();
    void cmb3FSKDetect_Click();
    void cmbVPathMem_Click();
    void gaussianAlpha_Click();
    void cmbTestdata_Click();
    void cmbVCO_Click();
    void paLevel_Change();
    void TogCrystal_Change();
    void synthEnable_Change();
    void vcoEnable_Change();
    void paEnable_Change();
    void TxtFSKdev_Change();
    void txtDatarate_Change();

    // The data-rate plan for what the panel shows now, and storing the
    // receiver clock dividers a plan chose (shared with the demodulator
    // window's automatic clocks).
    calc::DataRatePlan planDataRate() const;
    void applyClockDividers(const calc::DataRatePlan& plan);
    // The inputs of that plan: a window checks with them what a change of the set-up would do
    // to the plan before it makes the change.
    calc::DataRateInputs dataRateInputs() const;
    // A data rate another window works out: the box shows `text` (the rate to three decimals)
    // and the plan takes `rate` as it is, for as long as the box shows that text. The plan runs
    // once, also when the box already showed the text.
    void setDataRateFromCode(const QString& text, double rate);

    // A settings file's part of the panel, each set as the user would when the import's order
    // of steps reaches it, and the deviation and data-rate plans run again at the end.
    void applyVcoChoice(const calc::FrontPanelPlan& p);
    void applyChargePump(const calc::FrontPanelPlan& p);
    void applyDirection(const calc::FrontPanelPlan& p);
    void applyModulation(const calc::FrontPanelPlan& p);
    void applyIfBandwidth(const calc::FrontPanelPlan& p);
    void applyDemodulator(const calc::FrontPanelPlan& p);
    void finishSettingsImport();
    // The modulation list's index, from which an import plans the alpha.
    int modulationChoice() const;
    // What a save takes from the panel: the data rate in force (the rate the plan last took,
    // when the box refused the one it shows), then the rest.
    QString dataRateInForce() const;
    calc::FrontPanelRecord settingsInForce() const;

    // "Program Register 0 to 4 " below the read-outs (R0..R6, R9..R13).
    QPushButton* cmdUpdateAll;

    // Frequencies (clicking opens the synthesizer window).
    platform::ClickableLabel *lblvcofreq, *lblpfd_freq, *lblcrystal;

    // The chip the program is for, in the frame "Device In Use".
    QGroupBox* FrDevice;
    QLabel* device;

    // Board choice and link.
    QComboBox* cmbMB;
    QPushButton* ConnectUSB;
    QLabel* chipEnableCaption;    // Label50
    platform::Toggle* chipEnable; // Toggle4
    QComboBox* cmbInterface;

    // Windows opened from the panel; the status buttons show the set-up of the window they open.
    QPushButton *cmdAdvanced, *cmdPARamp, *cmdReadback, *cmdSynthform;
    QPushButton* manualRegisterEdit; // Command1
    QPushButton* advancedDemod;      // Command2
    QPushButton* testModesStatus;    // Command5
    QPushButton* afcStatus;          // Command8
    QPushButton* agcStatus;          // Command9
    QPushButton* ifCalStatus;        // Command10
    QPushButton* syncWordStatus;     // Command11
    platform::ClickableLabel *LblClockout, *LblMuxOut;

    // Settings.
    QGroupBox *FrFSK, *FrFSKpower;
    QComboBox *cmbModulation, *cmbDemod, *cmbIcp, *cmbIFBW, *cmb3FSKDetect, *cmbVPathMem,
        *cmbTestdata, *cmbVCO;
    QComboBox* gaussianAlpha;         // Combo1
    QLabel* dataRateCaption;          // Label23
    QLabel* dataRateUnit;             // Label36_2
    QLabel* deviationCaption;         // Label26
    QLabel* threeFskDetectCaption;    // Label43
    QLabel* viterbiPathMemoryCaption; // Label44
    QLabel *LblFSKpower, *Lblfskdev, *lblRxCLK, *lblDemodBW;
    QScrollBar* paLevel; // HScroll2
    QRadioButton *optRx, *optTx;
    platform::Toggle* TogCrystal;
    platform::Toggle* synthEnable; // Toggle1
    platform::Toggle* vcoEnable;   // Toggle2
    platform::Toggle* paEnable;    // Toggle3
    QLineEdit *txtDatarate, *TxtFSKdev;

    // The Options and Help menu items.
    QAction *portmenu, *mnuRevHistory, *mnuRev, *mnuIBM;

protected:
    void startUp() override { InitialiseBoard(); }
    void showStatusCaptions() override { corvane::showStatusCaptions(app_); }

private:
    void buildControls();
    void buildLayout();
    void buildMenus();
    void connectHandlers();
    void applyCalibrationTones();

    CorvaneApp& app_;
    evalkit::PushedRate pushedRate_;
};

} // namespace corvane
