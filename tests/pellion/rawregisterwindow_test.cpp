// The raw register window over Pellion's description: the texts it opens with, each word sent
// unchanged over either board, the texts it refuses, and that it leaves the front panel alone.
#include "pellionfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

using namespace pellion;
using namespace pellion::test;

namespace {

using RawRegisters = PellionFixture;
using RawRegistersOverThePort = PellionOverSimulatedPort;

// Every box's "0x" word goes out as it is; the boxes of the registers without a read-out also
// take the fixed texts the window gives them.
struct Sent {
    int box;
    const char* text;
    uint32_t word;
};
const Sent kWords[] = {
    {0, "0x0000000F", 0xF},
    {1, "0xFFFFFFFF", 0xFFFFFFFF},
    {2, "0x8000", 0x00008000},
    {3, "0x1234abcd", 0x1234ABCD},
    {6, "0x80000006", 0x80000006},
    {7, "007", 7},
    {8, "00008", 8},
    {13, "0x7", 7},
    {14, "0000E", 0xE},
    {15, "0x0000000F", 0xF},
};

} // namespace

TEST_F(RawRegisters, OpensWithTheReadoutsAndTheFixedTexts) {
    Main& m = start();
    evalkit::frmRegisters& r = app->frmRegisters();
    EXPECT_EQ(r.windowTitle(), QStringLiteral("Directly Program Registers"));
    EXPECT_EQ(r.count(), 16);
    for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13})
        EXPECT_EQ(r.box(n)->text(), m.readout(n)->text()) << n;
    EXPECT_EQ(r.box(7)->text(), QStringLiteral("007"));
    EXPECT_EQ(r.box(8)->text(), QStringLiteral("00008"));
    EXPECT_EQ(r.box(14)->text(), QStringLiteral("0000E"));
    EXPECT_EQ(r.box(15)->text(), QStringLiteral("0000F"));
    EXPECT_EQ(r.button(9)->text(), QStringLiteral("Update 9"));
    EXPECT_EQ(r.cmdReturn->text(), QStringLiteral("Return to Front Panel"));
    EXPECT_EQ(r.cmdUpdateAll, nullptr);
    EXPECT_EQ(r.warning->text(),
              QStringLiteral("WARNING : Direct Programming of the registers will not update the "
                             "Graphical interface. Programming of Registers 9 to 13 is not "
                             "advised. The part should be reset to assume default values for "
                             "these registers. Use 0x before all register values.  "));
    const auto labels = r.findChildren<QLabel*>();
    const auto has = [&labels](const char* text) {
        return std::any_of(labels.begin(), labels.end(),
                           [text](const QLabel* l) { return l->text() == QLatin1String(text); });
    };
    for (const char* caption : {"Register 00 (Hex)", "Register 01(Hex)", "Register 05 (Hex )",
                                "Register 06 (Hex )", "Register 07 (Hex)", "Register 15 (Hex)"})
        EXPECT_TRUE(has(caption)) << caption;
}

// Before the first refresh the read-outs hold no word: the boxes keep their design texts,
// which are no words and are not sent.
TEST_F(RawRegisters, ReadoutsThatNeverHeldAWordLeaveTheDesignTexts) {
    evalkit::frmRegisters& r = app->frmRegisters(); // the panel exists but never started
    EXPECT_EQ(r.box(0)->text(), QStringLiteral("0xZZZZZZZZ"));
    EXPECT_EQ(r.box(6)->text(), QStringLiteral("0xZZZZZZZZ"));
    EXPECT_EQ(r.box(9)->text(), QStringLiteral(" 0xZZZZZZZ"));
    EXPECT_EQ(r.box(7)->text(), QStringLiteral("007"));
    app->main().cmbMB->setCurrentIndex(1);
    usb.clear();
    r.button(0)->click();
    r.button(9)->click();
    EXPECT_TRUE(usb.writtenWords().empty());
    EXPECT_EQ(messageTexts().size(), 2u);
}

TEST_F(RawRegisters, UsbSendsEachWordUnchangedAndLeavesThePanelAlone) {
    Main& m = startConnected();
    evalkit::frmRegisters& r = app->frmRegisters();
    std::vector<QString> readouts;
    for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13})
        readouts.push_back(m.readout(n)->text() + QString::number(int(m.readout(n)->mark())));
    std::vector<double> fields;
    for (size_t i = 0; i < app->store().fieldTable().size(); ++i)
        fields.push_back(app->store().field(i));
    const uint8_t select = w().RegisterSelect;
    for (const Sent& s : kWords) {
        SCOPED_TRACE(s.text);
        r.box(s.box)->setText(QLatin1String(s.text));
        clearRecords();
        r.button(s.box)->click();
        EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{s.word});
        EXPECT_TRUE(messageTexts().empty());
    }
    std::vector<QString> after;
    for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13})
        after.push_back(m.readout(n)->text() + QString::number(int(m.readout(n)->mark())));
    EXPECT_EQ(after, readouts);
    for (size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(app->store().field(i), fields[i]) << app->store().fieldTable()[i].name;
    EXPECT_EQ(w().RegisterSelect, select);
    EXPECT_TRUE(port.lines().empty());
}

TEST_F(RawRegistersOverThePort, ParallelSendsEachWordWholeEvenRightAfterAReadback) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    evalkit::frmRegisters& r = app->frmRegisters();
    for (const Sent& s : kWords) {
        SCOPED_TRACE(s.text);
        app->writeRegister(7); // a readback leaves RegisterSelect at 7
        r.box(s.box)->setText(QLatin1String(s.text));
        const size_t latched = port.words().size();
        r.button(s.box)->click();
        ASSERT_EQ(port.words().size(), latched + 1);
        EXPECT_EQ(port.words().back(), s.word);
        EXPECT_FALSE(port.readbackActive()); // the latch is closed again
    }
    EXPECT_TRUE(port.malformed().empty());
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(RawRegisters, TextsThatAreNoWordAreRefusedAndNothingIsSent) {
    start();
    evalkit::frmRegisters& r = app->frmRegisters();
    // Nothing is ever cut off a text to make it fit: a text without its "0x" (also another
    // box's fixed text) is refused, not read from its third character.
    for (const char* text :
         {"0xZZZZZZZZ", "", "x", "0x", "0x123456789", "0x12 34", "0x-1", "0x1.5", "0xFFFFFFFFF",
          "255", "12345678", "6F2353", "1e308", " 0x1", "&H1234", "007", "0000E"}) {
        SCOPED_TRACE(text);
        r.box(4)->setText(QLatin1String(text));
        clearRecords();
        r.button(4)->click();
        EXPECT_TRUE(usb.writtenWords().empty());
        ASSERT_EQ(messageTexts().size(), 1u);
        EXPECT_TRUE(messageTexts()[0].startsWith(QStringLiteral("Register 04:")));
    }
}

TEST_F(RawRegisters, ReturnSendsNothingAndTheNextOpeningStartsAfresh) {
    Main& m = start();
    evalkit::frmRegisters& r = app->frmRegisters();
    r.box(2)->setText(QStringLiteral("0x12345678"));
    clearRecords();
    r.cmdReturn->click();
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmRegisters")));
    EXPECT_EQ(app->frmRegisters().box(2)->text(), m.lblMODhex->text());
}
