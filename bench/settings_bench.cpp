// Settings export and import on files that also hold many lines of the other tool's own: the
// cost must grow with the file's length, not with the length times the number of keys, and an
// export must be one read and one atomic replacement of the file.
#include "bench/benchsupport.h"

#include "board/simulatedboard.h"
#include "board/simulatedport.h"
#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "corvane/settingsfile.h"
#include "corvane/zantrelfile.h"
#include "platform/services.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

struct Panel {
    platform::RecordingServices services;
    board::SimulatedBoard usb;
    board::SimulatedPort port;
    std::unique_ptr<corvane::CorvaneApp> app =
        std::make_unique<corvane::CorvaneApp>(services.view(), usb, port);

    Panel() { app->start(); }
    ~Panel() {
        app.reset();
        corvane::bench::flushDeferredDeletes();
    }
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
    corvane::ExportSettings(*p.app, file.path);
    const QByteArray exported = readAll(file.path);
    if (exported.isEmpty() || !p.services.messages.messages.empty()) {
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

void BM_ExportSettings(benchmark::State& state) {
    Panel p;
    SettingsFile file;
    std::string error;
    if (!prepare(p, file, static_cast<int>(state.range(0)), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    // One watched export: the same settings again leave every byte as it was, and the file is
    // read once and replaced once, never rewritten key by key.
    FileWatch watch(file.dir.path(), QStringLiteral("settings.txt"));
    corvane::ExportSettings(*p.app, file.path);
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
        corvane::ExportSettings(*p.app, file.path);
    if (!p.services.messages.messages.empty() || readAll(file.path) != file.bytes)
        state.SkipWithError("a timed export failed or changed the file");
    state.SetBytesProcessed(state.iterations() * file.bytes.size());
}
// A few iterations even in a short run: one pass over the long file says little.
BENCHMARK(BM_ExportSettings)->Arg(10000)->Arg(100000)->MinTime(0.3)->Unit(benchmark::kMillisecond);

void BM_ImportSettings(benchmark::State& state) {
    Panel p;
    SettingsFile file;
    std::string error;
    if (!prepare(p, file, static_cast<int>(state.range(0)), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const QByteArray words = [&p] {
        QByteArray all;
        for (int n = 0; n < 16; ++n)
            all += QByteArray::number(p.app->store().wordBits(n)) + ' ';
        return all;
    }();
    for (auto _ : state)
        corvane::ImportSettings(*p.app, file.path);
    // The program's own settings load back without a message and leave the chip as it was.
    QByteArray after;
    for (int n = 0; n < 16; ++n)
        after += QByteArray::number(p.app->store().wordBits(n)) + ' ';
    if (!p.services.messages.messages.empty())
        state.SkipWithError("importing the program's own export showed a message");
    else if (after != words)
        state.SkipWithError("importing the program's own export changed register words");
    state.SetBytesProcessed(state.iterations() * file.bytes.size());
}
BENCHMARK(BM_ImportSettings)->Arg(10000)->Arg(100000)->MinTime(0.3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // 10x the lines may cost at most 12x; far beyond that the cost is no longer linear.
    return corvane::bench::runBenchmarks(
        argc, argv,
        {{QStringLiteral("BM_ExportSettings/100000"), QStringLiteral("BM_ExportSettings/10000"), 12,
          40, QStringLiteral("export 100,000 / 10,000 lines")},
         {QStringLiteral("BM_ImportSettings/100000"), QStringLiteral("BM_ImportSettings/10000"), 12,
          40, QStringLiteral("import 100,000 / 10,000 lines")}});
}
