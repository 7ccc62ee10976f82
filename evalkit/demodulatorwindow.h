#pragma once
// What the advanced demodulator windows share ("Advanced Demod Settings"), which override what
// the data-rate plan chose and change the field store only (the chip gets the words from the
// front panel's Update buttons): the receiver clock dividers with the clocks they give and "Auto
// Calc Clocks", the post-demodulator bandwidth, the linear demodulator's threshold list, the
// correlator's frame with its bandwidth label and the return button; and the divider boxes acting
// when the user leaves them for another control of the window. The chip's window fills the
// correlator frame, lays out the frames and does what its chip needs with each entry.
#include "platform/form.h"

#include <QString>

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace evalkit {

// What differs in the shared frames.
struct DemodWindowLook {
    int dividerBoxWidth = 60;
    bool stretchBelowClocks = false;
    int postDemodBoxWidth = 70;
    QString actualBwCaption = {}; // before lblDemodBW
    QString lblDemodBW = {};      // the texts before the first load
    QString lblDemodBW_disp = {};
    QString lblT4Frequency = {};
};

class DemodWindow : public platform::Form {
public:
    static constexpr char DesignName[] = "frmDemod";
    // Receiver Clocks
    QGroupBox* FrClocks;
    QLineEdit *txtIFFilter, *txtBBOffset, *txtDemod, *txtCDR, *txtSeq;
    QLabel *lblIFfilterclk, *lblBBoffsetclk, *lblDemodclk, *lblCDRclk, *lblSeqclk;
    QPushButton* cmdautoClock;
    // PostDemoduator BW
    QGroupBox* FrPostDemod;
    QLineEdit* txtDemodBW;
    QLabel *lblDemodBW, *lblDemodBW_disp;
    // Correlator Setting (filled by the chip's window) and Linear Demod Threshold
    QGroupBox *FrCorrelator, *FrLockmode;
    QLabel* lblT4Frequency;
    QComboBox* cmbLockmode;
    QPushButton* returnToPanel; // Command1

    virtual void txtIFFilter_LostFocus() = 0;
    virtual void txtBBOffset_LostFocus() = 0;
    virtual void txtDemod_LostFocus() = 0;
    virtual void txtCDR_LostFocus() = 0;

protected:
    explicit DemodWindow(const DemodWindowLook& look);

    // The frames side by side above the return button.
    void layoutWindow(QHBoxLayout* columns);
    // The divider texts as they stand; no refusal is left to mark on the boxes.
    void showDividerBoxes(double ifFilter, double bbOffset, double demod, double cdr, double seq);

    bool eventFilter(QObject* watched, QEvent* event) override;
    // Runs the lost-focus handler of a divider box; false for any other control.
    bool commitDivider(QObject* box);
    // Another watched control the user left for another control of the window.
    virtual void controlLeft(QObject* /*control*/) {}
};

} // namespace evalkit
