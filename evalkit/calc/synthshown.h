#pragma once
// What a synthesizer plan shows, alike for every chip: its messages in order, the entry boxes
// and the box a refused entry emptied, R, N and F, and the front panel's frequency read-outs.
// Each chip's result adds the values and fields it stores, in the types its store holds. An
// empty optional means "leave as it is".
#include "evalkit/calc/synthentry.h"
#include "platform/core/message.h"

#include <QString>

#include <optional>
#include <vector>

namespace evalkit::calc {

struct SynthShown {
    std::vector<platform::Message> messages;
    bool validationFailed = false;   // an entry was refused: only its box and the focus change
    SynthBox focus = SynthBox::None; // the box emptied by a refused entry gets the focus

    // Synthesizer window.
    std::optional<QString> txtVCOout1;
    std::optional<QString> txtpfd1;
    std::optional<QString> TxtCrystal1;
    std::optional<QString> LblR;
    std::optional<QString> LblN;
    std::optional<QString> LblF;

    // Main window frequency read-outs.
    std::optional<QString> lblvcofreq;
    std::optional<QString> lblpfd_freq;
    std::optional<QString> lblcrystal;
};

} // namespace evalkit::calc
