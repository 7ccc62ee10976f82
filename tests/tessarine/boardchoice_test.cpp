// Board choice with the port claim remembered, the USB link, chip enable and shut-down.
#include "tessarinefixture.h"

#include "../support/boardtests.h"
#include "../support/userinput.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

using namespace tessarine;
using namespace tessarine::test;

using BoardChoice = TessarineFixture;

namespace {

const QString Release = QStringLiteral("ReleaseParallelPort 1");
const QString Claim = QStringLiteral("ClaimParallelPort 1 -> 1");
const QString ChipOn = QStringLiteral("dd_pellion_chip_sel 1");
const QString ChipOff = QStringLiteral("dd_pellion_chip_sel 0");
const QString Shutdown = QStringLiteral("rpc_shutdown");

} // namespace

TEST_F(BoardChoice, ConnectSwitchesTheChipOnAndKeepsTheButtonColour) {
    Main& m = start();
    const QPalette before = m.ConnectUSB->palette();
    m.chipEnable->setOn(false);
    clearRecords();
    m.ConnectUSB->click();
    EXPECT_EQ(usb.lines(),
              (std::vector<QString>{QStringLiteral("rpc_initialise_vb -> 1"),
                                    QStringLiteral("sched_initialise_target"), ChipOn, ChipOn}));
    EXPECT_EQ(services.system.sleeps, (std::vector<int>{500, 200}));
    EXPECT_TRUE(m.chipEnable->isOn());
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Disconnect USB"));
    EXPECT_EQ(m.ConnectUSB->palette(), before);
    usb.clear();
    m.ConnectUSB->click();
    EXPECT_EQ(usb.lines(), std::vector<QString>{Shutdown});
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Connect USB"));
    EXPECT_EQ(m.ConnectUSB->palette(), before);
}

// The failed link leaves the program running with its set-up, the link closed.
TEST_F(BoardChoice, FailedConnectKeepsTheProgramRunning) {
    Main& m = start();
    evaltest::expectAFailedConnectKeepsTheProgram(*this, m);
    EXPECT_EQ(readoutTexts(), PowerOnReadouts);
}

TEST_F(BoardChoice, ParallelBoardClaimsOnceAndTheUsbBoardGivesThePortUp) {
    Main& m = start();
    port.setInByteAnswers(890, {0xFF, 0xFF});
    m.ConnectUSB->click(); // link open: choosing the parallel board closes it
    clearRecords();
    m.cmbMB->setCurrentIndex(0);
    EXPECT_EQ(usb.lines(), std::vector<QString>{Shutdown});
    // No release before the claim; the control port is masked with D4 and DF.
    EXPECT_EQ(port.lines(), (std::vector<QString>{Claim, QStringLiteral("InByte 890 -> 255"),
                                                  QStringLiteral("OutByte 890 212")}));
    EXPECT_EQ(w().PortClaimed, 1);
    EXPECT_TRUE(m.ConnectUSB->isHidden());
    EXPECT_TRUE(m.chipEnable->isHidden());
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Connect USB"));

    // The USB board gives the port up, switches the chip on and selects it.
    clearRecords();
    m.chipEnable->setOn(false);
    usb.clear();
    m.cmbMB->setCurrentIndex(1);
    EXPECT_EQ(port.lines(), std::vector<QString>{Release});
    EXPECT_EQ(w().PortClaimed, 0);
    EXPECT_TRUE(m.chipEnable->isOn());
    EXPECT_FALSE(m.ConnectUSB->isHidden());
    EXPECT_FALSE(m.chipEnable->isHidden());
    EXPECT_EQ(usb.lines(), (std::vector<QString>{ChipOn, ChipOn}));
    // So the parallel board claims it afresh (closing the link the USB board offers).
    clearRecords();
    m.cmbMB->setCurrentIndex(0);
    EXPECT_EQ(port.lines(), (std::vector<QString>{Claim, QStringLiteral("InByte 890 -> 255"),
                                                  QStringLiteral("OutByte 890 212")}));
    EXPECT_EQ(usb.lines(), std::vector<QString>{Shutdown});
}

TEST_F(BoardChoice, ParallelBoardAlreadyClaimedIsNotSetUpAgain) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    clearRecords();
    // The user chooses the board the list shows: the handler runs and finds the port claimed.
    evaltest::chooseItem(m.cmbMB, 0);
    EXPECT_TRUE(port.lines().empty());
    EXPECT_TRUE(usb.lines().empty());
}

TEST_F(BoardChoice, FailedClaimIsTriedAgainOnTheNextChoice) {
    Main& m = start();
    port.setClaimResult(0x10000); // low 16 bits zero: not claimed
    clearRecords();
    evaltest::chooseItem(m.cmbMB, 0);
    evaltest::chooseItem(m.cmbMB, 0);
    EXPECT_EQ(messageTexts(),
              (std::vector<QString>{QStringLiteral("Failed to claim Parallel Port"),
                                    QStringLiteral("Failed to claim Parallel Port")}));
    EXPECT_EQ(w().PortClaimed, 0);
    EXPECT_TRUE(port.outBytesTo(890).empty());
    // A port that is not claimed takes no word, and the user is told how to connect.
    services.messages.clear();
    m.cmdR->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(port.outBytesTo(888).empty());
    EXPECT_EQ(m.readout(0)->mark(), Mark::Changed);
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].startsWith(evalkit::ProgramContext::NotSentText));
}

TEST(BoardChoiceOs, NineXFamilyWritesTheControlPortOnEveryChoiceUnknownFamilyStops) {
    struct Case {
        reglink::OsVersionInfo os;
        size_t controlWrites;
        const char* message;
    } cases[] = {
        {{1, 4, 10}, 2, nullptr},
        {{1, 4, 0}, 2, nullptr},
        {{2, 6, 0}, 2, nullptr},
        {{0, 0, 0}, 0, "Failed to determine operating system"},
    };
    for (const auto& c : cases) {
        platform::RecordingServices services{TessarineApp::programTitle()};
        board::RecordingSkerry usb;
        board::RecordingParllio port;
        TessarineApp app(services.view(), usb, port, c.os);
        Main& m = app.start();
        port.clear();
        evaltest::chooseItem(m.cmbMB, 0);
        evaltest::chooseItem(m.cmbMB, 0);
        const auto lines = port.lines();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), Claim), 0);
        EXPECT_EQ(port.outBytesTo(890).size(), c.controlWrites);
        EXPECT_EQ(app.w().PortClaimed, 0);
        evaltest::expectOsMessage(services.messages, c.message);
    }
}

TEST_F(BoardChoice, ChipEnableSendsZeroThenOneWithTheLinkClosed) {
    Main& m = start();
    clearRecords();
    m.chipEnable->setOn(false);
    m.chipEnable->setOn(true);
    EXPECT_EQ(usb.lines(), (std::vector<QString>{ChipOff, ChipOn}));
}

// Exit and closing the panel give the port up whichever board is chosen; the USB board also
// deselects the chip and closes the link, linked or not.
TEST_F(BoardChoice, ExitAndCloseReleaseThePortAlways) {
    struct Case {
        int board;
        bool viaExit;
        std::vector<QString> usbLines;
    };
    const Case cases[] = {
        {1, true, {ChipOff, Shutdown}},
        {1, false, {ChipOff, Shutdown}},
        {0, true, {}},
        {0, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.board);
        platform::RecordingServices services{TessarineApp::programTitle()};
        board::RecordingSkerry usb;
        board::RecordingParllio port;
        TessarineApp app(services.view(), usb, port);
        Main& m = app.start();
        m.cmbMB->setCurrentIndex(c.board);
        usb.clear();
        port.clear();
        if (c.viaExit)
            m.Exitmenu->trigger();
        else
            m.close();
        EXPECT_EQ(port.lines(), std::vector<QString>{Release});
        EXPECT_EQ(usb.lines(), c.usbLines);
        EXPECT_TRUE(services.system.ended());
        EXPECT_TRUE(services.messages.messages.empty());
    }
}

// "Program Registers" writes R, N, modulation and function; a read-out is marked against the
// word last written, and a word that did not go out whole is not remembered as written.
TEST_F(BoardChoice, AClosedUsbLinkTakesNothingAndSaysSoOncePerAction) {
    Main& m = start();
    evaltest::expectAClosedLinkTakesNothing(*this, m, {0, 1, 2, 3});
}

TEST_F(BoardChoice, AFailingPortShowsOnlyTheWholeWordsWritten) {
    Main& m = start();
    evaltest::expectAFailingPortShowsNothingWritten(*this, m, {0, 1, 2, 3}, [&] {
        m.fnGuiWrite(); // the refresh marks against the words last written
        EXPECT_EQ(evaltest::stillMarked(m, {0, 1, 2, 3}), (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(w().LastRWord, double(PowerOnWords[0]));
        EXPECT_EQ(w().LastNWord, 0.0);
    });
}
