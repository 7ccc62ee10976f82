#pragma once
// What corvane-eval hands the shared windows: their texts, lists and fields.
#include "evalkit/afcwindow.h"
#include "evalkit/agcwindow.h"
#include "evalkit/biaswindow.h"
#include "evalkit/boardsession.h"
#include "evalkit/clockoutwindow.h"
#include "evalkit/infowindows.h"
#include "evalkit/muxoutwindow.h"
#include "evalkit/parampwindow.h"
#include "evalkit/portwindow.h"
#include "evalkit/powerdownwindow.h"
#include "evalkit/rawregisterwindow.h"
#include "evalkit/readbackwindow.h"
#include "evalkit/syncwordwindow.h"

#include <QString>
#include <cstdint>
#include <optional>

class QAbstractButton;

namespace corvane {

const evalkit::MuxoutChoices& muxoutChoices();
const evalkit::ClockOutDescription& clockOutDescription();
const evalkit::RawRegisterDescription& rawRegisterDescription();
const evalkit::PortTexts& portTexts();
const evalkit::AboutTexts& aboutTexts();
const evalkit::RevisionHistory& revisionHistory();
const evalkit::BoardRules& boardRules();
const evalkit::AfcDescription& afcDescription();
const evalkit::AgcDescription& agcDescription();
const evalkit::SwdDescription& swdDescription();
const evalkit::BiasDescription& biasDescription();
const evalkit::PowerDownDescription& powerDownDescription();
const evalkit::PaRampDescription& paRampDescription();
const evalkit::ReadbackDescription& readbackDescription();

// The captions of the front panel's status buttons, from the same tables the windows use, so
// the windows and the settings import agree.

// AFC button `Command8`: "On" when AfcEnableField is 16 (enabled), else "OFF".
QString afcCaption(int32_t afcEnableField);

// AGC button `Command9`: "Auto", "Manual", "Frozen" for AgcModeField 0, 2^18, 2^19; nothing
// for any other value.
std::optional<QString> agcCaption(int32_t agcModeField);

// Sync-word button `Command11` as the sync-word window's return button sets it: "Low",
// "High on SWD", "High on SWD for DPL", "High" for SwdModeField 0, 2^6, 2^7, 3 x 2^6; nothing
// for any other value.
std::optional<QString> swdCaptionOnReturn(int32_t swdModeField);

// Sync-word button `Command11` as the settings import sets it: the same, except that 2^7 also
// reads "High on SWD".
std::optional<QString> swdCaptionOnImport(int32_t swdModeField);

// Shows the caption on the button; nothing leaves the button as it is.
void setCaption(QAbstractButton& button, const std::optional<QString>& caption);

} // namespace corvane
