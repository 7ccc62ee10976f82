#pragma once
// Small helpers for building windows in code: every control carries its
// design name as its objectName, so tests and accessibility tools find it.
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <optional>

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

// Stores a planning result's value where it has one ("leave as it is" otherwise).
template <class Target, class Value>
void assignIfSet(Target& target, const std::optional<Value>& value) {
    if (value)
        target = static_cast<Target>(*value);
}

} // namespace platform
