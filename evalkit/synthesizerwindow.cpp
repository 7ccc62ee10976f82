#include "evalkit/synthesizerwindow.h"

#include "evalkit/programcontext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace evalkit {

bool showSynthesizerPlan(ProgramContext& app, const std::vector<platform::Message>& messages,
                         const std::optional<platform::Message>& refusal) {
    if (!refusal) {
        app.show(messages);
        return true;
    }
    std::vector<platform::Message> shown = messages;
    shown.push_back(*refusal);
    app.show(shown);
    return false;
}

using platform::named;
using platform::namedLabel;

void SynthEntryBoxes::focus(calc::SynthBox box) const {
    switch (box) {
    case calc::SynthBox::Rf:
        rf->setFocus();
        break;
    case calc::SynthBox::Pfd:
        pfd->setFocus();
        break;
    case calc::SynthBox::Crystal:
        crystal->setFocus();
        break;
    case calc::SynthBox::None:
        break;
    }
}

void SynthEntryBoxes::showTexts(const calc::SynthShown& r) const {
    showIfSet(rf, r.rfText);
    showIfSet(pfd, r.pfdText);
    showIfSet(crystal, r.crystalText);
}

void SynthEntryBoxes::show(const calc::SynthShown& r) const {
    showTexts(r);
    focus(r.focus);
}

void showFrequencyReadouts(QLabel* lblvcofreq, QLabel* lblpfd_freq, QLabel* lblcrystal,
                           const calc::SynthShown& r) {
    showIfSet(lblvcofreq, r.vcoFrequencyText);
    showIfSet(lblpfd_freq, r.pfdFrequencyText);
    showIfSet(lblcrystal, r.crystalFrequencyText);
}

void showDividers(QLabel* LblR, QLabel* LblN, QLabel* LblF, const calc::SynthShown& r) {
    showIfSet(LblR, r.rText);
    showIfSet(LblN, r.nText);
    showIfSet(LblF, r.fText);
}

DivideBy2SynthWindow::DivideBy2SynthWindow(const DivideBy2SynthTexts& texts) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("RF Output Frequency"));
    txtVCOout1 = named(new QLineEdit, "txtVCOout1");
    txtpfd1 = named(new QLineEdit, "txtpfd1");
    TxtCrystal1 = named(new QLineEdit, "TxtCrystal1");
    rfPromptInternal = namedLabel("Label1", texts.rfPromptInternal);
    rfPromptExternal = namedLabel("Label5", texts.rfPromptExternal);
    pfdPrompt = namedLabel("Label2", QStringLiteral("Enter PFD reference frequency (MHz):"));
    crystalPrompt = namedLabel("Label12", texts.crystalPrompt);
    synthCaption = namedLabel("Label7", texts.synthCaption);
    lblHeading = namedLabel("lblHeading", texts.lblHeading);
    lblRxLO = namedLabel("lblRxLO", QString());
    nCaption = namedLabel("Label8", QStringLiteral("N: (integer)"));
    rCaption = namedLabel("Label10", QStringLiteral("R:"));
    fCaption = namedLabel("Label11", QStringLiteral("F:"));
    LblR = namedLabel("LblR", QString());
    LblN = namedLabel("LblN", QString());
    LblF = namedLabel("LblF", QString());
    fModulus = namedLabel("Label13", QStringLiteral("32768"));
    NoteText = namedLabel("NoteText", texts.NoteText);
    NoteText->setWordWrap(true);
    entriesFrame = named(new QGroupBox(QStringLiteral("PFD/Crystal/PLL Frequency")), "Frame2");
    frmVCOdiv2 = named(new QGroupBox(QStringLiteral("RF Divide by 2")), "frmVCOdiv2");
    dividersFrame = named(new QGroupBox, "Frame1");
    Note = named(new QGroupBox(QStringLiteral("Note on Divide by 2")), "Note");
    lblVCOdiv2 = platform::namedToggle("lblVCOdiv2");
    CmdCalculate = named(new QPushButton(QStringLiteral("Calculate")), "CmdCalculate");
    CmdCalculate->setToolTip(QStringLiteral("This will calculate the R, N and F values."));
    returnToPanel = named(new QPushButton(QStringLiteral("Return to front panel")), "Command1");
    if (!texts.returnTip.isEmpty())
        returnToPanel->setToolTip(texts.returnTip);
    cmdfdown = named(new QToolButton, "cmdfdown");
    cmdfdown->setArrowType(Qt::DownArrow);
    cmdfdown->setToolTip(texts.cmdfdownTip);
}

QGridLayout* DivideBy2SynthWindow::layoutFrames() {
    auto* entries = new QGridLayout(entriesFrame);
    entries->addWidget(rfPromptInternal, 0, 0);
    entries->addWidget(rfPromptExternal, 0, 0);
    entries->addWidget(txtVCOout1, 0, 1);
    entries->addWidget(pfdPrompt, 1, 0);
    entries->addWidget(txtpfd1, 1, 1);
    entries->addWidget(crystalPrompt, 2, 0);
    entries->addWidget(TxtCrystal1, 2, 1);

    auto* div2 = new QHBoxLayout(frmVCOdiv2);
    div2->addWidget(lblVCOdiv2);
    div2->addStretch();

    auto* dividers = new QGridLayout(dividersFrame);
    dividers->addWidget(rCaption, 0, 0);
    dividers->addWidget(LblR, 0, 1);
    dividers->addWidget(nCaption, 1, 0);
    dividers->addWidget(LblN, 1, 1);
    dividers->addWidget(fCaption, 2, 0);
    dividers->addWidget(LblF, 2, 1);
    dividers->addWidget(new QLabel(QStringLiteral("/")), 2, 2);
    dividers->addWidget(fModulus, 2, 3);

    auto* note = new QVBoxLayout(Note);
    note->addWidget(NoteText);
    return dividers;
}

QVBoxLayout* DivideBy2SynthWindow::startWindowLayout(int frame1Stretch) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(entriesFrame);
    auto* middle = new QHBoxLayout;
    middle->addWidget(frmVCOdiv2);
    middle->addWidget(dividersFrame, frame1Stretch);
    layout->addLayout(middle);
    return layout;
}

QHBoxLayout* DivideBy2SynthWindow::buttonRow() {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdCalculate);
    buttons->addStretch();
    buttons->addWidget(returnToPanel);
    return buttons;
}

void DivideBy2SynthWindow::setNoteVisible(bool visible) {
    Note->setVisible(visible);
}

} // namespace evalkit
