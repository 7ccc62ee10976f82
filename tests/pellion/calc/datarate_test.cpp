#include "pellion/calc/datarate.h"

#include "pellion/calc/deviation.h"
#include "tests/pellion/calc/messagetext.h"
#include "tests/qtprinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace pellion::calc;
using pelliontest::shown;

namespace {

constexpr float Crystal = 11.0592f;
// What the deviation box "20" programs at PFD 11.0592 MHz: 30 steps of 675 Hz.
constexpr float Delta = 20.25f;
constexpr int CorrelatorIndex = 1;

DataRateInputs inputs(const QString& rate, float crystal = Crystal, float delta = Delta,
                      int16_t type = DemodCorrelator, int demodIndex = CorrelatorIndex) {
    DataRateInputs in;
    in.rateText = rate;
    in.CrystalFrequencyMHz = crystal;
    in.ActualDeviationKHz = delta;
    in.DemodTypeField = type;
    in.cmbDemodIndex = demodIndex;
    return in;
}

const std::string JitterWarning = shown(platform::Message{
    QStringLiteral("Clock Recovery Frequency and (32 x Desired Datarate) have more than 3% "
                   "difference.. Less than 2% difference is reccomended"),
    platform::MsgIcon::Information, QStringLiteral("Excessive Jitter Warning")});

// The front panel after start-up: crystal and PFD 11.0592 MHz, FSK with the correlator, the
// deviation box "20" and the rate box "10". The deviation is planned first and the data rate
// from the deviation it really gives.
TEST(PellionDataRate, DefaultRowFromTheStartUpEntries) {
    DeviationInputs dev;
    dev.text = "20";
    dev.PfdFrequencyMHz = Crystal;
    dev.DemodTypeField = DemodCorrelator;
    dev.DemodClockMHz = Crystal;
    const DeviationResult d = planDeviation(dev);
    ASSERT_TRUE(d.ActualDeviationKHz);
    EXPECT_EQ(d.DeviationStepHz, 675.0f);
    EXPECT_EQ(d.TxDeviationField, 30 << 15);
    EXPECT_EQ(d.Lblfskdev, "20.250");
    EXPECT_EQ(*d.ActualDeviationKHz, Delta);

    const DataRatePlan p = planDataRate(inputs("10", Crystal, *d.ActualDeviationKHz));
    ASSERT_TRUE(p.ran);
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(p.DemodClockDividerField, 1 << 6); // D 1
    EXPECT_EQ(p.DemodClockMHz, Crystal);
    EXPECT_EQ(p.CdrClockDividerField, 35 << 8); // C = CInt(34.56)
    EXPECT_EQ(p.lblRxCLK, "9.87");
    EXPECT_FLOAT_EQ(p.CdrClockKHz, 11059.2f / 35);
    EXPECT_EQ(p.PostDemodBwField, 5 << 6); // K 5
    EXPECT_EQ(p.lblDemodBW, "8.5943");
    EXPECT_EQ(p.DiscrimBwField, 138 << 4); // Kc 10
    EXPECT_EQ(p.KParityBit14Field, 0);
    EXPECT_EQ(p.KParityBit29Field, 1 << 29); // 10 / 2 = 5 is odd
    EXPECT_EQ(p.IFFilterDividerField, 221.0 * (1 << 20));
    EXPECT_EQ(p.SeqClockDividerField, 111 << 16);
    EXPECT_EQ(p.BbOffsetDividerField, 1 << 4);
}

struct EntryCase {
    const char* name;
    QString text;
    std::optional<double> fromCode;
    bool runs;
    size_t refusals = 0; // passed the entry test, then a value did not fit
};

TEST(PellionDataRate, EntryTest) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const EntryCase cases[] = {
        {"201 is taken", "201", {}, true},
        {"202 is ignored", "202", {}, false},
        {"201.5 rounds to 202", "201.5", {}, false},
        {"0 is ignored", "0", {}, false},
        {"0.5 rounds to 0", "0.5", {}, false},
        {"0.51 rounds to 1: planned, CDR divider refused", "0.51", {}, false, 1},
        {"five characters", "10.00", {}, true},
        {"six characters are ignored", "10.000", {}, false},
        {"empty", "", {}, false},
        {"not a number", "1O", {}, false},
        {"a lone minus while typing", "-", {}, false},
        {"negative", "-5", {}, false},
        {"exponent form", "1e2", {}, true},
        // A rate pushed from code is taken as a number, whatever the box shows.
        {"pushed full-precision rate", "10.546875", 10.546875, true},
        {"pushed rate at the limit", "", 201.5, false},
        {"pushed negative rate", "", -10, false},
        {"pushed NaN", "", nan, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DataRateInputs in = inputs(c.text);
        in.rateFromCode = c.fromCode;
        const DataRatePlan p = planDataRate(in);
        EXPECT_EQ(p.ran, c.runs);
        EXPECT_EQ(p.messages.size(), c.refusals);
    }
}

TEST(PellionDataRate, PushedRateIsPlannedAsTheNumberNotTheText) {
    DataRateInputs in = inputs("ignored text");
    in.rateFromCode = 150;
    const DataRatePlan p = planDataRate(in);
    ASSERT_TRUE(p.ran);
    EXPECT_EQ(p.CdrClockDividerField, 2 << 8); // CInt(2.304)
}

struct DividerCase {
    float crystal;
    int fsk, ask;
};

TEST(PellionDataRate, DemodulatorDividerByCrystalAndDemodulator) {
    const DividerCase cases[] = {
        {5.999f, 1, 1},   {6.0f, 1, 2},  {11.0592f, 1, 2}, {11.9999f, 1, 2}, {12.0f, 2, 3},
        {17.9999f, 2, 3}, {18.0f, 2, 4}, {23.9999f, 2, 4}, {24.0f, 3, 4},    {26.0f, 3, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.crystal);
        EXPECT_EQ(demodClockDivider(c.crystal, 0), c.fsk);
        EXPECT_EQ(demodClockDivider(c.crystal, 1), c.fsk);
        EXPECT_EQ(demodClockDivider(c.crystal, -1), c.fsk); // no selection plans as FSK
        EXPECT_EQ(demodClockDivider(c.crystal, DemodListAsk), c.ask);
    }
}

TEST(PellionDataRate, CrystalOf12MHz) {
    const DataRatePlan fsk = planDataRate(inputs("10", 12.0f));
    ASSERT_TRUE(fsk.ran);
    EXPECT_EQ(fsk.DemodClockDividerField, 2 << 6);
    EXPECT_EQ(fsk.DemodClockMHz, 6.0f);

    const DataRatePlan ask = planDataRate(inputs("10", 12.0f, Delta, DemodAsk, DemodListAsk));
    ASSERT_TRUE(ask.ran);
    EXPECT_EQ(ask.DemodClockDividerField, 3 << 6);
    EXPECT_EQ(ask.DemodClockMHz, 4.0f);
    // The sequencer runs at 25 kHz for ASK: 12 MHz / 40 kHz = 300, held at 255.
    EXPECT_EQ(ask.SeqClockDividerField, 255 << 16);
    EXPECT_EQ(fsk.SeqClockDividerField, 120 << 16);
}

// The ASK divide by 4 is stored as code 0, and the CDR clock divides by 4 all the same.
TEST(PellionDataRate, AskDivideByFourIsStoredAsZero) {
    const DataRatePlan p = planDataRate(inputs("10", 24.0f, Delta, DemodAsk, DemodListAsk));
    ASSERT_TRUE(p.ran);
    EXPECT_EQ(p.DemodClockDividerField, 0);
    EXPECT_EQ(p.DemodClockMHz, 6.0f);
    EXPECT_EQ(p.CdrClockDividerField, 19 << 8); // CInt(18.75)
    EXPECT_FLOAT_EQ(p.CdrClockKHz, 24000.0f / (19 * 4));
    EXPECT_EQ(p.BbOffsetDividerField, 2 << 4);
    // Only the correlator stores the parity bits.
    EXPECT_FALSE(p.KParityBit14Field);
    EXPECT_FALSE(p.KParityBit29Field);
}

struct JitterCase {
    const char* name;
    const char* rate;
    const char* shownBefore;
    size_t warnings;
};

// The check runs only when the new rate gives the clock already shown: retyping the same
// rate, or a rate that rounds to the same CDR divider.
TEST(PellionDataRate, JitterWarningOnlyForTheClockAlreadyShown) {
    const JitterCase cases[] = {
        {"150 retyped (CDR clock 15% off)", "150", "172.80", 1},
        {"150 after 10", "150", "9.87", 0},
        {"140 after 150: same divider", "140", "172.80", 1},
        {"10 retyped: within 3%", "10", "9.87", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DataRateInputs in = inputs(c.rate);
        in.lblRxCLK = c.shownBefore;
        const DataRatePlan p = planDataRate(in);
        ASSERT_TRUE(p.ran);
        EXPECT_EQ(p.lblRxCLK, c.rate == std::string("10") ? "9.87" : "172.80");
        EXPECT_EQ(shown(p.messages), std::vector<std::string>(c.warnings, JitterWarning));
    }
}

struct GuardCase {
    const char* name;
    DataRateInputs in;
    std::vector<std::string> messages; // empty: ignored without a word
};

TEST(PellionDataRate, GuardsChangeNothing) {
    const GuardCase cases[] = {
        {"CDR divider of 0 (2.5 MHz at 200)", inputs("200", 2.5f), {}},
        {"no crystal", inputs("10", 0.0f), {}},
        {"negative crystal", inputs("10", -11.0592f), {}},
        {"crystal not finite", inputs("10", std::numeric_limits<float>::infinity()), {}},
        {"CDR divider above 255 (rate 1)",
         inputs("1"),
         {pelliontest::warning(
             "CDR divide of 346 is above the maximum of 255. Please raise the data rate")}},
        {"IF divider above 511 (crystal 40)",
         inputs("10", 40.0f),
         {pelliontest::warning(
             "IF filter divide of 800 is above the maximum of 511. Please lower the XTAL "
             "frequency")}},
        {"discriminator above 1023 (deviation 1 kHz programs 0.675)",
         inputs("10", Crystal, 0.675f),
         {pelliontest::warning("Discriminator setting of 4092 is above the maximum of 1023. "
                               "Please raise the deviation")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DataRatePlan p = planDataRate(c.in);
        EXPECT_FALSE(p.ran);
        EXPECT_EQ(shown(p.messages), c.messages);
    }
}

// Whatever is not taken leaves the box a text for its refusal mark: what the box takes at this
// set-up, after the warning that refused a value. At 11.0592 MHz the clock-recovery divider
// fits its eight bits from 1.353 kbit/s (345.6 / 255.5 = 1.35264).
TEST(PellionDataRate, RefusalsSayWhyOnTheBox) {
    const QString takes = QStringLiteral(
        "Data rate in kbit/s of at most 5 characters: a number from 1.353 to 201.4 at this "
        "set-up");
    const struct {
        const char* name;
        DataRateInputs in;
        std::optional<QString> refusal;
    } cases[] = {
        {"taken", inputs("10"), std::nullopt},
        {"not a number", inputs("abc"), takes},
        {"202", inputs("202"), takes},
        {"CDR divider of 0", inputs("200", 2.5f),
         QStringLiteral("Data rate in kbit/s: below 156.250 at this crystal frequency")},
        {"no crystal", inputs("10", 0.0f), NoReceiverClocksText},
        {"CDR divider above 255", inputs("1"),
         QStringLiteral("CDR divide of 346 is above the maximum of 255. Please raise the data "
                        "rate\n") +
             takes},
        // A 4.5 MHz crystal lowers the least rate to 140.625 / 255.5 = 0.55039.
        {"a lower crystal", inputs("abc", 4.5f),
         QStringLiteral("Data rate in kbit/s of at most 5 characters: a number from 0.551 to "
                        "201.4 at this set-up")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(planDataRate(c.in).refusal, c.refusal);
    }
}

struct DiscriminatorCase {
    const char* name;
    float delta;
    int16_t type;
    std::optional<int32_t> discrim, bit14, bit29;
};

TEST(PellionDataRate, DiscriminatorAndParityByDeviationAndDemodulator) {
    const std::optional<int32_t> kept;
    const DiscriminatorCase cases[] = {
        {"correlator, K 10", Delta, DemodCorrelator, 138 << 4, 0, 1 << 29},
        // K = CInt(200 / 28.35) = 7: odd, (7 + 1) / 2 = 4 even.
        {"correlator, K 7", 28.35f, DemodCorrelator, 97 << 4, 1 << 14, 0},
        {"linear: no parity", Delta, DemodLinear, 138 << 4, kept, kept},
        // Without a deviation the discriminator stays and the parity is that of K 0.
        {"no deviation", 0.0f, DemodCorrelator, kept, 0, 0},
        // Above 400 kHz K rounds to 0: the discriminator and its parity stay as they are.
        {"deviation above 400 kHz", 450.0f, DemodCorrelator, kept, kept, kept},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DataRatePlan p = planDataRate(inputs("10", Crystal, c.delta, c.type));
        ASSERT_TRUE(p.ran);
        EXPECT_EQ(p.DiscrimBwField, c.discrim);
        EXPECT_EQ(p.KParityBit14Field, c.bit14);
        EXPECT_EQ(p.KParityBit29Field, c.bit29);
    }
}

TEST(PellionDataRate, ParityOfK) {
    const std::pair<int32_t, KParityFields> cases[] = {
        {10, {0, 1 << 29}},       {7, {1 << 14, 0}},       {6, {0, 1 << 29}}, {4, {0, 0}},
        {21, {1 << 14, 1 << 29}}, {1, {1 << 14, 1 << 29}}, {0, {0, 0}},
    };
    for (const auto& [K, parity] : cases)
        EXPECT_EQ(kParity(K), parity) << K;
}

TEST(PellionDataRate, PostDemodulatorFilterFollowsTheRate) {
    const DataRatePlan p = planDataRate(inputs("201"));
    ASSERT_TRUE(p.ran);
    EXPECT_EQ(p.PostDemodBwField, 88 << 6); // Int(87.70) + 1
    EXPECT_EQ(p.CdrClockDividerField, 2 << 8);
}

} // namespace
