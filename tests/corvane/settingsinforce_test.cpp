// The settings and radio-link files hold the set-up in force, through the user's own path: a
// data rate the box refused is saved as the rate it last took, a window the import left loaded
// unseen is saved as its fields hold it, and the front panel's status captions name what the
// fields hold after start-up and an import.
#include "corvanefixture.h"
#include "importexportfixture.h"

#include "../support/filefixture.h"
#include "../support/settingstests.h"
#include "../testfiles.h"

#include "corvane/settingsfile.h"
#include "evalkit/zantrel.h"
#include "platform/entrymark.h"
#include "platform/selector.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace corvane;
using namespace corvane::test;

namespace {

struct InForce : evaltest::FileFixture<CorvaneFixture> {
    int files = 0;

    QString settingsFile(const QStringList& entries) {
        const QStringList defaults =
            QStringList{QStringLiteral("File/Version=1"), QStringLiteral("Phy/Chip=Corvane")} +
            importexport::ZeroNumberKeys;
        const QString path = temp(QStringLiteral("f%1.txt").arg(++files));
        testfiles::writeBytes(path,
                              evaltest::settingsText(evaltest::withDefaults(defaults, entries)));
        return path;
    }
    static QString value(const QString& path, const char* section, const char* key) {
        return evaltest::profileValue(path, section, key);
    }
    static void typeOver(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    static void choose(QComboBox* list, int index) {
        list->showPopup();
        QAbstractItemView* view = list->view();
        const QRect item = view->visualRect(view->model()->index(index, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    }
    void answer(const QString& path) { services.files.answers.push_back(path); }
};

} // namespace

// Typed key by key, "80" passes through "8", which the box takes; "80" is above 75. The chip
// plans 8 kbit/s: so do both files.
TEST_F(InForce, ARefusedDataRateIsSavedAsTheRateInForce) {
    typeOver(m->txtDatarate, QStringLiteral("80"));
    ASSERT_TRUE(platform::isMarkedRefused(m->txtDatarate));
    clearRecords();
    const QString settings = temp("settings.txt");
    answer(settings);
    m->mnuWriteOmbrelle->trigger();
    EXPECT_EQ(value(settings, "Phy", "BaudRate"), QStringLiteral("8000"));
    const QString zantrel = temp("link.ini");
    answer(zantrel);
    m->mnuCreatenewini->trigger();
    EXPECT_EQ(value(zantrel, "Phy", "baud_rate"), QStringLiteral("8000"));
    EXPECT_EQ(value(zantrel, "Mac", "beacon_length_correction"),
              platform::numberText(*evalkit::beaconLengthCorrection(8000)));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(m->txtDatarate->text(), QStringLiteral("80"));

    evaltest::OtherProgram<CorvaneApp> loaded;
    loaded.app->start({QLatin1Char('"') + settings + QLatin1Char('"')});
    EXPECT_TRUE(loaded.services.messages.texts().empty());
    for (int n : {3, 4, 5})
        EXPECT_EQ(loaded.app->store().wordBits(n), word(n)) << "R" << n;
}

// The bias window stays loaded unseen after a save; the VCO list then sets the VCO bias. The
// next save holds the bias in force, not the one the unseen window still shows.
TEST_F(InForce, AWindowLeftLoadedUnseenIsSavedAsItsFieldsHoldIt) {
    const QString path = temp("bias.txt");
    ExportSettings(*app, path);
    ASSERT_TRUE(app->isLoaded(QStringLiteral("frmPowerdown")));
    const int shown = app->biasWindow().HScrVCObias->value();
    choose(m->cmbVCO, 1); // "External L VCO": its bias 3
    ASSERT_EQ(f().VcoBiasField, 3 << 19);
    ASSERT_NE(shown, 3);
    ExportSettings(*app, path);
    EXPECT_EQ(value(path, "VCO", "VCOBias"), QStringLiteral("3"));
    EXPECT_EQ(value(path, "VCO", "Lext"), QStringLiteral("1"));
    // Loaded back, the window and the field agree again.
    ImportSettings(*app, path);
    EXPECT_EQ(app->biasWindow().HScrVCObias->value(), 3);
    EXPECT_EQ(f().VcoBiasField, 3 << 19);
}

// The front panel's status captions name the fields: at start-up, and after an import, the
// sync-word button names the mode as the window's return does.
TEST_F(InForce, StatusCaptionsNameWhatTheFieldsHold) {
    EXPECT_EQ(m->testModesStatus->text(), QStringLiteral("Disabled"));
    EXPECT_EQ(m->afcStatus->text(), QStringLiteral("OFF"));
    EXPECT_EQ(m->agcStatus->text(), QStringLiteral("Auto"));
    EXPECT_EQ(m->ifCalStatus->text(), QStringLiteral("No Cal"));
    EXPECT_EQ(m->syncWordStatus->text(), QStringLiteral("Low"));
    EXPECT_EQ(m->LblMuxOut->text(), QStringLiteral("Regulator Ready"));
    EXPECT_EQ(m->LblClockout->text(), QStringLiteral("OFF"));
    struct Case {
        const char* detect;
        const char* caption;
    } cases[] = {{"1", "High on SWD"},
                 {"2", "High on SWD for DPL"},
                 {"3", "High"},
                 {"0", "High"}}; // 0: the sync-word window is not touched
    for (const Case& c : cases) {
        SCOPED_TRACE(c.detect);
        ImportSettings(
            *app, settingsFile({QStringLiteral("Sync/SyncDetect=") + QLatin1String(c.detect),
                                QStringLiteral("AFC/Status=True"), QStringLiteral("AGC/Mode=2")}));
        EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();
        EXPECT_EQ(m->syncWordStatus->text(), QLatin1String(c.caption));
        EXPECT_EQ(m->afcStatus->text(), QStringLiteral("On"));
        EXPECT_EQ(m->agcStatus->text(), QStringLiteral("Frozen"));
    }
    // The clock-out label names the output the imported crystal gives.
    app->frmClockOut().SelClockoutDivide->setPosition(3);
    app->frmClockOut().cmdokclock_Click();
    ASSERT_EQ(m->LblClockout->text(), QStringLiteral("3.28 MHz"));
    ImportSettings(*app, settingsFile({QStringLiteral("Tx/Frequency=869.5"),
                                       QStringLiteral("PLL/CrystalFreq=12")}));
    ASSERT_FLOAT_EQ(w().CrystalFrequencyMHz, 12.0f);
    EXPECT_EQ(m->LblClockout->text(), QStringLiteral("2.00 MHz"));
}

// Number keys read as the profile functions read them: "1.5" is version 1, a missing key 0;
// the summary says so of each.
TEST_F(InForce, NumberKeysReadByTheirLeadingDigits) {
    m->cmbIcp->setCurrentIndex(3);
    m->cmbIFBW->setCurrentIndex(2);
    m->cmbDemod->setCurrentIndex(2);
    const QString path = temp("numbers.txt");
    testfiles::writeBytes(path, "[File]\r\nVersion=1.5\r\n[Phy]\r\nChip=Corvane\r\n"
                                "[PLL]\r\nIcpIndex=1.9\r\n");
    clearRecords();
    ImportSettings(*app, path);
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{evaltest::summaryMessage(
                  path, {}, QStringLiteral("[File] Version=1.5 as 1, [PLL] IcpIndex=1.9 as 1"),
                  QStringLiteral("[VCO] Lext, [PLL] RefDivider, [VCO] VCOBand, [VCO] VCOBias, "
                                 "[Phy] PABias, [Rx] IF_BW, [Rx] MIXER_LINEARITY, [Rx] Demod, "
                                 "[Sync] SyncDetect"))});
    EXPECT_EQ(m->cmbIcp->currentIndex(), 1);
    EXPECT_EQ(m->cmbIFBW->currentIndex(), 0);
    EXPECT_EQ(m->cmbDemod->currentIndex(), 0);
    EXPECT_EQ(f().IFFilterBandwidthField, 0);
}

// The file holds the deviation reached ("24.9243" for 25 kHz), which to three decimals is too
// long for the deviation box: loaded back, it gives the same count.
TEST_F(InForce, TheDeviationReachedLoadsBackIntoTheBox) {
    for (const char* typed : {"25", "12.5", "50", "99.9"}) {
        SCOPED_TRACE(typed);
        typeOver(m->TxtFSKdev, QLatin1String(typed));
        ASSERT_FALSE(platform::isMarkedRefused(m->TxtFSKdev));
        const QString path = temp("deviation.txt");
        ExportSettings(*app, path);
        EXPECT_EQ(value(path, "Phy", "Deviation_kHz"), m->Lblfskdev->text());
        evaltest::OtherProgram<CorvaneApp> loaded;
        loaded.app->start({QLatin1Char('"') + path + QLatin1Char('"')});
        EXPECT_TRUE(loaded.services.messages.texts().empty())
            << loaded.services.messages.texts().front().toStdString();
        EXPECT_EQ(loaded.app->store().wordBits(2), word(2));
        EXPECT_EQ(loaded.app->main().Lblfskdev->text(), m->Lblfskdev->text());
    }
}
