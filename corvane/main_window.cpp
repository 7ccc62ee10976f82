#include "corvane/main_window.h"

#include "corvane/calc/datarate.h"
#include "corvane/calc/deviation.h"
#include "corvane/corvaneapp.h"
#include "corvane/descriptions.h"
#include "corvane/settingsfile.h"
#include "corvane/windows.h"
#include "corvane/zantrelfile.h"
#include "evalkit/boardsession.h"
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

// Every register with a read-out on the panel: its read-out and its Update button. The
// construction, the layout, readout(n) and the Update handlers all go by this one table.
struct RegisterRow {
    int n;
    reglink::RegisterReadout* Main::*readout;
    const char* readoutName;
    QPushButton* Main::*update;
    const char* updateName;
};
constexpr RegisterRow kRegisterRows[] = {
    {0, &Main::lblNhex, "lblNhex", &Main::cmdN, "cmdN"},
    {1, &Main::lblOSChex, "lblOSChex", &Main::cmdOsc, "cmdOsc"},
    {2, &Main::lblMODhex, "lblMODhex", &Main::cmdTransmit, "cmdTransmit"},
    {3, &Main::lblRxCLKhex, "lblRxCLKhex", &Main::cmdRxClk, "cmdRxClk"},
    {4, &Main::lblDEMODhex, "lblDEMODhex", &Main::cmdDemod, "cmdDemod"},
    {5, &Main::lblSyncHex, "lblSyncHex", &Main::cmdSync, "cmdSync"},
    {6, &Main::lblT4hex, "lblT4hex", &Main::cmdT4, "cmdT4"},
    {9, &Main::lblAGC9hex, "lblAGC9hex", &Main::cmdReg9, "cmdReg9"},
    {10, &Main::lbltest10hex, "lbltest10hex", &Main::cmdReg10, "cmdReg10"},
    {11, &Main::lbltest11hex, "lbltest11hex", &Main::cmdReg11, "cmdReg11"},
    {12, &Main::lbltest12hex, "lbltest12hex", &Main::Command4, "Command4"},
    {13, &Main::lblTFSK13hex, "lblTFSK13hex", &Main::cmdReg13, "cmdReg13"},
};

} // namespace

Main::Main(CorvaneApp& app) : QMainWindow(nullptr), app_(app) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(app_.variant().windowCaption);
    buildControls();
    buildLayout();
    buildMenus();
    session_ = std::make_unique<evalkit::BoardSession>(
        app_, boardRules(), evalkit::BoardControls{cmbMB, ConnectUSB, Toggle4, {Label50}});
    connectHandlers();
}

Main::~Main() = default;

void Main::buildControls() {
    const QString update = QStringLiteral("Update");
    for (const RegisterRow& r : kRegisterRows) {
        this->*r.readout = named(new reglink::RegisterReadout, r.readoutName);
        this->*r.update = button(r.updateName, update);
    }
    cmdUpdateAll = button("cmdUpdateAll", QStringLiteral("Program Register 0 to 4 "));

    lblvcofreq = named(new platform::ClickableLabel(QStringLiteral("VCO Frequency")), "lblvcofreq");
    lblpfd_freq = named(new platform::ClickableLabel(QStringLiteral("Choose Comparison Freq")),
                        "lblpfd_freq");
    lblcrystal =
        named(new platform::ClickableLabel(QStringLiteral("Choose Crystal Freq")), "lblcrystal");

    FrDevice = named(new QGroupBox(QStringLiteral("Device In Use")), "FrDevice");
    device = label("device", app_.variant().deviceName);

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
    cmbIFBW = list("cmbIFBW", app_.variant().ifBandwidths);
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

    // Left column: the device, the board, the synthesizer and the power-down switches.
    auto* left = new QVBoxLayout;
    auto* deviceRow = new QHBoxLayout(FrDevice);
    QFont deviceFont = device->font();
    deviceFont.setBold(true);
    device->setFont(deviceFont);
    deviceRow->addWidget(device);
    left->addWidget(FrDevice);
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
    int r = 0;
    for (const RegisterRow& row : kRegisterRows) {
        regGrid->addWidget(new QLabel(QStringLiteral("R%1").arg(row.n)), r, 0);
        regGrid->addWidget(this->*row.readout, r, 1);
        regGrid->addWidget(this->*row.update, r, 2);
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
    mnuRev = item(help, "mnuRev", app_.variant().aboutMenuCaption);
    mnuIBM = item(help, "mnuIBM", QStringLiteral("&IBM Thinkpad Help"));
}

reglink::RegisterReadout* Main::readout(int n) const {
    for (const RegisterRow& r : kRegisterRows)
        if (r.n == n)
            return this->*r.readout;
    return nullptr;
}

void Main::connectHandlers() {
    for (const RegisterRow& r : kRegisterRows)
        connect(this->*r.update, &QPushButton::clicked, this,
                [this, n = r.n] { updateButton_Click(n); });
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
    opens(cmdSynthform, &QPushButton::clicked, [this, modal] { modal(&app_.synthform()); });
    opens(lblvcofreq, &platform::ClickableLabel::clicked,
          [this, modal] { modal(&app_.synthform()); });
    opens(lblpfd_freq, &platform::ClickableLabel::clicked,
          [this, modal] { modal(&app_.synthform()); });
    opens(lblcrystal, &platform::ClickableLabel::clicked,
          [this, modal] { modal(&app_.synthform()); });
    opens(crystalmenu, &QAction::triggered, [this, modal] { modal(&app_.synthform()); });
    opens(cmdAdvanced, &QPushButton::clicked, [this] { app_.showModeless(&app_.frmPowerdown()); });
    opens(cmdPARamp, &QPushButton::clicked, [this, modal] { modal(&app_.frmPARamp()); });
    opens(cmdReadback, &QPushButton::clicked, [this, modal] { modal(&app_.frmReadback()); });
    opens(mnuReadback, &QAction::triggered, [this, modal] { modal(&app_.frmReadback()); });
    opens(mnuSync, &QAction::triggered, [this, modal] { modal(&app_.frmReadback()); });
    opens(Command1, &QPushButton::clicked, [this, modal] { modal(&app_.frmRegisters()); });
    opens(registermenu, &QAction::triggered, [this, modal] { modal(&app_.frmRegisters()); });
    opens(Command2, &QPushButton::clicked, [this, modal] { modal(&app_.frmDemod()); });
    opens(Command5, &QPushButton::clicked, [this, modal] { modal(&app_.frmTestModes()); });
    opens(Command8, &QPushButton::clicked, [this] { app_.showModeless(&app_.frmAFC()); });
    opens(Command9, &QPushButton::clicked, [this, modal] { modal(&app_.frmAGC()); });
    opens(Command10, &QPushButton::clicked, [this, modal] { modal(&app_.frmIFCal()); });
    opens(Command11, &QPushButton::clicked, [this, modal] { modal(&app_.frmSWD()); });
    opens(LblClockout, &platform::ClickableLabel::clicked,
          [this, modal] { modal(&app_.frmClockOut()); });
    opens(mnuClockOut, &QAction::triggered, [this, modal] { modal(&app_.frmClockOut()); });
    opens(LblMuxOut, &platform::ClickableLabel::clicked, [this, modal] { modal(&app_.muxform()); });
    opens(muxmenu, &QAction::triggered, [this, modal] { modal(&app_.muxform()); });
    opens(portmenu, &QAction::triggered, [this, modal] { modal(&app_.portform()); });
    opens(mnuRevHistory, &QAction::triggered, [this, modal] { modal(&app_.revform()); });
    opens(mnuRev, &QAction::triggered, [this, modal] { modal(&app_.aboutform()); });
    opens(mnuIBM, &QAction::triggered, [this, modal] { modal(&app_.IBMhelpform()); });
    // "&Test Modes" in the Settings menu does nothing: the window opens from its status button.
    connect(mnuOpen, &QAction::triggered, this, &Main::mnuOpen_Click);
    connect(mnuWriteOmbrelle, &QAction::triggered, this, &Main::mnuWriteOmbrelle_Click);
    connect(mnuSave, &QAction::triggered, this, &Main::mnuSave_Click);
    connect(mnuCreatenewini, &QAction::triggered, this, &Main::mnuCreatenewini_Click);
    connect(mnuPrint, &QAction::triggered, this, &Main::mnuPrint_Click);
    connect(Exitmenu, &QAction::triggered, this, &Main::Exitmenu_Click);
}

} // namespace corvane
