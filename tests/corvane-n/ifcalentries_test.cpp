// Corvane-N's IF calibration boxes typed into: an entry the box does not take is marked with
// what it takes, and changes nothing.
#include "../support/userinput.h"
#include "corvanenfixture.h"

#include "platform/entrymark.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace corvanen::test;

namespace {

using IFCalEntries = CorvaneNFixture;

TEST_F(IFCalEntries, RefusedEntriesAreMarkedAndChangeNothing) {
    corvane::Main& m = start();
    m.ifCalStatus->click();
    corvane::frmIFCal& c = app->frmIFCal();
    const int32_t dwell = f().IFCalDwellTimeField;
    const int32_t upper = f().IFCalUpperToneField;
    const QString upperTone = c.Label13->text();
    clearRecords();

    evaltest::typeInto(c.Text1, QStringLiteral("200"));
    EXPECT_TRUE(platform::isMarkedRefused(c.Text1));
    EXPECT_EQ(c.Text1->toolTip(),
              QStringLiteral("IF Cal Dwell Time: a number from 0 to 127 of at most 3 characters"));
    EXPECT_EQ(f().IFCalDwellTimeField, 20 << 21); // the "20" on the way was taken

    for (const char* refused : {"abc", "0"}) {
        SCOPED_TRACE(refused);
        evaltest::typeInto(c.Text2, QString::fromLatin1(refused));
        EXPECT_TRUE(platform::isMarkedRefused(c.Text2));
        EXPECT_EQ(f().IFCalUpperToneField, upper);
        EXPECT_EQ(c.Label13->text(), upperTone); // the tone in force, not a blank
    }
    EXPECT_TRUE(messageTexts().empty());
    evaltest::typeInto(c.Text1, QStringLiteral("80"));
    EXPECT_FALSE(platform::isMarkedRefused(c.Text1));
    EXPECT_EQ(f().IFCalDwellTimeField, dwell);
}

} // namespace
