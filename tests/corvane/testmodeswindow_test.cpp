// The test modes window: register 15 from the RSSI box and the slicer list, the register-14
// test DAC words sent as raw words, the R15 read-out it holds, and the front-panel caption.
#include "corvanefixture.h"

#include "../support/userinput.h"

#include "link/registerlink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

struct TestModesWindow : CorvaneFixture {
    Main* m = nullptr;
    frmTestModes* t = nullptr;
    void SetUp() override {
        CorvaneFixture::SetUp();
        m = &startConnected();
        t = &app->frmTestModes();
        clearRecords();
    }
    // The front panel's demodulator: 0 linear, 1 correlator, 2 3FSK, 3 4FSK.
    void chooseDemod(int index) {
        m->cmbDemod->setCurrentIndex(index);
        clearRecords();
    }
    bool gainShown() const {
        return !t->testDacGain->isHidden() && !t->testDacGainValue->isHidden() &&
               !t->testDacGainCaption->isHidden();
    }
    bool gainHidden() const {
        return t->testDacGain->isHidden() && t->testDacGainValue->isHidden() &&
               t->testDacGainCaption->isHidden();
    }
};

} // namespace

TEST_F(TestModesWindow, TestDacOnSendsTheWordForTheDemodulator) {
    struct Case {
        int demod;
        uint32_t word;
        bool gain;
    } cases[] = {{0, 171870, true}, {1, 30, false}, {2, 30, false}, {3, 30, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.demod);
        t->testDacOnSwd->setChecked(false);
        chooseDemod(c.demod);
        t->testDacOnSwd->setChecked(true);
        EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{c.word});
        EXPECT_EQ(w().TestDacEnabled, -1);
        EXPECT_EQ(f().CdrClockDividerField, 1 << 10);
        EXPECT_EQ(c.gain, gainShown());
        EXPECT_EQ(!c.gain, gainHidden());
        EXPECT_EQ(m->lblRxCLKhex->text(), reglink::readoutText(word(3)));
    }
}

TEST_F(TestModesWindow, GainSendsItsWordOnTopOfTheLinearOne) {
    chooseDemod(0);
    t->testDacOnSwd->setChecked(true);
    clearRecords();
    for (int g : {15, 0, 7}) {
        t->testDacGain->setValue(g);
        EXPECT_EQ(usb.writtenWords().back(), uint32_t(g) * (1u << 21) + 171870u) << g;
        EXPECT_EQ(t->testDacGainValue->text(), QString::number(g));
        EXPECT_EQ(w().TestDacLevel, g);
    }
    EXPECT_EQ(usb.writtenWords().size(), 3u);
    t->testDacGain->setValue(15);
    EXPECT_EQ(w().RawWord, 31629150u);
}

TEST_F(TestModesWindow, TestDacOffSendsRegister14AndReplansTheClocks) {
    const int32_t plannedCdr = f().CdrClockDividerField;
    ASSERT_EQ(plannedCdr, 38 << 10);
    t->testDacOnSwd->setChecked(true);
    ASSERT_EQ(f().CdrClockDividerField, 1 << 10);
    clearRecords();
    t->testDacOnSwd->setChecked(false);
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{14});
    EXPECT_EQ(w().RawWord, 14u);
    EXPECT_EQ(w().TestDacEnabled, 0);
    EXPECT_EQ(f().CdrClockDividerField, plannedCdr);
    EXPECT_EQ(m->lblRxCLKhex->text(), reglink::readoutText(word(3)));
    EXPECT_TRUE(gainHidden());
}

TEST_F(TestModesWindow, RssiAndSlicerWriteRegister15) {
    t->rssiOnTestA->setChecked(true);
    EXPECT_EQ(f().RssiTestField, 11 << 24);
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{word(15)});
    EXPECT_EQ((word(15) >> 24) & 0xF, 11u);
    struct Case {
        int index;
        int32_t field;
    } cases[] = {{1, 96}, {2, 80}, {3, 64}, {0, 0}};
    for (const Case& c : cases) {
        clearRecords();
        t->cmbTestList->setCurrentIndex(c.index);
        EXPECT_EQ(f().RxTestModeField, c.field) << c.index;
        EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{word(15)}) << c.index;
        EXPECT_EQ((word(15) >> 4) & 0xF, uint32_t(c.field) >> 4) << c.index;
        EXPECT_EQ(t->register15Readout->text(), reglink::readoutText(word(15)));
        EXPECT_EQ(t->register15Readout->mark(), Mark::Normal);
    }
    clearRecords();
    t->rssiOnTestA->setChecked(false);
    EXPECT_EQ(f().RssiTestField, 0);
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{word(15)});
}

TEST_F(TestModesWindow, Label2IsTheRegister15Readout) {
    EXPECT_EQ(app->readoutLabel(15), t->register15Readout);
    f().RxTestModeField = 80;
    f().RssiTestField = 11 << 24;
    app->UpdateAllRegisterLabels();
    EXPECT_EQ(t->register15Readout->text(), reglink::readoutText(word(15)));
    EXPECT_EQ(t->register15Readout->text(), QStringLiteral("0xB00005F"));
    EXPECT_NE(t->register15Readout->mark(), Mark::Changed); // R15 is never painted
    EXPECT_TRUE(usb.writtenWords().empty());
}

// Opening the window shows the settings in force and writes nothing; the handlers the load
// runs keep the fields as they were.
TEST_F(TestModesWindow, ReopeningRestoresTheControlsAndWritesNothing) {
    chooseDemod(0);
    t->rssiOnTestA->setChecked(true);
    t->cmbTestList->setCurrentIndex(2);
    t->testDacOnSwd->setChecked(true);
    t->testDacGain->setValue(7);
    t->returnToPanel->click();
    clearRecords();
    const uint32_t r3 = word(3), r15 = word(15);
    frmTestModes& again = app->frmTestModes();
    EXPECT_NE(&again, t);
    t = &again;
    EXPECT_TRUE(again.rssiOnTestA->isChecked());
    EXPECT_TRUE(again.testDacOnSwd->isChecked());
    EXPECT_EQ(again.testDacGain->value(), 7);
    EXPECT_EQ(again.testDacGainValue->text(), QStringLiteral("7"));
    EXPECT_EQ(again.cmbTestList->currentIndex(), 2);
    EXPECT_TRUE(gainShown());
    EXPECT_TRUE(usb.writtenWords().empty());
    EXPECT_EQ(word(3), r3);
    EXPECT_EQ(word(15), r15);

    // The controls still write once the window is open.
    evaltest::chooseItem(again.cmbTestList, 1);
    EXPECT_EQ(usb.writtenWords(), std::vector<uint32_t>{word(15)});
}

// The window, created by the start-up's refresh and closed once, opened from the front panel
// after a test mode went out through the raw register window: the chip keeps that test mode.
TEST_F(TestModesWindow, OpeningKeepsATestModeSetInTheRawRegisterWindow) {
    t->returnToPanel->click();
    frmRegisters& raw = app->frmRegisters();
    evaltest::typeInto(raw.box(15), QStringLiteral("0x0B00005F"));
    raw.button(15)->click();
    ASSERT_EQ(usb.writtenWords(), std::vector<uint32_t>{0x0B00005Fu});
    raw.cmdReturn->click();
    clearRecords();
    m->testModesStatus->click();
    EXPECT_TRUE(app->isLoaded(QStringLiteral("frmTestModes")));
    EXPECT_TRUE(usb.calls().empty());
}

TEST_F(TestModesWindow, ReturnAndCloseBoxSetTheTestModesCaption) {
    struct Case {
        bool rssi;
        int slicer;
        bool dac;
        bool closeBox;
        const char* caption;
    } cases[] = {
        {false, 0, false, false, "Disabled"}, {false, 2, false, false, "Enabled"},
        {true, 0, false, false, "Enabled"},   {false, 0, true, false, "Enabled"},
        {false, 0, false, true, "Disabled"},  {false, 3, false, true, "Enabled"},
    };
    for (const Case& c : cases) {
        frmTestModes& w = app->frmTestModes();
        w.rssiOnTestA->setChecked(c.rssi);
        w.cmbTestList->setCurrentIndex(c.slicer);
        w.testDacOnSwd->setChecked(c.dac);
        if (c.closeBox)
            w.close();
        else
            w.returnToPanel->click();
        EXPECT_EQ(m->testModesStatus->text(), QString::fromLatin1(c.caption));
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmTestModes")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
