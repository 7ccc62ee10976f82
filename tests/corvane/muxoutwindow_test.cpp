// The mux-out window: MuxoutField and the front panel's LblMuxOut caption.
#include "corvanefixture.h"
#include "platform/core/numbers.h"

#include <QPushButton>
#include <QRadioButton>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

constexpr double MuxUnit = 536870912.0; // 2^29

const QString Captions[8] = {QStringLiteral("Regulator Ready"),
                             QStringLiteral("End of Cal"),
                             QStringLiteral("Digital Lock Detect"),
                             QStringLiteral("RSSI Ready"),
                             QStringLiteral("Tx_Rx"),
                             QStringLiteral("Logic Zero"),
                             QStringLiteral("Tristate"),
                             QStringLiteral("Logic One")};

std::array<QRadioButton*, 8> options(muxform& m) {
    return {m.lblmux[0], m.lblmux[1], m.lblmux[2], m.lblmux[3],
            m.lblmux[4], m.lblmux[5], m.lblmux[6], m.lblmux[7]};
}

} // namespace

using MuxWindow = CorvaneFixture;

TEST_F(MuxWindow, OpensOnTheStoredCodeAndReturnKeepsIt) {
    Main& m = start();
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        f().MuxoutField = k * MuxUnit;
        m.LblMuxOut->setText(QStringLiteral("stale"));
        muxform& mux = app->muxform();
        const auto all = options(mux);
        for (int j = 0; j < 8; ++j) {
            EXPECT_EQ(all[j]->text(), Captions[j]);
            EXPECT_EQ(all[j]->isChecked(), j == k) << j;
        }
        mux.returnToPanel->click();
        EXPECT_EQ(f().MuxoutField, k * MuxUnit);
        EXPECT_EQ(m.LblMuxOut->text(), Captions[k]);
        EXPECT_FALSE(app->isLoaded(QStringLiteral("muxform")));
    }
}

TEST_F(MuxWindow, TxRxStoresTopBitAndRefreshesReadoutsWithoutWriting) {
    Main& m = start();
    app->UpdateAllRegisterLabels();
    m.readout(0)->setMark(Mark::Normal);
    clearRecords();

    muxform& mux = app->muxform();
    EXPECT_TRUE(mux.lblmux[0]->isChecked());
    mux.lblmux[4]->click();
    mux.returnToPanel->click();

    EXPECT_EQ(f().MuxoutField, 2147483648.0);
    EXPECT_EQ(word(0) >> 29, 4u);
    EXPECT_EQ(m.readout(0)->text(), QStringLiteral("0x") + platform::hexText(word(0)));
    EXPECT_EQ(m.readout(0)->mark(), Mark::Changed);
    EXPECT_EQ(m.LblMuxOut->text(), QStringLiteral("Tx_Rx"));
    // Register 0 goes to the chip only from the front panel's Update button.
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_TRUE(port.lines().empty());
}

TEST_F(MuxWindow, StoredValueThatIsNoCodeChoosesNothingAndIsKept) {
    Main& m = start();
    for (double stored : {MuxUnit / 2, 8 * MuxUnit, -MuxUnit}) {
        SCOPED_TRACE(stored);
        f().MuxoutField = stored;
        m.LblMuxOut->setText(QStringLiteral("before"));
        muxform& mux = app->muxform();
        for (QRadioButton* b : options(mux))
            EXPECT_FALSE(b->isChecked()) << b->objectName().toStdString();
        mux.returnToPanel->click();
        EXPECT_EQ(f().MuxoutField, stored);
        EXPECT_EQ(m.LblMuxOut->text(), QStringLiteral("before"));
        EXPECT_FALSE(app->isLoaded(QStringLiteral("muxform")));
    }
}

TEST_F(MuxWindow, CloseBoxKeepsTheChoiceLikeReturn) {
    Main& m = start();
    muxform& mux = app->muxform();
    mux.lblmux[7]->click();
    mux.close();
    EXPECT_EQ(f().MuxoutField, 7 * MuxUnit);
    EXPECT_EQ(m.LblMuxOut->text(), QStringLiteral("Logic One"));
    EXPECT_EQ(m.readout(0)->text(), QStringLiteral("0x") + platform::hexText(word(0)));
    EXPECT_FALSE(app->isLoaded(QStringLiteral("muxform")));
}
