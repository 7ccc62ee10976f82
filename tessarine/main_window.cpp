#include "tessarine/main_window.h"

#include "evalkit/boardsession.h"
#include "platform/named.h"
#include "tessarine/descriptions.h"
#include "tessarine/tessarineapp.h"
#include "tessarine/windows.h"

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
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tessarine {

namespace {

using platform::named;

QPushButton* button(const char* name, const QString& caption) {
    return platform::namedButton(name, caption);
}

QLabel* label(const char* name, const QString& caption) {
    return platform::namedLabel(name, caption);
}

QComboBox* list(const char* name, const QStringList& items) {
    return platform::namedList(name, items);
}

platform::Toggle* toggle(const char* name) {
    return platform::namedToggle(name);
}

platform::ClickableLabel* clickable(const char* name, const QString& toolTip) {
    auto* l = named(new platform::ClickableLabel, name);
    l->setToolTip(toolTip);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

// A level scroll bar 0..63 at its design position, set without running a handler.
QScrollBar* levelBar(const char* name, int designValue) {
    auto* bar = named(new QScrollBar(Qt::Horizontal), name);
    const QSignalBlocker block(bar);
    bar->setRange(0, 63);
    bar->setValue(designValue);
    bar->setMinimumWidth(160);
    return bar;
}

// Every register: its read-out and its Update button. The construction, the layout,
// readout(n) and the Update handlers all go by this one table.
struct RegisterRow {
    int n;
    reglink::RegisterReadout* Main::*readout;
    const char* readoutName;
    QPushButton* Main::*update;
    const char* updateName;
    const char16_t* caption;
};
constexpr RegisterRow kRegisterRows[] = {
    {0, &Main::lblRhex, "lblRhex", &Main::cmdR, "cmdR", u"R"},
    {1, &Main::lblNhex, "lblNhex", &Main::cmdN, "cmdN", u"N"},
    {2, &Main::lblMhex, "lblMhex", &Main::cmdmod2, "cmdmod2", u"Modulation"},
    {3, &Main::lblFhex, "lblFhex", &Main::cmdfunction, "cmdfunction", u"Function"},
};

} // namespace

Main::Main(TessarineApp& app) : QMainWindow(nullptr), app_(app) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Main Interface Page"));
    buildControls();
    buildLayout();
    buildMenus();
    session_ = std::make_unique<evalkit::BoardSession>(
        app_, boardRules(), evalkit::BoardControls{cmbMB, ConnectUSB, Toggle4, {}},
        &app_.w().PortClaimed);
    connectHandlers();
}

Main::~Main() = default;

void Main::buildControls() {
    const QString update = QStringLiteral("Update");
    for (const RegisterRow& r : kRegisterRows) {
        auto* readout = named(new reglink::RegisterReadout, r.readoutName);
        readout->setMinimumWidth(
            readout->fontMetrics().horizontalAdvance(QStringLiteral("0x88888888")) + 16);
        this->*r.readout = readout;
        this->*r.update = button(r.updateName, update);
    }
    cmdUpdateAll = button("cmdUpdateAll", QStringLiteral("Program Registers"));
    cmdUpdateAll->setToolTip(
        QStringLiteral("Click here to Update Registers 0 to 6. Minimum Register writes for Tx "
                       "mode is Regs  0,1,2. For Rx mode its Regs 0,1,3,4 and 6 "));

    cmbMB = list("cmbMB", {QStringLiteral("Quorrabase (Parallel Port Interface)"),
                           QStringLiteral("Quorrabase2 (USB Interface)")});
    ConnectUSB = button("ConnectUSB", evalkit::BoardSession::ConnectCaption);
    Toggle4 = toggle("Toggle4");
    Toggle4->setStateTexts(QStringLiteral("Chip Disabled"), QStringLiteral("Chip Enabled"));
    Label3 = label("Label3", QStringLiteral("Part Used:        Tessarine"));

    lblvcofreq = clickable("lblvcofreq", QStringLiteral("Click here to change output frequency"));
    lblpfd_freq = clickable("lblpfd_freq", QStringLiteral("Click here to change PFD frequency"));
    lblcrystal =
        clickable("lblcrystal", QStringLiteral("Click here to change the Reference frequency"));
    Command2 = button("Command2", QStringLiteral("Synth Settings..."));
    cmdBias = button("cmdBias", QStringLiteral("  Bias Currents     VCO, PA..."));
    cmdBias->setToolTip(QStringLiteral("Click to Change Individual Bias Settings"));
    cmdTestMod = button("cmdTestMod", QStringLiteral("Test Modes"));
    Command3 = button("Command3", QStringLiteral("Other Features"));
    Command1 = button("Command1", QStringLiteral("Manual Register Edit"));
    Command1->setToolTip(QStringLiteral("Click here to enter the manually edit register window."));
    LblMuxOut = clickable("LblMuxOut", QStringLiteral("Click to change the MuxOut feature"));
    LblMuxOut->setText(QStringLiteral("Digital Lock Detect")); // the power-on choice
    LblClockout = clickable("LblClockout", QStringLiteral("Click to Change Clkout frequency"));

    cmbModulation =
        list("cmbModulation", {QStringLiteral("FSK"), QStringLiteral("GFSK"), QStringLiteral("ASK"),
                               QStringLiteral("OOK"), QStringLiteral("GOOK")});
    FrFSK = named(new QGroupBox(QStringLiteral("FSK")), "FrFSK");
    frHideFSK = named(new QGroupBox, "frHideFSK");
    // It hides the deviation entry by lying over it, as plain panel without a frame.
    frHideFSK->setAutoFillBackground(true);
    frHideFSK->setStyleSheet(
        QStringLiteral("QGroupBox#frHideFSK { border: none; background-color: palette(window); }"));
    frGaussian = named(new QGroupBox, "frGaussian");
    FrFSKpower = named(new QGroupBox(QStringLiteral("Power Amplifier")), "FrFSKpower");
    frASK = named(new QGroupBox, "frASK");
    TxtFSKdev = named(new QLineEdit(QStringLiteral("60")), "TxtFSKdev");
    txtDivider = named(new QLineEdit(QStringLiteral("64")), "txtDivider");
    for (QLineEdit* e : {TxtFSKdev, txtDivider})
        e->setMaximumWidth(90);
    Lblfskdev = label("Lblfskdev", QStringLiteral("60.075 kHz"));
    lblTitleModCtrl = label("lblTitleModCtrl", QStringLiteral("Mod Control"));
    lblTitleDateRate = label("lblTitleDateRate", QStringLiteral("Data Rate"));
    lblDatarate = label("lblDatarate", QStringLiteral("1kbps"));
    LblFSKpower = label("LblFSKpower", QStringLiteral("Setting 56"));
    Lbldata0 = label("Lbldata0", QStringLiteral("PA Level"));
    Lblpower1 = label("Lblpower1", QStringLiteral("Setting 40"));
    Lbldata1 = label("Lbldata1", QStringLiteral("Data = 0"));
    cmbIndexCount = list("cmbIndexCount", {QStringLiteral("16"), QStringLiteral("32"),
                                           QStringLiteral("64"), QStringLiteral("128")});
    cmbModCtrl = list("cmbModCtrl", {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                     QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                                     QStringLiteral("6"), QStringLiteral("7")});
    cmbIcp = list("cmbIcp", {QStringLiteral("Icp = 0.3mA"), QStringLiteral("Icp = 0.9mA"),
                             QStringLiteral("Icp = 1.5mA"), QStringLiteral("Icp = 2.1mA")});
    HScroll2 = levelBar("HScroll2", 56);
    HScrollASKFine1 = levelBar("HScrollASKFine1", 40);
    TogPLL = toggle("TogPLL");
    TogOutput = toggle("TogOutput");
    TogVCO = toggle("TogVCO");
    TogCrystal = toggle("TogCrystal");
    TogCrystal->setToolTip(QStringLiteral("Click here to turn the oscillator circuitry on/off"));
    // Shown only with the schemes that use them.
    for (QWidget* w : {static_cast<QWidget*>(frHideFSK), static_cast<QWidget*>(frGaussian),
                       static_cast<QWidget*>(lblTitleDateRate), static_cast<QWidget*>(lblDatarate),
                       static_cast<QWidget*>(frASK)})
        w->setVisible(false);
}

void Main::buildLayout() {
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* columns = new QHBoxLayout(central);

    auto caption = [](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text);
        l->setBuddy(buddy);
        return l;
    };

    // Left column: the board, the synthesizer and the power-down switches.
    auto* left = new QVBoxLayout;
    auto* board = new QGroupBox(QStringLiteral("Evaluation Board"));
    auto* boardGrid = new QGridLayout(board);
    boardGrid->addWidget(caption(QStringLiteral("Select &Mother Board:"), cmbMB), 0, 0, 1, 2);
    boardGrid->addWidget(cmbMB, 1, 0, 1, 2);
    boardGrid->addWidget(ConnectUSB, 2, 0);
    boardGrid->addWidget(Toggle4, 2, 1);
    boardGrid->addWidget(Label3, 3, 0, 1, 2);
    left->addWidget(board);

    auto* synth = new QGroupBox(QStringLiteral("Synthesizer"));
    auto* synthGrid = new QGridLayout(synth);
    synthGrid->addWidget(new QLabel(QStringLiteral("RF Output")), 0, 0);
    synthGrid->addWidget(lblvcofreq, 0, 1);
    synthGrid->addWidget(new QLabel(QStringLiteral("PFD")), 1, 0);
    synthGrid->addWidget(lblpfd_freq, 1, 1);
    synthGrid->addWidget(new QLabel(QStringLiteral("Crystal")), 2, 0);
    synthGrid->addWidget(lblcrystal, 2, 1);
    synthGrid->addWidget(Command2, 3, 0, 1, 2);
    synthGrid->addWidget(caption(QStringLiteral("C&harge Pump Current"), cmbIcp), 4, 0);
    synthGrid->addWidget(cmbIcp, 4, 1);
    synthGrid->addWidget(new QLabel(QStringLiteral("Crystal Oscillator")), 5, 0);
    synthGrid->addWidget(TogCrystal, 5, 1);
    left->addWidget(synth);

    auto* power = new QGroupBox(QStringLiteral("PowerDown/Bias Currents"));
    auto* powerGrid = new QGridLayout(power);
    powerGrid->addWidget(new QLabel(QStringLiteral("PLL")), 0, 0);
    powerGrid->addWidget(TogPLL, 0, 1);
    powerGrid->addWidget(new QLabel(QStringLiteral("PA")), 1, 0);
    powerGrid->addWidget(TogOutput, 1, 1);
    powerGrid->addWidget(new QLabel(QStringLiteral("VCO")), 2, 0);
    powerGrid->addWidget(TogVCO, 2, 1);
    powerGrid->addWidget(cmdBias, 3, 0, 1, 2);
    left->addWidget(power);
    left->addStretch();

    // Middle column: the modulation and the power amplifier.
    auto* middle = new QVBoxLayout;
    auto* scheme = new QHBoxLayout;
    scheme->addWidget(caption(QStringLiteral("Modulation &Scheme"), cmbModulation));
    scheme->addWidget(cmbModulation, 1);
    middle->addLayout(scheme);

    auto* fsk = new QGridLayout(FrFSK);
    auto* entry = new QWidget;
    auto* entryGrid = new QGridLayout(entry);
    entryGrid->setContentsMargins(0, 0, 0, 0);
    entryGrid->addWidget(caption(QStringLiteral("Desired &Deviation"), TxtFSKdev), 0, 0);
    entryGrid->addWidget(TxtFSKdev, 0, 1);
    entryGrid->addWidget(new QLabel(QStringLiteral("kHz")), 0, 2);
    entryGrid->addWidget(new QLabel(QStringLiteral("Actual Deviation")), 1, 0);
    entryGrid->addWidget(Lblfskdev, 1, 1, 1, 2);
    fsk->addWidget(entry, 0, 0, 1, 2);
    fsk->addWidget(frHideFSK, 0, 0, 1, 2);
    frHideFSK->raise(); // above the entry it covers
    auto* gaussian = new QGridLayout(frGaussian);
    gaussian->addWidget(caption(QStringLiteral("Di&vider Number"), txtDivider), 0, 0);
    gaussian->addWidget(txtDivider, 0, 1);
    gaussian->addWidget(caption(QStringLiteral("&Index Counter"), cmbIndexCount), 1, 0);
    gaussian->addWidget(cmbIndexCount, 1, 1);
    lblTitleModCtrl->setBuddy(cmbModCtrl);
    gaussian->addWidget(lblTitleModCtrl, 2, 0);
    gaussian->addWidget(cmbModCtrl, 2, 1);
    fsk->addWidget(frGaussian, 1, 0, 1, 2);
    fsk->addWidget(lblTitleDateRate, 2, 0);
    fsk->addWidget(lblDatarate, 2, 1);
    middle->addWidget(FrFSK);

    auto levelRow = [](QGridLayout* grid, int row, QScrollBar* bar) {
        grid->addWidget(new QLabel(QStringLiteral("-16dBm")), row, 0);
        grid->addWidget(bar, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("+14dBm")), row, 2);
    };
    auto* pa = new QGridLayout(FrFSKpower);
    pa->addWidget(Lbldata0, 0, 0, 1, 2);
    pa->addWidget(LblFSKpower, 0, 2);
    levelRow(pa, 1, HScroll2);
    middle->addWidget(FrFSKpower);

    auto* ask = new QGridLayout(frASK);
    ask->addWidget(Lbldata1, 0, 0, 1, 2);
    ask->addWidget(Lblpower1, 0, 2);
    levelRow(ask, 1, HScrollASKFine1);
    middle->addWidget(frASK);
    middle->addStretch();

    // Right column: every register read-out beside its Update button, and the windows of the
    // chip's other settings.
    auto* regs = new QGroupBox(QStringLiteral("Registers"));
    auto* regGrid = new QGridLayout(regs);
    int r = 0;
    for (const RegisterRow& row : kRegisterRows) {
        regGrid->addWidget(new QLabel(QString::fromUtf16(row.caption)), r, 0);
        regGrid->addWidget(this->*row.readout, r, 1);
        regGrid->addWidget(this->*row.update, r, 2);
        ++r;
    }
    regGrid->addWidget(cmdUpdateAll, r++, 0, 1, 3);
    regGrid->addWidget(Command1, r++, 0, 1, 3);

    auto* features = new QGroupBox(QStringLiteral("Other Settings"));
    auto* featureGrid = new QGridLayout(features);
    featureGrid->addWidget(new QLabel(QStringLiteral("MUXOUT")), 0, 0);
    featureGrid->addWidget(LblMuxOut, 0, 1);
    featureGrid->addWidget(new QLabel(QStringLiteral("Clock Out")), 1, 0);
    featureGrid->addWidget(LblClockout, 1, 1);
    featureGrid->addWidget(cmdTestMod, 2, 0, 1, 2);
    featureGrid->addWidget(Command3, 3, 0, 1, 2);

    auto* right = new QVBoxLayout;
    right->addWidget(regs);
    right->addWidget(features);
    right->addStretch();

    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right);
    setCentralWidget(central);
}

void Main::buildMenus() {
    auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [](QMenu* m, const char* name, const QString& caption) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenu* file = menu("Filemenu", QStringLiteral("&File"));
    mnuOpen = item(file, "mnuOpen", QStringLiteral("&Get Settings (.txt)"));
    mnuSave = item(file, "mnuSave", QStringLiteral("&Save Settings (.txt)"));
    mnuPrint = item(file, "mnuPrint", QStringLiteral("&Print This Form"));
    Exitmenu = item(file, "Exitmenu", QStringLiteral("&Exit"));
    QMenu* settings = menu("settingsmenu", QStringLiteral("&Settings"));
    crystalmenu = item(settings, "crystalmenu", QStringLiteral("&Synthesizer Settings"));
    mnuPowerDown = item(settings, "mnuPowerDown", QStringLiteral("&Bias Currents"));
    muxmenu = item(settings, "muxmenu", QStringLiteral("&Muxout"));
    mnuClkOut = item(settings, "mnuClkOut", QStringLiteral("&Clock Out Divide"));
    testmenu = item(settings, "testmenu", QStringLiteral("&Test Modes"));
    registermenu = item(settings, "registermenu", QStringLiteral("&Registers"));
    QMenu* options = menu("optionsmenu", QStringLiteral("&Options"));
    portmenu = item(options, "portmenu", QStringLiteral("&Port"));
    QMenu* help = menu("mnuHelp", QStringLiteral("&Help"));
    mnuAbout = item(help, "mnuAbout", QStringLiteral("&About this Rev (Rev 4.0)"));
    mnuRev = item(help, "mnuRev", QStringLiteral("&Revision History"));
    mnuThinkPad = item(help, "mnuThinkPad", QStringLiteral("&IBM Think Pad Help"));
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

    connect(cmbMB, &QComboBox::currentIndexChanged, this, &Main::cmbMB_Click);
    connect(ConnectUSB, &QPushButton::clicked, this, &Main::ConnectUSB_Click);
    connect(Toggle4, &platform::Toggle::toggled, this, &Main::Toggle4_Change);

    connect(cmbModulation, &QComboBox::currentIndexChanged, this, &Main::cmbModulation_Click);
    connect(TxtFSKdev, &QLineEdit::textChanged, this, &Main::TxtFSKdev_Change);
    connect(cmbModCtrl, &QComboBox::currentIndexChanged, this, &Main::cmbModCtrl_Click);
    connect(cmbIndexCount, &QComboBox::currentIndexChanged, this, &Main::cmbIndexCount_Click);
    connect(txtDivider, &QLineEdit::textChanged, this, &Main::txtDivider_Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &Main::HScroll2_Change);
    connect(HScrollASKFine1, &QScrollBar::valueChanged, this, &Main::HScrollASKFine1_Change);
    connect(cmbIcp, &QComboBox::currentIndexChanged, this, &Main::cmbIcp_Click);
    connect(TogPLL, &platform::Toggle::toggled, this, &Main::TogPLL_Change);
    connect(TogOutput, &platform::Toggle::toggled, this, &Main::TogOutput_Change);
    connect(TogVCO, &platform::Toggle::toggled, this, &Main::TogVCO_Change);
    connect(TogCrystal, &platform::Toggle::toggled, this, &Main::TogCrystal_Change);

    const auto modal = [this](QWidget* window) {
        app_.showModal(window);
    };
    const auto synth = [this, modal] {
        modal(&app_.synthform());
    };
    const auto bias = [this, modal] {
        modal(&app_.frmPowerdown());
    };
    const auto mux = [this, modal] {
        modal(&app_.muxform());
    };
    const auto clockOut = [this, modal] {
        modal(&app_.frmClockOut());
    };
    const auto registers = [this, modal] {
        modal(&app_.frmRegisters());
    };
    connect(crystalmenu, &QAction::triggered, this, synth);
    connect(Command2, &QPushButton::clicked, this, synth);
    for (platform::ClickableLabel* l : {lblvcofreq, lblpfd_freq, lblcrystal})
        connect(l, &platform::ClickableLabel::clicked, this, synth);
    connect(mnuPowerDown, &QAction::triggered, this, bias);
    connect(cmdBias, &QPushButton::clicked, this, bias);
    connect(muxmenu, &QAction::triggered, this, mux);
    connect(LblMuxOut, &platform::ClickableLabel::clicked, this, mux);
    connect(mnuClkOut, &QAction::triggered, this, clockOut);
    connect(LblClockout, &platform::ClickableLabel::clicked, this, clockOut);
    connect(testmenu, &QAction::triggered, this, &Main::testmenu_Click);
    connect(cmdTestMod, &QPushButton::clicked, this,
            [this] { app_.showModeless(&app_.frmTestModes()); });
    connect(Command3, &QPushButton::clicked, this,
            [this] { app_.showModeless(&app_.frmOtherFeatures()); });
    connect(registermenu, &QAction::triggered, this, registers);
    connect(Command1, &QPushButton::clicked, this, registers);
    connect(portmenu, &QAction::triggered, this, [this, modal] { modal(&app_.portform()); });
    connect(mnuAbout, &QAction::triggered, this, [this, modal] { modal(&app_.aboutform()); });
    connect(mnuRev, &QAction::triggered, this, [this, modal] { modal(&app_.revform()); });
    connect(mnuThinkPad, &QAction::triggered, this, [this, modal] { modal(&app_.IBMhelpform()); });

    connect(mnuOpen, &QAction::triggered, this, &Main::mnuOpen_Click);
    connect(mnuSave, &QAction::triggered, this, &Main::mnuSave_Click);
    connect(mnuPrint, &QAction::triggered, this, &Main::mnuPrint_Click);
    connect(Exitmenu, &QAction::triggered, this, &Main::Exitmenu_Click);
}

void Main::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

} // namespace tessarine
