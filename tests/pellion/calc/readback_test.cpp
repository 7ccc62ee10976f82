#include "pellion/calc/readback.h"

#include "tests/pellion/calc/messagetext.h"
#include "tests/qtprinters.h"

#include <gtest/gtest.h>

using namespace pellion::calc;
using pelliontest::shown;

namespace {

struct Conversion {
    int32_t mode;
    int32_t raw;
    const char* caption;
    int32_t readbackValue; // after the conversion
};

TEST(PellionReadback, Conversions) {
    const Conversion cases[] = {
        {RssiReadback, 500, "RSSI Level is -62.0 dBm", 116},           // code 3: no correction
        {RssiReadback, 1100, "RSSI Level is -50.5 dBm", 76},           // code 8: +63
        {RssiReadback, 0, "RSSI Level is -67.5 dBm", 0},               // code 0: +105
        {RssiReadback, 14 * 128 + 40, "RSSI Level is -100.0 dBm", 40}, // code 14: 0
        {TemperatureReadback, 200, "Temperature is -74 \u00B0C", 72},  // -73.552
        {BatteryReadback, 63, "Vdd is 2.986 Volts", 63},
        {ExternalPinReadback, 100, "ADC Value is 2.375 Volts", 100},
        {FilterCalReadback, 321, "", 321},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " raw " << c.raw);
        const ReadbackResult r = convertReadback(c.mode, c.raw, 11.0592f);
        EXPECT_EQ(r.lblReadbackDisplay, QString::number(c.raw));
        EXPECT_EQ(r.lblReadbackSpecificDisplay, QString::fromUtf8(c.caption));
        EXPECT_EQ(r.ReadbackValue, c.readbackValue);
        EXPECT_TRUE(r.messages.empty());
        EXPECT_FALSE(r.DeviceName);
        EXPECT_FALSE(r.SiliconRevisionText);
    }
}

TEST(PellionReadback, GainCorrectionTable) {
    const int32_t expected[16] = {105, 0, 0, 0, 90, 0, 0, 0, 63, 45, 24, 0, 0, 0, 0, 0};
    for (int32_t g = 0; g < 16; ++g)
        EXPECT_EQ(rssiGainCorrection(g), expected[g]) << g;
    EXPECT_EQ(rssiGainCorrection(-1), 0);
}

// 2^15 discriminator counts per demodulator clock, measured against the 200 kHz IF; the
// explanation follows the figure.
TEST(PellionReadback, FrequencyErrorShowsTheFigureThenTheNote) {
    const ReadbackResult r = convertReadback(FrequencyErrorReadback, 600, 11.0592f);
    EXPECT_EQ(r.lblReadbackSpecificDisplay, "IF frequency error is 2.500 kHz");
    EXPECT_EQ(shown(r.messages), std::vector{pelliontest::notice(FrequencyErrorNote)});
}

struct SiliconCase {
    int32_t raw;
    std::optional<QString> device;
    const char* code;
};

TEST(PellionReadback, SiliconRevisionNamesTheVariant) {
    const SiliconCase cases[] = {
        {8199, PellionDeviceName, "2007"},
        {8200, PellionDeviceName, "2008"},
        {8215, Pellion1DeviceName, "2017"},
        {8216, Pellion1DeviceName, "2018"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        const ReadbackResult r = convertReadback(SiliconRevisionReadback, c.raw, 0);
        EXPECT_EQ(r.lblReadbackSpecificDisplay,
                  QStringLiteral("Silicon Code is %1h").arg(QString::fromLatin1(c.code)));
        EXPECT_EQ(r.DeviceName, c.device);
        EXPECT_EQ(r.SiliconRevisionText, c.code);
        EXPECT_TRUE(r.messages.empty());
    }
    EXPECT_EQ(*convertReadback(SiliconRevisionReadback, 8216, 0).DeviceName, "Pellion-1");
}

// An unknown code warns and leaves the caption and DeviceName as they were, but the code
// still reaches SiliconRevisionText.
TEST(PellionReadback, UnknownSiliconCodeWarns) {
    for (const int32_t raw : {0, 0x2009, 0x2016, 65535}) {
        SCOPED_TRACE(raw);
        const ReadbackResult r = convertReadback(SiliconRevisionReadback, raw, 0);
        EXPECT_FALSE(r.lblReadbackSpecificDisplay);
        EXPECT_FALSE(r.DeviceName);
        EXPECT_EQ(r.SiliconRevisionText, QString::number(raw, 16).toUpper());
        EXPECT_EQ(shown(r.messages), std::vector{pelliontest::notice(InvalidSiliconCodeText)});
    }
}

} // namespace
