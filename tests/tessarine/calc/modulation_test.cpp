// The Tessarine modulation figures: the FSK deviation count and its refusals, the Gaussian
// mod control, index counter and divider with the deviation and data rate they give, and the
// PA level captions.
#include "tessarine/calc/modulation.h"

#include <gtest/gtest.h>

#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

using namespace tessarine::calc;

constexpr float Pfd = 3.6864f; // a deviation step of 225 Hz

DeviationResult deviation(const char* text, float pfd = Pfd, int32_t scheme = SchemeFsk,
                          int32_t held = 0) {
    return planDeviation({text, scheme, pfd, held});
}

struct Taken {
    const char* text;
    float pfd;
    int32_t count;
    const char* label;
};

TEST(TessarineDeviation, TextBecomesCountAndActualDeviation) {
    const Taken cases[] = {
        {"30", Pfd, 133, "29.925 kHz"},     // 133.3 steps
        {"60", Pfd, 267, "60.075 kHz"},     // 266.7 steps
        {"0", Pfd, 0, "0.000 kHz"},         //
        {"115", Pfd, 511, "114.975 kHz"},   // 511.1: the largest count the field holds
        {"60", 22.1184f, 44, "59.400 kHz"}, // the step follows the PFD: 1350 Hz
        {"1.2E1", Pfd, 53, "11.925 kHz"},   // 53.3
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DeviationResult r = deviation(c.text, c.pfd);
        EXPECT_FALSE(r.refusal);
        ASSERT_TRUE(r.TxDeviationField && r.actualDeviation && r.DeviationStepHz);
        EXPECT_EQ(*r.TxDeviationField, c.count << 11);
        EXPECT_EQ(*r.actualDeviation, QString(c.label));
    }
    EXPECT_EQ(*deviation("60").DeviationStepHz, 225.0f);
}

// A refused entry changes nothing; the box is told what it accepts at this PFD, and the label
// shows the deviation the count kept in the field gives.
TEST(TessarineDeviation, EntriesOutsideTheFieldAreRefused) {
    struct Refused {
        const char* text;
        float pfd;
        const char* message;
    };
    const Refused cases[] = {
        // 533 steps.
        {"120", Pfd, "Desired deviation in kHz: a number from 0 to 114.975 at this PFD frequency"},
        // 511.6 steps, which round to 512.
        {"115.1", Pfd,
         "Desired deviation in kHz: a number from 0 to 114.975 at this PFD frequency"},
        {"-1", Pfd, "Desired deviation in kHz: a number from 0 to 114.975 at this PFD frequency"},
        {"-0.1", Pfd, "Desired deviation in kHz: a number from 0 to 114.975 at this PFD frequency"},
        {"abc", Pfd, "Desired deviation in kHz: a number from 0 to 114.975 at this PFD frequency"},
        {"-", Pfd, "Desired deviation in kHz: a number from 0 to 114.975 at this PFD frequency"},
        {".", Pfd, "Desired deviation in kHz: a number from 0 to 114.975 at this PFD frequency"},
        {"", Pfd, "Desired deviation in kHz: a number from 0 to 114.975 at this PFD frequency"},
        {"1e300", Pfd,
         "Desired deviation in kHz: a number from 0 to 114.975 at this PFD frequency"},
        // 533 steps of 112.5 Hz.
        {"60", 1.8432f,
         "Desired deviation in kHz: a number from 0 to 57.487 at this PFD frequency"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DeviationResult r = deviation(c.text, c.pfd);
        EXPECT_EQ(r.refusal, QString(c.message));
        EXPECT_FALSE(r.TxDeviationField);
        EXPECT_EQ(r.actualDeviation, QString("0.000 kHz"));
        EXPECT_FALSE(r.DeviationStepHz);
    }
    // The count another scheme or PFD left in the field, at this PFD's step.
    EXPECT_EQ(deviation("120", Pfd, SchemeFsk, 64 << 11).actualDeviation, QString("14.400 kHz"));
    EXPECT_EQ(deviation("60", 1.8432f, SchemeFsk, 266 << 11).actualDeviation,
              QString("29.925 kHz"));
    EXPECT_EQ(deviation("abc", Pfd, SchemeFsk, (267 << 11) | (3 << 20)).actualDeviation,
              QString("60.075 kHz"));
}

// A complete entry that is refused comes with its message; a text on its way to a number
// (while it is typed) only marks the box.
TEST(TessarineDeviation, CompleteRefusedEntriesComeWithAMessage) {
    const QString message =
        "Invalid entry in Desired Deviation: enter a number from 0 to 114.975 kHz at this PFD "
        "frequency.";
    for (const char* complete :
         {"120", "-1", "-0.1", "abc", "e", "1e300", "1e400", "1.2.3", "nan", "&HZZ", "60 kHz"}) {
        SCOPED_TRACE(complete);
        EXPECT_EQ(deviation(complete).message, message);
    }
    for (const char* typing : {"", " ", "-", "+", ".", "-.", "1e", "1.5E-", ".5e+"}) {
        SCOPED_TRACE(typing);
        const DeviationResult r = deviation(typing);
        EXPECT_TRUE(r.refusal);
        EXPECT_FALSE(r.message);
    }
    EXPECT_FALSE(deviation("60").message);
    EXPECT_EQ(deviationRefusedMessage(112.5f),
              "Invalid entry in Desired Deviation: enter a number from 0 to 57.487 kHz at this PFD "
              "frequency.");
}

// Outside FSK, or without a PFD to step in, the handler does nothing at all.
TEST(TessarineDeviation, OnlyActsInFsk) {
    const DeviationResult ignored[] = {
        deviation("60", Pfd, SchemeGfsk),
        deviation("60", Pfd, SchemeAsk),
        deviation("60", Pfd, SchemeOok),
        deviation("60", Pfd, SchemeGook),
        deviation("60", 0.0f),
        deviation("abc", -3.6864f),
    };
    for (const auto& r : ignored) {
        EXPECT_FALSE(r.refusal);
        EXPECT_FALSE(r.TxDeviationField);
        EXPECT_FALSE(r.actualDeviation);
        EXPECT_FALSE(r.DeviationStepHz);
    }
}

GaussianInputs gfsk(int modCtrl = 0, int indexCount = 0, const char* divider = "64") {
    return {modCtrl, indexCount, divider, SchemeGfsk, Pfd};
}

TEST(TessarineGaussian, FiguresOfModControlIndexCounterAndDivider) {
    struct Case {
        GaussianInputs in;
        int32_t modField, indexField;
        const char* deviation;
        const char* rate;
    };
    const Case cases[] = {
        {gfsk(0, 0), 0, 0, "0.900", "3.600 kbps"},
        {gfsk(3, 0), 3 << 20, 0, "7.200", "3.600 kbps"},
        {gfsk(0, 2), 0, 2 << 23, "0.900", "0.900 kbps"},
        {gfsk(7, 3), 7 << 20, 3 << 23, "115.200", "0.450 kbps"},
        {gfsk(-1, 1), 0, 1 << 23, "0.900", "1.800 kbps"}, // no mod control: 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deviation);
        const GaussianResult r = planGaussian(c.in);
        EXPECT_FALSE(r.refusal);
        EXPECT_FALSE(r.dividerAtLimit);
        ASSERT_TRUE(r.TxDeviationField && r.GfskModControlField && r.GfskIndexCounterField);
        EXPECT_EQ(*r.TxDeviationField, 64 << 11);
        EXPECT_EQ(*r.GfskModControlField, c.modField);
        EXPECT_EQ(*r.GfskIndexCounterField, c.indexField);
        EXPECT_EQ(r.actualDeviation, QString(c.deviation) + " kHz");
        EXPECT_EQ(r.deviationEntry, QString(c.deviation));
        EXPECT_EQ(r.dataRate, QString(c.rate));
    }
}

// GOOK stores mod control 0 whatever the list shows and leaves the deviation alone.
TEST(TessarineGaussian, GookHasNoModControlAndNoDeviation) {
    GaussianInputs in = gfsk(3, 0);
    in.ModulationSchemeField = SchemeGook;
    const GaussianResult r = planGaussian(in);
    EXPECT_EQ(r.GfskModControlField, 0);
    EXPECT_EQ(r.TxDeviationField, 64 << 11);
    EXPECT_FALSE(r.actualDeviation);
    EXPECT_FALSE(r.deviationEntry);
    EXPECT_EQ(r.dataRate, QString("3.600 kbps"));
}

TEST(TessarineGaussian, DividerIsLimitedToOneTo127) {
    struct Case {
        const char* text;
        std::optional<QString> rewritten;
        int32_t divider;
    };
    const Case cases[] = {
        {"200", QString("127"), 127}, {"128", QString("127"), 127}, {"1e9", QString("127"), 127},
        {"0", QString("1"), 1},       {"-5", QString("1"), 1},      {"0.4", QString("1"), 1},
        {"127", std::nullopt, 127},   {"1", std::nullopt, 1},       {"64.4", std::nullopt, 64},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const GaussianResult r = planGaussian(gfsk(0, 0, c.text));
        EXPECT_EQ(r.dividerAtLimit, c.rewritten);
        EXPECT_EQ(r.TxDeviationField, c.divider << 11);
    }
    EXPECT_EQ(planGaussian(gfsk(0, 0, "200")).dataRate, QString("1.814 kbps"));
}

TEST(TessarineGaussian, NothingIsStoredWithoutIndexCounterOrDividerNumber) {
    // No index counter: the divider box is still corrected, nothing else.
    const GaussianResult noCounter = planGaussian(gfsk(0, -1, "200"));
    EXPECT_EQ(noCounter.dividerAtLimit, QString("127"));
    for (const GaussianResult& r : {noCounter, planGaussian(gfsk(0, 0, "abc")),
                                    planGaussian(gfsk(0, 0, "")), planGaussian(gfsk(0, 4))}) {
        EXPECT_FALSE(r.TxDeviationField);
        EXPECT_FALSE(r.GfskModControlField);
        EXPECT_FALSE(r.GfskIndexCounterField);
        EXPECT_FALSE(r.actualDeviation);
        EXPECT_FALSE(r.deviationEntry);
        EXPECT_FALSE(r.dataRate);
    }
    EXPECT_FALSE(planGaussian(gfsk(0, 0, "abc")).dividerAtLimit);
    EXPECT_EQ(planGaussian(gfsk(0, 0, "abc")).refusal, DividerAcceptsText);
    EXPECT_EQ(planGaussian(gfsk(0, 0, "")).refusal, DividerAcceptsText);
    EXPECT_FALSE(noCounter.refusal);
}

TEST(TessarineModulation, SchemeFieldsAndLevelCaptions) {
    const int32_t fields[] = {0, 4, 8, 12, 28};
    for (int index = 0; index < 5; ++index)
        EXPECT_EQ(modulationSchemeField(index), fields[index]);
    EXPECT_FALSE(modulationSchemeField(-1));
    EXPECT_FALSE(modulationSchemeField(5));

    EXPECT_EQ(settingText(1), QString("Setting  1"));
    EXPECT_EQ(settingText(56), QString("Setting  56"));
    EXPECT_EQ(settingText(0), QString("Setting  0"));

    const AskDataLabels plain = askDataLabels(0);
    EXPECT_EQ(plain.paLevelCaption, QString("Data = 1"));
    EXPECT_EQ(plain.paLevelLowCaption, QString("Data = 0"));
    const AskDataLabels inverted = askDataLabels(1 << 5);
    EXPECT_EQ(inverted.paLevelCaption, QString("Data = 0"));
    EXPECT_EQ(inverted.paLevelLowCaption, QString("Data = 1"));
}

} // namespace
