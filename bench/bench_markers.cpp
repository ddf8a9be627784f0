// Markers over a 10,000,000-point line in a shown 1600 x 1000 window: the snap search alone,
// and a mouse move that drags a snapping cross-hair with the paint it causes.

#include "benchmain.h"
#include "benchshown.h"

#include <annotations/qvmarkers.h>

namespace {

TQvCrossHair* NewCrossHair(TShownChart& Shown) {
    TQvGraph2D* Graph = Shown.Chart.Graph();
    auto* Cross = new TQvCrossHair(Graph);
    Cross->SetXAxis(Graph->GetPrimaryXAxis());
    Cross->SetYAxis(Graph->GetPrimaryYAxis());
    Cross->SetX(Points / 2.0);
    Cross->SetSnapToSeriesValues(true);
    Cross->SetCaption(QStringLiteral("Third <%1/3;0.000%>"));
    Cross->SetParent(Graph);
    TShownChart::Settle();
    return Cross;
}

// Pixels along the middle row of the data area, to and fro.
QPoint Along(const TShownChart& Shown, int Step) {
    return Shown.Middle() + QPoint(Step % 600 - 300, (Step % 7) * 10 - 30);
}

} // namespace

// Nearest point of the line to a pixel, by distance and by X alone, each with the caption
// laid out anew for the new values.
static void BM_MarkerSnapSearch(benchmark::State& State) {
    TShownChart Shown;
    TQvCrossHair* Cross = NewCrossHair(Shown);
    TQvVerticalMarker* Line = Cross->GetVerticalMarker();
    Line->SetSnapToSeriesValues(true);
    int Step = 0, Found = 0;
    for (auto _ : State) {
        const QPoint P = Along(Shown, Step++);
        Found += Cross->SearchSeriesSnap(P);
        Found += Line->SearchSeriesSnap(P);
    }
    // 2 when both searches find a point every time.
    State.counters["found_per_iteration"] =
        benchmark::Counter(double(Found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MarkerSnapSearch)->Unit(benchmark::kMicrosecond);

// A move of the cross-hair: the snap, its caption quoting X, and the paint of the cross-hair
// over the chart as painted without it.
static void BM_MarkerDragMove(benchmark::State& State) {
    TShownChart Shown;
    TQvCrossHair* Cross = NewCrossHair(Shown);
    const QPoint From = Cross->HotSpot();
    Shown.Mouse(QEvent::MouseButtonPress, From, Qt::LeftButton, Qt::NoModifier);
    int Step = 0;
    for (auto _ : State)
        Shown.Mouse(QEvent::MouseMove, Along(Shown, Step++), Qt::LeftButton, Qt::NoModifier);
    Shown.Report(State);
    Shown.Mouse(QEvent::MouseButtonRelease, From, Qt::NoButton, Qt::NoModifier);
}
BENCHMARK(BM_MarkerDragMove)->Unit(benchmark::kMillisecond);
