// Corvane-N's IF calibration boxes typed into: an entry the box does not take is marked with
// what it takes while it is typed, and once committed leaves the calibration set-up as it was.
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
    const QString upperTone = c.upperToneFrequency->text();
    clearRecords();

    evaltest::typeInto(c.dwellTime, QStringLiteral("200"));
    EXPECT_TRUE(platform::isMarkedRefused(c.dwellTime));
    EXPECT_EQ(c.dwellTime->toolTip(),
              QStringLiteral("IF Cal Dwell Time: a number from 0 to 127 of at most 3 characters"));
    EXPECT_EQ(f().IFCalDwellTimeField, 20 << 21); // the "20" on the way was taken
    EXPECT_TRUE(messageTexts().empty());
    const QString dwellText = QString::number(dwell >> 21);
    evaltest::pressReturn(c.dwellTime);
    EXPECT_EQ(f().IFCalDwellTimeField, dwell);
    EXPECT_EQ(c.dwellTime->text(), dwellText);
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("IF Cal Dwell Time: a number from 0 to 127 of at "
                                                  "most 3 characters\n\nThe dwell time is left "
                                                  "at ") +
                                   dwellText + QStringLiteral(".")});

    for (const char* refused : {"abc", "0"}) {
        SCOPED_TRACE(refused);
        clearRecords();
        evaltest::typeInto(c.upperTone, QString::fromLatin1(refused));
        EXPECT_TRUE(platform::isMarkedRefused(c.upperTone));
        EXPECT_EQ(f().IFCalUpperToneField, upper);
        EXPECT_EQ(c.upperToneFrequency->text(), upperTone); // the tone in force, not a blank
        EXPECT_TRUE(messageTexts().empty());
        evaltest::leaveBox(c.upperTone);
        EXPECT_EQ(messageTexts().size(), 1u);
        EXPECT_EQ(f().IFCalUpperToneField, upper);
    }
    evaltest::typeInto(c.dwellTime, QStringLiteral("80"));
    EXPECT_FALSE(platform::isMarkedRefused(c.dwellTime));
    EXPECT_EQ(f().IFCalDwellTimeField, dwell);
}

} // namespace
