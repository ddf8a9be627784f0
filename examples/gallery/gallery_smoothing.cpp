// Smoothing: Akima's spline, the cubic spline and the smoothing spline through the same
// scattered points, the slope of the cubic spline on a second Y axis, its integral in the title;
// a noisy signal with its moving averages; the amplitude and phase spectra of two tones.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <analysis/qvdiscretefourier.h>
#include <analysis/qvinterpolation.h>
#include <analysis/qvmovingaverage.h>
#include <data/qvvectors.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

using P = TQvAxisPosition;
using S = TQvAxisScaling;

void AddSplines(TComponent* Owner, TWinControl* Panel) {
    const std::vector<double> Xs{0, 0.6, 1.1, 2.4, 2.7, 3.9, 4.4, 5.8, 6.1, 7.5, 8.6, 10};
    const std::vector<double> Ys{1.0, 2.2, 2.9, 1.3, 1.1, 3.6, 4.4, 2.0, 1.8, 3.9, 2.4, 2.9};
    TQvDoubleVector* X = Vector(Owner, Xs);
    TQvDoubleVector* Y = Vector(Owner, Ys);
    // The numbers the title and the slope curve show, from a calculation of their own.
    TQvInterpolationCalculation Cubic;
    Cubic.XData = X;
    Cubic.YData = Y;
    Cubic.SetInterpolationMethod(TQvInterpolationMethod::CubicSpline);
    Cubic.Calculate();

    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Splines",
                 QStringLiteral("Three splines through the same points; area under the cubic "
                                "spline %1 m·s")
                     .arg(Cubic.Integral(Xs.back()), 0, 'f', 2),
                 5, 5, 990, 420);
    TQvAxis* XAxis = NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 10, "Time / s");
    TQvAxis* YAxis = NewAxis(Owner, Graph, P::Left, S::Normal, 0, 5, "Level / m");
    TQvAxis* SlopeAxis = NewAxis(Owner, Graph, P::Right, S::Normal, -8, 6, "Slope / (m/s)");

    auto* Points = NewCurve<TQvPointSeries>(Owner, XAxis, YAxis, X, Y, 6, "Measured");
    Points->GetLine()->SetVisible(false);
    Points->GetPointSymbol()->SetVisible(true);
    Points->GetPointSymbol()->SetPointSymbol(TQvPointSymbol::Circle);
    Points->GetPointSymbol()->SetSize(7);
    Points->GetPointSymbol()->SetBorderColor(ThemeColor(6));
    Points->GetPointSymbol()->SetFillColor(0xFFFFFFFF);
    const struct {
        TQvInterpolationMethod Method;
        const char* Caption;
    } Methods[] = {{TQvInterpolationMethod::Akima, "Akima"},
                   {TQvInterpolationMethod::CubicSpline, "Cubic spline"},
                   {TQvInterpolationMethod::ApproximativeSpline, "Smoothing spline"}};
    int Color = 0;
    for (const auto& M : Methods) {
        auto* Curve = NewCurve<TQvInterpolation>(Owner, XAxis, YAxis, X, Y, Color++,
                                                 QString::fromLatin1(M.Caption));
        Curve->SetInterpolationMethod(M.Method);
        Curve->SetElasticityFactor(4);
    }

    // The cubic spline's slope, sampled finely, as a dashed line on the right axis.
    std::vector<double> At, Slope;
    for (int i = 0; i <= 400; ++i) {
        At.push_back(Xs.back() * i / 400);
        Slope.push_back(Cubic.Slope(At.back()));
    }
    auto* SlopeCurve =
        NewCurve<TQvLineSeries>(Owner, XAxis, SlopeAxis, Vector(Owner, At), Vector(Owner, Slope), 1,
                                "Slope of the cubic spline");
    SlopeCurve->GetLine()->SetWidth(1);
    SlopeCurve->GetLine()->SetDashStyle(TGPDashStyle::Dash);

    NewLegend(Owner, Graph, TQvLegendPosition::BottomCenterOfAxis, 22);
}

// A day of readings every five minutes: a slow wave, noise and a jump at noon; the averages
// follow at their own pace.
void AddAverages(TComponent* Owner, TWinControl* Panel) {
    std::mt19937 Random(11);
    std::normal_distribution<double> Noise(0, 0.9);
    std::vector<double> Hours, Readings;
    for (int i = 0; i < 288; ++i) {
        const double h = i / 12.0;
        Hours.push_back(h);
        Readings.push_back(14 + 4 * std::sin((h - 9) * M_PI / 12) + (h >= 12 ? 3 : 0) +
                           Noise(Random));
    }
    TQvDoubleVector* X = Vector(Owner, Hours);
    TQvDoubleVector* Y = Vector(Owner, Readings);
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Averages", "A noisy day and its moving averages", 5, 435, 990, 420);
    TQvAxis* XAxis = NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 24, "Hour");
    TQvAxis* YAxis = NewAxis(Owner, Graph, P::Left, S::Normal, 6, 24, "Temperature / °C");
    auto* Raw = NewCurve<TQvLineSeries>(Owner, XAxis, YAxis, X, Y, 6, "Readings");
    Raw->GetLine()->SetWidth(1);
    Raw->GetLine()->SetColor(0xFFB0B0B0);
    const struct {
        TQvAveragingMethod Method;
        TQvAveragingDirection Direction;
        double N;
        const char* Caption;
    } Averages[] = {
        {TQvAveragingMethod::Simple, TQvAveragingDirection::UpAndDownwards, 6,
         "Simple, 6 readings either side"},
        {TQvAveragingMethod::LinearWeighted, TQvAveragingDirection::OnlyDownwards, 18,
         "Linear weights, 18 readings back"},
        {TQvAveragingMethod::ExponentiallyWeighted, TQvAveragingDirection::OnlyDownwards, 24,
         "Exponential weights, 24 readings back"},
    };
    int Color = 0;
    for (const auto& A : Averages) {
        auto* Average = NewCurve<TQvMovingAverage>(Owner, XAxis, YAxis, X, Y, Color++,
                                                   QString::fromUtf8(A.Caption));
        Average->SetAveragingMethod(A.Method);
        Average->SetAveragingDirection(A.Direction);
        Average->SetN(A.N);
    }
    NewLegend(Owner, Graph, TQvLegendPosition::BottomCenterOfAxis, 22);
}

// Half a second of two tones sampled at 1 kHz: the spectrum's peaks stand near 50 Hz and
// 120 Hz with half the tones' amplitudes, spread a little as neither tone fills the samples
// with whole periods. The phases show on the right axis.
void AddSpectrum(TComponent* Owner, TWinControl* Panel) {
    std::vector<double> Seconds, Signal;
    for (int j = 0; j < 512; ++j) {
        const double t = j / 1000.0;
        Seconds.push_back(t);
        Signal.push_back(0.8 * std::sin(2 * M_PI * 50 * t) +
                         0.4 * std::cos(2 * M_PI * 120 * t + 0.6));
    }
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Spectrum",
                 "Amplitude and phase spectra of 50 Hz and 120 Hz tones, 512 samples at 1 kHz", 5,
                 865, 990, 420);
    TQvAxis* XAxis = NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 250, "Frequency / Hz");
    TQvAxis* YAxis = NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0.5, "Amplitude");
    TQvAxis* PhaseAxis = NewAxis(Owner, Graph, P::Right, S::Normal, -4, 4, "Phase / rad");
    auto* Spectrum = NewCurve<TQvDiscreteFourier>(Owner, XAxis, YAxis, Vector(Owner, Seconds),
                                                  Vector(Owner, Signal), 0, "Amplitude");
    TQvPointSymbolSettings* Dots = Spectrum->GetPointSymbol();
    Dots->SetVisible(true);
    Dots->SetPointSymbol(TQvPointSymbol::Circle);
    Dots->SetSize(5);
    Dots->SetBorderColor(ThemeColor(0));
    Dots->SetFillColor(0xFFFFFFFF);
    TQvChildSeries* Phase = Spectrum->GetPhase();
    Phase->SetYAxis(PhaseAxis);
    Phase->SetVisible(true);
    Phase->GetLine()->SetVisible(false);
    TQvPointSymbolSettings* Symbol = Phase->GetPointSymbol();
    Symbol->SetVisible(true);
    Symbol->SetPointSymbol(TQvPointSymbol::Diamond);
    Symbol->SetSize(6);
    Symbol->SetBorderColor(ThemeColor(3));
    Symbol->SetFillColor(ThemeColor(3));
    NewLegend(Owner, Graph, TQvLegendPosition::BottomCenterOfAxis, 22);
}

TWinControl* BuildSmoothingPage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("SmoothingPanel"));
    Panel->SetBounds(0, 0, 1000, 1290);
    AddSplines(Owner, Panel);
    AddAverages(Owner, Panel);
    AddSpectrum(Owner, Panel);
    return Panel;
}

} // namespace

void AddSmoothingPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back({QStringLiteral("smoothing"), QStringLiteral("Smoothing"),
                     QStringLiteral("Akima's spline, the cubic spline and the smoothing spline "
                                    "through the same scattered points, with the slope of the "
                                    "cubic spline on a second Y axis and the area under it in "
                                    "the title; a noisy day of readings with simple, linear and "
                                    "exponential moving averages; the amplitude and phase "
                                    "spectra of two tones."),
                     BuildSmoothingPage});
}
