// Saving the settings onto a disk that fills up during the write: the user is told the file
// and the system's reason, and the file keeps what it held.
#include "corvanefixture.h"

#include "../testfiles.h"
#include "corvane/frontpanel.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>

using namespace corvane;

TEST(FullDisk, ASettingsSaveThatRunsOutOfRoomSaysSo) {
    platform::RecordingServices services(CorvaneApp::programTitle());
    platform::FillingDiskSaveDeviceFactory disk(100); // less than a settings file
    platform::PlatformServices view = services.view();
    view.saving = &disk;
    board::RecordingSkerry usb;
    board::RecordingParllio port;
    CorvaneApp app(view, usb, port);
    Main& m = app.start();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("setup.txt"));
    testfiles::writeBytes(path, "[Other]\r\nkeep=1\r\n");
    services.messages.clear();
    services.files.answers.push_back(path);
    m.mnuWriteOmbrelle->trigger();

    EXPECT_EQ(services.messages.texts(),
              std::vector<QString>{QStringLiteral("The settings could not be saved to %1: No "
                                                  "space left on device")
                                       .arg(QDir::toNativeSeparators(path))});
    EXPECT_EQ(testfiles::readBytes(path), QByteArray("[Other]\r\nkeep=1\r\n"));
}
