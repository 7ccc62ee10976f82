#pragma once
// The text boxes whose change handlers act on every keystroke, and the entries the user types
// into them. A number on its way to a valid one is often refused on the way ("1" on the way to
// "19.2"), and one on its way to a refused one is often taken on the way ("30" on the way to
// "300"), so:
// - while the user types, a text that is taken is planned at once and a refused one only marks
//   its box; what the handler says of a text on the way waits;
// - the entry is committed on Return, when the focus leaves the box, and before any other
//   control acts (a click, a wheel, a shortcut). A committed entry that is taken says what its
//   own plan had to say, once. A committed entry that is refused puts back the whole set-up as
//   it was when the user began to type it: every field, box, label and read-out the typing
//   changed, and the box's text in force. The box keeps its mark, and one message says why the
//   entry was refused and what was kept;
// - a refusal of a text set by code says its messages at once.
// A message said against the text a box holds is not said again while that text stands
// refused (the same text planned again from code), also when another box refuses its own text
// with it (the same limit reached from two boxes).
#include "platform/messages.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <list>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;

namespace platform {

// What a box holds, as a refused entry's message names what was kept: "The data rate is left
// at 10 kbit/s."
struct EntryName {
    QString noun;                      // "data rate"
    QString unit{};                    // "kbit/s", or none
    const QLabel* unitLabel = nullptr; // a unit that changes with the set-up, shown by this label
};

class EntryRefusals : public QObject {
public:
    // Takes the set-up as it stands and gives back what puts it back so.
    using SetUpCapture = std::function<std::function<void()>()>;

    explicit EntryRefusals(MessageService& messages, SetUpCapture capture = {},
                           QObject* parent = nullptr);
    ~EntryRefusals() override;

    // `handler` is the box's change handler: it runs on every change of the box's text, by the
    // user or by code, and marks or clears the box's mark (through this object, or
    // platform/entrymark.h where it has no message of its own). Return in the box commits the
    // entry and does nothing else (no default button of its window).
    void watch(QLineEdit* box, const EntryName& name, std::function<void()> handler);

    // The box's text is refused: the box is marked with `accepts` and `messages` are said as
    // above. Without messages the mark alone tells it until the entry is committed.
    void refuse(QLineEdit* box, const QString& accepts, const std::vector<Message>& messages = {});
    // The box's text is taken: the mark goes, and what was said against it is forgotten.
    void accept(QLineEdit* box);
    // refuse() with `*refusal` when there is one, accept() otherwise.
    void show(QLineEdit* box, const std::optional<QString>& refusal,
              const std::vector<Message>& messages = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Box {
        QLineEdit* box = nullptr;
        EntryName name;
        std::function<void()> handler;
        QString lastText;          // the text the handler last ran on
        std::vector<QString> said; // against saidText, the text standing
        QString saidText;
    };
    // The entry the user is typing: what was in force when the first key changed the box.
    struct Typing {
        QLineEdit* box = nullptr;
        QString inForce;
        std::function<void()> putBack;
        std::vector<Message> latest; // what the handler said of the text typed last
    };
    Box* find(const QLineEdit* box);
    Box& state(QLineEdit* box);
    bool standing(const QString& text) const;
    void say(Box& b, const std::vector<Message>& messages);
    void edited(QLineEdit* box);
    void changed(QLineEdit* box);
    void committed(QLineEdit* box);
    // The entry being typed, if any, is committed now (another control is about to act).
    void commitTyping();
    void stopTyping();
    // The sentence of a refused entry's message that says what was kept.
    static QString keptText(const EntryName& name, const QString& inForce);
    bool insideTypedBox(const QObject* target) const;

    MessageService& messages_;
    SetUpCapture capture_;
    std::list<Box> boxes_; // references to a Box outlive messages shown in between
    std::optional<Typing> typing_;
    QLineEdit* userChange_ = nullptr; // the box whose text the user has just changed
    QPointer<QObject> application_;   // watched for other controls while an entry is typed
};

} // namespace platform
