// The settings file read back into the controls: what each key sets through the controls' own
// handlers, and what a file the program cannot use does (and does not) change.
#include "settingsfilefixture.h"

using namespace pellion;
using namespace pellion::test;

TEST_F(Settings, AFileSetsWhatTheSameEntriesInTheControlsSet) {
    ImportSettings(*app, fixture("fsk.txt"));
    EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();
    // The same set-up made by hand in another run.
    OtherProgram other;
    Main& hand = other.app->start();
    synthform& s = other.app->synthform();
    s.txtVCOout1->setText(QStringLiteral("915.000000"));
    s.CmdCalculate_Click();
    s.returnToPanel_Click();
    hand.TxtFSKdev->setText(QStringLiteral("25"));
    hand.paLevel->setValue(40);
    hand.txtDatarate->setText(QStringLiteral("9.6"));
    hand.cmbIFBW->setCurrentIndex(2);
    hand.Chgpumpvalue->setCurrentIndex(3);
    other.app->biasWindow().HScrVCOAdjust->setValue(2);
    other.app->biasWindow().HScrVCObias->setValue(7);
    other.app->biasWindow().cmbMixerLinearity->setCurrentIndex(1);
    other.app->f().LnaModeField = bit(15);
    evalkit::frmSWD& swd = other.app->frmSWD();
    swd.detectionMode->setCurrentIndex(2);
    swd.syncWordPattern->setText(QStringLiteral("0xABC123"));
    swd.wordLength->setCurrentIndex(2);
    swd.txtErrors->setText(QStringLiteral("2"));
    other.app->UpdateAllRegisterLabels();
    for (int n = 0; n <= 13; ++n)
        EXPECT_EQ(word(n), other.app->store().wordBits(n)) << "R" << n;
    EXPECT_EQ(word(5), (0xABC123u << 8) | (2u << 6) | (2u << 4) | 5u);
    EXPECT_EQ((word(4) >> 23) & 7, 3u); // "SWD On - Lock Threshold"
    EXPECT_EQ(f().MixerLinearityField, bit(18));
    EXPECT_EQ(app->biasWindow().cmbMixerLinearity->currentIndex(), 1);
    EXPECT_EQ(readouts(*m), readouts(hand));
    // The words are shown as not yet programmed, and the sync-word button names the mode.
    EXPECT_EQ(m->lblSyncHex->mark(), reglink::RegisterReadout::Mark::Changed);
    EXPECT_EQ(m->syncWordStatus->text(), QStringLiteral("SWD On - Lock"));
    EXPECT_EQ(w().SettingsLoaded, 0);
    EXPECT_TRUE(usb.writtenWords().empty());
    EXPECT_TRUE(port.lines().empty());
}

TEST_F(Settings, AFileOfAnotherVersionChangesNothing) {
    const QString noFileSection = temp(QStringLiteral("nofile.txt"));
    writeBytes(noFileSection, "[Phy]\r\nModulation=OOK\r\n");
    for (const QString& path : {fixture("version2.txt"), noFileSection}) {
        SCOPED_TRACE(path.toStdString());
        clearRecords();
        const QStringList before = observableState(*app);
        ImportSettings(*app, path);
        EXPECT_EQ(observableState(*app), before);
        ASSERT_EQ(services.messages.messages.size(), 1u);
        EXPECT_EQ(services.messages.messages[0].text, VersionMessage);
        EXPECT_EQ(services.messages.messages[0].buttons, platform::MsgButtons::Ok);
    }
    // The version is read as every number key is, by its leading digits.
    const QString notWhole = temp(QStringLiteral("notwhole.txt"));
    writeBytes(notWhole, "[File]\r\nVersion=1.5\r\n[Phy]\r\nModulation=OOK\r\n");
    clearRecords();
    ImportSettings(*app, notWhole);
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].contains(QStringLiteral("[File] Version=1.5 as 1")));
    EXPECT_EQ(m->cmbModulation->currentIndex(), 3);
}

TEST_F(Settings, UnusableValuesAreNamedOnceAndTheRestApplies) {
    const int adjust = app->biasWindow().HScrVCOAdjust->value();
    clearRecords();
    ImportSettings(*app, fixture("garbled.txt"));
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_EQ(messageTexts()[0],
              evaltest::summaryMessage(
                  fixture("garbled.txt"),
                  QStringLiteral("[PLL] RefDivider, [VCO] VCOBias, [Tx] PALevel, "
                                 "[Phy] BaudRate, [Rx] IF_BW, [Sync] SyncWord, "
                                 "[Sync] NumErrors"),
                  QStringLiteral("[PLL] IcpIndex=2.5 as 2, [VCO] VCODivider=maybe as False, "
                                 "[Rx] LNA_MODE=x as 0"),
                  {}));
    // Applied.
    EXPECT_TRUE(m->chkInductor->isChecked());
    EXPECT_EQ(m->cmbModulation->currentIndex(), 2);
    EXPECT_EQ(m->HScrollOOKfine1->value(), 12);
    EXPECT_EQ(f().MixerLinearityField, bit(18));
    EXPECT_EQ(app->biasWindow().HScrVCOAdjust->value(), 2);
    EXPECT_NE(adjust, 2);
    EXPECT_EQ(f().LockThresholdModeField, double(bit(24)));
    EXPECT_EQ(f().SyncWordLengthField, 3 << 4);
    EXPECT_NEAR(w().RfFrequencyMHz, 433.92, 0.001);
    // Number keys read by their leading digits, 0 when there are none.
    EXPECT_EQ(m->Chgpumpvalue->currentIndex(), 2); // "2.5"
    EXPECT_EQ(f().ChargePumpField, 2 << 14);
    EXPECT_EQ(f().VcoDiv2Field, 0); // "maybe"
    // Left as they were.
    EXPECT_EQ(m->HScrollASKFine1->value(), 48); // the level FSK had, as choosing ASK takes it
    EXPECT_EQ(m->txtDatarate->text(), QStringLiteral("10"));
    EXPECT_EQ(m->cmbIFBW->currentIndex(), 1);
    EXPECT_EQ(f().VcoBiasField, 3 << 16); // as the inductor check box chose it
    EXPECT_EQ(f().SyncWordField, 682 * 256.0);
    EXPECT_EQ(f().SyncErrorsField, 0);
    EXPECT_EQ(f().LnaModeField, 0);
    EXPECT_EQ(w().PfdFrequencyMHz, 11.0592f);
    EXPECT_EQ(w().SettingsLoaded, 0);
}

// A number key the file lacks reads as 0, as the profile functions read it, and the import goes
// on with it, naming each; a text key it lacks leaves its control as it is. A file of only its
// version says so of every number key.
TEST_F(Settings, MissingNumberKeysReadAsZero) {
    // Start from settings that 0 changes.
    m->Chgpumpvalue->setCurrentIndex(3);
    m->cmbIFBW->setCurrentIndex(2);
    app->frmSWD().detectionMode->setCurrentIndex(2);
    app->frmSWD().wordLength->setCurrentIndex(3);
    app->frmSWD().txtErrors->setText(QStringLiteral("2"));
    app->frmSWD().return_Click();
    app->UpdateAllRegisterLabels();
    ASSERT_EQ(m->syncWordStatus->text(), QStringLiteral("SWD On - Lock"));
    const QString rate = m->txtDatarate->text();
    const float rf = w().RfFrequencyMHz;
    clearRecords();
    const QString bare = temp(QStringLiteral("bare.txt"));
    writeBytes(bare, "[File]\r\nVersion=1\r\n");
    ImportSettings(*app, bare);
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{evaltest::summaryMessage(
                  bare, {}, {},
                  QStringLiteral("[VCO] Lext, [PLL] RefDivider, [PLL] IcpIndex, [VCO] VCODivider, "
                                 "[VCO] VCOBand, [VCO] VCOBias, [Rx] IF_BW, [Rx] MIXER_LINEARITY, "
                                 "[Rx] LNA_MODE, [Sync] SyncDetect, [Sync] Wordlength, "
                                 "[Sync] NumErrors"))});
    EXPECT_EQ(m->Chgpumpvalue->currentIndex(), 0);
    EXPECT_EQ(f().ChargePumpField, 0);
    EXPECT_EQ(m->cmbIFBW->currentIndex(), 0);
    EXPECT_EQ(f().IFFilterBandwidthField, 0);
    EXPECT_EQ(f().LockThresholdModeField, 0);
    EXPECT_EQ(m->syncWordStatus->text(), QStringLiteral("Off"));
    EXPECT_EQ(f().SyncErrorsField, 0);
    EXPECT_EQ(app->frmSWD().txtErrors->text(), QStringLiteral("0"));
    EXPECT_EQ(f().SyncWordLengthField, 0);
    EXPECT_FALSE(m->chkInductor->isChecked());
    // The texts stay.
    EXPECT_EQ(m->txtDatarate->text(), rate);
    EXPECT_EQ(w().RfFrequencyMHz, rf);

    // In a Gaussian file, the missing divider reads 0, which the Gaussian window takes as 1:
    // a rate the receiver cannot be planned for, which the window says.
    clearRecords();
    const QString gaussian = settingsFile({QStringLiteral("Phy/Modulation=GFSK")});
    ImportSettings(*app, gaussian);
    EXPECT_EQ(messageTexts(),
              (std::vector<QString>{
                  QStringLiteral("Data rate of 691.200 kbit/s is above the maximum of 201.4 "
                                 "kbit/s. Please raise the Divider Number or the Index Counter"),
                  evaltest::summaryMessage(
                      gaussian, {}, QStringLiteral("[Phy] DIVIDER_FACTOR (missing) as 1"),
                      QStringLiteral("[Phy] INDEX_COUNTER, [Phy] GFSK_MOD_CONTROL"))}));
    EXPECT_EQ(m->cmbModulation->currentIndex(), 1);
    EXPECT_EQ(f().TxDeviationField, 1 << 15);
    EXPECT_EQ(f().GfskIndexCounterField, 0);
    EXPECT_EQ(f().GfskModControlField, 0);
    EXPECT_EQ(m->paLevel->value(), 0);
}

TEST_F(Settings, VcoDividerReadsTrueFalseAndNumbers) {
    struct Case {
        const char* text; // nullptr: no key (the fixture's 0)
        bool on;
        bool said; // read otherwise than written, and named so
    } cases[] = {{"True", true, false},  {"False", false, false}, {"true", true, false},
                 {"1", true, false},     {"0", false, false},     {"-1", true, true},
                 {"2", true, true},      {"yes", false, true},    {"1.5", true, true},
                 {nullptr, false, false}};
    m->chkInductor->setChecked(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(none)");
        app->synthform().lblVCOdiv2->setOn(!c.on);
        clearRecords();
        QStringList entries{QStringLiteral("VCO/Lext=1"), QStringLiteral("Tx/Frequency=433.92")};
        if (c.text)
            entries << QStringLiteral("VCO/VCODivider=") + QLatin1String(c.text);
        const QString path = settingsFile(entries);
        ImportSettings(*app, path);
        EXPECT_EQ(f().VcoDiv2Field == bit(13), c.on);
        if (c.said)
            EXPECT_EQ(messageTexts(),
                      std::vector<QString>{evaltest::summaryMessage(
                          path, {},
                          QStringLiteral("[VCO] VCODivider=%1 as %2")
                              .arg(QLatin1String(c.text),
                                   c.on ? QStringLiteral("True") : QStringLiteral("False")),
                          {})});
        else
            EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();
    }
}

TEST_F(Settings, TheReferenceDividerSetsThePfdFromTheCrystal) {
    struct Case {
        const char* refDivider; // nullptr: no key
        const char* pfdText;    // what the PFD box receives
        float pfdMHz;
    } cases[] = {
        {"0", "11.0592", 11.0592f}, {nullptr, "11.0592", 11.0592f}, {"2", "5.5296", 5.5296f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refDivider ? c.refDivider : "-");
        QStringList entries{QStringLiteral("PLL/CrystalFreq=11.0592")};
        if (c.refDivider)
            entries << QStringLiteral("PLL/RefDivider=") + QLatin1String(c.refDivider);
        QStringList pfdTexts;
        synthform& s = app->synthform();
        // The window stays loaded from one file to the next: the watch ends with the case.
        QObject watch;
        QObject::connect(s.txtpfd1, &QLineEdit::textChanged, &watch,
                         [&pfdTexts](const QString& t) { pfdTexts << t; });
        ImportSettings(*app, settingsFile(entries));
        ASSERT_FALSE(pfdTexts.isEmpty());
        EXPECT_EQ(pfdTexts.first(), QLatin1String(c.pfdText));
        EXPECT_FLOAT_EQ(w().PfdFrequencyMHz, c.pfdMHz);
    }
}

TEST_F(Settings, KeysThatAreOnlyWrittenChangeNothing) {
    const QStringList base{QStringLiteral("Phy/Modulation=OOK"), QStringLiteral("Tx/PALevel=12")};
    ImportSettings(*app, settingsFile(base));
    const QStringList plain = observableState(*app);
    ImportSettings(*app, settingsFile(base + QStringList{QStringLiteral("File/path=D:\\x.txt"),
                                                         QStringLiteral("Phy/Chip=Corvane"),
                                                         QStringLiteral("Tx/INT=30"),
                                                         QStringLiteral("Tx/FRAC=1"),
                                                         QStringLiteral("Phy/Unknown=1")}));
    EXPECT_EQ(observableState(*app), plain);
}

// While the import runs, the inductor check box does not plan from the frequency the boxes
// held before: the one plan runs once the file's frequencies are in.
TEST_F(Settings, TheInductorCheckBoxWaitsForTheFilesFrequencies) {
    ASSERT_FALSE(m->chkInductor->isChecked()); // 868.3 MHz, outside the external range
    ImportSettings(
        *app, settingsFile({QStringLiteral("VCO/Lext=1"), QStringLiteral("Tx/Frequency=433.92"),
                            QStringLiteral("PLL/CrystalFreq=11.0592"),
                            QStringLiteral("VCO/VCODivider=False")}));
    for (const QString& text : messageTexts())
        EXPECT_FALSE(text.contains(QStringLiteral("VCO Range"))) << text.toStdString();
    EXPECT_TRUE(m->chkInductor->isChecked());
    EXPECT_EQ(f().ExtInductorField, bit(25));
    EXPECT_NEAR(w().RfFrequencyMHz, 433.92, 0.001);
    EXPECT_EQ(f().VcoDiv2Field, 0); // the user's choice with the external inductor
}
