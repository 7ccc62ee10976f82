// The advanced demodulator window: what its load shows and stores, its divider, bandwidth and
// discriminator entries, the lock threshold and "Auto Calc Clocks".
#include "pellionfixture.h"

#include "pellion/calc/demod.h"
#include "platform/entrymark.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace pellion;
using namespace pellion::test;

struct Demod : PellionFixture {
    // The receiver clock fields of the power-on state: IF filter 240, baseband code 1,
    // demodulator 1, clock recovery 10, sequencer 120.
    void powerOnClocks() {
        f().IFFilterDividerField = 240.0 * bit(20);
        f().BbOffsetDividerField = 1 << 4;
        f().DemodClockDividerField = 1 << 6;
        f().CdrClockDividerField = 10 << 8;
        f().SeqClockDividerField = 120 << 16;
    }
    frmDemod& open() {
        start();
        return app->frmDemod();
    }
    // The user leaves the control for another one of the window.
    static void leave(QWidget* control, Qt::FocusReason reason = Qt::TabFocusReason) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(control, &out);
    }
};

TEST_F(Demod, LoadShowsTheDividersAndTheirClocks) {
    start();
    powerOnClocks();
    clearRecords();
    frmDemod& d = app->frmDemod();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Advanced Demod Settings"));
    EXPECT_EQ(d.txtIFFilter->text(), QStringLiteral("240"));
    EXPECT_EQ(d.txtBBOffset->text(), QStringLiteral("8"));
    EXPECT_EQ(d.txtDemod->text(), QStringLiteral("1"));
    EXPECT_EQ(d.txtCDR->text(), QStringLiteral("10"));
    EXPECT_EQ(d.txtSeq->text(), QStringLiteral("120"));
    EXPECT_EQ(d.lblIFfilterclk->text(), QStringLiteral("46.0800 kHz"));
    EXPECT_EQ(d.lblBBoffsetclk->text(), QStringLiteral("1.3824 MHz"));
    EXPECT_EQ(d.lblDemodclk->text(), QStringLiteral("11.0592 MHz"));
    EXPECT_EQ(d.lblCDRclk->text(), QStringLiteral("1105.9200 kHz"));
    EXPECT_EQ(d.lblSeqclk->text(), QStringLiteral("92.1600 kHz"));
    // The post-demodulator bandwidth and the discriminator of the start-up plan.
    EXPECT_EQ(d.txtDemodBW->text(), QStringLiteral("8.5943"));
    EXPECT_EQ(d.lblDemodBW->text(), QStringLiteral("8.5943kHz"));
    EXPECT_EQ(d.lblDemodBW_disp->text(), QStringLiteral("R4_DB(6:15) = 5"));
    EXPECT_EQ(d.txtT4delay->text(), QStringLiteral("138"));
    EXPECT_EQ(d.lblT4Frequency->text(), QStringLiteral("80.139 kHz"));
    EXPECT_EQ(f().DiscrimBwField, 138 << 4);
    EXPECT_EQ(d.cmbLockmode->currentIndex(), 0);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(usb.lines().empty());
}

// A clock-recovery divider above eight bits is shown balanced against the demodulator divider;
// the fields keep their values.
TEST_F(Demod, ClockRecoveryAboveEightBitsIsShownBalanced) {
    start();
    f().CdrClockDividerField = 600 << 8;
    frmDemod& d = app->frmDemod();
    EXPECT_EQ(d.txtCDR->text(), QStringLiteral("200"));
    EXPECT_EQ(d.txtDemod->text(), QStringLiteral("3"));
    EXPECT_EQ(f().CdrClockDividerField, 600 << 8);
    EXPECT_EQ(f().DemodClockDividerField, 1 << 6);
}

// The divide by 4 is stored as code 0 and shown as 4; the clock recovery and the
// discriminator follow the new demodulator clock.
TEST_F(Demod, DemodulatorBoxOfFour) {
    frmDemod& d = open();
    d.txtDemod->setText(QStringLiteral("4"));
    leave(d.txtDemod);
    EXPECT_EQ(f().DemodClockDividerField, 0);
    EXPECT_EQ(d.txtDemod->text(), QStringLiteral("4"));
    EXPECT_FLOAT_EQ(w().DemodClockMHz, 2.7648f);
    EXPECT_FLOAT_EQ(w().CdrClockKHz, 2764.8f / 35);
    // round(2764.8 / (20.25 x 4)) = 34
    EXPECT_EQ(f().DiscrimBwField, 34 << 4);
    EXPECT_EQ(d.txtT4delay->text(), QStringLiteral("34"));
    EXPECT_EQ(d.lblT4Frequency->text(), QStringLiteral("325.271 kHz"));
    EXPECT_EQ(d.lblDemodclk->text(), QStringLiteral("2.7648 MHz"));
}

// Focus that leaves for another program (or a message box) is no entry.
TEST_F(Demod, FocusToAnotherWindowIsNoEntry) {
    frmDemod& d = open();
    d.txtDemod->setText(QStringLiteral("2"));
    leave(d.txtDemod, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(f().DemodClockDividerField, 1 << 6);
}

TEST_F(Demod, ClockRecoveryOfZeroIsTakenAsOne) {
    frmDemod& d = open();
    d.txtCDR->setText(QStringLiteral("0"));
    leave(d.txtCDR);
    EXPECT_EQ(f().CdrClockDividerField, 1 << 8);
    EXPECT_EQ(d.txtCDR->text(), QStringLiteral("1"));
    EXPECT_FLOAT_EQ(w().CdrClockKHz, 11059.2f);
}

// A divider outside its field is refused with its message and the box shows the divider in
// force again; text that is not a number stays, marked.
TEST_F(Demod, DividersOutsideTheirFieldsAreRefused) {
    frmDemod& d = open();
    clearRecords();
    const double before = f().IFFilterDividerField;
    d.txtIFFilter->setText(QStringLiteral("600"));
    leave(d.txtIFFilter);
    EXPECT_EQ(messageTexts(), std::vector<QString>{calc::IFFilterLimitText});
    EXPECT_EQ(d.txtIFFilter->text(), QStringLiteral("221"));
    EXPECT_EQ(f().IFFilterDividerField, before);
    clearRecords();
    d.txtIFFilter->setText(QStringLiteral("abc"));
    leave(d.txtIFFilter);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(platform::isMarkedRefused(d.txtIFFilter));
    EXPECT_EQ(f().IFFilterDividerField, before);
    d.txtBBOffset->setText(QStringLiteral("16"));
    leave(d.txtBBOffset);
    EXPECT_EQ(f().BbOffsetDividerField, 2 << 4);
    EXPECT_FALSE(platform::isMarkedRefused(d.txtIFFilter));
}

TEST_F(Demod, PostDemodulatorBandwidthBox) {
    frmDemod& d = open();
    d.txtDemodBW->setText(QStringLiteral("10"));
    leave(d.txtDemodBW);
    EXPECT_EQ(f().PostDemodBwField, 6 << 6);
    EXPECT_EQ(d.lblDemodBW->text(), QStringLiteral("10.3132kHz"));
    EXPECT_EQ(app->main().lblDemodBW->text(), QStringLiteral("10.3132"));
    EXPECT_EQ(d.lblDemodBW_disp->text(), QStringLiteral("R4_DB(6:15) = 6"));
    d.txtDemodBW->setText(QStringLiteral("wide"));
    leave(d.txtDemodBW);
    EXPECT_EQ(f().PostDemodBwField, 6 << 6);
    EXPECT_TRUE(platform::isMarkedRefused(d.txtDemodBW));
}

// Above 600 the discriminator setting warns and is stored all the same; a setting outside the
// ten bits is marked on the box as it is typed, not told in a message, and not stored.
TEST_F(Demod, DiscriminatorBox) {
    frmDemod& d = open();
    clearRecords();
    d.txtT4delay->setText(QStringLiteral("601"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{calc::DiscrimWarningText});
    EXPECT_EQ(f().DiscrimBwField, 601 << 4);
    EXPECT_EQ(d.lblT4Frequency->text(), QStringLiteral("18.401 kHz"));
    clearRecords();
    for (const char* text : {"1024", "0", "x"}) {
        SCOPED_TRACE(text);
        d.txtT4delay->setText(QString::fromLatin1(text));
        EXPECT_TRUE(platform::isMarkedRefused(d.txtT4delay));
        EXPECT_EQ(f().DiscrimBwField, 601 << 4);
    }
    EXPECT_TRUE(messageTexts().empty());
    d.txtT4delay->setText(QStringLiteral("138"));
    EXPECT_FALSE(platform::isMarkedRefused(d.txtT4delay));
    EXPECT_EQ(f().DiscrimBwField, 138 << 4);
}

// Opening the window when the planned discriminator is above 600 warns at once; a deviation
// above 400 kHz would give a discriminator of 0, which changes nothing.
TEST_F(Demod, DiscriminatorOnOpening) {
    start();
    w().ActualDeviationKHz = 2.7f; // K 74
    clearRecords();
    frmDemod& d = app->frmDemod();
    EXPECT_EQ(messageTexts(), std::vector<QString>{calc::DiscrimWarningText});
    EXPECT_EQ(f().DiscrimBwField, 1023 << 4);
    EXPECT_EQ(d.txtT4delay->text(), QStringLiteral("1023"));
    d.returnToPanel->click();

    w().ActualDeviationKHz = 450;
    clearRecords();
    frmDemod& wide = app->frmDemod();
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(f().DiscrimBwField, 1023 << 4);
    EXPECT_EQ(wide.txtT4delay->text(), QStringLiteral("64"));
    EXPECT_EQ(wide.lblT4Frequency->text(), QStringLiteral("172.80 kHz"));
}

// The list shows the lock-threshold code the R4 word carries in bits 25..23.
TEST_F(Demod, LockThresholdList) {
    start();
    struct Case {
        double field;
        int32_t bit23;
        int entry;
    } cases[] = {
        {0, 0, 0},
        {0, bit(23), 1},
        {bit(24), 0, 2},
        {bit(24), bit(23), 3},
        // The sync-word window's code 3 x 2^23 beside the bit-23 field: still code 3.
        {3.0 * bit(23), bit(23), 3},
        {bit(25), 0, -1}, // no entry: the list stays without a choice
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + c.bit23);
        f().LockThresholdModeField = c.field;
        f().LockThresholdModeBit23Field = c.bit23;
        frmDemod& d = app->frmDemod();
        EXPECT_EQ(d.cmbLockmode->currentIndex(), c.entry);
        d.returnToPanel->click();
    }
    frmDemod& d = app->frmDemod();
    d.cmbLockmode->setCurrentIndex(2);
    EXPECT_EQ(f().LockThresholdModeField, double(bit(25))); // chosen, not yet left
    leave(d.cmbLockmode);
    EXPECT_EQ(f().LockThresholdModeField, double(bit(24)));
    EXPECT_EQ(f().LockThresholdModeBit23Field, 0);
}

// "Auto Calc Clocks" gives back the dividers of the last load and shows their clocks.
TEST_F(Demod, AutoCalcClocksRestoresTheLastLoad) {
    frmDemod& d = open();
    const int32_t cdr = f().CdrClockDividerField;
    const double ifFilter = f().IFFilterDividerField;
    f().CdrClockDividerField = 50 << 8;
    f().IFFilterDividerField = 100.0 * bit(20);
    d.lblCDRclk->clear();
    d.cmdautoClock->click();
    EXPECT_EQ(f().CdrClockDividerField, cdr);
    EXPECT_EQ(f().IFFilterDividerField, ifFilter);
    // Worked out in single precision, as the crystal is: 11059.2 / 35 = 315.97714.
    EXPECT_EQ(d.lblCDRclk->text(), QStringLiteral("315.9771 kHz"));
}

// The window changes fields only: nothing goes to the board, and the read-outs show each
// change at once.
TEST_F(Demod, EditsChangeFieldsOnlyAndAreShownAtOnce) {
    frmDemod& d = open();
    Main& m = app->main();
    const QString shown = m.lblRxCLKhex->text();
    clearRecords();
    d.txtCDR->setText(QStringLiteral("40"));
    leave(d.txtCDR);
    EXPECT_EQ(f().CdrClockDividerField, 40 << 8);
    EXPECT_EQ(m.lblRxCLKhex->text(), reglink::readoutText(word(3)));
    EXPECT_NE(m.lblRxCLKhex->text(), shown);
    EXPECT_EQ(m.lblRxCLKhex->mark(), reglink::RegisterReadout::Mark::Changed);
    d.returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmDemod")));
    EXPECT_EQ(m.lblRxCLKhex->text(), reglink::readoutText(word(3)));
    EXPECT_TRUE(usb.lines().empty());
}
