#include "corvane/calc/readback.h"

#include <array>

namespace corvane::calc {

namespace {

using evalkit::calc::RssiCorrection;

// Code 10 (lowest gain) and the codes the receiver never reports take no correction.
constexpr std::array<RssiCorrection, 4> RssiCorrections{{{0, 86}, {4, 58}, {5, 38}, {6, 24}}};

} // namespace

const evalkit::calc::ReadbackScales& readbackScales() {
    static const evalkit::calc::ReadbackScales scales{RssiCorrections, -130.0, 262144.0, 100.0,
                                                      QStringLiteral("IF frequency is ")};
    return scales;
}

int32_t rssiGainCorrection(int32_t gainCode) {
    return evalkit::calc::rssiGainCorrection(gainCode, RssiCorrections);
}

RssiReading rssiLevel(int32_t raw) {
    return evalkit::calc::rssiLevel(raw, readbackScales());
}

ReadbackDisplay convertReadback(int32_t ReadbackMode, int32_t raw, float DemodClockMHz) {
    return evalkit::calc::convertReadback(ReadbackMode, raw, DemodClockMHz, readbackScales());
}

} // namespace corvane::calc
