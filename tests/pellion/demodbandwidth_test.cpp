// The demodulator window's post-demodulator box says what it takes at the demodulator clock in
// force: at 11.0592 MHz the ten-bit filter code reaches 1759.26 kHz.
#include "../support/userinput.h"
#include "pellionfixture.h"

#include "evalkit/calc/demodfilters.h"
#include "platform/entrymark.h"

#include <QLineEdit>

using namespace pellion;
using namespace pellion::test;

namespace {

using DemodBandwidth = PellionFixture;

TEST_F(DemodBandwidth, TheMarkStatesTheWidestBandwidthAtThisClock) {
    start();
    frmDemod& d = app->frmDemod();
    const QString takes = QStringLiteral(
        "Desired BW(3dB) in kHz: a number from 0 to 1759.262 at this demodulator clock");
    const int32_t code = f().PostDemodBwField;
    clearRecords();
    for (const char* refused : {"wide", "2000"}) {
        SCOPED_TRACE(refused);
        evaltest::typeInto(d.txtDemodBW, QString::fromLatin1(refused));
        evaltest::leaveBox(d.txtDemodBW);
        EXPECT_TRUE(platform::isMarkedRefused(d.txtDemodBW));
        EXPECT_EQ(d.txtDemodBW->toolTip(), takes);
        EXPECT_EQ(f().PostDemodBwField, code);
    }
    EXPECT_EQ(messageTexts(), std::vector<QString>{evalkit::calc::PostDemodLimitText});
    evaltest::typeInto(d.txtDemodBW, QStringLiteral("1759.262"));
    evaltest::leaveBox(d.txtDemodBW);
    EXPECT_FALSE(platform::isMarkedRefused(d.txtDemodBW));
    EXPECT_EQ(f().PostDemodBwField, 1023 << 6);
}

} // namespace
