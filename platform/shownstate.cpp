#include "platform/shownstate.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <memory>

namespace platform {

namespace {

// The line edit inside a list or a spin box belongs to it and follows it.
bool ownedByAnotherControl(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    return qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent);
}

} // namespace

ShownState::Control ShownState::take(QWidget* w) {
    Control c;
    c.widget = w;
    c.explicitlyHidden = w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
    c.forceDisabled = w->testAttribute(Qt::WA_ForceDisabled);
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        c.text = box->text();
        c.toolTip = box->toolTip();
        c.styleSheet = box->styleSheet();
        for (const QByteArray& name : box->dynamicPropertyNames())
            c.properties.emplace_back(name, box->property(name.constData()));
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        c.text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        c.text = button->text();
        c.checked = button->isChecked();
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
        c.value = list->currentIndex();
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
        c.value = slider->value();
    }
    return c;
}

ShownState ShownState::of(const std::vector<QWidget*>& windows) {
    ShownState s;
    for (QWidget* window : windows) {
        if (!window)
            continue;
        s.controls_.push_back(take(window));
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isWindow() && !ownedByAnotherControl(w))
                s.controls_.push_back(take(w));
        }
    }
    return s;
}

void ShownState::putBack(const Control& c, bool checkedPass) {
    QWidget* w = c.widget.data();
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable()) {
        // A button of an exclusive group cannot be unchecked, only another one checked: the
        // unchecked ones go first, then the checked ones take their groups.
        if (button->isChecked() != c.checked && c.checked == checkedPass)
            button->setChecked(c.checked);
    }
    if (checkedPass)
        return;
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        if (box->text() != c.text)
            box->setText(c.text);
        box->setModified(false);
        if (box->toolTip() != c.toolTip)
            box->setToolTip(c.toolTip);
        if (box->styleSheet() != c.styleSheet)
            box->setStyleSheet(c.styleSheet);
        for (const QByteArray& name : box->dynamicPropertyNames()) {
            const bool had = std::any_of(c.properties.begin(), c.properties.end(),
                                         [&name](const auto& p) { return p.first == name; });
            if (!had)
                box->setProperty(name.constData(), QVariant());
        }
        for (const auto& [name, value] : c.properties)
            box->setProperty(name.constData(), value);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text() != c.text)
            label->setText(c.text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (button->text() != c.text)
            button->setText(c.text);
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
        if (list->currentIndex() != c.value && c.value < list->count())
            list->setCurrentIndex(c.value);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
        if (slider->value() != c.value)
            slider->setValue(c.value);
    }
    if (w->testAttribute(Qt::WA_ForceDisabled) != c.forceDisabled)
        w->setEnabled(!c.forceDisabled);
    if (!w->isWindow()) {
        const bool hidden = w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
        if (hidden != c.explicitlyHidden)
            w->setVisible(!c.explicitlyHidden);
    }
}

void ShownState::restore() const {
    // Every control is quiet until all are back: a radio button checked here unchecks its
    // neighbour, whose handler must not run either.
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    quiet.reserve(controls_.size());
    for (const Control& c : controls_) {
        if (c.widget)
            quiet.push_back(std::make_unique<QSignalBlocker>(c.widget.data()));
    }
    for (const bool checkedPass : {false, true}) {
        for (const Control& c : controls_) {
            if (c.widget)
                putBack(c, checkedPass);
        }
    }
}

} // namespace platform
