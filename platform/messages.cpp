#include "platform/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

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
    for (const Message& m : messages) {
        if (m.beep)
            service.beep();
        service.message(m.text, m.icon, m.title);
    }
}

} // namespace platform
