#pragma once

// A 10,000,000-point line in a shown 1600 x 1000 window, explored through real mouse and wheel
// events, each followed by the paint it causes; the paints are counted, so that a figure without
// its paint shows. Included by one file of each program.

#include "benchchart.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>

namespace {

constexpr int Width = 1600, Height = 1000;
constexpr long long Points = 10'000'000;

// Counts the paints of the window, so that a figure without its paint shows.
class TPaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* Event) override {
        Paints += Event->type() == QEvent::Paint;
        return false;
    }
    int Paints = 0;
};

struct TShownChart {
    TShownChart() : Chart(Width, Height, false) {
        TQvValueArray X(static_cast<size_t>(Points)), Y(static_cast<size_t>(Points));
        for (long long i = 0; i < Points; ++i) {
            X[size_t(i)] = double(i);
            Y[size_t(i)] = std::sin(double(i) * 1e-5) + 0.3 * std::sin(double(i) * 0.7);
        }
        Chart.Load(std::move(X), std::move(Y));
        Window = Chart.Graph()->Widget();
        Window->installEventFilter(&Counter);
        Window->show();
        Settle();
    }
    void Report(benchmark::State& State) const {
        State.counters["paints_per_event"] =
            benchmark::Counter(double(Counter.Paints), benchmark::Counter::kAvgIterations);
    }
    // Sends the event and lets the window paint what it caused.
    void Send(QEvent& Event) {
        QCoreApplication::sendEvent(Window, &Event);
        Settle();
    }
    void Mouse(QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons, Qt::KeyboardModifiers Keys) {
        QMouseEvent Event(Type, At, Window->mapToGlobal(At), Qt::LeftButton, Buttons, Keys);
        Send(Event);
    }
    void Wheel(QPoint At, int Delta) {
        QWheelEvent Event(At, Window->mapToGlobal(At), {}, {0, Delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        Send(Event);
    }
    static void Settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    QPoint Middle() const {
        const TGPRectF& A = Chart.Graph()->GetDrawingArea();
        return QPoint(int(A.X + A.Width / 2), int(A.Y + A.Height / 2));
    }
    TBenchChart Chart;
    QWidget* Window;
    TPaintCounter Counter;
};

} // namespace
