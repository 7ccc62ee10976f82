#pragma once
// A message box a planning function asks its window to show.
#include "platform/messages.h"

#include <QString>
#include <optional>

namespace corvane::calc {

struct Message {
    QString text;
    platform::MsgIcon icon = platform::MsgIcon::None;
    std::optional<QString> title; // nullopt: the program's default title
    bool beep = false;            // beep before the box (entry errors)
};

} // namespace corvane::calc
