#pragma once
// What tessarine-eval hands the shared windows and the board session: texts, lists, fields
// and rules.
#include "evalkit/boardsession.h"
#include "evalkit/frmclockout.h"
#include "evalkit/frmregisters.h"
#include "evalkit/infowindows.h"
#include "evalkit/muxform.h"
#include "evalkit/portform.h"

namespace tessarine {

const evalkit::MuxoutChoices& muxoutChoices();
const evalkit::ClockOutDescription& clockOutDescription();
const evalkit::RawRegisterDescription& rawRegisterDescription();
const evalkit::PortTexts& portTexts();
const evalkit::AboutTexts& aboutTexts();
const evalkit::RevisionHistory& revisionHistory();
const evalkit::BoardRules& boardRules();

} // namespace tessarine
