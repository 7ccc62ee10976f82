#pragma once
// Names where something stands that is not a regular file: devices that read for ever or never
// fill, a named pipe that blocks whoever opens it, a folder, and a link to a device. Every file
// the programs read or write must refuse these before it opens them; a test that hangs here has
// opened one.
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <vector>

namespace evaltest {

struct NotAFile {
    QString path;
    QString reason; // as the refusal gives it
};

class NotAFiles {
public:
    NotAFiles() {
        const QString fifo = dir_.filePath(QStringLiteral("pipe.txt"));
        EXPECT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString folder = dir_.filePath(QStringLiteral("folder.txt"));
        EXPECT_TRUE(QDir().mkdir(folder));
        const QString link = dir_.filePath(QStringLiteral("link.txt"));
        EXPECT_TRUE(QFile::link(QStringLiteral("/dev/zero"), link));
        const QString device = QStringLiteral("It is a device, not a file.");
        all_ = {{QStringLiteral("/dev/full"), device},
                {QStringLiteral("/dev/zero"), device},
                {fifo, QStringLiteral("It is a named pipe, not a file.")},
                {folder, QStringLiteral("It is a folder, not a file.")},
                {link, device}};
    }
    const std::vector<NotAFile>& all() const { return all_; }

private:
    QTemporaryDir dir_;
    std::vector<NotAFile> all_;
};

inline QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace evaltest
