#include "pellion/calc/synthesizer.h"

#include "../../qtprinters.h"
#include "../../support/messagetexts.h"
#include "../../support/namedcases.h"
#include "../../support/synthresults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using evaltest::PrintTo;
using pellion::calc::CmdCalculate;
using pellion::calc::cmdfdown;
using pellion::calc::FractionStepResult;
using pellion::calc::StepFracUp;
using pellion::calc::SynthBox;
using pellion::calc::SynthInputs;
using pellion::calc::SynthResult;
using pellion::calc::SynthValues;
using pellion::calc::UpdateSynthValues;
using platform::MsgIcon;

constexpr int32_t kDiv2On = 1 << 13;
constexpr int32_t kReceive = 1 << 27;

const QString kInternalRange = "Frequency outside of VCO Range for Internal VCO inductor! If you "
                               "are using the Pellion-1 make sure this is checked on the front "
                               "panel";
const QString kExternalRange =
    "Frequency outside of VCO Range for Pellion-1 External VCO Inductor!";
const QString kMinimumN = "Minimum N divide is 31. Please lower the PFD frequency by increasing "
                          "the R-divide or changing the XTAL frequency ";
const QString kPfdTooLow = "PFD frequency too low to acheive lock (Nmax = 256) !";
const QString kInvalidPfd = "Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)";

// The window as start-up leaves it: boxes filled by its load handler from the front panel's
// defaults, the internal inductor, transmit, the crystal already known.
SynthInputs startUp() {
    SynthInputs in;
    in.rfText = "868.299988";
    in.pfdText = "11.059200";
    in.crystalText = "11.059200";
    in.chkInductor = false;
    in.divideBy2On = false;
    in.TxRxField = 0;
    in.CrystalFrequencyMHz = 11.0592f;
    return in;
}

SynthInputs with(const char* rf, bool external = false, bool toggle = false, int32_t txRx = 0) {
    SynthInputs in = startUp();
    in.rfText = rf;
    in.chkInductor = external;
    in.divideBy2On = toggle;
    in.TxRxField = txRx;
    return in;
}

using evaltest::texts;

// Nothing but messages: the window changes no field, value, box or label.
void expectNothingApplied(const SynthResult& r) {
    EXPECT_FALSE(r.planned);
    EXPECT_FALSE(r.refreshReadouts);
    EXPECT_FALSE(r.runDataRateHandler);
    evaltest::expectNoDividersStored(r);
    EXPECT_FALSE(r.VcoDiv2Field);
    EXPECT_FALSE(r.AfcScalingField);
    EXPECT_FALSE(r.divideBy2On);
    EXPECT_FALSE(r.rfText);
    EXPECT_FALSE(r.pfdText);
    EXPECT_FALSE(r.crystalText);
    EXPECT_FALSE(r.lblRxLO);
    EXPECT_FALSE(r.synthesizerMHz);
    EXPECT_FALSE(r.NoteVisible);
    EXPECT_FALSE(r.nText);
    EXPECT_FALSE(r.vcoFrequencyText);
}

// ---- the start-up plan ------------------------------------------------------------------------

TEST(PellionSynthesizer, StartUpPlanGivesR1N78F16837) {
    const SynthResult r = CmdCalculate(startUp());
    EXPECT_TRUE(texts(r).empty());
    EXPECT_TRUE(r.planned);
    EXPECT_EQ(r.RDivider, 1);
    EXPECT_EQ(r.IntegerN, 78);
    EXPECT_EQ(r.FracN, 16837);
    EXPECT_EQ(r.IntegerNField, 78 << 19);
    EXPECT_EQ(r.FracNField, 16837 << 4);
    EXPECT_EQ(r.RDividerField, 1 << 4);
    EXPECT_EQ(r.VcoDiv2Field, 0);
    EXPECT_EQ(r.divideBy2On, false);
    EXPECT_EQ(r.NoteVisible, false);
    EXPECT_EQ(r.rText, QString("1"));
    EXPECT_EQ(r.nText, QString("78"));
    EXPECT_EQ(r.fText, QString("16837"));
    EXPECT_EQ(r.lblRxLO, QString("868.300 MHz"));
    EXPECT_EQ(r.synthesizerMHz, QString("868.300 MHz"));
    // (16837 / 2^15 + 78) x 11.0592 is 868.30011, not the 868.3 typed.
    EXPECT_EQ(r.rfText, QString("868.30011"));
    EXPECT_EQ(r.vcoFrequencyText, QString("868.30011MHz"));
    EXPECT_EQ(r.pfdText, QString("11.05920"));
    EXPECT_EQ(r.pfdFrequencyText, QString("11.05920MHz"));
    EXPECT_EQ(r.crystalText, QString("11.05920"));
    EXPECT_EQ(r.crystalFrequencyText, QString("11.05920MHz"));
    EXPECT_FLOAT_EQ(*r.RfFrequencyMHz, 868.30011f);
    EXPECT_EQ(r.PfdFrequencyMHz, 11.0592f);
    EXPECT_EQ(r.CrystalFrequencyMHz, 11.0592f);
    EXPECT_TRUE(r.refreshReadouts);
    // The crystal is the one already planned with.
    EXPECT_FALSE(r.runDataRateHandler);
    EXPECT_FALSE(r.AfcScalingField);

    // Planning again from the boxes as the plan left them keeps the dividers.
    SynthInputs again = startUp();
    again.rfText = *r.rfText;
    const SynthResult second = CmdCalculate(again);
    EXPECT_EQ(second.IntegerNField, r.IntegerNField);
    EXPECT_EQ(second.FracNField, r.FracNField);
}

TEST(PellionSynthesizer, LowBandSwitchesDivideBy2OnAndDoublesTheFields) {
    const SynthResult r = CmdCalculate(with("433.92"));
    EXPECT_TRUE(texts(r).empty());
    EXPECT_EQ(r.divideBy2On, true);
    EXPECT_EQ(r.VcoDiv2Field, kDiv2On);
    EXPECT_EQ(r.NoteVisible, true);
    // Planned at the output, carried into R0 at the synthesizer's twice the output.
    EXPECT_EQ(r.IntegerN, 39);
    EXPECT_EQ(r.FracN, 7737);
    EXPECT_EQ(r.IntegerNField, 78 << 19);
    EXPECT_EQ(r.FracNField, 15474 << 4);
    EXPECT_EQ(r.nText, QString("78"));
    EXPECT_EQ(r.fText, QString("15474"));
    EXPECT_EQ(r.lblRxLO, QString("433.920 MHz"));
    EXPECT_EQ(r.synthesizerMHz, QString("867.840 MHz"));
    EXPECT_EQ(r.rfText, QString("433.92004"));
}

// ---- VCO ranges -------------------------------------------------------------------------------

struct RangeCase {
    const char* rf;
    bool external;
    bool inRange;
};

// "External 650.1": the inductor and the RF entry.
void PrintTo(const RangeCase& c, std::ostream* os) {
    *os << (c.external ? "External " : "Internal ") << c.rf;
}

class VcoRange : public testing::TestWithParam<RangeCase> {};

TEST_P(VcoRange, BoundsAreExclusiveAndComparedInSinglePrecision) {
    const RangeCase& c = GetParam();
    const SynthResult r = CmdCalculate(with(c.rf, c.external));
    if (c.inRange) {
        EXPECT_TRUE(r.planned);
        for (const QString& t : texts(r)) {
            EXPECT_NE(t, c.external ? kExternalRange : kInternalRange);
        }
        return;
    }
    ASSERT_EQ(texts(r), std::vector<QString>{c.external ? kExternalRange : kInternalRange});
    EXPECT_EQ(r.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(r.messages[0].title, QString("Warning"));
    expectNothingApplied(r);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(PellionSynthesizer, VcoRange, testing::Values(
    RangeCase{"840", false, false}, RangeCase{"840.1", false, true},
    RangeCase{"959.9", false, true}, RangeCase{"960", false, false},
    RangeCase{"420", false, false}, RangeCase{"420.1", false, true},
    RangeCase{"479.9", false, true}, RangeCase{"480", false, false},
    RangeCase{"600", false, false},
    // 650.1 and 134.9 typed in the box are their own single-precision bounds.
    RangeCase{"134.9", true, false}, RangeCase{"135", true, true},
    RangeCase{"650", true, true}, RangeCase{"650.1", true, false},
    RangeCase{"868.3", true, false}),
    [](const testing::TestParamInfo<RangeCase>& info) {
        return (info.param.external ? "External" : "Internal") +
               QString(info.param.rf).replace('.', 'p').toStdString();
    });
// clang-format on

TEST(PellionSynthesizer, ExternalInductorKeepsTheUsersDivideBy2) {
    const SynthResult on = CmdCalculate(with("300", true, true));
    EXPECT_EQ(on.VcoDiv2Field, kDiv2On);
    EXPECT_FALSE(on.divideBy2On) << "the toggle is the user's";
    EXPECT_EQ(on.NoteVisible, true);
    // Not doubled: the divide-by-2 is after the synthesizer's output here.
    EXPECT_EQ(on.IntegerNField, *on.IntegerN << 19);
    EXPECT_EQ(on.FracNField, *on.FracN << 4);
    EXPECT_EQ(on.lblRxLO, QString("150.000 MHz"));
    EXPECT_EQ(on.synthesizerMHz, QString("300.000 MHz"));

    const SynthResult off = CmdCalculate(with("300", true, false));
    EXPECT_EQ(off.VcoDiv2Field, 0);
    EXPECT_FALSE(off.divideBy2On);
    EXPECT_EQ(off.NoteVisible, false);
    // N 27 is below the chip's minimum: said, and the plan goes on.
    EXPECT_EQ(texts(off), std::vector<QString>{kMinimumN});
    EXPECT_EQ(off.messages[0].icon, MsgIcon::None);
    EXPECT_TRUE(off.planned);
}

// ---- receive LO offset ------------------------------------------------------------------------

struct OffsetCase {
    const char* name;
    const char* rf;
    bool external;
    bool toggle;
    int32_t txRx;
    double offsetMHz;
    const char* lo;
    const char* synthesizer;
};

class ReceiveOffset : public testing::TestWithParam<OffsetCase> {};

TEST_P(ReceiveOffset, PlansBelowTheChannelAndShowsTheChannelAgain) {
    const OffsetCase& c = GetParam();
    const SynthResult r = CmdCalculate(with(c.rf, c.external, c.toggle, c.txRx));
    ASSERT_TRUE(r.planned);
    const double pfd = 11.0592f;
    const double planned = (*r.IntegerN + *r.FracN / 32768.0) * pfd;
    const double rf = QString(c.rf).toDouble();
    EXPECT_NEAR(planned, rf - c.offsetMHz, pfd / 32768);
    EXPECT_NEAR(*r.RfFrequencyMHz, rf, pfd / 32768);
    EXPECT_EQ(r.lblRxLO, QString(c.lo));
    EXPECT_EQ(r.synthesizerMHz, QString(c.synthesizer));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(PellionSynthesizer, ReceiveOffset, testing::Values(
    OffsetCase{"Transmit", "868.3", false, false, 0, 0, "868.300 MHz", "868.300 MHz"},
    OffsetCase{"Internal", "868.3", false, false, kReceive, 0.2, "868.100 MHz", "868.100 MHz"},
    OffsetCase{"InternalDivideBy2", "433.92", false, false, kReceive, 0.2,
               "433.720 MHz", "867.440 MHz"},
    OffsetCase{"ExternalOff", "300", true, false, kReceive, 0.2, "299.800 MHz", "299.800 MHz"},
    OffsetCase{"ExternalDivideBy2", "300", true, true, kReceive, 0.4,
               "149.800 MHz", "299.600 MHz"}),
    [](const testing::TestParamInfo<OffsetCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(PellionSynthesizer, ReceiveAtTheDefaultsPlansThePowerOnFraction) {
    const SynthResult r = CmdCalculate(with("868.3", false, false, kReceive));
    EXPECT_EQ(r.IntegerN, 78);
    EXPECT_EQ(r.FracN, 16244);
}

// ---- the crystal and the PFD -------------------------------------------------------------------

TEST(PellionSynthesizer, CrystalChangeAsksForTheDataRateAndAfcScalingOnce) {
    SynthInputs in = startUp();
    in.CrystalFrequencyMHz = 19.68f; // planned before with another crystal
    const SynthResult r = CmdCalculate(in);
    EXPECT_TRUE(r.runDataRateHandler);
    EXPECT_EQ(r.AfcScalingField, 759.0 * 16);
    EXPECT_EQ(r.CrystalFrequencyMHz, 11.0592f);

    // The fraction step plans afresh and applies again: the handler still runs once.
    const FractionStepResult step = cmdfdown(in);
    EXPECT_TRUE(step.calculation.runDataRateHandler);
    ASSERT_TRUE(step.step);
    EXPECT_FALSE(step.step->runDataRateHandler);
    EXPECT_FALSE(step.step->AfcScalingField);
}

TEST(PellionSynthesizer, PfdChangeAloneLeavesTheDataRateAlone) {
    SynthInputs in = startUp();
    in.pfdText = "5.5296";
    const SynthResult r = CmdCalculate(in);
    EXPECT_TRUE(texts(r).empty());
    EXPECT_EQ(r.RDivider, 2);
    EXPECT_EQ(r.PfdFrequencyMHz, 5.5296f);
    EXPECT_FALSE(r.runDataRateHandler);
    EXPECT_FALSE(r.AfcScalingField);
}

TEST(PellionSynthesizer, CrystalAndPfdCorrectionsShowInTheBoxes) {
    SynthInputs in = startUp();
    in.pfdText = "5";
    const SynthResult multiple = CmdCalculate(in);
    EXPECT_EQ(texts(multiple),
              std::vector<QString>{"Crystal frequency should be an integer multiple of PFD "});
    EXPECT_EQ(multiple.RDivider, 2);
    EXPECT_EQ(multiple.pfdText, QString("5.52960"));

    in = startUp();
    in.crystalText = "45";
    const SynthResult crystal = CmdCalculate(in);
    EXPECT_EQ(texts(crystal), std::vector<QString>{"Invalid Crystal Frequency"});
    EXPECT_EQ(crystal.crystalText, QString("11.05920"));
    EXPECT_EQ(crystal.RDivider, 1);
}

TEST(PellionSynthesizer, LowPfdWarnsByTheDivideBy2AndPlans) {
    struct Case {
        bool toggle;
        const char* pfd;
        bool warns;
    };
    const Case cases[] = {{false, "2.2", true}, {true, "1.5", false}, {true, "1.1", true}};
    for (const Case& c : cases) {
        SynthInputs in = with("135", true, c.toggle);
        in.pfdText = c.pfd;
        in.crystalText = c.pfd;
        const SynthResult r = CmdCalculate(in);
        EXPECT_TRUE(r.planned) << c.pfd;
        EXPECT_EQ(!texts(r).empty() && texts(r).front() == kPfdTooLow, c.warns) << c.pfd;
    }
}

// ---- entries and refusals ---------------------------------------------------------------------

TEST(PellionSynthesizer, InvalidEntryEmptiesAndFocusesItsBox) {
    struct Case {
        const char* rf;
        const char* pfd;
        const char* crystal;
        SynthBox box;
    };
    const Case cases[] = {
        {"abc", "11.0592", "11.0592", SynthBox::Rf}, {"868.3", "0", "11.0592", SynthBox::Pfd},
        {"868.3", "-1", "11.0592", SynthBox::Pfd},   {"868.3", "41", "11.0592", SynthBox::Pfd},
        {"868.3", "11.0592", "", SynthBox::Crystal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rf << " " << c.pfd << " " << c.crystal);
        SynthInputs in = startUp();
        in.rfText = c.rf;
        in.pfdText = c.pfd;
        in.crystalText = c.crystal;
        const SynthResult r = CmdCalculate(in);
        EXPECT_TRUE(r.validationFailed);
        EXPECT_EQ(r.focus, c.box);
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_TRUE(r.messages[0].beep);
        EXPECT_EQ(r.rfText, c.box == SynthBox::Rf ? std::optional<QString>("") : std::nullopt);
        EXPECT_EQ(r.pfdText, c.box == SynthBox::Pfd ? std::optional<QString>("") : std::nullopt);
        EXPECT_EQ(r.crystalText,
                  c.box == SynthBox::Crystal ? std::optional<QString>("") : std::nullopt);
        EXPECT_FALSE(r.planned);
        EXPECT_FALSE(r.IntegerNField);
        EXPECT_FALSE(r.refreshReadouts);
    }
    EXPECT_EQ(CmdCalculate(with("868.3")).focus, SynthBox::None);
    SynthInputs pfd = startUp();
    pfd.pfdText = "0";
    EXPECT_EQ(pellion::calc::ValidateSynthInputs(pfd).messages[0].text, kInvalidPfd);
    EXPECT_FALSE(pellion::calc::ValidateSynthInputs(startUp()).validationFailed);
}

TEST(PellionSynthesizer, DividersBeyondTheirFieldsRefuseThePlan) {
    struct Case {
        const char* rf;
        const char* pfd;
        const char* crystal;
        std::vector<QString> messages;
    };
    const Case cases[] = {
        // R 8 would run into R1 bit 7.
        {"868.3",
         "5",
         "40",
         {"R divide of 8 is outside the range of 1 to 7. Please raise the PFD frequency or "
          "lower the XTAL frequency"}},
        {"868.3",
         "2.5",
         "2.5",
         {"Integer N divide of 347 is above the maximum of 255. Please raise the PFD "
          "frequency"}},
        // 188 fits, but the synthesizer runs at twice the output: 376 does not.
        {"470",
         "2.5",
         "2.5",
         {"Integer N divide of 376 is above the maximum of 255. Please raise the PFD "
          "frequency"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rf);
        SynthInputs in = startUp();
        in.rfText = c.rf;
        in.pfdText = c.pfd;
        in.crystalText = c.crystal;
        in.CrystalFrequencyMHz = 0;
        const SynthResult r = CmdCalculate(in);
        EXPECT_EQ(texts(r), c.messages);
        EXPECT_EQ(r.messages.back().title, QString("Warning"));
        EXPECT_EQ(r.messages.back().icon, MsgIcon::Critical);
        expectNothingApplied(r);
    }
}

// ---- applying dividers ------------------------------------------------------------------------

SynthValues lowBandValues() {
    SynthValues v;
    v.IntegerN = 39;
    v.FracN = 7737;
    v.RDivider = 1;
    v.divideBy2On = true;
    v.CrystalFrequencyMHz = 11.0592f;
    return v;
}

TEST(PellionSynthesizer, UpdateSynthValuesWorksOnCopiesOfNAndF) {
    SynthValues v = lowBandValues();
    const SynthResult first = UpdateSynthValues(11.0592f, 11.0592f, v);
    // The working values are not doubled, so what the window keeps gives the same again.
    EXPECT_FALSE(first.IntegerN);
    EXPECT_FALSE(first.FracN);
    const SynthResult second = UpdateSynthValues(11.0592f, 11.0592f, v);
    EXPECT_EQ(first.IntegerNField, 78 << 19);
    EXPECT_EQ(first.FracNField, 15474 << 4);
    EXPECT_EQ(second.IntegerNField, first.IntegerNField);
    EXPECT_EQ(second.FracNField, first.FracNField);
    EXPECT_EQ(second.nText, first.nText);
}

TEST(PellionSynthesizer, FractionOfAWholeModulusCarriesIntoN) {
    SynthValues v = lowBandValues();
    v.IntegerN = 40;
    v.FracN = 16384; // doubled: exactly 32768
    const SynthResult r = UpdateSynthValues(11.0592f, 11.0592f, v);
    EXPECT_EQ(r.nText, QString("81"));
    EXPECT_EQ(r.fText, QString("0"));
    EXPECT_EQ(r.IntegerNField, 81 << 19);
    EXPECT_EQ(r.FracNField, 0);

    v.FracN = 32768 * 2; // past anything a plan gives: refused, not wrapped
    const SynthResult refused = UpdateSynthValues(11.0592f, 11.0592f, v);
    EXPECT_FALSE(refused.planned);
    EXPECT_FALSE(refused.FracNField);
    EXPECT_EQ(refused.messages.size(), 1u);
}

TEST(PellionSynthesizer, UpdateSynthValuesRefusesWhatCannotBeDividedBy) {
    const SynthValues v = lowBandValues();
    for (float pfd : {0.0f, -1.0f, std::nanf("")}) {
        EXPECT_FALSE(UpdateSynthValues(pfd, 11.0592f, v).planned) << pfd;
    }
    EXPECT_FALSE(UpdateSynthValues(11.0592f, INFINITY, v).planned);
}

// ---- fraction steps ---------------------------------------------------------------------------

TEST(PellionSynthesizer, FractionDownFromZeroBorrowsFromN) {
    // 80 x 11.0592 MHz: a whole multiple of the PFD, F 0.
    const FractionStepResult r = cmdfdown(with("884.736"));
    EXPECT_EQ(r.calculation.IntegerN, 80);
    EXPECT_EQ(r.calculation.FracN, 0);
    ASSERT_TRUE(r.step);
    EXPECT_TRUE(r.step->planned);
    EXPECT_EQ(r.step->IntegerN, 79);
    EXPECT_EQ(r.step->FracN, 32767);
    EXPECT_EQ(r.step->IntegerNField, 79 << 19);
    EXPECT_EQ(r.step->FracNField, 32767 << 4);
    EXPECT_EQ(r.step->fText, QString("32767"));
    // The RF box follows the stepped dividers: one count below the channel.
    const double stepped = (79 + 32767 / 32768.0) * double{11.0592f};
    EXPECT_FLOAT_EQ(*r.step->RfFrequencyMHz, static_cast<float>(stepped));
    EXPECT_TRUE(r.step->refreshReadouts) << "the read-outs show the stepped dividers at once";
}

TEST(PellionSynthesizer, FractionUpStepsOneCount) {
    const FractionStepResult r = StepFracUp(startUp());
    ASSERT_TRUE(r.step);
    EXPECT_EQ(r.step->IntegerN, 78);
    EXPECT_EQ(r.step->FracN, 16838);
    EXPECT_EQ(r.step->FracNField, 16838 << 4);
}

TEST(PellionSynthesizer, FractionStepsOnlyAfterASuccessfulCalculation) {
    for (const SynthInputs& in : {with("abc"), with("600"), with("134.9", true)}) {
        SCOPED_TRACE(in.rfText.toStdString());
        for (const FractionStepResult& r : {cmdfdown(in), StepFracUp(in)}) {
            EXPECT_FALSE(r.calculation.planned);
            EXPECT_FALSE(r.step);
        }
    }
    SynthInputs refused = startUp();
    refused.pfdText = "2.5";
    refused.crystalText = "2.5";
    EXPECT_FALSE(cmdfdown(refused).step);
}

} // namespace
