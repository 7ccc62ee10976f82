// The readback window: the list's register-7 selections, the readback over the board, the
// conversions, the chip variant on the front panel and the ADC switch.
#include "pellionfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace pellion;
using namespace pellion::test;

using evalkit::frmReadback;

namespace {

// The selection the USB readback passes: bits 8..4 of the register-7 word, the enable set.
int16_t selection(int32_t adcMode, int32_t select) {
    return static_cast<int16_t>((adcMode + select + 256) / 16);
}

const QString kFrequencyErrorNote = QStringLiteral(
    "The IF frequency error is due to errors between the incoming RF and Rx LO (due to XTAL "
    "error). The Pellion can handle large frequency errors ( > +/- 40ppm) in linear demod mode. "
    "In correlator mode the tolerance is +/- 0.4 x FDEV. AFC will improve this to better than "
    "+/- 25ppm. Try IF Frequency readback again after enabling AFC.");

} // namespace

struct Readback : PellionFixture {
    frmReadback& open() {
        startConnected();
        app->main().cmdReadback->click();
        clearRecords();
        return app->frmReadback();
    }
    // Reads the chosen quantity with the board answering `raw`.
    void read(frmReadback& r, int index, int32_t raw) {
        r.cmbReadback->setCurrentIndex(index);
        usb.setReadbackAnswer(selection(f().ReadbackAdcModeField, f().ReadbackSelectField), raw);
        r.cmdReadback->click();
    }
};

TEST_F(Readback, ListSetsTheRegister7Selection) {
    frmReadback& r = open();
    EXPECT_EQ(r.windowTitle(), QStringLiteral("Readback Function"));
    const struct {
        int32_t adcMode, select;
    } rows[] = {{0, 64}, {16, 64}, {32, 64}, {48, 64}, {0, 0}, {0, 128}, {0, 192}};
    for (int i = 6; i >= 0; --i) {
        SCOPED_TRACE(i);
        r.cmbReadback->setCurrentIndex(i);
        EXPECT_EQ(f().ReadbackAdcModeField, rows[i].adcMode);
        EXPECT_EQ(f().ReadbackSelectField, rows[i].select);
        EXPECT_EQ(w().ReadbackMode, i);
    }
    // Choosing writes nothing.
    EXPECT_TRUE(usb.lines().empty());
}

// The first readback reads what the register-7 fields select, and the list says so: at
// start-up that is the frequency error, converted as one.
TEST_F(Readback, FirstReadbackIsConvertedAsWhatIsRead) {
    frmReadback& r = open();
    EXPECT_EQ(r.cmbReadback->currentText(), QStringLiteral("Frequency Error"));
    EXPECT_EQ(w().ReadbackMode, 4);
    usb.setReadbackAnswer(selection(0, 0), 600);
    r.cmdReadback->click();
    EXPECT_EQ(usb.lines(),
              std::vector<QString>{QStringLiteral("dd_read_pellion_reg 16 -> 0x00000258")});
    EXPECT_EQ(r.lblReadbackDisplay->text(), QStringLiteral("600"));
    // 11.0592 x 600 x 1000 / 2^15 - 200
    EXPECT_EQ(r.lblReadbackSpecificDisplay->text(),
              QStringLiteral("IF frequency error is 2.500 kHz"));
    EXPECT_EQ(messageTexts(), std::vector<QString>{kFrequencyErrorNote});
    EXPECT_EQ(f().ReadbackEnableField, 256);
}

TEST_F(Readback, Conversions) {
    frmReadback& r = open();
    struct Case {
        int index;
        int32_t raw;
        const char* raw_text;
        const char* shown;
        int32_t kept; // ReadbackValue after the conversion
    } cases[] = {
        {0, 500, "500", "RSSI Level is -62.0 dBm", 116},
        {0, 1100, "1100", "RSSI Level is -50.5 dBm", 76},
        {2, 200, "200", "Temperature is -74 \u00B0C", 72},
        {1, 100, "100", "Vdd is 4.739 Volts", 100},
        {3, 421, "421", "ADC Value is 10.000 Volts", 421},
        {5, 77, "77", "", 77},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        read(r, c.index, c.raw);
        EXPECT_EQ(r.lblReadbackDisplay->text(), QString::fromLatin1(c.raw_text));
        EXPECT_EQ(r.lblReadbackSpecificDisplay->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(w().ReadbackValue, c.kept);
    }
    EXPECT_TRUE(messageTexts().empty());
}

// The silicon code names the variant on the front panel; an unknown code warns, shows its
// code and leaves the device as it was.
TEST_F(Readback, SiliconRevisionNamesTheVariant) {
    frmReadback& r = open();
    Main& m = app->main();
    read(r, 6, 8216);
    EXPECT_EQ(r.lblReadbackSpecificDisplay->text(), QStringLiteral("Silicon Code is 2018h"));
    EXPECT_EQ(w().DeviceName, QStringLiteral("Pellion-1"));
    EXPECT_EQ(w().SiliconRevisionText, QStringLiteral("2018"));
    EXPECT_EQ(m.devinuse->text(), QStringLiteral("Pellion-1"));
    EXPECT_EQ(m.Labelrev->text(), QStringLiteral("2018"));
    // The variant switches nothing.
    EXPECT_FALSE(m.chkInductor->isChecked());
    EXPECT_TRUE(messageTexts().empty());

    read(r, 6, 8199);
    EXPECT_EQ(m.devinuse->text(), QStringLiteral("Pellion"));
    EXPECT_EQ(m.Labelrev->text(), QStringLiteral("2007"));

    read(r, 6, 0);
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts().front().startsWith(
        QStringLiteral("Warning - not a valid readback code. Check you have connected")));
    EXPECT_EQ(r.lblReadbackSpecificDisplay->text(), QStringLiteral("Silicon Code is 2007h"));
    EXPECT_EQ(w().SiliconRevisionText, QStringLiteral("0"));
    EXPECT_EQ(m.Labelrev->text(), QStringLiteral("0"));
    EXPECT_EQ(m.devinuse->text(), QStringLiteral("Pellion"));
}

// The ADC switch is for transmit; the load shows the ADC enable bit without writing R8, and the
// switch writes R8 at once.
TEST_F(Readback, AdcSwitch) {
    frmReadback& r = open();
    EXPECT_TRUE(r.ADC_Status->isEnabled());
    EXPECT_TRUE(r.Tog_ADC_Enable->isEnabled());
    EXPECT_FALSE(r.Tog_ADC_Enable->isOn());
    r.Tog_ADC_Enable->setOn(true);
    EXPECT_EQ(f().AdcEnableField, 256.0);
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x108});
    r.returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmReadback")));

    // Opened again: the switch shows the bit, and nothing is written.
    usb.clear();
    frmReadback& again = app->frmReadback();
    EXPECT_TRUE(again.Tog_ADC_Enable->isOn());
    EXPECT_TRUE(usb.lines().empty());
    again.returnToPanel->click();

    // In receive the frame and the switch are disabled.
    app->main().optRx->setChecked(true);
    frmReadback& rx = app->frmReadback();
    EXPECT_FALSE(rx.ADC_Status->isEnabled());
    EXPECT_FALSE(rx.Tog_ADC_Enable->isEnabled());
}
