#pragma once
// What tessarine-eval hands the shared windows and the board session: texts, lists, fields
// and rules.
#include "evalkit/boardsession.h"
#include "evalkit/clockoutwindow.h"
#include "evalkit/infowindows.h"
#include "evalkit/muxoutwindow.h"
#include "evalkit/portwindow.h"
#include "evalkit/rawregisterwindow.h"

namespace tessarine {

const evalkit::MuxoutChoices& muxoutChoices();
const evalkit::ClockOutDescription& clockOutDescription();
const evalkit::RawRegisterDescription& rawRegisterDescription();
const evalkit::PortTexts& portTexts();
const evalkit::AboutTexts& aboutTexts();
const evalkit::RevisionHistory& revisionHistory();
const evalkit::BoardRules& boardRules();

} // namespace tessarine
