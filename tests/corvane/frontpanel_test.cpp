// Front-panel settings and the deviation and data-rate handlers.
#include "corvanefixture.h"

#include "corvane/calc/deviation.h"
#include "platform/entrymark.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

using FrontPanel = CorvaneFixture;

TEST_F(FrontPanel, ModulationRowsReshapeThePanel) {
    Main& m = start();
    struct Row {
        int index;
        const char* frame;
        int demod;
        const char* rate;
        const char* unit;
        const char* deviation;
        bool alpha;
        bool threeFsk;
    } rows[] = {
        {3, "4FSK", 3, "Symbol Rate", "ksym/s", "Desired Deviation (inner)", false, false},
        {6, "Raised Cosine 3FSK", 2, "Data Rate", "kbps", "Desired Deviation", true, true},
        {1, "Gaussian 2FSK", 1, "Data Rate", "kbps", "Desired Deviation", false, false},
        {7, "Raised Cosine 4FSK", 3, "Symbol Rate", "ksym/s", "Desired Deviation (inner)", true,
         false},
    };
    for (const auto& r : rows) {
        m.cmbModulation->setCurrentIndex(r.index);
        EXPECT_EQ(f().ModulationSchemeField, r.index * 16);
        EXPECT_EQ(m.FrFSK->title(), QString::fromLatin1(r.frame));
        EXPECT_EQ(m.cmbDemod->currentIndex(), r.demod);
        EXPECT_EQ(f().DemodTypeField, r.demod * 16);
        EXPECT_EQ(m.dataRateCaption->text(), QString::fromLatin1(r.rate));
        EXPECT_EQ(m.dataRateUnit->text(), QString::fromLatin1(r.unit));
        EXPECT_EQ(m.deviationCaption->text(), QString::fromLatin1(r.deviation));
        EXPECT_EQ(m.gaussianAlpha->isEnabled(), r.alpha);
        EXPECT_EQ(!m.cmb3FSKDetect->isHidden(), r.threeFsk);
        EXPECT_EQ(!m.viterbiPathMemoryCaption->isHidden(), r.threeFsk);
    }
}

// The panel fits a 1366x768 screen with a title bar and a task bar in every modulation, and
// takes its own size again when the 3FSK rows go away.
TEST_F(FrontPanel, FitsTheScreenInEveryModulationAndShrinksBack) {
    Main& m = start();
    m.show();
    QCoreApplication::processEvents();
    const QSize twoFsk = m.frameGeometry().size();
    for (int i = 0; i < m.cmbModulation->count(); ++i) {
        SCOPED_TRACE(m.cmbModulation->itemText(i).toStdString());
        m.cmbModulation->setCurrentIndex(i);
        QCoreApplication::processEvents();
        const QSize size = m.frameGeometry().size();
        EXPECT_LE(size.height(), 660); // 768 less a task bar and a title bar, with room
        EXPECT_LE(size.width(), 1350); // 1366 less the window's borders
        // Nothing is cut off: the window is at least as large as its contents need.
        EXPECT_GE(m.height(), m.minimumSizeHint().height());
        const QRect readback = m.cmdReadback->geometry().translated(
            m.cmdReadback->parentWidget()->mapTo(&m, QPoint(0, 0)));
        EXPECT_TRUE(m.rect().contains(readback));
    }
    m.cmbModulation->setCurrentIndex(2); // 3FSK, then back to 2FSK
    QCoreApplication::processEvents();
    m.cmbModulation->setCurrentIndex(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(m.frameGeometry().size(), twoFsk);
    m.hide();
}

TEST_F(FrontPanel, FourFskReplansTheClocks) {
    Main& m = start();
    m.cmbModulation->setCurrentIndex(3);
    // 4FSK at 4 ksym/s: D 1, C 154, P 2, K 12.
    EXPECT_EQ(f().DemodClockDividerField, 1 << 6);
    EXPECT_EQ(f().CdrClockDividerField, 154 << 10);
    EXPECT_EQ(f().PostDemodBwField, 2 << 20);
    EXPECT_EQ(w().DiscrimK, 12);
    EXPECT_EQ(m.lblRxCLK->text(), QStringLiteral("3.9935"));
    EXPECT_EQ(m.lblDemodBW->text(), QStringLiteral("6.1175"));
}

TEST_F(FrontPanel, CorrelatorChoiceRunsTheDataRatePlanTwice) {
    Main& m = start();
    m.cmbDemod->setCurrentIndex(0);
    m.txtDatarate->setText(QStringLiteral("32")); // linear: no jitter search message
    services.messages.clear();
    m.cmbDemod->setCurrentIndex(1);
    // At 32 kbit/s the correlator's jitter search fails in each plan; one choice warns once.
    ASSERT_EQ(services.messages.messages.size(), 1u);
    EXPECT_EQ(services.messages.messages[0].title, QStringLiteral("Excessive Jitter Warning"));
}

TEST_F(FrontPanel, TestDataAndSynthToggleWriteAtOnceWithoutRefresh) {
    Main& m = startConnected();
    m.cmbTestdata->setCurrentIndex(5);
    ASSERT_EQ(usb.writtenWords().size(), 1u);
    EXPECT_EQ(usb.writtenWords()[0], 0x0000050Fu);
    // The R15 read-out shows the word that went out, though nothing refreshed it.
    EXPECT_EQ(app->frmTestModes().register15Readout->text(), QStringLiteral("0x0050F"));
    usb.clear();
    const QString r0Before = m.lblNhex->text();
    m.synthEnable->setOn(false);
    ASSERT_EQ(usb.writtenWords().size(), 1u);
    EXPECT_EQ(usb.writtenWords()[0], 0x7C8u); // R8 in receive, synthesizer off
    m.vcoEnable->setOn(false);
    EXPECT_EQ(usb.writtenWords().size(), 1u); // the VCO switch only changes the read-out
    EXPECT_NE(m.lblOSChex->text(), QStringLiteral("0x535011"));
    EXPECT_EQ(m.lblOSChex->mark(), Mark::Changed);
    EXPECT_EQ(m.lblNhex->text(), r0Before);
}

TEST_F(FrontPanel, PaLevelScrollBarShowsSettingWithStrBlank) {
    Main& m = start();
    m.paLevel->setValue(20);
    m.paLevel->setValue(48);
    EXPECT_EQ(m.LblFSKpower->text(), QStringLiteral("Setting  48"));
    EXPECT_EQ(f().PaLevelField, 48 << 13);
}

TEST_F(FrontPanel, ListsStoreTheirFields) {
    Main& m = start();
    m.cmbIcp->setCurrentIndex(3);
    EXPECT_EQ(f().ChargePumpField, 3 << 15);
    m.cmbIFBW->setCurrentIndex(0);
    EXPECT_EQ(f().IFFilterBandwidthField, 0.0);
    m.cmbModulation->setCurrentIndex(5);
    m.gaussianAlpha->setCurrentIndex(1);
    EXPECT_EQ(f().RcAlphaField, 1 << 30);
    m.cmbVCO->setCurrentIndex(1);
    EXPECT_EQ(f().ExtInductorField, 1 << 25);
    EXPECT_EQ(f().VcoBiasField, 3 << 19);
    EXPECT_TRUE(app->synthform().lblVCOdiv2->isEnabled());
    m.TogCrystal->setOn(false);
    EXPECT_EQ(f().XtalOscEnableField, 0);
    m.paEnable->setOn(false);
    EXPECT_EQ(f().PaEnableField, 0);
    EXPECT_EQ(m.lblMODhex->mark(), Mark::Changed);
}

TEST_F(FrontPanel, TransmitReplansSynthesizerAndDeviation) {
    Main& m = start();
    m.optTx->setChecked(true);
    EXPECT_EQ(f().TxRxField, 0);
    EXPECT_EQ(w().FracN, 5961);
    EXPECT_EQ(m.lblNhex->text(), QStringLiteral("0x1617490"));
    m.optRx->setChecked(true);
    EXPECT_EQ(f().TxRxField, 1 << 27);
    EXPECT_EQ(w().FracN, 5794);
}

TEST_F(FrontPanel, DeviationBoxThroughTheWindow) {
    Main& m = start();
    struct Case {
        const char* text;
        int32_t count;
        const char* label;
        bool message;
    } cases[] = {
        {"4.8", 16, "4.8047", false},    {"100", 333, "99.9976", false},
        {"100.5", 333, "99.9976", true}, {"123456", 333, "99.9976", false},
        {"2", 7, "2.1021", false},
    };
    for (const auto& c : cases) {
        services.messages.clear();
        m.TxtFSKdev->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(f().TxDeviationField, c.count << 19) << c.text;
        EXPECT_EQ(m.Lblfskdev->text(), QString::fromLatin1(c.label)) << c.text;
        EXPECT_EQ(!services.messages.messages.empty(), c.message) << c.text;
    }
    // Count 0 gives the receiver no discriminator: the deviation and the receiver plan that
    // follows it are refused together, the count in force kept and the box saying why.
    m.TxtFSKdev->setText(QStringLiteral("0.1"));
    EXPECT_EQ(f().TxDeviationField, 7 << 19);
    EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("2.1021"));
    EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_EQ(m.TxtFSKdev->toolTip(),
              QStringLiteral("The deviation set is 0 kHz, which gives the receiver no "
                             "discriminator. Please raise the deviation"));
}

// A refused deviation leaves the deviation in force and marks the box, without a message,
// until a deviation is taken.
TEST_F(FrontPanel, ARefusedDeviationMarksTheBoxUntilOneIsTaken) {
    Main& m = start();
    for (const char* refused : {"-5", "1e309", "inf", "", "123456"}) {
        SCOPED_TRACE(refused);
        services.messages.clear();
        m.TxtFSKdev->setText(QString::fromLatin1(refused));
        EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
        EXPECT_EQ(m.TxtFSKdev->toolTip(),
                  QStringLiteral("Desired deviation in kHz of at most 5 characters: a number "
                                 "from 0 to 100 at this set-up (0 to 0.15, under half a step: "
                                 "no deviation)"));
        EXPECT_TRUE(messageTexts().empty());
        EXPECT_EQ(f().TxDeviationField, 7 << 19);
        EXPECT_EQ(m.Lblfskdev->text(), QStringLiteral("2.1021"));
    }
    m.TxtFSKdev->setText(QStringLiteral("101")); // the message, and the mark
    EXPECT_EQ(messageTexts(), std::vector<QString>{calc::DeviationTooLargeText});
    EXPECT_TRUE(platform::isMarkedRefused(m.TxtFSKdev));
    m.TxtFSKdev->setText(QStringLiteral("4.8"));
    EXPECT_FALSE(platform::isMarkedRefused(m.TxtFSKdev));
    EXPECT_TRUE(m.TxtFSKdev->toolTip().isEmpty());
    EXPECT_EQ(f().TxDeviationField, 16 << 19);
}

TEST_F(FrontPanel, DataRateEntryTest) {
    Main& m = start();
    const int32_t cdrAt4 = f().CdrClockDividerField;
    for (const char* ignored : {"75.01", "0", "1234567", "", "abc", "-4"}) {
        m.txtDatarate->setText(QString::fromLatin1(ignored));
        EXPECT_EQ(f().CdrClockDividerField, cdrAt4) << ignored;
    }
    m.txtDatarate->setText(QStringLiteral("75"));
    EXPECT_NE(f().CdrClockDividerField, cdrAt4);
}
