// The settings file: what a save writes, and the set-up it gives back when another run of the
// program loads it (from the command line).
#include "settingsfilefixture.h"

using namespace pellion;
using namespace pellion::test;

TEST_F(Settings, FskSetUpRoundTripsThroughTheCommandLine) {
    synthform& s = app->synthform();
    s.txtVCOout1->setText(QStringLiteral("915"));
    s.CmdCalculate_Click();
    s.returnToPanel_Click();
    m->paLevel->setValue(40);
    m->TxtFSKdev->setText(QStringLiteral("25"));
    m->txtDatarate->setText(QStringLiteral("9.6"));
    m->cmbIFBW->setCurrentIndex(2);
    m->Chgpumpvalue->setCurrentIndex(3);
    evalkit::BiasWindow& bias = app->biasWindow();
    bias.HScrVCOAdjust->setValue(2);
    bias.HScrVCObias->setValue(7);
    bias.cmbMixerLinearity->setCurrentIndex(1);
    bias.returnToPanel_Click();
    evalkit::frmSWD& swd = app->frmSWD();
    swd.detectionMode->setCurrentIndex(2);
    swd.syncWordPattern->setText(QStringLiteral("0xABC123"));
    swd.wordLength->setCurrentIndex(2);
    swd.txtErrors->setText(QStringLiteral("2"));
    swd.return_Click();
    f().LnaModeField = bit(15); // only a file sets it
    app->UpdateAllRegisterLabels();
    clearRecords();

    expectRoundTrip(QStringLiteral("fsk.txt"));
    const QString path = temp(QStringLiteral("fsk.txt"));
    EXPECT_EQ(value(path, "Phy", "Modulation"), QStringLiteral("FSK"));
    EXPECT_EQ(value(path, "Phy", "Chip"), QStringLiteral("Pellion"));
    EXPECT_EQ(value(path, "Phy", "BaudRate"), QStringLiteral("9600"));
    EXPECT_EQ(value(path, "Phy", "Deviation_kHz"), QStringLiteral("25")); // the box, in FSK
    EXPECT_EQ(value(path, "Rx", "MIXER_LINEARITY"), QStringLiteral("1"));
    EXPECT_EQ(value(path, "Rx", "LNA_MODE"), QStringLiteral("1"));
    EXPECT_EQ(value(path, "Sync", "SyncWord"), QStringLiteral("0xABC123"));
    EXPECT_EQ(value(path, "VCO", "VCODivider"), QStringLiteral("False"));
    // The dividers the chip is programmed with, not the synthesizer window's reset values.
    EXPECT_EQ(value(path, "Tx", "INT").toInt(), f().IntegerNField >> 19);
    EXPECT_EQ(value(path, "Tx", "FRAC").toInt(), f().FracNField >> 4);
    EXPECT_NE(value(path, "Tx", "FRAC"), QStringLiteral("16836"));
}

// The Pellion-1 with its divide-by-2 on: "True" is read back as on, so the divider of the
// Gaussian window (which the deviation box must not overwrite) survives the trip.
TEST_F(Settings, GfskPellion1WithDivideBy2KeepsItsDivider) {
    tickExternalInductor(*app);
    synthform& s = app->synthform();
    s.lblVCOdiv2->setOn(true);
    s.CmdCalculate_Click();
    s.returnToPanel_Click();
    ASSERT_EQ(f().VcoDiv2Field, bit(13));
    m->cmbModulation->setCurrentIndex(1); // shows the Gaussian window
    frmGFSK& g = app->frmGFSK();
    g.txtDivider->setText(QStringLiteral("100"));
    g.cmbIndexCount->setCurrentIndex(0);
    g.cmbModCtrl->setCurrentIndex(3);
    g.CmdCalculate_Click();
    g.cmdUpdate_Click();
    m->paLevel->setValue(30);
    ASSERT_EQ(f().TxDeviationField, 100 << 15);
    clearRecords();

    expectRoundTrip(QStringLiteral("gfsk.txt"));
    const QString path = temp(QStringLiteral("gfsk.txt"));
    EXPECT_EQ(value(path, "Phy", "Chip"), QStringLiteral("Pellion-1"));
    EXPECT_EQ(value(path, "VCO", "VCODivider"), QStringLiteral("True"));
    EXPECT_EQ(value(path, "VCO", "Lext"), QStringLiteral("1"));
    EXPECT_EQ(value(path, "Phy", "DIVIDER_FACTOR"), QStringLiteral("100"));
    EXPECT_EQ(value(path, "Phy", "INDEX_COUNTER"), QStringLiteral("0"));
    EXPECT_EQ(value(path, "Phy", "GFSK_MOD_CONTROL"), QStringLiteral("3"));
    EXPECT_EQ(value(path, "Phy", "Deviation_kHz"), m->Lblfskdev->text()); // the label in GFSK
    EXPECT_EQ(value(path, "Phy", "BaudRate"), QStringLiteral("6912"));

    // Read into this program, as the file says.
    m->chkInductor->setChecked(false);
    m->cmbModulation->setCurrentIndex(0);
    clearRecords();
    services.shower.shown.clear();
    ImportSettings(*app, path);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(m->chkInductor->isChecked());
    EXPECT_EQ(f().VcoDiv2Field, bit(13));
    EXPECT_EQ(f().TxDeviationField, 100 << 15);
    EXPECT_EQ(f().GfskModControlField, 3 << 24);
    EXPECT_EQ(m->cmbModulation->currentIndex(), 1);
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmGFSK"))); // calculated, never shown
    EXPECT_TRUE(services.shower.shown.empty());
}

// Each scheme writes its own power keys; the Gaussian codes are written as codes.
TEST_F(Settings, EachSchemeWritesItsKeys) {
    struct Case {
        int index;
        const char* name;
        QStringList keys; // after FRAC, in [Tx] and [Phy]
    } cases[] = {
        {0, "FSK", {"Tx/PALevel", "Phy/Deviation_kHz"}},
        {1,
         "GFSK",
         {"Tx/PALevel", "Phy/Deviation_kHz", "Phy/INDEX_COUNTER", "Phy/DIVIDER_FACTOR",
          "Phy/GFSK_MOD_CONTROL"}},
        {2, "ASK", {"Tx/PALevel", "Tx/PALevelLow"}},
        {3, "OOK", {"Tx/PALevel"}},
        {4,
         "GOOK",
         {"Tx/PALevel", "Phy/INDEX_COUNTER", "Phy/DIVIDER_FACTOR", "Phy/GFSK_MOD_CONTROL"}},
    };
    const QStringList schemeKeys{"Tx/PALevel",        "Tx/PALevelLow",      "Phy/Deviation_kHz",
                                 "Phy/INDEX_COUNTER", "Phy/DIVIDER_FACTOR", "Phy/GFSK_MOD_CONTROL"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m->cmbModulation->setCurrentIndex(c.index);
        if (c.index == 1 || c.index == 4) {
            app->frmGFSK().cmbIndexCount->setCurrentIndex(2); // 64
            app->frmGFSK().CmdCalculate_Click();
            app->frmGFSK().cmdUpdate_Click();
        }
        if (c.index >= 2)
            m->HScrollASKFine1->setValue(21);
        const QString path = temp(QStringLiteral("%1.txt").arg(QLatin1String(c.name)));
        ExportSettings(*app, path);
        EXPECT_EQ(value(path, "Phy", "Modulation"), QLatin1String(c.name));
        for (const QString& key : schemeKeys) {
            const QStringList k = key.split(QLatin1Char('/'));
            const QByteArray section = k[0].toLatin1(), name = k[1].toLatin1();
            EXPECT_EQ(!value(path, section.constData(), name.constData()).isEmpty(),
                      c.keys.contains(key))
                << key.toStdString();
        }
        if (c.index == 1 || c.index == 4) {
            EXPECT_EQ(value(path, "Phy", "INDEX_COUNTER"), QStringLiteral("2")); // 64 is code 2
        }
        if (c.index >= 2) {
            EXPECT_EQ(value(path, "Tx", "PALevel"), QStringLiteral("21"));
        }
        // Read back, the scheme and its power scroll bar come back.
        m->HScrollASKFine1->setValue(5);
        m->cmbModulation->setCurrentIndex(c.index == 0 ? 3 : 0);
        ImportSettings(*app, path);
        EXPECT_EQ(m->cmbModulation->currentIndex(), c.index);
        if (c.index >= 2) {
            EXPECT_EQ(m->HScrollASKFine1->value(), 21);
        }
        if (c.index == 1 || c.index == 4) {
            EXPECT_EQ(f().GfskIndexCounterField, 2 << 27);
        }
    }
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(Settings, ANewFileHoldsTheKeysInTheirOrderWithCrlf) {
    const QString path = temp(QStringLiteral("new.txt"));
    ExportSettings(*app, path);
    const QByteArray bytes = readBytes(path);
    const QStringList order = evaltest::keyOrder(bytes);
    EXPECT_EQ(order, QStringLiteral("[File] Version path [Phy] Chip Modulation BaudRate "
                                    "Deviation_kHz [Tx] Frequency INT FRAC PALevel [Rx] IF_BW "
                                    "MIXER_LINEARITY LNA_MODE [PLL] CrystalFreq IcpIndex "
                                    "RefDivider [VCO] VCOBand VCODivider Lext VCOBias [Sync] "
                                    "SyncDetect SyncWord Wordlength NumErrors")
                         .split(QLatin1Char(' ')));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(value(path, "File", "path"), path);
    EXPECT_EQ(value(path, "Phy", "BaudRate"), QStringLiteral("10000"));
    // The charge-pump list has no choice after start-up: written as its field holds it.
    EXPECT_EQ(value(path, "PLL", "IcpIndex"), QStringLiteral("2"));
    ImportSettings(*app, path);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(m->Chgpumpvalue->currentIndex(), 2);
    EXPECT_EQ(f().ChargePumpField, 2 << 14);
}

TEST_F(Settings, SavingKeepsTheOtherToolsLines) {
    const QString path = temp(QStringLiteral("foreign.txt"));
    ASSERT_TRUE(QFile::copy(fixture("foreign.txt"), path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ExportSettings(*app, path);
    m->txtDatarate->setText(QStringLiteral("9.6"));
    ExportSettings(*app, path); // a second save replaces the first one's values
    const QByteArray after = readBytes(path);
    EXPECT_TRUE(messageTexts().empty());
    evaltest::expectLinesInOrder(after, {"; written by the design tool\r\n", "[ombrelle]\r\n",
                                         "Tool=Ombrelle 2.0\r\n", "[phy]\r\n", "Antenna=whip\r\n",
                                         "[Notes]\r\n", "owner=lab 3\r\n", "[sync]\r\n",
                                         "Comment=keep me\r\n"});
    // The keys the file holds are replaced where they stand, in their own spelling.
    EXPECT_TRUE(after.contains("[phy]\r\nCHIP=Pellion\r\nAntenna=whip\r\nmodulation=FSK\r\n"))
        << after.constData();
    EXPECT_TRUE(after.contains("SYNCWORD=0x2AA\r\n"));
    EXPECT_EQ(after.count("BaudRate="), 1);
    EXPECT_EQ(value(path, "Phy", "BaudRate"), QStringLiteral("9600"));
    EXPECT_EQ(after.count("[phy]") + after.count("[Phy]"), 1);
}

// The windows a save or a load reads and sets stay loaded, unseen: the synthesizer window
// shows the plan the import made and the sync-word box the word as the file spells it. What
// such a window shows that another control changed meanwhile is saved as the field holds it.
TEST_F(Settings, TheWindowsAFileLoadsStayLoadedAndTheFileHoldsWhatIsInForce) {
    const QString path = settingsFile(
        {QStringLiteral("Tx/Frequency=433.92"), QStringLiteral("PLL/CrystalFreq=11.0592"),
         QStringLiteral("PLL/RefDivider=1"), QStringLiteral("VCO/Lext=1"),
         QStringLiteral("VCO/VCOBand=1"), QStringLiteral("Sync/SyncDetect=1"),
         QStringLiteral("Sync/SyncWord=0x0012ab"), QStringLiteral("Sync/NumErrors=1")});
    ImportSettings(*app, path);
    EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();
    for (const char* name : {"synthform", "frmPowerdown", "frmSWD"})
        EXPECT_TRUE(app->isLoaded(QLatin1String(name))) << name;
    EXPECT_FALSE(app->synthform().isVisible());
    EXPECT_FALSE(app->biasWindow().isVisible());
    EXPECT_FALSE(app->frmSWD().isVisible());
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmGFSK")));
    // Opened now, the synthesizer window shows the plan the import made.
    synthform& s = app->synthform();
    EXPECT_EQ(s.txtVCOout1->text(), QStringLiteral("433.92004"));
    EXPECT_EQ(s.LblR->text(), QStringLiteral("1"));
    EXPECT_EQ(s.LblN->text(), platform::numberText(w().IntegerN));
    EXPECT_EQ(s.LblF->text(), platform::numberText(w().FracN));
    EXPECT_EQ(app->frmSWD().syncWordPattern->text(), QStringLiteral("0x0012ab"));

    const QString saved = temp(QStringLiteral("saved.txt"));
    ExportSettings(*app, saved);
    EXPECT_EQ(value(saved, "Sync", "SyncWord"), QStringLiteral("0x0012ab"));
    EXPECT_EQ(value(saved, "Tx", "Frequency"), QStringLiteral("433.92004"));
    EXPECT_EQ(value(saved, "VCO", "VCOBand"), QStringLiteral("1"));
    for (const char* name : {"synthform", "frmPowerdown", "frmSWD"})
        EXPECT_TRUE(app->isLoaded(QLatin1String(name))) << name;

    // The inductor check box sets the VCO bias, and the demodulator window the lock code,
    // while the bias and sync-word windows go on showing what they loaded.
    m->chkInductor->setChecked(false); // the internal inductor's bias, 10
    ASSERT_EQ(f().VcoBiasField, 10 << 16);
    f().LockThresholdModeField = 3 * bit(23);
    f().SyncErrorsField = 3 << 6;
    ExportSettings(*app, saved);
    EXPECT_EQ(value(saved, "VCO", "VCOBias"), QStringLiteral("10"));
    EXPECT_EQ(value(saved, "VCO", "Lext"), QStringLiteral("0"));
    EXPECT_EQ(value(saved, "Sync", "SyncDetect"), QStringLiteral("2"));
    EXPECT_EQ(value(saved, "Sync", "NumErrors"), QStringLiteral("3"));
    // A window the user has open stays open.
    app->showModeless(&app->biasWindow());
    ExportSettings(*app, saved);
    EXPECT_TRUE(app->biasWindow().isVisible());
}
