// The spectrum series on a chart: amplitudes at their frequencies, the phases' child series,
// resampling of uneven data, undo and documents.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <analysis/qvdiscretefourier.h>
#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>
#include <framework/qvinifiles.h>
#include <graph/qvgraphdocument.h>
#include <style/qvcolors.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

TQvDiscreteFourier* NewSpectrum(TChart& Chart, const std::vector<double>& X,
                                const std::vector<double>& Y) {
    return Chart.NewSeriesOf<TQvDiscreteFourier>(X, Y, "Spectrum");
}

double Amplitude(const TQvDiscreteFourier* S, int k) {
    return S->GetFourier().Amplitude()->GetValue(k);
}

double Phase(const TQvDiscreteFourier* S, int k) {
    return S->GetFourier().Phase()->GetValue(k);
}

} // namespace

TEST(DiscreteFourierSeries, TwoTonesWithTheirPhases) {
    TChart Chart;
    std::vector<double> X, Y;
    for (int j = 0; j < 64; ++j) {
        const double t = j / 64.0;
        X.push_back(t);
        Y.push_back(1 + 2 * std::cos(2 * Pi * 5 * t) + 0.5 * std::sin(2 * Pi * 12 * t));
    }
    // The graph's undo stack comes to the spectrum as its axes are set.
    auto* Undo = Chart.NewUndoStack();
    auto* S = NewSpectrum(Chart, X, Y);
    S->GetXData()->SetName("Time");
    S->GetYData()->SetName("Signal");
    TQvChildSeries* Phases = S->GetPhase();
    EXPECT_FALSE(Phases->GetVisible());
    EXPECT_EQ(Phases->GetLine()->GetColor(), ColorToARGB(QStringLiteral("Green")));
    Chart.Paint();

    // 64 samples over 63/64 of a second.
    EXPECT_EQ(S->GetFourier().Count(), 64);
    EXPECT_DOUBLE_EQ(S->GetFourier().FrequencyStep(), 64.0 / 63);
    EXPECT_EQ(S->GetXStart(), 0);
    EXPECT_DOUBLE_EQ(S->GetXStop(), 64);
    EXPECT_NEAR(S->GetYStop(), 1, 1e-14);
    EXPECT_NEAR(S->GetYStart(), 0, 1e-14);
    // A cosine of 2 shows 1 at +5 and at -5 (= 59); a sine of 0.5 shows 0.25, turned by -pi/2.
    for (const auto& [k, a, p] : {std::tuple{0, 1.0, 0.0},
                                  {5, 1.0, 0.0},
                                  {59, 1.0, 0.0},
                                  {12, 0.25, -Pi / 2},
                                  {52, 0.25, Pi / 2}}) {
        EXPECT_NEAR(Amplitude(S, k), a, 1e-14) << k;
        EXPECT_NEAR(Phase(S, k), p, 1e-12) << k;
    }
    EXPECT_NEAR(Amplitude(S, 7), 0, 1e-14);
    EXPECT_NEAR(S->GetY(S->Frequency(5) + S->Frequency(1) / 4), 0.75, 1e-14);
    EXPECT_NEAR(S->GetY(1e9), Amplitude(S, 63), 1e-15);
    EXPECT_EQ(S->GetFormula(), QString::fromUtf8("Y\\-k\\- = \u03A3y\\-n\\- e\\+(-2\u03C0i/n kn)"));
    // The amplitudes are drawn at their frequencies, one point each.
    EXPECT_EQ(S->ScreenPoints().Count(), 64);
    EXPECT_EQ(S->FindPoint(S->ScreenPoints().Points()[5].X, S->ScreenPoints().Points()[5].Y, 1), 5);

    // The phases on the spectrum's Y axis, at the same frequencies.
    EXPECT_EQ(Phases->GetYAxis(), Chart.Y);
    EXPECT_EQ(Phases->GetXAxis(), Chart.X);
    EXPECT_DOUBLE_EQ(Phases->ValueX(12), S->Frequency(12));
    EXPECT_EQ(Phases->ValueY(12), Phase(S, 12));

    // The spectrum's axes change with the phases' in one step.
    EXPECT_EQ(S->GetUndoStack(), Undo);
    TQvAxis* Right = Chart.NewAxis(TQvAxisPosition::Right, "Right");
    const int Steps = Undo->UndoCount();
    S->SetYAxis(Right);
    EXPECT_EQ(Phases->GetYAxis(), Right);
    ASSERT_EQ(Undo->UndoCount(), Steps + 1);
    Undo->Undo();
    EXPECT_EQ(S->GetYAxis(), Chart.Y);
    EXPECT_EQ(Phases->GetYAxis(), Chart.Y);

    // Shown on an axis of their own, drawn from the phases.
    Phases->SetVisible(true);
    Phases->SetYAxis(Right);
    Chart.Paint();
    EXPECT_GT(Phases->ScreenPoints().Count(), 0);
    EXPECT_LE(Right->GetStart(), -Pi / 2);
    EXPECT_GE(Right->GetStop(), Pi / 2);

    // A document keeps the phases in the spectrum's record, not as a series of their own.
    Phases->GetLine()->SetColor(ColorToARGB(QStringLiteral("Red")));
    TMemIniFile Ini(QString{});
    TQvGraphDocument(Chart.Graph).Write(&Ini, "Graph", false);
    EXPECT_EQ(Ini.ReadInteger("Graph", "RelatedSeries.Count", 0), 1);
    QTemporaryDir Dir;
    for (TQvDocumentFormat Format :
         {TQvDocumentFormat::Binary, TQvDocumentFormat::Xml, TQvDocumentFormat::Ini}) {
        SCOPED_TRACE(int(Format));
        const QString File = Dir.filePath(QString::number(int(Format)));
        TQvGraphDocument(Chart.Graph).Save(File, false, Format);
        Phases->SetVisible(false);
        Phases->SetYAxis(Chart.Y);
        Phases->GetLine()->SetColor(ColorToARGB(QStringLiteral("Green")));
        Chart.Graph->ReadFrom(File);
        EXPECT_TRUE(Phases->GetVisible());
        EXPECT_EQ(Phases->GetYAxis(), Right);
        EXPECT_EQ(S->GetYAxis(), Chart.Y);
        EXPECT_EQ(Phases->GetLine()->GetColor(), ColorToARGB(QStringLiteral("Red")));
        EXPECT_EQ(S->GetPhase(), Phases);
    }

    // In a component stream the phases are a part written in line, not a reference.
    QBuffer Stream;
    Stream.open(QIODevice::ReadWrite);
    TWriter(&Stream).WriteComponent(S);
    Stream.seek(0);
    TChart Other; // the stream names the component, which must be unique in its owner
    auto* Copy = new TQvDiscreteFourier(Other.Owner.get());
    TReader(&Stream).ReadComponent(Copy, Other.Owner.get());
    EXPECT_TRUE(Copy->GetPhase()->GetVisible());
    EXPECT_EQ(Copy->GetPhase()->GetLine()->GetColor(), ColorToARGB(QStringLiteral("Red")));

    TQvDiscreteFourierCalculation Calc;
    EXPECT_EQ(MessageOf<EMathError>([&] { Calc.Calculate(); }),
              "No X vector defined for calculation");
}

TEST(DiscreteFourierSeries, UnevenOrUnsortedDataAreResampled) {
    // A straight line through uneven points: the Akima spline gives it back exactly, so the
    // 1024 samples are k/1024, whose transform is known: |X_k| = 1 / (2 sin(pi k/n)).
    TChart Chart;
    auto* S =
        NewSpectrum(Chart, {0, 0.1, 0.35, 0.4, 0.7, 0.72, 1}, {0, 0.1, 0.35, 0.4, 0.7, 0.72, 1});
    Chart.Paint();
    constexpr int n = 1024;
    ASSERT_EQ(S->GetFourier().Count(), n);
    EXPECT_EQ(S->GetFourier().FrequencyStep(), 1);
    EXPECT_NEAR(Amplitude(S, 0), (n - 1) / (2.0 * n), 1e-15);
    for (const int k : {1, 7, 300, 512, 1023})
        EXPECT_NEAR(Amplitude(S, k), 1 / (2.0 * n * std::sin(Pi * k / n)), 1e-14) << k;

    // Equidistant values out of order, and a spacing 2 % off: resampled; an index vector and
    // spacings within 1 %: taken as they are.
    const auto Samples = [&](std::initializer_list<double> Xs) {
        S->SetXData(Xs.size() ? Chart.NewVector("", Xs) : nullptr);
        S->SetYData(Chart.NewVector("", {1, 2, 3, 4}));
        Chart.Paint();
        return S->GetFourier().Count();
    };
    EXPECT_EQ(Samples({0, 2, 1, 3}), n);
    EXPECT_EQ(Samples({0, 1.02, 2, 3}), n);
    EXPECT_EQ(Samples({0, 1.009, 2, 3}), 4);
    EXPECT_EQ(Samples({}), 4);
    EXPECT_DOUBLE_EQ(S->GetXStop(), 1);

    // Fewer than two points: no spectrum.
    TChart Short;
    auto* One = NewSpectrum(Short, {1}, {2});
    Short.Paint();
    EXPECT_EQ(One->GetFourier().Count(), 0);
}
