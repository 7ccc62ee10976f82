#include "board/simulatedboard.h"

#include <gtest/gtest.h>

using board::SimulatedBoard;

TEST(SimulatedBoard, AcceptsEveryCallWithTheLinkClosed) {
    SimulatedBoard usb;
    usb.dd_pellion_chip_sel(1);
    int32_t word = 0x09616A20;
    usb.dd_write_pellion_reg(word);
    EXPECT_EQ(usb.dd_read_pellion_reg(5), 0);
    usb.sched_initialise_target();
    usb.dd_pellion_chip_sel(0);
    usb.rpc_shutdown();

    // Nothing reached the chip.
    EXPECT_FALSE(usb.linkOpen());
    EXPECT_FALSE(usb.chipSelected());
    EXPECT_FALSE(usb.targetInitialised());
    EXPECT_TRUE(usb.writes().empty());
    EXPECT_FALSE(usb.lastWord(0).has_value());
    EXPECT_EQ(word, 0x09616A20); // passed by reference, left alone
}

TEST(SimulatedBoard, OpenLinkCarriesWritesSelectAndReadback) {
    SimulatedBoard usb;
    ASSERT_EQ(usb.rpc_initialise_vb(), 1);
    EXPECT_TRUE(usb.linkOpen());
    usb.sched_initialise_target();
    EXPECT_TRUE(usb.targetInitialised());
    usb.dd_pellion_chip_sel(1);
    EXPECT_TRUE(usb.chipSelected());

    int32_t r0 = 0x09616A20;
    int32_t r4 = static_cast<int32_t>(0x80556214u);
    int32_t r0Again = 0x09616A30;
    usb.dd_write_pellion_reg(r0);
    usb.dd_write_pellion_reg(r4);
    usb.dd_write_pellion_reg(r0Again);
    EXPECT_EQ(usb.writes(), (std::vector<uint32_t>{0x09616A20u, 0x80556214u, 0x09616A30u}));
    EXPECT_EQ(usb.lastWord(0), 0x09616A30u);
    EXPECT_EQ(usb.lastWord(4), 0x80556214u);
    EXPECT_FALSE(usb.lastWord(1).has_value());
    EXPECT_FALSE(usb.lastWord(16).has_value());
    EXPECT_FALSE(usb.lastWord(-1).has_value());

    EXPECT_EQ(usb.dd_read_pellion_reg(5), SimulatedBoard::kDefaultReadbackAnswer);
    usb.setReadbackAnswer(5, 32769);
    EXPECT_EQ(usb.dd_read_pellion_reg(5), 32769);
    EXPECT_EQ(usb.dd_read_pellion_reg(6), 0x012C);
    EXPECT_EQ(usb.dd_read_pellion_reg(-3), 0x012C);

    usb.dd_pellion_chip_sel(0);
    EXPECT_FALSE(usb.chipSelected());
    usb.rpc_shutdown();
    EXPECT_FALSE(usb.linkOpen());
    usb.dd_write_pellion_reg(r0);
    EXPECT_EQ(usb.writes().size(), 3u);
}

TEST(SimulatedBoard, FailedInitialiseLeavesTheLinkClosed) {
    SimulatedBoard usb;
    usb.setInitResult(0);
    EXPECT_EQ(usb.rpc_initialise_vb(), 0);
    EXPECT_FALSE(usb.linkOpen());
    int32_t word = 0x09616A20;
    usb.dd_write_pellion_reg(word);
    EXPECT_TRUE(usb.writes().empty());

    usb.setInitResult(1);
    EXPECT_EQ(usb.rpc_initialise_vb(), 1);
    EXPECT_TRUE(usb.linkOpen());
}
