// The settings file: saving the set-up, reading it back into the controls,
// and what a file the program cannot use does (and does not) change.
#include "corvanefixture.h"

#include "../support/filefixture.h"
#include "../support/settingstests.h"
#include "../testfiles.h"

#include "corvane/settingsfile.h"
#include "corvane/zantrelfile.h"
#include "platform/core/profile.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>

using namespace corvane;
using namespace corvane::test;

namespace {

using testfiles::readBytes;
using testfiles::writeBytes;

using evaltest::nativeName;
using evaltest::VersionMessage;
const QString ChipMessage = QStringLiteral("Error: Import file is not for Corvane chip");

QString fixture(const char* name) {
    return QStringLiteral(CORVANE_FIXTURES "/settings/") + QLatin1String(name);
}

// Everything an import may change, read without loading any window.
QStringList observableState(CorvaneApp& app) {
    QStringList s;
    for (int n = 0; n < 16; ++n)
        s << QStringLiteral("R%1=%2").arg(n).arg(app.store().wordBits(n), 8, 16, QLatin1Char('0'));
    Main& m = app.main();
    for (int n = 0; n < 16; ++n) {
        if (auto* r = m.readout(n))
            s << QStringLiteral("L%1=%2/%3").arg(n).arg(r->text()).arg(int(r->mark()));
    }
    for (QComboBox* c : {m.cmbVCO, m.cmbModulation, m.cmbDemod, m.cmbIcp, m.cmbIFBW, m.Combo1})
        s << c->objectName() + QLatin1Char('=') + QString::number(c->currentIndex());
    for (QLineEdit* e : {m.txtDatarate, m.TxtFSKdev})
        s << e->objectName() + QLatin1Char('=') + e->text();
    s << QStringLiteral("HScroll2=%1").arg(m.HScroll2->value())
      << QStringLiteral("optRx=%1").arg(m.optRx->isChecked())
      << QStringLiteral("Lblfskdev=") + m.Lblfskdev->text();
    for (QPushButton* b : {m.Command8, m.Command9, m.Command11})
        s << b->objectName() + QLatin1Char('=') + b->text();
    for (const char* w : {"synthform", "frmPowerdown", "frmSWD", "frmAFC", "frmIFCal", "frmAGC"})
        s << QStringLiteral("%1 loaded=%2").arg(QLatin1String(w)).arg(app.isLoaded(w));
    const auto& v = app.w();
    s << QStringLiteral("rf=%1 pfd=%2 xtal=%3 R=%4")
             .arg(v.RfFrequencyMHz)
             .arg(v.PfdFrequencyMHz)
             .arg(v.CrystalFrequencyMHz)
             .arg(v.RDivider);
    return s;
}

struct Settings : evaltest::FileFixture<CorvaneFixture> {
    int files_ = 0;

    // A settings file (CRLF) of entries "Section/Key=value", grouped into their
    // sections in the order they first appear. The version, chip, RF and
    // crystal that every usable file carries come first unless the entries
    // give their own.
    QString settingsFile(const QStringList& entries) {
        QStringList all{QStringLiteral("File/Version=1"), QStringLiteral("Phy/Chip=Corvane"),
                        QStringLiteral("Tx/Frequency=869.5"),
                        QStringLiteral("PLL/CrystalFreq=19.68")};
        all.removeIf([&entries](const QString& d) {
            const QString key = d.left(d.indexOf(QLatin1Char('=')) + 1);
            return std::any_of(entries.begin(), entries.end(),
                               [&key](const QString& e) { return e.startsWith(key); });
        });
        all += entries;
        const QString path = temp(QStringLiteral("s%1.txt").arg(++files_));
        writeBytes(path, evaltest::settingsText(all));
        return path;
    }

    QString messages() const { return messageTexts().empty() ? QString() : messageTexts()[0]; }

    QString value(const QString& path, const char* section, const char* key) const {
        return evaltest::profileValue(path, section, key);
    }
};

} // namespace

// ---- saving and loading back ------------------------------------------------------

namespace {

// A set-up far from the start-up defaults, made through the controls.
void changeEverything(CorvaneApp& app) {
    Main& m = app.main();
    // The synthesizer and direction first: every calculation resets the IF
    // calibration tones, which are set further down.
    app.synthform().txtVCOout1->setText(QStringLiteral("433.92"));
    app.synthform().CmdCalculate_Click();
    app.synthform().Command1_Click();
    m.optTx->setChecked(true);
    m.cmbModulation->setCurrentIndex(5); // "RC2FSK"
    m.Combo1->setCurrentIndex(1);        // alpha 0.7
    m.txtDatarate->setText(QStringLiteral("9.6"));
    m.TxtFSKdev->setText(QStringLiteral("4"));
    m.HScroll2->setValue(40);
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
    cal.Text1->setText(QStringLiteral("50"));
    cal.Text2->setText(QStringLiteral("80"));
    cal.Text3->setText(QStringLiteral("120"));
    cal.Command2_Click();
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
    EXPECT_EQ(fresh->frmIFCal().Text2->text(), QStringLiteral("80"));
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

TEST_F(Settings, AChipNameInQuotesIsAccepted) {
    ImportSettings(*app, fixture("quotedchip.txt"));
    EXPECT_TRUE(messageTexts().empty());
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

// ---- values that cannot be used ---------------------------------------------------------

TEST_F(Settings, UnusableValuesAreSkippedAndNamedTheRestIsApplied) {
    const int paBias = app->biasWindow().HScrPABias->value();
    clearRecords();
    ImportSettings(*app, fixture("garbled.txt"));

    ASSERT_EQ(messageTexts().size(), 1u)
        << QStringList(messageTexts().begin(), messageTexts().end())
               .join(QLatin1Char('|'))
               .toStdString();
    const platform::MessageRecord& box = services.messages.messages[0];
    EXPECT_EQ(box.text,
              QStringLiteral("These settings in %1 could not be used and were left as they were: "
                             "[VCO] VCODivider, [VCO] VCOBias, [Phy] BaudRate, "
                             "[Phy] PABias, [Rx] Demod, [Sync] SyncWord, "
                             "[Sync] NumErrors, [AFC] Status, [AFC] KP, [AFC] Range, "
                             "[IF_Filter] Upper, [AGC] Low, [AGC] FilterGain")
                  .arg(nativeName(fixture("garbled.txt"))));
    EXPECT_EQ(box.title, services.messages.defaultTitle());

    // Applied.
    EXPECT_EQ(m->cmbModulation->currentIndex(), 1);
    EXPECT_TRUE(m->optTx->isChecked());
    EXPECT_EQ(f().TxRxField, 0);
    EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("3"));
    EXPECT_EQ(m->cmbVCO->currentIndex(), 1);
    EXPECT_EQ(f().ExtInductorField, 1 << 25);
    EXPECT_DOUBLE_EQ(w().RfFrequencyMHz, 600);
    EXPECT_EQ(m->cmbIcp->currentIndex(), 1);
    EXPECT_EQ(app->biasWindow().HScrVCOAdjust->value(), 2);
    EXPECT_EQ(f().MixerLinearityField, 1 << 28);
    EXPECT_EQ(app->frmSWD().detectionMode->currentIndex(), 1);
    EXPECT_EQ(app->frmSWD().wordLength->currentIndex(), 2);
    EXPECT_EQ(app->frmAFC().cmbKi->currentIndex(), 3);
    EXPECT_EQ(app->frmIFCal().Text1->text(), QStringLiteral("40"));
    EXPECT_EQ(app->frmIFCal().Text3->text(), QStringLiteral("100"));
    EXPECT_EQ(app->frmAGC().agcMode->currentIndex(), 1);
    EXPECT_EQ(app->frmAGC().highThreshold->text(), QStringLiteral("50"));
    EXPECT_EQ(m->Command9->text(), QStringLiteral("Manual"));
    EXPECT_EQ(m->HScroll2->value(), 12); // "12abc" reads as its leading digits
    // Skipped: the controls keep what they had (IF_BW -1 is a list without a choice).
    EXPECT_EQ(m->txtDatarate->text(), QStringLiteral("4"));
    EXPECT_EQ(m->cmbIFBW->currentIndex(), 2);
    EXPECT_EQ(app->biasWindow().HScrPABias->value(), paBias);
    // The VCO bias left out stays as the inductor chosen sets it, and its window shows that.
    EXPECT_EQ(f().VcoBiasField, 3 << 19);
    EXPECT_EQ(app->biasWindow().HScrVCObias->value(), 3);
    EXPECT_EQ(app->frmSWD().syncWordPattern->text(),
              QStringLiteral("0")); // as the window loaded it
    EXPECT_EQ(f().SyncWordField, 0);
    EXPECT_EQ(app->frmSWD().txtErrors->text(), QStringLiteral("0"));
    EXPECT_FALSE(app->frmAFC().afcStatus->isOn());
    EXPECT_EQ(f().AfcEnableField, 0);
    EXPECT_EQ(m->Command8->text(), QStringLiteral("OFF"));
    EXPECT_EQ(app->frmAFC().cmbKp->currentIndex(), f().AfcKpField >> 21);
    EXPECT_EQ(app->frmIFCal().Text2->text(), QStringLiteral("75"));
    EXPECT_EQ(app->frmAGC().lowThreshold->text(), QStringLiteral("30"));
    EXPECT_EQ(f().FilterGainField, 0);
    // No value spilled outside its field.
    EXPECT_EQ(word(9) & 0xF, 9u);
    EXPECT_EQ(word(10) & 0xF, 10u);
    EXPECT_EQ(word(11) & 0xF, 11u);
}

TEST_F(Settings, ImportWritesNothingToTheBoard) {
    for (int board : {1, 0}) {
        SCOPED_TRACE(board);
        m->cmbMB->setCurrentIndex(board);
        clearRecords();
        ImportSettings(*app, fixture(board == 1 ? "full.txt" : "garbled.txt"));
        EXPECT_TRUE(usb.lines().empty());
        EXPECT_TRUE(port.lines().empty());
    }
}

TEST_F(Settings, AFullFileSetsEveryWindow) {
    ImportSettings(*app, fixture("full.txt"));
    EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
    EXPECT_EQ(m->cmbModulation->currentIndex(), 3);
    EXPECT_EQ(m->txtDatarate->text(), QStringLiteral("9.6"));
    EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("3"));
    EXPECT_TRUE(m->optTx->isChecked());
    EXPECT_EQ(m->HScroll2->value(), 40);
    EXPECT_EQ(m->cmbIFBW->currentIndex(), 1);
    EXPECT_EQ(m->cmbDemod->currentIndex(), 3);
    EXPECT_EQ(m->cmbIcp->currentIndex(), 3);
    EXPECT_EQ(f().VcoDiv2Field, 1 << 18);
    EXPECT_EQ(f().MixerLinearityField, 1 << 28);
    EXPECT_EQ(f().PaBiasField, 1 << 11);
    EXPECT_EQ(f().VcoAdjustField, 2 << 23);
    EXPECT_EQ(f().VcoBiasField, 7 << 19);
    EXPECT_DOUBLE_EQ(w().RfFrequencyMHz, 433.92);
    EXPECT_EQ(app->frmSWD().syncWordPattern->text(), QStringLiteral("2AA"));
    EXPECT_EQ(f().SyncWordField, 0x2AA * 256.0);
    EXPECT_EQ(f().SwdModeField, 3 << 6);
    EXPECT_EQ(app->frmSWD().txtDPL->text(), QStringLiteral("1"));
    EXPECT_EQ(m->Command11->text(), QStringLiteral("High"));
    EXPECT_EQ(f().AfcEnableField, 16);
    EXPECT_EQ(m->Command8->text(), QStringLiteral("On"));
    EXPECT_EQ(f().AfcKiField, 5 << 17);
    EXPECT_EQ(f().AfcKpField, 3 << 21);
    EXPECT_EQ(f().AfcRangeField, 80.0 * (1 << 24));
    EXPECT_EQ(f().IFCalDwellTimeField, 50 << 21);
    EXPECT_EQ(f().IFCalUpperToneField, 80 << 13);
    EXPECT_EQ(f().IFCalLowerToneField, 120 << 5);
    EXPECT_EQ(f().AgcModeField, 1 << 19);
    EXPECT_EQ(m->Command9->text(), QStringLiteral("Frozen"));
    EXPECT_EQ(f().AgcLowThresholdField, 20 << 4);
    EXPECT_EQ(f().AgcHighThresholdField, 60 << 11);
    EXPECT_EQ(f().LnaGainField, 2 << 20);
    EXPECT_EQ(f().FilterGainField, 1 << 22);
    // The words changed are shown as not yet programmed.
    EXPECT_EQ(m->readout(0)->text(), reglink::readoutText(word(0)));
    EXPECT_EQ(m->readout(9)->mark(), reglink::RegisterReadout::Mark::Changed);
}

TEST_F(Settings, TheCommandLineImportsAtStartUp) {
    platform::RecordingServices services2{CorvaneApp::programTitle()};
    board::RecordingSkerry usb2;
    board::RecordingParllio port2;
    auto other = std::make_unique<CorvaneApp>(services2.view(), usb2, port2);
    Main& panel = other->start({QLatin1Char('"') + fixture("full.txt") + QLatin1Char('"')});
    EXPECT_EQ(panel.cmbModulation->currentIndex(), 3);
    EXPECT_EQ(panel.txtDatarate->text(), QStringLiteral("9.6"));
    EXPECT_EQ(panel.Command8->text(), QStringLiteral("On"));
    EXPECT_EQ(other->f().AgcModeField, 1 << 19);
    EXPECT_TRUE(services2.messages.texts().empty());
    other.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Settings, AFileWithManyForeignLinesImportsFast) {
    QByteArray bytes = readBytes(fixture("full.txt"));
    bytes.reserve(bytes.size() + 3'000'000);
    for (int i = 0; i < 100'000; ++i) {
        if (i % 1000 == 0)
            bytes += "[Ombrelle" + QByteArray::number(i) + "]\r\n";
        bytes += "key" + QByteArray::number(i) + "=value " + QByteArray::number(i) + "\r\n";
    }
    const QString path = temp(QStringLiteral("big.txt"));
    writeBytes(path, bytes);
    QElapsedTimer timer;
    timer.start();
    ImportSettings(*app, path);
    const qint64 importMs = timer.restart();
    ExportSettings(*app, path);
    const qint64 exportMs = timer.elapsed();
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(m->cmbModulation->currentIndex(), 3);
    // A few reads of the whole file would already take seconds.
    EXPECT_LT(importMs, 1500);
    EXPECT_LT(exportMs, 1500);
    EXPECT_TRUE(readBytes(path).contains("key99999=value 99999\r\n"));
}

// ---- single keys as the design tool may write them ---------------------------------------

TEST_F(Settings, CrystalAndReferenceDividerSetThePfd) {
    struct Case {
        const char* crystal;
        const char* refDivider; // nullptr: no RefDivider key
        float crystalMHz;
        double pfdMHz;
        const char* pfdText; // what the PFD box receives from the file
    } cases[] = {
        {"19.680000", "0", 19.68f, 19.68, "19.680000"}, // the crystal text, whole
        {"19.680000", nullptr, 19.68f, 19.68, "19.680000"},
        {"19.68", "2", 19.68f, 9.84, "9.84"},
        {"19.680000", "1", 19.68f, 19.68, "19.68"},
        // Read whole: its first seven characters would have given 12.3456.
        {"12.3456789", "1", 12.34568f, 12.34568, "12.3456789"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.crystal) + " / " + (c.refDivider ? c.refDivider : "-"));
        QStringList entries{QStringLiteral("PLL/CrystalFreq=") + QLatin1String(c.crystal)};
        if (c.refDivider)
            entries << QStringLiteral("PLL/RefDivider=") + QLatin1String(c.refDivider);
        const QString path = settingsFile(entries);
        // The boxes as the import fills them (the calculation rewrites them afterwards).
        QStringList crystalTexts, pfdTexts;
        synthform& s = app->synthform();
        s.TxtCrystal1->setText(QString());
        s.txtpfd1->setText(QString());
        // The window stays loaded from one file to the next: the watch ends with the case.
        QObject watch;
        QObject::connect(s.TxtCrystal1, &QLineEdit::textChanged, &watch,
                         [&crystalTexts](const QString& t) { crystalTexts << t; });
        QObject::connect(s.txtpfd1, &QLineEdit::textChanged, &watch,
                         [&pfdTexts](const QString& t) { pfdTexts << t; });
        clearRecords();
        ImportSettings(*app, path);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
        ASSERT_FALSE(crystalTexts.isEmpty());
        ASSERT_FALSE(pfdTexts.isEmpty());
        EXPECT_EQ(crystalTexts.first(), QLatin1String(c.crystal));
        EXPECT_EQ(pfdTexts.first(), QLatin1String(c.pfdText));
        EXPECT_FLOAT_EQ(w().CrystalFrequencyMHz, c.crystalMHz);
        EXPECT_NEAR(w().PfdFrequencyMHz, c.pfdMHz, 1e-9);
    }
}

TEST_F(Settings, ModulationNames) {
    struct Case {
        const char* name;
        int index; // -1: the modulation, deviation and PA setting stay as they were
    } cases[] = {{"FSK", 0},
                 {"2FSK", 0},
                 {"GFSK", 1},
                 {"3FSK", 2},
                 {"4FSK", 3},
                 {"Oversampled 2FSK", 4},
                 {"RCFSK", 5},
                 {"RC2FSK", 5},
                 {"RC3FSK", 6},
                 {"RC4FSK", 7},
                 {"Raised Cosine 4FSK", 7},
                 {"gfsk", -1},
                 {"", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m->cmbModulation->setCurrentIndex(1);
        m->TxtFSKdev->setText(QStringLiteral("2"));
        m->HScroll2->setValue(48);
        m->txtDatarate->setText(QStringLiteral("4"));
        clearRecords();
        ImportSettings(
            *app, settingsFile({QStringLiteral("Phy/Modulation=") + QLatin1String(c.name),
                                QStringLiteral("Phy/Deviation_kHz=3.2504"),
                                QStringLiteral("Phy/BaudRate=9600"),
                                QStringLiteral("Phy/Alpha=0.7"), QStringLiteral("Tx/PALevel=30")}));
        EXPECT_EQ(m->txtDatarate->text(), QStringLiteral("9.6")); // whatever the modulation
        if (c.index >= 0) {
            EXPECT_EQ(m->cmbModulation->currentIndex(), c.index);
            EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("3.25"));
            EXPECT_EQ(m->HScroll2->value(), 30);
            if (c.index >= 5) {
                EXPECT_EQ(m->Combo1->currentIndex(), 1);
            }
            EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
        } else {
            EXPECT_EQ(m->cmbModulation->currentIndex(), 1);
            EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("2"));
            EXPECT_EQ(m->HScroll2->value(), 48);
            // A name the table does not hold means no modulation setting: nothing is said.
            EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
        }
    }
}

TEST_F(Settings, SyncWordSectionIsReadOnlyWithDetectionOn) {
    const double syncWord = f().SyncWordField;
    const QString caption = m->Command11->text();
    for (const char* detect : {"Sync/SyncDetect=0", "Sync/Other=1"}) {
        ImportSettings(*app,
                       settingsFile({QLatin1String(detect), QStringLiteral("Sync/SyncWord=0x123"),
                                     QStringLiteral("Sync/Wordlength=3")}));
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmSWD"))) << detect;
        EXPECT_EQ(f().SyncWordField, syncWord);
        EXPECT_EQ(m->Command11->text(), caption);
    }
    ImportSettings(
        *app,
        settingsFile({QStringLiteral("Sync/SyncDetect=2"), QStringLiteral("Sync/SyncWord=0x2AA"),
                      QStringLiteral("Sync/Wordlength=3"), QStringLiteral("Sync/NumErrors=2")}));
    EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
    EXPECT_EQ(app->frmSWD().syncWordPattern->text(), QStringLiteral("2AA"));
    EXPECT_EQ(f().SyncWordField, 0x2AA * 256.0);
    EXPECT_EQ(f().SwdModeField, 2 << 6);
    EXPECT_EQ(f().SyncWordLengthField, 3 << 4);
    EXPECT_EQ(f().SyncErrorsField, 2 << 6);
    // The caption names the mode the field holds, as the window's return does.
    EXPECT_EQ(m->Command11->text(), QStringLiteral("High on SWD for DPL"));
}

TEST_F(Settings, AfcStatus) {
    struct Case {
        const char* status; // nullptr: no Status key
        std::optional<bool> on;
    } cases[] = {{"True", true}, {"False", false}, {"", std::nullopt}, {nullptr, std::nullopt}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status ? c.status : "(missing)");
        if (app->isLoaded(QStringLiteral("frmAFC")))
            app->frmAFC().unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f().AfcEnableField = 16;
        f().AfcKiField = 0;
        m->Command8->setText(QStringLiteral("On"));
        QStringList entries{QStringLiteral("AFC/KI=9"), QStringLiteral("AFC/Range=2.5")};
        if (c.status)
            entries << QStringLiteral("AFC/Status=") + QLatin1String(c.status);
        clearRecords();
        ImportSettings(*app, settingsFile(entries));
        EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
        if (!c.on) {
            EXPECT_FALSE(app->isLoaded(QStringLiteral("frmAFC")));
            EXPECT_EQ(f().AfcEnableField, 16);
            EXPECT_EQ(f().AfcKiField, 0);
            EXPECT_EQ(m->Command8->text(), QStringLiteral("On"));
            continue;
        }
        EXPECT_EQ(f().AfcEnableField, *c.on ? 16 : 0);
        EXPECT_EQ(m->Command8->text(), *c.on ? QStringLiteral("On") : QStringLiteral("OFF"));
        EXPECT_EQ(f().AfcKiField, 9 << 17);
        EXPECT_EQ(app->frmAFC().txtAFCRange->text(), QStringLiteral("2.5")); // not cut to 2
        EXPECT_EQ(f().AfcRangeField, 5.0 * (1 << 24));
    }
}

TEST_F(Settings, KeysThatAreOnlyWrittenChangeNothing) {
    const QStringList base{QStringLiteral("Phy/Modulation=GFSK"),
                           QStringLiteral("Phy/BaudRate=9600")};
    ImportSettings(*app, settingsFile(base));
    const QStringList plain = observableState(*app);
    ImportSettings(*app, settingsFile(base + QStringList{QStringLiteral("File/path=D:\\x.txt"),
                                                         QStringLiteral("Tx/INT=30"),
                                                         QStringLiteral("Tx/FRAC=1"),
                                                         QStringLiteral("Rx/LNA_MODE=1")}));
    EXPECT_EQ(observableState(*app), plain);
    EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
}

TEST_F(Settings, VcoBiasZeroKeepsTheSlider) {
    app->biasWindow().HScrVCObias->setValue(5);
    ImportSettings(*app, settingsFile({QStringLiteral("VCO/VCOBias=0")}));
    EXPECT_EQ(app->biasWindow().HScrVCObias->value(), 5);
    ImportSettings(*app, settingsFile({QStringLiteral("VCO/VCOBias=12")}));
    EXPECT_EQ(app->biasWindow().HScrVCObias->value(), 12);
    EXPECT_EQ(f().VcoBiasField, 12 << 19);
    EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
}
