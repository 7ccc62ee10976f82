// The bias window, which stays open beside the front panel, and the test-mode and PA-ramp
// windows that no control opens.
#include "pellionfixture.h"

#include "link/readouttext.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace pellion;
using namespace pellion::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

struct BiasControls : PellionFixture {
    Main* m = nullptr;
    void SetUp() override {
        PellionFixture::SetUp();
        m = &startConnected();
    }
};

} // namespace

// ---- bias ---------------------------------------------------------------------------------

TEST_F(BiasControls, LoadShowsTheFieldsWithTheirLabels) {
    f().VcoAdjustField = bit(21);
    f().PaBiasField = 2.0 * bit(30); // power-on
    evalkit::BiasWindow& bias = app->biasWindow();
    EXPECT_EQ(bias.windowTitle(), QStringLiteral("Bias Settings"));
    EXPECT_EQ(bias.HScrVCOAdjust->value(), 2);
    EXPECT_EQ(bias.lblVCOAdjust->text(), QStringLiteral("Setting 2"));
    EXPECT_EQ(bias.HScrVCObias->value(), 10); // the internal inductor's bias
    EXPECT_EQ(bias.lblVCObias->text(), QStringLiteral("2.75 mA"));
    EXPECT_EQ(bias.HScrPABias->value(), 2);
    EXPECT_EQ(bias.lblPABias->text(), QStringLiteral(" 9uA"));
    EXPECT_EQ(bias.cmbMixerLinearity->currentText(), QStringLiteral("Normal"));
    EXPECT_EQ(bias.HScrXtalBias, nullptr); // no crystal bias on this chip
}

TEST_F(BiasControls, EachBarAndTheListSetTheirFieldsAndTheReadoutsFollow) {
    evalkit::BiasWindow& bias = app->biasWindow();
    for (int n : {1, 2, 6})
        m->readout(n)->setMark(Mark::Normal);

    bias.HScrVCObias->setValue(11);
    EXPECT_EQ(f().VcoBiasField, 11 << 16);
    EXPECT_EQ(bias.lblVCObias->text(), QStringLiteral("3 mA"));
    EXPECT_EQ(bias.lblVCOB->text(), QStringLiteral("Setting 11"));
    bias.HScrVCObias->setValue(0);
    EXPECT_EQ(bias.lblVCObias->text(), QStringLiteral("0.25 mA"));
    bias.HScrVCObias->setValue(15);
    EXPECT_EQ(bias.lblVCObias->text(), QStringLiteral("4 mA"));
    bias.HScrPABias->setValue(3);
    EXPECT_EQ(f().PaBiasField, 3.0 * bit(30)); // the top two bits of R2
    EXPECT_EQ(bias.lblPABias->text(), QStringLiteral(" 11uA"));
    bias.HScrVCOAdjust->setValue(1);
    EXPECT_EQ(f().VcoAdjustField, bit(20));
    EXPECT_EQ(bias.lblVCOAdjust->text(), QStringLiteral("Setting  1"));
    bias.cmbMixerLinearity->setCurrentIndex(1);
    EXPECT_EQ(f().MixerLinearityField, bit(18));
    for (int n : {1, 2, 6}) {
        EXPECT_EQ(m->readout(n)->text(), reglink::readoutText(word(n))) << n;
        EXPECT_EQ(m->readout(n)->mark(), Mark::Changed) << n;
    }

    bias.returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmPowerdown")));
    for (int n : {1, 2, 6}) {
        EXPECT_EQ(m->readout(n)->text(), reglink::readoutText(word(n))) << n;
        EXPECT_EQ(m->readout(n)->mark(), Mark::Changed) << n;
    }
    EXPECT_EQ(word(2) >> 30, 3u);
    EXPECT_EQ((word(1) >> 16) & 0xF, 15u);
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_TRUE(port.lines().empty());
}

TEST_F(BiasControls, OpensModelessAndStaysUsableBesideThePanel) {
    m->cmdAdvanced->click();
    ASSERT_EQ(services.shower.names(), QStringList{QStringLiteral("frmPowerdown")});
    EXPECT_FALSE(services.shower.shown.front().modal);
    evalkit::BiasWindow& bias = app->biasWindow();
    EXPECT_FALSE(bias.isModal());
    // The panel goes on changing fields while the window stays loaded with its settings.
    m->txtDatarate->setText(QStringLiteral("4.8"));
    m->paLevel->setValue(20);
    bias.HScrVCOAdjust->setValue(3);
    EXPECT_EQ(&app->biasWindow(), &bias);
    EXPECT_EQ(f().VcoAdjustField, 3 << 20);
    EXPECT_EQ(f().PaLevelField, 20 << 9);
    // The close box returns as the button does.
    bias.close();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmPowerdown")));
    EXPECT_EQ(m->lblOSChex->text(), reglink::readoutText(word(1)));
}

// ---- test modes -----------------------------------------------------------------------

using TestModesOverThePort = PellionOverSimulatedPort;

// Each entry's test word goes to the chip whole over the chosen board; the entry without a
// word sends the one before again. The label and the list swap at every write.
TEST_F(TestModesOverThePort, WriteSendsTheTestWordOverTheChosenBoard) {
    Main& m = startConnected();
    frmTestModes& t = app->frmTestModes();
    EXPECT_EQ(t.windowTitle(), QStringLiteral("Form1"));
    EXPECT_TRUE(t.lblTestMode->isHidden());
    const uint32_t words[] = {0xF, 0x4000F, 0xB00000F, 0x3F, 0x4F, 0x1C00C, 0x1C00C};
    for (int board : {1, 0}) {
        m.cmbMB->setCurrentIndex(board);
        for (int i = 0; i < 7; ++i) {
            SCOPED_TRACE(i);
            t.cmbTestList->setEnabled(true);
            t.lblTestMode->setVisible(false);
            t.cmbTestList->setCurrentIndex(i);
            usb.clear();
            const size_t latched = port.words().size();
            t.cmdTestModeWrite->click();
            EXPECT_EQ(w().TestModeWord, words[i]);
            const std::vector<uint32_t> chip(port.words().begin() + latched, port.words().end());
            if (board == 1) {
                EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{words[i]});
                EXPECT_TRUE(chip.empty());
            } else {
                EXPECT_TRUE(usb.writtenWords().empty());
                EXPECT_EQ(chip, std::vector<uint32_t>{words[i]});
            }
            EXPECT_FALSE(t.lblTestMode->isHidden());
            EXPECT_FALSE(t.cmbTestList->isEnabled());
            t.cmdTestModeWrite->click(); // again: the test mode goes off
            EXPECT_TRUE(t.lblTestMode->isHidden());
            EXPECT_TRUE(t.cmbTestList->isEnabled());
        }
    }
    EXPECT_EQ(m.lbltest12hex->text(), QStringLiteral("0x0000C")); // no read-out is changed
}

// ---- PA ramp ----------------------------------------------------------------------------

TEST_F(BiasControls, PaRampButtonsWriteRegister2WithThePaSwitchTheyName) {
    evalkit::frmPARamp& pa = app->frmPARamp();
    EXPECT_EQ(pa.windowTitle(), QStringLiteral("PA Ramp Settings and Testing"));
    EXPECT_EQ(pa.cmbPARamp, nullptr);
    EXPECT_EQ(pa.note->text(),
              QStringLiteral("Note: Return to Front Panel automatically sets the PA to ON"));
    struct Case {
        QPushButton* evalkit::frmPARamp::*button;
        std::vector<bool> on;
    } cases[] = {
        {&evalkit::frmPARamp::cmdRampDown, {false}},
        {&evalkit::frmPARamp::cmdRampUp, {true}},
        {&evalkit::frmPARamp::cmdPAMulti1, {false, true, false}},
        {&evalkit::frmPARamp::cmdPAMulti2,
         {false, true, false, true, false, true, false, true, false, true}},
    };
    for (const Case& c : cases) {
        clearRecords();
        (pa.*c.button)->click();
        // Over USB the read-out's text goes out: it is refreshed before each write.
        std::vector<bool> sent;
        for (uint32_t wd : usb.writtenWords()) {
            EXPECT_EQ(wd & 0xF, 2u);
            sent.push_back((wd >> 4) & 1);
        }
        EXPECT_EQ(sent, c.on);
        EXPECT_EQ(f().PaEnableField, c.on.back() ? 16 : 0);
        EXPECT_EQ(usb.writtenWords().back(), word(2));
        EXPECT_EQ(m->lblMODhex->text(), reglink::readoutText(word(2)));
    }
    // Return leaves the PA on in the fields only.
    pa.cmdRampDown->click();
    clearRecords();
    pa.returnToPanel->click();
    EXPECT_EQ(f().PaEnableField, 16);
    EXPECT_EQ(m->lblMODhex->text(), reglink::readoutText(word(2)));
    EXPECT_EQ(m->lblMODhex->mark(), Mark::Changed);
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmPARamp")));
}

using PaRampOverThePort = PellionOverSimulatedPort;

TEST_F(PaRampOverThePort, TheChipLatchesEachPaSwitch) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    evalkit::frmPARamp& pa = app->frmPARamp();
    const size_t latched = port.words().size();
    pa.cmdPAMulti1->click();
    std::vector<bool> on;
    for (uint32_t wd : std::vector<uint32_t>(port.words().begin() + latched, port.words().end())) {
        EXPECT_EQ(wd & 0xF, 2u);
        on.push_back((wd >> 4) & 1);
    }
    EXPECT_EQ(on, (std::vector<bool>{false, true, false}));
}
