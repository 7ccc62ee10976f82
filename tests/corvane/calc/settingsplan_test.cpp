// The settings file of corvane-eval as data: what an import plans from the fixture files before
// any control changes, what it leaves out and names, and the keys a save writes in its order.
#include "corvane/calc/settingsplan.h"
#include "tests/qtprinters.h"
#include "tests/testfiles.h"

#include <gtest/gtest.h>

using namespace corvane::calc;
using evalkit::calc::KeyReader;

namespace {

platform::ProfileDocument fixtureFile(const char* name) {
    return platform::ProfileDocument::parse(
        testfiles::readBytes(testfiles::fixture(QStringLiteral("settings"), name)));
}

} // namespace

TEST(SettingsPlan, AFullFilePlansEveryWindow) {
    const platform::ProfileDocument d = fixtureFile("full.txt");
    KeyReader r(d);
    ASSERT_EQ(evalkit::calc::versionRefusal(r), std::nullopt);
    ASSERT_EQ(chipRefusal(r), std::nullopt);
    const SettingsPlan p = planSettings(r, 0);
    EXPECT_TRUE(r.skipped().isEmpty()) << r.skipped().join(QLatin1Char(',')).toStdString();

    EXPECT_EQ(p.panel.vcoChoice, 0);
    EXPECT_EQ(p.panel.icp, 3);
    EXPECT_EQ(p.panel.transmit, true);
    EXPECT_EQ(p.panel.modulation, 3);
    EXPECT_EQ(p.panel.deviation, QStringLiteral("3"));
    EXPECT_EQ(p.panel.paLevel, 40);
    EXPECT_EQ(p.panel.rate, QStringLiteral("9.6"));
    EXPECT_EQ(p.panel.alpha, std::nullopt); // 4FSK has none
    EXPECT_EQ(p.panel.ifBandwidth, 1);
    EXPECT_EQ(p.panel.demod, 3);
    EXPECT_EQ(p.synthesizer.divideBy2, true);
    EXPECT_EQ(p.synthesizer.entries.rf, QStringLiteral("433.92"));
    EXPECT_EQ(p.synthesizer.entries.crystal, QStringLiteral("19.68"));
    EXPECT_EQ(p.synthesizer.entries.refDivider, 1);
    EXPECT_EQ(p.bias.vcoBand, 2);
    EXPECT_EQ(p.bias.vcoBias, 7);
    EXPECT_EQ(p.bias.paBias, 1);
    EXPECT_EQ(p.bias.mixerLinearity, 1);
    ASSERT_TRUE(p.sync && p.afc && p.ifFilter && p.agc);
    EXPECT_EQ(p.sync->detect, 3);
    EXPECT_EQ(p.sync->word, QStringLiteral("2AA")); // less its "0x"
    EXPECT_EQ(p.sync->length, 1);
    EXPECT_EQ(p.sync->errors, 1);
    EXPECT_EQ(p.sync->packetLength, QStringLiteral("1"));
    EXPECT_EQ(p.afc->on, true);
    EXPECT_EQ(p.afc->ki, 5);
    EXPECT_EQ(p.afc->kp, 3);
    EXPECT_EQ(p.afc->range, QStringLiteral("40"));
    EXPECT_EQ(p.ifFilter->dwell, 50);
    EXPECT_EQ(p.ifFilter->upper, 80);
    EXPECT_EQ(p.ifFilter->lower, 120);
    EXPECT_EQ(p.agc->mode, 2);
    EXPECT_EQ(p.agc->low, 20);
    EXPECT_EQ(p.agc->high, 60);
    EXPECT_EQ(p.agc->lnaGain, 2);
    EXPECT_EQ(p.agc->filterGain, 1);
}

// What no control can take is left out of the plan and named in the file's order; the rest is
// planned.
TEST(SettingsPlan, AGarbledFileLeavesOutWhatNoControlTakes) {
    const platform::ProfileDocument d = fixtureFile("garbled.txt");
    KeyReader r(d);
    const SettingsPlan p = planSettings(r, 0);
    EXPECT_EQ(r.skipped().join(QStringLiteral(", ")),
              QStringLiteral("[VCO] VCODivider, [VCO] VCOBias, [Phy] BaudRate, [Phy] PABias, "
                             "[Rx] IF_BW, [Rx] Demod, [Sync] SyncWord, [Sync] NumErrors, "
                             "[AFC] Status, [AFC] KP, [AFC] Range, [IF_Filter] Upper, [AGC] Low, "
                             "[AGC] FilterGain"));
    EXPECT_EQ(r.readOtherwise(), QStringList{QStringLiteral("[Tx] PALevel=12abc as 12")});
    EXPECT_EQ(r.missing(), QStringList{});
    EXPECT_EQ(p.synthesizer.divideBy2, std::nullopt);
    EXPECT_EQ(p.bias.vcoBias, std::nullopt);
    EXPECT_EQ(p.panel.rate, std::nullopt);
    EXPECT_EQ(p.panel.ifBandwidth, std::nullopt); // -1: a list without a choice, not noted
    EXPECT_EQ(p.panel.paLevel, 12);               // "12abc" reads its leading digits
    EXPECT_EQ(p.panel.vcoChoice, 1);
    ASSERT_TRUE(p.sync && p.afc);
    EXPECT_EQ(p.sync->word, std::nullopt);
    EXPECT_EQ(p.sync->length, 2);
    EXPECT_EQ(p.afc->on, std::nullopt);
    EXPECT_EQ(p.afc->ki, 3);
}

// A section that is missing or switched off leaves its window out of the plan; the alpha is
// read for a raised-cosine modulation, also the one the panel shows already.
TEST(SettingsPlan, SectionsAndTheAlphaThePanelDecides) {
    const platform::ProfileDocument foreign = fixtureFile("foreign.txt");
    KeyReader r(foreign);
    const SettingsPlan p = planSettings(r, 0);
    EXPECT_FALSE(p.sync || p.afc || p.ifFilter || p.agc);

    const platform::ProfileDocument alpha =
        platform::ProfileDocument::parse("[Phy]\r\nModulation=Shaped\r\nAlpha=0.7\r\n");
    for (const auto& [current, planned] :
         {std::pair{0, std::optional<int>()}, std::pair{6, std::optional<int>(1)}}) {
        KeyReader a(alpha);
        EXPECT_EQ(planSettings(a, current).panel.alpha, planned) << current;
    }
}

TEST(SettingsPlan, OnlyTheChipsOwnNameIsRead) {
    for (const auto& [file, refused] :
         {std::pair{"full.txt", false}, std::pair{"wrongchip.txt", true},
          std::pair{"quotedchip.txt", false}}) {
        const platform::ProfileDocument d = fixtureFile(file);
        const KeyReader r(d);
        EXPECT_EQ(chipRefusal(r).has_value(), refused) << file;
    }
    const platform::ProfileDocument d = fixtureFile("wrongchip.txt");
    EXPECT_EQ(chipRefusal(KeyReader(d)),
              QStringLiteral("Error: Import file is not for Corvane chip"));
}

// A save writes every key once in the file's order (Lext twice: the second, the list index,
// replaces the first in place), and the alpha last, only for a raised-cosine modulation.
TEST(SettingsPlan, ASaveWritesTheKeysInTheFilesOrder) {
    SettingsRecord s;
    s.path = QStringLiteral("C:\\s.txt");
    s.rateKbps = 9.6;
    s.panel = {1,
               QStringLiteral("RC3FSK"),
               6,
               true,
               QStringLiteral("40"),
               QStringLiteral("2.1"),
               QStringLiteral("1"),
               QStringLiteral("3"),
               QStringLiteral("2"),
               1};
    s.synthesizer = {QStringLiteral("433.92"), QStringLiteral("19.68")};
    s.fields = {QStringLiteral("44"), QStringLiteral("3197"), QStringLiteral("0"),
                QStringLiteral("1"), true};
    s.bias = {QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("7")};
    s.sync = {QStringLiteral("3"), QStringLiteral("2AA"), QStringLiteral("1"), QStringLiteral("0")};
    s.afc = {false, QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("40")};
    s.ifFilter = {QStringLiteral("50"), QStringLiteral("80"), QStringLiteral("120")};
    s.agc = {QStringLiteral("2"), QStringLiteral("20"), QStringLiteral("60"), QStringLiteral("2"),
             QStringLiteral("1")};
    QStringList written;
    const evalkit::calc::KeyWriter write = [&written](const Key& k, const QString& v) {
        written << k.sectionName() + QLatin1Char('/') + k.keyName() + QLatin1Char('=') + v;
    };
    writeSettings(s, write);
    EXPECT_EQ(
        written.join(QLatin1Char(' ')),
        QStringLiteral("File/Version=1 File/path=C:\\s.txt Phy/Chip=Corvane VCO/Lext=1 "
                       "Phy/Modulation=RC3FSK Phy/BaudRate=9600 Phy/Mode=Rx Tx/Frequency=433.92 "
                       "Tx/INT=44 Tx/FRAC=3197 Tx/PALevel=40 Phy/Deviation_kHz=2.1 Phy/PABias=2 "
                       "Rx/IF_BW=1 Rx/MIXER_LINEARITY=1 Rx/LNA_MODE=0 Rx/Demod=3 "
                       "PLL/CrystalFreq=19.68 PLL/IcpIndex=2 PLL/RefDivider=1 VCO/VCOBand=3 "
                       "VCO/VCODivider=2 VCO/Lext=1 VCO/VCOBias=7 Sync/SyncDetect=3 "
                       "Sync/SyncWord=0x2AA Sync/Wordlength=1 Sync/NumErrors=0 AFC/Status=False "
                       "AFC/KI=5 AFC/KP=3 AFC/Range=40 IF_Filter/Dwell=50 IF_Filter/Upper=80 "
                       "IF_Filter/Lower=120 AGC/Mode=2 AGC/Low=20 AGC/High=60 AGC/LNAGain=2 "
                       "AGC/FilterGain=1 Phy/Alpha=0.7"));

    written.clear();
    s.panel.modulationIndex = 3;
    writeSettings(s, write);
    EXPECT_FALSE(written.last().startsWith(QStringLiteral("Phy/Alpha")));
}
