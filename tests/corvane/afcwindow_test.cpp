// The AFC window: register 10 from its controls, the limit messages, the
// front-panel caption on return, and use beside the front panel.
#include "corvanefixture.h"

#include "../support/userinput.h"

#include "link/registerlink.h"
#include "platform/core/numbers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <optional>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

struct AfcWindow : CorvaneFixture {
    Main* m = nullptr;
    frmAFC* afc = nullptr;
    void SetUp() override {
        CorvaneFixture::SetUp();
        m = &start();
        afc = &app->frmAFC();
        clearRecords();
    }
    bool readoutShowsWord10() { return m->lbltest10hex->text() == reglink::readoutText(word(10)); }
};

struct BoxCase {
    const char* text;
    std::optional<int> code; // nullopt: the earlier value stays
    const char* message;     // nullptr: none
};

} // namespace

TEST_F(AfcWindow, LoadFillsTheControlsFromRegister10) {
    afc->unload();
    f().AfcRangeField = 51.0 * (1 << 24); // 25.5 kHz: four characters, which the box ignores
    f().AfcScalingField = 100 * 32;
    f().AfcKpField = 6 << 21;
    f().AfcKiField = 15 << 17;
    f().AfcEnableField = 16;
    frmAFC& w = app->frmAFC();
    EXPECT_EQ(w.txtAFCRange->text(), QStringLiteral("25.5"));
    EXPECT_EQ(w.rangeCode->text(), QStringLiteral("= 51"));
    EXPECT_EQ(f().AfcRangeField, 51.0 * (1 << 24));
    EXPECT_EQ(w.txtAFCScaling->text(), QStringLiteral("100"));
    EXPECT_EQ(w.cmbKp->currentText(), QStringLiteral("6"));
    EXPECT_EQ(w.cmbKi->currentText(), QStringLiteral("15"));
    EXPECT_TRUE(w.afcStatus->isOn());
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(AfcWindow, RangeIsStoredAsHalfKilohertzCodes) {
    const BoxCase cases[] = {
        {"25", 50, nullptr},
        {"127.5", std::nullopt, nullptr}, // five characters
        {"99", 198, nullptr},
        {"128", std::nullopt, "Max AFC Range setting is 255"},
        {".25", 0, nullptr}, // 0.5 rounds to even
        {".75", 2, nullptr}, // 1.5 rounds to even
        {"0.25", std::nullopt, nullptr},
        {"-1", std::nullopt, nullptr},
        {"-.2", std::nullopt, nullptr},
        {"kHz", std::nullopt, nullptr},
        {"", std::nullopt, nullptr},
    };
    for (const BoxCase& c : cases) {
        afc->txtAFCRange->setText(QStringLiteral("10")); // code 20
        services.messages.clear();
        afc->txtAFCRange->setText(QString::fromLatin1(c.text));
        const int code = c.code.value_or(20);
        EXPECT_EQ(f().AfcRangeField, double(code) * (1 << 24)) << c.text;
        EXPECT_EQ(word(10) >> 24, uint32_t(code)) << c.text;
        EXPECT_EQ(afc->rangeCode->text(), QStringLiteral("= ") + QString::number(code)) << c.text;
        EXPECT_TRUE(readoutShowsWord10()) << c.text;
        EXPECT_EQ(messageTexts(), c.message ? std::vector<QString>{QString::fromLatin1(c.message)}
                                            : std::vector<QString>{})
            << c.text;
    }
}

TEST_F(AfcWindow, ScalingIsStoredUpTo4095) {
    const BoxCase cases[] = {
        {"4095", 4095, nullptr},
        {"4096", std::nullopt, "Max AFC Scaling factor setting is 4095"},
        {"9E99", std::nullopt, "Max AFC Scaling factor setting is 4095"},
        {"12345", std::nullopt, nullptr}, // five characters
        {"2.5", 2, nullptr},
        {"-5", std::nullopt, nullptr},
        {"x", std::nullopt, nullptr},
        {"", std::nullopt, nullptr},
    };
    for (const BoxCase& c : cases) {
        afc->txtAFCScaling->setText(QStringLiteral("7"));
        services.messages.clear();
        afc->txtAFCScaling->setText(QString::fromLatin1(c.text));
        const int v = c.code.value_or(7);
        EXPECT_EQ(f().AfcScalingField, v * 32.0) << c.text;
        EXPECT_EQ((word(10) >> 5) & 0xFFF, uint32_t(v)) << c.text;
        EXPECT_TRUE(readoutShowsWord10()) << c.text;
        EXPECT_EQ(messageTexts(), c.message ? std::vector<QString>{QString::fromLatin1(c.message)}
                                            : std::vector<QString>{})
            << c.text;
    }
}

TEST_F(AfcWindow, RefusedEntryLeavesTheReadoutAlone) {
    const QString before = m->lbltest10hex->text();
    f().AfcKpField = 1 << 21; // a change the read-out has not been shown yet
    afc->txtAFCRange->setText(QStringLiteral("128"));
    afc->txtAFCScaling->setText(QStringLiteral("4096"));
    EXPECT_EQ(m->lbltest10hex->text(), before);
}

// R10 written, then the gains and the switch: the read-out shows at once, marked, the word the
// next write sends.
TEST_F(AfcWindow, ListsAndToggleAreShownMarkedUntilWritten) {
    m->ConnectUSB->click();
    m->cmdReg10->click();
    ASSERT_EQ(m->lbltest10hex->mark(), Mark::Normal);
    evaltest::chooseItem(afc->cmbKi, 3);
    evaltest::chooseItem(afc->cmbKp, 1);
    QTest::mouseClick(afc->afcStatus, Qt::LeftButton);
    EXPECT_EQ(f().AfcKpField, 1 << 21);
    EXPECT_EQ(f().AfcKiField, 3 << 17);
    EXPECT_EQ(f().AfcEnableField, 16);
    EXPECT_EQ(m->lbltest10hex->text(), QStringLiteral("0x3226355A"));
    EXPECT_EQ(m->lbltest10hex->mark(), Mark::Changed);
    clearRecords();
    m->cmdReg10->click();
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x3226355Au});
    EXPECT_EQ(m->lbltest10hex->mark(), Mark::Normal);
    QTest::mouseClick(afc->afcStatus, Qt::LeftButton);
    EXPECT_EQ(f().AfcEnableField, 0);
    EXPECT_EQ(m->lbltest10hex->text(), QStringLiteral("0x3226354A"));
    EXPECT_EQ(m->lbltest10hex->mark(), Mark::Changed);
}

// The window is loaded unseen (the fixture's reference, as a settings file makes it); the
// synthesizer then plans the scaling factor for a new crystal. Opened, the window shows it.
TEST_F(AfcWindow, LoadedUnseenItShowsTheScalingInForceWhenOpened) {
    synthform& s = app->synthform();
    evaltest::enterInto(s.TxtCrystal1, QStringLiteral("9.84"));
    evaltest::enterInto(s.txtpfd1, QStringLiteral("9.84"));
    s.CmdCalculate->click();
    s.returnToPanel->click();
    const double scaling = f().AfcScalingField / 32;
    ASSERT_NE(afc->txtAFCScaling->text(), platform::numberText(scaling));
    m->afcStatus->click();
    EXPECT_EQ(app->frmAFC().txtAFCScaling->text(), platform::numberText(scaling));
}

TEST_F(AfcWindow, ReturnAndCloseBoxSetTheCaptionUnloadAndRefresh) {
    struct Case {
        bool on;
        bool closeBox;
        const char* caption;
    } cases[] = {
        {true, false, "On"}, {false, false, "OFF"}, {true, true, "On"}, {false, true, "OFF"}};
    for (const Case& c : cases) {
        frmAFC& w = app->frmAFC();
        w.afcStatus->setOn(c.on);
        f().AfcKiField = (c.on ? 5 : 6) << 17; // unseen until the return refreshes
        if (c.closeBox)
            w.close();
        else
            w.returnToPanel->click();
        EXPECT_EQ(m->afcStatus->text(), QString::fromLatin1(c.caption));
        EXPECT_EQ(f().AfcEnableField, c.on ? 16 : 0);
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmAFC")));
        EXPECT_TRUE(readoutShowsWord10());
        EXPECT_EQ(m->lbltest10hex->mark(), Mark::Changed);
    }
}

TEST_F(AfcWindow, StaysUsableWhileTheFrontPanelIsUsed) {
    app->showModeless(afc);
    EXPECT_FALSE(afc->isModal());
    EXPECT_EQ(afc->windowModality(), Qt::NonModal);
    m->cmbDemod->setCurrentIndex(2);
    m->txtDatarate->setText(QStringLiteral("4.8"));
    afc->cmbKp->setCurrentIndex(2);
    afc->txtAFCRange->setText(QStringLiteral("30"));
    EXPECT_TRUE(afc->isVisible());
    EXPECT_EQ(&app->frmAFC(), afc);
    EXPECT_EQ(f().AfcKpField, 2 << 21);
    EXPECT_EQ(f().AfcRangeField, 60.0 * (1 << 24));
}
