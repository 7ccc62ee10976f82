#pragma once
// What the settings-file tests share: the fixture with its temporary files, and the read-outs
// and controls a file may set, read without loading a window.
#include "pellionfixture.h"

#include "../support/filefixture.h"
#include "../support/settingstests.h"
#include "../testfiles.h"

#include "link/readouttext.h"
#include "pellion/settingsfile.h"
#include "platform/core/profile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>

namespace pellion::test {

using testfiles::readBytes;
using testfiles::writeBytes;

using evaltest::nativeName;
using evaltest::skippedMessage;
using evaltest::VersionMessage;

inline QString fixture(const char* name) {
    return testfiles::fixture(QStringLiteral("pellion"), name);
}

// The twelve read-outs of the front panel.
inline QStringList readouts(Main& m) {
    QStringList r;
    for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13})
        r << m.readout(n)->text();
    return r;
}

// Every register word and the controls an import may set, read without loading a window.
inline QStringList observableState(PellionApp& app) {
    QStringList s;
    for (int n = 0; n <= 13; ++n)
        s << QStringLiteral("R%1=%2").arg(n).arg(app.store().wordBits(n), 8, 16, QLatin1Char('0'));
    Main& m = app.main();
    s << readouts(m);
    for (QComboBox* c : {m.cmbModulation, m.cmbDemod, m.cmbIFBW, m.Chgpumpvalue})
        s << c->objectName() + QLatin1Char('=') + QString::number(c->currentIndex());
    for (QLineEdit* e : {m.txtDatarate, m.TxtFSKdev})
        s << e->objectName() + QLatin1Char('=') + e->text();
    for (QScrollBar* b : {m.paLevel, m.HScrollASKFine1, m.HScrollOOKfine1})
        s << b->objectName() + QLatin1Char('=') + QString::number(b->value());
    s << QStringLiteral("chkInductor=%1").arg(m.chkInductor->isChecked())
      << QStringLiteral("Lblfskdev=") + m.Lblfskdev->text()
      << QStringLiteral("lblRxCLK=") + m.lblRxCLK->text()
      << QStringLiteral("lblvcofreq=") + m.lblvcofreq->text();
    for (const char* w : {"synthform", "frmPowerdown", "frmSWD", "frmGFSK"})
        s << QStringLiteral("%1 loaded=%2").arg(QLatin1String(w)).arg(app.isLoaded(w));
    return s;
}

using OtherProgram = evaltest::OtherProgram<PellionApp>;

struct Settings : evaltest::FileFixture<PellionFixture> {
    int files = 0;

    // A settings file (CRLF) of entries "Section/Key=value", grouped into their sections in
    // the order they first appear, after a version line.
    QString settingsFile(const QStringList& entries) {
        const QStringList all = evaltest::withDefaults(
            QStringList{QStringLiteral("File/Version=1")} + ZeroNumberKeys, entries);
        const QString path = temp(QStringLiteral("s%1.txt").arg(++files));
        writeBytes(path, evaltest::settingsText(all));
        return path;
    }

    static QString value(const QString& path, const char* section, const char* key) {
        return evaltest::profileValue(path, section, key);
    }

    // Saves, loads the file into another run of the program from its command line, and saves
    // again there: the read-outs agree and the second file is the first (the synthesizer's
    // frequencies in the window's own form), and a save after loading that one is it byte for
    // byte.
    void expectRoundTrip(const QString& name) {
        const QString path = temp(name);
        ExportSettings(*app, path);
        const QByteArray first = readBytes(path);
        ASSERT_FALSE(first.isEmpty());
        EXPECT_TRUE(messageTexts().empty());

        OtherProgram other;
        Main& panel = other.app->start({QLatin1Char('"') + path + QLatin1Char('"')});
        EXPECT_TRUE(other.services.messages.texts().empty())
            << other.services.messages.texts().front().toStdString();
        EXPECT_EQ(readouts(panel), readouts(*m));
        for (int n = 0; n <= 13; ++n)
            EXPECT_EQ(other.app->store().wordBits(n), word(n)) << "R" << n;
        EXPECT_EQ(other.usb.writtenWords(), std::vector<uint32_t>{}); // nothing to the board
        ExportSettings(*other.app, path);
        const QByteArray second = readBytes(path);
        evaltest::expectSameSettings(
            first, second, {QStringLiteral("Tx/Frequency"), QStringLiteral("PLL/CrystalFreq")});
        ImportSettings(*other.app, path);
        ExportSettings(*other.app, path);
        EXPECT_EQ(readBytes(path), second);
        EXPECT_TRUE(other.services.messages.texts().empty());
    }
};

} // namespace pellion::test
