#include "evalkit/calc/readbackconversions.h"

#include "tests/qtprinters.h"

#include <gtest/gtest.h>

#include <array>

using namespace evalkit::calc;

namespace {

constexpr std::array<RssiCorrection, 2> Corrections{{{0, 86}, {4, 58}}};
const ReadbackScales Scales{Corrections, -130.0, 262144.0, 100.0,
                            QStringLiteral("IF frequency is ")};

TEST(ReadbackConversions, ListEntriesAndTheirFields) {
    const std::array<std::pair<int32_t, int32_t>, 7> fields{
        {{0, 64}, {16, 64}, {32, 64}, {48, 64}, {0, 0}, {0, 128}, {0, 192}}};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const auto c = readbackChoice(i);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->ReadbackAdcModeField, fields[i].first);
        EXPECT_EQ(c->ReadbackSelectField, fields[i].second);
        EXPECT_EQ(c->ReadbackMode, i);
        EXPECT_EQ(readbackListIndex(fields[i].first, fields[i].second), i);
    }
    EXPECT_FALSE(readbackChoice(-1));
    EXPECT_FALSE(readbackChoice(7));
    EXPECT_EQ(readbackListIndex(16, 0), -1);
}

TEST(ReadbackConversions, ChipScalesApply) {
    EXPECT_EQ(rssiGainCorrection(4, Corrections), 58);
    EXPECT_EQ(rssiGainCorrection(5, Corrections), 0);
    const RssiReading r = rssiLevel(1320, Scales); // code 10, reading 40
    EXPECT_EQ(r.ReadbackValue, 40);
    EXPECT_DOUBLE_EQ(r.levelDbm, -110.0);
    EXPECT_DOUBLE_EQ(rssiLevel(-128 + 5, Scales).levelDbm, 2.5 - 130); // no correction

    const ReadbackDisplay f = convertReadback(FrequencyErrorReadback, 65536, 4.92f, Scales);
    EXPECT_EQ(f.lblReadbackSpecificDisplay, "IF frequency is 1130.000 kHz");
    EXPECT_EQ(convertReadback(SiliconRevisionReadback, 8216, 0, Scales).lblReadbackSpecificDisplay,
              "Silicon Code is 2018h");
    EXPECT_EQ(siliconCodeText(-1), "Silicon Code is FFFFFFFFh");
    // A mode outside the list converts nothing and leaves the label.
    const ReadbackDisplay none = convertReadback(9, 77, 0, Scales);
    EXPECT_EQ(none.lblReadbackDisplay, "77");
    EXPECT_FALSE(none.lblReadbackSpecificDisplay);
}

} // namespace
