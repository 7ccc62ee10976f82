// The lists of the front panel and of the dialogs act on every choice the user makes through
// their drop-down, also of the item a list shows already, and once per choice.
#include "../support/userinput.h"
#include "corvanefixture.h"

#include <QComboBox>
#include <QLineEdit>

using namespace corvane;
using namespace corvane::test;

namespace {

using ListChoice = CorvaneFixture;

const QString ClaimFailed = QStringLiteral("Failed to claim Parallel Port");

// Choosing "Tx PN9 data" again writes register 15 again: the write is what the user asks for.
TEST_F(ListChoice, TestDataChosenAgainWritesRegister15Again) {
    Main& m = startConnected();
    evaltest::chooseItem(m.cmbTestdata, 5);
    evaltest::chooseItem(m.cmbTestdata, 5);
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0x50F, 0x50F}));
}

// The data interface writes R0, R15 and R0 once per choice, also for the item shown.
TEST_F(ListChoice, TheInterfaceChosenAgainWritesItsRegistersAgain) {
    Main& m = startConnected();
    evaltest::chooseItem(m.cmbInterface, 1);
    clearRecords();
    evaltest::chooseItemByKeys(m.cmbInterface, 1);
    EXPECT_EQ(usb.writtenWords(),
              (std::vector<uint32_t>{word(0), 0x000E000Fu, word(0)})); // R0 as shown, R15, R0
}

// The modulation sets its demodulator; the user's other demodulator stands until the
// modulation is chosen again, also the same one.
TEST_F(ListChoice, TheModulationChosenAgainSetsItsDemodulatorAgain) {
    Main& m = start();
    ASSERT_EQ(m.cmbModulation->currentIndex(), 0);
    evaltest::chooseItem(m.cmbDemod, 0); // 2FSK Linear
    ASSERT_EQ(f().DemodTypeField, 0);
    evaltest::chooseItem(m.cmbModulation, 0);
    EXPECT_EQ(m.cmbDemod->currentIndex(), 1);
    EXPECT_EQ(f().DemodTypeField, 16);
}

// The correlator runs the data-rate plan twice (once of its own, once after the refresh): at
// 32 kbit/s each plan fails its jitter search, and the choice warns once. Each choice, also of
// the item shown, is an action of its own.
TEST_F(ListChoice, OneChoiceRunsTheHandlerOnce) {
    Main& m = start();
    evaltest::chooseItem(m.cmbDemod, 0);
    evaltest::enterInto(m.txtDatarate, QStringLiteral("32"));
    services.messages.clear();
    evaltest::chooseItem(m.cmbDemod, 1);
    EXPECT_EQ(services.messages.messages.size(), 1u);
    services.messages.clear();
    evaltest::chooseItem(m.cmbDemod, 1);
    EXPECT_EQ(services.messages.messages.size(), 1u);
}

// After "Failed to claim Parallel Port" the parallel board chosen again claims again.
TEST_F(ListChoice, TheParallelBoardChosenAgainClaimsAgain) {
    Main& m = start();
    port.setClaimResult(0x10000); // low 16 bits zero: not claimed
    evaltest::chooseItem(m.cmbMB, 0);
    ASSERT_EQ(messageTexts(), std::vector<QString>{ClaimFailed});
    port.setClaimResult(1);
    clearRecords();
    evaltest::chooseItem(m.cmbMB, 0);
    EXPECT_EQ(port.lines(), (std::vector<QString>{QStringLiteral("ReleaseParallelPort 1"),
                                                  QStringLiteral("ClaimParallelPort 1 -> 1"),
                                                  QStringLiteral("InByte 890 -> 0"),
                                                  QStringLiteral("OutByte 890 0")}));
    EXPECT_TRUE(messageTexts().empty());
}

// A dialog's list too: the test modes window writes register 15 on every choice.
TEST_F(ListChoice, TheTestModeChosenAgainWritesRegister15Again) {
    startConnected();
    frmTestModes& t = app->frmTestModes();
    evaltest::chooseItem(t.cmbTestList, 2);
    clearRecords();
    evaltest::chooseItem(t.cmbTestList, 2);
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{word(15)});
    EXPECT_EQ(f().RxTestModeField, 80);
}

} // namespace
