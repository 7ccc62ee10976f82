#include "board/boardbackends.h"
#include "board/ppdevport.h"
#include "board/simulatedboard.h"
#include "board/simulatedport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using board::BoardBackends;
using board::fromEnvironment;

namespace {

QProcessEnvironment environment(std::initializer_list<std::pair<QString, QString>> values) {
    QProcessEnvironment env;
    for (const auto& [name, value] : values)
        env.insert(name, value);
    return env;
}

} // namespace

TEST(BoardBackends, SimulatedByDefault) {
    for (const QProcessEnvironment& env :
         {environment({}), environment({{"VERRIX_PARPORT", ""}, {"VERRIX_BOARD_LOG", ""}})}) {
        BoardBackends backends = fromEnvironment(env);
        EXPECT_NE(dynamic_cast<board::SimulatedBoard*>(&backends.usb()), nullptr);
        EXPECT_NE(dynamic_cast<board::SimulatedPort*>(&backends.port()), nullptr);
        EXPECT_EQ(backends.log(), nullptr);
        EXPECT_TRUE(backends.errors().isEmpty());
        EXPECT_TRUE(backends.portError().isEmpty());
    }
}

TEST(BoardBackends, ParportSelectsPpdevAndKeepsUsbSimulated) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString device = dir.filePath("parport0");
    BoardBackends backends = fromEnvironment(environment({{"VERRIX_PARPORT", device}}));

    auto* ppdev = dynamic_cast<board::PpdevPort*>(&backends.port());
    ASSERT_NE(ppdev, nullptr);
    EXPECT_EQ(ppdev->devicePath(), device);
    EXPECT_NE(dynamic_cast<board::SimulatedBoard*>(&backends.usb()), nullptr);

    EXPECT_EQ(backends.port().ClaimParallelPort(1, -1), 0);
    EXPECT_TRUE(backends.portError().startsWith(device + ": "));
}

TEST(BoardBackends, BoardLogRecordsBothSimulatedBackEnds) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("board.log");
    {
        BoardBackends backends = fromEnvironment(environment({{"VERRIX_BOARD_LOG", path}}));
        ASSERT_NE(backends.log(), nullptr);
        EXPECT_TRUE(backends.errors().isEmpty());
        backends.usb().dd_pellion_chip_sel(0);
        backends.port().ReleaseParallelPort(1);
        BoardBackends moved = std::move(backends); // back ends keep writing to the same log
        moved.usb().rpc_shutdown();
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "dd_pellion_chip_sel 0\nReleaseParallelPort 1\nrpc_shutdown\n");
}

TEST(BoardBackends, UnopenableLogIsReportedNotReplaced) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("no/such/dir/board.log");
    BoardBackends backends = fromEnvironment(environment({{"VERRIX_BOARD_LOG", path}}));

    ASSERT_EQ(backends.errors().size(), 1);
    EXPECT_TRUE(backends.errors().front().contains(path));
    EXPECT_TRUE(backends.errors().front().contains("No such file or directory"));
    EXPECT_EQ(backends.log(), nullptr);
    // The board still serves without its log.
    EXPECT_EQ(backends.usb().rpc_initialise_vb(), 1);
}

TEST(BoardBackends, DashLogsToStandardError) {
    BoardBackends backends = fromEnvironment(environment({{"VERRIX_BOARD_LOG", "-"}}));
    ASSERT_NE(backends.log(), nullptr);
    EXPECT_TRUE(backends.log()->isOpen());
    EXPECT_TRUE(backends.errors().isEmpty());
}
