// The settings file of tessarine-eval as data: what an import plans from the fixture files
// before any control changes, what it leaves out and names, and the keys a save writes.
#include "tessarine/calc/modulation.h"
#include "tessarine/calc/settingsplan.h"
#include "tests/qtprinters.h"
#include "tests/testfiles.h"

#include <gtest/gtest.h>

using namespace tessarine::calc;

namespace {

platform::ProfileDocument fixtureFile(const char* name) {
    return platform::ProfileDocument::parse(
        testfiles::readBytes(testfiles::fixture(QStringLiteral("tessarine"), name)));
}

} // namespace

TEST(SettingsPlan, AGfskFileWithTheDoublerPlansEveryWindow) {
    const platform::ProfileDocument d = fixtureFile("gfsk-doubler.txt");
    KeyReader r(d);
    const SettingsPlan p = planSettings(r);
    EXPECT_TRUE(r.skipped().isEmpty()) << r.skipped().join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(p.synthesizer.entries.rf, QStringLiteral("868.30017"));
    EXPECT_EQ(p.synthesizer.entries.crystal, QStringLiteral("11.05920"));
    EXPECT_EQ(p.synthesizer.entries.refDivider, 6);
    EXPECT_EQ(p.synthesizer.doubler, true);
    EXPECT_EQ(p.synthesizer.vcoDivide, 1); // a ratio of 2
    EXPECT_EQ(p.prescaler89, true);
    EXPECT_EQ(p.panel.icp, 1);
    EXPECT_EQ(p.panel.scheme, GfskItem);
    EXPECT_EQ(p.panel.gaussian.indexCount, 2); // GFSK holds the list index
    EXPECT_EQ(p.panel.gaussian.divider, QStringLiteral("100"));
    EXPECT_EQ(p.panel.gaussian.modControl, 3);
    EXPECT_EQ(p.panel.paLevel, 40);
    ASSERT_TRUE(p.other);
    EXPECT_EQ(p.other->vcoAdjust, 2);
    EXPECT_EQ(p.other->vcoBias, 9);
    EXPECT_EQ(p.other->paBias, 3);
}

TEST(SettingsPlan, AGarbledFileLeavesOutWhatNoControlTakes) {
    const platform::ProfileDocument d = fixtureFile("garbled.txt");
    KeyReader r(d);
    const SettingsPlan p = planSettings(r);
    EXPECT_EQ(r.skipped().join(QStringLiteral(", ")),
              QStringLiteral("[PLL] RefDoubler, [VCO] VCODivider, [Phy] Deviation_kHz, "
                             "[Tx] PALevel, [Other] PA_BIAS, [Other] MUX_OUT"));
    EXPECT_EQ(r.readOtherwise(), QStringList{QStringLiteral("[Other] VCO_BIAS=banana as 0")});
    // A missing prescaler reads 0, which is the 8/9 one.
    EXPECT_EQ(r.missing(), (QStringList{QStringLiteral("[PLL] Prescaler"),
                                        QStringLiteral("[Other] DATA_INVERT")}));
    EXPECT_EQ(p.synthesizer.vcoDivide, std::nullopt); // 3 is no ratio the list holds
    EXPECT_EQ(p.prescaler89, true);                   // a missing key reads 0: the 8/9 one
    ASSERT_TRUE(p.other);
    EXPECT_EQ(p.other->vcoBias, 0);        // "banana" reads as 0
    EXPECT_EQ(p.other->dataInvert, false); // an empty key reads as 0
    EXPECT_EQ(p.other->lockDetectFiveCycles, false);
    EXPECT_EQ(p.other->clockOut, 2);
}

// GOOK files hold the index count itself; a file without [Other], or with it off, plans none
// of those windows.
TEST(SettingsPlan, GookCountsAndTheOtherSection) {
    const struct Case {
        const char* text;
        std::optional<int> indexCount;
        bool other;
    } cases[] = {
        {"[Phy]\r\nModulation=GOOK\r\nINDEX_COUNTER=64\r\n", 2, false},
        {"[Phy]\r\nModulation=GOOK\r\nINDEX_COUNTER=2\r\n", std::nullopt, false},
        {"[Phy]\r\nModulation=GFSK\r\nINDEX_COUNTER=2\r\n[Other]\r\nOTHER_ENABLED=0\r\n", 2, false},
        {"[Phy]\r\nModulation=gfsk\r\nINDEX_COUNTER=2\r\n[Other]\r\nOTHER_ENABLED=1\r\n",
         std::nullopt, true},
    };
    for (const Case& c : cases) {
        const platform::ProfileDocument d = platform::ProfileDocument::parse(c.text);
        KeyReader r(d);
        const SettingsPlan p = planSettings(r);
        EXPECT_EQ(p.panel.gaussian.indexCount, c.indexCount) << c.text;
        EXPECT_EQ(p.other.has_value(), c.other) << c.text;
    }
}

// The path comes before the version in this file; GOOK writes the index count itself, and an
// output divider without a choice writes no VCODivider.
TEST(SettingsPlan, ASaveWritesTheKeysInTheFilesOrder) {
    SettingsRecord s;
    s.path = QStringLiteral("C:\\t.txt");
    s.panel = {QStringLiteral("GOOK"), GookItem,
               QStringLiteral("1"),    QStringLiteral("40"),
               QStringLiteral("12"),   QStringLiteral("60"),
               QStringLiteral("2"),    2,
               QStringLiteral("100"),  QStringLiteral("3")};
    s.synthesizer = {QStringLiteral("868.3"), QStringLiteral("11.0592"), -1};
    s.fields = {QStringLiteral("235"),
                QStringLiteral("2218"),
                QStringLiteral("6"),
                QStringLiteral("3"),
                QStringLiteral("1"),
                QStringLiteral("0"),
                true,
                false};
    s.bias = {QStringLiteral("2"), QStringLiteral("9"), QStringLiteral("3")};
    s.clockOut = 4;
    QStringList written;
    writeSettings(s, [&written](const Key& k, const QString& v) {
        written << k.sectionName() + QLatin1Char('/') + k.keyName() + QLatin1Char('=') + v;
    });
    EXPECT_EQ(
        written.join(QLatin1Char(' ')),
        QStringLiteral("File/path=C:\\t.txt File/Version=1 Phy/Chip=Tessarine Phy/Modulation=GOOK "
                       "Tx/Frequency=868.3 Tx/INT=235 Tx/FRAC=2218 PLL/CrystalFreq=11.0592 "
                       "PLL/RefDivider=6 PLL/RefDoubler=1 PLL/IcpIndex=1 PLL/Prescaler=4 "
                       "Tx/PALevel=40 Phy/INDEX_COUNTER=64 Phy/DIVIDER_FACTOR=100 "
                       "Other/OTHER_ENABLED=1 Other/VCO_ADJUST=2 Other/VCO_BIAS=9 Other/PA_BIAS=3 "
                       "Other/CLK_OUT=4 Other/MUX_OUT=3 Other/DATA_INVERT=1 Other/LOCK_DP=0"));
}
