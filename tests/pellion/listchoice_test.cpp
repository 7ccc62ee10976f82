// The front panel's lists act on every choice the user makes through their drop-down, also of
// the item a list shows already.
#include "../support/userinput.h"
#include "pellionfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace pellion;
using namespace pellion::test;

namespace {

constexpr int Gfsk = 1;
constexpr int Invert = 2; // "Toggle Invert TxData bit"

using ListChoice = PellionFixture;

// GFSK chosen again opens the Gaussian window again: it is the way to change the divider.
TEST_F(ListChoice, GfskChosenAgainOpensTheGaussianWindowAgain) {
    Main& m = start();
    evaltest::chooseItem(m.cmbModulation, Gfsk);
    ASSERT_EQ(services.shower.names(), QStringList{QStringLiteral("frmGFSK")});
    app->frmGFSK().cmdUpdate->click();
    ASSERT_FALSE(app->isLoaded(QStringLiteral("frmGFSK")));

    evaltest::chooseItem(m.cmbModulation, Gfsk);
    EXPECT_EQ(services.shower.names(),
              (QStringList{QStringLiteral("frmGFSK"), QStringLiteral("frmGFSK")}));
    frmGFSK& g = app->frmGFSK();
    evaltest::typeInto(g.txtDivider, QStringLiteral("100"));
    g.cmdCalculate->click();
    g.cmdUpdate->click();
    EXPECT_EQ(f().TxDeviationField, 100 << 15);
    EXPECT_EQ(m.cmbModulation->currentIndex(), Gfsk);
}

// Chosen twice, the invert item toggles twice: the bit is as it was, and R12 = 12 went out
// each time, on either board.
TEST_F(ListChoice, TheInvertItemChosenTwiceTogglesTwiceAndSendsEachTime) {
    Main& m = startConnected();
    const int32_t before = f().TxDataInvertField;
    clearRecords();
    evaltest::chooseItem(m.cmbTestdata, Invert);
    EXPECT_NE(f().TxDataInvertField, before);
    evaltest::chooseItemByKeys(m.cmbTestdata, Invert);
    EXPECT_EQ(f().TxDataInvertField, before);
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{12, 12}));
    EXPECT_EQ(m.lblMODhex->text(), reglink::readoutText(word(2)));
}

// After a failed claim the parallel board chosen again tries the claim again: the user need
// not go by the USB board.
TEST_F(ListChoice, TheParallelBoardChosenAgainAfterAFailedClaimClaimsAgain) {
    Main& m = start();
    port.setClaimResult(0x10000); // low 16 bits zero: not claimed
    evaltest::chooseItem(m.cmbMB, 0);
    port.setClaimResult(1);
    clearRecords();
    evaltest::chooseItem(m.cmbMB, 0);
    EXPECT_EQ(port.lines()[0], QStringLiteral("ClaimParallelPort 1 -> 1"));
    EXPECT_EQ(w().PortClaimed, 1);
    EXPECT_TRUE(messageTexts().empty());
}

} // namespace
