#include "platform/fitwindow.h"

#include <QLayout>
#include <QMainWindow>

namespace platform {

void fitToContents(QMainWindow& window) {
    if (window.isMaximized() || window.isFullScreen())
        return;
    // The layouts take the rows shown now before the window asks them what it needs.
    if (QWidget* central = window.centralWidget(); central && central->layout())
        central->layout()->activate();
    window.layout()->activate();
    window.adjustSize();
}

} // namespace platform
