#include "synthesizercases.h"

namespace {

using namespace synthtest;

// ---- entry validation -----------------------------------------------------------------------

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
    in.nCaption = "44";
    in.fCaption = "5962";
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

// ---- crystal-derived fields -----------------------------------------------------------------

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

// ---- refused dividers -----------------------------------------------------------------------

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

} // namespace
