// Reading a settings file's keys as the profile functions read them, the version check, and
// the synthesizer's and sync word's entries, without a window.
#include "evalkit/calc/settingskeys.h"
#include "evalkit/calc/windowsettings.h"
#include "tests/qtprinters.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

using namespace evalkit::calc;

namespace {

constexpr Key K{u"S", u"k"};

platform::ProfileDocument document(const char* text) {
    return platform::ProfileDocument::parse(QByteArray(text));
}

QStringList keyNames(const std::vector<Key>& keys) {
    QStringList names;
    for (const Key& k : keys)
        names << k.keyName();
    return names;
}

} // namespace

// A number key reads its leading digits, 0 when missing; what no control can take is left out
// and gives nothing; every value not taken as it stands is noted for the summary: left out,
// read otherwise than written, or missing.
TEST(KeyReader, NumberKeysAsTheProfileFunctionsReadThem) {
    using Read = std::function<std::optional<int>(KeyReader&)>;
    const Read integer = [](KeyReader& r) {
        return r.integer(K);
    };
    const Read index = [](KeyReader& r) {
        return r.index(K, 4);
    };
    const Read range = [](KeyReader& r) {
        return r.inRange(K, 1, 3);
    };
    const Read position = [](KeyReader& r) {
        return r.position(K, std::array<int, 2>{16, 32});
    };
    const Read twice = [](KeyReader& r) {
        r.integer(K);
        return r.inRange(K, 0, 20);
    };
    enum Note { None, Skipped, ReadAs, Missing };
    const struct Case {
        const char* file;
        Read read;
        std::optional<int> value;
        Note note;
        const char* readAs = "";
    } cases[] = {
        {"[S]\r\n", integer, 0, Missing},
        {"[S]\r\nk=\r\n", integer, 0, Missing},
        {"[S]\r\nk=7\r\n", integer, 7, None},
        {"[S]\r\nk=+7.0\r\n", integer, 7, None},
        {"[S]\r\nk=1.5\r\n", integer, 1, ReadAs, "[S] k=1.5 as 1"},
        {"[S]\r\nk=12abc\r\n", integer, 12, ReadAs, "[S] k=12abc as 12"},
        {"[S]\r\nk=1e308\r\n", integer, 1, ReadAs, "[S] k=1e308 as 1"},
        {"[S]\r\nk=NaN\r\n", integer, 0, ReadAs, "[S] k=NaN as 0"},
        {"[S]\r\nk=&H10\r\n", integer, 0, ReadAs, "[S] k=&H10 as 0"},
        {"[S]\r\nk=123456789012345678901234567\r\n", integer, std::nullopt, Skipped},
        {"[s]\r\nK=-3\r\n", integer, -3, None},
        {"[S]\r\nk=40000\r\n", integer, std::nullopt, Skipped},
        {"[S]\r\nk=3\r\n", index, 3, None},
        {"[S]\r\nk=-1\r\n", index, std::nullopt, Skipped}, // a list without a choice
        {"[S]\r\nk=4\r\n", index, std::nullopt, Skipped},
        {"[S]\r\nk=3\r\n", range, 3, None},
        {"[S]\r\n", range, std::nullopt, Skipped}, // 0 the control cannot take
        {"[S]\r\nk=1.5x\r\n", range, 1, ReadAs, "[S] k=1.5x as 1"},
        {"[S]\r\nk=32\r\n", position, 1, None},
        {"[S]\r\nk=64\r\n", position, std::nullopt, Skipped},
        {"[S]\r\nk=2x\r\n", twice, 2, ReadAs, "[S] k=2x as 2"}, // noted once
    };
    for (const Case& c : cases) {
        const platform::ProfileDocument d = document(c.file);
        KeyReader r(d);
        EXPECT_EQ(c.read(r), c.value) << c.file;
        const QStringList key{QStringLiteral("[S] k")};
        EXPECT_EQ(r.skipped(), c.note == Skipped ? key : QStringList()) << c.file;
        EXPECT_EQ(r.readOtherwise(),
                  c.note == ReadAs ? QStringList{QLatin1String(c.readAs)} : QStringList())
            << c.file;
        EXPECT_EQ(r.missing(), c.note == Missing ? key : QStringList()) << c.file;
    }
}

// Names: another text is left out and noted, a missing one not; one summary of three sentences,
// a key left out in none but the first.
TEST(KeyReader, NamesAndTheSummary) {
    const std::array<const char16_t*, 2> names{u"FSK", u"GFSK"};
    const platform::ProfileDocument d =
        document("[S]\r\nk=gfsk\r\nn=4x\r\nm=9x\r\n[T]\r\nkey=FSK\r\n");
    KeyReader r(d);
    EXPECT_EQ(r.nameIndex(Key{u"T", u"key"}, names), 0);
    EXPECT_EQ(r.nameIndex(Key{u"T", u"none"}, names), std::nullopt);
    EXPECT_EQ(r.nameIndex(K, names), std::nullopt);
    EXPECT_EQ(r.integer(Key{u"S", u"n"}), 4);
    EXPECT_EQ(r.inRange(Key{u"S", u"m"}, 0, 3), std::nullopt); // read as 9, then left out
    EXPECT_EQ(r.integer(Key{u"S", u"gone"}), 0);
    r.readAs(Key{u"S", u"n"}, QStringLiteral("5")); // the last reading counts
    EXPECT_EQ(r.summary(QStringLiteral("f.txt")),
              QStringLiteral("These settings in f.txt could not be used and were left as they "
                             "were: [S] k, [S] m\nThese settings in f.txt were not taken as they "
                             "are written: [S] n=4x as 5\nThese settings are missing from f.txt "
                             "and were read as 0: [S] gone"));
    const platform::ProfileDocument clean = document("[S]\r\nk=1\r\n");
    KeyReader quiet(clean);
    quiet.integer(K);
    EXPECT_EQ(quiet.summary(QStringLiteral("f.txt")), QString());
}

TEST(KeyReader, OnlyVersionOneIsRead) {
    const QString refusal = QStringLiteral(
        "Error: Import file incompatible with this version of software. You should check the "
        "Verrix website for updates");
    const struct Case {
        const char* file;
        std::optional<QString> refusal;
    } cases[] = {
        {"[File]\r\nVersion=1\r\n", std::nullopt},
        {"[file]\r\nversion=1.5\r\n", std::nullopt},
        {"[File]\r\nVersion=2\r\n", refusal},
        {"[Phy]\r\nChip=Corvane\r\n", refusal},
        {"", refusal + QStringLiteral("\nThe file is empty.")},
        {"just some text\r\n", refusal + QStringLiteral("\nThe file holds no settings.")},
    };
    for (const Case& c : cases) {
        const platform::ProfileDocument d = document(c.file);
        KeyReader r(d);
        EXPECT_EQ(versionRefusal(r), c.refusal) << c.file;
    }
}

TEST(KeyReader, TheFileSectionASaveBeginsWith) {
    QStringList written;
    writeFileSection(
        [&written](const Key& k, const QString& v) {
            written << k.sectionName() + QLatin1Char('/') + k.keyName() + QLatin1Char('=') + v;
        },
        QStringLiteral("C:\\a.txt"));
    EXPECT_EQ(written, (QStringList{QStringLiteral("File/Version=1"),
                                    QStringLiteral("File/path=C:\\a.txt")}));
}

// The PFD box takes the crystal itself for a divider of 0, else the (doubled) crystal over it.
TEST(SynthesizerEntries, ThePfdEntryFromTheCrystalAndTheDivider) {
    EXPECT_EQ(pfdEntry(QStringLiteral("19.68"), 0), QStringLiteral("19.68"));
    EXPECT_EQ(pfdEntry(QStringLiteral("x"), 0), QStringLiteral("x"));
    EXPECT_EQ(pfdEntry(QStringLiteral("19.68"), 2), QStringLiteral("9.84"));
    EXPECT_EQ(pfdEntry(QStringLiteral("11.0592"), 6, 2), QStringLiteral("3.6864"));
    EXPECT_EQ(pfdEntry(QStringLiteral("x"), 2), std::nullopt);
}

// What the calculation did not take is named by the key it came from: a PFD it did not take
// by the divider when the divider gave it, else by the crystal.
TEST(SynthesizerEntries, EntriesTheCalculationDidNotTake) {
    const SynthesizerKeys keys{
        {u"Tx", u"Frequency"}, {u"PLL", u"CrystalFreq"}, {u"PLL", u"RefDivider"}};
    const SynthesizerValues given{868.3, 9.84, 19.68};
    const struct Case {
        int refDivider;
        SynthesizerValues kept;
        QStringList notTaken;
    } cases[] = {
        {2, {868.3, 9.84, 19.68}, {}},
        {2, {868.3, float(9.84), float(19.68)}, {}}, // kept in single precision
        {2, {868.3, 9.84, 12}, {QStringLiteral("CrystalFreq")}},
        {2, {868.3, 19.68, 19.68}, {QStringLiteral("RefDivider")}},
        {0, {868.3, 19.68, 19.68}, {QStringLiteral("CrystalFreq")}},
        {2, {869.5, 9.84, 19.68}, {QStringLiteral("Frequency")}},
        {2, {869.5, 10, 12}, {QStringLiteral("CrystalFreq"), QStringLiteral("Frequency")}},
    };
    for (const Case& c : cases) {
        SynthesizerEntries e;
        e.keys = keys;
        e.refDivider = c.refDivider;
        EXPECT_EQ(keyNames(entriesNotTaken(e, given, c.kept, 1e-9)), c.notTaken)
            << c.refDivider << " " << c.kept.rfMHz << " " << c.kept.pfdMHz;
    }
}

TEST(SyncWord, TheWordAPatternTextStandsFor) {
    const struct Case {
        const char* text;
        const char* prefix;
        std::optional<uint32_t> word;
        bool tooWide;
    } cases[] = {
        {"2AA", "", 0x2AA, false},     {"", "", 0, false},
        {"0x", "0x", 0, false},        {"0X00ffffff", "0x", 0xFFFFFF, false},
        {"0x1000000", "0x", {}, true}, {"ZZ", "", {}, false},
        {"2AA", "0x", {}, false},      {"0x12 ", "0x", {}, false},
    };
    for (const Case& c : cases) {
        bool tooWide = false;
        EXPECT_EQ(
            syncWordValue(QString::fromLatin1(c.text), QString::fromLatin1(c.prefix), &tooWide),
            c.word)
            << c.text;
        EXPECT_EQ(tooWide, c.tooWide) << c.text;
    }
}
