// The read-outs against the words last written, the Update buttons and "Program Registers" on
// both boards, the chip-enable repaint, the parallel wire and raw words.
#include "tessarinefixture.h"

#include "evalkit/rawregisterwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <limits>

using namespace tessarine;
using namespace tessarine::test;

using Registers = TessarineFixture;
using RegistersOverThePort = TessarineOverSimulatedPort;

namespace {

QString writeLine(uint32_t word) {
    return QStringLiteral("dd_write_pellion_reg 0x") +
           QString::number(word, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

// A new RF channel through the synthesizer window, as the user would enter it.
void plan(TessarineApp& app, const char* rf) {
    synthform& s = app.synthform();
    s.txtVCOout1->setText(QString::fromLatin1(rf));
    s.CmdCalculate->click();
}

} // namespace

TEST_F(Registers, ProgramRegistersWritesRNModulationFunctionAndLeavesButtonFace) {
    Main& m = startConnected();
    m.cmdUpdateAll->click();
    EXPECT_EQ(usb.lines(), (std::vector<QString>{writeLine(0x86000), writeLine(0x3AE2A9),
                                                 writeLine(0x85F02), writeLine(0x55A08F)}));
    EXPECT_EQ(readoutTexts(), PowerOnReadouts);
    EXPECT_EQ(readoutMarks(), allMarks(Mark::ButtonFace));
    EXPECT_EQ(w().LastRWord, 0x86000);
    EXPECT_EQ(w().LastNWord, 0x3AE2A9);
    EXPECT_EQ(w().LastMWord, 0x85F02);
    EXPECT_EQ(w().LastFWord, 0x55A08F);
    // A refresh with nothing changed keeps them so.
    m.fnGuiWrite();
    EXPECT_EQ(readoutMarks(), allMarks(Mark::ButtonFace));
}

TEST_F(RegistersOverThePort, ProgramRegistersOnTheParallelBoardTheChipLatchesEachWord) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    const size_t before = port.outByteCount();
    m.cmdUpdateAll->click();
    EXPECT_EQ(port.words(), PowerOnWords);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(port.lastWord(n), PowerOnWords[size_t(n)]) << n;
    EXPECT_EQ(port.outByteCount() - before, 400u);
    EXPECT_TRUE(port.malformed().empty());
    EXPECT_TRUE(usb.writtenWords().empty());
    EXPECT_EQ(readoutMarks(), allMarks(Mark::ButtonFace));
}

// After the registers are programmed only a read-out whose word changed turns green, and it
// returns to the button face when the word is as written again, with nothing written.
TEST_F(Registers, AChangeMarksOnlyTheChangedWordAndChangingBackClearsIt) {
    Main& m = startConnected();
    m.cmdUpdateAll->click();
    clearRecords();
    plan(*app, "869");
    EXPECT_NE(m.lblNhex->text(), PowerOnReadouts[1]);
    EXPECT_EQ(readoutMarks(), (std::vector<Mark>{Mark::ButtonFace, Mark::Changed, Mark::ButtonFace,
                                                 Mark::ButtonFace}));
    plan(*app, "868.3");
    EXPECT_EQ(readoutTexts(), PowerOnReadouts);
    EXPECT_EQ(readoutMarks(), allMarks(Mark::ButtonFace));
    EXPECT_TRUE(usb.writtenWords().empty());

    // The doubler changes R alone (R 6 and the doubler bit).
    app->synthform().optDoubler->setChecked(true);
    app->synthform().CmdCalculate->click();
    EXPECT_EQ(m.lblRhex->text(), QStringLiteral("0xAC000"));
    EXPECT_EQ(readoutMarks(), (std::vector<Mark>{Mark::Changed, Mark::ButtonFace, Mark::ButtonFace,
                                                 Mark::ButtonFace}));
}

TEST_F(Registers, EachUpdateButtonWritesItsRegisterAndClearsOnlyItsMark) {
    Main& m = startConnected();
    QPushButton* const buttons[] = {m.cmdR, m.cmdN, m.cmdmod2, m.cmdfunction};
    for (int n = 0; n < 4; ++n) {
        SCOPED_TRACE(n);
        clearRecords();
        buttons[n]->click();
        EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{PowerOnWords[size_t(n)]});
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(m.readout(k)->mark(), k <= n ? Mark::ButtonFace : Mark::Changed) << k;
    }
}

// Enabling the chip again paints every read-out green; the words last written stay, so the
// next refresh marks against them again.
TEST_F(Registers, ChipEnableOnRepaintsAllGreenAndKeepsTheLastWrittenWords) {
    Main& m = startConnected();
    m.cmdUpdateAll->click();
    clearRecords();
    m.chipEnable->setOn(false);
    EXPECT_EQ(readoutMarks(), allMarks(Mark::ButtonFace));
    m.chipEnable->setOn(true);
    EXPECT_EQ(usb.lines(), (std::vector<QString>{QStringLiteral("dd_pellion_chip_sel 0"),
                                                 QStringLiteral("dd_pellion_chip_sel 1")}));
    EXPECT_EQ(readoutMarks(), allMarks(Mark::Changed));
    EXPECT_EQ(readoutTexts(), PowerOnReadouts);
    EXPECT_EQ(w().LastNWord, 0x3AE2A9);
    EXPECT_EQ(w().LastFWord, 0x55A08F);
    m.fnGuiWrite();
    EXPECT_EQ(readoutMarks(), allMarks(Mark::ButtonFace));
}

TEST_F(RegistersOverThePort, NWordIsExactly100PortWritesTheChipDecodes) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    const size_t before = port.outByteCount();
    m.cmdN->click();
    std::vector<int32_t> bytes;
    for (size_t i = before; i < port.outByteCount(); ++i) {
        EXPECT_EQ(port.outBytes()[i].address, 888);
        bytes.push_back(port.outBytes()[i].value);
    }
    std::vector<int32_t> expected{8};
    for (int b = 31; b >= 0; --b) {
        const bool one = (0x3AE2A9u >> b) & 1u;
        for (int32_t v : one ? std::array<int32_t, 3>{10, 11, 10} : std::array<int32_t, 3>{8, 9, 8})
            expected.push_back(v);
    }
    for (int32_t v : {8, 12, 8})
        expected.push_back(v);
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(port.words(), std::vector<uint32_t>{0x3AE2A9u});
    EXPECT_EQ(port.lastWord(1), 0x3AE2A9u);
    EXPECT_EQ(w().LastNWord, 0x3AE2A9);
    EXPECT_EQ(m.lblNhex->mark(), Mark::ButtonFace);
}

// A raw word goes out as typed, past the fields: the read-outs and the words last written
// stay as they were.
TEST_F(RegistersOverThePort, RawWordWithBit31GoesOutWithItsTopBitOnBothBoards) {
    Main& m = start();
    for (int board : {0, 1}) {
        SCOPED_TRACE(board);
        m.cmbMB->setCurrentIndex(board);
        if (board == 1)
            m.ConnectUSB->click();
        evalkit::frmRegisters& raw = app->frmRegisters();
        EXPECT_EQ(raw.box(3)->text(), QStringLiteral("0x55A08F"));
        raw.box(3)->setText(QStringLiteral("0x8055A08F"));
        raw.button(3)->click();
        if (board == 0) {
            ASSERT_FALSE(port.words().empty());
            EXPECT_EQ(port.words().back(), 0x8055A08Fu);
            EXPECT_EQ(port.lastWord(3), 0x8055A08Fu);
        } else {
            EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x8055A08Fu});
        }
        EXPECT_EQ(w().DirectRegisterValue, tessarine::registerWordValue(0x8055A08Fu));
        EXPECT_EQ(m.lblFhex->text(), QStringLiteral("0x55A08F"));
        EXPECT_EQ(m.lblFhex->mark(), Mark::Changed);
        EXPECT_EQ(w().LastFWord, 0);
        raw.cmdReturn->click();
    }
    EXPECT_EQ(messageTexts(), std::vector<QString>{});
}

TEST_F(Registers, RawWordOutsideTheSigned32BitRangeIsRefusedBeforeAnythingGoesOut) {
    Main& m = start();
    const double refused[] = {2147483648.0,
                              -2147483649.0,
                              1e10,
                              -1e300,
                              std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity()};
    for (int board : {0, 1}) {
        m.cmbMB->setCurrentIndex(board);
        if (board == 1)
            m.ConnectUSB->click(); // the ends of the range below go out over the open link
        for (double v : refused) {
            SCOPED_TRACE(v);
            clearRecords();
            w().DirectRegisterValue = v;
            app->writeDirectRegisterValue();
            ASSERT_EQ(services.messages.messages.size(), 1u);
            EXPECT_EQ(services.messages.messages[0].icon, platform::MsgIcon::Exclamation);
            EXPECT_TRUE(usb.lines().empty());
            EXPECT_TRUE(port.outBytesTo(888).empty());
        }
    }
    // The ends of the range go out, the lowest as bit 31 alone.
    clearRecords();
    w().DirectRegisterValue = -2147483648.0;
    app->writeDirectRegisterValue();
    w().DirectRegisterValue = 2147483647.0;
    app->writeDirectRegisterValue();
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0x80000000u, 0x7FFFFFFFu}));
    EXPECT_EQ(messageTexts(), std::vector<QString>{});
}

TEST_F(Registers, RegistersTheChipLacksSendNothing) {
    Main& m = start();
    for (int board : {0, 1}) {
        m.cmbMB->setCurrentIndex(board);
        if (board == 1)
            m.ConnectUSB->click();
        clearRecords();
        for (int n : {4, 7, 8, 15, 98, 255})
            app->writeRegister(n);
        EXPECT_TRUE(usb.writtenWords().empty());
        EXPECT_TRUE(port.outBytesTo(888).empty());
    }
    EXPECT_EQ(readoutMarks(), allMarks(Mark::Changed));
}
