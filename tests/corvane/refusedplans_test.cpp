// A plan that is refused in any of its steps changes nothing: the synthesizer window's RF
// checks and the deviation and receiver clocks that follow a new PFD or crystal, and the
// demodulator window's divider with the discriminator it brings.
#include "corvanefixture.h"

#include "../support/userinput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <array>

using namespace corvane;
using namespace corvane::test;
using evaltest::typeInto;

namespace {

struct RefusedPlan : CorvaneFixture {
    synthform& s() { return app->synthform(); }
    void type(const QString& rf, const QString& pfd, const QString& crystal) {
        typeInto(s().txtVCOout1, rf);
        typeInto(s().txtpfd1, pfd);
        typeInto(s().TxtCrystal1, crystal);
    }
    // What a plan could change that the chip gets or the user sees.
    struct Seen {
        std::array<uint32_t, 14> words;
        QStringList texts;
        int16_t R;
        double pfd;
        float crystal;
        friend bool operator==(const Seen&, const Seen&) = default;
    };
    Seen seen() {
        Seen v{};
        for (int n = 0; n < 14; ++n)
            v.words[static_cast<size_t>(n)] = word(n);
        Main& m = app->main();
        v.texts = {m.lblvcofreq->text(), m.lblpfd_freq->text(), m.lblcrystal->text(),
                   m.Lblfskdev->text(), m.lblRxCLK->text()};
        v.R = w().RDivider;
        v.pfd = w().PfdFrequencyMHz;
        v.crystal = w().CrystalFrequencyMHz;
        return v;
    }
};

} // namespace

// An RF outside the VCO bands ends the calculation: not even R is kept, so a fraction step
// afterwards still puts the R of the plan in force into R1 beside its N and F.
TEST_F(RefusedPlan, AnRfOutsideTheBandsKeepsRAsItWas) {
    start();
    s().CmdCalculate->click();
    const Seen before = seen();
    const uint32_t r1 = word(1);
    type(QStringLiteral("1000"), QStringLiteral("9.84"), QStringLiteral("19.68"));
    s().CmdCalculate->click();
    EXPECT_EQ(messageTexts().back(),
              QStringLiteral("Frequency outside of VCO Range for Internal VCO inductor! Please "
                             "consult the Corvane datasheet for achievable frequency ranges"));
    EXPECT_EQ(seen(), before);
    EXPECT_EQ(s().LblR->text(), QStringLiteral("1"));

    typeInto(s().txtVCOout1, QStringLiteral("869.5"));
    s().CmdFup->click();
    EXPECT_EQ(s().LblR->text(), QStringLiteral("1"));
    EXPECT_EQ(word(1), r1);
}

// The return to the front panel counts the deviation again for the new PFD and divide-by-2:
// 100 kHz is 333 steps of 300.29 Hz at 19.68 MHz, but at 4.92 MHz with the low band's
// divide-by-2 it would be 2 x 1332, beyond the eleven bits. The plan is refused.
TEST_F(RefusedPlan, ADeviationTheNewPfdCannotCountRefusesThePlan) {
    Main& m = start();
    typeInto(m.TxtFSKdev, QStringLiteral("100"));
    ASSERT_EQ(f().TxDeviationField, 333 << 19);
    s().CmdCalculate->click();
    const Seen before = seen();
    services.messages.clear();
    type(QStringLiteral("433.92"), QStringLiteral("4.92"), QStringLiteral("19.68"));
    s().CmdCalculate->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral(
                  "Deviation count of 2664 is above the maximum of 2047. Please lower the "
                  "deviation or raise the PFD frequency")});
    EXPECT_EQ(seen(), before);
    EXPECT_FALSE(s().lblVCOdiv2->isOn());
    s().returnToPanel->click();
    EXPECT_EQ(seen(), before);

    // With a deviation the new set-up can count, the same plan is taken.
    typeInto(m.TxtFSKdev, QStringLiteral("20"));
    m.cmdSynthform->click();
    type(QStringLiteral("433.92"), QStringLiteral("4.92"), QStringLiteral("19.68"));
    s().CmdCalculate->click();
    EXPECT_EQ(w().PfdFrequencyMHz, 4.92);
    s().returnToPanel->click();
    EXPECT_EQ(f().TxDeviationField, (2 * 266) << 19);
}

// A demodulator divider whose clock gives a discriminator code beyond its ten bits is refused
// before anything of it is stored: the clock, the clock recovery and the code stay.
TEST_F(RefusedPlan, ADemodulatorDividerTheDiscriminatorCannotFollowChangesNothing) {
    start();
    frmDemod& d = app->frmDemod();
    const Seen before = seen();
    const float clock = w().DemodClockMHz;
    const int32_t discrim = f().DiscrimBwField;
    typeInto(d.txtDemod, QStringLiteral("2")); // 9.84 MHz: a code of 1170
    evaltest::leaveBox(d.txtDemod);
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral(
                  "Largest Discrim B/W setting is 660. You will need to increase the demod clock "
                  "to increase the disrcim b/w. See notes on register 4 in Corvane Datasheet")});
    EXPECT_EQ(w().DemodClockMHz, clock);
    EXPECT_EQ(f().DiscrimBwField, discrim);
    EXPECT_EQ(seen(), before);
    EXPECT_EQ(d.txtDemod->text(), QStringLiteral("4"));
    EXPECT_EQ(d.lblDemodclk->text(), QStringLiteral("4.9200 MHz"));
}

// The direction and its plan are one choice. At a PFD of 3.4 MHz the receive LO of 870.45 MHz,
// 870.35 MHz, needs N = 255, the channel itself in transmit N = 256, beyond its eight bits:
// choosing Tx is refused with the plan's message, Rx stays chosen and nothing moves, the
// read-outs included.
TEST_F(RefusedPlan, ADirectionWhosePlanIsRefusedIsNotChosen) {
    Main& m = start();
    m.optRx->click();
    type(QStringLiteral("870.45"), QStringLiteral("3.4"), QStringLiteral("6.8"));
    s().CmdCalculate->click();
    s().returnToPanel->click();
    ASSERT_EQ(f().IntegerNField, 255 << 19);
    const Seen before = seen();
    const QString r0 = m.readout(0)->text();
    clearRecords();
    m.optTx->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "Integer N divide of 256 is above the maximum of 255. Please "
                                  "raise the PFD frequency")});
    EXPECT_TRUE(m.optRx->isChecked());
    EXPECT_FALSE(m.optTx->isChecked());
    EXPECT_EQ(f().TxRxField, 1 << 27);
    EXPECT_EQ(seen(), before);
    EXPECT_EQ(m.readout(0)->text(), r0);
}
