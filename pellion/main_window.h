#pragma once
// The front panel of pellion-eval.
#include "link/registerreadout.h"
#include "platform/clickablelabel.h"
#include "platform/toggle.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace evalkit {
class BoardSession;
}

namespace pellion {

class PellionApp;

class Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Main(PellionApp& app);
    ~Main() override;

    // Start-up and shut-down.
    void Form_Load(const QStringList& arguments = {});
    void InitialiseBoard();
    void InitialiseFrontPanel();
    void Form_Unload();
    void Exitmenu_Click();

    // Board choice, USB link and chip enable.
    void cmbMB_Click();
    void ConnectUSB_Click();
    void Synth_EN_Change();

    // The deviation and data-rate boxes (also called by other handlers).
    void TxtFSKdev_Change();
    void txtDatarate_Change();

    // The register buttons.
    void updateButton_Click(int registerNumber);
    void cmdUpdateAll_Click();

    // The read-out of register n (R0..R6, R9..R13), and the "Register n" caption beside it;
    // nullptr for any other number.
    reglink::RegisterReadout* readout(int n) const;
    QLabel* registerCaption(int n) const;
    QPushButton* updateButton(int n) const;

    // Read-outs with their Update buttons, as the register table lists them.
    reglink::RegisterReadout *lblNhex, *lblOSChex, *lblMODhex, *lblRxCLKhex, *lblDEMODhex,
        *lblSyncHex, *lblT4hex, *lblAGC9hex, *lbltest10hex, *lbltest11hex, *lbltest12hex,
        *lblTFSK13hex;
    QPushButton *cmdN, *cmdOsc, *cmdTransmit, *cmdRxClk, *cmdDemod, *cmdSync, *cmdT4, *cmdReg9,
        *cmdReg10, *cmdReg11, *Command4, *cmdReg13, *cmdUpdateAll;

    // Frequencies (clicking opens the synthesizer window).
    platform::ClickableLabel *lblvcofreq, *lblpfd_freq, *lblcrystal;

    // Board choice, link, chip enable and what the readback found.
    QComboBox* cmbMB;
    QPushButton* ConnectUSB;
    QLabel* Label35;
    platform::Toggle* Synth_EN;
    QLabel *devinuse, *Labelrev;

    // Windows opened from the panel.
    QPushButton *cmdSynthform, *cmdReadback, *Command1, *Command2, *cmdAdvanced, *Command8,
        *Command9, *Command10, *Command11;
    platform::ClickableLabel *LblClockout, *LblMuxOut;

    // Settings.
    QGroupBox *FrFSK, *FrFSKpower, *FrASK;
    QComboBox *cmbModulation, *cmbDemod, *cmbIFBW, *Chgpumpvalue, *cmbTestdata;
    platform::Toggle *OSC_EN, *PA_EN;
    QCheckBox* chkInductor;
    QRadioButton *optRx, *optTx;
    QScrollBar *HScroll2, *HScrollASKFine1, *HScrollOOKfine1;
    QLabel *LblFSKpower, *Lblpower1, *Lblpower0, *lblOOKmin, *lblOOKmax;
    QLineEdit *TxtFSKdev, *txtDatarate;
    QLabel *Label26, *Label28, *Lblfskdev, *Label25, *lblDemodBW, *Label10, *lblRxCLK;

    // Menu items.
    QAction *mnuOpen, *mnuWriteOmbrelle, *mnuSave, *mnuCreatenewini, *mnuPrint, *Exitmenu,
        *crystalmenu, *mnuSync, *mnuReadback, *muxmenu, *mnuClockOut, *testmenu, *registermenu,
        *mnuRevHistory, *mnuRev;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    void buildMenus();
    void connectHandlers();

    PellionApp& app_;
    std::unique_ptr<evalkit::BoardSession> session_;
    QLabel* captions_[12] = {}; // "Register n", in the order of the register table
};

} // namespace pellion
