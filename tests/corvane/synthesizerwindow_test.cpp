// The synthesizer window driven through its controls.
#include "corvanefixture.h"

#include "../support/userinput.h"

#include "link/readouttext.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace corvane;
using namespace corvane::test;

using SynthWindow = CorvaneFixture;

TEST_F(SynthWindow, LoadFillsTheBoxesAndResetsTheWorkingDividers) {
    start();
    synthform& s = app->synthform();
    EXPECT_EQ(s.txtVCOout1->text(), QStringLiteral("869.500000"));
    EXPECT_EQ(s.txtpfd1->text(), QStringLiteral("19.680000"));
    EXPECT_EQ(s.TxtCrystal1->text(), QStringLiteral("19.680000"));
    EXPECT_EQ(w().IntegerN, 78);
    EXPECT_EQ(w().FracN, 16836);
    EXPECT_EQ(f().IntegerNField, 44 << 19); // the fields keep the programmed divider
    EXPECT_EQ(s.lblHeading->text(), QStringLiteral("Receiver LO Frequency (MHz)"));
    EXPECT_FALSE(s.lblVCOdiv2->isEnabled());
    EXPECT_TRUE(s.LblN->text().isEmpty());
}

TEST_F(SynthWindow, FractionButtonsDoNothingBeforeACalculation) {
    start();
    synthform& s = app->synthform();
    s.CmdFup->click();
    s.cmdfdown->click();
    EXPECT_TRUE(s.LblF->text().isEmpty());
    EXPECT_EQ(w().FracN, 16836);
}

TEST_F(SynthWindow, FractionStepsWithCarryAndBorrowThroughTheWindow) {
    Main& m = start();
    m.optTx->setChecked(true);
    synthform& s = app->synthform();
    s.CmdCalculate->click();
    EXPECT_EQ(s.LblN->text(), QStringLiteral("44"));
    EXPECT_EQ(s.LblF->text(), QStringLiteral("5961"));
    EXPECT_EQ(s.LblActualChnFreq->text(), QStringLiteral("869.500093 MHz"));
    EXPECT_EQ(s.frequencyStep->text(), QStringLiteral("Fstep = 600.59 Hz"));
    s.CmdFup->click();
    EXPECT_EQ(s.LblF->text(), QStringLiteral("5962"));
    EXPECT_EQ(f().FracNField, 5962 << 4);
    s.LblF->setText(QStringLiteral("32767"));
    s.CmdFup->click();
    EXPECT_EQ(s.LblN->text(), QStringLiteral("45"));
    EXPECT_EQ(s.LblF->text(), QStringLiteral("0"));
    s.cmdfdown->click();
    EXPECT_EQ(s.LblN->text(), QStringLiteral("44"));
    EXPECT_EQ(s.LblF->text(), QStringLiteral("32767"));
    EXPECT_EQ(w().IntegerN, 44);
}

// With the external inductor the divide-by-2 is the user's switch: R1 shows it at once.
TEST_F(SynthWindow, TheDivideBy2SwitchIsShownInR1AtOnce) {
    Main& m = start();
    evaltest::chooseItem(m.cmbVCO, 1);
    synthform& s = app->synthform();
    ASSERT_TRUE(s.lblVCOdiv2->isEnabled());
    m.cmdOsc->click();
    for (bool on : {!s.lblVCOdiv2->isOn(), s.lblVCOdiv2->isOn()}) {
        QTest::mouseClick(s.lblVCOdiv2, Qt::LeftButton);
        EXPECT_EQ(f().VcoDiv2Field, on ? 1 << 18 : 0);
        EXPECT_EQ(m.lblOSChex->text(), reglink::readoutText(word(1)));
        EXPECT_EQ(m.lblOSChex->mark(), reglink::RegisterReadout::Mark::Changed);
    }
}

TEST_F(SynthWindow, ReturnUnloadsAndReplansTheDeviation) {
    Main& m = start();
    m.cmbVCO->setCurrentIndex(1); // external inductor: the divide-by-2 is the user's
    synthform& s = app->synthform();
    s.txtVCOout1->setText(QStringLiteral("433.92"));
    s.lblVCOdiv2->setOn(true);
    s.CmdCalculate->click();
    s.returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("synthform")));
    EXPECT_EQ(f().VcoDiv2Field, 1 << 18);
    EXPECT_EQ(f().TxDeviationField, 14 << 19); // doubled with the divide-by-2
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("2.1021"));
}

TEST_F(SynthWindow, EmptyPfdBoxIsRefusedWithTheFocusGiven) {
    start();
    synthform& s = app->synthform();
    s.show();
    s.txtpfd1->clear();
    services.messages.clear();
    s.CmdCalculate->click();
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_EQ(messageTexts()[0],
              QStringLiteral("Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)"));
    EXPECT_EQ(services.messages.messages[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(services.messages.beeps, 1);
    EXPECT_TRUE(s.txtpfd1->text().isEmpty());
}

// Entries that cannot be planned change nothing of the plan that stands: a PFD above 40 MHz
// is the invalid PFD entry its message names (the box emptied); an RF outside every band and
// a crystal that the crystal check replaces leave the registers, the shared frequencies and
// the front panel's read-outs as they were.
TEST_F(SynthWindow, AbsurdEntriesLeaveTheLastGoodPlan) {
    Main& m = start();
    const QString invalidPfd =
        QStringLiteral("Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)");
    struct Case {
        const char* rf;
        const char* pfd;
        const char* crystal;
        QString firstMessage;
    } cases[] = {
        {"869.5", "99999999999999999999", "19.68", invalidPfd},
        {"869.5", "40.5", "19.68", invalidPfd},
        {"99999999999999999999", "19.68", "19.68",
         QStringLiteral("Frequency outside of VCO Range for Internal VCO inductor! Please "
                        "consult the Corvane datasheet for achievable frequency ranges")},
        {"-869.5", "19.68", "19.68",
         QStringLiteral("Frequency outside of VCO Range for Internal VCO inductor! Please "
                        "consult the Corvane datasheet for achievable frequency ranges")},
        {"869.5", "19.68", "99999999999999999999", QStringLiteral("Invalid Crystal Frequency")},
    };
    const auto state = [this, &m] {
        QStringList s;
        for (int n = 0; n < 16; ++n)
            s << QString::number(word(n), 16);
        s << QString::number(w().RfFrequencyMHz) << QString::number(w().PfdFrequencyMHz)
          << QString::number(w().CrystalFrequencyMHz) << QString::number(w().RDivider)
          << m.lblvcofreq->text() << m.lblpfd_freq->text() << m.lblcrystal->text();
        return s;
    };
    const QStringList before = state();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rf + std::string(" ") + c.pfd + " " + c.crystal);
        synthform& s = app->synthform();
        s.txtVCOout1->setText(QString::fromLatin1(c.rf));
        s.txtpfd1->setText(QString::fromLatin1(c.pfd));
        s.TxtCrystal1->setText(QString::fromLatin1(c.crystal));
        services.messages.clear();
        s.CmdCalculate->click();
        ASSERT_FALSE(messageTexts().empty());
        EXPECT_EQ(messageTexts()[0], c.firstMessage);
        if (c.firstMessage == invalidPfd) {
            EXPECT_EQ(messageTexts().size(), 1u);
            EXPECT_TRUE(s.txtpfd1->text().isEmpty());
        }
        EXPECT_EQ(state(), before);
        s.unload();
    }
    // 40 MHz itself is a PFD to plan with.
    synthform& s = app->synthform();
    s.txtpfd1->setText(QStringLiteral("40"));
    s.TxtCrystal1->setText(QStringLiteral("40"));
    services.messages.clear();
    s.CmdCalculate->click();
    EXPECT_EQ(w().PfdFrequencyMHz, 40.0);
    EXPECT_EQ(m.lblpfd_freq->text(), QStringLiteral("40.00000MHz"));
}
