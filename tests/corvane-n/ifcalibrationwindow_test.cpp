// Corvane-N's IF filter calibration window: corvane-eval's window without the workaround and
// the automatic calculation, each calibration in its own frame, and a fine calibration for
// every lower tone divide.
#include "corvanenfixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace corvanen::test;

namespace {

constexpr uint32_t CalibrateBit = 16; // bit 4 of R5 (coarse) and R6 (fine)

struct IFCalWindow : CorvaneNFixture {
    corvane::Main* m = nullptr;
    corvane::frmIFCal& open() {
        m = &start();
        clearRecords();
        m->ifCalStatus->click();
        return app->frmIFCal();
    }
};

using IFCalOverParallelPort = CorvaneNOverSimulatedPort;

TEST_F(IFCalWindow, AfterStartupItShowsDwell80AndTheTonesOf18_5kHz) {
    corvane::frmIFCal& c = open();
    EXPECT_EQ(services.shower.names().back(), QStringLiteral("frmIFCal"));
    EXPECT_EQ(c.windowTitle(), QStringLiteral("IF Filter Calibration"));
    EXPECT_EQ(c.Text1->text(), QStringLiteral("80"));
    EXPECT_EQ(c.Text2->text(), QStringLiteral("83"));
    EXPECT_EQ(c.Text3->text(), QStringLiteral("126"));
    EXPECT_EQ(c.Label13->text(), QStringLiteral("118.6")); // 19680 / 166
    EXPECT_EQ(c.Label14->text(), QStringLiteral("78.1"));  // 19680 / 252
    EXPECT_EQ(c.Label8->text(), QStringLiteral("0.801"));  // 197 x 80 / 19680
    EXPECT_EQ(c.Label10->text(), QStringLiteral("8.01"));
    EXPECT_TRUE(usb.lines().empty());
}

TEST_F(IFCalWindow, HasNoWorkaroundNoAutoCalculateAndAFrameForEachCalibration) {
    corvane::frmIFCal& c = open();
    EXPECT_EQ(c.Command6, nullptr);
    EXPECT_EQ(c.Command4, nullptr);
    EXPECT_EQ(c.Label17, nullptr);
    for (const char* gone : {"Command6", "Command4", "Label17"})
        EXPECT_EQ(c.findChild<QWidget*>(QString::fromLatin1(gone)), nullptr) << gone;
    for (const QLabel* l : c.findChildren<QLabel*>()) {
        EXPECT_NE(l->text(), QStringLiteral("Refer to Corvane anomaly sheet"));
        EXPECT_FALSE(l->text().startsWith(QStringLiteral("Note: Write to register 6")));
    }
    EXPECT_TRUE(c.Frame1->title().isEmpty());
    EXPECT_EQ(c.Frame1->toolTip(), QStringLiteral("Auto calculate dwell time, upper and lower "
                                                  "tones based on datasheet recommendations"));
    ASSERT_NE(c.Frame4, nullptr);
    EXPECT_EQ(c.Frame4->title(), QStringLiteral("Coarse Calibration"));
    EXPECT_TRUE(c.Frame4->isAncestorOf(c.Command3));
    EXPECT_TRUE(c.Frame4->isAncestorOf(c.Label1));
    EXPECT_EQ(c.Label1->text(), QStringLiteral("Writes to Register 5"));
    EXPECT_EQ(c.Frame2->title(), QStringLiteral("Fine Calibration"));
    EXPECT_TRUE(c.Frame2->isAncestorOf(c.Command1));
    EXPECT_TRUE(c.Frame2->isAncestorOf(c.Text1));
    EXPECT_EQ(c.Label2->text(), QStringLiteral("Writes to Register 6 then Register 5"));
    EXPECT_EQ(c.Command1->toolTip(),
              QStringLiteral("Does Coarse cal followed by Fine Cal by programming Register 6 "
                             "followed by Register 5. Fine Cal is recommended if using 18.75kHz "
                             "or 12.5kHz IF Filter B/Ws"));
}

// The lower tone 150 that corvane-eval refuses (its chip cannot count it) is calibrated here.
TEST_F(IFCalWindow, FineCalWithALowerToneOf150WritesR6ThenR5) {
    corvane::frmIFCal& c = open();
    c.Text3->setText(QStringLiteral("150"));
    usb.clear();
    c.Command1->click();
    EXPECT_TRUE(messageTexts().empty());
    const auto words = usb.writtenWords();
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(bits(words[0], 0, 4), 6u);
    EXPECT_EQ(bits(words[0], 5, 8), 150u);
    EXPECT_EQ(bits(words[0], 13, 8), 83u);
    EXPECT_EQ(bits(words[0], 21, 7), 80u);
    EXPECT_EQ(words[0] & CalibrateBit, CalibrateBit);
    EXPECT_EQ(bits(words[1], 0, 4), 5u);
    EXPECT_EQ(words[1] & CalibrateBit, CalibrateBit);
    EXPECT_EQ(m->ifCalStatus->text(), corvane::FineCalCaption);
}

TEST_F(IFCalOverParallelPort, FineCalWithALowerToneOf150WritesR6ThenR5) {
    corvane::Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    corvane::frmIFCal& c = app->frmIFCal();
    c.Text3->setText(QStringLiteral("150"));
    const size_t before = port.words().size();
    c.Command1->click();
    EXPECT_TRUE(messageTexts().empty());
    ASSERT_EQ(port.words().size(), before + 2);
    EXPECT_EQ(port.words()[before], word(6));
    EXPECT_EQ(bits(port.words()[before], 5, 8), 150u);
    EXPECT_EQ(port.words()[before + 1], word(5));
    EXPECT_EQ(port.words()[before + 1] & CalibrateBit, CalibrateBit);
    EXPECT_TRUE(port.malformed().empty());
}

// As in corvane-eval: every limit message is shown, then nothing is stored or calibrated
// (a dwell above 127 or a tone above 255 would run into the neighbouring fields of R6).
TEST_F(IFCalWindow, FineCalShowsEveryLimitMessageAndThenDoesNotCalibrate) {
    corvane::frmIFCal& c = open();
    c.Text1->setText(QStringLiteral("200"));
    c.Text2->setText(QStringLiteral("300"));
    c.Text3->setText(QStringLiteral("-1"));
    const uint32_t r6 = word(6);
    clearRecords();
    c.Command1->click();
    EXPECT_EQ(messageTexts(),
              (std::vector<QString>{corvane::DwellLimitsText, corvane::UpperToneLimitsText,
                                    corvane::LowerToneLimitsText}));
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_EQ(word(6), r6);
    EXPECT_EQ(f().IFFineCalField, 0);
    EXPECT_EQ(m->ifCalStatus->text(), QStringLiteral("No Cal"));
}

// Only the three calibrations leave their names; "Fine Cal workaround" never appears.
TEST_F(IFCalWindow, StatusCaptionsAreOnlyFineCoarseAndManual) {
    corvane::frmIFCal& c = open();
    const std::pair<QPushButton*, QString> steps[] = {
        {c.Command1, QStringLiteral("Fine Cal")},
        {c.Command3, QStringLiteral("Coarse")},
        {c.Command5, QStringLiteral("Manual Adjust")},
        {c.Command1, QStringLiteral("Fine Cal")},
    };
    for (const auto& [button, caption] : steps) {
        button->click();
        EXPECT_EQ(m->ifCalStatus->text(), caption);
        EXPECT_NE(m->ifCalStatus->text(), corvane::FineCalWorkaroundCaption);
    }
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(IFCalWindow, ReturnUnloadsAndALaterOpeningShowsTheFields) {
    corvane::frmIFCal& c = open();
    c.Text1->setText(QStringLiteral("90"));
    c.scrollIFadjust->setValue(40);
    c.Command2->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmIFCal")));
    corvane::frmIFCal& again = app->frmIFCal();
    EXPECT_EQ(again.Text1->text(), QStringLiteral("90"));
    EXPECT_EQ(again.scrollIFadjust->value(), 40);
    EXPECT_TRUE(usb.lines().empty());
}

} // namespace
