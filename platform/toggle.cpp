#include "platform/toggle.h"

#include <QPainter>
#include <QPainterPath>

namespace platform {

Toggle::Toggle(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void Toggle::setStateTexts(const QString& off, const QString& on) {
    offText_ = off;
    onText_ = on;
    updateGeometry();
    update();
}

QSize Toggle::sizeHint() const {
    const QFontMetrics fm(font());
    const int textWidth = std::max(fm.horizontalAdvance(offText_), fm.horizontalAdvance(onText_));
    const int h = std::max(20, fm.height() + 6);
    return {std::max(44, h * 2 + textWidth), h};
}

void Toggle::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    const QPalette& pal = palette();
    const bool on = isChecked();
    QColor trackColor = on ? QColor(0x2e, 0x9d, 0x3a) : pal.color(QPalette::Mid);
    if (!isEnabled())
        trackColor = pal.color(QPalette::Disabled, QPalette::Button);
    p.setPen(QPen(pal.color(QPalette::Shadow), 1));
    p.setBrush(trackColor);
    p.drawRoundedRect(track, radius, radius);

    const qreal knobSize = track.height() - 4;
    const qreal knobX = on ? track.right() - knobSize - 2 : track.left() + 2;
    p.setBrush(pal.color(QPalette::Button));
    p.drawEllipse(QRectF(knobX, track.top() + 2, knobSize, knobSize));

    const QString& text = on ? onText_ : offText_;
    if (!text.isEmpty()) {
        p.setPen(on ? Qt::white : pal.color(QPalette::ButtonText));
        QRectF textRect = track.adjusted(on ? 6 : knobSize + 6, 0, on ? -(knobSize + 6) : -6, 0);
        p.drawText(textRect, Qt::AlignCenter, text);
    }
    if (hasFocus()) {
        p.setPen(QPen(pal.color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(track.adjusted(-0.5, -0.5, 0.5, 0.5), radius, radius);
    }
}

} // namespace platform
