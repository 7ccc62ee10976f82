#pragma once
// The board choice, the USB link, the chip enable and the shut-down of a front panel: one
// sequence for every program, with the points where the programs differ given as rules.
#include <QColor>
#include <QPushButton>
#include <cstdint>
#include <optional>
#include <vector>

class QComboBox;
class QWidget;

namespace platform {
class Toggle;
}

namespace evalkit {

class ProgramContext;

struct BoardRules {
    // Choosing the parallel-port board releases the port before it claims it again.
    bool releaseBeforeClaim = true;
    // A successful claim is remembered (PortClaimed): choosing the parallel-port board again
    // skips the claim and the control-port set-up; choosing the USB board forgets it.
    bool rememberClaim = false;
    // The control port is set to what it reads, And this mask.
    int16_t controlPortMask = 0xD4;
    // Choosing the USB board and opening the link switch the chip enable on.
    bool usbSwitchesChipEnableOn = false;
    // The link button's colour once the link is open, and once it is closed again (none:
    // left as it is).
    std::optional<QColor> connectedColour;
    std::optional<QColor> disconnectedColour;

    enum class Shutdown {
        // Parallel-port board: release the port; USB board: deselect the chip, close the link.
        ByBoard,
        // Release the port whichever board is chosen; the USB board also as above.
        ReleaseThenByBoard,
        // Deselect the chip and close the link whichever board is chosen; a port still
        // claimed is released.
        LinkThenClaimedPort,
    };
    Shutdown onClose = Shutdown::ByBoard; // closing the front panel
    Shutdown onExit = Shutdown::ByBoard;  // the Exit menu item
};

// The front-panel controls the session drives.
struct BoardControls {
    QComboBox* board = nullptr;             // cmbMB: 0 parallel-port board, 1 USB board
    QPushButton* connect = nullptr;         // ConnectUSB
    platform::Toggle* chipEnable = nullptr; // shown with the USB board only
    std::vector<QWidget*> chipEnableCaptions;
};

class BoardSession {
public:
    static inline const QString ConnectCaption = QStringLiteral("Connect USB");
    static inline const QString DisconnectCaption = QStringLiteral("Disconnect USB");

    // portClaimed: where the program keeps whether the port is claimed (rememberClaim only).
    BoardSession(ProgramContext& app, const BoardRules& rules, BoardControls controls,
                 int16_t* portClaimed = nullptr);

    // The motherboard list's click handler.
    void boardChosen();
    // The link button's click handler.
    void connectClicked();
    // The chip select call of the chip-enable toggle's change handler.
    void chipEnableChanged();
    // Closing the front panel and the Exit menu item: the library calls of the rule, then the
    // program ends. Runs once.
    void close() { shutDown(rules_.onClose); }
    void exit() { shutDown(rules_.onExit); }
    bool ended() const { return ended_; }

private:
    void parallelChosen();
    void usbChosen();
    bool claimPort();
    void paintConnect(const std::optional<QColor>& colour);
    void shutDown(BoardRules::Shutdown rule);

    ProgramContext& app_;
    const BoardRules& rules_;
    BoardControls c_;
    int16_t* portClaimed_;
    bool ended_ = false;
};

} // namespace evalkit
