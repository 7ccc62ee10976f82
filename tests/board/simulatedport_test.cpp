#include "board/boardlog.h"
#include "board/simulatedboard.h"
#include "board/simulatedport.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using board::SimulatedPort;

namespace {

// The byte sequences the programs' transmit routines put on the data port, rebuilt here from
// their documented form so the chip model is checked against them independently.
constexpr uint16_t kData = board::kDataPortAddress;
constexpr uint16_t kStatus = board::kStatusPortAddress;

void out(board::Parllio& port, std::initializer_list<int16_t> bytes) {
    for (int16_t byte : bytes)
        port.OutByte(kData, byte);
}

void shiftBits(board::Parllio& port, uint32_t word, int bits) {
    for (int n = bits - 1; n >= 0; --n) {
        if ((word >> n) & 1u)
            out(port, {10, 11, 10});
        else
            out(port, {8, 9, 8});
    }
}

const std::vector<int16_t> kFullLatch{8, 12, 8, 8};

void writeRegisterBytes(board::Parllio& port, uint32_t word,
                        const std::vector<int16_t>& latch = kFullLatch) {
    out(port, {8});
    shiftBits(port, word, 32);
    for (int16_t byte : latch)
        port.OutByte(kData, byte);
}

enum class StatusRead { First, Second };

int32_t readbackBytes(board::Parllio& port, uint16_t r7Word, StatusRead use) {
    out(port, {8});
    shiftBits(port, r7Word, 16);
    out(port, {8, 12});
    out(port, {12, 13, 12});
    int32_t value = 0;
    for (int i = 0; i <= 15; ++i) {
        out(port, {12, 13, 12});
        const int32_t first = port.InByte(kStatus);
        const int32_t second = port.InByte(kStatus);
        const int32_t byte = use == StatusRead::Second ? second : first;
        value += ((byte & 16) / 16) << (15 - i);
    }
    out(port, {12, 13, 12, 8});
    return value;
}

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

struct WriteCase {
    uint32_t word;
    std::vector<int16_t> latch;
};

class SimulatedPortWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(SimulatedPortWrite, DecodesTheShiftedWord) {
    const WriteCase& c = GetParam();
    SimulatedPort port;
    writeRegisterBytes(port, c.word, c.latch);

    ASSERT_EQ(port.words().size(), 1u);
    EXPECT_EQ(port.words().front(), c.word);
    EXPECT_EQ(port.lastWord(static_cast<int>(c.word & 15u)), c.word);
    EXPECT_TRUE(port.malformed().empty());
    EXPECT_FALSE(port.readbackActive());
    EXPECT_EQ(port.outByteCount(), 1u + 96u + c.latch.size());
}

INSTANTIATE_TEST_SUITE_P(Words, SimulatedPortWrite,
                         ::testing::Values(WriteCase{0x09616A30u, kFullLatch},
                                           WriteCase{0x80556214u, kFullLatch},
                                           WriteCase{0x0000000Fu, kFullLatch},
                                           WriteCase{0xFFFFFFFFu, kFullLatch},
                                           // The short latch pulse of the other programs.
                                           WriteCase{0x003AE2A9u, {8, 12, 8}}));

TEST(SimulatedPort, KeepsTheLastWordOfEachRegister) {
    SimulatedPort port;
    writeRegisterBytes(port, 0x09616A30u);
    writeRegisterBytes(port, 0x2B1480A3u);
    writeRegisterBytes(port, 0x09616A40u);

    EXPECT_EQ(port.words(), (std::vector<uint32_t>{0x09616A30u, 0x2B1480A3u, 0x09616A40u}));
    EXPECT_EQ(port.lastWord(0), 0x09616A40u);
    EXPECT_EQ(port.lastWord(3), 0x2B1480A3u);
    EXPECT_FALSE(port.lastWord(5).has_value());
    EXPECT_FALSE(port.lastWord(16).has_value());
    EXPECT_FALSE(port.lastWord(-1).has_value());
}

struct ReadbackCase {
    uint16_t r7Word;
    int16_t selection;
    int32_t answer;
};

class SimulatedPortReadback : public ::testing::TestWithParam<ReadbackCase> {};

TEST_P(SimulatedPortReadback, AnswersOnTheSecondStatusRead) {
    const ReadbackCase& c = GetParam();
    SimulatedPort port;
    port.setReadbackAnswer(c.selection, c.answer);

    EXPECT_EQ(readbackBytes(port, c.r7Word, StatusRead::Second), c.answer);

    EXPECT_EQ(port.outByteCount(), 106u);
    EXPECT_EQ(port.inByteCount(), 32u);
    ASSERT_EQ(port.readbacks().size(), 1u);
    const SimulatedPort::Readback& frame = port.readbacks().front();
    EXPECT_EQ(frame.word, c.r7Word);
    EXPECT_EQ(frame.selection, c.selection);
    EXPECT_TRUE(frame.complete);
    EXPECT_TRUE(port.malformed().empty());
    EXPECT_TRUE(port.words().empty());
    EXPECT_FALSE(port.readbackActive());
}

TEST_P(SimulatedPortReadback, FirstStatusReadIsStale) {
    const ReadbackCase& c = GetParam();
    SimulatedPort port;
    port.setReadbackAnswer(c.selection, c.answer);

    EXPECT_NE(readbackBytes(port, c.r7Word, StatusRead::First), c.answer);
}

INSTANTIATE_TEST_SUITE_P(Answers, SimulatedPortReadback,
                         ::testing::Values(ReadbackCase{0x0507, 16, 32769},
                                           ReadbackCase{0x0017, 1, 0x012C},
                                           ReadbackCase{0x01F7, 31, 0xFFFF},
                                           ReadbackCase{0x0007, 0, 0x5555}));

TEST(SimulatedPort, ReadbackAnswersTheSelectionShiftedIn) {
    SimulatedPort port;
    port.setReadbackAnswer(16, 32769);

    EXPECT_EQ(readbackBytes(port, 0x0017, StatusRead::Second),
              SimulatedPort::kDefaultReadbackAnswer);
    EXPECT_EQ(readbackBytes(port, 0x0507, StatusRead::Second), 32769);
    // Only the low 16 bits of an answer fit the frame.
    port.setReadbackAnswer(2, 0x7012C);
    EXPECT_EQ(readbackBytes(port, 0x0027, StatusRead::Second), 0x012C);
}

TEST(SimulatedPort, WorksWithoutAClaim) {
    SimulatedPort port;
    port.ReleaseParallelPort(1);
    EXPECT_FALSE(port.claimed());
    EXPECT_EQ(port.InByte(kStatus), 0);
    writeRegisterBytes(port, 0x09616A30u);
    EXPECT_EQ(port.words(), std::vector<uint32_t>{0x09616A30u});
}

TEST(SimulatedPort, ClaimFollowsTheLow16BitsOfTheResult) {
    SimulatedPort port;
    EXPECT_EQ(port.ClaimParallelPort(1, -1), 1);
    EXPECT_TRUE(port.claimed());
    port.ReleaseParallelPort(1);
    EXPECT_FALSE(port.claimed());

    port.setClaimResult(0x10000);
    EXPECT_EQ(port.ClaimParallelPort(1, -1), 0x10000);
    EXPECT_FALSE(port.claimed());
}

TEST(SimulatedPort, ControlPortReadsBackWhatWasWritten) {
    SimulatedPort port;
    EXPECT_EQ(port.InByte(board::kControlPortAddress), SimulatedPort::kInitialControl);
    port.OutByte(board::kControlPortAddress, 0xCC & 0xD4);
    EXPECT_EQ(port.InByte(board::kControlPortAddress), 0xC4);
    port.OutByte(board::kControlPortAddress, 0x1FF);
    EXPECT_EQ(port.InByte(board::kControlPortAddress), 0xFF);
    // The control port is not the chip's data lines.
    EXPECT_EQ(port.dataLines(), 0);
    ASSERT_EQ(port.outBytes().size(), 2u);
    EXPECT_EQ(port.outBytes()[1].address, board::kControlPortAddress);
    EXPECT_EQ(port.outBytes()[1].value, 0x1FF);
    EXPECT_EQ(port.inBytes()[1].value, 0xC4);
}

struct MalformedCase {
    const char* name;
    std::function<void(board::Parllio&)> send;
    size_t readbacks;
};

class SimulatedPortMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(SimulatedPortMalformed, IsRecordedAndTheNextWordStillDecodes) {
    SimulatedPort port;
    GetParam().send(port);
    EXPECT_FALSE(port.malformed().empty());
    EXPECT_TRUE(port.words().empty());
    EXPECT_EQ(port.readbacks().size(), GetParam().readbacks);

    writeRegisterBytes(port, 0x09616A30u);
    EXPECT_EQ(port.words(), std::vector<uint32_t>{0x09616A30u});
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, SimulatedPortMalformed,
    ::testing::Values(MalformedCase{"ThirtyOneBits",
                                    [](board::Parllio& p) {
                                        out(p, {8});
                                        shiftBits(p, 0x09616A30u, 31);
                                        out(p, {8, 12, 8, 8});
                                    },
                                    0},
                      MalformedCase{"ThirtyThreeBits",
                                    [](board::Parllio& p) {
                                        out(p, {8});
                                        shiftBits(p, 0x09616A30u, 32);
                                        shiftBits(p, 1, 1);
                                        out(p, {8, 12, 8, 8});
                                    },
                                    0},
                      MalformedCase{"SixteenBitsNotR7",
                                    [](board::Parllio& p) {
                                        out(p, {8});
                                        shiftBits(p, 0x0505, 16);
                                        out(p, {8, 12, 8, 8});
                                    },
                                    0},
                      MalformedCase{"LatchPulseAlone",
                                    [](board::Parllio& p) {
                                        out(p, {8, 12, 8});
                                    },
                                    0},
                      MalformedCase{"ReadbackCutShort",
                                    [](board::Parllio& p) {
                                        out(p, {8});
                                        shiftBits(p, 0x0507, 16);
                                        out(p, {8, 12, 12, 13, 12, 12, 13, 12, 8});
                                    },
                                    1},
                      MalformedCase{"R7LatchedWithoutReadback",
                                    [](board::Parllio& p) {
                                        out(p, {8});
                                        shiftBits(p, 0x0507, 16);
                                        out(p, {8, 12, 8, 8});
                                    },
                                    1},
                      MalformedCase{"ByteWithoutBit3",
                                    [](board::Parllio& p) {
                                        out(p, {0, 8});
                                    },
                                    0}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

TEST(SimulatedPort, ClockPulsesWithLatchHighAfterAWordAreMalformed) {
    SimulatedPort port;
    out(port, {8});
    shiftBits(port, 0x09616A30u, 32);
    out(port, {8, 12, 13, 12, 8});
    EXPECT_EQ(port.words(), std::vector<uint32_t>{0x09616A30u});
    EXPECT_EQ(port.malformed().size(), 1u);
    EXPECT_TRUE(port.readbacks().empty());
}

TEST(BoardLog, SimulatedBackEndsWriteOneLinePerCall) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("board.log");
    board::BoardLog log(path);
    ASSERT_TRUE(log.isOpen()) << log.errorString().toStdString();
    board::SimulatedBoard usb(&log);
    SimulatedPort port(&log);

    usb.rpc_initialise_vb();
    usb.sched_initialise_target();
    usb.dd_pellion_chip_sel(1);
    int32_t word = 0x09616A20;
    usb.dd_write_pellion_reg(word);
    int32_t negative = static_cast<int32_t>(0x80556214u);
    usb.dd_write_pellion_reg(negative);
    usb.dd_read_pellion_reg(5);
    usb.rpc_shutdown();
    port.ReleaseParallelPort(1);
    port.ClaimParallelPort(1, -1);
    port.OutByte(board::kControlPortAddress, 0xC4);
    writeRegisterBytes(port, 0x09616A30u);
    readbackBytes(port, 0x0507, StatusRead::Second);

    // Read while the log is still open: every line must already be on disk.
    EXPECT_EQ(
        readLines(path),
        (QStringList{"rpc_initialise_vb -> 1", "sched_initialise_target", "dd_pellion_chip_sel 1",
                     "dd_write_pellion_reg 0x09616A20", "dd_write_pellion_reg 0x80556214",
                     "dd_read_pellion_reg 5 -> 0x0000012C", "rpc_shutdown", "ReleaseParallelPort 1",
                     "ClaimParallelPort 1 -> 1", "parallel word 0x09616A30",
                     "parallel readback 0x00000507 -> 0x0000012C"}));
}

TEST(BoardLog, NamesTheFileAndCauseWhenItCannotBeOpened) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("missing/board.log");
    board::BoardLog log(path);
    EXPECT_FALSE(log.isOpen());
    EXPECT_TRUE(log.errorString().contains(path));
    EXPECT_TRUE(log.errorString().contains("No such file or directory"))
        << log.errorString().toStdString();
    log.write("ignored"); // a closed log swallows lines without crashing
}
