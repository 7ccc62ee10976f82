#pragma once
// The front panel's board controls: the motherboard list, the USB link button and the chip
// enable switch with its caption, and the rows of the "Evaluation Board" frame they stand in.
#include "evalkit/boardsession.h"

#include <QString>
#include <QStringList>

class QGridLayout;
class QGroupBox;
class QLabel;

namespace evalkit {

struct BoardChoice {
    QStringList boards; // cmbMB: the parallel-port board, the USB board
    QString designText = {};
    QString connectToolTip = {};
    const char* chipEnableName = "Toggle4";
    const char* captionName = nullptr; // the chip-enable caption; nullptr: none
    QString caption = {};
};

struct BoardWidgets {
    QComboBox* board;             // cmbMB, with no board chosen
    QPushButton* connect;         // ConnectUSB
    platform::Toggle* chipEnable; // the chip-enable switch
    QLabel* caption;              // its caption, nullptr for none
    // What the board session drives.
    BoardControls session() const;
};

BoardWidgets boardWidgets(const BoardChoice& choice);

// The grid of a new "Evaluation Board" frame (its parent widget) with its first two rows: the
// board list beside its caption (which takes the list as its buddy), then the link button, the
// chip-enable caption and the switch. The caller adds its own rows from row 2 on.
QGridLayout* boardGrid(const QString& listCaption, const BoardWidgets& b);

} // namespace evalkit
