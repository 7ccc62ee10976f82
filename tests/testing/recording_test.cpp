#include "testing/recordingparllio.h"
#include "testing/recordingskerry.h"

#include <gtest/gtest.h>

using board::RecordingParllio;
using board::RecordingSkerry;

TEST(RecordingSkerry, RecordsCallsInOrderWithScriptedResults) {
    RecordingSkerry usb;
    usb.setInitResult(7);
    usb.setReadbackAnswer(16, 32769);

    EXPECT_EQ(usb.rpc_initialise_vb(), 7);
    usb.sched_initialise_target();
    usb.dd_pellion_chip_sel(1);
    int32_t word = static_cast<int32_t>(0x80556214u);
    usb.dd_write_pellion_reg(word);
    EXPECT_EQ(usb.dd_read_pellion_reg(16), 32769);
    EXPECT_EQ(usb.dd_read_pellion_reg(5), 0);
    usb.rpc_shutdown();

    EXPECT_EQ(usb.lines(),
              (std::vector<QString>{"rpc_initialise_vb -> 7", "sched_initialise_target",
                                    "dd_pellion_chip_sel 1", "dd_write_pellion_reg 0x80556214",
                                    "dd_read_pellion_reg 16 -> 0x00008001",
                                    "dd_read_pellion_reg 5 -> 0x00000000", "rpc_shutdown"}));
    ASSERT_EQ(usb.calls().size(), 7u);
    EXPECT_EQ(usb.calls()[2].kind, RecordingSkerry::Kind::ChipSelect);
    EXPECT_EQ(usb.calls()[2].argument, 1);
    EXPECT_EQ(usb.calls()[4].kind, RecordingSkerry::Kind::ReadRegister);
    EXPECT_EQ(usb.calls()[4].argument, 16);
    EXPECT_EQ(usb.calls()[4].result, 32769);
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x80556214u});

    usb.clear();
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_TRUE(usb.calls().empty());
}

TEST(RecordingParllio, RecordsCallsInOrderWithScriptedResults) {
    RecordingParllio port;
    port.setClaimResult(0);
    port.setInByteAnswers(board::kStatusPortAddress, {16, 0, 16});
    port.setInByteAnswers(board::kControlPortAddress, {0xFF});

    port.ReleaseParallelPort(1);
    EXPECT_EQ(port.ClaimParallelPort(1, -1), 0);
    EXPECT_EQ(port.InByte(board::kControlPortAddress), 0xFF);
    EXPECT_EQ(port.InByte(board::kControlPortAddress), 0xFF); // the last answer repeats
    port.OutByte(board::kControlPortAddress, 0xD4);
    port.OutByte(board::kDataPortAddress, 8);
    port.OutByte(board::kDataPortAddress, 12);
    EXPECT_EQ(port.InByte(board::kStatusPortAddress), 16);
    EXPECT_EQ(port.InByte(board::kStatusPortAddress), 0);
    EXPECT_EQ(port.InByte(board::kStatusPortAddress), 16);
    EXPECT_EQ(port.InByte(board::kStatusPortAddress), 16);
    EXPECT_EQ(port.InByte(888), 0);

    EXPECT_EQ(port.lines(),
              (std::vector<QString>{"ReleaseParallelPort 1", "ClaimParallelPort 1 -> 0",
                                    "InByte 890 -> 255", "InByte 890 -> 255", "OutByte 890 212",
                                    "OutByte 888 8", "OutByte 888 12", "InByte 889 -> 16",
                                    "InByte 889 -> 0", "InByte 889 -> 16", "InByte 889 -> 16",
                                    "InByte 888 -> 0"}));
    EXPECT_EQ(port.calls()[1].kind, RecordingParllio::Kind::Claim);
    EXPECT_EQ(port.calls()[1].value, -1);
    EXPECT_EQ(port.outBytesTo(board::kDataPortAddress), (std::vector<int32_t>{8, 12}));
    EXPECT_EQ(port.outBytesTo(board::kControlPortAddress), std::vector<int32_t>{0xD4});
}
