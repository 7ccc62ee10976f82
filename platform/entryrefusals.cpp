#include "platform/entryrefusals.h"

#include "platform/entrymark.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace platform {

EntryRefusals::EntryRefusals(MessageService& messages, QObject* parent)
    : QObject(parent), messages_(messages) {}

void EntryRefusals::watch(QLineEdit* box) {
    state(box);
    box->installEventFilter(this);
    // A box that goes away takes its state with it.
    connect(box, &QObject::destroyed, this,
            [this, box] { std::erase_if(boxes_, [box](const Box& b) { return b.box == box; }); });
}

EntryRefusals::Box& EntryRefusals::state(QLineEdit* box) {
    const auto it =
        std::find_if(boxes_.begin(), boxes_.end(), [box](const Box& b) { return b.box == box; });
    if (it != boxes_.end())
        return *it;
    boxes_.push_back({box, {}, {}, {}});
    return boxes_.back();
}

bool EntryRefusals::standing(const QString& text) const {
    return std::any_of(boxes_.begin(), boxes_.end(), [&text](const Box& b) {
        return std::find(b.said.begin(), b.said.end(), text) != b.said.end();
    });
}

void EntryRefusals::say(Box& b, const std::vector<Message>& messages) {
    std::vector<Message> fresh;
    for (const Message& m : messages) {
        if (!standing(m.text))
            fresh.push_back(m);
    }
    // Recorded before they are shown: a message box takes the focus from the box, which must
    // not say them again.
    for (const Message& m : fresh)
        b.said.push_back(m.text);
    showMessages(messages_, fresh);
}

void EntryRefusals::refuse(QLineEdit* box, const QString& accepts,
                           const std::vector<Message>& messages) {
    markRefused(box, accepts);
    Box& b = state(box);
    // What was said against the text before stands while the same messages refuse the same
    // text; another text is another entry.
    if (box->text() != b.saidText) {
        b.said.clear();
        b.saidText = box->text();
    }
    std::vector<QString> texts;
    for (const Message& m : messages)
        texts.push_back(m.text);
    std::erase_if(b.said, [&texts](const QString& t) {
        return std::find(texts.begin(), texts.end(), t) == texts.end();
    });
    // The user's edit that is not committed yet: the box is modified until the commit.
    if (box->isModified()) {
        b.waiting = messages;
        return;
    }
    b.waiting.clear();
    say(b, messages);
}

void EntryRefusals::accept(QLineEdit* box) {
    clearRefusedMark(box);
    Box& b = state(box);
    b.waiting.clear();
    b.said.clear();
    b.saidText.clear();
}

void EntryRefusals::show(QLineEdit* box, const std::optional<QString>& refusal,
                         const std::vector<Message>& messages) {
    if (refusal)
        refuse(box, *refusal, messages);
    else
        accept(box);
}

void EntryRefusals::committed(QLineEdit* box) {
    Box& b = state(box);
    // From here on the text is the user's committed entry: a later plan with it (another
    // window's change) says its refusals at once.
    box->setModified(false);
    const std::vector<Message> waiting = std::move(b.waiting);
    b.waiting.clear();
    if (!isMarkedRefused(box))
        return;
    say(b, waiting);
}

bool EntryRefusals::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Return commits the entry and does no more: in a dialog it would go on to press
            // the default button (a calibration, a step of K) with the entry just typed.
            committed(static_cast<QLineEdit*>(watched));
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        // Another window taking the focus (a message box, a menu, another program) is no
        // commit: the user comes back to the entry.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            committed(static_cast<QLineEdit*>(watched));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
