#include "platform/messages.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>

#include <algorithm>

namespace platform {

MsgResult MessageService::message(const QString& text, MsgIcon icon,
                                  const std::optional<QString>& title, MsgButtons buttons) {
    if (buttons == MsgButtons::Ok) {
        if (held_) {
            held_->push_back({text, icon, title, false});
            return MsgResult::Ok;
        }
        if (std::find(saidInAction_.begin(), saidInAction_.end(), text) != saidInAction_.end())
            return MsgResult::Ok;
        saidInAction_.push_back(text);
    }
    return show({text, icon, title.value_or(defaultTitle_), buttons});
}

void MessageService::say(const Message& m) {
    if (held_) {
        held_->push_back(m);
        return;
    }
    const bool said =
        std::find(saidInAction_.begin(), saidInAction_.end(), m.text) != saidInAction_.end();
    if (m.beep && !said)
        beep();
    message(m.text, m.icon, m.title);
}

UserActions::UserActions(MessageService& messages, QObject* parent)
    : QObject(parent), messages_(messages) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

UserActions::~UserActions() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool UserActions::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Shortcut:
    case QEvent::Wheel:
        if (auto* w = qobject_cast<QWidget*>(watched);
            w && !qobject_cast<QMessageBox*>(w->window()))
            messages_.newAction();
        break;
    default:
        break;
    }
    return false;
}

MessageService::Hold::Hold(MessageService& service, std::vector<Message>& into)
    : service_(service), outer_(service.held_) {
    service_.held_ = &into;
}

MessageService::Hold::~Hold() {
    service_.held_ = outer_;
}

void QtMessageService::beep() {
    QApplication::beep();
}

MsgResult QtMessageService::show(const MessageRecord& record) {
    QMessageBox box(parent_);
    box.setText(record.text);
    box.setWindowTitle(record.title);
    switch (record.icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    switch (record.buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    default:
        return MsgResult::Ok;
    }
}

void showMessages(MessageService& service, const std::vector<Message>& messages) {
    for (const Message& m : messages)
        service.say(m);
}

} // namespace platform
