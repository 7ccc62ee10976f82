// The settings file holds the set-up in force, and reads its keys as the profile functions
// read them, through the user's own path: the boxes typed key by key, the menu items, the
// windows the import leaves loaded.
#include "../support/userinput.h"
#include "tessarinefixture.h"

#include "../support/filefixture.h"
#include "../support/settingstests.h"
#include "../testfiles.h"

#include "platform/core/numbers.h"
#include "platform/core/profile.h"
#include "platform/entrymark.h"
#include "platform/toggle.h"
#include "tessarine/calc/modulation.h"
#include "tessarine/settingsfile.h"
#include "tessarine/testmodeswindow.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace tessarine;
using namespace tessarine::test;

namespace {

struct InForce : evaltest::FileFixture<TessarineFixture> {
    static QString value(const QString& path, const char* section, const char* key) {
        return evaltest::profileValue(path, section, key);
    }
    static void setValue(const QString& path, const char* section, const char* key,
                         const QString& v) {
        ASSERT_FALSE(platform::WritePrivateProfileString(QLatin1String(section), QLatin1String(key),
                                                         v, path));
    }
    static void typeOver(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    QString saved(const char* name) {
        const QString path = temp(name);
        services.files.answers.push_back(path);
        m->mnuSave->trigger();
        return path;
    }
};

} // namespace

// A divider the file holds above 127 goes into the divider box, which shows 127: the
// modulation word is the one 127 gives.
TEST_F(InForce, AGaussianDividerGoesThroughItsBoxsRule) {
    m->cmbModulation->setCurrentIndex(calc::GfskItem);
    m->cmbModCtrl->setCurrentIndex(2);
    m->cmbIndexCount->setCurrentIndex(3); // 128
    const QString path = saved("gfsk.txt");
    setValue(path, "Phy", "DIVIDER_FACTOR", QStringLiteral("200"));
    m->cmbModulation->setCurrentIndex(calc::FskItem);
    clearRecords();
    services.files.answers.push_back(path);
    m->mnuOpen->trigger();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{evaltest::summaryMessage(
                  path, {}, QStringLiteral("[Phy] DIVIDER_FACTOR=200 as 127"), {})});
    EXPECT_EQ(m->cmbModulation->currentIndex(), calc::GfskItem);
    EXPECT_EQ(m->txtDivider->text(), QStringLiteral("127"));
    EXPECT_EQ(word(2), 0x1A3FF06u);
    EXPECT_EQ(m->lblMhex->text(), QStringLiteral("0x1A3FF06"));
}

// Each value the import does not take as written is named in its one summary, and the boxes
// show what is in force: a divider "abc" reads 0, which the box takes as 1 (the data rate
// follows it); a PA level "3.6" is 3; a scheme "gfsk" is none and changes nothing.
TEST_F(InForce, WhatIsNotTakenAsWrittenIsNamed) {
    m->cmbModulation->setCurrentIndex(calc::GfskItem);
    const QString path = saved("gfsk.txt");
    setValue(path, "Phy", "DIVIDER_FACTOR", QStringLiteral("abc"));
    setValue(path, "Tx", "PALevel", QStringLiteral("3.6"));
    m->cmbModulation->setCurrentIndex(calc::FskItem);
    clearRecords();
    ImportSettings(*app, path);
    EXPECT_EQ(messageTexts(), std::vector<QString>{evaltest::summaryMessage(
                                  path, {},
                                  QStringLiteral("[Phy] DIVIDER_FACTOR=abc as 1, "
                                                 "[Tx] PALevel=3.6 as 3"),
                                  {})});
    EXPECT_EQ(m->cmbModulation->currentIndex(), calc::GfskItem);
    EXPECT_EQ(m->txtDivider->text(), QStringLiteral("1"));
    EXPECT_EQ(f().TxDeviationField, 1 << 11);
    EXPECT_EQ(m->paLevel->value(), 3);
    EXPECT_EQ(f().PaLevelField, 3 << 5);

    setValue(path, "Phy", "Modulation", QStringLiteral("gfsk"));
    m->cmbModulation->setCurrentIndex(calc::AskItem);
    const uint32_t modulation = word(2);
    clearRecords();
    ImportSettings(*app, path);
    EXPECT_EQ(messageTexts(), std::vector<QString>{evaltest::skippedMessage(
                                  path, QStringLiteral("[Phy] Modulation"))});
    EXPECT_EQ(m->cmbModulation->currentIndex(), calc::AskItem);
    EXPECT_EQ(word(2), modulation);
}

// A file of only its version reads every number key as 0 and names each; one the program
// saved names none.
TEST_F(InForce, AFileOfOnlyItsVersionNamesEveryKeyReadAsZero) {
    const QString bare = temp("bare.txt");
    testfiles::writeBytes(bare, "[File]\r\nVersion=1\r\n");
    ImportSettings(*app, bare);
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{evaltest::summaryMessage(
                  bare, {}, {},
                  QStringLiteral("[PLL] RefDivider, [PLL] RefDoubler, [VCO] VCODivider, "
                                 "[PLL] IcpIndex, [PLL] Prescaler, [Other] OTHER_ENABLED"))});
    EXPECT_EQ(m->cmbIcp->currentIndex(), 0);
    clearRecords();
    ImportSettings(*app, saved("whole.txt"));
    EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();
}

// Typed key by key, "200" kHz passes through "20", which the box takes; the refused entry's
// commit puts the 60 kHz in force before it back, and the file holds 60. A divider the box
// refuses ("9x", through "9") is saved as the 64 in force before it.
TEST_F(InForce, EntriesTheBoxesRefusedAreSavedAsTheEntriesInForce) {
    typeOver(m->TxtFSKdev, QStringLiteral("200"));
    evaltest::pressReturn(m->TxtFSKdev);
    ASSERT_TRUE(platform::isMarkedRefused(m->TxtFSKdev));
    clearRecords(); // what the box said of the refused entry
    const QString fsk = saved("fsk.txt");
    EXPECT_EQ(value(fsk, "Phy", "Deviation_kHz"), QStringLiteral("60"));

    m->cmbModulation->setCurrentIndex(calc::GookItem);
    typeOver(m->txtDivider, QStringLiteral("9x"));
    evaltest::pressReturn(m->txtDivider);
    ASSERT_TRUE(platform::isMarkedRefused(m->txtDivider));
    EXPECT_EQ(m->txtDivider->text(), QStringLiteral("64"));
    clearRecords();
    const QString gook = saved("gook.txt");
    EXPECT_EQ(value(gook, "Phy", "DIVIDER_FACTOR"), QStringLiteral("64"));
    EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();

    // Loaded into another run, the files name nothing and give the same words.
    for (const QString& path : {fsk, gook}) {
        evaltest::OtherProgram<TessarineApp> other;
        other.app->start({QLatin1Char('"') + path + QLatin1Char('"')});
        EXPECT_TRUE(other.services.messages.texts().empty());
        if (path == gook) {
            for (int n = 0; n < 4; ++n)
                EXPECT_EQ(other.app->store().wordBits(n), word(n)) << n;
        }
    }
}

// A file without a Prescaler key reads it as 0, which is not 4: the 8/9 prescaler.
TEST_F(InForce, AMissingPrescalerSelectsEightNine) {
    const QString path = testfiles::fixture(QStringLiteral("tessarine"), "garbled.txt");
    ASSERT_TRUE(value(path, "PLL", "Prescaler").isEmpty());
    ImportSettings(*app, path);
    EXPECT_EQ(word(1), 0x5D6D55u);
    EXPECT_TRUE(app->frmOtherFeatures().togprescaler->isOn());
}

// An entry the synthesizer refuses is named with the file and the key, after the synthesizer's
// own message; the rest of the file applies.
TEST_F(InForce, AnEntryTheSynthesizerRefusesIsNamedWithTheFile) {
    const QString path = temp("crystal.txt");
    testfiles::writeBytes(path, "[File]\r\nVersion=1\r\n[PLL]\r\nCrystalFreq=41\r\nRefDivider=0\r\n"
                                "RefDoubler=0\r\nIcpIndex=3\r\nPrescaler=8\r\n[VCO]\r\n"
                                "VCODivider=1\r\n[Tx]\r\nFrequency=868.3\r\n[Other]\r\n"
                                "OTHER_ENABLED=0\r\n");
    const float crystal = w().CrystalFrequencyMHz;
    clearRecords();
    ImportSettings(*app, path);
    ASSERT_EQ(messageTexts().size(), 2u);
    EXPECT_EQ(messageTexts()[0],
              QStringLiteral("Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)"));
    EXPECT_EQ(messageTexts()[1],
              evaltest::skippedMessage(path, QStringLiteral("[PLL] CrystalFreq")));
    EXPECT_EQ(w().CrystalFrequencyMHz, crystal);
    EXPECT_EQ(f().ChargePumpField, 3 << 6);
    // The synthesizer window, loaded unseen, shows the crystal in force.
    EXPECT_NEAR(platform::textToNumber(app->synthform().TxtCrystal1->text()).value_or(0), crystal,
                1e-5);
}

// The windows the import sets stay loaded, unseen: the synthesizer window opened afterwards
// shows the plan the import made. The mux-out and clock-out labels name the fields.
TEST_F(InForce, TheSynthesizerWindowShowsThePlanTheImportMade) {
    EXPECT_EQ(m->LblMuxOut->text(), QStringLiteral("Digital Lock Detect"));
    EXPECT_EQ(m->LblClockout->text(), QStringLiteral("Off"));
    const QString path = temp("plan.txt");
    testfiles::writeBytes(path, "[File]\r\nVersion=1\r\n[Tx]\r\nFrequency=433.92\r\n[PLL]\r\n"
                                "CrystalFreq=11.0592\r\nRefDivider=3\r\nRefDoubler=0\r\n"
                                "IcpIndex=0\r\nPrescaler=4\r\n[VCO]\r\nVCODivider=1\r\n"
                                "[Other]\r\nOTHER_ENABLED=1\r\nVCO_ADJUST=0\r\nVCO_BIAS=0\r\n"
                                "PA_BIAS=0\r\nCLK_OUT=3\r\nMUX_OUT=2\r\nDATA_INVERT=0\r\n"
                                "LOCK_DP=0\r\n");
    ImportSettings(*app, path);
    EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();
    ASSERT_TRUE(app->isLoaded(QStringLiteral("synthform")));
    synthform& s = app->synthform();
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(s.LblR->text(), QStringLiteral("3"));
    EXPECT_EQ(s.LblN->text(), QStringLiteral("117"));
    EXPECT_FALSE(s.LblF->text().isEmpty());
    EXPECT_EQ(m->LblMuxOut->text(), QStringLiteral("Tri-State"));
    EXPECT_EQ(m->LblClockout->text(), QStringLiteral("1.84 MHz"));
}

// The file holds neither the power-down switches nor the test mode: a load leaves them as they
// are in force.
TEST_F(InForce, ThePowerDownSwitchesAndTheTestModeAreNotInTheFile) {
    const QString path = saved("switches.txt");
    for (platform::Toggle* t : {m->TogPLL, m->TogOutput, m->TogVCO, m->TogCrystal})
        t->click();
    app->frmTestModes().cmdWriteTest->click();
    const uint32_t function = word(3);
    const std::vector<bool> states{m->TogPLL->isOn(), m->TogOutput->isOn(), m->TogVCO->isOn(),
                                   m->TogCrystal->isOn()};
    clearRecords();
    ImportSettings(*app, path);
    EXPECT_TRUE(messageTexts().empty()) << messageTexts().front().toStdString();
    EXPECT_EQ(word(3), function);
    EXPECT_EQ((std::vector<bool>{m->TogPLL->isOn(), m->TogOutput->isOn(), m->TogVCO->isOn(),
                                 m->TogCrystal->isOn()}),
              states);
}
