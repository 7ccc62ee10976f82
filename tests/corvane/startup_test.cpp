// Start-up, shut-down and the command line of corvane-eval.
#include "corvanefixture.h"

#include "../support/boardtests.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

using Startup = CorvaneFixture;

// The writes the start-up fires before a board is chosen go nowhere, and nothing says so.
TEST_F(Startup, BoardReceivesNothingButChipSelect) {
    start();
    QCoreApplication::processEvents();
    EXPECT_EQ(usb.lines(), (std::vector<QString>{QStringLiteral("dd_pellion_chip_sel 1"),
                                                 QStringLiteral("dd_pellion_chip_sel 1")}));
    // Choosing the USB board releases the parallel port; nothing is written to it.
    EXPECT_EQ(port.lines(), (std::vector<QString>{QStringLiteral("ReleaseParallelPort 1")}));
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(Startup, FrontPanelStateAfterStartUp) {
    Main& m = start();
    EXPECT_EQ(m.lblvcofreq->text(), QStringLiteral("869.500000MHz"));
    EXPECT_EQ(m.lblpfd_freq->text(), QStringLiteral("19.68000MHz"));
    EXPECT_EQ(m.lblcrystal->text(), QStringLiteral("19.68000MHz"));
    EXPECT_EQ(m.cmbMB->currentIndex(), 1);
    EXPECT_EQ(m.cmbInterface->currentText(), QStringLiteral("Standard"));
    EXPECT_EQ(m.cmbModulation->currentIndex(), 0);
    EXPECT_EQ(m.cmbDemod->currentIndex(), 1);
    EXPECT_EQ(m.cmbIFBW->currentIndex(), 2);
    EXPECT_EQ(m.cmbIcp->currentIndex(), 2);
    EXPECT_TRUE(m.ConnectUSB->isEnabled());
    EXPECT_FALSE(m.ConnectUSB->isHidden());
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Connect USB"));
    EXPECT_TRUE(m.chipEnable->isOn());
    EXPECT_EQ(w().RegisterSelect, 0);
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(Startup, ReadoutsOfR5ToR13RestoredAndR0ToR4LeftMarked) {
    Main& m = start();
    for (int n : {0, 1, 2, 3, 4})
        EXPECT_EQ(m.readout(n)->mark(), Mark::Changed) << n;
    for (int n : {5, 6, 9, 10, 11, 12, 13})
        EXPECT_EQ(m.readout(n)->mark(), Mark::Normal) << n;
}

TEST_F(Startup, ClosingOnUsbDeselectsThenShutsDown) {
    Main& m = start();
    evaltest::expectClosingOnUsbShutsDown(*this, [&m] { m.close(); });
}

TEST_F(Startup, ClosingOnTheParallelBoardOnlyReleasesThePort) {
    Main& m = start();
    m.cmbMB->setCurrentIndex(0);
    evaltest::expectClosingOnTheParallelBoardReleasesThePort(*this, [&m] { m.Exitmenu_Click(); });
}

// Quotes around the command line are taken off; without them the whole command line is the
// file's name, however short. A file that is not there is named with the reason.
TEST_F(Startup, CommandLineImportsTheNamedFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set up.txt")); // a blank in the name
    struct Case {
        QStringList arguments;
        QString file; // what is imported; empty: nothing
    } cases[] = {
        {{QLatin1Char('"') + path + QLatin1Char('"')}, path}, // quoted, as Windows passes it
        {path.split(QLatin1Char(' ')), path},                 // unquoted, split at the blank
        {{QStringLiteral("x")}, QStringLiteral("x")},         // a one-character name
        {{QStringLiteral("\"\"")}, {}},                       // an empty name in quotes
        {{}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        app = std::make_unique<CorvaneApp>(services.view(), usb, port);
        services.messages.clear();
        start(c.arguments);
        // None of the files is there: an import names the file and says why.
        if (c.file.isEmpty()) {
            EXPECT_TRUE(messageTexts().empty());
            continue;
        }
        ASSERT_EQ(messageTexts().size(), 1u);
        const QString shown = QDir::toNativeSeparators(QFileInfo(c.file).absoluteFilePath());
        EXPECT_TRUE(messageTexts()[0].contains(shown)) << messageTexts()[0].toStdString();
        EXPECT_TRUE(messageTexts()[0].contains(QStringLiteral("No such file or directory")));
    }
}

TEST_F(Startup, PortWindowRemembersTheOptionButWritesStayOn888) {
    Main& m = start();
    evalkit::portform& pf = app->portform();
    EXPECT_TRUE(pf.lpt1->isChecked());
    pf.lpt2->setChecked(true);
    pf.storeButton_Click();
    EXPECT_EQ(w().PortformAddress, 632);
    pf.leaveButton_Click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("portform")));
    EXPECT_TRUE(app->portform().lpt2->isChecked());
    EXPECT_EQ(w().ParallelPortAddress, 888);
    m.cmbMB->setCurrentIndex(0);
    port.clear();
    m.updateButton_Click(0);
    ASSERT_FALSE(port.outBytesTo(888).empty());
    EXPECT_TRUE(port.outBytesTo(632).empty());
}

TEST_F(Startup, EveryReadoutShowsTheStartUpWord) {
    // Worked out by hand from the start-up sequence: receive mode, RF 869.5 MHz
    // (N 44, F 5794), deviation 2 kHz (count 7), correlator at 4 kbit/s
    // (D 4, C 38, P 4, K 48, W 590), crystal tones 75/150.
    Main& m = start();
    const std::pair<int, const char*> readouts[] = {
        {0, "0x9616A20"},   {1, "0x535011"}, {2, "0x3DD082"},  {3, "0x2B149923"},
        {4, "0x80493814"},  {5, "0x03155"},  {6, "0x50972C6"}, {9, "0x231E9"},
        {10, "0x3296354A"}, {11, "0x0003B"}, {12, "0x0010C"},  {13, "0x0000D"},
    };
    for (const auto& [n, text] : readouts)
        EXPECT_EQ(m.readout(n)->text(), QString::fromLatin1(text)) << "R" << n;
    EXPECT_EQ(app->frmTestModes().register15Readout->text(), QStringLiteral("0x0000F"));
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("2.1021"));
    EXPECT_EQ(m.lblRxCLK->text(), QStringLiteral("4.0461"));
    EXPECT_EQ(m.lblDemodBW->text(), QStringLiteral("3.0588"));
    // The PA bar shows the level R2 starts with (46), not its design position.
    EXPECT_EQ(m.paLevel->value(), 46);
    EXPECT_EQ(m.LblFSKpower->text(), QStringLiteral("Setting  46"));
}

TEST_F(Startup, StartRunsTheLoadHandlerEvenWhenThePanelWasReferencedFirst) {
    app->main(); // the program creates the panel before it starts, to parent its dialogs
    Main& m = start();
    EXPECT_EQ(m.lblNhex->text(), QStringLiteral("0x9616A20"));
}
