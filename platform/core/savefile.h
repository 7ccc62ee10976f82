#pragma once
// Saving a whole file in one atomic step. The bytes go to a new file beside the target,
// which takes the target's place only once every byte has reached the disk; until then the
// old file stays as it was, byte for byte.
//
// A write into the file's buffer cannot fail for want of room: a full disk shows only when
// the buffer is pushed out. QSaveFile's commit does not report that (it puts the short file
// in place all the same), so the save pushes the buffer out and checks it itself before it
// commits.
//
// The device a save writes through comes from a factory, so that tests can make a step fail
// as a full disk or a failing rename would, without a real full disk (testing/savefaults.h).
#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QSaveFile;

namespace platform {

// One file being saved.
class SaveDevice {
public:
    virtual ~SaveDevice() = default;
    virtual bool open() = 0;
    virtual bool write(const QByteArray& bytes) = 0;
    // Pushes what is buffered into the file and the file onto the disk.
    virtual bool flush() = 0;
    // Puts the new file in place of the old one.
    virtual bool commit() = 0;
    // Throws the new file away; the old one stays as it was.
    virtual void cancel() = 0;
    // Why the last step failed, as the system words it ("No space left on device").
    virtual QString errorString() const = 0;
};

class SaveDeviceFactory {
public:
    virtual ~SaveDeviceFactory() = default;
    virtual std::unique_ptr<SaveDevice> create(const QString& path) = 0;
};

// The real thing: QSaveFile, with its buffer and the file pushed to the disk and checked
// before the commit.
class QSaveFileFactory : public SaveDeviceFactory {
public:
    std::unique_ptr<SaveDevice> create(const QString& path) override;
    // The same device over a new file made elsewhere: a QSaveFile whose writes a test shapes.
    static std::unique_ptr<SaveDevice> deviceFor(std::unique_ptr<QSaveFile> file);
};

// The factory every save uses unless it is handed another one. It holds no state.
SaveDeviceFactory& defaultSaveDevices();

// Why what stands at `path` cannot be read or saved as a file: a folder, a device (/dev/zero
// reads for ever, /dev/full never fills), a named pipe (opening one waits for a writer) or a
// socket. Nothing for a regular file, or for a name where nothing stands yet. Asked before the
// file is opened, since opening a pipe already blocks; a link counts as what it points to.
std::optional<QString> notARegularFile(const QString& path);

// Saves `bytes` as the whole file at `path`: opens, writes, flushes and checks, then
// commits. A failure at any step cancels the save, so the old file (if there is one) stays
// byte for byte and no new file is left behind; the result is the reason. What is not a
// regular file (see notARegularFile) is refused before anything is opened; a file that is
// there and marked read-only is refused rather than replaced; a folder that cannot be written
// is named as the reason, since the new file is made there beside the old one.
std::optional<QString> saveWholeFile(const QString& path, const QByteArray& bytes,
                                     SaveDeviceFactory& devices = defaultSaveDevices());

} // namespace platform
