// The settings and radio-link files hold the set-up in force, through the user's own path: an
// entry a box refused is saved as the one it last took, a list index of -1 leaves the list, and
// the front panel's status captions name what the fields hold after start-up and an import.
#include "../support/userinput.h"
#include "pellionfixture.h"

#include "../support/filefixture.h"
#include "../support/settingstests.h"
#include "../support/userinput.h"
#include "../testfiles.h"

#include "evalkit/biaswindow.h"
#include "evalkit/zantrel.h"
#include "link/readouttext.h"
#include "pellion/settingsfile.h"
#include "platform/entrymark.h"
#include "platform/selector.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using namespace pellion;
using namespace pellion::test;

namespace {

using OtherProgram = evaltest::OtherProgram<PellionApp>;

struct InForce : evaltest::FileFixture<PellionFixture> {
    int files = 0;

    QString settingsFile(const QStringList& entries) {
        const QStringList all = evaltest::withDefaults(
            QStringList{QStringLiteral("File/Version=1")} + ZeroNumberKeys, entries);
        const QString path = temp(QStringLiteral("f%1.txt").arg(++files));
        testfiles::writeBytes(path, evaltest::settingsText(all));
        return path;
    }
    static QString value(const QString& path, const char* section, const char* key) {
        return evaltest::profileValue(path, section, key);
    }
    // The user's typing over what a box shows.
    static void typeOver(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    // The user's choice of an item in the list's drop-down.
    static void choose(QComboBox* list, int index) {
        list->showPopup();
        QAbstractItemView* view = list->view();
        const QRect item = view->visualRect(view->model()->index(index, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    }
    // A file name the next save or open dialog answers with.
    void answer(const QString& path) { services.files.answers.push_back(path); }
    // The user's clicks on a scroll bar's arrows, until it stands at `value`.
    static void slideTo(QScrollBar* bar, int value) {
        for (int clicks = 0; clicks < 64 && bar->value() != value; ++clicks)
            bar->triggerAction(bar->value() < value ? QAbstractSlider::SliderSingleStepAdd
                                                    : QAbstractSlider::SliderSingleStepSub);
        ASSERT_EQ(bar->value(), value) << bar->objectName().toStdString();
    }
    // The PA level R2 carries, bits 14..9.
    int paLevelInR2() { return static_cast<int>((word(2) >> 9) & 63); }
};

} // namespace

// Typed key by key, "500" and "400" pass through "50" and "40", which the boxes take; the last
// keys are refused, and their commits put back the rate and the deviation in force before the
// typing. The chip and both files have 10 kbit/s and 20 kHz, as a run without the typing.
TEST_F(InForce, EntriesTheBoxesRefusedAreSavedAsTheEntriesInForce) {
    typeOver(m->txtDatarate, QStringLiteral("500"));
    evaltest::pressReturn(m->txtDatarate);
    typeOver(m->TxtFSKdev, QStringLiteral("400"));
    evaltest::pressReturn(m->TxtFSKdev);
    ASSERT_TRUE(platform::isMarkedRefused(m->txtDatarate));
    ASSERT_TRUE(platform::isMarkedRefused(m->TxtFSKdev));
    const QString rxClock = m->lblRxCLK->text();

    OtherProgram untouched;
    untouched.app->start();
    for (int n : {2, 3, 4})
        EXPECT_EQ(untouched.app->store().wordBits(n), word(n)) << "R" << n;
    EXPECT_EQ(untouched.app->main().lblRxCLK->text(), rxClock);

    clearRecords();
    const QString settings = temp("settings.txt");
    answer(settings);
    m->mnuWriteOmbrelle->trigger();
    EXPECT_EQ(value(settings, "Phy", "BaudRate"), QStringLiteral("10000"));
    EXPECT_EQ(value(settings, "Phy", "Deviation_kHz"), QStringLiteral("20"));
    const QString zantrel = temp("link.ini");
    answer(zantrel);
    m->mnuCreatenewini->trigger();
    EXPECT_EQ(value(zantrel, "Phy", "baud_rate"), platform::numberText(rxClock.toDouble() * 1000));
    EXPECT_EQ(value(zantrel, "Mac", "beacon_length_correction"),
              platform::numberText(*evalkit::beaconLengthCorrection(10000)));
    EXPECT_TRUE(messageTexts().empty());
    // The boxes show the entries in force.
    EXPECT_EQ(m->txtDatarate->text(), QStringLiteral("10"));
    EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("20"));

    // Loaded into another run, the file names nothing and gives the same words.
    OtherProgram loaded;
    loaded.app->start({QLatin1Char('"') + settings + QLatin1Char('"')});
    EXPECT_TRUE(loaded.services.messages.texts().empty())
        << loaded.services.messages.texts().front().toStdString();
    for (int n : {2, 3, 4})
        EXPECT_EQ(loaded.app->store().wordBits(n), word(n)) << "R" << n;
}

// FSK's bar and ASK's high level set the one PA level of R2. After ASK at 40 and then FSK, the
// FSK bar shows 40, as R2 does; a saved settings file and a radio-link file (which reads the FSK
// bar whatever the scheme) hold 40 beside the R2 they write, in ASK as in FSK, and a reload
// gives the same R2.
TEST_F(InForce, ThePaLevelInForceIsTheOneEveryBarAndFileHolds) {
    evaltest::chooseItem(m->cmbModulation, QStringLiteral("ASK"));
    ASSERT_EQ(m->HScrollASKFine1->value(), 48); // the level in force
    slideTo(m->HScrollASKFine1, 40);
    ASSERT_EQ(paLevelInR2(), 40);
    const QString askLink = temp("ask.ini");
    answer(askLink);
    m->mnuCreatenewini->trigger();
    EXPECT_EQ(value(askLink, "Phy", "pa_level"), QStringLiteral("40"));

    evaltest::chooseItem(m->cmbModulation, QStringLiteral("FSK"));
    EXPECT_EQ(paLevelInR2(), 40);
    EXPECT_EQ(m->paLevel->value(), 40);
    EXPECT_EQ(m->LblFSKpower->text(), QStringLiteral("Setting  40"));
    const QString settings = temp("fsk.txt");
    answer(settings);
    m->mnuWriteOmbrelle->trigger();
    EXPECT_EQ(value(settings, "Tx", "PALevel"), QStringLiteral("40"));
    const QString link = temp("fsk.ini");
    answer(link);
    m->mnuCreatenewini->trigger();
    EXPECT_EQ(value(link, "Phy", "pa_level"), QStringLiteral("40"));
    EXPECT_EQ(platform::hexToU32(value(link, "RxRegs", "r02").mid(2)), word(2));
    EXPECT_TRUE(messageTexts().empty());

    // The FSK bar moved in FSK is the level ASK then shows.
    slideTo(m->paLevel, 20);
    evaltest::chooseItem(m->cmbModulation, QStringLiteral("ASK"));
    EXPECT_EQ(m->HScrollASKFine1->value(), 20);
    EXPECT_EQ(paLevelInR2(), 20);

    OtherProgram loaded;
    loaded.app->start({QLatin1Char('"') + settings + QLatin1Char('"')});
    EXPECT_EQ(loaded.app->store().wordBits(2) >> 9 & 63, 40u);
    EXPECT_EQ(loaded.app->main().paLevel->value(), 40);
}

// A list without a choice (the charge pump after start-up shows its design text) is saved as
// the index of the value its field holds, so the file restores the set-up it was saved from.
TEST_F(InForce, AListWithoutAChoiceIsSavedAsItsFieldHoldsIt) {
    ASSERT_EQ(m->Chgpumpvalue->currentIndex(), -1);
    EXPECT_EQ(m->Chgpumpvalue->placeholderText(), QStringLiteral("Icp = 1.5mA")); // shown
    const uint32_t r1 = word(1);
    const QString unchosen = temp("unchosen.txt");
    ExportSettings(*app, unchosen);
    EXPECT_EQ(value(unchosen, "PLL", "IcpIndex"), QStringLiteral("2"));

    choose(m->Chgpumpvalue, 0);
    ASSERT_EQ(m->Chgpumpvalue->currentText(), QStringLiteral("Icp = 0.3mA"));
    ASSERT_EQ(f().ChargePumpField, 0);
    const QString chosen = temp("chosen.txt");
    ExportSettings(*app, chosen);
    EXPECT_EQ(value(chosen, "PLL", "IcpIndex"), QStringLiteral("0"));

    clearRecords();
    ImportSettings(*app, unchosen);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(m->Chgpumpvalue->currentText(), QStringLiteral("Icp = 1.5mA"));
    EXPECT_EQ(f().ChargePumpField, 2 << 14);
    EXPECT_EQ(word(1), r1);
    EXPECT_EQ(m->readout(1)->text(), reglink::readoutText(r1));
    // A -1 that an older save wrote for a list without a choice is no choice: named, and the
    // lists and their fields stay.
    m->cmbIFBW->setCurrentIndex(2);
    app->frmSWD().wordLength->setCurrentIndex(3);
    const QString older =
        settingsFile({QStringLiteral("Rx/IF_BW=-1"), QStringLiteral("Sync/Wordlength=-1"),
                      QStringLiteral("Rx/MIXER_LINEARITY=-1")});
    ImportSettings(*app, older);
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{evaltest::skippedMessage(
                  older, QStringLiteral("[Rx] IF_BW, [Rx] MIXER_LINEARITY, [Sync] Wordlength"))});
    EXPECT_EQ(m->cmbIFBW->currentIndex(), 2);
    EXPECT_EQ(f().IFFilterBandwidthField, 2 * bit(22));
    EXPECT_EQ(f().SyncWordLengthField, 3 << 4);
}

// At start-up the mux-out label names the power-on code 3, and the window changes nothing that
// was not chosen; after an import the sync-word button names the mode the file set.
TEST_F(InForce, StatusCaptionsNameWhatTheFieldsHold) {
    ASSERT_EQ(f().MuxoutField, 3.0 * bit(29));
    EXPECT_EQ(m->LblMuxOut->text(), QStringLiteral("RSSI Ready"));
    EXPECT_EQ(m->LblClockout->text(), QStringLiteral("OFF"));
    EXPECT_EQ(m->afcStatus->text(), QStringLiteral("OFF"));
    EXPECT_EQ(m->agcStatus->text(), QStringLiteral("Auto"));
    EXPECT_EQ(m->ifFilterCalStatus->text(), QStringLiteral("No Cal"));
    EXPECT_EQ(m->syncWordStatus->text(), QStringLiteral("Off"));
    QTest::mouseClick(m->LblMuxOut, Qt::LeftButton);
    ASSERT_EQ(services.shower.names(), QStringList{QStringLiteral("muxform")});
    app->muxform().returnToPanel->click();
    EXPECT_EQ(m->LblMuxOut->text(), QStringLiteral("RSSI Ready"));
    EXPECT_EQ(f().MuxoutField, 3.0 * bit(29));

    ImportSettings(*app, settingsFile({QStringLiteral("Sync/SyncDetect=1")}));
    EXPECT_EQ((word(4) >> 23) & 7, 2u);
    EXPECT_EQ(m->syncWordStatus->text(), QStringLiteral("SWD On - Free"));
    ImportSettings(*app, settingsFile({QStringLiteral("Sync/SyncDetect=2")}));
    EXPECT_EQ(m->syncWordStatus->text(), QStringLiteral("SWD On - Lock"));

    // The clock-out label names the output the new crystal gives.
    app->frmClockOut().SelClockoutDivide->setPosition(3);
    app->frmClockOut().cmdokclock_Click();
    ASSERT_EQ(m->LblClockout->text(), QStringLiteral("1.84 MHz"));
    ImportSettings(*app, settingsFile({QStringLiteral("Tx/Frequency=868.3"),
                                       QStringLiteral("PLL/CrystalFreq=12"),
                                       QStringLiteral("Sync/SyncDetect=2")}));
    ASSERT_FLOAT_EQ(w().CrystalFrequencyMHz, 12.0f);
    EXPECT_EQ(m->LblClockout->text(), QStringLiteral("2.00 MHz"));
}

// A Gaussian divider above 127 is what the Gaussian window makes of it: 127, and one below 1
// is 1; the summary says what was taken.
TEST_F(InForce, AGaussianDividerGoesThroughTheGaussianWindowsRule) {
    for (const char* divider : {"200", "0", "-5"}) {
        SCOPED_TRACE(divider);
        clearRecords();
        const QString path = settingsFile(
            {QStringLiteral("Phy/Modulation=GFSK"), QStringLiteral("Phy/INDEX_COUNTER=2"),
             QStringLiteral("Phy/DIVIDER_FACTOR=") + QLatin1String(divider),
             QStringLiteral("Phy/GFSK_MOD_CONTROL=0"), QStringLiteral("Tx/PALevel=30")});
        ImportSettings(*app, path);
        EXPECT_EQ(messageTexts(),
                  std::vector<QString>{evaltest::summaryMessage(
                      path, {},
                      QStringLiteral("[Phy] DIVIDER_FACTOR=%1 as %2")
                          .arg(QLatin1String(divider),
                               divider[0] == '2' ? QStringLiteral("127") : QStringLiteral("1")),
                      {})});
        EXPECT_EQ(f().TxDeviationField, (divider[0] == '2' ? 127 : 1) << 15);
        EXPECT_EQ(m->cmbModulation->currentIndex(), 1);
    }
}

// An empty, binary or junk file is no file of another version: the version message says
// what was found.
TEST_F(InForce, AFileWithoutSettingsSaysWhatWasFound) {
    struct Case {
        QByteArray bytes;
        const char* found;
    } cases[] = {
        {QByteArray(), "The file is empty."},
        {QByteArray("\x00\x01\xFF\xFE\x89PNG\r\n\x1A\n", 12), "The file holds no settings."},
        {QByteArray("just some notes\r\nand more\r\n"), "The file holds no settings."},
    };
    const QStringList before{m->readout(0)->text(), m->readout(1)->text()};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.found);
        const QString path = temp("junk.txt");
        testfiles::writeBytes(path, c.bytes);
        clearRecords();
        ImportSettings(*app, path);
        ASSERT_EQ(messageTexts().size(), 1u);
        EXPECT_EQ(messageTexts()[0],
                  evaltest::VersionMessage + QLatin1Char('\n') + QLatin1String(c.found));
        EXPECT_EQ((QStringList{m->readout(0)->text(), m->readout(1)->text()}), before);
    }
    // A file of settings of another version gets the message alone.
    const QString other = settingsFile({});
    testfiles::writeBytes(other, "[File]\r\nVersion=2\r\n[Phy]\r\nModulation=OOK\r\n");
    clearRecords();
    ImportSettings(*app, other);
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_EQ(messageTexts()[0], evaltest::VersionMessage);
}

// A crystal the synthesizer refuses is named with the file, after the synthesizer's own
// message; the synthesizer window keeps the frequencies in force.
TEST_F(InForce, AnEntryTheSynthesizerRefusesIsNamed) {
    const QString path =
        settingsFile({QStringLiteral("Tx/Frequency=868.3"), QStringLiteral("PLL/CrystalFreq=200")});
    const float crystal = w().CrystalFrequencyMHz;
    clearRecords();
    ImportSettings(*app, path);
    ASSERT_GE(messageTexts().size(), 2u);
    EXPECT_EQ(messageTexts().back(),
              evaltest::skippedMessage(path, QStringLiteral("[PLL] CrystalFreq")));
    EXPECT_EQ(w().CrystalFrequencyMHz, crystal);
    EXPECT_NEAR(platform::textToNumber(app->synthform().TxtCrystal1->text()).value_or(0), crystal,
                1e-5);
}

// The file has no key for the PA bias (its format is another tool's too): a save holds none,
// and a load leaves the PA bias in force as it is; into another run, that run's own.
TEST_F(InForce, ThePaBiasIsNotInTheFileAndALoadLeavesIt) {
    evalkit::BiasWindow& bias = app->biasWindow();
    bias.HScrPABias->setValue(1);
    const uint32_t saved = word(2);
    const QString path = temp("bias.txt");
    ExportSettings(*app, path);
    EXPECT_FALSE(testfiles::readBytes(path).contains("PABias"));
    bias.HScrPABias->setValue(2);
    const uint32_t r2 = word(2);
    ASSERT_NE(r2, saved);
    clearRecords();
    ImportSettings(*app, path);
    EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();
    EXPECT_EQ(bias.HScrPABias->value(), 2);
    EXPECT_EQ(word(2), r2);
}
