// The AFC, AGC and sync-word windows: their loads, edits, limits, the status captions of their
// return buttons and the read-outs they refresh; none of them touches the board.
#include "pellionfixture.h"

#include "../support/userinput.h"

#include "link/readouttext.h"
#include "platform/entrymark.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

using namespace pellion;
using namespace pellion::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

struct FeatureWindow : PellionFixture {
    Main* m = nullptr;
    void SetUp() override {
        PellionFixture::SetUp();
        m = &start();
        clearRecords();
    }
    // The read-out of register n shows the word the fields make, as changed.
    void expectRefreshed(int n) {
        EXPECT_EQ(m->readout(n)->text(), reglink::readoutText(word(n))) << "R" << n;
        EXPECT_EQ(m->readout(n)->mark(), Mark::Changed) << "R" << n;
    }
    void expectNoBoardTraffic() {
        EXPECT_TRUE(usb.lines().empty());
        EXPECT_TRUE(port.lines().empty());
    }
};

// A text typed into a box, and the code the field then holds (nullopt: the code it held
// before stays, and the box is marked).
struct BoxCase {
    const char* text;
    std::optional<int> code;
};

} // namespace

// ---- AFC ------------------------------------------------------------------------------

TEST_F(FeatureWindow, AfcLoadsFromItsFields) {
    f().AfcEnableField = bit(20);
    f().IFFilterCalEnableField = 0;
    f().AfcKpField = 6 << 4;
    f().AfcKiField = 11 << 8;
    f().AfcScalingField = 1234 * 16.0;
    evalkit::frmAFC& afc = app->frmAFC();
    EXPECT_EQ(afc.windowTitle(), QStringLiteral("AFC"));
    EXPECT_TRUE(afc.afcStatus->isOn());
    EXPECT_FALSE(afc.secondSwitch->isOn());
    EXPECT_EQ(afc.cmbKp->currentText(), QStringLiteral("6"));
    EXPECT_EQ(afc.cmbKi->currentText(), QStringLiteral("11"));
    EXPECT_EQ(afc.txtAFCScaling->text(), QStringLiteral("1234"));
    EXPECT_EQ(afc.txtAFCRange, nullptr); // no range on this chip
}

TEST_F(FeatureWindow, AfcEditsSetRegisters11And13And6) {
    evalkit::frmAFC& afc = app->frmAFC();
    // Start-up: scaling 759 for the 11.0592 MHz crystal, Kp 2, Ki 3, both switches off.
    EXPECT_EQ(afc.txtAFCScaling->text(), QStringLiteral("759"));
    EXPECT_EQ(afc.cmbKp->currentIndex(), 2);
    EXPECT_EQ(afc.cmbKi->currentIndex(), 3);
    afc.afcStatus->setOn(true);
    afc.secondSwitch->setOn(true);
    afc.cmbKp->setCurrentIndex(7);
    afc.cmbKi->setCurrentIndex(15);
    EXPECT_EQ(f().AfcEnableField, bit(20));
    EXPECT_EQ(f().IFFilterCalEnableField, bit(19));
    EXPECT_EQ(word(13), (7u << 4) | (15u << 8) | 13u);
    afc.secondSwitch->setOn(false);
    EXPECT_EQ(f().IFFilterCalEnableField, 0);
    expectNoBoardTraffic();
}

TEST_F(FeatureWindow, AfcScalingTakesOneToFourCharacters) {
    evalkit::frmAFC& afc = app->frmAFC();
    const BoxCase cases[] = {
        {"759", 759},       {"12345", std::nullopt}, {"9999", 9999},       {"0", 0},
        {"", std::nullopt}, {"abc", std::nullopt},   {"-5", std::nullopt}, {"1e3", 1000},
        {"12.5", 12},       {"nan", std::nullopt},   {"inf", std::nullopt}};
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.text);
        afc.txtAFCScaling->setText(QStringLiteral("100"));
        m->lbltest11hex->setMark(Mark::Normal);
        afc.txtAFCScaling->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(f().AfcScalingField, c.code.value_or(100) * 16.0);
        EXPECT_EQ(platform::isMarkedRefused(afc.txtAFCScaling), !c.code);
        if (c.code)
            expectRefreshed(11); // a scaling taken shows at once
        else
            EXPECT_EQ(m->lbltest11hex->mark(), Mark::Normal);
    }
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(FeatureWindow, AfcReturnShowsBothSwitchesOnTheFrontPanel) {
    struct Case {
        bool afc, cal;
        const char *command8, *command10;
    } cases[] = {
        {true, false, "On", "OFF"}, {false, true, "OFF", "On"}, {false, false, "OFF", "OFF"}};
    EXPECT_EQ(m->ifFilterCalStatus->text(),
              QStringLiteral("No Cal")); // until the window first returns
    for (const Case& c : cases) {
        evalkit::frmAFC& afc = app->frmAFC();
        afc.afcStatus->setOn(c.afc);
        afc.secondSwitch->setOn(c.cal);
        afc.cmbKp->setCurrentIndex(c.afc ? 1 : 4);
        afc.returnToPanel->click();
        EXPECT_EQ(m->afcStatus->text(), QLatin1String(c.command8));
        EXPECT_EQ(m->ifFilterCalStatus->text(), QLatin1String(c.command10));
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmAFC")));
        expectRefreshed(13);
        expectRefreshed(11);
        expectRefreshed(6);
    }
    expectNoBoardTraffic();
}

// ---- AGC ------------------------------------------------------------------------------

TEST_F(FeatureWindow, AgcLoadsTheStartUpFields) {
    evalkit::frmAGC& agc = app->frmAGC();
    EXPECT_EQ(agc.windowTitle(), QStringLiteral("AGC"));
    EXPECT_EQ(agc.agcMode->currentText(), QStringLiteral("Auto"));
    EXPECT_EQ(agc.lnaGain->currentText(), QStringLiteral("High"));    // LNA gain code 3
    EXPECT_EQ(agc.filterGain->currentText(), QStringLiteral("High")); // filter gain code 2
    EXPECT_FALSE(agc.lnaGain->isEnabled());
    EXPECT_FALSE(agc.filterGain->isEnabled());
    EXPECT_EQ(agc.lowThreshold->text(), QStringLiteral("30"));
    EXPECT_EQ(agc.highThreshold->text(), QStringLiteral("70"));
}

// The modes in this chip's order, the gains enabled in manual mode only, and the caption each
// mode gives the front panel's AGC button.
TEST_F(FeatureWindow, AgcModesAndTheirCaptions) {
    struct Case {
        int index;
        int32_t field;
        bool gains;
        const char* caption;
    } cases[] = {
        {2, bit(19), true, "Manual"}, {1, bit(18), false, "Frozen"}, {0, 0, false, "Auto"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        evalkit::frmAGC& agc = app->frmAGC();
        agc.agcMode->setCurrentIndex(c.index);
        EXPECT_EQ(f().AgcModeField, c.field);
        EXPECT_EQ(agc.lnaGain->isEnabled(), c.gains);
        EXPECT_EQ(agc.filterGain->isEnabled(), c.gains);
        agc.returnToPanel->click();
        EXPECT_EQ(m->agcStatus->text(), QLatin1String(c.caption));
        EXPECT_EQ(m->lblAGC9hex->text(), reglink::readoutText(word(9)));
        // Opened again, the window shows the mode it left.
        EXPECT_EQ(app->frmAGC().agcMode->currentIndex(), c.index);
        EXPECT_EQ(app->frmAGC().lnaGain->isEnabled(), c.gains);
        app->frmAGC().unload();
    }
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(FeatureWindow, AgcGainListsCodeTheirFields) {
    evalkit::frmAGC& agc = app->frmAGC();
    const int32_t lna[] = {bit(20), 2 * bit(20), 3 * bit(20)};
    const int32_t filter[] = {0, bit(22), 2 * bit(22)};
    for (int i : {0, 1, 2}) {
        agc.lnaGain->setCurrentIndex(i);
        agc.filterGain->setCurrentIndex(i);
        EXPECT_EQ(f().LnaGainField, lna[i]);
        EXPECT_EQ(f().FilterGainField, filter[i]);
    }
    EXPECT_EQ(word(9) & 0xF, 9u);
    EXPECT_EQ((word(9) >> 24) & 1, 0u); // nothing reaches bit 24
}

TEST_F(FeatureWindow, AgcThresholdLimits) {
    evalkit::frmAGC& agc = app->frmAGC();
    struct Case {
        QLineEdit* box;
        const char* text;
        std::optional<int> code;
        const char* message;
    } cases[] = {
        {agc.highThreshold, "80", 80, nullptr},
        {agc.highThreshold, "81", std::nullopt, "Max AGC High Threshold setting is 80"},
        {agc.highThreshold, "100", std::nullopt, nullptr}, // three characters: not looked at
        {agc.lowThreshold, "63", 63, nullptr},
        {agc.lowThreshold, "64", std::nullopt, "Max AGC Low Threshold setting is 63"},
        {agc.lowThreshold, "0", 0, nullptr},
        {agc.lowThreshold, "-1", std::nullopt, nullptr},
        {agc.lowThreshold, "ab", std::nullopt, nullptr},
        {agc.lowThreshold, "", std::nullopt, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        c.box->setText(QStringLiteral("9"));
        clearRecords();
        c.box->setText(QString::fromLatin1(c.text));
        const int32_t field = c.box == agc.lowThreshold ? f().AgcLowThresholdField >> 4
                                                        : f().AgcHighThresholdField >> 11;
        EXPECT_EQ(field, c.code.value_or(9));
        EXPECT_EQ(platform::isMarkedRefused(c.box), !c.code);
        if (c.message)
            EXPECT_EQ(messageTexts(), std::vector<QString>{QLatin1String(c.message)});
        else
            EXPECT_TRUE(messageTexts().empty());
    }
    expectNoBoardTraffic();
}

// Typed key by key, a threshold or scaling passes numbers the box takes ("81" passes 8); once
// the refused entry is committed, the field, the box and the read-out are as they were before
// the typing, and one message says why and what was kept.
TEST_F(FeatureWindow, RefusedThresholdsAndScalingArePutBackWhenCommitted) {
    evalkit::frmAGC& agc = app->frmAGC();
    evalkit::frmAFC& afc = app->frmAFC();
    const QString r9 = m->readout(9)->text();
    const struct {
        QLineEdit* box;
        const char* keys;
        QString said;
    } cases[] = {
        {agc.highThreshold, "81",
         QStringLiteral("Max AGC High Threshold setting is 80\n\nThe high threshold is left at "
                        "70.")},
        {agc.highThreshold, "100",
         evalkit::AgcHighAccepts + QStringLiteral("\n\nThe high threshold is left at 70.")},
        {agc.lowThreshold, "-1",
         evalkit::AgcLowAccepts + QStringLiteral("\n\nThe low threshold is left at 30.")},
        {afc.txtAFCScaling, "12345",
         QStringLiteral("AFC Scaling Factor: a number from 0 to 9999 of at most 4 characters"
                        "\n\nThe AFC scaling is left at ") +
             afc.txtAFCScaling->text() + QStringLiteral(".")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        const PellionFields before = f();
        const QString text = c.box->text();
        clearRecords();
        evaltest::typeInto(c.box, QString::fromLatin1(c.keys));
        EXPECT_TRUE(messageTexts().empty());
        evaltest::pressReturn(c.box);
        EXPECT_EQ(messageTexts(), std::vector<QString>{c.said});
        EXPECT_EQ(c.box->text(), text);
        EXPECT_EQ(f().AgcHighThresholdField, before.AgcHighThresholdField);
        EXPECT_EQ(f().AgcLowThresholdField, before.AgcLowThresholdField);
        EXPECT_EQ(f().AfcScalingField, before.AfcScalingField);
        EXPECT_EQ(m->readout(9)->text(), r9);
    }
    expectNoBoardTraffic();
}

// The return only warns about a box outside its limits; text that is no number is not
// "outside of limits" (its mark already says so).
TEST_F(FeatureWindow, AgcReturnWarnsAboutThresholdsOutsideTheirLimits) {
    struct Case {
        const char *low, *high;
        std::vector<QString> warnings;
    } cases[] = {
        {"100",
         "100",
         {QStringLiteral("AGC High Threshold outside of limits"),
          QStringLiteral("AGC Low Threshold outside of limits")}},
        {"20", "100", {QStringLiteral("AGC High Threshold outside of limits")}},
        {"xy", "40", {}},
    };
    for (const Case& c : cases) {
        evalkit::frmAGC& agc = app->frmAGC();
        agc.lowThreshold->setText(QLatin1String(c.low));
        agc.highThreshold->setText(QLatin1String(c.high));
        clearRecords();
        agc.returnToPanel->click();
        EXPECT_EQ(messageTexts(), c.warnings) << c.low << "/" << c.high;
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmAGC")));
        EXPECT_EQ(m->agcStatus->text(), QStringLiteral("Auto"));
    }
}

// ---- sync word ------------------------------------------------------------------------

TEST_F(FeatureWindow, SwdLoadsFromItsFields) {
    evalkit::frmSWD& start = app->frmSWD();
    EXPECT_EQ(start.windowTitle(), QStringLiteral("Form1"));
    EXPECT_EQ(start.detectionMode->currentText(), QStringLiteral("SWD Off"));
    EXPECT_EQ(start.syncWordPattern->text(), QStringLiteral("0x2AA")); // 682 at power-on
    EXPECT_EQ(start.txtDPL, nullptr);                                  // no packet length here
    start.unload();
    f().LockThresholdModeField = 3 * bit(23);
    f().SyncWordLengthField = 2 << 4;
    f().SyncErrorsField = 3 << 6;
    f().SyncWordField = 0xABCDEF * 256.0;
    evalkit::frmSWD& swd = app->frmSWD();
    EXPECT_EQ(swd.detectionMode->currentText(), QStringLiteral("SWD On - Lock Threshold"));
    EXPECT_EQ(swd.wordLength->currentText(), QStringLiteral("20 Bits"));
    EXPECT_EQ(swd.txtErrors->text(), QStringLiteral("3"));
    EXPECT_EQ(swd.syncWordPattern->text(), QStringLiteral("0xABCDEF"));
    EXPECT_EQ(word(5), 0xABCDEFE5u);
}

TEST_F(FeatureWindow, SwdModesShareTheLockCodeAndNameItOnReturn) {
    struct Case {
        int index;
        double field;
        const char* caption;
    } cases[] = {{1, bit(24), "SWD On - Free"}, {2, 3.0 * bit(23), "SWD On - Lock"}, {0, 0, "Off"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        evalkit::frmSWD& swd = app->frmSWD();
        swd.detectionMode->setCurrentIndex(c.index);
        EXPECT_EQ(f().LockThresholdModeField, c.field);
        swd.return_->click();
        EXPECT_EQ(m->syncWordStatus->text(), QLatin1String(c.caption));
        expectRefreshed(4);
    }
    // With the demodulator window's bit 23 set as well, the code stays within bits 23..25.
    f().LockThresholdModeBit23Field = bit(23);
    app->frmSWD().detectionMode->setCurrentIndex(2);
    EXPECT_EQ((word(4) >> 23) & 0x7, 3u);
    EXPECT_EQ(word(4) >> 26, 0u);
    expectNoBoardTraffic();
}

// The window loaded unseen, as a settings file leaves it; the demodulator window then sets the
// lock code the two share. Opened, the window shows the mode in force.
TEST_F(FeatureWindow, SwdLoadedUnseenShowsTheModeInForceWhenOpened) {
    app->frmSWD();
    m->advancedDemod->click();
    evaltest::chooseItem(app->frmDemod().cmbLockmode, 2);
    app->frmDemod().cmbLockmode_LostFocus();
    app->frmDemod().returnToPanel->click();
    ASSERT_EQ(f().LockThresholdModeField, bit(24));
    m->syncWordStatus->click();
    EXPECT_EQ(app->frmSWD().detectionMode->currentText(), QStringLiteral("SWD On - Free Running"));
}

TEST_F(FeatureWindow, SwdSyncWordIsZeroXAndAtMostSixHexDigits) {
    evalkit::frmSWD& swd = app->frmSWD();
    struct Case {
        const char* text;
        std::optional<uint32_t> word;
        bool message = false;
    } cases[] = {
        {"0x12AB", 0x12AB},
        {"0xffffff", 0xFFFFFF},
        {"0x000ABCDEF", 0xABCDEF}, // leading zeros make no wider word
        {"0x", 0},
        {"0x1234567", std::nullopt, true},
        {"0xFFFFFFFFF", std::nullopt, true},
        {"0xZZ", std::nullopt},
        {"12AB", std::nullopt}, // without its 0x it would lose two digits
        {"x", std::nullopt},
        {"", std::nullopt},
        {"0x-12", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        swd.syncWordPattern->setText(QStringLiteral("0x55"));
        clearRecords();
        swd.syncWordPattern->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(f().SyncWordField, c.word.value_or(0x55) * 256.0);
        EXPECT_EQ(platform::isMarkedRefused(swd.syncWordPattern), !c.word);
        if (c.message)
            EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                          "Max Sync Word Pattern setting is 0xFFFFFF")});
        else
            EXPECT_TRUE(messageTexts().empty());
    }
    // Loaded again, the window shows the word in force as the box takes it.
    swd.syncWordPattern->setText(QStringLiteral("0x12AB"));
    swd.return_->click();
    EXPECT_EQ(app->frmSWD().syncWordPattern->text(), QStringLiteral("0x12AB"));
    EXPECT_EQ(word(5) >> 8, 0x12ABu);
}

// Typed key by key, a pattern too wide for the field is marked at once and said when the entry
// is committed, once; the commit puts the word in force before the typing back.
TEST_F(FeatureWindow, SwdSyncWordTooWideIsSaidWhenCommitted) {
    evalkit::frmSWD& swd = app->frmSWD();
    swd.syncWordPattern->setText(QStringLiteral("0x55"));
    clearRecords();
    evaltest::typeInto(swd.syncWordPattern, QStringLiteral("0x12345678"));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(platform::isMarkedRefused(swd.syncWordPattern));
    EXPECT_EQ(f().SyncWordField, 0x123456 * 256.0); // the last pattern that fitted
    evaltest::pressReturn(swd.syncWordPattern);
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Max Sync Word Pattern setting is 0xFFFFFF\n\n"
                                                  "The sync word is left at 0x55.")});
    EXPECT_EQ(f().SyncWordField, 0x55 * 256.0);
    EXPECT_EQ(swd.syncWordPattern->text(), QStringLiteral("0x55"));
    EXPECT_TRUE(app->isLoaded(QStringLiteral("frmSWD"))); // Return pressed no button
}

TEST_F(FeatureWindow, SwdMatchingErrorsAndLength) {
    evalkit::frmSWD& swd = app->frmSWD();
    const BoxCase cases[] = {{"2", 2},
                             {"", 0},
                             {"3", 3},
                             {"4", std::nullopt},
                             {"-1", std::nullopt},
                             {"x", std::nullopt},
                             {"1.5", 2},
                             {"99999999999", std::nullopt}};
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.text);
        swd.txtErrors->setText(QStringLiteral("1"));
        clearRecords();
        swd.txtErrors->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(f().SyncErrorsField, c.code.value_or(1) << 6);
        EXPECT_EQ(platform::isMarkedRefused(swd.txtErrors), !c.code);
        const bool overLimit = !c.code && QByteArray(c.text).toDouble() > 3;
        const std::vector<QString> said =
            overLimit
                ? std::vector<QString>{QStringLiteral("Max Matching Errors Permitted setting is 3")}
                : std::vector<QString>{};
        EXPECT_EQ(messageTexts(), said);
    }
    for (int i : {3, 0, 1}) {
        swd.wordLength->setCurrentIndex(i);
        EXPECT_EQ(f().SyncWordLengthField, i << 4);
    }
    EXPECT_EQ(word(5) & 0xFF, (1u << 4) | (1u << 6) | 5u);
}
