#pragma once
// The front panel's register column: each register's caption, its read-out and its "Update"
// button in one row, in the order the table lists them, with the program-all and the manual
// edit buttons below. The construction, the layout, the look-ups by register number and the
// Update handlers all go by the one table.
#include <QString>
#include <functional>
#include <vector>

class QGroupBox;
class QLabel;
class QObject;
class QPushButton;

namespace reglink {
class RegisterReadout;
}

namespace evalkit {

struct RegisterRow {
    int n;
    reglink::RegisterReadout** readout; // where the window keeps it
    const char* readoutName;
    QPushButton** update;
    const char* updateName;
    QString caption = {};       // empty: the column's caption pattern with n
    QString designCaption = {}; // shown before the first refresh; empty: "ZZZZZZh"
    QString title = {};         // the tool tip of the caption and of the button
};

// How a program's column looks beyond its rows.
struct RegisterColumnLook {
    QString captionPattern = QStringLiteral("R%1"); // %1: the register number
    QString captionNamePattern = {};                // empty: the captions have no name
    // The read-outs are kept at least as wide as this text (and a margin); empty: as they are.
    QString widthSample = {};
};

// The registers a transceiver's panel shows, R0..R6 and R9..R13, each read-out and Update
// button under its design name.
struct TransceiverRegisters {
    reglink::RegisterReadout *lblNhex = nullptr, *lblOSChex = nullptr, *lblMODhex = nullptr,
                             *lblRxCLKhex = nullptr, *lblDEMODhex = nullptr, *lblSyncHex = nullptr,
                             *lblT4hex = nullptr, *lblAGC9hex = nullptr, *lbltest10hex = nullptr,
                             *lbltest11hex = nullptr, *lbltest12hex = nullptr,
                             *lblTFSK13hex = nullptr;
    // The Update buttons; cmdReg12 is the design's Command4.
    QPushButton *cmdN = nullptr, *cmdOsc = nullptr, *cmdTransmit = nullptr, *cmdRxClk = nullptr,
                *cmdDemod = nullptr, *cmdSync = nullptr, *cmdT4 = nullptr, *cmdReg9 = nullptr,
                *cmdReg10 = nullptr, *cmdReg11 = nullptr, *cmdReg12 = nullptr, *cmdReg13 = nullptr;

    // A row's design caption and title (RegisterRow), where the program gives them.
    struct RowTexts {
        QString designCaption;
        QString title;
    };
    // The twelve rows in register order, with `texts` (none, or one for each row).
    std::vector<RegisterRow> registerRows(const std::vector<RowTexts>& texts = {});
};

class RegisterColumn {
public:
    // Creates each row's caption, read-out and "Update" button.
    void build(const RegisterColumnLook& look, std::vector<RegisterRow> rows);
    // The "Registers" frame: the rows, then the two buttons across the column.
    QGroupBox* frame(QPushButton* updateAll, QPushButton* manualEdit) const;
    // Each Update button runs `update` with its register number.
    void connectUpdates(QObject* context, const std::function<void(int)>& update) const;

    // nullptr for a number without a row.
    reglink::RegisterReadout* readout(int n) const;
    QPushButton* updateButton(int n) const;
    QLabel* caption(int n) const;

private:
    struct Row {
        int n;
        reglink::RegisterReadout* readout;
        QPushButton* update;
        QLabel* caption;
    };
    const Row* rowOf(int n) const;
    std::vector<Row> rows_;
};

} // namespace evalkit
