// The power-down window: its switches set the block enables, and "Load Now" shows the words
// they make without writing them.
#include "corvanefixture.h"

#include "link/registerlink.h"

#include <QPushButton>

using namespace corvane;
using namespace corvane::test;

namespace {

struct PowerDownSwitches : CorvaneFixture {
    Main* m = nullptr;
    evalkit::PowerDownWindow& open() {
        m = &start();
        clearRecords();
        return app->powerDownWindow();
    }
};

TEST_F(PowerDownSwitches, LoadSwitchesEveryBlockOnButTheTxRxSwitch) {
    start();
    f().SynthEnableField = 0;
    f().LnaEnableField = 0;
    f().VcoEnableField = 0;
    f().TxRxSwitchEnableField = 1 << 11; // an off switch must not leave the field on
    clearRecords();
    evalkit::PowerDownWindow& p = app->powerDownWindow();
    for (platform::Toggle* t :
         {p.TogSynth, p.TogLNA, p.TogFilter, p.TogDemod, p.TogLogAMP, p.TogVCO})
        EXPECT_TRUE(t->isOn()) << t->objectName().toStdString();
    EXPECT_FALSE(p.TogTXRXSwitch->isOn());
    EXPECT_EQ(f().SynthEnableField, 16);
    EXPECT_EQ(f().LnaEnableField, 64);
    EXPECT_EQ(f().FilterEnableField, 128);
    EXPECT_EQ(f().DemodEnableField, 512);
    EXPECT_EQ(f().LogAmpEnableField, 1024);
    EXPECT_EQ(f().TxRxSwitchEnableField, 0);
    EXPECT_EQ(f().VcoEnableField, 1 << 17);
    EXPECT_TRUE(usb.lines().empty());
}

TEST_F(PowerDownSwitches, SwitchesStoreTheirFieldsOnly) {
    evalkit::PowerDownWindow& p = open();
    const struct {
        platform::Toggle* toggle;
        double* field;
        double on;
    } cases[] = {
        {p.TogSynth, &f().SynthEnableField, 16},
        {p.TogLNA, &f().LnaEnableField, 64},
        {p.TogFilter, &f().FilterEnableField, 128},
        {p.TogDemod, &f().DemodEnableField, 512},
        {p.TogLogAMP, &f().LogAmpEnableField, 1024},
        {p.TogTXRXSwitch, &f().TxRxSwitchEnableField, 2048},
        {p.TogVCO, &f().VcoEnableField, 1 << 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toggle->objectName().toStdString());
        c.toggle->setOn(!c.toggle->isOn());
        EXPECT_EQ(*c.field, c.toggle->isOn() ? c.on : 0);
        c.toggle->setOn(!c.toggle->isOn());
        EXPECT_EQ(*c.field, c.toggle->isOn() ? c.on : 0);
    }
    EXPECT_TRUE(usb.lines().empty());
}

// A switch shows R1 with the VCO enable as it now is at once; "Load Now" refreshes too, and
// neither writes anything.
TEST_F(PowerDownSwitches, SwitchesAndLoadNowRefreshWithoutWriting) {
    evalkit::PowerDownWindow& p = open();
    const QString before = m->lblOSChex->text();
    p.TogVCO->setOn(false);
    EXPECT_EQ(m->lblOSChex->text(), reglink::readoutText(word(1)));
    EXPECT_NE(m->lblOSChex->text(), before);
    EXPECT_EQ((word(1) >> 17) & 1, 0u);
    p.loadNow->click();
    EXPECT_EQ(m->lblOSChex->text(), reglink::readoutText(word(1)));
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_EQ(p.loadNow->toolTip(), QStringLiteral("Update Brisquel"));
}

TEST_F(PowerDownSwitches, ReturnUnloads) {
    evalkit::PowerDownWindow& p = open();
    p.returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmPowerD")));
    EXPECT_TRUE(usb.lines().empty());
}

} // namespace
