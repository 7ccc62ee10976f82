// Register write and readback over both boards, and the register buttons.
#include "pellionfixture.h"

#include "link/readouttext.h"

#include <QComboBox>
#include <QPushButton>

using namespace pellion;
using namespace pellion::test;
using Mark = reglink::RegisterReadout::Mark;

using UsbWrite = PellionFixture;
using ParallelWrite = PellionOverSimulatedPort;

namespace {
const int kShown[] = {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13};
} // namespace

// Each Update button sends the word its read-out shows and restores the read-out's normal colour.
TEST_F(UsbWrite, EachUpdateButtonSendsWhatItsReadoutShows) {
    Main& m = startConnected();
    for (int n : kShown) {
        SCOPED_TRACE(n);
        usb.clear();
        m.readout(n)->setMark(Mark::Changed);
        m.updateButton(n)->click();
        EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{word(n)});
        EXPECT_EQ(m.readout(n)->mark(), Mark::Normal);
    }
}

// A field changed without a refresh goes out as the word the fields make now, and the read-out
// shows that word.
TEST_F(UsbWrite, AFieldChangedWithoutARefreshSendsTheNewWord) {
    Main& m = startConnected();
    const uint32_t shown = word(13);
    f().AfcKiField = 9 << 8;
    ASSERT_NE(word(13), shown);
    clearRecords();
    m.cmdReg13->click();
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{word(13)});
    EXPECT_EQ(m.lblTFSK13hex->text(), reglink::readoutText(word(13)));
    EXPECT_EQ(m.lblTFSK13hex->mark(), Mark::Normal);
}

TEST_F(UsbWrite, ProgramRegisters0To6WritesInItsOrder) {
    Main& m = startConnected();
    for (int n : {9, 10, 11, 12, 13})
        m.readout(n)->setMark(Mark::Changed);
    clearRecords();
    m.cmdUpdateAll->click();
    std::vector<uint32_t> numbers;
    for (uint32_t w : usb.writtenWords())
        numbers.push_back(w & 0xF);
    EXPECT_EQ(numbers, (std::vector<uint32_t>{0, 1, 2, 3, 4, 6, 5}));
    for (int n : {0, 1, 2, 3, 4, 5, 6})
        EXPECT_EQ(m.readout(n)->mark(), Mark::Normal) << n;
    for (int n : {9, 10, 11, 12, 13})
        EXPECT_EQ(m.readout(n)->mark(), Mark::Changed) << n;
}

// R8 follows the receive/transmit rule: transmit keeps the ADC switch (off at power-on),
// receive switches the whole receiver on.
TEST_F(UsbWrite, PowerDownRegisterFollowsTheDirection) {
    startConnected();
    struct Case {
        int32_t TxRxField;
        double AdcEnableField;
        uint32_t sent;
    } cases[] = {{0, 0, 0x008}, {bit(27), 0, 0x7C8}, {0, 256, 0x108}, {bit(27), 256, 0x7C8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent);
        f().TxRxField = c.TxRxField;
        f().AdcEnableField = c.AdcEnableField;
        usb.clear();
        app->writeRegister(8);
        EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{c.sent});
    }
    // Receive leaves the ADC on for a later transmit write, as the readback window would.
    f().TxRxField = 0;
    usb.clear();
    app->writeRegister(8);
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x108});
}

TEST_F(UsbWrite, ReadbackPassesTheSelectionAndKeepsTheAnswer) {
    startConnected();
    f().ReadbackEnableField = 1 << 8;
    f().ReadbackSelectField = 2 << 6;
    f().ReadbackAdcModeField = 1 << 4;
    usb.setReadbackAnswer(0x19, 0xBEEF);
    clearRecords();
    app->writeRegister(7);
    EXPECT_EQ(usb.lines(),
              std::vector<QString>{QStringLiteral("dd_read_pellion_reg 25 -> 0x0000BEEF")});
    EXPECT_EQ(w().ReadbackValue, 0xBEEF);
}

// Register 99 has no USB path; 14, 15 and the registers without fields write nothing; with no
// board chosen nothing goes out at all.
TEST_F(UsbWrite, RegistersWithoutAUsbPathSendNothing) {
    Main& m = startConnected();
    for (int n : {14, 15, 99})
        app->writeRegister(n);
    EXPECT_FALSE(app->writeRawWord(0x12345678));
    m.cmbMB->setCurrentIndex(-1);
    clearRecords();
    for (int n : {0, 7, 8, 12})
        app->writeRegister(n);
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_TRUE(port.lines().empty());
}

// ---- the parallel-port board, decoded by the simulated chip ---------------------------

// Every register the chip has goes out as its word: the chip decodes each one back, and
// a write is 101 port writes (8, 32 bits of three writes each, 8, 12, 8, 8).
TEST_F(ParallelWrite, EveryWordReachesTheChipAndShowsOnItsReadout) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    f().MuxoutField = 7.0 * bit(29); // bit 31 set in R0 (R2 has it from its PA bias)
    for (int n : kShown) {
        SCOPED_TRACE(n);
        const uint32_t expected = word(n);
        m.readout(n)->setMark(Mark::Changed);
        const size_t before = port.outByteCount();
        m.updateButton(n)->click();
        EXPECT_EQ(port.outByteCount() - before, 101u);
        EXPECT_EQ(port.lastWord(n), expected);
        // The read-out shows the full word just sent, though the shift took 2^31 off the
        // working value.
        EXPECT_EQ(m.readout(n)->text(), reglink::readoutText(expected));
        EXPECT_EQ(m.readout(n)->mark(), Mark::Normal);
        if (expected >= 0x80000000u) {
            EXPECT_EQ(w().RegisterWord, double(expected) - 2147483648.0);
        }
    }
    EXPECT_EQ(m.lblNhex->text(), QStringLiteral("0xF2741C50"));
    EXPECT_TRUE(port.malformed().empty());
}

TEST_F(ParallelWrite, PowerDownRegisterAndRawWordGoOutOverThePort) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    f().TxRxField = bit(27);
    app->writeRegister(8);
    EXPECT_EQ(port.lastWord(8), 0x7C8u);
    EXPECT_TRUE(app->writeRawWord(0x8000000Eu));
    EXPECT_EQ(port.words().back(), 0x8000000Eu);
    // A test word that is no 32-bit value sends nothing: the test-mode window, with no entry
    // chosen, sends the one it holds.
    w().TestModeWord = 4294967296.0;
    frmTestModes& testModes = app->frmTestModes();
    testModes.cmbTestList->setCurrentIndex(-1);
    const size_t before = port.outByteCount();
    testModes.cmdTestModeWrite->click();
    EXPECT_EQ(port.outByteCount(), before);
    EXPECT_TRUE(port.malformed().empty());
    EXPECT_TRUE(usb.writtenWords().empty());
    EXPECT_EQ(m.cmbMB->currentIndex(), 0);
}

// The R7 read returns the 16 bits the chip puts on the status line, most significant first.
TEST_F(ParallelWrite, ReadbackReturnsTheSixteenBitsTheChipAnswers) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    f().ReadbackEnableField = 1 << 8;
    f().ReadbackSelectField = 3 << 6;
    struct Case {
        int32_t answer;
        int32_t read;
    } cases[] = {{0xBEEF, 0xBEEF}, {0x8001, 0x8001}, {0x0000, 0x0000}, {0x12345, 0x2345}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        port.setReadbackAnswer(0x1C, c.answer);
        app->writeRegister(7);
        EXPECT_EQ(w().ReadbackValue, c.read);
        ASSERT_FALSE(port.readbacks().empty());
        EXPECT_TRUE(port.readbacks().back().complete);
        EXPECT_EQ(port.readbacks().back().selection, 0x1C);
    }
    EXPECT_TRUE(port.malformed().empty());
    EXPECT_EQ(m.cmbMB->currentIndex(), 0);
}
