#include "platform/savefile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

class QtSaveDevice : public SaveDevice {
public:
    explicit QtSaveDevice(const QString& path) : file_(path) {}

    bool open() override { return file_.open(QIODevice::WriteOnly) || failed(); }
    bool write(const QByteArray& bytes) override {
        return file_.write(bytes) == bytes.size() || failed();
    }
    bool flush() override {
        if (!file_.flush())
            return failed();
        // The bytes may still wait in the system's cache; a file system that finds out only
        // then that it has no room, or a share that lost its server, says so here. One that
        // cannot sync at all has nothing to report.
        if (::fsync(file_.handle()) != 0 && errno != EINVAL && errno != ENOTSUP) {
            error_ = systemReason(errno);
            return false;
        }
        return true;
    }
    bool commit() override { return file_.commit() || failed(); }
    void cancel() override { file_.cancelWriting(); }
    QString errorString() const override { return error_; }

private:
    bool failed() {
        error_ = file_.errorString();
        return false;
    }

    QSaveFile file_;
    QString error_;
};

class FaultySaveDevice : public SaveDevice {
public:
    using Step = FaultySaveDeviceFactory::Step;
    FaultySaveDevice(const QString& path, Step failAt, QString reason)
        : file_(path), failAt_(failAt), reason_(std::move(reason)) {}

    bool open() override {
        if (failAt_ == Step::Open)
            return fault();
        if (!file_.open(QIODevice::WriteOnly)) {
            error_ = file_.errorString();
            return false;
        }
        return true;
    }
    bool write(const QByteArray& bytes) override {
        if (failAt_ == Step::Write)
            return fault();
        pending_ += bytes; // held back as a buffered device holds it
        return true;
    }
    bool flush() override {
        if (failAt_ == Step::Flush) {
            pending_.clear(); // the buffer never reached the file
            return fault();
        }
        return pushPending();
    }
    bool commit() override {
        if (failAt_ == Step::Commit) {
            file_.cancelWriting();
            return fault();
        }
        // A commit pushes out what is still buffered; after a failed flush nothing is left,
        // and the file that takes the old one's place is short, as under a full disk.
        if (!pushPending())
            return false;
        if (!file_.commit()) {
            error_ = file_.errorString();
            return false;
        }
        return true;
    }
    void cancel() override { file_.cancelWriting(); }
    QString errorString() const override { return error_; }

private:
    bool fault() {
        error_ = reason_;
        return false;
    }
    bool pushPending() {
        const QByteArray bytes = std::exchange(pending_, {});
        if (file_.write(bytes) != bytes.size() || !file_.flush()) {
            error_ = file_.errorString();
            return false;
        }
        return true;
    }

    QSaveFile file_;
    Step failAt_;
    QString reason_;
    QByteArray pending_;
    QString error_;
};

} // namespace

std::unique_ptr<SaveDevice> QSaveFileFactory::create(const QString& path) {
    return std::make_unique<QtSaveDevice>(path);
}

SaveDeviceFactory& defaultSaveDevices() {
    static QSaveFileFactory factory; // stateless
    return factory;
}

std::unique_ptr<SaveDevice> FaultySaveDeviceFactory::create(const QString& path) {
    ++created;
    return std::make_unique<FaultySaveDevice>(path, failAt, reason);
}

std::optional<QString> saveWholeFile(const QString& path, const QByteArray& bytes,
                                     SaveDeviceFactory& devices) {
    // QSaveFile renames the new file over the old one, which would replace even a file the
    // user has marked read-only; respect the mark instead.
    const QFileInfo info(path);
    if (info.exists() && !info.isDir() &&
        (!info.isWritable() || !info.permissions().testFlag(QFileDevice::WriteOwner)))
        return QStringLiteral("The file is read-only.");
    const std::unique_ptr<SaveDevice> file = devices.create(path);
    if (!file->open())
        return file->errorString();
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
