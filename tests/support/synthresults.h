#pragma once
// What every program's synthesizer plan leaves alone when it is refused: its dividers, the
// frequencies it would keep and the fields it would store.
#include <gtest/gtest.h>

namespace evaltest {

template <class Result> void expectNoDividersStored(const Result& r) {
    EXPECT_FALSE(r.IntegerN);
    EXPECT_FALSE(r.FracN);
    EXPECT_FALSE(r.RDivider);
    EXPECT_FALSE(r.RfFrequencyMHz);
    EXPECT_FALSE(r.PfdFrequencyMHz);
    EXPECT_FALSE(r.CrystalFrequencyMHz);
    EXPECT_FALSE(r.IntegerNField);
    EXPECT_FALSE(r.FracNField);
    EXPECT_FALSE(r.RDividerField);
}

} // namespace evaltest
