#pragma once
// What corvane-eval's readback window makes of the chip's answer: the Corvane conversions, with
// the front panel's direction deciding whether the ADC switch can be used.
#include "evalkit/readbackwindow.h"

namespace corvane {

class CorvaneApp;

evalkit::ReadbackHooks readbackHooks(CorvaneApp& app);

} // namespace corvane
