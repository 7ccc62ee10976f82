// The front-panel settings: modulation, demodulator, lists, switches, scroll bars, test data,
// the inductor variant, the direction, the windows the panel opens and printing.
#include "../support/userinput.h"
#include "pellionfixture.h"

#include "platform/selector.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using namespace pellion;
using namespace pellion::test;
using Mark = reglink::RegisterReadout::Mark;

using FrontPanel = PellionFixture;
using FrontPanelOverThePort = PellionOverSimulatedPort;

namespace {

enum Modulation { Fsk, Gfsk, Ask, Ook, Gook };

// What the inductor check box could change: the box, its fields, R0..R6 and their read-outs,
// the channel shown.
struct InductorChoice {
    bool ticked;
    int32_t ExtInductorField, VcoBiasField, VcoDiv2Field;
    std::vector<uint32_t> words;
    QStringList texts;
    friend bool operator==(const InductorChoice&, const InductorChoice&) = default;
};

// What a modulation leaves on the panel, after the one before it in the sequence of the test.
struct Shape {
    Modulation modulation;
    int16_t scheme, demodType;
    int demodIndex;
    const char* frame;
    bool fskPower, askPower, deviationEnabled, deviationShown, deviationCaption, actual,
        rateEnabled, rxClock, askLowLevel;
};

// clang-format off
// The "unchanged" entries of the panel's table show as what the scheme before left.
const Shape kSequence[] = {
    {Gfsk, 64, 16, 1, "GFSK", true, false, true, false, false, true, false, false, true},
    {Ask, 128, 32, 2, "ASK", false, true, false, true, true, true, true, true, true},
    {Ook, 192, 32, 2, "OOK", false, true, false, true, true, true, true, true, false},
    {Gook, 448, 32, 2, "GOOK", false, false, false, false, false, false, false, true, false},
    {Fsk, 0, 16, 1, "PA Output Power FSK Mode", true, false, true, true, true, true, true, true, false},
};
// clang-format on

} // namespace

// Each scheme's fields, frames and rows; the Gaussian schemes show the Gaussian window.
TEST_F(FrontPanel, EachModulationSetsItsFieldsAndFrames) {
    Main& m = start();
    for (const Shape& s : kSequence) {
        SCOPED_TRACE(s.frame);
        services.shower.shown.clear();
        m.cmbModulation->setCurrentIndex(s.modulation);
        EXPECT_EQ(f().ModulationSchemeField, s.scheme);
        EXPECT_EQ(f().DemodTypeField, s.demodType);
        EXPECT_EQ(m.cmbDemod->currentIndex(), s.demodIndex);
        if (s.demodType == 32) {
            EXPECT_EQ(f().KParityBit29Field, 0);
        }
        EXPECT_EQ(m.FrFSK->title(), QString::fromLatin1(s.frame));
        EXPECT_FALSE(m.FrFSK->isHidden());
        EXPECT_EQ(!m.FrFSKpower->isHidden(), s.fskPower);
        EXPECT_EQ(!m.FrASK->isHidden(), s.askPower);
        EXPECT_EQ(m.TxtFSKdev->isEnabled(), s.deviationEnabled);
        EXPECT_EQ(!m.TxtFSKdev->isHidden(), s.deviationShown);
        EXPECT_EQ(!m.desiredDeviationCaption->isHidden(), s.deviationCaption);
        EXPECT_EQ(!m.actualDeviationCaption->isHidden(), s.actual);
        EXPECT_EQ(!m.Lblfskdev->isHidden(), s.actual);
        EXPECT_EQ(m.txtDatarate->isEnabled(), s.rateEnabled);
        EXPECT_TRUE(m.demodBandwidthCaption->isHidden());
        EXPECT_TRUE(m.lblDemodBW->isHidden());
        EXPECT_EQ(!m.txRxClockCaption->isHidden(), s.rxClock);
        EXPECT_EQ(!m.lblRxCLK->isHidden(), s.rxClock);
        EXPECT_EQ(!m.HScrollOOKfine1->isHidden(), s.askLowLevel);
        EXPECT_EQ(!m.lblOOKmin->isHidden(), s.askLowLevel);
        EXPECT_EQ(!m.lblOOKmax->isHidden(), s.askLowLevel);
        const bool gaussian = s.modulation == Gfsk || s.modulation == Gook;
        EXPECT_EQ(services.shower.names(),
                  gaussian ? QStringList{QStringLiteral("frmGFSK")} : QStringList{});
        if (gaussian) {
            EXPECT_TRUE(services.shower.shown.back().modal);
            app->frmGFSK().cmdUpdate_Click();
        }
        // The read-outs show the words of what the scheme stored.
        EXPECT_EQ(m.lblMODhex->text(), reglink::readoutText(word(2)));
        EXPECT_EQ(m.lblDEMODhex->text(), reglink::readoutText(word(4)));
    }
    EXPECT_EQ(m.FrASK->title(), QStringLiteral("PA Output Power ASK Mode"));
}

// ASK takes its low level from the deviation field's bits 20..15, so a Gaussian divider,
// masked to six bits, becomes the low level; the field then holds that level, also when the
// scroll bar showed it already. Its high level is the PA setting.
TEST_F(FrontPanel, AskLevelsComeFromTheFields) {
    Main& m = start();
    struct Case {
        int32_t divider;
        int low;
    } cases[] = {{64, 0}, {100, 36}, {127, 63}}; // the bar stands at 0 first
    for (const Case& c : cases) {
        SCOPED_TRACE(c.divider);
        m.cmbModulation->setCurrentIndex(Gfsk);
        app->frmGFSK().txtDivider->setText(QString::number(c.divider));
        app->frmGFSK().CmdCalculate_Click();
        app->frmGFSK().cmdUpdate_Click();
        ASSERT_EQ(f().TxDeviationField, c.divider << 15);
        m.cmbModulation->setCurrentIndex(Ask);
        EXPECT_EQ(m.HScrollOOKfine1->value(), c.low);
        EXPECT_EQ(f().TxDeviationField, c.low << 15);
        EXPECT_EQ(m.Lblpower0->text(), QStringLiteral("Setting ") + QString::number(c.low));
        EXPECT_EQ(m.HScrollASKFine1->value(), 48);
        EXPECT_EQ(m.Lblpower1->text(), QStringLiteral("Setting 48"));
        EXPECT_EQ(f().PaLevelField, 48 << 9);
        EXPECT_EQ(m.lblMODhex->text(), reglink::readoutText(word(2)));
    }
}

// Back in FSK the deviation field holds the FSK count of the deviation box again, not the
// divider or the low level the other schemes left in it.
TEST_F(FrontPanel, FskTakesTheDeviationCountBack) {
    Main& m = start();
    m.cmbModulation->setCurrentIndex(Ask);
    m.HScrollOOKfine1->setValue(5);
    ASSERT_EQ(f().TxDeviationField, 5 << 15);
    m.cmbModulation->setCurrentIndex(Fsk);
    EXPECT_EQ(f().TxDeviationField, 30 << 15);
    EXPECT_EQ(m.lblMODhex->text(), QStringLiteral("0x800F6012"));
}

// GOOK shows neither PA frame and hides the deviation box; its ON level is the PA setting.
TEST_F(FrontPanel, GookShowsNoPowerFrame) {
    Main& m = start();
    m.paLevel->setValue(40);
    m.cmbModulation->setCurrentIndex(Gook);
    EXPECT_TRUE(m.FrFSKpower->isHidden());
    EXPECT_TRUE(m.FrASK->isHidden());
    EXPECT_TRUE(m.TxtFSKdev->isHidden());
    EXPECT_EQ(m.HScrollASKFine1->value(), 40);
    EXPECT_EQ(f().PaLevelField, 40 << 9);
}

// The panel fits a 1366x768 screen in every modulation, and takes its own size again when
// rows go away.
TEST_F(FrontPanel, FitsTheScreenInEveryModulationAndShrinksBack) {
    Main& m = start();
    m.show();
    QCoreApplication::processEvents();
    const QSize fsk = m.frameGeometry().size();
    for (Modulation mod : {Gfsk, Ask, Ook, Gook, Fsk, Gook}) {
        SCOPED_TRACE(int(mod));
        m.cmbModulation->setCurrentIndex(mod);
        if (app->isLoaded(QStringLiteral("frmGFSK")))
            app->frmGFSK().cmdUpdate_Click();
        QCoreApplication::processEvents();
        const QSize size = m.frameGeometry().size();
        EXPECT_LE(size.height(), 660); // 768 less a task bar and a title bar, with room
        EXPECT_LE(size.width(), 1350);
        EXPECT_GE(m.height(), m.minimumSizeHint().height());
        EXPECT_GE(m.width(), m.minimumSizeHint().width());
    }
    // GOOK has the fewest rows: the panel is no larger than in FSK, and FSK gives it its size
    // back.
    EXPECT_LE(m.frameGeometry().width(), fsk.width());
    m.cmbModulation->setCurrentIndex(Fsk);
    QCoreApplication::processEvents();
    EXPECT_EQ(m.frameGeometry().size(), fsk);
    m.hide();
}

TEST_F(FrontPanel, DemodulatorList) {
    Main& m = start();
    struct Case {
        int index;
        int16_t type;
        int32_t bit29;
    } cases[] = {{0, 0, 0}, {1, 16, bit(29)}, {2, 32, 0}, {1, 16, bit(29)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        m.cmbDemod->setCurrentIndex(c.index);
        EXPECT_EQ(f().DemodTypeField, c.type);
        // The correlator plans the data rate again, which gives the parity of K 10 back.
        EXPECT_EQ(f().KParityBit29Field, c.bit29);
        EXPECT_EQ(m.lblDEMODhex->text(), reglink::readoutText(word(4)));
        EXPECT_EQ(m.lblT4hex->text(), reglink::readoutText(word(6)));
    }
}

// Lists and switches store their fields and refresh the read-outs; none writes to the board.
TEST_F(FrontPanel, ListsAndSwitchesSetTheirFields) {
    Main& m = start();
    clearRecords();
    for (int i : {0, 2, 1}) {
        m.cmbIFBW->setCurrentIndex(i);
        EXPECT_EQ(f().IFFilterBandwidthField, i << 22);
    }
    for (int i : {0, 3, 1}) {
        m.Chgpumpvalue->setCurrentIndex(i);
        EXPECT_EQ(f().ChargePumpField, i << 14);
    }
    m.lblOSChex->setMark(Mark::Normal);
    m.OSC_EN->setOn(false);
    EXPECT_EQ(f().XtalOscEnableField, 0);
    EXPECT_EQ(m.lblOSChex->text(), reglink::readoutText(word(1)));
    EXPECT_EQ(m.lblOSChex->mark(), Mark::Changed);
    m.OSC_EN->setOn(true);
    EXPECT_EQ(f().XtalOscEnableField, bit(12));
    m.PA_EN->setOn(false);
    EXPECT_EQ(f().PaEnableField, 0);
    EXPECT_EQ(m.lblMODhex->text(), reglink::readoutText(word(2)));
    m.PA_EN->setOn(true);
    EXPECT_EQ(f().PaEnableField, bit(4));
    EXPECT_TRUE(usb.writtenWords().empty());
}

// The scroll bars store their settings; the labels read "Setting " and the value with the
// blank of the plain number form before it.
TEST_F(FrontPanel, ScrollBarsSetThePowerLevels) {
    Main& m = start();
    m.paLevel->setValue(10);
    EXPECT_EQ(f().PaLevelField, 10 << 9);
    EXPECT_EQ(m.LblFSKpower->text(), QStringLiteral("Setting  10"));
    m.HScrollASKFine1->setValue(63);
    EXPECT_EQ(f().PaLevelField, 63 << 9);
    EXPECT_EQ(m.Lblpower1->text(), QStringLiteral("Setting  63"));
    m.HScrollOOKfine1->setValue(7);
    EXPECT_EQ(f().TxDeviationField, 7 << 15);
    EXPECT_EQ(m.Lblpower0->text(), QStringLiteral("Setting  7"));
    EXPECT_EQ(m.lblMODhex->text(), reglink::readoutText(word(2)));
}

// The test-data list writes R12 at once with its own word; R12's read-out and the store keep
// the word 12. "Toggle Invert TxData bit" flips the invert bit each time it is chosen, also
// when the list shows it already.
TEST_F(FrontPanel, TestDataWritesRegister12AtOnceOverUsb) {
    Main& m = startConnected();
    evaltest::chooseItem(m.cmbTestdata, 1);
    EXPECT_EQ(usb.lines(), std::vector<QString>{QStringLiteral("dd_write_pellion_reg 0x0000080C")});
    evaltest::chooseItem(m.cmbTestdata, 2);
    EXPECT_EQ(f().TxDataInvertField, bit(29));
    EXPECT_EQ(m.lblMODhex->text(), reglink::readoutText(word(2)));
    evaltest::chooseItem(m.cmbTestdata, 2);
    EXPECT_EQ(f().TxDataInvertField, 0);
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0x80C, 12, 12}));
    EXPECT_EQ(m.lbltest12hex->text(), QStringLiteral("0x0000C"));
    EXPECT_EQ(word(12), 12u);
}

// On the parallel board the word goes out over the port.
TEST_F(FrontPanelOverThePort, TestDataWritesRegister12OverTheChosenBoard) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    usb.clear();
    m.cmbTestdata->setCurrentIndex(1);
    EXPECT_EQ(port.lastWord(12), 0x80Cu);
    EXPECT_TRUE(usb.writtenWords().empty());
    EXPECT_TRUE(port.malformed().empty());
    EXPECT_EQ(m.lbltest12hex->text(), QStringLiteral("0x0000C"));
}

// The inductor, its VCO bias and the synthesizer plan for it are one choice. A plan refused
// for the new inductor (868.3 MHz is outside the external inductor's range, 300 MHz outside the
// internal one's) is said, and nothing of the choice stays: the box returns to its state, and
// no field, word or read-out moves. A plan that is taken brings the bias and the plan with it.
TEST_F(FrontPanel, TheInductorIsChosenWithItsPlanOrNotAtAll) {
    Main& m = start();
    const auto seen = [&] {
        InductorChoice v{m.chkInductor->isChecked(),
                         f().ExtInductorField,
                         f().VcoBiasField,
                         f().VcoDiv2Field,
                         {},
                         {m.lblvcofreq->text()}};
        for (int n = 0; n <= 6; ++n) {
            v.words.push_back(word(n));
            v.texts << m.readout(n)->text();
        }
        return v;
    };
    const auto plan = [&](const char* rf) {
        app->synthform().txtVCOout1->setText(QString::fromLatin1(rf));
        app->synthform().CmdCalculate->click();
        app->synthform().returnToPanel->click();
    };
    const QString externalRange =
        QStringLiteral("Frequency outside of VCO Range for Pellion-1 External VCO Inductor!");
    const QString internalRange = QStringLiteral(
        "Frequency outside of VCO Range for Internal VCO inductor! If you are using the Pellion-1 "
        "make sure this is checked on the front panel");

    // 868.3 MHz: ticking is refused.
    const InductorChoice internal868 = seen();
    clearRecords();
    m.chkInductor->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{externalRange});
    EXPECT_EQ(seen(), internal868);
    EXPECT_EQ(f().VcoBiasField, 10 << 16);
    // The window that planned for the check is gone: it opens afresh for the internal inductor.
    EXPECT_FALSE(app->isLoaded(QStringLiteral("synthform")));
    EXPECT_FALSE(app->synthform().lblVCOdiv2->isEnabled());

    // 433.92 MHz both reach: the tick is taken, with the external inductor's bias.
    plan("433.92");
    m.chkInductor->click();
    EXPECT_TRUE(m.chkInductor->isChecked());
    EXPECT_EQ(f().ExtInductorField, bit(25));
    EXPECT_EQ(f().VcoBiasField, 3 << 16);
    EXPECT_EQ(m.lblOSChex->text(), reglink::readoutText(word(1)));
    EXPECT_TRUE(app->synthform().lblVCOdiv2->isEnabled());

    // 300 MHz with the external inductor and its divide-by-2: unticking is refused.
    app->synthform().lblVCOdiv2->setOn(true);
    plan("300");
    ASSERT_EQ(f().VcoDiv2Field, bit(13));
    const InductorChoice external300 = seen();
    clearRecords();
    m.chkInductor->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{internalRange});
    EXPECT_EQ(seen(), external300);
    EXPECT_TRUE(app->synthform().lblVCOdiv2->isEnabled());

    // Back at 433.92 MHz the untick is taken: the internal bias, the band's divide-by-2.
    plan("433.92");
    clearRecords();
    m.chkInductor->click();
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_FALSE(m.chkInductor->isChecked());
    EXPECT_EQ(f().ExtInductorField, 0);
    EXPECT_EQ(f().VcoBiasField, 10 << 16);
    EXPECT_FALSE(app->synthform().lblVCOdiv2->isEnabled());
}

// Receive plans the LO below the channel; transmit plans the channel and the deviation again.
TEST_F(FrontPanel, DirectionOptions) {
    Main& m = start();
    const int32_t transmitFraction = f().FracNField;
    m.optRx->setChecked(true);
    EXPECT_EQ(f().TxRxField, bit(27));
    EXPECT_NE(f().FracNField, transmitFraction);
    EXPECT_EQ(m.lblNhex->text(), reglink::readoutText(word(0)));
    f().TxDeviationField = 0;
    m.optTx->setChecked(true);
    EXPECT_EQ(f().TxRxField, 0);
    EXPECT_EQ(f().FracNField, transmitFraction);
    EXPECT_EQ(f().TxDeviationField, 30 << 15);
    EXPECT_FALSE(app->isLoaded(QStringLiteral("synthform")));
}

// Every window opens modally but the bias window; "&Test Modes" opens nothing.
TEST_F(FrontPanel, ButtonsAndMenusOpenTheirWindows) {
    Main& m = start();
    struct Opener {
        std::function<void()> open;
        const char* window;
        bool modal;
    };
    const auto click = [](QWidget* w) {
        return [w] {
            QTest::mouseClick(w, Qt::LeftButton);
        };
    };
    const auto trigger = [](QAction* a) {
        return [a] {
            a->trigger();
        };
    };
    const Opener openers[] = {
        {click(m.cmdReadback), "frmReadback", true},
        {trigger(m.mnuReadback), "frmReadback", true},
        {trigger(m.mnuSync), "frmReadback", true},
        {click(m.manualRegisterEdit), "frmRegisters", true},
        {trigger(m.registermenu), "frmRegisters", true},
        {click(m.advancedDemod), "frmDemod", true},
        {click(m.cmdAdvanced), "frmPowerdown", false},
        {click(m.syncWordStatus), "frmSWD", true},
        {click(m.ifFilterCalStatus), "frmAFC", true},
        {click(m.agcStatus), "frmAGC", true},
        {click(m.afcStatus), "frmAFC", true},
        {click(m.LblClockout), "frmClockOut", true},
        {trigger(m.mnuClockOut), "frmClockOut", true},
        {click(m.LblMuxOut), "muxform", true},
        {trigger(m.muxmenu), "muxform", true},
        {click(m.cmdSynthform), "synthform", true},
        {trigger(m.crystalmenu), "synthform", true},
        {click(m.lblcrystal), "synthform", true},
    };
    for (const Opener& o : openers) {
        SCOPED_TRACE(o.window);
        services.shower.shown.clear();
        o.open();
        ASSERT_EQ(services.shower.names(), QStringList{QString::fromLatin1(o.window)});
        EXPECT_EQ(services.shower.shown.front().modal, o.modal);
        app->windows().unload(QString::fromLatin1(o.window));
    }
    services.shower.shown.clear();
    m.testmenu->trigger();
    EXPECT_TRUE(services.shower.shown.empty());
}

TEST_F(FrontPanel, PrintThisFormPrintsThePanel) {
    Main& m = start();
    m.mnuPrint->trigger();
    EXPECT_EQ(services.printer.targets.size(), 1u);
    services.printer.failWith = QStringLiteral("No printer is installed");
    m.mnuPrint->trigger();
    EXPECT_EQ(messageTexts().size(), 1u);
}

// ---- clock out and mux out ------------------------------------------------------------

// Pellion's clock-out code sits at bit 8 of R1; the window opens showing the output without a
// blank before the unit.
TEST_F(FrontPanel, ClockOutWindowOverTheR1Field) {
    Main& m = start();
    evalkit::frmClockOut& c = app->frmClockOut();
    EXPECT_EQ(c.lblcrystalfreq->text(), QStringLiteral("11.06 MHz"));
    EXPECT_EQ(c.lblclkoutfrequency->text(), QStringLiteral("OFF"));
    c.SelClockoutDivide->setPosition(3);
    EXPECT_EQ(f().ClockOutField, 3 << 8);
    EXPECT_EQ(c.lblclkoutfrequency->text(), QStringLiteral("1.84 MHz"));
    EXPECT_EQ(m.LblClockout->text(), QStringLiteral("1.84 MHz"));
    c.cmdokclock->click();
    EXPECT_EQ(m.lblOSChex->text(), reglink::readoutText(word(1)));
    EXPECT_EQ(m.lblOSChex->mark(), Mark::Changed);

    evalkit::frmClockOut& again = app->frmClockOut();
    EXPECT_EQ(again.SelClockoutDivide->position(), 3);
    EXPECT_EQ(again.lblclkoutfrequency->text(), QStringLiteral("1.84MHz"));
    again.SelClockoutDivide->setPosition(0);
    EXPECT_EQ(f().ClockOutField, 0);
    EXPECT_EQ(m.LblClockout->text(), QStringLiteral("OFF"));
}

TEST_F(FrontPanel, MuxOutWindowOverTheR0Field) {
    Main& m = start();
    evalkit::muxform& mux = app->muxform();
    // The power-on code 3.
    EXPECT_TRUE(mux.lblmux[3]->isChecked());
    mux.lblmux[4]->setChecked(true);
    mux.returnToPanel->click();
    EXPECT_EQ(f().MuxoutField, 4.0 * bit(29));
    EXPECT_EQ(m.LblMuxOut->text(), QStringLiteral("Tx_Rx"));
    EXPECT_EQ(m.lblNhex->text(), reglink::readoutText(word(0)));
    EXPECT_FALSE(app->isLoaded(QStringLiteral("muxform")));
}
