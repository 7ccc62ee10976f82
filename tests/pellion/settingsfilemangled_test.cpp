// Settings files mangled every way load what they can and leave every field inside its bits.
#include "settingsfilefixture.h"

#include <cmath>

using namespace pellion;
using namespace pellion::test;

namespace {

// The field keeps a whole value inside its own bits.
void expectFieldsInsideTheirBits(PellionStore& store) {
    const auto table = store.fieldTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const double v = store.field(i);
        ASSERT_TRUE(std::isfinite(v) && v >= 0 && v == std::floor(v) && v < 4294967296.0)
            << table[i].name << " = " << v;
        EXPECT_EQ(static_cast<uint64_t>(v) & ~table[i].mask(), 0u) << table[i].name << " = " << v;
    }
}

const char* const kMangledValues[] = {
    "",       "abc",  "-1",         "99999", "1e308",
    "-1e308", "nan",  "inf",        "0x",    "0xFFFFFFFF",
    "True",   "3.5",  "0",          "1",     "2",
    "7",      "64",   "128",        "256",   "0.001",
    "&H10",   " 12 ", "\"quoted\"", "1,5",   "00000000000000000001",
    "-0",     "1e-9", "201.5",      "500",   "500.0001"};

} // namespace

// A few hundred files with garbled, missing and out-of-range keys: each loads what it can,
// names the rest in one message, and leaves every field inside its bits.
TEST_F(Settings, MangledFilesLoadWhatTheyCanAndNeverSpill) {
    QRandomGenerator random(17);
    QList<QByteArray> seeds;
    for (const char* name : {"fsk.txt", "gfsk-pellion1.txt", "garbled.txt", "foreign.txt"})
        seeds << readBytes(fixture(name));
    int applied = 0; // the files of this version, which the import reads
    for (int round = 0; round < 300; ++round) {
        QList<QByteArray> lines = seeds[random.bounded(int(seeds.size()))].split('\n');
        const int edits = 1 + random.bounded(6);
        for (int e = 0; e < edits && !lines.isEmpty(); ++e) {
            const int at = random.bounded(int(lines.size()));
            QByteArray& line = lines[at];
            switch (random.bounded(5)) {
            case 0: // another value
                if (const qsizetype eq = line.indexOf('='); eq >= 0 && !line.startsWith("Version"))
                    line = line.left(eq + 1) +
                           kMangledValues[random.bounded(int(std::size(kMangledValues)))] + "\r";
                break;
            case 1: // the line goes
                lines.removeAt(at);
                break;
            case 2: // the line twice
                lines.insert(at, line);
                break;
            case 3: // a stray byte
                line.insert(random.bounded(int(line.size()) + 1), char(random.bounded(256)));
                break;
            default: // the value cut short
                line.chop(random.bounded(int(line.size()) + 1));
                break;
            }
        }
        const QString path = temp(QStringLiteral("mangled.txt"));
        writeBytes(path, lines.join('\n'));
        clearRecords();
        ImportSettings(*app, path);
        SCOPED_TRACE(lines.join('\n').toStdString());
        int named = 0;
        for (const QString& text : messageTexts())
            named += text.startsWith(QStringLiteral("These settings in")) ? 1 : 0;
        const std::vector<QString> said = messageTexts();
        applied += std::find(said.begin(), said.end(), VersionMessage) == said.end() ? 1 : 0;
        EXPECT_LE(named, 1);
        EXPECT_EQ(w().SettingsLoaded, 0);
        expectFieldsInsideTheirBits(app->store());
        EXPECT_TRUE(usb.writtenWords().empty());
        if (HasFailure())
            break;
    }
    EXPECT_GT(applied, 150);
    // The program goes on working from whatever the files left.
    ExportSettings(*app, temp(QStringLiteral("after.txt")));
    m->cmdUpdateAll->click();
    expectFieldsInsideTheirBits(app->store());
}
