#include "bench/benchsupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unistd.h>

namespace evalbench {

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Keeps what the console shows and remembers errors and times for the checks at the end.
class CheckingReporter : public benchmark::ConsoleReporter {
public:
    explicit CheckingReporter(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                ++errors;
                std::fprintf(stderr, "ERROR in %s: %s\n", run.benchmark_name().c_str(),
                             run.error_message.c_str());
                continue;
            }
            // With repetitions the median stands for the benchmark; otherwise its one run.
            const std::string name = run.run_name.str();
            const double ns = run.GetAdjustedRealTime() * multiplierToNs(run.time_unit);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                realTimeNs[name] = ns;
                medians.insert(name);
            } else if (run.run_type == Run::RT_Iteration && run.iterations > 0 &&
                       !medians.count(name)) {
                realTimeNs[name] = ns;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    int errors = 0;
    std::map<std::string, double> realTimeNs;
    std::set<std::string> medians;

private:
    static double multiplierToNs(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kSecond:
            return 1e9;
        case benchmark::kMillisecond:
            return 1e6;
        case benchmark::kMicrosecond:
            return 1e3;
        default:
            return 1;
        }
    }
};

// The offscreen platform warns on every window that it cannot pass size hints on; that says
// nothing about the program and would bury the figures.
void dropPlatformNoise(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

void settle() {
    // A zero timer fires once the events queued before it have been handled; paints are posted
    // at low priority, so go round until a pass finds nothing left to do.
    for (int pass = 0; pass < 3; ++pass) {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
        QCoreApplication::sendPostedEvents();
    }
}

void flushDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool showAndSettle(QWidget& window) {
    PaintCounter counter;
    window.installEventFilter(&counter);
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (counter.paints == 0 && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    settle();
    window.removeEventFilter(&counter);
    return counter.paints > 0;
}

int runBenchmarks(int argc, char** argv, const std::vector<RatioCheck>& ratios, void (*warmUp)()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropPlatformNoise);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    // The first window of a process pays for fonts, style and platform set-up once; no
    // benchmark should carry that.
    if (warmUp)
        warmUp();

    CheckingReporter reporter(isatty(fileno(stdout)) ? benchmark::ConsoleReporter::OO_ColorTabular
                                                     : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // A benchmark's name may carry its own settings ("/min_time:0.300") after the given one.
    const auto timeOf = [&reporter](const QString& name) -> std::optional<double> {
        const std::string wanted = name.toStdString();
        for (const auto& [run, ns] : reporter.realTimeNs) {
            if (run == wanted || run.rfind(wanted + "/", 0) == 0)
                return ns;
        }
        return std::nullopt;
    };
    int failures = reporter.errors;
    for (const RatioCheck& check : ratios) {
        const std::optional<double> num = timeOf(check.numerator);
        const std::optional<double> den = timeOf(check.denominator);
        if (!num || !den || *den <= 0)
            continue; // filtered out of this run
        const double ratio = *num / *den;
        const bool overTarget = ratio > check.target;
        const bool failed = check.failAbove > 0 && ratio > check.failAbove;
        std::printf("ratio %-40s %8.2fx  (target <= %.2fx)%s\n", qPrintable(check.what), ratio,
                    check.target, failed ? "  FAILED" : (overTarget ? "  over target" : "  ok"));
        if (failed)
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace evalbench
