// The raw register window: the boxes it opens with, a raw word sent over either board, the
// texts it refuses, and that it leaves the front panel alone.
#include "corvanefixture.h"

#include "board/simulatedport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace corvane;
using namespace corvane::test;

namespace {

struct RawRegisterWindow : CorvaneFixture {
    frmRegisters& open() {
        startConnected();
        return app->frmRegisters();
    }
};

TEST_F(RawRegisterWindow, OpensWithTheReadoutsAndTheFixedTexts) {
    Main& m = start();
    frmRegisters& r = app->frmRegisters();
    const std::pair<int, reglink::RegisterReadout*> readouts[] = {
        {0, m.lblNhex},       {1, m.lblOSChex},     {2, m.lblMODhex},     {3, m.lblRxCLKhex},
        {4, m.lblDEMODhex},   {5, m.lblSyncHex},    {6, m.lblT4hex},      {9, m.lblAGC9hex},
        {10, m.lbltest10hex}, {11, m.lbltest11hex}, {12, m.lbltest12hex}, {13, m.lblTFSK13hex},
    };
    for (const auto& [n, readout] : readouts) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(readout->text().startsWith(QStringLiteral("0x")));
        EXPECT_EQ(r.box(n)->text(), readout->text());
    }
    EXPECT_EQ(r.box(0)->text(), m.lblNhex->text());
    EXPECT_EQ(r.box(7)->text(), QStringLiteral("0x007"));
    EXPECT_EQ(r.box(8)->text(), QStringLiteral("0x0008"));
    EXPECT_EQ(r.box(14)->text(), QStringLiteral("0x0000000E"));
    EXPECT_EQ(r.box(15)->text(), QStringLiteral("0x0000000F"));

    EXPECT_EQ(r.windowTitle(), QStringLiteral("Directly Program Registers"));
    EXPECT_EQ(r.button(0)->text(), QStringLiteral("Update 0"));
    EXPECT_EQ(r.button(15)->text(), QStringLiteral("Update 15"));
    EXPECT_EQ(r.cmdReturn->text(), QStringLiteral("Return to Front Panel"));
    EXPECT_EQ(r.warning->text(),
              QStringLiteral("WARNING : Direct Programming of the registers will not update the "
                             "Graphical interface. Programming of Registers 9 to 13 is not "
                             "advised. The part should be reset to assume default values for "
                             "these registers  "));
    EXPECT_EQ(r.box(3)->objectName(), QStringLiteral("Text3"));
    EXPECT_EQ(r.button(3)->objectName(), QStringLiteral("cmd3"));
    const auto captions = r.findChildren<QLabel*>();
    const auto has = [&](const char* text) {
        return std::any_of(captions.begin(), captions.end(),
                           [&](const QLabel* l) { return l->text() == QString::fromLatin1(text); });
    };
    EXPECT_TRUE(has("Register 01(Hex)"));
    EXPECT_TRUE(has("Register 05 (Hex )"));
    EXPECT_TRUE(has("Register 15 (Hex)"));
}

// A read-out that never held a word leaves its box at the design text, and that text is no
// word: sending it is refused instead of writing 0.
TEST_F(RawRegisterWindow, NeverRefreshedReadoutKeepsTheDesignTextWhichIsNotSent) {
    Main& m = startConnected();
    m.lblNhex->setText(QStringLiteral("0xZZZZZZ"));
    clearRecords();
    frmRegisters& r = app->frmRegisters();
    EXPECT_EQ(r.box(0)->text(), QStringLiteral("0xZZZZZZZZ"));
    r.button(0)->click();
    EXPECT_TRUE(usb.lines().empty());
    ASSERT_EQ(services.messages.messages.size(), 1u);
    EXPECT_EQ(services.messages.messages[0].icon, platform::MsgIcon::Exclamation);
}

TEST_F(RawRegisterWindow, UsbUpdate3SendsTheWordOnceAndLeavesTheFrontPanelAlone) {
    frmRegisters& r = open();
    Main& m = app->main();
    ASSERT_EQ(m.cmbMB->currentIndex(), 1);
    const QString r3Text = m.lblRxCLKhex->text();
    const auto r3Mark = m.lblRxCLKhex->mark();
    const uint32_t r3Word = word(3);
    app->writeRegister(5); // the link records R5 as the register last written
    clearRecords();

    r.box(3)->setText(QStringLiteral("0x1234ABCD"));
    r.button(3)->click();

    // The word goes out as typed, with its own low bits (13) as the address.
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0x1234ABCDu}));
    EXPECT_EQ(usb.lines(),
              (std::vector<QString>{QStringLiteral("dd_write_pellion_reg 0x1234ABCD")}));
    EXPECT_EQ(m.lblRxCLKhex->text(), r3Text);
    EXPECT_EQ(m.lblRxCLKhex->mark(), r3Mark);
    EXPECT_EQ(word(3), r3Word);
    EXPECT_EQ(w().RegisterSelect, 5);
    EXPECT_EQ(r.box(3)->text(), QStringLiteral("0x1234ABCD"));
    EXPECT_TRUE(messageTexts().empty());

    r.button(7)->click(); // "0x007"
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0x1234ABCDu, 7u}));
}

struct TextCase {
    const char* text;
    std::optional<uint32_t> word;
};

// What a box may hold: "0x" and 1 to 8 hexadecimal digits, as an unsigned 32-bit word.
TEST_F(RawRegisterWindow, AcceptsOnlyZeroXAndOneToEightHexDigits) {
    frmRegisters& r = open();
    const TextCase cases[] = {
        {"0x0", 0u},
        {"0x7", 7u},
        {"0x007", 7u},
        {"0xabc", 0xABCu},
        {"0x8000", 0x8000u}, // not sign-extended from 16 bits
        {"0x80556214", 0x80556214u},
        {"0xFFFFFFFF", 0xFFFFFFFFu},
        {"0x0000000E", 0xEu},
        {"", std::nullopt},
        {"0", std::nullopt},
        {"0x", std::nullopt},
        {"0x123456789", std::nullopt}, // nine digits do not fit a register
        {"0x12G4", std::nullopt},
        {"0xZZZZZZZZ", std::nullopt},
        {"1234ABCD", std::nullopt}, // no prefix
        {"&H1234", std::nullopt},
        {"0x-1", std::nullopt},
        {"0x+1", std::nullopt},
        {" 0x12", std::nullopt},
        {"0x12 ", std::nullopt},
        {"0x1.5", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        clearRecords();
        r.box(6)->setText(QString::fromLatin1(c.text));
        r.button(6)->click();
        if (c.word) {
            EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{*c.word}));
            EXPECT_TRUE(messageTexts().empty());
        } else {
            EXPECT_TRUE(usb.lines().empty());
            ASSERT_EQ(services.messages.messages.size(), 1u);
            const auto& msg = services.messages.messages[0];
            EXPECT_EQ(msg.icon, platform::MsgIcon::Exclamation);
            EXPECT_EQ(msg.title, services.messages.defaultTitle());
            EXPECT_TRUE(msg.text.contains(QStringLiteral("Register 06")));
            EXPECT_TRUE(msg.text.contains(QStringLiteral("0x followed by 1 to 8 hexadecimal")));
        }
        EXPECT_EQ(r.box(6)->text(), QString::fromLatin1(c.text));
    }
}

TEST_F(RawRegisterWindow, ReturnSendsNothingAndTheNextOpeningStartsAfresh) {
    frmRegisters& r = open();
    const QString r3 = app->main().lblRxCLKhex->text();
    r.box(3)->setText(QStringLiteral("0x1234ABCD"));
    r.cmdReturn->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmRegisters")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_TRUE(port.lines().empty());
    EXPECT_EQ(app->frmRegisters().box(3)->text(), r3);
}

// Return in a box does not press an Update button.
TEST_F(RawRegisterWindow, ReturnKeyInABoxSendsNothing) {
    frmRegisters& r = open();
    app->showModal(&r);
    r.box(3)->setFocus();
    r.box(3)->setText(QStringLiteral("0x1234ABCD"));
    QTest::keyClick(r.box(3), Qt::Key_Return);
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_TRUE(r.isVisible());
}

// Over the parallel port the simulated chip decodes what is clocked out.
using RawRegisterOverParallelPort = CorvaneOverSimulatedPort;

TEST_F(RawRegisterOverParallelPort, ChipLatchesTheFull32BitWordEvenAfterAReadback) {
    Main& m = app->start();
    m.cmbMB->setCurrentIndex(0);
    app->writeRegister(7); // a readback leaves RegisterSelect at 7
    ASSERT_EQ(port.readbacks().size(), 1u);
    const auto r3Before = port.lastWord(3);
    const QString r3Text = m.lblRxCLKhex->text();
    usb.clear();

    frmRegisters& r = app->frmRegisters();
    const size_t before = port.words().size();
    r.box(3)->setText(QStringLiteral("0x1234ABCD"));
    r.button(3)->click();
    r.button(7)->click(); // "0x007"

    ASSERT_EQ(port.words().size(), before + 2);
    EXPECT_EQ(port.words()[before], 0x1234ABCDu);
    EXPECT_EQ(port.words()[before + 1], 7u);
    EXPECT_EQ(port.lastWord(13), 0x1234ABCDu);
    EXPECT_EQ(port.lastWord(3), r3Before);
    EXPECT_EQ(port.readbacks().size(), 1u); // "0x007" is written, not read back
    EXPECT_TRUE(port.malformed().empty());
    EXPECT_FALSE(port.readbackActive());
    EXPECT_EQ(app->w().RegisterSelect, 7);
    EXPECT_EQ(m.lblRxCLKhex->text(), r3Text);
    EXPECT_TRUE(usb.lines().empty());
}

TEST(RawRegisterHelpers, HexTextToValueReadsOneToEightDigits) {
    EXPECT_EQ(frmRegisters::HexTextToValue(QStringLiteral("1A")), 26.0);
    EXPECT_EQ(frmRegisters::HexTextToValue(QStringLiteral("ffffffff")), 4294967295.0);
    EXPECT_EQ(frmRegisters::HexTextToValue(QString()), std::nullopt);
    EXPECT_EQ(frmRegisters::HexTextToValue(QStringLiteral("12G")), std::nullopt);
}

} // namespace
