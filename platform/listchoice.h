#pragma once
// A list's click handler: the user's choice of an item runs it every time, also when the item
// chosen is the one the list already shows (choosing GFSK again opens its window again, a
// toggle item chosen twice toggles twice), and a change of the index made by code runs it when
// the index changes. One choice runs the handler once, although the list reports a choice that
// moves the index twice (the index change, then the activation).
#include <QObject>

#include <concepts>
#include <functional>
#include <optional>

class QComboBox;

namespace platform {

// Wires `handler` to `list` as described above; it is not run once `context` is gone.
void onChoice(QComboBox* list, QObject* context, std::function<void()> handler);

// The handler may be a member of a base class of the receiver.
template <class Receiver, class Owner>
requires std::derived_from<Receiver, Owner>
void onChoice(QComboBox* list, Receiver* receiver, void (Owner::*handler)()) {
    onChoice(list, receiver, [receiver, handler] { (receiver->*handler)(); });
}

} // namespace platform
