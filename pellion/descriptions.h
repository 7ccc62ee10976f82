#pragma once
// What pellion-eval hands the shared pieces: its board rules and the texts, lists and fields of
// the shared windows it shows.
#include "evalkit/boardsession.h"
#include "evalkit/frmafc.h"
#include "evalkit/frmagc.h"
#include "evalkit/frmclockout.h"
#include "evalkit/frmparamp.h"
#include "evalkit/frmpowerd.h"
#include "evalkit/frmpowerdown.h"
#include "evalkit/frmreadback.h"
#include "evalkit/frmregisters.h"
#include "evalkit/frmswd.h"
#include "evalkit/muxform.h"

namespace pellion {

const evalkit::BoardRules& boardRules();
const evalkit::MuxoutChoices& muxoutChoices();
const evalkit::ClockOutDescription& clockOutDescription();
const evalkit::ReadbackDescription& readbackDescription();
const evalkit::RawRegisterDescription& rawRegisterDescription();
const evalkit::AfcDescription& afcDescription();
const evalkit::AgcDescription& agcDescription();
const evalkit::SwdDescription& swdDescription();
const evalkit::BiasDescription& biasDescription();
const evalkit::PowerDownDescription& powerDownDescription();
const evalkit::PaRampDescription& paRampDescription();

} // namespace pellion
