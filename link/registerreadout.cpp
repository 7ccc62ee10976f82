#include "link/registerreadout.h"

namespace reglink {

RegisterReadout::RegisterReadout(QWidget* parent) : RegisterReadout(DesignCaption, parent) {}

RegisterReadout::RegisterReadout(const QString& designCaption, QWidget* parent)
    : QLabel(designCaption, parent) {
    setAutoFillBackground(true);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    setFont(mono);
    setMinimumWidth(QFontMetrics(mono).horizontalAdvance(QStringLiteral("0x00000000")) + 12);
    setMark(Mark::Normal);
}

void RegisterReadout::setMark(Mark mark) {
    mark_ = mark;
    QPalette pal = palette();
    QColor colour;
    switch (mark) {
    case Mark::Changed:
        colour = changedColour();
        break;
    case Mark::Normal:
        colour = QPalette().color(QPalette::Midlight);
        break;
    case Mark::ButtonFace:
        colour = QPalette().color(QPalette::Button);
        break;
    }
    pal.setColor(QPalette::Window, colour);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
}

} // namespace reglink
