// Legends: one graph with a legend at each of the ten docked positions and one floating over
// the data, items with line, area and symbol samples, and a fit merged into its data's item.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <analysis/qvlinearregression.h>
#include <annotations/qvlegend.h>
#include <data/qvvectors.h>
#include <graph/qvtheme.h>

#include <cmath>
#include <vector>

namespace {

using P = TQvAxisPosition;
using S = TQvAxisScaling;
using L = TQvLegendPosition;

TQvPointSeries* Series(TComponent* Owner, TQvGraph2D* Graph, TQvDoubleVector* X, TQvDoubleVector* Y,
                       const QString& Caption) {
    auto* Result = new TQvPointSeries(Owner);
    Result->SetCaption(Caption);
    Result->SetXData(X);
    Result->SetYData(Y);
    Result->SetXAxis(Graph->GetPrimaryXAxis());
    Result->SetYAxis(Graph->GetPrimaryYAxis());
    return Result;
}

TQvLegend* AddLegend(TComponent* Owner, TQvGraph2D* Graph, L Position, const char* Heading) {
    auto* Legend = new TQvLegend(Owner);
    Legend->SetParent(Graph);
    Legend->SetGraph(Graph);
    Legend->SetItemWidth(26);
    Legend->SetDistanceToBorder(5);
    Legend->SetCaption(QString::fromLatin1(Heading));
    Legend->SetCaptionVisible(true);
    Legend->GetFrame()->SetVisible(true);
    Legend->SetPosition(Position);
    return Legend;
}

TWinControl* BuildLegendsPage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("LegendsPanel"));
    Panel->SetBounds(0, 0, 1000, 760);
    TQvGraph2D* Graph = NewGraph(Owner, Panel, "Legends",
                                 "A legend at each docked position, one floating", 5, 5, 990, 750);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 10, "Time / s");
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Level / m");
    std::vector<double> Xs, Wave, Base, Drift;
    for (int i = 0; i <= 40; ++i) {
        const double x = i * 0.25;
        Xs.push_back(x);
        Wave.push_back(5 + 2 * std::sin(x));
        Base.push_back(1.5 + 0.3 * std::cos(2 * x));
        Drift.push_back(2.5 + 0.45 * x + 0.4 * std::sin(5 * x));
    }
    TQvDoubleVector* X = Vector(Owner, Xs);
    TQvPointSeries* Line = Series(Owner, Graph, X, Vector(Owner, Wave), "Tide");
    Line->GetPointSymbol()->SetVisible(false);
    Line->GetLine()->SetWidth(2);
    TQvPointSeries* Area = Series(Owner, Graph, X, Vector(Owner, Base), "Silt");
    Area->GetPointSymbol()->SetVisible(false);
    Area->GetArea()->SetVisible(true);
    TQvPointSeries* Points = Series(Owner, Graph, X, Vector(Owner, Drift), "Gauge");
    Points->GetLine()->SetVisible(false);
    auto* Fit = new TQvLinearRegression(Owner);
    Fit->SetXData(X);
    Fit->SetYData(Points->GetYData());
    Fit->SetXAxis(Graph->GetPrimaryXAxis());
    Fit->SetYAxis(Graph->GetPrimaryYAxis());
    // The fit shares the gauge's item: its line runs through the gauge's symbol.
    Fit->SetMergeLegendItemWith(Points);

    for (const auto& [Position, Heading] :
         std::vector<std::pair<L, const char*>>{{L::TopCenterOfGraph, "Top, graph"},
                                                {L::TopCenterOfAxis, "Top, axis"},
                                                {L::BottomCenterOfGraph, "Bottom, graph"},
                                                {L::BottomCenterOfAxis, "Bottom, axis"},
                                                {L::LeftCenterOfGraph, "Left, graph"},
                                                {L::LeftCenterOfAxis, "Left, axis"},
                                                {L::LeftTopOfAxis, "Left, top"},
                                                {L::RightCenterOfGraph, "Right, graph"},
                                                {L::RightCenterOfAxis, "Right, axis"},
                                                {L::RightTopOfAxis, "Right, top"}})
        AddLegend(Owner, Graph, Position, Heading);
    TQvLegend* Floating = AddLegend(Owner, Graph, L::FreeFloating, "Floating");
    Floating->SetLeft(560);
    Floating->SetTop(150);
    TQvTheme::Default().Apply(Graph);
    return Panel;
}

} // namespace

void AddLegendsPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back(
        {QStringLiteral("legends"), QStringLiteral("Legends"),
         QStringLiteral("Legends docked at all ten positions around the graph and its axes (rows "
                        "along the top and bottom, columns along the sides, several side by side) "
                        "and one floating over the data, which the user drags with the mouse. "
                        "Each item shows the series' own sample (line, area, symbol); the fit "
                        "is merged into the item of the data it was fitted to."),
         BuildLegendsPage});
}
