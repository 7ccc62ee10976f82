// The front panel of pellion-eval: its controls, their layout, its menus and the connections to
// their handlers.
#include "pellion/frontpanel.h"

#include "evalkit/boardframe.h"
#include "evalkit/boardsession.h"
#include "pellion/descriptions.h"
#include "pellion/pellionapp.h"
#include "pellion/settingsfile.h"
#include "pellion/windows.h"
#include "pellion/zantrelfile.h"
#include "platform/listchoice.h"
#include "platform/named.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace pellion {

using platform::named;
using platform::namedButton;
using platform::namedLabel;
using platform::namedList;
using platform::namedToggle;

Main::Main(PellionApp& app)
    : ZantrelPanel(app, QStringLiteral("Pellion-X Config SW"), ImportSettings, ExportSettings,
                   WriteZantrelIni),
      app_(app) {
    buildControls();
    buildLayout();
    buildMenus();
    startSession(boardRules(), {cmbMB, ConnectUSB, Synth_EN, {chipEnableCaption}},
                 &app_.w().PortClaimed);
    connectHandlers();
}

Main::~Main() = default;

void Main::buildControls() {
    // Every register with a read-out on the panel: its read-out with the design caption, its
    // Update button and its title (the tool tip of both the "Register n" caption and the
    // button).
    const QString zz = QStringLiteral("ZZZZZZh"), hexZ = QStringLiteral("0xZZZZZZ");
    registers_.build({QStringLiteral("Register %1"), QStringLiteral("lblRegister%1")},
                     registerRows({
                         {hexZ, QStringLiteral("N Register")},
                         {zz, QStringLiteral("VCO/Oscillator Register")},
                         {zz, QStringLiteral("Transmit Modulation Register")},
                         {zz, QStringLiteral("Tx/Rx Clock Register")},
                         {zz, QStringLiteral("Demodulator Setup Register")},
                         {zz, QStringLiteral("IF Filter Setup Regsiter")},
                         {zz, QStringLiteral("IF Fine Cal Setup Register")},
                         {hexZ, QStringLiteral("AGC Register")},
                         {zz, QStringLiteral("AFC Register")},
                         {zz, QStringLiteral("Sync Word Detect Register")},
                         {zz, QStringLiteral("SWD/Threshold Register")},
                         {zz, QStringLiteral("3FSK Demod")},
                     }));
    cmdUpdateAll = namedButton("cmdUpdateAll", QStringLiteral("Program Registers 0 - 6"));

    lblvcofreq = named(new platform::ClickableLabel(QStringLiteral("VCO Frequency")), "lblvcofreq");
    lblpfd_freq = named(new platform::ClickableLabel(QStringLiteral("Choose Comparison Freq")),
                        "lblpfd_freq");
    lblcrystal =
        named(new platform::ClickableLabel(QStringLiteral("Choose Crystal Freq")), "lblcrystal");

    const QString parallelBoard = QStringLiteral("QuorrabaseZ (Parallel Port)");
    const evalkit::BoardWidgets board =
        evalkit::boardWidgets({{parallelBoard, QStringLiteral("QuorrabaseZ2 (USB Port)")},
                               parallelBoard,
                               QStringLiteral("Click to connect to USB interface"),
                               "Synth_EN",
                               "Label35",
                               QStringLiteral("Chip Enable")});
    cmbMB = board.board;
    ConnectUSB = board.connect;
    Synth_EN = board.chipEnable;
    chipEnableCaption = board.caption;
    devinuse = namedLabel("devinuse", QStringLiteral("Check Readback"));
    Labelrev = namedLabel("Labelrev", QStringLiteral("Check Readback"));

    cmdSynthform = namedButton("cmdSynthform", QStringLiteral("Synth Settings ... "));
    cmdReadback = namedButton("cmdReadback", QStringLiteral("Readback "));
    manualRegisterEdit = namedButton("Command1", QStringLiteral("Manual Register Edit"));
    advancedDemod = namedButton("Command2", QStringLiteral("Advanced Demod"));
    cmdAdvanced = namedButton("cmdAdvanced", QStringLiteral("  Bias Currents     VCO, LNA, Mixer"));
    cmdAdvanced->setToolTip(QStringLiteral("Click to Change Individual Bias Settings"));
    afcStatus = namedButton("Command8", QStringLiteral("OFF"));
    agcStatus = namedButton("Command9", QStringLiteral("Auto"));
    ifFilterCalStatus = namedButton("Command10", QStringLiteral("No Cal"));
    syncWordStatus = namedButton("Command11", QStringLiteral("Off"));
    LblClockout = named(new platform::ClickableLabel(QStringLiteral("OFF")), "LblClockout");
    LblMuxOut = named(new platform::ClickableLabel(QStringLiteral("Regulator Ready")), "LblMuxOut");

    FrFSK = named(new QGroupBox(QStringLiteral("Modulation")), "FrFSK");
    FrFSKpower = named(new QGroupBox(QStringLiteral("PA Output Power FSK Mode ")), "FrFSKpower");
    FrASK = named(new QGroupBox(QStringLiteral("PA Output Power ASK Mode")), "FrASK");
    cmbModulation = namedList("cmbModulation",
                              {QStringLiteral("FSK"), QStringLiteral("GFSK"), QStringLiteral("ASK"),
                               QStringLiteral("OOK"), QStringLiteral("GOOK")},
                              QStringLiteral("FSK"));
    cmbDemod = namedList("cmbDemod", {QStringLiteral("2FSK Linear"),
                                      QStringLiteral("2FSK Correlator"), QStringLiteral("ASK")});
    cmbDemod->setToolTip(QStringLiteral("Correlator/Linear for FSK GFSK only"));
    cmbIFBW = namedList(
        "cmbIFBW", {QStringLiteral("100kHz"), QStringLiteral("150kHz"), QStringLiteral("200kHz")});
    Chgpumpvalue = namedList("Chgpumpvalue",
                             {QStringLiteral("Icp = 0.3mA"), QStringLiteral("Icp = 0.9mA"),
                              QStringLiteral("Icp = 1.5mA"), QStringLiteral("Icp = 2.1mA")},
                             QStringLiteral("Icp = 1.5mA"));
    cmbTestdata = namedList("cmbTestdata",
                            {QStringLiteral("Off"), QStringLiteral("Tx PN9 sequence"),
                             QStringLiteral("Toggle Invert TxData bit")},
                            QStringLiteral("Off"));
    OSC_EN = namedToggle("OSC_EN");
    PA_EN = namedToggle("PA_EN");
    chkInductor =
        named(new QCheckBox(QStringLiteral("Pellion-1 (External Inductor)")), "chkInductor");
    // The chip starts in transmit (TxRxField 0).
    const evalkit::DirectionButtons direction = evalkit::directionButtons(false);
    optRx = direction.optRx;
    optTx = direction.optTx;

    paLevel = evalkit::levelBar("HScroll2", 48, 140);
    LblFSKpower = namedLabel("LblFSKpower", QStringLiteral("Setting 48"));
    HScrollASKFine1 = evalkit::levelBar("HScrollASKFine1", 0, 140);
    Lblpower1 = namedLabel("Lblpower1", QStringLiteral("PA High Level (=1)"));
    HScrollOOKfine1 = evalkit::levelBar("HScrollOOKfine1", 0, 140);
    Lblpower0 = namedLabel("Lblpower0", QStringLiteral("PA Low Leve (=0)"));
    lblOOKmin = namedLabel("lblOOKmin", QStringLiteral("-16dBm"));
    lblOOKmax = namedLabel("lblOOKmax", QStringLiteral("+13dBm"));

    TxtFSKdev = named(new QLineEdit(QStringLiteral("20")), "TxtFSKdev");
    txtDatarate = named(new QLineEdit(QStringLiteral("10")), "txtDatarate");
    for (auto* e : {TxtFSKdev, txtDatarate})
        e->setMaximumWidth(90);
    desiredDeviationCaption = namedLabel("Label26", QStringLiteral("Desired Deviation "));
    actualDeviationCaption = namedLabel("Label28", QStringLiteral("Actual Deviation"));
    Lblfskdev = namedLabel("Lblfskdev", QString());
    demodBandwidthCaption = namedLabel("Label25", QStringLiteral("DemodBW"));
    lblDemodBW = namedLabel("lblDemodBW", QString());
    txRxClockCaption = namedLabel("Label10", QStringLiteral("TxRx Clock"));
    lblRxCLK = namedLabel("lblRxCLK", QString());
    // No modulation shows the demodulator bandwidth, and the ASK power frame only ASK and
    // OOK.
    demodBandwidthCaption->setVisible(false);
    lblDemodBW->setVisible(false);
    FrASK->setVisible(false);
}

void Main::buildLayout() {
    // First column: the board and the synthesizer.
    auto* left = new QVBoxLayout;
    QGridLayout* boardGrid = evalkit::boardGrid(QStringLiteral("Eval Board"),
                                                {cmbMB, ConnectUSB, Synth_EN, chipEnableCaption});
    boardGrid->addWidget(new QLabel(QStringLiteral("Device in Use")), 2, 0);
    boardGrid->addWidget(devinuse, 2, 1, 1, 2);
    boardGrid->addWidget(new QLabel(QStringLiteral("Silicon Revision")), 3, 0);
    boardGrid->addWidget(Labelrev, 3, 1, 1, 2);
    boardGrid->addWidget(cmdReadback, 4, 0, 1, 3);
    left->addWidget(boardGrid->parentWidget());

    QGridLayout* synthGrid = evalkit::synthesizerGrid(QStringLiteral("RF Channel"), lblvcofreq,
                                                      lblpfd_freq, lblcrystal, cmdSynthform);
    synthGrid->addWidget(new QLabel(QStringLiteral("Charge Pump Current")), 4, 0);
    synthGrid->addWidget(Chgpumpvalue, 4, 1);
    auto* mode = new QGroupBox(QStringLiteral("Mode"));
    auto* modeGrid = new QGridLayout(mode);
    modeGrid->addWidget(optRx, 0, 0);
    modeGrid->addWidget(optTx, 0, 1);
    modeGrid->addWidget(chkInductor, 1, 0, 1, 2);
    synthGrid->addWidget(mode, 5, 0, 1, 2);
    left->addWidget(synthGrid->parentWidget());

    left->addStretch();

    // Second column: modulation, the power amplifier frames and the power-down switches. The
    // columns are short enough that on a small screen at 125 % text the panel scrolls only
    // sideways.
    auto* middle = new QVBoxLayout;
    auto* fsk = new QGridLayout(FrFSK);
    fsk->addWidget(cmbModulation, 0, 0, 1, 3);
    deviationUnit_ = new QLabel(QStringLiteral("kHz"));
    actualDeviationUnit_ = new QLabel(QStringLiteral("kHz"));
    fsk->addWidget(desiredDeviationCaption, 1, 0);
    fsk->addWidget(TxtFSKdev, 1, 1);
    fsk->addWidget(deviationUnit_, 1, 2);
    fsk->addWidget(actualDeviationCaption, 2, 0);
    fsk->addWidget(Lblfskdev, 2, 1);
    fsk->addWidget(actualDeviationUnit_, 2, 2);
    fsk->addWidget(new QLabel(QStringLiteral("Data Rate")), 3, 0);
    fsk->addWidget(txtDatarate, 3, 1);
    fsk->addWidget(new QLabel(QStringLiteral("kbps")), 3, 2);
    fsk->addWidget(demodBandwidthCaption, 4, 0);
    fsk->addWidget(lblDemodBW, 4, 1);
    fsk->addWidget(txRxClockCaption, 5, 0);
    fsk->addWidget(lblRxCLK, 5, 1);
    fsk->addWidget(new QLabel(QStringLiteral("Test Data")), 6, 0);
    fsk->addWidget(cmbTestdata, 6, 1, 1, 2);
    middle->addWidget(FrFSK);

    auto* fskPower = new QGridLayout(FrFSKpower);
    fskPower->addWidget(paLevel, 0, 0);
    fskPower->addWidget(LblFSKpower, 0, 1);
    middle->addWidget(FrFSKpower);

    auto* ask = new QGridLayout(FrASK);
    ask->addWidget(Lblpower1, 0, 0, 1, 3);
    ask->addWidget(HScrollASKFine1, 1, 0, 1, 3);
    ask->addWidget(Lblpower0, 2, 0, 1, 3);
    ask->addWidget(lblOOKmin, 3, 0);
    ask->addWidget(HScrollOOKfine1, 3, 1);
    ask->addWidget(lblOOKmax, 3, 2);
    middle->addWidget(FrASK);
    middle->addWidget(evalkit::switchFrame(
        QStringLiteral(" PowerDown/Bias Currents"),
        {{QStringLiteral("Crystal Oscillator"), OSC_EN}, {QStringLiteral("PA"), PA_EN}},
        cmdAdvanced));
    middle->addStretch();

    // Third column: the receiver and the status buttons of the feature windows.
    QVBoxLayout* receiver = evalkit::receiverColumn(
        {{QStringLiteral("Demodulator"), cmbDemod}, {QStringLiteral("IF BandWidth"), cmbIFBW}},
        advancedDemod,
        {{QStringLiteral("AFC"), afcStatus},
         {QStringLiteral("AGC"), agcStatus},
         {QStringLiteral("IF Filter Cal"), ifFilterCalStatus},
         {QStringLiteral("Sync Word Detect"), syncWordStatus},
         {QStringLiteral("Mux Out"), LblMuxOut},
         {QStringLiteral("Clock Out"), LblClockout}});

    // Fourth column: every register read-out beside its Update button.
    setColumns({left, middle, receiver, registerColumn(cmdUpdateAll, manualRegisterEdit)});
}

void Main::buildMenus() {
    // The Help items open nothing in this program.
    addMenus(settingsWindows(app_),
             {
                 {"mnuOptions", QStringLiteral("&Options"), {}},
                 {"mnuHelp",
                  QStringLiteral("&Help"),
                  {{&mnuRevHistory, "mnuRevHistory", QStringLiteral("&Revision History")},
                   {&mnuRev, "mnuRev", QStringLiteral("&About this Revision")}}},
             });
}

void Main::connectHandlers() {
    connectRegisterButtons(cmdUpdateAll, {0, 1, 2, 3, 4, 6, 5});

    connect(Synth_EN, &platform::Toggle::toggled, this, &Main::Synth_EN_Change);
    app_.entries().watch(txtDatarate, {QStringLiteral("data rate"), QStringLiteral("kbps")},
                         [this] { txtDatarate_Change(); });
    app_.entries().watch(TxtFSKdev, {QStringLiteral("deviation"), QStringLiteral("kHz")},
                         [this] { TxtFSKdev_Change(); });

    const auto onIndex = [this](QComboBox* list, void (Main::*handler)()) {
        platform::onChoice(list, this, handler);
    };
    onIndex(cmbModulation, &Main::cmbModulation_Click);
    onIndex(cmbDemod, &Main::cmbDemod_Click);
    onIndex(cmbIFBW, &Main::cmbIFBW_Click);
    onIndex(Chgpumpvalue, &Main::Chgpumpvalue_Click);
    onIndex(cmbTestdata, &Main::cmbTestdata_Click);
    connect(OSC_EN, &platform::Toggle::toggled, this, &Main::OSC_EN_Change);
    connect(PA_EN, &platform::Toggle::toggled, this, &Main::PA_EN_Change);
    connect(paLevel, &QScrollBar::valueChanged, this, &Main::paLevel_Change);
    connect(HScrollASKFine1, &QScrollBar::valueChanged, this, &Main::HScrollASKFine1_Change);
    connect(HScrollOOKfine1, &QScrollBar::valueChanged, this, &Main::HScrollOOKfine1_Change);
    connect(chkInductor, &QCheckBox::toggled, this, &Main::chkInductor_Click);
    evalkit::connectDirection(
        this, app_, {optRx, optTx}, app_.f().TxRxField,
        [this] { return evalkit::planSynthesizer(app_); }, [this] { TxtFSKdev_Change(); });

    // Every window opens modally but the bias window (the menus open theirs). The IF filter
    // calibration status button opens the AFC window.
    opensModal({cmdSynthform, lblvcofreq, lblpfd_freq, lblcrystal},
               [this] { return &app_.synthform(); });
    opensModal({cmdReadback}, [this] { return &app_.frmReadback(); });
    opensModal({manualRegisterEdit}, [this] { return &app_.frmRegisters(); });
    opensModal({advancedDemod}, [this] { return &app_.frmDemod(); });
    opensModeless({cmdAdvanced}, [this] { return &app_.biasWindow(); });
    opensModal({syncWordStatus}, [this] { return &app_.frmSWD(); });
    opensModal({ifFilterCalStatus, afcStatus}, [this] { return &app_.frmAFC(); });
    opensModal({agcStatus}, [this] { return &app_.frmAGC(); });
    opensModal({LblClockout}, [this] { return &app_.frmClockOut(); });
    opensModal({LblMuxOut}, [this] { return &app_.muxform(); });
}

} // namespace pellion
