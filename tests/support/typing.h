#pragma once
// A user's entry into a text box: the box's text selected and typed over key by key, so that
// the box's change handler runs for every keystroke as it does under the user's hands; then,
// where the entry is committed, Return or the focus leaving the box.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QString>
#include <QTest>

namespace evaltest {

inline void typeInto(QLineEdit* box, const QString& text) {
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

// Typed, then Return.
inline void enterInto(QLineEdit* box, const QString& text) {
    typeInto(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

// The user leaves the control for another one of its window (Tab): its lost-focus handler
// runs.
inline void leave(QWidget* control) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(control, &out);
}

// A list item chosen as the user does: the list dropped down, the item picked and the choice
// taken with Return (the list's `activated` runs, also for the item it already shows).
inline void pickFromList(QComboBox* list, int index) {
    list->showPopup();
    QAbstractItemView* view = list->view();
    view->setCurrentIndex(list->model()->index(index, list->modelColumn()));
    QTest::keyClick(view, Qt::Key_Return);
}

} // namespace evaltest
