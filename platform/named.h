#pragma once
// Small helpers for building windows in code: every control carries its
// design name as its objectName, so tests and accessibility tools find it.
#include <QComboBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/designtextlist.h"
#include "platform/toggle.h"

namespace platform {

template <class T> T* named(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

inline QLabel* namedLabel(const char* name, const QString& text) {
    return named(new QLabel(text), name);
}

inline QPushButton* namedButton(const char* name, const QString& caption) {
    return named(new QPushButton(caption), name);
}

// A list without a choice shows its placeholder in the placeholder colour,
// which most styles make the grey of a disabled control. The design text of a
// list that starts with no selection is what the list says it is set to, so it
// gets the colour of a chosen item; a disabled list keeps its disabled look.
inline void showPlaceholderAsChosen(QComboBox* list) {
    QPalette palette = list->palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::PlaceholderText,
                         palette.color(group, QPalette::ButtonText));
    list->setPalette(palette);
}

// A list starts with no selection, as the windows expect before their load
// handler sets it; the design text shows until an item is chosen. Filled with
// its signals blocked so no handler runs for the first item.
inline QComboBox* namedList(const char* name, const QStringList& items,
                            const QString& designText = {}) {
    auto* list = named<QComboBox>(new DesignTextList, name);
    const QSignalBlocker block(list);
    list->addItems(items);
    list->setCurrentIndex(-1);
    list->setPlaceholderText(designText);
    showPlaceholderAsChosen(list);
    return list;
}

// An on/off switch captioned "Off" and "On".
inline Toggle* namedToggle(const char* name) {
    auto* toggle = named(new Toggle, name);
    toggle->setStateTexts(QStringLiteral("Off"), QStringLiteral("On"));
    return toggle;
}

// Stores a planning result's value where it has one ("leave as it is" otherwise).
template <class Target, class Value>
void assignIfSet(Target& target, const std::optional<Value>& value) {
    if (value)
        target = static_cast<Target>(*value);
}

} // namespace platform
