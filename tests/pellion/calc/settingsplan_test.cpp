// The settings file of pellion-eval as data: what an import plans from the fixture files before
// any control changes, what it leaves out and names, and the keys a save writes per scheme.
#include "pellion/calc/settingsplan.h"
#include "tests/qtprinters.h"
#include "tests/testfiles.h"

#include <gtest/gtest.h>

using namespace pellion::calc;

namespace {

platform::ProfileDocument fixtureFile(const char* name) {
    return platform::ProfileDocument::parse(
        testfiles::readBytes(testfiles::fixture(QStringLiteral("pellion"), name)));
}

} // namespace

TEST(SettingsPlan, AnFskFilePlansThePanelTheSynthesizerAndTheWindows) {
    const platform::ProfileDocument d = fixtureFile("fsk.txt");
    KeyReader r(d);
    const SettingsPlan p = planSettings(r);
    EXPECT_TRUE(r.skipped().isEmpty()) << r.skipped().join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(p.panel.externalInductor, false);
    EXPECT_EQ(p.panel.icp, 3);
    EXPECT_EQ(p.panel.scheme, FskScheme);
    EXPECT_EQ(p.panel.deviation, 25.0);
    EXPECT_EQ(p.panel.paLevel, 40);
    EXPECT_EQ(p.panel.paLevelLow, std::nullopt);
    EXPECT_EQ(p.panel.rate, 9.6);
    EXPECT_EQ(p.panel.ifBandwidth, 2);
    EXPECT_EQ(p.synthesizer.entries.rf, QStringLiteral("915.000000"));
    EXPECT_EQ(p.synthesizer.entries.crystal, QStringLiteral("11.059200"));
    EXPECT_EQ(p.synthesizer.entries.refDivider, 1);
    EXPECT_EQ(p.synthesizer.divideBy2, false);
    EXPECT_EQ(p.bias.vcoBand, 2);
    EXPECT_EQ(p.bias.vcoBias, 7);
    EXPECT_EQ(p.bias.mixerLinearity, 1);
    EXPECT_EQ(p.bias.paBias, std::nullopt); // the file has no PA bias
    EXPECT_EQ(p.lnaMode, 1);
    EXPECT_EQ(p.sync.detect, 2);
    EXPECT_EQ(p.sync.word, QStringLiteral("0xABC123")); // whole, as the box takes it
    EXPECT_EQ(p.sync.length, 2);
    EXPECT_EQ(p.sync.errors, 2);
    EXPECT_EQ(p.sync.packetLength, std::nullopt);
}

// GFSK plans the Gaussian window's codes (and no deviation: the window works it out); the
// exporter's "True" turns the divide-by-2 on.
TEST(SettingsPlan, AGfskFilePlansTheGaussianCodes) {
    const platform::ProfileDocument d = fixtureFile("gfsk-pellion1.txt");
    KeyReader r(d);
    const SettingsPlan p = planSettings(r);
    EXPECT_TRUE(r.skipped().isEmpty());
    EXPECT_EQ(p.panel.scheme, GfskScheme);
    EXPECT_TRUE(isGaussianScheme(*p.panel.scheme));
    EXPECT_EQ(p.panel.deviation, std::nullopt);
    EXPECT_EQ(p.gaussian.indexCounter, 0);
    EXPECT_EQ(p.gaussian.divider, 100);
    EXPECT_EQ(p.gaussian.modControl, 3);
    EXPECT_EQ(p.panel.externalInductor, true);
    EXPECT_EQ(p.synthesizer.divideBy2, true);
}

TEST(SettingsPlan, AGarbledFileLeavesOutWhatNoControlTakes) {
    const platform::ProfileDocument d = fixtureFile("garbled.txt");
    KeyReader r(d);
    const SettingsPlan p = planSettings(r);
    EXPECT_EQ(r.skipped().join(QStringLiteral(", ")),
              QStringLiteral("[PLL] RefDivider, [VCO] VCOBias, [Tx] PALevel, [Phy] BaudRate, "
                             "[Rx] IF_BW, [Sync] SyncWord, [Sync] NumErrors"));
    EXPECT_EQ(p.panel.scheme, AskScheme);
    EXPECT_EQ(p.panel.paLevelLow, 12);
    EXPECT_EQ(p.panel.icp, 2);                 // "2.5" reads its leading digits
    EXPECT_EQ(p.synthesizer.divideBy2, false); // "maybe" reads as 0
    EXPECT_EQ(p.synthesizer.entries.refDivider, std::nullopt);
    EXPECT_EQ(p.lnaMode, 0);
    EXPECT_EQ(p.sync.length, 3);
}

// Each scheme writes its own keys after FRAC; the rest of the file is the same for all.
TEST(SettingsPlan, ASaveWritesTheKeysOfItsScheme) {
    SettingsRecord s;
    s.path = QStringLiteral("C:\\p.txt");
    s.rateKbps = 10;
    s.panel = {true,
               QStringLiteral("GOOK"),
               QStringLiteral("40"),
               QStringLiteral("30"),
               QStringLiteral("12"),
               QStringLiteral("25"),
               QStringLiteral("24.9"),
               QStringLiteral("1"),
               QStringLiteral("3")};
    s.synthesizer = {QStringLiteral("868.3"), QStringLiteral("11.0592")};
    s.fields = {QStringLiteral("78"), QStringLiteral("16244"), QStringLiteral("1"),
                QStringLiteral("1"), true};
    s.gaussian = {QStringLiteral("2"), QStringLiteral("100"), QStringLiteral("3")};
    s.bias = {QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("7")};
    s.sync = {QStringLiteral("1"), QStringLiteral("0x2AA"), QStringLiteral("0"),
              QStringLiteral("0")};
    QStringList written;
    const evalkit::calc::KeyWriter write = [&written](const Key& k, const QString& v) {
        written << k.sectionName() + QLatin1Char('/') + k.keyName() + QLatin1Char('=') + v;
    };
    writeSettings(s, write);
    EXPECT_EQ(
        written.join(QLatin1Char(' ')),
        QStringLiteral("File/Version=1 File/path=C:\\p.txt Phy/Chip=Pellion-1 Phy/Modulation=GOOK "
                       "Phy/BaudRate=10000 Tx/Frequency=868.3 Tx/INT=78 Tx/FRAC=16244 "
                       "Tx/PALevel=30 Phy/INDEX_COUNTER=2 Phy/DIVIDER_FACTOR=100 "
                       "Phy/GFSK_MOD_CONTROL=3 Rx/IF_BW=1 Rx/MIXER_LINEARITY=1 Rx/LNA_MODE=1 "
                       "PLL/CrystalFreq=11.0592 PLL/IcpIndex=3 PLL/RefDivider=1 VCO/VCOBand=3 "
                       "VCO/VCODivider=True VCO/Lext=1 VCO/VCOBias=7 Sync/SyncDetect=1 "
                       "Sync/SyncWord=0x2AA Sync/Wordlength=0 Sync/NumErrors=0"));

    const struct Case {
        const char* scheme;
        const char* keys; // after FRAC, up to IF_BW
    } cases[] = {
        {"FSK", "Tx/PALevel=40 Phy/Deviation_kHz=25"},
        {"GFSK", "Tx/PALevel=40 Phy/Deviation_kHz=24.9 Phy/INDEX_COUNTER=2 "
                 "Phy/DIVIDER_FACTOR=100 Phy/GFSK_MOD_CONTROL=3"},
        {"ASK", "Tx/PALevel=30 Tx/PALevelLow=12"},
        {"OOK", "Tx/PALevel=30"},
        {"gfsk", ""},
    };
    for (const Case& c : cases) {
        written.clear();
        s.panel.modulation = QString::fromLatin1(c.scheme);
        writeSettings(s, write);
        const qsizetype frac = written.indexOf(QStringLiteral("Tx/FRAC=16244"));
        const qsizetype ifBw = written.indexOf(QStringLiteral("Rx/IF_BW=1"));
        EXPECT_EQ(written.mid(frac + 1, ifBw - frac - 1).join(QLatin1Char(' ')),
                  QString::fromLatin1(c.keys))
            << c.scheme;
    }
}
