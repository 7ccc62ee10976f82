// The AGC window: register 9 from its controls, the threshold limits and the
// closing checks, the front-panel caption on return.
#include "corvanefixture.h"

#include "link/registerlink.h"
#include "platform/entrymark.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

using namespace corvane;
using namespace corvane::test;

namespace {

struct AgcWindow : CorvaneFixture {
    Main* m = nullptr;
    frmAGC* agc = nullptr;
    void SetUp() override {
        CorvaneFixture::SetUp();
        m = &start();
        agc = &app->frmAGC();
        clearRecords();
    }
};

} // namespace

TEST_F(AgcWindow, LoadFillsTheControlsFromRegister9) {
    agc->unload();
    f().AgcModeField = 1 << 19;
    f().LnaGainField = 1 << 21;
    f().FilterGainField = 1 << 22;
    f().AgcLowThresholdField = 12 << 4;
    f().AgcHighThresholdField = 75 << 11;
    frmAGC& w = app->frmAGC();
    EXPECT_EQ(w.agcMode->currentText(), QStringLiteral("Freeze"));
    EXPECT_TRUE(w.lnaGain->isEnabled());
    EXPECT_EQ(w.lnaGain->currentText(), QStringLiteral("High"));
    EXPECT_EQ(w.filterGain->currentText(), QStringLiteral("Medium"));
    EXPECT_EQ(w.lowThreshold->text(), QStringLiteral("12"));
    EXPECT_EQ(w.highThreshold->text(), QStringLiteral("75"));
}

TEST_F(AgcWindow, UnknownModeLeavesTheListAlone) {
    agc->unload();
    f().AgcModeField = 3 << 18;
    frmAGC& w = app->frmAGC();
    EXPECT_EQ(w.agcMode->currentIndex(), -1);
    EXPECT_TRUE(w.lnaGain->isEnabled());
    EXPECT_EQ(f().AgcModeField, 3 << 18);
}

TEST_F(AgcWindow, ThresholdsAreStoredWithinTheirLimits) {
    struct Case {
        bool high;
        const char* text;
        std::optional<int> stored; // nullopt: the earlier value stays
        const char* message;
    } cases[] = {
        {false, "63", 63, nullptr},
        {false, "64", std::nullopt, "Max AGC Low Threshold setting is 63"},
        {false, "-1", std::nullopt, nullptr},
        {false, "ab", std::nullopt, nullptr},
        {false, "", std::nullopt, nullptr},
        {true, "80", 80, nullptr},
        {true, "81", std::nullopt, "Max AGC High Threshold setting is 80"},
        {true, "100", std::nullopt, nullptr}, // three characters
        {true, "-9", std::nullopt, nullptr},
    };
    for (const Case& c : cases) {
        QLineEdit* box = c.high ? agc->highThreshold : agc->lowThreshold;
        box->setText(QStringLiteral("5"));
        services.messages.clear();
        box->setText(QString::fromLatin1(c.text));
        const int v = c.stored.value_or(5);
        if (c.high) {
            EXPECT_EQ(f().AgcHighThresholdField, v << 11) << c.text;
            EXPECT_EQ((word(9) >> 11) & 0x7F, uint32_t(v)) << c.text;
        } else {
            EXPECT_EQ(f().AgcLowThresholdField, v << 4) << c.text;
            EXPECT_EQ((word(9) >> 4) & 0x3F, uint32_t(v)) << c.text;
        }
        EXPECT_EQ(m->lblAGC9hex->text(), reglink::readoutText(word(9))) << c.text;
        EXPECT_EQ(messageTexts(), c.message ? std::vector<QString>{QString::fromLatin1(c.message)}
                                            : std::vector<QString>{})
            << c.text;
        // A refused entry marks the box with what it accepts, until one is taken.
        EXPECT_EQ(platform::isMarkedRefused(box), !c.stored) << c.text;
        if (!c.stored) {
            EXPECT_EQ(box->toolTip(), c.high ? evalkit::AgcHighAccepts : evalkit::AgcLowAccepts);
        }
    }
}

// An empty box, or one without a number, is marked while the window is open and is not
// "outside of limits" when it closes; the threshold that stands stays.
TEST_F(AgcWindow, AThresholdThatIsNoNumberIsMarkedNotOutsideOfLimits) {
    agc->highThreshold->setText(QString());
    agc->lowThreshold->setText(QStringLiteral("ab"));
    EXPECT_TRUE(platform::isMarkedRefused(agc->highThreshold));
    EXPECT_TRUE(platform::isMarkedRefused(agc->lowThreshold));
    EXPECT_TRUE(messageTexts().empty());
    agc->returnToPanel->click();
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmAGC")));
    EXPECT_EQ(f().AgcHighThresholdField, 70 << 11);
    EXPECT_EQ(f().AgcLowThresholdField, 30 << 4);
}

TEST_F(AgcWindow, ReturnWarnsAboutRefusedThresholdsAndStillCloses) {
    agc->highThreshold->setText(QStringLiteral("100"));
    agc->lowThreshold->setText(QStringLiteral("-5"));
    EXPECT_TRUE(messageTexts().empty());
    agc->returnToPanel->click();
    EXPECT_EQ(messageTexts(),
              (std::vector<QString>{QStringLiteral("AGC High Threshold outside of limits"),
                                    QStringLiteral("AGC Low Threshold outside of limits")}));
    EXPECT_EQ(services.messages.messages.front().icon, platform::MsgIcon::None);
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmAGC")));
    EXPECT_EQ(f().AgcHighThresholdField, 70 << 11);
    EXPECT_EQ(f().AgcLowThresholdField, 30 << 4);
}

TEST_F(AgcWindow, ReturnIsQuietForThresholdsInRange) {
    agc->highThreshold->setText(QStringLiteral("0"));
    agc->lowThreshold->setText(QStringLiteral("63"));
    agc->returnToPanel->click();
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(AgcWindow, AutoGreysTheManualGainsButKeepsThem) {
    agc->agcMode->setCurrentIndex(1);
    agc->lnaGain->setCurrentIndex(2);
    agc->filterGain->setCurrentIndex(1);
    agc->agcMode->setCurrentIndex(0);
    EXPECT_EQ(f().AgcModeField, 0);
    EXPECT_FALSE(agc->lnaGain->isEnabled());
    EXPECT_FALSE(agc->filterGain->isEnabled());
    EXPECT_EQ(f().LnaGainField, 1 << 21);
    EXPECT_EQ(f().FilterGainField, 1 << 22);
    EXPECT_EQ((word(9) >> 20) & 0xF, 0x6u);
}

TEST_F(AgcWindow, ReturnAndCloseBoxShowTheMode) {
    struct Case {
        int index;
        int32_t field;
        const char* caption;
        bool closeBox;
    } cases[] = {{2, 1 << 19, "Frozen", false},
                 {1, 1 << 18, "Manual", false},
                 {0, 0, "Auto", false},
                 {2, 1 << 19, "Frozen", true}};
    for (const Case& c : cases) {
        frmAGC& w = app->frmAGC();
        w.agcMode->setCurrentIndex(c.index);
        EXPECT_EQ(f().AgcModeField, c.field);
        EXPECT_TRUE(w.lnaGain->isEnabled() == (c.index != 0));
        f().LnaGainField = c.index << 20; // unseen until the return refreshes
        if (c.closeBox)
            w.close();
        else
            w.returnToPanel->click();
        EXPECT_EQ(m->agcStatus->text(), QString::fromLatin1(c.caption));
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmAGC")));
        EXPECT_EQ(m->lblAGC9hex->text(), reglink::readoutText(word(9)));
    }
}
