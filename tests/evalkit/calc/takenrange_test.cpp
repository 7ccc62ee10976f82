#include "evalkit/calc/takenrange.h"

#include "tests/qtprinters.h"

#include <gtest/gtest.h>

namespace {

using evalkit::calc::rangeText;
using evalkit::calc::takenRange;

// The ends are found from the plan itself, rounded inwards to what the box can hold, and each
// end named is taken.
TEST(TakenRange, EndsAreTakenAndFitTheBox) {
    const auto band = [](double v) {
        return v > 1.35264 && v < 201.5;
    };
    const struct {
        int maxChars;
        const char* text;
    } cases[] = {
        {7, "from 1.353 to 201.499"},
        {5, "from 1.353 to 201.4"},
        {3, "from 1.4 to 201"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maxChars);
        const auto r = takenRange(band, 0.5, 201.5, c.maxChars);
        ASSERT_TRUE(r);
        EXPECT_TRUE(band(r->from));
        EXPECT_TRUE(band(r->to));
        EXPECT_EQ(rangeText(*r), QString::fromLatin1(c.text));
    }
}

TEST(TakenRange, OpenEndsAndNothingTaken) {
    const auto upTo = [](double v) {
        return v <= 100;
    };
    const auto r = takenRange(upTo, 0, 100, 5);
    ASSERT_TRUE(r);
    EXPECT_EQ(rangeText(*r), QStringLiteral("from 0 to 100"));
    EXPECT_FALSE(takenRange([](double) { return false; }, 0, 100, 5));
    // A band narrower than the box can write is no range to name.
    EXPECT_FALSE(takenRange([](double v) { return v > 10.0001 && v < 10.0002; }, 0, 100, 5));
}

} // namespace
