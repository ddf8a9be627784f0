// Exploring a 10,000,000-point line in a shown 1600 x 1000 window through real mouse and wheel
// events, each followed by the paint it causes: moving a zoom frame, panning, a wheel notch.

#include "benchmain.h"
#include "benchshown.h"

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
    Shown.Mouse(QEvent::MouseButtonRelease, From + QPoint(200, 150), Qt::NoButton, Qt::NoModifier);
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
