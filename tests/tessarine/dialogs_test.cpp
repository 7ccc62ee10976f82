// The dialogs of the front panel: bias, clock-out, mux-out, test modes, other features, raw
// registers, port and the information windows. Each opens from its menu item and its button
// (or read-out), shows its texts, sets its fields and refreshes the read-outs; only the raw
// register window writes to the board.
#include "tessarinefixture.h"

#include "platform/selector.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace tessarine;
using namespace tessarine::test;

namespace {

struct Dialogs : TessarineFixture {
    Main* m = nullptr;

    void SetUp() override {
        TessarineFixture::SetUp();
        // Over an open link, so that nothing written means nothing was sent.
        m = &startConnected();
    }
    // Opens through the control and says how the window was shown.
    std::vector<platform::RecordingWindowShower::Shown> open(QObject* control) {
        services.shower.shown.clear();
        if (auto* a = qobject_cast<QAction*>(control))
            a->trigger();
        else if (auto* b = qobject_cast<QPushButton*>(control))
            b->click();
        else if (auto* l = qobject_cast<platform::ClickableLabel*>(control))
            emit l->clicked();
        return services.shower.shown;
    }
    void expectNothingWritten() {
        EXPECT_TRUE(usb.writtenWords().empty());
        EXPECT_TRUE(port.outBytesTo(888).empty());
    }
};

bool shownAs(const std::vector<platform::RecordingWindowShower::Shown>& shown, const char* name,
             bool modal) {
    return shown.size() == 1 && shown[0].name == QLatin1String(name) && shown[0].modal == modal;
}

QStringList labelTexts(const QWidget& window) {
    QStringList texts;
    for (const QLabel* l : window.findChildren<QLabel*>())
        texts << l->text();
    return texts;
}

} // namespace

TEST_F(Dialogs, BiasWindowShowsAndSetsTheThreeBiasFields) {
    for (QObject* opener :
         {static_cast<QObject*>(m->mnuPowerDown), static_cast<QObject*>(m->cmdBias)}) {
        ASSERT_TRUE(shownAs(open(opener), "frmPowerdown", true));
        BiasWindow& bias = app->biasWindow();
        EXPECT_EQ(bias.windowTitle(), QStringLiteral("Bias Settings"));
        // The power-on fields: PA bias 5, VCO adjust 0, VCO bias 5.
        EXPECT_EQ(bias.HScrPAbias->value(), 5);
        EXPECT_EQ(bias.lblPABias->text(), QStringLiteral("Setting 5   10 uA"));
        EXPECT_EQ(bias.lblVCOAdjust->text(), QStringLiteral("Setting 0"));
        EXPECT_EQ(bias.lblVCObias->text(), QStringLiteral("Setting 5"));
        EXPECT_TRUE(labelTexts(bias).contains(QStringLiteral("VCO Adjust (Center Frequency)")));
        bias.returnToPanel->click();
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmPowerdown")));
    }

    BiasWindow& bias = app->biasWindow();
    bias.HScrPAbias->setValue(0);
    EXPECT_EQ(bias.lblPABias->text(), QStringLiteral("Setting 0   5 uA"));
    EXPECT_EQ(f().PaBiasField, 0);
    bias.HScrPAbias->setValue(7);
    EXPECT_EQ(bias.lblPABias->text(), QStringLiteral("Setting 7   12 uA"));
    EXPECT_EQ(f().PaBiasField, 7 << 20);
    bias.HScrVCOAdjust->setValue(3);
    EXPECT_EQ(bias.lblVCOAdjust->text(), QStringLiteral("Setting 3"));
    bias.HScrVCObias->setValue(15);
    EXPECT_EQ(bias.lblVCObias->text(), QStringLiteral("Setting 15"));
    // Every move refreshes the read-outs at once.
    EXPECT_EQ(m->lblRhex->text(), QStringLiteral("0x1886000"));
    EXPECT_EQ(m->lblFhex->text(), QStringLiteral("0x7FA08F"));
    bias.returnToPanel->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Opened again, it shows what the fields hold.
    BiasWindow& again = app->biasWindow();
    EXPECT_EQ(again.HScrPAbias->value(), 7);
    EXPECT_EQ(again.HScrVCOAdjust->value(), 3);
    EXPECT_EQ(again.lblVCObias->text(), QStringLiteral("Setting 15"));
    expectNothingWritten();
}

// The clock-out label reads the same after the window's load as after a change.
TEST_F(Dialogs, ClockOutWindowDividesTheCrystal) {
    for (QObject* opener :
         {static_cast<QObject*>(m->mnuClkOut), static_cast<QObject*>(m->LblClockout)}) {
        ASSERT_TRUE(shownAs(open(opener), "frmClockOut", true));
        evalkit::frmClockOut& clock = app->frmClockOut();
        EXPECT_EQ(clock.windowTitle(), QStringLiteral("Set Clock Out Frequency"));
        EXPECT_EQ(clock.lblcrystalfreq->text(), QStringLiteral("11.06 MHz"));
        EXPECT_EQ(clock.lblclkoutfrequency->text(), QStringLiteral("Off"));
        EXPECT_EQ(clock.SelClockoutDivide->caption(0), QStringLiteral("Off"));
        EXPECT_EQ(clock.SelClockoutDivide->caption(15), QStringLiteral("30"));
        EXPECT_TRUE(labelTexts(clock).contains(QStringLiteral("Xtal Frequency  :")));
        clock.cmdokclock->click();
    }

    evalkit::frmClockOut& clock = app->frmClockOut();
    clock.SelClockoutDivide->setPosition(3);
    EXPECT_EQ(clock.lblclkoutfrequency->text(), QStringLiteral("1.84 MHz"));
    EXPECT_EQ(m->LblClockout->text(), QStringLiteral("1.84 MHz"));
    EXPECT_EQ(f().ClockOutField, 3 << 19);
    EXPECT_EQ(f().ClockOutEnableField, 1 << 4);
    EXPECT_EQ(m->lblRhex->text(), QStringLiteral("0x186000"));
    EXPECT_EQ(m->lblFhex->text(), QStringLiteral("0x55A09F"));
    clock.cmdokclock->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    evalkit::frmClockOut& again = app->frmClockOut();
    EXPECT_EQ(again.SelClockoutDivide->position(), 3);
    EXPECT_EQ(again.lblclkoutfrequency->text(), QStringLiteral("1.84 MHz"));
    again.SelClockoutDivide->setPosition(0);
    EXPECT_EQ(m->LblClockout->text(), QStringLiteral("Off"));
    EXPECT_EQ(f().ClockOutField, 1 << 19);
    EXPECT_EQ(f().ClockOutEnableField, 0);
    EXPECT_EQ(readoutTexts(), PowerOnReadouts);
    expectNothingWritten();
}

// The synthesizer's plan loads the clock-out window unseen; shown later, after another plan,
// it shows the crystal in force, not the one it was loaded with.
TEST_F(Dialogs, ClockOutWindowLoadedByThePlanShowsTheCrystalInForce) {
    m->synthSettings->click();
    synthform& synth = app->synthform();
    synth.CmdCalculate->click();
    ASSERT_TRUE(app->isLoaded(QStringLiteral("frmClockOut")));
    synth.TxtCrystal1->setText(QStringLiteral("14.7456"));
    synth.CmdCalculate->click();
    ASSERT_EQ(app->w().CrystalFrequencyMHz, 14.7456f);
    synth.returnToPanel->click();
    ASSERT_TRUE(shownAs(open(m->mnuClkOut), "frmClockOut", true));
    EXPECT_EQ(app->frmClockOut().lblcrystalfreq->text(), QStringLiteral("14.75 MHz"));
}

TEST_F(Dialogs, MuxoutWindowTakesTheChoiceOnReturnOnly) {
    for (QObject* opener :
         {static_cast<QObject*>(m->muxmenu), static_cast<QObject*>(m->LblMuxOut)}) {
        ASSERT_TRUE(shownAs(open(opener), "muxform", true));
        evalkit::muxform& mux = app->muxform();
        EXPECT_EQ(mux.windowTitle(), QStringLiteral("Muxout Options"));
        ASSERT_EQ(mux.lblmux.size(), 16u);
        EXPECT_TRUE(mux.lblmux[4]->isChecked());
        EXPECT_EQ(mux.lblmux[3]->text(), QStringLiteral("Regulator Ready (Default)"));
        EXPECT_EQ(mux.lblmux[10]->text(), QStringLiteral("Vdd  <  2.35V ?"));
        EXPECT_EQ(mux.lblmux[12]->text(), QStringLiteral("Vdd  < 3.00V ?"));
        // Closed with its close box, the window keeps the old value.
        mux.lblmux[2]->setChecked(true);
        mux.close();
        EXPECT_EQ(f().MuxoutField, 4 << 11);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    evalkit::muxform& mux = app->muxform();
    mux.lblmux[2]->setChecked(true);
    mux.returnToPanel->click();
    EXPECT_EQ(f().MuxoutField, 2 << 11);
    EXPECT_EQ(m->LblMuxOut->text(), QStringLiteral("Tri-State"));
    EXPECT_EQ(m->lblFhex->text(), QStringLiteral("0x55908F"));
    expectNothingWritten();
}

// The button shows the window beside the panel; the menu then brings it to the front rather
// than showing it a second time, modally.
TEST_F(Dialogs, TestModesWindowBesideThePanelAndRaisedFromTheMenu) {
    ASSERT_TRUE(shownAs(open(m->cmdTestMod), "frmTestModes", false));
    frmTestModes& modes = app->frmTestModes();
    EXPECT_EQ(modes.windowTitle(), QStringLiteral("Testmodes"));
    EXPECT_EQ(modes.lblNote->text(),
              QStringLiteral("Note: Ensure correct MuxOut option is selected"));
    EXPECT_TRUE(labelTexts(modes).contains(QStringLiteral("Normal Mode:")));
    EXPECT_TRUE(labelTexts(modes).contains(QStringLiteral("Rnd Data to MuxOut:")));
    EXPECT_EQ(modes.cmdNormTest->text(), QStringLiteral("Write"));
    EXPECT_EQ(modes.cmdWriteTest->text(), QStringLiteral("Write"));
    EXPECT_TRUE(shownAs(open(m->testmenu), "frmTestModes", false));
    EXPECT_TRUE(shownAs(open(m->cmdTestMod), "frmTestModes", false));

    modes.cmdWriteTest->click();
    EXPECT_EQ(uint32_t(f().TestModeField), 4u << 28);
    EXPECT_EQ(m->lblFhex->text(), QStringLiteral("0x4055A08F"));
    EXPECT_EQ(m->lblFhex->mark(), Mark::Changed);
    // Nothing goes out until the function register's Update button.
    expectNothingWritten();
    m->cmdfunction->click();
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x4055A08Fu});
    modes.cmdNormTest->click();
    EXPECT_EQ(f().TestModeField, 0);
    EXPECT_EQ(m->lblFhex->text(), QStringLiteral("0x55A08F"));
    EXPECT_EQ(m->lblFhex->mark(), Mark::Changed);

    // Closed, the menu shows it modally again.
    modes.cmdReturn->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shownAs(open(m->testmenu), "frmTestModes", true));
}

TEST_F(Dialogs, OtherFeaturesSwitchesSetTheirFields) {
    ASSERT_TRUE(shownAs(open(m->otherFeatures), "frmOtherFeatures", false));
    frmOtherFeatures& other = app->frmOtherFeatures();
    EXPECT_EQ(other.windowTitle(), QStringLiteral("Other Features"));
    EXPECT_EQ(other.lblDataInvert->text(), QStringLiteral("Data Invert:"));
    EXPECT_EQ(other.TogDataInvert->toolTip(),
              QStringLiteral("Click here to turn Data Inveret on/off"));
    EXPECT_EQ(other.lblPrescaler->text(), QStringLiteral("RF Prescaler:"));
    EXPECT_EQ(other.lblLDP->text(), QStringLiteral("Lock Detect Precision:"));

    other.togprescaler->setOn(true);
    EXPECT_EQ(f().PrescalerField, 1 << 22);
    EXPECT_EQ(m->lblNhex->text(), QStringLiteral("0x7AE2A9"));
    other.TogLDP->setOn(false);
    EXPECT_EQ(f().LockDetectPrecisionField, 0);
    other.TogDataInvert->setOn(true);
    EXPECT_EQ(f().DataInvertField, 1 << 5);
    EXPECT_EQ(m->lblFhex->text(), QStringLiteral("0x5520AF"));
    expectNothingWritten();

    // Opened afresh, each switch shows its field.
    other.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(shownAs(open(m->otherFeatures), "frmOtherFeatures", false));
    EXPECT_TRUE(app->frmOtherFeatures().togprescaler->isOn());
    EXPECT_FALSE(app->frmOtherFeatures().TogLDP->isOn());
    EXPECT_TRUE(app->frmOtherFeatures().TogDataInvert->isOn());
}

TEST_F(Dialogs, RawRegisterWindowWritesThroughTheRawRegister) {
    for (QObject* opener :
         {static_cast<QObject*>(m->registermenu), static_cast<QObject*>(m->manualRegisterEdit)}) {
        ASSERT_TRUE(shownAs(open(opener), "frmRegisters", true));
        evalkit::frmRegisters& raw = app->frmRegisters();
        EXPECT_EQ(raw.windowTitle(), QStringLiteral("Directly Program Registers"));
        ASSERT_EQ(raw.count(), 4);
        for (int n = 0; n < 4; ++n) {
            EXPECT_EQ(raw.box(n)->text(), PowerOnReadouts[size_t(n)]);
            EXPECT_EQ(raw.button(n)->text(), QStringLiteral("Update %1").arg(n));
        }
        EXPECT_EQ(raw.cmdUpdateAll->text(), QStringLiteral("Update All"));
        EXPECT_EQ(raw.cmdUpdateAll->toolTip(),
                  QStringLiteral("Click here to update all registers and HEX values"));
        EXPECT_EQ(raw.warning->text(),
                  QStringLiteral("WARNING : Direct Programming of the registers will not update "
                                 "the") +
                      QString(34, QLatin1Char(' ')) + QStringLiteral("Graphical interface."));
        const QStringList labels = labelTexts(raw);
        for (const char* caption :
             {"Register 00 (Hex)", "Register 01(Hex)", "Register 02 (Hex)", "Register 03 (Hex)"})
            EXPECT_TRUE(labels.contains(QLatin1String(caption))) << caption;
        raw.cmdReturn->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    evalkit::frmRegisters& raw = app->frmRegisters();
    // "8000" is the word 0x00008000, never sign-extended; the address is what the word holds.
    raw.box(0)->setText(QStringLiteral("0x00086000"));
    raw.box(1)->setText(QStringLiteral("0x8000"));
    raw.box(2)->setText(QStringLiteral("0xffffffff"));
    raw.cmdUpdateAll->click();
    EXPECT_EQ(usb.writtenWords(),
              (std::vector<uint32_t>{0x86000u, 0x8000u, 0xFFFFFFFFu, 0x55A08Fu}));
    EXPECT_EQ(w().RegisterSelect, 99);
    EXPECT_EQ(w().DirectRegisterValue, 0x55A08F);
    // Past the fields: the read-outs, their marks and the words last written stay.
    EXPECT_EQ(readoutTexts(), PowerOnReadouts);
    EXPECT_EQ(readoutMarks(), allMarks(Mark::Changed));
    EXPECT_EQ(w().LastRWord, 0);
    EXPECT_TRUE(messageTexts().empty());

    // More than eight digits, no digits, or text that is no hexadecimal is refused, and
    // nothing goes out for that box.
    usb.clear();
    // Nothing is cut off a text to make it fit: "&H", a missing prefix or a leading blank is
    // refused too.
    for (const char* refused : {"0x123456789", "0x", "0xZZZZZZZZ", "x", "", "0x-1", "0x12 34",
                                "&H1234ABCD", "255", "12345678", "6F2353", "1e308", " 0x1"}) {
        SCOPED_TRACE(refused);
        services.messages.clear();
        raw.box(3)->setText(QString::fromLatin1(refused));
        raw.button(3)->click();
        EXPECT_EQ(messageTexts().size(), 1u);
        EXPECT_TRUE(usb.writtenWords().empty());
    }
    raw.box(3)->setText(QStringLiteral("0x1234ABCD"));
    raw.button(3)->click();
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x1234ABCDu});
}

TEST_F(Dialogs, PortWindowRemembersTheChoiceOnOkOnly) {
    ASSERT_TRUE(shownAs(open(m->portmenu), "portform", true));
    evalkit::portform& port = app->portform();
    EXPECT_EQ(port.windowTitle(), QStringLiteral("Port Connector"));
    EXPECT_EQ(port.prompt->text(),
              QStringLiteral("Choose which active port the cable is conected to on the PC : "
                             "(when using the QuorrabaseZ mother board only):"));
    EXPECT_EQ(port.lpt1->text(), QStringLiteral("LPT1 (The usual choice) "));
    EXPECT_TRUE(port.lpt1->isChecked());
    EXPECT_EQ(port.storeButton->text(), QStringLiteral("OK"));
    EXPECT_EQ(port.leaveButton->text(), QStringLiteral("Cancel"));
    port.lpt2->setChecked(true);
    port.leaveButton->click();
    EXPECT_EQ(w().PortformAddress, 888);
    EXPECT_FALSE(app->isLoaded(QStringLiteral("portform")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    open(m->portmenu);
    app->portform().prn->setChecked(true);
    app->portform().storeButton->click();
    EXPECT_EQ(w().PortformAddress, 956);
    EXPECT_FALSE(app->isLoaded(QStringLiteral("portform")));
    // The wire's data port stays.
    EXPECT_EQ(w().ParallelPortAddress, 888);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    open(m->portmenu);
    EXPECT_TRUE(app->portform().prn->isChecked());
}

TEST_F(Dialogs, InformationWindowsShowTheirTexts) {
    ASSERT_TRUE(shownAs(open(m->mnuAbout), "aboutform", true));
    EXPECT_EQ(app->aboutform().windowTitle(), QStringLiteral("Who's behind this software ?"));
    EXPECT_EQ(app->aboutform().REV->text(), QStringLiteral("REV 4.0 September 2007"));
    EXPECT_EQ(app->aboutform().description->text(),
              QStringLiteral("This Software is an evaluation tool for the Verrix Tessarine Low "
                             "Power Transmitter."));
    app->aboutform().okButton->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("aboutform")));

    ASSERT_TRUE(shownAs(open(m->mnuRev), "revform", true));
    evalkit::revform& rev = app->revform();
    EXPECT_EQ(rev.windowTitle(), QStringLiteral("Help / Information"));
    QStringList lines;
    for (const QLabel* l : rev.historyLines)
        lines << l->text();
    EXPECT_EQ(
        lines,
        (QStringList{
            QStringLiteral("Version 4.0   Major Update. Can be used with USB or Parallel "
                           "Port Interface"),
            QStringLiteral("Version 3.1   Direct Reg programming. GFSK update. Testmodes added"),
            QStringLiteral("Version 3.0   Typographical Changes"),
            QStringLiteral("Version 2.1   December 2003 Channel Selection Guide removed"),
            QStringLiteral("Version 2.0   Final Silicon - Datasheet Pr.D/PrE"),
            QStringLiteral("Version 1.0   Sampling Silicon - Datasheet Pr.C "),
            QStringLiteral("Please check the Verrix website for Updates to this Software")}));
    EXPECT_EQ(rev.okButton->text(), QStringLiteral("Return to Front Panel"));
    rev.okButton->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("revform")));

    ASSERT_TRUE(shownAs(open(m->mnuThinkPad), "IBMhelpform", true));
    evalkit::IBMhelpform& help = app->IBMhelpform();
    EXPECT_EQ(help.windowTitle(), QStringLiteral("IBM Thinkpad Help"));
    EXPECT_EQ(help.intro->text(),
              QStringLiteral("For IBM Thinkpad platforms, if problems are encountered in "
                             "communicating with the evaluation board, please follow these "
                             "instructions:"));
    EXPECT_EQ(help.step1->text(),
              QStringLiteral("1. From the Windows Start menu, enter Control Panel."));
    EXPECT_EQ(help.step8->text(), QStringLiteral("8. Check \"Enable Plug and Play\"."));
    EXPECT_EQ(help.step9->text(), QStringLiteral("9. Check \"Never Use an Interupt\"."));
    expectNothingWritten();
    EXPECT_EQ(readoutTexts(), PowerOnReadouts);
}
