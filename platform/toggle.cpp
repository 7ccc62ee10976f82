#include "platform/toggle.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>

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

// The switch without its focus mark, drawn once per look and size and then taken from the
// pixmap cache: its antialiased outline is what its paint would spend most of its time on, and
// a panel's switches and every later paint share a few looks.
void Toggle::paintEvent(QPaintEvent*) {
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    const QPalette& pal = palette();
    const bool on = isChecked();
    QColor trackColor = on ? QColor(0x2e, 0x9d, 0x3a) : pal.color(QPalette::Mid);
    if (!isEnabled())
        trackColor = pal.color(QPalette::Disabled, QPalette::Button);
    const QColor outline = pal.color(QPalette::Shadow);
    const QColor knob = pal.color(QPalette::Button);
    const QColor textColor = on ? QColor(Qt::white) : pal.color(QPalette::ButtonText);
    const QString& text = on ? onText_ : offText_;
    const qreal ratio = devicePixelRatioF();

    const QString key = QStringLiteral("platform::Toggle/%1x%2@%3/%4/%5/%6/%7/%8/%9")
                            .arg(width())
                            .arg(height())
                            .arg(ratio)
                            .arg(on ? 1 : 0)
                            .arg(trackColor.rgba(), 0, 16)
                            .arg(QString::number(outline.rgba(), 16) + QLatin1Char('.') +
                                 QString::number(knob.rgba(), 16))
                            .arg(textColor.rgba(), 0, 16)
                            .arg(font().key())
                            .arg(text);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.setFont(font());
        p.setPen(QPen(outline, 1));
        p.setBrush(trackColor);
        p.drawRoundedRect(track, radius, radius);

        const qreal knobSize = track.height() - 4;
        const qreal knobX = on ? track.right() - knobSize - 2 : track.left() + 2;
        p.setBrush(knob);
        p.drawEllipse(QRectF(knobX, track.top() + 2, knobSize, knobSize));

        if (!text.isEmpty()) {
            p.setPen(textColor);
            QRectF textRect =
                track.adjusted(on ? 6 : knobSize + 6, 0, on ? -(knobSize + 6) : -6, 0);
            p.drawText(textRect, Qt::AlignCenter, text);
        }
        p.end();
        QPixmapCache::insert(key, picture);
    }

    QPainter p(this);
    p.drawPixmap(0, 0, picture);
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(pal.color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(track.adjusted(-0.5, -0.5, 0.5, 0.5), radius, radius);
    }
}

} // namespace platform
