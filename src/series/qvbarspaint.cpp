// Painting bars: the first visible bar series of a graph paints every bar series of it, class by
// class, so that bars drawn in depth cover each other in the right order; then hit tests, the
// room they need beside the data area and the legend sample.

#include "series/qvbars.h"

#include "annotations/qvrichlabel.h"
#include "axes/qvaxis.h"
#include "graph/qvgraph2d.h"

#include <algorithm>
#include <cmath>

namespace {

// A line colour that draws no outline.
constexpr TQvColor NoLine = 0x00FFFFFF;

} // namespace

void TQvBars::PaintGr(TGPGraphics* Graphics) {
    if (!FXAxis || !FYAxis || !FGraph || !SeriesVisible()) return;
    std::vector<TQvBars*> All;
    for (int k = 0; k < FGraph->SeriesCount(); ++k) {
        auto* Bars = qobject_cast<TQvBars*>(FGraph->Series(k));
        if (Bars && Bars->SeriesVisible() && Bars->FXAxis && Bars->FYAxis) All.push_back(Bars);
    }
    if (All.empty() || All.front() != this) return;
    for (TQvBars* Bars : All)
        Bars->CurrentScreenPoints();
    if (std::all_of(All.begin(), All.end(),
                    [](const TQvBars* B) { return !B->FColumns.empty(); })) {
        for (TQvBars* Bars : All)
            for (const TBar& Column : Bars->FColumns)
                Bars->PaintBar(Graphics, Column);
        return;
    }
    // Class by class; each series' bars come in class order.
    std::vector<size_t> Next(All.size(), 0);
    for (bool Any = true; Any;) {
        Any = false;
        int Class = std::numeric_limits<int>::max();
        for (size_t s = 0; s < All.size(); ++s)
            if (Next[s] < All[s]->FBars.size())
                Class = std::min(Class, All[s]->FBars[Next[s]].Index);
        for (size_t s = 0; s < All.size(); ++s) {
            TQvBars* Bars = All[s];
            if (Next[s] >= Bars->FBars.size() || Bars->FBars[Next[s]].Index != Class) continue;
            Any = true;
            const size_t k = Next[s]++;
            Bars->PaintBar(Graphics, Bars->FBars[k]);
            if (k < Bars->FLabels.size()) Bars->FLabels[k]->PaintGr(Graphics);
        }
    }
}

void TQvBars::PaintBar(TGPGraphics* Graphics, const TBar& Bar) {
    const TGPRectF Rect{Bar.TopLeft.X, Bar.TopLeft.Y, Bar.BottomRight.X - Bar.TopLeft.X,
                        Bar.BottomRight.Y - Bar.TopLeft.Y};
    const int i = Bar.Index;
    const double X = ValueX(i), Y = ValueY(i);
    std::unique_ptr<TGPBrush> Brush = FAreaSettings->GetBrush(Rect);
    TQvBrushEventArgs BrushArgs{i, X, Y, Brush.get(), FAreaSettings->GetVisible()};
    if (FOnGetBrush) FOnGetBrush(this, BrushArgs);
    std::unique_ptr<TQvPen> Pen = FLineSettings->GetPen(Rect);
    TQvPenEventArgs PenArgs{i, X, Y, Pen.get(), FLineSettings->GetVisible()};
    if (FOnGetPen) FOnGetPen(this, PenArgs);
    const bool Filled = BrushArgs.Visible && BrushArgs.Brush;
    const bool Outlined = PenArgs.Visible && PenArgs.Pen;
    if (FBarStyle == TQvBarStyle::Flat) {
        // Bars stand on whole pixels, crisp.
        FGraph->SetHighQuality(Graphics, false);
        if (Filled) Graphics->FillRectangle(*BrushArgs.Brush, Rect);
        if (Outlined) {
            const float w = PenArgs.Pen->GetWidth();
            Graphics->DrawRectangle(*PenArgs.Pen, Rect.X + w / 2, Rect.Y + w / 2,
                                    std::max(Rect.Width - w, 0.0f),
                                    std::max(Rect.Height - w, 0.0f));
        }
        return;
    }
    FGraph->SetHighQuality(Graphics, true);
    const TQvColor Fill = Filled ? FAreaSettings->GetForeColor() : NoLine;
    const TQvColor Line = Outlined ? PenArgs.Pen->GetColor() : NoLine;
    const float X1 = Bar.TopLeft.X, Y1 = Bar.TopLeft.Y;
    const float X2 = Bar.BottomRight.X, Y2 = Bar.BottomRight.Y;
    if (FBarStyle == TQvBarStyle::Cuboid)
        Draw3DBar(Graphics, Fill, Line, FDepthX, FDepthY, X1, Y1, X2, Y2);
    else if (FBarsHorizontal)
        DrawCylinderHorizontal(Graphics, Fill, Line, FDepthX, FZylShift, X1, Y1, X2, Y2);
    else
        DrawCylinderVertical(Graphics, Fill, Line, FDepthY, FZylShift, X1, Y1, X2, Y2);
}

std::optional<TGPPointF> TQvBars::DepthOffsets() const {
    if (FBarStyle == TQvBarStyle::Flat) return std::nullopt;
    return TGPPointF{FDepthX, FDepthY};
}

float TQvBars::ExtraSpaceAt(TQvAxisPosition Position) const {
    if (!SeriesVisible() || !FXAxis || !FYAxis) return 0;
    // Depth and labels follow from the bars, made here for the axes as they stand before the
    // layout: their sizes hardly change with the few pixels the layout moves the axes.
    const_cast<TQvBars*>(this)->CurrentScreenPoints();
    const bool Depth = FBarStyle != TQvBarStyle::Flat;
    // Labels beyond the bars' ends, at the far side of the value axis.
    float Labels = 0;
    if (FLabelPosition == TQvBarLabelPosition::OnTopOfBar)
        for (const auto& Label : FLabels)
            Labels = std::max(Labels, FBarsHorizontal == FLabelVertical ? Label->GetHeight()
                                                                        : Label->GetWidth());
    switch (Position) {
    case TQvAxisPosition::Left:
    case TQvAxisPosition::Right:
        // Along a vertical axis: the top face of vertical bars, labels above them.
        return (Depth ? FDepthY : 0) + (FBarsHorizontal ? 0 : Labels);
    default:
        return (Depth ? FDepthX : 0) + (FBarsHorizontal ? Labels : 0);
    }
}

void TQvBars::DrawListItem(const TQvLegendItemDrawArgs& Args) {
    // A small bar: filled, outlined when the line shows.
    const TGPRectF Rect{float(Args.Rect.Left), float(Args.Rect.Top), float(Args.Rect.Right),
                        float(Args.Rect.Bottom)};
    if (FAreaSettings->GetVisible())
        Args.Graphics->FillRectangle(*FAreaSettings->GetBrush(Rect), Rect);
    if (!FLineSettings->GetVisible()) return;
    const std::unique_ptr<TQvPen> Pen = FLineSettings->GetPen(Rect);
    const float w = Pen->GetWidth();
    Args.Graphics->DrawRectangle(*Pen, Rect.X + w / 2, Rect.Y + w / 2, Rect.Width - w,
                                 Rect.Height - w);
}

int TQvBars::FindPoint(float X, float Y) const {
    return FindPoint(X, Y, 0);
}

int TQvBars::FindPoint(float X, float Y, float Tolerance) const {
    if (FScreen.Stale()) return -1;
    for (const TBar& Bar : FBars)
        if (X >= Bar.TopLeft.X - Tolerance && X <= Bar.BottomRight.X + Tolerance &&
            Y >= Bar.TopLeft.Y - Tolerance && Y <= Bar.BottomRight.Y + Tolerance)
            return Bar.Index;
    return -1;
}
