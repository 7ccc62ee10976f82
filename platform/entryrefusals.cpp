#include "platform/entryrefusals.h"

#include "platform/core/numbers.h"
#include "platform/entrymark.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// Watches the whole program while an entry is typed, for a control about to act.
class OtherControls : public QObject {
public:
    explicit OtherControls(std::function<void(QObject*, QEvent*)> seen) : seen_(std::move(seen)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        seen_(watched, event);
        return false;
    }

private:
    std::function<void(QObject*, QEvent*)> seen_;
};

std::vector<Message> eachOnce(std::vector<Message> messages) {
    std::vector<Message> once;
    for (Message& m : messages) {
        const bool said = std::any_of(once.begin(), once.end(),
                                      [&m](const Message& o) { return o.text == m.text; });
        if (!said)
            once.push_back(std::move(m));
    }
    return once;
}

} // namespace

EntryRefusals::EntryRefusals(MessageService& messages, SetUpCapture capture, QObject* parent)
    : QObject(parent), messages_(messages), capture_(std::move(capture)) {}

EntryRefusals::~EntryRefusals() {
    stopTyping();
}

void EntryRefusals::watch(QLineEdit* box, const EntryName& name, std::function<void()> handler) {
    Box& b = state(box);
    b.name = name;
    b.handler = std::move(handler);
    b.lastText = box->text();
    box->installEventFilter(this);
    // The user's edit is told before the change every edit brings (textEdited, then
    // textChanged); a change made by code comes without it.
    connect(box, &QLineEdit::textEdited, this, [this, box] { edited(box); });
    connect(box, &QLineEdit::textChanged, this, [this, box] { changed(box); });
    // A box that goes away takes its state with it; its window is gone, so nothing of the
    // entry it was typing has anywhere to be put back.
    connect(box, &QObject::destroyed, this, [this, box] {
        if (typing_ && typing_->box == box)
            stopTyping();
        if (userChange_ == box)
            userChange_ = nullptr;
        std::erase_if(boxes_, [box](const Box& b) { return b.box == box; });
    });
}

EntryRefusals::Box* EntryRefusals::find(const QLineEdit* box) {
    const auto it =
        std::find_if(boxes_.begin(), boxes_.end(), [box](const Box& b) { return b.box == box; });
    return it == boxes_.end() ? nullptr : &*it;
}

EntryRefusals::Box& EntryRefusals::state(QLineEdit* box) {
    if (Box* b = find(box))
        return *b;
    boxes_.push_back({box, {}, {}, box->text(), {}, {}});
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
    // not say them again. What is held for a commit is not said yet.
    if (!messages_.holding()) {
        for (const Message& m : fresh)
            b.said.push_back(m.text);
    }
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
    say(b, messages);
}

void EntryRefusals::accept(QLineEdit* box) {
    clearRefusedMark(box);
    Box& b = state(box);
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

void EntryRefusals::edited(QLineEdit* box) {
    if (typing_ && typing_->box != box) {
        // Another box's entry is still open (its window never lost the focus): it is settled
        // first, and what it puts back is not this box's new text.
        const QString typed = box->text();
        committed(typing_->box);
        if (box->text() != typed) {
            const QSignalBlocker quiet(box);
            box->setText(typed);
        }
    }
    if (!typing_) {
        // The first key of an entry: what is in force now is what a refused entry puts back.
        // The box already shows the key, but its handler has not run on it.
        const Box& b = state(box);
        Typing t;
        t.box = box;
        t.inForce = isMarkedRefused(box) ? takenText(box).value_or(b.lastText) : b.lastText;
        if (capture_)
            t.putBack = capture_();
        typing_ = std::move(t);
        if (QCoreApplication* app = QCoreApplication::instance()) {
            auto* others = new OtherControls([this](QObject* target, QEvent* event) {
                switch (event->type()) {
                case QEvent::MouseButtonPress:
                case QEvent::MouseButtonDblClick:
                case QEvent::Wheel:
                    // Only widgets: the window gets a click before the control in it does.
                    if (qobject_cast<QWidget*>(target) && !insideTypedBox(target))
                        commitTyping();
                    break;
                case QEvent::Shortcut:
                    commitTyping();
                    break;
                default:
                    break;
                }
            });
            others->setParent(this);
            app->installEventFilter(others);
            application_ = others;
        }
    }
    userChange_ = box;
}

void EntryRefusals::changed(QLineEdit* box) {
    Box* b = find(box);
    if (!b || !b->handler)
        return;
    const bool byUser = userChange_ == box;
    if (byUser)
        userChange_ = nullptr;
    if (!byUser || !typing_ || typing_->box != box) {
        b->handler();
        b->lastText = box->text();
        return;
    }
    std::vector<Message> held;
    {
        const MessageService::Hold hold(messages_, held);
        b->handler();
    }
    if (typing_ && typing_->box == box)
        typing_->latest = std::move(held);
    else
        showMessages(messages_, held);
    b->lastText = box->text();
}

void EntryRefusals::committed(QLineEdit* box) {
    // From here on the text is the user's committed entry: a later plan with it (another
    // window's change) says its refusals at once.
    box->setModified(false);
    if (!typing_ || typing_->box != box)
        return;
    Typing t = std::move(*typing_);
    stopTyping();
    std::vector<Message> messages = eachOnce(std::move(t.latest));
    if (!isMarkedRefused(box)) {
        showMessages(messages_, messages);
        return;
    }
    const QString accepts = refusalAccepts(box);
    const QString why = box->toolTip(); // with the decimal-point hint a comma gets
    const QString hint = decimalPointHint(box->text());
    if (t.putBack)
        t.putBack();
    putBackRefusedEntry(box, t.inForce, accepts);
    Box& b = state(box);
    b.lastText = t.inForce;
    b.said.clear();
    b.saidText.clear();
    const QString kept = keptText(b.name, t.inForce);
    if (messages.empty())
        messages.push_back({why.isEmpty() ? kept : why + QStringLiteral("\n\n") + kept,
                            MsgIcon::Exclamation, std::nullopt, false});
    else
        messages.back().text +=
            (hint.isEmpty() ? QString() : QLatin1Char('\n') + hint) + QStringLiteral("\n\n") + kept;
    showMessages(messages_, messages);
}

void EntryRefusals::commitTyping() {
    if (typing_)
        committed(typing_->box);
}

void EntryRefusals::stopTyping() {
    typing_.reset();
    if (application_) {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->removeEventFilter(application_);
        application_->deleteLater();
    }
    application_ = nullptr;
}

bool EntryRefusals::insideTypedBox(const QObject* target) const {
    for (const QObject* o = target; o; o = o->parent()) {
        if (typing_ && o == typing_->box)
            return true;
    }
    return false;
}

QString EntryRefusals::keptText(const EntryName& name, const QString& inForce) {
    const QString noun = name.noun.isEmpty() ? QStringLiteral("entry") : name.noun;
    const QString value = inForce.trimmed();
    if (value.isEmpty())
        return QStringLiteral("The %1 is left as it was.").arg(noun);
    const QString unit = name.unitLabel ? name.unitLabel->text().trimmed() : name.unit;
    return QStringLiteral("The %1 is left at %2.")
        .arg(noun, unit.isEmpty() ? value : value + QLatin1Char(' ') + unit);
}

bool EntryRefusals::eventFilter(QObject* watched, QEvent* event) {
    // Only boxes are watched; one that is being destroyed is no longer one.
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        // A key in another box settles the entry still open in the one before.
        if (typing_ && typing_->box != box)
            committed(typing_->box);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Return commits the entry and does no more: in a dialog it would go on to press
            // the default button (a calibration, a step of K) with the entry just typed.
            committed(box);
            return true;
        }
        // Escape goes on to close the window, which must find the entry settled.
        if (key == Qt::Key_Escape)
            committed(box);
        break;
    }
    case QEvent::FocusOut: {
        // Another window taking the focus (a message box, a menu, another program) is no
        // commit: the user comes back to the entry.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            committed(box);
        break;
    }
    case QEvent::Hide:
        // The window closes (not minimised): the entry is settled before it goes.
        if (!event->spontaneous())
            committed(box);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
