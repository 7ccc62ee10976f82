#pragma once
// What Corvane-N's IF filter calibration window offers: the window of corvane-eval without the
// fine-calibration workaround and the automatic calculation (its tones come from the
// bandwidth table), each calibration in its own frame with what it writes, and a fine
// calibration the chip can do for every lower tone divide.
#include "corvane/variant.h"

namespace corvanen {

const corvane::IFCalFeatures& ifCalibrationFeatures();

} // namespace corvanen
