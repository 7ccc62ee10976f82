#pragma once
// What the synthesizer windows share: the three frequency entries with their focus after a
// refused entry, storing a plan's dividers and frequencies, the front panel's frequency
// read-outs, and for the chips with an RF divide-by-2 the window's common controls and
// frames. A chip's window adds its own controls, lays out what differs and keeps its plan.
#include "evalkit/calc/synthshown.h"
#include "platform/core/message.h"
#include "platform/form.h"
#include "platform/named.h"

#include <QLabel>
#include <QLineEdit>
#include <QString>

#include <optional>
#include <vector>

class QGroupBox;
class QGridLayout;
class QHBoxLayout;
class QVBoxLayout;
class QPushButton;
class QToolButton;

namespace evalkit {

class ProgramContext;

// Shows a synthesizer plan's messages. A plan that what follows it cannot take (the deviation,
// the receiver clocks) is refused as a whole: its messages are followed by the refusal and the
// result is false, so the window applies nothing of it.
bool showSynthesizerPlan(ProgramContext& app, const std::vector<platform::Message>& messages,
                         const std::optional<platform::Message>& refusal);

// Shows a plan's text where it has one ("leave as it is" otherwise).
template <class Control> void showIfSet(Control* control, const std::optional<QString>& text) {
    if (text)
        control->setText(*text);
}

// The RF, PFD and crystal boxes of a synthesizer window.
struct SynthEntryBoxes {
    QLineEdit* rf;
    QLineEdit* pfd;
    QLineEdit* crystal;

    // The box a refused entry emptied gets the focus.
    void focus(calc::SynthBox box) const;

    // The boxes' texts a plan set.
    void showTexts(const calc::SynthShown& r) const;
    // Those, then the focus the plan asks for.
    void show(const calc::SynthShown& r) const;
};

// The dividers and frequencies a plan set, into the working values and the register fields.
template <class Fields, class Working, class Result>
void storeSynthPlan(Fields& f, Working& w, const Result& r) {
    using platform::assignIfSet;
    assignIfSet(w.IntegerN, r.IntegerN);
    assignIfSet(w.FracN, r.FracN);
    assignIfSet(w.RDivider, r.RDivider);
    assignIfSet(w.RfFrequencyMHz, r.RfFrequencyMHz);
    assignIfSet(w.PfdFrequencyMHz, r.PfdFrequencyMHz);
    assignIfSet(w.CrystalFrequencyMHz, r.CrystalFrequencyMHz);
    assignIfSet(f.IntegerNField, r.IntegerNField);
    assignIfSet(f.FracNField, r.FracNField);
    assignIfSet(f.RDividerField, r.RDividerField);
}

// The front panel's VCO, PFD and crystal read-outs a plan set.
void showFrequencyReadouts(QLabel* lblvcofreq, QLabel* lblpfd_freq, QLabel* lblcrystal,
                           const calc::SynthShown& r);
// R, N and F as a plan set them.
void showDividers(QLabel* LblR, QLabel* LblN, QLabel* LblF, const calc::SynthShown& r);

// The texts in which the divide-by-2 synthesizer windows differ.
struct DivideBy2SynthTexts {
    QString rfPromptInternal = {}; // Label1, the RF prompt with the internal inductor
    QString rfPromptExternal = {}; // Label5, the RF prompt with the external inductor
    QString crystalPrompt = {};    // Label12
    QString synthCaption = {};     // Label7, the synthesizer frequency's caption
    QString lblHeading = {};
    QString NoteText = {};
    QString cmdfdownTip = {};
    QString returnTip = {}; // Command1's; none when empty
};

// The synthesizer window of a chip with an RF divide-by-2 ("RF Output Frequency"): the entries
// in entriesFrame, the divide-by-2 switch, R, N and F in dividersFrame with the step down of F, the
// note on the divide-by-2 and the two buttons. The chip's window connects the handlers, adds its
// own controls and lays out dividersFrame's arrows, the results and the whole.
class DivideBy2SynthWindow : public platform::Form {
public:
    static constexpr char DesignName[] = "synthform";
    explicit DivideBy2SynthWindow(const DivideBy2SynthTexts& texts);

    QLineEdit *txtVCOout1, *txtpfd1, *TxtCrystal1;
    QLabel* rfPromptInternal; // Label1
    QLabel* rfPromptExternal; // Label5
    QLabel* pfdPrompt;        // Label2
    QLabel* crystalPrompt;    // Label12
    QLabel* synthCaption;     // Label7
    QLabel* nCaption;         // Label8
    QLabel* rCaption;         // Label10
    QLabel* fCaption;         // Label11
    QLabel* fModulus;         // Label13, "32768"
    QLabel *lblHeading, *lblRxLO, *LblR, *LblN, *LblF, *NoteText;
    QGroupBox* entriesFrame;  // Frame2
    QGroupBox* dividersFrame; // Frame1
    QGroupBox *frmVCOdiv2, *Note;
    platform::Toggle* lblVCOdiv2;
    QPushButton* CmdCalculate;
    QPushButton* returnToPanel; // Command1
    QToolButton* cmdfdown;

protected:
    SynthEntryBoxes entryBoxes() const { return {txtVCOout1, txtpfd1, TxtCrystal1}; }
    // Fills entriesFrame, frmVCOdiv2 and Note, and rows 0 to 2 of dividersFrame (R, N, F / 32768),
    // whose grid comes back for the chip's own cells.
    QGridLayout* layoutFrames();
    // The window's layout with the entries on top and the divide-by-2 beside the dividers; the
    // chip's window adds the rest, then the buttons.
    QVBoxLayout* startWindowLayout(int frame1Stretch);
    QHBoxLayout* buttonRow();
    // The divide-by-2 switch, its field, the dividers and frequencies, the entries' texts and
    // R, N and F as a plan set them; the rest of the result is the chip's.
    template <class Fields, class Working, class Result>
    void applyCommon(Fields& f, Working& w, const Result& r) {
        if (r.divideBy2On)
            lblVCOdiv2->setOn(*r.divideBy2On);
        platform::assignIfSet(f.VcoDiv2Field, r.VcoDiv2Field);
        storeSynthPlan(f, w, r);
        platform::assignIfSet(f.AfcScalingField, r.AfcScalingField);
        entryBoxes().showTexts(r);
        showIfSet(lblRxLO, r.lblRxLO);
        showDividers(LblR, LblN, LblF, r);
    }
    // The note comes and goes with the divide-by-2.
    template <class Result> void showNote(const Result& r) {
        if (r.NoteVisible)
            setNoteVisible(*r.NoteVisible);
    }

private:
    void setNoteVisible(bool visible);
};

} // namespace evalkit
