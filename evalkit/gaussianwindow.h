#pragma once
// What the Gaussian set-up windows share ("Gaussian ASK/FSK Form"): the mod control, index
// counter and divider entries of the modulation register, the deviation and data-rate results,
// the Calculate and Update buttons, and the update itself, which selects the modulation
// register and refreshes the read-outs. The chip's window lays them out with its own notes
// and plans the entries.
#include "platform/form.h"

#include <QString>

#include <initializer_list>
#include <utility>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace reglink {
struct TransportValues;
}

namespace evalkit {

class ProgramContext;

class GaussianWindow : public platform::Form {
public:
    static constexpr char DesignName[] = "frmGFSK";
    QGroupBox* Frame1; // "Gaussian Setup"
    QComboBox *cmbModCtrl, *cmbIndexCount;
    QLineEdit* txtDivider;
    QLabel *lblFdev, *lblDatarate;
    QPushButton *cmdCalculate, *cmdUpdate;

protected:
    // resultWidth: the least width of the two sunken result panels.
    GaussianWindow(const QString& updateCaption, int resultWidth);

    // A caption per control from row 0 down, each caption the buddy of its control; the next
    // free row comes back.
    static int addRows(QGridLayout* grid,
                       std::initializer_list<std::pair<const char*, QWidget*>> rows);

    // The update puts the modulation register on the read-outs.
    static void selectModRegister(ProgramContext& app, reglink::TransportValues& values);
};

} // namespace evalkit
