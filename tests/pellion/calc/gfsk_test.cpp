#include "pellion/calc/gfsk.h"

#include "pellion/calc/datarate.h"
#include "pellion/calc/deviation.h"
#include "tests/qtprinters.h"

#include <gtest/gtest.h>

using namespace pellion::calc;

namespace {

constexpr float Pfd = 11.0592f;

GfskInputs inputs(const QString& divider, int modControl = 0, int indexCount = 2,
                  int16_t scheme = ModulationGfsk, int32_t div2 = 0) {
    return {modControl, indexCount, divider, Pfd, div2, scheme};
}

TEST(PellionGfsk, DeviationAndRateAtTheDefaultPfd) {
    const GfskResult r = planGfsk(inputs("64"));
    ASSERT_TRUE(r.calculated);
    EXPECT_FALSE(r.txtDivider);
    EXPECT_EQ(r.TxDeviationField, 64 << 15);
    EXPECT_EQ(r.GfskModControlField, 0);
    EXPECT_EQ(r.GfskIndexCounterField, 2 << 27);
    EXPECT_EQ(r.lblFdev, "2.700 kHz");
    EXPECT_EQ(r.Lblfskdev, "2.700");
    EXPECT_EQ(r.TxtFSKdev, "2.700");
    EXPECT_EQ(r.ActualDeviationKHz, 2.7f);
    EXPECT_EQ(r.lblDatarate, "2.700 kbits/s");
    EXPECT_EQ(r.txtDatarate, "2.7");
    // The receiver is planned for the rate the divider gives, not the text shown.
    EXPECT_EQ(r.frontPanelRate, r.dataRateKbps);
    EXPECT_DOUBLE_EQ(r.frontPanelRate, double{11.0592f} * 1000 / 4096);
}

struct DividerCase {
    const char* text;
    std::optional<QString> box;
    int32_t divider;
};

TEST(PellionGfsk, DividerIsHeldToSevenBits) {
    const DividerCase cases[] = {
        {"0", QString(" 1"), 1},         {"200", QString(" 127"), 127},  {"-5", QString(" 1"), 1},
        {"40000", QString(" 127"), 127}, {"1e30", QString(" 127"), 127}, {"127", std::nullopt, 127},
        {"1", std::nullopt, 1},          {"64.5", std::nullopt, 64}, // half to even
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const GfskResult r = planGfsk(inputs(c.text));
        ASSERT_TRUE(r.calculated);
        EXPECT_EQ(r.txtDivider, c.box);
        EXPECT_EQ(r.TxDeviationField, c.divider << 15);
    }
}

TEST(PellionGfsk, NothingIsStoredWithoutADividerOrAChoice) {
    const GfskResult letters = planGfsk(inputs("abc"));
    EXPECT_FALSE(letters.calculated);
    EXPECT_FALSE(letters.txtDivider);
    for (const auto& [modControl, indexCount] : {std::pair{-1, 2}, {8, 2}, {0, -1}, {0, 4}}) {
        SCOPED_TRACE(testing::Message() << modControl << " " << indexCount);
        const GfskResult r = planGfsk(inputs("0", modControl, indexCount));
        EXPECT_FALSE(r.calculated);
        EXPECT_EQ(r.txtDivider, " 1"); // the box shows the limit all the same
    }
}

TEST(PellionGfsk, ModControlIndexCounterAndDivideByTwo) {
    const GfskResult r = planGfsk(inputs("64", 7, 3, ModulationGfsk, VcoDiv2FieldOn));
    ASSERT_TRUE(r.calculated);
    EXPECT_EQ(r.lblFdev, "172.800 kHz"); // 128 x 11.0592 MHz / 8192
    EXPECT_EQ(r.ActualDeviationKHz, 172.8f);
    EXPECT_EQ(r.GfskModControlField, 7 << 24);
    EXPECT_EQ(r.GfskIndexCounterField, 3 << 27);
    EXPECT_EQ(r.lblDatarate, "1.350 kbits/s"); // 11059.2 / (64 x 128)
    EXPECT_EQ(r.txtDatarate, "1.35");
}

TEST(PellionGfsk, GookLeavesTheFrontPanelDeviationAlone) {
    const GfskResult r = planGfsk(inputs("64", 3, 2, ModulationGook));
    ASSERT_TRUE(r.calculated);
    EXPECT_EQ(r.ActualDeviationKHz, 50.0f);
    EXPECT_FALSE(r.lblFdev);
    EXPECT_FALSE(r.Lblfskdev);
    EXPECT_FALSE(r.TxtFSKdev);
    EXPECT_EQ(r.TxDeviationField, 64 << 15);
    EXPECT_EQ(r.lblDatarate, "2.700 kbits/s");
}

// The rate pushed into the front panel is planned although its text would be too long for
// the box's character count.
TEST(PellionGfsk, LongRateReachesTheDataRatePlan) {
    const GfskResult r = planGfsk(inputs("3", 0, 1));
    EXPECT_EQ(r.lblDatarate, "115.200 kbits/s");
    EXPECT_EQ(r.txtDatarate, "115.2");
    const GfskResult odd = planGfsk(inputs("17", 0, 0));
    EXPECT_EQ(odd.txtDatarate, "40.659"); // 11059.2 / 272 = 40.6588...
    DataRateInputs in;
    in.rateText = odd.txtDatarate;
    in.rateFromCode = odd.frontPanelRate;
    in.CrystalFrequencyMHz = Pfd;
    in.ActualDeviationKHz = odd.ActualDeviationKHz;
    in.DemodTypeField = DemodCorrelator;
    in.cmbDemodIndex = 1;
    EXPECT_TRUE(planDataRate(in).ran);
    in.rateFromCode.reset();
    EXPECT_FALSE(planDataRate(in).ran); // six characters typed would be ignored
}

// Pushing the deviation text back into the front panel must leave the divider that this
// window stored in TxDeviationField.
TEST(PellionGfsk, FrontPanelDeviationKeepsTheDivider) {
    const GfskResult r = planGfsk(inputs("64"));
    DeviationInputs dev;
    dev.text = *r.TxtFSKdev;
    dev.PfdFrequencyMHz = Pfd;
    dev.ModulationSchemeField = ModulationGfsk;
    dev.DemodTypeField = DemodCorrelator;
    dev.DemodClockMHz = Pfd;
    const DeviationResult d = planDeviation(dev);
    EXPECT_FALSE(d.TxDeviationField);
    EXPECT_EQ(d.ActualDeviationKHz, r.ActualDeviationKHz);
    EXPECT_EQ(d.Lblfskdev, r.Lblfskdev);
}

TEST(PellionGfsk, ControlsFromTheFields) {
    const GfskControls c = gfskControls(64 << 15, 2 << 27, 5 << 24);
    EXPECT_EQ(c.txtDivider, "64");
    EXPECT_EQ(c.cmbIndexCountIndex, 2);
    EXPECT_EQ(c.cmbModCtrlIndex, 5);
    // An FSK count left in the field shows as it is.
    EXPECT_EQ(gfskControls(30 << 15, 0, 0).txtDivider, "30");
    EXPECT_EQ(gfskControls(0, -(1 << 27), 8 << 24).cmbIndexCountIndex, -1);
    EXPECT_EQ(gfskControls(0, 0, 8 << 24).cmbModCtrlIndex, -1);
}

} // namespace
