// Settings export and import of every settings format (corvane-eval's, which Corvane-N
// shares, pellion-eval's and tessarine-eval's) on files that also hold many lines of another
// tool's own: the cost must grow with the file's length, not with the length times the number
// of keys, and an export must be one read and one atomic replacement of the file.
#include "bench/benchsupport.h"
#include "bench/programs.h"

#include "board/simulatedport.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

using evalbench::Program;

struct Panel {
    explicit Panel(const Program& p) : program(p) {
        port.setChip(program.chip);
        session = program.open(port);
        session->start();
    }
    ~Panel() { evalbench::close(session); }

    void exportTo(const QString& path) { program.exportSettings(session->context(), path); }
    void importFrom(const QString& path) { program.importSettings(session->context(), path); }
    bool quiet() const { return session->services.messages.messages.empty(); }
    // What the first message said, for the error that names it.
    std::string said(const char* what) const {
        const auto& shown = session->services.messages.messages;
        return std::string(what) +
               (shown.empty() ? std::string()
                              : ": \"" + shown.front().text.left(200).toStdString() + "\"");
    }

    const Program& program;
    board::SimulatedPort port;
    std::unique_ptr<evalbench::Session> session;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The program's own export with `foreign` lines of the other tool around and inside its
// sections: a quarter as extra keys in the program's sections, the rest as the other tool's
// sections with comments and blank lines, before and after.
QByteArray settingsWithForeignLines(const QByteArray& exported, int foreign) {
    const QList<QByteArray> lines = exported.split('\n');
    int sections = 0;
    for (const QByteArray& line : lines)
        sections += line.startsWith('[') ? 1 : 0;
    const int inside = sections > 0 ? foreign / 4 / sections : 0;
    int written = 0;
    QByteArray before, middle, after;
    const auto foreignSection = [&written](QByteArray& out, int count) {
        while (count > 0) {
            out += "[Tool." + QByteArray::number(written) + "]\r\n";
            --count;
            ++written;
            for (int k = 0; k < 8 && count > 0; ++k, --count, ++written)
                out += k == 3   ? QByteArray("; kept by the other tool\r\n")
                       : k == 7 ? QByteArray("\r\n")
                                : "Param" + QByteArray::number(k) + "=" +
                                      QByteArray::number(written * 7) + "\r\n";
        }
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.isEmpty() && i == lines.size() - 1)
            break; // after the last line break
        middle += line + '\n';
        if (line.startsWith('[')) {
            for (int k = 0; k < inside; ++k, ++written)
                middle += "ToolKey" + QByteArray::number(written) + "=x\r\n";
        }
    }
    const int rest = foreign - written;
    foreignSection(before, rest / 2);
    foreignSection(after, foreign - written);
    return before + middle + after;
}

// Counts what happens to one file in its folder while an export runs.
class FileWatch {
public:
    FileWatch(const QString& folder, QString name) : name_(name.toLocal8Bit()) {
        fd_ = inotify_init1(IN_NONBLOCK);
        if (fd_ >= 0)
            inotify_add_watch(fd_, folder.toLocal8Bit().constData(),
                              IN_OPEN | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE);
    }
    ~FileWatch() {
        if (fd_ >= 0)
            close(fd_);
    }
    bool ok() const { return fd_ >= 0; }

    struct Counts {
        int opens = 0;         // opened by name (a read, or a write in place)
        int writesInPlace = 0; // modified or closed after writing under its own name
        int replacements = 0;  // a new file renamed or linked to its name
    };
    Counts collect() {
        Counts counts;
        alignas(inotify_event) char buffer[64 * 1024];
        for (;;) {
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
                if (e->len == 0 || QByteArray(e->name) != name_)
                    continue;
                if (e->mask & IN_OPEN)
                    ++counts.opens;
                if (e->mask & (IN_MODIFY | IN_CLOSE_WRITE))
                    ++counts.writesInPlace;
                if (e->mask & (IN_MOVED_TO | IN_CREATE))
                    ++counts.replacements;
            }
        }
        return counts;
    }

private:
    QByteArray name_;
    int fd_ = -1;
};

struct SettingsFile {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("settings.txt"));
    QByteArray bytes;
};

// Builds the file from the panel's own export; false with the reason when it cannot.
bool prepare(Panel& p, SettingsFile& file, int foreign, std::string& error) {
    p.exportTo(file.path);
    const QByteArray exported = readAll(file.path);
    if (exported.isEmpty() || !p.quiet()) {
        error = "the export to an empty file failed";
        return false;
    }
    file.bytes = settingsWithForeignLines(exported, foreign);
    if (!writeAll(file.path, file.bytes)) {
        error = "the settings file could not be written";
        return false;
    }
    return true;
}

void exportSettings(benchmark::State& state, const Program& program, int foreign) {
    Panel p(program);
    SettingsFile file;
    std::string error;
    if (!prepare(p, file, foreign, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    // One watched export: the same settings again leave every byte as it was, and the file is
    // read once and replaced once, never rewritten key by key.
    FileWatch watch(file.dir.path(), QStringLiteral("settings.txt"));
    p.exportTo(file.path);
    const FileWatch::Counts counts = watch.collect();
    if (!watch.ok()) {
        state.SkipWithError("inotify is not available");
        return;
    }
    if (readAll(file.path) != file.bytes) {
        state.SkipWithError("exporting the same settings changed the file");
        return;
    }
    if (counts.opens != 1 || counts.writesInPlace != 0 || counts.replacements != 1) {
        state.SkipWithError("an export is not one read and one atomic replacement of the file");
        return;
    }
    state.counters["reads"] = counts.opens;
    state.counters["replacements"] = counts.replacements;
    for (auto _ : state)
        p.exportTo(file.path);
    if (!p.quiet() || readAll(file.path) != file.bytes)
        state.SkipWithError(p.said("a timed export failed or changed the file").c_str());
    state.SetBytesProcessed(state.iterations() * file.bytes.size());
}
void importSettings(benchmark::State& state, const Program& program, int foreign) {
    Panel p(program);
    SettingsFile file;
    std::string error;
    if (!prepare(p, file, foreign, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::vector<uint32_t> words = evalbench::registerWords(p.session->store());
    for (auto _ : state)
        p.importFrom(file.path);
    // The program's own settings load back without a message, leave the chip as it was and
    // the file as it was.
    if (!p.quiet())
        state.SkipWithError(p.said("importing the program's own export showed a message").c_str());
    else if (evalbench::registerWords(p.session->store()) != words)
        state.SkipWithError("importing the program's own export changed register words");
    else if (readAll(file.path) != file.bytes)
        state.SkipWithError("an import changed the file it read");
    state.SetBytesProcessed(state.iterations() * file.bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<evalbench::RatioCheck> ratios;
    for (const Program& program : evalbench::programs()) {
        if (!program.ownSettingsFormat || !program.exportSettings)
            continue;
        const QString name = program.name;
        for (const auto& [what, run] : {std::pair{QStringLiteral("Export"), &exportSettings},
                                        std::pair{QStringLiteral("Import"), &importSettings}}) {
            const QString base = QStringLiteral("BM_%1Settings/%2/").arg(what, name);
            for (int foreign : {10000, 100000}) {
                // A few iterations even in a short run: one pass over the long file says
                // little.
                benchmark::RegisterBenchmark(
                    (base + QString::number(foreign)).toStdString().c_str(), run, program, foreign)
                    ->MinTime(0.3)
                    ->Unit(benchmark::kMillisecond);
            }
            // 10x the lines may cost at most 12x; far beyond that the cost is no longer linear.
            ratios.push_back(
                {base + QStringLiteral("100000"), base + QStringLiteral("10000"), 12, 40,
                 QStringLiteral("%1 %2 100,000 / 10,000 lines").arg(name, what.toLower())});
        }
    }
    return evalbench::runBenchmarks(argc, argv, ratios);
}
