#pragma once
// Messages as one readable string each (text | icon | title), so that tests compare whole
// lists of them, order included.
#include "platform/messages.h"

#include <QString>

#include <string>
#include <vector>

namespace pelliontest {

inline std::string shown(const platform::Message& m) {
    return QStringLiteral("%1 | %2 | %3")
        .arg(m.text)
        .arg(static_cast<int>(m.icon))
        .arg(m.title.value_or(QStringLiteral("<default title>")))
        .toStdString();
}

inline std::vector<std::string> shown(const std::vector<platform::Message>& messages) {
    std::vector<std::string> texts;
    for (const auto& m : messages)
        texts.push_back(shown(m));
    return texts;
}

// A "Warning" refusal naming its limit.
inline std::string warning(const char* text) {
    return shown(platform::Message{QString::fromUtf8(text), platform::MsgIcon::Critical,
                                   QStringLiteral("Warning")});
}

// A plain notice with the program's title.
inline std::string notice(const QString& text) {
    return shown(platform::Message{text, platform::MsgIcon::None, std::nullopt});
}

// A box entry refused with the range it accepts.
inline std::string entryRefusal(const QString& text) {
    return shown(platform::Message{text, platform::MsgIcon::Exclamation, std::nullopt});
}

} // namespace pelliontest
