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
        m = &startConnected();
        m->ifCalStatus->click();
        return app->frmIFCal();
    }
};

using IFCalOverParallelPort = CorvaneNOverSimulatedPort;

TEST_F(IFCalWindow, AfterStartupItShowsDwell80AndTheTonesOf18_5kHz) {
    corvane::frmIFCal& c = open();
    EXPECT_EQ(services.shower.names().back(), QStringLiteral("frmIFCal"));
    EXPECT_EQ(c.windowTitle(), QStringLiteral("IF Filter Calibration"));
    EXPECT_EQ(c.dwellTime->text(), QStringLiteral("80"));
    EXPECT_EQ(c.upperTone->text(), QStringLiteral("83"));
    EXPECT_EQ(c.lowerTone->text(), QStringLiteral("126"));
    EXPECT_EQ(c.upperToneFrequency->text(), QStringLiteral("118.6")); // 19680 / 166
    EXPECT_EQ(c.lowerToneFrequency->text(), QStringLiteral("78.1"));  // 19680 / 252
    EXPECT_EQ(c.toneCalTime->text(), QStringLiteral("0.801"));        // 197 x 80 / 19680
    EXPECT_EQ(c.totalFineCalTime->text(), QStringLiteral("8.01"));
    EXPECT_TRUE(usb.lines().empty());
}

TEST_F(IFCalWindow, HasNoWorkaroundNoAutoCalculateAndAFrameForEachCalibration) {
    corvane::frmIFCal& c = open();
    EXPECT_EQ(c.fineCalWorkaround, nullptr);
    EXPECT_EQ(c.autoCalculate, nullptr);
    EXPECT_EQ(c.registerOrderNote, nullptr);
    for (const char* gone : {"Command6", "Command4", "Label17"})
        EXPECT_EQ(c.findChild<QWidget*>(QString::fromLatin1(gone)), nullptr) << gone;
    for (const QLabel* l : c.findChildren<QLabel*>()) {
        EXPECT_NE(l->text(), QStringLiteral("Refer to Corvane anomaly sheet"));
        EXPECT_FALSE(l->text().startsWith(QStringLiteral("Note: Write to register 6")));
    }
    EXPECT_TRUE(c.outerFrame->title().isEmpty());
    EXPECT_EQ(c.outerFrame->toolTip(), QStringLiteral("Auto calculate dwell time, upper and lower "
                                                      "tones based on datasheet recommendations"));
    ASSERT_NE(c.coarseFrame, nullptr);
    EXPECT_EQ(c.coarseFrame->title(), QStringLiteral("Coarse Calibration"));
    EXPECT_TRUE(c.coarseFrame->isAncestorOf(c.coarseCalibrate));
    EXPECT_TRUE(c.coarseFrame->isAncestorOf(c.coarseNote));
    EXPECT_EQ(c.coarseNote->text(), QStringLiteral("Writes to Register 5"));
    EXPECT_EQ(c.fineFrame->title(), QStringLiteral("Fine Calibration"));
    EXPECT_TRUE(c.fineFrame->isAncestorOf(c.fineCalibrate));
    EXPECT_TRUE(c.fineFrame->isAncestorOf(c.dwellTime));
    EXPECT_EQ(c.fineNote->text(), QStringLiteral("Writes to Register 6 then Register 5"));
    EXPECT_EQ(c.fineCalibrate->toolTip(),
              QStringLiteral("Does Coarse cal followed by Fine Cal by programming Register 6 "
                             "followed by Register 5. Fine Cal is recommended if using 18.75kHz "
                             "or 12.5kHz IF Filter B/Ws"));
}

// The lower tone 150 that corvane-eval refuses (its chip cannot count it) is calibrated here.
TEST_F(IFCalWindow, FineCalWithALowerToneOf150WritesR6ThenR5) {
    corvane::frmIFCal& c = open();
    c.lowerTone->setText(QStringLiteral("150"));
    usb.clear();
    c.fineCalibrate->click();
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
    c.lowerTone->setText(QStringLiteral("150"));
    const size_t before = port.words().size();
    c.fineCalibrate->click();
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
    c.dwellTime->setText(QStringLiteral("200"));
    c.upperTone->setText(QStringLiteral("300"));
    c.lowerTone->setText(QStringLiteral("-1"));
    const uint32_t r6 = word(6);
    clearRecords();
    c.fineCalibrate->click();
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
        {c.fineCalibrate, QStringLiteral("Fine Cal")},
        {c.coarseCalibrate, QStringLiteral("Coarse")},
        {c.updateRegister5, QStringLiteral("Manual Adjust")},
        {c.fineCalibrate, QStringLiteral("Fine Cal")},
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
    c.dwellTime->setText(QStringLiteral("90"));
    c.scrollIFadjust->setValue(40);
    c.returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmIFCal")));
    corvane::frmIFCal& again = app->frmIFCal();
    EXPECT_EQ(again.dwellTime->text(), QStringLiteral("90"));
    EXPECT_EQ(again.scrollIFadjust->value(), 40);
    EXPECT_TRUE(usb.lines().empty());
}

} // namespace
