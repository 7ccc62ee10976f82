// Start-up of every program to its first idle event loop, in process: the context, the front
// panel, the whole start-up sequence, shown and painted, then torn down. Beside it, in the same
// run, its yardstick: a plain Qt window with the same widget tree and no program logic, built
// by walking the program's own panel. A program's start-up should cost little more than Qt
// charges for its panel.
#include "bench/benchsupport.h"
#include "bench/plainwindow.h"
#include "bench/programs.h"

#include "board/simulatedport.h"

#include <QLabel>
#include <QMainWindow>
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

using evalbench::flushDeferredDeletes;
using evalbench::Program;
using evalbench::showAndSettle;

// Context, start-up, shown and painted, then torn down: what a user waits for when starting the
// program, and what a test pays per fresh context.
bool startUpOnce(const Program& program, std::string& error) {
    board::SimulatedPort port;
    port.setChip(program.chip);
    std::unique_ptr<evalbench::Session> session = program.open(port);
    QMainWindow& panel = session->start();
    const bool painted = showAndSettle(panel);
    const bool quiet =
        session->services.messages.messages.empty() && !session->services.system.ended();
    evalbench::close(session);
    if (!painted)
        error = "the front panel was never painted";
    else if (!quiet)
        error = "start-up showed a message or ended the program";
    return painted && quiet;
}

void startUp(benchmark::State& state, const Program& program) {
    std::string error;
    for (auto _ : state) {
        if (!startUpOnce(program, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}

// The same start-up split into its phases, so a slow start-up says where its time goes.
void startUpPhases(benchmark::State& state, const Program& program) {
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    double built = 0, loaded = 0, shown = 0, tornDown = 0;
    for (auto _ : state) {
        board::SimulatedPort port;
        port.setChip(program.chip);
        const auto t0 = Clock::now();
        std::unique_ptr<evalbench::Session> session = program.open(port);
        QMainWindow& panel = session->panel(); // the panel's widgets, before its load handler
        const auto t1 = Clock::now();
        session->start();
        const auto t2 = Clock::now();
        const bool painted = showAndSettle(panel);
        const auto t3 = Clock::now();
        evalbench::close(session);
        const auto t4 = Clock::now();
        if (!painted) {
            state.SkipWithError("the front panel was never painted");
            break;
        }
        built += ms(t1 - t0);
        loaded += ms(t2 - t1);
        shown += ms(t3 - t2);
        tornDown += ms(t4 - t3);
    }
    using benchmark::Counter;
    state.counters["build_ms"] = Counter(built, Counter::kAvgIterations);
    state.counters["load_ms"] = Counter(loaded, Counter::kAvgIterations);
    state.counters["show_ms"] = Counter(shown, Counter::kAvgIterations);
    state.counters["teardown_ms"] = Counter(tornDown, Counter::kAvgIterations);
}

double kiloPixels(const QWidget& w) {
    return w.width() * w.height() / 1000.0;
}

// The yardstick: the program's panel after its start-up, as plain Qt, built, shown and painted
// and torn down.
void plainWindow(benchmark::State& state, const Program& program) {
    evalbench::PlainWindow plain;
    double panelArea = 0;
    {
        board::SimulatedPort port;
        port.setChip(program.chip);
        std::unique_ptr<evalbench::Session> session = program.open(port);
        QMainWindow& panel = session->start();
        showAndSettle(panel);
        plain = evalbench::PlainWindow::of(panel);
        panelArea = kiloPixels(panel);
        state.counters["panel_widgets"] = double(panel.findChildren<QWidget*>().size());
        evalbench::close(session);
    }
    // The plain window holds the panel's tree: the same kinds, as many of each, and about the
    // same size on screen.
    {
        std::unique_ptr<QMainWindow> window = plain.build();
        if (evalbench::PlainWindow::censusOf(*window) != plain.census()) {
            state.SkipWithError("the plain window does not hold the panel's widget tree");
            return;
        }
        if (!showAndSettle(*window)) {
            state.SkipWithError("the plain window was never painted");
            return;
        }
        const double area = kiloPixels(*window);
        state.counters["panel_kpx"] = panelArea;
        state.counters["plain_kpx"] = area;
        state.counters["plain_widgets"] = double(window->findChildren<QWidget*>().size());
        if (area < panelArea / 2 || area > panelArea * 2) {
            state.SkipWithError("the plain window is not laid out like the panel");
            return;
        }
        window.reset();
        flushDeferredDeletes();
    }
    for (auto _ : state) {
        std::unique_ptr<QMainWindow> window = plain.build();
        if (!showAndSettle(*window)) {
            state.SkipWithError("the plain window was never painted");
            break;
        }
        window.reset();
        flushDeferredDeletes();
    }
}

bool bareWindowOnce() {
    auto window = std::make_unique<QMainWindow>();
    window->setCentralWidget(new QLabel(QStringLiteral("Evaluation Software")));
    const bool painted = showAndSettle(*window);
    window.reset();
    flushDeferredDeletes();
    return painted;
}

// For comparison: a bare main window with one label.
void BM_BareMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        if (!bareWindowOnce()) {
            state.SkipWithError("the bare window was never painted");
            break;
        }
    }
}

void warmUp() {
    bareWindowOnce();
    for (const Program& program : evalbench::programs()) {
        std::string ignored;
        startUpOnce(program, ignored);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<evalbench::RatioCheck> ratios;
    for (const Program& program : evalbench::programs()) {
        const std::string name = program.name.toStdString();
        benchmark::RegisterBenchmark(("BM_StartUp/" + name).c_str(), startUp, program)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_PlainWindow/" + name).c_str(), plainWindow, program)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_StartUpPhases/" + name).c_str(), startUpPhases, program)
            ->Unit(benchmark::kMillisecond);
        ratios.push_back({QStringLiteral("BM_StartUp/") + program.name,
                          QStringLiteral("BM_PlainWindow/") + program.name, 1.5, 0,
                          program.name + QStringLiteral(" start-up / plain window")});
    }
    benchmark::RegisterBenchmark("BM_BareMainWindow", BM_BareMainWindow)
        ->Unit(benchmark::kMillisecond);
    return evalbench::runBenchmarks(argc, argv, ratios, warmUp);
}
