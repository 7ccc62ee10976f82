#pragma once
// What corvane-eval hands the shared windows: their texts, lists and fields.
#include "evalkit/boardsession.h"
#include "evalkit/frmclockout.h"
#include "evalkit/frmregisters.h"
#include "evalkit/infowindows.h"
#include "evalkit/muxform.h"
#include "evalkit/portform.h"

namespace corvane {

const evalkit::MuxoutChoices& muxoutChoices();
const evalkit::ClockOutDescription& clockOutDescription();
const evalkit::RawRegisterDescription& rawRegisterDescription();
const evalkit::PortTexts& portTexts();
const evalkit::AboutTexts& aboutTexts();
const evalkit::RevisionHistory& revisionHistory();
const evalkit::BoardRules& boardRules();

} // namespace corvane
