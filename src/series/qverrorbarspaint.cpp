// Drawing error bars: each bar with its cap as a path, or, for many thin plain bars on a
// raster, as whole-pixel runs; and the legend sample.

#include "series/qverrorbars.h"

#include "graph/qvgraph2d.h"

#include <cmath>

namespace {

using TBar = TQvPointWithErrorSeries::TBar;
constexpr auto Bars = TQvPointWithErrorSeries::AllBars;
// The legend sample's bar reaches this far above and below the symbol.
constexpr float LegendBarReach = 4;

// One-pixel lines along the rows (or the columns) of a raster, gathered into whole-pixel runs:
// a line joins the open run of its row when it overlaps or touches it, else closes it. The bars
// of neighbouring points overlap, so few runs remain.
class TPixelRuns {
public:
    // Lines First .. Last; lines beyond are dropped, their pixels beyond Lo .. Hi cut off.
    // Pixel k covers Offset + k to Offset + k + 1.
    TPixelRuns(bool Vertical, int First, int Last, int Lo, int Hi, float Offset)
        : FVertical(Vertical), FFirst(First), FLo(Lo), FHi(Hi), FOffset(Offset),
          FOpen(size_t(Last - First + 1)) {}

    void Add(int Line, int From, int To) {
        if (Line < FFirst || Line >= FFirst + int(FOpen.size())) return;
        From = std::max(From, FLo);
        To = std::min(To, FHi);
        if (From > To) return;
        TRun& Open = FOpen[size_t(Line - FFirst)];
        if (Open.From <= Open.To && From <= Open.To + 1 && To >= Open.From - 1) {
            Open.From = std::min(Open.From, From);
            Open.To = std::max(Open.To, To);
            return;
        }
        Close(Line, Open);
        Open = {From, To};
    }
    // Closes every run, adding it to Rects.
    void AppendTo(std::vector<TGPRectF>& Rects) {
        for (size_t k = 0; k < FOpen.size(); ++k)
            Close(FFirst + int(k), FOpen[k]);
        Rects.insert(Rects.end(), FRects.begin(), FRects.end());
    }

private:
    struct TRun {
        int From = 1, To = 0; // none while From > To
    };
    void Close(int Line, TRun& Run) {
        if (Run.From > Run.To) return;
        const float Along = float(Run.From) + FOffset, Length = float(Run.To - Run.From + 1);
        const float Across = float(Line) + FOffset;
        FRects.push_back(FVertical ? TGPRectF{Across, Along, 1, Length}
                                   : TGPRectF{Along, Across, Length, 1});
        Run = {};
    }

    bool FVertical;
    int FFirst, FLo, FHi;
    float FOffset;
    std::vector<TRun> FOpen;
    std::vector<TGPRectF> FRects;
};

} // namespace

void TQvPointWithErrorSeries::PaintGr(TGPGraphics* Graphics) {
    if (FXAxis && FYAxis && FGraph && SeriesVisible() && CurrentScreenPoints().Count() == 1) {
        // A lone point has no line, but its bars show.
        DrawIndicators(Graphics);
        return;
    }
    TQvPointSeries::PaintGr(Graphics);
}

// The bars go over the line and, like it, leave out translucent symbols.
void TQvPointWithErrorSeries::DrawLine(TGPGraphics* Graphics) {
    TQvPointSeries::DrawLine(Graphics);
    DrawIndicators(Graphics);
}

void TQvPointWithErrorSeries::DrawIndicators(TGPGraphics* Graphics) {
    const std::vector<TGPPointF>& Points = FScreen.Points();
    if (!BarsShown() || FEnds[XPlus].size() != Points.size()) return;
    if (!FErrorIndicatorsPen)
        FErrorIndicatorsPen = FErrorIndicator->GetPen(FGraph->GetDrawingArea());
    if (CanDrawRuns(Graphics)) {
        DrawRuns(Graphics);
        return;
    }
    const float h = (FPointSymbolSettings->GetSize() - 1) / 2;
    const auto AddBars = [&](TGPGraphicsPath& Path, size_t k) {
        const TGPPointF& P = Points[k];
        for (TBar Bar : Bars) {
            const float End = FEnds[Bar][k];
            if (std::isnan(End)) continue;
            Path.StartFigure();
            if (Horizontal(Bar)) {
                Path.AddLine(P.X, P.Y, End, P.Y);
                Path.StartFigure();
                Path.AddLine(End, P.Y - h, End, P.Y + h);
            } else {
                Path.AddLine(P.X, P.Y, P.X, End);
                Path.StartFigure();
                Path.AddLine(P.X - h, End, P.X + h, End);
            }
        }
    };
    if (!FOnGetIndicatorsPen) {
        TGPGraphicsPath Path;
        for (size_t k = 0; k < Points.size(); ++k)
            AddBars(Path, k);
        Graphics->DrawPath(*FErrorIndicatorsPen, Path);
        return;
    }
    const std::vector<int>& Index = FScreen.Index();
    for (size_t k = 0; k < Points.size(); ++k) {
        const int i = Index[k];
        TQvPenEventArgs Args{i, ValueX(i), ValueY(i), FErrorIndicatorsPen.get(),
                             FErrorIndicator->GetVisible()};
        FOnGetIndicatorsPen(this, Args);
        if (!Args.Visible || !Args.Pen) continue;
        TGPGraphicsPath Path;
        AddBars(Path, k);
        Graphics->DrawPath(*Args.Pen, Path);
    }
}

// More points than the data area has pixel columns, drawn with a thin plain pen on a raster.
bool TQvPointWithErrorSeries::CanDrawRuns(TGPGraphics* Graphics) const {
    const TGPRectF& Area = FGraph->GetDrawingArea();
    // The runs need a data area of screen size.
    const auto Fits = [](float Start, float Extent) {
        return std::isfinite(Start) && Extent > 0 && Extent < QvPointStages::MaxGridSide;
    };
    return Graphics->IsRaster() && !FOnGetIndicatorsPen && Fits(Area.X, Area.Width) &&
           Fits(Area.Y, Area.Height) && float(FScreen.Count()) > Area.Width &&
           FErrorIndicator->GetWidth() <= 1 &&
           FErrorIndicator->GetDashStyle() == TGPDashStyle::Solid &&
           !FErrorIndicator->GetGradient()->GetVisible();
}

// Each bar and cap is a line one pixel wide along a row or a column, so filling the pixels it
// covers inks what stroking it inks (a cap may end a pixel later) at a fraction of the cost.
// With smoothing, pixels are centred on whole coordinates, else they lie right and below them.
void TQvPointWithErrorSeries::DrawRuns(TGPGraphics* Graphics) {
    const TGPSmoothingMode Mode = Graphics->GetSmoothingMode();
    const float Offset =
        Mode == TGPSmoothingMode::AntiAlias || Mode == TGPSmoothingMode::HighQuality ? -0.5f : 0;
    const TGPRectF& Area = FGraph->GetDrawingArea();
    if (FRuns.Generation != FScreen.Generation() || !(FRuns.Area == Area) || FRuns.Offset != Offset)
        FRuns = {MakeRuns(Offset), FScreen.Generation(), Area, Offset};
    const TGPSolidBrush Fill(FErrorIndicator->GetColor());
    Graphics->FillRectangles(Fill, FRuns.Rects.data(), int(FRuns.Rects.size()));
}

std::vector<TGPRectF> TQvPointWithErrorSeries::MakeRuns(float Offset) const {
    // Rounding down by truncation: the coordinates are cut to the data area first, so they
    // stay far above -Bias.
    constexpr double Bias = 1 << 20;
    const auto Pixel = [Offset](float c) { return int(double(c) - Offset + Bias) - int(Bias); };
    const float h = (FPointSymbolSettings->GetSize() - 1) / 2;
    // Bars outside the data area are cut off there, but for their caps.
    const TGPRectF& Area = FGraph->GetDrawingArea();
    const float Margin = h + 2;
    const int Left = Pixel(Area.X - Margin), Right = Pixel(Area.X + Area.Width + Margin);
    const int Top = Pixel(Area.Y - Margin), Bottom = Pixel(Area.Y + Area.Height + Margin);
    const auto Clamped = [&](float c, bool X) {
        return X ? Pixel(std::clamp(c, Area.X - Margin, Area.X + Area.Width + Margin))
                 : Pixel(std::clamp(c, Area.Y - Margin, Area.Y + Area.Height + Margin));
    };
    TPixelRuns Rows(false, Top, Bottom, Left, Right, Offset);
    TPixelRuns Columns(true, Left, Right, Top, Bottom, Offset);
    const std::vector<TGPPointF>& Points = FScreen.Points();
    for (size_t k = 0; k < Points.size(); ++k) {
        const TGPPointF& P = Points[k];
        const int Column = Clamped(P.X, true), Row = Clamped(P.Y, false);
        for (TBar Bar : Bars) {
            const float End = FEnds[Bar][k];
            if (std::isnan(End)) continue;
            if (Horizontal(Bar)) {
                const int To = Clamped(End, true);
                if (End != P.X) Rows.Add(Row, std::min(Column, To), std::max(Column, To));
                Columns.Add(To, Clamped(P.Y - h, false), Clamped(P.Y + h, false));
            } else {
                const int To = Clamped(End, false);
                if (End != P.Y) Columns.Add(Column, std::min(Row, To), std::max(Row, To));
                Rows.Add(To, Clamped(P.X - h, true), Clamped(P.X + h, true));
            }
        }
    }
    std::vector<TGPRectF> Rects;
    Rows.AppendTo(Rects);
    Columns.AppendTo(Rects);
    return Rects;
}

float TQvPointWithErrorSeries::LegendSampleHeight() const {
    const float Height = TQvPointSeries::LegendSampleHeight();
    if (!BarsShown() || (!FDelta[YPlus] && !FDelta[YMinus])) return Height;
    return Height + 2 * LegendBarReach;
}

// The sample of the points with a bar through it, vertical for Y errors, horizontal for X.
void TQvPointWithErrorSeries::DrawListItem(const TQvLegendItemDrawArgs& Args,
                                           LegendItemStyle Style) {
    if (BarsShown()) {
        TGPGraphics* G = Args.Graphics;
        const float X = float(Args.Rect.Left), Y = float(Args.Rect.Top);
        const float W = float(Args.Rect.Right), H = float(Args.Rect.Bottom);
        const float Cx = X + W / 2, Cy = Y + H / 2;
        // A pixel inside the sample, so that the caps are not cut off.
        const float Reach = (FPointSymbolSettings->GetSize() + 1) / 2 + LegendBarReach - 1;
        const float h = (FPointSymbolSettings->GetSize() - 1) / 2;
        const std::unique_ptr<TQvPen> Pen = FErrorIndicator->GetPen(TGPRectF{X, Y, W, H});
        if (FDelta[YPlus] || FDelta[YMinus]) {
            const float Top = std::max(Y + 1, Cy - Reach), Bottom = std::min(Y + H - 1, Cy + Reach);
            G->DrawLine(*Pen, Cx, Top, Cx, Bottom);
            G->DrawLine(*Pen, Cx - h, Top, Cx + h, Top);
            G->DrawLine(*Pen, Cx - h, Bottom, Cx + h, Bottom);
        }
        if (FDelta[XPlus] || FDelta[XMinus]) {
            const float Left = std::max(X + 1, Cx - Reach), Right = std::min(X + W - 1, Cx + Reach);
            G->DrawLine(*Pen, Left, Cy, Right, Cy);
            G->DrawLine(*Pen, Left, Cy - h, Left, Cy + h);
            G->DrawLine(*Pen, Right, Cy - h, Right, Cy + h);
        }
    }
    TQvPointSeries::DrawListItem(Args, Style);
}
