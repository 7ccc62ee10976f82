#pragma once
// The steps of the settings file that every program takes the same way: the save's skeleton
// (one atomic batch, a failure shown with the file and the reason), the import's skeleton (the
// file read once, its version checked, the keys left out named at the end), putting a value the
// import checked into its control, and reading the set-up in force out of one.
#include "evalkit/calc/settingskeys.h"
#include "evalkit/calc/windowsettings.h"
#include "evalkit/synthesizerwindow.h"

#include <QString>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QComboBox;
class QLineEdit;
class QScrollBar;

namespace reglink {
class RegisterFile;
}

namespace evalkit {

class ProgramContext;

// Writes what `write` gives into the file at `path` in one atomic save.
void exportSettings(ProgramContext& app, const QString& path,
                    const std::function<void(const calc::KeyWriter&)>& write);

// The data-rate box's number for the file, or nothing (after saying so) when it holds none.
std::optional<double> rateToExport(ProgramContext& app, const QString& path,
                                   const QString& rateText);

// Whether a save to `path` is refused before anything is done for it, the file not being a
// regular one (said once, with the file and the reason).
bool settingsSaveRefused(ProgramContext& app, const QString& path);

// A save's record begun with the file's path and the data rate the front panel has in force;
// nothing when the file is no regular file or that rate cannot be written (either is said).
template <class Record, class App>
std::optional<Record> beginSettingsRecord(App& app, const QString& path) {
    if (settingsSaveRefused(app, path))
        return std::nullopt;
    const std::optional<double> rate = rateToExport(app, path, app.main().dataRateInForce());
    if (!rate)
        return std::nullopt;
    Record s;
    s.path = path;
    s.rateKbps = *rate;
    return s;
}

// Reads the file at `path` and, when it is of this version, hands its keys to `import`; then
// names, in one message, every value that was not taken as it stands (left out, read otherwise
// than written, or missing and read as 0).
void importSettings(ProgramContext& app, const QString& path,
                    const std::function<void(calc::KeyReader&)>& import);

// A list's index and a scroll bar's value as the file holds them.
QString indexText(const QComboBox* list);

// The item of `list` that the code its field holds stands for: the code's position in `codes`,
// or the code itself when `codes` is empty; nothing when the code names none of its items. A
// list starts without a choice (its design text stands in for one) while its field already
// holds a value, and a file must restore the set-up it was saved from: what the list shows
// does not count.
std::optional<int> itemOfField(const QComboBox* list, reglink::RegisterFile& store,
                               std::string_view field, const std::vector<int>& codes = {});
// That item's index as the file holds it; the list's own index when the code names none.
QString indexOfField(const QComboBox* list, reglink::RegisterFile& store, std::string_view field,
                     const std::vector<int>& codes = {});
// That item's text; the list's own text when the code names none.
QString textOfField(const QComboBox* list, reglink::RegisterFile& store, std::string_view field,
                    const std::vector<int>& codes = {});
QString valueText(const QScrollBar* bar);

// The set-up in force, as the file holds it, for the controls of a window that a save or a
// load left open unseen: such a control keeps what it showed while another window changes its
// field meanwhile (the inductor check box the VCO bias, the demodulator window the lock code),
// and the file must hold what the field holds. `inForce` is the entry the field's value stands
// for; nothing (a value no entry stands for) keeps the control's own.
QString indexInForce(const QComboBox* list, const std::optional<int>& inForce);
QString valueInForce(const QScrollBar* bar, const std::optional<int>& inForce);
// A box's text while it reads as the number in force (the text it last took while its entry
// is refused), or else that number in the plain form.
QString numberInForce(const QLineEdit* box, double inForce);
// A frequency box of the synthesizer window: its text while it reads as the frequency the last
// calculation kept (within `tolerance`), or else `inForceText`, the text the window's load
// shows for it.
QString frequencyInForce(const QLineEdit* box, double inForceMHz, double toleranceMHz,
                         const QString& inForceText);

// What a settings import gave the synthesizer window: the entries it planned, the boxes' texts
// before, and (once the program's order of steps reaches it) the numbers the boxes then held.
struct SynthesizerImport {
    calc::SynthesizerEntries entries;
    QString rfBefore, pfdBefore, crystalBefore;
    calc::SynthesizerValues given;
};
// Notes the boxes' texts, then puts the planned RF and crystal texts in, and the PFD that the
// crystal box and the divider give (the crystal times `doubling` over the divider).
SynthesizerImport putSynthesizerEntries(const SynthEntryBoxes& boxes,
                                        const calc::SynthesizerEntries& entries,
                                        double doubling = 1);
// The numbers the three boxes hold.
calc::SynthesizerValues synthesizerEntries(const SynthEntryBoxes& boxes);
// After the calculation, with `kept` the working values it left: an entry it did not take (its
// own messages say why) is named with its key, and the boxes show what they showed before.
void checkSynthesizerImport(calc::KeyReader& r, const SynthesizerImport& import,
                            const SynthEntryBoxes& boxes, const calc::SynthesizerValues& kept,
                            double rfToleranceMHz);

// Put a checked value into its control; nothing leaves the control as it is. With `run`, a
// control that already shows the value has its handler run all the same (the field it stands
// for may have been changed meanwhile by another window).
void setIndex(QComboBox* list, const std::optional<int>& index,
              const std::function<void()>& run = {});
void setValue(QScrollBar* bar, const std::optional<int>& value,
              const std::function<void()>& run = {});
void setText(QLineEdit* box, const std::optional<QString>& text,
             const std::function<void()>& run = {});
void setNumber(QLineEdit* box, const std::optional<int>& value,
               const std::function<void()>& run = {});

} // namespace evalkit
