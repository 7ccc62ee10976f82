#pragma once
// What the controls of some windows show, taken so that it can be put back: the texts of boxes,
// labels and buttons, the marks and tool tips of boxes, list choices, switch and slider
// positions, and which controls are hidden or disabled. A refused entry puts its windows back
// as they were when the user began to type it, without running a handler: what the handlers
// stored is put back with the field store, not worked out again.
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <vector>

namespace platform {

class ShownState {
public:
    // The controls of `windows` and of everything inside them.
    static ShownState of(const std::vector<QWidget*>& windows);

    // Puts every control that still exists back as it was taken, with its signals blocked, so
    // no handler runs; a control made since is left as it is.
    void restore() const;

private:
    struct Control {
        QPointer<QWidget> widget;
        QString text;       // box, label or button text
        QString toolTip;    // boxes: the tool tip a mark replaces
        QString styleSheet; // boxes: the frame of a mark
        int value = 0;      // list index or slider position
        bool checked = false;
        bool explicitlyHidden = false;
        bool forceDisabled = false;
        std::vector<std::pair<QByteArray, QVariant>> properties; // boxes: a mark's record
    };
    static Control take(QWidget* widget);
    static void putBack(const Control& c, bool checkedPass);

    std::vector<Control> controls_;
};

} // namespace platform
