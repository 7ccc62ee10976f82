// The front panel's controls, their layout, its menus and the handler each control runs.
#include "tessarine/frontpanel.h"

#include "evalkit/boardframe.h"
#include "evalkit/boardsession.h"
#include "evalkit/menutable.h"
#include "platform/listchoice.h"
#include "platform/named.h"
#include "tessarine/descriptions.h"
#include "tessarine/settingsfile.h"
#include "tessarine/tessarineapp.h"
#include "tessarine/windows.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
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

using platform::named;
using platform::namedButton;
using platform::namedLabel;
using platform::namedList;
using platform::namedToggle;

namespace {

platform::ClickableLabel* clickable(const char* name, const QString& toolTip) {
    auto* l = named(new platform::ClickableLabel, name);
    l->setToolTip(toolTip);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

// The cover of the deviation entry stands in for it: while the cover is shown the entry is
// hidden, and the cover itself takes no room, so the frame shows no blank panel where the
// entry was.
class EntryCover : public QObject {
public:
    EntryCover(QGroupBox* cover, QWidget* entry) : QObject(entry), cover_(cover), entry_(entry) {
        cover->setParent(entry->parentWidget());
        cover->setFixedSize(0, 0);
        cover->installEventFilter(this);
        entry->setVisible(cover->isHidden());
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
            entry_->setVisible(cover_->isHidden());
        return false;
    }

private:
    QGroupBox* cover_;
    QWidget* entry_;
};

} // namespace

Main::Main(TessarineApp& app)
    : FrontPanelWindow(app, QStringLiteral("Main Interface Page"),
                       settingsFile(app, ImportSettings, ExportSettings)),
      app_(app) {
    buildControls();
    buildLayout();
    buildMenus();
    startSession(boardRules(), {cmbMB, ConnectUSB, chipEnable, {}}, &app_.w().PortClaimed);
    connectHandlers();
}

Main::~Main() = default;

void Main::buildControls() {
    // Every register: its read-out and its Update button.
    registers_.build(
        {{}, {}, QStringLiteral("0x88888888")},
        {
            {0, &lblRhex, "lblRhex", &cmdR, "cmdR", QStringLiteral("R")},
            {1, &lblNhex, "lblNhex", &cmdN, "cmdN", QStringLiteral("N")},
            {2, &lblMhex, "lblMhex", &cmdmod2, "cmdmod2", QStringLiteral("Modulation")},
            {3, &lblFhex, "lblFhex", &cmdfunction, "cmdfunction", QStringLiteral("Function")},
        });
    cmdUpdateAll = namedButton("cmdUpdateAll", QStringLiteral("Program Registers"));
    // The chip is a transmitter with four registers; the button writes all of them.
    cmdUpdateAll->setToolTip(QStringLiteral(
        "Click here to update all four registers: R, N, Modulation and Function, in that order"));

    const evalkit::BoardWidgets board =
        evalkit::boardWidgets({{QStringLiteral("Quorrabase (Parallel Port Interface)"),
                                QStringLiteral("Quorrabase2 (USB Interface)")}});
    cmbMB = board.board;
    ConnectUSB = board.connect;
    chipEnable = board.chipEnable;
    chipEnable->setStateTexts(QStringLiteral("Chip Disabled"), QStringLiteral("Chip Enabled"));
    partUsed = namedLabel("Label3", QStringLiteral("Part Used:        Tessarine"));

    lblvcofreq = clickable("lblvcofreq", QStringLiteral("Click here to change output frequency"));
    lblpfd_freq = clickable("lblpfd_freq", QStringLiteral("Click here to change PFD frequency"));
    lblcrystal =
        clickable("lblcrystal", QStringLiteral("Click here to change the Reference frequency"));
    synthSettings = namedButton("Command2", QStringLiteral("Synth Settings..."));
    cmdBias = namedButton("cmdBias", QStringLiteral("  Bias Currents     VCO, PA..."));
    cmdBias->setToolTip(QStringLiteral("Click to Change Individual Bias Settings"));
    cmdTestMod = namedButton("cmdTestMod", QStringLiteral("Test Modes"));
    otherFeatures = namedButton("Command3", QStringLiteral("Other Features"));
    manualRegisterEdit = namedButton("Command1", QStringLiteral("Manual Register Edit"));
    manualRegisterEdit->setToolTip(
        QStringLiteral("Click here to enter the manually edit register window."));
    LblMuxOut = clickable("LblMuxOut", QStringLiteral("Click to change the MuxOut feature"));
    LblMuxOut->setText(QStringLiteral("Digital Lock Detect")); // the power-on choice
    LblClockout = clickable("LblClockout", QStringLiteral("Click to Change Clkout frequency"));

    cmbModulation = namedList("cmbModulation",
                              {QStringLiteral("FSK"), QStringLiteral("GFSK"), QStringLiteral("ASK"),
                               QStringLiteral("OOK"), QStringLiteral("GOOK")});
    FrFSK = named(new QGroupBox(QStringLiteral("FSK")), "FrFSK");
    frHideFSK = named(new QGroupBox, "frHideFSK");
    frGaussian = named(new QGroupBox, "frGaussian");
    FrFSKpower = named(new QGroupBox(QStringLiteral("Power Amplifier")), "FrFSKpower");
    frASK = named(new QGroupBox, "frASK");
    TxtFSKdev = named(new QLineEdit(QStringLiteral("60")), "TxtFSKdev");
    txtDivider = named(new QLineEdit(QStringLiteral("64")), "txtDivider");
    for (QLineEdit* e : {TxtFSKdev, txtDivider})
        e->setMaximumWidth(90);
    Lblfskdev = namedLabel("Lblfskdev", QStringLiteral("60.075 kHz"));
    lblTitleModCtrl = namedLabel("lblTitleModCtrl", QStringLiteral("Mod Control"));
    lblTitleDateRate = namedLabel("lblTitleDateRate", QStringLiteral("Data Rate"));
    lblDatarate = namedLabel("lblDatarate", QStringLiteral("1kbps"));
    LblFSKpower = namedLabel("LblFSKpower", QStringLiteral("Setting 56"));
    paLevelCaption = namedLabel("Lbldata0", QStringLiteral("PA Level"));
    paLevelLowSetting = namedLabel("Lblpower1", QStringLiteral("Setting 40"));
    paLevelLowCaption = namedLabel("Lbldata1", QStringLiteral("Data = 0"));
    cmbIndexCount = namedList("cmbIndexCount", {QStringLiteral("16"), QStringLiteral("32"),
                                                QStringLiteral("64"), QStringLiteral("128")});
    cmbModCtrl =
        namedList("cmbModCtrl", {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                 QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                                 QStringLiteral("6"), QStringLiteral("7")});
    cmbIcp = namedList("cmbIcp", {QStringLiteral("Icp = 0.3mA"), QStringLiteral("Icp = 0.9mA"),
                                  QStringLiteral("Icp = 1.5mA"), QStringLiteral("Icp = 2.1mA")});
    paLevel = evalkit::levelBar("HScroll2", 56, 160);
    paLevelLow = evalkit::levelBar("HScrollASKFine1", 40, 160);
    TogPLL = namedToggle("TogPLL");
    TogOutput = namedToggle("TogOutput");
    TogVCO = namedToggle("TogVCO");
    TogCrystal = namedToggle("TogCrystal");
    TogCrystal->setToolTip(QStringLiteral("Click here to turn the oscillator circuitry on/off"));
    // Shown only with the schemes that use them.
    for (QWidget* w : {static_cast<QWidget*>(frHideFSK), static_cast<QWidget*>(frGaussian),
                       static_cast<QWidget*>(lblTitleDateRate), static_cast<QWidget*>(lblDatarate),
                       static_cast<QWidget*>(frASK)})
        w->setVisible(false);
}

void Main::buildLayout() {
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
    boardGrid->addWidget(chipEnable, 2, 1);
    boardGrid->addWidget(partUsed, 3, 0, 1, 2);
    left->addWidget(board);

    QGridLayout* synthGrid = evalkit::synthesizerGrid(QStringLiteral("RF Output"), lblvcofreq,
                                                      lblpfd_freq, lblcrystal, synthSettings);
    synthGrid->addWidget(caption(QStringLiteral("C&harge Pump Current"), cmbIcp), 4, 0);
    synthGrid->addWidget(cmbIcp, 4, 1);
    synthGrid->addWidget(new QLabel(QStringLiteral("Crystal Oscillator")), 5, 0);
    synthGrid->addWidget(TogCrystal, 5, 1);
    left->addWidget(synthGrid->parentWidget());

    left->addWidget(evalkit::switchFrame(QStringLiteral("PowerDown/Bias Currents"),
                                         {{QStringLiteral("PLL"), TogPLL},
                                          {QStringLiteral("PA"), TogOutput},
                                          {QStringLiteral("VCO"), TogVCO}},
                                         cmdBias));
    left->addStretch();

    // Middle column: the modulation frame, headed by the scheme it is captioned with, and the
    // power amplifier.
    auto* middle = new QVBoxLayout;
    auto* fsk = new QGridLayout(FrFSK);
    fsk->addWidget(caption(QStringLiteral("Modulation &Scheme"), cmbModulation), 0, 0);
    fsk->addWidget(cmbModulation, 0, 1);
    auto* entry = new QWidget;
    auto* entryGrid = new QGridLayout(entry);
    entryGrid->setContentsMargins(0, 0, 0, 0);
    entryGrid->addWidget(caption(QStringLiteral("Desired &Deviation"), TxtFSKdev), 0, 0);
    entryGrid->addWidget(TxtFSKdev, 0, 1);
    entryGrid->addWidget(new QLabel(QStringLiteral("kHz")), 0, 2);
    entryGrid->addWidget(new QLabel(QStringLiteral("Actual Deviation")), 1, 0);
    entryGrid->addWidget(Lblfskdev, 1, 1, 1, 2);
    fsk->addWidget(entry, 1, 0, 1, 2);
    auto* gaussian = new QGridLayout(frGaussian);
    gaussian->addWidget(caption(QStringLiteral("Di&vider Number"), txtDivider), 0, 0);
    gaussian->addWidget(txtDivider, 0, 1);
    gaussian->addWidget(caption(QStringLiteral("&Index Counter"), cmbIndexCount), 1, 0);
    gaussian->addWidget(cmbIndexCount, 1, 1);
    lblTitleModCtrl->setBuddy(cmbModCtrl);
    gaussian->addWidget(lblTitleModCtrl, 2, 0);
    gaussian->addWidget(cmbModCtrl, 2, 1);
    fsk->addWidget(frGaussian, 2, 0, 1, 2);
    fsk->addWidget(lblTitleDateRate, 3, 0);
    fsk->addWidget(lblDatarate, 3, 1);
    new EntryCover(frHideFSK, entry);
    middle->addWidget(FrFSK);

    auto levelRow = [](QGridLayout* grid, int row, QScrollBar* bar) {
        grid->addWidget(new QLabel(QStringLiteral("-16dBm")), row, 0);
        grid->addWidget(bar, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("+14dBm")), row, 2);
    };
    auto* pa = new QGridLayout(FrFSKpower);
    pa->addWidget(paLevelCaption, 0, 0, 1, 2);
    pa->addWidget(LblFSKpower, 0, 2);
    levelRow(pa, 1, paLevel);
    middle->addWidget(FrFSKpower);

    auto* ask = new QGridLayout(frASK);
    ask->addWidget(paLevelLowCaption, 0, 0, 1, 2);
    ask->addWidget(paLevelLowSetting, 0, 2);
    levelRow(ask, 1, paLevelLow);
    middle->addWidget(frASK);
    middle->addStretch();

    // Right column: every register read-out beside its Update button, and the windows of the
    // chip's other settings.
    auto* features = new QGroupBox(QStringLiteral("Other Settings"));
    auto* featureGrid = new QGridLayout(features);
    featureGrid->addWidget(new QLabel(QStringLiteral("MUXOUT")), 0, 0);
    featureGrid->addWidget(LblMuxOut, 0, 1);
    featureGrid->addWidget(new QLabel(QStringLiteral("Clock Out")), 1, 0);
    featureGrid->addWidget(LblClockout, 1, 1);
    featureGrid->addWidget(cmdTestMod, 2, 0, 1, 2);
    featureGrid->addWidget(otherFeatures, 3, 0, 1, 2);

    setColumns({left, middle, registerColumn(cmdUpdateAll, manualRegisterEdit, {features})});
}

void Main::buildMenus() {
    const auto synth = showsModal([this] { return &app_.synthform(); });
    const auto bias = showsModal([this] { return &app_.biasWindow(); });
    const auto mux = showsModal([this] { return &app_.muxform(); });
    const auto clockOut = showsModal([this] { return &app_.frmClockOut(); });
    const auto registers = showsModal([this] { return &app_.frmRegisters(); });
    evalkit::addMenus(
        menuBar(), this,
        {
            {"Filemenu",
             QStringLiteral("&File"),
             {
                 openItem(),
                 {&mnuSave, "mnuSave", QStringLiteral("&Save Settings (.txt)"),
                  [this] {
                      mnuSave_Click();
                  }},
                 printItem(),
                 exitItem(QStringLiteral("&Exit")),
             }},
            {"settingsmenu",
             QStringLiteral("&Settings"),
             {
                 {&crystalmenu, "crystalmenu", QStringLiteral("&Synthesizer Settings"), synth},
                 {&mnuPowerDown, "mnuPowerDown", QStringLiteral("&Bias Currents"), bias},
                 {&muxmenu, "muxmenu", QStringLiteral("&Muxout"), mux},
                 {&mnuClkOut, "mnuClkOut", QStringLiteral("&Clock Out Divide"), clockOut},
                 {&testmenu, "testmenu", QStringLiteral("&Test Modes"),
                  [this] {
                      testmenu_Click();
                  }},
                 {&registermenu, "registermenu", QStringLiteral("&Registers"), registers},
             }},
            {"optionsmenu",
             QStringLiteral("&Options"),
             {{&portmenu, "portmenu", QStringLiteral("&Port"),
               showsModal([this] { return &app_.portform(); })}}},
            {"mnuHelp",
             QStringLiteral("&Help"),
             {
                 {&mnuAbout, "mnuAbout", QStringLiteral("&About this Rev (Rev 4.0)"),
                  showsModal([this] { return &app_.aboutform(); })},
                 {&mnuRev, "mnuRev", QStringLiteral("&Revision History"),
                  showsModal([this] { return &app_.revform(); })},
                 {&mnuThinkPad, "mnuThinkPad", QStringLiteral("&IBM Think Pad Help"),
                  showsModal([this] { return &app_.IBMhelpform(); })},
             }},
        });
}

void Main::connectHandlers() {
    // R, N, modulation and function, as cmdR, cmdN, cmdmod2 and cmdfunction write them.
    connectRegisterButtons(cmdUpdateAll, {0, 1, 2, 3});

    connect(chipEnable, &platform::Toggle::toggled, this, &Main::chipEnable_Change);

    platform::onChoice(cmbModulation, this, &Main::cmbModulation_Click);
    app_.entries().watch(TxtFSKdev, {QStringLiteral("deviation"), QStringLiteral("kHz")},
                         [this] { TxtFSKdev_Change(); });
    platform::onChoice(cmbModCtrl, this, &Main::cmbModCtrl_Click);
    platform::onChoice(cmbIndexCount, this, &Main::cmbIndexCount_Click);
    app_.entries().watch(txtDivider, {QStringLiteral("divider number")},
                         [this] { txtDivider_Change(); });
    connect(paLevel, &QScrollBar::valueChanged, this, &Main::paLevel_Change);
    connect(paLevelLow, &QScrollBar::valueChanged, this, &Main::paLevelLow_Change);
    platform::onChoice(cmbIcp, this, &Main::cmbIcp_Click);
    connect(TogPLL, &platform::Toggle::toggled, this, &Main::TogPLL_Change);
    connect(TogOutput, &platform::Toggle::toggled, this, &Main::TogOutput_Change);
    connect(TogVCO, &platform::Toggle::toggled, this, &Main::TogVCO_Change);
    connect(TogCrystal, &platform::Toggle::toggled, this, &Main::TogCrystal_Change);

    // The windows the panel's buttons and labels open (the menus open theirs); the test-mode
    // and other-feature windows stay beside the panel.
    opensModal({synthSettings, lblvcofreq, lblpfd_freq, lblcrystal},
               [this] { return &app_.synthform(); });
    opensModal({cmdBias}, [this] { return &app_.biasWindow(); });
    opensModal({LblMuxOut}, [this] { return &app_.muxform(); });
    opensModal({LblClockout}, [this] { return &app_.frmClockOut(); });
    opensModeless({cmdTestMod}, [this] { return &app_.frmTestModes(); });
    opensModeless({otherFeatures}, [this] { return &app_.frmOtherFeatures(); });
    opensModal({manualRegisterEdit}, [this] { return &app_.frmRegisters(); });
}

} // namespace tessarine
