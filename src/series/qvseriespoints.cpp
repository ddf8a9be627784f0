// Screen points of a series: the values mapped to pixels and reduced to what the screen can
// show, the closing points of its area, and hit tests on them.

#include "series/qvseries.h"

#include "axes/qvaxis.h"
#include "graph/qvgraph2d.h"
#include "series/qvminmax.h"

#include <algorithm>
#include <cmath>

namespace {

// Ascending data are clipped to the visible range only above this many points.
constexpr int ClipMinimum = 21;
// Points closer than this in both directions draw as one.
constexpr float NearPixels = 1.0f;
// Lines with more points per pixel column than this are reduced column by column.
constexpr float DenseColumn = 2.0f;
// The polygon of the area closes this far inside the axis start.
constexpr float AreaBaseShift = 0.5f;

// Pixel centres lie on whole coordinates, so a column spans half a pixel to either side.
int Column(float X) {
    return int(std::floor(X + 0.5f));
}

// Within each pixel column only the first, the lowest, the highest and the last point of a
// line change pixels; the others are dropped.
void KeepFourPerColumn(std::vector<TGPPointF>& Points, std::vector<int>& Index, int From) {
    int Out = From;
    int i = From;
    const int n = int(Points.size());
    while (i < n) {
        int j = i;
        const int c = Column(Points[size_t(i)].X);
        int Low = i, High = i;
        while (j + 1 < n && Column(Points[size_t(j + 1)].X) == c) {
            ++j;
            if (Points[size_t(j)].Y < Points[size_t(Low)].Y) Low = j;
            if (Points[size_t(j)].Y > Points[size_t(High)].Y) High = j;
        }
        int Keep[4] = {i, std::min(Low, High), std::max(Low, High), j};
        int Last = -1;
        for (int k : Keep) {
            if (k == Last) continue;
            Points[size_t(Out)] = Points[size_t(k)];
            Index[size_t(Out)] = Index[size_t(k)];
            ++Out;
            Last = k;
        }
        i = j + 1;
    }
    Points.resize(size_t(Out));
    Index.resize(size_t(Out));
}

} // namespace

TGPPointF TQvSeries::ScreenPoint(int i) const {
    return {FXAxis->NumberToWorld(TransformX(i, FXData->GetValue(i))),
            FYAxis->NumberToWorld(TransformY(i, FYData->GetValue(i)))};
}

bool TQvSeries::InFunctionRange(int Index) const {
    if (!FRangeFromFunction) return true;
    const double x = TransformX(Index, FXData->GetValue(Index));
    return x >= FRangeFromFunction->GetCalculationStart() &&
           x <= FRangeFromFunction->GetCalculationStop();
}

void TQvSeries::CalculatePoints() {
    if (FLastPointsCount == 0) {
        FPoints.clear();
        FPointIndex.clear();
        FPointCount = 0;
    }
    // The closing points of the area are added again below.
    FPoints.resize(size_t(FPointCount));
    FPointIndex.resize(size_t(FPointCount));
    const int Count = std::min(FCount, GetCount());
    if (FXAxis && FYAxis) {
        FXMapping = FXAxis->Mapping();
        FYMapping = FYAxis->Mapping();
    }
    if (Count > 0 && FXAxis && FYAxis) {
        int Start = FLastPointsCount, Stop = Count - 1;
        // The vector is ascending without its outliers, but they stay among the values.
        const bool Ascending = FXData->GetOnlyAscending() && !FXData->GetAnyOutliers();
        // Ascending data are cut to the visible range, one point beyond either end, so that
        // the line still enters and leaves the data area.
        if (Ascending && Stop - Start >= ClipMinimum) {
            const double Lo = std::min(FXAxis->GetStart(), FXAxis->GetStop());
            const double Hi = std::max(FXAxis->GetStart(), FXAxis->GetStop());
            auto X = [this](int i) { return TransformX(i, FXData->GetValue(i)); };
            if (FXTransformation) {
                while (Start < Stop && X(Start + 1) < Lo)
                    ++Start;
                while (Stop > Start && X(Stop - 1) > Hi)
                    --Stop;
            } else {
                const double* Data = FXData->Data();
                auto Value = [&](int i) { return Data ? Data[i] : FXData->GetValue(i); };
                // The first index at or above Lo, less one, and the last index at or below
                // Hi, plus one; with none inside, the one point nearest the range.
                int a = Start, b = Stop + 1;
                while (a < b) {
                    const int m = a + (b - a) / 2;
                    if (Value(m) < Lo)
                        a = m + 1;
                    else
                        b = m;
                }
                Start = std::max(Start, a - 1);
                a = Start - 1;
                b = Stop;
                while (a < b) {
                    const int m = a + (b - a + 1) / 2;
                    if (Value(m) > Hi)
                        b = m - 1;
                    else
                        a = m;
                }
                Stop = std::min(Stop, a + 1);
            }
            if (Start > Stop) Start = Stop;
        }
        while (Start < Stop && !HasValuesAt(Start))
            ++Start;
        while (Stop > Start && !HasValuesAt(Stop))
            --Stop;
        if (HasValuesAt(Start)) {
            const int From = int(FPoints.size());
            const bool Columns =
                !FPointSymbolSettings->GetVisible() && CanUseHierarchy(Ascending, Start, Stop);
            FColumnPoints = Columns && (From == 0 || FColumnPoints);
            if (FPointSymbolSettings->GetVisible())
                ReduceForSymbols(Start, Stop);
            else if (Columns)
                ReduceByColumns(Start, Stop);
            else
                ReduceForLine(Start, Stop, From);
        }
    }
    FPointCount = int(FPoints.size());
    FLastPointsCount = Count;
    AddBandPoints();
    FRecalculatePoints = false;
}

// Every point, unless it lies within a pixel of the point kept before it.
void TQvSeries::ReduceForSymbols(int Start, int Stop) {
    TGPPointF Last = ScreenPoint(Start);
    FPoints.push_back(Last);
    FPointIndex.push_back(Start);
    for (int i = Start + 1; i <= Stop; ++i) {
        if (!HasValuesAt(i)) continue;
        const TGPPointF P = ScreenPoint(i);
        if (std::abs(P.X - Last.X) <= NearPixels && std::abs(P.Y - Last.Y) <= NearPixels) continue;
        FPoints.push_back(P);
        FPointIndex.push_back(i);
        Last = P;
    }
}

// A line: points within a pixel of the last kept one are merged into the one after it, a
// monotone run within one pixel column keeps only its end, and then at most four points
// remain per column.
void TQvSeries::ReduceForLine(int Start, int Stop, int From) {
    auto Next = [this, Stop](int i) {
        do
            ++i;
        while (i <= Stop && !HasValuesAt(i));
        return i;
    };
    auto Keep = [this](int i, const TGPPointF& P) {
        FPoints.push_back(P);
        FPointIndex.push_back(i);
    };
    int Anchor = Start;
    TGPPointF A = ScreenPoint(Start);
    Keep(Anchor, A);
    int k = Next(Start);
    while (k <= Stop) {
        TGPPointF P = ScreenPoint(k);
        int Held = -1;
        TGPPointF HeldPoint{};
        while (k <= Stop && std::abs(P.X - A.X) < NearPixels && std::abs(P.Y - A.Y) < NearPixels) {
            Held = k;
            HeldPoint = P;
            k = Next(k);
            if (k <= Stop) P = ScreenPoint(k);
        }
        if (Held >= 0) {
            Keep(Held, HeldPoint);
            Anchor = Held;
            A = HeldPoint;
            continue;
        }
        int End = k;
        TGPPointF EndPoint = P;
        if (std::abs(P.X - A.X) < NearPixels) {
            const bool Down = P.Y > A.Y;
            for (int j = Next(End); j <= Stop; j = Next(j)) {
                const TGPPointF Q = ScreenPoint(j);
                if (std::abs(Q.X - A.X) >= NearPixels) break;
                if (Down ? Q.Y < EndPoint.Y : Q.Y > EndPoint.Y) break;
                End = j;
                EndPoint = Q;
            }
        }
        Keep(End, EndPoint);
        Anchor = End;
        A = EndPoint;
        k = Next(End);
    }
    KeepFourPerColumn(FPoints, FPointIndex, From);
}

// Ascending X, plain values, no outliers, no symbols and several points per pixel column: the
// first, lowest, highest and last point of every column straight from the min/max hierarchy,
// so the cost follows the screen width, not the number of points.
bool TQvSeries::CanUseHierarchy(bool Ascending, int Start, int Stop) const {
    if (!Ascending || FXTransformation || FYTransformation || !FYData->Data()) return false;
    if (!FOutliersVisible && (FXData->GetAnyOutliers() || FYData->GetAnyOutliers())) return false;
    const float Columns = std::abs(FXAxis->NumberToWorld(FXData->GetValue(Stop)) -
                                   FXAxis->NumberToWorld(FXData->GetValue(Start))) +
                          1;
    return float(Stop - Start + 1) > DenseColumn * Columns;
}

void TQvSeries::ReduceByColumns(int Start, int Stop) {
    const std::span<const double> Y(FYData->Data(), size_t(FYData->GetCount()));
    if (!FHierarchy) FHierarchy = std::make_unique<TQvMinMaxHierarchy>();
    FHierarchy->Extend(Y);
    const double* X = FXData->Data();
    auto PixelX = [this, X](int i) {
        return FXAxis->NumberToWorld(X ? X[i] : FXData->GetValue(i));
    };
    int i = Start;
    int Width = 1; // points in the column before
    while (i <= Stop) {
        // The last index in the pixel column of i; pixels are monotone in the index. Columns
        // tend to hold as many points as the one before, so the search starts from that guess:
        // few probes into data far apart in memory.
        // The column ends below the value of its far pixel edge: plain comparisons from here.
        const int c = Column(PixelX(i));
        const double Edge = std::max(FXAxis->WorldToNumber(float(c) - 0.5f),
                                     FXAxis->WorldToNumber(float(c) + 0.5f));
        auto InColumn = [&](int m) { return (X ? X[m] : FXData->GetValue(m)) < Edge; };
        // Steps of 1, 2, 4, ... from the guess find a bracket; halving closes it. Evenly
        // spaced data need two probes.
        int Lo = i, Hi = Stop + 1; // Lo counts as in the column, Hi not
        const int Guess = std::min(Stop, i + Width - 1);
        if (Guess == i || InColumn(Guess)) {
            Lo = Guess;
            int Step = 1;
            while (Lo + Step <= Stop && InColumn(Lo + Step)) {
                Lo += Step;
                Step *= 2;
            }
            Hi = std::min(Stop + 1, Lo + Step);
        } else {
            Hi = Guess;
            int Step = 1;
            while (Hi - Step > i && !InColumn(Hi - Step)) {
                Hi -= Step;
                Step *= 2;
            }
            Lo = std::max(i, Hi - Step);
        }
        while (Hi - Lo > 1) {
            const int m = Lo + (Hi - Lo) / 2;
            (InColumn(m) ? Lo : Hi) = m;
        }
        const int j = Lo;
        Width = j - i + 1;
        size_t Low = size_t(i), High = size_t(i);
        if (j > i) FHierarchy->MinMax(Y, size_t(i), size_t(j), Low, High);
        if (Low > size_t(j)) Low = High = size_t(i); // all NaN
        // All four stand on the column's centre: a line between them then stays inside the
        // column's pixels, with or without antialiasing, and leaves no gaps beside it. On one
        // x the order of the two extremes changes no pixel, so the shorter way is taken.
        const double First = Y[size_t(i)], Lowest = Y[Low], Highest = Y[High], Final = Y[size_t(j)];
        const bool LowFirst = std::abs(First - Lowest) + std::abs(Highest - Final) <=
                              std::abs(First - Highest) + std::abs(Lowest - Final);
        const int Keep[4] = {i, int(LowFirst ? Low : High), int(LowFirst ? High : Low), j};
        const float Centre = float(c);
        int Last = -1;
        for (int k : Keep) {
            if (k == Last) continue;
            FPoints.push_back({Centre, FYAxis->NumberToWorld(Y[size_t(k)])});
            FPointIndex.push_back(k);
            Last = k;
        }
        i = j + 1;
    }
}

// The Y pixel the area closes at: the axis start when it lies above 0, else 0.
float TQvSeries::AreaBase(bool Shifted) const {
    const double Start = FYAxis->GetStart();
    if (Start > 0) return FYAxis->NumberToWorld(Start) - (Shifted ? AreaBaseShift : 0);
    return FYAxis->NumberToWorld(0) - AreaBaseShift;
}

void TQvSeries::AddBandPoints() {
    FAreaPointCount = FPointCount;
    if (FPointCount == 0) return;
    if (FDrawBandTo && FDrawBandTo->GetCount() > 0) {
        FAreaSettings->SetVisible(true);
        if (FDrawBandTo->NeedsPoints() || FDrawBandTo->PointCount() == 0)
            FDrawBandTo->CalculatePoints();
        const int Other = FDrawBandTo->PointCount();
        if (Other > 0) {
            const std::vector<TGPPointF>& Theirs = FDrawBandTo->Points();
            for (int i = Other - 1; i >= 0; --i)
                FPoints.push_back(Theirs[size_t(i)]);
            FAreaPointCount = FPointCount + Other;
            return;
        }
    }
    const float Base = AreaBase(true);
    FPoints.push_back({FPoints[size_t(FPointCount - 1)].X, Base});
    FPoints.push_back({FPoints[0].X, Base});
    FAreaPointCount = FPointCount + 2;
}

// ---- Hit testing ----

int TQvSeries::FindPoint(float X, float Y, float Tolerance) const {
    if (FRecalculatePoints) return -1;
    for (int i = 0; i < FPointCount; ++i) {
        const TGPPointF& P = FPoints[size_t(i)];
        if (std::abs(P.X - X) <= Tolerance && std::abs(P.Y - Y) <= Tolerance)
            return FPointIndex[size_t(i)];
    }
    return -1;
}

int TQvSeries::FindPoint(float X, float Y) const {
    return FindPoint(X, Y,
                     FPointSymbolSettings->GetVisible() ? FPointSymbolSettings->GetSize() : 1.0f);
}

template <class Distance>
TQvNearestPointResult TQvSeries::Nearest(const Distance& Measure, bool InX, bool InY) const {
    TQvNearestPointResult Result;
    if (FRecalculatePoints || !FGraph) return Result;
    const TGPRectF& Area = FGraph->GetDrawingArea();
    for (int i = 0; i < FPointCount; ++i) {
        const TGPPointF& P = FPoints[size_t(i)];
        if (InX && (P.X < Area.X || P.X > Area.X + Area.Width)) continue;
        if (InY && (P.Y < Area.Y || P.Y > Area.Y + Area.Height)) continue;
        const float d = Measure(P);
        if (d < Result.Distance) {
            Result.Found = true;
            Result.Distance = d;
            Result.Index = FPointIndex[size_t(i)];
            Result.ThePoint = P;
        }
    }
    if (Result.Found) {
        Result.X = TransformX(Result.Index, FXData->GetValue(Result.Index));
        Result.Y = TransformY(Result.Index, FYData->GetValue(Result.Index));
    }
    return Result;
}

TQvNearestPointResult TQvSeries::NearestPoint(const TGPPointF& Target) const {
    return Nearest(
        [&Target](const TGPPointF& P) { return std::hypot(P.X - Target.X, P.Y - Target.Y); }, true,
        true);
}

TQvNearestPointResult TQvSeries::NearestX(float X) const {
    return Nearest([X](const TGPPointF& P) { return std::abs(P.X - X); }, true, false);
}

TQvNearestPointResult TQvSeries::NearestY(float Y) const {
    return Nearest([Y](const TGPPointF& P) { return std::abs(P.Y - Y); }, false, true);
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
