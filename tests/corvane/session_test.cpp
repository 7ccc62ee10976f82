// A whole session driven through the real windows, as a user would work.
#include "corvanefixture.h"

#include "corvane/settingsfile.h"
#include "corvane/zantrelfile.h"
#include "platform/core/profile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::test;

using Session = CorvaneFixture;

namespace {

// Opens a window with its front-panel control and leaves it with its return button.
void openAndReturn(CorvaneApp& app, platform::RecordingServices& services, QObject* opener,
                   const char* window, const char* returnButton) {
    services.shower.shown.clear();
    if (auto* b = qobject_cast<QPushButton*>(opener))
        b->click();
    else if (auto* a = qobject_cast<QAction*>(opener))
        a->trigger();
    ASSERT_EQ(services.shower.names(), QStringList{QString::fromLatin1(window)});
    QWidget* w = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String(window) && top->isVisible())
            w = top;
    ASSERT_NE(w, nullptr) << window;
    auto* ret = w->findChild<QPushButton*>(QString::fromLatin1(returnButton));
    ASSERT_NE(ret, nullptr) << window << " " << returnButton;
    ret->click();
    EXPECT_FALSE(app.isLoaded(QString::fromLatin1(window)) && w->isVisible()) << window;
}

} // namespace

TEST_F(Session, ChannelModulationRateDeviationEveryDialogExportAndQuit) {
    Main& m = start();

    // Channel 868.3 MHz in receive: N 44, F 3796.
    m.cmdSynthform->click();
    synthform& s = app->synthform();
    s.txtVCOout1->setText(QStringLiteral("868.3"));
    s.CmdCalculate->click();
    s.returnToPanel->click();
    EXPECT_EQ(m.lblNhex->text(), QStringLiteral("0x960ED40"));

    m.cmbModulation->setCurrentIndex(2); // 3FSK
    m.TxtFSKdev->setText(QStringLiteral("4.8"));
    m.txtDatarate->setText(QStringLiteral("9.6"));
    EXPECT_EQ(m.lblMODhex->text(), QStringLiteral("0x85D0A2")); // count 16, 3FSK, PA level 46
    EXPECT_EQ(f().DemodTypeField, 32);
    EXPECT_EQ(f().ThreeFskEnableField, 1 << 13);

    const struct {
        QObject* opener;
        const char* window;
        const char* ret;
    } dialogs[] = {
        {m.advancedDemod, "frmDemod", "Command1"},
        {m.ifCalStatus, "frmIFCal", "Command2"},
        {m.cmdReadback, "frmReadback", "Command2"},
        {m.afcStatus, "frmAFC", "Command2"},
        {m.agcStatus, "frmAGC", "Command2"},
        {m.syncWordStatus, "frmSWD", "return"},
        {m.testModesStatus, "frmTestModes", "Command2"},
        {m.cmdAdvanced, "frmPowerdown", "Command1"},
        {m.cmdPARamp, "frmPARamp", "Command2"},
        {m.manualRegisterEdit, "frmRegisters", "cmdReturn"},
        {m.mnuClockOut, "frmClockOut", "cmdokclock"},
        {m.muxmenu, "muxform", "Command1"},
        {m.portmenu, "portform", "Command2"},
        {m.mnuRev, "aboutform", "Command1"},
        {m.mnuRevHistory, "revform", "Command1"},
    };
    const QString r0 = m.lblNhex->text();
    const QString r2 = m.lblMODhex->text();
    for (const auto& d : dialogs)
        openAndReturn(*app, services, d.opener, d.window, d.ret);
    EXPECT_EQ(m.lblNhex->text(), r0);
    EXPECT_EQ(m.lblMODhex->text(), r2);
    EXPECT_EQ(m.testModesStatus->text(), QStringLiteral("Disabled"));
    EXPECT_EQ(m.afcStatus->text(), QStringLiteral("OFF"));
    EXPECT_EQ(m.agcStatus->text(), QStringLiteral("Auto"));
    EXPECT_EQ(m.syncWordStatus->text(), QStringLiteral("Low"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{});

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("session.txt"));
    services.files.answers.push_back(path);
    m.mnuWriteOmbrelle->trigger();
    EXPECT_EQ(platform::GetPrivateProfileString(QStringLiteral("Phy"), QStringLiteral("Modulation"),
                                                QString(), 256, path)
                  .value,
              QStringLiteral("3FSK"));
    EXPECT_EQ(platform::GetPrivateProfileString(QStringLiteral("Tx"), QStringLiteral("Frequency"),
                                                QString(), 256, path)
                  .value,
              QStringLiteral("868.300000"));

    m.Exitmenu->trigger();
    EXPECT_TRUE(services.system.ended());
    EXPECT_EQ(messageTexts(), std::vector<QString>{});
}
