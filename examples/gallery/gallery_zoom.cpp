// Zoom: a dense signal with a zoom frame being dragged over it, and the same chart after the
// zoom with its scroll bars, as the widget shows them.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <data/qvvectors.h>
#include <series/qvseries.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>
#include <random>
#include <vector>

namespace {

using P = TQvAxisPosition;
using S = TQvAxisScaling;

// A beat of two tones with noise, 200,000 samples over 20 seconds.
TQvGraph2D* SignalGraph(TComponent* Owner, TWinControl* Panel, const QString& Name,
                        const QString& Title, int Left) {
    TQvGraph2D* Graph = NewGraph(Owner, Panel, Name, Title, Left, 5, 470, 410);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 0, "Time / s");
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Amplitude / V");
    std::mt19937 Random(3);
    std::normal_distribution<double> Noise(0, 0.05);
    const int n = 200000;
    std::vector<double> Xs(n), Ys(n);
    for (int i = 0; i < n; ++i) {
        const double t = i * 1e-4;
        Xs[size_t(i)] = t;
        Ys[size_t(i)] = std::sin(2 * M_PI * 3 * t) * std::cos(2 * M_PI * 0.1 * t) + Noise(Random);
    }
    auto* X = new TQvDoubleVector(Owner);
    X->SetValues(Xs);
    auto* Y = new TQvDoubleVector(Owner);
    Y->SetValues(Ys);
    auto* Line = new TQvPointSeries(Owner);
    Line->SetXData(X);
    Line->SetYData(Y);
    Line->SetXAxis(Graph->GetPrimaryXAxis());
    Line->SetYAxis(Graph->GetPrimaryYAxis());
    Line->GetPointSymbol()->SetVisible(false);
    Line->GetLine()->SetVisible(true);
    return Graph;
}

void SendMouse(QWidget* Window, QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons) {
    QMouseEvent Event(Type, At, Window->mapToGlobal(At), Qt::LeftButton, Buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(Window, &Event);
}

// The frame from (x1, y1) to (x2, y2) in values, dragged with the mouse; Release ends the drag.
void DragFrame(TQvGraph2D* Graph, double x1, double y1, double x2, double y2, bool Release) {
    QWidget* Window = Graph->Widget();
    Window->grab(); // the first paint finds the ranges
    const auto Pixel = [Graph](double x, double y) {
        return QPoint(int(Graph->GetPrimaryXAxis()->NumberToWorld(x)),
                      int(Graph->GetPrimaryYAxis()->NumberToWorld(y)));
    };
    SendMouse(Window, QEvent::MouseButtonPress, Pixel(x1, y1), Qt::LeftButton);
    SendMouse(Window, QEvent::MouseMove, Pixel(x2, y2), Qt::LeftButton);
    if (Release) SendMouse(Window, QEvent::MouseButtonRelease, Pixel(x2, y2), Qt::NoButton);
}

TWinControl* BuildZoomPage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("ZoomPanel"));
    Panel->SetBounds(0, 0, 1000, 420);
    TQvGraph2D* Before = SignalGraph(Owner, Panel, QStringLiteral("Before"),
                                     QStringLiteral("A frame dragged over 200,000 samples"), 5);
    TQvGraph2D* After = SignalGraph(Owner, Panel, QStringLiteral("After"),
                                    QStringLiteral("Zoomed, with scroll bars"), 525);
    DragFrame(Before, 7, 0.9, 10.5, -0.6, false);
    DragFrame(After, 7, 0.9, 10.5, -0.6, true);
    return Panel;
}

} // namespace

void AddZoomPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back(
        {QStringLiteral("zoom"), QStringLiteral("Zoom"),
         QStringLiteral("A zoom frame dragged with the mouse over a dense signal (it moves over "
                        "the chart as last painted, so nothing else is drawn while it moves), "
                        "and the same chart after the zoom: the axes show the frame's range and "
                        "scroll bars along the data area show where it lies in the whole."),
         BuildZoomPage});
}
