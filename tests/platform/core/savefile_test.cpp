// Saving a whole file: a save that fails at any step, a full disk above all, leaves the old
// file byte for byte, leaves nothing new behind and names the reason; the profile writes go
// through the same save.
#include "../../support/notafile.h"
#include "../../testfiles.h"

#include "platform/core/profile.h"
#include "platform/core/savefile.h"
#include "testing/savefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using platform::FaultySaveDeviceFactory;
using Step = FaultySaveDeviceFactory::Step;
using testfiles::readBytes;
using testfiles::writeBytes;

const QByteArray OldBytes = "[Phy]\r\nChip=Corvane\r\n[Other]\r\nkeep=1\r\n";
const QString FullDisk = QStringLiteral("No space left on device");

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

struct SaveFile : ::testing::Test {
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

// Whichever step fails, the old file is as it was, nothing else is left in the folder, and
// the reason comes back; a new file is not created at all.
TEST_F(SaveFile, AFailedStepLeavesTheOldFileByteForByte) {
    for (const Step step : {Step::Open, Step::Write, Step::Flush, Step::Commit}) {
        SCOPED_TRACE(static_cast<int>(step));
        FaultySaveDeviceFactory devices;
        devices.failAt = step;
        const QString existing = path("settings.txt");
        writeBytes(existing, OldBytes);
        EXPECT_EQ(platform::saveWholeFile(existing, "new contents\r\n", devices), FullDisk);
        EXPECT_EQ(readBytes(existing), OldBytes);
        EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("settings.txt")});

        const QString fresh = path("fresh.txt");
        EXPECT_EQ(platform::saveWholeFile(fresh, "new contents\r\n", devices), FullDisk);
        EXPECT_FALSE(QFileInfo::exists(fresh));
        EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("settings.txt")});
    }
}

TEST_F(SaveFile, ASaveThatWorksReplacesTheFile) {
    FaultySaveDeviceFactory devices; // fails nowhere
    const QString existing = path("settings.txt");
    writeBytes(existing, OldBytes);
    EXPECT_EQ(platform::saveWholeFile(existing, "new\r\n", devices), std::nullopt);
    EXPECT_EQ(readBytes(existing), QByteArray("new\r\n"));
    EXPECT_EQ(platform::saveWholeFile(existing, "real\r\n"), std::nullopt); // the real device
    EXPECT_EQ(readBytes(existing), QByteArray("real\r\n"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("settings.txt")});
}

// Every profile write saves through the same steps: a full disk names the file and the
// reason, keeps the file, and a batch keeps its writes for a retry.
TEST_F(SaveFile, ProfileWritesReportAFullDiskAndKeepTheFile) {
    FaultySaveDeviceFactory devices;
    devices.failAt = Step::Flush;
    const QString existing = path("settings.txt");
    writeBytes(existing, OldBytes);
    const auto single =
        platform::WritePrivateProfileString("Phy", "Chip", "Other", existing, devices);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->file, QDir::toNativeSeparators(QFileInfo(existing).absoluteFilePath()));
    EXPECT_EQ(single->reason, FullDisk);
    EXPECT_EQ(readBytes(existing), OldBytes);

    platform::ProfileBatch batch(existing, devices);
    batch.write("Phy", "Chip", "Other");
    batch.write("New", "key", "1");
    ASSERT_TRUE(batch.commit());
    EXPECT_EQ(readBytes(existing), OldBytes);
    devices.failAt = Step::None; // room again
    EXPECT_EQ(batch.commit(), std::nullopt);
    EXPECT_EQ(readBytes(existing),
              QByteArray("[Phy]\r\nChip=Other\r\n[Other]\r\nkeep=1\r\n[New]\r\nkey=1\r\n"));
}

// What is not a regular file is refused before it is opened, for reading as for writing: a
// device would be read for ever (/dev/zero) or never fill (/dev/full), a pipe blocks whoever
// opens it, a folder cannot be replaced. Nothing is made beside it either.
TEST_F(SaveFile, WhatIsNotARegularFileIsRefusedBeforeItIsOpened) {
    const evaltest::NotAFiles notFiles;
    for (const evaltest::NotAFile& n : notFiles.all()) {
        SCOPED_TRACE(n.path.toStdString());
        EXPECT_EQ(platform::notARegularFile(n.path), n.reason);
        FaultySaveDeviceFactory devices;
        EXPECT_EQ(platform::saveWholeFile(n.path, "new\r\n", devices), n.reason);
        EXPECT_EQ(devices.created, 0);

        const platform::ProfileLoad load =
            platform::loadProfileDocument(n.path, platform::MissingFile::ReadsAsEmpty);
        ASSERT_TRUE(load.error);
        EXPECT_EQ(load.error->reason, n.reason);
        EXPECT_EQ(platform::GetPrivateProfileInt("File", "Version", 7, n.path).value, 7);
        const auto write = platform::WritePrivateProfileString("Phy", "Chip", "x", n.path, devices);
        ASSERT_TRUE(write);
        EXPECT_EQ(write->reason, n.reason);
        EXPECT_EQ(devices.created, 0);
    }
    // A regular file and a name where nothing stands yet are files to the save.
    const QString fresh = path("fresh.txt");
    EXPECT_EQ(platform::notARegularFile(fresh), std::nullopt);
    writeBytes(fresh, OldBytes);
    EXPECT_EQ(platform::notARegularFile(fresh), std::nullopt);
}

// A real full file system: a small tmpfs, filled up. Mounting needs root (and a system that
// lets it); elsewhere the test is skipped. The save goes through the real device.
class FullTmpfs : public ::testing::Test {
protected:
    QTemporaryDir mountPoint;
    bool mounted = false;

    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "mounting a tmpfs needs root";
        ASSERT_TRUE(mountPoint.isValid());
        const QByteArray where = QFile::encodeName(mountPoint.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
        mounted = true;
    }
    void TearDown() override {
        if (mounted)
            ::umount2(QFile::encodeName(mountPoint.path()).constData(), MNT_DETACH);
    }

    QString path(const char* name) const { return mountPoint.filePath(QLatin1String(name)); }

    // Fills what room is left with one file.
    void fill() const {
        QFile filler(path("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
};

TEST_F(FullTmpfs, ASaveOntoAFullDiskKeepsTheOldFileAndSaysWhy) {
    const QString existing = path("settings.txt");
    writeBytes(existing, OldBytes);
    fill();
    const auto error = platform::WritePrivateProfileString("Phy", "Chip", "Other", existing);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->reason, FullDisk);
    EXPECT_EQ(readBytes(existing), OldBytes);

    const QString fresh = path("fresh.txt");
    EXPECT_EQ(platform::saveWholeFile(fresh, "new contents\r\n"), FullDisk);
    EXPECT_FALSE(QFileInfo::exists(fresh));
    EXPECT_EQ(filesIn(mountPoint.path()),
              (QStringList{QStringLiteral("filler"), QStringLiteral("settings.txt")}));
}

} // namespace
