// The PA ramp window: the ramp list changes the field store only, the on/off buttons and
// bursts write register 2 in their order, and opening and returning reset the PA settings.
#include "corvanefixture.h"

#include "link/registerlink.h"

#include <QComboBox>
#include <QPushButton>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

constexpr uint32_t PaBit = 1u << 7;

uint32_t ramp(uint32_t word) {
    return (word >> 8) & 7;
}

struct PaRampWindow : CorvaneFixture {
    Main* m = nullptr;
    frmPARamp* pa = nullptr;
    void SetUp() override {
        CorvaneFixture::SetUp();
        m = &startConnected();
        pa = &app->frmPARamp();
        clearRecords();
    }
};

} // namespace

TEST_F(PaRampWindow, ButtonsWriteRegister2InTheirOrder) {
    struct Case {
        const char* name;
        QPushButton* frmPARamp::*button;
        std::vector<bool> on; // the PA bit of each word sent
    } cases[] = {
        {"PA On", &frmPARamp::cmdRampUp, {true}},
        {"PA Off", &frmPARamp::cmdRampDown, {false}},
        {"PA On then Off", &frmPARamp::cmdPAMulti1, {false, true, false}},
        {"PA On/Off 5 times",
         &frmPARamp::cmdPAMulti2,
         {false, true, false, true, false, true, false, true, false, true}},
    };
    pa->cmbPARamp->setCurrentIndex(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clearRecords();
        (pa->*c.button)->click();
        const std::vector<uint32_t> words = usb.writtenWords();
        ASSERT_EQ(words.size(), c.on.size());
        for (size_t i = 0; i < words.size(); ++i) {
            EXPECT_EQ(words[i] & 0xF, 2u) << i;
            EXPECT_EQ((words[i] & PaBit) != 0, c.on[i]) << i;
            EXPECT_EQ(ramp(words[i]), 3u) << i; // the ramp chosen goes out with every write
        }
        EXPECT_EQ(f().PaEnableField, c.on.back() ? 128 : 0);
        EXPECT_EQ(words.back(), word(2)); // the last word is what the fields now make
        EXPECT_EQ(m->lblMODhex->text(), reglink::readoutText(word(2)));
        EXPECT_EQ(m->lblMODhex->mark(), Mark::Normal);
    }
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(PaRampWindow, RampListChangesTheFieldsAndReadoutOnly) {
    for (int i : {7, 1, 0, 5}) {
        pa->cmbPARamp->setCurrentIndex(i);
        EXPECT_EQ(f().PaRampField, i * 256.0) << i;
        EXPECT_EQ(ramp(word(2)), uint32_t(i)) << i;
        EXPECT_EQ(m->lblMODhex->text(), reglink::readoutText(word(2))) << i;
    }
    EXPECT_EQ(m->lblMODhex->mark(), Mark::Changed);
    EXPECT_TRUE(usb.writtenWords().empty());
}

TEST_F(PaRampWindow, OpeningAlwaysStartsWithNoRamp) {
    pa->cmbPARamp->setCurrentIndex(6);
    pa->unload();
    f().PaRampField = 4 * 256.0;
    clearRecords();
    frmPARamp& again = app->frmPARamp();
    EXPECT_NE(&again, pa);
    EXPECT_EQ(f().PaRampField, 0);
    EXPECT_EQ(again.cmbPARamp->currentIndex(), 0);
    EXPECT_EQ(again.cmbPARamp->currentText(), QStringLiteral("No Ramp"));
    EXPECT_EQ(m->lblMODhex->text(), reglink::readoutText(word(2)));
    EXPECT_TRUE(usb.writtenWords().empty());
}

TEST_F(PaRampWindow, ReturnAndCloseBoxSetPaOnAndNoRampWithoutWriting) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Return to Front Panel");
        frmPARamp& w = app->frmPARamp();
        w.cmdRampDown->click();
        w.cmbPARamp->setCurrentIndex(2);
        clearRecords();
        if (closeBox)
            w.close();
        else
            w.returnToPanel->click();
        EXPECT_EQ(f().PaEnableField, 128);
        EXPECT_EQ(f().PaRampField, 0);
        EXPECT_TRUE(usb.writtenWords().empty());
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmPARamp")));
        EXPECT_EQ(m->lblMODhex->text(), reglink::readoutText(word(2)));
        EXPECT_EQ(m->lblMODhex->mark(), Mark::Changed); // the chip still has the PA off
    }
}
