#include "platform/form.h"

namespace platform {

Form::Form(QWidget* parent) : QDialog(parent) {
    // The slot decides when the window goes; Qt must not delete it on close.
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Form::unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    if (unloader_)
        unloader_();
    hide();
    // Ends a running exec() without recursing into our reject().
    QDialog::done(QDialog::Accepted);
    deleteLater();
}

void Form::closeEvent(QCloseEvent* event) {
    if (!unloaded_)
        closeBox();
    event->accept();
}

void Form::reject() {
    if (!unloaded_)
        closeBox();
}

} // namespace platform
