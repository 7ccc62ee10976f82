#pragma once
// The refusals of the text boxes whose change handlers also have a message of their own for
// some entries: marked while typed, said when committed.
#include "platform/messages.h"

#include <QObject>
#include <QString>

#include <list>
#include <optional>
#include <vector>

class QLineEdit;

namespace platform {

// The boxes of a window whose change handlers refuse some entries with a message of ours (a
// value that does not fit its field, say). Their handlers run on every keystroke, and a
// number on its way to a valid one is refused on the way ("1" on the way to "19.2"), so:
// - while the user types, a refused text only marks its box, and the messages wait;
// - when the entry is committed (Return, or the focus leaves the box) and is still refused,
//   its messages come then;
// - a refusal of a text set by code, or of a committed entry planned again, says its
//   messages at once.
// A message said against the text a box holds is not said again while that text stands
// refused (the same entry planned again from code, or committed again), also when another box
// of the group refuses its own text with it (the same limit reached from two boxes).
class EntryRefusals : public QObject {
public:
    explicit EntryRefusals(MessageService& messages, QObject* parent = nullptr);

    // The entries of the box are committed on Return and when the focus leaves it. Return in
    // the box does nothing else (no default button of its window).
    void watch(QLineEdit* box);

    // The box's text is refused: the box is marked with `accepts` and `messages` are said as
    // above. Without messages the mark alone tells it.
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
        std::vector<Message> waiting; // for the commit of the entry being typed
        std::vector<QString> said;    // against saidText, the text standing
        QString saidText;
    };
    Box& state(QLineEdit* box);
    bool standing(const QString& text) const;
    void say(Box& b, const std::vector<Message>& messages);
    void committed(QLineEdit* box);

    MessageService& messages_;
    std::list<Box> boxes_; // references to a Box outlive messages shown in between
};

} // namespace platform
