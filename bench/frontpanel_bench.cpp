// One front-panel change through its whole cascade: a new data rate recomputes the demodulator
// and clock dividers, refreshes every register read-out and marks the changed ones.
#include "bench/benchsupport.h"

#include "board/simulatedboard.h"
#include "board/simulatedport.h"
#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "platform/services.h"

#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

namespace {

constexpr std::array<int, 12> MainReadouts{0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13};

struct Panel {
    platform::RecordingServices services;
    board::SimulatedBoard usb;
    board::SimulatedPort port;
    std::unique_ptr<corvane::CorvaneApp> app =
        std::make_unique<corvane::CorvaneApp>(services.view(), usb, port);
    corvane::Main& main = app->start();

    ~Panel() {
        app.reset();
        corvane::bench::flushDeferredDeletes();
    }
    QString readouts() const {
        QString all;
        for (int n : MainReadouts)
            all += main.readout(n)->text() + QLatin1Char(' ');
        return all;
    }
};

// Two data rates that lead to different register words, so every change really goes through
// the dividers and the read-outs; checked before anything is timed.
const std::array<QString, 2> Rates{QStringLiteral("4"), QStringLiteral("9.6")};

bool cascadeReachesReadouts(Panel& p, std::string& error) {
    p.main.txtDatarate->setText(Rates[0]);
    const QString first = p.readouts();
    p.main.txtDatarate->setText(Rates[1]);
    const QString second = p.readouts();
    p.main.txtDatarate->setText(Rates[0]);
    if (first == second)
        error = "the two data rates give the same register read-outs";
    else if (p.readouts() != first)
        error = "going back to the first data rate does not restore its read-outs";
    else if (!p.services.messages.messages.empty())
        error = "a data-rate change showed a message";
    return error.empty();
}

void run(benchmark::State& state, bool repaint) {
    Panel p;
    if (repaint && !corvane::bench::showAndSettle(p.main)) {
        state.SkipWithError("the front panel was never painted");
        return;
    }
    std::string error;
    if (!cascadeReachesReadouts(p, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    size_t next = 1;
    for (auto _ : state) {
        p.main.txtDatarate->setText(Rates[next]);
        if (repaint)
            corvane::bench::settle();
        next ^= 1;
    }
    if (!p.services.messages.messages.empty())
        state.SkipWithError("a data-rate change showed a message");
}

// The handlers and the refreshed read-out texts and marks.
void BM_DataRateChange(benchmark::State& state) {
    run(state, false);
}
BENCHMARK(BM_DataRateChange)->Unit(benchmark::kMicrosecond);

// The same with the panel on screen, until the changed read-outs have been repainted.
void BM_DataRateChangeRepainted(benchmark::State& state) {
    run(state, true);
}
BENCHMARK(BM_DataRateChangeRepainted)->Unit(benchmark::kMicrosecond);

// The panel on screen with nothing changed: what one turn of the event loop costs by itself.
void BM_IdleEventLoop(benchmark::State& state) {
    Panel p;
    if (!corvane::bench::showAndSettle(p.main)) {
        state.SkipWithError("the front panel was never painted");
        return;
    }
    for (auto _ : state)
        corvane::bench::settle();
}
BENCHMARK(BM_IdleEventLoop)->Unit(benchmark::kMicrosecond);

void warmUp() {
    Panel p;
    corvane::bench::showAndSettle(p.main);
}

} // namespace

int main(int argc, char** argv) {
    return corvane::bench::runBenchmarks(argc, argv, {}, warmUp);
}
