// Start-up, the front panel's menus and tool tips, and every window the panel opens.
#include "tessarinefixture.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace tessarine;
using namespace tessarine::test;

using StartUp = TessarineFixture;

TEST_F(StartUp, PowerOnWordsAllGreenUsbBoardChosenLinkClosedChipEnabledNothingWritten) {
    Main& m = start();
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Main Interface Page"));
    EXPECT_EQ(readoutTexts(), PowerOnReadouts);
    EXPECT_EQ(readoutMarks(), allMarks(Mark::Changed));
    EXPECT_EQ(m.cmbMB->currentIndex(), 1);
    EXPECT_FALSE(m.ConnectUSB->isHidden());
    EXPECT_TRUE(m.ConnectUSB->isEnabled());
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Connect USB"));
    EXPECT_FALSE(m.chipEnable->isHidden());
    EXPECT_TRUE(m.chipEnable->isOn());

    // The chip is selected and the port given up; the link stays closed and no register goes
    // out.
    EXPECT_TRUE(usb.writtenWords().empty());
    for (const QString& line : usb.lines())
        EXPECT_EQ(line, QStringLiteral("dd_pellion_chip_sel 1"));
    EXPECT_FALSE(usb.lines().empty());
    EXPECT_EQ(port.lines(), std::vector<QString>{QStringLiteral("ReleaseParallelPort 1")});
    EXPECT_EQ(messageTexts(), std::vector<QString>{});

    EXPECT_EQ(m.lblvcofreq->text(), QStringLiteral("868.29999MHz"));
    EXPECT_EQ(m.lblpfd_freq->text(), QStringLiteral("3.68640MHz"));
    EXPECT_EQ(m.lblcrystal->text(), QStringLiteral("11.05920MHz"));
    EXPECT_EQ(m.LblClockout->text(), QStringLiteral("Off"));
    EXPECT_EQ(m.cmbModulation->currentIndex(), 0);
    EXPECT_EQ(m.cmbModCtrl->currentIndex(), 0);
    EXPECT_EQ(m.cmbIndexCount->currentIndex(), 0);
    EXPECT_EQ(m.cmbIcp->currentIndex(), 2);
    for (platform::Toggle* t : {m.TogCrystal, m.TogPLL, m.TogOutput, m.TogVCO})
        EXPECT_TRUE(t->isOn()) << t->objectName().toStdString();
    EXPECT_FALSE(m.FrFSK->isHidden());
    EXPECT_FALSE(m.FrFSKpower->isHidden());
    EXPECT_TRUE(m.frASK->isHidden());

    // The other-features window exists, hidden, with its switches set; no synthesizer plan
    // has run.
    ASSERT_TRUE(app->isLoaded(QStringLiteral("frmOtherFeatures")));
    EXPECT_FALSE(app->frmOtherFeatures().isVisible());
    EXPECT_FALSE(app->frmOtherFeatures().togprescaler->isOn());
    EXPECT_FALSE(app->frmOtherFeatures().TogDataInvert->isOn());
    EXPECT_TRUE(app->frmOtherFeatures().TogLDP->isOn());
    EXPECT_FALSE(app->isLoaded(QStringLiteral("synthform")));
    EXPECT_EQ(w().IntegerN, 0);
    EXPECT_EQ(w().FracN, 0);
    EXPECT_EQ(w().RDivider, 0);
    EXPECT_EQ(w().DoublerFactor, 1);
    EXPECT_EQ(w().ParallelPortAddress, 888);
    EXPECT_EQ(w().PortformAddress, 888);
    EXPECT_EQ(w().PortClaimed, 0);
    EXPECT_TRUE(w().FrontPanelInitialised);
}

TEST_F(StartUp, LoadingThePanelAgainDoesNotSetTheBoardUpAgain) {
    Main& m = start();
    f().PaLevelField = 10 << 5;
    w().RfFrequencyMHz = 433.92f;
    m.Form_Load();
    EXPECT_EQ(f().PaLevelField, 10 << 5);
    EXPECT_EQ(w().RfFrequencyMHz, 433.92f);
}

TEST_F(StartUp, MenusCaptionsAndToolTips) {
    Main& m = start();
    const std::pair<const char*, const char*> menus[] = {
        {"Filemenu", "&File"},
        {"settingsmenu", "&Settings"},
        {"optionsmenu", "&Options"},
        {"mnuHelp", "&Help"},
    };
    for (const auto& [name, caption] : menus) {
        auto* menu = m.menuBar()->findChild<QMenu*>(QString::fromLatin1(name));
        ASSERT_NE(menu, nullptr) << name;
        EXPECT_EQ(menu->title(), QString::fromLatin1(caption));
    }
    const std::pair<QAction*, const char*> items[] = {
        {m.mnuOpen, "&Get Settings (.txt)"},
        {m.mnuSave, "&Save Settings (.txt)"},
        {m.mnuPrint, "&Print This Form"},
        {m.Exitmenu, "&Exit"},
        {m.crystalmenu, "&Synthesizer Settings"},
        {m.mnuPowerDown, "&Bias Currents"},
        {m.muxmenu, "&Muxout"},
        {m.mnuClkOut, "&Clock Out Divide"},
        {m.testmenu, "&Test Modes"},
        {m.registermenu, "&Registers"},
        {m.portmenu, "&Port"},
        {m.mnuAbout, "&About this Rev (Rev 4.0)"},
        {m.mnuRev, "&Revision History"},
        {m.mnuThinkPad, "&IBM Think Pad Help"},
    };
    for (const auto& [action, caption] : items)
        EXPECT_EQ(action->text(), QString::fromLatin1(caption));
    auto* options = m.menuBar()->findChild<QMenu*>(QStringLiteral("optionsmenu"));
    EXPECT_TRUE(options->actions().contains(m.portmenu));

    const std::pair<QWidget*, const char*> tips[] = {
        {m.lblvcofreq, "Click here to change output frequency"},
        {m.lblpfd_freq, "Click here to change PFD frequency"},
        {m.lblcrystal, "Click here to change the Reference frequency"},
        {m.cmdBias, "Click to Change Individual Bias Settings"},
        {m.LblClockout, "Click to Change Clkout frequency"},
        {m.LblMuxOut, "Click to change the MuxOut feature"},
        {m.manualRegisterEdit, "Click here to enter the manually edit register window."},
        {m.cmdUpdateAll,
         "Click here to update all four registers: R, N, Modulation and Function, in that order"},
    };
    for (const auto& [widget, tip] : tips)
        EXPECT_EQ(widget->toolTip(), QString::fromLatin1(tip))
            << widget->objectName().toStdString();
    EXPECT_EQ(m.partUsed->text(), QStringLiteral("Part Used:        Tessarine"));
    EXPECT_EQ(m.cmdUpdateAll->text(), QStringLiteral("Program Registers"));
    EXPECT_EQ(m.cmdBias->text(), QStringLiteral("  Bias Currents     VCO, PA..."));
    EXPECT_EQ(m.cmbMB->itemText(0), QStringLiteral("Quorrabase (Parallel Port Interface)"));
    EXPECT_EQ(m.cmbMB->itemText(1), QStringLiteral("Quorrabase2 (USB Interface)"));
}

// Every opener of the panel shows its window the way it should, and the window goes away
// again; none of them writes to the board.
TEST_F(StartUp, EveryOpenerShowsItsWindow) {
    Main& m = start();
    struct Opener {
        QObject* control;
        const char* window;
        bool modal;
    };
    const Opener openers[] = {
        {m.crystalmenu, "synthform", true},
        {m.synthSettings, "synthform", true},
        {m.lblvcofreq, "synthform", true},
        {m.lblpfd_freq, "synthform", true},
        {m.lblcrystal, "synthform", true},
        {m.mnuPowerDown, "frmPowerdown", true},
        {m.cmdBias, "frmPowerdown", true},
        {m.muxmenu, "muxform", true},
        {m.LblMuxOut, "muxform", true},
        {m.mnuClkOut, "frmClockOut", true},
        {m.LblClockout, "frmClockOut", true},
        {m.testmenu, "frmTestModes", true},
        {m.cmdTestMod, "frmTestModes", false},
        {m.otherFeatures, "frmOtherFeatures", false},
        {m.registermenu, "frmRegisters", true},
        {m.manualRegisterEdit, "frmRegisters", true},
        {m.portmenu, "portform", true},
        {m.mnuAbout, "aboutform", true},
        {m.mnuRev, "revform", true},
        {m.mnuThinkPad, "IBMhelpform", true},
    };
    clearRecords();
    for (const Opener& o : openers) {
        SCOPED_TRACE(o.window);
        services.shower.shown.clear();
        if (auto* a = qobject_cast<QAction*>(o.control))
            a->trigger();
        else if (auto* b = qobject_cast<QPushButton*>(o.control))
            b->click();
        else if (auto* l = qobject_cast<platform::ClickableLabel*>(o.control))
            emit l->clicked();
        ASSERT_EQ(services.shower.shown.size(), 1u);
        EXPECT_EQ(services.shower.shown[0].name, QString::fromLatin1(o.window));
        EXPECT_EQ(services.shower.shown[0].modal, o.modal);
        QWidget* shown = shownWindow(QString::fromLatin1(o.window));
        ASSERT_NE(shown, nullptr);
        shown->close();
        EXPECT_FALSE(shown->isVisible());
    }
    EXPECT_TRUE(usb.writtenWords().empty());
    EXPECT_TRUE(port.outBytesTo(888).empty());
}

// Every row any modulation scheme shows, all at once, still leaves the panel within a
// 1366x768 screen with a title bar and a task bar.
TEST_F(StartUp, PanelFitsTheScreenWithEverySchemesRowsShown) {
    Main& m = start();
    m.show();
    for (QWidget* w : {static_cast<QWidget*>(m.frHideFSK), static_cast<QWidget*>(m.frGaussian),
                       static_cast<QWidget*>(m.lblTitleDateRate),
                       static_cast<QWidget*>(m.lblDatarate), static_cast<QWidget*>(m.frASK)})
        w->setVisible(true);
    QCoreApplication::processEvents();
    const QSize need = m.minimumSizeHint().expandedTo(m.sizeHint());
    EXPECT_LE(need.height(), 660);
    EXPECT_LE(need.width(), 1350);
    m.hide();
}
