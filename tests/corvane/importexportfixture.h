#pragma once
// What the settings-file tests share: the fixture files, everything an import may change,
// and a fixture that writes small settings files of the entries a test names.
#include "corvanefixture.h"

#include "../support/filefixture.h"
#include "../support/settingstests.h"
#include "../testfiles.h"

#include "corvane/settingsfile.h"
#include "corvane/zantrelfile.h"
#include "platform/core/profile.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>

namespace importexport {

using namespace corvane;
using namespace corvane::test;

using testfiles::readBytes;
using testfiles::writeBytes;

using evaltest::nativeName;
using evaltest::VersionMessage;
inline const QString ChipMessage = QStringLiteral("Error: Import file is not for Corvane chip");

inline QString fixture(const char* name) {
    return QStringLiteral(CORVANE_FIXTURES "/settings/") + QLatin1String(name);
}

// Everything an import may change, read without loading any window.
inline QStringList observableState(CorvaneApp& app) {
    QStringList s;
    for (int n = 0; n < 16; ++n)
        s << QStringLiteral("R%1=%2").arg(n).arg(app.store().wordBits(n), 8, 16, QLatin1Char('0'));
    Main& m = app.main();
    for (int n = 0; n < 16; ++n) {
        if (auto* r = m.readout(n))
            s << QStringLiteral("L%1=%2/%3").arg(n).arg(r->text()).arg(int(r->mark()));
    }
    for (QComboBox* c :
         {m.cmbVCO, m.cmbModulation, m.cmbDemod, m.cmbIcp, m.cmbIFBW, m.gaussianAlpha})
        s << c->objectName() + QLatin1Char('=') + QString::number(c->currentIndex());
    for (QLineEdit* e : {m.txtDatarate, m.TxtFSKdev})
        s << e->objectName() + QLatin1Char('=') + e->text();
    s << QStringLiteral("HScroll2=%1").arg(m.paLevel->value())
      << QStringLiteral("optRx=%1").arg(m.optRx->isChecked())
      << QStringLiteral("Lblfskdev=") + m.Lblfskdev->text();
    for (QPushButton* b : {m.afcStatus, m.agcStatus, m.syncWordStatus})
        s << b->objectName() + QLatin1Char('=') + b->text();
    for (const char* w : {"synthform", "frmPowerdown", "frmSWD", "frmAFC", "frmIFCal", "frmAGC"})
        s << QStringLiteral("%1 loaded=%2").arg(QLatin1String(w)).arg(app.isLoaded(w));
    const auto& v = app.w();
    s << QStringLiteral("rf=%1 pfd=%2 xtal=%3 R=%4")
             .arg(v.RfFrequencyMHz)
             .arg(v.PfdFrequencyMHz)
             .arg(v.CrystalFrequencyMHz)
             .arg(v.RDivider);
    return s;
}

// As 0, every number key the import may read but the tones (which take no 0): what a missing
// key reads as, without the import's summary naming it as missing.
inline const QStringList ZeroNumberKeys{
    QStringLiteral("VCO/Lext=0"),        QStringLiteral("PLL/RefDivider=0"),
    QStringLiteral("PLL/IcpIndex=0"),    QStringLiteral("VCO/VCOBand=0"),
    QStringLiteral("VCO/VCOBias=0"),     QStringLiteral("Phy/PABias=0"),
    QStringLiteral("Rx/IF_BW=0"),        QStringLiteral("Rx/MIXER_LINEARITY=0"),
    QStringLiteral("Rx/Demod=0"),        QStringLiteral("Tx/PALevel=0"),
    QStringLiteral("Sync/SyncDetect=0"), QStringLiteral("Sync/Wordlength=0"),
    QStringLiteral("Sync/NumErrors=0"),  QStringLiteral("AFC/KI=0"),
    QStringLiteral("AFC/KP=0"),          QStringLiteral("AGC/Low=0"),
    QStringLiteral("AGC/High=0"),        QStringLiteral("AGC/LNAGain=0"),
    QStringLiteral("AGC/FilterGain=0")};

// The version, chip, RF and crystal that every usable file carries, and the number keys.
inline const QStringList FileDefaults =
    QStringList{QStringLiteral("File/Version=1"), QStringLiteral("Phy/Chip=Corvane"),
                QStringLiteral("Tx/Frequency=869.5"), QStringLiteral("PLL/CrystalFreq=19.68")} +
    ZeroNumberKeys;

struct Settings : evaltest::FileFixture<CorvaneFixture> {
    int files_ = 0;

    // A settings file (CRLF) of entries "Section/Key=value", grouped into their
    // sections in the order they first appear, over the keys every usable file
    // carries (FileDefaults) unless the entries give their own.
    QString settingsFile(const QStringList& entries) {
        const QString path = temp(QStringLiteral("s%1.txt").arg(++files_));
        writeBytes(path, evaltest::settingsText(evaltest::withDefaults(FileDefaults, entries)));
        return path;
    }

    QString messages() const { return messageTexts().empty() ? QString() : messageTexts()[0]; }

    QString value(const QString& path, const char* section, const char* key) const {
        return evaltest::profileValue(path, section, key);
    }
};

} // namespace importexport
