#pragma once
// What pellion-eval's readback window makes of the chip's answer: the Pellion conversions, and
// the silicon revision with the chip variant it names, shown on the front panel.
#include "evalkit/readbackwindow.h"

namespace pellion {

class PellionApp;

evalkit::ReadbackHooks readbackHooks(PellionApp& app);

} // namespace pellion
