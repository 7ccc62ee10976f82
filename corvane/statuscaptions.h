#pragma once
// The captions of the front panel's status buttons, decided in one place from
// the fields they report, so the dialogs and the settings import agree.
#include <QString>
#include <cstdint>
#include <optional>

class QAbstractButton;

namespace corvane {

// AFC button `Command8`: "On" when AfcEnableField is 16 (enabled), else "OFF".
QString afcCaption(int32_t afcEnableField);

// AGC button `Command9`: "Auto", "Manual", "Frozen" for AgcModeField 0, 2^18,
// 2^19; nothing for any other value.
std::optional<QString> agcCaption(int32_t agcModeField);

// Sync-word button `Command11` as the sync-word window's return button sets
// it: "Low", "High on SWD", "High on SWD for DPL", "High" for SwdModeField 0,
// 2^6, 2^7, 3 x 2^6; nothing for any other value.
std::optional<QString> swdCaptionOnReturn(int32_t swdModeField);

// Sync-word button `Command11` as the settings import sets it: the same,
// except that 2^7 also reads "High on SWD".
std::optional<QString> swdCaptionOnImport(int32_t swdModeField);

// Shows the caption on the button; nothing leaves the button as it is.
void setCaption(QAbstractButton& button, const std::optional<QString>& caption);

} // namespace corvane
