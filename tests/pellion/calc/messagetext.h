#pragma once
// The messages the pellion planning functions give, as one readable string each (text | icon |
// title), so that tests compare whole lists of them, order included.
#include "../../support/messagetexts.h"

#include "platform/messages.h"

#include <QString>

#include <string>
#include <vector>

namespace pelliontest {

using evaltest::shown;

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
