// The settings file: single keys as the design tool may write them.
#include "importexportfixture.h"

using namespace importexport;

// ---- single keys as the design tool may write them ---------------------------------------

TEST_F(Settings, CrystalAndReferenceDividerSetThePfd) {
    struct Case {
        const char* crystal;
        const char* refDivider; // nullptr: no RefDivider key
        float crystalMHz;
        double pfdMHz;
        const char* pfdText; // what the PFD box receives from the file
    } cases[] = {
        {"19.680000", "0", 19.68f, 19.68, "19.680000"}, // the crystal text, whole
        {"19.680000", nullptr, 19.68f, 19.68, "19.680000"},
        {"19.68", "2", 19.68f, 9.84, "9.84"},
        {"19.680000", "1", 19.68f, 19.68, "19.68"},
        // Read whole: its first seven characters would have given 12.3456.
        {"12.3456789", "1", 12.34568f, 12.34568, "12.3456789"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.crystal) + " / " + (c.refDivider ? c.refDivider : "-"));
        QStringList entries{QStringLiteral("PLL/CrystalFreq=") + QLatin1String(c.crystal)};
        if (c.refDivider)
            entries << QStringLiteral("PLL/RefDivider=") + QLatin1String(c.refDivider);
        const QString path = settingsFile(entries);
        // The boxes as the import fills them (the calculation rewrites them afterwards).
        QStringList crystalTexts, pfdTexts;
        synthform& s = app->synthform();
        s.TxtCrystal1->setText(QString());
        s.txtpfd1->setText(QString());
        // The window stays loaded from one file to the next: the watch ends with the case.
        QObject watch;
        QObject::connect(s.TxtCrystal1, &QLineEdit::textChanged, &watch,
                         [&crystalTexts](const QString& t) { crystalTexts << t; });
        QObject::connect(s.txtpfd1, &QLineEdit::textChanged, &watch,
                         [&pfdTexts](const QString& t) { pfdTexts << t; });
        clearRecords();
        ImportSettings(*app, path);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
        ASSERT_FALSE(crystalTexts.isEmpty());
        ASSERT_FALSE(pfdTexts.isEmpty());
        EXPECT_EQ(crystalTexts.first(), QLatin1String(c.crystal));
        EXPECT_EQ(pfdTexts.first(), QLatin1String(c.pfdText));
        EXPECT_FLOAT_EQ(w().CrystalFrequencyMHz, c.crystalMHz);
        EXPECT_NEAR(w().PfdFrequencyMHz, c.pfdMHz, 1e-9);
    }
}

TEST_F(Settings, ModulationNames) {
    struct Case {
        const char* name;
        int index; // -1: the modulation, deviation and PA setting stay as they were
    } cases[] = {{"FSK", 0},
                 {"2FSK", 0},
                 {"GFSK", 1},
                 {"3FSK", 2},
                 {"4FSK", 3},
                 {"Oversampled 2FSK", 4},
                 {"RCFSK", 5},
                 {"RC2FSK", 5},
                 {"RC3FSK", 6},
                 {"RC4FSK", 7},
                 {"Raised Cosine 4FSK", 7},
                 {"gfsk", -1},
                 {"", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m->cmbModulation->setCurrentIndex(1);
        m->TxtFSKdev->setText(QStringLiteral("2"));
        m->paLevel->setValue(48);
        m->txtDatarate->setText(QStringLiteral("4"));
        clearRecords();
        const QString path = settingsFile(
            {QStringLiteral("Phy/Modulation=") + QLatin1String(c.name),
             QStringLiteral("Phy/Deviation_kHz=3.2504"), QStringLiteral("Phy/BaudRate=9600"),
             QStringLiteral("Phy/Alpha=0.7"), QStringLiteral("Tx/PALevel=30")});
        ImportSettings(*app, path);
        EXPECT_EQ(m->txtDatarate->text(), QStringLiteral("9.6")); // whatever the modulation
        if (c.index >= 0) {
            EXPECT_EQ(m->cmbModulation->currentIndex(), c.index);
            EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("3.25"));
            EXPECT_EQ(m->paLevel->value(), 30);
            if (c.index >= 5) {
                EXPECT_EQ(m->gaussianAlpha->currentIndex(), 1);
            }
            EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
        } else {
            EXPECT_EQ(m->cmbModulation->currentIndex(), 1);
            EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("2"));
            EXPECT_EQ(m->paLevel->value(), 48);
            // A name the table does not hold means no modulation setting, and is named; an
            // empty one names none.
            if (*c.name)
                EXPECT_EQ(messageTexts(), std::vector<QString>{evaltest::skippedMessage(
                                              path, QStringLiteral("[Phy] Modulation"))});
            else
                EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
        }
    }
}

TEST_F(Settings, SyncWordSectionIsReadOnlyWithDetectionOn) {
    const double syncWord = f().SyncWordField;
    const QString caption = m->syncWordStatus->text();
    for (const char* detect : {"Sync/SyncDetect=0", "Sync/Other=1"}) {
        ImportSettings(*app,
                       settingsFile({QLatin1String(detect), QStringLiteral("Sync/SyncWord=0x123"),
                                     QStringLiteral("Sync/Wordlength=3")}));
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmSWD"))) << detect;
        EXPECT_EQ(f().SyncWordField, syncWord);
        EXPECT_EQ(m->syncWordStatus->text(), caption);
    }
    ImportSettings(
        *app,
        settingsFile({QStringLiteral("Sync/SyncDetect=2"), QStringLiteral("Sync/SyncWord=0x2AA"),
                      QStringLiteral("Sync/Wordlength=3"), QStringLiteral("Sync/NumErrors=2")}));
    EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
    EXPECT_EQ(app->frmSWD().syncWordPattern->text(), QStringLiteral("2AA"));
    EXPECT_EQ(f().SyncWordField, 0x2AA * 256.0);
    EXPECT_EQ(f().SwdModeField, 2 << 6);
    EXPECT_EQ(f().SyncWordLengthField, 3 << 4);
    EXPECT_EQ(f().SyncErrorsField, 2 << 6);
    // The caption names the mode the field holds, as the window's return does.
    EXPECT_EQ(m->syncWordStatus->text(), QStringLiteral("High on SWD for DPL"));
}

TEST_F(Settings, AfcStatus) {
    struct Case {
        const char* status; // nullptr: no Status key
        std::optional<bool> on;
    } cases[] = {{"True", true}, {"False", false}, {"", std::nullopt}, {nullptr, std::nullopt}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status ? c.status : "(missing)");
        if (app->isLoaded(QStringLiteral("frmAFC")))
            app->frmAFC().unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f().AfcEnableField = 16;
        f().AfcKiField = 0;
        m->afcStatus->setText(QStringLiteral("On"));
        QStringList entries{QStringLiteral("AFC/KI=9"), QStringLiteral("AFC/Range=2.5")};
        if (c.status)
            entries << QStringLiteral("AFC/Status=") + QLatin1String(c.status);
        clearRecords();
        ImportSettings(*app, settingsFile(entries));
        EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
        if (!c.on) {
            EXPECT_FALSE(app->isLoaded(QStringLiteral("frmAFC")));
            EXPECT_EQ(f().AfcEnableField, 16);
            EXPECT_EQ(f().AfcKiField, 0);
            EXPECT_EQ(m->afcStatus->text(), QStringLiteral("On"));
            continue;
        }
        EXPECT_EQ(f().AfcEnableField, *c.on ? 16 : 0);
        EXPECT_EQ(m->afcStatus->text(), *c.on ? QStringLiteral("On") : QStringLiteral("OFF"));
        EXPECT_EQ(f().AfcKiField, 9 << 17);
        EXPECT_EQ(app->frmAFC().txtAFCRange->text(), QStringLiteral("2.5")); // not cut to 2
        EXPECT_EQ(f().AfcRangeField, 5.0 * (1 << 24));
    }
}

TEST_F(Settings, KeysThatAreOnlyWrittenChangeNothing) {
    const QStringList base{QStringLiteral("Phy/Modulation=GFSK"),
                           QStringLiteral("Phy/BaudRate=9600")};
    ImportSettings(*app, settingsFile(base));
    const QStringList plain = observableState(*app);
    ImportSettings(*app, settingsFile(base + QStringList{QStringLiteral("File/path=D:\\x.txt"),
                                                         QStringLiteral("Tx/INT=30"),
                                                         QStringLiteral("Tx/FRAC=1"),
                                                         QStringLiteral("Rx/LNA_MODE=1")}));
    EXPECT_EQ(observableState(*app), plain);
    EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
}

TEST_F(Settings, VcoBiasZeroKeepsTheSlider) {
    app->biasWindow().HScrVCObias->setValue(5);
    ImportSettings(*app, settingsFile({QStringLiteral("VCO/VCOBias=0")}));
    EXPECT_EQ(app->biasWindow().HScrVCObias->value(), 5);
    ImportSettings(*app, settingsFile({QStringLiteral("VCO/VCOBias=12")}));
    EXPECT_EQ(app->biasWindow().HScrVCObias->value(), 12);
    EXPECT_EQ(f().VcoBiasField, 12 << 19);
    EXPECT_TRUE(messageTexts().empty()) << messages().toStdString();
}
