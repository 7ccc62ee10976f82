// The Tessarine synthesizer plan: R with the reference doubler, N and the 12-bit fraction,
// the messages, the refusals of dividers that do not fit their fields, and the fraction steps.
#include "tessarine/calc/synthesizer.h"

#include "../../qtprinters.h"
#include "../../support/messagetexts.h"
#include "../../support/synthresults.h"

#include "platform/core/numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

namespace {

using evalkit::calc::SynthBox;
using platform::MsgIcon;
using namespace tessarine::calc;

const QString InvalidRf = "Invalid entry in RF Frequency.";
const QString InvalidPfd = "Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)";
const QString InvalidCrystalEntry = "Invalid entry in Crystal Frequency.";

constexpr int32_t ClockOutOffField = 1 << 19; // the rest of the power-on R word

// The boxes as the window's load handler fills them from the start-up frequencies.
SynthInputs defaults() {
    SynthInputs in;
    in.rfText = boxText(868.3f);
    in.pfdText = boxText(3.6864f);
    in.crystalText = boxText(11.0592f);
    in.DoublerFactor = 1;
    in.PrescalerField = 0;
    return in;
}

SynthInputs entries(const char* rf, const char* pfd, const char* crystal, int16_t doubler = 1) {
    SynthInputs in;
    in.rfText = rf;
    in.pfdText = pfd;
    in.crystalText = crystal;
    in.DoublerFactor = doubler;
    return in;
}

using evaltest::texts;

// Nothing of the plan reaches the window, the fields or the working values.
void expectNothingStored(const SynthResult& r) {
    EXPECT_FALSE(r.applied);
    evaltest::expectNoDividersStored(r);
    EXPECT_FALSE(r.rText);
    EXPECT_FALSE(r.nText);
    EXPECT_FALSE(r.fText);
    EXPECT_FALSE(r.vcoFrequencyText);
    EXPECT_FALSE(r.pfdFrequencyText);
    EXPECT_FALSE(r.crystalFrequencyText);
}

void expectDividers(const SynthResult& r, int r0, int n, int f) {
    ASSERT_TRUE(r.applied);
    ASSERT_TRUE(r.RDivider && r.IntegerN && r.FracN);
    EXPECT_EQ(*r.RDivider, r0);
    EXPECT_EQ(*r.IntegerN, n);
    EXPECT_EQ(*r.FracN, f);
    EXPECT_EQ(*r.RDividerField, r0 << 13);
    EXPECT_EQ(*r.IntegerNField, n << 14);
    EXPECT_EQ(*r.FracNField, f * 4);
    EXPECT_EQ(*r.rText, QString::number(r0));
    EXPECT_EQ(*r.nText, QString::number(n));
    EXPECT_EQ(*r.fText, QString::number(f));
}

TEST(TessarineSynth, StartUpFrequenciesGiveThePowerOnDividers) {
    EXPECT_EQ(defaults().rfText, QString("868.299988"));
    const SynthResult r = cmdCalculate(defaults());
    EXPECT_TRUE(r.messages.empty());
    expectDividers(r, 3, 235, 2218);
    // The fields make the power-on N and R words.
    EXPECT_EQ(*r.IntegerNField + *r.FracNField + 1, 0x3AE2A9);
    EXPECT_EQ(*r.RDividerField + ClockOutOffField, 0x86000);
    // (2218 / 4096 + 235) x 3.6864 in single precision, formatted from its exact value.
    EXPECT_EQ(*r.rfText, QString("868.30017"));
    EXPECT_EQ(*r.pfdText, QString("3.68640"));
    EXPECT_EQ(*r.crystalText, QString("11.05920"));
    EXPECT_EQ(*r.vcoFrequencyText, QString("868.30017MHz"));
    EXPECT_EQ(*r.pfdFrequencyText, QString("3.68640MHz"));
    EXPECT_EQ(*r.crystalFrequencyText, QString("11.05920MHz"));
    EXPECT_EQ(*r.RfFrequencyMHz, platform::toSingle(235.54150390625 * double{3.6864f}));
    EXPECT_EQ(*r.PfdFrequencyMHz, 3.6864f);
    EXPECT_EQ(*r.CrystalFrequencyMHz, 11.0592f);
}

TEST(TessarineSynth, DoublerDoublesR) {
    SynthInputs in = defaults();
    in.DoublerFactor = 2;
    const SynthResult r = cmdCalculate(in);
    EXPECT_TRUE(r.messages.empty());
    expectDividers(r, 6, 235, 2218);
}

// The crystal check compares the doubled crystal with the PFD.
TEST(TessarineSynth, CrystalCheckCountsTheDoubler) {
    const SynthResult doubled = cmdCalculate(entries("868.3", "22.1184", "11.0592", 2));
    EXPECT_TRUE(doubled.messages.empty());
    expectDividers(doubled, 1, 39, 1052);
    EXPECT_EQ(*doubled.crystalText, QString("11.05920"));
    EXPECT_EQ(*doubled.CrystalFrequencyMHz, 11.0592f);

    const SynthResult plain = cmdCalculate(entries("868.3", "22.1184", "11.0592", 1));
    EXPECT_EQ(texts(plain), std::vector<QString>{InvalidCrystalText});
    EXPECT_EQ(plain.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(plain.messages[0].title, std::optional<QString>("Warning"));
    EXPECT_EQ(*plain.RDivider, 1);
    EXPECT_EQ(*plain.crystalText, QString("22.11840"));
}

TEST(TessarineSynth, CrystalAboveFortyTakesThePfd) {
    const SynthResult r = cmdCalculate(entries("868.3", "3.6864", "45"));
    EXPECT_EQ(texts(r), std::vector<QString>{InvalidCrystalText});
    expectDividers(r, 1, 235, 2218);
    EXPECT_EQ(*r.crystalText, QString("3.68640"));
}

// Crystal 10 / PFD 3: R 3, 10 / 3 is 0.333 off (squared 0.111), so the PFD becomes 10 / 3 and,
// below 3.625 MHz, is too low for lock.
TEST(TessarineSynth, PfdNotADivisionOfTheCrystalIsCorrected) {
    const SynthResult r = cmdCalculate(entries("433.92", "3", "10"));
    EXPECT_EQ(texts(r), (std::vector<QString>{NotMultipleText, PfdTooLowText}));
    EXPECT_EQ(r.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(r.messages[0].title);
    EXPECT_EQ(r.messages[1].icon, MsgIcon::Critical);
    EXPECT_EQ(r.messages[1].title, std::optional<QString>("Warning"));
    EXPECT_EQ(*r.RDivider, 3);
    EXPECT_EQ(*r.PfdFrequencyMHz, platform::toSingle(10.0 / 3));
    EXPECT_EQ(*r.pfdText, QString("3.33333"));
    EXPECT_EQ(*r.IntegerN, 130); // 433.92 / 3.33333 = 130.18
}

TEST(TessarineSynth, RfOnAMultipleOfThePfdHasNoFraction) {
    const SynthResult r = cmdCalculate(entries("737.28", "3.6864", "11.0592"));
    EXPECT_TRUE(r.messages.empty());
    expectDividers(r, 3, 200, 0);
}

struct LowPfdCase {
    const char* rf;
    const char* pfd;
    const char* crystal;
    int32_t prescaler;
    bool warned;
};

// The warning judges the PFD the dividers are planned with, against 3.625 MHz for the 4/5
// prescaler and 1.812 MHz for 8/9.
TEST(TessarineSynth, LowPfdWarningFollowsThePrescalerAndTheFinalPfd) {
    const LowPfdCase cases[] = {
        {"433.92", "2.7648", "11.0592", 0, true},
        {"433.92", "2.7648", "11.0592", Prescaler89Field, false},
        {"300", "1.8432", "11.0592", Prescaler89Field, false},
        {"300", "1.579885", "11.0592", Prescaler89Field, true},
        {"433.92", "3.7", "10", 0, true},      // corrected to 3.333
        {"868.3", "3.6", "11.0592", 0, false}, // corrected to 3.6864
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pfd);
        SynthInputs in = entries(c.rf, c.pfd, c.crystal);
        in.PrescalerField = c.prescaler;
        const SynthResult r = cmdCalculate(in);
        ASSERT_TRUE(r.applied);
        const auto t = texts(r);
        EXPECT_EQ(std::count(t.begin(), t.end(), PfdTooLowText), c.warned ? 1 : 0);
    }
}

struct RefusalCase {
    const char* rf;
    const char* pfd;
    const char* crystal;
    const char* message;
};

// A divider that does not fit its field is refused with a warning naming the limit: R would
// run into the doubler bit, N into the prescaler bit.
TEST(TessarineSynth, DividersOutsideTheirFieldsAreRefused) {
    const RefusalCase cases[] = {
        {"868.3", "2", "40",
         "R divide of 20 is above the maximum of 15. Please raise the PFD frequency or lower "
         "the XTAL frequency"},
        {"950", "3.6864", "11.0592",
         "Integer N divide of 257 is above the maximum of 255. Please raise the PFD frequency"},
        {"-10", "3.6864", "11.0592",
         "Integer N divide of -3 is below the minimum of 0. Please raise the RF frequency"},
        // Dividers no message could write as the numbers they are are told as far above
        // their limits, never as a number that overflowed.
        {"868.3", "1e-30", "40",
         "R divide is far above the maximum of 15. Please raise the PFD frequency or lower the "
         "XTAL frequency"},
        // A PFD too small for single precision reads as 0: no division by it.
        {"868.3", "1e-50", "11.0592",
         "R divide is far above the maximum of 15. Please raise the PFD frequency or lower the "
         "XTAL frequency"},
        {"3e32", "3.6864", "11.0592",
         "Integer N divide is far above the maximum of 255. Please raise the PFD frequency"},
        {"-3e32", "3.6864", "11.0592",
         "Integer N divide is far below the minimum of 0. Please raise the RF frequency"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const SynthResult r = cmdCalculate(entries(c.rf, c.pfd, c.crystal));
        EXPECT_TRUE(r.refused);
        EXPECT_FALSE(r.validationFailed);
        ASSERT_FALSE(r.messages.empty());
        EXPECT_EQ(r.messages.back().text, QString(c.message));
        EXPECT_EQ(r.messages.back().icon, MsgIcon::Critical);
        EXPECT_EQ(r.messages.back().title, std::optional<QString>("Warning"));
        expectNothingStored(r);
        EXPECT_FALSE(r.rfText);
        EXPECT_FALSE(r.pfdText);
        EXPECT_FALSE(r.crystalText);
    }
    // The largest dividers that fit are planned.
    expectDividers(cmdCalculate(entries("637.5", "2.5", "37.5")), 15, 255, 0);
}

struct EntryCase {
    const char* rf;
    const char* pfd;
    const char* crystal;
    QString message;
    SynthBox box;
};

// The first refused box gets its message (with a beep), is emptied and gets the focus; a
// PFD at or below 0 or above 40 MHz is as invalid as one that is no number.
TEST(TessarineSynth, RefusedEntriesEmptyTheirBox) {
    const EntryCase cases[] = {
        {"abc", "x", "y", InvalidRf, SynthBox::Rf},
        {"", "3.6864", "11.0592", InvalidRf, SynthBox::Rf},
        {"1e40", "3.6864", "11.0592", InvalidRf, SynthBox::Rf},
        {"868.3", "0", "11.0592", InvalidPfd, SynthBox::Pfd},
        {"868.3", "-3.6864", "11.0592", InvalidPfd, SynthBox::Pfd},
        {"868.3", "40.5", "11.0592", InvalidPfd, SynthBox::Pfd},
        {"868.3", "", "11.0592", InvalidPfd, SynthBox::Pfd},
        {"868.3", "1e300", "11.0592", InvalidPfd, SynthBox::Pfd},
        {"868.3", "3.6864", "", InvalidCrystalEntry, SynthBox::Crystal},
        {"868.3", "3.6864", "11,0592",
         InvalidCrystalEntry + QStringLiteral("\nThe decimal mark is a point: 11.0592"),
         SynthBox::Crystal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString() + " " + c.rf + " " + c.pfd + " " + c.crystal);
        const SynthResult r = cmdCalculate(entries(c.rf, c.pfd, c.crystal));
        EXPECT_TRUE(r.validationFailed);
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_EQ(r.messages[0].text, c.message);
        EXPECT_EQ(r.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_FALSE(r.messages[0].title);
        EXPECT_TRUE(r.messages[0].beep);
        EXPECT_EQ(r.focus, c.box);
        EXPECT_EQ(r.rfText, c.box == SynthBox::Rf ? std::optional<QString>("") : std::nullopt);
        EXPECT_EQ(r.pfdText, c.box == SynthBox::Pfd ? std::optional<QString>("") : std::nullopt);
        EXPECT_EQ(r.crystalText,
                  c.box == SynthBox::Crystal ? std::optional<QString>("") : std::nullopt);
        expectNothingStored(r);
    }
    // 40 MHz itself is a valid PFD.
    EXPECT_TRUE(cmdCalculate(entries("868.3", "40", "40")).applied);
}

TEST(TessarineSynth, FractionStepsCountOneWithCarryIntoN) {
    struct Case {
        const char* rf;
        bool up;
        int n0, f0, n, f;
    };
    const Case cases[] = {
        {"868.3", true, 235, 2218, 235, 2219},
        {"868.3", false, 235, 2218, 235, 2217},
        {"869.9895", true, 235, 4095, 236, 0},
        {"737.28", false, 200, 0, 199, 4095},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rf);
        const SynthInputs in = entries(c.rf, "3.6864", "11.0592");
        const SynthResult calculated = cmdCalculate(in);
        expectDividers(calculated, 3, c.n0, c.f0);
        const SynthResult r = stepFraction(in, c.up);
        EXPECT_FALSE(r.refused);
        expectDividers(r, 3, c.n, c.f);
        const float rf = platform::toSingle((c.f / 4096.0 + c.n) * double{3.6864f});
        EXPECT_EQ(*r.RfFrequencyMHz, rf);
        EXPECT_EQ(*r.rfText, platform::formatSingle(rf, u"#0.00000"));
        EXPECT_EQ(*r.vcoFrequencyText, *r.rfText + "MHz");
    }
}

// After a step the frequencies follow the PFD box as the calculation wrote it (five places).
TEST(TessarineSynth, FractionStepReadsThePfdBoxAgain) {
    const SynthResult r = stepFraction(entries("433.92", "3", "10"), true);
    ASSERT_TRUE(r.applied);
    EXPECT_EQ(*r.PfdFrequencyMHz, 3.33333f);
    EXPECT_EQ(texts(r), (std::vector<QString>{NotMultipleText, PfdTooLowText}));
}

// The calculation and its step are one plan: a step out of N's field keeps the calculation
// out too.
TEST(TessarineSynth, FractionStepOutOfNsFieldIsRefusedWithItsCalculation) {
    // N 255, F 4095: one more count would be N 256.
    expectDividers(cmdCalculate(entries("943.7175", "3.6864", "11.0592")), 3, 255, 4095);
    const SynthResult up = stepFraction(entries("943.7175", "3.6864", "11.0592"), true);
    EXPECT_TRUE(up.refused);
    EXPECT_FALSE(up.applied);
    expectNothingStored(up);
    EXPECT_FALSE(up.rfText);
    EXPECT_EQ(texts(up), std::vector<QString>{"Integer N divide of 256 is above the maximum of "
                                              "255. Please raise the PFD frequency"});
    // N 0, F 0: one count down would be N -1.
    const SynthResult down = stepFraction(entries("0", "3.6864", "11.0592"), false);
    EXPECT_TRUE(down.refused);
    expectNothingStored(down);
}

TEST(TessarineSynth, FractionStepAfterARefusedCalculationChangesNothing) {
    const SynthResult bad = stepFraction(entries("868.3", "", "11.0592"), true);
    EXPECT_TRUE(bad.validationFailed);
    expectNothingStored(bad);
    const SynthResult refused = stepFraction(entries("950", "3.6864", "11.0592"), false);
    EXPECT_TRUE(refused.refused);
    EXPECT_EQ(refused.messages.size(), 1u);
    expectNothingStored(refused);
}

TEST(TessarineSynth, DoublerDividerAndPrescalerSettings) {
    EXPECT_EQ(doublerSetting(true).DoublerFactor, 2);
    EXPECT_EQ(doublerSetting(true).DoublerField, 1 << 17);
    EXPECT_EQ(doublerSetting(false).DoublerFactor, 1);
    EXPECT_EQ(doublerSetting(false).DoublerField, 0);
    for (int index = 0; index <= 3; ++index) {
        EXPECT_EQ(vcoDivideField(index), index << 25);
        EXPECT_EQ(vcoDivideIndex(index << 25), index);
    }
    EXPECT_FALSE(vcoDivideField(-1)); // no selection leaves the field
    EXPECT_FALSE(vcoDivideField(4));
    EXPECT_FALSE(vcoDivideIndex(1 << 24));
    EXPECT_EQ(prescalerText(1 << 22), QString("8/9"));
    EXPECT_EQ(prescalerText(0), QString("4/5"));
    EXPECT_EQ(boxText(3.6864f), QString("3.686400"));
    EXPECT_EQ(boxText(0.5f), QString(".500000"));
}

} // namespace
