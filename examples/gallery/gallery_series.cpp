// Series: lines, every point symbol, hatched and gradient areas, a band between two series,
// out-of-range and translucent symbols, series on log and date-time axes, several Y axes, and
// a title that quotes a series caption.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <axes/qvdatetime.h>
#include <data/qvvectors.h>
#include <series/qvseries.h>
#include <style/qvio.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

using P = TQvAxisPosition;
using S = TQvAxisScaling;
using QvStyle::PointSymbolCount;

TQvDoubleVector* Sampled(TComponent* Owner, int Count, const std::function<double(int)>& Value) {
    std::vector<double> Values(Count);
    for (int i = 0; i < Count; ++i)
        Values[i] = Value(i);
    auto* Vector = new TQvDoubleVector(Owner);
    Vector->AddRange(std::span<const double>(Values));
    return Vector;
}

template <class TSeries = TQvLineSeries>
TSeries* NewSeries(TComponent* Owner, TQvGraph2D* Graph, TQvCustomDoubleVector* XData,
                   TQvCustomDoubleVector* YData, TQvColor Color, const QString& Caption,
                   TQvAxis* YAxis = nullptr) {
    auto* Series = new TSeries(Owner);
    Series->SetCaption(Caption);
    Series->SetXData(XData);
    Series->SetYData(YData);
    Series->SetXAxis(Graph->GetPrimaryXAxis());
    Series->SetYAxis(YAxis ? YAxis : Graph->GetPrimaryYAxis());
    Series->GetLine()->SetColor(Color);
    Series->GetLine()->SetWidth(1.5f);
    return Series;
}

// Stands in for a fitted curve that is only valid over part of the data.
class TFittedRange : public TQvLineSeries {
public:
    TFittedRange(TComponent* Owner, double Start, double Stop)
        : TQvLineSeries(Owner), FStart(Start), FStop(Stop) {}
    double GetCalculationStart() const override { return FStart; }
    double GetCalculationStop() const override { return FStop; }

private:
    double FStart, FStop;
};

void AddLinesAndAreas(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Areas", "Lines, hatched and gradient areas", 5, 5, 490, 320);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 10, "t / s");
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Signal");
    const int N = 201;
    TQvDoubleVector* X = Sampled(Owner, N, [](int i) { return i * 0.05; });
    auto* Gradient = NewSeries(
        Owner, Graph, X,
        Sampled(Owner, N, [](int i) { return 3 + 2 * std::exp(-std::pow(i * 0.05 - 3, 2)); }),
        ThemeColor(0), "Gradient");
    TQvAreaSettings* Area = Gradient->GetArea();
    Area->SetVisible(true);
    Area->GetGradient()->SetVisible(true);
    Area->GetGradient()->SetLinearAngle(90);
    Area->GetGradient()->SetFirstColor(ThemeColor(0, 0xC0));
    Area->GetGradient()->SetMiddleColor(ThemeColor(0, 0x60));
    Area->GetGradient()->SetLastColor(ThemeColor(0, 0x10));
    auto* Hatched = NewSeries(
        Owner, Graph, X,
        Sampled(Owner, N,
                [](int i) { return 1.5 + std::sin(i * 0.05 * 1.3) * std::exp(-i * 0.05 / 8); }),
        ThemeColor(1), "Hatched");
    Hatched->GetArea()->SetVisible(true);
    Hatched->GetArea()->SetAreaStyle(TQvAreaStyle::ForwardDiagonal);
    Hatched->GetArea()->SetForeColor(ThemeColor(1));
    Hatched->GetArea()->SetBackColor(0x00FFFFFF);
    auto* Dashed =
        NewSeries(Owner, Graph, X, Sampled(Owner, N, [](int i) { return 4.5 - 0.25 * i * 0.05; }),
                  ThemeColor(2), "Dashed");
    Dashed->GetLine()->SetDashStyle(TGPDashStyle::Dash);
    Dashed->GetLine()->SetWidth(2);
}

void AddEverySymbol(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph = NewGraph(Owner, Panel, "Symbols", "Every point symbol", 505, 5, 490, 320);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, -0.5, 8.5, "");
    NewAxis(Owner, Graph, P::Left, S::Normal, -0.5, PointSymbolCount - 0.5, "Symbol");
    const TQvColor Colors[] = {ThemeColor(0), ThemeColor(1), ThemeColor(2), ThemeColor(3),
                               ThemeColor(4)};
    TQvDoubleVector* X = Sampled(Owner, 9, [](int i) { return double(i); });
    for (int k = 0; k < PointSymbolCount; ++k) {
        const TQvColor Color = Colors[k % 5];
        auto* Series = NewSeries<TQvPointSeries>(
            Owner, Graph, X, Sampled(Owner, 9, [k](int) { return double(k); }), Color, "");
        Series->GetLine()->SetVisible(false);
        TQvPointSymbolSettings* Symbol = Series->GetPointSymbol();
        Symbol->SetPointSymbol(TQvPointSymbol(k));
        Symbol->SetSize(5.0f + k % 3 * 2);
        Symbol->SetBorderColor(Color);
        Symbol->SetFillColor((Color & 0x00FFFFFF) | 0x80000000);
    }
}

void AddBand(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Band", "A band between two series", 5, 335, 490, 320);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 12, "Month");
    NewAxis(Owner, Graph, P::Left, S::Normal, -5, 30, "Temperature / \u00B0C");
    const int N = 49;
    TQvDoubleVector* X = Sampled(Owner, N, [](int i) { return i * 0.25; });
    auto Mean = [](int i) { return 12 - 10 * std::cos(i * 0.25 * std::numbers::pi / 6); };
    auto* Low = NewSeries(Owner, Graph, X,
                          Sampled(Owner, N, [&](int i) { return Mean(i) - 5 - std::sin(i * 0.7); }),
                          ThemeColor(0), "Minimum");
    auto* High = NewSeries(
        Owner, Graph, X, Sampled(Owner, N, [&](int i) { return Mean(i) + 6 + std::cos(i * 0.5); }),
        ThemeColor(1), "Maximum");
    High->SetDrawBandTo(Low);
    High->GetArea()->SetVisible(true);
    High->GetArea()->SetAreaStyle(TQvAreaStyle::Total);
    High->GetArea()->SetForeColor(ThemeColor(5, 0x40));
    NewSeries(Owner, Graph, X, Sampled(Owner, N, Mean), 0xFF333333, "Mean");
}

void AddSymbolsOverLines(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph = NewGraph(Owner, Panel, "Ranges", "Out-of-range and translucent symbols",
                                 505, 335, 490, 320);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 10, "Concentration / mM");
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 1.2, "Response");
    TQvDoubleVector* X = Sampled(Owner, 21, [](int i) { return i * 0.5; });
    auto Hill = [](double c) { return c * c / (c * c + 9); };
    auto* Fit = new TFittedRange(Owner, 2, 8);
    Fit->SetXData(Sampled(Owner, 61, [](int i) { return 2 + i * 0.1; }));
    Fit->SetYData(Sampled(Owner, 61, [&](int i) { return Hill(2 + i * 0.1); }));
    Fit->SetXAxis(Graph->GetPrimaryXAxis());
    Fit->SetYAxis(Graph->GetPrimaryYAxis());
    Fit->GetLine()->SetColor(0xFF555555);
    Fit->GetLine()->SetWidth(5);
    auto* Measured = NewSeries<TQvPointSeries>(
        Owner, Graph, X,
        Sampled(Owner, 21, [&](int i) { return Hill(i * 0.5) + 0.04 * std::sin(i * 2.1); }),
        ThemeColor(0), "Measured");
    // Its own line stays out of the translucent symbols; the fit's line shows through.
    Measured->GetLine()->SetWidth(1);
    Measured->SetRangeFromFunction(Fit);
    TQvPointSymbolSettings* Symbol = Measured->GetPointSymbol();
    Symbol->SetPointSymbol(TQvPointSymbol::Circle);
    Symbol->SetSize(12);
    Symbol->SetBorderColor(ThemeColor(0));
    Symbol->SetFillColor(ThemeColor(0, 0x40));
    Measured->GetOutOfRangePointSymbol()->SetPointSymbol(TQvPointSymbol::Square);
    Measured->GetOutOfRangePointSymbol()->SetSize(9);
}

void AddLogAndDates(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Log = NewGraph(Owner, Panel, "Decay", "A logarithmic axis", 5, 665, 490, 320);
    NewAxis(Owner, Log, P::Bottom, S::Normal, 0, 60, "Time / min");
    NewAxis(Owner, Log, P::Left, S::LogEE, 1e-3, 1e3, "Activity / Bq");
    TQvDoubleVector* T = Sampled(Owner, 61, [](int i) { return double(i); });
    const TQvColor Colors[] = {ThemeColor(0), ThemeColor(1), ThemeColor(2)};
    const double HalfLives[] = {3, 8, 20};
    for (int k = 0; k < 3; ++k) {
        auto* Series = NewSeries<TQvPointSeries>(
            Owner, Log, T,
            Sampled(Owner, 61, [&](int i) { return 500 * std::exp2(-i / HalfLives[k]); }),
            Colors[k], "");
        Series->GetPointSymbol()->SetPointSymbol(TQvPointSymbol(TQvPointSymbol::Circle));
        Series->GetPointSymbol()->SetSize(4);
        Series->GetPointSymbol()->SetBorderColor(Colors[k]);
        Series->GetPointSymbol()->SetFillColor(0xFFFFFFFF);
    }

    TQvGraph2D* Dates = NewGraph(Owner, Panel, "Weather", "Date and time", 505, 665, 490, 320);
    const TDateTime Day = EncodeDate(2026, 11, 1);
    NewAxis(Owner, Dates, P::Bottom, S::DateTime, Day, Day + 30, "November 2026");
    NewAxis(Owner, Dates, P::Left, S::Normal, 0, 0, "Pressure / hPa");
    const int N = 30 * 24;
    NewSeries(Owner, Dates, Sampled(Owner, N, [&](int i) { return Day + i / 24.0; }),
              Sampled(Owner, N,
                      [](int i) {
                          return 1013 + 12 * std::sin(i / 60.0) + 4 * std::sin(i / 7.0) +
                                 1.5 * std::sin(i * 1.7);
                      }),
              ThemeColor(0), "Pressure")
        ->GetLine()
        ->SetWidth(1);
}

void AddSeveralAxes(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph = NewGraph(Owner, Panel, "Climate", "", 5, 995, 990, 330);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 24, "Hour");
    TQvAxis* Temperature = NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Temperature / \u00B0C");
    TQvAxis* Humidity = NewAxis(Owner, Graph, P::Right, S::Normal, 0, 100, "Humidity / %");
    TQvAxis* Wind = NewAxis(Owner, Graph, P::Right, S::Normal, 0, 8, "Wind / m/s");
    const TQvColor Red = ThemeColor(1), Blue = ThemeColor(0), Green = ThemeColor(2);
    // Each axis in the colour of its series: numbers, line and title.
    for (const auto& [Axis, Color] :
         {std::pair{Temperature, Red}, std::pair{Humidity, Blue}, std::pair{Wind, Green}}) {
        Axis->SetNumbersColor(Color);
        Axis->SetForeColor(Color);
        Axis->SetCaptionColor(Color);
    }
    const int N = 97;
    TQvDoubleVector* Hour = Sampled(Owner, N, [](int i) { return i * 0.25; });
    auto* Air = NewSeries(
        Owner, Graph, Hour,
        Sampled(Owner, N,
                [](int i) { return 14 - 6 * std::cos((i * 0.25 - 3) * std::numbers::pi / 12); }),
        Red, QString::fromUtf8("Air temperature"), Temperature);
    Air->SetName("Air");
    NewSeries(
        Owner, Graph, Hour,
        Sampled(Owner, N,
                [](int i) { return 70 + 20 * std::cos((i * 0.25 - 4) * std::numbers::pi / 12); }),
        Blue, "Humidity", Humidity);
    auto* Gusts = NewSeries<TQvPointSeries>(
        Owner, Graph, Hour,
        Sampled(Owner, N,
                [](int i) { return 3 + 2 * std::sin(i * 0.13) + std::fabs(std::sin(i * 1.9)); }),
        Green, "Wind", Wind);
    Gusts->GetLine()->SetVisible(false);
    Gusts->GetPointSymbol()->SetPointSymbol(TQvPointSymbol::Delta);
    // Large and opaque enough to stand out over the axis lines at hours 0 and 24.
    Gusts->GetPointSymbol()->SetSize(7);
    Gusts->GetPointSymbol()->SetBorderColor(Green);
    Gusts->GetPointSymbol()->SetFillColor(ThemeColor(2, 0xC0));
    Graph->SetCaption(QStringLiteral("Several Y axes: \\c[A=255, R=213, G=94, B=0]<%") +
                      GetComponentRef(Air) + QStringLiteral(".Caption%>\\c[], humidity and wind"));
}

TWinControl* BuildSeriesPage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("SeriesPanel"));
    Panel->SetBounds(0, 0, 1000, 1330);
    AddLinesAndAreas(Owner, Panel);
    AddEverySymbol(Owner, Panel);
    AddBand(Owner, Panel);
    AddSymbolsOverLines(Owner, Panel);
    AddLogAndDates(Owner, Panel);
    AddSeveralAxes(Owner, Panel);
    return Panel;
}

} // namespace

void AddSeriesPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back(
        {QStringLiteral("series"), QStringLiteral("Series"),
         QStringLiteral("Line and point series: solid and dashed lines, hatched and gradient "
                        "areas, a band filled between two series, every point symbol, symbols "
                        "outside a fitted range drawn with the out-of-range symbol, translucent "
                        "symbols over a thick line, series on logarithmic and date-time axes, "
                        "three Y axes, and a title that quotes a series caption."),
         BuildSeriesPage});
}
