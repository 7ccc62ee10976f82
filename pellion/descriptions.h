#pragma once
// What pellion-eval hands the shared pieces: its board rules and the texts, lists and fields of
// the shared windows it shows.
#include "evalkit/afcwindow.h"
#include "evalkit/agcwindow.h"
#include "evalkit/biaswindow.h"
#include "evalkit/boardsession.h"
#include "evalkit/clockoutwindow.h"
#include "evalkit/muxoutwindow.h"
#include "evalkit/parampwindow.h"
#include "evalkit/powerdownwindow.h"
#include "evalkit/rawregisterwindow.h"
#include "evalkit/readbackwindow.h"
#include "evalkit/syncwordwindow.h"

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
