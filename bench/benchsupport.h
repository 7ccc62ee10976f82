#pragma once
// What every benchmark program shares: an offscreen QApplication, a way to let
// the event loop run until the window has been painted, and a main() that turns a benchmark's
// error into a failing exit code and prints the ratios the programs are held to.
#include <QString>
#include <QWidget>

#include <vector>

namespace evalbench {

// Shows the window and runs the event loop until it has been painted once and nothing more is
// pending. False when no paint arrived (the platform never exposed the window).
bool showAndSettle(QWidget& window);

// Runs the event loop until nothing more is pending (paints, posted events, deferred deletes).
void settle();

// Deletes what deleteLater() left behind.
void flushDeferredDeletes();

// A ratio of two benchmarks' real time per iteration, checked after the run. Over `target` it
// is reported; over `failAbove` (0: never) the program fails, for ratios whose growth means a
// fault rather than noise.
struct RatioCheck {
    QString numerator;
    QString denominator;
    double target;
    double failAbove = 0;
    QString what;
};

// Parses the benchmark options, runs every registered benchmark after `warmUp`, prints the
// ratios and returns the exit code: non-zero when a benchmark reported an error or a ratio is
// over its failAbove bound.
int runBenchmarks(int argc, char** argv, const std::vector<RatioCheck>& ratios,
                  void (*warmUp)() = nullptr);

} // namespace evalbench
