// Start-up of corvane-eval to its first idle event loop, beside a bare main window with one
// label: the program's own start-up should cost little more than Qt's.
#include "bench/benchsupport.h"

#include "board/simulatedboard.h"
#include "board/simulatedport.h"
#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "platform/services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

namespace {

using corvane::bench::flushDeferredDeletes;
using corvane::bench::showAndSettle;

// Context, start-up, shown and painted, then torn down: what a user waits for when starting the
// program, and what a test pays per fresh context.
bool startUpOnce(std::string& error) {
    platform::RecordingServices services;
    board::SimulatedBoard usb;
    board::SimulatedPort port;
    auto app = std::make_unique<corvane::CorvaneApp>(services.view(), usb, port);
    corvane::Main& panel = app->start();
    const bool painted = showAndSettle(panel);
    const bool quiet = services.messages.messages.empty() && !services.system.ended();
    app.reset();
    flushDeferredDeletes();
    if (!painted)
        error = "the front panel was never painted";
    else if (!quiet)
        error = "start-up showed a message or ended the program";
    return painted && quiet;
}

bool baselineOnce() {
    auto window = std::make_unique<QMainWindow>();
    window->setCentralWidget(new QLabel(QStringLiteral("Corvane Evaluation Software")));
    const bool painted = showAndSettle(*window);
    window.reset();
    flushDeferredDeletes();
    return painted;
}

void BM_StartUp(benchmark::State& state) {
    std::string error;
    for (auto _ : state) {
        if (!startUpOnce(error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

// The same start-up split into its phases, so a slow start-up says where its time goes.
void BM_StartUpPhases(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    double panel = 0, load = 0, shown = 0, teardown = 0;
    for (auto _ : state) {
        platform::RecordingServices services;
        board::SimulatedBoard usb;
        board::SimulatedPort port;
        const auto t0 = Clock::now();
        auto app = std::make_unique<corvane::CorvaneApp>(services.view(), usb, port);
        corvane::Main& m = app->main(); // the panel's widgets, before its load handler
        const auto t1 = Clock::now();
        app->start();
        const auto t2 = Clock::now();
        const bool painted = showAndSettle(m);
        const auto t3 = Clock::now();
        app.reset();
        flushDeferredDeletes();
        const auto t4 = Clock::now();
        if (!painted) {
            state.SkipWithError("the front panel was never painted");
            break;
        }
        panel += ms(t1 - t0);
        load += ms(t2 - t1);
        shown += ms(t3 - t2);
        teardown += ms(t4 - t3);
    }
    using benchmark::Counter;
    state.counters["build_ms"] = Counter(panel, Counter::kAvgIterations);
    state.counters["load_ms"] = Counter(load, Counter::kAvgIterations);
    state.counters["show_ms"] = Counter(shown, Counter::kAvgIterations);
    state.counters["teardown_ms"] = Counter(teardown, Counter::kAvgIterations);
}
BENCHMARK(BM_StartUpPhases)->Unit(benchmark::kMillisecond);

void BM_BaselineMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        if (!baselineOnce()) {
            state.SkipWithError("the bare window was never painted");
            break;
        }
    }
}
BENCHMARK(BM_BaselineMainWindow)->Unit(benchmark::kMillisecond);

// The panel's widgets as plain Qt widgets of the same kinds and texts in one grid, with no
// handlers, fonts or palettes of the program: what Qt alone charges for a window of that size.
struct WidgetCensus {
    struct Item {
        QString kind;
        QString text;
        int items = 0;
    };
    std::vector<Item> items;

    static WidgetCensus of(QWidget& root) {
        WidgetCensus census;
        for (QWidget* w : root.findChildren<QWidget*>()) {
            if (w->isWindow() || !w->isVisibleTo(&root))
                continue;
            Item item;
            if (auto* l = qobject_cast<QLabel*>(w))
                item = {QStringLiteral("QLabel"), l->text()};
            else if (auto* b = qobject_cast<QAbstractButton*>(w))
                item = {QString::fromLatin1(w->metaObject()->className()), b->text()};
            else if (auto* c = qobject_cast<QComboBox*>(w))
                item = {QStringLiteral("QComboBox"), c->currentText(), c->count()};
            else if (auto* e = qobject_cast<QLineEdit*>(w))
                item = {QStringLiteral("QLineEdit"), e->text()};
            else if (auto* g = qobject_cast<QGroupBox*>(w))
                item = {QStringLiteral("QGroupBox"), g->title()};
            else if (qobject_cast<QScrollBar*>(w))
                item = {QStringLiteral("QScrollBar"), {}};
            else
                continue; // containers, menus and the program's own controls
            census.items.push_back(item);
        }
        return census;
    }

    std::unique_ptr<QMainWindow> build() const {
        auto window = std::make_unique<QMainWindow>();
        auto* central = new QWidget;
        auto* grid = new QGridLayout(central);
        int at = 0;
        for (const Item& item : items) {
            QWidget* w = nullptr;
            if (item.kind == QLatin1String("QLabel"))
                w = new QLabel(item.text);
            else if (item.kind == QLatin1String("QRadioButton"))
                w = new QRadioButton(item.text);
            else if (item.kind == QLatin1String("QCheckBox"))
                w = new QCheckBox(item.text);
            else if (item.kind == QLatin1String("QComboBox")) {
                auto* c = new QComboBox;
                for (int i = 0; i < item.items; ++i)
                    c->addItem(i == 0 ? item.text : QString::number(i));
                w = c;
            } else if (item.kind == QLatin1String("QLineEdit"))
                w = new QLineEdit(item.text);
            else if (item.kind == QLatin1String("QGroupBox"))
                w = new QGroupBox(item.text);
            else if (item.kind == QLatin1String("QScrollBar"))
                w = new QScrollBar(Qt::Horizontal);
            else
                w = new QPushButton(item.text);
            grid->addWidget(w, at / 8, at % 8);
            ++at;
        }
        window->setCentralWidget(central);
        window->menuBar()->addMenu(QStringLiteral("&File"));
        return window;
    }
};

void BM_BaselineSameWidgets(benchmark::State& state) {
    WidgetCensus census;
    {
        platform::RecordingServices services;
        board::SimulatedBoard usb;
        board::SimulatedPort port;
        auto app = std::make_unique<corvane::CorvaneApp>(services.view(), usb, port);
        corvane::Main& panel = app->start();
        showAndSettle(panel);
        census = WidgetCensus::of(panel);
        state.counters["panel_widgets"] = double(panel.findChildren<QWidget*>().size());
        state.counters["panel_kpx"] = panel.width() * panel.height() / 1000.0;
        app.reset();
        flushDeferredDeletes();
    }
    state.counters["plain_widgets"] = double(census.items.size());
    for (auto _ : state) {
        std::unique_ptr<QMainWindow> window = census.build();
        if (!showAndSettle(*window)) {
            state.SkipWithError("the plain window was never painted");
            break;
        }
        state.counters["plain_kpx"] = window->width() * window->height() / 1000.0;
        window.reset();
        flushDeferredDeletes();
    }
}
BENCHMARK(BM_BaselineSameWidgets)->Unit(benchmark::kMillisecond);

void warmUp() {
    std::string ignored;
    baselineOnce();
    startUpOnce(ignored);
}

} // namespace

int main(int argc, char** argv) {
    return corvane::bench::runBenchmarks(
        argc, argv,
        {{QStringLiteral("BM_StartUp"), QStringLiteral("BM_BaselineMainWindow"), 1.5, 0,
          QStringLiteral("start-up / bare main window")},
         {QStringLiteral("BM_StartUp"), QStringLiteral("BM_BaselineSameWidgets"), 1.5, 0,
          QStringLiteral("start-up / plain window, same widgets")}},
        warmUp);
}
