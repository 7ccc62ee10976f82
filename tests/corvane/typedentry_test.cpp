// The data-rate and deviation boxes typed into a key at a time: the rate box takes no message
// of its own for what it ignores, but marks it; the marks say what the boxes take at the set-up
// in force.
#include "../support/userinput.h"
#include "corvanefixture.h"

#include "link/registerreadout.h"
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

// 100, 1000, 0, -1 and abc are ignored without a message of the design's own, and the box says
// so while they are typed. A key on the way may plan ("300" passes "30"), but once the entry is
// committed the set-up is the one in force before the typing, the box shows that rate again,
// still marked, and one message says why and what was kept.
TEST_F(TypedEntry, ARefusedRateIsPutBackWhenCommitted) {
    Main& m = start();
    // Start-up plans both boxes' texts: neither is marked.
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_FALSE(platform::isMarkedRefused(m.TxtFSKdev));
    const QString kept = QStringLiteral("\n\nThe data rate is left at 4 kbps.");
    const struct {
        const char* keys;
        QString said;
    } cases[] = {
        {"100", RateTakes + kept},
        {"1000", RateTakes + kept},
        {"0", RateTakes + kept},
        {"-1", RateTakes + kept},
        {"abc", RateTakes + kept},
        {"1234567", RateTakes + kept},
        {"300", RateTakes + kept},
        {"9,6", RateTakes + QStringLiteral("\nThe decimal mark is a point: 9.6") + kept},
        {"1e308", RateTakes + kept},
        {"99999999999999", RateTakes + kept},
    };
    reglink::RegisterReadout* r3 = app->readoutLabel(3);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        clearRecords();
        const uint32_t before = word(3);
        const QString shown = m.lblRxCLK->text();
        const QString bandwidth = m.lblDemodBW->text();
        const QString readout = r3->text();
        const auto mark = r3->mark();
        evaltest::typeInto(m.txtDatarate, QString::fromLatin1(c.keys));
        EXPECT_TRUE(platform::isMarkedRefused(m.txtDatarate));
        EXPECT_TRUE(messageTexts().empty());
        evaltest::pressReturn(m.txtDatarate);
        EXPECT_EQ(messageTexts(), std::vector<QString>{c.said});
        EXPECT_EQ(m.txtDatarate->text(), QStringLiteral("4"));
        EXPECT_TRUE(platform::isMarkedRefused(m.txtDatarate));
        EXPECT_EQ(m.txtDatarate->toolTip(), RateTakes);
        EXPECT_EQ(word(3), before);
        EXPECT_EQ(m.lblRxCLK->text(), shown);
        EXPECT_EQ(m.lblDemodBW->text(), bandwidth);
        EXPECT_EQ(r3->text(), readout);
        EXPECT_EQ(r3->mark(), mark);
        // Left as well: nothing more is said.
        evaltest::leaveBox(m.txtDatarate);
        EXPECT_EQ(messageTexts().size(), 1u);
    }
    clearRecords();
    const uint32_t before = word(3);
    evaltest::enterInto(m.txtDatarate, QStringLiteral("4.8"));
    EXPECT_FALSE(platform::isMarkedRefused(m.txtDatarate));
    EXPECT_TRUE(m.txtDatarate->toolTip().isEmpty());
    EXPECT_NE(word(3), before);
    EXPECT_TRUE(messageTexts().empty());
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
    const QString inForce = d.txtDemodBW->text();
    const double field = f().PostDemodBwField;
    const QString kept =
        QStringLiteral("\n\nThe post-demodulator bandwidth is left at %1 kHz.").arg(inForce);
    for (const char* ignored : {"abc", "-1", "1000"}) {
        SCOPED_TRACE(ignored);
        clearRecords();
        evaltest::typeInto(d.txtDemodBW, QString::fromLatin1(ignored));
        EXPECT_TRUE(platform::isMarkedRefused(d.txtDemodBW));
        EXPECT_EQ(d.txtDemodBW->toolTip(), takes);
        EXPECT_TRUE(messageTexts().empty());
        evaltest::leaveBox(d.txtDemodBW);
        EXPECT_EQ(messageTexts(), std::vector<QString>{takes + kept});
        // "1000" passed "100" on the way; the box and the field are back as they were.
        EXPECT_EQ(d.txtDemodBW->text(), inForce);
        EXPECT_EQ(f().PostDemodBwField, field);
    }

    clearRecords();
    evaltest::typeInto(d.txtDemodBW, QStringLiteral("783"));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(f().PostDemodBwField, 102 << 20); // "78" was taken, "783" is not
    evaltest::pressReturn(d.txtDemodBW);
    EXPECT_EQ(messageTexts(), std::vector<QString>{PostDemodLimitText + kept});
    EXPECT_EQ(f().PostDemodBwField, field);
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
