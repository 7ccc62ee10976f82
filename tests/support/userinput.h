#pragma once
// What a user does with the controls, for the window tests: choose a list item through the
// list's drop-down, type into a box a key at a time, commit the entry with Return or by
// leaving the box. Setting a list's index or a box's text from a test is a change made by code
// and runs another path (a list runs its handler only when the index changes).
#include "../qtprinters.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace evaltest {

namespace detail {

// The drop-down opened from the keyboard (F4), as the list had the focus; false (with a test
// failure) for a list the user could not open.
inline bool openDropDown(QComboBox* list, int index) {
    if (!list->isEnabled() || !list->isVisibleTo(list->window())) {
        ADD_FAILURE() << list->objectName().toStdString() << " is not there to be chosen from";
        return false;
    }
    if (index < 0 || index >= list->count()) {
        ADD_FAILURE() << list->objectName().toStdString() << " has no item " << index;
        return false;
    }
    QTest::keyClick(list, Qt::Key_F4);
    if (!list->view()->isVisible()) {
        ADD_FAILURE() << "the drop-down of " << list->objectName().toStdString() << " did not open";
        return false;
    }
    return true;
}

inline void expectClosed(QComboBox* list) {
    EXPECT_FALSE(list->view()->isVisible())
        << "the drop-down of " << list->objectName().toStdString() << " stayed open";
}

} // namespace detail

// Opens the list's drop-down and clicks item `index`, also when the list shows it already.
inline void chooseItem(QComboBox* list, int index) {
    if (!detail::openDropDown(list, index))
        return;
    QAbstractItemView* view = list->view();
    const QRect item = view->visualRect(list->model()->index(index, list->modelColumn()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    detail::expectClosed(list);
}

// The same, for the item with this text.
inline void chooseItem(QComboBox* list, const QString& text) {
    const int index = list->findText(text);
    if (index < 0) {
        ADD_FAILURE() << list->objectName().toStdString() << " has no item " << text.toStdString();
        return;
    }
    chooseItem(list, index);
}

// Opens the drop-down and walks to item `index` with the keys (Home, then Down), then Return.
inline void chooseItemByKeys(QComboBox* list, int index) {
    if (!detail::openDropDown(list, index))
        return;
    QAbstractItemView* view = list->view();
    QTest::keyClick(view, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    detail::expectClosed(list);
}

// The user's edit of a box: gives it the focus, selects what it holds and types `keys` one at
// a time over it (an empty `keys` deletes the text).
inline void typeInto(QLineEdit* box, const QString& keys) {
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (keys.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, keys);
}

// Return in the box: the entry is committed.
inline void pressReturn(QLineEdit* box) {
    QTest::keyClick(box, Qt::Key_Return);
}

// Typed, then Return.
inline void enterInto(QLineEdit* box, const QString& keys) {
    typeInto(box, keys);
    pressReturn(box);
}

// The focus leaves the box (or another control) for another control. A box in a window that is not
// active (the offscreen windows of the tests need not be) has no focus to lose: it is told as Tab
// would tell it.
inline void leaveBox(QWidget* box) {
    if (box->hasFocus()) {
        box->clearFocus();
        return;
    }
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &out);
}

} // namespace evaltest
