// Markers: a level, an instant and a labelled arrow on a damped response, and a cross-hair
// snapped to a data point of one of two curves; every caption quotes its marker's position.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <annotations/qvarrowmarker.h>
#include <annotations/qvmarkers.h>
#include <data/qvvectors.h>
#include <series/qvseries.h>

#include <QWidget>

#include <cmath>
#include <vector>

namespace {

using P = TQvAxisPosition;
using S = TQvAxisScaling;

TQvPointSeries* NewCurve(TComponent* Owner, TQvGraph2D* Graph, const QString& Caption,
                         double (*F)(double), int Count, double Stop) {
    std::vector<double> Xs, Ys;
    for (int i = 0; i <= Count; ++i) {
        Xs.push_back(Stop * i / Count);
        Ys.push_back(F(Xs.back()));
    }
    auto* X = new TQvDoubleVector(Owner);
    X->SetValues(Xs);
    auto* Y = new TQvDoubleVector(Owner);
    Y->SetValues(Ys);
    auto* Series = new TQvPointSeries(Owner);
    Series->SetXData(X);
    Series->SetYData(Y);
    Series->SetXAxis(Graph->GetPrimaryXAxis());
    Series->SetYAxis(Graph->GetPrimaryYAxis());
    Series->SetCaption(Caption);
    Series->GetPointSymbol()->SetSize(6);
    return Series;
}

// A caption box with a frame, rounded corners and a shadow, its text not bold as the graph's
// title (the font markers start with) but where it says so.
void Boxed(TQvMovable* Marker) {
    Marker->GetCaptionFont()->SetStyle({});
    Marker->SetCaptionBackColor(0xFFFFFBE6);
    Marker->GetCaptionBackFrame()->SetVisible(true);
    Marker->GetCaptionBackFrame()->SetColor(0xFF8C8C8C);
    Marker->SetCaptionBackRounding(8);
    Marker->SetCaptionBackShadow(true);
}

template <class T> T* NewMarker(TComponent* Owner, TQvGraph2D* Graph, const QString& Name) {
    auto* Marker = new T(Owner);
    Marker->SetName(Name);
    Marker->SetParent(Graph);
    return Marker;
}

TQvGraph2D* ResponseGraph(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Response", "A level, an instant and a peak", 5, 5, 490, 430);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 10, "t / s");
    NewAxis(Owner, Graph, P::Left, S::Normal, -0.2, 1.8, "Amplitude");
    TQvPointSeries* Response = NewCurve(
        Owner, Graph, "Response",
        [](double t) { return 1 - std::exp(-0.45 * t) * std::cos(2.2 * t); }, 60, 10);
    Response->GetLine()->SetVisible(true);

    auto* Level = NewMarker<TQvHorizontalMarker>(Owner, Graph, "Level");
    Level->SetYAxis(Graph->GetPrimaryYAxis());
    Level->SetY(0.25);
    Level->SetForeColor(ThemeColor(2));
    Level->SetCaption("Level <%Gallery.Level.Y;0.00%>");
    Level->SetCaptionPosition(TQvContentAlignment::BottomLeft);
    Level->SetCaptionVisible(true);

    auto* Instant = NewMarker<TQvVerticalMarker>(Owner, Graph, "Instant");
    Instant->SetXAxis(Graph->GetPrimaryXAxis());
    Instant->SetX(7.5);
    Instant->SetForeColor(ThemeColor(3));
    Instant->GetLine()->SetDashStyle(TGPDashStyle::Dash);
    Instant->SetCaption("t = <%Gallery.Instant.X;0.0%> s");
    Instant->SetCaptionVertical(true);
    Instant->SetCaptionPosition(TQvContentAlignment::BottomLeft);
    Instant->SetCaptionVisible(true);

    // The highest point of the response, found by its index.
    const TQvCustomDoubleVector* Ys = Response->GetYData();
    int Top = 0;
    for (int i = 1; i < Ys->GetCount(); ++i)
        if (Ys->GetValue(i) > Ys->GetValue(Top)) Top = i;
    auto* Peak = NewMarker<TQvLabelWithArrowMarker>(Owner, Graph, "Peak");
    Peak->SetXAxis(Graph->GetPrimaryXAxis());
    Peak->SetYAxis(Graph->GetPrimaryYAxis());
    Peak->SetX(Response->GetXData()->GetValue(Top));
    Peak->SetY(Ys->GetValue(Top));
    Peak->SetForeColor(0xFF202020);
    Peak->GetArrow()->SetWidth(1.5f);
    Peak->GetArrow()->SetPointLength(7);
    Peak->GetArrow()->SetPointHeight(3);
    Peak->SetArrowDeltaX(60);
    Peak->SetArrowDeltaY(25);
    Peak->SetBentLength(20);
    Peak->SetCaption("\\bMaximum\\b\r<%Gallery.Peak.Y;0.000%> at <%Gallery.Peak.X;0.00%> s");
    Boxed(Peak);
    return Graph;
}

TQvGraph2D* CursorGraph(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Cursor", "A cross-hair snapped to a point", 505, 5, 490, 430);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 6.3, "Angle / rad");
    NewAxis(Owner, Graph, P::Left, S::Normal, -1.2, 1.2, "Value");
    NewCurve(
        Owner, Graph, "Sine", [](double x) { return std::sin(x); }, 40, 6.3);
    NewCurve(
        Owner, Graph, "Cosine", [](double x) { return std::cos(x); }, 40, 6.3);

    auto* Cross = NewMarker<TQvCrossHair>(Owner, Graph, "Cross");
    Cross->SetXAxis(Graph->GetPrimaryXAxis());
    Cross->SetYAxis(Graph->GetPrimaryYAxis());
    Cross->SetForeColor(0xFF404040);
    Cross->GetLine()->SetDashStyle(TGPDashStyle::Dot);
    Cross->SetCaptionPosition(TQvXHairCaptionPosition::LeftTop);
    Cross->SetCaption("\\b<%Gallery.Cross.SnappedSeries%>\\b point <%Gallery.Cross.SnappedIdx;0%>\r"
                      "(<%Gallery.Cross.X;0.00%>; <%Gallery.Cross.Y;0.000%>)");
    Boxed(Cross);
    // Snapped as a drag would, to the point nearest to a pixel near (4.65, 0.05).
    Graph->Widget()->grab();
    Cross->SetSnapToSeriesValues(true);
    Cross->SearchSeriesSnap(QPoint(int(Graph->GetPrimaryXAxis()->NumberToWorld(4.65)),
                                   int(Graph->GetPrimaryYAxis()->NumberToWorld(0.05))));
    return Graph;
}

TWinControl* BuildMarkersPage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("MarkersPanel"));
    Panel->SetBounds(0, 0, 1000, 440);
    ResponseGraph(Owner, Panel);
    CursorGraph(Owner, Panel);
    return Panel;
}

} // namespace

void AddMarkersPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back(
        {QStringLiteral("markers"), QStringLiteral("Markers"),
         QStringLiteral("Markers point at positions in data coordinates and follow zoom and "
                        "pan: a horizontal level, a vertical instant with its caption turned "
                        "upwards, a caption with an arrow at the highest point, and a "
                        "cross-hair snapped to the nearest data point of two curves. Every "
                        "caption quotes its marker's position, so it follows a drag."),
         BuildMarkersPage});
}
