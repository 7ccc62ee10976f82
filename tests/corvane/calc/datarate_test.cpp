#include "corvane/calc/datarate.h"

#include "corvane/calc/deviation.h"

#include "../../support/messagetexts.h"

#include <gtest/gtest.h>

using namespace corvane::calc;

namespace {

// The deviation that the box text "2" programs at PFD 19.68 MHz.
constexpr float Delta = 2.10205078125f;
constexpr float Crystal = 19.68f;

DataRateInputs inputs(const QString& rate, int16_t type = DemodCorrelator, float crystal = Crystal,
                      float delta = Delta) {
    return {rate, "2", crystal, delta, type, 0, 0};
}

int fieldValue(int64_t stored, int lowBit) {
    return static_cast<int>(stored >> lowBit);
}

const platform::Message JitterWarning{JitterWarningText, platform::MsgIcon::Information,
                                      QString("Excessive Jitter Warning")};
const platform::Message TooLow{TooLowRateText, platform::MsgIcon::None, std::nullopt};

using evaltest::shown;

struct WorkedExample {
    const char* name;
    int16_t type;
    const char* rate;
    int D, C;
    float cdrKHz;
    const char* rxClk;
    int P;
    const char* demodBw;
    int K, W;
};

TEST(DataRate, WorkedExamples) {
    const WorkedExample cases[] = {
        {"correlator R=4", DemodCorrelator, "4", 4, 38, 129.47f, "4.0461", 4, "3.0588", 48, 590},
        {"3FSK R=4", DemodThreeFsk, "4", 2, 77, 127.79f, "3.9935", 3, "4.5881", 24, 590},
        {"4FSK R=4", DemodFourFsk, "4", 1, 154, 127.79f, "3.9935", 2, "6.1175", 12, 590},
        {"correlator R=40, retry 4 -> 5", DemodCorrelator, "40", 5, 3, 1312.0f, "41.0000", 50,
         "30.5875", 48, 472},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto p = planDataRate(inputs(c.rate, c.type));
        ASSERT_TRUE(p.ran);
        EXPECT_TRUE(p.messages.empty());
        EXPECT_EQ(fieldValue(p.DemodClockDividerField, 6), c.D);
        EXPECT_EQ(p.DemodClockDividerField, c.D << 6);
        EXPECT_FLOAT_EQ(p.DemodClockMHz, Crystal / c.D);
        EXPECT_EQ(p.CdrClockDividerField, c.C << 10);
        EXPECT_NEAR(p.CdrClockKHz, c.cdrKHz, 0.005);
        EXPECT_EQ(p.lblRxCLK, QString(c.rxClk));
        EXPECT_EQ(p.PostDemodBwField, c.P << 20);
        EXPECT_EQ(p.lblDemodBW, QString(c.demodBw));
        EXPECT_EQ(p.DiscrimK, c.K);
        EXPECT_EQ(p.DiscrimBwField, c.W << 10);
        EXPECT_EQ(p.KParityBit7Field, 0);
        EXPECT_EQ(p.KParityBit9Field, 0);
        EXPECT_EQ(p.IFFilterDividerField, 394.0 * 32);
        EXPECT_EQ(p.BbOffsetDividerField, 2 << 4);
        EXPECT_EQ(p.SeqClockDividerField, 197 << 18);
    }
}

TEST(DataRate, DiscriminatorMultiplierFollowsType) {
    const std::pair<int16_t, int16_t> cases[] = {
        {DemodLinear, 1}, {DemodCorrelator, 1}, {DemodThreeFsk, 2}, {DemodFourFsk, 4}};
    for (const auto& [type, multiplier] : cases) {
        SCOPED_TRACE(type);
        EXPECT_EQ(planDataRate(inputs("4", type)).DiscrimMultiplier, multiplier);
    }
}

struct JitterCase {
    const char* name;
    const char* rate;
    int16_t type;
    int D, C;
    size_t warnings;
};

// A failed search keeps the first plan; each failure condition of the last trial warns.
TEST(DataRate, FailedJitterSearchKeepsFirstPlan) {
    const JitterCase cases[] = {
        // Trials D' = 5 .. 13; at 13 C' = 1 ends the search.
        {"correlator R=32", "32", DemodCorrelator, 4, 5, 1},
        // The trials reach D' = 16 with C' = 1: above 15 and C' = 1 at once.
        {"correlator R=26.42", "26.42", DemodCorrelator, 4, 6, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto p = planDataRate(inputs(c.rate, c.type));
        ASSERT_TRUE(p.ran);
        EXPECT_EQ(shown(p.messages), std::vector<std::string>(c.warnings, shown(JitterWarning)));
        EXPECT_EQ(p.DemodClockDividerField, c.D << 6);
        EXPECT_FLOAT_EQ(p.DemodClockMHz, Crystal / c.D);
        EXPECT_EQ(p.CdrClockDividerField, c.C << 10);
        EXPECT_FLOAT_EQ(p.CdrClockKHz, Crystal * 1000 / (c.D * c.C));
    }
}

struct CrystalCase {
    float crystal;
    double ifDivider;
    int32_t bbCode;
    int32_t seqDivider;
};

TEST(DataRate, CrystalSetsIfSequencerAndBasebandDividers) {
    const CrystalCase cases[] = {
        {26.0f, 511, 2, 255}, // 520 and 260 before the limits
        {19.68f, 394, 2, 197},
        {16.0f, 320, 1, 160},
        {8.0f, 160, 0, 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.crystal);
        const auto p = planDataRate(inputs("4", DemodCorrelator, c.crystal));
        ASSERT_TRUE(p.ran);
        EXPECT_EQ(p.IFFilterDividerField, c.ifDivider * 32);
        EXPECT_EQ(p.BbOffsetDividerField, c.bbCode << 4);
        EXPECT_EQ(p.SeqClockDividerField, c.seqDivider << 18);
    }
}

struct Register13Case {
    const char* name;
    int16_t type;
    int detectIndex, pathIndex;
    std::optional<int16_t> word, detector, path, enable;
    std::optional<int32_t> level, bits22To25;
};

TEST(DataRate, Register13ByDemodulator) {
    const std::optional<int16_t> none16;
    const std::optional<int32_t> none32;
    const Register13Case cases[] = {
        {"3FSK Viterbi, 8 bits", DemodThreeFsk, 0, 2, 29 << 4, 1 << 11, 2 << 11, 1 << 13, 31 << 15,
         15 << 22},
        // Detector and path memory both at bit 11, as the register map has them.
        {"3FSK Viterbi, 6 bits", DemodThreeFsk, 0, 1, 29 << 4, 1 << 11, 1 << 11, 1 << 13, 31 << 15,
         15 << 22},
        {"3FSK Threshold, no path memory", DemodThreeFsk, 1, -1, 29 << 4, 0, none16, 1 << 13,
         31 << 15, 15 << 22},
        {"3FSK no detector", DemodThreeFsk, -1, 3, 29 << 4, 0, 3 << 11, 1 << 13, 31 << 15,
         15 << 22},
        {"4FSK", DemodFourFsk, 0, 2, 59 << 4, 0, 0, 0, 0, 0},
        {"correlator", DemodCorrelator, 0, 2, 0, 0, 0, 0, 0, 0},
        {"linear leaves it", DemodLinear, 0, 2, none16, none16, none16, none16, none32, none32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto in = inputs("4", c.type);
        in.cmb3FSKDetectIndex = c.detectIndex;
        in.cmbVPathMemIndex = c.pathIndex;
        const auto p = planDataRate(in);
        ASSERT_TRUE(p.ran);
        EXPECT_EQ(p.ThresholdWordField, c.word);
        EXPECT_EQ(p.ThreeFskDetectorField, c.detector);
        EXPECT_EQ(p.ViterbiPathMemoryField, c.path);
        EXPECT_EQ(p.ThreeFskEnableField, c.enable);
        EXPECT_EQ(p.ThreeFskThresholdField, c.level);
        EXPECT_EQ(p.ThreeFskBits22To25Field, c.bits22To25);
    }
}

TEST(DataRate, LinearDemodulatorClearsDiscriminator) {
    const auto p = planDataRate(inputs("4", DemodLinear));
    ASSERT_TRUE(p.ran);
    EXPECT_EQ(p.DiscrimK, 0);
    EXPECT_EQ(p.DiscrimBwField, 0);
    EXPECT_EQ(p.KParityBit7Field, 0);
    EXPECT_EQ(p.KParityBit9Field, 0);
}

TEST(DataRate, FourFskKCorrections) {
    const std::pair<int, int> cases[] = {{18, 17}, {25, 24}, {50, 49}, {22, 23},
                                         {13, 13}, {16, 16}, {12, 12}};
    for (const auto& [K, corrected] : cases) {
        SCOPED_TRACE(K);
        EXPECT_EQ(correctFourFskK(K), corrected);
    }
}

TEST(DataRate, FourFskPlanStoresCorrectedKAndItsParity) {
    // round(100 / (4 x 25/18)) = 18, corrected to 17: odd, so bit 7; bit 9 is always clear.
    const auto p = planDataRate(inputs("4", DemodFourFsk, Crystal, 25.0f / 18));
    ASSERT_TRUE(p.ran);
    EXPECT_EQ(p.DiscrimK, 17);
    EXPECT_EQ(p.DiscrimBwField, *discrimBandwidthCode(17, p.DemodClockMHz) << 10);
    EXPECT_EQ(p.KParityBit7Field, 1 << 7);
    EXPECT_EQ(p.KParityBit9Field, 0);
}

TEST(DataRate, ParityRule) {
    const std::pair<int, KParity> cases[] = {
        {21, {128, 512}}, {48, {0, 0}}, {22, {0, 512}}, {7, {128, 0}}, {6, {0, 512}}, {4, {0, 0}},
    };
    for (const auto& [K, parity] : cases) {
        SCOPED_TRACE(K);
        EXPECT_EQ(kParity(K), parity);
    }
}

TEST(DataRate, CorrelatorPlanStoresParityOfK) {
    // round(100 / (100 / 21)) = 21: both bits.
    const auto p = planDataRate(inputs("4", DemodCorrelator, Crystal, 100.0f / 21));
    ASSERT_TRUE(p.ran);
    EXPECT_EQ(p.DiscrimK, 21);
    EXPECT_EQ(p.KParityBit7Field, 128);
    EXPECT_EQ(p.KParityBit9Field, 512);
}

struct EntryCase {
    const char* rate;
    const char* deviation;
    bool ran;
};

TEST(DataRate, EntryTest) {
    const EntryCase cases[] = {
        {"75", "2", true},       {"4", "2", true},    {"75.01", "2", false},  {"0", "2", false},
        {"1234567", "2", false}, {"", "2", false},    {"abc", "2", false},    {"4", "0", false},
        {"4", "", false},        {"4", "abc", false}, {"123456", "2", false}, // six characters but
                                                                              // above 75
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.rate) + " / " + c.deviation);
        auto in = inputs(c.rate);
        in.deviationText = c.deviation;
        const auto p = planDataRate(in);
        EXPECT_EQ(p.ran, c.ran);
        if (!c.ran) {
            EXPECT_TRUE(p.messages.empty());
        }
    }
}

// D is kept at 15 and C at 255 so the neighbouring fields of register 3 stay whole; the
// jitter search then fails at its first trial (D' = 16, C' = 384).
TEST(DataRate, TooLowRateKeepsDividersInTheirFields) {
    const auto p = planDataRate(inputs("0.1"));
    ASSERT_TRUE(p.ran);
    EXPECT_EQ(shown(p.messages), (std::vector<std::string>{shown(TooLow), shown(JitterWarning)}));
    EXPECT_EQ(p.DemodClockDividerField, 15 << 6);
    EXPECT_EQ(p.CdrClockDividerField, 255 << 10);
    EXPECT_FLOAT_EQ(p.DemodClockMHz, Crystal / 15);
    EXPECT_FLOAT_EQ(p.CdrClockKHz, Crystal * 1000 / (15 * 255));
    EXPECT_EQ(p.lblRxCLK, QString("0.1608"));
    EXPECT_EQ(p.SeqClockDividerField, 197 << 18);
}

TEST(DataRate, TooLowMessageTexts) {
    EXPECT_EQ(TooLowRateText, QString("Desired datrate is too low for the given xtal. Minimum "
                                      "datarate is XTAL/12,240. Please re-adjust."));
    EXPECT_EQ(JitterWarningText,
              QString("Clock Recovery Frequency and (32 x Desired Datarate) have more than 3% "
                      "difference.. Less than 2% difference is reccomended"));
}

struct GuardCase {
    const char* name;
    const char* rate;
    const char* deviationText;
    float crystal;
    float delta;
};

// Inputs the plan cannot finish on (a division by zero or a search without end) and values
// that would not fit their fields change nothing and show nothing.
TEST(DataRate, UnplannableInputsChangeNothing) {
    const GuardCase cases[] = {
        {"deviation text 0.1: count 0", "4", "0.1", Crystal, 0.0f},
        {"negative deviation", "4", "2", Crystal, -2.1f},
        {"deviation not a number", "4", "2", Crystal, std::numeric_limits<float>::quiet_NaN()},
        {"negative rate", "-4", "2", Crystal, Delta},
        {"no crystal", "4", "2", 0.0f, Delta},
        {"CDR divider rounds to 0", "75", "2", 1.0f, Delta},
        {"CDR divider of a trial rounds to 0", "60", "2", 1.5f, Delta},
        // One deviation step: D kept at 15 gives W = 1092, beyond its 10 bits.
        {"discriminator code too wide", "4", "0.3", Crystal, 0.30029296875f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DataRateInputs in{c.rate, c.deviationText, c.crystal, c.delta, DemodCorrelator, 0, 0};
        const auto p = planDataRate(in);
        EXPECT_FALSE(p.ran);
        EXPECT_TRUE(p.messages.empty());
    }
}

// The deviation plan and the data-rate plan together: "0.1" programs count 0, and the
// receiver plan that follows refuses it instead of dividing by it.
TEST(DataRate, ZeroDeviationCountFromDeviationPlanIsRefused) {
    const auto deviation = planDeviation({"0.1", 19.68, 0});
    ASSERT_TRUE(deviation.runDataRatePlan && deviation.ActualDeviationKHz);
    DataRateInputs in = inputs("4");
    in.deviationText = "0.1";
    in.ActualDeviationKHz = *deviation.ActualDeviationKHz;
    EXPECT_FALSE(planDataRate(in).ran);

    const auto two = planDeviation({"2", 19.68, 0});
    ASSERT_TRUE(two.ActualDeviationKHz);
    EXPECT_EQ(*two.ActualDeviationKHz, Delta);
}

} // namespace
