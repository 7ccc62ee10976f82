#include "corvane/calc/synthesizer.h"

#include "../../qtprinters.h"
#include "../../support/messagetexts.h"
#include "../../support/namedcases.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using corvane::calc::CmdCalculate;
using corvane::calc::FocusBox;
using corvane::calc::FractionStepInputs;
using corvane::calc::stepFraction;
using corvane::calc::SynthInputs;
using corvane::calc::SynthResult;
using corvane::calc::UpdatesynthF;
using corvane::calc::VcoUpperLimits;
using evaltest::PrintTo;
using platform::Message;
using platform::MsgIcon;

constexpr int32_t kDiv2On = 1 << 18;
constexpr int32_t kExternal = 1 << 25;
constexpr int32_t kReceive = 1 << 27;

const QString kInternalBand =
    "Frequency outside of VCO Range for Internal VCO inductor! Please consult the Corvane "
    "datasheet for achievable frequency ranges";
const QString kExternalBand = "Frequency outside of VCO Range for External VCO Inductor!";
const QString kCannotAchieve = "Cannot acheive specified RF Channel Frequency. Refer to Corvane "
                               "datasheet for RF Frequency limits";
const QString kPfdTooLow = "PFD frequency too low to acheive lock (Nmax = 256) !";
const QString kInvalidCrystal = "Invalid Crystal Frequency";
const QString kNotMultiple = "Crystal frequency should be an integer multiple of PFD ";
const QString kMinimumN = "Minimum N divide is 23. Please lower the PFD frequency by increasing "
                          "the R-divide or changing the XTAL frequency ";
const QString kInvalidRf = "Invalid entry in RF Frequency.";
const QString kInvalidPfd = "Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)";
const QString kInvalidCrystalEntry = "Invalid entry in Crystal Frequency.";

// The window's state after start-up: boxes as its load handler fills them, power-on fields.
SynthInputs defaults() {
    SynthInputs in;
    in.rfText = "869.500000";
    in.pfdText = "19.680000";
    in.crystalText = "19.680000";
    in.divideBy2On = false;
    in.VcoDiv2Field = 0;
    in.ExtInductorField = 0;
    in.TxRxField = 0;
    in.CrystalFrequencyMHz = 19.68f;
    in.IntegerN = 78;
    in.FracN = 16836;
    return in;
}

using evaltest::texts;

// Nothing of the divider plan was applied.
void expectDividersUntouched(const SynthResult& r) {
    EXPECT_FALSE(r.IntegerN);
    EXPECT_FALSE(r.FracN);
    EXPECT_FALSE(r.IntegerNField);
    EXPECT_FALSE(r.FracNField);
    EXPECT_FALSE(r.RDividerField);
    EXPECT_FALSE(r.VcoDiv2Field);
    EXPECT_FALSE(r.divideBy2On);
    EXPECT_FALSE(r.rfText);
    EXPECT_FALSE(r.pfdText);
    EXPECT_FALSE(r.crystalText);
    EXPECT_FALSE(r.LblActualChnFreq);
    EXPECT_FALSE(r.lblRxLO);
    EXPECT_FALSE(r.nText);
    EXPECT_FALSE(r.fText);
    EXPECT_FALSE(r.RfFrequencyMHz);
    EXPECT_FALSE(r.vcoFrequencyText);
}

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
    EXPECT_EQ(r.LblActualChnFreq, QString(c.channel));
    EXPECT_EQ(r.lblRxLO, QString(c.lo));
    EXPECT_FALSE(r.Label3); // internal inductor
    EXPECT_EQ(r.Label9, QString(c.fstep));
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
    std::optional<QString> synthesizer; // Label3
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
    EXPECT_EQ(r.Label3, c.synthesizer);
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

// ---- entry validation
// ----------------------------------------------------------------------------

struct EntryCase {
    const char* name;
    const char* rf;
    const char* pfd;
    const char* crystal;
    QString message;
    FocusBox focus;
};

const EntryCase kEntryCases[] = {
    {"RfNotANumber", "abc", "19.68", "19.68", kInvalidRf, FocusBox::None},
    {"RfEmpty", "", "19.68", "19.68", kInvalidRf, FocusBox::None},
    {"RfTooLargeForSingle", "1E35", "19.68", "19.68", kInvalidRf, FocusBox::None},
    {"RfFirstOfSeveral", "x", "", "", kInvalidRf, FocusBox::None},
    {"PfdEmpty", "869.5", "", "19.68", kInvalidPfd, FocusBox::Pfd},
    {"PfdZero", "869.5", "0", "19.68", kInvalidPfd, FocusBox::Pfd},
    {"PfdNegative", "869.5", "-19.68", "19.68", kInvalidPfd, FocusBox::Pfd},
    {"PfdTooLargeForSingle", "869.5", "1E36", "19.68", kInvalidPfd, FocusBox::Pfd},
    // The message names the highest PFD: one beyond it is no plan to carry out.
    {"PfdAboveFortyMHz", "869.5", "40.0001", "19.68", kInvalidPfd, FocusBox::Pfd},
    {"PfdAbsurd", "869.5", "99999999999999999999", "19.68", kInvalidPfd, FocusBox::Pfd},
    {"CrystalLetters", "869.5", "19.68", "19.68MHz", kInvalidCrystalEntry, FocusBox::Crystal},
    {"CrystalEmpty", "869.5", "19.68", " ", kInvalidCrystalEntry, FocusBox::Crystal},
};

class InvalidEntry : public testing::TestWithParam<EntryCase> {};

void expectOnlyEntryError(const SynthResult& r, const EntryCase& c) {
    ASSERT_EQ(texts(r), std::vector<QString>{c.message});
    EXPECT_TRUE(r.validationFailed);
    EXPECT_EQ(r.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(r.messages[0].title, std::nullopt);
    EXPECT_TRUE(r.messages[0].beep);
    EXPECT_EQ(r.focus, c.focus);
    // The failing box is emptied unless it is the RF box, which keeps its text.
    EXPECT_EQ(r.pfdText,
              c.focus == FocusBox::Pfd ? std::optional<QString>(QString()) : std::nullopt);
    EXPECT_EQ(r.crystalText,
              c.focus == FocusBox::Crystal ? std::optional<QString>(QString()) : std::nullopt);
    EXPECT_FALSE(r.rfText);
    EXPECT_FALSE(r.RDivider);
    EXPECT_FALSE(r.IntegerN);
    EXPECT_FALSE(r.IntegerNField);
    EXPECT_FALSE(r.IFCalUpperToneField);
    EXPECT_FALSE(r.AfcScalingField);
    EXPECT_FALSE(r.refreshReadouts);
}

TEST_P(InvalidEntry, StopsTheCalculate) {
    const EntryCase& c = GetParam();
    SynthInputs in = defaults();
    in.rfText = c.rf;
    in.pfdText = c.pfd;
    in.crystalText = c.crystal;
    expectOnlyEntryError(CmdCalculate(in), c);
}

TEST_P(InvalidEntry, StopsAFractionStep) {
    const EntryCase& c = GetParam();
    FractionStepInputs in;
    in.rfText = c.rf;
    in.pfdText = c.pfd;
    in.crystalText = c.crystal;
    in.lblN = "44";
    in.lblF = "5962";
    in.RDivider = 1;
    const SynthResult r = UpdatesynthF(in);
    expectOnlyEntryError(r, c);
    EXPECT_FALSE(r.nText);
    EXPECT_FALSE(r.fText);
}

INSTANTIATE_TEST_SUITE_P(Synthesizer, InvalidEntry, testing::ValuesIn(kEntryCases),
                         [](const testing::TestParamInfo<EntryCase>& info) {
                             return std::string(info.param.name);
                         });

// ---- crystal-derived fields
// ------------------------------------------------------------------------

struct CrystalFieldCase {
    const char* name;
    const char* rf;
    const char* crystal; // also the PFD
    bool external;       // the external inductor, divide-by-2 off
    std::optional<int32_t> upper, lower;
    std::optional<double> afc;
};

class CrystalFields : public testing::TestWithParam<CrystalFieldCase> {};

TEST_P(CrystalFields, FitTheirFieldsOrAreNotStored) {
    const CrystalFieldCase& c = GetParam();
    SynthInputs in = defaults();
    in.rfText = c.rf;
    in.pfdText = c.crystal;
    in.crystalText = c.crystal;
    in.ExtInductorField = c.external ? kExternal : 0;
    const SynthResult r = CmdCalculate(in);
    ASSERT_TRUE(r.IntegerN);
    EXPECT_EQ(r.IFCalUpperToneField, c.upper);
    EXPECT_EQ(r.IFCalLowerToneField, c.lower);
    EXPECT_EQ(r.AfcScalingField, c.afc);
    EXPECT_TRUE(r.refreshReadouts);
}

INSTANTIATE_TEST_SUITE_P(Synthesizer, CrystalFields,
                         testing::Values(CrystalFieldCase{"Default", "869.5", "19.68", false,
                                                          75 << 13, 150 << 5, 426.0 * 32},
                                         // 35000 / 131.6 = 266 does not fit 8 bits
                                         CrystalFieldCase{"LowerToneTooLarge", "869.5", "35", false,
                                                          133 << 13, std::nullopt, 240.0 * 32},
                                         // 8388.608 / 1.5 = 5592 does not fit 12 bits
                                         CrystalFieldCase{"AfcScalingTooLarge", "300", "1.5", true,
                                                          6 << 13, 11 << 5, std::nullopt}),
                         [](const testing::TestParamInfo<CrystalFieldCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(Synthesizer, CrystalFieldsUseTheCrystalJustCalculated) {
    SynthInputs in = defaults();
    in.rfText = "869.5";
    in.pfdText = "35";
    in.crystalText = "35";
    in.CrystalFrequencyMHz = 19.68f; // replaced by the calculation before the tones
    const SynthResult r = CmdCalculate(in);
    EXPECT_EQ(r.CrystalFrequencyMHz, 35.0f);
    EXPECT_EQ(r.IFCalUpperToneField, 133 << 13);
    EXPECT_FALSE(r.IFCalLowerToneField);
    EXPECT_EQ(r.AfcScalingField, 240.0 * 32);
}

// ---- refused dividers
// -------------------------------------------------------------------------------

struct RefusalCase {
    const char* name;
    const char* rf;
    const char* pfd;
    const char* crystal;
    std::vector<QString> messages;
};

class RefusedDivider : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedDivider, ChangesNothing) {
    const RefusalCase& c = GetParam();
    SynthInputs in = defaults();
    in.rfText = c.rf;
    in.pfdText = c.pfd;
    in.crystalText = c.crystal;
    const SynthResult r = CmdCalculate(in);
    EXPECT_EQ(texts(r), c.messages);
    EXPECT_EQ(r.messages.back().icon, MsgIcon::Critical);
    EXPECT_EQ(r.messages.back().title, QString("Warning"));
    expectDividersUntouched(r);
    EXPECT_FALSE(r.RDivider);
    EXPECT_FALSE(r.IFCalUpperToneField);
    EXPECT_FALSE(r.IFCalLowerToneField);
    EXPECT_FALSE(r.AfcScalingField);
    EXPECT_FALSE(r.refreshReadouts);
}

INSTANTIATE_TEST_SUITE_P(
    Synthesizer, RefusedDivider,
    testing::Values(
        RefusalCase{"NAbove255",
                    "869.5",
                    "3.3",
                    "3.3",
                    {"Integer N divide of 263 is above the maximum of 255. Please raise the PFD "
                     "frequency"}},
        RefusalCase{"NAbove255AfterPfdWarning",
                    "869.5",
                    "1.5",
                    "1.5",
                    {kPfdTooLow, "Integer N divide of 579 is above the maximum of 255. Please "
                                 "raise the PFD frequency"}},
        RefusalCase{"RAbove7",
                    "869.5",
                    "2.4",
                    "19.68",
                    {"R divide of 8 is outside the range of 1 to 7. Please raise the PFD "
                     "frequency or lower the XTAL frequency"}},
        RefusalCase{"RTooLargeForAnyInteger",
                    "869.5",
                    "1E-30",
                    "19.68",
                    {kPfdTooLow,
                     "R divide is far above the maximum of 7. Please raise the PFD frequency or "
                     "lower the XTAL frequency"}}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// ---- fraction buttons
// ------------------------------------------------------------------------------

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
        EXPECT_EQ(step->LblN, QString::number(*c.newN));
        EXPECT_EQ(step->LblF, QString::number(c.newF));
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
    in.lblN = "44";
    in.lblF = "5962";
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
    EXPECT_EQ(r.LblActualChnFreq, QString("869.500693 MHz"));
    EXPECT_EQ(r.rfText, QString("869.500693"));
    EXPECT_EQ(r.vcoFrequencyText, QString("869.500693MHz"));
    EXPECT_EQ(r.RfFrequencyMHz, 869.500693);
    EXPECT_EQ(r.divideBy2On, false);
    EXPECT_FALSE(r.Label9);          // the step text is the Calculate path's
    EXPECT_FALSE(r.refreshReadouts); // the return button refreshes
    EXPECT_FALSE(r.IFCalUpperToneField);
    EXPECT_FALSE(r.AfcScalingField);
}

TEST(Synthesizer, FractionStepInReceiveWithDivideBy2) {
    FractionStepInputs in = afterDefaultCalculate();
    in.rfText = "433.920000";
    in.lblF = "3198";
    in.TxRxField = kReceive;
    const SynthResult r = UpdatesynthF(in);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.divideBy2On, true);
    EXPECT_EQ(r.VcoDiv2Field, kDiv2On);
    // VCO 867.840674: channel (VCO + 0.2) / 2, LO VCO / 2.
    EXPECT_EQ(r.LblActualChnFreq, QString("434.020337 MHz"));
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
    in.lblN = c.lblN;
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
    in.lblN = "46";
    const SynthResult r = UpdatesynthF(in, {920, 460});
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.IntegerN, 46);
}

TEST(Synthesizer, FractionStepBelowMinimumNStillApplies) {
    FractionStepInputs in = afterDefaultCalculate();
    in.ExtInductorField = kExternal;
    in.rfText = "433.919736";
    in.lblN = "22";
    in.lblF = "1599";
    const SynthResult r = UpdatesynthF(in);
    ASSERT_EQ(texts(r), std::vector<QString>{kMinimumN});
    EXPECT_EQ(r.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(r.IntegerN, 22);
    EXPECT_EQ(r.FracN, 1599);
    EXPECT_TRUE(r.Label3);
}

} // namespace
