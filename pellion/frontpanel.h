#pragma once
// The front panel of pellion-eval.
#include "evalkit/pushedrate.h"
#include "evalkit/zantrelpanel.h"
#include "link/registerreadout.h"
#include "pellion/calc/datarate.h"
#include "pellion/calc/settingsplan.h"
#include "pellion/statuscaptions.h"
#include "platform/clickablelabel.h"
#include "platform/messages.h"
#include "platform/toggle.h"

#include <optional>
#include <vector>

namespace pellion {

class PellionApp;

// The board session, the register column and the File and Settings menus are the shared
// panel's; this adds pellion-eval's controls, their layout and their handlers.
class Main : public evalkit::ZantrelPanel, public evalkit::TransceiverRegisters {
    Q_OBJECT
public:
    explicit Main(PellionApp& app);
    ~Main() override;

    // Start-up.
    void InitialiseBoard();
    void InitialiseFrontPanel();

    // The chip enable.
    void Synth_EN_Change();

    // Front-panel settings.
    void cmbModulation_Click();
    void cmbDemod_Click();
    void cmbIFBW_Click();
    void Chgpumpvalue_Click();
    void cmbTestdata_Click();
    void OSC_EN_Change();
    void PA_EN_Change();
    void paLevel_Change();
    void HScrollASKFine1_Change();
    void HScrollOOKfine1_Change();
    void chkInductor_Click();

    // The deviation and data-rate boxes (also called by other handlers).
    void TxtFSKdev_Change();
    void txtDatarate_Change();
    // A data rate another window works out: the box shows `text` (the rate to three decimals)
    // and the plan takes `rate` as it is, for as long as the box shows that text. The plan runs
    // once, also when the box already showed the text.
    void setDataRateFromCode(const QString& text, double rate);
    // Whether the data-rate plan would take `rate` pushed from code, and the deviation plan
    // the text `kHz` in FSK, with the panel as it stands: a settings import leaves out a value
    // that its box would refuse rather than have the box show the refusal.
    bool takesDataRate(double rate) const;
    bool takesDeviation(const QString& kHz) const;
    // The inputs the data-rate box's plan takes as the panel stands (its text, or the rate a
    // window pushed while the box shows it): a window checks with them what a change of the
    // set-up would do to that plan before it makes the change.
    calc::DataRateInputs dataRateInputs() const;

    // A settings file's part of the panel, each set as the user would when the import's order
    // of steps reaches it; a control that shows the value already has its handler run all the
    // same (another window may have changed its field meanwhile). A deviation or data rate the
    // panel's plans would refuse is left out: false.
    void applyInductor(const calc::FrontPanelPlan& p);
    void applyChargePump(const calc::FrontPanelPlan& p);
    bool applyDeviation(const calc::FrontPanelPlan& p);
    void applyModulation(const calc::FrontPanelPlan& p);
    bool applyDataRate(const calc::FrontPanelPlan& p);
    void applyIfBandwidth(const calc::FrontPanelPlan& p);
    // What a save takes from the panel: the data rate in force (the rate the plan last took,
    // when the box refused the one it shows), then the rest.
    QString dataRateInForce() const;
    calc::FrontPanelRecord settingsInForce() const;

    // "Program Registers 0 - 6" below the read-outs (R0..R6, R9..R13, each with its "Register
    // n" caption).
    QPushButton* cmdUpdateAll;

    // Frequencies (clicking opens the synthesizer window).
    platform::ClickableLabel *lblvcofreq, *lblpfd_freq, *lblcrystal;

    // Board choice, link, chip enable and what the readback found.
    QComboBox* cmbMB;
    QPushButton* ConnectUSB;
    QLabel* chipEnableCaption; // Label35
    platform::Toggle* Synth_EN;
    QLabel *devinuse, *Labelrev;

    // Windows opened from the panel.
    QPushButton *cmdSynthform, *cmdReadback, *cmdAdvanced;
    QPushButton* manualRegisterEdit; // Command1
    QPushButton* advancedDemod;      // Command2
    // The status buttons name the setting of their window and open it.
    QPushButton* afcStatus;         // Command8
    QPushButton* agcStatus;         // Command9
    QPushButton* ifFilterCalStatus; // Command10
    QPushButton* syncWordStatus;    // Command11
    platform::ClickableLabel *LblClockout, *LblMuxOut;

    // Settings.
    QGroupBox *FrFSK, *FrFSKpower, *FrASK;
    QComboBox *cmbModulation, *cmbDemod, *cmbIFBW, *Chgpumpvalue, *cmbTestdata;
    platform::Toggle *OSC_EN, *PA_EN;
    QCheckBox* chkInductor;
    QRadioButton *optRx, *optTx;
    QScrollBar* paLevel; // HScroll2
    QScrollBar *HScrollASKFine1, *HScrollOOKfine1;
    QLabel *LblFSKpower, *Lblpower1, *Lblpower0, *lblOOKmin, *lblOOKmax;
    QLineEdit *TxtFSKdev, *txtDatarate;
    QLabel *Lblfskdev, *lblDemodBW, *lblRxCLK;
    // The captions the modulation shows or hides.
    QLabel* desiredDeviationCaption; // Label26
    QLabel* actualDeviationCaption;  // Label28
    QLabel* demodBandwidthCaption;   // Label25
    QLabel* txRxClockCaption;        // Label10

    // The Help menu items.
    QAction *mnuRevHistory, *mnuRev;

protected:
    void startUp() override { InitialiseBoard(); }
    void showStatusCaptions() override { pellion::showStatusCaptions(app_); }

private:
    void buildControls();
    void buildLayout();
    void buildMenus();
    void connectHandlers();
    // A scroll bar set from code; its handler runs even when the value stands already, so that
    // the field it sets always holds what the bar shows.
    void setScrollBar(QScrollBar* bar, int value, void (Main::*handler)());
    // Sends a test-data word as register 12 over the chosen board, past the field store.
    void sendTestDataWord(int32_t word);
    // Whether the synthesizer plans for the inductor the check box now shows; when it does
    // not, the box is put back and the refusal said.
    bool takesInductor(bool external);
    calc::DataRateInputs dataRateInputs(const QString& text,
                                        std::optional<double> rateFromCode) const;

    PellionApp& app_;
    QLabel *deviationUnit_ = nullptr, *actualDeviationUnit_ = nullptr;

    evalkit::PushedRate pushedRate_;
    // The deviation and rate boxes refuse a value that does not fit its field with a warning:
    // marked while it is typed, said when it is committed, once (also when the other box
    // refuses its text with the same discriminator).
};

} // namespace pellion
