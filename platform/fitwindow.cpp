#include "platform/fitwindow.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

namespace platform {

namespace {

// The scroll area round a panel's content. Its size hint is the whole content (a plain scroll
// area stops at a few dozen lines of text), so the window asks for all of it and only the
// screen cuts it down. The window is fitted each time it is shown, when the start-up has put
// its texts in.
class FittingScrollArea : public QScrollArea {
public:
    explicit FittingScrollArea(QMainWindow& window) : window_(window) {
        setObjectName(QStringLiteral("panelScrollArea"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        window.installEventFilter(this);
    }

    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        const QWidget* content = widget();
        if (!content)
            return {frame, frame};
        return content->sizeHint().expandedTo(content->minimumSizeHint()) + QSize(frame, frame);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show && !event->spontaneous())
            fitToContents(window_);
        return false;
    }

private:
    QMainWindow& window_;
};

// Where the window may lie: the screen less its panels, less the frame the window system puts
// round the window. The frame is known once the window is shown and framed; until then room
// is kept for a title bar.
QRect roomFor(const QWidget& window) {
    const QScreen* screen = window.screen();
    QRect room = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    int left = inner.left() - frame.left(), top = inner.top() - frame.top();
    int right = frame.right() - inner.right(), bottom = frame.bottom() - inner.bottom();
    if (left == 0 && top == 0 && right == 0 && bottom == 0)
        top = 2 * QFontMetrics(window.font()).height();
    return room.adjusted(left, top, -right, -bottom);
}

} // namespace

void setFittingCentralWidget(QMainWindow& window, QWidget* content) {
    auto* area = new FittingScrollArea(window);
    area->setWidget(content);
    window.setCentralWidget(area);
    fitToContents(window);
}

void fitToContents(QMainWindow& window) {
    if (window.isMaximized() || window.isFullScreen())
        return;
    // The layouts take the rows shown now before the window asks them what it needs.
    auto* area = qobject_cast<QScrollArea*>(window.centralWidget());
    QWidget* content = area ? area->widget() : window.centralWidget();
    if (content && content->layout())
        content->layout()->activate();
    // The scroll area does not pass its content's new needs on to the window's layout.
    if (area)
        area->updateGeometry();
    window.layout()->invalidate();
    window.layout()->activate();

    const QRect room = roomFor(window);
    QSize size = window.sizeHint().expandedTo(window.minimumSizeHint());
    if (area) {
        // A side the screen cannot hold scrolls, and its scroll bar takes room from the other.
        const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
        const bool tooWide = size.width() > room.width();
        const bool tooHigh = size.height() > room.height();
        if (tooWide)
            size.rheight() += bar;
        if (tooHigh)
            size.rwidth() += bar;
    }
    size = size.boundedTo(room.size()).expandedTo(window.minimumSize());
    window.resize(size);

    // A window that grew past the screen's edge comes back onto it.
    if (window.isVisible()) {
        const QRect frame = window.frameGeometry();
        const QRect screen = window.screen()->availableGeometry();
        QPoint shift;
        if (frame.right() > screen.right())
            shift.rx() = screen.right() - frame.right();
        if (frame.bottom() > screen.bottom())
            shift.ry() = screen.bottom() - frame.bottom();
        if (frame.left() + shift.x() < screen.left())
            shift.rx() = screen.left() - frame.left();
        if (frame.top() + shift.y() < screen.top())
            shift.ry() = screen.top() - frame.top();
        if (!shift.isNull())
            window.move(window.pos() + shift);
    }
}

} // namespace platform
