#include "corvane/calc/deviation.h"

#include <gtest/gtest.h>

using namespace corvane::calc;

namespace {

constexpr double Pfd = 19.68;

DeviationResult plan(const QString& text, double pfd = Pfd, int32_t div2 = 0) {
    return planDeviation({text, pfd, div2});
}

TEST(Deviation, StepIsPfdOver2To16) {
    const auto r = plan("2");
    ASSERT_TRUE(r.DeviationStepHz);
    EXPECT_EQ(*r.DeviationStepHz, 300.29296875f);
}

struct Taken {
    const char* text;
    int32_t div2;
    int32_t count;
    float actualKHz;
    const char* label;
};

// The count, the deviation it gives and the label; the divide-by-2 doubles only the count.
TEST(Deviation, TextBecomesCountAndActualDeviation) {
    const Taken cases[] = {
        {"2", 0, 7, 2.10205078125f, "2.1021"},
        {"2", VcoDiv2On, 14, 2.10205078125f, "2.1021"},
        {"4.8", 0, 16, 4.8046875f, "4.8047"},
        {"4.8", VcoDiv2On, 32, 4.8046875f, "4.8047"},
        {"100", 0, 333, 99.99755859375f, "99.9976"},
        {"0.1", 0, 0, 0.0f, "0.0000"}, // below half a step
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto r = plan(c.text, Pfd, c.div2);
        EXPECT_TRUE(r.messages.empty());
        EXPECT_TRUE(r.runDataRatePlan);
        EXPECT_FALSE(r.refusal);
        ASSERT_TRUE(r.TxDeviationField && r.ActualDeviationKHz && r.actualDeviationText);
        EXPECT_EQ(*r.TxDeviationField, c.count << 19);
        EXPECT_EQ(*r.ActualDeviationKHz, c.actualKHz);
        EXPECT_EQ(*r.actualDeviationText, QString(c.label));
    }
}

// Above 100 kHz: the message, nothing stored, and the receiver is replanned with the
// deviation that stands.
TEST(Deviation, TooLargeGivesMessageAndKeepsDeviation) {
    for (const char* text : {"100.5", "12345", "101"}) {
        SCOPED_TRACE(text);
        const auto r = plan(text);
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_EQ(r.messages[0].text, QString("Deviation frequency too large"));
        EXPECT_EQ(r.messages[0].icon, platform::MsgIcon::None);
        EXPECT_FALSE(r.messages[0].title); // the program's default title
        EXPECT_TRUE(r.runDataRatePlan);
        EXPECT_EQ(r.refusal, deviationAccepts({text, Pfd, 0})); // the box is marked as well
        EXPECT_FALSE(r.TxDeviationField);
        EXPECT_FALSE(r.ActualDeviationKHz);
        EXPECT_FALSE(r.DeviationStepHz);
        EXPECT_FALSE(r.actualDeviationText);
    }
}

struct Ignored {
    const char* text;
    double pfd;
    int32_t div2;
};

// Texts that change nothing and do not replan the receiver (only the refresh follows).
TEST(Deviation, IgnoredTextsChangeNothing) {
    const Ignored cases[] = {
        {"", Pfd, 0},
        {"123456", Pfd, 0},        // six characters
        {"-2", Pfd, 0},            // negative
        {"-5", Pfd, 0},            //
        {"abc", Pfd, 0},           // not a number
        {"1e309", Pfd, 0},         // beyond a double
        {"inf", Pfd, 0},           //
        {"-", Pfd, 0},             // half-typed
        {".", Pfd, 0},             //
        {"100", 1.0, 0},           // count 6554 does not fit the 11-bit field
        {"100", 4.369, VcoDiv2On}, // 1500 fits, doubled 3000 does not
        {"100", 0.1, 0},           // count beyond 16 bits
        {"2", 0.0, 0},             // no PFD: no step to divide by
        {"2", -19.68, 0},          // negative count
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto r = plan(c.text, c.pfd, c.div2);
        EXPECT_TRUE(r.messages.empty());
        EXPECT_FALSE(r.runDataRatePlan);
        // Refused without a message: what the box accepts goes onto the box.
        EXPECT_TRUE(r.refusal);
        EXPECT_FALSE(r.TxDeviationField);
        EXPECT_FALSE(r.ActualDeviationKHz);
        EXPECT_FALSE(r.DeviationStepHz);
        EXPECT_FALSE(r.actualDeviationText);
    }
}

// The mark says how far the box goes at this PFD: 100 kHz where the count fits, otherwise
// up to the count of 2047 steps (of 15.2587890625 Hz at PFD 1 MHz: 2047.5 steps round to the
// even 2048, so 31.2424 kHz is the most), 1023 doubled with the divide-by-2. It also says what
// an entry within half a step of 0 does: it counts 0, and the carrier goes out undeviated
// (up to 0.1501 kHz at 19.68 MHz, 0.0076 kHz at 1 MHz).
TEST(Deviation, TheMarkNamesTheLargestDeviationAtThisPfd) {
    const QString box = QStringLiteral("Desired deviation in kHz of at most 5 characters: ");
    EXPECT_EQ(plan("abc").refusal, box + QStringLiteral("a number from 0 to 100 at this set-up (0 "
                                                        "to 0.15, under half a step: no "
                                                        "deviation)"));
    EXPECT_EQ(plan("100", 1.0, 0).refusal,
              box + QStringLiteral("a number from 0 to 31.24 at this set-up (0 to 0.007, under "
                                   "half a step: no deviation)"));
    EXPECT_EQ(plan("100", 1.0, VcoDiv2On).refusal,
              box + QStringLiteral("a number from 0 to 15.61 at this set-up (0 to 0.007, under "
                                   "half a step: no deviation)"));
    EXPECT_EQ(plan("2", 0.0, 0).refusal, box + QStringLiteral("none at this PFD frequency"));
    // The ends named are taken.
    EXPECT_TRUE(plan("31.24", 1.0, 0).TxDeviationField);
    EXPECT_FALSE(plan("31.25", 1.0, 0).TxDeviationField);
    EXPECT_TRUE(plan("15.61", 1.0, VcoDiv2On).TxDeviationField);
}

TEST(Deviation, LargestCountThatFitsIsTaken) {
    // At PFD 4.369 MHz "100" is 1500 steps: taken without the divide-by-2.
    const auto r = plan("100", 4.369, 0);
    ASSERT_TRUE(r.TxDeviationField);
    EXPECT_EQ(*r.TxDeviationField, 1500 << 19);
}

} // namespace
