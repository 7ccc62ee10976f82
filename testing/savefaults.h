#pragma once
// Save devices for tests that make one step of an atomic save fail as a full disk or a failing
// rename would, without a real full disk.
#include "platform/core/savefile.h"

#include <QString>

#include <memory>

namespace platform {

// The real device, on a disk that has room for only `room` more bytes. The write that meets
// the end of the room is cut short without an error and the next one fails with "No space left
// on device", as the system does it.
class FillingDiskSaveDeviceFactory : public SaveDeviceFactory {
public:
    explicit FillingDiskSaveDeviceFactory(qint64 room) : room(room) {}
    std::unique_ptr<SaveDevice> create(const QString& path) override;

    qint64 room;
};

// Saves through QSaveFile as the real factory does, except that the step `failAt` fails with
// `reason`. A failing flush behaves as a full disk does under Qt: the buffered bytes never
// reach the new file, and a commit after it would put the empty file in place of the old one.
class FaultySaveDeviceFactory : public SaveDeviceFactory {
public:
    enum class Step { None, Open, Write, Flush, Commit };
    std::unique_ptr<SaveDevice> create(const QString& path) override;

    Step failAt = Step::None;
    QString reason = QStringLiteral("No space left on device");
    int created = 0; // devices handed out
};

} // namespace platform
