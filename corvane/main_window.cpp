#include "corvane/main_window.h"

#include "corvane/calc/datarate.h"
#include "corvane/calc/deviation.h"
#include "corvane/corvaneapp.h"
#include "corvane/importexport.h"
#include "corvane/windows.h"
#include "platform/entrymark.h"
#include "platform/named.h"
#include "platform/numbers.h"

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

namespace {

using platform::named;

QPushButton* button(const char* name, const QString& caption) {
    return platform::namedButton(name, caption);
}

QLabel* label(const char* name, const QString& caption) {
    return platform::namedLabel(name, caption);
}

QComboBox* list(const char* name, const QStringList& items, const QString& designText = {}) {
    return platform::namedList(name, items, designText);
}

platform::Toggle* toggle(const char* name) {
    return platform::namedToggle(name);
}

constexpr int32_t bit(int n) {
    return int32_t(1) << n;
}

} // namespace

Main::Main(CorvaneApp& app) : QMainWindow(nullptr), app_(app) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Corvane Evaluation Software"));
    buildControls();
    buildLayout();
    buildMenus();
    connectHandlers();
}

Main::~Main() = default;

void Main::buildControls() {
    auto readout = [](const char* name) {
        return named(new link::RegisterReadout, name);
    };
    lblNhex = readout("lblNhex");
    lblOSChex = readout("lblOSChex");
    lblMODhex = readout("lblMODhex");
    lblRxCLKhex = readout("lblRxCLKhex");
    lblDEMODhex = readout("lblDEMODhex");
    lblSyncHex = readout("lblSyncHex");
    lblT4hex = readout("lblT4hex");
    lblAGC9hex = readout("lblAGC9hex");
    lbltest10hex = readout("lbltest10hex");
    lbltest11hex = readout("lbltest11hex");
    lbltest12hex = readout("lbltest12hex");
    lblTFSK13hex = readout("lblTFSK13hex");
    const QString update = QStringLiteral("Update");
    cmdN = button("cmdN", update);
    cmdOsc = button("cmdOsc", update);
    cmdTransmit = button("cmdTransmit", update);
    cmdRxClk = button("cmdRxClk", update);
    cmdDemod = button("cmdDemod", update);
    cmdSync = button("cmdSync", update);
    cmdT4 = button("cmdT4", update);
    cmdReg9 = button("cmdReg9", update);
    cmdReg10 = button("cmdReg10", update);
    cmdReg11 = button("cmdReg11", update);
    Command4 = button("Command4", update);
    cmdReg13 = button("cmdReg13", update);
    cmdUpdateAll = button("cmdUpdateAll", QStringLiteral("Program Register 0 to 4 "));

    lblvcofreq = named(new platform::ClickableLabel(QStringLiteral("VCO Frequency")), "lblvcofreq");
    lblpfd_freq = named(new platform::ClickableLabel(QStringLiteral("Choose Comparison Freq")),
                        "lblpfd_freq");
    lblcrystal =
        named(new platform::ClickableLabel(QStringLiteral("Choose Crystal Freq")), "lblcrystal");

    cmbMB = list("cmbMB",
                 {QStringLiteral("Quorrabase (Parallel Port Interface)"),
                  QStringLiteral("Quorrabase2 (USB Interface)")},
                 QStringLiteral("Quorrabase (Parallel Port Interface)"));
    ConnectUSB = button("ConnectUSB", QStringLiteral("Connect USB"));
    ConnectUSB->setToolTip(QStringLiteral("Click to connect to USB interface"));
    Label50 = label("Label50", QStringLiteral("CHIP ENABLE"));
    Toggle4 = toggle("Toggle4");
    cmbInterface = list("cmbInterface", {QStringLiteral("Standard"), QStringLiteral("SPI"),
                                         QStringLiteral("UART")});

    cmdAdvanced = button("cmdAdvanced", QStringLiteral("  Bias Currents     VCO, LNA, Mixer"));
    cmdPARamp = button("cmdPARamp", QStringLiteral("PA Ramp Testing"));
    cmdReadback = button("cmdReadback", QStringLiteral("Readback "));
    cmdSynthform = button("cmdSynthform", QStringLiteral("Synth Settings ... "));
    Command1 = button("Command1", QStringLiteral("Manual Register Edit"));
    Command2 = button("Command2", QStringLiteral("Advanced Demod"));
    Command5 = button("Command5", QStringLiteral("Disabled"));
    Command8 = button("Command8", QStringLiteral("OFF"));
    Command9 = button("Command9", QStringLiteral("Auto"));
    Command10 = button("Command10", QStringLiteral("No Cal"));
    Command11 = button("Command11", QStringLiteral("Low"));
    LblClockout = named(new platform::ClickableLabel(QStringLiteral("OFF")), "LblClockout");
    LblMuxOut = named(new platform::ClickableLabel(QStringLiteral("Regulator Ready")), "LblMuxOut");

    FrFSK = named(new QGroupBox(QStringLiteral("Modulation")), "FrFSK");
    FrFSKpower = named(new QGroupBox(QStringLiteral("Power Amplifier")), "FrFSKpower");
    cmbModulation =
        list("cmbModulation",
             {QStringLiteral("2FSK"), QStringLiteral("GFSK"), QStringLiteral("3FSK"),
              QStringLiteral("4FSK"), QStringLiteral("Oversampled 2FSK"), QStringLiteral("RC2FSK"),
              QStringLiteral("RC3FSK"), QStringLiteral("Raised Cosine 4FSK")},
             QStringLiteral("2FSK"));
    cmbDemod = list("cmbDemod", {QStringLiteral("2FSK Linear"), QStringLiteral("2FSK Correlator"),
                                 QStringLiteral("3FSK"), QStringLiteral("4FSK")});
    cmbDemod->setToolTip(QStringLiteral("Correlator/Linear for FSK GFSK only"));
    cmbIcp = list("cmbIcp",
                  {QStringLiteral("Icp = 0.30mA"), QStringLiteral("Icp = 0.90mA"),
                   QStringLiteral("Icp = 1.50mA"), QStringLiteral("Icp = 2.10mA")},
                  QStringLiteral("Icp = 1.50mA"));
    cmbIFBW = list("cmbIFBW",
                   {QStringLiteral("12kHz"), QStringLiteral("18kHz"), QStringLiteral("25kHz")});
    cmb3FSKDetect = list("cmb3FSKDetect", {QStringLiteral("Viterbi"), QStringLiteral("Threshold")},
                         QStringLiteral("Viterbi"));
    cmbVPathMem = list("cmbVPathMem",
                       {QStringLiteral("4 bits"), QStringLiteral("6 bits"),
                        QStringLiteral("8 bits"), QStringLiteral("32 bits")},
                       QStringLiteral("4 bits"));
    Combo1 = list("Combo1", {QStringLiteral("0.5"), QStringLiteral("0.7")}, QStringLiteral("0.5"));
    cmbTestdata =
        list("cmbTestdata",
             {QStringLiteral("Off"), QStringLiteral("Tx Carrier"), QStringLiteral("Tx +ve Tone"),
              QStringLiteral("Tx -ve Tone"), QStringLiteral("Tx \"1010\" pattern"),
              QStringLiteral("Tx PN9 data"), QStringLiteral("Tx Sync Byte")},
             QStringLiteral("Off"));
    cmbTestdata->setToolTip(
        QStringLiteral("Use the internal test data generator to test modulation. Automatically "
                       "writes to Test register 15 once selected to enable modulation."));
    cmbVCO = list("cmbVCO", {QStringLiteral("Internal L VCO"), QStringLiteral("External L VCO")});
    Label23 = label("Label23", QStringLiteral("Data Rate"));
    Label36_2 = label("Label36_2", QStringLiteral("kbps"));
    Label26 = label("Label26", QStringLiteral("Desired Deviation"));
    Label43 = label("Label43", QStringLiteral("3FSK Detector"));
    Label44 = label("Label44", QStringLiteral("Viterbi Path Memory"));
    LblFSKpower = label("LblFSKpower", QStringLiteral("Setting 48"));
    Lblfskdev = label("Lblfskdev", QString());
    lblRxCLK = label("lblRxCLK", QString());
    lblDemodBW = label("lblDemodBW", QString());
    HScroll2 = named(new QScrollBar(Qt::Horizontal), "HScroll2");
    {
        const QSignalBlocker block(HScroll2);
        HScroll2->setRange(0, 63);
        HScroll2->setValue(48);
    }
    optRx = named(new QRadioButton(QStringLiteral("Rx")), "optRx");
    optTx = named(new QRadioButton(QStringLiteral("Tx")), "optTx");
    optRx->setChecked(true); // the chip starts in receive
    TogCrystal = toggle("TogCrystal");
    Toggle1 = toggle("Toggle1");
    Toggle2 = toggle("Toggle2");
    Toggle3 = toggle("Toggle3");
    txtDatarate = named(new QLineEdit(QStringLiteral("4")), "txtDatarate");
    TxtFSKdev = named(new QLineEdit(QStringLiteral("2")), "TxtFSKdev");
    for (auto* e : {txtDatarate, TxtFSKdev})
        e->setMaximumWidth(90);
    // The 3FSK controls are shown only with a 3FSK modulation.
    for (QWidget* w : {static_cast<QWidget*>(cmb3FSKDetect), static_cast<QWidget*>(cmbVPathMem),
                       static_cast<QWidget*>(Label43), static_cast<QWidget*>(Label44)})
        w->setVisible(false);
    Combo1->setEnabled(false);
}

void Main::buildLayout() {
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* columns = new QHBoxLayout(central);

    // Left column: board, synthesizer and power-down switches.
    auto* left = new QVBoxLayout;
    auto* board = new QGroupBox(QStringLiteral("Evaluation Board"));
    auto* boardGrid = new QGridLayout(board);
    boardGrid->addWidget(new QLabel(QStringLiteral("&Motherboard")), 0, 0);
    boardGrid->addWidget(cmbMB, 0, 1, 1, 2);
    boardGrid->addWidget(ConnectUSB, 1, 0);
    boardGrid->addWidget(Label50, 1, 1, Qt::AlignRight);
    boardGrid->addWidget(Toggle4, 1, 2);
    auto* ifLabel = new QLabel(QStringLiteral("Data &Interface"));
    ifLabel->setBuddy(cmbInterface);
    boardGrid->addWidget(ifLabel, 2, 0);
    boardGrid->addWidget(cmbInterface, 2, 1, 1, 2);
    qobject_cast<QLabel*>(boardGrid->itemAtPosition(0, 0)->widget())->setBuddy(cmbMB);
    left->addWidget(board);

    auto* synth = new QGroupBox(QStringLiteral("Synthesizer"));
    auto* synthGrid = new QGridLayout(synth);
    synthGrid->addWidget(new QLabel(QStringLiteral("RF Channel")), 0, 0);
    synthGrid->addWidget(lblvcofreq, 0, 1);
    synthGrid->addWidget(new QLabel(QStringLiteral("PFD")), 1, 0);
    synthGrid->addWidget(lblpfd_freq, 1, 1);
    synthGrid->addWidget(new QLabel(QStringLiteral("Crystal")), 2, 0);
    synthGrid->addWidget(lblcrystal, 2, 1);
    synthGrid->addWidget(cmdSynthform, 3, 0, 1, 2);
    synthGrid->addWidget(cmbVCO, 4, 0, 1, 2);
    synthGrid->addWidget(cmbIcp, 5, 0, 1, 2);
    synthGrid->addWidget(new QLabel(QStringLiteral("Crystal Oscillator")), 6, 0);
    synthGrid->addWidget(TogCrystal, 6, 1);
    auto* direction = new QHBoxLayout;
    direction->addWidget(optRx);
    direction->addWidget(optTx);
    synthGrid->addLayout(direction, 7, 0, 1, 2);
    left->addWidget(synth);

    auto* power = new QGroupBox(QStringLiteral(" PowerDown/Bias Currents"));
    auto* powerGrid = new QGridLayout(power);
    powerGrid->addWidget(new QLabel(QStringLiteral("Synth")), 0, 0);
    powerGrid->addWidget(Toggle1, 0, 1);
    powerGrid->addWidget(new QLabel(QStringLiteral("VCO")), 1, 0);
    powerGrid->addWidget(Toggle2, 1, 1);
    powerGrid->addWidget(new QLabel(QStringLiteral("PA")), 2, 0);
    powerGrid->addWidget(Toggle3, 2, 1);
    powerGrid->addWidget(cmdAdvanced, 3, 0, 1, 2);
    left->addWidget(power);
    left->addStretch();

    // Second column: modulation and power amplifier.
    auto* middle = new QVBoxLayout;
    auto* fsk = new QGridLayout(FrFSK);
    fsk->addWidget(cmbModulation, 0, 0, 1, 3);
    fsk->addWidget(new QLabel(QStringLiteral("Raised Cosine Alpha")), 1, 0);
    fsk->addWidget(Combo1, 1, 1, 1, 2);
    fsk->addWidget(Label23, 2, 0);
    fsk->addWidget(txtDatarate, 2, 1);
    fsk->addWidget(Label36_2, 2, 2);
    fsk->addWidget(new QLabel(QStringLiteral("Actual Data Rate")), 3, 0);
    fsk->addWidget(lblRxCLK, 3, 1);
    fsk->addWidget(Label26, 4, 0);
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
    pa->addWidget(HScroll2, 0, 1);
    pa->addWidget(LblFSKpower, 0, 2);
    pa->addWidget(cmdPARamp, 1, 0, 1, 3);
    middle->addWidget(FrFSKpower);
    middle->addStretch();

    // Third column: the receiver and the status buttons of the feature windows. The 3FSK
    // rows come and go here, in a column shorter than the first, so the panel keeps within
    // a 1366x768 screen in every modulation.
    auto* receiver = new QVBoxLayout;
    auto* rx = new QGroupBox(QStringLiteral("Receiver"));
    auto* rxGrid = new QGridLayout(rx);
    rxGrid->addWidget(new QLabel(QStringLiteral("Demodulator")), 0, 0);
    rxGrid->addWidget(cmbDemod, 0, 1);
    rxGrid->addWidget(new QLabel(QStringLiteral("IF Filter B/W")), 1, 0);
    rxGrid->addWidget(cmbIFBW, 1, 1);
    rxGrid->addWidget(Label43, 2, 0);
    rxGrid->addWidget(cmb3FSKDetect, 2, 1);
    rxGrid->addWidget(Label44, 3, 0);
    rxGrid->addWidget(cmbVPathMem, 3, 1);
    rxGrid->addWidget(new QLabel(QStringLiteral("Post Demod BW (kHz)")), 4, 0);
    rxGrid->addWidget(lblDemodBW, 4, 1);
    rxGrid->addWidget(Command2, 5, 0, 1, 2);
    int row = 6;
    auto status = [&](const QString& caption, QWidget* w) {
        rxGrid->addWidget(new QLabel(caption), row, 0);
        rxGrid->addWidget(w, row, 1);
        ++row;
    };
    status(QStringLiteral("AFC"), Command8);
    status(QStringLiteral("AGC"), Command9);
    status(QStringLiteral("IF Filter Cal"), Command10);
    status(QStringLiteral("Sync Word Detect"), Command11);
    status(QStringLiteral("Test Modes"), Command5);
    status(QStringLiteral("Mux Out"), LblMuxOut);
    status(QStringLiteral("Clock Out"), LblClockout);
    rxGrid->addWidget(cmdReadback, row, 0, 1, 2);
    receiver->addWidget(rx);
    receiver->addStretch();

    // Right column: every register read-out beside its Update button.
    auto* regs = new QGroupBox(QStringLiteral("Registers"));
    auto* regGrid = new QGridLayout(regs);
    const std::array<std::pair<int, QPushButton*>, 12> rows{{{0, cmdN},
                                                             {1, cmdOsc},
                                                             {2, cmdTransmit},
                                                             {3, cmdRxClk},
                                                             {4, cmdDemod},
                                                             {5, cmdSync},
                                                             {6, cmdT4},
                                                             {9, cmdReg9},
                                                             {10, cmdReg10},
                                                             {11, cmdReg11},
                                                             {12, Command4},
                                                             {13, cmdReg13}}};
    int r = 0;
    for (const auto& [n, b] : rows) {
        regGrid->addWidget(new QLabel(QStringLiteral("R%1").arg(n)), r, 0);
        regGrid->addWidget(readout(n), r, 1);
        regGrid->addWidget(b, r, 2);
        ++r;
    }
    regGrid->addWidget(cmdUpdateAll, r++, 0, 1, 3);
    regGrid->addWidget(Command1, r++, 0, 1, 3);
    auto* right = new QVBoxLayout;
    right->addWidget(regs);
    right->addStretch();

    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(receiver);
    columns->addLayout(right);
    setCentralWidget(central);
}

void Main::buildMenus() {
    auto item = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuOpen = item(file, "mnuOpen", QStringLiteral("&Get Settings (.txt)"));
    mnuWriteOmbrelle = item(file, "mnuWriteOmbrelle", QStringLiteral("&Save settings (.txt)"));
    mnuSave = item(file, "mnuSave", QStringLiteral("&Modify existing Zantrel (.ini) file"));
    mnuCreatenewini = item(file, "mnuCreatenewini",
                           QStringLiteral("&Create new Zantrel .ini file with MAC defaults"));
    mnuPrint = item(file, "mnuPrint", QStringLiteral("&Print This Form"));
    Exitmenu = item(file, "Exitmenu", QStringLiteral("E&xit"));
    QMenu* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
    settings->setObjectName(QStringLiteral("mnuSettings"));
    crystalmenu = item(settings, "crystalmenu", QStringLiteral("&Synthesizer Settings"));
    mnuSync = item(settings, "mnuSync", QStringLiteral("&Sync Word Detect"));
    mnuReadback = item(settings, "mnuReadback", QStringLiteral("&Readback (AFC/RSSI etc.)"));
    muxmenu = item(settings, "muxmenu", QStringLiteral("&Muxout"));
    mnuClockOut = item(settings, "mnuClockOut", QStringLiteral("&Clock Out Divide"));
    testmenu = item(settings, "testmenu", QStringLiteral("&Test Modes"));
    registermenu = item(settings, "registermenu", QStringLiteral("Re&gisters"));
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    portmenu = item(options, "portmenu", QStringLiteral("&Port"));
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuRevHistory = item(help, "mnuRevHistory", QStringLiteral("&Revision History"));
    mnuRev = item(help, "mnuRev", QStringLiteral("&About this Rev (Rev 3.1)"));
    mnuIBM = item(help, "mnuIBM", QStringLiteral("&IBM Thinkpad Help"));
}

link::RegisterReadout* Main::readout(int n) const {
    switch (n) {
    case 0:
        return lblNhex;
    case 1:
        return lblOSChex;
    case 2:
        return lblMODhex;
    case 3:
        return lblRxCLKhex;
    case 4:
        return lblDEMODhex;
    case 5:
        return lblSyncHex;
    case 6:
        return lblT4hex;
    case 9:
        return lblAGC9hex;
    case 10:
        return lbltest10hex;
    case 11:
        return lbltest11hex;
    case 12:
        return lbltest12hex;
    case 13:
        return lblTFSK13hex;
    default:
        return nullptr;
    }
}

// ---- start-up and shut-down -----------------------------------------------

void Main::Form_Load(const QStringList& arguments) {
    InitialiseBoard();
    // Linux hands over the arguments without the quotes a shell consumed, so
    // join them and strip one pair of surrounding quotes only if present: an
    // unquoted argument is the file name as it stands, however short.
    QString commandLine = arguments.join(QLatin1Char(' '));
    if (commandLine.size() >= 2 && commandLine.startsWith(QLatin1Char('"')) &&
        commandLine.endsWith(QLatin1Char('"')))
        commandLine = commandLine.mid(1, commandLine.size() - 2);
    if (!commandLine.isEmpty())
        ImportSettings(app_, commandLine);
}

void Main::InitialiseBoard() {
    auto& w = app_.w();
    app_.store().setFieldDefaults();
    w.FracN = 16244;
    w.IntegerN = 44;
    w.RDivider = 1;
    w.DemodClockMHz = platform::toSingle(19.68 / 3);
    w.CdrClockKHz = 307.5f;
    w.ActualDeviationKHz = 2.0f;
    w.PortformAddress = 888;
    w.ParallelPortAddress = 888;
    InitialiseFrontPanel();
    app_.synth().CmdCalculate_Click();
    app_.synth().Command1_Click();
    for (auto* r :
         {lblT4hex, lblSyncHex, lblAGC9hex, lbltest10hex, lbltest11hex, lbltest12hex, lblTFSK13hex})
        r->setMark(link::RegisterReadout::Mark::Normal);
    ConnectUSB->setEnabled(false);
    cmbMB->setCurrentIndex(1);
}

void Main::InitialiseFrontPanel() {
    auto& w = app_.w();
    w.RfFrequencyMHz = 869.5;
    w.PfdFrequencyMHz = 19.68;
    w.CrystalFrequencyMHz = 19.68f;
    link::UpdateFrequencyLabels(w, lblvcofreq, lblpfd_freq, lblcrystal);
    TogCrystal->setOn(true);
    cmbInterface->setCurrentIndex(0);
    cmbVCO->setCurrentIndex(0);
    Toggle1->setOn(true);
    Toggle2->setOn(true);
    Toggle3->setOn(true);
    TogCrystal->setOn(true);
    cmbModulation->setCurrentIndex(0);
    cmbDemod->setCurrentIndex(1);
    const auto ifbw =
        platform::toInt32(app_.f().IFFilterBandwidthField / 1073741824.0).value_or(-1);
    cmbIFBW->setCurrentIndex(ifbw);
    FrFSK->setVisible(true);
    FrFSKpower->setVisible(true);
    cmbIFBW->setCurrentIndex(ifbw);
    cmbIcp->setCurrentIndex(app_.f().ChargePumpField / bit(15));
    app_.synth().CmdCalculate_Click();
    app_.synth().Command1_Click();
    TxtFSKdev_Change();
    txtDatarate_Change();
    Toggle4->setOn(true);
}

void Main::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Main::Form_Unload() {
    shutDown();
}

void Main::Exitmenu_Click() {
    shutDown();
}

void Main::shutDown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    switch (cmbMB->currentIndex()) {
    case 0:
        app_.link().port().ReleaseParallelPort(1);
        break;
    case 1:
        app_.link().usb().dd_pellion_chip_sel(0);
        app_.link().usb().rpc_shutdown();
        break;
    default:
        break;
    }
    app_.services().system->endProgram(0);
}

// ---- board choice and USB link --------------------------------------------

void Main::cmbMB_Click() {
    auto& rl = app_.link();
    switch (cmbMB->currentIndex()) {
    case 0: {
        rl.port().ReleaseParallelPort(1);
        if (!ConnectUSB->isHidden()) {
            rl.usb().rpc_shutdown();
            ConnectUSB->setText(QStringLiteral("Connect USB"));
        }
        ConnectUSB->setVisible(false);
        Label50->setVisible(false);
        Toggle4->setVisible(false);
        const int16_t code = rl.GetOsVersionCode();
        if (code == -1) {
            app_.messages().message(QStringLiteral("Failed to determine operating system"),
                                    platform::MsgIcon::Critical, QString());
            return;
        }
        if (code == 351 || code == 400 || code == 2000) {
            if (!rl.OpenParallelPort()) {
                QString text = QStringLiteral("Failed to claim Parallel Port");
                if (!app_.portError().isEmpty())
                    text += QStringLiteral("\n\n") + app_.portError();
                app_.messages().message(text);
                return;
            }
        }
        const int16_t control = rl.PortInByte(link::pins::ControlPort) & 0xD4;
        rl.PortOutByte(link::pins::ControlPort, control);
        break;
    }
    case 1:
        rl.port().ReleaseParallelPort(1);
        ConnectUSB->setVisible(true);
        ConnectUSB->setEnabled(true);
        Label50->setVisible(true);
        Toggle4->setVisible(true);
        rl.usb().dd_pellion_chip_sel(1);
        break;
    default:
        break;
    }
}

void Main::ConnectUSB_Click() {
    auto& usb = app_.link().usb();
    if (ConnectUSB->text() == QStringLiteral("Connect USB")) {
        if (usb.rpc_initialise_vb() != 1) {
            // The program stays up with the link closed: ending it here would
            // throw away the user's unsaved set-up.
            app_.messages().message(QStringLiteral(
                "Failed to initialise RPC link to target board. Check USB connection."));
            return;
        }
        app_.services().system->sleepMs(500);
        usb.sched_initialise_target();
        app_.services().system->sleepMs(200);
        usb.dd_pellion_chip_sel(1);
        ConnectUSB->setText(QStringLiteral("Disconnect USB"));
        QPalette pal = ConnectUSB->palette();
        pal.setColor(QPalette::Button, QPalette().color(QPalette::Button));
        ConnectUSB->setPalette(pal);
    } else if (ConnectUSB->text() == QStringLiteral("Disconnect USB")) {
        usb.rpc_shutdown();
        ConnectUSB->setText(QStringLiteral("Connect USB"));
    }
}

void Main::Toggle4_Change() {
    app_.link().usb().dd_pellion_chip_sel(Toggle4->isOn() ? 1 : 0);
}

void Main::cmbInterface_Click() {
    auto& f = app_.f();
    const int i = cmbInterface->currentIndex();
    if (i < 0 || i > 2) {
        f.DataInterfaceField = 0;
        app_.UpdateAllRegisterLabels();
        app_.WriteRegister(); // the refresh left RegisterSelect at 0: this writes R0
        return;
    }
    f.DataInterfaceField = i == 0 ? 0 : bit(28);
    app_.writeRegister(0);
    f.SpiModeField = i == 1 ? 7 * bit(17) : 0;
    app_.writeRegister(15);
    app_.UpdateAllRegisterLabels();
    app_.WriteRegister();
}

// ---- front-panel settings ---------------------------------------------------

void Main::cmbModulation_Click() {
    struct Row {
        const char16_t* frame;
        int demodItem;
        const char16_t* rateCaption;
        const char16_t* rateUnit;
        const char16_t* deviationCaption;
        bool alpha;
        bool threeFsk;
    };
    static const Row rows[8] = {
        {u"2FSK", 1, u"Data Rate", u"kbps", u"Desired Deviation", false, false},
        {u"Gaussian 2FSK", 1, u"Data Rate", u"kbps", u"Desired Deviation", false, false},
        {u"3FSK", 2, u"Symbol Rate", u"kbps", u"Desired Deviation", false, true},
        {u"4FSK", 3, u"Symbol Rate", u"ksym/s", u"Desired Deviation (inner)", false, false},
        {u"Oversampled 2FSK", 1, u"Data Rate", u"kbps", u"Desired Deviation", false, false},
        {u"Raised Cosine 2FSK", 1, u"Data Rate", u"kbps", u"Desired Deviation", true, false},
        {u"Raised Cosine 3FSK", 2, u"Data Rate", u"kbps", u"Desired Deviation", true, true},
        {u"Raised Cosine 4FSK", 3, u"Symbol Rate", u"ksym/s", u"Desired Deviation (inner)", true,
         false},
    };
    const int i = cmbModulation->currentIndex();
    if (i < 0 || i > 7) {
        app_.UpdateAllRegisterLabels();
        return;
    }
    const Row& row = rows[i];
    app_.f().ModulationSchemeField = static_cast<int16_t>(i * 16);
    FrFSK->setTitle(QString::fromUtf16(row.frame));
    app_.f().DemodTypeField = static_cast<int16_t>(row.demodItem * 16);
    cmbDemod->setCurrentIndex(row.demodItem);
    Label23->setText(QString::fromUtf16(row.rateCaption));
    Label36_2->setText(QString::fromUtf16(row.rateUnit));
    Label26->setText(QString::fromUtf16(row.deviationCaption));
    Combo1->setEnabled(row.alpha);
    if (cmb3FSKDetect->isHidden() == row.threeFsk) {
        for (QWidget* w : {static_cast<QWidget*>(cmb3FSKDetect), static_cast<QWidget*>(cmbVPathMem),
                           static_cast<QWidget*>(Label43), static_cast<QWidget*>(Label44)})
            w->setVisible(row.threeFsk);
        fitToContents();
    }
    txtDatarate_Change();
    app_.UpdateAllRegisterLabels();
}

void Main::fitToContents() {
    // A window grows by itself when rows appear but never shrinks when they go: take the
    // size the panel needs now, unless the user has the window maximized or full screen.
    if (isMaximized() || isFullScreen())
        return;
    centralWidget()->layout()->activate();
    layout()->activate();
    adjustSize();
}

void Main::cmbDemod_Click() {
    auto& f = app_.f();
    const int i = cmbDemod->currentIndex();
    if (i >= 0 && i <= 3) {
        f.DemodTypeField = static_cast<int16_t>(i * 16);
        if (i != 1)
            f.KParityBit9Field = 0;
        if (i == 1)
            txtDatarate_Change();
    }
    app_.UpdateAllRegisterLabels();
    txtDatarate_Change();
}

void Main::cmbIcp_Click() {
    const int i = cmbIcp->currentIndex();
    if (i >= 0 && i <= 3)
        app_.f().ChargePumpField = i * bit(15);
    app_.UpdateAllRegisterLabels();
}

void Main::cmbIFBW_Click() {
    const int i = cmbIFBW->currentIndex();
    if (i >= 0 && i <= 2)
        app_.f().IFFilterBandwidthField = i * 1073741824.0;
    app_.UpdateAllRegisterLabels();
}

void Main::cmb3FSKDetect_Click() {
    app_.f().ThreeFskDetectorField = cmb3FSKDetect->currentIndex() == 0 ? int16_t(bit(11)) : 0;
    app_.UpdateAllRegisterLabels();
}

void Main::cmbVPathMem_Click() {
    const int i = cmbVPathMem->currentIndex();
    if (i >= 0 && i <= 3)
        app_.f().ViterbiPathMemoryField = static_cast<int16_t>(i * bit(11));
    app_.UpdateAllRegisterLabels();
}

void Main::Combo1_Click() {
    const int i = Combo1->currentIndex();
    if (i == 0 || i == 1)
        app_.f().RcAlphaField = i == 0 ? 0 : bit(30);
    app_.UpdateAllRegisterLabels();
}

void Main::cmbTestdata_Click() {
    const int i = cmbTestdata->currentIndex();
    if (i >= 0 && i <= 6)
        app_.f().TestDataPatternField = i * bit(8);
    app_.writeRegister(15);
}

void Main::cmbVCO_Click() {
    auto& f = app_.f();
    const int i = cmbVCO->currentIndex();
    if (i == 0) {
        f.ExtInductorField = 0;
        f.VcoBiasField = 10 * bit(19);
        app_.synth().lblVCOdiv2->setEnabled(false);
    } else if (i == 1) {
        f.ExtInductorField = bit(25);
        f.VcoBiasField = 3 * bit(19);
        app_.synth().lblVCOdiv2->setEnabled(true);
    }
    app_.UpdateAllRegisterLabels();
}

void Main::HScroll2_Change() {
    const int v = HScroll2->value();
    if (v >= 0 && v <= 63) {
        app_.f().PaLevelField = v * bit(13);
        LblFSKpower->setText(QStringLiteral("Setting ") + platform::strText(v));
    }
    app_.UpdateAllRegisterLabels();
}

void Main::optRx_Click() {
    app_.f().TxRxField = optRx->isChecked() ? bit(27) : 0;
    app_.synth().CmdCalculate_Click();
    app_.synth().Command1_Click();
    app_.UpdateAllRegisterLabels();
}

void Main::optTx_Click() {
    app_.f().TxRxField = optTx->isChecked() ? 0 : bit(27);
    app_.synth().CmdCalculate_Click();
    app_.synth().Command1_Click();
    TxtFSKdev_Change();
    app_.UpdateAllRegisterLabels();
}

void Main::TogCrystal_Change() {
    app_.f().XtalOscEnableField = TogCrystal->isOn() ? bit(12) : 0;
    app_.UpdateAllRegisterLabels();
}

void Main::Toggle1_Change() {
    app_.f().SynthEnableField = Toggle1->isOn() ? 16.0 : 0.0;
    app_.writeRegister(8);
}

void Main::Toggle2_Change() {
    app_.f().VcoEnableField = Toggle2->isOn() ? 131072.0 : 0.0;
    app_.UpdateAllRegisterLabels();
}

void Main::Toggle3_Change() {
    app_.f().PaEnableField = Toggle3->isOn() ? int16_t(bit(7)) : int16_t(0);
    app_.UpdateAllRegisterLabels();
}

// ---- register buttons, menus and printing ---------------------------------

void Main::updateButton_Click(int registerNumber) {
    app_.writeRegister(registerNumber);
}

void Main::cmdUpdateAll_Click() {
    for (int n : {1, 3, 0, 4, 2})
        updateButton_Click(n);
}

namespace {
const QString SettingsFilter = QStringLiteral("Test Files (*.txt)|*.txt");
const QString ZantrelFilter = QStringLiteral("Test Files (*.ini)|*.ini");
} // namespace

void Main::mnuOpen_Click() {
    const QString path = app_.services().files->openFileName(SettingsFilter);
    if (!path.isEmpty())
        ImportSettings(app_, path);
}

void Main::mnuWriteOmbrelle_Click() {
    const QString path = app_.services().files->saveFileName(SettingsFilter);
    if (!path.isEmpty())
        ExportSettings(app_, path);
}

void Main::runZantrelItem(int16_t registersOnly) {
    // Modifying writes into a file that is there; only creating may replace one, and so
    // only creating asks first.
    platform::FileDialogService& files = *app_.services().files;
    const bool modify = registersOnly != 0;
    const QString path =
        modify ? files.modifyFileName(ZantrelFilter) : files.saveFileName(ZantrelFilter);
    if (path.isEmpty())
        return; // cancelled: IniRegistersOnly stays as it was
    app_.w().IniRegistersOnly = registersOnly;
    WriteZantrelIni(app_, path);
}

void Main::mnuSave_Click() {
    runZantrelItem(-1);
}

void Main::mnuCreatenewini_Click() {
    runZantrelItem(0);
}

void Main::mnuPrint_Click() {
    if (const auto error = app_.services().printer->printWindow(this))
        app_.messages().message(*error, platform::MsgIcon::Exclamation);
}

void Main::connectHandlers() {
    const std::array<std::pair<QPushButton*, int>, 12> updates{{{cmdN, 0},
                                                                {cmdOsc, 1},
                                                                {cmdTransmit, 2},
                                                                {cmdRxClk, 3},
                                                                {cmdDemod, 4},
                                                                {cmdSync, 5},
                                                                {cmdT4, 6},
                                                                {cmdReg9, 9},
                                                                {cmdReg10, 10},
                                                                {cmdReg11, 11},
                                                                {Command4, 12},
                                                                {cmdReg13, 13}}};
    for (const auto& [b, n] : updates)
        connect(b, &QPushButton::clicked, this, [this, n = n] { updateButton_Click(n); });
    connect(cmdUpdateAll, &QPushButton::clicked, this, &Main::cmdUpdateAll_Click);

    auto onIndex = [this](QComboBox* c, void (Main::*handler)()) {
        connect(c, &QComboBox::currentIndexChanged, this, handler);
    };
    onIndex(cmbMB, &Main::cmbMB_Click);
    onIndex(cmbInterface, &Main::cmbInterface_Click);
    onIndex(cmbModulation, &Main::cmbModulation_Click);
    onIndex(cmbDemod, &Main::cmbDemod_Click);
    onIndex(cmbIcp, &Main::cmbIcp_Click);
    onIndex(cmbIFBW, &Main::cmbIFBW_Click);
    onIndex(cmb3FSKDetect, &Main::cmb3FSKDetect_Click);
    onIndex(cmbVPathMem, &Main::cmbVPathMem_Click);
    onIndex(Combo1, &Main::Combo1_Click);
    onIndex(cmbTestdata, &Main::cmbTestdata_Click);
    onIndex(cmbVCO, &Main::cmbVCO_Click);
    connect(ConnectUSB, &QPushButton::clicked, this, &Main::ConnectUSB_Click);
    connect(Toggle4, &platform::Toggle::toggled, this, &Main::Toggle4_Change);
    connect(TogCrystal, &platform::Toggle::toggled, this, &Main::TogCrystal_Change);
    connect(Toggle1, &platform::Toggle::toggled, this, &Main::Toggle1_Change);
    connect(Toggle2, &platform::Toggle::toggled, this, &Main::Toggle2_Change);
    connect(Toggle3, &platform::Toggle::toggled, this, &Main::Toggle3_Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &Main::HScroll2_Change);
    // An option button's click handler runs when it becomes chosen.
    connect(optRx, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optRx_Click();
    });
    connect(optTx, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optTx_Click();
    });
    connect(txtDatarate, &QLineEdit::textChanged, this, &Main::txtDatarate_Change);
    connect(TxtFSKdev, &QLineEdit::textChanged, this, &Main::TxtFSKdev_Change);

    auto opens = [this](auto* sender, auto signal, auto open) {
        connect(sender, signal, this, open);
    };
    const auto modal = [this](QWidget* w) {
        app_.showModal(w);
    };
    opens(cmdSynthform, &QPushButton::clicked, [this, modal] { modal(&app_.synth()); });
    opens(lblvcofreq, &platform::ClickableLabel::clicked, [this, modal] { modal(&app_.synth()); });
    opens(lblpfd_freq, &platform::ClickableLabel::clicked, [this, modal] { modal(&app_.synth()); });
    opens(lblcrystal, &platform::ClickableLabel::clicked, [this, modal] { modal(&app_.synth()); });
    opens(crystalmenu, &QAction::triggered, [this, modal] { modal(&app_.synth()); });
    opens(cmdAdvanced, &QPushButton::clicked, [this] { app_.showModeless(&app_.bias()); });
    opens(cmdPARamp, &QPushButton::clicked, [this, modal] { modal(&app_.paRamp()); });
    opens(cmdReadback, &QPushButton::clicked, [this, modal] { modal(&app_.readback()); });
    opens(mnuReadback, &QAction::triggered, [this, modal] { modal(&app_.readback()); });
    opens(mnuSync, &QAction::triggered, [this, modal] { modal(&app_.readback()); });
    opens(Command1, &QPushButton::clicked, [this, modal] { modal(&app_.registers()); });
    opens(registermenu, &QAction::triggered, [this, modal] { modal(&app_.registers()); });
    opens(Command2, &QPushButton::clicked, [this, modal] { modal(&app_.demod()); });
    opens(Command5, &QPushButton::clicked, [this, modal] { modal(&app_.testModes()); });
    opens(Command8, &QPushButton::clicked, [this] { app_.showModeless(&app_.afc()); });
    opens(Command9, &QPushButton::clicked, [this, modal] { modal(&app_.agc()); });
    opens(Command10, &QPushButton::clicked, [this, modal] { modal(&app_.ifCal()); });
    opens(Command11, &QPushButton::clicked, [this, modal] { modal(&app_.swd()); });
    opens(LblClockout, &platform::ClickableLabel::clicked,
          [this, modal] { modal(&app_.clockOut()); });
    opens(mnuClockOut, &QAction::triggered, [this, modal] { modal(&app_.clockOut()); });
    opens(LblMuxOut, &platform::ClickableLabel::clicked, [this, modal] { modal(&app_.mux()); });
    opens(muxmenu, &QAction::triggered, [this, modal] { modal(&app_.mux()); });
    opens(portmenu, &QAction::triggered, [this, modal] { modal(&app_.port()); });
    opens(mnuRevHistory, &QAction::triggered, [this, modal] { modal(&app_.revisions()); });
    opens(mnuRev, &QAction::triggered, [this, modal] { modal(&app_.about()); });
    opens(mnuIBM, &QAction::triggered, [this, modal] { modal(&app_.ibmHelp()); });
    // "&Test Modes" in the Settings menu does nothing: the window opens from its status button.
    connect(mnuOpen, &QAction::triggered, this, &Main::mnuOpen_Click);
    connect(mnuWriteOmbrelle, &QAction::triggered, this, &Main::mnuWriteOmbrelle_Click);
    connect(mnuSave, &QAction::triggered, this, &Main::mnuSave_Click);
    connect(mnuCreatenewini, &QAction::triggered, this, &Main::mnuCreatenewini_Click);
    connect(mnuPrint, &QAction::triggered, this, &Main::mnuPrint_Click);
    connect(Exitmenu, &QAction::triggered, this, &Main::Exitmenu_Click);
}

} // namespace corvane

namespace corvane {

void Main::TxtFSKdev_Change() {
    auto& f = app_.f();
    auto& w = app_.w();
    const calc::DeviationResult r =
        calc::planDeviation({TxtFSKdev->text(), w.PfdFrequencyMHz, f.VcoDiv2Field});
    app_.show(r.messages);
    // A refused entry leaves the deviation in force: the box says so until it is taken.
    platform::showRefusal(TxtFSKdev, r.refusal.has_value(), r.refusal.value_or(QString()));
    if (r.TxDeviationField) {
        w.DeviationStepHz = *r.DeviationStepHz;
        w.ActualDeviationKHz = *r.ActualDeviationKHz;
        f.TxDeviationField = *r.TxDeviationField;
        Lblfskdev->setText(*r.Lblfskdev);
    }
    if (r.runDataRatePlan)
        txtDatarate_Change();
    app_.UpdateAllRegisterLabels();
}

calc::DataRatePlan Main::planDataRate() const {
    const auto& f = app_.f();
    const auto& w = app_.w();
    return calc::planDataRate({txtDatarate->text(), TxtFSKdev->text(), w.CrystalFrequencyMHz,
                               w.ActualDeviationKHz, f.DemodTypeField,
                               cmb3FSKDetect->currentIndex(), cmbVPathMem->currentIndex()});
}

void Main::applyClockDividers(const calc::DataRatePlan& p) {
    auto& f = app_.f();
    auto& w = app_.w();
    f.IFFilterDividerField = p.IFFilterDividerField;
    f.BbOffsetDividerField = p.BbOffsetDividerField;
    f.DemodClockDividerField = p.DemodClockDividerField;
    f.CdrClockDividerField = p.CdrClockDividerField;
    f.SeqClockDividerField = p.SeqClockDividerField;
    w.DemodClockMHz = p.DemodClockMHz;
    w.CdrClockKHz = p.CdrClockKHz;
}

void Main::txtDatarate_Change() {
    auto& f = app_.f();
    auto& w = app_.w();
    const calc::DataRatePlan p = planDataRate();
    if (!p.ran)
        return;
    app_.show(p.messages);
    applyClockDividers(p);
    f.PostDemodBwField = p.PostDemodBwField;
    lblRxCLK->setText(p.lblRxCLK);
    lblDemodBW->setText(p.lblDemodBW);
    const auto apply = [](auto& field, const auto& value) {
        platform::assignIfSet(field, value);
    };
    apply(f.DiscrimBwField, p.DiscrimBwField);
    apply(f.KParityBit7Field, p.KParityBit7Field);
    apply(f.KParityBit9Field, p.KParityBit9Field);
    apply(w.DiscrimK, p.DiscrimK);
    apply(w.DiscrimMultiplier, p.DiscrimMultiplier);
    apply(f.ThresholdWordField, p.ThresholdWordField);
    apply(f.ThreeFskDetectorField, p.ThreeFskDetectorField);
    apply(f.ViterbiPathMemoryField, p.ViterbiPathMemoryField);
    apply(f.ThreeFskEnableField, p.ThreeFskEnableField);
    apply(f.ThreeFskThresholdField, p.ThreeFskThresholdField);
    apply(f.ThreeFskBits22To25Field, p.ThreeFskBits22To25Field);
    app_.UpdateAllRegisterLabels();
}

} // namespace corvane
