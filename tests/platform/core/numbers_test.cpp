#include "platform/core/numbers.h"

#include "../../qtprinters.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {

using platform::formatNumber;
using platform::formatSingle;
using platform::numberText;
using platform::numberTextSingle;
using platform::textToNumber;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

std::string trace(double v) {
    return numberText(v).toStdString();
}

TEST(RoundHalfEven, RoundsTiesToEven) {
    const struct {
        double v;
        double expected;
    } cases[] = {
        {0.5, 0.0}, {1.5, 2.0},   {2.5, 2.0},    {-2.5, -2.0},   {-1.5, -2.0},
        {3.7, 4.0}, {-3.7, -4.0}, {2.4999, 2.0}, {1e300, 1e300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(trace(c.v));
        EXPECT_EQ(platform::roundHalfEven(c.v), c.expected);
    }
}

TEST(IntegerConversion, Int16RoundsHalfEvenAndRefusesWhatDoesNotFit) {
    const struct {
        double v;
        std::optional<int16_t> expected;
    } cases[] = {
        {1.5, 2},
        {2.5, 2},
        {-2.5, -2},
        {32766.5, 32766},
        {32767.4, 32767},
        {32767.5, std::nullopt}, // rounds to 32768
        {-32768.5, -32768},      // the even neighbour is still in range
        {-32768.6, std::nullopt},
        {40000.0, std::nullopt},
        {nan, std::nullopt},
        {inf, std::nullopt},
        {-inf, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(trace(c.v));
        EXPECT_EQ(platform::toInt16(c.v), c.expected);
    }
}

TEST(IntegerConversion, Int32AndInt64Limits) {
    const struct {
        double v;
        std::optional<int32_t> expected;
    } int32Cases[] = {
        {2147483647.0, 2147483647},   {2147483646.5, 2147483646},    {2147483647.5, std::nullopt},
        {-2147483648.5, -2147483648}, {-2147483649.0, std::nullopt}, {1e10, std::nullopt},
        {nan, std::nullopt},
    };
    for (const auto& c : int32Cases) {
        SCOPED_TRACE(trace(c.v));
        EXPECT_EQ(platform::toInt32(c.v), c.expected);
    }
    const struct {
        double v;
        std::optional<int64_t> expected;
    } int64Cases[] = {
        {4294967295.5, 4294967296},
        {-9223372036854775808.0, std::numeric_limits<int64_t>::min()},
        {9223372036854775807.0, std::nullopt}, // is 2^63 as a double
        {1e19, std::nullopt},
        {-inf, std::nullopt},
        {nan, std::nullopt},
    };
    for (const auto& c : int64Cases) {
        SCOPED_TRACE(trace(c.v));
        EXPECT_EQ(platform::toInt64(c.v), c.expected);
    }
}

TEST(IntFloor, IsTheLargestIntegerNotAbove) {
    const struct {
        double v;
        double expected;
    } cases[] = {{2.5, 2.0}, {2.99, 2.0}, {-2.5, -3.0}, {-0.1, -1.0}, {3.0, 3.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(trace(c.v));
        EXPECT_EQ(platform::intFloor(c.v), c.expected);
    }
}

TEST(ToSingle, RoundsToFloatAndOverflowsToInfinity) {
    EXPECT_EQ(platform::toSingle(0.1), 0.1f);
    EXPECT_EQ(platform::toSingle(2.10205078125), 2.10205078125f);
    EXPECT_EQ(platform::toSingle(std::numeric_limits<float>::max()),
              std::numeric_limits<float>::max());
    EXPECT_EQ(platform::toSingle(1e39), std::numeric_limits<float>::infinity());
    EXPECT_EQ(platform::toSingle(-1e39), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(platform::toSingle(1e-50), 0.0f);
    EXPECT_TRUE(std::isnan(platform::toSingle(nan)));
}

TEST(RoundDecimals, RoundsTheDecimalFormHalfToEven) {
    const struct {
        double v;
        int places;
        double expected;
    } cases[] = {
        {2.5, 0, 2.0},
        {3.5, 0, 4.0},
        {-2.5, 0, -2.0},
        {0.5, 0, 0.0}, // an AFC range of .25 gives code 0
        {1.5, 0, 2.0}, // and .75 gives code 2
        {0.125, 2, 0.12},
        {0.375, 2, 0.38},
        {2.675, 2, 2.68}, // the binary value lies below the tie; its decimal form does not
        {1.005, 2, 1.0},
        {9.995, 2, 10.0},
        {0.0005, 3, 0.0},
        {0.0015, 3, 0.002},
        {0.0004, 3, 0.0},
        {869.5 - 44 * 19.68, 4, 3.58}, // a synthesizer remainder with binary noise
        {1.0 / 3.0, 3, 0.333},
        {9.87428, 1, 9.9},
        {1234.5678, -1, 1235.0}, // negative places count as 0
        {12.5, 5, 12.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(trace(c.v) + " @" + std::to_string(c.places));
        EXPECT_EQ(platform::roundDecimals(c.v, c.places), c.expected);
    }
    EXPECT_TRUE(std::isnan(platform::roundDecimals(nan, 2)));
    EXPECT_EQ(platform::roundDecimals(inf, 2), inf);
}

TEST(NumberText, WritesAtMostFifteenSignificantDigits) {
    const struct {
        double v;
        const char* expected;
    } cases[] = {
        {9600.0, "9600"},
        {100000.0, "100000"},
        {0.5, "0.5"},
        {2.10205078125, "2.10205078125"},
        {1.0 / 3.0, "0.333333333333333"},
        {0.1 + 0.2, "0.3"},
        {-9.3, "-9.3"},
        {869.5, "869.5"},
        {2147483648.0, "2147483648"},
        {0.0, "0"},
        {-0.0, "0"},
        {999999999999999.0, "999999999999999"},
        {999999999999999.9, "1E+15"}, // rounds up to 16 digits
        {1e15, "1E+15"},
        {1.5e16, "1.5E+16"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {1e100, "1E+100"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {-1.25e-7, "-1.25E-07"},
        {1e-300, "1E-300"},
        {inf, "inf"},
        {-inf, "-inf"},
        {nan, "nan"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numberText(c.v), QString::fromLatin1(c.expected));
    }
}

TEST(NumberText, SingleWritesAtMostSevenSignificantDigits) {
    const struct {
        float v;
        const char* expected;
    } cases[] = {
        {2.10205078125f, "2.102051"},
        {0.1f, "0.1"},
        {19.68f, "19.68"},
        {675.0f, "675"},
        {-0.3f, "-0.3"},
        {9999999.0f, "9999999"},
        {1e7f, "1E+07"},
        {123456789.0f, "1.234568E+08"},
        {1.5e-5f, "1.5E-05"},
        {0.0f, "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numberTextSingle(c.v), QString::fromLatin1(c.expected));
    }
}

TEST(StrText, PutsABlankBeforeNumbersThatAreNotNegative) {
    EXPECT_EQ(platform::strText(48), " 48");
    EXPECT_EQ(platform::strText(-9.3), "-9.3");
    EXPECT_EQ(platform::strText(0.3), " 0.3");
    EXPECT_EQ(platform::strText(0), " 0");
    EXPECT_EQ(platform::strText(-0.0), " 0");
    EXPECT_EQ(platform::strTextSingle(5.0f), " 5");
    EXPECT_EQ(platform::strTextSingle(2.10205078125f), " 2.102051");
    EXPECT_EQ(platform::strTextSingle(-0.3f), "-0.3");
}

TEST(FormatNumber, DigitPatterns) {
    const struct {
        double v;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {869.5, "#0.00000", "869.50000"},
        {19.68, "#0.00000", "19.68000"},
        {869.500093, "#0.000000", "869.500093"},
        {869.5000934, "#0.000000", "869.500093"},
        {0.5, ".000000", ".500000"},
        {869.5, ".000000", "869.500000"},
        {0.05, ".0000", ".0500"},
        {12.3456, "#000.000", "012.346"},
        {1234.5, "#000.000", "1234.500"},
        {100.0 / 7.0, "0.000#", "14.2857"},
        {100.0 / 8.0, "0.000#", "12.500"},
        {12.5, "0.000#", "12.500"},
        {0.5, "0.0000", "0.5000"},
        {1.0, "0.000000", "1.000000"},
        {20.25, "#0.000", "20.250"},
        {11059.2 / (35 * 32), "#0.00", "9.87"},
        {-9.3, "#0.0", "-9.3"},
        {0.0, "#0.0000", "0.0000"},
        {1e20, "#0.00", "100000000000000000000.00"},
        // Ties on the exact binary value go to even; 2.675 lies below its tie.
        {0.125, "#0.00", "0.12"},
        {0.375, "#0.00", "0.38"},
        {2.675, "#0.00", "2.67"},
        {2.5, "#0", "2"},
        {3.5, "#0", "4"},
        {-2.5, "#0", "-2"},
        // What rounds to zero has no minus sign.
        {-0.4, "#0", "0"},
        {-0.5, "#0", "0"},
        {-0.001, "#0.00", "0.00"},
        {-0.0, "#0.0", "0.0"},
        // No pattern, or one the platform's digit rules do not cover: the plain form.
        {45.6, "", "45.6"},
        {0.25, "#,##0", "0.25"},
        {nan, "#0.00", "nan"},
        {-inf, "#0.00", "-inf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + trace(c.v));
        EXPECT_EQ(formatNumber(c.v, QString::fromLatin1(c.pattern)),
                  QString::fromLatin1(c.expected));
    }
}

TEST(FormatNumber, SingleRoundsItsExactBinaryValueWhileStrKeepsSevenDigits) {
    // Format() of a single looks at the single's exact value; Str/CStr of the same single stop
    // at 7 significant digits. Each row shows both forms of one value.
    const struct {
        float v;
        const char* pattern;
        const char* formatted;
        const char* plain;
    } cases[] = {
        {868.300185f, "#0.00000", "868.30017", "868.3002"},
        {868.3f, "#0.00000", "868.29999", "868.3"},
        // 2.675f is 2.67499995...: below the tie, so it rounds down.
        {2.675f, "#0.00", "2.67", "2.675"},
        {0.1f, "0.000000000", "0.100000001", "0.1"},
        {2.10205078125f, "#0.0000", "2.1021", "2.102051"},
        {20.25f, "#0.000", "20.250", "20.25"},
        {19.68f, ".000000", "19.680000", "19.68"},
        {869.5f, ".000000", "869.500000", "869.5"},
        // Exact ties go to even.
        {0.125f, "#0.00", "0.12", "0.125"},
        {2.5f, "#0", "2", "2.5"},
        {1.5f, "#0", "2", "1.5"},
        {-0.001f, "#0.00", "0.00", "-0.001"},
        {99.996f, "#0.00", "100.00", "99.996"},
        {0.5f, "", "0.5", "0.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + c.plain);
        EXPECT_EQ(formatSingle(c.v, QString::fromLatin1(c.pattern)),
                  QString::fromLatin1(c.formatted));
        EXPECT_EQ(numberTextSingle(c.v), QString::fromLatin1(c.plain));
        // A single formats as the same value held in a double.
        EXPECT_EQ(formatSingle(c.v, QString::fromLatin1(c.pattern)),
                  formatNumber(static_cast<double>(c.v), QString::fromLatin1(c.pattern)));
    }
}

TEST(HexText, UpperCaseWithoutLeadingZeros) {
    EXPECT_EQ(platform::hexText(uint32_t{0}), "0");
    EXPECT_EQ(platform::hexText(uint32_t{0x800C}), "800C");
    EXPECT_EQ(platform::hexText(uint32_t{0xFFFFFFFF}), "FFFFFFFF");
    EXPECT_EQ(platform::hexText(8199), "2007");
    EXPECT_EQ(platform::hexText(255), "FF");
    EXPECT_EQ(platform::hexText(-1), "FFFFFFFF");
    EXPECT_EQ(platform::hexText(int64_t{-1}), "FFFFFFFF");
    EXPECT_EQ(platform::hexText(int64_t{-2147483648LL}), "80000000");
    EXPECT_EQ(platform::hexText(int64_t{0xFFFFFFFFLL}), "FFFFFFFF");
    EXPECT_EQ(platform::hexText(int64_t{0x10000000ALL}), "A"); // only the low 32 bits
}

TEST(HexToU32, ReadsOneToEightDigitsAsAnUnsignedPattern) {
    const struct {
        const char* text;
        std::optional<uint32_t> expected;
    } cases[] = {
        {"800C", 0x800Cu},
        {"800c", 0x800Cu}, // not sign-extended from 16 bits
        {"FFFFFFFF", 0xFFFFFFFFu},
        {"0", 0u},
        {"00000001", 1u},
        {"", std::nullopt},
        {"123456789", std::nullopt},
        {"12G", std::nullopt},
        {" 12", std::nullopt},
        {"-1", std::nullopt},
        {"0x12", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::hexToU32(QString::fromLatin1(c.text)), c.expected);
    }
}

TEST(TextToNumber, AcceptsOnlyWholeNumbers) {
    const struct {
        const char* text;
        std::optional<double> expected;
    } cases[] = {
        {"2.5", 2.5},
        {" 2.5 ", 2.5},
        {"\t7\t", 7.0},
        {"-9.3", -9.3},
        {"+4", 4.0},
        {".5", 0.5},
        {"-.5", -0.5},
        {"5.", 5.0},
        {"1e3", 1000.0},
        {"1E-3", 0.001},
        {"-2.5E+2", -250.0},
        {"0", 0.0},
        {"&H800C", 32780.0},
        {"&hffffffff", 4294967295.0},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"-.", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"e5", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1,5", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1e5.5", std::nullopt},
        {"--1", std::nullopt},
        {"1 2", std::nullopt},
        {"0x10", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e400", std::nullopt},
        {"&H", std::nullopt},
        {"&H123456789", std::nullopt},
        {"&HG", std::nullopt},
        {"-&H1", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(textToNumber(text), c.expected);
        EXPECT_EQ(platform::isNumeric(text), c.expected.has_value());
    }
    EXPECT_FALSE(textToNumber(u"\uFF11")); // a full-width digit is not an ASCII digit
}

// A German default locale and C locale use ',' as the decimal separator; the platform's
// texts must not follow them.
TEST(NumberLocale, TextsIgnoreTheLocale) {
    const QLocale previousLocale;
    const std::string previousCLocale = std::setlocale(LC_ALL, nullptr);
    QLocale::setDefault(QLocale(QLocale::German));
    const bool germanC = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;

    EXPECT_EQ(numberText(0.5), "0.5");
    EXPECT_EQ(numberTextSingle(0.5f), "0.5");
    EXPECT_EQ(platform::strText(0.3), " 0.3");
    EXPECT_EQ(formatNumber(869.5, u"#0.00000"), "869.50000");
    EXPECT_EQ(formatSingle(869.5f, u"#0.00000"), "869.50000");
    EXPECT_EQ(platform::roundDecimals(2.675, 2), 2.68);
    EXPECT_EQ(textToNumber(u"2.5"), 2.5);
    EXPECT_FALSE(textToNumber(u"2,5"));

    if (germanC)
        std::setlocale(LC_ALL, previousCLocale.c_str());
    QLocale::setDefault(previousLocale);
}

} // namespace
