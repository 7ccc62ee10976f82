#pragma once
// What every program's front panel has beyond its own controls and layout: the load handler;
// the board session behind the board choice, the link button and the shut-down; the register
// column with its buttons; the settings-file and print items of the File menu; the controls
// that open windows; and the pieces of layout and wiring the panels share.
#include "evalkit/menutable.h"
#include "evalkit/registercolumn.h"

#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <variant>
#include <vector>

// The controls of the panels.
class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QVBoxLayout;

namespace platform {
class ClickableLabel;
}

namespace evalkit {

class BoardSession;
class ProgramContext;
struct BoardControls;
struct BoardRules;

// A control the user works to open a window: a button, a clickable label or a menu item.
using Trigger = std::variant<QAbstractButton*, platform::ClickableLabel*, QAction*>;
// Runs `run` (in `context`) whenever one of the controls is used.
void onTriggered(QObject* context, std::initializer_list<Trigger> controls,
                 const std::function<void()>& run);

// A level scroll bar 0..63 at its design position, set without running a handler; at least
// `minimumWidth` wide (0: as the style makes it).
QScrollBar* levelBar(const char* name, int designValue, int minimumWidth = 0);

// A frame of on/off switches, each beside its caption, with the button of the window that sets
// the bias currents across the foot.
struct CaptionedSwitch {
    QString caption;
    QWidget* control;
};
QGroupBox* switchFrame(const QString& title, std::initializer_list<CaptionedSwitch> switches,
                       QPushButton* bias);

// Rows of a grid from `row` on, each control beside its caption; the next free row.
int addCaptionedRows(QGridLayout* grid, int row, std::initializer_list<CaptionedSwitch> rows);

// A transceiver's "Receiver" frame, at the top of its own column: the receiver settings, each
// beside its caption (a text, or a label of the panel's own that comes and goes with its
// setting); the advanced demodulator button across; the feature windows' status buttons beside
// their captions; and `foot` across the bottom where given.
struct ReceiverSetting {
    std::variant<QString, QLabel*> caption;
    QWidget* control;
};
QVBoxLayout* receiverColumn(std::initializer_list<ReceiverSetting> settings,
                            QPushButton* advancedDemod,
                            std::initializer_list<CaptionedSwitch> statusButtons,
                            QPushButton* foot = nullptr);

// The grid of a new "Synthesizer" frame (its parent widget) with its first rows: the RF, PFD
// and crystal frequencies beside their captions, then the synthesizer window's button across.
// The caller adds its own rows from row 4 on.
QGridLayout* synthesizerGrid(const QString& rfCaption, platform::ClickableLabel* rf,
                             platform::ClickableLabel* pfd, platform::ClickableLabel* crystal,
                             QPushButton* settings);

// The synthesizer window's calculation and then its update, as its two buttons run them.
// A calculation that is refused (said, and nothing of it kept) has nothing to update: the
// window is unloaded without its return step, so that nothing moves, and the result is false.
template <class App> bool planSynthesizer(App& app) {
    if (!app.synthform().CmdCalculate_Click()) {
        app.synthform().unload();
        return false;
    }
    app.synthform().returnToPanel_Click();
    return true;
}

// The receive and transmit option buttons, optRx and optTx: the chosen one runs its click
// handler. TxRxField takes bit 27 for receive, the synthesizer plans again for the direction
// (`replan`), choosing transmit then runs `transmitting`, and the read-outs refresh. The
// direction and its plan are one choice: when `replan` says the plan was refused, TxRxField
// and the buttons return to the direction in force, and nothing else runs.
struct DirectionButtons {
    QRadioButton* optRx;
    QRadioButton* optTx;
};
// The two buttons, the one for the direction the chip starts in chosen.
DirectionButtons directionButtons(bool receiving);
void connectDirection(QObject* context, ProgramContext& app, DirectionButtons buttons,
                      int32_t& TxRxField, std::function<bool()> replan,
                      std::function<void()> transmitting);

class FrontPanelWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "Main";
    ~FrontPanelWindow() override;

    // The load handler: the program's start-up, the captions the feature windows set on their
    // return for the fields as they stand, then the settings file named on the command line.
    void Form_Load(const QStringList& arguments = {});

    // Closing the panel and the Exit item: the board rule's library calls, then the end.
    void Form_Unload();
    void Exitmenu_Click();
    // The motherboard list and the USB link button.
    void cmbMB_Click();
    void ConnectUSB_Click();
    // "&Get Settings (.txt)" and "&Print This Form".
    void mnuOpen_Click();
    void mnuPrint_Click();
    // The File menu's items every panel has.
    QAction *mnuOpen = nullptr, *mnuPrint = nullptr, *Exitmenu = nullptr;

    // An Update button writes its register; the program-all button runs the Update buttons
    // in the program's order.
    virtual void updateButton_Click(int registerNumber);
    void cmdUpdateAll_Click();

    // The read-out of register n, its Update button and the caption beside them; nullptr for
    // a register without a row.
    reglink::RegisterReadout* readout(int n) const { return registers_.readout(n); }
    QPushButton* updateButton(int n) const { return registers_.updateButton(n); }
    QLabel* registerCaption(int n) const { return registers_.caption(n); }

protected:
    // What the program does with a settings file: read one in, write one out.
    struct SettingsFile {
        std::function<void(const QString&)> import;
        std::function<void(const QString&)> save;
    };
    FrontPanelWindow(ProgramContext& app, const QString& title, SettingsFile settings);
    // The settings file read in and written out by the program's procedures over its context.
    template <class App, class Import, class Save>
    static SettingsFile settingsFile(App& app, Import import, Save save) {
        return {[&app, import](const QString& path) { import(app, path); },
                [&app, save](const QString& path) {
                    save(app, path);
                }};
    }

    // Closing the panel ends the program: no hidden window may keep it running without one.
    void closeEvent(QCloseEvent* event) override;

    // The start-up of the load handler, and the status captions it shows.
    virtual void startUp() = 0;
    virtual void showStatusCaptions() = 0;

    // The session over the board controls, once they are built; the board list and the link
    // button run their click handlers.
    void startSession(const BoardRules& rules, const BoardControls& controls,
                      int16_t* portClaimed = nullptr);
    // The register column's Update buttons, and `updateAll` writing the registers in `order`.
    void connectRegisterButtons(QPushButton* updateAll, std::vector<int> order);
    BoardSession& session() { return *session_; }
    ProgramContext& context() { return context_; }

    // The settings file named on the command line, if any, read in.
    void importCommandLineFile(const QStringList& arguments);
    // Asks for a settings file to write, and writes it.
    void saveSettingsFile();

    void opensModal(std::initializer_list<Trigger> controls, std::function<QWidget*()> window);
    void opensModeless(std::initializer_list<Trigger> controls, std::function<QWidget*()> window);
    // A menu item's handler that shows the window modally.
    std::function<void()> showsModal(std::function<QWidget*()> window);
    // The File menu's items every panel has, for a menu table; the panels caption Exit each
    // their own way.
    MenuItem openItem();
    MenuItem printItem();
    MenuItem exitItem(const QString& text);

    // The last column: the register column's frame with the program-all and manual-edit
    // buttons, then the frames `below`.
    QVBoxLayout* registerColumn(QPushButton* updateAll, QPushButton* manualEdit,
                                std::initializer_list<QWidget*> below = {}) const;
    // The central widget: the columns side by side, left to right.
    void setColumns(std::initializer_list<QLayout*> columns);

    RegisterColumn registers_;

private:
    ProgramContext& context_;
    SettingsFile settings_;
    std::unique_ptr<BoardSession> session_;
    std::vector<int> updateAllOrder_;
};

} // namespace evalkit
