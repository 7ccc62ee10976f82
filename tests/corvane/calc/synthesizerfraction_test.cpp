#include "synthesizercases.h"

namespace {

using namespace synthtest;

// ---- fraction buttons -----------------------------------------------------------------------

struct StepCase {
    const char* name;
    const char* n;
    const char* f;
    bool up;
    std::optional<int16_t> newN;
    int32_t newF;
};

class FractionButton : public testing::TestWithParam<StepCase> {};

TEST_P(FractionButton, StepsWithCarryAndBorrow) {
    const StepCase& c = GetParam();
    const auto step = stepFraction(c.n, c.f, c.up);
    ASSERT_EQ(step.has_value(), c.newN.has_value());
    if (step) {
        EXPECT_EQ(step->IntegerN, *c.newN);
        EXPECT_EQ(step->FracN, c.newF);
        EXPECT_EQ(step->nCaption, QString::number(*c.newN));
        EXPECT_EQ(step->fCaption, QString::number(c.newF));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Synthesizer, FractionButton,
    testing::Values(StepCase{"Up", "44", "5961", true, 44, 5962},
                    StepCase{"UpCarries", "44", "32767", true, 45, 0},
                    StepCase{"Down", "44", "5961", false, 44, 5960},
                    StepCase{"DownBorrows", "44", "0", false, 43, 32767},
                    // Before a first calculation the captions are empty: nothing happens.
                    StepCase{"NoCaptions", "", "", true, std::nullopt, 0},
                    StepCase{"NoNCaption", "", "5961", false, std::nullopt, 0},
                    StepCase{"NoFCaption", "44", "", true, std::nullopt, 0},
                    StepCase{"NOverflowsItsType", "32767", "32767", true, std::nullopt, 0}),
    [](const testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

FractionStepInputs afterDefaultCalculate() {
    FractionStepInputs in;
    in.rfText = "869.500000";
    in.pfdText = "19.68000";
    in.crystalText = "19.68000";
    in.nCaption = "44";
    in.fCaption = "5962";
    in.RDivider = 1;
    return in;
}

TEST(Synthesizer, FractionStepMovesTheRfBoxToTheSteppedChannel) {
    const SynthResult r = UpdatesynthF(afterDefaultCalculate());
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.IntegerN, 44);
    EXPECT_EQ(r.FracN, 5962);
    EXPECT_EQ(r.FracNField, 5962 * 16);
    EXPECT_EQ(r.IntegerNField, 44 << 19);
    EXPECT_EQ(r.RDividerField, 16);
    EXPECT_EQ(r.nText, QString("44"));
    EXPECT_EQ(r.fText, QString("5962"));
    EXPECT_EQ(r.rText, QString("1"));
    EXPECT_EQ(r.actualChannel, QString("869.500693 MHz"));
    EXPECT_EQ(r.rfText, QString("869.500693"));
    EXPECT_EQ(r.vcoFrequencyText, QString("869.500693MHz"));
    EXPECT_EQ(r.RfFrequencyMHz, 869.500693);
    EXPECT_EQ(r.divideBy2On, false);
    EXPECT_FALSE(r.frequencyStep);  // the step text is the Calculate path's
    EXPECT_TRUE(r.refreshReadouts); // the read-outs show the stepped dividers at once
    EXPECT_FALSE(r.IFCalUpperToneField);
    EXPECT_FALSE(r.AfcScalingField);
}

TEST(Synthesizer, FractionStepInReceiveWithDivideBy2) {
    FractionStepInputs in = afterDefaultCalculate();
    in.rfText = "433.920000";
    in.fCaption = "3198";
    in.TxRxField = kReceive;
    const SynthResult r = UpdatesynthF(in);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.divideBy2On, true);
    EXPECT_EQ(r.VcoDiv2Field, kDiv2On);
    // VCO 867.840674: channel (VCO + 0.2) / 2, LO VCO / 2.
    EXPECT_EQ(r.actualChannel, QString("434.020337 MHz"));
    EXPECT_EQ(r.lblRxLO, QString("433.920337 MHz"));
    EXPECT_EQ(r.rfText, QString("434.020337"));
}

struct RejectedStepCase {
    const char* name;
    const char* rf;
    int32_t extInductor;
    const char* lblN;
    VcoUpperLimits limits;
    QString message;
};

class RejectedFractionStep : public testing::TestWithParam<RejectedStepCase> {};

TEST_P(RejectedFractionStep, LeavesNAndFAsTheyWere) {
    const RejectedStepCase& c = GetParam();
    FractionStepInputs in = afterDefaultCalculate();
    in.rfText = c.rf;
    in.ExtInductorField = c.extInductor;
    in.nCaption = c.lblN;
    const SynthResult r = UpdatesynthF(in, c.limits);
    ASSERT_EQ(texts(r), std::vector<QString>{c.message});
    EXPECT_EQ(r.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(r.messages[0].title, QString("Warning"));
    expectDividersUntouched(r);
    EXPECT_FALSE(r.refreshReadouts);
}

INSTANTIATE_TEST_SUITE_P(
    Synthesizer, RejectedFractionStep,
    testing::Values(
        // The narrow-band variant lowers the upper limits of this path only.
        RejectedStepCase{"NarrowBandAbove920", "925.000000", 0, "47", {920, 460}, kInternalBand},
        RejectedStepCase{"NarrowBandAbove460", "465.000000", 0, "47", {920, 460}, kInternalBand},
        RejectedStepCase{"ExternalAbove660", "700.000000", kExternal, "35", {}, kExternalBand},
        RejectedStepCase{"NAbove255",
                         "869.500000",
                         0,
                         "256",
                         {},
                         "Integer N divide of 256 is above the maximum of 255. Please raise the "
                         "PFD frequency"}),
    [](const testing::TestParamInfo<RejectedStepCase>& info) {
        return std::string(info.param.name);
    });

TEST(Synthesizer, NarrowBandLimitsStillAcceptTheirBands) {
    FractionStepInputs in = afterDefaultCalculate();
    in.rfText = "915.000000";
    in.nCaption = "46";
    const SynthResult r = UpdatesynthF(in, {920, 460});
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.IntegerN, 46);
}

TEST(Synthesizer, FractionStepBelowMinimumNStillApplies) {
    FractionStepInputs in = afterDefaultCalculate();
    in.ExtInductorField = kExternal;
    in.rfText = "433.919736";
    in.nCaption = "22";
    in.fCaption = "1599";
    const SynthResult r = UpdatesynthF(in);
    ASSERT_EQ(texts(r), std::vector<QString>{kMinimumN});
    EXPECT_EQ(r.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(r.IntegerN, 22);
    EXPECT_EQ(r.FracN, 1599);
    EXPECT_TRUE(r.synthesizerFrequency);
}

} // namespace
