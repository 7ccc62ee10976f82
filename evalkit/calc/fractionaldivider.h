#pragma once
// The fractional-N divider of the synthesizers: a whole part N and a fraction F counted in
// 1 / modulus of the PFD (2^15 on one chip family, 2^12 on another). Both the plan that
// turns a remainder into F and the one-count steps of the fraction buttons keep F within
// 0 .. modulus - 1 by moving the whole part instead, so F never spills into N's bits.
#include <cstdint>

namespace evalkit::calc {

// Doubles, so a divider that is far out of its field can still be named in a refusal.
struct FractionalDivider {
    double n = 0;
    double f = 0;
};

// F for the remainder r (MHz) left above n x PFD: modulus x r / PFD rounded half to even
// when r > 0, else 0. A remainder that rounds up to a whole PFD cycle is one more N and no
// fraction: the same frequency.
FractionalDivider fractionOfRemainder(double n, double remainderMHz, double pfdMHz,
                                      int32_t modulus);

// One count up or down: up from modulus - 1 carries into N + 1 with F 0, down from 0 borrows
// from N (N - 1, F modulus - 1).
FractionalDivider stepFraction(FractionalDivider d, bool up, int32_t modulus);

} // namespace evalkit::calc
