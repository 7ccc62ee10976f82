#pragma once
// What pellion-eval hands the shared pieces: its board rules and the texts, lists and fields of
// the shared windows it shows.
#include "evalkit/boardsession.h"
#include "evalkit/frmclockout.h"
#include "evalkit/frmreadback.h"
#include "evalkit/muxform.h"

namespace pellion {

const evalkit::BoardRules& boardRules();
const evalkit::MuxoutChoices& muxoutChoices();
const evalkit::ClockOutDescription& clockOutDescription();
const evalkit::ReadbackDescription& readbackDescription();

} // namespace pellion
