// Why the set-up gives a rate the box takes no plan, and the deviation and receiver plans
// that follow a synthesizer plan or a deviation.
#include "corvane/calc/followups.h"

#include <gtest/gtest.h>

#include <limits>

using namespace corvane::calc;

namespace {

constexpr float Delta = 2.10205078125f; // the deviation "2" gives at 19.68 MHz
constexpr float Crystal = 19.68f;

DataRateInputs rate(const char* text, float crystal = Crystal, float delta = Delta) {
    return {QString::fromLatin1(text), QStringLiteral("2"), crystal, delta, DemodCorrelator, 0, 0};
}

} // namespace

// Each refusal of the set-up says what limit it met and what to change; a box that holds no
// rate refuses nothing of the set-up.
TEST(FollowUps, SetUpRefusalsOfTheDataRatePlan) {
    const struct Case {
        DataRateInputs in;
        const char* refusal; // nullptr: no refusal of the set-up
    } cases[] = {
        {rate("4"), nullptr},
        {rate("4", Crystal, 0.0f),
         "The deviation set is 0 kHz, which gives the receiver no discriminator. Please raise the "
         "deviation"},
        {rate("4", 0.0f), "The XTAL frequency gives no receiver clocks. Please raise the XTAL "
                          "frequency"},
        {rate("75", 1.0f),
         "Data rate of 75 kbit/s is not below the maximum of 62.500 kbit/s at this XTAL "
         "frequency. Please lower the data rate or raise the XTAL frequency"},
        {rate("60", 1.5f),
         "Data rate of 60 kbit/s is too high for the clock recovery at this XTAL frequency. "
         "Please lower the data rate or raise the XTAL frequency"},
        {rate("4", Crystal, 0.30029296875f),
         "Discriminator setting of 1092 is above the maximum of 1023. Please raise the deviation"},
        {rate("4", Crystal, 1e-30f),
         "Discriminator setting is far above the maximum of 1023. Please raise the deviation"},
        {rate("-4"), nullptr},
        {rate("abc"), nullptr},
        {rate("76"), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refusal ? c.refusal : "taken or no entry");
        const DataRatePlan p = planDataRate(c.in);
        if (!c.refusal) {
            EXPECT_FALSE(p.setUpRefusal);
            continue;
        }
        EXPECT_FALSE(p.ran);
        EXPECT_TRUE(p.messages.empty());
        ASSERT_TRUE(p.setUpRefusal);
        EXPECT_EQ(p.setUpRefusal->text, QString::fromLatin1(c.refusal));
        EXPECT_EQ(p.setUpRefusal->icon, platform::MsgIcon::Critical);
        EXPECT_EQ(p.setUpRefusal->title, QStringLiteral("Warning"));
    }
}

// The deviation first, at the new PFD; then the receiver clocks with the deviation it sets.
TEST(FollowUps, TheDeviationThenTheReceiverClocks) {
    // 100 kHz at 4.92 MHz doubled by the divide-by-2: 2664 counts.
    std::optional<platform::Message> r =
        followUpRefusal({{QStringLiteral("100"), 4.92, VcoDiv2On}, rate("4")});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, QStringLiteral("Deviation count of 2664 is above the maximum of 2047. "
                                      "Please lower the deviation or raise the PFD frequency"));
    // 0.1 kHz is no count at all: the receiver then has no discriminator.
    r = followUpRefusal({{QStringLiteral("0.1"), 19.68, 0}, rate("4")});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, QStringLiteral("The deviation set is 0 kHz, which gives the receiver no "
                                      "discriminator. Please raise the deviation"));
    // Taken: 2 kHz at 19.68 MHz, and the clocks for it.
    EXPECT_FALSE(followUpRefusal({{QStringLiteral("2"), 19.68, 0}, rate("4")}));
    // A deviation box that holds no deviation plans no receiver clocks again.
    EXPECT_FALSE(followUpRefusal({{QStringLiteral("2x"), 19.68, 0}, rate("4", 0.0f)}));
}
