// The clock-out window: ClockOutField, its frequency read-outs and the front
// panel's LblClockout caption.
#include "corvanefixture.h"
#include "platform/core/numbers.h"
#include "platform/selector.h"

#include <QLabel>
#include <QPushButton>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

// A read-out as the refresh writes it: the high half without leading zeros.
QString readoutText(uint32_t word) {
    return QStringLiteral("0x") + platform::hexText(word >> 16) +
           QStringLiteral("%1").arg(word & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

using ClockOutWindow = CorvaneFixture;

TEST_F(ClockOutWindow, TurningTheSelectorStoresTheCodeAndShowsTheFrequency) {
    struct Case {
        int position;
        const char* text;
    };
    const Case cases[] = {{3, "3.28 MHz"}, {1, "9.84 MHz"}, {15, "0.66 MHz"}, {0, "OFF"}};
    Main& m = start();
    clearRecords();
    ASSERT_FLOAT_EQ(w().CrystalFrequencyMHz, 19.68f);
    frmClockOut& c = app->frmClockOut();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.position);
        c.SelClockoutDivide->setPosition(k.position);
        EXPECT_EQ(f().ClockOutField, k.position * 128);
        EXPECT_EQ(c.lblclkoutfrequency->text(), QString::fromLatin1(k.text));
        EXPECT_EQ(m.LblClockout->text(), QString::fromLatin1(k.text));
    }
    EXPECT_TRUE(usb.lines().empty());
}

TEST_F(ClockOutWindow, OpeningWithCodeFifteen) {
    Main& m = start();
    f().ClockOutField = 15 * 128;
    frmClockOut& c = app->frmClockOut();
    EXPECT_EQ(c.SelClockoutDivide->position(), 15);
    EXPECT_EQ(c.lblcrystalfreq->text(), QStringLiteral("19.680 MHz"));
    EXPECT_EQ(c.lblclkoutfrequency->text(), QStringLiteral("0.66 MHz"));
    EXPECT_EQ(m.LblClockout->text(), QStringLiteral("0.66 MHz"));
    EXPECT_EQ(f().ClockOutField, 15 * 128);
    for (int p = 1; p < 16; ++p)
        EXPECT_EQ(c.SelClockoutDivide->caption(p), QString::number(2 * p)) << p;
    // Position 0 is named only when the window opens switched off.
    EXPECT_EQ(c.SelClockoutDivide->caption(0), QString());
}

TEST_F(ClockOutWindow, OpeningSwitchedOff) {
    start();
    f().ClockOutField = 0;
    frmClockOut& c = app->frmClockOut();
    EXPECT_EQ(c.SelClockoutDivide->position(), 0);
    EXPECT_EQ(c.SelClockoutDivide->caption(0), QStringLiteral("OFF"));
    EXPECT_EQ(c.lblclkoutfrequency->text(), QStringLiteral("OFF"));
    EXPECT_EQ(c.SelClockoutDivide->caption(1), QStringLiteral("2"));
}

TEST_F(ClockOutWindow, StoredValueThatIsNoPositionSelectsAndStoresNothing) {
    Main& m = start();
    for (int stored : {100, 16 * 128, -128, 129}) {
        SCOPED_TRACE(stored);
        f().ClockOutField = static_cast<int16_t>(stored);
        m.LblClockout->setText(QStringLiteral("before"));
        frmClockOut& c = app->frmClockOut();
        EXPECT_EQ(c.SelClockoutDivide->position(), 0);
        EXPECT_EQ(c.lblclkoutfrequency->text(), QString());
        c.cmdokclock->click();
        EXPECT_EQ(f().ClockOutField, stored);
        EXPECT_EQ(m.LblClockout->text(), QStringLiteral("before"));
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmClockOut")));
    }
    // Once the user turns the selector, the field follows it again.
    frmClockOut& c = app->frmClockOut();
    c.SelClockoutDivide->setPosition(2);
    EXPECT_EQ(f().ClockOutField, 2 * 128);
    EXPECT_EQ(m.LblClockout->text(), QStringLiteral("4.92 MHz"));
}

TEST_F(ClockOutWindow, ReturnAndCloseBoxRefreshTheReadoutsWithoutWriting) {
    Main& m = start();
    for (bool viaCloseBox : {false, true}) {
        SCOPED_TRACE(viaCloseBox);
        app->UpdateAllRegisterLabels();
        m.readout(1)->setMark(Mark::Normal);
        clearRecords();
        frmClockOut& c = app->frmClockOut();
        c.SelClockoutDivide->setPosition(viaCloseBox ? 5 : 3);
        viaCloseBox ? void(c.close()) : c.cmdokclock->click();
        EXPECT_EQ((word(1) >> 7) & 0xF, viaCloseBox ? 5u : 3u);
        EXPECT_EQ(m.readout(1)->text(), readoutText(word(1)));
        EXPECT_EQ(m.readout(1)->mark(), Mark::Changed);
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmClockOut")));
        EXPECT_TRUE(usb.lines().empty());
        EXPECT_TRUE(port.lines().empty());
    }
}
