#include "evalkit/calc/gaussian.h"

#include "tests/qtprinters.h"

#include <gtest/gtest.h>

using namespace evalkit::calc;

namespace {

TEST(Gaussian, DividerEntry) {
    const std::tuple<const char*, int32_t, bool> cases[] = {
        {"64", 64, false},   {"1", 1, false},    {"127", 127, false}, {"0", 1, true},
        {"-3", 1, true},     {"128", 127, true}, {"200", 127, true},  {"1e300", 127, true},
        {"-1e300", 1, true}, {"0.5", 1, true},   {"1.5", 2, false},
    };
    for (const auto& [text, divider, limited] : cases) {
        SCOPED_TRACE(text);
        const auto d = gaussianDivider(QString::fromLatin1(text));
        ASSERT_TRUE(d);
        EXPECT_EQ(d->divider, divider);
        EXPECT_EQ(d->limited, limited);
    }
    EXPECT_FALSE(gaussianDivider("six"));
    EXPECT_FALSE(gaussianDivider(""));
}

TEST(Gaussian, IndexCounters) {
    EXPECT_EQ(indexCounter(0), 16);
    EXPECT_EQ(indexCounter(3), 128);
    EXPECT_FALSE(indexCounter(-1));
    EXPECT_FALSE(indexCounter(4));
}

TEST(Gaussian, DeviationAndRate) {
    EXPECT_DOUBLE_EQ(gaussianDeviationKHz(11.0592, 0, false), 2.7);
    EXPECT_DOUBLE_EQ(gaussianDeviationKHz(11.0592, 0, true), 1.35);
    EXPECT_DOUBLE_EQ(gaussianDeviationKHz(11.0592, 7, true), 172.8);
    EXPECT_DOUBLE_EQ(gaussianDataRateKbps(11.0592, 64, 64), 2.7);
    EXPECT_DOUBLE_EQ(gaussianDataRateKbps(19.68, 10, 16), 123);
}

} // namespace
