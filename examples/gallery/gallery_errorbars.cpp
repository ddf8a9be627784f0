// Error bars, arrows and bubbles: calibration points with symmetric errors in both directions
// beside counts with asymmetric errors, the wind field round a low as arrows, and cities as
// translucent bubbles sized by their population.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <data/qvvectors.h>
#include <series/qvarrows.h>
#include <series/qvbubbles.h>
#include <series/qverrorbars.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

using P = TQvAxisPosition;
using S = TQvAxisScaling;

TQvPointWithErrorSeries* ErrorPoints(TComponent* Owner, TQvAxis* X, TQvAxis* Y,
                                     const std::vector<double>& Xs, const std::vector<double>& Ys,
                                     int Color, TQvPointSymbol Symbol, const QString& Caption) {
    auto* Points = NewCurve<TQvPointWithErrorSeries>(Owner, X, Y, Vector(Owner, Xs),
                                                     Vector(Owner, Ys), Color, Caption);
    Points->GetLine()->SetVisible(false);
    TQvPointSymbolSettings* Marker = Points->GetPointSymbol();
    Marker->SetPointSymbol(Symbol);
    Marker->SetSize(9);
    Marker->SetBorderColor(ThemeColor(Color));
    Marker->SetFillColor(0xFFFFFFFF);
    Points->GetErrorIndicator()->SetColor(ThemeColor(Color, 200));
    return Points;
}

void AddErrors(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph = NewGraph(
        Owner, Panel, "Errors",
        "Symmetric errors in X and Y, and asymmetric errors of counted events", 5, 5, 990, 420);
    TQvAxis* X = NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 0, "Concentration / mmol/l");
    TQvAxis* Y = NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Signal / counts per second");
    std::mt19937 Random(11);
    std::normal_distribution<double> Noise(0, 1);
    // A calibration: both the concentration and the signal carry a standard error.
    std::vector<double> Xs, Ys, Dx, Dy;
    for (int i = 1; i <= 9; ++i) {
        const double c = i * 1.0;
        Xs.push_back(c + 0.05 * Noise(Random));
        Ys.push_back(6 * c + 4 + 1.5 * Noise(Random));
        Dx.push_back(0.12 + 0.03 * c);
        Dy.push_back(2 + 0.25 * c);
    }
    TQvPointWithErrorSeries* Calibration =
        ErrorPoints(Owner, X, Y, Xs, Ys, 0, TQvPointSymbol::Circle, "Calibration, ±1σ");
    TQvDoubleVector* DxData = Vector(Owner, Dx);
    TQvDoubleVector* DyData = Vector(Owner, Dy);
    Calibration->SetDeltaXPlus(DxData);
    Calibration->SetDeltaXMinus(DxData);
    Calibration->SetDeltaYPlus(DyData);
    Calibration->SetDeltaYMinus(DyData);
    // Few events counted: the interval reaches farther up than down.
    std::vector<double> Cx, Cy, Up, Down;
    const double Counts[] = {3, 7, 12, 18, 25, 34, 41};
    for (int i = 0; i < 7; ++i) {
        const double n = Counts[i];
        Cx.push_back(1.5 + 1.2 * i);
        Cy.push_back(n);
        Up.push_back(std::sqrt(n + 0.75) + 1);
        Down.push_back(std::max(0.0, std::sqrt(n - 0.25)));
    }
    TQvPointWithErrorSeries* Events =
        ErrorPoints(Owner, X, Y, Cx, Cy, 3, TQvPointSymbol::Square, "Counted events, 68 %");
    Events->SetDeltaYPlus(Vector(Owner, Up));
    Events->SetDeltaYMinus(Vector(Owner, Down));
    NewLegend(Owner, Graph, TQvLegendPosition::RightTopOfAxis, 22);
}

// The wind round a low: it turns anticlockwise and blows slightly inwards, strongest at a
// middle distance.
void AddWind(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Wind", "Wind round a low, as arrows", 5, 435, 490, 440);
    TQvAxis* X = NewAxis(Owner, Graph, P::Bottom, S::Normal, -5.5, 5.5, "East / 100 km");
    TQvAxis* Y = NewAxis(Owner, Graph, P::Left, S::Normal, -5.5, 5.5, "North / 100 km");
    std::vector<double> Xs, Ys, Dx, Dy;
    for (int i = -4; i <= 4; ++i)
        for (int j = -4; j <= 4; ++j) {
            const double x = i * 1.2, y = j * 1.2, r = std::hypot(x, y);
            if (r == 0) continue;
            const double Speed = 0.95 * r * std::exp(1 - r / 2.5) / 2.5;
            Xs.push_back(x);
            Ys.push_back(y);
            Dx.push_back(Speed * (-y - 0.35 * x) / r);
            Dy.push_back(Speed * (x - 0.35 * y) / r);
        }
    auto* Wind = NewCurve<TQvArrows>(Owner, X, Y, Vector(Owner, Xs), Vector(Owner, Ys), 4, "Wind");
    Wind->GetArrow()->SetWidth(1.5f);
    Wind->SetDeltaX(Vector(Owner, Dx));
    Wind->SetDeltaY(Vector(Owner, Dy));
}

void AddCities(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph = NewGraph(Owner, Panel, "Cities", "Cities: area of the bubble ~ population",
                                 505, 435, 490, 440);
    TQvAxis* X = NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 80, "Income / k€");
    TQvAxis* Y = NewAxis(Owner, Graph, P::Left, S::Normal, 60, 90, "Life expectancy / years");
    struct TRegion {
        std::vector<double> Income, Age, Population;
        const char* Caption;
    };
    const TRegion Regions[] = {
        {{42, 55, 36, 61}, {81.5, 82.8, 80.2, 83.6}, {3.6, 1.9, 8.9, 0.9}, "Europe"},
        {{12, 7, 19, 4}, {74.5, 70.2, 76.8, 67.3}, {21.6, 14.8, 9.4, 4.6}, "Asia"},
        {{66, 48, 71}, {79.1, 78.2, 81.0}, {8.3, 2.7, 0.8}, "America"},
    };
    int Color = 0;
    for (const TRegion& Region : Regions) {
        // The radius grows with the square root, so that the area shows the population.
        std::vector<double> Radius;
        for (double p : Region.Population)
            Radius.push_back(0.5 * std::sqrt(p));
        auto* Bubbles = NewCurve<TQvBubbles>(Owner, X, Y, Vector(Owner, Region.Income),
                                             Vector(Owner, Region.Age), Color, Region.Caption);
        Bubbles->GetLine()->SetWidth(1.5f);
        Bubbles->GetArea()->SetForeColor(ThemeColor(Color, 110));
        Bubbles->SetRadius(Vector(Owner, Radius));
        Color += 1;
    }
    NewLegend(Owner, Graph, TQvLegendPosition::BottomCenterOfAxis, 16);
}

TWinControl* BuildErrorBarsPage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("ErrorBarsPanel"));
    Panel->SetBounds(0, 0, 1000, 880);
    AddErrors(Owner, Panel);
    AddWind(Owner, Panel);
    AddCities(Owner, Panel);
    return Panel;
}

} // namespace

void AddErrorBarsPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back(
        {QStringLiteral("errorbars"), QStringLiteral("Error bars, arrows and bubbles"),
         QStringLiteral("Points with error bars: a calibration with symmetric errors in both "
                        "directions and counted events whose errors reach farther up than down; "
                        "the wind round a low drawn as arrows of a vector field; and cities as "
                        "translucent bubbles whose area follows the population, which stay "
                        "round whatever the scales of the two axes."),
         BuildErrorBarsPage});
}
