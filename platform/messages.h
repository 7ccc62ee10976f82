#pragma once
// Message boxes and the beep, as a service so tests can record what the user
// would have been shown instead of blocking on a modal box.
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace platform {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
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
    void setDefaultTitle(const QString& title) { defaultTitle_ = title; }

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

// Records every message; answers with a scripted result (Ok by default).
class RecordingMessageService : public MessageService {
public:
    using MessageService::MessageService;
    void beep() override { ++beeps; }

    std::vector<MessageRecord> messages;
    int beeps = 0;
    MsgResult answer = MsgResult::Ok;

    std::vector<QString> texts() const;
    void clear() {
        messages.clear();
        beeps = 0;
    }

protected:
    MsgResult show(const MessageRecord& record) override {
        messages.push_back(record);
        return answer;
    }
};

// A message box that a planning function asks its window to show.
struct Message {
    QString text;
    MsgIcon icon = MsgIcon::None;
    std::optional<QString> title; // nullopt: the program's default title
    bool beep = false;            // beep before the box (entry errors)
};

// Shows the messages in order, each with its beep first where it asks for one.
void showMessages(MessageService& service, const std::vector<Message>& messages);

} // namespace platform
