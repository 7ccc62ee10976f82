#pragma once
// The mark of a text box whose entry was refused: a red frame, and a tool tip that says what
// the box accepts, until the box's text is accepted again. It tells the user why an entry
// had no effect without a message box per keystroke. A text refused only for its decimal
// comma ("20,5") also says on the mark that the decimal mark is a point.
#include <QString>

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

// The entry in force: the box's text, or while the box is marked the text it last took (its
// text when it never took one). A saved set-up holds this, never a refused entry.
QString textInForce(const QLineEdit* box);

} // namespace platform
