#include "evalkit/demodulatorwindow.h"

#include "evalkit/fielddialog.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/named.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace evalkit {

using platform::named;

namespace {

QLabel* clockLabel(const char* name) {
    QLabel* l = dialog::label(name, QStringLiteral("Fclock"));
    l->setMinimumWidth(110);
    return l;
}

} // namespace

DemodWindow::DemodWindow(const DemodWindowLook& look) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Advanced Demod Settings"));

    // Receiver Clocks: each divider with the clock it gives.
    txtIFFilter = dialog::box("txtIFFilter");
    txtBBOffset = dialog::box("txtBBOffset");
    txtDemod = dialog::box("txtDemod");
    txtCDR = dialog::box("txtCDR");
    txtSeq = dialog::box("txtSeq");
    lblIFfilterclk = clockLabel("lblIFfilterclk");
    lblBBoffsetclk = clockLabel("lblBBoffsetclk");
    lblDemodclk = clockLabel("lblDemodclk");
    lblCDRclk = clockLabel("lblCDRclk");
    lblSeqclk = clockLabel("lblSeqclk");
    cmdautoClock = platform::namedButton("cmdautoClock", QStringLiteral("Auto Calc Clocks"));
    FrClocks = named(new QGroupBox(QStringLiteral("Receiver Clocks")), "FrClocks");
    auto* clocks = new QGridLayout(FrClocks);
    const struct {
        const char* caption;
        QLineEdit* box;
        QLabel* clock;
    } rows[] = {
        {"IF Filter Divider", txtIFFilter, lblIFfilterclk},
        {"BB Offset Divider", txtBBOffset, lblBBoffsetclk},
        {"Demod Divider", txtDemod, lblDemodclk},
        {"CDR Divider", txtCDR, lblCDRclk},
        {"Seq Divider", txtSeq, lblSeqclk},
    };
    int row = 0;
    for (const auto& r : rows) {
        auto* caption = new QLabel(QString::fromLatin1(r.caption));
        caption->setBuddy(r.box);
        clocks->addWidget(caption, row, 0);
        clocks->addWidget(r.box, row, 1);
        clocks->addWidget(r.clock, row++, 2);
        r.box->setMaximumWidth(look.dividerBoxWidth);
    }
    clocks->addWidget(cmdautoClock, row, 0, 1, 3);
    if (look.stretchBelowClocks)
        clocks->setRowStretch(row + 1, 1);
    // The divider boxes act when the user leaves them, not on every keystroke.
    for (QLineEdit* box : {txtIFFilter, txtBBOffset, txtDemod, txtCDR})
        box->installEventFilter(this);

    // PostDemoduator BW
    txtDemodBW = dialog::box("txtDemodBW");
    txtDemodBW->setMaximumWidth(look.postDemodBoxWidth);
    lblDemodBW = dialog::label("lblDemodBW", look.lblDemodBW);
    lblDemodBW_disp = dialog::label("lblDemodBW_disp", look.lblDemodBW_disp);
    FrPostDemod = named(new QGroupBox(QStringLiteral("PostDemoduator BW")), "FrPostDemod");
    auto* post = new QGridLayout(FrPostDemod);
    auto* wanted = new QLabel(QStringLiteral("Desired BW(3dB)"));
    wanted->setBuddy(txtDemodBW);
    post->addWidget(wanted, 0, 0);
    post->addWidget(txtDemodBW, 0, 1);
    post->addWidget(new QLabel(QStringLiteral("kHz")), 0, 2);
    post->addWidget(new QLabel(look.actualBwCaption), 1, 0);
    post->addWidget(lblDemodBW, 1, 1, 1, 2);
    post->addWidget(lblDemodBW_disp, 2, 0, 1, 3);

    FrCorrelator = named(new QGroupBox(QStringLiteral("Correlator Setting")), "FrCorrelator");
    lblT4Frequency = dialog::label("lblT4Frequency", look.lblT4Frequency);

    // Linear Demod Threshold
    cmbLockmode = dialog::list("cmbLockmode",
                               {QStringLiteral("Threshold Free Running"),
                                QStringLiteral("Lock Threshold after next Syncw'd"),
                                QStringLiteral("Lock Threshold after next Syncw'd for DPL Bytes"),
                                QStringLiteral("Lock Threshold")});
    FrLockmode = named(new QGroupBox(QStringLiteral("Linear Demod Threshold")), "FrLockmode");
    auto* lock = new QVBoxLayout(FrLockmode);
    lock->addWidget(cmbLockmode);
    auto* note = new QLabel(QStringLiteral(
        "Note: Locking the threshold will also have the effect of locking the AFC and AGC."));
    note->setWordWrap(true);
    lock->addWidget(note);

    returnToPanel = dialog::returnButton("Command1");
}

void DemodWindow::layoutWindow(QHBoxLayout* columns) {
    auto* foot = dialog::footer({returnToPanel});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(foot);
}

void DemodWindow::showDividerBoxes(double ifFilter, double bbOffset, double demod, double cdr,
                                   double seq) {
    for (QLineEdit* box : {txtIFFilter, txtBBOffset, txtDemod, txtCDR})
        platform::clearRefusedMark(box);
    txtIFFilter->setText(platform::numberText(ifFilter));
    txtBBOffset->setText(platform::numberText(bbOffset));
    txtDemod->setText(platform::numberText(demod));
    txtCDR->setText(platform::numberText(cdr));
    txtSeq->setText(platform::numberText(seq));
}

bool DemodWindow::commitDivider(QObject* box) {
    if (box == txtIFFilter)
        txtIFFilter_LostFocus();
    else if (box == txtBBOffset)
        txtBBOffset_LostFocus();
    else if (box == txtDemod)
        txtDemod_LostFocus();
    else if (box == txtCDR)
        txtCDR_LostFocus();
    else
        return false;
    return true;
}

bool DemodWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !isUnloaded()) {
        // Return in a divider box takes the entry, as leaving the box does, and presses no
        // button of the window.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && commitDivider(watched))
            return true;
    }
    if (event->type() == QEvent::FocusOut && !isUnloaded()) {
        // Focus that goes to another program or a pop-up (a list's own), or away while a
        // message box is up, has not left the control for another control of this window.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            !commitDivider(watched))
            controlLeft(watched);
    }
    return platform::Form::eventFilter(watched, event);
}

} // namespace evalkit
