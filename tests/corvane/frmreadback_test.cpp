// The readback window: the register-7 choice, the readback over either board and the ADC
// switch.
#include "corvanefixture.h"

#include "../support/userinput.h"

#include "board/simulatedport.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace corvane;
using namespace corvane::test;

namespace {

struct ReadbackWindow : CorvaneFixture {
    frmReadback& open() {
        startConnected();
        return app->frmReadback();
    }
};

QString readLine(int selection, uint32_t answer) {
    return QStringLiteral("dd_read_pellion_reg %1 -> 0x%2")
        .arg(selection)
        .arg(QString::number(answer, 16).toUpper().rightJustified(8, QLatin1Char('0')));
}

// Each entry in turn, in one window: the selection sent over USB, the raw number and the
// converted text; Filter Cal clears the text the RSSI reading left.
TEST_F(ReadbackWindow, EachEntryReadsItsSelectionOverUsbAndConverts) {
    frmReadback& r = open();
    w().DemodClockMHz = 4.92f;
    struct Case {
        int index;
        int selection; // (select + enable + ADC mode) / 16
        int32_t answer;
        const char* raw;
        const char* converted;
        int32_t readbackValue;
    } cases[] = {
        {0, 20, 1320, "1320", "RSSI Level is -110.0 dBm", 40},
        {5, 24, 77, "77", "", 77},
        {1, 21, 63, "63", "Vdd is 2.986 Volts", 63},
        {2, 22, 128 + 64, "192", "Temperature is 1 \u00B0C", 64},
        {3, 23, 100, "100", "ADC Value is 2.375 Volts", 100},
        {4, 16, 6000, "6000", "IF frequency is 12.610 kHz", 6000},
        {6, 28, 0x4011, "16401", "Silicon Code is 4011h", 0x4011},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        usb.clear();
        usb.setReadbackAnswer(static_cast<int16_t>(c.selection), c.answer);
        r.cmbReadback->setCurrentIndex(c.index);
        EXPECT_TRUE(usb.lines().empty()); // choosing writes nothing
        r.cmdReadback->click();
        EXPECT_EQ(usb.lines(), (std::vector<QString>{readLine(c.selection, c.answer)}));
        EXPECT_EQ(f().ReadbackEnableField, 256);
        EXPECT_EQ(w().ReadbackMode, c.index);
        EXPECT_EQ(r.lblReadbackDisplay->text(), QString::fromUtf8(c.raw));
        EXPECT_EQ(r.lblReadbackSpecificDisplay->text(), QString::fromUtf8(c.converted));
        EXPECT_EQ(w().ReadbackValue, c.readbackValue);
    }
    EXPECT_EQ(word(7), 192u + 256 + 7);
}

// The list opens on the entry the register-7 fields select, so the first readback is
// converted as what the chip was asked for (at start-up: the frequency error).
TEST_F(ReadbackWindow, OpensOnTheEntryTheFieldsSelect) {
    frmReadback& first = open();
    EXPECT_EQ(first.cmbReadback->currentIndex(), 4);
    EXPECT_EQ(w().ReadbackMode, 4);
    usb.setReadbackAnswer(16, 0);
    first.cmdReadback->click();
    EXPECT_EQ(first.lblReadbackSpecificDisplay->text(),
              QStringLiteral("IF frequency is -100.000 kHz"));

    first.cmbReadback->setCurrentIndex(6);
    first.returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmReadback")));
    EXPECT_EQ(app->frmReadback().cmbReadback->currentIndex(), 6);
    app->frmReadback().returnToPanel_Click();

    // Fields no entry selects: the list starts empty and the mode stays.
    f().ReadbackAdcModeField = 16;
    f().ReadbackSelectField = 0;
    EXPECT_EQ(app->frmReadback().cmbReadback->currentIndex(), -1);
    EXPECT_EQ(w().ReadbackMode, 6);
    EXPECT_EQ(f().ReadbackAdcModeField, 16);
}

// The closed link answers 0 to anything: a readback over it is no reading. The texts keep the
// last real one, and the user is told once how to open the link.
TEST_F(ReadbackWindow, AReadbackOverAClosedLinkShowsNoReading) {
    frmReadback& r = open();
    usb.setReadbackAnswer(20, 1320);
    evaltest::chooseItem(r.cmbReadback, 0);
    r.cmdReadback->click();
    ASSERT_EQ(r.lblReadbackSpecificDisplay->text(), QStringLiteral("RSSI Level is -110.0 dBm"));

    app->main().ConnectUSB->click(); // "Disconnect USB"
    clearRecords();
    for (int i : {1, 2}) { // two actions, one notice each
        evaltest::chooseItem(r.cmbReadback, i);
        r.cmdReadback->click();
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(usb.calls().empty());
    EXPECT_EQ(r.lblReadbackDisplay->text(), QStringLiteral("1320"));
    EXPECT_EQ(r.lblReadbackSpecificDisplay->text(), QStringLiteral("RSSI Level is -110.0 dBm"));
    EXPECT_EQ(w().ReadbackValue, 40);
    EXPECT_EQ(messageTexts(), (std::vector<QString>{evalkit::ProgramContext::UsbLinkClosedText,
                                                    evalkit::ProgramContext::UsbLinkClosedText}));
}

TEST_F(ReadbackWindow, ReturnButtonAndCloseBoxUnloadWithoutWriting) {
    frmReadback& r = open();
    r.returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmReadback")));
    frmReadback& again = app->frmReadback();
    again.show();
    again.close();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmReadback")));
    EXPECT_TRUE(usb.lines().empty());
}

// In transmit the switch powers the ADC through register 8; in receive the register-8 rule
// powers it anyway, so the switch is disabled.
TEST_F(ReadbackWindow, AdcSwitchWritesRegister8InTransmit) {
    Main& m = startConnected();
    m.optTx->setChecked(true);
    clearRecords();
    frmReadback& r = app->frmReadback();
    EXPECT_TRUE(r.ADC_Status->isEnabled());
    EXPECT_TRUE(r.Tog_ADC_Enable->isEnabled());

    r.Tog_ADC_Enable->setOn(true);
    EXPECT_EQ(f().AdcEnableField, 256);
    ASSERT_EQ(usb.writtenWords().size(), 1u);
    EXPECT_EQ(usb.writtenWords()[0], word(8));
    EXPECT_EQ(usb.writtenWords()[0] & 0x100u, 0x100u);
    EXPECT_EQ(usb.writtenWords()[0] & 0x7E00u, 0u); // the transmit rule: receiver blocks off

    r.Tog_ADC_Enable->setOn(false);
    EXPECT_EQ(f().AdcEnableField, 0);
    ASSERT_EQ(usb.writtenWords().size(), 2u);
    EXPECT_EQ(usb.writtenWords()[1] & 0x100u, 0u);
    EXPECT_EQ(usb.writtenWords()[1] & 0xFu, 8u);

    r.returnToPanel_Click();
    m.optRx->setChecked(true);
    frmReadback& rx = app->frmReadback();
    EXPECT_FALSE(rx.ADC_Status->isEnabled());
    EXPECT_FALSE(rx.Tog_ADC_Enable->isEnabled());
}

// Over the parallel port the simulated chip decodes the 16-bit R7 word and clocks its answer
// back on the status line.
using ReadbackOverParallelPort = CorvaneOverSimulatedPort;

TEST_F(ReadbackOverParallelPort, AnswerArrivesBitByBitAndIsConverted) {
    Main& m = app->start();
    m.cmbMB->setCurrentIndex(0);
    frmReadback& r = app->frmReadback();
    struct Case {
        int index;
        int16_t selection;
        int32_t answer;
        const char* raw;
        const char* converted;
        int32_t readbackValue;
    } cases[] = {
        {2, 22, 0x80 + 64, "192", "Temperature is 1 \u00B0C", 64},
        {0, 20, 0x8001, "32769", "RSSI Level is -129.5 dBm", 1}, // first and last bit
        {6, 28, 0xFFFF, "65535", "Silicon Code is FFFFh", 0xFFFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        const size_t before = port.readbacks().size();
        port.setReadbackAnswer(c.selection, c.answer);
        r.cmbReadback->setCurrentIndex(c.index);
        r.cmdReadback->click();
        ASSERT_EQ(port.readbacks().size(), before + 1);
        const auto& frame = port.readbacks().back();
        EXPECT_EQ(frame.selection, c.selection);
        EXPECT_EQ(frame.word, static_cast<uint32_t>(app->store().wordBits(7) & 0xFFFFu));
        EXPECT_TRUE(frame.complete);
        EXPECT_EQ(r.lblReadbackDisplay->text(), QString::fromUtf8(c.raw));
        EXPECT_EQ(r.lblReadbackSpecificDisplay->text(), QString::fromUtf8(c.converted));
        EXPECT_EQ(app->w().ReadbackValue, c.readbackValue);
    }
    EXPECT_TRUE(port.malformed().empty());
    EXPECT_FALSE(port.readbackActive());
}

} // namespace
