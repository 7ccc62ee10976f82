// The front panel's data-rate and deviation boxes: what each entry plans, what is refused and
// how the box and the messages say so.
#include "../support/userinput.h"
#include "pellionfixture.h"

#include "pellion/calc/datarate.h"
#include "pellion/calc/deviation.h"
#include "platform/entrymark.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace pellion;
using namespace pellion::test;

namespace {

// What the boxes take at the start-up set-up (crystal and PFD 11.0592 MHz, FSK, correlator).
const QString kRateTakes = QStringLiteral(
    "Data rate in kbit/s of at most 5 characters: a number from 1.353 to 201.4 at this set-up");
const QString kDeviationTakes =
    QStringLiteral("Desired deviation in kHz of at most 6 characters: 0 to 0.337, under half a "
                   "step: no deviation, or a number from 2.363 to 345.26 at this set-up");

const QString kJitter = QStringLiteral(
    "Clock Recovery Frequency and (32 x Desired Datarate) have more than 3% difference.. Less "
    "than 2% difference is reccomended");

// The receiver clock fields both plans write.
struct Clocks {
    double IFFilterDividerField;
    int32_t BbOffsetDividerField;
    int16_t DemodClockDividerField;
    int32_t CdrClockDividerField, SeqClockDividerField, PostDemodBwField, DiscrimBwField,
        KParityBit14Field, KParityBit29Field, TxDeviationField;
    friend bool operator==(const Clocks&, const Clocks&) = default;
};

} // namespace

struct RateAndDeviation : PellionFixture {
    Clocks clocks() {
        const auto& x = f();
        return {x.IFFilterDividerField, x.BbOffsetDividerField, x.DemodClockDividerField,
                x.CdrClockDividerField, x.SeqClockDividerField, x.PostDemodBwField,
                x.DiscrimBwField,       x.KParityBit14Field,    x.KParityBit29Field,
                x.TxDeviationField};
    }
    // Plans with a new crystal (and the PFD it divides) from the synthesizer window.
    void crystal(const QString& crystalMHz, const QString& pfdMHz) {
        synthform& s = app->synthform();
        s.txtpfd1->setText(pfdMHz);
        s.TxtCrystal1->setText(crystalMHz);
        s.CmdCalculate_Click();
        s.returnToPanel_Click();
    }
};

// The boxes' design texts "20" and "10" at the start-up crystal and PFD of 11.0592 MHz.
TEST_F(RateAndDeviation, DefaultRow) {
    Main& m = start();
    m.TxtFSKdev->setText(QStringLiteral("20.0"));
    m.txtDatarate->setText(QStringLiteral("10.0"));
    EXPECT_FLOAT_EQ(w().DeviationStepHz, 675.0f);
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("20.250"));
    EXPECT_EQ(m.lblRxCLK->text(), QStringLiteral("9.87"));
    const Clocks expected{221.0 * bit(20), 1 << 4,   1 << 6, 35 << 8, 111 << 16,
                          5 << 6,          138 << 4, 0,      bit(29), 30 << 15};
    EXPECT_EQ(clocks(), expected);
    EXPECT_EQ(m.lblRxCLKhex->text(), reglink::readoutText(word(3)));
    EXPECT_EQ(m.lblT4hex->text(), reglink::readoutText(word(6)));
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_FALSE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_TRUE(messageTexts().empty());
}

// The rate rounded to an integer must lie below 202: 201 is planned, 202 and 201.5 (which
// rounds to 202) are left alone, and the box says what it takes.
TEST_F(RateAndDeviation, EntryTestAt201And202) {
    Main& m = start();
    m.txtDatarate->setText(QStringLiteral("201"));
    EXPECT_EQ(f().CdrClockDividerField, 2 << 8); // CInt(1.72)
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
    const Clocks planned = clocks();
    for (const char* text : {"202", "201.5", "abc", "-5", "0", "", "10.000"}) {
        SCOPED_TRACE(text);
        m.txtDatarate->setText(QString::fromLatin1(text));
        EXPECT_EQ(clocks(), planned);
        EXPECT_TRUE(platform::isMarkedRefused(m.txtDatarate));
        EXPECT_EQ(m.txtDatarate->toolTip(), kRateTakes);
    }
    EXPECT_TRUE(messageTexts().empty());
    m.txtDatarate->setText(QStringLiteral("10"));
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_EQ(f().CdrClockDividerField, 35 << 8);
}

// A crystal of 12 MHz divides the demodulator clock by 2 for the FSK demodulators and by 3 for
// ASK.
TEST_F(RateAndDeviation, DemodulatorDividerAtTwelveMegahertz) {
    Main& m = start();
    crystal(QStringLiteral("12"), QStringLiteral("12"));
    EXPECT_EQ(f().DemodClockDividerField, 2 << 6);
    EXPECT_FLOAT_EQ(w().DemodClockMHz, 6.0f);
    m.cmbModulation->setCurrentIndex(2); // ASK
    EXPECT_EQ(f().DemodClockDividerField, 3 << 6);
    EXPECT_FLOAT_EQ(w().DemodClockMHz, 4.0f);
}

// The jitter check runs when the new rate gives the clock already shown: 100 and 101 both give
// the clock-recovery divider 3, 15% off 32 times the rate.
TEST_F(RateAndDeviation, JitterWarningWhenARetypedRateKeepsTheClock) {
    Main& m = start();
    m.txtDatarate->setText(QStringLiteral("100"));
    EXPECT_TRUE(messageTexts().empty());
    m.txtDatarate->setText(QStringLiteral("101"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{kJitter});
    EXPECT_EQ(services.messages.messages.front().title, QStringLiteral("Excessive Jitter Warning"));
    EXPECT_EQ(services.messages.messages.front().icon, platform::MsgIcon::Information);
    // A rate that changes the clock is not checked.
    services.messages.clear();
    m.txtDatarate->setText(QStringLiteral("150"));
    EXPECT_TRUE(messageTexts().empty());
}

// A divider that would be 0 changes nothing, without a message: crystal and PFD 2.5 MHz at
// 200 kbit/s give a clock-recovery divider of 0.
TEST_F(RateAndDeviation, ZeroDividerChangesNothing) {
    Main& m = start();
    w().CrystalFrequencyMHz = 2.5f;
    m.txtDatarate->setText(QStringLiteral("20"));
    clearRecords();
    const Clocks before = clocks();
    m.txtDatarate->setText(QStringLiteral("200"));
    EXPECT_EQ(clocks(), before);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_EQ(m.txtDatarate->toolTip(),
              QStringLiteral("Data rate in kbit/s: below 156.250 at this crystal frequency"));
}

// Values that do not fit their fields are refused with a message and change nothing; the same
// refusal is not said again while it stands (the plan run again from code).
TEST_F(RateAndDeviation, ValuesBeyondTheirFieldsAreRefusedOnce) {
    Main& m = start();
    const Clocks before = clocks();
    const QString cdr =
        QStringLiteral("CDR divide of 346 is above the maximum of 255. Please raise the data rate");
    m.txtDatarate->setText(QStringLiteral("1"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{cdr});
    EXPECT_EQ(services.messages.messages.front().title, QStringLiteral("Warning"));
    EXPECT_EQ(clocks(), before);
    EXPECT_TRUE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_EQ(m.txtDatarate->toolTip(), cdr + QStringLiteral("\n") + kRateTakes);
    m.cmbDemod->setCurrentIndex(0);
    m.cmbDemod->setCurrentIndex(1);
    EXPECT_EQ(messageTexts(), std::vector<QString>{cdr});
    EXPECT_EQ(clocks().CdrClockDividerField, before.CdrClockDividerField);

    // Taken again: a later refusal is said again.
    m.txtDatarate->setText(QStringLiteral("10"));
    clearRecords();
    m.txtDatarate->setText(QStringLiteral("1."));
    EXPECT_EQ(messageTexts(), std::vector<QString>{cdr});

    // The crystal 40 MHz would need an IF filter divider of 800.
    m.txtDatarate->setText(QStringLiteral("10"));
    clearRecords();
    const Clocks at11 = clocks();
    crystal(QStringLiteral("40"), QStringLiteral("10"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "IF filter divide of 800 is above the maximum of 511. Please "
                                  "lower the XTAL frequency")});
    EXPECT_EQ(clocks().IFFilterDividerField, at11.IFFilterDividerField);
    // The refused crystal changed nothing: a rate typed now is planned at 11.0592 MHz.
    evaltest::typeInto(m.txtDatarate, QStringLiteral("12"));
    evaltest::pressReturn(m.txtDatarate);
    EXPECT_EQ(messageTexts().size(), 1u);
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
    // A rate typed that does not fit: marked while typed, said once when it is committed, with
    // the rate kept.
    evaltest::typeInto(m.txtDatarate, QStringLiteral("1"));
    EXPECT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(platform::isMarkedRefused(m.txtDatarate));
    evaltest::pressReturn(m.txtDatarate);
    EXPECT_EQ(messageTexts().size(), 2u);
    EXPECT_EQ(messageTexts().back(), cdr + QStringLiteral("\n\nThe data rate is left at 12 kbps."));
    EXPECT_EQ(m.txtDatarate->text(), QStringLiteral("12"));
}

// Above 500 kHz the deviation box gives its message and nothing else.
TEST_F(RateAndDeviation, DeviationAboveFiveHundred) {
    Main& m = start();
    const Clocks before = clocks();
    m.TxtFSKdev->setText(QStringLiteral("501"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{calc::DeviationTooLargeText});
    EXPECT_EQ(services.messages.messages.front().icon, platform::MsgIcon::None);
    EXPECT_EQ(clocks(), before);
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("20.250"));
    EXPECT_FLOAT_EQ(w().ActualDeviationKHz, 20.25f);
}

// A count that does not fit the nine bits of the deviation field is refused with a message
// and changes nothing: 500 kHz at 11.0592 MHz gives 741, and with the divide-by-2 on 300 kHz
// gives the doubled 888. Negative deviations are refused without a message.
TEST_F(RateAndDeviation, DeviationCountsBeyondNineBitsAreRefused) {
    Main& m = start();
    const Clocks before = clocks();
    m.TxtFSKdev->setText(QStringLiteral("500"));
    const QString count741 = QStringLiteral(
        "Deviation count of 741 is above the maximum of 511. Please lower the deviation");
    EXPECT_EQ(messageTexts(), std::vector<QString>{count741});
    EXPECT_EQ(clocks(), before);
    EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_EQ(m.TxtFSKdev->toolTip(), count741 + QStringLiteral("\n") + kDeviationTakes);
    // Planned again from code with the same text: not said twice.
    m.optRx->setChecked(true);
    m.optTx->setChecked(true);
    EXPECT_EQ(messageTexts(), std::vector<QString>{count741});

    clearRecords();
    m.TxtFSKdev->setText(QStringLiteral("-5"));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_EQ(m.TxtFSKdev->toolTip(), kDeviationTakes);
    EXPECT_EQ(clocks(), before);

    m.TxtFSKdev->setText(QStringLiteral("20"));
    EXPECT_FALSE(platform::isMarkedRefused(m.TxtFSKdev));
}

// A deviation of 1 kHz programs 0.675 kHz, whose correlator discriminator would need 4092:
// above the ten bits of its field, so refused with a message and nothing changed.
TEST_F(RateAndDeviation, DiscriminatorBeyondTenBitsIsRefused) {
    Main& m = start();
    const Clocks before = clocks();
    m.TxtFSKdev->setText(QStringLiteral("1"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "Discriminator setting of 4092 is above the maximum of 1023. "
                                  "Please raise the deviation")});
    EXPECT_EQ(clocks(), before);
    EXPECT_FLOAT_EQ(w().ActualDeviationKHz, 20.25f);
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("20.250"));
    EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
}

// With the divide-by-2 on the chip needs twice the count for the same deviation at the antenna.
TEST_F(RateAndDeviation, DivideByTwoDoublesTheStoredCount) {
    Main& m = start();
    synthform& s = app->synthform();
    s.txtVCOout1->setText(QStringLiteral("433.92"));
    s.CmdCalculate_Click();
    s.returnToPanel_Click(); // back to the panel, which plans the deviation again
    ASSERT_EQ(f().VcoDiv2Field, bit(13));
    EXPECT_EQ(f().TxDeviationField, 60 << 15);
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("20.250"));
    clearRecords();
    m.TxtFSKdev->setText(QStringLiteral("300"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "Deviation count of 888 is above the maximum of 511. Please "
                                  "lower the deviation")});
    EXPECT_EQ(f().TxDeviationField, 60 << 15);
}
