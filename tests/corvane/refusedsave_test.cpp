// A save whose data does not reach the disk (a full disk, a failing rename), from every
// place the program saves: the old file stays byte for byte, no new file is left, and the
// user sees one message that names the file and the reason.
#include "corvanefixture.h"

#include "../testfiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>

using namespace corvane;
using namespace corvane::test;

namespace {

using Step = platform::FaultySaveDeviceFactory::Step;
using testfiles::readBytes;
using testfiles::writeBytes;

const QByteArray OldBytes = "[Other]\r\nkeep=1\r\n";

struct RefusedSave : CorvaneFixture {
    QTemporaryDir dir;
    Main* m = nullptr;

    void SetUp() override {
        CorvaneFixture::SetUp();
        m = &start();
        clearRecords();
    }

    // The places that save, each given the file's name in the temporary folder.
    struct Place {
        const char* name;
        std::function<void(RefusedSave&, const QString& file)> save;
    };
    static std::vector<Place> places() {
        const auto menu = [](QAction* Main::*item) {
            return [item](RefusedSave& t, const QString& file) {
                t.services.files.answers.push_back(t.dir.filePath(file));
                (t.m->*item)->trigger();
            };
        };
        return {
            {"settings export", menu(&Main::mnuWriteOmbrelle)},
            {"Zantrel modify", menu(&Main::mnuSave)},
            {"Zantrel create", menu(&Main::mnuCreatenewini)},
            {"register save window",
             [](RefusedSave& t, const QString& file) {
                 frmSaveReg& s = t.app->frmSaveReg();
                 s.setDirPath(t.dir.path());
                 s.fileName->setText(file);
                 s.saveFile->click();
             }},
        };
    }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    QString shownName(const QString& file) const {
        return QDir::toNativeSeparators(QFileInfo(dir.filePath(file)).absoluteFilePath());
    }
    void expectOneMessageNaming(const QString& file, const QString& reason) const {
        ASSERT_EQ(messageTexts().size(), 1u);
        EXPECT_TRUE(messageTexts()[0].contains(shownName(file))) << messageTexts()[0].toStdString();
        EXPECT_TRUE(messageTexts()[0].contains(reason)) << messageTexts()[0].toStdString();
    }
};

TEST_F(RefusedSave, AFullDiskKeepsTheOldFileAndSaysSoOnce) {
    for (const Place& place : places()) {
        SCOPED_TRACE(place.name);
        for (const Step step : {Step::Flush, Step::Commit}) {
            SCOPED_TRACE(static_cast<int>(step));
            services.saving.failAt = step;
            services.saving.reason = step == Step::Flush ? QStringLiteral("No space left on device")
                                                         : QStringLiteral("Input/output error");
            writeBytes(dir.filePath(QStringLiteral("old.ini")), OldBytes);
            clearRecords();
            place.save(*this, QStringLiteral("old.ini"));
            EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("old.ini"))), OldBytes);
            expectOneMessageNaming(QStringLiteral("old.ini"), services.saving.reason);
            EXPECT_EQ(files(), QStringList{QStringLiteral("old.ini")});
        }
    }
}

// A new file that could not be saved is not there afterwards, not even empty.
TEST_F(RefusedSave, ANewFileThatDidNotReachTheDiskIsNotLeftBehind) {
    services.saving.failAt = Step::Flush;
    for (const Place& place : places()) {
        SCOPED_TRACE(place.name);
        clearRecords();
        place.save(*this, QStringLiteral("new.ini"));
        expectOneMessageNaming(QStringLiteral("new.ini"),
                               QStringLiteral("No space left on device"));
        EXPECT_TRUE(files().isEmpty()) << files().join(u' ').toStdString();
    }
}

// With room on the disk the same places save, through the same device.
TEST_F(RefusedSave, WithRoomEveryPlaceSaves) {
    for (const Place& place : places()) {
        SCOPED_TRACE(place.name);
        writeBytes(dir.filePath(QStringLiteral("old.ini")), OldBytes);
        const int before = services.saving.created;
        clearRecords();
        place.save(*this, QStringLiteral("old.ini"));
        EXPECT_TRUE(messageTexts().empty());
        EXPECT_GT(services.saving.created, before);
        EXPECT_NE(readBytes(dir.filePath(QStringLiteral("old.ini"))), OldBytes);
    }
}

} // namespace
