// The data-rate and deviation boxes typed into a key at a time: a number on its way to a valid
// one is only marked, never refused with a message per keystroke; an entry still refused when
// it is committed (Return, or the focus leaving the box) gets its warning then, once.
#include "../support/userinput.h"
#include "pellionfixture.h"

#include "link/registerreadout.h"
#include "pellion/calc/deviation.h"
#include "platform/entrymark.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>

using namespace pellion;
using namespace pellion::test;

namespace {

using TypedEntry = PellionFixture;

const QString Cdr346 =
    QStringLiteral("CDR divide of 346 is above the maximum of 255. Please raise the data rate");
const QString Discriminator1369 = QStringLiteral(
    "Discriminator setting of 1369 is above the maximum of 1023. Please raise the deviation");

// Every rate that starts with 1 passes "1" (a CDR divide of 346), every deviation that starts
// with 1 or 2 passes a discriminator above ten bits: typed through, none says a word.
TEST_F(TypedEntry, ValidNumbersTypedThroughRefusedPrefixesSayNothing) {
    Main& m = start();
    const struct {
        QLineEdit* box;
        const char* keys;
    } entries[] = {
        {m.txtDatarate, "19.2"}, {m.txtDatarate, "1.5"}, {m.txtDatarate, "150"},
        {m.TxtFSKdev, "25"},     {m.TxtFSKdev, "12.5"},  {m.TxtFSKdev, "200"},
    };
    for (const auto& e : entries) {
        SCOPED_TRACE(e.keys);
        clearRecords();
        evaltest::typeInto(e.box, QString::fromLatin1(e.keys));
        EXPECT_TRUE(messageTexts().empty());
        EXPECT_FALSE(platform::isMarkedRefused(e.box));
        evaltest::pressReturn(e.box);
        evaltest::leaveBox(e.box);
        EXPECT_TRUE(messageTexts().empty());
    }
    // The last of each was planned.
    EXPECT_EQ(f().CdrClockDividerField, 2 << 8); // round(345.6 / 150)
    EXPECT_EQ(f().TxDeviationField, 296 << 15);  // round(200000 / 675)
}

// While "1" stands the box is marked and nothing changes; the warning comes with the commit,
// once, with the rate that was kept, and the box shows that rate again.
TEST_F(TypedEntry, AnEntryStillRefusedGetsItsWarningWhenCommitted) {
    Main& m = start();
    const uint32_t r3 = word(3);
    clearRecords();
    evaltest::typeInto(m.txtDatarate, QStringLiteral("1"));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_TRUE(m.txtDatarate->toolTip().startsWith(Cdr346));
    EXPECT_EQ(word(3), r3);
    evaltest::pressReturn(m.txtDatarate);
    const std::vector<QString> said{Cdr346 +
                                    QStringLiteral("\n\nThe data rate is left at 10 kbps.")};
    EXPECT_EQ(messageTexts(), said);
    EXPECT_EQ(m.txtDatarate->text(), QStringLiteral("10"));
    evaltest::leaveBox(m.txtDatarate);
    // Planned again from code (the demodulator list): the rate in force says nothing.
    m.cmbDemod->setCurrentIndex(0);
    m.cmbDemod->setCurrentIndex(1);
    EXPECT_EQ(messageTexts(), said);
    EXPECT_EQ(word(3), r3);

    clearRecords();
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("2"));
    EXPECT_TRUE(messageTexts().empty());
    evaltest::leaveBox(m.TxtFSKdev);
    EXPECT_EQ(messageTexts(), std::vector<QString>{Discriminator1369 +
                                                   QStringLiteral("\n\nThe deviation is left at "
                                                                  "20 kHz.")});
    EXPECT_FLOAT_EQ(w().ActualDeviationKHz, 20.25f);
}

// "300" passes "30", which is planned while it is typed; committed, the refused rate puts back
// the 10 kbit/s plan: R3 and the read-out as they were, the labels, and a saved file.
TEST_F(TypedEntry, ARefusedRateLeavesThePlanInForceBeforeTheTyping) {
    Main& m = start();
    const uint32_t r3 = word(3), r4 = word(4);
    reglink::RegisterReadout* readout = app->readoutLabel(3);
    const QString shown = readout->text();
    const auto mark = readout->mark();
    const QString rxClock = m.lblRxCLK->text(), bandwidth = m.lblDemodBW->text();
    clearRecords();
    evaltest::typeInto(m.txtDatarate, QStringLiteral("30"));
    ASSERT_NE(word(3), r3); // 30 kbit/s is planned as it is typed
    ASSERT_NE(readout->text(), shown);
    QTest::keyClick(m.txtDatarate, Qt::Key_0);
    ASSERT_TRUE(platform::isMarkedRefused(m.txtDatarate));
    evaltest::pressReturn(m.txtDatarate);
    EXPECT_EQ(word(3), r3);
    EXPECT_EQ(word(4), r4);
    EXPECT_EQ(readout->text(), shown);
    EXPECT_EQ(readout->mark(), mark);
    EXPECT_EQ(m.lblRxCLK->text(), rxClock);
    EXPECT_EQ(m.lblDemodBW->text(), bandwidth);
    EXPECT_EQ(m.txtDatarate->text(), QStringLiteral("10"));
    EXPECT_TRUE(platform::isMarkedRefused(m.txtDatarate));
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].endsWith(QStringLiteral("The data rate is left at 10 kbps.")));
}

// The design's own message for a deviation above 500 kHz comes once, when the entry that is
// still above it is committed, however many keys went past 500; the deviation in force stays.
TEST_F(TypedEntry, TheDeviationLimitMessageComesOnceWhenCommitted) {
    Main& m = start();
    const uint32_t r2 = word(2);
    clearRecords();
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("50123"));
    EXPECT_TRUE(messageTexts().empty());
    evaltest::pressReturn(m.TxtFSKdev);
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{calc::DeviationTooLargeText +
                                   QStringLiteral("\n\nThe deviation is left at 20 kHz.")});
    EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_EQ(word(2), r2);
    // Typed past 500 and back below it: nothing to say.
    clearRecords();
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("501"));
    QTest::keyClick(m.TxtFSKdev, Qt::Key_Backspace);
    QTest::keyClick(m.TxtFSKdev, Qt::Key_Backspace);
    evaltest::pressReturn(m.TxtFSKdev);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_FALSE(platform::isMarkedRefused(m.TxtFSKdev));
}

// The marks say what the boxes take at the set-up in force: at 11.0592 MHz 345 kHz is the
// most deviation that fits the count, half that with the divide-by-2.
TEST_F(TypedEntry, TheMarksStateTheLimitsOfTheSetUp) {
    Main& m = start();
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("abc"));
    EXPECT_TRUE(m.TxtFSKdev->toolTip().contains(QStringLiteral("to 345.26 at this set-up")));
    evaltest::typeInto(m.txtDatarate, QStringLiteral("1"));
    EXPECT_TRUE(m.txtDatarate->toolTip().contains(QStringLiteral("from 1.353 to 201.4")));
    // Every end the marks give is taken.
    for (const char* taken : {"345.26", "2.363"}) {
        evaltest::typeInto(m.TxtFSKdev, QString::fromLatin1(taken));
        EXPECT_FALSE(platform::isMarkedRefused(m.TxtFSKdev)) << taken;
    }
    evaltest::typeInto(m.txtDatarate, QStringLiteral("1.353"));
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
    evaltest::typeInto(m.txtDatarate, QStringLiteral("1.352"));
    EXPECT_TRUE(platform::isMarkedRefused(m.txtDatarate));
}

// Within half a step of 0 (675 Hz / 2 at 11.0592 MHz) the count is 0: "0.1" is taken as no
// deviation, as the mark says, and the label shows it; the next step, which the discriminator
// cannot hold, is marked as the mark says too.
TEST_F(TypedEntry, TheMarkSaysWhatASmallDeviationDoes) {
    Main& m = start();
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("abc"));
    EXPECT_TRUE(m.TxtFSKdev->toolTip().contains(
        QStringLiteral("0 to 0.337, under half a step: no deviation, or a number from 2.363")))
        << m.TxtFSKdev->toolTip().toStdString();
    for (const char* small : {"0.1", "0.337"}) {
        clearRecords();
        evaltest::typeInto(m.TxtFSKdev, QString::fromLatin1(small));
        evaltest::pressReturn(m.TxtFSKdev);
        EXPECT_FALSE(platform::isMarkedRefused(m.TxtFSKdev)) << small;
        EXPECT_EQ(f().TxDeviationField, 0) << small;
        EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("0.000")) << small;
        EXPECT_TRUE(messageTexts().empty()) << small;
    }
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("0.338"));
    EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_EQ(f().TxDeviationField, 0); // the deviation in force
}

// A decimal comma is refused whatever the locale, and the mark says that the mark is a point.
TEST_F(TypedEntry, ADecimalCommaIsRefusedWithAHint) {
    Main& m = start();
    const QLocale kept;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const uint32_t r2 = word(2);
    clearRecords();
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("20,5"));
    EXPECT_TRUE(
        m.TxtFSKdev->toolTip().endsWith(QStringLiteral("\nThe decimal mark is a point: 20.5")));
    evaltest::leaveBox(m.TxtFSKdev);
    EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].endsWith(
        QStringLiteral("\nThe decimal mark is a point: 20.5\n\nThe deviation is left at 20 kHz.")));
    EXPECT_EQ(word(2), r2);
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("20.5"));
    EXPECT_FALSE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("20.250"));
    QLocale::setDefault(kept);
}

} // namespace
