// The synthesizer window over its plan: defaults, the reference doubler and the output divider,
// the fraction steps, the refusals, and what the plan brings up to date on the front panel.
#include "tessarinefixture.h"

#include "../support/userinput.h"

#include "evalkit/clockoutwindow.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "tessarine/calc/modulation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace tessarine;
using namespace tessarine::test;

namespace {

struct Synth : TessarineFixture {
    Main* m = nullptr;
    synthform* s = nullptr;

    void SetUp() override {
        TessarineFixture::SetUp();
        m = &start();
        m->synthSettings->click();
        s = &app->synthform();
        clearRecords();
    }
    void enter(const char* rf, const char* pfd, const char* crystal) {
        s->txtVCOout1->setText(QString::fromLatin1(rf));
        s->txtpfd1->setText(QString::fromLatin1(pfd));
        s->TxtCrystal1->setText(QString::fromLatin1(crystal));
    }
    std::vector<QString> dividers() const {
        return {s->LblR->text(), s->LblN->text(), s->LblF->text()};
    }
};

std::vector<QString> rnf(int r, int n, int f) {
    return {QString::number(r), QString::number(n), QString::number(f)};
}

} // namespace

TEST_F(Synth, DefaultsGiveR3N235F2218AndThePowerOnWords) {
    EXPECT_EQ(services.shower.names(), QStringList{QStringLiteral("synthform")});
    EXPECT_EQ(s->windowTitle(), QStringLiteral("RF Output Frequency"));
    EXPECT_EQ(s->txtVCOout1->text(), QStringLiteral("868.299988"));
    EXPECT_EQ(s->txtpfd1->text(), QStringLiteral("3.686400"));
    EXPECT_EQ(s->TxtCrystal1->text(), QStringLiteral("11.059200"));
    EXPECT_EQ(s->Lblprescaler1->text(), QStringLiteral("4/5"));
    EXPECT_FALSE(s->optDoubler->isChecked());
    EXPECT_EQ(s->cmbVCODivide->currentIndex(), 0);
    // The load puts its own dividers into the working values, not into the fields.
    EXPECT_EQ(w().IntegerN, 47);
    EXPECT_EQ(w().FracN, 2752);
    EXPECT_EQ(word(1), 0x3AE2A9u);

    s->CmdCalculate->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{});
    EXPECT_EQ(dividers(), rnf(3, 235, 2218));
    EXPECT_EQ(s->txtVCOout1->text(), QStringLiteral("868.30017"));
    EXPECT_EQ(s->txtpfd1->text(), QStringLiteral("3.68640"));
    EXPECT_EQ(s->TxtCrystal1->text(), QStringLiteral("11.05920"));
    EXPECT_EQ(m->lblvcofreq->text(), QStringLiteral("868.30017MHz"));
    EXPECT_EQ(m->lblpfd_freq->text(), QStringLiteral("3.68640MHz"));
    EXPECT_EQ(m->lblcrystal->text(), QStringLiteral("11.05920MHz"));
    EXPECT_EQ(w().IntegerN, 235);
    EXPECT_EQ(w().FracN, 2218);
    EXPECT_EQ(w().RDivider, 3);
    EXPECT_EQ(readoutTexts(), PowerOnReadouts);
    EXPECT_EQ(readoutMarks(), allMarks(Mark::Changed));
    // The deviation and the clock-out follow the plan.
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("60.075 kHz"));
    EXPECT_EQ(w().DeviationStepHz, 225.0f);
    EXPECT_TRUE(app->isLoaded(QStringLiteral("frmClockOut")));
    EXPECT_EQ(m->LblClockout->text(), QStringLiteral("Off"));
    // Nothing is written.
    EXPECT_TRUE(usb.writtenWords().empty());
}

// The doubler and the output divider go into R as they are chosen: returning without a
// calculation leaves R showing, marked, the word its "Update" sends.
TEST_F(Synth, DoublerAndOutputDividerAreShownMarkedUntilWritten) {
    m->ConnectUSB->click();
    m->cmdUpdateAll->click();
    ASSERT_EQ(m->lblRhex->mark(), Mark::ButtonFace);
    QTest::mouseClick(s->optDoubler, Qt::LeftButton);
    evaltest::chooseItem(s->cmbVCODivide, QStringLiteral("Divide by 8"));
    s->returnToPanel->click();
    EXPECT_EQ(m->lblRhex->text(), QStringLiteral("0x60A6000"));
    EXPECT_EQ(m->lblRhex->mark(), Mark::Changed);
    clearRecords();
    m->cmdR->click();
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x060A6000u});
    EXPECT_EQ(m->lblRhex->mark(), Mark::ButtonFace);
    // Unticking the doubler again brings back a word that differs from the one written.
    m->synthSettings->click();
    QTest::mouseClick(app->synthform().optDoubler, Qt::LeftButton);
    EXPECT_EQ(m->lblRhex->text(), QStringLiteral("0x6086000"));
    EXPECT_EQ(m->lblRhex->mark(), Mark::Changed);
}

TEST_F(Synth, DoublerGivesR6WithTheSameNAndF) {
    s->optDoubler->setChecked(true);
    EXPECT_EQ(w().DoublerFactor, 2);
    EXPECT_EQ(f().DoublerField, 1 << 17);
    // The doubler bit is in R at once; the divider follows at the calculation.
    EXPECT_EQ(m->lblRhex->text(), QStringLiteral("0xA6000"));
    s->CmdCalculate->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{});
    EXPECT_EQ(dividers(), rnf(6, 235, 2218));
    EXPECT_EQ(word(0), (6u << 13) | (1u << 17) | (1u << 19));
    EXPECT_EQ(m->lblRhex->text(), QStringLiteral("0xAC000"));
    EXPECT_EQ(word(1), 0x3AE2A9u);

    s->optDoubler->setChecked(false);
    EXPECT_EQ(w().DoublerFactor, 1);
    EXPECT_EQ(f().DoublerField, 0);
}

// With the doubler the crystal needs only half the PFD: no message, the crystal kept.
TEST_F(Synth, CrystalCheckCountsTheDoubler) {
    s->optDoubler->setChecked(true);
    enter("868.3", "22.1184", "11.0592");
    s->CmdCalculate->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{});
    EXPECT_EQ(s->LblR->text(), QStringLiteral("1"));
    EXPECT_EQ(s->TxtCrystal1->text(), QStringLiteral("11.05920"));
    EXPECT_EQ(w().CrystalFrequencyMHz, 11.0592f);
}

TEST_F(Synth, OutputDividerIsStoredAndShownAtOnce) {
    s->cmbVCODivide->setCurrentIndex(3);
    EXPECT_EQ(f().VcoDivideField, 3 << 25);
    EXPECT_EQ(m->lblRhex->text(), QStringLiteral("0x6086000"));
    s->CmdCalculate->click();
    EXPECT_EQ(word(0), 0x86000u | (3u << 25));
    EXPECT_EQ(m->lblRhex->text(), QStringLiteral("0x6086000"));
    // The plan leaves the RF as the synthesizer makes it.
    EXPECT_EQ(s->txtVCOout1->text(), QStringLiteral("868.30017"));

    // A new load shows the stored settings.
    s->returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("synthform")));
    f().PrescalerField = 1 << 22;
    synthform& again = app->synthform();
    EXPECT_EQ(again.cmbVCODivide->currentIndex(), 3);
    EXPECT_EQ(again.Lblprescaler1->text(), QStringLiteral("8/9"));
    EXPECT_EQ(again.txtVCOout1->text(), QStringLiteral("868.300171"));
    EXPECT_EQ(w().IntegerN, 47);
    EXPECT_EQ(w().FracN, 2752);
}

TEST_F(Synth, FractionStepsCountOneAndCarryIntoN) {
    struct Case {
        const char* rf;
        bool up;
        int n, f;
    };
    const Case cases[] = {
        {"868.3", true, 235, 2219},
        {"868.3", false, 235, 2217},
        {"869.9895", true, 236, 0},   // F 4095 up
        {"737.28", false, 199, 4095}, // F 0 down
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rf);
        enter(c.rf, "3.6864", "11.0592");
        (c.up ? s->CmdFup : s->cmdfdown)->click();
        EXPECT_EQ(dividers(), rnf(3, c.n, c.f));
        EXPECT_EQ(word(1), (uint32_t(c.n) << 14) + (uint32_t(c.f) << 2) + 1u);
        EXPECT_EQ(m->lblNhex->text(), reglink::wholeWordText(word(1)));
        EXPECT_EQ(m->lblvcofreq->text(), s->txtVCOout1->text() + QStringLiteral("MHz"));
    }
    EXPECT_EQ(s->txtVCOout1->text(),
              platform::formatSingle(platform::toSingle((4095 / 4096.0 + 199) * double{3.6864f}),
                                     u"#0.00000"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{});
}

// A divider that does not fit its field is refused with a warning naming the limit; nothing
// of the plan is stored.
TEST_F(Synth, DividersOutsideTheirFieldsAreRefusedAndNothingChanges) {
    struct Case {
        const char* rf;
        const char* pfd;
        const char* crystal;
        const char* message;
    };
    const Case cases[] = {
        {"868.3", "2", "40",
         "R divide of 20 is above the maximum of 15. Please raise the PFD frequency or lower "
         "the XTAL frequency"},
        {"950", "3.6864", "11.0592",
         "Integer N divide of 257 is above the maximum of 255. Please raise the PFD frequency"},
    };
    s->CmdCalculate->click();
    connectUsb();
    m->cmdUpdateAll->click();
    const auto fields = f();
    const auto working = w();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        clearRecords();
        enter(c.rf, c.pfd, c.crystal);
        s->CmdCalculate->click();
        ASSERT_EQ(services.messages.messages.size(), 1u);
        EXPECT_EQ(services.messages.messages[0].text, QString::fromLatin1(c.message));
        EXPECT_EQ(services.messages.messages[0].icon, platform::MsgIcon::Critical);
        EXPECT_EQ(services.messages.messages[0].title, QStringLiteral("Warning"));
        EXPECT_EQ(f().RDividerField, fields.RDividerField);
        EXPECT_EQ(f().IntegerNField, fields.IntegerNField);
        EXPECT_EQ(f().FracNField, fields.FracNField);
        EXPECT_EQ(w().PfdFrequencyMHz, working.PfdFrequencyMHz);
        EXPECT_EQ(w().CrystalFrequencyMHz, working.CrystalFrequencyMHz);
        EXPECT_EQ(dividers(), rnf(3, 235, 2218));
        EXPECT_EQ(s->txtVCOout1->text(), QString::fromLatin1(c.rf));
        EXPECT_EQ(readoutMarks(), allMarks(Mark::ButtonFace));
        // The fraction steps refuse alike.
        s->CmdFup->click();
        EXPECT_EQ(dividers(), rnf(3, 235, 2218));
        EXPECT_TRUE(usb.writtenWords().empty());
    }
}

// A refused entry is emptied, with its message; a PFD of 0 is such an entry, never a division.
TEST_F(Synth, RefusedEntriesAreEmptiedAndNothingIsPlanned) {
    struct Case {
        const char* rf;
        const char* pfd;
        const char* crystal;
        QLineEdit* synthform::*box;
        const char* message;
    };
    const Case cases[] = {
        {"abc", "3.6864", "11.0592", &synthform::txtVCOout1, "Invalid entry in RF Frequency."},
        {"868.3", "0", "11.0592", &synthform::txtpfd1,
         "Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)"},
        {"868.3", "-2", "11.0592", &synthform::txtpfd1,
         "Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)"},
        {"868.3", "3.6864", "", &synthform::TxtCrystal1, "Invalid entry in Crystal Frequency."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        clearRecords();
        enter(c.rf, c.pfd, c.crystal);
        if (c.rf[0] == 'a')
            s->cmdfdown->click(); // a step calculates first, and stops alike
        else
            s->CmdCalculate->click();
        EXPECT_EQ(messageTexts(), std::vector<QString>{QString::fromLatin1(c.message)});
        EXPECT_EQ(services.messages.messages[0].icon, platform::MsgIcon::Exclamation);
        EXPECT_TRUE((s->*c.box)->text().isEmpty());
        EXPECT_TRUE(s->LblN->text().isEmpty());
        EXPECT_EQ(word(1), 0x3AE2A9u);
        EXPECT_EQ(w().IntegerN, 47);
    }
}

// The button's calculation and its step are one plan: a step out of N's field keeps the
// calculation out of the fields too.
TEST_F(Synth, FractionStepOutOfNsFieldIsRefusedWithItsCalculation) {
    enter("868.3", "3.6864", "11.0592");
    s->CmdCalculate->click();
    const auto before = dividers();
    const uint32_t n = word(1);
    enter("943.7175", "3.6864", "11.0592"); // N 255, F 4095
    s->CmdFup->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "Integer N divide of 256 is above the maximum of 255. Please "
                                  "raise the PFD frequency")});
    EXPECT_EQ(dividers(), before);
    EXPECT_EQ(word(1), n);
    EXPECT_EQ(s->txtVCOout1->text(), QStringLiteral("943.7175"));
    // The calculation alone is taken.
    s->CmdCalculate->click();
    EXPECT_EQ(dividers(), rnf(3, 255, 4095));
    EXPECT_EQ(word(1), (255u << 14) + (4095u << 2) + 1u);
}

// The low-PFD warning judges the PFD the dividers are planned with, against the threshold of
// the prescaler chosen.
TEST_F(Synth, LowPfdWarningFollowsThePrescaler) {
    enter("433.92", "2.7648", "11.0592");
    s->CmdCalculate->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{calc::PfdTooLowText});
    EXPECT_EQ(services.messages.messages[0].title, QStringLiteral("Warning"));
    EXPECT_EQ(dividers(), rnf(4, 156, 3868));
    clearRecords();
    f().PrescalerField = 1 << 22;
    s->CmdCalculate->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{});
}

// After each plan the FSK deviation count is counted again in steps of the new PFD, or the
// Gaussian settings are, for the Gaussian schemes.
TEST_F(Synth, ThePlanBringsTheDeviationOrTheGaussianSettingsUpToDate) {
    m->TxtFSKdev->setText(QStringLiteral("50"));
    s->CmdCalculate->click();
    EXPECT_EQ(f().TxDeviationField, 222 << 11); // 50 kHz / 225 Hz
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("49.950 kHz"));
    EXPECT_EQ(m->lblMhex->text(), reglink::wholeWordText(word(2)));

    // A deviation the field cannot hold is refused in its box, the count kept.
    m->TxtFSKdev->setText(QStringLiteral("200"));
    s->CmdCalculate->click();
    EXPECT_EQ(f().TxDeviationField, 222 << 11);
    EXPECT_TRUE(platform::isMarkedRefused(m->TxtFSKdev));

    f().ModulationSchemeField = calc::SchemeGfsk;
    m->cmbModulation->setCurrentIndex(1);
    s->CmdCalculate->click();
    EXPECT_EQ(f().TxDeviationField, 64 << 11);
    EXPECT_EQ(f().GfskModControlField, 0);
    EXPECT_EQ(f().GfskIndexCounterField, 0);
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("0.900 kHz"));
    EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("0.900"));
    EXPECT_EQ(m->lblDatarate->text(), QStringLiteral("3.600 kbps"));
    EXPECT_EQ(m->lblMhex->text(), reglink::wholeWordText(word(2)));
    EXPECT_TRUE(usb.writtenWords().empty());
}

TEST_F(Synth, ReturnUnloadsWithNothingCalculatedOrWritten) {
    enter("869", "3.6864", "11.0592");
    s->returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("synthform")));
    EXPECT_EQ(word(1), 0x3AE2A9u);
    EXPECT_EQ(w().RfFrequencyMHz, 868.3f);
    EXPECT_TRUE(usb.lines().empty());
}
