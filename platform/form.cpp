#include "platform/form.h"

#include <QtGlobal>

#include <cstdlib>

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

void Form::showEvent(QShowEvent* event) {
    if (loadWhenShown_ && !event->spontaneous())
        Form_Load();
    QDialog::showEvent(event);
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

WindowRegistry::~WindowRegistry() {
    clear();
}

Form* WindowRegistry::ifLoaded(const QString& name) const {
    for (const Entry& e : entries_)
        if (e.name == name)
            return e.window.data();
    return nullptr;
}

std::vector<Form*> WindowRegistry::loaded() const {
    std::vector<Form*> windows;
    for (const Entry& e : entries_) {
        if (e.window)
            windows.push_back(e.window.data());
    }
    return windows;
}

WindowRegistry::Entry& WindowRegistry::entryFor(const QString& name) {
    for (Entry& e : entries_)
        if (e.name == name)
            return e;
    entries_.push_back({name, nullptr});
    return entries_.back();
}

void WindowRegistry::forget(const QString& name, Form* window) {
    for (Entry& e : entries_)
        if (e.name == name && e.window == window)
            e.window = nullptr;
}

void WindowRegistry::noWindowMade(const QString& name) {
    qFatal("The window %s could not be made", qPrintable(name));
    std::abort(); // qFatal does not return; the compiler is told so here as well
}

void WindowRegistry::unload(const QString& name) {
    if (Form* window = ifLoaded(name))
        window->unload();
}

void WindowRegistry::clear() {
    // A window may refer to another while it goes; take each out first.
    for (Entry& e : entries_) {
        Form* window = e.window.data();
        e.window = nullptr;
        delete window;
    }
}

} // namespace platform
