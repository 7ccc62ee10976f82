// Board choice, the USB link and chip enable.
#include "pellionfixture.h"

#include "../support/boardtests.h"
#include "../support/userinput.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace pellion;
using namespace pellion::test;
using Mark = reglink::RegisterReadout::Mark;

using BoardChoice = PellionFixture;

namespace {

QColor buttonColour(const QPushButton* b) {
    return b->palette().color(QPalette::Button);
}

const QString kClaimFailed = QStringLiteral("Failed to claim Parallel Port");

} // namespace

TEST_F(BoardChoice, ConnectAndDisconnectInOrderWithTheirWaitsAndColours) {
    Main& m = start();
    clearRecords();
    m.ConnectUSB->click();
    EXPECT_EQ(usb.lines(), evaltest::openLinkLines());
    EXPECT_EQ(services.system.sleeps, (std::vector<int>{500, 200}));
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Disconnect USB"));
    EXPECT_EQ(buttonColour(m.ConnectUSB), QPalette().color(QPalette::Button));
    usb.clear();
    m.ConnectUSB->click();
    EXPECT_EQ(usb.lines(), (std::vector<QString>{QStringLiteral("rpc_shutdown")}));
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Connect USB"));
    EXPECT_EQ(buttonColour(m.ConnectUSB), QColor(0xFF, 0xC0, 0xC0));
    // Opening the link writes no register and leaves the marks as they were.
    EXPECT_EQ(m.lblNhex->mark(), Mark::Changed);
}

TEST_F(BoardChoice, FailedConnectKeepsTheProgramWithTheLinkClosed) {
    Main& m = start();
    evaltest::expectAFailedConnectKeepsTheProgram(*this, m);
}

// No release before the claim; the claim is remembered in PortClaimed.
TEST_F(BoardChoice, ParallelBoardClaimsOnceAndMasksTheControlPort) {
    Main& m = start();
    port.setInByteAnswers(890, {0xFF});
    m.ConnectUSB->click();
    clearRecords();
    m.cmbMB->setCurrentIndex(0);
    EXPECT_EQ(usb.lines(), (std::vector<QString>{QStringLiteral("rpc_shutdown")}));
    EXPECT_EQ(port.lines(), (std::vector<QString>{QStringLiteral("ClaimParallelPort 1 -> 1"),
                                                  QStringLiteral("InByte 890 -> 255"),
                                                  QStringLiteral("OutByte 890 212")}));
    EXPECT_NE(w().PortClaimed, 0);
    EXPECT_TRUE(m.ConnectUSB->isHidden());
    EXPECT_TRUE(m.chipEnableCaption->isHidden());
    EXPECT_TRUE(m.Synth_EN->isHidden());
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Connect USB"));

    // Chosen again while claimed: nothing reaches the port or the USB board.
    clearRecords();
    evaltest::chooseItem(m.cmbMB, 0);
    EXPECT_TRUE(port.lines().empty());
    EXPECT_TRUE(usb.lines().empty());

    // The USB board releases the port and forgets the claim.
    m.cmbMB->setCurrentIndex(1);
    EXPECT_EQ(port.lines(), (std::vector<QString>{QStringLiteral("ReleaseParallelPort 1")}));
    EXPECT_EQ(usb.lines(), (std::vector<QString>{QStringLiteral("dd_pellion_chip_sel 1")}));
    EXPECT_EQ(w().PortClaimed, 0);
    EXPECT_FALSE(m.ConnectUSB->isHidden());
    EXPECT_FALSE(m.Synth_EN->isHidden());
    EXPECT_FALSE(m.chipEnableCaption->isHidden());
}

TEST_F(BoardChoice, FailedClaimShowsItsMessageEachTimeAndLeavesTheControlPort) {
    Main& m = start();
    port.setClaimResult(0x10000); // low 16 bits zero: not claimed
    clearRecords();
    evaltest::chooseItem(m.cmbMB, 0);
    evaltest::chooseItem(m.cmbMB, 0);
    EXPECT_EQ(messageTexts(), (std::vector<QString>{kClaimFailed, kClaimFailed}));
    EXPECT_EQ(port.lines(), (std::vector<QString>{QStringLiteral("ClaimParallelPort 1 -> 65536"),
                                                  QStringLiteral("ClaimParallelPort 1 -> 65536")}));
    EXPECT_EQ(w().PortClaimed, 0);
    EXPECT_TRUE(port.outBytesTo(890).empty());
    EXPECT_EQ(m.cmbMB->currentIndex(), 0);
}

// The 9x family needs no claim, so nothing is remembered and the control port is written
// each time; an unknown family stops with its message.
TEST(BoardChoiceOs, ClaimAndControlPortByFamily) {
    struct Case {
        reglink::OsVersionInfo os;
        int claims;        // over two choices of the parallel board
        int controlWrites; // likewise
        const char* message;
    } cases[] = {
        {{1, 4, 10}, 0, 2, nullptr},
        {{2, 6, 0}, 0, 2, nullptr},
        {{2, 5, 0}, 1, 1, nullptr},
        {{0, 0, 0}, 0, 0, "Failed to determine operating system"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.os.platformId * 100 + c.os.major);
        platform::RecordingServices services(PellionApp::programTitle());
        board::RecordingSkerry usb;
        board::RecordingParllio port;
        PellionApp app(services.view(), usb, port, c.os);
        Main& m = app.start();
        port.clear();
        evaltest::chooseItem(m.cmbMB, 0);
        evaltest::chooseItem(m.cmbMB, 0);
        int claims = 0;
        for (const auto& call : port.calls())
            claims += call.kind == board::RecordingParllio::Kind::Claim;
        EXPECT_EQ(claims, c.claims);
        EXPECT_EQ(int(port.outBytesTo(890).size()), c.controlWrites);
        evaltest::expectOsMessage(services.messages, c.message);
    }
}

// The chip select goes out with the link closed too, and the read-outs are refreshed.
TEST_F(BoardChoice, ChipEnableSelectsThenRefreshes) {
    Main& m = start();
    clearRecords();
    f().AfcKpField = 5 << 4;
    m.Synth_EN->setOn(false);
    EXPECT_EQ(m.lblTFSK13hex->text(), QStringLiteral("0x0035D"));
    EXPECT_EQ(m.lblTFSK13hex->mark(), Mark::Changed);
    m.Synth_EN->setOn(true);
    EXPECT_EQ(usb.lines(), (std::vector<QString>{QStringLiteral("dd_pellion_chip_sel 0"),
                                                 QStringLiteral("dd_pellion_chip_sel 1")}));
    EXPECT_EQ(w().RegisterSelect, 0);
}

// "Program Registers 0 - 6" writes R0 to R4, R6 and R5.
TEST_F(BoardChoice, AClosedUsbLinkTakesNothingAndSaysSoOncePerAction) {
    Main& m = start();
    evaltest::expectAClosedLinkTakesNothing(*this, m, {0, 1, 2, 3, 4, 6, 5});
}

TEST_F(BoardChoice, AFailingPortShowsOnlyTheWholeWordsWritten) {
    Main& m = start();
    evaltest::expectAFailingPortShowsNothingWritten(*this, m, {0, 1, 2, 3, 4, 6, 5});
}
