// Fits: a polynomial of order 5 through noisy measurements with its coefficients in the title,
// a least squares fit of a year of temperatures to sines and cosines of the year, and a simplex
// fit of an exponential decay given as a formula.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <analysis/qvfitting.h>
#include <analysis/qvgenerallinearleastsquares.h>
#include <data/qvvectors.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

using P = TQvAxisPosition;
using S = TQvAxisScaling;

TQvPointSeries* Measured(TComponent* Owner, TQvAxis* X, TQvAxis* Y, TQvDoubleVector* Xs,
                         TQvDoubleVector* Ys) {
    auto* Points = NewCurve<TQvPointSeries>(Owner, X, Y, Xs, Ys, 6, "Measured");
    Points->GetLine()->SetVisible(false);
    TQvPointSymbolSettings* Symbol = Points->GetPointSymbol();
    Symbol->SetVisible(true);
    Symbol->SetPointSymbol(TQvPointSymbol::Circle);
    Symbol->SetSize(6);
    Symbol->SetBorderColor(ThemeColor(6));
    Symbol->SetFillColor(0xFFFFFFFF);
    return Points;
}

// The coefficient with its sign as a term of the title: " + 1.25x³".
QString Term(double c, int Power) {
    static const char* const Powers[] = {"", "x", "x²", "x³", "x⁴", "x⁵"};
    const QString Value = QString::number(std::abs(c), 'g', 3) + QString::fromUtf8(Powers[Power]);
    if (Power == 0) return Value;
    return (c < 0 ? QStringLiteral(" − ") : QStringLiteral(" + ")) + Value;
}

void AddPolynomial(TComponent* Owner, TWinControl* Panel) {
    std::mt19937 Random(5);
    std::normal_distribution<double> Noise(0, 0.6);
    std::vector<double> Xs, Ys;
    for (int i = 0; i <= 60; ++i) {
        const double x = i / 6.0;
        Xs.push_back(x);
        Ys.push_back(2 + 3 * x - 1.6 * x * x + 0.25 * std::pow(x, 3) - 0.012 * std::pow(x, 4) +
                     Noise(Random));
    }
    TQvDoubleVector* X = Vector(Owner, Xs);
    TQvDoubleVector* Y = Vector(Owner, Ys);
    // The coefficients the title quotes, from a calculation of their own.
    TQvGeneralLinearLeastSquaresCalculation Fit;
    Fit.Polynomial = true;
    Fit.SetOrder(5);
    Fit.XData = X;
    Fit.YData = Y;
    Fit.Calculate();
    QString Title = QStringLiteral("Polynomial of order 5: y = ");
    for (int k = 0; k <= 5; ++k)
        Title += Term(Fit.Coefficients[size_t(k)], k);
    TQvGraph2D* Graph = NewGraph(Owner, Panel, "Polynomial", Title, 5, 5, 990, 420);
    TQvAxis* XAxis = NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 10, "Distance / m");
    TQvAxis* YAxis = NewAxis(Owner, Graph, P::Left, S::Normal, -1, 6, "Height / m");
    Measured(Owner, XAxis, YAxis, X, Y);
    NewCurve<TQvPolynomial>(Owner, XAxis, YAxis, X, Y, 0, "Polynomial, order 5")->SetOrder(5);
    NewLegend(Owner, Graph, TQvLegendPosition::BottomCenterOfAxis, 22);
}

// Two harmonics of the year: 1, sin, cos, sin 2, cos 2 of the day's angle.
double Harmonic(TObject*, const TQvGeneralLinearFittingArgs& e) {
    const double Angle = 2 * M_PI * e.X / 365 * ((e.Index + 1) / 2);
    if (e.Index == 0) return 1;
    return e.Index % 2 ? std::sin(Angle) : std::cos(Angle);
}

void AddHarmonics(TComponent* Owner, TWinControl* Panel) {
    std::mt19937 Random(17);
    std::normal_distribution<double> Noise(0, 1.6);
    std::vector<double> Days, Temperatures;
    for (int Day = 0; Day < 365; Day += 3) {
        Days.push_back(Day);
        Temperatures.push_back(10 - 8 * std::cos(2 * M_PI * (Day - 15) / 365) +
                               1.5 * std::sin(4 * M_PI * Day / 365) + Noise(Random));
    }
    TQvDoubleVector* X = Vector(Owner, Days);
    TQvDoubleVector* Y = Vector(Owner, Temperatures);
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Harmonics",
                 "Least squares fit to the mean and two harmonics of the year", 5, 435, 990, 420);
    TQvAxis* XAxis = NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 365, "Day of the year");
    TQvAxis* YAxis = NewAxis(Owner, Graph, P::Left, S::Normal, -5, 25, "Temperature / °C");
    Measured(Owner, XAxis, YAxis, X, Y);
    auto* Fit = NewCurve<TQvGeneralLinearLeastSquares>(Owner, XAxis, YAxis, X, Y, 0,
                                                       "1, sin, cos, sin 2, cos 2");
    Fit->SetOrder(4);
    Fit->SetBasisFunction(Harmonic);
    NewLegend(Owner, Graph, TQvLegendPosition::BottomCenterOfAxis, 22);
}

// Counts of a decaying source over a steady background, fitted to a*exp(-b*X)+c by the simplex
// from rough guesses.
void AddDecay(TComponent* Owner, TWinControl* Panel) {
    std::mt19937 Random(23);
    std::vector<double> Minutes, Counts;
    for (int i = 0; i <= 40; ++i) {
        const double t = i * 0.5;
        std::poisson_distribution<int> Count(120 * std::exp(-0.35 * t) + 8);
        Minutes.push_back(t);
        Counts.push_back(Count(Random));
    }
    TQvDoubleVector* X = Vector(Owner, Minutes);
    TQvDoubleVector* Y = Vector(Owner, Counts);
    const QString Expression = QStringLiteral("a*exp(-b*X)+c");
    const std::vector<double> Guess{100, 1, 1};
    // The coefficients the title quotes, from a search of its own.
    TQvSimplexFit Search;
    Search.XData = X;
    Search.YData = Y;
    Search.Iterations = 2000;
    Search.SetExpression(Expression);
    Search.SetCoefs(Guess);
    Search.Calculate();
    const std::span<const double> c = Search.GetCoefficients();
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Decay",
                 QStringLiteral("Simplex fit of %1: a = %2, b = %3 per minute, c = %4")
                     .arg(Expression)
                     .arg(c[0], 0, 'f', 1)
                     .arg(c[1], 0, 'f', 3)
                     .arg(c[2], 0, 'f', 1),
                 5, 865, 990, 420);
    TQvAxis* XAxis = NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 20, "Time / min");
    TQvAxis* YAxis = NewAxis(Owner, Graph, P::Left, S::Normal, 0, 140, "Counts per half minute");
    Measured(Owner, XAxis, YAxis, X, Y);
    auto* Fit = NewCurve<TQvFittedLine>(Owner, XAxis, YAxis, X, Y, 1, Expression);
    Fit->SetIterations(2000);
    Fit->SetExpression(Expression);
    Fit->SetCoefficients(Guess);
    NewLegend(Owner, Graph, TQvLegendPosition::RightTopOfAxis, 22);
}

TWinControl* BuildFitsPage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("FitsPanel"));
    Panel->SetBounds(0, 0, 1000, 1290);
    AddPolynomial(Owner, Panel);
    AddHarmonics(Owner, Panel);
    AddDecay(Owner, Panel);
    return Panel;
}

} // namespace

void AddFitsPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back({QStringLiteral("fits"), QStringLiteral("Fits"),
                     QStringLiteral("A polynomial of order 5 fitted to noisy measurements, its "
                                    "coefficients in the title; a year of temperatures fitted by "
                                    "least squares to the mean and two harmonics of the year, "
                                    "basis functions that the application supplies; counts of a "
                                    "decaying source fitted to a formula by the simplex."),
                     BuildFitsPage});
}
