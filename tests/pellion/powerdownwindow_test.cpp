// The individual power-down window, which pellion-eval has as the Corvane program has it, on
// this chip's register-8 enables (it has no VCO enable). Nothing opens it; the context
// creates it on reference.
#include "pellionfixture.h"

#include <QGroupBox>
#include <QPushButton>

using namespace pellion;
using namespace pellion::test;

namespace {

struct PowerDownSwitches : PellionFixture {
    evalkit::PowerDownWindow& open() {
        start();
        clearRecords();
        return app->powerDownWindow();
    }
};

} // namespace

TEST_F(PowerDownSwitches, LoadSwitchesEveryBlockOnButTheTxRxSwitch) {
    start();
    f().LnaEnableField = 0;
    f().TxRxSwitchEnableField = 1 << 11; // an off switch must not leave the field on
    clearRecords();
    evalkit::PowerDownWindow& p = app->powerDownWindow();
    EXPECT_EQ(p.windowTitle(), QStringLiteral("Power Down"));
    EXPECT_EQ(p.blocksFrame->title(), QStringLiteral("Individual Block Power Down"));
    EXPECT_EQ(p.TogVCO, nullptr);
    for (platform::Toggle* t : {p.TogSynth, p.TogLNA, p.TogFilter, p.TogDemod, p.TogLogAMP}) {
        ASSERT_NE(t, nullptr);
        EXPECT_TRUE(t->isOn()) << t->objectName().toStdString();
    }
    EXPECT_FALSE(p.TogTXRXSwitch->isOn());
    EXPECT_EQ(f().SynthEnableField, 16);
    EXPECT_EQ(f().LnaEnableField, 64);
    EXPECT_EQ(f().FilterEnableField, 128);
    EXPECT_EQ(f().DemodEnableField, 512);
    EXPECT_EQ(f().LogAmpEnableField, 1024);
    EXPECT_EQ(f().TxRxSwitchEnableField, 0);
    EXPECT_EQ(word(8) & 0xEF0u, 0x6D0u);
    EXPECT_TRUE(usb.lines().empty());
}

// Each switch stores its enable and nothing else; "Load Now" refreshes the read-outs and
// writes nothing; the return unloads.
TEST_F(PowerDownSwitches, SwitchesStoreTheirFieldsAndNothingIsWritten) {
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toggle->objectName().toStdString());
        c.toggle->setOn(!c.toggle->isOn());
        EXPECT_EQ(*c.field, c.toggle->isOn() ? c.on : 0);
        c.toggle->setOn(!c.toggle->isOn());
        EXPECT_EQ(*c.field, c.toggle->isOn() ? c.on : 0);
    }
    p.loadNow->click();
    EXPECT_EQ(app->main().lblOSChex->text(), reglink::readoutText(word(1)));
    EXPECT_EQ(p.loadNow->toolTip(), QStringLiteral("Update Brisquel"));
    p.returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmPowerD")));
    EXPECT_TRUE(usb.lines().empty());
}
