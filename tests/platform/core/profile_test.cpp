#include "platform/core/profile.h"

#include "../../qtprinters.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "../../testfiles.h"

#include <memory>
#include <ostream>
#include <string>

namespace {

using testfiles::readBytes;
using testfiles::writeBytes;

using platform::GetPrivateProfileInt;
using platform::GetPrivateProfileString;
using platform::ProfileBatch;
using platform::WritePrivateProfileString;

QByteArray fixture() {
    return readBytes(QStringLiteral(CORVANE_FIXTURES "/profile/foreign.ini"));
}

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString file(const QString& name) const { return dir.filePath(name); }
    QString withFixture(const QString& name) const {
        const QString path = file(name);
        writeBytes(path, fixture());
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(ProfileTest, ReadsStringsAsThePlatformDoes) {
    const QString path = withFixture(QStringLiteral("read.ini"));
    const struct {
        const char* section;
        const char* key;
        int bufferSize;
        const char* defaultValue;
        QString expected;
        bool found;
    } cases[] = {
        // Names match without regard to case and blanks; quotes and blanks leave the value.
        {"Phy", "CHIP", 256, "", QStringLiteral("Corvane"), true},
        {"vco", "LEXT", 256, "", QStringLiteral("0"), true},
        {"pll", "frequency", 256, "", QStringLiteral("869.5"), true},
        {"PLL", "Note", 256, "", QStringLiteral("\"unbalanced"), true},
        {"Phy", "Owner", 256, "", QStringLiteral("Caf\u00E9"), true}, // a Latin-1 byte
        // The first of two equal keys counts, and only the first of two equal sections.
        {"Phy", "BaudRate", 256, "", QStringLiteral("9600"), true},
        {"Phy", "Extra", 256, "none", QStringLiteral("none"), false},
        // The buffer holds the terminating NUL: 8 gives at most 7 characters.
        {"PLL", "CrystalFreq", 8, "", QStringLiteral("19.6800"), true},
        {"PLL", "CrystalFreq", 1, "", QString(), true},
        {"None", "Key", 8, "a default", QStringLiteral("a defau"), false},
        // Neither a comment, a line without '=' nor a line before the first section is a key.
        {"VCO", "; Icp", 256, "-", QStringLiteral("-"), false},
        {"Phy", "no equals sign here", 256, "-", QStringLiteral("-"), false},
        {"", "orphan", 256, "-", QStringLiteral("-"), false},
        {"File", "Missing", 256, "dflt", QStringLiteral("dflt"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        const platform::ProfileRead read =
            GetPrivateProfileString(QString::fromLatin1(c.section), QString::fromLatin1(c.key),
                                    QString::fromLatin1(c.defaultValue), c.bufferSize, path);
        EXPECT_EQ(read.value, c.expected);
        EXPECT_EQ(read.found, c.found);
        EXPECT_FALSE(read.error);
    }
}

TEST_F(ProfileTest, MissingFileGivesTheDefaultButAnUnreadableOneIsAnError) {
    const platform::ProfileRead missing =
        GetPrivateProfileString("Phy", "Chip", "dflt", 256, file("absent.ini"));
    EXPECT_EQ(missing.value, "dflt");
    EXPECT_FALSE(missing.found);
    EXPECT_FALSE(missing.error);

    // A folder stands for a file that exists but cannot be read (the tests may run as root).
    const QString folder = file("folder.ini");
    ASSERT_TRUE(QDir().mkdir(folder));
    const platform::ProfileRead unreadable =
        GetPrivateProfileString("Phy", "Chip", "dflt", 256, folder);
    EXPECT_EQ(unreadable.value, "dflt");
    ASSERT_TRUE(unreadable.error);
    EXPECT_EQ(unreadable.error->file, QDir::toNativeSeparators(folder));
    EXPECT_FALSE(unreadable.error->reason.isEmpty());
    const platform::ProfileInt unreadableInt = GetPrivateProfileInt("Phy", "Chip", 3, folder);
    EXPECT_EQ(unreadableInt.value, 3);
    EXPECT_TRUE(unreadableInt.error);
}

TEST_F(ProfileTest, ReadsIntegersFromTheirLeadingDigits) {
    const QString path = file("ints.ini");
    writeBytes(path, "[N]\r\na=12abc\r\nb=-5\r\nc=abc\r\nd=0\r\ne=\r\nf=99999999999\r\n"
                     "g=-2147483648\r\nh=+7\r\ni= \"42\" \r\nj=-\r\nk=-99999999999\r\n");
    const struct {
        const char* key;
        int32_t value;
        bool found;
        bool numeric;
    } cases[] = {
        {"a", 12, true, true},
        {"b", -5, true, true},
        {"c", 0, true, false},
        {"d", 0, true, true}, // a real 0, told apart from a missing key
        {"missing", 33, false, false},
        {"e", 0, true, false},
        {"f", 2147483647, true, false}, // clamped and flagged
        {"k", -2147483647 - 1, true, false},
        {"g", -2147483647 - 1, true, true},
        {"h", 7, true, true},
        {"i", 42, true, true},
        {"j", 0, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const platform::ProfileInt read = GetPrivateProfileInt("n", c.key, 33, path);
        EXPECT_EQ(read.value, c.value);
        EXPECT_EQ(read.found, c.found);
        EXPECT_EQ(read.numeric, c.numeric);
        EXPECT_FALSE(read.error);
    }
}

struct Write {
    const char* section;
    const char* key;
    QString value;
};

// Writes into the fixture: replacements in place with the file's key spelling, new keys
// after the last non-blank line of their (first) section, a new section at the end.
const Write fixtureWrites[] = {
    {"PHY", "Modulation", QStringLiteral("ASK")}, {"Phy", "CHIP", QStringLiteral("Pellion")},
    {"vco", "Icp", QStringLiteral("3")},          {"File", "path", QStringLiteral("/tmp/x.txt")},
    {"Phy", "New", QStringLiteral("1")},          {"Rx", "Gain", QStringLiteral("10")},
    {"rx", "Mode", QStringLiteral("Rx")},         {"Phy", "BaudRate", QStringLiteral("19200")},
    {"phy", "Extra", QStringLiteral("8")},        {"PLL", "Frequency", QStringLiteral("915")},
    {"PLL", "Site", QStringLiteral("Zo\u00EB")},
};

const QByteArray fixtureAfterWrites = "orphan=1\r\n"
                                      "; written by the design tool\r\n"
                                      "[file]\r\n"
                                      "Version=1\r\n"
                                      "path=/tmp/x.txt\r\n"
                                      "\r\n"
                                      "[phy]\n"
                                      "chip=Pellion\n"
                                      "Modulation=ASK\n"
                                      "BaudRate=19200\n"
                                      "Owner=Caf\xe9\n"
                                      "BaudRate=1200\n"
                                      "no equals sign here\n"
                                      "New=1\r\n"
                                      "Extra=8\r\n"
                                      "\n"
                                      "[ VCO ]\r\n"
                                      "Lext='0'\r\n"
                                      "; Icp=7\r\n"
                                      "Icp=3\r\n"
                                      "\r\n"
                                      "[PLL]\r\n"
                                      "CrystalFreq=19.6800000\r\n"
                                      "Frequency=915\r\n"
                                      "Note=\"unbalanced\r\n"
                                      "Site=Zo\xeb\r\n"
                                      "\r\n"
                                      "[phy]\r\n"
                                      "Extra=7\r\n"
                                      "[Rx]\r\n"
                                      "Gain=10\r\n"
                                      "Mode=Rx\r\n";

TEST_F(ProfileTest, WritesKeepEveryOtherLineByteForByte) {
    const QString path = withFixture(QStringLiteral("write.ini"));
    for (const Write& w : fixtureWrites) {
        SCOPED_TRACE(std::string(w.section) + "/" + w.key);
        EXPECT_FALSE(WritePrivateProfileString(w.section, w.key, w.value, path));
    }
    EXPECT_EQ(readBytes(path), fixtureAfterWrites);
    EXPECT_EQ(GetPrivateProfileString("PLL", "Site", "", 256, path).value, "Zo\u00EB");
}

TEST_F(ProfileTest, BatchGivesTheSameBytesAsWritesOneByOne) {
    const QString path = withFixture(QStringLiteral("batch.ini"));
    ProfileBatch batch(path);
    for (const Write& w : fixtureWrites)
        batch.write(w.section, w.key, w.value);
    EXPECT_EQ(readBytes(path), fixture()); // nothing happens before the commit
    EXPECT_FALSE(batch.commit());
    EXPECT_EQ(readBytes(path), fixtureAfterWrites);
}

TEST_F(ProfileTest, NewFilesAndByteOrderMarks) {
    const struct {
        const char* name;
        QByteArray before; // empty: no file
        QByteArray after;
    } cases[] = {
        {"new.ini", {}, "[A]\r\nk=v\r\n"},
        {"empty.ini", "", "[A]\r\nk=v\r\n"},
        {"nobreak.ini", "[a]", "[a]\r\nk=v\r\n"},
        {"other.ini", "[B]\nx=1", "[B]\nx=1\r\n[A]\r\nk=v\r\n"},
        {"bom.ini", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "\xEF\xBB\xBF[A]\r\nk=v\r\n"},
        {"bomnew.ini", "\xEF\xBB\xBF[B]\r\n", "\xEF\xBB\xBF[B]\r\n[A]\r\nk=v\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = file(QString::fromLatin1(c.name));
        if (!c.before.isNull())
            writeBytes(path, c.before);
        EXPECT_FALSE(WritePrivateProfileString("A", "k", "v", path));
        EXPECT_EQ(readBytes(path), c.after);
        EXPECT_EQ(GetPrivateProfileString("a", "K", "", 256, path).value, "v");
    }
}

TEST_F(ProfileTest, RelativePathsResolveAgainstTheWorkingDirectory) {
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const auto error = WritePrivateProfileString("A", "k", "v", "relative.ini");
    const QString read = GetPrivateProfileString("A", "k", "", 256, "relative.ini").value;
    QDir::setCurrent(previous);
    EXPECT_FALSE(error);
    EXPECT_EQ(read, "v");
    EXPECT_EQ(readBytes(file("relative.ini")), "[A]\r\nk=v\r\n");
}

TEST_F(ProfileTest, FailedWritesNameTheFileAndLeaveItWhole) {
    const QString readOnly = withFixture(QStringLiteral("readonly.ini"));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const auto refused = WritePrivateProfileString("Phy", "Chip", "x", readOnly);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->file, QDir::toNativeSeparators(readOnly));
    EXPECT_FALSE(refused->reason.isEmpty());
    EXPECT_EQ(readBytes(readOnly), fixture());

    const QString inMissingFolder = file("missing/settings.ini");
    const auto noFolder = WritePrivateProfileString("Phy", "Chip", "x", inMissingFolder);
    ASSERT_TRUE(noFolder);
    EXPECT_EQ(noFolder->file, QDir::toNativeSeparators(inMissingFolder));
    EXPECT_FALSE(noFolder->reason.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(file("missing")));
}

TEST_F(ProfileTest, TextsThatWouldBreakTheFileAreRefused) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Phy", "a=b", "1"},      {"Phy", "", "1"},    {"Phy", ";k", "1"}, {"Phy", "[k", "1"},
        {"Phy", "k", "1\r\n[X]"}, {"Phy", "k", "1\n"}, {"P]hy", "k", "1"}, {"Ph\ny", "k", "1"},
    };
    const QString path = withFixture(QStringLiteral("refused.ini"));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key + "=" + c.value);
        const auto error = WritePrivateProfileString(c.section, c.key, c.value, path);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->file, QDir::toNativeSeparators(path));
        EXPECT_EQ(readBytes(path), fixture());
    }
}

TEST_F(ProfileTest, FailedBatchSavesNothingAndCanBeRetried) {
    // A refused write in the middle keeps the earlier ones out of the file too.
    const QString path = withFixture(QStringLiteral("batchfail.ini"));
    ProfileBatch refused(path);
    refused.write("Phy", "Chip", "x");
    refused.write("Phy", "bad=key", "1");
    refused.write("New", "k", "v");
    EXPECT_TRUE(refused.commit());
    EXPECT_EQ(readBytes(path), fixture());

    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    ProfileBatch batch(path);
    for (const Write& w : fixtureWrites)
        batch.write(w.section, w.key, w.value);
    const auto error = batch.commit();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->file, QDir::toNativeSeparators(path));
    EXPECT_EQ(readBytes(path), fixture());

    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_FALSE(batch.commit());
    EXPECT_EQ(readBytes(path), fixtureAfterWrites);
}

// The document views the file's bytes and the texts it wrote: rewriting a key again and again,
// and copies that outlive the original, must keep every name and line intact.
TEST(ProfileDocumentTest, RewritesAndCopiesKeepTheTextsTheyView) {
    const QByteArray bytes = "\xEF\xBB\xBF[A]\nKey=1\n; note\r\nlast=\xE9";
    auto document = std::make_unique<platform::ProfileDocument>(platform::ProfileDocument::parse(
        QByteArray(bytes.constData(), bytes.size()))); // its own buffer, freed with it
    EXPECT_EQ(document->serialize(), bytes);
    EXPECT_FALSE(document->set("a", "KEY", "1")); // the same text again changes nothing
    EXPECT_EQ(document->serialize(), bytes);
    for (const char* value : {"2", "three", "4"})
        EXPECT_FALSE(document->set("A", "key", value));
    EXPECT_FALSE(document->set("A", "New", "n"));
    EXPECT_FALSE(document->set("B", "k", "b"));
    platform::ProfileDocument copy = *document;
    document.reset();
    EXPECT_FALSE(copy.set("a", "new", "m"));
    EXPECT_FALSE(copy.set("b", "K", "c"));
    EXPECT_EQ(copy.value("a", "key"), "4");
    EXPECT_EQ(copy.value("A", "LAST"), "\u00E9");
    EXPECT_EQ(copy.serialize(), "\xEF\xBB\xBF[A]\nKey=4\n; note\r\nlast=\xE9\r\nNew=m\r\n"
                                "[B]\r\nk=c\r\n");
}

// A settings export writes a few dozen keys into a file that may carry many lines of other
// tools; the editing must stay linear in the file's size.
TEST_F(ProfileTest, LargeFileBatchIsFastAndExact) {
    // The expected result is built alongside: keys replaced in place with their spelling,
    // new keys at the end of their sections, the new section at the end.
    QByteArray big;
    QByteArray expected;
    constexpr int sections = 1000;
    constexpr int keysPerSection = 99;
    for (int s = 0; s < sections; ++s) {
        const QByteArray header = "[S" + QByteArray::number(s) + "]\r\n";
        big += header;
        expected += header;
        for (int k = 0; k < keysPerSection; ++k) {
            const QByteArray key = "key" + QByteArray::number(k) + "=";
            big += key + QByteArray::number(s * k) + "\r\n";
            const bool replaced = k < 25 && s == k * 40;
            expected +=
                key + (replaced ? QByteArray("replaced") : QByteArray::number(s * k)) + "\r\n";
        }
        if (s % 40 == 1 && s / 40 < 25)
            expected += "added=" + QByteArray::number(s / 40) + "\r\n";
    }
    expected += "[Extra]\r\nk=v\r\n";
    const QString path = file("big.ini");
    writeBytes(path, big);

    QElapsedTimer timer;
    timer.start();
    ProfileBatch batch(path);
    for (int i = 0; i < 25; ++i) {
        batch.write("s" + QString::number(i * 40), "KEY" + QString::number(i), "replaced");
        batch.write("S" + QString::number(i * 40 + 1), "added", QString::number(i));
    }
    batch.write("Extra", "k", "v");
    ASSERT_FALSE(batch.commit());
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(readBytes(path) == expected);
}

} // namespace
