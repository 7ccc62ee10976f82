// Board choice, the USB link, chip enable, data interface and the register buttons.
#include "corvanefixture.h"

#include "../support/boardtests.h"
#include "../support/userinput.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

using BoardChoice = CorvaneFixture;

TEST_F(BoardChoice, ConnectAndDisconnectCallOrderWithWaits) {
    Main& m = start();
    clearRecords();
    m.ConnectUSB->click();
    EXPECT_EQ(usb.lines(), evaltest::openLinkLines());
    EXPECT_EQ(services.system.sleeps, (std::vector<int>{500, 200}));
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Disconnect USB"));
    usb.clear();
    m.ConnectUSB->click();
    EXPECT_EQ(usb.lines(), (std::vector<QString>{QStringLiteral("rpc_shutdown")}));
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Connect USB"));
}

TEST_F(BoardChoice, FailedConnectKeepsTheProgramAndTheSetUp) {
    Main& m = start();
    evaltest::expectAFailedConnectKeepsTheProgram(*this, m);
    EXPECT_EQ(m.cmbMB->currentIndex(), 1);
}

TEST_F(BoardChoice, ParallelBoardClaimsThePortAndMasksTheControlPort) {
    Main& m = start();
    port.setInByteAnswers(890, {0xFF});
    m.ConnectUSB->click(); // link open: choosing the parallel board closes it
    clearRecords();
    m.cmbMB->setCurrentIndex(0);
    EXPECT_EQ(usb.lines(), (std::vector<QString>{QStringLiteral("rpc_shutdown")}));
    EXPECT_EQ(port.lines(), (std::vector<QString>{QStringLiteral("ReleaseParallelPort 1"),
                                                  QStringLiteral("ClaimParallelPort 1 -> 1"),
                                                  QStringLiteral("InByte 890 -> 255"),
                                                  QStringLiteral("OutByte 890 212")}));
    EXPECT_TRUE(m.ConnectUSB->isHidden());
    EXPECT_TRUE(m.chipEnableCaption->isHidden());
    EXPECT_TRUE(m.chipEnable->isHidden());
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Connect USB"));
}

TEST_F(BoardChoice, FailedClaimShowsItsMessageEachTime) {
    Main& m = start();
    port.setClaimResult(0x10000); // low 16 bits zero: not claimed
    clearRecords();
    evaltest::chooseItem(m.cmbMB, 0);
    evaltest::chooseItem(m.cmbMB, 0); // chosen again: claimed again
    EXPECT_EQ(messageTexts(),
              (std::vector<QString>{QStringLiteral("Failed to claim Parallel Port"),
                                    QStringLiteral("Failed to claim Parallel Port")}));
    EXPECT_TRUE(port.outBytesTo(890).empty()); // the control port is left alone

    // The port is not claimed: "Program Register 0 to 4 " sends nothing, leaves the marks,
    // and says so once.
    services.messages.clear();
    for (int n : {0, 1, 2, 3, 4})
        m.readout(n)->setMark(Mark::Changed);
    m.cmdUpdateAll->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(port.outBytesTo(888).empty());
    for (int n : {0, 1, 2, 3, 4})
        EXPECT_EQ(m.readout(n)->mark(), Mark::Changed) << n;
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].startsWith(evalkit::ProgramContext::NotSentText));
}

TEST(BoardChoiceOs, NineXFamilyNeedsNoClaimAndUnknownFamilyStops) {
    struct Case {
        reglink::OsVersionInfo os;
        bool claims;
        bool writesControl;
        const char* message;
    } cases[] = {
        {{1, 4, 10}, false, true, nullptr},
        {{2, 6, 0}, false, true, nullptr},
        {{2, 5, 1}, true, true, nullptr},
        {{0, 0, 0}, false, false, "Failed to determine operating system"},
    };
    for (const auto& c : cases) {
        platform::RecordingServices services{CorvaneApp::programTitle()};
        board::RecordingSkerry usb;
        board::RecordingParllio port;
        CorvaneApp app(services.view(), usb, port, {}, c.os);
        Main& m = app.start();
        port.clear();
        m.cmbMB->setCurrentIndex(0);
        const auto lines = port.lines();
        const bool claimed = std::find(lines.begin(), lines.end(),
                                       QStringLiteral("ClaimParallelPort 1 -> 1")) != lines.end();
        EXPECT_EQ(claimed, c.claims);
        EXPECT_EQ(!port.outBytesTo(890).empty(), c.writesControl);
        if (c.message) {
            ASSERT_EQ(services.messages.messages.size(), 1u);
            EXPECT_EQ(services.messages.messages[0].text, QString::fromLatin1(c.message));
            EXPECT_EQ(services.messages.messages[0].icon, platform::MsgIcon::Critical);
            EXPECT_EQ(services.messages.messages[0].title, QString());
        }
    }
}

TEST_F(BoardChoice, ChipEnableToggleSendsZeroThenOneWithTheLinkClosed) {
    Main& m = start();
    clearRecords();
    m.chipEnable->setOn(false);
    m.chipEnable->setOn(true);
    EXPECT_EQ(usb.lines(), (std::vector<QString>{QStringLiteral("dd_pellion_chip_sel 0"),
                                                 QStringLiteral("dd_pellion_chip_sel 1")}));
}

// R0 goes out as the fields make it on either board, before and after the refresh.
TEST_F(BoardChoice, SpiInterfaceOnUsbSendsTheNewR0WordTwice) {
    Main& m = startConnected();
    m.cmbInterface->setCurrentIndex(1);
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0x19616A20u, 0x000E000Fu, 0x19616A20u}));
}

TEST_F(BoardChoice, SpiInterfaceOnTheParallelBoardSendsTheNewWordTwice) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    board::SimulatedPort chip;
    // Decode what goes out by replaying the data-port bytes into the chip model.
    port.clear();
    m.cmbInterface->setCurrentIndex(1);
    for (int16_t b : port.outBytesTo(888))
        chip.OutByte(888, b);
    EXPECT_EQ(chip.words(), (std::vector<uint32_t>{0x19616A20u, 0x000E000Fu, 0x19616A20u}));
}

TEST_F(BoardChoice, ProgramRegisters0To4WritesR1R3R0R4R2AndClearsOnlyThoseMarks) {
    Main& m = startConnected();
    for (int n : {5, 6, 9, 10, 11, 12, 13})
        m.readout(n)->setMark(Mark::Changed);
    clearRecords();
    m.cmdUpdateAll->click();
    const auto words = usb.writtenWords();
    ASSERT_EQ(words.size(), 5u);
    const int order[] = {1, 3, 0, 4, 2};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(words[i] & 0xF, uint32_t(order[i]));
    for (int n : {0, 1, 2, 3, 4})
        EXPECT_EQ(m.readout(n)->mark(), Mark::Normal) << n;
    for (int n : {5, 6, 9, 10, 11, 12, 13})
        EXPECT_EQ(m.readout(n)->mark(), Mark::Changed) << n;
}

TEST_F(BoardChoice, EachUpdateButtonWritesItsRegister) {
    Main& m = startConnected();
    const std::pair<QPushButton*, uint32_t> buttons[] = {
        {m.cmdN, 0},      {m.cmdOsc, 1},    {m.cmdTransmit, 2}, {m.cmdRxClk, 3},
        {m.cmdDemod, 4},  {m.cmdSync, 5},   {m.cmdT4, 6},       {m.cmdReg9, 9},
        {m.cmdReg10, 10}, {m.cmdReg11, 11}, {m.cmdReg12, 12},   {m.cmdReg13, 13},
    };
    for (const auto& [b, n] : buttons) {
        usb.clear();
        b->click();
        ASSERT_EQ(usb.writtenWords().size(), 1u);
        EXPECT_EQ(usb.writtenWords()[0], word(int(n)));
    }
}

TEST_F(BoardChoice, PrintingScalesToThePageWidthOnlyWhenNeeded) {
    Main& m = start();
    m.resize(800, 600);
    const QSize twips = platform::sizeInTwips(&m);
    services.printer.pageWidthTwips = twips.width() + 100;
    m.mnuPrint_Click();
    services.printer.pageWidthTwips = twips.width() / 2;
    m.mnuPrint_Click();
    ASSERT_EQ(services.printer.targets.size(), 2u);
    EXPECT_EQ(services.printer.targets[0], QRect(QPoint(0, 0), twips));
    EXPECT_EQ(services.printer.targets[1].width(), twips.width() / 2);
    EXPECT_NEAR(services.printer.targets[1].height(), twips.height() / 2.0, 1.0);
    services.printer.failWith =
        QStringLiteral("No printer is installed. Install a printer and try again.");
    m.mnuPrint_Click();
    EXPECT_EQ(messageTexts().back(), *services.printer.failWith);
}

// "Modify" picks a file that is there and asks no replace question, since it replaces
// nothing; only "create" asks before it writes into a file that exists.
TEST_F(BoardChoice, ZantrelItemCancelledLeavesIniRegistersOnly) {
    Main& m = start();
    w().IniRegistersOnly = 0;
    m.mnuSave->trigger(); // the scripted dialog answers "cancelled"
    EXPECT_EQ(w().IniRegistersOnly, 0);
    w().IniRegistersOnly = -1;
    m.mnuCreatenewini->trigger();
    EXPECT_EQ(w().IniRegistersOnly, -1);
    ASSERT_EQ(services.files.requests.size(), 2u);
    const auto& modify = services.files.requests[0];
    const auto& create = services.files.requests[1];
    EXPECT_TRUE(modify.save && modify.mustExist && !modify.askReplace);
    EXPECT_TRUE(create.save && !create.mustExist && create.askReplace);
    for (const auto& request : services.files.requests)
        EXPECT_EQ(request.filter, QStringLiteral("Test Files (*.ini)|*.ini"));
}

TEST_F(BoardChoice, MenusOpenTheirWindows) {
    Main& m = start();
    services.shower.shown.clear();
    m.mnuSync->trigger();  // the readback window, not the sync-word window
    m.testmenu->trigger(); // does nothing
    m.crystalmenu->trigger();
    m.syncWordStatus->click();
    EXPECT_EQ(services.shower.names(),
              (QStringList{QStringLiteral("frmReadback"), QStringLiteral("synthform"),
                           QStringLiteral("frmSWD")}));
}

// "Program Register 0 to 4 " writes R1, R3, R0, R4 and R2.
TEST_F(BoardChoice, AClosedUsbLinkTakesNothingAndSaysSoOncePerAction) {
    Main& m = start();
    evaltest::expectAClosedLinkTakesNothing(*this, m, {1, 3, 0, 4, 2});
}

TEST_F(BoardChoice, AFailingPortShowsOnlyTheWholeWordsWritten) {
    Main& m = start();
    evaltest::expectAFailingPortShowsNothingWritten(*this, m, {1, 3, 0, 4, 2});
}
