#pragma once
// The mark of a text box whose entry was refused: a red frame, and a tool tip that says what
// the box accepts, until the box's text is accepted again. It tells the user why an entry
// had no effect without a message box per keystroke. A text refused only for its decimal
// comma ("20,5") also says on the mark that the decimal mark is a point.
#include <QString>

#include <optional>

class QLineEdit;

namespace platform {

// Marks the box; `accepts` becomes its tool tip. Marking a marked box only changes the tip.
void markRefused(QLineEdit* box, const QString& accepts);

// Takes the mark away and gives the box its own tool tip and look back. The box's handler calls
// it (directly or through showRefusal) when it takes the box's text: that text is then the
// entry in force until another one is taken.
void clearRefusedMark(QLineEdit* box);

// markRefused() when `refused`, clearRefusedMark() otherwise.
void showRefusal(QLineEdit* box, bool refused, const QString& accepts);

// Whether the box carries the mark (so that tests need not look at pixels).
bool isMarkedRefused(const QLineEdit* box);

// What the mark says the box accepts (its tool tip without the decimal-point hint); empty for a
// box without the mark.
QString refusalAccepts(const QLineEdit* box);

// The text the box's handler last took, if it ever took one.
std::optional<QString> takenText(const QLineEdit* box);

// A refused entry put back: the box shows `inForce` again without running its handler, that text
// is the entry in force, and the mark stays, with `accepts`, to say the last entry was refused.
void putBackRefusedEntry(QLineEdit* box, const QString& inForce, const QString& accepts);

// The entry in force: the box's text, or while the box is marked the text it last took (its
// text when it never took one). A saved set-up holds this, never a refused entry.
QString textInForce(const QLineEdit* box);

} // namespace platform
