#include "evalkit/calc/fractionaldivider.h"

#include "platform/core/numbers.h"

namespace evalkit::calc {

FractionalDivider fractionOfRemainder(double n, double remainderMHz, double pfdMHz,
                                      int32_t modulus) {
    FractionalDivider d{n, 0};
    if (remainderMHz > 0)
        d.f = platform::roundHalfEven(modulus * remainderMHz / pfdMHz);
    if (d.f >= modulus) {
        d.f -= modulus;
        d.n += 1;
    }
    return d;
}

FractionalDivider stepFraction(FractionalDivider d, bool up, int32_t modulus) {
    if (up) {
        if (d.f >= modulus - 1) {
            d.f = 0;
            d.n += 1;
        } else {
            d.f += 1;
        }
    } else {
        if (d.f <= 0) {
            d.f = modulus - 1;
            d.n -= 1;
        } else {
            d.f -= 1;
        }
    }
    return d;
}

} // namespace evalkit::calc
