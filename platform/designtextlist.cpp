#include "platform/designtextlist.h"

#include <QApplication>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace platform {

namespace {

// Whether two palettes agree in everything but the placeholder colour.
bool sameButPlaceholder(const QPalette& a, const QPalette& b) {
    if (a.cacheKey() == b.cacheKey())
        return true;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::PlaceholderText)
                continue;
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            if (a.brush(g, r) != b.brush(g, r))
                return false;
        }
    }
    return true;
}

} // namespace

void DesignTextList::paintEvent(QPaintEvent*) {
    // What QComboBox paints, with the frame drawn in the inherited palette where that is the
    // same frame.
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QPalette inherited =
        parentWidget() ? parentWidget()->palette() : QApplication::palette(this);
    if (sameButPlaceholder(option.palette, inherited)) {
        QStyleOptionComboBox frame = option;
        frame.palette = inherited;
        // The colour group of the list's own state (a disabled list on an enabled parent).
        frame.palette.setCurrentColorGroup(option.palette.currentColorGroup());
        painter.drawComplexControl(QStyle::CC_ComboBox, frame);
    } else {
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
    }
    if (currentIndex() < 0 && !placeholderText().isEmpty()) {
        option.palette.setBrush(QPalette::ButtonText, option.palette.placeholderText());
        option.currentText = placeholderText();
    }
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace platform
