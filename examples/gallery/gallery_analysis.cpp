// Analysis: straight lines fitted to noisy data with their 95 % confidence bands, a power law
// fitted on log-log axes, a fit through the origin, and titles that quote the fits.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <analysis/qvlinearregression.h>
#include <data/qvvectors.h>
#include <framework/qvforms.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

using P = TQvAxisPosition;
using S = TQvAxisScaling;

// The measured points, as small symbols without a line.
void AddPoints(TComponent* Owner, TQvGraph2D* Graph, TQvDoubleVector* X, TQvDoubleVector* Y,
               const QString& Caption) {
    auto* Points = new TQvPointSeries(Owner);
    Points->SetCaption(Caption);
    Points->SetXData(X);
    Points->SetYData(Y);
    Points->SetXAxis(Graph->GetPrimaryXAxis());
    Points->SetYAxis(Graph->GetPrimaryYAxis());
    Points->GetLine()->SetVisible(false);
    Points->GetPointSymbol()->SetVisible(true);
    Points->GetPointSymbol()->SetPointSymbol(TQvPointSymbol::Circle);
    Points->GetPointSymbol()->SetSize(6);
    Points->GetPointSymbol()->SetBorderColor(ThemeColor(0));
    Points->GetPointSymbol()->SetFillColor(ThemeColor(0, 0x60));
}

TQvLinearRegression* AddFit(TComponent* Owner, TQvGraph2D* Graph, TQvDoubleVector* X,
                            TQvDoubleVector* Y, const QString& Name, bool Band) {
    auto* Fit = new TQvLinearRegression(Owner);
    Fit->SetName(Name);
    Fit->SetXData(X);
    Fit->SetYData(Y);
    Fit->SetXAxis(Graph->GetPrimaryXAxis());
    Fit->SetYAxis(Graph->GetPrimaryYAxis());
    Fit->GetLine()->SetColor(ThemeColor(1));
    Fit->GetLine()->SetWidth(2);
    // The line and its band take part in the Y range, so the band is seen whole.
    Fit->SetClipYValues(false);
    if (Band) {
        Fit->GetConfidenceIntervalLine()->SetColor(ThemeColor(1, 0xA0));
        Fit->GetConfidenceIntervalLine()->SetVisible(true);
        Fit->GetConfidenceIntervalArea()->SetForeColor(ThemeColor(1, 0x28));
        Fit->GetConfidenceIntervalArea()->SetVisible(true);
    }
    return Fit;
}

// "<%Ref.Variable;Format%>" for a variable of a series.
QString Quote(const TQvSeries* Series, const char* Variable, const char* Format) {
    return QStringLiteral("<%") + GetComponentRef(Series) + '.' + QLatin1String(Variable) + ';' +
           QLatin1String(Format) + QStringLiteral("%>");
}

void AddNoisyLine(TComponent* Owner, TWinControl* Panel, std::mt19937& Random) {
    TQvGraph2D* Graph = NewGraph(Owner, Panel, "Line", "", 5, 5, 990, 400);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 16, "Load / kN");
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Elongation / mm");
    std::normal_distribution<double> Noise(0, 0.6);
    std::vector<double> Xs, Ys;
    for (int i = 0; i < 60; ++i) {
        const double x = 0.5 + i * 0.25;
        Xs.push_back(x);
        Ys.push_back(1.2 + 0.8 * x + Noise(Random));
    }
    TQvDoubleVector* X = Vector(Owner, Xs);
    TQvDoubleVector* Y = Vector(Owner, Ys);
    AddPoints(Owner, Graph, X, Y, QStringLiteral("Measured"));
    TQvLinearRegression* Fit = AddFit(Owner, Graph, X, Y, QStringLiteral("LineFit"), true);
    Graph->SetCaption(QStringLiteral("Regression with 95 % confidence band:  slope ") +
                      Quote(Fit, "Slope", "0.000") + QStringLiteral(" ± ") +
                      Quote(Fit, "DeltaSlope", "0.000") + QStringLiteral(",  r = ") +
                      Quote(Fit, "Correlation", "0.000"));
}

void AddPowerLaw(TComponent* Owner, TWinControl* Panel, std::mt19937& Random) {
    TQvGraph2D* Graph = NewGraph(Owner, Panel, "PowerLaw", "", 5, 415, 490, 360);
    NewAxis(Owner, Graph, P::Bottom, S::Log, 0, 0, "Frequency / Hz");
    NewAxis(Owner, Graph, P::Left, S::Log, 0, 0, "Power / W");
    std::lognormal_distribution<double> Noise(0, 0.25);
    std::vector<double> Xs, Ys;
    for (int i = 0; i < 40; ++i) {
        const double x = std::pow(10.0, 0.5 + i * 0.06);
        Xs.push_back(x);
        Ys.push_back(0.02 * std::pow(x, 1.5) * Noise(Random));
    }
    TQvDoubleVector* X = Vector(Owner, Xs);
    TQvDoubleVector* Y = Vector(Owner, Ys);
    AddPoints(Owner, Graph, X, Y, QStringLiteral("Spectrum"));
    TQvLinearRegression* Fit = AddFit(Owner, Graph, X, Y, QStringLiteral("PowerFit"), true);
    Graph->SetCaption(QStringLiteral("Power law on log-log axes: exponent ") +
                      Quote(Fit, "Slope", "0.00") + QStringLiteral(" ± ") +
                      Quote(Fit, "DeltaSlope", "0.00"));
}

void AddThroughOrigin(TComponent* Owner, TWinControl* Panel, std::mt19937& Random) {
    TQvGraph2D* Graph = NewGraph(Owner, Panel, "Origin", "", 505, 415, 490, 360);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 12, "Current / mA");
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Voltage / V");
    std::normal_distribution<double> Noise(0, 0.15);
    std::vector<double> Xs, Ys;
    for (int i = 1; i <= 20; ++i) {
        const double x = i * 0.5;
        Xs.push_back(x);
        Ys.push_back(0.47 * x + Noise(Random));
    }
    TQvDoubleVector* X = Vector(Owner, Xs);
    TQvDoubleVector* Y = Vector(Owner, Ys);
    AddPoints(Owner, Graph, X, Y, QStringLiteral("Resistor"));
    TQvLinearRegression* Fit = AddFit(Owner, Graph, X, Y, QStringLiteral("OriginFit"), false);
    Fit->SetFixedOffset(true);
    Fit->SetOffset(0);
    // The line runs from the origin over the whole axis.
    Fit->SetCoupleCalculationAndDisplay(false);
    Fit->SetDisplayAutoStart(false);
    Fit->SetDisplayAutoStop(false);
    Fit->SetDisplayStart(0);
    Fit->SetDisplayStop(12);
    Graph->SetCaption(QStringLiteral("Fixed offset 0:  R = ") + Quote(Fit, "Slope", "0.000") +
                      QStringLiteral(" kΩ ± ") + Quote(Fit, "DeltaSlope", "0.000"));
}

TWinControl* BuildAnalysisPage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("AnalysisPanel"));
    Panel->SetBounds(0, 0, 1000, 780);
    std::mt19937 Random(7);
    AddNoisyLine(Owner, Panel, Random);
    AddPowerLaw(Owner, Panel, Random);
    AddThroughOrigin(Owner, Panel, Random);
    return Panel;
}

} // namespace

void AddAnalysisPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back(
        {QStringLiteral("analysis"), QStringLiteral("Analysis"),
         QStringLiteral("Linear regression: a straight line fitted to noisy data with its 95 % "
                        "confidence band (border lines and shaded area), a power law fitted as "
                        "a straight line on log-log axes, a fit with its offset fixed at 0, and "
                        "titles that quote slope, its error and the correlation through caption "
                        "variables."),
         BuildAnalysisPage});
}
