#pragma once
// What the settings-file tests of every program share: the texts the import shows, the file
// name as the messages give it, a settings file built from "Section/Key=value" entries, a
// second run of the program to load a file into, and the checks of a save that cannot be made.
#include "../testfiles.h"

#include "platform/core/profile.h"
#include "platform/entrymark.h"
#include "testing/recordingparllio.h"
#include "testing/recordingservices.h"
#include "testing/recordingskerry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>

namespace evaltest {

inline const QString VersionMessage = QStringLiteral(
    "Error: Import file incompatible with this version of software. You should check the "
    "Verrix website for updates");

inline QString nativeName(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

inline QString skippedMessage(const QString& path, const QString& keys) {
    return QStringLiteral("These settings in %1 could not be used and were left as they were: %2")
        .arg(nativeName(path), keys);
}

// An import's summary: the values left out, those read otherwise than written ("[S] K=text as
// value") and the number keys missing and read as 0, each sentence only when it names any.
inline QString summaryMessage(const QString& path, const QString& skipped, const QString& readAs,
                              const QString& missing) {
    QStringList sentences;
    if (!skipped.isEmpty())
        sentences << skippedMessage(path, skipped);
    if (!readAs.isEmpty())
        sentences << QStringLiteral("These settings in %1 were not taken as they are written: %2")
                         .arg(nativeName(path), readAs);
    if (!missing.isEmpty())
        sentences << QStringLiteral("These settings are missing from %1 and were read as 0: %2")
                         .arg(nativeName(path), missing);
    return sentences.join(QLatin1Char('\n'));
}

// The text (CRLF) of a settings file of entries "Section/Key=value", grouped into their
// sections in the order they first appear.
inline QByteArray settingsText(const QStringList& entries) {
    QStringList sections;
    QHash<QString, QStringList> lines;
    for (const QString& e : entries) {
        const QString section = e.left(e.indexOf(QLatin1Char('/')));
        if (!sections.contains(section))
            sections << section;
        lines[section] << e.mid(section.size() + 1);
    }
    QString text;
    for (const QString& section : sections)
        text += QLatin1Char('[') + section + QStringLiteral("]\r\n") +
                lines[section].join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    return text.toLatin1();
}

// `defaults` ("Section/Key=value") less the keys `entries` give, then `entries`: the entries of
// a test's settings file over the keys every such file carries.
inline QStringList withDefaults(QStringList defaults, const QStringList& entries) {
    defaults.removeIf([&entries](const QString& d) {
        const QString key = d.left(d.indexOf(QLatin1Char('=')) + 1);
        return std::any_of(entries.begin(), entries.end(),
                           [&key](const QString& e) { return e.startsWith(key); });
    });
    return defaults + entries;
}

// The section headers and key names of a file, in the file's order.
inline QStringList keyOrder(const QByteArray& bytes) {
    QStringList order;
    for (const QByteArray& line : bytes.split('\n'))
        if (!line.isEmpty())
            order << QString::fromLatin1(line.split('=').first().trimmed());
    return order;
}

// Two saves of one set-up: the same lines in the same order, but for the synthesizer's
// frequencies (`frequencyKeys`, "Section/Key"), which the synthesizer window writes in its own
// form after a calculation ("915.00000") and in its load's form before one ("915.000000"): those
// hold the same single-precision number.
inline void expectSameSettings(const QByteArray& a, const QByteArray& b,
                               const QStringList& frequencyKeys) {
    const QList<QByteArray> left = a.split('\n');
    const QList<QByteArray> right = b.split('\n');
    ASSERT_EQ(left.size(), right.size()) << a.constData() << "\n----\n" << b.constData();
    QString section;
    for (qsizetype i = 0; i < left.size(); ++i) {
        const QString l = QString::fromLatin1(left[i]).trimmed();
        const QString r = QString::fromLatin1(right[i]).trimmed();
        if (l.startsWith(QLatin1Char('[')))
            section = l.mid(1, l.size() - 2);
        const QString key = l.section(QLatin1Char('='), 0, 0);
        if (frequencyKeys.contains(section + QLatin1Char('/') + key)) {
            EXPECT_EQ(r.section(QLatin1Char('='), 0, 0), key);
            EXPECT_EQ(float(l.section(QLatin1Char('='), 1).toDouble()),
                      float(r.section(QLatin1Char('='), 1).toDouble()))
                << l.toStdString() << " / " << r.toStdString();
        } else {
            EXPECT_EQ(r.toStdString(), l.toStdString());
        }
    }
}

// Every one of `lines` stands in `bytes`, unchanged and in this order.
inline void expectLinesInOrder(const QByteArray& bytes, std::initializer_list<const char*> lines) {
    qsizetype from = 0;
    for (const char* line : lines) {
        const qsizetype at = bytes.indexOf(line, from);
        EXPECT_GE(at, from) << line;
        from = at;
    }
}

// A key of a saved file as the profile functions read it.
inline QString profileValue(const QString& path, const char* section, const char* key) {
    return platform::GetPrivateProfileString(QLatin1String(section), QLatin1String(key), QString(),
                                             256, path)
        .value;
}

// A second program, as another run of it would be, on its own services and boards.
template <class App> struct OtherProgram {
    platform::RecordingServices services{App::programTitle()};
    board::RecordingSkerry usb;
    board::RecordingParllio port;
    std::unique_ptr<App> app = std::make_unique<App>(services.view(), usb, port);
    ~OtherProgram() {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// A save into a file that cannot be written is reported with the file and the reason, and
// leaves the file as it was. `save` writes the settings to the path it is given.
template <class Fixture, class Save>
void expectAFailedSaveLeavesTheFileWhole(Fixture& t, const QString& path, Save save) {
    testfiles::writeBytes(path, "[Other]\r\nkeep=1\r\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    save(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(testfiles::readBytes(path), QByteArray("[Other]\r\nkeep=1\r\n"));
    ASSERT_EQ(t.messageTexts().size(), 1u);
    EXPECT_TRUE(t.messageTexts()[0].contains(nativeName(path)));
    EXPECT_TRUE(t.messageTexts()[0].contains(QStringLiteral("read-only")));
}

// A data rate the box refused is not saved: typed key by key over the rate in force, "9,6"
// leaves the "9" the box took in force, and the file holds 9 kbit/s without a word said.
template <class Fixture, class Save>
void expectARefusedRateSavesTheRateInForce(Fixture& t, QLineEdit* box, const QString& path,
                                           Save save) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("9,6"));
    ASSERT_EQ(box->text(), QStringLiteral("9,6"));
    ASSERT_TRUE(platform::isMarkedRefused(box));
    t.clearRecords();
    save(path);
    EXPECT_TRUE(t.messageTexts().empty());
    EXPECT_EQ(profileValue(path, "Phy", "BaudRate"), QStringLiteral("9000"));
    EXPECT_EQ(box->text(), QStringLiteral("9,6")); // the box goes on showing what was typed
}

} // namespace evaltest
