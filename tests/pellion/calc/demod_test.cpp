#include "pellion/calc/demod.h"

#include "tests/pellion/calc/messagetext.h"
#include "tests/qtprinters.h"

#include <gtest/gtest.h>

using namespace pellion::calc;
using pelliontest::entryRefusal;
using pelliontest::shown;

namespace {

constexpr float Crystal = 11.0592f;

ReceiverClockFields fields(int32_t ifFilter, int32_t bbCode, int32_t demodCode, int32_t cdr,
                           int32_t seq) {
    return {double(ifFilter) * (1 << 20), bbCode << 4, static_cast<int16_t>(demodCode << 6),
            cdr << 8, seq << 16};
}

TEST(PellionDemod, DividersAndClocksFromTheFields) {
    const ShownDividers s = shownDividers(fields(240, 1, 1, 10, 120));
    EXPECT_EQ(s, (ShownDividers{240, 8, 1, 10, 120}));
    const ClockLabels l = clockLabels(Crystal, s);
    EXPECT_EQ(l.lblIFfilterclk, "46.0800 kHz");
    EXPECT_EQ(l.lblBBoffsetclk, "1.3824 MHz");
    EXPECT_EQ(l.lblDemodclk, "11.0592 MHz");
    EXPECT_EQ(l.lblCDRclk, "1105.9200 kHz");
    EXPECT_EQ(l.lblSeqclk, "92.1600 kHz");
}

// The codes 0 of the baseband offset and the demodulator are divides by 4; a divider of 0
// has no clock, and its label keeps what it shows.
TEST(PellionDemod, CodeZeroAndDividersOfZero) {
    const ShownDividers s = shownDividers(fields(0, 0, 0, 0, 0));
    EXPECT_EQ(s, (ShownDividers{0, 4, 4, 0, 0}));
    const ClockLabels l = clockLabels(Crystal, s);
    EXPECT_FALSE(l.lblIFfilterclk);
    EXPECT_EQ(l.lblBBoffsetclk, "2.7648 MHz");
    EXPECT_EQ(l.lblDemodclk, "2.7648 MHz");
    EXPECT_FALSE(l.lblCDRclk);
    EXPECT_FALSE(l.lblSeqclk);
}

TEST(PellionDemod, ClockRecoveryAboveEightBitsIsShownBalanced) {
    const std::tuple<int32_t, int32_t, BalancedCdr> cases[] = {
        {600, 1, {200, 3}},  // 300 at 2, then CInt(200) at 3
        {300, 1, {150, 2}},  // one step is enough
        {300, 2, {200, 3}},  // starts from 2
        {2000, 1, {255, 4}}, // 1000, 667, CInt(500.25) = 500, held at 255
        {300, 4, {255, 4}},  // already at 4
        {255, 1, {255, 1}},  // fits: unchanged
    };
    for (const auto& [cdr, demod, balanced] : cases)
        EXPECT_EQ(balanceCdr(cdr, demod), balanced) << cdr << " at " << demod;
    // Only what is shown is balanced.
    EXPECT_EQ(shownDividers(fields(240, 1, 1, 600, 120)), (ShownDividers{240, 8, 3, 200, 120}));
}

// Load steps 7 to 9 for the deviation and clock that stand.
TEST(PellionDemod, DiscriminatorOnLoad) {
    const LoadDiscriminator d = loadDiscriminator(20.25f, Crystal, DemodCorrelator, Crystal);
    EXPECT_EQ(d.plan.DiscrimBwField, 138 << 4);
    EXPECT_EQ(d.plan.parity, (KParityFields{0, 1 << 29}));
    EXPECT_EQ(d.txtT4delay, "138");
    EXPECT_EQ(d.lblT4Frequency, "80.139 kHz");

    // Above 400 kHz the setting would be 0, which the frequency label divides by: nothing.
    const LoadDiscriminator wide = loadDiscriminator(450.0f, Crystal, DemodCorrelator, Crystal);
    EXPECT_FALSE(wide.plan.DiscrimBwField);
    EXPECT_FALSE(wide.plan.parity);
    EXPECT_FALSE(wide.plan.refusal);
    EXPECT_FALSE(wide.txtT4delay);
    EXPECT_FALSE(wide.lblT4Frequency);

    const LoadDiscriminator narrow = loadDiscriminator(0.675f, Crystal, DemodCorrelator, Crystal);
    EXPECT_FALSE(narrow.plan.DiscrimBwField);
    EXPECT_TRUE(narrow.plan.refusal);
    EXPECT_FALSE(narrow.txtT4delay);
}

struct DiscrimCase {
    const char* text;
    std::optional<int32_t> setting;
    const char* frequency;
    std::vector<std::string> messages;
};

TEST(PellionDemod, DiscriminatorBox) {
    const std::string limit = entryRefusal(DiscrimLimitText);
    const std::string above600 = pelliontest::notice(DiscrimWarningText);
    const DiscrimCase cases[] = {
        {"138", 138, "80.139 kHz", {}},           {"600", 600, "18.432 kHz", {}},
        {"601", 601, "18.401 kHz", {above600}}, // stored all the same
        {"1023", 1023, "10.811 kHz", {above600}}, {"138.4", 138, "80.139 kHz", {}},
        {"0", std::nullopt, nullptr, {limit}},    {"1024", std::nullopt, nullptr, {limit}},
        {"-5", std::nullopt, nullptr, {limit}},   {"", std::nullopt, nullptr, {}},
        {"abc", std::nullopt, nullptr, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DiscrimEntry e = discrimEntry(c.text, Crystal);
        EXPECT_EQ(shown(e.messages), c.messages);
        if (!c.setting) {
            EXPECT_FALSE(e.DiscrimBwField);
            EXPECT_FALSE(e.txtT4delay);
            EXPECT_FALSE(e.lblT4Frequency);
            continue;
        }
        EXPECT_EQ(e.DiscrimBwField, *c.setting << 4);
        EXPECT_EQ(e.txtT4delay, QString::number(*c.setting));
        EXPECT_EQ(e.lblT4Frequency, c.frequency);
    }
}

struct BoxCase {
    const char* text;
    std::optional<int64_t> stored;
    bool refused;
};

TEST(PellionDemod, DividerBoxes) {
    const BoxCase ifCases[] = {{"240", 240LL << 20, false},
                               {"511", 511LL << 20, false},
                               {"512", {}, true},
                               {"0", {}, true},
                               {"x", {}, false}};
    for (const auto& c : ifCases) {
        SCOPED_TRACE(testing::Message() << "IF " << c.text);
        const IFFilterEntry e = ifFilterEntry(c.text);
        EXPECT_EQ(e.IFFilterDividerField,
                  c.stored ? std::optional<double>(*c.stored) : std::optional<double>());
        EXPECT_EQ(e.refusal.has_value(), c.refused);
        if (e.refusal) {
            EXPECT_EQ(shown(*e.refusal), entryRefusal(IFFilterLimitText));
        }
    }
    const BoxCase bbCases[] = {{"4", 0, false},       {"8", 1 << 4, false},  {"12", 2 << 4, false},
                               {"20", 2 << 4, false}, {"27", 3 << 4, false}, {"28", {}, true},
                               {"-1", {}, true}};
    for (const auto& c : bbCases) {
        SCOPED_TRACE(testing::Message() << "BB " << c.text);
        const BBOffsetEntry e = bbOffsetEntry(c.text);
        EXPECT_EQ(e.BbOffsetDividerField, c.stored);
        EXPECT_EQ(e.refusal.has_value(), c.refused);
    }
    const BoxCase cdrCases[] = {
        {"10", 10 << 8, false}, {"0", 1 << 8, false}, {"255", 255 << 8, false}, {"256", {}, true}};
    for (const auto& c : cdrCases) {
        SCOPED_TRACE(testing::Message() << "CDR " << c.text);
        const CdrEntry e = cdrEntry(c.text, Crystal);
        EXPECT_EQ(e.CdrClockDividerField, c.stored);
        EXPECT_EQ(e.refusal.has_value(), c.refused);
        if (c.stored) {
            EXPECT_FLOAT_EQ(*e.CdrClockKHz, 11059.2f / (*c.stored >> 8));
        }
    }
}

TEST(PellionDemod, DemodulatorBox) {
    // 4 is stored as code 0; the discriminator follows the new clock.
    const DemodEntry four = demodEntry("4", Crystal, 20.25f);
    EXPECT_FALSE(four.refusal);
    EXPECT_EQ(four.DemodClockDividerField, 0);
    EXPECT_EQ(four.DemodClockMHz, 2.7648f);
    EXPECT_EQ(four.DiscrimBwField, 34 << 4); // CInt(2764.8 / 81)
    EXPECT_EQ(four.txtT4delay, "34");
    EXPECT_EQ(four.lblT4Frequency, "325.271 kHz");
    // Reloaded, the code 0 shows as 4 again.
    EXPECT_EQ(shownDividers(fields(240, 1, 0, 10, 120)).demod, 4);

    const DemodEntry one = demodEntry("1", Crystal, 20.25f);
    EXPECT_EQ(one.DemodClockDividerField, 1 << 6);
    EXPECT_EQ(one.DiscrimBwField, 137 << 4);
    EXPECT_EQ(one.lblT4Frequency, "80.724 kHz");

    // Without a deviation the discriminator stays.
    const DemodEntry noDeviation = demodEntry("2", Crystal, 0);
    EXPECT_EQ(noDeviation.DemodClockDividerField, 2 << 6);
    EXPECT_FALSE(noDeviation.DiscrimBwField);
    EXPECT_FALSE(noDeviation.txtT4delay);

    // A discriminator beyond ten bits refuses the whole entry.
    const DemodEntry narrow = demodEntry("1", Crystal, 2.0f);
    EXPECT_EQ(shown(*narrow.refusal),
              pelliontest::warning("Discriminator setting of 1382 is above the maximum of "
                                   "1023. Please raise the deviation"));
    EXPECT_FALSE(narrow.DemodClockMHz);
    EXPECT_FALSE(narrow.DemodClockDividerField);
    EXPECT_FALSE(narrow.DiscrimBwField);

    for (const char* text : {"5", "0"}) {
        const DemodEntry e = demodEntry(text, Crystal, 20.25f);
        EXPECT_EQ(shown(*e.refusal), entryRefusal(DemodLimitText)) << text;
        EXPECT_FALSE(e.DemodClockDividerField);
    }
    EXPECT_FALSE(demodEntry("", Crystal, 20.25f).refusal);
    EXPECT_FALSE(demodEntry("2", 0, 20.25f).DemodClockMHz); // no crystal, no clock
}

TEST(PellionDemod, PostDemodulatorBandwidthBox) {
    const PostDemodEntry e = postDemodEntry("8.5944", Crystal);
    EXPECT_EQ(e.PostDemodBwField, 5 << 6);
    EXPECT_EQ(e.lblDemodBW, "8.5943kHz");
    EXPECT_EQ(e.frontPanelDemodBW, "8.5943");
    EXPECT_EQ(e.lblDemodBW_disp, "R4_DB(6:15) = 5");

    const PostDemodEntry wide = postDemodEntry("2000", Crystal);
    EXPECT_EQ(shown(*wide.refusal),
              entryRefusal(QStringLiteral("Largest Post Demod BW setting is 1023: choose a "
                                          "narrower Desired BW")));
    EXPECT_FALSE(wide.PostDemodBwField);

    for (const char* text : {"", "abc", "-1"}) {
        const PostDemodEntry ignored = postDemodEntry(text, Crystal);
        EXPECT_FALSE(ignored.refusal) << text;
        EXPECT_FALSE(ignored.PostDemodBwField) << text;
    }
    EXPECT_FALSE(postDemodEntry("10", 0).PostDemodBwField); // no demodulator clock
}

TEST(PellionDemod, LabelTexts) {
    EXPECT_EQ(demodBwLabel("8.5943"), "8.5943kHz");
    EXPECT_EQ(demodBwLabel("9.5"), "9.5000kHz");
    EXPECT_EQ(demodBwLabel("0.25"), ".2500kHz");
    EXPECT_EQ(demodBwLabel("20kHz"), "20kHzkHz"); // not a number: kept as it is
    EXPECT_EQ(postDemodCodeText(16 << 6), "R4_DB(6:15) = 16");
    EXPECT_FALSE(t4FrequencyText(Crystal, 0));
}

TEST(PellionDemod, LockThresholdList) {
    for (int i = 0; i < 4; ++i) {
        const LockModeFields f = *lockModeFields(i);
        EXPECT_EQ(lockModeListIndex(f.LockThresholdModeBit23Field, f.LockThresholdModeField), i);
    }
    EXPECT_EQ(lockModeFields(1)->LockThresholdModeBit23Field, 1 << 23);
    EXPECT_EQ(lockModeFields(2)->LockThresholdModeField, 1 << 24);
    EXPECT_FALSE(lockModeFields(-1));
    EXPECT_FALSE(lockModeFields(4));
    // The sync-word window's code 3 with the bit-23 field set sums to no entry.
    EXPECT_EQ(lockModeListIndex(1 << 23, 3.0 * (1 << 23)), -1);
}

// The entry of the code the R4 word carries in bits 25..23.
TEST(PellionDemod, LockThresholdListOfTheWordsCode) {
    const std::pair<int32_t, int> cases[] = {{0, 0},       {1 << 23, 1},  {1 << 24, 2},
                                             {3 << 23, 3}, {1 << 25, -1}, {7 << 23, -1}};
    for (const auto& [code, entry] : cases)
        EXPECT_EQ(lockModeListIndexOfCode(code), entry) << code;
}

} // namespace
