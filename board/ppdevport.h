#pragma once

#include "board/parllio.h"

#include <QString>
#include <utility>

namespace board {

// A real parallel port through the Linux ppdev driver (/dev/parportN). The programs pass the
// fixed PC addresses; 888 maps to the data register, 889 to status and 890 to control. The port
// number of the claim and release calls is ignored: the device path names the port.
class PpdevPort : public Parllio {
public:
    explicit PpdevPort(QString devicePath) : devicePath_(std::move(devicePath)) {}
    ~PpdevPort() override;
    PpdevPort(const PpdevPort&) = delete;
    PpdevPort& operator=(const PpdevPort&) = delete;

    // Opens the device and claims it; 1 on success (also when already claimed), 0 on failure
    // with the reason in lastError().
    int32_t ClaimParallelPort(int32_t port, int32_t flag) override;
    void ReleaseParallelPort(int32_t port) override;
    // Without a claimed port these do nothing and InByte returns 0; either way a call that did
    // not reach the port is kept in failure().
    int32_t InByte(uint16_t address) override;
    void OutByte(uint16_t address, int16_t value) override;
    QString failure() const override { return failure_; }
    void clearFailure() override { failure_.clear(); }

    const QString& devicePath() const { return devicePath_; }
    bool claimed() const { return fd_ >= 0; }
    // The last failure, naming the device and the system's reason, e.g.
    // "/dev/parport0: Permission denied"; empty after a successful claim.
    const QString& lastError() const { return error_; }

private:
    void noteFailure(int error);
    // A byte that did not reach the port: the device went away, an I/O error, no claim.
    void noteAccessFailure(const QString& cause);

    QString devicePath_;
    int fd_ = -1;
    QString error_;
    QString failure_;
};

} // namespace board
