// Corvane-N's IF bandwidths and the fine-calibration tones that follow them: the list, the
// tones from the table when a bandwidth is chosen and when the synthesizer calculates, and
// the values the table does not know or the fields cannot hold.
#include "corvanenfixture.h"

#include "corvane/calc/iftones.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace corvanen::test;

namespace {

struct BandwidthTones : CorvaneNFixture {
    corvane::Main* m = nullptr;
    void SetUp() override {
        CorvaneNFixture::SetUp();
        m = &start();
        clearRecords();
    }
    int32_t upper() const { return app->f().IFCalUpperToneField >> UpperToneShift; }
    int32_t lower() const { return app->f().IFCalLowerToneField >> LowerToneShift; }
    // A calculation at another crystal, its PFD the crystal itself.
    void calculateAtCrystal(const char* crystal) {
        corvane::synthform& s = app->synthform();
        s.TxtCrystal1->setText(QString::fromLatin1(crystal));
        s.txtpfd1->setText(QString::fromLatin1(crystal));
        s.CmdCalculate->click();
        s.returnToPanel->click();
    }
};

TEST_F(BandwidthTones, EachBandwidthGivesItsTonesAtTheDefaultCrystal) {
    struct Case {
        int index;
        const char* item;
        int32_t upper, lower;
    } cases[] = {{0, "9kHz", 85, 126}, {1, "13.5kHz", 85, 124}, {2, "18.5kHz", 83, 126}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        m->cmbIFBW->setCurrentIndex(c.index);
        EXPECT_EQ(m->cmbIFBW->currentText(), QString::fromLatin1(c.item));
        EXPECT_EQ(f().IFFilterBandwidthField, c.index * BandwidthStep);
        EXPECT_EQ(upper(), c.upper);
        EXPECT_EQ(lower(), c.lower);
        EXPECT_EQ(bits(word(4), 30, 2), uint32_t(c.index));
        // Refreshed at once, written only by the Update button or the calibration window.
        EXPECT_EQ(m->lblT4hex->text(), reglink::readoutText(word(6)));
        EXPECT_EQ(m->lblDEMODhex->text(), reglink::readoutText(word(4)));
    }
    EXPECT_TRUE(usb.writtenWords().empty());
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(BandwidthTones, ChoosingABandwidthReplacesTonesTypedIntoTheCalibrationWindow) {
    m->cmbIFBW->setCurrentIndex(0);
    corvane::frmIFCal& cal = app->frmIFCal();
    cal.upperTone->setText(QStringLiteral("100"));
    cal.lowerTone->setText(QStringLiteral("90"));
    ASSERT_EQ(upper(), 100);
    ASSERT_EQ(lower(), 90);
    cal.returnToPanel->click();
    m->cmbIFBW->setCurrentIndex(1);
    EXPECT_EQ(upper(), 85);
    EXPECT_EQ(lower(), 124);
    corvane::frmIFCal& again = app->frmIFCal();
    EXPECT_EQ(again.upperTone->text(), QStringLiteral("85"));
    EXPECT_EQ(again.lowerTone->text(), QStringLiteral("124"));
}

// A bandwidth field the list cannot set has no row: neither the list nor the calculation
// touches the tones.
TEST_F(BandwidthTones, AFieldValueOutsideTheTableLeavesTheTones) {
    f().IFFilterBandwidthField = 3 * BandwidthStep;
    f().IFCalUpperToneField = 77 << UpperToneShift;
    f().IFCalLowerToneField = 99 << LowerToneShift;
    m->cmbIFBW->setCurrentIndex(-1);
    EXPECT_EQ(upper(), 77);
    EXPECT_EQ(lower(), 99);
    calculateAtCrystal("16");
    EXPECT_EQ(upper(), 77);
    EXPECT_EQ(lower(), 99);
    EXPECT_EQ(f().IFFilterBandwidthField, 3 * BandwidthStep);
    EXPECT_EQ(app->w().CrystalFrequencyMHz, 16.0f); // the calculation did run
}

// The Calculate path takes the tones from the same table, where corvane-eval divides by 263
// and 131.6 whatever the bandwidth.
TEST_F(BandwidthTones, TheCalculationTakesTheTonesOfTheChosenBandwidth) {
    m->cmbIFBW->setCurrentIndex(0);
    calculateAtCrystal("16");
    EXPECT_EQ(upper(), 69);  // 16000 / 232.6 = 68.79
    EXPECT_EQ(lower(), 102); // 16000 / 156.2 = 102.43
    m->cmbIFBW->setCurrentIndex(1);
    EXPECT_EQ(lower(), 101); // 16000 / 158.8 = 100.76

    platform::RecordingServices evalServices{corvane::CorvaneApp::programTitle()};
    board::RecordingSkerry evalUsb;
    board::RecordingParllio evalPort;
    corvane::CorvaneApp eval(evalServices.view(), evalUsb, evalPort);
    corvane::Main& e = eval.start();
    e.cmbIFBW->setCurrentIndex(0);
    corvane::synthform& s = eval.synthform();
    s.TxtCrystal1->setText(QStringLiteral("16"));
    s.txtpfd1->setText(QStringLiteral("16"));
    s.CmdCalculate->click();
    EXPECT_EQ(eval.f().IFCalUpperToneField >> UpperToneShift, 61);  // 16000 / 263
    EXPECT_EQ(eval.f().IFCalLowerToneField >> LowerToneShift, 122); // 16000 / 131.6
    e.cmbIFBW->setCurrentIndex(1); // corvane-eval's list leaves the tones alone
    EXPECT_EQ(eval.f().IFCalLowerToneField >> LowerToneShift, 122);
}

// 12019 / 238 = 50.500000224: held in single precision it is 50.5, which rounds to even.
TEST_F(BandwidthTones, TheUpperQuotientOf238IsHeldInSinglePrecision) {
    calculateAtCrystal("12.019");
    ASSERT_EQ(app->w().CrystalFrequencyMHz, 12.019f);
    EXPECT_EQ(upper(), 50);
    EXPECT_EQ(lower(), 77); // 12019 / 156.2 = 76.95
    m->cmbIFBW->setCurrentIndex(0);
    EXPECT_EQ(upper(), 52); // 12019 / 232.6 = 51.67, no single precision here
}

// From a crystal of about 39.9 MHz the lower tone reaches 256, which would run into the upper
// tone's bits: it is not stored, the upper one is.
TEST_F(BandwidthTones, ATableToneThatDoesNotFitItsFieldIsNotStored) {
    calculateAtCrystal("40");
    EXPECT_EQ(upper(), 168); // 40000 / 238 = 168.07
    EXPECT_EQ(lower(), 126); // 40000 / 156.2 = 256.08: kept from start-up
    f().IFCalLowerToneField = 120 << LowerToneShift;
    m->cmbIFBW->setCurrentIndex(0);
    EXPECT_EQ(upper(), 172); // 40000 / 232.6 = 171.97
    EXPECT_EQ(lower(), 120);
    EXPECT_EQ(bits(word(6), 13, 8), 172u);
    EXPECT_EQ(bits(word(6), 5, 8), 120u);
}

TEST(ToneTable, DivisorsOfEachRowAndNoneOffTheTable) {
    const corvane::calc::ToneSource& tones = corvanen::variant().tones;
    const auto nine = tones.divisorsFor(0);
    ASSERT_TRUE(nine);
    EXPECT_EQ(nine->upper, 232.6);
    EXPECT_EQ(nine->lower, 156.2);
    const auto wide = tones.divisorsFor(2 * BandwidthStep);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->upper, 238);
    EXPECT_TRUE(wide->upperInSingle);
    EXPECT_FALSE(tones.divisorsFor(3 * BandwidthStep));
    EXPECT_FALSE(tones.divisorsFor(1.5 * BandwidthStep));
    // corvane-eval's divisors stand for every bandwidth.
    const auto fixed = corvane::corvaneEval().tones.divisorsFor(3 * BandwidthStep);
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->upper, 263);
    EXPECT_EQ(fixed->lower, 131.6);
}

} // namespace
