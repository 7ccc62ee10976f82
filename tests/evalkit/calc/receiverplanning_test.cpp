// The receiver-planning pieces the chips share: box entries, the jitter check, the deviation
// count, the filter and discriminator formulas and the receiver clock dividers.
#include "evalkit/calc/boxentry.h"
#include "evalkit/calc/demodfilters.h"
#include "evalkit/calc/deviationcount.h"
#include "evalkit/calc/limitwarning.h"
#include "evalkit/calc/ratechecks.h"
#include "evalkit/calc/receiverclocks.h"
#include "tests/qtprinters.h"

#include <gtest/gtest.h>

#include <limits>

using namespace evalkit::calc;

namespace {

TEST(BoxEntry, BoundedNumberTexts) {
    const std::tuple<const char*, int, std::optional<double>> cases[] = {
        {"10", 5, 10}, {"12345", 5, 12345}, {"123456", 5, {}}, {"", 5, {}},   {"-", 5, {}},
        {".", 5, {}},  {"1x", 5, {}},       {"-2.5", 5, -2.5}, {" 7 ", 5, 7}, {"&H10", 5, 16},
    };
    for (const auto& [text, maxChars, value] : cases)
        EXPECT_EQ(boxEntry(QString::fromLatin1(text), maxChars), value) << text;
}

TEST(RateChecks, JitterAboveThreePercent) {
    EXPECT_DOUBLE_EQ(cdrJitter(412.5f, 12.5), 0.03125);
    EXPECT_FALSE(excessiveJitter(412.0f, 12.5)); // exactly 3%
    EXPECT_TRUE(excessiveJitter(412.5f, 12.5));
    EXPECT_TRUE(excessiveJitter(387.5f, 12.5)); // below as well
    EXPECT_FALSE(excessiveJitter(1312.0f, 40)); // 2.5%
    const platform::Message m = jitterWarning();
    EXPECT_EQ(m.text, JitterWarningText);
    EXPECT_EQ(m.icon, platform::MsgIcon::Information);
    EXPECT_EQ(m.title, "Excessive Jitter Warning");
}

struct CountCase {
    double deviation, pfd, steps;
    bool divideBy2;
    float step;
    int64_t count, stored;
    double actual;
};

TEST(DeviationCount, StepsOfThePfd) {
    const CountCase cases[] = {
        // 2^16 steps of 19.68 MHz: 2 kHz gives 7 steps of 300.29 Hz.
        {2, 19.68, 65536, false, 300.29296875f, 7, 7, 2.10205078125},
        {2, 19.68, 65536, true, 300.29296875f, 7, 14, 2.10205078125},
        // 2^14 steps of 11.0592 MHz: 20 kHz gives 30 steps of 675 Hz.
        {20, 11.0592, 16384, false, 675.0f, 30, 30, 20.25},
        {500, 11.0592, 16384, true, 675.0f, 741, 1482, 500.175},
        {0.3, 11.0592, 16384, false, 675.0f, 0, 0, 0}, // below half a step
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.deviation << " kHz at " << c.pfd);
        const auto r = deviationCount(c.deviation, c.pfd, c.steps, c.divideBy2);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->DeviationStepHz, c.step);
        EXPECT_EQ(r->count, c.count);
        EXPECT_EQ(r->stored, c.stored);
        EXPECT_NEAR(r->actualKHz, c.actual, 1e-9);
    }
}

TEST(DeviationCount, Unplannable) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(deviationCount(-1, 11.0592, 16384, false));
    EXPECT_FALSE(deviationCount(inf, 11.0592, 16384, false));
    EXPECT_FALSE(deviationCount(20, 0, 16384, false));
    EXPECT_FALSE(deviationCount(20, -5, 16384, false));
    EXPECT_FALSE(deviationCount(1e300, 1e-300, 16384, false));
}

TEST(DemodFilters, PostDemodulatorCodes) {
    // Code 4 at 4.92 MHz for 4 kbit/s with the 0.75 factor; 3 with 1.0 at 9.84 MHz.
    EXPECT_EQ(postDemodCodeForRate(4, 4.92f, 0.75), 4);
    EXPECT_EQ(postDemodCodeForRate(4, 9.84f, 1.0), 3);
    EXPECT_EQ(postDemodCodeForRate(10, 11.0592f, 0.75), 5);
    EXPECT_FALSE(postDemodCodeForRate(10, 0, 0.75));
    EXPECT_NEAR(postDemodBandwidthKHz(4, 4.92f), 3.0588, 5e-5);
    EXPECT_EQ(postDemodCodeForBandwidth(8.5944, 11.0592f), 5);
    EXPECT_EQ(postDemodCodeForBandwidth(0, 11.0592f), 0);
    EXPECT_FALSE(postDemodCodeForBandwidth(1, 0));
}

TEST(DemodFilters, DiscriminatorKAndCode) {
    EXPECT_EQ(correlatorK(100, 2.10205078125f), 48);
    EXPECT_EQ(correlatorK(200, 20.25f), 10);
    EXPECT_EQ(correlatorK(200, 450.0f), 0);
    EXPECT_FALSE(correlatorK(200, 0));
    EXPECT_FALSE(correlatorK(200, -1));
    EXPECT_FALSE(correlatorK(200, 1e-6f)); // beyond 16 bits
    EXPECT_EQ(discriminatorCode(48, 4.92f, 400000), 590);
    EXPECT_EQ(discriminatorCode(10, 11.0592f, 800000), 138);
}

TEST(DemodFilters, CorrelatorParity) {
    const std::pair<int32_t, CorrelatorParity> cases[] = {
        {21, {true, true}}, {48, {false, false}}, {22, {false, true}}, {7, {true, false}},
        {6, {false, true}}, {4, {false, false}},  {0, {false, false}},
    };
    for (const auto& [K, parity] : cases)
        EXPECT_EQ(correlatorParity(K), parity) << K;
}

TEST(ReceiverClocks, BasebandOffset) {
    const std::pair<float, int32_t> codes[] = {{26, 2}, {16.01f, 2}, {16, 1}, {8.5f, 1}, {8, 0}};
    for (const auto& [crystal, code] : codes)
        EXPECT_EQ(bbOffsetCode(crystal), code) << crystal;
    EXPECT_EQ(bbOffsetDivider(0), 4);
    EXPECT_EQ(bbOffsetDivider(3), 24);
    const std::pair<int32_t, int32_t> entries[] = {{4, 0}, {8, 1}, {12, 2}, {20, 2}, {27, 3}};
    for (const auto& [entry, code] : entries)
        EXPECT_EQ(bbOffsetCodeOfEntry(entry), code) << entry;
    EXPECT_EQ(demodDividerOfCode(0), 4);
    EXPECT_EQ(demodDividerOfCode(3), 3);
}

TEST(ReceiverClocks, ClockTextAndDividerEntry) {
    EXPECT_EQ(clockText(11059.2, 10, " kHz"), "1105.9200 kHz");
    EXPECT_EQ(clockText(0.5, 1, " MHz"), ".5000 MHz");
    EXPECT_FALSE(clockText(11059.2, 0, " kHz"));

    const QString limit = QStringLiteral("CDR Divider must be from 1 to 255");
    const DividerEntry ok = dividerEntry("10.5", 0, 255, limit);
    EXPECT_EQ(ok.value, 10); // half to even
    EXPECT_FALSE(ok.refusal);
    const DividerEntry out = dividerEntry("256", 0, 255, limit);
    EXPECT_FALSE(out.value);
    ASSERT_TRUE(out.refusal);
    EXPECT_EQ(out.refusal->text, limit);
    EXPECT_EQ(out.refusal->icon, platform::MsgIcon::Exclamation);
    EXPECT_FALSE(out.refusal->title);
    EXPECT_FALSE(dividerEntry("1e12", 0, 255, limit).value);
    EXPECT_TRUE(dividerEntry("1e12", 0, 255, limit).refusal);
    const DividerEntry letters = dividerEntry("ab", 0, 255, limit);
    EXPECT_FALSE(letters.value);
    EXPECT_FALSE(letters.refusal);
}

TEST(LimitWarning, NamesTheValueAndTheLimit) {
    const platform::Message m = aboveMaximumWarning(QStringLiteral("CDR divide"), 346, 255,
                                                    QStringLiteral("Please raise the data rate"));
    EXPECT_EQ(m.text, "CDR divide of 346 is above the maximum of 255. Please raise the data rate");
    EXPECT_EQ(m.icon, platform::MsgIcon::Critical);
    EXPECT_EQ(m.title, "Warning");
}

} // namespace
