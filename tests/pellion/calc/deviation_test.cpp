#include "pellion/calc/deviation.h"

#include "pellion/calc/datarate.h"
#include "tests/pellion/calc/messagetext.h"
#include "tests/qtprinters.h"

#include <gtest/gtest.h>

using namespace pellion::calc;
using pelliontest::shown;

namespace {

constexpr float Pfd = 11.0592f;

DeviationInputs inputs(const QString& text, int32_t div2 = 0, int16_t scheme = ModulationFsk) {
    DeviationInputs in;
    in.text = text;
    in.PfdFrequencyMHz = Pfd;
    in.VcoDiv2Field = div2;
    in.ModulationSchemeField = scheme;
    in.DemodTypeField = DemodCorrelator;
    in.DemodClockMHz = Pfd;
    return in;
}

void expectNothingSet(const DeviationResult& r) {
    EXPECT_FALSE(r.DeviationStepHz);
    EXPECT_FALSE(r.ActualDeviationKHz);
    EXPECT_FALSE(r.TxDeviationField);
    EXPECT_FALSE(r.Lblfskdev);
    EXPECT_FALSE(r.DiscrimBwField);
    EXPECT_FALSE(r.KParityBit14Field);
    EXPECT_FALSE(r.KParityBit29Field);
}

struct CountCase {
    const char* text;
    int32_t div2;
    int32_t stored; // TxDeviationField / 2^15
    const char* label;
    float actual;
};

TEST(PellionDeviation, CountAndActualDeviation) {
    const CountCase cases[] = {
        {"20", 0, 30, "20.250", 20.25f},
        // The divide-by-2 halves the deviation at the antenna: twice the count, same label.
        {"20", VcoDiv2FieldOn, 60, "20.250", 20.25f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " div2 " << c.div2);
        const DeviationResult r = planDeviation(inputs(c.text, c.div2));
        EXPECT_TRUE(r.messages.empty());
        EXPECT_TRUE(r.refreshReadouts);
        EXPECT_EQ(r.DeviationStepHz, 675.0f);
        EXPECT_EQ(r.TxDeviationField, c.stored << 15);
        EXPECT_EQ(r.Lblfskdev, c.label);
        EXPECT_EQ(r.ActualDeviationKHz, c.actual);
        EXPECT_EQ(r.DiscrimBwField, 138 << 4);
        EXPECT_EQ(r.KParityBit14Field, 0);
        EXPECT_EQ(r.KParityBit29Field, 1 << 29);
    }
}

TEST(PellionDeviation, SmallDeviationsAndBelowHalfAStep) {
    // 0.3 kHz is below half a 675 Hz step: the count and the deviation are 0, and without a
    // deviation the discriminator stays while the correlator parity is that of K 0.
    const DeviationResult r = planDeviation(inputs("0.3"));
    EXPECT_EQ(r.TxDeviationField, 0);
    EXPECT_EQ(r.ActualDeviationKHz, 0.0f);
    EXPECT_EQ(r.Lblfskdev, "0.000");
    EXPECT_FALSE(r.DiscrimBwField);
    EXPECT_EQ(r.KParityBit14Field, 0);
    EXPECT_EQ(r.KParityBit29Field, 0);
}

TEST(PellionDeviation, AboveFiveHundredGivesTheMessageAndNothingElse) {
    for (const char* text : {"500.1", "600", "1e3"}) {
        SCOPED_TRACE(text);
        const DeviationResult r = planDeviation(inputs(text));
        EXPECT_EQ(shown(r.messages),
                  std::vector{pelliontest::notice("Deviation frequency too large")});
        EXPECT_TRUE(r.refreshReadouts);
        expectNothingSet(r);
    }
}

struct RefusalCase {
    const char* name;
    const char* text;
    int32_t div2;
    const char* warning;
};

TEST(PellionDeviation, CountsBeyondNineBitsAreRefused) {
    const RefusalCase cases[] = {
        {"500 kHz", "500", 0,
         "Deviation count of 741 is above the maximum of 511. Please lower the deviation"},
        {"300 kHz doubled", "300", VcoDiv2FieldOn,
         "Deviation count of 888 is above the maximum of 511. Please lower the deviation"},
        // 1 kHz programs 0.675 kHz, whose discriminator does not fit its ten bits.
        {"1 kHz", "1", 0,
         "Discriminator setting of 4092 is above the maximum of 1023. Please raise the "
         "deviation"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DeviationResult r = planDeviation(inputs(c.text, c.div2));
        EXPECT_EQ(shown(r.messages), std::vector{pelliontest::warning(c.warning)});
        EXPECT_FALSE(r.refreshReadouts);
        expectNothingSet(r);
    }
    // Without the divide-by-2 the 300 kHz count fits.
    EXPECT_EQ(planDeviation(inputs("300")).TxDeviationField, 444 << 15);
}

TEST(PellionDeviation, IgnoredTexts) {
    for (const char* text : {"", "-5", "-", ".", "abc", "1234567", "-0.5"}) {
        SCOPED_TRACE(text);
        const DeviationResult r = planDeviation(inputs(text));
        EXPECT_TRUE(r.messages.empty());
        EXPECT_FALSE(r.refreshReadouts);
        expectNothingSet(r);
    }
    // Six characters are still taken.
    EXPECT_EQ(planDeviation(inputs("20.000")).TxDeviationField, 30 << 15);
}

// In the other schemes TxDeviationField holds the GFSK divider (or the ASK low PA setting):
// the deviation is still worked out for the receiver, but the field is left alone and its
// nine-bit limit does not apply.
// The mark says what the box takes at this set-up: at PFD 11.0592 MHz a step is 675 Hz, so
// the nine-bit count ends below 511.5 steps (345.2625 kHz), half that with the divide-by-2;
// the discriminator's ten bits need K = round(200 / deviation) at most 74, a count of 4 steps
// (2.3625 kHz rounds to it) or more. Up to half a step (0.3375 kHz) there is no count and no
// discriminator: the box takes it, and the carrier goes out without deviation.
TEST(PellionDeviation, RefusalsSayWhyOnTheBox) {
    const QString box = QStringLiteral("Desired deviation in kHz of at most 6 characters: ");
    const QString takes = box + QStringLiteral("0 to 0.337, under half a step: no deviation, or a "
                                               "number from 2.363 to 345.26 at this set-up");
    EXPECT_FALSE(planDeviation(inputs("20")).refusal);
    for (const char* text : {"", "abc", "-5", "1234567", "501"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(planDeviation(inputs(text)).refusal, takes);
    }
    EXPECT_EQ(planDeviation(inputs("500")).refusal,
              QStringLiteral("Deviation count of 741 is above the maximum of 511. Please lower "
                             "the deviation\n") +
                  takes);
    EXPECT_EQ(planDeviation(inputs("2")).refusal,
              QStringLiteral("Discriminator setting of 1369 is above the maximum of 1023. Please "
                             "raise the deviation\n") +
                  takes);
    EXPECT_EQ(deviationAccepts(inputs("", VcoDiv2FieldOn)),
              box + QStringLiteral("0 to 0.337, under half a step: no deviation, or a number from "
                                   "2.363 to 172.46 at this set-up"));
    // In GFSK the count is not stored, so only the 500 kHz of the box and the discriminator
    // bound it.
    EXPECT_EQ(deviationAccepts(inputs("", 0, ModulationGfsk)),
              box + QStringLiteral("0 to 0.337, under half a step: no deviation, or a number from "
                                   "2.363 to 500 at this set-up"));
}

TEST(PellionDeviation, OnlyFskStoresTheCount) {
    for (int16_t scheme : {ModulationGfsk, ModulationGook, ModulationAsk, ModulationOok}) {
        SCOPED_TRACE(scheme);
        const DeviationResult gfsk = planDeviation(inputs("2.700", 0, scheme));
        EXPECT_FALSE(gfsk.TxDeviationField);
        EXPECT_EQ(gfsk.ActualDeviationKHz, 2.7f);
        EXPECT_EQ(gfsk.Lblfskdev, "2.700");
        EXPECT_EQ(gfsk.DiscrimBwField, 1023 << 4); // K 74 at 11.0592 MHz just fits
        EXPECT_EQ(gfsk.KParityBit29Field, 1 << 29);

        // 500 kHz: 741 steps, not stored, so not refused; K rounds to 0 above 400 kHz and
        // the discriminator stays as it is.
        const DeviationResult wide = planDeviation(inputs("500", 0, scheme));
        EXPECT_TRUE(wide.messages.empty());
        EXPECT_FALSE(wide.TxDeviationField);
        EXPECT_FLOAT_EQ(*wide.ActualDeviationKHz, 500.175f);
        EXPECT_FALSE(wide.DiscrimBwField);
        EXPECT_FALSE(wide.KParityBit29Field);
    }
}

TEST(PellionDeviation, WithoutADemodulatorClockTheDiscriminatorStays) {
    DeviationInputs in = inputs("20");
    in.DemodClockMHz = 0;
    const DeviationResult r = planDeviation(in);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.TxDeviationField, 30 << 15);
    EXPECT_FALSE(r.DiscrimBwField);
    EXPECT_FALSE(r.KParityBit29Field);
}

TEST(PellionDeviation, NoPfdChangesNothing) {
    DeviationInputs in = inputs("20");
    in.PfdFrequencyMHz = 0;
    const DeviationResult r = planDeviation(in);
    EXPECT_TRUE(r.messages.empty());
    expectNothingSet(r);
}

} // namespace
