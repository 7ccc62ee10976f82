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

    // The synthesizer window's entries (txtVCOout1, txtpfd1, TxtCrystal1) and dividers (LblR,
    // LblN, LblF).
    std::optional<QString> rfText;
    std::optional<QString> pfdText;
    std::optional<QString> crystalText;
    std::optional<QString> rText;
    std::optional<QString> nText;
    std::optional<QString> fText;

    // The front panel's frequency read-outs (lblvcofreq, lblpfd_freq, lblcrystal).
    std::optional<QString> vcoFrequencyText;
    std::optional<QString> pfdFrequencyText;
    std::optional<QString> crystalFrequencyText;
};

} // namespace evalkit::calc
