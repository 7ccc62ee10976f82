// The settings file: saving the set-up, reading it back into the controls (from the menu and
// the command line), and what a file the program cannot use does (and does not) change.
#include "pellionfixture.h"

#include "../support/filefixture.h"
#include "../support/settingstests.h"
#include "../testfiles.h"

#include "link/readouttext.h"
#include "pellion/settingsfile.h"
#include "platform/core/profile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cmath>

using namespace pellion;
using namespace pellion::test;

namespace {

using testfiles::readBytes;
using testfiles::writeBytes;

using evaltest::nativeName;
using evaltest::skippedMessage;
using evaltest::VersionMessage;

QString fixture(const char* name) {
    return testfiles::fixture(QStringLiteral("pellion"), name);
}

// The twelve read-outs of the front panel.
QStringList readouts(Main& m) {
    QStringList r;
    for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13})
        r << m.readout(n)->text();
    return r;
}

// Every register word and the controls an import may set, read without loading a window.
QStringList observableState(PellionApp& app) {
    QStringList s;
    for (int n = 0; n <= 13; ++n)
        s << QStringLiteral("R%1=%2").arg(n).arg(app.store().wordBits(n), 8, 16, QLatin1Char('0'));
    Main& m = app.main();
    s << readouts(m);
    for (QComboBox* c : {m.cmbModulation, m.cmbDemod, m.cmbIFBW, m.Chgpumpvalue})
        s << c->objectName() + QLatin1Char('=') + QString::number(c->currentIndex());
    for (QLineEdit* e : {m.txtDatarate, m.TxtFSKdev})
        s << e->objectName() + QLatin1Char('=') + e->text();
    for (QScrollBar* b : {m.HScroll2, m.HScrollASKFine1, m.HScrollOOKfine1})
        s << b->objectName() + QLatin1Char('=') + QString::number(b->value());
    s << QStringLiteral("chkInductor=%1").arg(m.chkInductor->isChecked())
      << QStringLiteral("Lblfskdev=") + m.Lblfskdev->text()
      << QStringLiteral("lblRxCLK=") + m.lblRxCLK->text()
      << QStringLiteral("lblvcofreq=") + m.lblvcofreq->text();
    for (const char* w : {"synthform", "frmPowerdown", "frmSWD", "frmGFSK"})
        s << QStringLiteral("%1 loaded=%2").arg(QLatin1String(w)).arg(app.isLoaded(w));
    return s;
}

using OtherProgram = evaltest::OtherProgram<PellionApp>;

struct Settings : evaltest::FileFixture<PellionFixture> {
    int files = 0;

    // A settings file (CRLF) of entries "Section/Key=value", grouped into their sections in
    // the order they first appear, after a version line.
    QString settingsFile(const QStringList& entries) {
        QStringList all{QStringLiteral("File/Version=1")};
        all += entries;
        const QString path = temp(QStringLiteral("s%1.txt").arg(++files));
        writeBytes(path, evaltest::settingsText(all));
        return path;
    }

    static QString value(const QString& path, const char* section, const char* key) {
        return evaltest::profileValue(path, section, key);
    }

    // Saves, loads the file into another run of the program from its command line, and saves
    // again there: the read-outs agree and the second file is the first (the synthesizer's
    // frequencies in the window's own form), and a save after loading that one is it byte for
    // byte.
    void expectRoundTrip(const QString& name) {
        const QString path = temp(name);
        ExportSettings(*app, path);
        const QByteArray first = readBytes(path);
        ASSERT_FALSE(first.isEmpty());
        EXPECT_TRUE(messageTexts().empty());

        OtherProgram other;
        Main& panel = other.app->start({QLatin1Char('"') + path + QLatin1Char('"')});
        EXPECT_TRUE(other.services.messages.texts().empty())
            << other.services.messages.texts().front().toStdString();
        EXPECT_EQ(readouts(panel), readouts(*m));
        for (int n = 0; n <= 13; ++n)
            EXPECT_EQ(other.app->store().wordBits(n), word(n)) << "R" << n;
        EXPECT_EQ(other.usb.writtenWords(), std::vector<uint32_t>{}); // nothing to the board
        ExportSettings(*other.app, path);
        const QByteArray second = readBytes(path);
        evaltest::expectSameSettings(
            first, second, {QStringLiteral("Tx/Frequency"), QStringLiteral("PLL/CrystalFreq")});
        ImportSettings(*other.app, path);
        ExportSettings(*other.app, path);
        EXPECT_EQ(readBytes(path), second);
        EXPECT_TRUE(other.services.messages.texts().empty());
    }
};

} // namespace

// ---- saving and loading back ------------------------------------------------------------

TEST_F(Settings, FskSetUpRoundTripsThroughTheCommandLine) {
    synthform& s = app->synthform();
    s.txtVCOout1->setText(QStringLiteral("915"));
    s.CmdCalculate_Click();
    s.Command1_Click();
    m->HScroll2->setValue(40);
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
    m->chkInductor->setChecked(true);
    synthform& s = app->synthform();
    s.txtVCOout1->setText(QStringLiteral("433.92"));
    s.lblVCOdiv2->setOn(true);
    s.CmdCalculate_Click();
    s.Command1_Click();
    ASSERT_EQ(f().VcoDiv2Field, bit(13));
    m->cmbModulation->setCurrentIndex(1); // shows the Gaussian window
    frmGFSK& g = app->frmGFSK();
    g.txtDivider->setText(QStringLiteral("100"));
    g.cmbIndexCount->setCurrentIndex(0);
    g.cmbModCtrl->setCurrentIndex(3);
    g.CmdCalculate_Click();
    g.cmdUpdate_Click();
    m->HScroll2->setValue(30);
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
    // The charge-pump list has no choice after start-up: written as -1, read back as none.
    EXPECT_EQ(value(path, "PLL", "IcpIndex"), QStringLiteral("-1"));
    ImportSettings(*app, path);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(m->Chgpumpvalue->currentIndex(), -1);
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

// ---- reading a file ---------------------------------------------------------------------

TEST_F(Settings, AFileSetsWhatTheSameEntriesInTheControlsSet) {
    ImportSettings(*app, fixture("fsk.txt"));
    EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();
    // The same set-up made by hand in another run.
    OtherProgram other;
    Main& hand = other.app->start();
    synthform& s = other.app->synthform();
    s.txtVCOout1->setText(QStringLiteral("915.000000"));
    s.CmdCalculate_Click();
    s.Command1_Click();
    hand.TxtFSKdev->setText(QStringLiteral("25"));
    hand.HScroll2->setValue(40);
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
    EXPECT_EQ(m->Command11->text(), QStringLiteral("SWD On - Lock"));
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
    EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();
    EXPECT_EQ(m->cmbModulation->currentIndex(), 3);
}

TEST_F(Settings, UnusableValuesAreNamedOnceAndTheRestApplies) {
    const int adjust = app->biasWindow().HScrVCOAdjust->value();
    clearRecords();
    ImportSettings(*app, fixture("garbled.txt"));
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_EQ(messageTexts()[0],
              skippedMessage(fixture("garbled.txt"),
                             QStringLiteral("[PLL] RefDivider, [VCO] VCOBias, [Tx] PALevel, "
                                            "[Phy] BaudRate, [Rx] IF_BW, [Sync] SyncWord, "
                                            "[Sync] NumErrors")));
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
// on with it; a text key it lacks leaves its control as it is.
TEST_F(Settings, MissingNumberKeysReadAsZero) {
    // Start from settings that 0 changes.
    m->Chgpumpvalue->setCurrentIndex(3);
    m->cmbIFBW->setCurrentIndex(2);
    app->frmSWD().detectionMode->setCurrentIndex(2);
    app->frmSWD().wordLength->setCurrentIndex(3);
    app->frmSWD().txtErrors->setText(QStringLiteral("2"));
    app->frmSWD().return_Click();
    app->UpdateAllRegisterLabels();
    ASSERT_EQ(m->Command11->text(), QStringLiteral("SWD On - Lock"));
    const QString rate = m->txtDatarate->text();
    const float rf = w().RfFrequencyMHz;
    clearRecords();
    ImportSettings(*app, settingsFile({}));
    EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();
    EXPECT_EQ(m->Chgpumpvalue->currentIndex(), 0);
    EXPECT_EQ(f().ChargePumpField, 0);
    EXPECT_EQ(m->cmbIFBW->currentIndex(), 0);
    EXPECT_EQ(f().IFFilterBandwidthField, 0);
    EXPECT_EQ(f().LockThresholdModeField, 0);
    EXPECT_EQ(m->Command11->text(), QStringLiteral("Off"));
    EXPECT_EQ(f().SyncErrorsField, 0);
    EXPECT_EQ(app->frmSWD().txtErrors->text(), QStringLiteral("0"));
    EXPECT_EQ(f().SyncWordLengthField, 0);
    EXPECT_FALSE(m->chkInductor->isChecked());
    // The texts stay.
    EXPECT_EQ(m->txtDatarate->text(), rate);
    EXPECT_EQ(w().RfFrequencyMHz, rf);

    // In a Gaussian file, the missing divider reads 0, which the Gaussian window takes as 1:
    // a rate the receiver cannot be planned for, which the window says.
    ImportSettings(*app, settingsFile({QStringLiteral("Phy/Modulation=GFSK")}));
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral(
                  "Data rate of 691.200 kbit/s is above the maximum of 201.5 kbit/s. Please raise "
                  "the Divider Number or the Index Counter")});
    EXPECT_EQ(m->cmbModulation->currentIndex(), 1);
    EXPECT_EQ(f().TxDeviationField, 1 << 15);
    EXPECT_EQ(f().GfskIndexCounterField, 0);
    EXPECT_EQ(f().GfskModControlField, 0);
    EXPECT_EQ(m->HScroll2->value(), 0);
}

TEST_F(Settings, VcoDividerReadsTrueFalseAndNumbers) {
    struct Case {
        const char* text; // nullptr: no key
        bool on;
    } cases[] = {{"True", true}, {"False", false}, {"true", true}, {"1", true},   {"0", false},
                 {"-1", true},   {"2", true},      {"yes", false}, {"1.5", true}, {nullptr, false}};
    m->chkInductor->setChecked(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(none)");
        app->synthform().lblVCOdiv2->setOn(!c.on);
        clearRecords();
        QStringList entries{QStringLiteral("VCO/Lext=1"), QStringLiteral("Tx/Frequency=433.92")};
        if (c.text)
            entries << QStringLiteral("VCO/VCODivider=") + QLatin1String(c.text);
        ImportSettings(*app, settingsFile(entries));
        EXPECT_EQ(f().VcoDiv2Field == bit(13), c.on);
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

// ---- the menu and the command line -----------------------------------------------------

TEST_F(Settings, TheMenuItemsAskForTheFile) {
    const QString path = temp(QStringLiteral("menu.txt"));
    services.files.answers.push_back(path);
    m->mnuWriteOmbrelle->trigger();
    ASSERT_TRUE(QFileInfo::exists(path));
    ASSERT_EQ(services.files.requests.size(), 1u);
    EXPECT_EQ(services.files.requests[0].filter, QStringLiteral("Test Files (*.txt)|*.txt"));
    EXPECT_TRUE(services.files.requests[0].save);
    m->HScroll2->setValue(3);
    services.files.answers.push_back(path);
    m->mnuOpen->trigger();
    EXPECT_EQ(m->HScroll2->value(), 48);
    EXPECT_FALSE(services.files.requests[1].save);
    m->mnuOpen->trigger(); // cancelled: nothing happens
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(Settings, AMissingFileOnTheCommandLineIsReportedAndTheProgramStarts) {
    const QString path = temp(QStringLiteral("not there.txt"));
    OtherProgram other;
    Main& panel = other.app->start({QStringLiteral("\"") + path + QStringLiteral("\"")});
    ASSERT_EQ(other.services.messages.texts().size(), 1u);
    const QString said = other.services.messages.texts()[0];
    EXPECT_TRUE(said.contains(nativeName(path))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("No such file or directory")));
    EXPECT_EQ(readouts(panel), readouts(*m)); // the start-up set-up
    EXPECT_FALSE(QFileInfo::exists(path));
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

// ---- files mangled every way -----------------------------------------------------------

namespace {

// The field keeps a whole value inside its own bits.
void expectFieldsInsideTheirBits(PellionStore& store) {
    const auto table = store.fieldTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const double v = store.field(i);
        ASSERT_TRUE(std::isfinite(v) && v >= 0 && v == std::floor(v) && v < 4294967296.0)
            << table[i].name << " = " << v;
        EXPECT_EQ(static_cast<uint64_t>(v) & ~table[i].mask(), 0u) << table[i].name << " = " << v;
    }
}

const char* const kMangledValues[] = {
    "",       "abc",  "-1",         "99999", "1e308",
    "-1e308", "nan",  "inf",        "0x",    "0xFFFFFFFF",
    "True",   "3.5",  "0",          "1",     "2",
    "7",      "64",   "128",        "256",   "0.001",
    "&H10",   " 12 ", "\"quoted\"", "1,5",   "00000000000000000001",
    "-0",     "1e-9", "201.5",      "500",   "500.0001"};

} // namespace

// A few hundred files with garbled, missing and out-of-range keys: each loads what it can,
// names the rest in one message, and leaves every field inside its bits.
TEST_F(Settings, MangledFilesLoadWhatTheyCanAndNeverSpill) {
    QRandomGenerator random(17);
    QList<QByteArray> seeds;
    for (const char* name : {"fsk.txt", "gfsk-pellion1.txt", "garbled.txt", "foreign.txt"})
        seeds << readBytes(fixture(name));
    int applied = 0; // the files of this version, which the import reads
    for (int round = 0; round < 300; ++round) {
        QList<QByteArray> lines = seeds[random.bounded(int(seeds.size()))].split('\n');
        const int edits = 1 + random.bounded(6);
        for (int e = 0; e < edits && !lines.isEmpty(); ++e) {
            const int at = random.bounded(int(lines.size()));
            QByteArray& line = lines[at];
            switch (random.bounded(5)) {
            case 0: // another value
                if (const qsizetype eq = line.indexOf('='); eq >= 0 && !line.startsWith("Version"))
                    line = line.left(eq + 1) +
                           kMangledValues[random.bounded(int(std::size(kMangledValues)))] + "\r";
                break;
            case 1: // the line goes
                lines.removeAt(at);
                break;
            case 2: // the line twice
                lines.insert(at, line);
                break;
            case 3: // a stray byte
                line.insert(random.bounded(int(line.size()) + 1), char(random.bounded(256)));
                break;
            default: // the value cut short
                line.chop(random.bounded(int(line.size()) + 1));
                break;
            }
        }
        const QString path = temp(QStringLiteral("mangled.txt"));
        writeBytes(path, lines.join('\n'));
        clearRecords();
        ImportSettings(*app, path);
        SCOPED_TRACE(lines.join('\n').toStdString());
        int named = 0;
        for (const QString& text : messageTexts())
            named += text.startsWith(QStringLiteral("These settings in")) ? 1 : 0;
        const std::vector<QString> said = messageTexts();
        applied += std::find(said.begin(), said.end(), VersionMessage) == said.end() ? 1 : 0;
        EXPECT_LE(named, 1);
        EXPECT_EQ(w().SettingsLoaded, 0);
        expectFieldsInsideTheirBits(app->store());
        EXPECT_TRUE(usb.writtenWords().empty());
        if (HasFailure())
            break;
    }
    EXPECT_GT(applied, 150);
    // The program goes on working from whatever the files left.
    ExportSettings(*app, temp(QStringLiteral("after.txt")));
    m->cmdUpdateAll->click();
    expectFieldsInsideTheirBits(app->store());
}
