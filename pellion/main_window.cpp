#include "pellion/main_window.h"

#include "evalkit/boardsession.h"
#include "pellion/descriptions.h"
#include "pellion/pellionapp.h"
#include "pellion/windows.h"
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

QScrollBar* scrollBar(const char* name, int value) {
    auto* bar = named(new QScrollBar(Qt::Horizontal), name);
    const QSignalBlocker block(bar);
    bar->setRange(0, 63);
    bar->setValue(value);
    bar->setMinimumWidth(140);
    return bar;
}

// Every register with a read-out on the panel: its read-out with the design caption, its
// Update button and its title (the tool tip of both the "Register n" caption and the
// button). The construction, the layout, readout(n) and the Update handlers all go by this
// one table.
struct RegisterRow {
    int n;
    reglink::RegisterReadout* Main::*readout;
    const char* readoutName;
    const char16_t* designCaption;
    QPushButton* Main::*update;
    const char* updateName;
    const char16_t* title;
};
constexpr RegisterRow kRegisterRows[] = {
    {0, &Main::lblNhex, "lblNhex", u"0xZZZZZZ", &Main::cmdN, "cmdN", u"N Register"},
    {1, &Main::lblOSChex, "lblOSChex", u"ZZZZZZh", &Main::cmdOsc, "cmdOsc",
     u"VCO/Oscillator Register"},
    {2, &Main::lblMODhex, "lblMODhex", u"ZZZZZZh", &Main::cmdTransmit, "cmdTransmit",
     u"Transmit Modulation Register"},
    {3, &Main::lblRxCLKhex, "lblRxCLKhex", u"ZZZZZZh", &Main::cmdRxClk, "cmdRxClk",
     u"Tx/Rx Clock Register"},
    {4, &Main::lblDEMODhex, "lblDEMODhex", u"ZZZZZZh", &Main::cmdDemod, "cmdDemod",
     u"Demodulator Setup Register"},
    {5, &Main::lblSyncHex, "lblSyncHex", u"ZZZZZZh", &Main::cmdSync, "cmdSync",
     u"IF Filter Setup Regsiter"},
    {6, &Main::lblT4hex, "lblT4hex", u"ZZZZZZh", &Main::cmdT4, "cmdT4",
     u"IF Fine Cal Setup Register"},
    {9, &Main::lblAGC9hex, "lblAGC9hex", u"0xZZZZZZ", &Main::cmdReg9, "cmdReg9", u"AGC Register"},
    {10, &Main::lbltest10hex, "lbltest10hex", u"ZZZZZZh", &Main::cmdReg10, "cmdReg10",
     u"AFC Register"},
    {11, &Main::lbltest11hex, "lbltest11hex", u"ZZZZZZh", &Main::cmdReg11, "cmdReg11",
     u"Sync Word Detect Register"},
    {12, &Main::lbltest12hex, "lbltest12hex", u"ZZZZZZh", &Main::Command4, "Command4",
     u"SWD/Threshold Register"},
    {13, &Main::lblTFSK13hex, "lblTFSK13hex", u"ZZZZZZh", &Main::cmdReg13, "cmdReg13",
     u"3FSK Demod"},
};

const RegisterRow* rowOf(int n) {
    for (const RegisterRow& r : kRegisterRows)
        if (r.n == n)
            return &r;
    return nullptr;
}

} // namespace

Main::Main(PellionApp& app) : QMainWindow(nullptr), app_(app) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Pellion-X Config SW"));
    buildControls();
    buildLayout();
    buildMenus();
    session_ = std::make_unique<evalkit::BoardSession>(
        app_, boardRules(), evalkit::BoardControls{cmbMB, ConnectUSB, Synth_EN, {Label35}},
        &app_.w().PortClaimed);
    connectHandlers();
}

Main::~Main() = default;

void Main::buildControls() {
    const QString update = QStringLiteral("Update");
    int row = 0;
    for (const RegisterRow& r : kRegisterRows) {
        const QString title = QString::fromUtf16(r.title);
        this->*r.readout =
            named(new reglink::RegisterReadout(QString::fromUtf16(r.designCaption)), r.readoutName);
        this->*r.update = button(r.updateName, update);
        (this->*r.update)->setToolTip(title);
        captions_[row] = new QLabel(QStringLiteral("Register ") + QString::number(r.n));
        captions_[row]->setObjectName(QStringLiteral("lblRegister%1").arg(r.n));
        captions_[row]->setToolTip(title);
        ++row;
    }
    cmdUpdateAll = button("cmdUpdateAll", QStringLiteral("Program Registers 0 - 6"));

    lblvcofreq = named(new platform::ClickableLabel(QStringLiteral("VCO Frequency")), "lblvcofreq");
    lblpfd_freq = named(new platform::ClickableLabel(QStringLiteral("Choose Comparison Freq")),
                        "lblpfd_freq");
    lblcrystal =
        named(new platform::ClickableLabel(QStringLiteral("Choose Crystal Freq")), "lblcrystal");

    cmbMB = list(
        "cmbMB",
        {QStringLiteral("QuorrabaseZ (Parallel Port)"), QStringLiteral("QuorrabaseZ2 (USB Port)")},
        QStringLiteral("QuorrabaseZ (Parallel Port)"));
    ConnectUSB = button("ConnectUSB", QStringLiteral("Connect USB"));
    ConnectUSB->setToolTip(QStringLiteral("Click to connect to USB interface"));
    Label35 = label("Label35", QStringLiteral("Chip Enable"));
    Synth_EN = platform::namedToggle("Synth_EN");
    devinuse = label("devinuse", QStringLiteral("Check Readback"));
    Labelrev = label("Labelrev", QStringLiteral("Check Readback"));

    cmdSynthform = button("cmdSynthform", QStringLiteral("Synth Settings ... "));
    cmdReadback = button("cmdReadback", QStringLiteral("Readback "));
    Command1 = button("Command1", QStringLiteral("Manual Register Edit"));
    Command2 = button("Command2", QStringLiteral("Advanced Demod"));
    cmdAdvanced = button("cmdAdvanced", QStringLiteral("  Bias Currents     VCO, LNA, Mixer"));
    cmdAdvanced->setToolTip(QStringLiteral("Click to Change Individual Bias Settings"));
    Command8 = button("Command8", QStringLiteral("OFF"));
    Command9 = button("Command9", QStringLiteral("Auto"));
    Command10 = button("Command10", QStringLiteral("No Cal"));
    Command11 = button("Command11", QStringLiteral("Off"));
    LblClockout = named(new platform::ClickableLabel(QStringLiteral("OFF")), "LblClockout");
    LblMuxOut = named(new platform::ClickableLabel(QStringLiteral("Regulator Ready")), "LblMuxOut");

    FrFSK = named(new QGroupBox(QStringLiteral("Modulation")), "FrFSK");
    FrFSKpower = named(new QGroupBox(QStringLiteral("PA Output Power FSK Mode ")), "FrFSKpower");
    FrASK = named(new QGroupBox(QStringLiteral("PA Output Power ASK Mode")), "FrASK");
    cmbModulation = list("cmbModulation",
                         {QStringLiteral("FSK"), QStringLiteral("GFSK"), QStringLiteral("ASK"),
                          QStringLiteral("OOK"), QStringLiteral("GOOK")},
                         QStringLiteral("FSK"));
    cmbDemod = list("cmbDemod", {QStringLiteral("2FSK Linear"), QStringLiteral("2FSK Correlator"),
                                 QStringLiteral("ASK")});
    cmbDemod->setToolTip(QStringLiteral("Correlator/Linear for FSK GFSK only"));
    cmbIFBW = list("cmbIFBW",
                   {QStringLiteral("100kHz"), QStringLiteral("150kHz"), QStringLiteral("200kHz")});
    Chgpumpvalue = list("Chgpumpvalue",
                        {QStringLiteral("Icp = 0.3mA"), QStringLiteral("Icp = 0.9mA"),
                         QStringLiteral("Icp = 1.5mA"), QStringLiteral("Icp = 2.1mA")},
                        QStringLiteral("Icp = 1.5mA"));
    cmbTestdata = list("cmbTestdata",
                       {QStringLiteral("Off"), QStringLiteral("Tx PN9 sequence"),
                        QStringLiteral("Toggle Invert TxData bit")},
                       QStringLiteral("Off"));
    OSC_EN = platform::namedToggle("OSC_EN");
    PA_EN = platform::namedToggle("PA_EN");
    chkInductor =
        named(new QCheckBox(QStringLiteral("Pellion-1 (External Inductor)")), "chkInductor");
    optRx = named(new QRadioButton(QStringLiteral("Rx")), "optRx");
    optTx = named(new QRadioButton(QStringLiteral("Tx")), "optTx");
    optTx->setChecked(true); // the chip starts in transmit (TxRxField 0)

    HScroll2 = scrollBar("HScroll2", 48);
    LblFSKpower = label("LblFSKpower", QStringLiteral("Setting 48"));
    HScrollASKFine1 = scrollBar("HScrollASKFine1", 0);
    Lblpower1 = label("Lblpower1", QStringLiteral("PA High Level (=1)"));
    HScrollOOKfine1 = scrollBar("HScrollOOKfine1", 0);
    Lblpower0 = label("Lblpower0", QStringLiteral("PA Low Leve (=0)"));
    lblOOKmin = label("lblOOKmin", QStringLiteral("-16dBm"));
    lblOOKmax = label("lblOOKmax", QStringLiteral("+13dBm"));

    TxtFSKdev = named(new QLineEdit(QStringLiteral("20")), "TxtFSKdev");
    txtDatarate = named(new QLineEdit(QStringLiteral("10")), "txtDatarate");
    for (auto* e : {TxtFSKdev, txtDatarate})
        e->setMaximumWidth(90);
    Label26 = label("Label26", QStringLiteral("Desired Deviation "));
    Label28 = label("Label28", QStringLiteral("Actual Deviation"));
    Lblfskdev = label("Lblfskdev", QString());
    Label25 = label("Label25", QStringLiteral("DemodBW"));
    lblDemodBW = label("lblDemodBW", QString());
    Label10 = label("Label10", QStringLiteral("TxRx Clock"));
    lblRxCLK = label("lblRxCLK", QString());
    // No modulation shows the demodulator bandwidth, and the ASK power frame only ASK and
    // OOK.
    Label25->setVisible(false);
    lblDemodBW->setVisible(false);
    FrASK->setVisible(false);
}

void Main::buildLayout() {
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* columns = new QHBoxLayout(central);

    // First column: the board, the synthesizer and the power-down switches.
    auto* left = new QVBoxLayout;
    auto* board = new QGroupBox(QStringLiteral("Evaluation Board"));
    auto* boardGrid = new QGridLayout(board);
    auto* boardCaption = new QLabel(QStringLiteral("Eval Board"));
    boardCaption->setBuddy(cmbMB);
    boardGrid->addWidget(boardCaption, 0, 0);
    boardGrid->addWidget(cmbMB, 0, 1, 1, 2);
    boardGrid->addWidget(ConnectUSB, 1, 0);
    boardGrid->addWidget(Label35, 1, 1, Qt::AlignRight);
    boardGrid->addWidget(Synth_EN, 1, 2);
    boardGrid->addWidget(new QLabel(QStringLiteral("Device in Use")), 2, 0);
    boardGrid->addWidget(devinuse, 2, 1, 1, 2);
    boardGrid->addWidget(new QLabel(QStringLiteral("Silicon Revision")), 3, 0);
    boardGrid->addWidget(Labelrev, 3, 1, 1, 2);
    boardGrid->addWidget(cmdReadback, 4, 0, 1, 3);
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
    synthGrid->addWidget(new QLabel(QStringLiteral("Charge Pump Current")), 4, 0);
    synthGrid->addWidget(Chgpumpvalue, 4, 1);
    auto* mode = new QGroupBox(QStringLiteral("Mode"));
    auto* modeGrid = new QGridLayout(mode);
    modeGrid->addWidget(optRx, 0, 0);
    modeGrid->addWidget(optTx, 0, 1);
    modeGrid->addWidget(chkInductor, 1, 0, 1, 2);
    synthGrid->addWidget(mode, 5, 0, 1, 2);
    left->addWidget(synth);

    auto* power = new QGroupBox(QStringLiteral(" PowerDown/Bias Currents"));
    auto* powerGrid = new QGridLayout(power);
    powerGrid->addWidget(new QLabel(QStringLiteral("Crystal Oscillator")), 0, 0);
    powerGrid->addWidget(OSC_EN, 0, 1);
    powerGrid->addWidget(new QLabel(QStringLiteral("PA")), 1, 0);
    powerGrid->addWidget(PA_EN, 1, 1);
    powerGrid->addWidget(cmdAdvanced, 2, 0, 1, 2);
    left->addWidget(power);
    left->addStretch();

    // Second column: modulation and the power amplifier frames.
    auto* middle = new QVBoxLayout;
    auto* fsk = new QGridLayout(FrFSK);
    fsk->addWidget(cmbModulation, 0, 0, 1, 3);
    deviationUnit_ = new QLabel(QStringLiteral("kHz"));
    actualDeviationUnit_ = new QLabel(QStringLiteral("kHz"));
    fsk->addWidget(Label26, 1, 0);
    fsk->addWidget(TxtFSKdev, 1, 1);
    fsk->addWidget(deviationUnit_, 1, 2);
    fsk->addWidget(Label28, 2, 0);
    fsk->addWidget(Lblfskdev, 2, 1);
    fsk->addWidget(actualDeviationUnit_, 2, 2);
    fsk->addWidget(new QLabel(QStringLiteral("Data Rate")), 3, 0);
    fsk->addWidget(txtDatarate, 3, 1);
    fsk->addWidget(new QLabel(QStringLiteral("kbps")), 3, 2);
    fsk->addWidget(Label25, 4, 0);
    fsk->addWidget(lblDemodBW, 4, 1);
    fsk->addWidget(Label10, 5, 0);
    fsk->addWidget(lblRxCLK, 5, 1);
    fsk->addWidget(new QLabel(QStringLiteral("Test Data")), 6, 0);
    fsk->addWidget(cmbTestdata, 6, 1, 1, 2);
    middle->addWidget(FrFSK);

    auto* fskPower = new QGridLayout(FrFSKpower);
    fskPower->addWidget(HScroll2, 0, 0);
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
    middle->addStretch();

    // Third column: the receiver and the status buttons of the feature windows.
    auto* receiver = new QVBoxLayout;
    auto* rx = new QGroupBox(QStringLiteral("Receiver"));
    auto* rxGrid = new QGridLayout(rx);
    rxGrid->addWidget(new QLabel(QStringLiteral("Demodulator")), 0, 0);
    rxGrid->addWidget(cmbDemod, 0, 1);
    rxGrid->addWidget(new QLabel(QStringLiteral("IF BandWidth")), 1, 0);
    rxGrid->addWidget(cmbIFBW, 1, 1);
    rxGrid->addWidget(Command2, 2, 0, 1, 2);
    int row = 3;
    auto status = [&](const QString& caption, QWidget* w) {
        rxGrid->addWidget(new QLabel(caption), row, 0);
        rxGrid->addWidget(w, row, 1);
        ++row;
    };
    status(QStringLiteral("AFC"), Command8);
    status(QStringLiteral("AGC"), Command9);
    status(QStringLiteral("IF Filter Cal"), Command10);
    status(QStringLiteral("Sync Word Detect"), Command11);
    status(QStringLiteral("Mux Out"), LblMuxOut);
    status(QStringLiteral("Clock Out"), LblClockout);
    receiver->addWidget(rx);
    receiver->addStretch();

    // Fourth column: every register read-out beside its Update button.
    auto* regs = new QGroupBox(QStringLiteral("Registers"));
    auto* regGrid = new QGridLayout(regs);
    int r = 0;
    for (const RegisterRow& reg : kRegisterRows) {
        regGrid->addWidget(captions_[r], r, 0);
        regGrid->addWidget(this->*reg.readout, r, 1);
        regGrid->addWidget(this->*reg.update, r, 2);
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
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuRevHistory = item(help, "mnuRevHistory", QStringLiteral("&Revision History"));
    mnuRev = item(help, "mnuRev", QStringLiteral("&About this Revision"));
}

reglink::RegisterReadout* Main::readout(int n) const {
    const RegisterRow* r = rowOf(n);
    return r ? this->*r->readout : nullptr;
}

QPushButton* Main::updateButton(int n) const {
    const RegisterRow* r = rowOf(n);
    return r ? this->*r->update : nullptr;
}

QLabel* Main::registerCaption(int n) const {
    const RegisterRow* r = rowOf(n);
    return r ? captions_[r - kRegisterRows] : nullptr;
}

void Main::connectHandlers() {
    for (const RegisterRow& r : kRegisterRows)
        connect(this->*r.update, &QPushButton::clicked, this,
                [this, n = r.n] { updateButton_Click(n); });
    connect(cmdUpdateAll, &QPushButton::clicked, this, &Main::cmdUpdateAll_Click);

    connect(cmbMB, &QComboBox::currentIndexChanged, this, &Main::cmbMB_Click);
    connect(ConnectUSB, &QPushButton::clicked, this, &Main::ConnectUSB_Click);
    connect(Synth_EN, &platform::Toggle::toggled, this, &Main::Synth_EN_Change);
    connect(txtDatarate, &QLineEdit::textChanged, this, &Main::txtDatarate_Change);
    connect(TxtFSKdev, &QLineEdit::textChanged, this, &Main::TxtFSKdev_Change);

    const auto onIndex = [this](QComboBox* list, void (Main::*handler)()) {
        connect(list, &QComboBox::currentIndexChanged, this, handler);
    };
    onIndex(cmbModulation, &Main::cmbModulation_Click);
    onIndex(cmbDemod, &Main::cmbDemod_Click);
    onIndex(cmbIFBW, &Main::cmbIFBW_Click);
    onIndex(Chgpumpvalue, &Main::Chgpumpvalue_Click);
    onIndex(cmbTestdata, &Main::cmbTestdata_Click);
    connect(OSC_EN, &platform::Toggle::toggled, this, &Main::OSC_EN_Change);
    connect(PA_EN, &platform::Toggle::toggled, this, &Main::PA_EN_Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &Main::HScroll2_Change);
    connect(HScrollASKFine1, &QScrollBar::valueChanged, this, &Main::HScrollASKFine1_Change);
    connect(HScrollOOKfine1, &QScrollBar::valueChanged, this, &Main::HScrollOOKfine1_Change);
    connect(chkInductor, &QCheckBox::toggled, this, &Main::chkInductor_Click);
    // An option button's click handler runs when it becomes chosen.
    connect(optRx, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optRx_Click();
    });
    connect(optTx, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optTx_Click();
    });

    // Every window opens modally but the bias window.
    const auto opens = [this](auto* sender, auto signal, auto window) {
        connect(sender, signal, this, [this, window] { app_.showModal(window()); });
    };
    const auto synthesizer = [this] {
        return static_cast<QWidget*>(&app_.synthform());
    };
    const auto readback = [this] {
        return static_cast<QWidget*>(&app_.frmReadback());
    };
    const auto registers = [this] {
        return static_cast<QWidget*>(&app_.frmRegisters());
    };
    const auto afc = [this] {
        return static_cast<QWidget*>(&app_.frmAFC());
    };
    const auto clockOut = [this] {
        return static_cast<QWidget*>(&app_.frmClockOut());
    };
    const auto muxOut = [this] {
        return static_cast<QWidget*>(&app_.muxform());
    };
    opens(cmdSynthform, &QPushButton::clicked, synthesizer);
    opens(crystalmenu, &QAction::triggered, synthesizer);
    for (platform::ClickableLabel* l : {lblvcofreq, lblpfd_freq, lblcrystal})
        opens(l, &platform::ClickableLabel::clicked, synthesizer);
    opens(cmdReadback, &QPushButton::clicked, readback);
    opens(mnuReadback, &QAction::triggered, readback);
    // "&Sync Word Detect" in the Settings menu opens the readback window; the sync-word window
    // opens from its status button.
    opens(mnuSync, &QAction::triggered, readback);
    opens(Command1, &QPushButton::clicked, registers);
    opens(registermenu, &QAction::triggered, registers);
    opens(Command2, &QPushButton::clicked,
          [this] { return static_cast<QWidget*>(&app_.frmDemod()); });
    connect(cmdAdvanced, &QPushButton::clicked, this,
            [this] { app_.showModeless(&app_.frmPowerdown()); });
    opens(Command11, &QPushButton::clicked,
          [this] { return static_cast<QWidget*>(&app_.frmSWD()); });
    opens(Command10, &QPushButton::clicked, afc);
    opens(Command9, &QPushButton::clicked,
          [this] { return static_cast<QWidget*>(&app_.frmAGC()); });
    opens(Command8, &QPushButton::clicked, afc);
    opens(LblClockout, &platform::ClickableLabel::clicked, clockOut);
    opens(mnuClockOut, &QAction::triggered, clockOut);
    opens(LblMuxOut, &platform::ClickableLabel::clicked, muxOut);
    opens(muxmenu, &QAction::triggered, muxOut);
    // "&Test Modes" does nothing: no control of this program opens the test-mode window.
    connect(mnuOpen, &QAction::triggered, this, &Main::mnuOpen_Click);
    connect(mnuWriteOmbrelle, &QAction::triggered, this, &Main::mnuWriteOmbrelle_Click);
    connect(mnuSave, &QAction::triggered, this, &Main::mnuSave_Click);
    connect(mnuCreatenewini, &QAction::triggered, this, &Main::mnuCreatenewini_Click);
    connect(mnuPrint, &QAction::triggered, this, &Main::mnuPrint_Click);
    connect(Exitmenu, &QAction::triggered, this, &Main::Exitmenu_Click);
}

} // namespace pellion
