#pragma once
// A message box as a value: what a planning step asks its window to show, so the planning
// needs no widgets and its tests read the messages it gives.
#include <QString>
#include <optional>

namespace platform {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };

struct Message {
    QString text;
    MsgIcon icon = MsgIcon::None;
    std::optional<QString> title; // nullopt: the program's default title
    bool beep = false;            // beep before the box (entry errors)
};

} // namespace platform
