// The simulated back ends answer a readback as the program's chip profile says: the chip's
// own answer for each selection it lists, the fixed simulated answer for any other, a test's
// scripted answer over both, and nothing over a closed link.
#include "board/boardbackends.h"
#include "board/simulatedboard.h"
#include "board/simulatedport.h"

#include <gtest/gtest.h>

namespace {

const board::ChipProfile Chip{4, 7, {{20, 554}, {28, 0x4011}}};

TEST(ChipAnswers, TheBoardsAnswerAsTheChipProfileSays) {
    board::BoardBackends backends = board::fromEnvironment(QProcessEnvironment(), Chip);
    board::Skerry& usb = backends.usb();
    EXPECT_EQ(usb.dd_read_pellion_reg(20), 0); // the link is not open yet
    ASSERT_EQ(usb.rpc_initialise_vb(), 1);
    EXPECT_EQ(usb.dd_read_pellion_reg(20), 554);
    EXPECT_EQ(usb.dd_read_pellion_reg(28), 0x4011);
    EXPECT_EQ(usb.dd_read_pellion_reg(21), board::ChipProfile::SimulatedAnswer);

    auto* port = dynamic_cast<board::SimulatedPort*>(&backends.port());
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->readbackAnswer(28), 0x4011);
    EXPECT_EQ(port->readbackAnswer(5), board::ChipProfile::SimulatedAnswer);

    // A scripted answer wins over the chip's.
    auto& simulated = dynamic_cast<board::SimulatedBoard&>(usb);
    simulated.setReadbackAnswer(28, 7);
    port->setReadbackAnswer(28, 7);
    EXPECT_EQ(usb.dd_read_pellion_reg(28), 7);
    EXPECT_EQ(port->readbackAnswer(28), 7);
    EXPECT_EQ(usb.dd_read_pellion_reg(20), 554);
}

} // namespace
