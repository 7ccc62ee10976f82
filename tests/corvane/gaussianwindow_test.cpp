// The Gaussian set-up window: divider and index counter into the deviation field, the
// deviation and data rate they give, and the data rate handed to the front panel.
#include "corvanefixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace corvane;
using namespace corvane::test;

namespace {

struct GfskWindow : CorvaneFixture {
    Main* m = nullptr;
    frmGFSK& open() {
        m = &start();
        clearRecords();
        return app->frmGFSK();
    }
};

// PFD 19.68 MHz, 869.5 MHz channel: 4 x 19.68e6 / 4096 = 19.21875 kHz and
// 19.68e6 / (32 x 64) = 9.609375 kbit/s; the front panel is given "9.609" and plans for it.
TEST_F(GfskWindow, CalculateSetsTheFieldsTheLabelsAndTheFrontPanelRate) {
    frmGFSK& g = open();
    ASSERT_EQ(w().PfdFrequencyMHz, 19.68);
    f().ModulationSchemeField = 16;
    m->txtDatarate->setText(QStringLiteral("38.4"));
    const int32_t cdrBefore = f().CdrClockDividerField;
    g.cmbModCtrl->setCurrentIndex(2);
    g.cmbIndexCount->setCurrentIndex(1);
    g.txtDivider->setText(QStringLiteral("64"));
    g.cmdCalculate->click();

    EXPECT_TRUE(services.messages.messages.empty());
    EXPECT_EQ(f().TxDeviationField, 64 << 19);
    EXPECT_EQ(f().GfskIndexCounterField, 1 << 27);
    EXPECT_FLOAT_EQ(w().ActualDeviationKHz, 19.21875f);
    EXPECT_EQ(g.lblFdev->text(), QStringLiteral("19.219 kHz"));
    EXPECT_EQ(g.lblDatarate->text(), QStringLiteral("9.609 kbits/s"));
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("19.219"));
    EXPECT_EQ(m->txtDatarate->text(), QStringLiteral("9.609"));
    EXPECT_NE(f().CdrClockDividerField, cdrBefore); // the data-rate plan ran for 9.609
    EXPECT_EQ(g.txtDivider->text(), QStringLiteral("64"));
    EXPECT_TRUE(usb.lines().empty());
}

// Below 500 MHz the deviation shown is halved while the full figure is kept; the deviation
// label is left alone unless the Gaussian scheme is chosen.
TEST_F(GfskWindow, DeviationBelow500MHzAndOtherSchemes) {
    frmGFSK& g = open();
    w().RfFrequencyMHz = 433.92;
    f().ModulationSchemeField = 0;
    g.cmbModCtrl->setCurrentIndex(3);
    g.cmbIndexCount->setCurrentIndex(0);
    g.cmdCalculate->click();
    EXPECT_FLOAT_EQ(w().ActualDeviationKHz, 38.4375f);
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("19.219"));
    EXPECT_TRUE(g.lblFdev->text().isEmpty());
    EXPECT_EQ(f().GfskIndexCounterField, 0);
}

// The divider is limited to 1..127 and the box shows the limit; an entry that is not a number
// or a list without a choice changes nothing.
TEST_F(GfskWindow, DividerIsLimitedAndBadEntriesRefused) {
    frmGFSK& g = open();
    g.cmbModCtrl->setCurrentIndex(0);
    g.cmbIndexCount->setCurrentIndex(3);
    // The box is held to the limit; a divider of 1 gives 153.75 kbit/s, more than the front
    // panel's rate box takes, so that calculation keeps nothing and says why.
    const QString tooFast = QStringLiteral(
        "Data rate of 153.750 kbit/s is above the maximum of 75 kbit/s. Please raise the "
        "Divider Number or the Index Counter");
    const struct {
        const char* text;
        const char* shown;
        int32_t divider; // 0: refused, the divider before kept
    } limited[] = {{"200", "127", 127}, {"1e30", "127", 127}, {"0", "1", 0},
                   {"-5", "1", 0},      {"0.4", "1", 0},      {"12.6", "12.6", 13}};
    for (const auto& c : limited) {
        SCOPED_TRACE(c.text);
        services.messages.clear();
        const int32_t before = f().TxDeviationField;
        g.txtDivider->setText(QString::fromLatin1(c.text));
        g.cmdCalculate->click();
        EXPECT_EQ(g.txtDivider->text(), QString::fromLatin1(c.shown));
        if (c.divider == 0) {
            EXPECT_EQ(f().TxDeviationField, before);
            EXPECT_EQ(messageTexts(), std::vector<QString>{tooFast});
        } else {
            EXPECT_EQ(f().TxDeviationField, c.divider << 19);
            EXPECT_TRUE(services.messages.messages.empty());
        }
    }

    const int32_t deviation = f().TxDeviationField;
    const QString rate = m->txtDatarate->text();
    for (const char* text : {"", "abc"}) {
        services.messages.clear();
        g.txtDivider->setText(QString::fromLatin1(text));
        g.cmdCalculate->click();
        EXPECT_EQ(messageTexts(), (std::vector<QString>{"Invalid entry. This must be a number"}));
    }
    services.messages.clear();
    g.txtDivider->setText(QStringLiteral("64"));
    g.cmbIndexCount->setCurrentIndex(-1);
    g.cmdCalculate->click();
    EXPECT_EQ(messageTexts(), (std::vector<QString>{"Choose a Mod Control and an Index Counter"}));
    EXPECT_EQ(f().TxDeviationField, deviation);
    EXPECT_EQ(m->txtDatarate->text(), rate);
}

// With no PFD frequency the rate is 0: shown, but not handed to the front panel.
TEST_F(GfskWindow, NoPfdLeavesTheFrontPanelRate) {
    frmGFSK& g = open();
    w().PfdFrequencyMHz = 0;
    const QString rate = m->txtDatarate->text();
    g.cmbModCtrl->setCurrentIndex(0);
    g.cmbIndexCount->setCurrentIndex(0);
    g.cmdCalculate->click();
    // No rate to plan: nothing of the calculation is kept, and the message says so.
    EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "Data rate of 0.000 kbit/s is too low to plan. Please raise the "
                                  "PFD frequency or lower the Divider Number or the Index "
                                  "Counter")});
    EXPECT_TRUE(g.lblDatarate->text().isEmpty());
    EXPECT_EQ(m->txtDatarate->text(), rate);
}

TEST_F(GfskWindow, UpdateRefreshesAndExitUnloads) {
    frmGFSK& g = open();
    g.cmbModCtrl->setCurrentIndex(0);
    g.cmbIndexCount->setCurrentIndex(0);
    g.txtDivider->setText(QStringLiteral("100"));
    g.cmdCalculate->click();
    g.cmdUpdate->click();
    EXPECT_EQ(m->lblMODhex->text(), reglink::readoutText(word(2)));
    EXPECT_TRUE(usb.lines().empty());
    g.cmdCancel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmGFSK")));
}

} // namespace
