// The settings file: values an import cannot use, and what a full or large file sets.
#include "importexportfixture.h"

using namespace importexport;

// ---- values that cannot be used ---------------------------------------------------------

TEST_F(Settings, UnusableValuesAreSkippedAndNamedTheRestIsApplied) {
    const int paBias = app->biasWindow().HScrPABias->value();
    clearRecords();
    ImportSettings(*app, fixture("garbled.txt"));

    ASSERT_EQ(messageTexts().size(), 1u)
        << QStringList(messageTexts().begin(), messageTexts().end())
               .join(QLatin1Char('|'))
               .toStdString();
    const platform::MessageRecord& box = services.messages.messages[0];
    // A list index of -1 (IF_BW) is no choice, and named too; "12abc" is taken as 12 and said.
    EXPECT_EQ(box.text, evaltest::summaryMessage(
                            fixture("garbled.txt"),
                            QStringLiteral("[VCO] VCODivider, [VCO] VCOBias, [Phy] BaudRate, "
                                           "[Phy] PABias, [Rx] IF_BW, [Rx] Demod, [Sync] SyncWord, "
                                           "[Sync] NumErrors, [AFC] Status, [AFC] KP, [AFC] Range, "
                                           "[IF_Filter] Upper, [AGC] Low, [AGC] FilterGain"),
                            QStringLiteral("[Tx] PALevel=12abc as 12"), {}));
    EXPECT_EQ(box.title, services.messages.defaultTitle());

    // Applied.
    EXPECT_EQ(m->cmbModulation->currentIndex(), 1);
    EXPECT_TRUE(m->optTx->isChecked());
    EXPECT_EQ(f().TxRxField, 0);
    EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("3"));
    EXPECT_EQ(m->cmbVCO->currentIndex(), 1);
    EXPECT_EQ(f().ExtInductorField, 1 << 25);
    EXPECT_DOUBLE_EQ(w().RfFrequencyMHz, 600);
    EXPECT_EQ(m->cmbIcp->currentIndex(), 1);
    EXPECT_EQ(app->biasWindow().HScrVCOAdjust->value(), 2);
    EXPECT_EQ(f().MixerLinearityField, 1 << 28);
    EXPECT_EQ(app->frmSWD().detectionMode->currentIndex(), 1);
    EXPECT_EQ(app->frmSWD().wordLength->currentIndex(), 2);
    EXPECT_EQ(app->frmAFC().cmbKi->currentIndex(), 3);
    EXPECT_EQ(app->frmIFCal().dwellTime->text(), QStringLiteral("40"));
    EXPECT_EQ(app->frmIFCal().lowerTone->text(), QStringLiteral("100"));
    EXPECT_EQ(app->frmAGC().agcMode->currentIndex(), 1);
    EXPECT_EQ(app->frmAGC().highThreshold->text(), QStringLiteral("50"));
    EXPECT_EQ(m->agcStatus->text(), QStringLiteral("Manual"));
    EXPECT_EQ(m->paLevel->value(), 12); // "12abc" reads as its leading digits
    // Skipped: the controls keep what they had (IF_BW -1 is a list without a choice).
    EXPECT_EQ(m->txtDatarate->text(), QStringLiteral("4"));
    EXPECT_EQ(m->cmbIFBW->currentIndex(), 2);
    EXPECT_EQ(app->biasWindow().HScrPABias->value(), paBias);
    // The VCO bias left out stays as the inductor chosen sets it, and its window shows that.
    EXPECT_EQ(f().VcoBiasField, 3 << 19);
    EXPECT_EQ(app->biasWindow().HScrVCObias->value(), 3);
    EXPECT_EQ(app->frmSWD().syncWordPattern->text(),
              QStringLiteral("0")); // as the window loaded it
    EXPECT_EQ(f().SyncWordField, 0);
    EXPECT_EQ(app->frmSWD().txtErrors->text(), QStringLiteral("0"));
    EXPECT_FALSE(app->frmAFC().afcStatus->isOn());
    EXPECT_EQ(f().AfcEnableField, 0);
    EXPECT_EQ(m->afcStatus->text(), QStringLiteral("OFF"));
    EXPECT_EQ(app->frmAFC().cmbKp->currentIndex(), f().AfcKpField >> 21);
    EXPECT_EQ(app->frmIFCal().upperTone->text(), QStringLiteral("75"));
    EXPECT_EQ(app->frmAGC().lowThreshold->text(), QStringLiteral("30"));
    EXPECT_EQ(f().FilterGainField, 0);
    // No value spilled outside its field.
    EXPECT_EQ(word(9) & 0xF, 9u);
    EXPECT_EQ(word(10) & 0xF, 10u);
    EXPECT_EQ(word(11) & 0xF, 11u);
}

// Every value of a hostile file that is not taken as it stands is named in the one summary,
// and no box shows a value that is not in force: "1e308" reads as its leading digit (and is
// in force), "NaN" reads as 0, which the tone takes not, so the box and R6 keep 150.
TEST_F(Settings, AHostileFileSaysWhatItDidNotTakeAsWritten) {
    const uint32_t r4 = word(4), r10 = word(10);
    const int demod = m->cmbDemod->currentIndex();
    const bool receive = m->optRx->isChecked();
    const QString path =
        settingsFile({QStringLiteral("IF_Filter/Dwell=40"), QStringLiteral("IF_Filter/Upper=1e308"),
                      QStringLiteral("IF_Filter/Lower=NaN"), QStringLiteral("Rx/Demod=-1"),
                      QStringLiteral("AFC/Status=False"), QStringLiteral("AFC/KP=-1"),
                      QStringLiteral("Phy/Mode=foo"), QStringLiteral("VCO/VCODivider=7")});
    ImportSettings(*app, path);
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{evaltest::summaryMessage(
                  path, QStringLiteral("[Phy] Mode, [Rx] Demod, [AFC] KP, [IF_Filter] Lower"),
                  QStringLiteral("[VCO] VCODivider=7 as 2, [IF_Filter] Upper=1e308 as 1"), {})});
    frmIFCal& cal = app->frmIFCal();
    EXPECT_EQ(cal.upperTone->text(), QStringLiteral("1"));
    EXPECT_EQ(f().IFCalUpperToneField, 1 << 13);
    EXPECT_EQ(cal.lowerTone->text(), QStringLiteral("150"));
    EXPECT_EQ(f().IFCalLowerToneField, 150 << 5);
    EXPECT_EQ(m->cmbDemod->currentIndex(), demod);
    EXPECT_EQ(m->optRx->isChecked(), receive);
    // The KP code and the demodulator type stay as they were in their words.
    EXPECT_EQ(word(10) & (7u << 21), r10 & (7u << 21));
    EXPECT_EQ(word(4) & (7u << 4), r4 & (7u << 4));
    // A save writes what is in force.
    const QString saved = temp("saved.txt");
    ExportSettings(*app, saved);
    EXPECT_EQ(value(saved, "IF_Filter", "Upper"), QStringLiteral("1"));
    EXPECT_EQ(value(saved, "IF_Filter", "Lower"), QStringLiteral("150"));
}

// A file that holds only the version and the chip changes the settings its missing number keys
// read as 0 give, and says which those are.
TEST_F(Settings, AFileOfOnlyVersionAndChipNamesEveryKeyReadAsZero) {
    const QString path = temp("bare.txt");
    writeBytes(path, "[File]\r\nVersion=1\r\n[Phy]\r\nChip=Corvane\r\n");
    ImportSettings(*app, path);
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{evaltest::summaryMessage(
                  path, {}, {},
                  QStringLiteral("[VCO] Lext, [PLL] RefDivider, [PLL] IcpIndex, [VCO] VCOBand, "
                                 "[VCO] VCOBias, [Phy] PABias, [Rx] IF_BW, [Rx] MIXER_LINEARITY, "
                                 "[Rx] Demod, [Sync] SyncDetect"))});
    EXPECT_EQ(m->cmbIcp->currentIndex(), 0);
    EXPECT_EQ(m->cmbIFBW->currentIndex(), 0);
}

TEST_F(Settings, ImportWritesNothingToTheBoard) {
    for (int board : {1, 0}) {
        SCOPED_TRACE(board);
        m->cmbMB->setCurrentIndex(board);
        clearRecords();
        ImportSettings(*app, fixture(board == 1 ? "full.txt" : "garbled.txt"));
        EXPECT_TRUE(usb.lines().empty());
        EXPECT_TRUE(port.lines().empty());
    }
}

TEST_F(Settings, AFullFileSetsEveryWindow) {
    ImportSettings(*app, fixture("full.txt"));
    EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
    EXPECT_EQ(m->cmbModulation->currentIndex(), 3);
    EXPECT_EQ(m->txtDatarate->text(), QStringLiteral("9.6"));
    EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("3"));
    EXPECT_TRUE(m->optTx->isChecked());
    EXPECT_EQ(m->paLevel->value(), 40);
    EXPECT_EQ(m->cmbIFBW->currentIndex(), 1);
    EXPECT_EQ(m->cmbDemod->currentIndex(), 3);
    EXPECT_EQ(m->cmbIcp->currentIndex(), 3);
    EXPECT_EQ(f().VcoDiv2Field, 1 << 18);
    EXPECT_EQ(f().MixerLinearityField, 1 << 28);
    EXPECT_EQ(f().PaBiasField, 1 << 11);
    EXPECT_EQ(f().VcoAdjustField, 2 << 23);
    EXPECT_EQ(f().VcoBiasField, 7 << 19);
    EXPECT_DOUBLE_EQ(w().RfFrequencyMHz, 433.92);
    EXPECT_EQ(app->frmSWD().syncWordPattern->text(), QStringLiteral("2AA"));
    EXPECT_EQ(f().SyncWordField, 0x2AA * 256.0);
    EXPECT_EQ(f().SwdModeField, 3 << 6);
    EXPECT_EQ(app->frmSWD().txtDPL->text(), QStringLiteral("1"));
    EXPECT_EQ(m->syncWordStatus->text(), QStringLiteral("High"));
    EXPECT_EQ(f().AfcEnableField, 16);
    EXPECT_EQ(m->afcStatus->text(), QStringLiteral("On"));
    EXPECT_EQ(f().AfcKiField, 5 << 17);
    EXPECT_EQ(f().AfcKpField, 3 << 21);
    EXPECT_EQ(f().AfcRangeField, 80.0 * (1 << 24));
    EXPECT_EQ(f().IFCalDwellTimeField, 50 << 21);
    EXPECT_EQ(f().IFCalUpperToneField, 80 << 13);
    EXPECT_EQ(f().IFCalLowerToneField, 120 << 5);
    EXPECT_EQ(f().AgcModeField, 1 << 19);
    EXPECT_EQ(m->agcStatus->text(), QStringLiteral("Frozen"));
    EXPECT_EQ(f().AgcLowThresholdField, 20 << 4);
    EXPECT_EQ(f().AgcHighThresholdField, 60 << 11);
    EXPECT_EQ(f().LnaGainField, 2 << 20);
    EXPECT_EQ(f().FilterGainField, 1 << 22);
    // The words changed are shown as not yet programmed.
    EXPECT_EQ(m->readout(0)->text(), reglink::readoutText(word(0)));
    EXPECT_EQ(m->readout(9)->mark(), reglink::RegisterReadout::Mark::Changed);
}

TEST_F(Settings, TheCommandLineImportsAtStartUp) {
    platform::RecordingServices services2{CorvaneApp::programTitle()};
    board::RecordingSkerry usb2;
    board::RecordingParllio port2;
    auto other = std::make_unique<CorvaneApp>(services2.view(), usb2, port2);
    Main& panel = other->start({QLatin1Char('"') + fixture("full.txt") + QLatin1Char('"')});
    EXPECT_EQ(panel.cmbModulation->currentIndex(), 3);
    EXPECT_EQ(panel.txtDatarate->text(), QStringLiteral("9.6"));
    EXPECT_EQ(panel.afcStatus->text(), QStringLiteral("On"));
    EXPECT_EQ(other->f().AgcModeField, 1 << 19);
    EXPECT_TRUE(services2.messages.texts().empty());
    other.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Settings, AFileWithManyForeignLinesImportsFast) {
    QByteArray bytes = readBytes(fixture("full.txt"));
    bytes.reserve(bytes.size() + 3'000'000);
    for (int i = 0; i < 100'000; ++i) {
        if (i % 1000 == 0)
            bytes += "[Ombrelle" + QByteArray::number(i) + "]\r\n";
        bytes += "key" + QByteArray::number(i) + "=value " + QByteArray::number(i) + "\r\n";
    }
    const QString path = temp(QStringLiteral("big.txt"));
    writeBytes(path, bytes);
    QElapsedTimer timer;
    timer.start();
    ImportSettings(*app, path);
    const qint64 importMs = timer.restart();
    ExportSettings(*app, path);
    const qint64 exportMs = timer.elapsed();
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(m->cmbModulation->currentIndex(), 3);
    // A few reads of the whole file would already take seconds.
    EXPECT_LT(importMs, 1500);
    EXPECT_LT(exportMs, 1500);
    EXPECT_TRUE(readBytes(path).contains("key99999=value 99999\r\n"));
}
