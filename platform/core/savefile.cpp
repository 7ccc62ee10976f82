#include "platform/core/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

class QtSaveDevice : public SaveDevice {
public:
    explicit QtSaveDevice(std::unique_ptr<QSaveFile> file) : file_(std::move(file)) {}

    // Unbuffered: each write goes to the system at once, so a disk that fills up says so at
    // the write that meets it.
    bool open() override {
        return file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered) || failed();
    }
    bool write(const QByteArray& bytes) override {
        // A disk that fills up during a write takes what it has room for and reports nothing
        // (Qt then has no reason to give); only writing the rest brings out the system's
        // reason ("No space left on device").
        qint64 done = 0;
        while (done < bytes.size()) {
            const qint64 n = file_->write(bytes.constData() + done, bytes.size() - done);
            if (n <= 0)
                return failed();
            done += n;
        }
        return true;
    }
    bool flush() override {
        if (!file_->flush())
            return failed();
        // The bytes may still wait in the system's cache; a file system that finds out only
        // then that it has no room, or a share that lost its server, says so here. One that
        // cannot sync at all has nothing to report.
        if (::fsync(file_->handle()) != 0 && errno != EINVAL && errno != ENOTSUP) {
            error_ = systemReason(errno);
            return false;
        }
        return true;
    }
    bool commit() override { return file_->commit() || failed(); }
    void cancel() override { file_->cancelWriting(); }
    QString errorString() const override { return error_; }

private:
    bool failed() {
        error_ = file_->errorString();
        return false;
    }

    std::unique_ptr<QSaveFile> file_;
    QString error_;
};

// The folder a save writes its new file in, when the system refuses that: why, naming the
// folder; otherwise nothing.
std::optional<QString> unwritableFolder(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    if (::access(QFile::encodeName(folder).constData(), W_OK) == 0)
        return std::nullopt;
    return QStringLiteral("The folder %1 cannot be written (%2); a save writes the new file "
                          "there beside the old one.")
        .arg(QDir::toNativeSeparators(folder), systemReason(errno));
}

} // namespace

std::unique_ptr<SaveDevice> QSaveFileFactory::create(const QString& path) {
    return deviceFor(std::make_unique<QSaveFile>(path));
}

std::unique_ptr<SaveDevice> QSaveFileFactory::deviceFor(std::unique_ptr<QSaveFile> file) {
    return std::make_unique<QtSaveDevice>(std::move(file));
}

SaveDeviceFactory& defaultSaveDevices() {
    static QSaveFileFactory factory; // stateless
    return factory;
}

std::optional<QString> notARegularFile(const QString& path) {
    struct stat status {};
    // Nothing there (or nothing the system lets us see): opening it says what is wrong.
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    if (S_ISREG(status.st_mode))
        return std::nullopt;
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("It is a folder, not a file.");
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return QStringLiteral("It is a device, not a file.");
    if (S_ISFIFO(status.st_mode))
        return QStringLiteral("It is a named pipe, not a file.");
    if (S_ISSOCK(status.st_mode))
        return QStringLiteral("It is a socket, not a file.");
    return QStringLiteral("It is not a regular file.");
}

std::optional<QString> saveWholeFile(const QString& path, const QByteArray& bytes,
                                     SaveDeviceFactory& devices) {
    // A device or a pipe would be read or replaced by the new file (renamed over a device
    // node, when the program may); a folder cannot be replaced at all.
    if (std::optional<QString> why = notARegularFile(path))
        return why;
    // QSaveFile renames the new file over the old one, which would replace even a file the
    // user has marked read-only; respect the mark instead.
    const QFileInfo info(path);
    if (info.exists() &&
        (!info.isWritable() || !info.permissions().testFlag(QFileDevice::WriteOwner)))
        return QStringLiteral("The file is read-only.");
    const std::unique_ptr<SaveDevice> file = devices.create(path);
    if (!file->open())
        return unwritableFolder(path).value_or(file->errorString());
    // Every step is checked before the next: only a file whose every byte is on the disk
    // may take the old one's place.
    if (!file->write(bytes) || !file->flush()) {
        const QString reason = file->errorString();
        file->cancel();
        return reason;
    }
    if (!file->commit())
        return file->errorString();
    return std::nullopt;
}

} // namespace platform
