// A plan that is refused in any of its steps changes nothing: the synthesizer window's plans
// with the receiver clocks and the deviation that follow a new crystal or PFD, and its fraction
// step with the calculation it starts with.
#include "pellionfixture.h"

#include "../support/userinput.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <array>

using namespace pellion;
using namespace pellion::test;
using evaltest::typeInto;

namespace {

const QString kIFFilter520 = QStringLiteral(
    "IF filter divide of 520 is above the maximum of 511. Please lower the XTAL frequency");

} // namespace

struct RefusedPlan : PellionFixture {
    synthform& s() { return app->synthform(); }

    // Everything a plan could change that the user sees or the chip gets.
    struct Seen {
        std::array<uint32_t, 14> words;
        QStringList texts;
        float crystal, pfd, rf, demodClock, deviation;
        friend bool operator==(const Seen&, const Seen&) = default;
    };
    Seen seen() {
        Seen v{};
        for (int n = 0; n < 14; ++n)
            v.words[static_cast<size_t>(n)] = word(n);
        Main& m = app->main();
        v.texts = {m.lblvcofreq->text(), m.lblpfd_freq->text(), m.lblcrystal->text(),
                   m.lblRxCLK->text(),   m.lblDemodBW->text(),  m.Lblfskdev->text(),
                   m.lblNhex->text(),    m.lblOSChex->text(),   m.lblRxCLKhex->text()};
        v.crystal = w().CrystalFrequencyMHz;
        v.pfd = w().PfdFrequencyMHz;
        v.rf = w().RfFrequencyMHz;
        v.demodClock = w().DemodClockMHz;
        v.deviation = w().ActualDeviationKHz;
        return v;
    }
    QStringList dividers() { return {s().LblR->text(), s().LblN->text(), s().LblF->text()}; }

    // Types the three boxes key by key, as the user does.
    void type(const QString& rf, const QString& pfd, const QString& crystal) {
        typeInto(s().txtVCOout1, rf);
        typeInto(s().txtpfd1, pfd);
        typeInto(s().TxtCrystal1, crystal);
    }
};

// A 26 MHz crystal needs an IF filter divider of 520, above its nine bits: the receiver clocks
// cannot follow the crystal, so nothing of the plan is kept (not R0, R1 and R11 planned for
// 26 MHz beside R3, R4 and R6 of 11.0592 MHz). The same with a PFD of 40 MHz, which first
// replaces the crystal by the PFD.
TEST_F(RefusedPlan, ACrystalTheReceiverClocksCannotFollowChangesNothing) {
    start();
    s().CmdCalculate->click(); // a plan of the window first, so its captions show dividers
    const Seen before = seen();
    const QStringList shownDividers = dividers();
    ASSERT_EQ(shownDividers, (QStringList{"1", "78", "16837"}));
    struct Case {
        const char* pfd;
        std::vector<QString> messages;
    } cases[] = {
        {"13", {kIFFilter520}},
        {"40",
         {QStringLiteral("Invalid Crystal Frequency"),
          QStringLiteral("Minimum N divide is 31. Please lower the PFD frequency by increasing "
                         "the R-divide or changing the XTAL frequency "),
          QStringLiteral("IF filter divide of 800 is above the maximum of 511. Please lower the "
                         "XTAL frequency")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pfd);
        services.messages.clear();
        type(QStringLiteral("868.3"), QString::fromLatin1(c.pfd), QStringLiteral("26"));
        s().CmdCalculate->click();
        EXPECT_EQ(messageTexts(), c.messages);
        EXPECT_EQ(services.messages.messages.back().title, QStringLiteral("Warning"));
        EXPECT_EQ(seen(), before);
        EXPECT_EQ(dividers(), shownDividers);
        // The boxes keep what was typed: the user corrects the entry there.
        EXPECT_EQ(s().TxtCrystal1->text(), QStringLiteral("26"));
    }

    // Back on the front panel the receiver still runs on the clocks of the crystal in force.
    s().returnToPanel->click();
    EXPECT_EQ(seen(), before);
    app->main().cmdAdvanced->click();
    EXPECT_EQ(app->frmDemod().lblDemodclk->text(), QStringLiteral("11.0592 MHz"));
    EXPECT_EQ(app->frmDemod().lblIFfilterclk->text(), QStringLiteral("50.0416 kHz"));
}

// The deviation planned again on the return must fit its nine bits at the new PFD and
// divide-by-2: 200 kHz is 296 steps at 11.0592 MHz, but 593 at 5.5296 MHz and, doubled for
// the low band's divide-by-2, 592. Such a plan is refused; one the deviation fits is taken.
TEST_F(RefusedPlan, ADeviationThatWouldNoLongerFitRefusesTheNewPfd) {
    Main& m = start();
    typeInto(m.TxtFSKdev, QStringLiteral("200"));
    ASSERT_EQ(f().TxDeviationField, 296 << 15);
    const Seen before = seen();
    struct Case {
        const char* rf;
        const char* pfd;
        const char* message;
    } cases[] = {
        {"868.3", "5.5296",
         "Deviation count of 593 is above the maximum of 511. Please lower the deviation"},
        {"433.92", "11.0592",
         "Deviation count of 592 is above the maximum of 511. Please lower the deviation"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rf);
        services.messages.clear();
        type(QString::fromLatin1(c.rf), QString::fromLatin1(c.pfd), QStringLiteral("11.0592"));
        s().CmdCalculate->click();
        EXPECT_EQ(messageTexts(), std::vector<QString>{QString::fromLatin1(c.message)});
        EXPECT_EQ(seen(), before);
        EXPECT_FALSE(s().lblVCOdiv2->isOn());
        // The fraction step starts with the same calculation and steps nothing either.
        services.messages.clear();
        s().cmdfdown->click();
        EXPECT_EQ(messageTexts(), std::vector<QString>{QString::fromLatin1(c.message)});
        EXPECT_EQ(seen(), before);
    }

    // A deviation that fits the new set-up lets the plan through, and the return plans it.
    typeInto(m.TxtFSKdev, QStringLiteral("100"));
    services.messages.clear();
    type(QStringLiteral("868.3"), QStringLiteral("5.5296"), QStringLiteral("11.0592"));
    s().CmdCalculate->click();
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(w().PfdFrequencyMHz, 5.5296f);
    s().returnToPanel->click();
    EXPECT_EQ(f().TxDeviationField, 296 << 15);
}

// A box whose own text is no entry refuses that text, not the set-up: a rate box left empty
// does not stop a new crystal, nor does a deviation already refused stop a new RF.
TEST_F(RefusedPlan, ABoxThatHoldsNoEntryDoesNotStopThePlan) {
    Main& m = start();
    typeInto(m.txtDatarate, QString());
    typeInto(m.TxtFSKdev, QStringLiteral("40O"));
    services.messages.clear();
    type(QStringLiteral("869"), QStringLiteral("11.0592"), QStringLiteral("22.1184"));
    s().CmdCalculate->click();
    EXPECT_EQ(w().CrystalFrequencyMHz, 22.1184f);
    EXPECT_EQ(s().LblR->text(), QStringLiteral("2"));
}

// The fraction step runs the calculation and steps from its dividers as one plan: a step
// whose N would pass its eight bits keeps the calculation out of the fields too. (Only the
// step up can get there, and no button runs it.)
TEST_F(RefusedPlan, AStepThatIsRefusedKeepsItsCalculationOutToo) {
    start();
    const Seen before = seen();
    type(QStringLiteral("870.3999"), QStringLiteral("3.4"), QStringLiteral("3.4"));
    s().StepFracUp();
    EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "Integer N divide of 256 is above the maximum of 255. Please "
                                  "raise the PFD frequency")});
    EXPECT_EQ(seen(), before);
    EXPECT_TRUE(s().LblN->text().isEmpty());

    // The calculation alone is taken: N 255, F 32767.
    services.messages.clear();
    s().CmdCalculate->click();
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(dividers(), (QStringList{"1", "255", "32767"}));
}

// "Advanced Demod" works its clocks out in single precision, as the crystal is held: the
// clock recovery of start-up (divider 35) runs at 11059.2 kHz / 35 = 315.97714 kHz.
TEST_F(RefusedPlan, TheDemodulatorWindowShowsClocksInSinglePrecision) {
    Main& m = start();
    m.cmdAdvanced->click();
    frmDemod& d = app->frmDemod();
    EXPECT_EQ(d.txtCDR->text(), QStringLiteral("35"));
    EXPECT_EQ(d.lblCDRclk->text(), QStringLiteral("315.9771 kHz"));
    EXPECT_EQ(d.lblDemodclk->text(), QStringLiteral("11.0592 MHz"));
    EXPECT_EQ(d.lblT4Frequency->text(), QStringLiteral("80.139 kHz"));
}

// A new demodulator divider is planned with the clock recovery that divides its clock: a CDR
// box left without a usable entry takes the divider in force again, so the demodulator clock
// and the clock recovery never come from two entries.
TEST_F(RefusedPlan, ADemodulatorDividerIsPlannedWithItsClockRecovery) {
    Main& m = start();
    m.cmdAdvanced->click();
    frmDemod& d = app->frmDemod();
    typeInto(d.txtCDR, QStringLiteral("3x"));
    typeInto(d.txtDemod, QStringLiteral("2"));
    evaltest::leaveBox(d.txtDemod);
    EXPECT_EQ(f().DemodClockDividerField, 2 << 6);
    EXPECT_EQ(f().CdrClockDividerField, 35 << 8);
    EXPECT_FLOAT_EQ(w().DemodClockMHz, 5.5296f);
    EXPECT_FLOAT_EQ(w().CdrClockKHz, 5529.6f / 35);
    EXPECT_EQ(d.txtCDR->text(), QStringLiteral("35"));
    EXPECT_EQ(d.lblCDRclk->text(), QStringLiteral("157.9886 kHz"));
}

// The direction and its plan are one choice. At a PFD of 3.4 MHz the receive LO of 870.5 MHz,
// 870.3 MHz, needs N = 255, but the channel itself in transmit N = 256, beyond its eight bits:
// choosing Tx is refused with the plan's message, Rx stays chosen and nothing moves, the
// read-outs included. Where both directions are planned, the choice is taken.
TEST_F(RefusedPlan, ADirectionWhosePlanIsRefusedIsNotChosen) {
    Main& m = start();
    m.optRx->click();
    type(QStringLiteral("870.5"), QStringLiteral("3.4"), QStringLiteral("3.4"));
    s().CmdCalculate->click();
    s().returnToPanel->click();
    ASSERT_EQ(f().IntegerNField, 255 << 19);
    const Seen before = seen();
    clearRecords();
    m.optTx->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "Integer N divide of 256 is above the maximum of 255. Please "
                                  "raise the PFD frequency")});
    EXPECT_TRUE(m.optRx->isChecked());
    EXPECT_FALSE(m.optTx->isChecked());
    EXPECT_EQ(f().TxRxField, bit(27));
    EXPECT_EQ(seen(), before);

    type(QStringLiteral("870.3"), QStringLiteral("3.4"), QStringLiteral("3.4"));
    s().CmdCalculate->click();
    s().returnToPanel->click();
    clearRecords();
    m.optTx->click();
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(m.optTx->isChecked());
    EXPECT_EQ(f().TxRxField, 0);
    EXPECT_EQ(f().IntegerNField, 255 << 19); // 870.3 / 3.4 = 255.97
}
