#include "evalkit/calc/fractionaldivider.h"

#include <gtest/gtest.h>

namespace {

using evalkit::calc::FractionalDivider;
using evalkit::calc::fractionOfRemainder;
using evalkit::calc::stepFraction;

struct RemainderCase {
    double n, remainder, pfd;
    int32_t modulus;
    double wantN, wantF;
};

TEST(FractionalDivider, RemainderBecomesFractionWithinItsModulus) {
    const RemainderCase cases[] = {
        {235, 1.996, 3.6864, 4096, 235, 2218},          // 2217.8
        {44, 3.58, 19.68, 32768, 44, 5961},             // 5960.8
        {200, 0, 3.6864, 4096, 200, 0},                 // on a multiple
        {200, -0.00001, 3.6864, 4096, 200, 0},          // below it
        {235, 3.68586, 3.6864, 4096, 235, 4095},        // 4095.4
        {235, 3.6863, 3.6864, 4096, 236, 0},            // 4095.9 rounds up: one more N
        {10, 0.5 / 4096 * 3.6864, 3.6864, 4096, 10, 0}, // a tie rounds to even
        {10, 1.5 / 4096 * 3.6864, 3.6864, 4096, 10, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.remainder);
        const FractionalDivider d = fractionOfRemainder(c.n, c.remainder, c.pfd, c.modulus);
        EXPECT_EQ(d.n, c.wantN);
        EXPECT_EQ(d.f, c.wantF);
    }
}

struct StepCase {
    FractionalDivider from;
    bool up;
    int32_t modulus;
    FractionalDivider to;
};

TEST(FractionalDivider, StepsCarryAndBorrowThroughN) {
    const StepCase cases[] = {
        {{235, 2218}, true, 4096, {235, 2219}}, {{235, 2218}, false, 4096, {235, 2217}},
        {{235, 4095}, true, 4096, {236, 0}},    {{235, 0}, false, 4096, {234, 4095}},
        {{44, 32767}, true, 32768, {45, 0}},    {{44, 0}, false, 32768, {43, 32767}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from.f);
        const FractionalDivider d = stepFraction(c.from, c.up, c.modulus);
        EXPECT_EQ(d.n, c.to.n);
        EXPECT_EQ(d.f, c.to.f);
    }
}

} // namespace
