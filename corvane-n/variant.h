#pragma once
// Corvane-N, the evaluation program of the narrow-band Corvane chip: corvane-eval's windows and
// procedures over this description of what the narrow-band chip and its program differ in.
#include "corvane/variant.h"

namespace corvanen {

const corvane::ProgramVariant& variant();

} // namespace corvanen
