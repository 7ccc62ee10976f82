#pragma once

#include <QFile>
#include <QString>

namespace board {

// The optional call log of the simulated back ends: one line per call, flushed at once so the
// log is complete even when the program ends abruptly.
class BoardLog {
public:
    // target is a file name (truncated on opening) or "-" for standard error.
    explicit BoardLog(const QString& target);
    BoardLog(const BoardLog&) = delete;
    BoardLog& operator=(const BoardLog&) = delete;

    bool isOpen() const { return file_.isOpen(); }
    const QString& target() const { return target_; }
    // Why the log could not be opened (or a line not written): names the file and the cause.
    const QString& errorString() const { return error_; }

    void write(const QString& line);

private:
    QString target_;
    QFile file_;
    QString error_;
};

} // namespace board
