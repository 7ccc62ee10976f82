#include "evalkit/calc/synthplan.h"

#include "../../qtprinters.h"
#include "../../support/messagetexts.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using evalkit::calc::DividerLimits;
using evalkit::calc::InternalVcoBands;
using evalkit::calc::ReferencePlan;
using platform::Message;
using platform::MsgIcon;

const QString kInvalidCrystal = "Invalid Crystal Frequency";
const QString kNotMultiple = "Crystal frequency should be an integer multiple of PFD ";

using evaltest::texts;

// ---- reference divider ----------------------------------------------------------------------

struct ReferenceCase {
    float crystal;
    double pfd;
    float wantCrystal;
    double wantPfd;
    int16_t wantR; // 0: refused
    std::vector<QString> messages;
};

TEST(SynthPlan, ReferenceDividerWithItsCrystalChecks) {
    const ReferenceCase cases[] = {
        {11.0592f, 11.0592f, 11.0592f, 11.0592f, 1, {}},
        {11.0592f, 3.6864f, 11.0592f, 3.6864f, 3, {}},
        // Above 40 MHz or below the PFD: the crystal takes the PFD.
        {45, 19.68, 19.68f, 19.68, 1, {kInvalidCrystal}},
        {11.0592f, 20, 20, 20, 1, {kInvalidCrystal}},
        // 19.68 / 10 rounds to 2; the PFD becomes 19.68 / 2 in single precision.
        {19.68f, 10, 19.68f, 9.84f, 2, {kNotMultiple}},
        // Within 1 kHz of crystal / R: kept as entered.
        {19.68f, 9.8405, 19.68f, 9.8405, 2, {}},
        // R 8 would run into the bit above R's field.
        {40,
         5,
         40,
         5,
         0,
         {"R divide of 8 is outside the range of 1 to 7. Please raise the PFD frequency or "
          "lower the XTAL frequency"}},
    };
    for (const ReferenceCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.crystal << " / " << c.pfd);
        std::vector<Message> messages;
        const ReferencePlan plan = evalkit::calc::planReference(c.crystal, c.pfd, {}, messages);
        EXPECT_EQ(texts(messages), c.messages);
        EXPECT_EQ(plan.refused, c.wantR == 0);
        EXPECT_EQ(plan.rDivider, c.wantR);
        if (c.wantR != 0) {
            EXPECT_EQ(plan.crystalMHz, c.wantCrystal);
            EXPECT_DOUBLE_EQ(plan.pfdMHz, c.wantPfd);
        }
    }
}

TEST(SynthPlan, ReferenceMessagesUseTheirBoxStyles) {
    std::vector<Message> messages;
    evalkit::calc::planReference(45, 10, {}, messages); // crystal := 10, R 1
    evalkit::calc::planReference(19.68f, 10, {}, messages);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(messages[0].title, QString("Warning"));
    EXPECT_EQ(messages[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages[1].title, std::nullopt);
}

// ---- divider bounds ---------------------------------------------------------------------------

TEST(SynthPlan, DividersOutsideTheirFieldsAreRefusedNamingTheLimit) {
    const DividerLimits pellion{7, 255, 32768};
    const DividerLimits wide{15, 255, 4096};
    struct Case {
        double n, f, r;
        DividerLimits limits;
        const char* refusal; // nullptr: accepted
    };
    const Case cases[] = {
        {255, 32767, 7, pellion, nullptr},
        {0, 0, 1, pellion, nullptr},
        {256, 0, 1, pellion,
         "Integer N divide of 256 is above the maximum of 255. Please raise the PFD frequency"},
        {78, 0, 8, pellion,
         "R divide of 8 is outside the range of 1 to 7. Please raise the PFD frequency or lower "
         "the XTAL frequency"},
        {78, 0, 0, pellion,
         "R divide of 0 is outside the range of 1 to 7. Please raise the PFD frequency or lower "
         "the XTAL frequency"},
        {-1, 0, 1, pellion,
         "Integer N divide of -1 is below the minimum of 0. Please lower the PFD frequency"},
        {78, 32768, 1, pellion, "Fractional divide F of 32768 is outside the range of 0 to 32767"},
        {78, 0, 15, wide, nullptr},
        {78, 4096, 15, wide, "Fractional divide F of 4096 is outside the range of 0 to 4095"},
        {78, 0, 16, wide,
         "R divide of 16 is outside the range of 1 to 15. Please raise the PFD frequency or lower "
         "the XTAL frequency"},
        // An absurd N from a tiny PFD is still refused; it is told as far above the limit,
        // since no message could write it as the number it is. Below that it is named.
        {1e42, 0, 1, pellion,
         "Integer N divide is far above the maximum of 255. Please raise the PFD frequency"},
        {999999999999999, 0, 1, pellion,
         "Integer N divide of 999999999999999 is above the maximum of 255. Please raise the PFD "
         "frequency"},
        {-1e20, 0, 1, pellion,
         "Integer N divide is far below the minimum of 0. Please lower the PFD frequency"},
        {78, 0, 1e31, pellion,
         "R divide is far above the maximum of 7. Please raise the PFD frequency or lower the "
         "XTAL frequency"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << " " << c.f << " " << c.r);
        const auto refusal = evalkit::calc::dividerRefusal(c.n, c.f, c.r, c.limits);
        if (c.refusal == nullptr) {
            EXPECT_FALSE(refusal);
            continue;
        }
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->text, QString(c.refusal));
        EXPECT_EQ(refusal->icon, MsgIcon::Critical);
        EXPECT_EQ(refusal->title, QString("Warning"));
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(evalkit::calc::dividerRefusal(nan, 0, 1, pellion));
    EXPECT_TRUE(evalkit::calc::dividerRefusal(78, nan, 1, pellion));
    EXPECT_TRUE(evalkit::calc::dividerRefusal(78, 0, nan, pellion));
}

// ---- bands, warnings and the crystal-derived scaling -------------------------------------

TEST(SynthPlan, InternalInductorBandsAreExclusive) {
    struct Case {
        double rf;
        std::optional<bool> divideBy2;
    };
    const Case cases[] = {
        {840, std::nullopt}, {840.001, false},    {868.3, false},      {959.999, false},
        {960, std::nullopt}, {420, std::nullopt}, {420.001, true},     {433.92, true},
        {479.999, true},     {480, std::nullopt}, {600, std::nullopt}, {-1, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(evalkit::calc::internalInductorDivideBy2(c.rf), c.divideBy2) << c.rf;
    }
    // A variant with lower upper limits.
    const InternalVcoBands narrow{840, 930, 420, 465};
    EXPECT_EQ(evalkit::calc::internalInductorDivideBy2(940, narrow), std::nullopt);
    EXPECT_EQ(evalkit::calc::internalInductorDivideBy2(470, narrow), std::nullopt);
    EXPECT_EQ(evalkit::calc::internalInductorDivideBy2(464, narrow), true);
}

TEST(SynthPlan, PfdTooLowForLockDependsOnTheDivideBy2) {
    struct Case {
        double pfd;
        bool divideBy2;
        bool warns;
    };
    const Case cases[] = {
        {2.34, false, true}, {2.35, false, false}, {1.5, false, true},
        {1.5, true, false},  {1.19, true, true},   {1.2, true, false},
    };
    for (const Case& c : cases) {
        const auto warning = evalkit::calc::pfdTooLowForLock(c.pfd, c.divideBy2);
        ASSERT_EQ(warning.has_value(), c.warns) << c.pfd << " " << c.divideBy2;
        if (warning) {
            EXPECT_EQ(warning->text,
                      QString("PFD frequency too low to acheive lock (Nmax = 256) !"));
            EXPECT_EQ(warning->title, QString("Warning"));
        }
    }
}

TEST(SynthPlan, MinimumNNoticeNamesTheChipsMinimum) {
    EXPECT_FALSE(evalkit::calc::minimumNNotice(31, 31));
    const auto notice = evalkit::calc::minimumNNotice(30, 31);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->text, QString("Minimum N divide is 31. Please lower the PFD frequency by "
                                    "increasing the R-divide or changing the XTAL frequency "));
    EXPECT_EQ(notice->icon, MsgIcon::None);
    EXPECT_EQ(notice->title, std::nullopt);
    EXPECT_EQ(evalkit::calc::minimumNNotice(22, 23)->text.left(24),
              QString("Minimum N divide is 23. "));
}

TEST(SynthPlan, AfcScalingFollowsTheCrystalWithinItsField) {
    EXPECT_EQ(evalkit::calc::afcScaling(11.0592f, 0xFFFF), 759);
    EXPECT_EQ(evalkit::calc::afcScaling(19.68f, 4095), 426);
    EXPECT_EQ(evalkit::calc::afcScaling(1, 4095), std::nullopt);      // 8389 needs 14 bits
    EXPECT_EQ(evalkit::calc::afcScaling(0.1f, 0xFFFF), std::nullopt); // 83886 needs 17
    EXPECT_EQ(evalkit::calc::afcScaling(0, 0xFFFF), std::nullopt);
}

} // namespace
