#include "corvane/frontpanel.h"

#include "corvane/calc/datarate.h"
#include "corvane/calc/deviation.h"
#include "corvane/corvaneapp.h"
#include "corvane/descriptions.h"
#include "corvane/settingsfile.h"
#include "corvane/windows.h"
#include "corvane/zantrelfile.h"
#include "evalkit/boardframe.h"
#include "evalkit/boardsession.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/listchoice.h"
#include "platform/named.h"

#include <QAction>
#include <QCloseEvent>
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

namespace corvane {

using platform::named;
using platform::namedButton;
using platform::namedLabel;
using platform::namedList;
using platform::namedToggle;

Main::Main(CorvaneApp& app)
    : ZantrelPanel(app, app.variant().windowCaption, ImportSettings, ExportSettings,
                   WriteZantrelIni),
      app_(app) {
    buildControls();
    buildLayout();
    buildMenus();
    startSession(boardRules(), {cmbMB, ConnectUSB, chipEnable, {chipEnableCaption}});
    connectHandlers();
}

Main::~Main() = default;

void Main::buildControls() {
    // The read-outs (R0..R6, R9..R13) as the register table lists them.
    registers_.build({}, registerRows());
    cmdUpdateAll = namedButton("cmdUpdateAll", QStringLiteral("Program Register 0 to 4 "));

    lblvcofreq = named(new platform::ClickableLabel(QStringLiteral("VCO Frequency")), "lblvcofreq");
    lblpfd_freq = named(new platform::ClickableLabel(QStringLiteral("Choose Comparison Freq")),
                        "lblpfd_freq");
    lblcrystal =
        named(new platform::ClickableLabel(QStringLiteral("Choose Crystal Freq")), "lblcrystal");

    FrDevice = named(new QGroupBox(QStringLiteral("Device In Use")), "FrDevice");
    device = namedLabel("device", app_.variant().deviceName);

    const QString parallelBoard = QStringLiteral("Quorrabase (Parallel Port Interface)");
    const evalkit::BoardWidgets board =
        evalkit::boardWidgets({{parallelBoard, QStringLiteral("Quorrabase2 (USB Interface)")},
                               parallelBoard,
                               QStringLiteral("Click to connect to USB interface"),
                               "Toggle4",
                               "Label50",
                               QStringLiteral("CHIP ENABLE")});
    cmbMB = board.board;
    ConnectUSB = board.connect;
    chipEnable = board.chipEnable;
    chipEnableCaption = board.caption;
    cmbInterface = namedList("cmbInterface", {QStringLiteral("Standard"), QStringLiteral("SPI"),
                                              QStringLiteral("UART")});

    cmdAdvanced = namedButton("cmdAdvanced", QStringLiteral("  Bias Currents     VCO, LNA, Mixer"));
    cmdPARamp = namedButton("cmdPARamp", QStringLiteral("PA Ramp Testing"));
    cmdReadback = namedButton("cmdReadback", QStringLiteral("Readback "));
    cmdSynthform = namedButton("cmdSynthform", QStringLiteral("Synth Settings ... "));
    manualRegisterEdit = namedButton("Command1", QStringLiteral("Manual Register Edit"));
    advancedDemod = namedButton("Command2", QStringLiteral("Advanced Demod"));
    testModesStatus = namedButton("Command5", QStringLiteral("Disabled"));
    afcStatus = namedButton("Command8", QStringLiteral("OFF"));
    agcStatus = namedButton("Command9", QStringLiteral("Auto"));
    ifCalStatus = namedButton("Command10", QStringLiteral("No Cal"));
    syncWordStatus = namedButton("Command11", QStringLiteral("Low"));
    LblClockout = named(new platform::ClickableLabel(QStringLiteral("OFF")), "LblClockout");
    LblMuxOut = named(new platform::ClickableLabel(QStringLiteral("Regulator Ready")), "LblMuxOut");

    FrFSK = named(new QGroupBox(QStringLiteral("Modulation")), "FrFSK");
    FrFSKpower = named(new QGroupBox(QStringLiteral("Power Amplifier")), "FrFSKpower");
    cmbModulation = namedList("cmbModulation",
                              {QStringLiteral("2FSK"), QStringLiteral("GFSK"),
                               QStringLiteral("3FSK"), QStringLiteral("4FSK"),
                               QStringLiteral("Oversampled 2FSK"), QStringLiteral("RC2FSK"),
                               QStringLiteral("RC3FSK"), QStringLiteral("Raised Cosine 4FSK")},
                              QStringLiteral("2FSK"));
    cmbDemod =
        namedList("cmbDemod", {QStringLiteral("2FSK Linear"), QStringLiteral("2FSK Correlator"),
                               QStringLiteral("3FSK"), QStringLiteral("4FSK")});
    cmbDemod->setToolTip(QStringLiteral("Correlator/Linear for FSK GFSK only"));
    cmbIcp = namedList("cmbIcp",
                       {QStringLiteral("Icp = 0.30mA"), QStringLiteral("Icp = 0.90mA"),
                        QStringLiteral("Icp = 1.50mA"), QStringLiteral("Icp = 2.10mA")},
                       QStringLiteral("Icp = 1.50mA"));
    cmbIFBW = namedList("cmbIFBW", app_.variant().ifBandwidths);
    cmb3FSKDetect =
        namedList("cmb3FSKDetect", {QStringLiteral("Viterbi"), QStringLiteral("Threshold")},
                  QStringLiteral("Viterbi"));
    cmbVPathMem = namedList("cmbVPathMem",
                            {QStringLiteral("4 bits"), QStringLiteral("6 bits"),
                             QStringLiteral("8 bits"), QStringLiteral("32 bits")},
                            QStringLiteral("4 bits"));
    gaussianAlpha =
        namedList("Combo1", {QStringLiteral("0.5"), QStringLiteral("0.7")}, QStringLiteral("0.5"));
    cmbTestdata = namedList("cmbTestdata",
                            {QStringLiteral("Off"), QStringLiteral("Tx Carrier"),
                             QStringLiteral("Tx +ve Tone"), QStringLiteral("Tx -ve Tone"),
                             QStringLiteral("Tx \"1010\" pattern"), QStringLiteral("Tx PN9 data"),
                             QStringLiteral("Tx Sync Byte")},
                            QStringLiteral("Off"));
    cmbTestdata->setToolTip(
        QStringLiteral("Use the internal test data generator to test modulation. Automatically "
                       "writes to Test register 15 once selected to enable modulation."));
    cmbVCO =
        namedList("cmbVCO", {QStringLiteral("Internal L VCO"), QStringLiteral("External L VCO")});
    dataRateCaption = namedLabel("Label23", QStringLiteral("Data Rate"));
    dataRateUnit = namedLabel("Label36_2", QStringLiteral("kbps"));
    deviationCaption = namedLabel("Label26", QStringLiteral("Desired Deviation"));
    threeFskDetectCaption = namedLabel("Label43", QStringLiteral("3FSK Detector"));
    viterbiPathMemoryCaption = namedLabel("Label44", QStringLiteral("Viterbi Path Memory"));
    LblFSKpower = namedLabel("LblFSKpower", QStringLiteral("Setting 48"));
    Lblfskdev = namedLabel("Lblfskdev", QString());
    lblRxCLK = namedLabel("lblRxCLK", QString());
    lblDemodBW = namedLabel("lblDemodBW", QString());
    paLevel = evalkit::levelBar("HScroll2", 48);
    const evalkit::DirectionButtons direction = evalkit::directionButtons(true); // receive
    optRx = direction.optRx;
    optTx = direction.optTx;
    TogCrystal = namedToggle("TogCrystal");
    synthEnable = namedToggle("Toggle1");
    vcoEnable = namedToggle("Toggle2");
    paEnable = namedToggle("Toggle3");
    txtDatarate = named(new QLineEdit(QStringLiteral("4")), "txtDatarate");
    TxtFSKdev = named(new QLineEdit(QStringLiteral("2")), "TxtFSKdev");
    for (auto* e : {txtDatarate, TxtFSKdev})
        e->setMaximumWidth(90);
    // The 3FSK controls are shown only with a 3FSK modulation.
    for (QWidget* w : {static_cast<QWidget*>(cmb3FSKDetect), static_cast<QWidget*>(cmbVPathMem),
                       static_cast<QWidget*>(threeFskDetectCaption),
                       static_cast<QWidget*>(viterbiPathMemoryCaption)})
        w->setVisible(false);
    gaussianAlpha->setEnabled(false);
}

void Main::buildLayout() {
    // Left column: the device, the board and the synthesizer.
    auto* left = new QVBoxLayout;
    auto* deviceRow = new QHBoxLayout(FrDevice);
    QFont deviceFont = device->font();
    deviceFont.setBold(true);
    device->setFont(deviceFont);
    deviceRow->addWidget(device);
    left->addWidget(FrDevice);
    QGridLayout* boardGrid = evalkit::boardGrid(QStringLiteral("&Motherboard"),
                                                {cmbMB, ConnectUSB, chipEnable, chipEnableCaption});
    auto* ifLabel = new QLabel(QStringLiteral("Data &Interface"));
    ifLabel->setBuddy(cmbInterface);
    boardGrid->addWidget(ifLabel, 2, 0);
    boardGrid->addWidget(cmbInterface, 2, 1, 1, 2);
    left->addWidget(boardGrid->parentWidget());

    QGridLayout* synthGrid = evalkit::synthesizerGrid(QStringLiteral("RF Channel"), lblvcofreq,
                                                      lblpfd_freq, lblcrystal, cmdSynthform);
    synthGrid->addWidget(cmbVCO, 4, 0, 1, 2);
    synthGrid->addWidget(cmbIcp, 5, 0, 1, 2);
    synthGrid->addWidget(new QLabel(QStringLiteral("Crystal Oscillator")), 6, 0);
    synthGrid->addWidget(TogCrystal, 6, 1);
    auto* direction = new QHBoxLayout;
    direction->addWidget(optRx);
    direction->addWidget(optTx);
    synthGrid->addLayout(direction, 7, 0, 1, 2);
    left->addWidget(synthGrid->parentWidget());

    left->addStretch();

    // Second column: modulation, the power amplifier and the power-down switches. The columns
    // are short enough that on a small screen at 125 % text the panel scrolls only sideways.
    auto* middle = new QVBoxLayout;
    auto* fsk = new QGridLayout(FrFSK);
    fsk->addWidget(cmbModulation, 0, 0, 1, 3);
    fsk->addWidget(new QLabel(QStringLiteral("Raised Cosine Alpha")), 1, 0);
    fsk->addWidget(gaussianAlpha, 1, 1, 1, 2);
    fsk->addWidget(dataRateCaption, 2, 0);
    fsk->addWidget(txtDatarate, 2, 1);
    fsk->addWidget(dataRateUnit, 2, 2);
    fsk->addWidget(new QLabel(QStringLiteral("Actual Data Rate")), 3, 0);
    fsk->addWidget(lblRxCLK, 3, 1);
    fsk->addWidget(deviationCaption, 4, 0);
    fsk->addWidget(TxtFSKdev, 4, 1);
    fsk->addWidget(new QLabel(QStringLiteral("kHz")), 4, 2);
    fsk->addWidget(new QLabel(QStringLiteral("Actual Deviation")), 5, 0);
    fsk->addWidget(Lblfskdev, 5, 1);
    fsk->addWidget(new QLabel(QStringLiteral("kHz")), 5, 2);
    fsk->addWidget(new QLabel(QStringLiteral("Internal Test Data")), 6, 0);
    fsk->addWidget(cmbTestdata, 6, 1, 1, 2);
    middle->addWidget(FrFSK);

    auto* pa = new QGridLayout(FrFSKpower);
    pa->addWidget(new QLabel(QStringLiteral("PA Level")), 0, 0);
    pa->addWidget(paLevel, 0, 1);
    pa->addWidget(LblFSKpower, 0, 2);
    pa->addWidget(cmdPARamp, 1, 0, 1, 3);
    middle->addWidget(FrFSKpower);
    middle->addWidget(evalkit::switchFrame(QStringLiteral(" PowerDown/Bias Currents"),
                                           {{QStringLiteral("Synth"), synthEnable},
                                            {QStringLiteral("VCO"), vcoEnable},
                                            {QStringLiteral("PA"), paEnable}},
                                           cmdAdvanced));
    middle->addStretch();

    // Third column: the receiver and the status buttons of the feature windows. The 3FSK
    // rows come and go here, in a column shorter than the first, so the panel keeps within
    // a 1366x768 screen in every modulation.
    QVBoxLayout* receiver =
        evalkit::receiverColumn({{QStringLiteral("Demodulator"), cmbDemod},
                                 {QStringLiteral("IF Filter B/W"), cmbIFBW},
                                 {threeFskDetectCaption, cmb3FSKDetect},
                                 {viterbiPathMemoryCaption, cmbVPathMem},
                                 {QStringLiteral("Post Demod BW (kHz)"), lblDemodBW}},
                                advancedDemod,
                                {{QStringLiteral("AFC"), afcStatus},
                                 {QStringLiteral("AGC"), agcStatus},
                                 {QStringLiteral("IF Filter Cal"), ifCalStatus},
                                 {QStringLiteral("Sync Word Detect"), syncWordStatus},
                                 {QStringLiteral("Test Modes"), testModesStatus},
                                 {QStringLiteral("Mux Out"), LblMuxOut},
                                 {QStringLiteral("Clock Out"), LblClockout}},
                                cmdReadback);

    // Right column: every register read-out beside its Update button.
    setColumns({left, middle, receiver, registerColumn(cmdUpdateAll, manualRegisterEdit)});
}

void Main::buildMenus() {
    addMenus(settingsWindows(app_),
             {
                 {"mnuOptions",
                  QStringLiteral("&Options"),
                  {{&portmenu, "portmenu", QStringLiteral("&Port"),
                    showsModal([this] { return &app_.portform(); })}}},
                 {"mnuHelp",
                  QStringLiteral("&Help"),
                  {{&mnuRevHistory, "mnuRevHistory", QStringLiteral("&Revision History"),
                    showsModal([this] { return &app_.revform(); })},
                   {&mnuRev, "mnuRev", app_.variant().aboutMenuCaption,
                    showsModal([this] { return &app_.aboutform(); })},
                   {&mnuIBM, "mnuIBM", QStringLiteral("&IBM Thinkpad Help"),
                    showsModal([this] { return &app_.IBMhelpform(); })}}},
             });
}

void Main::connectHandlers() {
    connectRegisterButtons(cmdUpdateAll, {1, 3, 0, 4, 2});

    const auto onIndex = [this](QComboBox* c, void (Main::*handler)()) {
        platform::onChoice(c, this, handler);
    };
    onIndex(cmbInterface, &Main::cmbInterface_Click);
    onIndex(cmbModulation, &Main::cmbModulation_Click);
    onIndex(cmbDemod, &Main::cmbDemod_Click);
    onIndex(cmbIcp, &Main::cmbIcp_Click);
    onIndex(cmbIFBW, &Main::cmbIFBW_Click);
    onIndex(cmb3FSKDetect, &Main::cmb3FSKDetect_Click);
    onIndex(cmbVPathMem, &Main::cmbVPathMem_Click);
    onIndex(gaussianAlpha, &Main::gaussianAlpha_Click);
    onIndex(cmbTestdata, &Main::cmbTestdata_Click);
    onIndex(cmbVCO, &Main::cmbVCO_Click);
    connect(chipEnable, &platform::Toggle::toggled, this, &Main::chipEnable_Change);
    connect(TogCrystal, &platform::Toggle::toggled, this, &Main::TogCrystal_Change);
    connect(synthEnable, &platform::Toggle::toggled, this, &Main::synthEnable_Change);
    connect(vcoEnable, &platform::Toggle::toggled, this, &Main::vcoEnable_Change);
    connect(paEnable, &platform::Toggle::toggled, this, &Main::paEnable_Change);
    connect(paLevel, &QScrollBar::valueChanged, this, &Main::paLevel_Change);
    evalkit::connectDirection(
        this, app_, {optRx, optTx}, app_.f().TxRxField,
        [this] { return evalkit::planSynthesizer(app_); }, [this] { TxtFSKdev_Change(); });
    app_.entries().watch(txtDatarate, {QStringLiteral("data rate"), {}, dataRateUnit},
                         [this] { txtDatarate_Change(); });
    app_.entries().watch(TxtFSKdev, {QStringLiteral("deviation"), QStringLiteral("kHz")},
                         [this] { TxtFSKdev_Change(); });

    // The windows the panel's buttons and labels open (the menus open theirs); the bias and
    // AFC windows stay beside the panel.
    opensModal({cmdSynthform, lblvcofreq, lblpfd_freq, lblcrystal},
               [this] { return &app_.synthform(); });
    opensModeless({cmdAdvanced}, [this] { return &app_.biasWindow(); });
    opensModal({cmdPARamp}, [this] { return &app_.frmPARamp(); });
    opensModal({cmdReadback}, [this] { return &app_.frmReadback(); });
    opensModal({manualRegisterEdit}, [this] { return &app_.frmRegisters(); });
    opensModal({advancedDemod}, [this] { return &app_.frmDemod(); });
    opensModal({testModesStatus}, [this] { return &app_.frmTestModes(); });
    opensModeless({afcStatus}, [this] { return &app_.frmAFC(); });
    opensModal({agcStatus}, [this] { return &app_.frmAGC(); });
    opensModal({ifCalStatus}, [this] { return &app_.frmIFCal(); });
    opensModal({syncWordStatus}, [this] { return &app_.frmSWD(); });
    opensModal({LblClockout}, [this] { return &app_.frmClockOut(); });
    opensModal({LblMuxOut}, [this] { return &app_.muxform(); });
}

} // namespace corvane
