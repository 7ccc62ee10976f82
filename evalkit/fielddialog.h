#pragma once
// The shape the feature dialogs share. The load handler fills the controls
// from the field store; each list index or slider position stands for one
// field value; a bounded number box turns its text into the code its field
// holds, or refuses it; the fields are stored through FieldRefs bound to the
// program, so the read-outs follow each change at once; the return button
// unloads the dialog and refreshes the read-outs. A dialog is then little more
// than its table of controls and fields.
#include "platform/core/numbers.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <vector>

class QAbstractSlider;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;

namespace platform {
class Form;
class MessageService;
} // namespace platform

namespace evalkit {

class ProgramContext;

namespace dialog {

using platform::bit;

// What a number box does with a code too large for its field.
enum class OverLimit {
    Ignore, // leave the field as it is, say nothing
    Warn,   // show limitMessage and leave the field as it is
    Clamp   // store the limit
};

// A text box that feeds one field. It acts only on texts of 1 to maxLength
// characters that read as a number that is not negative; the entry, counted
// in steps of `step`, is rounded half to even to the code the field holds.
// An empty text is ignored unless it stands for 0. Letters, negatives and
// codes the field cannot hold never reach the field, so nothing spills into
// the neighbouring bits of the register word.
struct NumberBox {
    int maxLength = std::numeric_limits<int>::max();
    int32_t limit = 0;
    OverLimit over = OverLimit::Ignore;
    QString limitMessage = {};
    double step = 1;
    bool emptyIsZero = false;

    // The code to store, or nullopt when the field must stay as it is (after
    // showing the limit message where there is one).
    std::optional<int32_t> accept(const QString& text, platform::MessageService& messages) const;
};

// The field value behind each list index or slider position.
class FieldValues {
public:
    FieldValues(std::initializer_list<int32_t> values) : values_(values) {}
    // 0, unit, 2 x unit, ... for `count` entries.
    static FieldValues steps(int count, int32_t unit);

    std::optional<int> indexOf(double field) const;
    std::optional<int32_t> at(int index) const;

private:
    explicit FieldValues(std::vector<int32_t> values) : values_(std::move(values)) {}
    std::vector<int32_t> values_;
};

// Puts the control on the entry for `field`, which runs its handler when that
// changes the control. A value without an entry leaves the control as it is;
// the result says whether there was one.
bool showField(QComboBox* list, const FieldValues& values, double field);
bool showField(QAbstractSlider* slider, const FieldValues& values, double field);

// Controls named as the dialog's design names them. Lists are filled without
// running their handlers and start with nothing selected.
QComboBox* list(const char* name, const QStringList& items);
QStringList numberItems(int last); // "0" to `last`
QLineEdit* box(const char* name, const QString& text = {});
QLabel* label(const char* name, const QString& text);
QScrollBar* scrollBar(const char* name, int maximum);
QPushButton* returnButton(const char* name); // "Return to Front Panel"

// The foot of a dialog: its buttons side by side at the right.
QHBoxLayout* footer(std::initializer_list<QWidget*> buttons);

// The end of every return handler: the dialog goes and the front panel shows
// the words its fields now make.
void returnToFrontPanel(platform::Form& window, ProgramContext& app);

} // namespace dialog
} // namespace evalkit
