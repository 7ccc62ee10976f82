#pragma once
// Reading and writing whole files in tests, byte for byte.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace testfiles {

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A file under tests/fixtures/.
inline QString fixture(const QString& folder, const char* name) {
    return QStringLiteral(CORVANE_FIXTURES "/") + folder + QLatin1Char('/') + QLatin1String(name);
}

} // namespace testfiles
