// A board log that cannot be opened is said on standard error at start-up, naming the file
// and the cause, besides being kept for the program to show.
#include "board/boardbackends.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace {

// Runs `run` with standard error going to `path`.
template <class Run> void withStandardErrorIn(const QString& path, Run run) {
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "w");
    ASSERT_NE(file, nullptr);
    ::dup2(::fileno(file), STDERR_FILENO);
    run();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    std::fclose(file);
}

TEST(BoardLogError, AnUnopenableLogIsSaidOnStandardError) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString log = dir.filePath(QStringLiteral("no/such/dir/board.log"));
    const QString stderrFile = dir.filePath(QStringLiteral("stderr.txt"));
    QStringList errors;
    withStandardErrorIn(stderrFile, [&] {
        QProcessEnvironment env;
        env.insert(QStringLiteral("VERRIX_BOARD_LOG"), log);
        errors = board::fromEnvironment(env).errors();
    });
    QFile said(stderrFile);
    ASSERT_TRUE(said.open(QIODevice::ReadOnly));
    const QString text = QString::fromLocal8Bit(said.readAll());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(text.contains(errors.front())) << text.toStdString();
    EXPECT_TRUE(text.contains(log + QStringLiteral(": No such file or directory")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QLatin1Char('\n')));
}

} // namespace
