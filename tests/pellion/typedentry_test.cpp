// The data-rate and deviation boxes typed into a key at a time: a number on its way to a valid
// one is only marked, never refused with a message per keystroke; an entry still refused when
// it is committed (Return, or the focus leaving the box) gets its warning then, once.
#include "../support/userinput.h"
#include "pellionfixture.h"

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
// and only once for that entry.
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
    EXPECT_EQ(messageTexts(), std::vector<QString>{Cdr346});
    evaltest::leaveBox(m.txtDatarate);
    // Planned again from code (the demodulator list): said already.
    m.cmbDemod->setCurrentIndex(0);
    m.cmbDemod->setCurrentIndex(1);
    EXPECT_EQ(messageTexts(), std::vector<QString>{Cdr346});
    EXPECT_EQ(word(3), r3);

    clearRecords();
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("2"));
    EXPECT_TRUE(messageTexts().empty());
    evaltest::leaveBox(m.TxtFSKdev);
    EXPECT_EQ(messageTexts(), std::vector<QString>{Discriminator1369});
    EXPECT_FLOAT_EQ(w().ActualDeviationKHz, 20.25f);
}

// The design's own message for a deviation above 500 kHz comes as the text reaches it, as the
// box's change handler has it.
TEST_F(TypedEntry, TheDeviationLimitMessageComesAsTyped) {
    Main& m = start();
    clearRecords();
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("501"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{calc::DeviationTooLargeText});
    evaltest::pressReturn(m.TxtFSKdev);
    EXPECT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
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
    evaltest::leaveBox(m.TxtFSKdev);
    EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_TRUE(
        m.TxtFSKdev->toolTip().endsWith(QStringLiteral("\nThe decimal mark is a point: 20.5")));
    EXPECT_EQ(word(2), r2);
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("20.5"));
    EXPECT_FALSE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("20.250"));
    QLocale::setDefault(kept);
}

} // namespace
