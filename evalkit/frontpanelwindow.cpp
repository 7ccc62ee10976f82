#include "evalkit/frontpanelwindow.h"

#include "evalkit/boardsession.h"
#include "evalkit/commandline.h"
#include "evalkit/filemenu.h"
#include "evalkit/programcontext.h"
#include "platform/clickablelabel.h"
#include "platform/fitwindow.h"
#include "platform/named.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

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

void setDirection(ProgramContext& app, int32_t& TxRxField, bool receive,
                  const std::function<void()>& replan, const std::function<void()>& andThen) {
    TxRxField = receive ? int32_t{1} << 27 : 0;
    replan();
    if (andThen)
        andThen();
    app.UpdateAllRegisterLabels();
}

FrontPanelWindow::FrontPanelWindow(ProgramContext& app, const QString& title, SettingsFile settings)
    : QMainWindow(nullptr), context_(app), settings_(std::move(settings)) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(title);
}

FrontPanelWindow::~FrontPanelWindow() = default;

void FrontPanelWindow::startSession(const BoardRules& rules, const BoardControls& controls,
                                    int16_t* portClaimed) {
    session_ = std::make_unique<BoardSession>(context_, rules, controls, portClaimed);
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

void FrontPanelWindow::setColumns(std::initializer_list<QLayout*> columns) {
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* row = new QHBoxLayout(central);
    for (QLayout* column : columns)
        row->addLayout(column);
    platform::setFittingCentralWidget(*this, central);
}

} // namespace evalkit
