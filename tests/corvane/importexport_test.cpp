// The settings file: saving the set-up, reading it back into the controls,
// and what a file the program cannot use does (and does not) change.
#include "importexportfixture.h"

using namespace importexport;

// ---- saving and loading back ------------------------------------------------------

namespace {

// A set-up far from the start-up defaults, made through the controls.
void changeEverything(CorvaneApp& app) {
    Main& m = app.main();
    // The synthesizer and direction first: every calculation resets the IF
    // calibration tones, which are set further down.
    app.synthform().txtVCOout1->setText(QStringLiteral("433.92"));
    app.synthform().CmdCalculate_Click();
    app.synthform().returnToPanel_Click();
    m.optTx->setChecked(true);
    m.cmbModulation->setCurrentIndex(5); // "RC2FSK"
    m.gaussianAlpha->setCurrentIndex(1); // alpha 0.7
    m.txtDatarate->setText(QStringLiteral("9.6"));
    m.TxtFSKdev->setText(QStringLiteral("4"));
    m.paLevel->setValue(40);
    m.cmbIFBW->setCurrentIndex(1);
    m.cmbIcp->setCurrentIndex(3);
    m.cmbDemod->setCurrentIndex(0);
    BiasWindow& bias = app.biasWindow();
    bias.HScrPABias->setValue(1);
    bias.cmbMixerLinearity->setCurrentIndex(1);
    bias.HScrVCOAdjust->setValue(2);
    bias.HScrVCObias->setValue(7);
    bias.returnToPanel_Click();
    frmSWD& swd = app.frmSWD();
    swd.detectionMode->setCurrentIndex(3);
    swd.syncWordPattern->setText(QStringLiteral("ABC123"));
    swd.wordLength->setCurrentIndex(2);
    swd.txtErrors->setText(QStringLiteral("2"));
    swd.return_Click();
    frmAFC& afc = app.frmAFC();
    afc.afcStatus->setOn(true);
    afc.cmbKi->setCurrentIndex(5);
    afc.cmbKp->setCurrentIndex(3);
    afc.txtAFCRange->setText(QStringLiteral("2.5"));
    afc.returnToPanel_Click();
    frmIFCal& cal = app.frmIFCal();
    cal.dwellTime->setText(QStringLiteral("50"));
    cal.upperTone->setText(QStringLiteral("80"));
    cal.lowerTone->setText(QStringLiteral("120"));
    cal.returnToPanel_Click();
    frmAGC& agc = app.frmAGC();
    agc.agcMode->setCurrentIndex(1);
    agc.lowThreshold->setText(QStringLiteral("20"));
    agc.highThreshold->setText(QStringLiteral("60"));
    agc.lnaGain->setCurrentIndex(2);
    agc.filterGain->setCurrentIndex(1);
    agc.returnToPanel_Click();
}

} // namespace

TEST_F(Settings, SavedSetUpLoadsIntoAFreshProgramAndSavesTheSameFile) {
    changeEverything(*app);
    const QString path = temp(QStringLiteral("round.txt"));
    ExportSettings(*app, path);
    const QByteArray first = readBytes(path);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(value(path, "Phy", "Modulation"), QStringLiteral("RC2FSK"));
    EXPECT_EQ(value(path, "Phy", "Alpha"), QStringLiteral("0.7"));
    EXPECT_EQ(value(path, "AFC", "Range"), QStringLiteral("2.5"));
    // The dividers the chip is programmed with, not the synthesizer window's reset values.
    EXPECT_EQ(value(path, "Tx", "INT").toInt(), f().IntegerNField >> 19);
    EXPECT_EQ(value(path, "Tx", "FRAC").toInt(), f().FracNField >> 4);
    EXPECT_NE(value(path, "Tx", "INT"), QStringLiteral("78"));

    platform::RecordingServices services2{CorvaneApp::programTitle()};
    board::RecordingSkerry usb2;
    board::RecordingParllio port2;
    auto fresh = std::make_unique<CorvaneApp>(services2.view(), usb2, port2);
    fresh->start();
    services2.messages.clear();
    ImportSettings(*fresh, path);
    EXPECT_TRUE(services2.messages.texts().empty());
    ExportSettings(*fresh, path);
    // The synthesizer window stays loaded after the import, its calculation having written the
    // crystal box in its own form ("#0.00000"): the same number, the rest byte for byte; saved
    // again after loading that file, it stays as it is.
    const QByteArray second = readBytes(path);
    EXPECT_EQ(value(path, "PLL", "CrystalFreq"), QStringLiteral("19.68000"));
    evaltest::expectSameSettings(
        first, second, {QStringLiteral("Tx/Frequency"), QStringLiteral("PLL/CrystalFreq")});
    const uint32_t r6 = fresh->store().wordBits(6);
    ImportSettings(*fresh, path);
    ExportSettings(*fresh, path);
    EXPECT_EQ(readBytes(path), second);
    EXPECT_EQ(fresh->store().wordBits(6), r6);

    for (int n = 0; n < 16; ++n)
        EXPECT_EQ(fresh->store().wordBits(n), word(n)) << "R" << n;
    // The deviation box takes the deviation actually reached, which plans the same.
    EXPECT_NEAR(fresh->main().TxtFSKdev->text().toDouble(), m->Lblfskdev->text().toDouble(),
                0.0005);
    QStringList mine = observableState(*app);
    QStringList theirs = observableState(*fresh);
    for (QStringList* s : {&mine, &theirs}) {
        s->removeIf([](const QString& line) {
            return line.startsWith(QStringLiteral("L")) ||
                   line.startsWith(QStringLiteral("TxtFSKdev"));
        });
    }
    EXPECT_EQ(theirs, mine);
    for (const char* w : {"frmPowerdown", "frmSWD", "frmAFC", "frmIFCal", "frmAGC"})
        EXPECT_TRUE(fresh->isLoaded(w)) << w; // loaded hidden by the import
    EXPECT_EQ(fresh->frmSWD().syncWordPattern->text(), QStringLiteral("ABC123"));
    EXPECT_EQ(fresh->frmAFC().txtAFCRange->text(), QStringLiteral("2.5"));
    EXPECT_EQ(fresh->frmAFC().afcStatus->isOn(), true);
    EXPECT_EQ(fresh->frmIFCal().upperTone->text(), QStringLiteral("80"));
    EXPECT_EQ(fresh->frmAGC().lnaGain->currentIndex(), 2);
    fresh.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Settings, SavingKeepsTheOtherToolsLinesAndWritesEachKeyOnce) {
    const QString path = temp(QStringLiteral("foreign.txt"));
    ASSERT_TRUE(QFile::copy(fixture("foreign.txt"), path));
    const QByteArray before = readBytes(path);
    ExportSettings(*app, path);
    m->txtDatarate->setText(QStringLiteral("9.6"));
    ExportSettings(*app, path); // a second save replaces the first one's values
    const QByteArray after = readBytes(path);
    EXPECT_TRUE(messageTexts().empty());

    // Every line of the other tool is still there, unchanged and in its order.
    evaltest::expectLinesInOrder(after,
                                 {"; written by the design tool\r\n", "Tool=Ombrelle 2.0\r\n",
                                  "[phy]\r\n", "Antenna=whip\r\n", "[Notes]\r\n", "owner=lab 3\r\n",
                                  "[sync]\r\n", "Comment=keep me"});
    // Known keys are replaced where they stood, keeping their spelling.
    EXPECT_TRUE(after.contains("[phy]\r\nCHIP=Corvane\r\n")) << after.constData();
    EXPECT_TRUE(after.contains("[sync]\r\nSyncDetect=0\r\n"));
    EXPECT_TRUE(after.startsWith("; written by the design tool\r\n[File]\r\nVersion=1\r\n"));

    // Each key once, inside its own section; no section added twice.
    const QList<QByteArray> lines = after.split('\n');
    QByteArray section;
    QHash<QByteArray, int> seen;
    QHash<QByteArray, int> headers;
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            section = line.mid(1, line.indexOf(']') - 1).toLower();
            ++headers[section];
        } else if (line.contains('=') && !line.startsWith(';')) {
            ++seen[section + '/' + line.left(line.indexOf('=')).trimmed().toLower()];
        }
    }
    for (auto it = headers.cbegin(); it != headers.cend(); ++it)
        EXPECT_EQ(it.value(), 1) << it.key().constData();
    const char* expected[] = {"file/version",      "file/path",       "phy/chip",
                              "phy/modulation",    "phy/baudrate",    "phy/mode",
                              "phy/deviation_khz", "phy/pabias",      "vco/lext",
                              "vco/vcoband",       "vco/vcodivider",  "vco/vcobias",
                              "tx/frequency",      "tx/int",          "tx/frac",
                              "tx/palevel",        "rx/if_bw",        "rx/mixer_linearity",
                              "rx/lna_mode",       "rx/demod",        "pll/crystalfreq",
                              "pll/icpindex",      "pll/refdivider",  "sync/syncdetect",
                              "sync/syncword",     "sync/wordlength", "sync/numerrors",
                              "afc/status",        "afc/ki",          "afc/kp",
                              "afc/range",         "if_filter/dwell", "if_filter/upper",
                              "if_filter/lower",   "agc/mode",        "agc/low",
                              "agc/high",          "agc/lnagain",     "agc/filtergain"};
    for (const char* key : expected)
        EXPECT_EQ(seen.value(key), 1) << key;
    EXPECT_EQ(seen.value("notes/owner"), 1);
    EXPECT_EQ(seen.value("phy/antenna"), 1);
    EXPECT_EQ(seen.value("sync/comment"), 1);
    EXPECT_EQ(value(path, "Phy", "BaudRate"), QStringLiteral("9600")); // the later value
    EXPECT_EQ(value(path, "File", "path"), path);
    EXPECT_NE(before, after);
}

TEST_F(Settings, ANewFileHoldsTheSectionsInTheirOrder) {
    const QString path = temp(QStringLiteral("new.txt"));
    ExportSettings(*app, path);
    const QByteArray bytes = readBytes(path);
    const QStringList order = evaltest::keyOrder(bytes);
    const QStringList expected =
        QStringLiteral("[File] Version path [Phy] Chip Modulation BaudRate Mode "
                       "Deviation_kHz PABias [VCO] Lext VCOBand VCODivider VCOBias "
                       "[Tx] Frequency INT FRAC PALevel [Rx] IF_BW MIXER_LINEARITY "
                       "LNA_MODE Demod [PLL] CrystalFreq IcpIndex RefDivider [Sync] "
                       "SyncDetect SyncWord Wordlength NumErrors [AFC] Status KI KP "
                       "Range [IF_Filter] Dwell Upper Lower [AGC] Mode Low High "
                       "LNAGain FilterGain")
            .split(QLatin1Char(' '));
    EXPECT_EQ(order, expected);
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')); // CRLF throughout
    // The VCO list is written as its index over the first "0"/"1" test.
    EXPECT_EQ(value(path, "VCO", "Lext"), QStringLiteral("0"));
    EXPECT_EQ(value(path, "Phy", "BaudRate"), QStringLiteral("4000"));
    EXPECT_EQ(value(path, "Phy", "Deviation_kHz"), m->Lblfskdev->text());
    EXPECT_EQ(value(path, "Rx", "LNA_MODE"), QStringLiteral("0"));
}

// ---- files the program refuses ------------------------------------------------------

TEST_F(Settings, AFileOfAnotherVersionOrChipChangesNothing) {
    struct Case {
        QString path;
        QString message;
    } cases[] = {
        {fixture("version2.txt"), VersionMessage},
        {fixture("nofilesection.txt"), VersionMessage},
        {fixture("wrongchip.txt"), ChipMessage}, // the chip name in lower case
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        clearRecords();
        const QStringList before = observableState(*app);
        ImportSettings(*app, c.path);
        EXPECT_EQ(observableState(*app), before);
        ASSERT_EQ(services.messages.messages.size(), 1u);
        const platform::MessageRecord& box = services.messages.messages[0];
        EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.title, services.messages.defaultTitle());
        EXPECT_EQ(box.buttons, platform::MsgButtons::Ok);
    }
}

// The chip in quotes is the chip; what the small file lacks is named as read as 0.
TEST_F(Settings, AChipNameInQuotesIsAccepted) {
    ImportSettings(*app, fixture("quotedchip.txt"));
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{evaltest::summaryMessage(
                  fixture("quotedchip.txt"), {}, {},
                  QStringLiteral("[VCO] Lext, [PLL] RefDivider, [PLL] IcpIndex, [VCO] VCOBand, "
                                 "[VCO] VCOBias, [Tx] PALevel, [Phy] PABias, [Rx] IF_BW, "
                                 "[Rx] MIXER_LINEARITY, [Rx] Demod, [Sync] SyncDetect"))});
    EXPECT_EQ(m->cmbModulation->currentIndex(), 1);
    EXPECT_EQ(m->txtDatarate->text(), QStringLiteral("9.6"));
}

// A folder, or a file that is not there, is no settings file of another version.
TEST_F(Settings, AFileThatCannotBeReadIsReportedWithItsNameAndReason) {
    const QString folder = temp(QStringLiteral("a folder.txt"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {folder, QStringLiteral("folder")},
        {temp(QStringLiteral("missing.txt")), QStringLiteral("No such file or directory")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        clearRecords();
        const QStringList before = observableState(*app);
        ImportSettings(*app, c.path);
        EXPECT_EQ(observableState(*app), before);
        ASSERT_EQ(messageTexts().size(), 1u);
        EXPECT_TRUE(messageTexts()[0].contains(nativeName(c.path)))
            << messageTexts()[0].toStdString();
        EXPECT_TRUE(messageTexts()[0].contains(c.reason)) << messageTexts()[0].toStdString();
        EXPECT_NE(messageTexts()[0], VersionMessage);
    }
    EXPECT_FALSE(QFileInfo::exists(temp(QStringLiteral("missing.txt"))));
}

TEST_F(Settings, ASaveThatFailsIsReportedAndLeavesTheFileWhole) {
    evaltest::expectAFailedSaveLeavesTheFileWhole(
        *this, temp(QStringLiteral("locked.txt")),
        [this](const QString& p) { ExportSettings(*app, p); });
}

TEST_F(Settings, ARefusedDataRateIsSavedAsTheRateInForce) {
    evaltest::expectARefusedRateSavesTheRateInForce(
        *this, m->txtDatarate, temp(QStringLiteral("refused.txt")),
        [this](const QString& p) { ExportSettings(*app, p); });
}
