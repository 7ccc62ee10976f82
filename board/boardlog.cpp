#include "board/boardlog.h"

#include <cstdio>

namespace board {

BoardLog::BoardLog(const QString& target) : target_(target) {
    bool opened = false;
    if (target == QLatin1String("-")) {
        opened = file_.open(stderr, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    } else {
        file_.setFileName(target);
        opened = file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    if (!opened)
        error_ = QStringLiteral("%1: %2").arg(target, file_.errorString());
}

void BoardLog::write(const QString& line) {
    if (!file_.isOpen())
        return;
    const QByteArray bytes = line.toUtf8() + '\n';
    if (file_.write(bytes) != bytes.size() || !file_.flush()) {
        if (error_.isEmpty())
            error_ = QStringLiteral("%1: %2").arg(target_, file_.errorString());
    }
}

} // namespace board
