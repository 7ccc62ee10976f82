#include "testing/savefaults.h"

#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {

namespace {

// The new file on a disk with room for `room` more bytes: the write that meets the end of the
// room is cut short without an error, and the next one fails, as the system does it.
class FillingDiskFile : public QSaveFile {
public:
    FillingDiskFile(const QString& path, qint64 room) : QSaveFile(path), room_(room) {}

protected:
    qint64 writeData(const char* data, qint64 length) override {
        if (length > 0 && room_ <= 0) {
            setErrorString(QString::fromLocal8Bit(std::strerror(ENOSPC)));
            return -1;
        }
        const qint64 written = QSaveFile::writeData(data, std::min(length, room_));
        if (written > 0)
            room_ -= written;
        return written;
    }

private:
    qint64 room_;
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

std::unique_ptr<SaveDevice> FillingDiskSaveDeviceFactory::create(const QString& path) {
    return QSaveFileFactory::deviceFor(std::make_unique<FillingDiskFile>(path, room));
}

std::unique_ptr<SaveDevice> FaultySaveDeviceFactory::create(const QString& path) {
    ++created;
    return std::make_unique<FaultySaveDevice>(path, failAt, reason);
}

} // namespace platform
