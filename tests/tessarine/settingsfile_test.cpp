// The settings file: saving the set-up, loading it back (from the menu and the command line)
// into a fresh program, and what a file the program cannot fully use does and does not change.
#include "tessarinefixture.h"

#include "../support/filefixture.h"
#include "../support/settingstests.h"
#include "../testfiles.h"

#include "platform/core/profile.h"
#include "platform/selector.h"
#include "tessarine/calc/modulation.h"
#include "tessarine/settingsfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <random>

using namespace tessarine;
using namespace tessarine::test;

namespace {

using testfiles::readBytes;
using testfiles::writeBytes;

using evaltest::nativeName;
using evaltest::VersionMessage;

QString fixture(const char* name) {
    return testfiles::fixture(QStringLiteral("tessarine"), name);
}

using OtherProgram = evaltest::OtherProgram<TessarineApp>;

// Everything of a set-up a user sees, read without loading a window.
QStringList panelState(TessarineApp& app) {
    QStringList s;
    for (int n = 0; n < 4; ++n)
        s << QStringLiteral("R%1=%2 %3")
                 .arg(n)
                 .arg(app.main().readout(n)->text())
                 .arg(int(app.main().readout(n)->mark()));
    Main& m = app.main();
    for (QComboBox* c : {m.cmbModulation, m.cmbIcp, m.cmbModCtrl, m.cmbIndexCount})
        s << c->objectName() + QLatin1Char('=') + QString::number(c->currentIndex());
    for (QLabel* l : {static_cast<QLabel*>(m.lblvcofreq), static_cast<QLabel*>(m.lblpfd_freq),
                      static_cast<QLabel*>(m.lblcrystal), m.Lblfskdev, m.lblDatarate, m.LblFSKpower,
                      m.paLevelLowSetting, m.paLevelCaption, m.paLevelLowCaption,
                      static_cast<QLabel*>(m.LblMuxOut), static_cast<QLabel*>(m.LblClockout)})
        s << l->objectName() + QLatin1Char('=') + l->text();
    for (QLineEdit* e : {m.TxtFSKdev, m.txtDivider})
        s << e->objectName() + QLatin1Char('=') + e->text();
    s << QStringLiteral("HScroll2=%1 ASK=%2").arg(m.paLevel->value()).arg(m.paLevelLow->value());
    const auto& w = app.w();
    s << QStringLiteral("doubler=%1 R=%2").arg(w.DoublerFactor).arg(w.RDivider);
    return s;
}

struct Settings : evaltest::FileFixture<TessarineFixture> {
    QString value(const QString& path, const char* section, const char* key) const {
        return evaltest::profileValue(path, section, key);
    }
};

// A set-up made through the controls: the synthesizer window with its return, the scheme and
// its settings, and every dialog the file carries.
struct Scenario {
    const char* name;
    int scheme;
    bool doubler;
};

void changeEverything(TessarineApp& app, const Scenario& s) {
    Main& m = app.main();
    synthform& synth = app.synthform();
    synth.txtVCOout1->setText(QStringLiteral("869.1"));
    synth.optDoubler->setChecked(s.doubler);
    synth.cmbVCODivide->setCurrentIndex(2);
    synth.CmdCalculate->click();
    synth.returnToPanel->click();
    m.cmbIcp->setCurrentIndex(3);
    m.cmbModulation->setCurrentIndex(s.scheme);
    switch (s.scheme) {
    case calc::FskItem:
        m.TxtFSKdev->setText(QStringLiteral("30"));
        break;
    case calc::GfskItem:
    case calc::GookItem:
        // GOOK hides the mod control: only GFSK has one to set (and to save).
        if (s.scheme == calc::GfskItem)
            m.cmbModCtrl->setCurrentIndex(5);
        m.cmbIndexCount->setCurrentIndex(3);
        m.txtDivider->setText(QStringLiteral("90"));
        break;
    case calc::AskItem:
        m.paLevelLow->setValue(12);
        break;
    default:
        break;
    }
    m.paLevel->setValue(33);
    BiasWindow& bias = app.biasWindow();
    bias.HScrPAbias->setValue(2);
    bias.HScrVCOAdjust->setValue(1);
    bias.HScrVCObias->setValue(11);
    bias.returnToPanel->click();
    evalkit::frmClockOut& clock = app.frmClockOut();
    clock.SelClockoutDivide->setPosition(7);
    clock.cmdokclock->click();
    evalkit::muxform& mux = app.muxform();
    mux.lblmux[9]->setChecked(true);
    mux.returnToPanel->click();
    frmOtherFeatures& other = app.frmOtherFeatures();
    other.togprescaler->setOn(true);
    other.TogDataInvert->setOn(true);
    other.TogLDP->setOn(false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

// Saved, loaded on the command line of a fresh program, saved again: the same file, and the
// same panel. Lines of the file that the program does not write stay.
TEST_F(Settings, SavedSetUpLoadsOnTheCommandLineAndSavesTheSameFile) {
    const Scenario setups[] = {{"FSK, no doubler", calc::FskItem, false},
                               {"GFSK, doubler", calc::GfskItem, true},
                               {"ASK, doubler", calc::AskItem, true},
                               {"OOK, no doubler", calc::OokItem, false},
                               {"GOOK, doubler", calc::GookItem, true}};
    for (const Scenario& s : setups) {
        SCOPED_TRACE(s.name);
        OtherProgram saver;
        TessarineApp& mine = *saver.app;
        mine.start();
        changeEverything(mine, s);
        EXPECT_TRUE(saver.services.messages.texts().empty());
        EXPECT_EQ(mine.w().RDivider, s.doubler ? 6 : 3);
        const QString path = dir.filePath(QStringLiteral("set up %1.txt").arg(s.scheme));
        writeBytes(path,
                   "; notes of the bench\r\n[Bench]\r\nAntenna=whip\r\n[Phy]\r\nOwner=lab\r\n");
        ExportSettings(mine, path);
        const QByteArray first = readBytes(path);
        EXPECT_TRUE(first.startsWith("; notes of the bench\r\n[Bench]\r\nAntenna=whip\r\n"));
        EXPECT_TRUE(first.contains("[Phy]\r\nOwner=lab\r\nChip=Tessarine\r\n"));
        EXPECT_EQ(value(path, "PLL", "RefDoubler"),
                  s.doubler ? QStringLiteral("1") : QStringLiteral("0"));

        OtherProgram fresh;
        fresh.app->start({QLatin1Char('"') + path + QLatin1Char('"')});
        EXPECT_TRUE(fresh.services.messages.texts().empty());
        EXPECT_TRUE(fresh.usb.writtenWords().empty());
        for (int n = 0; n < 4; ++n)
            EXPECT_EQ(fresh.app->store().wordBits(n), mine.store().wordBits(n)) << n;
        EXPECT_EQ(panelState(*fresh.app), panelState(mine));
        // The synthesizer window stays loaded after the import, its calculation having written
        // the frequency boxes in its own form: the same numbers, the rest byte for byte; saved
        // again after loading that file, it stays as it is.
        ExportSettings(*fresh.app, path);
        const QByteArray second = readBytes(path);
        evaltest::expectSameSettings(
            first, second, {QStringLiteral("Tx/Frequency"), QStringLiteral("PLL/CrystalFreq")});
        ImportSettings(*fresh.app, path);
        ExportSettings(*fresh.app, path);
        EXPECT_EQ(readBytes(path), second);
        EXPECT_TRUE(fresh.services.messages.texts().empty());
    }
}

// Each scheme writes its own keys; keys of the others that the file holds stay.
TEST_F(Settings, ANewFileHoldsTheSectionsAndKeysInTheirOrder) {
    const QString path = temp("new.txt");
    ExportSettings(*app, path);
    const QByteArray bytes = readBytes(path);
    const QStringList order = evaltest::keyOrder(bytes);
    EXPECT_EQ(order, QStringLiteral("[File] path Version [Phy] Chip Modulation Deviation_kHz "
                                    "[Tx] Frequency INT FRAC PALevel [PLL] CrystalFreq "
                                    "RefDivider RefDoubler IcpIndex Prescaler [VCO] VCODivider "
                                    "[Other] OTHER_ENABLED VCO_ADJUST VCO_BIAS PA_BIAS CLK_OUT "
                                    "MUX_OUT DATA_INVERT LOCK_DP")
                         .split(QLatin1Char(' ')));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    EXPECT_EQ(value(path, "File", "path"), path);
    EXPECT_EQ(value(path, "Phy", "Modulation"), QStringLiteral("FSK"));
    EXPECT_EQ(value(path, "Phy", "Deviation_kHz"), QStringLiteral("60"));
    // The dividers the chip is programmed with, not the window's load values 47 and 2752.
    EXPECT_EQ(value(path, "Tx", "INT"), QStringLiteral("235"));
    EXPECT_EQ(value(path, "Tx", "FRAC"), QStringLiteral("2218"));
    EXPECT_EQ(value(path, "PLL", "RefDivider"), QStringLiteral("3"));
    EXPECT_EQ(value(path, "PLL", "IcpIndex"), QStringLiteral("2"));
    EXPECT_EQ(value(path, "PLL", "Prescaler"), QStringLiteral("4"));
    EXPECT_EQ(value(path, "VCO", "VCODivider"), QStringLiteral("1"));
    EXPECT_EQ(value(path, "Other", "MUX_OUT"), QStringLiteral("4"));
    EXPECT_EQ(value(path, "Other", "LOCK_DP"), QStringLiteral("1"));
    // Saving takes values from windows that were not open, without showing them.
    for (const char* w : {"synthform", "frmPowerdown", "frmClockOut"})
        EXPECT_TRUE(app->isLoaded(QString::fromLatin1(w))) << w;
    EXPECT_TRUE(services.shower.shown.empty());

    m->cmbModulation->setCurrentIndex(calc::GookItem);
    m->cmbIndexCount->setCurrentIndex(2);
    ExportSettings(*app, path);
    EXPECT_EQ(value(path, "Phy", "INDEX_COUNTER"), QStringLiteral("64"));
    EXPECT_EQ(value(path, "Phy", "DIVIDER_FACTOR"), QStringLiteral("64"));
    EXPECT_EQ(value(path, "Phy", "Deviation_kHz"), QStringLiteral("60")); // kept from FSK
    EXPECT_EQ(value(path, "Phy", "GFSK_MOD_CONTROL"), QString());
    m->cmbModulation->setCurrentIndex(calc::GfskItem);
    ExportSettings(*app, path);
    EXPECT_EQ(value(path, "Phy", "INDEX_COUNTER"), QStringLiteral("2"));
    EXPECT_EQ(value(path, "Phy", "GFSK_MOD_CONTROL"), QStringLiteral("0"));
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(Settings, AFileOfTheDoubledReferenceLoadsWithItsOwnDividers) {
    ImportSettings(*app, fixture("gfsk-doubler.txt"));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(w().DoublerFactor, 2);
    EXPECT_EQ(w().RDivider, 6);
    EXPECT_EQ(w().IntegerN, 235);
    EXPECT_EQ(w().FracN, 2218);
    EXPECT_EQ(m->lblpfd_freq->text(), QStringLiteral("3.68640MHz"));
    EXPECT_EQ(readoutTexts(),
              (std::vector<QString>{QStringLiteral("0x31AC000"), QStringLiteral("0x7AE2A9"),
                                    QStringLiteral("0x1332506"), QStringLiteral("0x39107F")}));
    EXPECT_EQ(readoutMarks(), allMarks(Mark::Changed));
    EXPECT_EQ(m->cmbModulation->currentIndex(), calc::GfskItem);
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("7.200 kHz"));
    EXPECT_EQ(m->lblDatarate->text(), QStringLiteral("0.576 kbps"));
    EXPECT_EQ(m->LblFSKpower->text(), QStringLiteral("Setting  40"));
    EXPECT_EQ(m->LblMuxOut->text(), QStringLiteral("Tri-State"));
    EXPECT_EQ(m->LblClockout->text(), QStringLiteral("1.84 MHz"));
    EXPECT_TRUE(app->frmOtherFeatures().togprescaler->isOn());
    EXPECT_TRUE(app->frmOtherFeatures().TogDataInvert->isOn());
    EXPECT_FALSE(app->frmOtherFeatures().TogLDP->isOn());
    // The windows it set, the synthesizer window among them, are loaded but not shown;
    // nothing went to the board.
    EXPECT_TRUE(services.shower.shown.empty());
    EXPECT_TRUE(app->isLoaded(QStringLiteral("synthform")));
    EXPECT_FALSE(app->synthform().isVisible());
    EXPECT_EQ(app->synthform().LblR->text(), QStringLiteral("6"));
    EXPECT_TRUE(usb.writtenWords().empty());
    EXPECT_TRUE(port.outBytesTo(888).empty());
}

// What the file holds in a form its control cannot take is left out and named once at the
// end; the rest of the file is applied and the read-outs are refreshed.
TEST_F(Settings, GarbledMissingAndOutOfRangeKeysAreNamedOnceAndTheRestApplies) {
    const TessarineFields before = f();
    const QString path = fixture("garbled.txt");
    ImportSettings(*app, path);
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_EQ(messageTexts()[0],
              evaltest::summaryMessage(path,
                                       QStringLiteral("[PLL] RefDoubler, [VCO] VCODivider, "
                                                      "[Phy] Deviation_kHz, [Tx] PALevel, "
                                                      "[Other] PA_BIAS, [Other] MUX_OUT"),
                                       QStringLiteral("[Other] VCO_BIAS=banana as 0"),
                                       QStringLiteral("[PLL] Prescaler, [Other] DATA_INVERT")));
    // Applied: the frequency, the charge pump, VCO adjust, clock-out and lock detect; number
    // keys as their leading digits, 0 when there are none or the key is missing (the 8/9
    // prescaler, no VCO bias, data invert off).
    EXPECT_EQ(w().IntegerN, 117);
    EXPECT_EQ(w().RDivider, 3);
    EXPECT_EQ(word(1), 0x5D6D55u);
    EXPECT_EQ(f().ChargePumpField, 1 << 6);
    EXPECT_EQ(f().VcoAdjustField, 1 << 23);
    EXPECT_EQ(f().ClockOutField, 2 << 19);
    EXPECT_EQ(f().LockDetectPrecisionField, 0);
    EXPECT_EQ(f().PrescalerField, 1 << 22);
    EXPECT_EQ(f().VcoBiasField, 0);
    EXPECT_EQ(f().DataInvertField, 0);
    // Left as they were (VCODivider 3 is no divider the list holds).
    EXPECT_EQ(f().TxDeviationField, before.TxDeviationField);
    EXPECT_EQ(f().PaLevelField, before.PaLevelField);
    EXPECT_EQ(f().DoublerField, 0);
    EXPECT_EQ(f().VcoDivideField, 0);
    EXPECT_EQ(f().PaBiasField, before.PaBiasField);
    EXPECT_EQ(f().MuxoutField, before.MuxoutField);
    EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("60"));
    // The final refresh ran.
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(m->readout(n)->text(),
                  QStringLiteral("0x") + QString::number(word(n), 16).toUpper())
            << n;
    EXPECT_TRUE(usb.writtenWords().empty());
}

// The switches of whole parts: a file without a scheme or an Other section leaves those
// settings alone without naming anything.
TEST_F(Settings, AFileWithoutSchemeOrOtherSectionLeavesThoseSettings) {
    m->cmbModulation->setCurrentIndex(calc::AskItem);
    app->biasWindow().HScrVCObias->setValue(12);
    const QString path = temp("partial.txt");
    writeBytes(path, "[File]\r\nVersion=1\r\n[Tx]\r\nFrequency=868.3\r\n[PLL]\r\n"
                     "CrystalFreq=11.0592\r\nRefDivider=0\r\nRefDoubler=0\r\nIcpIndex=2\r\n"
                     "Prescaler=4\r\n[VCO]\r\nVCODivider=0\r\n[Other]\r\nOTHER_ENABLED=0\r\n"
                     "VCO_BIAS=1\r\n");
    clearRecords();
    ImportSettings(*app, path);
    // RefDivider 0: the PFD is the crystal itself, R 1.
    EXPECT_EQ(w().RDivider, 1);
    EXPECT_EQ(m->lblpfd_freq->text(), QStringLiteral("11.05920MHz"));
    EXPECT_EQ(m->cmbModulation->currentIndex(), calc::AskItem);
    EXPECT_EQ(f().VcoBiasField, 12 << 16);
    EXPECT_TRUE(messageTexts().empty());
}

// The import loads the synthesizer window unseen before it sets the prescaler; the window
// shows the prescaler in force when it is first shown.
TEST_F(Settings, TheSynthesizerWindowShowsTheImportedPrescaler) {
    const QString path = temp("prescaler.txt");
    writeBytes(path, "[File]\r\nVersion=1\r\n[Tx]\r\nFrequency=868.3\r\n[PLL]\r\n"
                     "CrystalFreq=11.0592\r\nRefDivider=3\r\nRefDoubler=0\r\nIcpIndex=2\r\n"
                     "Prescaler=8\r\n[VCO]\r\nVCODivider=1\r\n");
    ImportSettings(*app, path);
    ASSERT_EQ(f().PrescalerField, 1 << 22);
    m->synthSettings->click();
    EXPECT_EQ(app->synthform().Lblprescaler1->text(), QStringLiteral("8/9"));
}

TEST_F(Settings, AFileOfAnotherVersionChangesNothing) {
    const char* files[] = {"[File]\r\nVersion=2\r\n[Tx]\r\nFrequency=433.92\r\n",
                           "[Tx]\r\nFrequency=433.92\r\n", "[File]\r\nVersion=one\r\n"};
    for (const char* text : files) {
        SCOPED_TRACE(text);
        const QString path = temp("version.txt");
        writeBytes(path, text);
        clearRecords();
        const QStringList before = panelState(*app);
        ImportSettings(*app, path);
        EXPECT_EQ(panelState(*app), before);
        ASSERT_EQ(services.messages.messages.size(), 1u);
        EXPECT_EQ(services.messages.messages[0].text, VersionMessage);
        EXPECT_EQ(services.messages.messages[0].buttons, platform::MsgButtons::Ok);
    }
    // A file that is not there is no file of another version: it is named with the reason.
    clearRecords();
    const QString missing = temp("missing.txt");
    ImportSettings(*app, missing);
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].contains(nativeName(missing)));
    EXPECT_NE(messageTexts()[0], VersionMessage);
}

TEST_F(Settings, MenuItemsAskForTheFileAndUseIt) {
    const QString path = temp("menu.txt");
    services.files.answers = {path};
    m->mnuSave->trigger();
    ASSERT_EQ(services.files.requests.size(), 1u);
    EXPECT_TRUE(services.files.requests[0].save);
    EXPECT_EQ(services.files.requests[0].filter, QStringLiteral("Test Files (*.txt)|*.txt"));
    EXPECT_EQ(value(path, "Phy", "Chip"), QStringLiteral("Tessarine"));

    m->TxtFSKdev->setText(QStringLiteral("30"));
    services.files.answers = {path};
    m->mnuOpen->trigger();
    EXPECT_FALSE(services.files.requests.back().save);
    EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("60"));
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("60.075 kHz"));

    // Cancelled: nothing read or written.
    services.files.answers = {QString()};
    m->mnuSave->trigger();
    services.files.answers = {QString()};
    m->mnuOpen->trigger();
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(Settings, ASaveThatFailsIsReportedAndLeavesTheFileWhole) {
    const QString path = temp("locked.txt");
    writeBytes(path, "[Bench]\r\nkeep=1\r\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    ExportSettings(*app, path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readBytes(path), QByteArray("[Bench]\r\nkeep=1\r\n"));
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].contains(nativeName(path)));
}

// Bytes changed, dropped and repeated at random in a usable file: the import never crashes
// and never leaves a field outside its bits.
TEST_F(Settings, MangledFilesNeverCrashOrSpillFields) {
    std::mt19937 random(19);
    const QByteArray seeds[] = {readBytes(fixture("gfsk-doubler.txt")),
                                readBytes(fixture("garbled.txt"))};
    const QByteArray alphabet = "0123456789.-+eE=[]x \r\n;GFSKOAOther";
    const QString path = temp("mangled.txt");
    for (int round = 0; round < 150; ++round) {
        QByteArray bytes = seeds[round % 2];
        const int edits = 1 + int(random() % 8);
        for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
            const qsizetype at = qsizetype(random() % uint32_t(bytes.size()));
            switch (random() % 3) {
            case 0:
                bytes[at] = alphabet[qsizetype(random() % uint32_t(alphabet.size()))];
                break;
            case 1:
                bytes.remove(at, 1 + qsizetype(random() % 6));
                break;
            default:
                bytes.insert(at, bytes.mid(at, qsizetype(random() % 12)));
                break;
            }
        }
        writeBytes(path, bytes);
        services.messages.clear();
        ImportSettings(*app, path);
        EXPECT_LE(messageTexts().size(), 8u);
        const auto table = app->store().fieldTable();
        for (std::size_t i = 0; i < table.size(); ++i) {
            const auto bits = uint32_t(int64_t(app->store().field(i)));
            EXPECT_EQ(bits & ~table[i].mask(), 0u) << table[i].name << " round " << round;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
