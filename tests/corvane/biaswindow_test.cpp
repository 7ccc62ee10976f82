// The bias settings window: bias fields and their labels, mixer linearity,
// return, and use beside the front panel.
#include "corvanefixture.h"

#include "link/registerlink.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <functional>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

struct BiasControls : CorvaneFixture {
    Main* m = nullptr;
    evalkit::BiasWindow* bias = nullptr;
    void SetUp() override {
        CorvaneFixture::SetUp();
        m = &start();
        bias = &app->biasWindow();
        clearRecords();
    }
};

} // namespace

TEST_F(BiasControls, LoadShowsTheFieldsWithTheirLabels) {
    bias->unload();
    f().VcoAdjustField = 1 << 24;
    f().PaBiasField = 3 * 2048.0;
    f().XtalBiasField = 0;
    f().MixerLinearityField = 1 << 28;
    evalkit::BiasWindow& w = app->biasWindow();
    EXPECT_EQ(w.HScrVCOAdjust->value(), 2);
    EXPECT_EQ(w.lblVCOAdjust->text(), QStringLiteral("Setting 2"));
    EXPECT_EQ(w.HScrVCObias->value(), 10); // the power-on default
    EXPECT_EQ(w.lblVCObias->text(), QStringLiteral("2.75 mA"));
    EXPECT_EQ(w.lblVCOB->text(), QStringLiteral("Setting 10"));
    EXPECT_EQ(w.cmbMixerLinearity->currentText(), QStringLiteral("High"));
    EXPECT_EQ(w.HScrPABias->value(), 3);
    EXPECT_EQ(w.lblPABias->text(), QStringLiteral(" 11uA"));
    EXPECT_EQ(w.HScrXtalBias->value(), 0);
    EXPECT_EQ(w.lblXtalBias->text(), QStringLiteral(" 20uA"));
}

TEST_F(BiasControls, SlidersSetTheirFieldsAndLabels) {
    struct Case {
        const char* name;
        QScrollBar* bar;
        int position;
        std::function<double()> field;
        double expected;
        QLabel* label;
        const char* text;
    } cases[] = {
        {"PA 3", bias->HScrPABias, 3, [&] { return f().PaBiasField; }, 3 * 2048.0, bias->lblPABias,
         " 11uA"},
        {"PA 0", bias->HScrPABias, 0, [&] { return f().PaBiasField; }, 0, bias->lblPABias, " 5uA"},
        {"Xtal 0", bias->HScrXtalBias, 0, [&] { return double(f().XtalBiasField); }, 0,
         bias->lblXtalBias, " 20uA"},
        {"Xtal 3", bias->HScrXtalBias, 3, [&] { return double(f().XtalBiasField); }, 3 << 13,
         bias->lblXtalBias, " 35uA"},
        {"VCO adjust 2", bias->HScrVCOAdjust, 2, [&] { return double(f().VcoAdjustField); },
         1 << 24, bias->lblVCOAdjust, "Setting  2"},
        {"VCO bias 15", bias->HScrVCObias, 15, [&] { return double(f().VcoBiasField); }, 15 << 19,
         bias->lblVCObias, "3.75 mA"},
        {"VCO bias 0", bias->HScrVCObias, 0, [&] { return double(f().VcoBiasField); }, 0,
         bias->lblVCOB, "Setting 0"},
    };
    for (const Case& c : cases) {
        c.bar->setValue(c.position == 0 ? 1 : 0);
        c.bar->setValue(c.position);
        EXPECT_EQ(c.field(), c.expected) << c.name;
        EXPECT_EQ(c.label->text(), QString::fromLatin1(c.text)) << c.name;
        // The front panel follows each move.
        EXPECT_EQ(m->lblOSChex->text(), reglink::readoutText(word(1))) << c.name;
        EXPECT_EQ(m->lblMODhex->text(), reglink::readoutText(word(2))) << c.name;
    }
}

// R1 written, then the VCO and crystal bias bars moved in the open window: R1 shows at once,
// marked, the word its "Update" then sends.
TEST_F(BiasControls, MovedBarsAreShownMarkedUntilWritten) {
    m->ConnectUSB->click();
    m->cmdOsc->click();
    ASSERT_EQ(m->lblOSChex->mark(), Mark::Normal);
    app->showModeless(bias);
    // Each as a click on the bar's arrow does it.
    while (bias->HScrVCObias->value() > 5)
        bias->HScrVCObias->triggerAction(QAbstractSlider::SliderSingleStepSub);
    bias->HScrXtalBias->triggerAction(QAbstractSlider::SliderSingleStepSub);
    ASSERT_EQ(bias->HScrXtalBias->value(), 1);
    EXPECT_EQ(m->lblOSChex->text(), QStringLiteral("0x2B3011"));
    EXPECT_EQ(m->lblOSChex->mark(), Mark::Changed);
    clearRecords();
    m->cmdOsc->click();
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x002B3011u});
    EXPECT_EQ(m->lblOSChex->mark(), Mark::Normal);
}

TEST_F(BiasControls, VcoBiasLabelAfterAMoveDropsTheLoadOffset) {
    EXPECT_EQ(bias->lblVCObias->text(), QStringLiteral("2.75 mA"));
    bias->HScrVCObias->setValue(11);
    bias->HScrVCObias->setValue(10);
    EXPECT_EQ(bias->lblVCObias->text(), QStringLiteral("2.5 mA"));
    EXPECT_EQ(bias->lblVCOB->text(), QStringLiteral("Setting 10"));
    EXPECT_EQ(f().VcoBiasField, 10 << 19);
}

TEST_F(BiasControls, MixerLinearityRefreshesAtOnce) {
    bias->cmbMixerLinearity->setCurrentIndex(1);
    EXPECT_EQ(f().MixerLinearityField, 1 << 28);
    EXPECT_EQ(m->lblAGC9hex->text(), reglink::readoutText(word(9)));
    EXPECT_EQ(m->lblAGC9hex->mark(), Mark::Changed);
    EXPECT_EQ(word(9) >> 28 & 1, 1u);
    bias->cmbMixerLinearity->setCurrentIndex(0);
    EXPECT_EQ(f().MixerLinearityField, 0);
    EXPECT_EQ(m->lblAGC9hex->text(), reglink::readoutText(word(9)));
}

TEST_F(BiasControls, ReturnAndCloseBoxUnloadAndRefresh) {
    for (bool closeBox : {false, true}) {
        evalkit::BiasWindow& w = app->biasWindow();
        w.HScrVCObias->setValue(closeBox ? 3 : 4);
        if (closeBox)
            w.close();
        else
            w.returnToPanel->click();
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmPowerdown")));
        EXPECT_EQ(m->lblOSChex->text(), reglink::readoutText(word(1)));
    }
}

TEST_F(BiasControls, StaysUsableWhileTheFrontPanelIsUsed) {
    app->showModeless(bias);
    EXPECT_FALSE(bias->isModal());
    EXPECT_EQ(bias->windowModality(), Qt::NonModal);
    m->cmbDemod->setCurrentIndex(2);
    m->txtDatarate->setText(QStringLiteral("4.8"));
    bias->HScrPABias->setValue(1);
    EXPECT_TRUE(bias->isVisible());
    EXPECT_EQ(&app->biasWindow(), bias);
    EXPECT_EQ(f().PaBiasField, 2048.0);
    EXPECT_EQ(bias->lblPABias->text(), QStringLiteral(" 7uA"));
}
