#pragma once
// Showing a control from a window's code. A control that is not hidden is on screen with its
// window, or will be when the window is shown, so showing it again changes nothing; but Qt
// would polish it and lay out everything inside it then, before the window is shown, and do
// it again when the window is.
#include <QWidget>

namespace platform {

inline void setShown(QWidget* control, bool shown) {
    if (shown && !control->isHidden())
        return;
    control->setVisible(shown);
}

} // namespace platform
