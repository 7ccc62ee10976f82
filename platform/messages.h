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
                      MsgButtons buttons = MsgButtons::Ok) {
        return show({text, icon, title.value_or(defaultTitle_), buttons});
    }
    virtual void beep() = 0;

    const QString& defaultTitle() const { return defaultTitle_; }

protected:
    virtual MsgResult show(const MessageRecord& record) = 0;

private:
    QString defaultTitle_;
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
