#include "platform/entrymark.h"

#include "platform/core/numbers.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QVariant>

namespace platform {

namespace {

// Dynamic properties: whether the box is marked, and what it looked like before.
constexpr char Marked[] = "refusedEntry";
constexpr char OwnToolTip[] = "refusedEntryOwnToolTip";
constexpr char OwnStyleSheet[] = "refusedEntryOwnStyleSheet";
constexpr char Taken[] = "entryInForce"; // the text the box's handler last took
constexpr char Accepts[] = "refusedEntryAccepts";

// The padding keeps the marked box as tall as a plain one, so nothing around it moves.
const QString FrameStyle = QStringLiteral(
    "QLineEdit { border: 2px solid #d00000; border-radius: 2px; padding: 1px 2px; }");

} // namespace

void markRefused(QLineEdit* box, const QString& accepts) {
    if (!isMarkedRefused(box)) {
        box->setProperty(OwnToolTip, box->toolTip());
        box->setProperty(OwnStyleSheet, box->styleSheet());
        box->setProperty(Marked, true);
        box->setStyleSheet(box->styleSheet() + FrameStyle);
    }
    box->setProperty(Accepts, accepts);
    const QString hint = decimalPointHint(box->text());
    box->setToolTip(hint.isEmpty() ? accepts : accepts + QLatin1Char('\n') + hint);
}

void clearRefusedMark(QLineEdit* box) {
    box->setProperty(Taken, box->text());
    if (!isMarkedRefused(box))
        return;
    box->setStyleSheet(box->property(OwnStyleSheet).toString());
    box->setToolTip(box->property(OwnToolTip).toString());
    box->setProperty(Marked, QVariant());
    box->setProperty(OwnToolTip, QVariant());
    box->setProperty(OwnStyleSheet, QVariant());
    box->setProperty(Accepts, QVariant());
}

void showRefusal(QLineEdit* box, bool refused, const QString& accepts) {
    if (refused)
        markRefused(box, accepts);
    else
        clearRefusedMark(box);
}

bool isMarkedRefused(const QLineEdit* box) {
    return box->property(Marked).toBool();
}

QString refusalAccepts(const QLineEdit* box) {
    return box->property(Accepts).toString();
}

std::optional<QString> takenText(const QLineEdit* box) {
    const QVariant taken = box->property(Taken);
    if (!taken.isValid())
        return std::nullopt;
    return taken.toString();
}

void putBackRefusedEntry(QLineEdit* box, const QString& inForce, const QString& accepts) {
    if (box->text() != inForce) {
        const QSignalBlocker quiet(box);
        box->setText(inForce);
    }
    box->setModified(false);
    box->setProperty(Taken, inForce);
    markRefused(box, accepts);
}

QString textInForce(const QLineEdit* box) {
    const QVariant taken = box->property(Taken);
    if (isMarkedRefused(box) && taken.isValid())
        return taken.toString();
    return box->text();
}

} // namespace platform
