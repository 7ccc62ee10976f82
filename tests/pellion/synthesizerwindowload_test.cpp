// What the synthesizer window's load shows of the divide-by-2: only the external inductor's
// switch is the user's, so only then does the load switch it on from the field.
#include "pellionfixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

using namespace pellion;
using namespace pellion::test;

struct SynthLoad : PellionFixture {};

TEST_F(SynthLoad, TheDivideBy2SwitchIsShownOnOnlyForTheExternalInductor) {
    Main& m = start();
    // The internal inductor's low band switches the divide-by-2 on.
    app->synthform().txtVCOout1->setText(QStringLiteral("433.92"));
    app->synthform().CmdCalculate->click();
    ASSERT_EQ(f().VcoDiv2Field, bit(13));
    app->synthform().returnToPanel->click();
    EXPECT_FALSE(app->synthform().lblVCOdiv2->isOn());
    app->synthform().returnToPanel->click();

    // The external inductor with its switch on.
    m.chkInductor->click();
    services.messages.clear();
    synthform& s = app->synthform();
    s.lblVCOdiv2->setOn(true);
    s.txtVCOout1->setText(QStringLiteral("300"));
    s.CmdCalculate->click();
    ASSERT_EQ(f().VcoDiv2Field, bit(13));
    s.returnToPanel->click();
    EXPECT_TRUE(app->synthform().lblVCOdiv2->isOn());
    EXPECT_TRUE(app->synthform().lblVCOdiv2->isEnabled());
}
