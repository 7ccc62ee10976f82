#include "corvane/calc/readback.h"

#include <gtest/gtest.h>

using namespace corvane::calc;

namespace {

struct Conversion {
    int32_t mode;
    int32_t raw;
    const char* caption;
    int32_t readbackValue; // after the conversion
};

void expectConversions(const std::vector<Conversion>& cases, float demodClockMHz = 0) {
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " raw " << c.raw);
        const ReadbackDisplay d = convertReadback(c.mode, c.raw, demodClockMHz);
        // The raw number is shown as it came, before any masking.
        EXPECT_EQ(d.lblReadbackDisplay, QString::number(c.raw));
        ASSERT_TRUE(d.lblReadbackSpecificDisplay);
        EXPECT_EQ(*d.lblReadbackSpecificDisplay, QString::fromUtf8(c.caption));
        EXPECT_EQ(d.ReadbackValue, c.readbackValue);
    }
}

TEST(ReadbackConversion, RssiAppliesTheGainCodeCorrectionAndKeepsSevenBits) {
    expectConversions({
        {RssiReadback, 0, "RSSI Level is -87.0 dBm", 0},                // code 0: +86
        {RssiReadback, 1, "RSSI Level is -86.5 dBm", 1},                // half dB steps
        {RssiReadback, 4 * 128 + 10, "RSSI Level is -96.0 dBm", 10},    // code 4: +58
        {RssiReadback, 5 * 128 + 11, "RSSI Level is -105.5 dBm", 11},   // code 5: +38
        {RssiReadback, 6 * 128 + 127, "RSSI Level is -54.5 dBm", 127},  // code 6: +24
        {RssiReadback, 1320, "RSSI Level is -110.0 dBm", 40},           // code 10, low bits 40
        {RssiReadback, 3 * 128 + 20, "RSSI Level is -120.0 dBm", 20},   // no entry: 0
        {RssiReadback, 15 * 128 + 127, "RSSI Level is -66.5 dBm", 127}, // no entry: 0
    });
}

TEST(ReadbackConversion, GainCorrectionTable) {
    const int32_t expected[16] = {86, 0, 0, 0, 58, 38, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int32_t g = 0; g < 16; ++g)
        EXPECT_EQ(rssiGainCorrection(g), expected[g]) << g;
    EXPECT_EQ(rssiGainCorrection(-1), 0);
    EXPECT_EQ(rssiGainCorrection(1000), 0);
}

TEST(ReadbackConversion, RssiLevelOfANegativeAnswerHasNoCorrection) {
    // An answer the board never gives must still convert without a correction-table hit.
    const RssiReading r = rssiLevel(-128 + 5);
    EXPECT_EQ(r.ReadbackValue, 5);
    EXPECT_DOUBLE_EQ(r.levelDbm, 5 / 2.0 - 130);
}

TEST(ReadbackConversion, VoltagesAndTemperature) {
    expectConversions({
        {BatteryReadback, 63, "Vdd is 2.986 Volts", 63},
        {BatteryReadback, 0, "Vdd is 0.000 Volts", 0},
        {BatteryReadback, 65535, "Vdd is 3105.924 Volts", 65535}, // not masked
        {ExternalPinReadback, 100, "ADC Value is 2.375 Volts", 100},
        {ExternalPinReadback, 200, "ADC Value is 4.751 Volts", 200},
        {TemperatureReadback, 64, "Temperature is 1 \u00B0C", 64},
        {TemperatureReadback, 68, "Temperature is -36 \u00B0C", 68},
        {TemperatureReadback, 30, "Temperature is 318 \u00B0C", 30},
        {TemperatureReadback, 128 + 68, "Temperature is -36 \u00B0C", 68}, // bit 7 dropped
        {TemperatureReadback, 0xFF00 + 64, "Temperature is 1 \u00B0C", 64},
    });
}

TEST(ReadbackConversion, FrequencyErrorUsesTheDemodulatorClock) {
    expectConversions(
        {
            {FrequencyErrorReadback, 5328, "IF frequency is -0.002 kHz", 5328},
            {FrequencyErrorReadback, 6000, "IF frequency is 12.610 kHz", 6000},
            {FrequencyErrorReadback, 0, "IF frequency is -100.000 kHz", 0},
        },
        4.92f);
}

TEST(ReadbackConversion, FilterCalShowsOnlyTheRawNumberAndSiliconCodeIsHex) {
    expectConversions({
        {FilterCalReadback, 1234, "", 1234},
        {SiliconRevisionReadback, 0x4011, "Silicon Code is 4011h", 0x4011},
        {SiliconRevisionReadback, 0x0A, "Silicon Code is Ah", 0x0A},
        {SiliconRevisionReadback, 0, "Silicon Code is 0h", 0},
    });
}

TEST(ReadbackConversion, UnknownModeLeavesTheConvertedLabelAndTheValue) {
    const ReadbackDisplay d = convertReadback(7, 300, 0);
    EXPECT_EQ(d.lblReadbackDisplay, QStringLiteral("300"));
    EXPECT_FALSE(d.lblReadbackSpecificDisplay);
    EXPECT_EQ(d.ReadbackValue, 300);
}

TEST(ReadbackChoices, ListIndexSetsFieldsAndModeAndBack) {
    const ReadbackChoice expected[] = {
        {0, 64, 0}, {16, 64, 1}, {32, 64, 2}, {48, 64, 3}, {0, 0, 4}, {0, 128, 5}, {0, 192, 6},
    };
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const auto c = readbackChoice(i);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->ReadbackAdcModeField, expected[i].ReadbackAdcModeField);
        EXPECT_EQ(c->ReadbackSelectField, expected[i].ReadbackSelectField);
        EXPECT_EQ(c->ReadbackMode, expected[i].ReadbackMode);
        EXPECT_EQ(readbackListIndex(c->ReadbackAdcModeField, c->ReadbackSelectField), i);
    }
    EXPECT_FALSE(readbackChoice(-1));
    EXPECT_FALSE(readbackChoice(7));
    // Fields no list entry selects.
    EXPECT_EQ(readbackListIndex(16, 0), -1);
    EXPECT_EQ(readbackListIndex(0, 256), -1);
}

} // namespace
