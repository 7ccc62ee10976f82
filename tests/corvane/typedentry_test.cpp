// The data-rate and deviation boxes typed into a key at a time: the rate box takes no message
// of its own for what it ignores, but marks it; the marks say what the boxes take at the set-up
// in force.
#include "../support/userinput.h"
#include "corvanefixture.h"

#include "platform/entrymark.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace corvane;
using namespace corvane::test;

namespace {

using TypedEntry = CorvaneFixture;

const QString RateTakes = QStringLiteral(
    "Data rate in kbit/s of at most 6 characters: a number above 0 and at most 75 at this "
    "set-up");

// 100, 1000, 0, -1 and abc are ignored as before, without a message, and the box says so:
// the key that makes the text one the box ignores changes nothing.
TEST_F(TypedEntry, TheRateBoxMarksWhatItIgnores) {
    Main& m = start();
    // Start-up plans both boxes' texts: neither is marked.
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_FALSE(platform::isMarkedRefused(m.TxtFSKdev));
    clearRecords();
    for (const char* ignored : {"100", "1000", "0", "-1", "abc", "1234567"}) {
        SCOPED_TRACE(ignored);
        const QString text = QString::fromLatin1(ignored);
        evaltest::typeInto(m.txtDatarate, text.chopped(1));
        const uint32_t r3 = word(3);
        const QString shown = m.lblRxCLK->text();
        QTest::keyClicks(m.txtDatarate, text.right(1));
        evaltest::pressReturn(m.txtDatarate);
        EXPECT_TRUE(platform::isMarkedRefused(m.txtDatarate));
        EXPECT_EQ(m.txtDatarate->toolTip(), RateTakes);
        EXPECT_EQ(word(3), r3);
        EXPECT_EQ(m.lblRxCLK->text(), shown);
    }
    EXPECT_TRUE(messageTexts().empty());
    const uint32_t r3 = word(3);
    evaltest::typeInto(m.txtDatarate, QStringLiteral("4.8"));
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_TRUE(m.txtDatarate->toolTip().isEmpty());
    EXPECT_NE(word(3), r3);
}

// The rate is planned only with a deviation above 0: the rate box says so, and takes its rate
// again once the deviation allows it.
TEST_F(TypedEntry, TheRateBoxSaysWhenTheDeviationStopsThePlan) {
    Main& m = start();
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("0"));
    EXPECT_TRUE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_EQ(m.txtDatarate->toolTip(),
              QStringLiteral("Data rate in kbit/s of at most 6 characters: none is planned until "
                             "a deviation above 0 is set"));
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("2"));
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
}

// At 433.92 MHz the divide-by-2 doubles the count, and at a PFD of 3.936 MHz (steps of
// 60.0586 Hz) its eleven bits hold 1023 doubled steps: 61.4700 kHz at most. The deviation
// box's mark says that, not 100.
TEST_F(TypedEntry, TheDeviationMarkStatesTheLimitAtThisSetUp) {
    Main& m = start();
    synthform& s = app->synthform();
    s.txtVCOout1->setText(QStringLiteral("433.92"));
    s.txtpfd1->setText(QStringLiteral("3.936"));
    s.CmdCalculate_Click();
    s.returnToPanel_Click();
    ASSERT_TRUE(messageTexts().empty());
    ASSERT_NE(f().VcoDiv2Field, 0);
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("62"));
    EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_EQ(m.TxtFSKdev->toolTip(),
              QStringLiteral("Desired deviation in kHz of at most 5 characters: a number from 0 "
                             "to 61.46 at this set-up (0 to 0.03, under half a step: no "
                             "deviation)"));
    evaltest::typeInto(m.TxtFSKdev, QStringLiteral("61.46"));
    EXPECT_FALSE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_EQ(f().TxDeviationField, 2046 << 19);
    EXPECT_TRUE(messageTexts().empty());
}

// The demodulator window's "Desired BW" box: what it ignores is marked, with what it takes at
// this demodulator clock (4.92 MHz: codes up to 1023 reach 782.65 kHz); a bandwidth beyond the
// filter code gets its message when the entry is committed, not while it is typed.
TEST_F(TypedEntry, TheDesiredBandwidthBoxMarksWhatItDoesNotTake) {
    start();
    frmDemod& d = app->frmDemod();
    EXPECT_FALSE(platform::isMarkedRefused(d.txtDemodBW)); // the bandwidth in force, shown
    const QString takes = QStringLiteral(
        "Desired BW(3dB) in kHz of at most 3 characters: a number from 0 to 782 at this "
        "demodulator clock");
    clearRecords();
    for (const char* ignored : {"abc", "-1", "1000"}) {
        SCOPED_TRACE(ignored);
        evaltest::typeInto(d.txtDemodBW, QString::fromLatin1(ignored));
        evaltest::leaveBox(d.txtDemodBW);
        EXPECT_TRUE(platform::isMarkedRefused(d.txtDemodBW));
        EXPECT_EQ(d.txtDemodBW->toolTip(), takes);
    }
    EXPECT_TRUE(messageTexts().empty());
    // "1000" passed "100" on the way; the box holds the code that gave.
    EXPECT_EQ(f().PostDemodBwField, 131 << 20);

    evaltest::typeInto(d.txtDemodBW, QStringLiteral("783"));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(f().PostDemodBwField, 102 << 20); // "78" was taken, "783" is not
    evaltest::pressReturn(d.txtDemodBW);
    EXPECT_EQ(messageTexts(), std::vector<QString>{PostDemodLimitText});
    evaltest::typeInto(d.txtDemodBW, QStringLiteral("782"));
    EXPECT_FALSE(platform::isMarkedRefused(d.txtDemodBW));
    EXPECT_EQ(f().PostDemodBwField, 1023 << 20);
}

// Return in a box commits its entry and does no more: in the demodulator window it would
// otherwise press the first button (K up), in the calibration window "Do Fine Cal".
TEST_F(TypedEntry, ReturnInADialogBoxPressesNoButton) {
    start();
    frmDemod& d = app->frmDemod();
    d.show();
    const QString k = d.correlatorK->text();
    const int32_t discriminator = f().DiscrimBwField;
    evaltest::typeInto(d.txtDemodBW, QStringLiteral("10"));
    evaltest::pressReturn(d.txtDemodBW);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.correlatorK->text(), k);
    EXPECT_EQ(f().DiscrimBwField, discriminator);
    d.hide();

    frmIFCal& c = app->frmIFCal();
    c.show();
    clearRecords();
    for (QLineEdit* box : {c.dwellTime, c.upperTone, c.lowerTone}) {
        SCOPED_TRACE(box->objectName().toStdString());
        evaltest::typeInto(box, QStringLiteral("50"));
        evaltest::pressReturn(box);
    }
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_EQ(app->main().ifCalStatus->text(), QStringLiteral("No Cal"));
    c.hide();
}

} // namespace
