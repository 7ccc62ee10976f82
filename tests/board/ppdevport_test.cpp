#include "board/ppdevport.h"

#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

using board::PpdevPort;

namespace {

QString reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

TEST(PpdevPort, UnusableDevicesFailTheClaimNamingDeviceAndCause) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        QString path;
        int error;
    };
    const Case cases[] = {
        {dir.filePath("parport9"), ENOENT}, // no such device
        {"/dev/null", ENOTTY},              // opens, but is not a parallel port
        {dir.path(), EISDIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        PpdevPort port(c.path);
        EXPECT_EQ(port.ClaimParallelPort(1, -1), 0);
        EXPECT_FALSE(port.claimed());
        EXPECT_EQ(port.lastError(), c.path + ": " + reason(c.error));
        // A second attempt fails the same way rather than finding a half-open device.
        EXPECT_EQ(port.ClaimParallelPort(1, -1), 0);
        EXPECT_FALSE(port.claimed());
    }
}

// Calls without a claim reach no port: they are accepted, and kept as the failure of the
// calls since the last clearFailure(), so a word sent that way is not taken as written.
TEST(PpdevPort, CallsWithoutAClaimDoNothingAndAreKeptAsAFailure) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PpdevPort port(dir.filePath("parport9"));
    port.ReleaseParallelPort(1);
    EXPECT_TRUE(port.failure().isEmpty());
    port.OutByte(board::kDataPortAddress, 8);
    port.OutByte(board::kControlPortAddress, 0xC4);
    EXPECT_EQ(port.InByte(board::kStatusPortAddress), 0);
    EXPECT_EQ(port.InByte(board::kControlPortAddress), 0);
    EXPECT_TRUE(port.lastError().isEmpty());
    EXPECT_EQ(port.devicePath(), dir.filePath("parport9"));
    EXPECT_EQ(port.failure(), dir.filePath("parport9") + ": the port is not claimed");
    port.clearFailure();
    EXPECT_TRUE(port.failure().isEmpty());
}
