// Screen points of a series: the values mapped to pixels and reduced to what the screen can
// show, the closing points of its area, and hit tests on them.

#include "series/qvseries.h"

#include "axes/qvaxis.h"
#include "framework/qvbothcores.h"
#include "graph/qvgraph2d.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <tuple>

namespace {

// Ascending data are clipped to the visible range only above this many points.
constexpr int ClipMinimum = 21;
// Lines with more points per pixel column than this are reduced column by column.
constexpr float DenseColumn = 2.0f;
// Lines of plain values from this many points on are reduced on both cores, in pieces of
// this many points or more, and this many pieces at most.
constexpr int ShareFrom = 1 << 16, PieceFrom = 4096, MostPieces = 16;
// The polygon of the area closes this far inside the axis start.
constexpr float AreaBaseShift = 0.5f;

} // namespace

double TQvSeries::ValueX(int i) const {
    return TransformX(i, FXData->GetValue(i));
}

double TQvSeries::ValueY(int i) const {
    return TransformY(i, FYData->GetValue(i));
}

TGPPointF TQvSeries::ScreenPoint(int i) const {
    return ScreenPoint(ValueX(i), ValueY(i));
}

float TQvSeries::AxisPixel(const TQvAxis* Axis, double v) {
    float Pixel;
    Axis->NumbersToWorld({&v, 1}, &Pixel, 1);
    return Pixel;
}

TGPPointF TQvSeries::ScreenPoint(double X, double Y) const {
    return {AxisPixel(FXAxis, X), AxisPixel(FYAxis, Y)};
}

bool TQvSeries::InFunctionRange(int Index) const {
    if (!FRangeFromFunction) return true;
    const double x = ValueX(Index);
    return x >= FRangeFromFunction->GetCalculationStart() &&
           x <= FRangeFromFunction->GetCalculationStop();
}

const TQvScreenPoints& TQvSeries::CurrentScreenPoints() {
    if (PointsOwed()) CalculatePoints();
    return FScreen;
}

bool TQvSeries::PointsOwed() const {
    return FXAxis && FYAxis &&
           (FScreen.Stale() ||
            !FScreen.MadeFor(FXAxis->Mapping(), FYAxis->Mapping(), KeepsTopmostOnly()));
}

bool TQvSeries::MakesPointsAlone() const {
    return FGraph && PlainDrawing() && PlainValues();
}

bool TQvSeries::PlainKind() const {
    const QMetaObject* Kind = metaObject();
    return Kind == &TQvLineSeries::staticMetaObject || Kind == &TQvPointSeries::staticMetaObject;
}

bool TQvSeries::PlainDrawing() const {
    return PlainKind() && !FOnGetPen && !FOnGetBrush && !FOnGetPointSymbol && !FRangeFromFunction &&
           !FDrawBandTo;
}

bool TQvSeries::AddPaintState(std::vector<std::uintptr_t>& State) {
    if (!PlainDrawing()) return false;
    CurrentScreenPoints();
    State.insert(State.end(), {std::uintptr_t(this), std::uintptr_t(FScreen.Generation()),
                               std::uintptr_t(FPaintVersion)});
    return true;
}

void TQvSeries::CalculatePoints() {
    if (!FXAxis || !FYAxis) return;
    QvClearUpperVectorHalves();
    const int Count = std::min(FCount, GetCount());
    const bool TopmostOnly = KeepsTopmostOnly();
    int Start = FScreen.Begin(FXAxis->Mapping(), FYAxis->Mapping(), TopmostOnly);
    int Stop = Count - 1;
    bool OnColumns = false;
    if (Start <= Stop) {
        // The vector is ascending without its outliers, but they stay among the values.
        const bool Ascending = FXData->GetOnlyAscending() && !FXData->GetAnyOutliers();
        if (Ascending && Stop - Start >= ClipMinimum)
            std::tie(Start, Stop) = QvPointStages::VisibleRange(
                Start, Stop, std::min(FXAxis->GetStart(), FXAxis->GetStop()),
                std::max(FXAxis->GetStart(), FXAxis->GetStop()),
                [this](int i) { return TransformX(i, FXData->GetValue(i)); });
        while (Start < Stop && !HasValuesAt(Start))
            ++Start;
        while (Stop > Start && !HasValuesAt(Stop))
            --Stop;
        const QvPointStages::TAlike Alike = DrawsAlike();
        const bool Symbols = FPointSymbolSettings->GetVisible() || Alike;
        if (HasValuesAt(Start)) {
            OnColumns = !Symbols && CanUseHierarchy(Ascending, Start, Stop);
            if (OnColumns)
                ReduceByColumns(Start, Stop);
            else if (TopmostOnly && SymbolsPile(size_t(Stop - Start + 1)))
                QvPointStages::KeepTopmostSymbols(
                    Start, Stop, FGraph->GetDrawingArea(),
                    [this](int i, int n, TGPPointF* Points) { MapPlainValues(i, n, Points); },
                    FScreen.Output());
            else
                ReduceMapped(Start, Stop, Symbols, Alike);
        }
    }
    FScreen.End(Count, OnColumns);
}

bool TQvSeries::PlainValues() const {
    const bool AllShown =
        FOutliersVisible || (!FXData->GetAnyOutliers() && !FYData->GetAnyOutliers());
    return FXData->Data() && FYData->Data() && AllShown && !FXTransformation && !FYTransformation;
}

void TQvSeries::MapPlainValues(int i, int n, TGPPointF* Points) const {
    static_assert(sizeof(TGPPointF) == 2 * sizeof(float));
    FXAxis->NumbersToWorld({FXData->Data() + i, size_t(n)}, &Points->X, 2);
    FYAxis->NumbersToWorld({FYData->Data() + i, size_t(n)}, &Points->Y, 2);
}

bool TQvSeries::SymbolsCover() const {
    const auto Opaque = [](const TQvPointSymbolSettings* Symbols) {
        return !Symbols->GetVisible() || (GetAlpha(Symbols->GetFillColor()) == 255 &&
                                          GetAlpha(Symbols->GetBorderColor()) == 255);
    };
    return Opaque(FPointSymbolSettings.get()) &&
           (!FRangeFromFunction || Opaque(FOutOfRangeSymbolSettings.get()));
}

bool TQvSeries::KeepsTopmostOnly() const {
    return FGraph && PlainKind() && FPointSymbolSettings->GetVisible() &&
           !FLineSettings->GetVisible() && !FAreaSettings->GetVisible() && !FOnGetPointSymbol &&
           !FRangeFromFunction && !FDrawBandTo && SymbolsCover() && PlainValues();
}

void TQvSeries::ReduceMapped(int Start, int Stop, bool Symbols,
                             const QvPointStages::TAlike& Alike) {
    QvPointStages::TPointList& Out = FScreen.Output();
    const int n = Stop - Start + 1;
    if (!Symbols && PlainValues() && n >= ShareFrom) {
        // The pieces of a line reduce alike on both cores, each taking them from its end:
        // halves fixed in advance left one core waiting whenever the other ran slower. This
        // core's pieces follow each other from the first, straight into Out; the second core's
        // go to lists of their own, joined on in order. Each piece keeps its ends, so the line
        // goes on where they meet.
        const int Pieces = std::clamp(n / PieceFrom, 2, MostPieces);
        const auto FirstOf = [&](int k) { return Start + int(std::int64_t(n) * k / Pieces); };
        std::vector<QvPointStages::TPointList> Back(static_cast<std::size_t>(Pieces));
        Out.Points.reserve(Out.Points.size() + std::size_t(n));
        Out.Index.reserve(Out.Index.size() + std::size_t(n));
        ShareFromBothEnds(std::size_t(Pieces), [&](std::size_t k, bool FromBack) {
            ReduceLine(FirstOf(int(k)), FirstOf(int(k) + 1) - 1, FromBack ? Back[k] : Out);
        });
        for (int k = 0; k < Pieces; ++k) {
            const QvPointStages::TPointList& Piece = Back[std::size_t(k)];
            Out.Append(Piece, !Piece.Index.empty() && Piece.Index.front() == FirstOf(k));
        }
        return;
    }
    if (!Symbols) {
        ReduceLine(Start, Stop, Out);
        return;
    }
    std::vector<TGPPointF> Mapped;
    std::vector<int> Index;
    if (PlainValues()) {
        Mapped.resize(size_t(n));
        Index.resize(size_t(n));
        MapPlainValues(Start, n, Mapped.data());
        std::iota(Index.begin(), Index.end(), Start);
    } else {
        Mapped.reserve(size_t(n));
        Index.reserve(size_t(n));
        for (int i = Start; i <= Stop; ++i)
            if (HasValuesAt(i)) {
                Mapped.push_back(ScreenPoint(i));
                Index.push_back(i);
            }
    }
    ReducePoints(Out, Mapped, Index, true, Alike);
}

void TQvSeries::ReduceLine(int Start, int Stop, QvPointStages::TPointList& Out) const {
    // Room for every point at once: grown step by step, a list of a million points is copied
    // into fresh pages again and again.
    Out.Points.reserve(Out.Points.size() + size_t(Stop - Start + 1));
    Out.Index.reserve(Out.Index.size() + size_t(Stop - Start + 1));
    QvPointStages::TLineReducer Line(LineBounds(), Out);
    if (!PlainValues()) {
        for (int i = Start; i <= Stop; ++i)
            if (HasValuesAt(i)) Line.Add(ScreenPoint(i), i);
        Line.Finish();
        return;
    }
    // Mapped a block at a time, while the block is in the cache. A block is thinned where half
    // its steps or more stay within a pixel column: only there do the stages after the edges
    // drop enough points to pay for themselves.
    constexpr int Block = 1024;
    std::array<TGPPointF, Block> Mapped;
    for (int i = Start; i <= Stop; i += Block) {
        const int n = std::min(Block, Stop - i + 1);
        MapPlainValues(i, n, Mapped.data());
        int Close = 0;
        for (int k = 1; k < n; ++k)
            Close +=
                std::abs(Mapped[size_t(k)].X - Mapped[size_t(k - 1)].X) < QvPointStages::NearPixels;
        Line.SetThinning(2 * Close >= n);
        for (int k = 0; k < n; ++k)
            Line.Add(Mapped[size_t(k)], i + k);
    }
    Line.Finish();
}

TGPRectF TQvSeries::LineBounds() const {
    // Beyond the graph's own rectangle (and a pixel for smoothing) nothing shows.
    constexpr float Far = 1e30f;
    return FGraph ? TGPRectF{-2, -2, float(FGraph->GetWidth()) + 4, float(FGraph->GetHeight()) + 4}
                  : TGPRectF{-Far, -Far, 2 * Far, 2 * Far};
}

void TQvSeries::ReducePoints(QvPointStages::TPointList& Out, std::span<const TGPPointF> Points,
                             std::span<const int> Indices, bool Symbols,
                             const QvPointStages::TAlike& Alike) const {
    if (!Symbols) {
        QvPointStages::TLineReducer Line(LineBounds(), Out);
        for (size_t k = 0; k < Points.size(); ++k)
            Line.Add(Points[k], Indices[k]);
        Line.Finish();
        return;
    }
    size_t End = 0;
    QvPointStages::ForEachFiniteRun(Points, [&](size_t First, size_t n) {
        if (First > End) Out.Break();
        End = First + n;
        QvPointStages::ReduceForSymbols(Points.subspan(First, n), Indices.subspan(First, n), Out,
                                        Alike);
    });
    if (End < Points.size()) Out.Break();
}

// Ascending X, plain values the axes can show, no hidden outliers, no symbols and several
// points per pixel column: the line is reduced column by column from the min/max hierarchy.
bool TQvSeries::CanUseHierarchy(bool Ascending, int Start, int Stop) const {
    if (!Ascending || FXTransformation || FYTransformation || !FYData->Data()) return false;
    if (!FOutliersVisible && FYData->GetAnyOutliers()) return false;
    // Of the values the axes cannot show, only NaN among Y values is taken care of there.
    const auto Showable = [](const TQvCustomDoubleVector* Data, const TQvAxis* Axis) {
        const double Lo = Data->GetMinimumIncludingOutliers();
        const double Hi = Data->GetMaximumIncludingOutliers();
        return std::isfinite(Lo) && std::isfinite(Hi) && (!Axis->GetHasLogScaling() || Lo > 0);
    };
    if (!Showable(FXData, FXAxis) || !Showable(FYData, FYAxis)) return false;
    const float Columns = std::abs(FXAxis->NumberToWorld(FXData->GetValue(Stop)) -
                                   FXAxis->NumberToWorld(FXData->GetValue(Start))) +
                          1;
    return float(Stop - Start + 1) > DenseColumn * Columns;
}

void TQvSeries::ReduceByColumns(int Start, int Stop) {
    const std::span<const double> Y(FYData->Data(), size_t(FYData->GetCount()));
    const double* X = FXData->Data();
    const TQvAxisMapper XMap(*FXAxis), YMap(*FYAxis);
    const TQvMinMaxHierarchy& Hierarchy = FYData->MinMaxHierarchy();
    const auto XAt = [this, X](int i) { return X ? X[i] : FXData->GetValue(i); };
    const auto Reduce = [&](int From, int To, QvPointStages::TPointList& Out) {
        QvPointStages::ReduceByColumns(
            Y, Hierarchy, From, To, XAt, [&XMap](double v) { return XMap.Pixel(v); },
            [&XMap](float p) { return XMap.Number(p); },
            [&YMap](double v) { return YMap.Pixel(v); }, Out, X);
    };
    QvPointStages::TPointList& Out = FScreen.Output();
    if (Stop - Start < ShareFrom) {
        Reduce(Start, Stop, Out);
        return;
    }
    // Many values go half to each core, in whole pixel columns: the second core begins with
    // the first value of the column the middle value falls into, where the edges lie as the
    // columns find them.
    const int Seam = QvPointStages::Column(XMap.Pixel(XAt(Start + (Stop - Start) / 2)));
    const double Low = XMap.Number(float(Seam) - 0.5f), High = XMap.Number(float(Seam) + 0.5f);
    // The first index whose value lies at Edge or beyond, by halving.
    const auto FirstFrom = [&](double Edge) {
        int Lo = Start, Hi = Stop + 1;
        while (Lo < Hi) {
            const int m = Lo + (Hi - Lo) / 2;
            if (XAt(m) < Edge)
                Lo = m + 1;
            else
                Hi = m;
        }
        return Lo;
    };
    const int Middle = FirstFrom(std::min(Low, High));
    if (Middle <= Start || Middle > Stop) {
        Reduce(Start, Stop, Out);
        return;
    }
    QvPointStages::TPointList Second;
    RunOnBothCores([&] { Reduce(Start, Middle - 1, Out); }, [&] { Reduce(Middle, Stop, Second); });
    // The line goes on unless the column was all NaN.
    Out.Append(Second,
               !Second.Index.empty() && Second.Index.front() < FirstFrom(std::max(Low, High)));
}

// The Y pixel the area closes at: the axis start when it lies above 0, else 0.
float TQvSeries::AreaBase(bool Shifted) const {
    const double Start = FYAxis->GetStart();
    if (Start > 0) return FYAxis->NumberToWorld(Start) - (Shifted ? AreaBaseShift : 0);
    return FYAxis->NumberToWorld(0) - AreaBaseShift;
}

std::vector<std::vector<TGPPointF>> TQvSeries::AreaPolygons() {
    std::vector<std::vector<TGPPointF>> Polygons;
    const TQvScreenPoints& Own = CurrentScreenPoints();
    if (Own.Count() == 0) return Polygons;
    const std::vector<TGPPointF>& Points = Own.Points();
    if (FDrawBandTo && FDrawBandTo->GetCount() > 0) {
        const std::vector<TGPPointF>& Theirs = FDrawBandTo->CurrentScreenPoints().Points();
        if (!Theirs.empty()) {
            std::vector<TGPPointF> Band(Points);
            Band.insert(Band.end(), Theirs.rbegin(), Theirs.rend());
            Polygons.push_back(std::move(Band));
            return Polygons;
        }
    }
    const float Base = AreaBase(true);
    Own.ForEachRun([&](size_t First, size_t n) {
        std::vector<TGPPointF> Run(Points.begin() + long(First), Points.begin() + long(First + n));
        Run.push_back({Run.back().X, Base});
        Run.push_back({Run.front().X, Base});
        Polygons.push_back(std::move(Run));
    });
    return Polygons;
}

// ---- Hit testing ----

int TQvSeries::FindPoint(float X, float Y, float Tolerance) const {
    if (FScreen.Stale()) return -1;
    const std::vector<TGPPointF>& Points = FScreen.Points();
    for (size_t i = 0; i < Points.size(); ++i) {
        const TGPPointF& P = Points[i];
        if (std::abs(P.X - X) <= Tolerance && std::abs(P.Y - Y) <= Tolerance)
            return FScreen.Index()[i];
    }
    return -1;
}

int TQvSeries::FindPoint(float X, float Y) const {
    return FindPoint(X, Y,
                     FPointSymbolSettings->GetVisible() ? FPointSymbolSettings->GetSize() : 1.0f);
}

template <class Distance>
TQvNearestPointResult TQvSeries::Nearest(const Distance& Measure, bool InX, bool InY,
                                         std::optional<float> FromX) const {
    TQvNearestPointResult Result;
    if (FScreen.Stale() || !FGraph) return Result;
    const TGPRectF& Area = FGraph->GetDrawingArea();
    const std::vector<TGPPointF>& Points = FScreen.Points();
    // Ties keep the point that comes first.
    size_t Best = Points.size();
    const auto Consider = [&](size_t i) {
        const TGPPointF& P = Points[i];
        if (InX && (P.X < Area.X || P.X > Area.X + Area.Width)) return;
        if (InY && (P.Y < Area.Y || P.Y > Area.Y + Area.Height)) return;
        const float d = Measure(P);
        if (d < Result.Distance || (d == Result.Distance && i < Best)) {
            Result.Distance = d;
            Best = i;
        }
    };
    const bool Ascending = FScreen.AscendingX(), Descending = FScreen.DescendingX();
    if (FromX && (Ascending || Descending)) {
        const float X = *FromX;
        const auto Split =
            std::partition_point(Points.begin(), Points.end(), [X, Ascending](const TGPPointF& P) {
                return Ascending ? P.X < X : P.X > X;
            });
        const auto Within = [&](size_t i) { return std::abs(Points[i].X - X) <= Result.Distance; };
        for (size_t i = size_t(Split - Points.begin()); i < Points.size() && Within(i); ++i)
            Consider(i);
        for (size_t i = size_t(Split - Points.begin()); i > 0 && Within(i - 1); --i)
            Consider(i - 1);
    } else {
        for (size_t i = 0; i < Points.size(); ++i)
            Consider(i);
    }
    if (Best == Points.size()) return Result;
    Result.Found = true;
    Result.Index = FScreen.Index()[Best];
    Result.ThePoint = Points[Best];
    if (Result.Index < 0) {
        // A point of a curve: the X of its pixel and the function there.
        Result.X = FXAxis->WorldToNumber(Result.ThePoint.X);
        Result.Y = GetY(Result.X);
    } else {
        Result.X = ValueX(Result.Index);
        Result.Y = ValueY(Result.Index);
    }
    return Result;
}

TQvNearestPointResult TQvSeries::NearestPoint(const TGPPointF& Target) const {
    return Nearest(
        [&Target](const TGPPointF& P) { return std::hypot(P.X - Target.X, P.Y - Target.Y); }, true,
        true, Target.X);
}

TQvNearestPointResult TQvSeries::NearestX(float X) const {
    return Nearest([X](const TGPPointF& P) { return std::abs(P.X - X); }, true, false, X);
}

TQvNearestPointResult TQvSeries::NearestY(float Y) const {
    return Nearest([Y](const TGPPointF& P) { return std::abs(P.Y - Y); }, false, true,
                   std::nullopt);
}

double TQvSeries::GetY(double X) const {
    const int n = GetCount();
    // The two neighbouring points with values around X; outside, the outermost pair.
    int Before = -1, After = -1, First = -1, Second = -1, Last = -1, Previous = -1;
    for (int i = 0; i < n; ++i) {
        if (!HasValuesAt(i)) continue;
        const double x = TransformX(i, FXData->GetValue(i));
        if (First < 0) {
            First = i;
        } else if (Second < 0) {
            Second = i;
        }
        if (Previous >= 0 && Before < 0) {
            const double xp = TransformX(Previous, FXData->GetValue(Previous));
            if ((xp <= X && X <= x) || (x <= X && X <= xp)) {
                Before = Previous;
                After = i;
            }
        }
        Last = Previous = i;
    }
    if (First < 0) return 0;
    auto YAt = [this](int i) { return TransformY(i, FYData->GetValue(i)); };
    if (Second < 0) return YAt(First);
    if (Before < 0) {
        // Extrapolate from the pair at the end nearer to X.
        const double x0 = TransformX(First, FXData->GetValue(First));
        const double xl = TransformX(Last, FXData->GetValue(Last));
        if (std::abs(X - x0) <= std::abs(X - xl)) {
            Before = First;
            After = Second;
        } else {
            After = Last;
            Before = Last;
            for (int i = Last - 1; i >= 0; --i)
                if (HasValuesAt(i)) {
                    Before = i;
                    break;
                }
        }
    }
    const double x0 = TransformX(Before, FXData->GetValue(Before));
    const double x1 = TransformX(After, FXData->GetValue(After));
    const double y0 = YAt(Before), y1 = YAt(After);
    if (x1 == x0) return y0;
    return y0 + (X - x0) * (y1 - y0) / (x1 - x0);
}
