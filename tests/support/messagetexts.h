#pragma once
// The texts of the messages a planning function hands back, in order, so that a test compares
// the whole list at once.
#include "platform/messages.h"

#include <QString>

#include <vector>

namespace evaltest {

inline std::vector<QString> texts(const std::vector<platform::Message>& messages) {
    std::vector<QString> out;
    for (const platform::Message& m : messages)
        out.push_back(m.text);
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
