// Start-up and shut-down of pellion-eval.
#include "pellionfixture.h"

#include "../support/boardtests.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace pellion;
using namespace pellion::test;
using Mark = reglink::RegisterReadout::Mark;

using Startup = PellionFixture;

namespace {

struct Readout {
    int n;
    const char* text;
    Mark mark;
};

// What every read-out shows after start-up: the power-on values, the first frequency plan
// (R 1, N 78, F 16837), the deviation "20" (count 30, discriminator 138 with the correlator
// parity bit 29) and the data rate "10" at 11.0592 MHz (IF divider 221, sequencer 111,
// clock-recovery divider 35, demodulator clock divider 1, post-demodulator count 5). R0..R6
// keep the light green of the refreshes; R9..R13 get the normal colour.
const Readout kStartUpReadouts[] = {
    {0, "0x72741C50", Mark::Changed}, {1, "0x4A9011", Mark::Changed},
    {2, "0x800F6012", Mark::Changed}, {3, "0x6F2353", Mark::Changed},
    {4, "0x00154", Mark::Changed},    {5, "0x2AA05", Mark::Changed},
    {6, "0x2DD008A6", Mark::Changed}, {9, "0xB231E9", Mark::Normal},
    {10, "0x0AA2A", Mark::Normal},    {11, "0x02F7B", Mark::Normal},
    {12, "0x0000C", Mark::Normal},    {13, "0x0032D", Mark::Normal},
};

} // namespace

TEST_F(Startup, EveryReadoutAfterStartUp) {
    Main& m = start();
    for (const Readout& r : kStartUpReadouts) {
        SCOPED_TRACE(r.n);
        EXPECT_EQ(m.readout(r.n)->text(), QString::fromLatin1(r.text));
        EXPECT_EQ(m.readout(r.n)->mark(), r.mark);
        // What the read-out shows is the word the store builds.
        EXPECT_EQ(m.readout(r.n)->text(), reglink::readoutText(word(r.n)));
    }
    EXPECT_EQ(w().RegisterSelect, 0);
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(Startup, FrontPanelAndPlanAfterStartUp) {
    Main& m = start();
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Pellion-X Config SW"));
    EXPECT_EQ(m.cmbMB->currentIndex(), 1);
    EXPECT_FALSE(m.ConnectUSB->isHidden());
    EXPECT_TRUE(m.ConnectUSB->isEnabled());
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Connect USB"));
    EXPECT_TRUE(m.Synth_EN->isOn());
    EXPECT_FALSE(m.Synth_EN->isHidden());
    EXPECT_FALSE(m.chipEnableCaption->isHidden());
    EXPECT_TRUE(m.PA_EN->isOn());
    EXPECT_TRUE(m.OSC_EN->isOn());
    EXPECT_EQ(m.cmbModulation->currentIndex(), 0);
    EXPECT_EQ(m.cmbDemod->currentIndex(), 1);
    EXPECT_EQ(m.cmbIFBW->currentText(), QStringLiteral("150kHz"));
    EXPECT_TRUE(m.optTx->isChecked());
    EXPECT_FALSE(m.chkInductor->isChecked());
    EXPECT_EQ(m.devinuse->text(), QStringLiteral("Check Readback"));
    EXPECT_EQ(m.Labelrev->text(), QStringLiteral("Check Readback"));

    // The plan: R 1, N 78, F 16837, and the channel those dividers really give.
    EXPECT_EQ(w().RDivider, 1);
    EXPECT_EQ(w().IntegerN, 78);
    EXPECT_EQ(w().FracN, 16837);
    EXPECT_EQ(f().RDividerField, 1 << 4);
    EXPECT_EQ(f().IntegerNField, 78 << 19);
    EXPECT_EQ(f().FracNField, 16837 << 4);
    EXPECT_EQ(f().VcoDiv2Field, 0);
    EXPECT_EQ(m.lblvcofreq->text(), QStringLiteral("868.30011MHz"));
    EXPECT_EQ(m.lblpfd_freq->text(), QStringLiteral("11.05920MHz"));
    EXPECT_EQ(m.lblcrystal->text(), QStringLiteral("11.05920MHz"));
    // The synthesizer window was only used, never shown: it is gone again.
    EXPECT_FALSE(app->isLoaded(QStringLiteral("synthform")));
    EXPECT_TRUE(services.shower.shown.empty());

    // Deviation and data rate.
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("20.250"));
    EXPECT_EQ(m.lblRxCLK->text(), QStringLiteral("9.87"));
    EXPECT_EQ(m.lblDemodBW->text(), QStringLiteral("8.5943"));
    EXPECT_FLOAT_EQ(w().DeviationStepHz, 675.0f);
    EXPECT_FLOAT_EQ(w().ActualDeviationKHz, 20.25f);
    EXPECT_FLOAT_EQ(w().DemodClockMHz, 11.0592f);
    EXPECT_EQ(w().ParallelPortAddress, 888);
    EXPECT_EQ(w().PortClaimed, 0);
}

TEST_F(Startup, BoardReceivesNothingButChipSelect) {
    start();
    // The chip-enable toggle, then choosing the USB board; choosing it releases the port.
    EXPECT_EQ(usb.lines(), (std::vector<QString>{QStringLiteral("dd_pellion_chip_sel 1"),
                                                 QStringLiteral("dd_pellion_chip_sel 1")}));
    EXPECT_EQ(port.lines(), (std::vector<QString>{QStringLiteral("ReleaseParallelPort 1")}));
}

// Before any refresh the read-outs show their design captions; the power-on values alone,
// refreshed, give R0 0x7273F740, R10 0xAA2A and R12 12.
TEST_F(Startup, DesignCaptionsAndPowerOnWords) {
    Main& m = app->main();
    for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(m.readout(n)->text(),
                  n == 0 || n == 9 ? QStringLiteral("0xZZZZZZ") : QStringLiteral("ZZZZZZh"));
    }
    app->store().setFieldDefaults();
    app->UpdateAllRegisterLabels();
    EXPECT_EQ(m.lblNhex->text(), QStringLiteral("0x7273F740"));
    EXPECT_EQ(m.lbltest10hex->text(), QStringLiteral("0x0AA2A"));
    EXPECT_EQ(m.lbltest12hex->text(), QStringLiteral("0x0000C"));
    for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13})
        EXPECT_EQ(m.readout(n)->mark(), Mark::Changed) << n;
}

TEST_F(Startup, RegisterCaptionsCarryTheTitles) {
    Main& m = app->main();
    const std::pair<int, const char*> titles[] = {
        {0, "N Register"},
        {1, "VCO/Oscillator Register"},
        {2, "Transmit Modulation Register"},
        {3, "Tx/Rx Clock Register"},
        {4, "Demodulator Setup Register"},
        {5, "IF Filter Setup Regsiter"},
        {6, "IF Fine Cal Setup Register"},
        {9, "AGC Register"},
        {10, "AFC Register"},
        {11, "Sync Word Detect Register"},
        {12, "SWD/Threshold Register"},
        {13, "3FSK Demod"},
    };
    for (const auto& [n, title] : titles) {
        SCOPED_TRACE(n);
        EXPECT_EQ(m.registerCaption(n)->text(), QStringLiteral("Register %1").arg(n));
        EXPECT_EQ(m.registerCaption(n)->toolTip(), QString::fromLatin1(title));
        EXPECT_EQ(m.updateButton(n)->text(), QStringLiteral("Update"));
        EXPECT_EQ(m.updateButton(n)->toolTip(), QString::fromLatin1(title));
    }
    for (int n : {7, 8, 14, 99}) {
        EXPECT_EQ(m.readout(n), nullptr);
        EXPECT_EQ(m.registerCaption(n), nullptr);
    }
}

// ---- shut-down ------------------------------------------------------------------------

TEST_F(Startup, ClosingTheUsbBoardDeselectsShutsDownAndEnds) {
    Main& m = start();
    evaltest::expectClosingOnUsbShutsDown(*this, [&m] { m.close(); });
}

TEST_F(Startup, ClosingTheParallelBoardReleasesThePortAndEnds) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    evaltest::expectClosingOnTheParallelBoardReleasesThePort(*this, [&m] { m.close(); });
}

// Exit closes the link whichever board is chosen, and gives back a port that is claimed.
TEST(StartupExit, ClosesTheLinkAndReleasesOnlyAClaimedPort) {
    struct Case {
        int board;
        int32_t claimResult; // what the claim returns on the parallel board
        bool releases;
    } cases[] = {{1, 1, false}, {0, 1, true}, {0, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.board * 10 + c.claimResult);
        platform::RecordingServices services(PellionApp::programTitle());
        board::RecordingSkerry usb;
        board::RecordingParllio port;
        PellionApp app(services.view(), usb, port);
        Main& m = app.start();
        port.setClaimResult(c.claimResult);
        m.cmbMB->setCurrentIndex(c.board);
        usb.clear();
        port.clear();
        m.Exitmenu_Click();
        m.close(); // the shut-down runs once
        EXPECT_EQ(usb.lines(), (std::vector<QString>{QStringLiteral("dd_pellion_chip_sel 0"),
                                                     QStringLiteral("rpc_shutdown")}));
        EXPECT_EQ(port.lines(), c.releases
                                    ? std::vector<QString>{QStringLiteral("ReleaseParallelPort 1")}
                                    : std::vector<QString>{});
        EXPECT_TRUE(services.system.ended());
    }
}

TEST_F(Startup, ExitMenuItemRunsTheExit) {
    Main& m = start();
    clearRecords();
    m.Exitmenu->trigger();
    EXPECT_EQ(usb.lines().size(), 2u);
    EXPECT_TRUE(services.system.ended());
}
