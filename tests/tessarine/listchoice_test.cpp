// The front panel's lists act on every choice the user makes through their drop-down, also of
// the item a list shows already.
#include "../support/userinput.h"
#include "tessarinefixture.h"

#include <QComboBox>
#include <QScrollBar>

using namespace tessarine;
using namespace tessarine::test;

namespace {

using ListChoice = TessarineFixture;

constexpr int Ask = 2;

// After "Failed to claim Parallel Port" the parallel board chosen again claims again; once
// claimed, choosing it again sets nothing up.
TEST_F(ListChoice, TheParallelBoardChosenAgainClaimsUntilItHasThePort) {
    Main& m = start();
    port.setClaimResult(0x10000); // low 16 bits zero: not claimed
    evaltest::chooseItem(m.cmbMB, 0);
    port.setClaimResult(1);
    clearRecords();
    evaltest::chooseItem(m.cmbMB, 0);
    ASSERT_FALSE(port.lines().empty());
    EXPECT_EQ(port.lines()[0], QStringLiteral("ClaimParallelPort 1 -> 1"));
    EXPECT_EQ(w().PortClaimed, 1);
    clearRecords();
    evaltest::chooseItemByKeys(m.cmbMB, 0);
    EXPECT_TRUE(port.lines().empty());
}

// ASK chosen again starts from the low level 1 again, as choosing it does.
TEST_F(ListChoice, AskChosenAgainSetsTheLowLevelAgain) {
    Main& m = start();
    evaltest::chooseItem(m.cmbModulation, Ask);
    m.paLevelLow->setValue(20);
    ASSERT_EQ(f().TxDeviationField, 20 << 11);
    evaltest::chooseItem(m.cmbModulation, Ask);
    EXPECT_EQ(m.paLevelLow->value(), 1);
    EXPECT_EQ(f().TxDeviationField, 1 << 11);
}

} // namespace
