#pragma once
// What pellion-eval hands the shared pieces: its board rules.
#include "evalkit/boardsession.h"

namespace pellion {

const evalkit::BoardRules& boardRules();

} // namespace pellion
