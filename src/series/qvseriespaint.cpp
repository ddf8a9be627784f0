// Drawing a series: area, line and symbols from the screen points, with per-segment and
// per-point style events, holes for translucent symbols, and the legend sample.

#include "series/qvseries.h"

#include "axes/qvaxis.h"
#include "framework/qvbothcores.h"
#include "framework/qvvectorstate.h"
#include "graph/qvgraph2d.h"
#include "series/qvsymbolstamps.h"

#include <QPainter>

#include <array>
#include <cmath>
#include <numeric>
#include <utility>

namespace {

// The device line is used only for series at least this long.
constexpr int CanvasDrawMinimum = 101;
// Thin lines of at least this many points go straight into the pixels of a raster.
constexpr size_t ThinDirectMinimum = 1000;
// Longer lines than two blocks of this many points are rounded to whole pixels on both cores.
constexpr size_t RoundedBlock = 8192;

Qt::PenStyle QtDash(TGPDashStyle Style) {
    switch (Style) {
    case TGPDashStyle::Dash:
        return Qt::DashLine;
    case TGPDashStyle::Dot:
        return Qt::DotLine;
    case TGPDashStyle::DashDot:
        return Qt::DashDotLine;
    case TGPDashStyle::DashDotDot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

bool Translucent(const TQvPointSymbolSettings* Symbols) {
    return Symbols->GetVisible() && GetAlpha(Symbols->GetFillColor()) < 255;
}

} // namespace

bool TQvSeries::CanDoCanvasDraw() const {
    if (!FGraph || FGraph->GetDoingImage()) return false;
    if (FGraph->GetSmoothingMode() != TQvSmoothingMode::None) return false;
    if (GetCount() < CanvasDrawMinimum) return false;
    if (GetAlpha(FLineSettings->GetColor()) != 255) return false;
    return FLineSettings->GetWidth() <= 1 || FLineSettings->GetDashStyle() == TGPDashStyle::Solid;
}

void TQvSeries::PaintGr(TGPGraphics* Graphics) {
    if (!FXAxis || !FYAxis || !FGraph || !SeriesVisible()) return;
    // Without line and area nothing is drawn here, and holes would be cut for nothing.
    if (PlainKind() && !FLineSettings->GetVisible() && !FAreaSettings->GetVisible()) return;
    const int Count = CurrentScreenPoints().Count();
    if (Count < 2) return;
    // Lines must not shine through translucent symbols: cut holes for them first.
    const bool Holes = Translucent(FPointSymbolSettings.get()) ||
                       (FRangeFromFunction && Translucent(FOutOfRangeSymbolSettings.get()));
    TGPRegion Saved;
    if (Holes) {
        Saved = Graphics->GetClip();
        ExcludeSymbols(Graphics);
    }
    DrawLine(Graphics);
    if (Holes) Graphics->SetClip(Saved);
}

void TQvSeries::ExcludeSymbols(TGPGraphics* Graphics) {
    const TQvPointSymbolSettings* Normal = FPointSymbolSettings.get();
    const TQvPointSymbolSettings* Outside = FOutOfRangeSymbolSettings.get();
    const std::vector<TGPPointF>& Points = FScreen.Points();
    for (size_t k = 0; k < Points.size(); ++k) {
        const TQvPointSymbolSettings* Symbols =
            InFunctionRange(FScreen.Index()[k]) ? Normal : Outside;
        if (!Translucent(Symbols)) continue;
        ExcludeSymbolSpace(Graphics, Symbols->GetSize(), Points[k].X, Points[k].Y,
                           Symbols->GetPointSymbol());
    }
}

void TQvSeries::PrepareStyles() {
    const TGPRectF& Area = FGraph->GetDrawingArea();
    if (FPen && FStyleArea == Area) return;
    FPen = FLineSettings->GetPen(Area);
    FBrush = FAreaSettings->GetBrush(Area);
    FStyleArea = Area;
}

void TQvSeries::DrawLine(TGPGraphics* Graphics) {
    PrepareStyles();
    const std::vector<TGPPointF>& Points = FScreen.Points();
    const std::vector<int>& Index = FScreen.Index();
    // Calls Segment(k) for the start k of every segment of the line.
    const auto ForEachSegment = [this](const auto& Segment) {
        FScreen.ForEachRun([&](size_t First, size_t n) {
            for (size_t k = First; k + 1 < First + n; ++k)
                Segment(k);
        });
    };
    // A point of a curve has no data index: the values of its pixel stand for it.
    auto DataX = [&](size_t k) {
        return Index[k] < 0 ? FXAxis->WorldToNumber(Points[k].X) : ValueX(Index[k]);
    };
    auto DataY = [&](size_t k) {
        return Index[k] < 0 ? FYAxis->WorldToNumber(Points[k].Y) : ValueY(Index[k]);
    };
    if (FAreaSettings->GetVisible()) {
        if (FOnGetBrush) {
            const float Base = AreaBase(false);
            ForEachSegment([&](size_t k) {
                const TGPPointF& P = Points[k];
                const TGPPointF& Q = Points[k + 1];
                TQvBrushEventArgs Args{Index[k], DataX(k), DataY(k), FBrush.get(), true};
                FOnGetBrush(this, Args);
                if (!Args.Visible || !Args.Brush) return;
                const TGPPointF Quad[4] = {P, Q, {Q.X, Base}, {P.X, Base}};
                Graphics->FillPolygon(*Args.Brush, Quad, 4);
            });
        } else {
            for (const std::vector<TGPPointF>& Polygon : AreaPolygons())
                if (Polygon.size() > 2)
                    Graphics->FillPolygon(*FBrush, Polygon.data(), int(Polygon.size()));
        }
    }
    if (!FLineSettings->GetVisible()) return;
    if (FOnGetPen) {
        ForEachSegment([&](size_t k) {
            TQvPenEventArgs Args{Index[k], DataX(k), DataY(k), FPen.get(), true};
            FOnGetPen(this, Args);
            if (Args.Visible && Args.Pen) Graphics->DrawLine(*Args.Pen, Points[k], Points[k + 1]);
        });
    } else if (CanDrawColumns() && Graphics->IsRaster()) {
        DrawColumns(Graphics);
    } else if (CanDoCanvasDraw() && Graphics->IsRaster()) {
        DrawOnDevice(Graphics);
    } else {
        // The reduced points of each run as one polyline, as vector output wants them; long
        // thin lines on a raster go straight into its pixels.
        FScreen.ForEachRun([&](size_t First, size_t n) {
            if (n < 2) return;
            if (n < ThinDirectMinimum ||
                !Graphics->DrawThinLinesDirectly(*FPen, &Points[First], int(n), false))
                Graphics->DrawLines(*FPen, &Points[First], int(n));
        });
    }
}

namespace {
// The whole pixels a one-pixel line from Top to Bottom down the column at X covers. Without
// smoothing, the pixel of a point is the one right and below it; with smoothing, pixels are
// centred on whole coordinates and the partly covered end pixels are taken as whole.
TGPRectF ColumnBar(float X, float Top, float Bottom, bool Smooth) {
    if (!Smooth) {
        const float First = std::floor(Top), Last = std::floor(Bottom);
        return {std::floor(X), First, 1, Last - First + 1};
    }
    const float First = std::round(Top), Last = std::round(Bottom);
    return {X - 0.5f, First - 0.5f, 1, Last - First + 1};
}

bool SmoothColumns(TGPSmoothingMode Mode) {
    return Mode == TGPSmoothingMode::AntiAlias || Mode == TGPSmoothingMode::HighQuality;
}
} // namespace

bool TQvSeries::CanDrawColumns() const {
    return FScreen.OnColumns() && FLineSettings->GetWidth() <= 1 &&
           FLineSettings->GetDashStyle() == TGPDashStyle::Solid &&
           !FLineSettings->GetGradient()->GetVisible();
}

void TQvSeries::MakeDrawing() {
    CurrentScreenPoints();
    if (FGraph && FLineSettings->GetVisible() && !FOnGetPen && CanDrawColumns())
        MakeColumnShapes(SmoothColumns(FGraph->HighQualityMode()));
}

// The points of a pixel column joined by a line are one bar of the column's width from the
// lowest to the highest; filling it inks the pixels that stroking the line up and down the
// column inks, at a fraction of the cost, except that a run may end one pixel sooner or later
// (fewer than one inked pixel in a hundred differs). Only the lines from one column to the next
// are stroked.
void TQvSeries::MakeColumnShapes(bool Smooth) {
    TColumnShapes& Shapes = FColumnShapes;
    if (Shapes.Generation == FScreen.Generation() && Shapes.Smooth == Smooth) return;
    QvClearUpperVectorHalves();
    Shapes.Bars.clear();
    Shapes.Links.clear();
    Shapes.Uncovered.clear();
    const std::vector<TGPPointF>& Points = FScreen.Points();
    // Each column's extent, and where the line enters and leaves it.
    struct TColumn {
        float X, Top, Bottom, Enter, Leave;
    };
    std::vector<TColumn> Columns;
    std::vector<TGPPointF>& Links = Shapes.Links;
    // Smooth, for each link the heights a pixel inside the ends of the bars of both columns it
    // joins: there the bars ink every pixel the link could reach, and it changes none.
    std::vector<std::pair<float, float>> Hidden;
    FScreen.ForEachRun([&](size_t First, size_t n) {
        Columns.clear();
        size_t k = First;
        while (k < First + n) {
            const TGPPointF& P = Points[k];
            TColumn Column{P.X, P.Y, P.Y, P.Y, P.Y};
            while (k + 1 < First + n && Points[k + 1].X == Column.X) {
                ++k;
                Column.Top = std::min(Column.Top, Points[k].Y);
                Column.Bottom = std::max(Column.Bottom, Points[k].Y);
            }
            Column.Leave = Points[k].Y;
            Columns.push_back(Column);
            ++k;
        }
        // Without smoothing, a line into the next column is a run down this column to the
        // midpoint and a run down the next one from there: the bars take it over.
        for (size_t c = 1; c < Columns.size(); ++c) {
            TColumn &From = Columns[c - 1], &To = Columns[c];
            if (!Smooth && To.X - From.X == 1) {
                const float Middle = (From.Leave + To.Enter) / 2;
                From.Top = std::min(From.Top, Middle);
                From.Bottom = std::max(From.Bottom, Middle);
                To.Top = std::min(To.Top, Middle);
                To.Bottom = std::max(To.Bottom, Middle);
                continue;
            }
            Links.push_back({From.X, From.Leave});
            Links.push_back({To.X, To.Enter});
            if (Smooth && To.X - From.X == 1 && From.Bottom > From.Top && To.Bottom > To.Top)
                Hidden.emplace_back(std::max(std::round(From.Top), std::round(To.Top)) + 0.5f,
                                    std::min(std::round(From.Bottom), std::round(To.Bottom)) -
                                        0.5f);
            else if (Smooth)
                Hidden.emplace_back(0.0f, 0.0f);
        }
        for (const TColumn& Column : Columns)
            if (Column.Bottom > Column.Top)
                Shapes.Bars.push_back(ColumnBar(Column.X, Column.Top, Column.Bottom, Smooth));
    });
    if (Smooth && Links.size() >= ThinDirectMinimum) {
        Shapes.Uncovered.reserve(Links.size());
        for (size_t k = 0; k < Hidden.size(); ++k)
            QvPointStages::AddOutsideBand(Links[2 * k], Links[2 * k + 1], Hidden[k].first,
                                          Hidden[k].second, Shapes.Uncovered);
    }
    Shapes.Generation = FScreen.Generation();
    Shapes.Smooth = Smooth;
}

void TQvSeries::DrawColumns(TGPGraphics* Graphics) {
    QvClearUpperVectorHalves();
    MakeColumnShapes(SmoothColumns(Graphics->GetSmoothingMode()));
    // Kept from their making till they are drawn, not beside the points for the next paint.
    const TColumnShapes Shapes = std::exchange(FColumnShapes, {});
    const TGPSolidBrush Fill(FLineSettings->GetColor());
    Graphics->FillRectangles(Fill, Shapes.Bars.data(), int(Shapes.Bars.size()));
    const std::vector<TGPPointF>& Links = Shapes.Links;
    const std::vector<TGPPointF>& Drawn = Shapes.Smooth ? Shapes.Uncovered : Links;
    if (Links.size() >= ThinDirectMinimum &&
        Graphics->DrawThinLinesDirectly(*FPen, Drawn.data(), int(Drawn.size()), true))
        return;
    TGPGraphicsPath Path;
    for (size_t k = 0; k + 1 < Links.size(); k += 2) {
        Path.StartFigure();
        Path.AddLine(Links[k].X, Links[k].Y, Links[k + 1].X, Links[k + 1].Y);
    }
    Graphics->DrawPath(*FPen, Path);
}

// A thin opaque line without smoothing, in whole device pixels, clipped to the data area.
void TQvSeries::DrawOnDevice(TGPGraphics* Graphics) {
    const QTransform World = Graphics->GetTransform().ToQt();
    const TGPRectF& Area = FGraph->GetDrawingArea();
    const QRect Clip =
        World.mapRect(QRectF(Area.X, Area.Y, Area.Width, Area.Height)).toAlignedRect();
    QPainter* Painter = Graphics->GetHDC();
    Painter->save();
    const TQvColor Color = FLineSettings->GetColor();
    QPen Pen(QColor(GetR(Color), GetG(Color), GetB(Color)),
             std::max(1.0, std::round(double(FLineSettings->GetWidth()))),
             QtDash(FLineSettings->GetDashStyle()), Qt::FlatCap);
    Painter->setPen(Pen);
    Painter->setRenderHint(QPainter::Antialiasing, false);
    Painter->setClipRect(Clip, Qt::IntersectClip);
    const std::vector<TGPPointF>& Points = FScreen.Points();
    // Device pixels, on whole numbers; thin lines go straight into the image, inked as the pen
    // would ink them.
    const bool Thin = Pen.width() == 1 && Pen.style() == Qt::SolidLine;
    QPolygon Polygon;
    std::vector<TGPPointF> Line;
    // Half away from zero, as lround; within 2^62 of the origin, which no screen comes near.
    const auto Round = [](double v) {
        constexpr double Reach = double(std::int64_t(1) << 62);
        v = !(v >= -Reach) ? -Reach : v > Reach ? Reach : v;
        return int(v >= 0 ? std::int64_t(v + 0.5) : -std::int64_t(0.5 - v));
    };
    const bool Shifted = World.type() <= QTransform::TxTranslate;
    FScreen.ForEachRun([&](size_t First, size_t n) {
        const auto Device = [&](size_t k) {
            const TGPPointF& S = Points[First + k];
            const QPointF P = Shifted ? QPointF(S.X + World.dx(), S.Y + World.dy())
                                      : World.map(S.ToQt());
            return QPoint(Round(P.x()), Round(P.y()));
        };
        if (Thin) {
            Line.resize(n);
            const auto Rounded = [&](size_t From, size_t To) {
                for (size_t k = From; k < To; ++k) {
                    const QPoint D = Device(k);
                    Line[k] = {float(D.x()), float(D.y())};
                }
            };
            if (n >= 2 * RoundedBlock)
                ShareBlocksFromBothEnds(size_t(0), n, RoundedBlock, Rounded);
            else
                Rounded(0, n);
            if (DrawThinLinesDirectly(Painter, Color, Line.data(), int(n), false)) return;
        }
        Polygon.resize(qsizetype(n));
        for (size_t k = 0; k < n; ++k)
            Polygon[qsizetype(k)] = Device(k);
        Painter->drawPolyline(Polygon);
    });
    Painter->restore();
    Graphics->ReleaseHDC(Painter);
}

void TQvSeries::DrawSymbols(TGPGraphics* Graphics) {
    if (!FVisible || !FXAxis || !FYAxis || !FGraph) return;
    const std::vector<TGPPointF>& Points = CurrentScreenPoints().Points();
    const std::vector<int>& Index = FScreen.Index();
    const TQvPointSymbolSettings* Normal = FPointSymbolSettings.get();
    const TQvPointSymbolSettings* Outside = FOutOfRangeSymbolSettings.get();
    if (FOnGetPointSymbol) {
        for (size_t k = 0; k < Points.size(); ++k) {
            const int i = Index[k];
            PointSymbolEventArgs Args{i,
                                      ValueX(i),
                                      ValueY(i),
                                      Normal->GetSize(),
                                      FSymbolPen.get(),
                                      FSymbolBrush.get(),
                                      Normal->GetPointSymbol(),
                                      Normal->GetVisible()};
            FOnGetPointSymbol(this, Args);
            if (!Args.Visible) continue;
            const TGPPointF& P = Points[k];
            DrawPointSymbol(Graphics, Args.Pen, Args.Brush, Args.Size, P.X, P.Y, Args.Symbol);
        }
        return;
    }
    if (!Normal->GetVisible()) return;
    if (SymbolsPile(Points.size())) {
        DrawDenseSymbols(Graphics);
        return;
    }
    for (size_t k = 0; k < Points.size(); ++k) {
        const TGPPointF& P = Points[k];
        if (InFunctionRange(Index[k]))
            DrawPointSymbol(Graphics, FSymbolPen.get(), FSymbolBrush.get(), Normal->GetSize(), P.X,
                            P.Y, Normal->GetPointSymbol());
        else if (Outside->GetVisible())
            DrawPointSymbol(Graphics, FOutOfRangePen.get(), FOutOfRangeBrush.get(),
                            Outside->GetSize(), P.X, P.Y, Outside->GetPointSymbol());
    }
}

bool TQvSeries::SymbolsPile(size_t Count) const {
    const float Width = FGraph->GetDrawingArea().Width;
    return Width > 0 && float(Count) > Width;
}

// Only the topmost symbol of each neighbourhood is drawn, on a raster copied from stamps.
void TQvSeries::DrawDenseSymbols(TGPGraphics* Graphics) {
    const std::vector<TGPPointF>& Points = FScreen.Points();
    const std::vector<int>& Index = FScreen.Index();
    const TQvPointSymbolSettings* Normal = FPointSymbolSettings.get();
    const TQvPointSymbolSettings* Outside = FOutOfRangeSymbolSettings.get();
    const TGPRectF& Area = FGraph->GetDrawingArea();
    // See-through symbols add up where they pile: all of them are drawn.
    const bool All = !SymbolsCover() || FScreen.TopmostOnly();
    if (FTopmost.Generation != FScreen.Generation() || !(FTopmost.Area == Area) ||
        FTopmost.All != All) {
        FTopmost = {{}, FScreen.Generation(), Area, All};
        if (!All) FTopmost.Drawn = QvPointStages::TopmostSymbols(Points, Area);
    }
    // Calls Visit(k) for each point whose symbol is drawn.
    const auto ForEachDrawn = [this, &Points](const auto& Visit) {
        if (FTopmost.All)
            for (size_t k = 0; k < Points.size(); ++k)
                Visit(k);
        else
            for (size_t k : FTopmost.Drawn)
                Visit(k);
    };
    if (!TQvSymbolStamps::Fit(Graphics)) {
        ForEachDrawn([&](size_t k) {
            const bool In = InFunctionRange(Index[k]);
            const TQvPointSymbolSettings* Symbols = In ? Normal : Outside;
            if (Symbols->GetVisible())
                DrawPointSymbol(Graphics, In ? FSymbolPen.get() : FOutOfRangePen.get(),
                                In ? FSymbolBrush.get() : FOutOfRangeBrush.get(),
                                Symbols->GetSize(), Points[k].X, Points[k].Y,
                                Symbols->GetPointSymbol());
        });
        return;
    }
    const TGPSmoothingMode Mode = Graphics->GetSmoothingMode();
    if (!FSymbolStamps || !FSymbolStamps->Serves(FSymbolPen.get(), FSymbolBrush.get(),
                                                 Normal->GetSize(), Normal->GetPointSymbol(), Mode))
        FSymbolStamps =
            std::make_unique<TQvSymbolStamps>(FSymbolPen.get(), FSymbolBrush.get(),
                                              Normal->GetSize(), Normal->GetPointSymbol(), Mode);
    TQvSymbolStamps& InRange = *FSymbolStamps;
    TQvSymbolStamps OutOfRange(FOutOfRangePen.get(), FOutOfRangeBrush.get(), Outside->GetSize(),
                               Outside->GetPointSymbol(), Mode);
    const QTransform World = Graphics->GetTransform().ToQt();
    QPainter* Painter = Graphics->GetHDC();
    // Symbols of two kinds drawn in turn must keep their order.
    InRange.Begin(Painter, World, !FRangeFromFunction);
    if (FRangeFromFunction) OutOfRange.Begin(Painter, World, false);
    if (FRangeFromFunction)
        ForEachDrawn([&](size_t k) {
            if (InFunctionRange(Index[k]))
                InRange.Draw(Points[k]);
            else if (Outside->GetVisible())
                OutOfRange.Draw(Points[k]);
        });
    else
        InRange.DrawMany(Points, FTopmost.All ? nullptr : &FTopmost.Drawn);
    InRange.End();
    Graphics->ReleaseHDC(Painter);
}

void TQvSeries::DrawListItem(const TQvLegendItemDrawArgs& Args) {
    const bool Filled = !FLineSettings->GetVisible() && !FPointSymbolSettings->GetVisible();
    DrawListItem(Args, Filled ? LegendItemStyle::Filled : LegendItemStyle::HalfHorizontal);
}

float TQvSeries::LegendSampleHeight() const {
    const TQvPointSymbolSettings* Symbol = FPointSymbolSettings.get();
    const float Line = FLineSettings->GetVisible() ? FLineSettings->GetWidth() : 0;
    if (!Symbol->GetVisible()) return std::ceil(Line);
    return std::ceil(std::max(Line, Symbol->GetSize() + Symbol->GetBorderLineWidth()));
}

void TQvSeries::DrawListItem(const TQvLegendItemDrawArgs& Args, LegendItemStyle Style) {
    TGPGraphics* G = Args.Graphics;
    const float X = float(Args.Rect.Left), Y = float(Args.Rect.Top);
    const float W = float(Args.Rect.Right), H = float(Args.Rect.Bottom);
    const TGPRectF Rect{X, Y, W, H};
    const bool Diagonal =
        Style == LegendItemStyle::AscendingDiagonal || Style == LegendItemStyle::DescendingDiagonal;
    const bool Rising = Style == LegendItemStyle::AscendingDiagonal;
    if (FAreaSettings->GetVisible()) {
        const std::unique_ptr<TGPBrush> Brush = FAreaSettings->GetBrush(Rect);
        if (Style == LegendItemStyle::Filled) {
            G->FillRectangle(*Brush, Rect);
        } else if (Style == LegendItemStyle::HalfHorizontal) {
            G->FillRectangle(*Brush, TGPRectF{X, Y + H / 2, W, H / 2});
        } else {
            const TGPPointF Below[3] = {
                {X, Y + H}, {X + W, Y + H}, Rising ? TGPPointF{X + W, Y} : TGPPointF{X, Y}};
            G->FillPolygon(*Brush, Below, 3);
        }
    }
    if (FLineSettings->GetVisible()) {
        const std::unique_ptr<TQvPen> Pen = FLineSettings->GetPen(Rect);
        if (Diagonal)
            G->DrawLine(*Pen, X, Rising ? Y + H : Y, X + W, Rising ? Y : Y + H);
        else
            G->DrawLine(*Pen, X, Y + H / 2, X + W, Y + H / 2);
    }
    const TQvPointSymbolSettings* Normal = FPointSymbolSettings.get();
    if (!Normal->GetVisible()) return;
    const float Cx = X + W / 2, Cy = Y + H / 2;
    if (!FRangeFromFunction) {
        DrawPointSymbol(G, FSymbolPen.get(), FSymbolBrush.get(), Normal->GetSize(), Cx, Cy,
                        Normal->GetPointSymbol());
        return;
    }
    // The normal symbol a quarter to the left, the out-of-range one a quarter to the right,
    // along the diagonal for the diagonal styles.
    const float Dx = W / 4, Dy = Diagonal ? (Rising ? -H / 4 : H / 4) : 0;
    DrawPointSymbol(G, FSymbolPen.get(), FSymbolBrush.get(), Normal->GetSize(), Cx - Dx, Cy - Dy,
                    Normal->GetPointSymbol());
    const TQvPointSymbolSettings* Outside = FOutOfRangeSymbolSettings.get();
    if (Outside->GetVisible())
        DrawPointSymbol(G, FOutOfRangePen.get(), FOutOfRangeBrush.get(), Outside->GetSize(),
                        Cx + Dx, Cy + Dy, Outside->GetPointSymbol());
}
