// What goes to the board is the word the fields make at that moment, on either board, and a
// write that reached no board is not shown as done.
#include "pellionfixture.h"

#include "../support/userinput.h"

#include "evalkit/biaswindow.h"
#include "evalkit/readbackwindow.h"
#include "link/readouttext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace pellion;
using namespace pellion::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

// The user leaves a box for another control of its window.
void leave(QWidget* box) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &out);
}

void retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// "Advanced Demod": clock recovery divider 20, then back to the front panel with its button.
template <class Fixture> void cdrDividerTwenty(Fixture& t, Main& m) {
    m.cmdAdvanced->click();
    frmDemod& demod = t.app->frmDemod();
    retype(demod.txtCDR, QStringLiteral("20"));
    leave(demod.txtCDR);
    demod.returnToPanel->click();
}

} // namespace

struct WordsInForce : PellionFixture {};
struct WordsInForceParallel : PellionOverSimulatedPort {};

TEST_F(WordsInForce, UsbGetsTheDemodulatorWindowsDividerAndTheReadoutShowsIt) {
    Main& m = start();
    m.ConnectUSB->click();
    cdrDividerTwenty(*this, m);
    clearRecords();
    m.cmdRxClk->click();
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x006F1453u});
    EXPECT_EQ(m.lblRxCLKhex->text(), QStringLiteral("0x6F1453"));
    EXPECT_EQ(m.lblRxCLKhex->mark(), Mark::Normal);
}

TEST_F(WordsInForceParallel, TheParallelBoardGetsTheSameWord) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    cdrDividerTwenty(*this, m);
    clearRecords();
    m.cmdRxClk->click();
    EXPECT_EQ(port.words(), std::vector<uint32_t>{0x006F1453u});
    EXPECT_EQ(m.lblRxCLKhex->text(), QStringLiteral("0x6F1453"));
    EXPECT_EQ(m.lblRxCLKhex->mark(), Mark::Normal);
}

// Every register programmed, then fields changed in the windows: each read-out shows at once,
// marked, the word its "Update" sends. The demodulator window's load plans the discriminator
// again, and that is shown too.
TEST_F(WordsInForce, ReadoutsShowTheWindowsEditsMarkedUntilWritten) {
    Main& m = start();
    m.ConnectUSB->click();
    m.cmdUpdateAll->click();
    ASSERT_EQ(m.lblT4hex->text(), QStringLiteral("0x2DD008A6"));
    ASSERT_EQ(m.lblT4hex->mark(), Mark::Normal);

    m.advancedDemod->click();
    frmDemod& demod = app->frmDemod();
    evaltest::enterInto(demod.txtT4delay, QStringLiteral("300"));
    demod.returnToPanel->click();
    EXPECT_EQ(m.lblT4hex->text(), QStringLiteral("0x2DD012C6"));
    EXPECT_EQ(m.lblT4hex->mark(), Mark::Changed);
    clearRecords();
    m.cmdT4->click();
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x2DD012C6u});
    EXPECT_EQ(m.lblT4hex->mark(), Mark::Normal);

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m.advancedDemod->click();
    app->frmDemod().returnToPanel->click();
    EXPECT_EQ(m.lblT4hex->text(), QStringLiteral("0x2DD008A6"));
    EXPECT_EQ(m.lblT4hex->mark(), Mark::Changed);
    clearRecords();
    m.cmdT4->click();
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x2DD008A6u});

    // The bias window while it is open beside the panel.
    m.cmdAdvanced->click();
    evalkit::BiasWindow& bias = app->biasWindow();
    QTest::keyClick(bias.HScrPABias, Qt::Key_Home);
    EXPECT_EQ(m.lblMODhex->text(), QStringLiteral("0xF6012"));
    EXPECT_EQ(m.lblMODhex->mark(), Mark::Changed);
    clearRecords();
    m.cmdTransmit->click();
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x000F6012u});
    EXPECT_EQ(m.lblMODhex->mark(), Mark::Normal);
}

// The bias window stores its fields while it is open; its words go out as they are now.
TEST_F(WordsInForce, TheOpenBiasWindowsWordsGoOut) {
    Main& m = start();
    m.ConnectUSB->click();
    evalkit::BiasWindow& bias = app->biasWindow();
    bias.HScrVCObias->setValue(5);
    bias.HScrPABias->setValue(0);
    const uint32_t r1 = word(1), r2 = word(2);
    clearRecords();
    m.cmdOsc->click();
    m.cmdTransmit->click();
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{r1, r2}));
    EXPECT_EQ(m.lblOSChex->text(), reglink::readoutText(r1));
    EXPECT_EQ(m.lblMODhex->text(), reglink::readoutText(r2));
}

// A port that could not be claimed takes no word: the read-outs keep their marks, and the user
// is told once for the whole action, with the way to connect.
TEST_F(WordsInForceParallel, AnUnclaimedPortSendsNothingAndSaysSoOncePerAction) {
    Main& m = start();
    port.setClaimResult(0);
    m.cmbMB->setCurrentIndex(0);
    clearRecords();
    m.cmdUpdateAll->click();
    evalkit::frmReadback& readback = app->frmReadback();
    const QString shown = readback.lblReadbackDisplay->text();
    readback.cmdReadback->click();
    EXPECT_EQ(readback.lblReadbackDisplay->text(), shown); // nothing was read
    EXPECT_TRUE(port.outBytes().empty());
    for (int n : {0, 1, 2, 3, 4, 5, 6})
        EXPECT_EQ(m.readout(n)->mark(), Mark::Changed) << n;
    EXPECT_TRUE(messageTexts().empty()); // said when the action is over
    QCoreApplication::processEvents();
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].startsWith(evalkit::ProgramContext::NotSentText));

    // The next action is told again; once claimed, the words go out and are shown written.
    QTest::mouseClick(m.cmdN, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(messageTexts().size(), 2u);
    port.setClaimResult(1);
    m.cmbMB->setCurrentIndex(1);
    m.cmbMB->setCurrentIndex(0);
    clearRecords();
    m.cmdUpdateAll->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(port.words().size(), 7u);
    EXPECT_TRUE(messageTexts().empty());
    for (int n : {0, 1, 2, 3, 4, 5, 6})
        EXPECT_EQ(m.readout(n)->mark(), Mark::Normal) << n;
}

// The inductor sets the VCO bias: a bias window already loaded shows the bias in force, so a
// look at it never shows another one than the chip gets.
TEST_F(WordsInForce, TheLoadedBiasWindowFollowsTheInductor) {
    Main& m = start();
    evalkit::BiasWindow& bias = app->biasWindow();
    // A channel both inductors reach.
    app->synthform().txtVCOout1->setText(QStringLiteral("433.92"));
    app->synthform().CmdCalculate->click();
    app->synthform().returnToPanel->click();
    m.chkInductor->click();
    EXPECT_EQ(f().VcoBiasField, 3 * bit(16));
    EXPECT_EQ(bias.HScrVCObias->value(), 3);
    m.chkInductor->click();
    EXPECT_EQ(bias.HScrVCObias->value(), 10);
    EXPECT_EQ(f().VcoBiasField, 10 * bit(16));
}
