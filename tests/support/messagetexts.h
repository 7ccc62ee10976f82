#pragma once
// The messages a planning function hands back, in order, so that a test compares the whole list
// at once: their texts, or each as text, icon and title.
#include "platform/messages.h"

#include <QString>

#include <string>
#include <vector>

namespace evaltest {

inline std::vector<QString> texts(const std::vector<platform::Message>& messages) {
    std::vector<QString> out;
    for (const platform::Message& m : messages)
        out.push_back(m.text);
    return out;
}

// A message as one readable string (text | icon | title), for comparing whole lists of them,
// icons and titles included.
inline std::string shown(const platform::Message& m) {
    return QStringLiteral("%1 | %2 | %3")
        .arg(m.text)
        .arg(static_cast<int>(m.icon))
        .arg(m.title.value_or(QStringLiteral("<default title>")))
        .toStdString();
}

inline std::vector<std::string> shown(const std::vector<platform::Message>& messages) {
    std::vector<std::string> out;
    for (const platform::Message& m : messages)
        out.push_back(shown(m));
    return out;
}

// The same for any result that carries its messages.
template <class Result>
requires requires(const Result& r) {
    r.messages;
}
std::vector<QString> texts(const Result& result) {
    return texts(result.messages);
}

} // namespace evaltest
