// The IF filter calibration window: its entries, the manual adjust and the four calibration
// buttons with what they write and the status caption they leave on the front panel.
#include "corvanefixture.h"

#include "../support/userinput.h"

#include "link/registerlink.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

constexpr uint32_t FineBit = 16, CoarseBit = 16;

uint32_t bits(uint32_t word, int low, int count) {
    return (word >> low) & ((1u << count) - 1);
}

struct IFCalWindow : CorvaneFixture {
    Main* m = nullptr;
    frmIFCal& open() {
        m = &startConnected();
        return app->frmIFCal();
    }
};

// The window loaded unseen, as a settings file leaves it; the synthesizer then plans the tones
// for a new crystal. Opened, the window shows them.
TEST_F(IFCalWindow, LoadedUnseenItShowsTheTonesInForceWhenOpened) {
    frmIFCal& unseen = open();
    synthform& s = app->synthform();
    evaltest::enterInto(s.TxtCrystal1, QStringLiteral("9.84"));
    evaltest::enterInto(s.txtpfd1, QStringLiteral("9.84"));
    s.CmdCalculate->click();
    s.returnToPanel->click();
    ASSERT_EQ(unseen.upperTone->text(), QStringLiteral("75"));
    m->ifCalStatus->click();
    EXPECT_EQ(&app->frmIFCal(), &unseen);
    EXPECT_EQ(unseen.upperTone->text(), platform::numberText(f().IFCalUpperToneField >> 13));
    EXPECT_EQ(unseen.lowerTone->text(), platform::numberText(f().IFCalLowerToneField >> 5));
    EXPECT_NE(unseen.upperTone->text(), QStringLiteral("75"));
}

// Start-up: a 19.68 MHz crystal, sequencer divider from the data-rate plan, dwell 40, the
// synthesizer's tones 75 and 150 for that crystal, no manual adjust.
TEST_F(IFCalWindow, LoadShowsTheFieldsAndTheirTimesAndTones) {
    frmIFCal& c = open();
    EXPECT_EQ(c.dwellTime->text(), QStringLiteral("40"));
    EXPECT_EQ(c.upperTone->text(), QStringLiteral("75"));
    EXPECT_EQ(c.lowerTone->text(), QStringLiteral("150"));
    EXPECT_EQ(c.upperToneFrequency->text(), QStringLiteral("131.2")); // 19680 / 150
    EXPECT_EQ(c.lowerToneFrequency->text(), QStringLiteral("65.6"));  // 19680 / 300
    // Sequencer divider 197: 197 x 40 / 19680 kHz = 0.40041 ms.
    ASSERT_EQ(f().SeqClockDividerField, 197 << 18);
    EXPECT_EQ(c.toneCalTime->text(), QStringLiteral("0.4"));
    EXPECT_EQ(c.totalFineCalTime->text(), QStringLiteral("4"));
    EXPECT_EQ(c.scrollIFadjust->value(), 31);
    EXPECT_EQ(c.adjustValue->text(), QStringLiteral("=  0 kHz"));
    EXPECT_TRUE(usb.lines().empty()); // loading writes nothing
}

// A box acts on 1 to 3 characters that make a number its field can hold (a tone divide from
// 1); anything else is ignored, the field keeps its value and the box is marked with what it
// takes. No limit message here.
TEST_F(IFCalWindow, EntriesStoreOnlyWhatTheirFieldsHold) {
    frmIFCal& c = open();
    struct Case {
        QLineEdit* box;
        int32_t* field;
        int shift;
        const char* text;
        std::optional<int32_t> stored; // nullopt: field unchanged
    } cases[] = {
        {c.dwellTime, &f().IFCalDwellTimeField, 21, "100", 100},
        {c.dwellTime, &f().IFCalDwellTimeField, 21, "1000", std::nullopt}, // four characters
        {c.dwellTime, &f().IFCalDwellTimeField, 21, "128", std::nullopt},  // beyond 7 bits
        {c.dwellTime, &f().IFCalDwellTimeField, 21, "127", 127},
        {c.dwellTime, &f().IFCalDwellTimeField, 21, "", std::nullopt},
        {c.dwellTime, &f().IFCalDwellTimeField, 21, "abc", std::nullopt},
        {c.dwellTime, &f().IFCalDwellTimeField, 21, "-1", std::nullopt},
        {c.upperTone, &f().IFCalUpperToneField, 13, "255", 255},
        {c.upperTone, &f().IFCalUpperToneField, 13, "256", std::nullopt}, // beyond 8 bits
        {c.upperTone, &f().IFCalUpperToneField, 13, "7.5", 8},            // whole divides only
        {c.lowerTone, &f().IFCalLowerToneField, 5, "200", 200},
        {c.lowerTone, &f().IFCalLowerToneField, 5, "999", std::nullopt},
        {c.lowerTone, &f().IFCalLowerToneField, 5, "0", std::nullopt}, // no tone
        {c.dwellTime, &f().IFCalDwellTimeField, 21, "0", 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text);
        k.box->setText(QStringLiteral("1")); // a known starting point
        const int32_t before = *k.field;
        k.box->setText(QString::fromLatin1(k.text));
        EXPECT_EQ(*k.field, k.stored ? *k.stored << k.shift : before);
        EXPECT_EQ(platform::isMarkedRefused(k.box), !k.stored);
    }
    c.dwellTime->setText(QStringLiteral("200"));
    EXPECT_EQ(c.dwellTime->toolTip(),
              QStringLiteral("IF Cal Dwell Time: a number from 0 to 127 of at most 3 characters"));
    EXPECT_EQ(
        c.lowerTone->toolTip(),
        QStringLiteral("Fine Cal Lower Tone: a number from 1 to 255 of at most 3 characters"));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(usb.lines().empty());
    // The read-outs follow the entries.
    EXPECT_EQ(m->lblT4hex->text(), reglink::readoutText(word(6)));
    EXPECT_EQ(m->lblT4hex->mark(), Mark::Changed);
}

TEST_F(IFCalWindow, ToneLabelsFollowTheBoxes) {
    frmIFCal& c = open();
    c.upperTone->setText(QStringLiteral("75"));
    EXPECT_EQ(c.upperToneFrequency->text(), QStringLiteral("131.2"));
    c.lowerTone->setText(QStringLiteral("117"));
    EXPECT_EQ(c.lowerToneFrequency->text(), QStringLiteral("84.1"));
    c.lowerTone->setText(QStringLiteral("0")); // no tone: not taken, the tone shown stays
    EXPECT_EQ(c.lowerToneFrequency->text(), QStringLiteral("84.1"));
    EXPECT_TRUE(platform::isMarkedRefused(c.lowerTone));
    c.dwellTime->setText(QStringLiteral("100"));
    EXPECT_EQ(c.toneCalTime->text(), QStringLiteral("1.001")); // 197 x 100 / 19680 = 1.00102
    EXPECT_EQ(c.totalFineCalTime->text(), QStringLiteral("10.01"));
    c.dwellTime->setText(QStringLiteral("200")); // not taken: the times stay
    EXPECT_EQ(c.toneCalTime->text(), QStringLiteral("1.001"));
}

// Positions 0..31 adjust downwards with bit 19 clear, 32..63 upwards with bit 19 set; the
// label shows the adjust in exact tenths.
TEST_F(IFCalWindow, ScrollPositionsStoreSignAndMagnitude) {
    frmIFCal& c = open();
    struct Case {
        int position;
        uint32_t field; // bits 14..19
        const char* label;
    } cases[] = {
        {0, 31, "= -9.3 kHz"}, {1, 30, "= -9 kHz"},    {30, 1, "= -0.3 kHz"},
        {31, 0, "=  0 kHz"},   {32, 32, "=  0 kHz"},   {33, 33, "=  0.3 kHz"},
        {62, 62, "=  9 kHz"},  {63, 63, "=  9.3 kHz"}, {10, 21, "= -6.3 kHz"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.position);
        c.scrollIFadjust->setValue(k.position);
        EXPECT_EQ(f().IFFilterAdjustField, static_cast<int32_t>(k.field << 14));
        EXPECT_EQ(bits(word(5), 14, 6), k.field);
        EXPECT_EQ(c.adjustValue->text(), QString::fromLatin1(k.label));
        EXPECT_EQ(m->lblSyncHex->text(), reglink::readoutText(word(5)));
    }
    EXPECT_TRUE(usb.lines().empty());
}

TEST_F(IFCalWindow, LoadPlacesTheScrollBarFromTheAdjustField) {
    start();
    struct Case {
        int32_t magnitudeAndSign;
        int position;
    } cases[] = {{40, 40}, {21, 10}, {0, 31}, {31, 0}, {63, 63}, {32, 32}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.magnitudeAndSign);
        f().IFFilterAdjustField = k.magnitudeAndSign << 14;
        frmIFCal& c = app->frmIFCal();
        EXPECT_EQ(c.scrollIFadjust->value(), k.position);
        EXPECT_EQ(f().IFFilterAdjustField, k.magnitudeAndSign << 14);
        c.returnToPanel_Click();
    }
    // A field no position stands for leaves the bar alone and the field as it is.
    f().IFFilterAdjustField = 100 << 14;
    EXPECT_EQ(app->frmIFCal().scrollIFadjust->value(), 0);
    EXPECT_EQ(f().IFFilterAdjustField, 100 << 14);
}

// With the 19.68 MHz crystal the recommended lower tone needs a divide of 150, beyond what
// the fine calibration can count: the calculation fills the boxes, the calibration refuses.
TEST_F(IFCalWindow, AutoCalculateAt19_68MHzThenFineCalIsRefused) {
    frmIFCal& c = open();
    c.dwellTime->setText(QStringLiteral("12"));
    c.upperTone->setText(QStringLiteral("82"));
    c.lowerTone->setText(QStringLiteral("123"));
    c.autoCalculate->click();
    EXPECT_EQ(c.dwellTime->text(), QStringLiteral("40"));
    EXPECT_EQ(c.upperTone->text(), QStringLiteral("75"));
    EXPECT_EQ(c.lowerTone->text(), QStringLiteral("150"));
    EXPECT_EQ(f().IFCalDwellTimeField, 40 << 21);
    EXPECT_EQ(f().IFCalUpperToneField, 75 << 13);
    EXPECT_EQ(f().IFCalLowerToneField, 150 << 5);
    EXPECT_EQ(c.upperToneFrequency->text(), QStringLiteral("131.2"));
    EXPECT_EQ(c.lowerToneFrequency->text(), QStringLiteral("65.6"));
    EXPECT_TRUE(usb.lines().empty());

    const uint32_t r6 = word(6);
    c.fineCalibrate->click();
    EXPECT_EQ(messageTexts(), (std::vector<QString>{FineCalRefusedText}));
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_EQ(word(6), r6);
    EXPECT_EQ(f().IFFineCalField, 0);
    EXPECT_EQ(m->ifCalStatus->text(), QStringLiteral("No Cal"));
}

TEST_F(IFCalWindow, FineCalWritesR6ThenR5WithBothCalibrationBits) {
    frmIFCal& c = open();
    c.dwellTime->setText(QStringLiteral("50"));
    c.upperTone->setText(QStringLiteral("80"));
    c.lowerTone->setText(QStringLiteral("120"));
    usb.clear();
    c.fineCalibrate->click();
    EXPECT_TRUE(messageTexts().empty());
    const auto words = usb.writtenWords();
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0], word(6));
    EXPECT_EQ(bits(words[0], 0, 4), 6u);
    EXPECT_EQ(bits(words[0], 4, 1), 1u);
    EXPECT_EQ(bits(words[0], 5, 8), 120u);
    EXPECT_EQ(bits(words[0], 13, 8), 80u);
    EXPECT_EQ(bits(words[0], 21, 7), 50u);
    EXPECT_EQ(words[1], word(5));
    EXPECT_EQ(words[1] & CoarseBit, CoarseBit);
    EXPECT_EQ(m->ifCalStatus->text(), FineCalCaption);
}

// The three limit messages all show; a value its field cannot hold is not stored and the
// chip is not asked to calibrate.
TEST_F(IFCalWindow, FineCalShowsEveryLimitMessageAndThenDoesNotCalibrate) {
    frmIFCal& c = open();
    struct Case {
        const char* dwell;
        const char* upper;
        const char* lower;
        std::vector<QString> messages;
    } cases[] = {
        {"200", "80", "120", {DwellLimitsText}},
        {"50", "300", "120", {UpperToneLimitsText}},
        {"50", "80", "-1", {LowerToneLimitsText}},
        {"50", "0", "0", {UpperToneLimitsText, LowerToneLimitsText}}, // no tones at all
        {"abc", "", "1000", {DwellLimitsText, UpperToneLimitsText, LowerToneLimitsText}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.dwell);
        c.dwellTime->setText(QStringLiteral("40"));
        c.upperTone->setText(QStringLiteral("82"));
        c.lowerTone->setText(QStringLiteral("123"));
        c.dwellTime->setText(QString::fromLatin1(k.dwell));
        c.upperTone->setText(QString::fromLatin1(k.upper));
        c.lowerTone->setText(QString::fromLatin1(k.lower));
        const CorvaneFields before = f();
        clearRecords();
        c.fineCalibrate->click();
        EXPECT_EQ(messageTexts(), k.messages);
        for (const auto& msg : services.messages.messages)
            EXPECT_EQ(msg.icon, platform::MsgIcon::None);
        EXPECT_TRUE(usb.lines().empty());
        EXPECT_EQ(f().IFCalDwellTimeField, before.IFCalDwellTimeField);
        EXPECT_EQ(f().IFCalUpperToneField, before.IFCalUpperToneField);
        EXPECT_EQ(f().IFCalLowerToneField, before.IFCalLowerToneField);
        EXPECT_EQ(f().IFFineCalField, 0);
        EXPECT_EQ(m->ifCalStatus->text(), QStringLiteral("No Cal"));
    }
}

TEST_F(IFCalWindow, CoarseCalClearsAPendingFineCalFirst) {
    frmIFCal& c = open();
    c.scrollIFadjust->setValue(50);
    usb.clear();
    c.coarseCalibrate->click(); // fine bit clear: R5 only
    auto words = usb.writtenWords();
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(bits(words[0], 0, 4), 5u);
    EXPECT_EQ(words[0] & CoarseBit, CoarseBit);
    EXPECT_EQ(bits(words[0], 14, 6), 0u); // the manual adjust is cleared
    EXPECT_EQ(c.scrollIFadjust->value(), 31);
    EXPECT_EQ(f().IFFilterAdjustField, 0);
    EXPECT_EQ(m->ifCalStatus->text(), CoarseCalCaption);

    c.lowerTone->setText(QStringLiteral("120")); // a lower tone the fine calibration can count
    c.fineCalibrate->click();
    ASSERT_EQ(f().IFFineCalField, 16);
    usb.clear();
    c.coarseCalibrate->click(); // fine bit set: R6 with it cleared, then R5
    words = usb.writtenWords();
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(bits(words[0], 0, 4), 6u);
    EXPECT_EQ(words[0] & FineBit, 0u);
    EXPECT_EQ(words[1], word(5));
    EXPECT_EQ(words[1] & CoarseBit, CoarseBit);
    EXPECT_EQ(f().IFFineCalField, 0);
}

TEST_F(IFCalWindow, UpdateRegister5SendsTheAdjustWithoutCalibrating) {
    frmIFCal& c = open();
    c.scrollIFadjust->setValue(0);
    usb.clear();
    c.updateRegister5->click();
    const auto words = usb.writtenWords();
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0], word(5));
    EXPECT_EQ(words[0] & CoarseBit, 0u);
    EXPECT_EQ(bits(words[0], 14, 6), 31u);
    EXPECT_EQ(m->ifCalStatus->text(), ManualAdjustCaption);
}

// The workaround: two raw words, a calibration at bandwidth index 1 with tones for the
// crystal (86 and 117 at 19.68 MHz), R9 and R15 put back, then R4 with its bandwidth again.
TEST_F(IFCalWindow, WorkaroundWritesItsSequenceAndRestoresTheBandwidth) {
    frmIFCal& c = open();
    const double bandwidth = f().IFFilterBandwidthField;
    c.fineCalWorkaround->click();

    const uint32_t r4 = word(4);
    const auto words = usb.writtenWords();
    ASSERT_EQ(words.size(), 8u);
    EXPECT_EQ(words[0], 0xCB00000Fu);
    EXPECT_EQ(words[1], (r4 & 0x3FFFFFFFu) | 0x40000000u);
    EXPECT_EQ(words[2], 0x00040009u);
    EXPECT_EQ(words[3], word(6) | FineBit);
    EXPECT_EQ(bits(words[3], 13, 8), 86u);
    EXPECT_EQ(bits(words[3], 5, 8), 117u);
    EXPECT_EQ(words[4], word(5) | CoarseBit);
    EXPECT_EQ(words[5], word(9));
    EXPECT_EQ(words[6], word(15));
    EXPECT_EQ(words[7], r4);
    EXPECT_EQ(bits(words[7], 30, 2), 2u);

    EXPECT_EQ(f().IFFilterBandwidthField, bandwidth);
    EXPECT_EQ(f().IFFineCalField, 0);
    EXPECT_EQ(f().IFCoarseCalField, 0);
    EXPECT_EQ(c.upperTone->text(), QStringLiteral("86"));
    EXPECT_EQ(c.lowerTone->text(), QStringLiteral("117"));
    EXPECT_EQ(c.upperToneFrequency->text(), QStringLiteral("114.4"));
    EXPECT_EQ(c.lowerToneFrequency->text(), QStringLiteral("84.1"));
    EXPECT_EQ(m->lblDEMODhex->mark(), Mark::Normal);
    EXPECT_EQ(m->lblDEMODhex->text(), reglink::readoutText(r4));
    EXPECT_EQ(m->ifCalStatus->text(), FineCalWorkaroundCaption);
    EXPECT_EQ(m->ifCalStatus->font().pointSize(), 7);
    EXPECT_TRUE(messageTexts().empty());
}

// Each calibration leaves its name on the front panel's status button.
TEST_F(IFCalWindow, StatusCaptionNamesTheLastCalibration) {
    frmIFCal& c = open();
    c.lowerTone->setText(QStringLiteral("120"));
    const std::pair<QPushButton*, QString> steps[] = {
        {c.fineCalibrate, QStringLiteral("Fine Cal")},
        {c.coarseCalibrate, QStringLiteral("Coarse")},
        {c.updateRegister5, QStringLiteral("Manual Adjust")},
        {c.fineCalWorkaround, QStringLiteral("Fine Cal workaround")},
    };
    for (const auto& [button, caption] : steps) {
        button->click();
        EXPECT_EQ(m->ifCalStatus->text(), caption);
    }
}

TEST_F(IFCalWindow, ReturnButtonAndCloseBoxUnloadWithoutWriting) {
    frmIFCal& c = open();
    c.returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmIFCal")));
    frmIFCal& again = app->frmIFCal();
    again.show();
    again.close();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmIFCal")));
    EXPECT_TRUE(usb.lines().empty());
}

// corvane-eval's window offers every function: the workaround, the automatic calculation and
// the note on the order of the writes, under the outer frame's caption.
TEST_F(IFCalWindow, OffersTheWorkaroundAndTheAutomaticCalculation) {
    frmIFCal& c = open();
    ASSERT_NE(c.fineCalWorkaround, nullptr);
    ASSERT_NE(c.autoCalculate, nullptr);
    ASSERT_NE(c.registerOrderNote, nullptr);
    EXPECT_EQ(c.fineCalWorkaround->text(), QStringLiteral("Do Workaround for Fine Cal"));
    EXPECT_EQ(c.outerFrame->title(), QStringLiteral("IF Filter Calibration"));
    EXPECT_EQ(c.outerFrame->toolTip(), QStringLiteral("Auto calculate dwell time, upper and lower "
                                                      "tones based on datasheet recommendations"));
    EXPECT_EQ(c.fineFrame->title(), QStringLiteral("Fine Cal Settings"));
    EXPECT_TRUE(c.fineFrame->isAncestorOf(c.dwellTime));
    EXPECT_EQ(c.coarseFrame, nullptr);
}

TEST(IFCalDelay, BusyWaitCountsEveryPass) {
    EXPECT_EQ(reglink::RegisterLink::DelayLoop(10000), 10001);
}

} // namespace

// A calibration whose words reached no board was not done: the status button keeps naming the
// last one done, R4 keeps its mark after the workaround, and each button says once that the
// link is not open.
TEST_F(IFCalWindow, ACalibrationThatReachedNoBoardIsNotShownDone) {
    frmIFCal& c = open();
    c.lowerTone->setText(QStringLiteral("120")); // a lower tone the fine calibration takes
    m->ConnectUSB->click();                      // "Disconnect USB"
    ASSERT_EQ(m->lblDEMODhex->mark(), Mark::Changed);
    for (QPushButton* button :
         {c.fineCalibrate, c.coarseCalibrate, c.updateRegister5, c.fineCalWorkaround}) {
        SCOPED_TRACE(button->text().toStdString());
        clearRecords();
        button->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(m->ifCalStatus->text(), QStringLiteral("No Cal"));
        EXPECT_TRUE(usb.writtenWords().empty());
        EXPECT_EQ(messageTexts(), std::vector<QString>{evalkit::ProgramContext::UsbLinkClosedText});
    }
    EXPECT_EQ(m->lblDEMODhex->mark(), Mark::Changed);

    m->ConnectUSB->click();
    c.coarseCalibrate->click();
    EXPECT_EQ(m->ifCalStatus->text(), QStringLiteral("Coarse"));
}
