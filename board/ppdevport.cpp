#include "board/ppdevport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace board {

namespace {

const QString NotClaimed = QStringLiteral("the port is not claimed");

QString reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

PpdevPort::~PpdevPort() {
    ReleaseParallelPort(1);
}

int32_t PpdevPort::ClaimParallelPort(int32_t /*port*/, int32_t /*flag*/) {
    if (fd_ >= 0)
        return 1;
    const QByteArray path = devicePath_.toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        noteFailure(errno);
        return 0;
    }
    if (::ioctl(fd, PPCLAIM) != 0) {
        noteFailure(errno);
        ::close(fd);
        return 0;
    }
    fd_ = fd;
    error_.clear();
    return 1;
}

void PpdevPort::ReleaseParallelPort(int32_t /*port*/) {
    if (fd_ < 0)
        return;
    ::ioctl(fd_, PPRELEASE);
    ::close(fd_);
    fd_ = -1;
}

int32_t PpdevPort::InByte(uint16_t address) {
    if (fd_ < 0) {
        noteAccessFailure(NotClaimed);
        return 0;
    }
    unsigned long request = 0;
    if (address == kDataPortAddress)
        request = PPRDATA;
    else if (address == kStatusPortAddress)
        request = PPRSTATUS;
    else if (address == kControlPortAddress)
        request = PPRCONTROL;
    else
        return 0;
    unsigned char byte = 0;
    if (::ioctl(fd_, request, &byte) != 0) {
        const int error = errno;
        noteFailure(error);
        noteAccessFailure(reason(error));
        return 0;
    }
    return byte;
}

void PpdevPort::OutByte(uint16_t address, int16_t value) {
    if (fd_ < 0) {
        noteAccessFailure(NotClaimed);
        return;
    }
    unsigned long request = 0;
    if (address == kDataPortAddress)
        request = PPWDATA;
    else if (address == kControlPortAddress)
        request = PPWCONTROL;
    else
        return; // the status register cannot be written
    unsigned char byte = static_cast<unsigned char>(value & 0xFF);
    if (::ioctl(fd_, request, &byte) != 0) {
        const int error = errno;
        noteFailure(error);
        noteAccessFailure(reason(error));
    }
}

void PpdevPort::noteFailure(int error) {
    error_ = QStringLiteral("%1: %2").arg(devicePath_, reason(error));
}

void PpdevPort::noteAccessFailure(const QString& cause) {
    // The first failure says what went wrong; the calls after it only fail the same way.
    if (failure_.isEmpty())
        failure_ = QStringLiteral("%1: %2").arg(devicePath_, cause);
}

} // namespace board
