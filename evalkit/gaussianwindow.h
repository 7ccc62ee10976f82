#pragma once
// What the Gaussian set-up windows share ("Gaussian ASK/FSK Form"): the mod control, index
// counter and divider entries of the modulation register, the deviation and data-rate results,
// the Calculate and Update buttons. The chip's window lays them out with its own notes, plans
// the entries and refreshes the read-outs on Update.
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

namespace evalkit {

class GaussianWindow : public platform::Form {
public:
    static constexpr char DesignName[] = "frmGFSK";
    QGroupBox* setupFrame; // Frame1, "Gaussian Setup"
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
};

} // namespace evalkit
