// Exploring a 10,000,000-point line in a shown 1600 x 1000 window through real mouse and wheel
// events, each followed by the paint it causes: moving a zoom frame, panning, a wheel notch.

#include "benchchart.h"
#include "benchmain.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>
#include <memory>

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
        QWheelEvent Event(At, Window->mapToGlobal(At), {}, {0, Delta}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
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

// The frame moves over the chart as last painted: no series or axis is drawn.
static void BM_ZoomFrameMove(benchmark::State& State) {
    TShownChart Shown;
    const QPoint From = Shown.Middle() - QPoint(300, 200);
    Shown.Mouse(QEvent::MouseButtonPress, From, Qt::LeftButton, Qt::NoModifier);
    int Step = 0;
    for (auto _ : State) {
        const QPoint To = From + QPoint(200 + Step % 300, 150 + Step % 200);
        Shown.Mouse(QEvent::MouseMove, To, Qt::LeftButton, Qt::NoModifier);
        ++Step;
    }
    Shown.Report(State);
    Shown.Mouse(QEvent::MouseButtonRelease, From + QPoint(200, 150), Qt::NoButton,
                Qt::NoModifier);
}
BENCHMARK(BM_ZoomFrameMove)->Unit(benchmark::kMillisecond);

// Each move gives every axis a new range, the series new screen points, and a full paint.
static void BM_PanMove(benchmark::State& State) {
    TShownChart Shown;
    Shown.Chart.Graph()->ZoomTo(TGPPointF{400, 200}, TGPPointF{1200, 800});
    TShownChart::Settle();
    const QPoint From = Shown.Middle();
    Shown.Mouse(QEvent::MouseButtonPress, From, Qt::LeftButton, Qt::ShiftModifier);
    int Step = 0;
    for (auto _ : State) {
        const int d = 5 + Step % 40;
        Shown.Mouse(QEvent::MouseMove, From + QPoint(d, d), Qt::LeftButton, Qt::ShiftModifier);
        ++Step;
    }
    Shown.Report(State);
    Shown.Mouse(QEvent::MouseButtonRelease, From, Qt::NoButton, Qt::ShiftModifier);
}
BENCHMARK(BM_PanMove)->Unit(benchmark::kMillisecond);

// Notches in and out in turn around the middle of a zoomed view, each with its paint.
static void BM_WheelNotch(benchmark::State& State) {
    TShownChart Shown;
    Shown.Chart.Graph()->ZoomTo(TGPPointF{400, 200}, TGPPointF{1200, 800});
    TShownChart::Settle();
    int Step = 0;
    for (auto _ : State)
        Shown.Wheel(Shown.Middle(), Step++ % 2 == 0 ? 120 : -120);
    Shown.Report(State);
}
BENCHMARK(BM_WheelNotch)->Unit(benchmark::kMillisecond);
