// The Gaussian set-up window: shown from the modulation list, run hidden by a settings import,
// and what it pushes into the front panel.
#include "pellionfixture.h"

#include "platform/entrymark.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace pellion;
using namespace pellion::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

constexpr int GfskItem = 1, GookItem = 4;

const QString kJitter = QStringLiteral(
    "Clock Recovery Frequency and (32 x Desired Datarate) have more than 3% difference.. Less "
    "than 2% difference is reccomended");

} // namespace

struct Gfsk : PellionFixture {
    // Chooses the scheme from the front panel: the window opens modally on it.
    frmGFSK& choose(int item) {
        Main& m = start();
        m.cmbModulation->setCurrentIndex(item);
        return app->frmGFSK();
    }
    void calculate(frmGFSK& g, int modControl, int indexCounter, const QString& divider) {
        g.cmbModCtrl->setCurrentIndex(modControl);
        g.cmbIndexCount->setCurrentIndex(indexCounter);
        g.txtDivider->setText(divider);
        g.cmdCalculate->click();
    }
};

// The load shows the fields: the deviation field's count as the divider (the FSK count 30
// after start-up), the index counter and mod control; GFSK shows its own note.
TEST_F(Gfsk, ShownFromTheModulationListWithTheFields) {
    frmGFSK& g = choose(GfskItem);
    ASSERT_EQ(services.shower.names(), QStringList{QStringLiteral("frmGFSK")});
    EXPECT_TRUE(services.shower.shown.front().modal);
    EXPECT_EQ(g.windowTitle(), QStringLiteral("Gaussian ASK/FSK Form"));
    EXPECT_EQ(g.txtDivider->text(), QStringLiteral("30"));
    EXPECT_EQ(g.cmbIndexCount->currentIndex(), 0);
    EXPECT_EQ(g.cmbModCtrl->currentIndex(), 0);
    EXPECT_FALSE(g.divideBy2Note->isHidden());
    EXPECT_TRUE(g.LabelGOOK->isHidden());
}

// PFD 11.0592 MHz, mod control 0, index counter 64, divider 64: 2.700 kHz and 2.7 kbit/s, in
// the window and on the front panel. The deviation text the window sets plans the receiver but
// keeps the divider in the deviation field.
TEST_F(Gfsk, DeviationAndRateReachTheFrontPanel) {
    frmGFSK& g = choose(GfskItem);
    Main& m = app->main();
    calculate(g, 0, 2, QStringLiteral("64"));
    EXPECT_EQ(g.lblFdev->text(), QStringLiteral("2.700 kHz"));
    EXPECT_EQ(g.lblDatarate->text(), QStringLiteral("2.700 kbits/s"));
    EXPECT_EQ(m.TxtFSKdev->text(), QStringLiteral("2.700"));
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("2.700"));
    EXPECT_EQ(m.txtDatarate->text(), QStringLiteral("2.7"));
    EXPECT_EQ(f().TxDeviationField, 64 << 15);
    EXPECT_EQ(f().GfskIndexCounterField, 2 << 27);
    EXPECT_EQ(f().GfskModControlField, 0);
    EXPECT_FLOAT_EQ(w().ActualDeviationKHz, 2.7f);
    // The receiver planned at 2.7 kbit/s: clock recovery 11059.2 / (2.7 x 32) = 128.
    EXPECT_EQ(f().CdrClockDividerField, 128 << 8);
    EXPECT_EQ(m.lblRxCLK->text(), QStringLiteral("2.70"));

    // Update: R2 shows the new word, marked; nothing goes to the board.
    usb.clear();
    g.cmdUpdate->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmGFSK")));
    EXPECT_EQ(m.lblMODhex->text(), reglink::readoutText(word(2)));
    EXPECT_EQ(m.lblMODhex->mark(), Mark::Changed);
    EXPECT_EQ(w().RegisterSelect, 0);
    EXPECT_TRUE(usb.writtenWords().empty());
}

// A divider of 0 becomes a blank and 1, one of 200 a blank and 127, and the field follows.
TEST_F(Gfsk, DividerIsHeldToItsSevenBits) {
    frmGFSK& g = choose(GfskItem);
    // A divider of 1 would give 691.2 kbit/s, more than the data-rate box takes: the box shows
    // the limit it was held to, and nothing of the calculation is kept.
    calculate(g, 0, 0, QStringLiteral("0"));
    EXPECT_EQ(g.txtDivider->text(), QStringLiteral(" 1"));
    EXPECT_EQ(f().TxDeviationField, 30 << 15);
    EXPECT_TRUE(platform::isMarkedRefused(g.txtDivider));
    services.messages.clear();
    calculate(g, 0, 0, QStringLiteral("200"));
    EXPECT_EQ(g.txtDivider->text(), QStringLiteral(" 127"));
    EXPECT_EQ(f().TxDeviationField, 127 << 15);
    // A divider that is not a number keeps the one in force.
    calculate(g, 3, 3, QStringLiteral("abc"));
    EXPECT_EQ(f().TxDeviationField, 127 << 15);
    EXPECT_EQ(f().GfskModControlField, 0);
    EXPECT_TRUE(platform::isMarkedRefused(g.txtDivider));
    EXPECT_TRUE(messageTexts().empty());
}

// The rate goes to the front panel to three decimals and is planned once, as the number: 138.24
// has six characters, which the box would not take from the keyboard. Calculating the same
// rate again plans it once more with the clock already shown, which the jitter check counts.
TEST_F(Gfsk, PushedRateIsPlannedOnce) {
    frmGFSK& g = choose(GfskItem);
    Main& m = app->main();
    // 11059.2 / 80 = 138.24; planned as the exact rate the divider gives, the clock-recovery
    // divider is the demodulator clock over 32 times it, 80 / 32 = 2.5, which rounds to 2,
    // 25% off 32 times the rate.
    calculate(g, 0, 0, QStringLiteral("5"));
    EXPECT_EQ(m.txtDatarate->text(), QStringLiteral("138.24"));
    EXPECT_EQ(f().CdrClockDividerField, 2 << 8);
    EXPECT_EQ(m.lblRxCLK->text(), QStringLiteral("172.80"));
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_TRUE(messageTexts().empty());
    g.cmdCalculate->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{kJitter});
    // Later plans from code keep the pushed rate while the box shows it.
    m.cmbDemod->setCurrentIndex(0);
    m.cmbDemod->setCurrentIndex(1); // the correlator plans the rate again
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_EQ(f().CdrClockDividerField, 2 << 8);
}

// In GOOK the receiver plans with 50 kHz and the front panel's deviation is left alone.
TEST_F(Gfsk, GookLeavesTheFrontPanelDeviation) {
    frmGFSK& g = choose(GookItem);
    Main& m = app->main();
    EXPECT_TRUE(g.divideBy2Note->isHidden());
    EXPECT_FALSE(g.LabelGOOK->isHidden());
    calculate(g, 7, 1, QStringLiteral("20"));
    EXPECT_FLOAT_EQ(w().ActualDeviationKHz, 50.0f);
    EXPECT_EQ(m.TxtFSKdev->text(), QStringLiteral("20"));
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("20.250"));
    EXPECT_TRUE(g.lblFdev->text().isEmpty());
    EXPECT_EQ(f().TxDeviationField, 20 << 15);
    EXPECT_EQ(f().GfskModControlField, 7 << 24);
    EXPECT_EQ(m.txtDatarate->text(), QStringLiteral("17.28"));
    // 50 kHz plans K 4 into the discriminator, at the ASK demodulator's clock of 5.5296 MHz:
    // round(4 x 5.5296 / 0.8).
    EXPECT_EQ(f().DiscrimBwField, 28 << 4);
}

// With the divide-by-2 on the deviation at the antenna halves: mod control 7 gives 172.8 kHz.
TEST_F(Gfsk, DivideByTwoHalvesTheDeviation) {
    Main& m = start();
    f().VcoDiv2Field = bit(13);
    m.cmbModulation->setCurrentIndex(GfskItem);
    calculate(app->frmGFSK(), 7, 2, QStringLiteral("64"));
    EXPECT_EQ(app->frmGFSK().lblFdev->text(), QStringLiteral("172.800 kHz"));
    EXPECT_EQ(m.TxtFSKdev->text(), QStringLiteral("172.800"));
    EXPECT_FLOAT_EQ(w().ActualDeviationKHz, 172.8f);
    EXPECT_EQ(f().TxDeviationField, 64 << 15);
}

// A settings import runs the window's calculation and update without showing it.
TEST_F(Gfsk, SettingsImportRunsTheWindowHidden) {
    Main& m = start();
    f().TxDeviationField = 64 << 15;
    f().GfskIndexCounterField = 2 << 27;
    w().SettingsLoaded = -1;
    m.cmbModulation->setCurrentIndex(GfskItem);
    EXPECT_TRUE(services.shower.shown.empty());
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmGFSK")));
    EXPECT_EQ(m.txtDatarate->text(), QStringLiteral("2.7"));
    EXPECT_EQ(m.TxtFSKdev->text(), QStringLiteral("2.700"));
    EXPECT_EQ(f().TxDeviationField, 64 << 15);
    EXPECT_EQ(m.lblMODhex->text(), reglink::readoutText(word(2)));
}

// The close box leaves without refreshing the read-outs.
TEST_F(Gfsk, CloseBoxDoesNotRefresh) {
    frmGFSK& g = choose(GfskItem);
    f().PaLevelField = 10 << 9; // changed, not refreshed yet
    g.close();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmGFSK")));
    EXPECT_NE(app->main().lblMODhex->text(), reglink::readoutText(word(2)));
}
