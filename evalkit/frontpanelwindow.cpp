#include "evalkit/frontpanelwindow.h"

#include "evalkit/boardsession.h"
#include "evalkit/commandline.h"
#include "evalkit/filemenu.h"
#include "evalkit/programcontext.h"
#include "platform/clickablelabel.h"
#include "platform/fitwindow.h"
#include "platform/listchoice.h"
#include "platform/named.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace evalkit {

void onTriggered(QObject* context, std::initializer_list<Trigger> controls,
                 const std::function<void()>& run) {
    for (const Trigger& t : controls) {
        if (auto* const* button = std::get_if<QAbstractButton*>(&t))
            QObject::connect(*button, &QAbstractButton::clicked, context, run);
        else if (auto* const* label = std::get_if<platform::ClickableLabel*>(&t))
            QObject::connect(*label, &platform::ClickableLabel::clicked, context, run);
        else if (auto* const* action = std::get_if<QAction*>(&t))
            QObject::connect(*action, &QAction::triggered, context, run);
    }
}

QScrollBar* levelBar(const char* name, int designValue, int minimumWidth) {
    auto* bar = platform::named(new QScrollBar(Qt::Horizontal), name);
    const QSignalBlocker block(bar);
    bar->setRange(0, 63);
    bar->setValue(designValue);
    if (minimumWidth > 0)
        bar->setMinimumWidth(minimumWidth);
    return bar;
}

QGroupBox* switchFrame(const QString& title, std::initializer_list<CaptionedSwitch> switches,
                       QPushButton* bias) {
    auto* frame = new QGroupBox(title);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(bias, addCaptionedRows(grid, 0, switches), 0, 1, 2);
    return frame;
}

int addCaptionedRows(QGridLayout* grid, int row, std::initializer_list<CaptionedSwitch> rows) {
    for (const CaptionedSwitch& r : rows) {
        grid->addWidget(new QLabel(r.caption), row, 0);
        grid->addWidget(r.control, row, 1);
        ++row;
    }
    return row;
}

QVBoxLayout* receiverColumn(std::initializer_list<ReceiverSetting> settings,
                            QPushButton* advancedDemod,
                            std::initializer_list<CaptionedSwitch> statusButtons,
                            QPushButton* foot) {
    auto* column = new QVBoxLayout;
    auto* grid = new QGridLayout(new QGroupBox(QStringLiteral("Receiver")));
    int row = 0;
    for (const ReceiverSetting& s : settings) {
        if (auto* const* label = std::get_if<QLabel*>(&s.caption))
            grid->addWidget(*label, row, 0);
        else
            grid->addWidget(new QLabel(std::get<QString>(s.caption)), row, 0);
        grid->addWidget(s.control, row, 1);
        ++row;
    }
    grid->addWidget(advancedDemod, row++, 0, 1, 2);
    row = addCaptionedRows(grid, row, statusButtons);
    if (foot)
        grid->addWidget(foot, row, 0, 1, 2);
    column->addWidget(grid->parentWidget());
    column->addStretch();
    return column;
}

QGridLayout* synthesizerGrid(const QString& rfCaption, platform::ClickableLabel* rf,
                             platform::ClickableLabel* pfd, platform::ClickableLabel* crystal,
                             QPushButton* settings) {
    auto* grid = new QGridLayout(new QGroupBox(QStringLiteral("Synthesizer")));
    const int row = addCaptionedRows(
        grid, 0,
        {{rfCaption, rf}, {QStringLiteral("PFD"), pfd}, {QStringLiteral("Crystal"), crystal}});
    grid->addWidget(settings, row, 0, 1, 2);
    return grid;
}

DirectionButtons directionButtons(bool receiving) {
    DirectionButtons b{platform::named(new QRadioButton(QStringLiteral("Rx")), "optRx"),
                       platform::named(new QRadioButton(QStringLiteral("Tx")), "optTx")};
    (receiving ? b.optRx : b.optTx)->setChecked(true);
    return b;
}

void connectDirection(QObject* context, ProgramContext& app, DirectionButtons buttons,
                      int32_t& TxRxField, std::function<bool()> replan,
                      std::function<void()> transmitting) {
    // A direction whose plan is refused is not chosen: the buttons show the one in force (their
    // handlers are not to run for that).
    const auto choose = [&TxRxField, buttons, replan](int32_t direction) {
        const int32_t before = TxRxField;
        TxRxField = direction;
        if (replan())
            return true;
        TxRxField = before;
        const QSignalBlocker keepRx(buttons.optRx), keepTx(buttons.optTx);
        (before != 0 ? buttons.optRx : buttons.optTx)->setChecked(true);
        return false;
    };
    // optRx_Click and optTx_Click: an option button's click handler runs when it becomes
    // chosen.
    QObject::connect(buttons.optRx, &QRadioButton::toggled, context,
                     [&app, buttons, choose](bool on) {
                         if (!on)
                             return;
                         if (choose(buttons.optRx->isChecked() ? int32_t{1} << 27 : 0))
                             app.UpdateAllRegisterLabels();
                     });
    QObject::connect(buttons.optTx, &QRadioButton::toggled, context,
                     [&app, buttons, choose, transmitting](bool on) {
                         if (!on)
                             return;
                         if (!choose(!buttons.optTx->isChecked() ? int32_t{1} << 27 : 0))
                             return;
                         transmitting();
                         app.UpdateAllRegisterLabels();
                     });
}

FrontPanelWindow::FrontPanelWindow(ProgramContext& app, const QString& title, SettingsFile settings)
    : QMainWindow(nullptr), context_(app), settings_(std::move(settings)) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(title);
}

FrontPanelWindow::~FrontPanelWindow() = default;

void FrontPanelWindow::Form_Load(const QStringList& arguments) {
    startUp();
    showStatusCaptions();
    importCommandLineFile(arguments);
}

void FrontPanelWindow::startSession(const BoardRules& rules, const BoardControls& controls,
                                    int16_t* portClaimed) {
    session_ = std::make_unique<BoardSession>(context_, rules, controls, portClaimed);
    platform::onChoice(controls.board, this, &FrontPanelWindow::cmbMB_Click);
    connect(controls.connect, &QPushButton::clicked, this, &FrontPanelWindow::ConnectUSB_Click);
}

void FrontPanelWindow::connectRegisterButtons(QPushButton* updateAll, std::vector<int> order) {
    updateAllOrder_ = std::move(order);
    registers_.connectUpdates(this, [this](int n) { updateButton_Click(n); });
    connect(updateAll, &QPushButton::clicked, this, &FrontPanelWindow::cmdUpdateAll_Click);
}

void FrontPanelWindow::updateButton_Click(int registerNumber) {
    context_.writeRegister(registerNumber);
}

void FrontPanelWindow::cmdUpdateAll_Click() {
    for (int n : updateAllOrder_)
        updateButton_Click(n);
}

void FrontPanelWindow::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void FrontPanelWindow::Form_Unload() {
    session_->close();
}

void FrontPanelWindow::Exitmenu_Click() {
    session_->exit();
}

void FrontPanelWindow::cmbMB_Click() {
    session_->boardChosen();
}

void FrontPanelWindow::ConnectUSB_Click() {
    session_->connectClicked();
}

void FrontPanelWindow::importCommandLineFile(const QStringList& arguments) {
    const QString file = commandLineFile(arguments);
    if (!file.isEmpty())
        settings_.import(file);
}

void FrontPanelWindow::mnuOpen_Click() {
    openSettingsFile(context_, settings_.import);
}

void FrontPanelWindow::saveSettingsFile() {
    evalkit::saveSettingsFile(context_, settings_.save);
}

void FrontPanelWindow::mnuPrint_Click() {
    printWindow(context_, this);
}

void FrontPanelWindow::opensModal(std::initializer_list<Trigger> controls,
                                  std::function<QWidget*()> window) {
    onTriggered(this, controls, [this, window] { context_.showModal(window()); });
}

void FrontPanelWindow::opensModeless(std::initializer_list<Trigger> controls,
                                     std::function<QWidget*()> window) {
    onTriggered(this, controls, [this, window] { context_.showModeless(window()); });
}

std::function<void()> FrontPanelWindow::showsModal(std::function<QWidget*()> window) {
    return [this, window] {
        context_.showModal(window());
    };
}

QVBoxLayout* FrontPanelWindow::registerColumn(QPushButton* updateAll, QPushButton* manualEdit,
                                              std::initializer_list<QWidget*> below) const {
    auto* column = new QVBoxLayout;
    column->addWidget(registers_.frame(updateAll, manualEdit));
    for (QWidget* w : below)
        column->addWidget(w);
    column->addStretch();
    return column;
}

MenuItem FrontPanelWindow::openItem() {
    return {&mnuOpen, "mnuOpen", QStringLiteral("&Get Settings (.txt)"), [this] {
                mnuOpen_Click();
            }};
}

MenuItem FrontPanelWindow::printItem() {
    return {&mnuPrint, "mnuPrint", QStringLiteral("&Print This Form"), [this] {
                mnuPrint_Click();
            }};
}

MenuItem FrontPanelWindow::exitItem(const QString& text) {
    return {&Exitmenu, "Exitmenu", text, [this] {
                Exitmenu_Click();
            }};
}

void FrontPanelWindow::setColumns(std::initializer_list<QLayout*> columns) {
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* row = new QHBoxLayout(central);
    for (QLayout* column : columns)
        row->addLayout(column);
    platform::setFittingCentralWidget(*this, central);
}

} // namespace evalkit
