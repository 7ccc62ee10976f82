// Corvane-N against corvane-eval from the same code: the register words of the power-on
// values, the front panel after start-up and the texts by which each program presents itself.
#include "corvanenfixture.h"

#include "corvane/variant.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace corvanen::test;
using corvane::CorvaneApp;

namespace {

using Startup = CorvaneNFixture;

TEST(PowerOnWords, EachProgramsRegister3And6ComeFromItsOwnDescription) {
    struct Case {
        const corvane::ProgramVariant& variant;
        uint32_t r3;
        uint32_t r6;
    } cases[] = {
        {corvanen::variant(), 0x371480A3, 0x0A0A4F66},
        {corvane::corvaneEval(), 0x2B1480A3, 0x050A4F66},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant.programTitle.toStdString());
        corvane::CorvaneStore store(c.variant.chip);
        store.setFieldDefaults();
        EXPECT_EQ(store.wordBits(3), c.r3);
        EXPECT_EQ(store.wordBits(6), c.r6);
        EXPECT_EQ(bits(store.wordBits(3), 26, 4), uint32_t(c.variant.chip.reg3Constant));
    }
}

// Start-up runs the same sequence in both programs; the read-outs differ only where the
// description does: R3's constant, and R6's dwell time and the tones of the chosen bandwidth.
TEST_F(Startup, ReadoutsFollowTheStartupSequenceWithTheVariantsValues) {
    corvane::Main& m = start();
    EXPECT_EQ(m.cmbIFBW->currentIndex(), 2);
    EXPECT_EQ(m.cmbIFBW->currentText(), QStringLiteral("18.5kHz"));
    EXPECT_EQ(f().IFFilterBandwidthField, 2 * BandwidthStep);

    platform::RecordingServices evalServices{CorvaneApp::programTitle()};
    board::RecordingSkerry evalUsb;
    board::RecordingParllio evalPort;
    CorvaneApp eval(evalServices.view(), evalUsb, evalPort);
    corvane::Main& e = eval.start();

    for (int n : {0, 1, 2, 4, 5, 9, 10, 11, 12, 13}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(m.readout(n)->text(), e.readout(n)->text());
        EXPECT_EQ(m.readout(n)->mark(), e.readout(n)->mark());
    }
    EXPECT_EQ(word(3), eval.store().wordBits(3) - (10u << 26) + (13u << 26));
    EXPECT_EQ(m.lblRxCLKhex->text(), reglink::readoutText(word(3)));
    // R6: dwell 80, tones 83 and 126 ("18.5kHz" at 19.68 MHz), no calibration asked for.
    EXPECT_EQ(word(6), (80u << 21) | (83u << 13) | (126u << 5) | 6u);
    EXPECT_EQ(m.lblT4hex->text(), reglink::readoutText(word(6)));
    EXPECT_EQ(eval.store().wordBits(6), (40u << 21) | (75u << 13) | (150u << 5) | 6u);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(usb.writtenWords().empty());
}

using StartupOverParallelPort = CorvaneNOverSimulatedPort;

// The parallel-port path builds register 3 itself; the chip gets the same constant as the
// read-out and the USB board show.
TEST_F(StartupOverParallelPort, RegisterThreeCarriesTheNarrowBandConstant) {
    corvane::Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    const size_t before = port.words().size();
    m.cmdRxClk->click();
    ASSERT_EQ(port.words().size(), before + 1);
    EXPECT_EQ(port.words().back(), word(3));
    EXPECT_EQ(bits(port.lastWord(3).value_or(0), 26, 4), 13u);
    EXPECT_TRUE(port.malformed().empty());
}

struct Presentation {
    QString caption, device, about, revision, description;
    QStringList bandwidths;
};

Presentation presentationOf(CorvaneApp& app) {
    corvane::Main& m = app.start();
    Presentation p{m.windowTitle(),
                   m.device->text(),
                   m.mnuRev->text(),
                   app.aboutform().REV->text(),
                   app.aboutform().description->text(),
                   {}};
    for (int i = 0; i < m.cmbIFBW->count(); ++i)
        p.bandwidths << m.cmbIFBW->itemText(i);
    EXPECT_EQ(m.FrDevice->title(), QStringLiteral("Device In Use"));
    EXPECT_EQ(m.device->parentWidget(), m.FrDevice);
    return p;
}

TEST_F(Startup, EachProgramPresentsItselfWithItsOwnTexts) {
    const Presentation n = presentationOf(*app);
    EXPECT_EQ(n.caption, QStringLiteral("Corvane-N Evaluation Software"));
    EXPECT_EQ(n.device, QStringLiteral("Corvane-N"));
    EXPECT_EQ(n.about, QStringLiteral("&About this Rev"));
    EXPECT_EQ(n.revision, QStringLiteral("REV 1.0 Release, Jan 2008"));
    EXPECT_EQ(n.description, QStringLiteral("This Software is an evaluation tool for the Verrix "
                                            "Corvane-N Low Power Narrow Band Transceiver. "));
    EXPECT_EQ(n.bandwidths, (QStringList{QStringLiteral("9kHz"), QStringLiteral("13.5kHz"),
                                         QStringLiteral("18.5kHz")}));
    EXPECT_EQ(services.messages.defaultTitle(), QStringLiteral("Corvane-N"));
    EXPECT_EQ(corvanen::variant().fileVersion, QStringLiteral("1.00"));

    platform::RecordingServices evalServices{CorvaneApp::programTitle()};
    board::RecordingSkerry evalUsb;
    board::RecordingParllio evalPort;
    CorvaneApp eval(evalServices.view(), evalUsb, evalPort);
    const Presentation e = presentationOf(eval);
    EXPECT_EQ(e.caption, QStringLiteral("Corvane Evaluation Software"));
    EXPECT_EQ(e.device, QStringLiteral("Corvane"));
    EXPECT_EQ(e.about, QStringLiteral("&About this Rev (Rev 3.1)"));
    EXPECT_EQ(e.revision, QStringLiteral("REV 3.2 Release, Jan 2008"));
    EXPECT_EQ(e.bandwidths, (QStringList{QStringLiteral("12kHz"), QStringLiteral("18kHz"),
                                         QStringLiteral("25kHz")}));
    EXPECT_EQ(corvane::corvaneEval().fileVersion, QStringLiteral("3.02"));
}

TEST_F(Startup, RevisionHistoryHoldsItsThreeLinesAndItsButtonCloses) {
    corvane::Main& m = start();
    clearRecords();
    m.mnuRevHistory->trigger();
    EXPECT_EQ(services.shower.names().back(), QStringLiteral("revform"));
    evalkit::revform& r = app->revform();
    EXPECT_EQ(r.windowTitle(), QStringLiteral("Help / Information"));
    EXPECT_TRUE(r.historyFrame->title().isEmpty());
    std::vector<std::pair<QString, QString>> lines;
    for (const QLabel* l : r.historyLines)
        lines.emplace_back(l->objectName(), l->text());
    EXPECT_EQ(lines,
              (std::vector<std::pair<QString, QString>>{
                  {QStringLiteral("Label18"),
                   QStringLiteral(
                       "Rev 1.0       Jan '08               Adapted from Corvane Rev3.2 s/w.")},
                  {QStringLiteral("Label10"),
                   QStringLiteral("Addition of seperate AFC, AGC, SWD and IF Filter cal windows")},
                  {QStringLiteral("Label8"),
                   QStringLiteral("Please check the Verrix website for Updates to this software")},
              }));
    EXPECT_EQ(r.okButton->text(), QStringLiteral("Back to the Main Window"));
    // The button a user expects to return with does return.
    r.okButton->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("revform")));
    EXPECT_TRUE(usb.lines().empty());
}

} // namespace
