#include "synthesizercases.h"

namespace {

using namespace synthtest;

// ---- the documented worked examples ---------------------------------------------------------

struct WorkedCase {
    const char* name;
    const char* rf;
    const char* pfd;
    const char* crystal;
    int32_t txRx;
    int16_t r;
    int16_t n;
    int32_t f;
    bool divideBy2;
    const char* channel;
    const char* lo;
    const char* fstep;
    const char* pfdBox;
    const char* crystalBox;
    std::vector<QString> messages;
};

class WorkedExample : public testing::TestWithParam<WorkedCase> {};

TEST_P(WorkedExample, GivesDividersDisplaysAndFields) {
    const WorkedCase& c = GetParam();
    SynthInputs in = defaults();
    in.rfText = c.rf;
    in.pfdText = c.pfd;
    in.crystalText = c.crystal;
    in.TxRxField = c.txRx;
    const SynthResult r = CmdCalculate(in);

    EXPECT_EQ(texts(r), c.messages);
    EXPECT_FALSE(r.validationFailed);
    EXPECT_EQ(r.RDivider, c.r);
    EXPECT_EQ(r.IntegerN, c.n);
    EXPECT_EQ(r.FracN, c.f);
    EXPECT_EQ(r.IntegerNField, c.n * (1 << 19));
    EXPECT_EQ(r.FracNField, c.f * 16);
    EXPECT_EQ(r.RDividerField, c.r * 16);
    EXPECT_EQ(r.VcoDiv2Field, c.divideBy2 ? kDiv2On : 0);
    EXPECT_EQ(r.divideBy2On, c.divideBy2);
    EXPECT_EQ(r.NoteVisible, c.divideBy2);
    EXPECT_EQ(r.actualChannel, QString(c.channel));
    EXPECT_EQ(r.lblRxLO, QString(c.lo));
    EXPECT_FALSE(r.synthesizerFrequency); // internal inductor
    EXPECT_EQ(r.frequencyStep, QString(c.fstep));
    EXPECT_EQ(r.pfdText, QString(c.pfdBox));
    EXPECT_EQ(r.crystalText, QString(c.crystalBox));
    EXPECT_EQ(r.pfdFrequencyText, QString(c.pfdBox) + "MHz");
    EXPECT_EQ(r.crystalFrequencyText, QString(c.crystalBox) + "MHz");
    EXPECT_EQ(r.rText, QString::number(c.r));
    EXPECT_EQ(r.nText, QString::number(c.n));
    EXPECT_EQ(r.fText, QString::number(c.f));
    EXPECT_TRUE(r.refreshReadouts);
}

// clang-format off
const WorkedCase kWorkedCases[] = {
    // name, RF, PFD, crystal, mode, R, N, F, divide-by-2,
    //   actual channel, receiver LO, step, PFD box, crystal box, messages
    {"DefaultsTransmit", "869.500000", "19.680000", "19.680000", 0, 1, 44, 5961, false,
     "869.500093 MHz", "869.500093 MHz", "Fstep = 600.59 Hz", "19.68000", "19.68000", {}},
    {"DefaultsReceive", "869.500000", "19.680000", "19.680000", kReceive, 1, 44, 5794, false,
     "869.499795 MHz", "869.399795 MHz", "Fstep = 600.59 Hz", "19.68000", "19.68000", {}},
    {"LowBandSwitchesDivideBy2On", "433.92", "19.68", "19.68", 0, 1, 44, 3197, true,
     "433.920037 MHz", "433.920037 MHz", "Fstep = 300.29 Hz", "19.68000", "19.68000", {}},
    // 19.68 / 10 rounds to R 2; the PFD becomes 19.68 / 2 in single precision.
    {"PfdNotADivisionOfTheCrystal", "869.5", "10", "19.68", 0, 2, 88, 11922, false,
     "869.500106 MHz", "869.500106 MHz", "Fstep = 300.29 Hz", "9.84000", "19.68000",
     {kNotMultiple}},
    {"CrystalAbove40TakesThePfd", "869.5", "19.68", "45", 0, 1, 44, 5961, false,
     "869.500093 MHz", "869.500093 MHz", "Fstep = 600.59 Hz", "19.68000", "19.68000",
     {kInvalidCrystal}},
    // The remainder rounds up to a whole PFD cycle: one more N and no fraction.
    {"FractionRoundingToTheModulusCarries", "885.5999", "19.68", "19.68", 0, 1, 45, 0, false,
     "885.600000 MHz", "885.600000 MHz", "Fstep = 600.59 Hz", "19.68000", "19.68000", {}},
    {"WholeMultipleOfThePfd", "885.6", "19.68", "19.68", 0, 1, 45, 0, false,
     "885.600000 MHz", "885.600000 MHz", "Fstep = 600.59 Hz", "19.68000", "19.68000", {}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Synthesizer, WorkedExample, testing::ValuesIn(kWorkedCases),
                         [](const testing::TestParamInfo<WorkedCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(Synthesizer, DefaultsUpdateTheSharedValuesAndMainReadouts) {
    const SynthResult r = CmdCalculate(defaults());
    EXPECT_EQ(r.rfText, QString("869.500000"));
    EXPECT_EQ(r.vcoFrequencyText, QString("869.500000MHz"));
    EXPECT_EQ(r.RfFrequencyMHz, 869.5);
    EXPECT_EQ(r.PfdFrequencyMHz, 19.68);
    EXPECT_EQ(r.CrystalFrequencyMHz, 19.68f);
    EXPECT_EQ(r.focus, FocusBox::None);
}

TEST(Synthesizer, MessagesUseTheProgramsBoxStyles) {
    SynthInputs in = defaults();
    in.pfdText = "10";
    in.crystalText = "45"; // the crystal becomes the PFD: R 1, no multiple message
    const SynthResult r = CmdCalculate(in);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(r.messages[0].title, QString("Warning"));

    in = defaults();
    in.pfdText = "10";
    const SynthResult multiple = CmdCalculate(in);
    ASSERT_EQ(multiple.messages.size(), 1u);
    EXPECT_EQ(multiple.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(multiple.messages[0].title, std::nullopt);
    EXPECT_FALSE(multiple.messages[0].beep);
    EXPECT_EQ(multiple.PfdFrequencyMHz, 9.84);
}

// ---- band choice ------------------------------------------------------------------------------

class InternalBandEdge : public testing::TestWithParam<const char*> {};

// A refused RF ends the calculation: nothing of it is kept, neither R nor the crystal's
// fields, and nothing needs refreshing.
TEST_P(InternalBandEdge, IsRejectedAndChangesNothing) {
    SynthInputs in = defaults();
    in.rfText = GetParam();
    in.pfdText = "9.84"; // R 2, had the plan gone through
    const SynthResult r = CmdCalculate(in);
    ASSERT_EQ(texts(r), std::vector<QString>{kInternalBand});
    EXPECT_EQ(r.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(r.messages[0].title, QString("Warning"));
    expectDividersUntouched(r);
    EXPECT_FALSE(r.RDivider);
    EXPECT_FALSE(r.IFCalUpperToneField);
    EXPECT_FALSE(r.IFCalLowerToneField);
    EXPECT_FALSE(r.AfcScalingField);
    EXPECT_FALSE(r.refreshReadouts);
}

INSTANTIATE_TEST_SUITE_P(Synthesizer, InternalBandEdge,
                         testing::Values("840", "960", "420", "480", "1000"));

struct ExternalCase {
    const char* name;
    const char* rf;
    bool toggle;
    std::vector<QString> messages;
    std::optional<int16_t> n;
    std::optional<QString> synthesizer; // synthesizerFrequency
};

class ExternalInductor : public testing::TestWithParam<ExternalCase> {};

TEST_P(ExternalInductor, GateAndUserToggle) {
    const ExternalCase& c = GetParam();
    SynthInputs in = defaults();
    in.ExtInductorField = kExternal;
    in.rfText = c.rf;
    in.divideBy2On = c.toggle;
    in.VcoDiv2Field = c.toggle ? kDiv2On : 0;
    const SynthResult r = CmdCalculate(in);
    EXPECT_EQ(texts(r), c.messages);
    EXPECT_EQ(r.IntegerN, c.n);
    EXPECT_EQ(r.synthesizerFrequency, c.synthesizer);
    EXPECT_FALSE(r.divideBy2On); // the user's toggle is never switched by code here
    if (c.n) {
        EXPECT_EQ(r.VcoDiv2Field, c.toggle ? kDiv2On : 0);
        EXPECT_EQ(r.NoteVisible, c.toggle);
        EXPECT_EQ(r.IFCalUpperToneField, 75 << 13);
        EXPECT_EQ(r.AfcScalingField, 426.0 * 32);
        EXPECT_TRUE(r.refreshReadouts);
    } else {
        // A refused RF keeps everything as it was, R and the crystal's fields included.
        EXPECT_EQ(r.messages[0].icon, MsgIcon::None);
        EXPECT_EQ(r.messages[0].title, std::nullopt);
        expectDividersUntouched(r);
        EXPECT_FALSE(r.RDivider);
        EXPECT_FALSE(r.IFCalUpperToneField);
        EXPECT_FALSE(r.AfcScalingField);
        EXPECT_FALSE(r.refreshReadouts);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Synthesizer, ExternalInductor,
    testing::Values(
        // The gate is narrower than the core's own 70-660 MHz range.
        ExternalCase{
            "DivideBy2Above330", "331", true, {kCannotAchieve}, std::nullopt, std::nullopt},
        ExternalCase{"DivideBy2At70", "70", true, {kCannotAchieve}, std::nullopt, std::nullopt},
        ExternalCase{"DirectAt150", "150", false, {kCannotAchieve}, std::nullopt, std::nullopt},
        ExternalCase{"DivideBy2Accepted", "300", true, {}, 30, QString("599.999766 MHz")},
        ExternalCase{
            "DirectBelowMinimumN", "433.92", false, {kMinimumN}, 22, QString("433.919736 MHz")}),
    [](const testing::TestParamInfo<ExternalCase>& info) { return std::string(info.param.name); });

// ---- PFD warning -------------------------------------------------------------------------------

struct PfdWarningCase {
    const char* name;
    const char* rf;
    const char* pfd;
    int32_t vcoDiv2Field;
    bool warned;
};

class PfdWarning : public testing::TestWithParam<PfdWarningCase> {};

TEST_P(PfdWarning, DependsOnTheDivideBy2Field) {
    const PfdWarningCase& c = GetParam();
    SynthInputs in = defaults();
    in.rfText = c.rf;
    in.pfdText = c.pfd;
    in.crystalText = c.pfd; // R 1
    in.VcoDiv2Field = c.vcoDiv2Field;
    const SynthResult r = CmdCalculate(in);
    ASSERT_FALSE(r.messages.empty());
    EXPECT_EQ(r.messages[0].text == kPfdTooLow, c.warned);
    if (c.warned) {
        EXPECT_EQ(r.messages[0].icon, MsgIcon::Critical);
        EXPECT_EQ(r.messages[0].title, QString("Warning"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Synthesizer, PfdWarning,
    testing::Values(PfdWarningCase{"OffBelow2_35", "869.5", "1.5", 0, true},
                    PfdWarningCase{"OnAt1_5", "433.92", "1.5", kDiv2On, false},
                    PfdWarningCase{"OnBelow1_2", "433.92", "1.1", kDiv2On, true},
                    PfdWarningCase{"OtherFieldValue", "869.5", "1.5", 1, false}),
    [](const testing::TestParamInfo<PfdWarningCase>& info) {
        return std::string(info.param.name);
    });

} // namespace
