// The synthesizer window: what its plans do to the fields, the read-outs, the window and the
// front panel.
#include "pellionfixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace pellion;
using namespace pellion::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

const QString kJitter = QStringLiteral(
    "Clock Recovery Frequency and (32 x Desired Datarate) have more than 3% difference.. Less "
    "than 2% difference is reccomended");

// The plan's part of the store.
struct Plan {
    int32_t IntegerNField, FracNField, VcoDiv2Field;
    int16_t RDividerField;
    friend bool operator==(const Plan&, const Plan&) = default;
};

} // namespace

struct Synth : PellionFixture {
    synthform& s() { return app->synthform(); }
    Plan plan() { return {f().IntegerNField, f().FracNField, f().VcoDiv2Field, f().RDividerField}; }
    // Types the three boxes and presses Calculate.
    void calculate(const QString& rf, const QString& pfd = QStringLiteral("11.0592"),
                   const QString& crystal = QStringLiteral("11.0592")) {
        s().txtVCOout1->setText(rf);
        s().txtpfd1->setText(pfd);
        s().TxtCrystal1->setText(crystal);
        s().CmdCalculate->click();
    }
};

TEST_F(Synth, LoadFillsTheBoxesFromTheWorkingValues) {
    start();
    EXPECT_EQ(s().txtVCOout1->text(), QStringLiteral("868.300110"));
    EXPECT_EQ(s().txtpfd1->text(), QStringLiteral("11.059200"));
    EXPECT_EQ(s().TxtCrystal1->text(), QStringLiteral("11.059200"));
    EXPECT_EQ(s().lblHeading->text(), QStringLiteral("RF Output Frequency (MHz)"));
    EXPECT_FALSE(s().lblVCOdiv2->isEnabled());
    EXPECT_FALSE(s().rfPromptInternal->isHidden());
    EXPECT_TRUE(s().rfPromptExternal->isHidden());
    EXPECT_TRUE(s().LblN->text().isEmpty());
    // Loading resets the working dividers, not the fields.
    EXPECT_EQ(w().IntegerN, 78);
    EXPECT_EQ(w().FracN, 16836);
    EXPECT_EQ(f().FracNField, 16837 << 4);
    s().returnToPanel->click();

    f().TxRxField = bit(27);
    tickExternalInductor(*app);
    EXPECT_EQ(s().lblHeading->text(), QStringLiteral("Receiver LO Frequency (MHz)"));
    EXPECT_TRUE(s().lblVCOdiv2->isEnabled());
    EXPECT_TRUE(s().rfPromptInternal->isHidden());
    EXPECT_FALSE(s().rfPromptExternal->isHidden());
}

// Calculating again from what start-up left gives the same dividers, and the front panel
// shows the channel they give, 868.30011 MHz.
TEST_F(Synth, DefaultPlanIsStable) {
    Main& m = start();
    const Plan before = plan();
    s().CmdCalculate->click();
    EXPECT_EQ(plan(), before);
    EXPECT_EQ(s().LblR->text(), QStringLiteral("1"));
    EXPECT_EQ(s().LblN->text(), QStringLiteral("78"));
    EXPECT_EQ(s().LblF->text(), QStringLiteral("16837"));
    EXPECT_EQ(s().txtVCOout1->text(), QStringLiteral("868.30011"));
    EXPECT_EQ(s().lblRxLO->text(), QStringLiteral("868.300 MHz"));
    EXPECT_EQ(s().synthesizerFrequency->text(), QStringLiteral("868.300 MHz"));
    EXPECT_EQ(m.lblvcofreq->text(), QStringLiteral("868.30011MHz"));
    EXPECT_TRUE(s().Note->isHidden());
    EXPECT_TRUE(messageTexts().empty());
}

// With the external inductor the divide-by-2 is the user's switch: R1 shows it at once.
TEST_F(Synth, TheDivideBy2SwitchIsShownInR1AtOnce) {
    Main& m = start();
    calculate(QStringLiteral("433.92"));
    m.chkInductor->click();
    ASSERT_TRUE(s().lblVCOdiv2->isEnabled());
    m.cmdOsc->click();
    for (bool on : {!s().lblVCOdiv2->isOn(), s().lblVCOdiv2->isOn()}) {
        s().lblVCOdiv2->click();
        EXPECT_EQ(f().VcoDiv2Field, on ? bit(13) : 0);
        EXPECT_EQ(m.lblOSChex->text(), reglink::readoutText(word(1)));
        EXPECT_EQ(m.lblOSChex->mark(), Mark::Changed);
    }
}

TEST_F(Synth, LowBandSwitchesDivideBy2OnAndDoublesNAndFIntoR0) {
    Main& m = start();
    calculate(QStringLiteral("433.92"));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(s().lblVCOdiv2->isOn());
    EXPECT_FALSE(s().Note->isHidden());
    EXPECT_EQ(f().VcoDiv2Field, bit(13));
    EXPECT_EQ(w().IntegerN, 39);
    EXPECT_EQ(w().FracN, 7737);
    EXPECT_EQ(f().IntegerNField, 78 << 19);
    EXPECT_EQ(f().FracNField, 15474 << 4);
    EXPECT_EQ(m.lblNhex->text(), reglink::readoutText(word(0)));
    EXPECT_EQ(m.lblOSChex->mark(), Mark::Changed); // R1 carries the divide-by-2

    // Loaded again with the internal inductor, the switch is left to the band: the load
    // switches it on only for the external inductor, whose switch it is.
    s().returnToPanel->click();
    EXPECT_FALSE(s().lblVCOdiv2->isOn());
    EXPECT_FALSE(s().lblVCOdiv2->isEnabled());
    EXPECT_EQ(f().VcoDiv2Field, bit(13));
    EXPECT_EQ(s().txtVCOout1->text(), QStringLiteral("433.920044"));

    // Back in the high band the divide-by-2 goes off again.
    calculate(QStringLiteral("868.3"));
    EXPECT_FALSE(s().lblVCOdiv2->isOn());
    EXPECT_TRUE(s().Note->isHidden());
    EXPECT_EQ(f().VcoDiv2Field, 0);
}

// The VCO bounds are exclusive; with the external inductor they are compared in single
// precision, so 650.1 typed is outside. A frequency outside leaves everything as it was.
TEST_F(Synth, VcoRangesByInductor) {
    start();
    struct Case {
        const char* rf;
        bool external;
        bool accepted;
    } cases[] = {
        {"840", false, false},  {"960", false, false},  {"420", false, false},
        {"480", false, false},  {"840.1", false, true}, {"959.9", false, true},
        {"420.1", false, true}, {"479.9", false, true}, {"134.9", true, false},
        {"650.1", true, false}, {"135", true, true},    {"650", true, true},
        {"868.3", true, false}, {"300", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rf);
        app->main().chkInductor->setChecked(c.external);
        calculate(QStringLiteral("868.3")); // a known plan first (refused with the inductor)
        calculate(QStringLiteral("600"));   // and one the external inductor takes
        const Plan before = plan();
        const QString lblN = s().LblN->text();
        services.messages.clear();
        calculate(QString::fromLatin1(c.rf));
        if (c.accepted) {
            // Low N is noticed, but no warning stops the plan.
            for (const auto& shown : services.messages.messages)
                EXPECT_NE(shown.title, QStringLiteral("Warning")) << shown.text.toStdString();
            EXPECT_NE(plan(), before);
            EXPECT_NEAR(s().txtVCOout1->text().toDouble(), QString::fromLatin1(c.rf).toDouble(),
                        0.001);
        } else {
            ASSERT_EQ(services.messages.messages.size(), 1u);
            EXPECT_EQ(services.messages.messages[0].title, QStringLiteral("Warning"));
            EXPECT_EQ(services.messages.messages[0].icon, platform::MsgIcon::Critical);
            EXPECT_EQ(plan(), before);
            EXPECT_EQ(s().LblN->text(), lblN);
            EXPECT_EQ(s().txtVCOout1->text(), QString::fromLatin1(c.rf)); // as typed
        }
    }
}

// Receive plans the LO 0.2 MHz below the channel, 0.4 with the external inductor's
// divide-by-2; the box shows the channel again.
TEST_F(Synth, ReceiveLoOffsets) {
    start();
    struct Case {
        bool external;
        bool toggle;
        const char* rf;
        const char* transmitEquivalent;
    } cases[] = {
        {false, false, "868.3", "868.1"},
        {true, false, "600", "599.8"},
        {true, true, "600", "599.6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.transmitEquivalent);
        if (c.external && !app->main().chkInductor->isChecked())
            tickExternalInductor(*app);
        services.messages.clear();
        s().lblVCOdiv2->setOn(c.toggle);
        f().TxRxField = 0;
        calculate(QString::fromLatin1(c.transmitEquivalent));
        const Plan transmit = plan();
        f().TxRxField = bit(27);
        calculate(QString::fromLatin1(c.rf));
        EXPECT_EQ(plan(), transmit);
        EXPECT_NEAR(s().txtVCOout1->text().toDouble(), QString::fromLatin1(c.rf).toDouble(), 0.001);
        EXPECT_TRUE(messageTexts().empty());
    }
}

// A new crystal runs the data-rate handler once, and the AFC scaling follows it; a new PFD
// alone does neither. With the rate 150 the clock recovery is off by 15%, so each run of the
// handler that finds the clock it showed already says so: the warnings count the runs.
TEST_F(Synth, CrystalChangeRunsTheDataRateHandlerOnce) {
    Main& m = start();
    m.txtDatarate->setText(QStringLiteral("150"));
    ASSERT_TRUE(messageTexts().empty());
    const double afc = f().AfcScalingField;

    calculate(QStringLiteral("868.3"), QStringLiteral("5.5296"));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(f().AfcScalingField, afc);

    calculate(QStringLiteral("868.3"), QStringLiteral("11.0592"), QStringLiteral("22.1184"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{kJitter});
    EXPECT_EQ(f().AfcScalingField, 379 * 16);
    EXPECT_EQ(f().DemodClockDividerField, 2 << 6); // the plan of the new crystal

    services.messages.clear();
    calculate(QStringLiteral("868.3"), QStringLiteral("11.0592"), QStringLiteral("11.0592"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{kJitter});
    EXPECT_EQ(f().AfcScalingField, 759 * 16);
    EXPECT_EQ(m.lbltest11hex->text(), QStringLiteral("0x02F7B"));
}

TEST_F(Synth, FractionDownBorrowsFromN) {
    start();
    calculate(QStringLiteral("862.6176")); // 78 x 11.0592: F = 0
    ASSERT_EQ(s().LblF->text(), QStringLiteral("0"));
    s().cmdfdown->click();
    EXPECT_EQ(s().LblN->text(), QStringLiteral("77"));
    EXPECT_EQ(s().LblF->text(), QStringLiteral("32767"));
    EXPECT_EQ(w().IntegerN, 77);
    EXPECT_EQ(w().FracN, 32767);
    EXPECT_EQ(f().IntegerNField, 77 << 19);
    EXPECT_EQ(f().FracNField, 32767 << 4);
    // The box shows the channel of the stepped dividers, so a second step goes on from there.
    s().cmdfdown->click();
    EXPECT_EQ(s().LblF->text(), QStringLiteral("32766"));
    EXPECT_EQ(w().IntegerN, 77);
}

// A step whose calculation fails (a bad entry, a frequency out of range) changes nothing.
TEST_F(Synth, FractionDownAfterAFailedPlanStepsNothing) {
    start();
    calculate(QStringLiteral("868.3"));
    const Plan before = plan();
    s().txtVCOout1->setText(QStringLiteral("900x"));
    s().cmdfdown->click();
    EXPECT_EQ(plan(), before);
    EXPECT_EQ(w().FracN, 16837);
    EXPECT_EQ(s().LblF->text(), QStringLiteral("16837"));
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Invalid entry in RF Frequency.")});
    EXPECT_TRUE(s().txtVCOout1->text().isEmpty());

    services.messages.clear();
    s().txtVCOout1->setText(QStringLiteral("1000"));
    s().cmdfdown->click();
    EXPECT_EQ(plan(), before);
    EXPECT_EQ(messageTexts().size(), 1u);
}

TEST_F(Synth, ValidationEmptiesAndFocusesTheBadBox) {
    start();
    struct Case {
        QLineEdit* synthform::*box;
        const char* message;
    } cases[] = {
        {&synthform::txtVCOout1, "Invalid entry in RF Frequency."},
        {&synthform::txtpfd1, "Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)"},
        {&synthform::TxtCrystal1, "Invalid entry in Crystal Frequency."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        s().txtVCOout1->setText(QStringLiteral("868.3"));
        s().txtpfd1->setText(QStringLiteral("11.0592"));
        s().TxtCrystal1->setText(QStringLiteral("11.0592"));
        EXPECT_EQ(s().ValidateSynthInputs(), 0);
        (s().*c.box)->setText(QStringLiteral("abc"));
        services.messages.clear();
        EXPECT_EQ(s().ValidateSynthInputs(), 1);
        EXPECT_EQ(messageTexts(), std::vector<QString>{QString::fromLatin1(c.message)});
        EXPECT_EQ(services.messages.beeps, 1);
        EXPECT_TRUE((s().*c.box)->text().isEmpty());
    }
    // A PFD of 0 or below is no PFD.
    s().txtpfd1->setText(QStringLiteral("-1"));
    services.messages.clear();
    EXPECT_EQ(s().ValidateSynthInputs(), 1);
    EXPECT_EQ(messageTexts(), std::vector<QString>{QString::fromLatin1(cases[1].message)});
}

// N above 255 and R above 7 do not fit their fields: the plan is refused with a warning
// that names the limit.
TEST_F(Synth, DividersThatDoNotFitAreRefused) {
    Main& m = start();
    const Plan before = plan();
    const QString r0 = m.lblNhex->text();
    for (const auto& [pfd, crystal] :
         {std::pair{"5", "40"}, std::pair{"2.5", "2.5"}, std::pair{"0.5", "3"}}) {
        SCOPED_TRACE(pfd);
        services.messages.clear();
        calculate(QStringLiteral("868.3"), QString::fromLatin1(pfd), QString::fromLatin1(crystal));
        ASSERT_FALSE(services.messages.messages.empty());
        EXPECT_EQ(services.messages.messages.back().title, QStringLiteral("Warning"));
        EXPECT_TRUE(messageTexts().back().contains(QStringLiteral("maximum of 255")) ||
                    messageTexts().back().contains(QStringLiteral("range of 1 to 7")));
        EXPECT_EQ(plan(), before);
        EXPECT_EQ(m.lblNhex->text(), r0);
        EXPECT_EQ(w().PfdFrequencyMHz, 11.0592f);
    }
}

// A low N is said, and planned all the same.
TEST_F(Synth, MinimumNIsANoticeOnly) {
    start();
    tickExternalInductor(*app);
    services.messages.clear();
    calculate(QStringLiteral("300"));
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral(
                  "Minimum N divide is 31. Please lower the PFD frequency by increasing the "
                  "R-divide or changing the XTAL frequency ")});
    EXPECT_EQ(f().IntegerNField, 27 << 19);
}

// Applying dividers works on copies: doing it twice does not double them twice, and an F
// that reaches the modulus carries into N.
TEST_F(Synth, UpdateSynthValuesTwiceGivesTheSameFields) {
    start();
    calculate(QStringLiteral("433.92"));
    const Plan once = plan();
    s().UpdateSynthValues(11.0592f, 11.0592f);
    s().UpdateSynthValues(11.0592f, 11.0592f);
    EXPECT_EQ(plan(), once);

    w().IntegerN = 39;
    w().FracN = 16384; // doubled, exactly the modulus
    s().UpdateSynthValues(11.0592f, 11.0592f);
    EXPECT_EQ(f().IntegerNField, 79 << 19);
    EXPECT_EQ(f().FracNField, 0);
    EXPECT_EQ(s().LblN->text(), QStringLiteral("79"));
    EXPECT_EQ(s().LblF->text(), QStringLiteral("0"));
}

// Returning re-plans the deviation for the new PFD (FSK) and unloads the window.
TEST_F(Synth, ReturnToFrontPanelReplansTheDeviation) {
    Main& m = start();
    calculate(QStringLiteral("868.3"), QStringLiteral("5.5296"));
    EXPECT_EQ(f().TxDeviationField, 30 << 15); // not yet
    s().returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("synthform")));
    EXPECT_EQ(f().TxDeviationField, 59 << 15);
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("19.913"));
    EXPECT_EQ(m.lblMODhex->text(), reglink::readoutText(word(2)));
}

TEST_F(Synth, ThePanelOpensTheWindowModally) {
    Main& m = start();
    m.cmdSynthform->click();
    m.crystalmenu->trigger();
    m.lblcrystal->clicked();
    ASSERT_EQ(services.shower.shown.size(), 3u);
    for (const auto& shown : services.shower.shown) {
        EXPECT_EQ(shown.name, QStringLiteral("synthform"));
        EXPECT_TRUE(shown.modal);
    }
}
