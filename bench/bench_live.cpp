// A live chart in a window: every tick of 20 ms appends 1,000 values to a long line series and
// lets the event loop paint. Reports the paints per tick of the graph's window and of the form
// below it, beside the CPU time per tick (which must stay well under the 20 ms of a tick).

#include "benchchart.h"
#include "benchmain.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cmath>

namespace {

constexpr int Width = 1600, Height = 1000;

// Counts the paint events of a widget.
struct TPaintCounter : QObject {
    explicit TPaintCounter(QWidget* Widget) { Widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* Event) override {
        Paints += Event->type() == QEvent::Paint;
        return false;
    }
    long long Paints = 0;
};

// Lets the event loop deliver every paint that was asked for.
void Settle() {
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

} // namespace

// Arguments: the points already shown, and whether a tick's appends are bracketed by
// BeginUpdate and EndUpdate.
static void BM_LiveTick(benchmark::State& State) {
    long long n = State.range(0);
    const bool Bracketed = State.range(1) != 0;
    TBenchChart Chart(Width, Height, false);
    TQvValueArray X(static_cast<size_t>(n)), Y(static_cast<size_t>(n));
    for (long long i = 0; i < n; ++i) {
        X[size_t(i)] = double(i);
        Y[size_t(i)] = std::sin(double(i) * 1e-4);
    }
    Chart.Load(std::move(X), std::move(Y));
    TForm Form(nullptr);
    Form.SetBounds(0, 0, Width, Height);
    TQvGraph2D* Graph = Chart.Graph();
    Graph->SetParent(&Form);
    Graph->SetAlign(TAlign::Client);
    Form.Show();
    Settle();
    TPaintCounter GraphPaints(Graph->Widget()), FormPaints(Form.Widget());
    for (auto _ : State) {
        if (Bracketed) Graph->BeginUpdate();
        for (int k = 0; k < 1000; ++k, ++n)
            Chart.Append(double(n), std::sin(double(n) * 1e-4));
        if (Bracketed) Graph->EndUpdate();
        Settle();
    }
    const double Ticks = double(State.iterations());
    State.counters["graph_paints_per_tick"] = double(GraphPaints.Paints) / Ticks;
    State.counters["form_paints_per_tick"] = double(FormPaints.Paints) / Ticks;
}
BENCHMARK(BM_LiveTick)->Args({10'000'000, 0})->Args({10'000'000, 1})->Unit(benchmark::kMillisecond);
