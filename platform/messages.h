#pragma once
// Message boxes and the beep, as a service so tests can record what the user
// would have been shown instead of blocking on a modal box.
#include "platform/core/message.h"

#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace platform {

enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgResult { Ok, Cancel, Yes, No };

struct MessageRecord {
    QString text;
    MsgIcon icon = MsgIcon::None;
    QString title; // the title actually shown (the default title already filled in)
    MsgButtons buttons = MsgButtons::Ok;
};

class MessageService {
public:
    explicit MessageService(QString defaultTitle = {}) : defaultTitle_(std::move(defaultTitle)) {}
    virtual ~MessageService() = default;

    // A title of std::nullopt means the program's own default title; an empty
    // string means an empty title bar.
    MsgResult message(const QString& text, MsgIcon icon = MsgIcon::None,
                      const std::optional<QString>& title = std::nullopt,
                      MsgButtons buttons = MsgButtons::Ok);
    virtual void beep() = 0;
    // A message as a value: its beep first where it asks for one, then the box.
    void say(const Message& message);

    const QString& defaultTitle() const { return defaultTitle_; }

    // While a hold is in place, the notices said (OK button alone, with the beep asked before
    // them) are kept in it instead of shown: a box's change handler runs on every keystroke,
    // and what it says of a text on the way to the entry waits for the entry's commit. A
    // question still asks at once, since its answer is needed.
    class Hold {
    public:
        Hold(MessageService& service, std::vector<Message>& into);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        MessageService& service_;
        std::vector<Message>* outer_;
    };
    bool holding() const { return held_ != nullptr; }

    // A new action of the user's begins (a click, a key, a shortcut). Within one action each
    // notice is said at most once: a plan that runs twice for one choice warns once.
    void newAction() { saidInAction_.clear(); }

protected:
    virtual MsgResult show(const MessageRecord& record) = 0;

private:
    QString defaultTitle_;
    std::vector<Message>* held_ = nullptr;
    std::vector<QString> saidInAction_;
};

// Tells the message service when each of the user's actions begins, while it lives: any input
// of the user's, except in a message box (closing one goes on with the action that showed it).
class UserActions : public QObject {
public:
    explicit UserActions(MessageService& messages, QObject* parent = nullptr);
    ~UserActions() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MessageService& messages_;
};

// Real modal message boxes.
class QtMessageService : public MessageService {
public:
    using MessageService::MessageService;
    void beep() override;
    void setParentWindow(QWidget* parent) { parent_ = parent; }

protected:
    MsgResult show(const MessageRecord& record) override;

private:
    QWidget* parent_ = nullptr;
};

// Shows the messages in order, each with its beep first where it asks for one.
void showMessages(MessageService& service, const std::vector<Message>& messages);

} // namespace platform
