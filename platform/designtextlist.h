#pragma once
// The list a window starts with no selection: it shows its design text in the colour of a
// chosen item (its palette's placeholder colour is the button-text colour), and draws its frame
// with the palette it inherits, which differs from its own only in that placeholder colour. The
// style caches each frame it draws under the palette's identity; drawn with the inherited
// palette, every list of a window shares one cached frame instead of drawing its own on its
// first paint.
#include <QComboBox>

namespace platform {

class DesignTextList : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace platform
