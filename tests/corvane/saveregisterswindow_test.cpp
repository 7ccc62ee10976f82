// The register save window: the file it writes from the raw register window's boxes, the
// folder and file lists, and the names and targets it refuses.
#include "corvanefixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace corvane;
using namespace corvane::test;

namespace {

struct RegisterSaveWindow : CorvaneFixture {
    QTemporaryDir folder;

    frmSaveReg& open() {
        start();
        clearRecords();
        frmSaveReg& s = app->frmSaveReg();
        s.setDirPath(folder.path());
        return s;
    }
    QString pathOf(const QString& name) const { return QDir(folder.path()).filePath(name); }
    QByteArray contents(const QString& name) const {
        QFile file(pathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void put(const QString& name, const QByteArray& bytes) const {
        QFile file(pathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList filesInFolder() const {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

// Fifteen CRLF lines: the section, then R00..R09 and R0a..R0d with the boxes' texts.
TEST_F(RegisterSaveWindow, SavesFourteenRegistersUnderTheLoadTimeName) {
    frmSaveReg& s = open();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("Save Reg Values"));
    EXPECT_EQ(s.fileName->text(), QStringLiteral("PellionSettings.ini"));
    EXPECT_EQ(s.fileListPath(), QDir(folder.path()).absolutePath());
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmRegisters")));

    s.saveFile->click();

    // The raw register window was loaded unseen to read its boxes.
    ASSERT_TRUE(app->isLoaded(QStringLiteral("frmRegisters")));
    frmRegisters& r = app->frmRegisters();
    EXPECT_FALSE(r.isVisible());
    EXPECT_TRUE(messageTexts().empty());
    const QByteArray bytes = contents(QStringLiteral("PellionSettings.ini"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    // Every line ends in CRLF; no lone line feeds.
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    const QStringList lines = QString::fromLatin1(bytes.chopped(2)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[0], QStringLiteral("[Registers]"));
    const char* keys[] = {"R00", "R01", "R02", "R03", "R04", "R05", "R06",
                          "R07", "R08", "R09", "R0a", "R0b", "R0c", "R0d"};
    for (int n = 0; n < 14; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(lines[n + 1], QString::fromLatin1(keys[n]) + u'=' + r.box(n)->text());
    }
    EXPECT_EQ(lines[1], QStringLiteral("R00=") + app->main().lblNhex->text());
    EXPECT_EQ(lines[8], QStringLiteral("R07=0x007"));
    EXPECT_FALSE(bytes.contains("0x0000000E")); // registers 14 and 15 are not saved
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("PellionSettings.ini")});
}

TEST_F(RegisterSaveWindow, ClickingAFileTakesItsBareNameAndSavingReplacesIt) {
    put(QStringLiteral("alpha.ini"), "old\r\n");
    put(QStringLiteral("beta.ini"), "old contents that are longer than nothing\r\n");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    frmSaveReg& s = open();
    ASSERT_EQ(s.File1->count(), 2);
    EXPECT_EQ(s.File1->item(1)->text(), QStringLiteral("beta.ini"));
    EXPECT_TRUE(s.Dir1->findItems(QStringLiteral("sub"), Qt::MatchExactly).size() == 1);

    app->showModal(&s);
    const QRect where = s.File1->visualItemRect(s.File1->item(1));
    QTest::mouseClick(s.File1->viewport(), Qt::LeftButton, {}, where.center());
    EXPECT_EQ(s.fileName->text(), QStringLiteral("beta.ini"));

    app->frmRegisters().box(2)->setText(QStringLiteral("0xBEEF2"));
    s.saveFile->click();
    EXPECT_TRUE(messageTexts().empty());
    const QByteArray bytes = contents(QStringLiteral("beta.ini"));
    EXPECT_TRUE(bytes.startsWith("[Registers]\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nR02=0xBEEF2\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 15);
    EXPECT_EQ(contents(QStringLiteral("alpha.ini")), "old\r\n");
}

TEST_F(RegisterSaveWindow, FolderAndDriveListsMoveTheFileList) {
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("sub")));
    put(QStringLiteral("sub/inner.ini"), "x");
    frmSaveReg& s = open();
    EXPECT_EQ(s.Dir1->item(0)->text(), QStringLiteral(".."));

    emit s.Dir1->itemActivated(s.Dir1->findItems(QStringLiteral("sub"), Qt::MatchExactly)[0]);
    EXPECT_EQ(s.fileListPath(), QDir(folder.path()).absoluteFilePath(QStringLiteral("sub")));
    ASSERT_EQ(s.File1->count(), 1);
    EXPECT_EQ(s.File1->item(0)->text(), QStringLiteral("inner.ini"));
    s.saveFile->click();
    EXPECT_TRUE(QFile::exists(pathOf(QStringLiteral("sub/PellionSettings.ini"))));

    // Linux has no drives: the list holds the root folders of the mounted file systems.
    const int root = s.Drive1->findText(QStringLiteral("/"));
    ASSERT_GE(root, 0);
    s.Drive1->setCurrentIndex(root);
    s.Drive1_Change();
    EXPECT_EQ(s.dirPath(), QStringLiteral("/"));
    EXPECT_EQ(s.fileListPath(), QStringLiteral("/"));
    EXPECT_TRUE(s.Dir1->findItems(QStringLiteral(".."), Qt::MatchExactly).isEmpty());
}

TEST_F(RegisterSaveWindow, RefusesNamesThatAreNoFileName) {
    frmSaveReg& s = open();
    const char* names[] = {"", "   ", "sub/x.ini", "../x.ini", "/tmp/x.ini", "..\\x.ini"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        clearRecords();
        s.fileName->setText(QString::fromLatin1(name));
        s.saveFile->click();
        ASSERT_EQ(services.messages.messages.size(), 1u);
        EXPECT_EQ(services.messages.messages[0].icon, platform::MsgIcon::Exclamation);
        EXPECT_TRUE(filesInFolder().isEmpty());
    }
}

// A failure names the file and the reason, and the old file stays whole.
TEST_F(RegisterSaveWindow, ReportsATargetThatCannotBeWritten) {
    put(QStringLiteral("locked.ini"), "keep\r\n");
    ASSERT_TRUE(QFile::setPermissions(pathOf(QStringLiteral("locked.ini")),
                                      QFileDevice::ReadOwner | QFileDevice::ReadUser));
    frmSaveReg& s = open();
    s.fileName->setText(QStringLiteral("locked.ini"));
    s.saveFile->click();
    ASSERT_EQ(services.messages.messages.size(), 1u);
    const auto& msg = services.messages.messages[0];
    EXPECT_EQ(msg.icon, platform::MsgIcon::Critical);
    EXPECT_TRUE(msg.text.contains(QDir::toNativeSeparators(pathOf(QStringLiteral("locked.ini")))));
    EXPECT_TRUE(msg.text.contains(QStringLiteral("read-only")));
    EXPECT_EQ(contents(QStringLiteral("locked.ini")), "keep\r\n");

    // A folder that vanished while the window was open.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("gone")));
    s.setDirPath(pathOf(QStringLiteral("gone")));
    ASSERT_TRUE(QDir(pathOf(QStringLiteral("gone"))).removeRecursively());
    clearRecords();
    s.fileName->setText(QStringLiteral("x.ini"));
    s.saveFile->click();
    ASSERT_EQ(services.messages.messages.size(), 1u);
    EXPECT_TRUE(services.messages.messages[0].text.contains(QStringLiteral("gone")));
    EXPECT_EQ(services.messages.messages[0].text.count(QLatin1Char('\n')), 1);
}

// A name in the folder that stands for no regular file is refused before anything is opened:
// a named pipe would block the save, a link to a device would have the device replaced.
TEST_F(RegisterSaveWindow, RefusesATargetThatIsNotAFile) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(pathOf(QStringLiteral("pipe.ini"))).constData(), 0600), 0);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.ini")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), pathOf(QStringLiteral("full.ini"))));
    frmSaveReg& s = open();
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {{"pipe.ini", "It is a named pipe, not a file."},
                 {"folder.ini", "It is a folder, not a file."},
                 {"full.ini", "It is a device, not a file."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clearRecords();
        s.fileName->setText(QString::fromLatin1(c.name));
        s.saveFile->click();
        ASSERT_EQ(messageTexts().size(), 1u);
        EXPECT_TRUE(messageTexts()[0].contains(
            QDir::toNativeSeparators(pathOf(QString::fromLatin1(c.name)))));
        EXPECT_TRUE(messageTexts()[0].contains(QLatin1String(c.reason)));
        EXPECT_EQ(services.saving.created, 0);
    }
    EXPECT_EQ(QDir(folder.path())
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                             QDir::Name),
              (QStringList{QStringLiteral("folder.ini"), QStringLiteral("full.ini"),
                           QStringLiteral("pipe.ini")}));
}

TEST_F(RegisterSaveWindow, ReturnUnloads) {
    frmSaveReg& s = open();
    EXPECT_EQ(s.cmdCloseRegSave->text(), QStringLiteral("Return to Reg Values"));
    s.cmdCloseRegSave->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmSaveReg")));
    EXPECT_TRUE(filesInFolder().isEmpty());
}

} // namespace
