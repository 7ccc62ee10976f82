// One front-panel change through its whole cascade, for every program: a new data rate (or,
// in tessarine-eval, a new deviation) runs the box's handler and everything it plans, refreshes
// every register read-out and marks the changed ones.
#include "bench/benchsupport.h"
#include "bench/programs.h"

#include "board/simulatedport.h"

#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using evalbench::Program;

struct Panel {
    explicit Panel(const Program& p) : program(p) {
        port.setChip(program.chip);
        session = program.open(port);
        window = &session->start();
        box = window->findChild<QLineEdit*>(program.changeBox);
    }
    ~Panel() { evalbench::close(session); }

    const Program& program;
    board::SimulatedPort port;
    std::unique_ptr<evalbench::Session> session;
    QMainWindow* window = nullptr;
    QLineEdit* box = nullptr;

    QString readouts() { return evalbench::readoutTexts(*session, program); }
    bool quiet() const { return session->services.messages.messages.empty(); }
};

// The two entries lead to different register words, so every change really goes through the
// plans and the read-outs; checked before anything is timed.
bool cascadeReachesReadouts(Panel& p, std::string& error) {
    if (!p.box) {
        error = "the front panel has no box " + p.program.changeBox.toStdString();
        return false;
    }
    const auto& entries = p.program.changeEntries;
    p.box->setText(entries[0]);
    const QString first = p.readouts();
    p.box->setText(entries[1]);
    const QString second = p.readouts();
    p.box->setText(entries[0]);
    if (first == second)
        error = "the two entries give the same register read-outs";
    else if (p.readouts() != first)
        error = "going back to the first entry does not restore its read-outs";
    else if (!p.quiet())
        error = "a change of the box showed a message";
    return error.empty();
}

void change(benchmark::State& state, const Program& program, bool repaint) {
    Panel p(program);
    if (repaint && !evalbench::showAndSettle(*p.window)) {
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
        p.box->setText(program.changeEntries[next]);
        if (repaint)
            evalbench::settle();
        next ^= 1;
    }
    if (!p.quiet())
        state.SkipWithError("a change of the box showed a message");
}

// The panel on screen with nothing changed: what one turn of the event loop costs by itself.
void idle(benchmark::State& state, const Program& program) {
    Panel p(program);
    if (!evalbench::showAndSettle(*p.window)) {
        state.SkipWithError("the front panel was never painted");
        return;
    }
    for (auto _ : state)
        evalbench::settle();
}

void warmUp() {
    for (const Program& program : evalbench::programs()) {
        Panel p(program);
        evalbench::showAndSettle(*p.window);
    }
}

} // namespace

int main(int argc, char** argv) {
    for (const Program& program : evalbench::programs()) {
        const std::string name = program.name.toStdString();
        // The handlers and the refreshed read-out texts and marks.
        benchmark::RegisterBenchmark(("BM_PanelChange/" + name).c_str(), change, program, false)
            ->Unit(benchmark::kMicrosecond);
        // The same with the panel on screen, until the changed read-outs have been repainted.
        benchmark::RegisterBenchmark(("BM_PanelChangeRepainted/" + name).c_str(), change, program,
                                     true)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_IdleEventLoop/" + name).c_str(), idle, program)
            ->Unit(benchmark::kMicrosecond);
    }
    return evalbench::runBenchmarks(argc, argv, {}, warmUp);
}
