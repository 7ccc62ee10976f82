#pragma once
// The steps of the settings file that every program takes the same way: the save's skeleton
// (one atomic batch, a failure shown with the file and the reason), the import's skeleton (the
// file read once, its version checked, the keys left out named at the end), and putting a
// value the import checked into its control.
#include "evalkit/profilekeys.h"

#include <QString>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QScrollBar;

namespace evalkit {

class ProgramContext;

// Writes one key of the settings file.
using KeyWriter = std::function<void(const Key&, const QString&)>;

// Writes what `write` gives into the file at `path` in one atomic save.
void exportSettings(ProgramContext& app, const QString& path,
                    const std::function<void(const KeyWriter&)>& write);

// The data-rate box's number for the file, or nothing (after saying so) when it holds none.
std::optional<double> rateToExport(ProgramContext& app, const QString& path,
                                   const QString& rateText);

// Reads the file at `path` and, when it is of this version, hands its keys to `import`; then
// names the keys that could not be used.
void importSettings(ProgramContext& app, const QString& path,
                    const std::function<void(KeyReader&)>& import);

// A list's index and a scroll bar's value as the file holds them.
QString indexText(const QComboBox* list);
QString valueText(const QScrollBar* bar);

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

// The sync-word window's settings in a file.
struct SyncWordPlan {
    std::optional<int> detect;
    std::optional<QString> word;
    std::optional<int> length;
    std::optional<int> errors;
};

} // namespace evalkit
