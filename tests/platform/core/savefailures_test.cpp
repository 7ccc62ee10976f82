// A save that the disk cannot hold, or that goes to a folder which cannot be written, names
// the system's reason and leaves the old file byte for byte, with nothing new beside it.
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
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using testfiles::readBytes;
using testfiles::writeBytes;

const QByteArray OldBytes = "[Phy]\r\nChip=Corvane\r\n";
const QByteArray NewBytes(200, 'n');
const QString FullDisk = QStringLiteral("No space left on device");

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

struct SaveFailures : ::testing::Test {
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

// The disk fills up part way through the new file (or has no room at all): the save says so
// in the system's words, as a disk already full does.
TEST_F(SaveFailures, ADiskThatFillsDuringTheWriteSaysSo) {
    for (const qint64 room : {qint64{0}, qint64{1}, qint64{64}, NewBytes.size() - 1}) {
        SCOPED_TRACE(room);
        platform::FillingDiskSaveDeviceFactory devices(room);
        const QString existing = path("settings.txt");
        writeBytes(existing, OldBytes);
        EXPECT_EQ(platform::saveWholeFile(existing, NewBytes, devices), FullDisk);
        EXPECT_EQ(readBytes(existing), OldBytes);

        const QString fresh = path("fresh.txt");
        EXPECT_EQ(platform::saveWholeFile(fresh, NewBytes, devices), FullDisk);
        EXPECT_FALSE(QFileInfo::exists(fresh));
        EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("settings.txt")});
    }
    // Room enough: the save goes through.
    platform::FillingDiskSaveDeviceFactory roomy(NewBytes.size());
    EXPECT_EQ(platform::saveWholeFile(path("settings.txt"), NewBytes, roomy), std::nullopt);
    EXPECT_EQ(readBytes(path("settings.txt")), NewBytes);
}

// What a profile write reports, and so what the user is told, names the file and the reason.
TEST_F(SaveFailures, AProfileWriteOntoADiskThatFillsNamesTheReason) {
    platform::FillingDiskSaveDeviceFactory devices(8);
    const QString existing = path("settings.txt");
    writeBytes(existing, OldBytes);
    const auto error =
        platform::WritePrivateProfileString("Phy", "Chip", "Another chip", existing, devices);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->file, QDir::toNativeSeparators(QFileInfo(existing).absoluteFilePath()));
    EXPECT_EQ(error->reason, FullDisk);
    EXPECT_EQ(readBytes(existing), OldBytes);
}

QString folderReason(const QString& folder, const char* cause) {
    return QStringLiteral("The folder %1 cannot be written (%2); a save writes the new file "
                          "there beside the old one.")
        .arg(QDir::toNativeSeparators(folder), QLatin1String(cause));
}

// A folder the user may not write, though the file in it may be: the save cannot make its new
// file there, and says that of the folder. Root may write any folder, so this needs a user.
TEST_F(SaveFailures, AFolderTheUserMayNotWriteIsNamed) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes any folder";
    const QString existing = path("settings.txt");
    writeBytes(existing, OldBytes);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto reason = platform::saveWholeFile(existing, NewBytes);
    const auto fresh = platform::saveWholeFile(path("fresh.txt"), NewBytes);
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(reason, folderReason(dir.path(), "Permission denied"));
    EXPECT_EQ(fresh, folderReason(dir.path(), "Permission denied"));
    EXPECT_EQ(readBytes(existing), OldBytes);
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("settings.txt")});
}

// A read-only file system, which no one may write, root included: a small tmpfs mounted
// read-only (mounting needs root; elsewhere the test is skipped).
TEST(SaveIntoAReadOnlyFileSystem, TheFolderIsNamed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    QTemporaryDir mountPoint;
    ASSERT_TRUE(mountPoint.isValid());
    const QByteArray where = QFile::encodeName(mountPoint.path());
    if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV | MS_RDONLY,
                "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    const QString fresh = mountPoint.filePath(QStringLiteral("fresh.txt"));
    const auto reason = platform::saveWholeFile(fresh, NewBytes);
    const bool created = QFileInfo::exists(fresh);
    ::umount2(where.constData(), MNT_DETACH);
    EXPECT_EQ(reason, folderReason(mountPoint.path(), "Read-only file system"));
    EXPECT_FALSE(created);
}

} // namespace
