// The data area of a graph: the axes stacked on the four sides, the room their labels need
// beyond the data area, the crossing at the origin; and the grids and axes drawn on it.

#include "graph/qvgraph2d.h"
#include "annotations/qvmarkers.h"
#include "series/qvseries.h"
#include "style/qvdrawing.h"

#include "axes/qvaxis.h"
#include "axes/qvmath.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {
// Positions and sizes of axes, whatever distances they were given: far beyond any screen, yet
// with room for the arithmetic of rectangles.
constexpr double MaxPixel = 1 << 24;
int Pixel(double X) {
    return Qvmath::SaturatingTrunc(std::clamp(X, -MaxPixel, MaxPixel));
}

// A single-line border takes this much room at the bottom.
constexpr float SingleBorderInset = 4;

// Insets of the data area from the client edges, by side.
struct TInsets {
    float Left = 0, Right = 0, Top = 0, Bottom = 0;
};

bool SpansZero(const TQvAxis* Axis) {
    return !Axis->GetHasLogScaling() && Axis->GetStart() < 0 && Axis->GetStop() > 0;
}
} // namespace

void TQvGraph2D::LayoutAxes() {
    const float W = float(ClientWidth()), H = float(ClientHeight());
    TInsets In{std::ceil(FDistanceBorderAxisLeft), std::ceil(FDistanceBorderAxisRight),
               std::ceil(FDistanceBorderAxisTop), std::ceil(FDistanceBorderAxisBottom)};
    if (GetBorderStyle() == TBorderStyle::Single) In.Bottom += SingleBorderInset;
    ReserveScrollBars(In.Bottom, In.Left);
    float TitleRoom = 0;
    if (GetCaptionVisible() && !GetCaption().isEmpty()) {
        PlaceTitle();
        TitleRoom = std::ceil(In.Top + FTitleRec->GetHeight() + GetCaptionDistanceBefore() +
                              GetCaptionDistanceAfter()) -
                    In.Top;
    }
    // Docked controls below the title; labels keep off them as off the border.
    const auto Docked = DockedControls();
    In.Top += TitleRoom;
    ReserveDocked(Docked, In.Left, In.Right, In.Top, In.Bottom);
    In.Top -= TitleRoom;
    const TInsets Edge = In;
    In.Top += TitleRoom;

    // From the last child to the first, outwards: the first child lies nearest the data area.
    const QList<TQvAxis*> Axes = ChildAxes();
    TQvAxis* Nearest[4] = {};
    // A primary axis that will cross the other one at its 0 takes no room at the border.
    const bool FreeX = AxisCrosses(FPrimaryYAxis);
    const bool FreeY = AxisCrosses(FPrimaryXAxis);
    for (qsizetype i = Axes.size() - 1; i >= 0; --i) {
        TQvAxis* Axis = Axes[i];
        const float t = Axis->Thickness();
        const int Room = Pixel(std::ceil(t));
        if (Axis->GetAutoSize()) {
            if (Axis->GetHorizontal())
                Axis->SetBounds(0, Axis->GetTop(), Pixel(W), Room);
            else
                Axis->SetBounds(Axis->GetLeft(), 0, Room, Pixel(H));
        }
        Axis->PlaceAxisLine(t);
        if (!Axis->GetVisible()) continue;
        const bool Crosses = AxisCrosses(Axis);
        const float Size = Crosses                 ? 0
                           : Axis->GetHorizontal() ? float(Axis->GetHeight())
                                                   : float(Axis->GetWidth());
        switch (Axis->GetPosition()) {
        case TQvAxisPosition::Bottom:
            In.Bottom += Size;
            Axis->SetTop(Pixel(H - In.Bottom));
            break;
        case TQvAxisPosition::Left:
            Axis->SetLeft(Pixel(In.Left));
            In.Left += Size;
            break;
        case TQvAxisPosition::Top:
            Axis->SetTop(Pixel(In.Top));
            In.Top += Size;
            break;
        case TQvAxisPosition::Right:
            In.Right += Size;
            Axis->SetLeft(Pixel(W - In.Right));
            break;
        }
        Nearest[int(Axis->GetPosition())] = Axis;
    }

    // Labels, symbols and arrows beyond the ends of the axes (a twisted axis has already
    // exchanged its ends), which keep the border distance off the edges too.
    TInsets Need;
    for (const TQvAxis* Axis : Axes) {
        if (!Axis->GetAutoSize()) continue;
        float& AtStart = Axis->GetHorizontal() ? Need.Left : Need.Bottom;
        float& AtEnd = Axis->GetHorizontal() ? Need.Right : Need.Top;
        AtStart = std::max(AtStart, Axis->StartSpace());
        AtEnd = std::max(AtEnd, Axis->EndSpace());
        // The caption of a crossing axis stands beyond the end of its values, where no other
        // text may reach.
        if (AxisCrosses(Axis) && Axis->GetVisible()) {
            const bool AtLow = Axis->GetTwisted();
            float& Inset =
                Axis->GetHorizontal() ? (AtLow ? In.Left : In.Right) : (AtLow ? In.Bottom : In.Top);
            Inset += Axis->CaptionBeyondEnd();
        }
    }
    Need.Left += Edge.Left;
    Need.Right += Edge.Right;
    Need.Top += Edge.Top;
    Need.Bottom += Edge.Bottom;
    // The axis nearest the data area on each side borders it, DistanceValuesAxis apart.
    auto Tie = [](TQvAxis* Axis, float& Inset, float Needed, bool Free, auto LineAt,
                  auto MoveLine) {
        if (!Axis || Free) {
            Inset = std::max(Inset, Needed);
            return;
        }
        const float Gap = Axis->GetDistanceValuesAxis();
        if (Inset > Needed) {
            Inset = LineAt(Axis) + Gap;
        } else {
            Inset = Needed;
            MoveLine(Axis, Inset - Gap);
        }
    };
    Tie(
        Nearest[int(TQvAxisPosition::Left)], In.Left, Need.Left, FreeX,
        [](TQvAxis* A) { return float(A->GetLeft()) + A->GetAxLeft(); },
        [](TQvAxis* A, float Line) { A->SetLeft(Pixel(std::round(Line - A->GetAxLeft()))); });
    Tie(
        Nearest[int(TQvAxisPosition::Right)], In.Right, Need.Right, FreeX,
        [W](TQvAxis* A) { return W - (float(A->GetLeft()) + A->GetAxLeft()); },
        [W](TQvAxis* A, float Line) { A->SetLeft(Pixel(std::round(W - Line - A->GetAxLeft()))); });
    Tie(
        Nearest[int(TQvAxisPosition::Top)], In.Top, Need.Top, FreeY,
        [](TQvAxis* A) { return float(A->GetTop()) + A->GetAxTop(); },
        [](TQvAxis* A, float Line) { A->SetTop(Pixel(std::round(Line - A->GetAxTop()))); });
    Tie(
        Nearest[int(TQvAxisPosition::Bottom)], In.Bottom, Need.Bottom, FreeY,
        [H](TQvAxis* A) { return H - (float(A->GetTop()) + A->GetAxTop()); },
        [H](TQvAxis* A, float Line) { A->SetTop(Pixel(std::round(H - Line - A->GetAxTop()))); });

    // Every axis spans the data area; its ticks follow the final length.
    for (TQvAxis* Axis : Axes) {
        if (Axis->GetHorizontal())
            Axis->SetAxisGeometry(In.Left, Axis->GetAxTop(), W - In.Left - In.Right);
        else
            Axis->SetAxisGeometry(Axis->GetAxLeft(), In.Top, H - In.Top - In.Bottom);
        Axis->CalculateTicks();
    }
    FDrawingArea = {In.Left, In.Top, W - In.Left - In.Right + 1, H - In.Top - In.Bottom + 1};
    PlaceDockedAlong(Docked);
    if (FZeroOrigin && FPrimaryXAxis && FPrimaryYAxis) {
        MoveToZeroOrigin();
        // A caption beyond the end of a crossing axis near an edge of the control slides in.
        FPrimaryXAxis->KeepCaptionWithin(Edge.Top, H - Edge.Bottom);
        FPrimaryYAxis->KeepCaptionWithin(Edge.Left, W - Edge.Right);
    }
    const TGPRectF Before = FOwnArea;
    FOwnArea = FDrawingArea;
    if (FHasChildGraphs) {
        AlignCoupledGraphs();
    } else if (TQvGraph2D* Parent = FIsCoupledGraph ? ParentOfXAxis() : nullptr) {
        // The parent aligns the group; when this graph's own needs changed, it does so anew.
        if (!(Before == FOwnArea)) Parent->Modified();
        if (FCoupledSpan) TakeCoupledSpan(FCoupledSpan->first, FCoupledSpan->second);
    }
    // Markers point at values: they follow the new mapping.
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* Marker = qobject_cast<TQvMovable*>(Controls(i))) Marker->UpdatePosition();
}

void TQvGraph2D::AlignCoupledGraphs() {
    float Left = FOwnArea.X, Right = FOwnArea.X + FOwnArea.Width;
    for (const TQvGraph2D* Child : std::as_const(FChildGraphs)) {
        if (Child->FOwnArea.Width <= 0) continue; // not laid out yet
        Left = std::max(Left, Child->FOwnArea.X);
        Right = std::min(Right, Child->FOwnArea.X + Child->FOwnArea.Width);
    }
    TakeCoupledSpan(Left, Right);
    for (TQvGraph2D* Child : std::as_const(FChildGraphs)) {
        const std::optional<std::pair<float, float>> Old = Child->FCoupledSpan;
        Child->TakeCoupledSpan(Left, Right);
        if (Old != Child->FCoupledSpan) Child->Invalidate();
    }
}

void TQvGraph2D::TakeCoupledSpan(float Left, float Right) {
    FCoupledSpan = std::pair{Left, Right};
    if (FDrawingArea.X == Left && FDrawingArea.X + FDrawingArea.Width == Right) return;
    const float ShiftLeft = Left - FDrawingArea.X;
    const float ShiftRight = Right - (FDrawingArea.X + FDrawingArea.Width);
    FDrawingArea.X = Left;
    FDrawingArea.Width = Right - Left;
    // The graph's own horizontal axes follow, and its vertical axes keep bordering the data
    // area; the shared X axis belongs to the parent.
    for (TQvAxis* Axis : ChildAxes()) {
        if (Axis->GetHorizontal()) {
            Axis->SetAxisGeometry(Left, Axis->GetAxTop(), Right - Left - 1);
            Axis->CalculateTicks();
        } else {
            const float Shift =
                Axis->GetPosition() == TQvAxisPosition::Left ? ShiftLeft : ShiftRight;
            Axis->SetLeft(Axis->GetLeft() + Pixel(std::round(Shift)));
        }
    }
    SeriesModified();
}

namespace {
// Between a docked control and what lies inside it, and between docked controls side by side.
constexpr float DockGap = 6;

bool Across(TQvDocked::TSide Side) {
    return Side == TQvDocked::TSide::Bottom || Side == TQvDocked::TSide::Top;
}
} // namespace

std::vector<std::pair<TControl*, TQvDocked::TDock>> TQvGraph2D::DockedControls() const {
    std::vector<std::pair<TControl*, TQvDocked::TDock>> Result;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* Control = Controls(i);
        auto* Docked = dynamic_cast<TQvDocked*>(Control);
        if (!Docked || !Control->GetVisible()) continue;
        if (const auto Dock = Docked->Dock()) Result.emplace_back(Control, *Dock);
    }
    return Result;
}

// Controls of one side share a band as wide as the largest of them.
void TQvGraph2D::ReserveDocked(const std::vector<std::pair<TControl*, TQvDocked::TDock>>& Docked,
                               float& Left, float& Right, float& Top, float& Bottom) {
    const float W = float(ClientWidth()), H = float(ClientHeight());
    float Band[4] = {};
    for (const auto& [Control, Dock] : Docked) {
        dynamic_cast<TQvDocked*>(Control)->FitContent();
        const int w = Control->GetWidth(), h = Control->GetHeight();
        int x = Control->GetLeft(), y = Control->GetTop();
        switch (Dock.Side) {
        case TQvDocked::TSide::Bottom:
            y = Pixel(H - Bottom - float(h));
            break;
        case TQvDocked::TSide::Left:
            x = Pixel(Left);
            break;
        case TQvDocked::TSide::Top:
            y = Pixel(Top);
            break;
        case TQvDocked::TSide::Right:
            x = Pixel(W - Right - float(w));
            break;
        }
        Control->SetBounds(x, y, w, h);
        float& Extent = Band[int(Dock.Side)];
        Extent = std::max(Extent, float(Across(Dock.Side) ? h : w) + DockGap);
    }
    Bottom += Band[int(TQvDocked::TSide::Bottom)];
    Left += Band[int(TQvDocked::TSide::Left)];
    Top += Band[int(TQvDocked::TSide::Top)];
    Right += Band[int(TQvDocked::TSide::Right)];
}

// Side by side along each side, the row centred where the first of them asks, and kept on
// the graph.
void TQvGraph2D::PlaceDockedAlong(
    const std::vector<std::pair<TControl*, TQvDocked::TDock>>& Docked) {
    const TGPRectF& A = FDrawingArea;
    for (const TQvDocked::TSide Side : {TQvDocked::TSide::Bottom, TQvDocked::TSide::Left,
                                        TQvDocked::TSide::Top, TQvDocked::TSide::Right}) {
        const bool Horizontal = Across(Side);
        std::vector<TControl*> Row;
        float Length = 0;
        std::optional<TQvDocked::TAlong> Along;
        for (const auto& [Control, Dock] : Docked) {
            if (Dock.Side != Side) continue;
            if (!Along) Along = Dock.Along;
            Length += float(Horizontal ? Control->GetWidth() : Control->GetHeight()) +
                      (Row.empty() ? 0 : DockGap);
            Row.push_back(Control);
        }
        if (Row.empty()) continue;
        const float Span = float(Horizontal ? ClientWidth() : ClientHeight());
        const float AreaStart = Horizontal ? A.X : A.Y;
        const float AreaLength = Horizontal ? A.Width : A.Height;
        float At = *Along == TQvDocked::TAlong::GraphCenter  ? (Span - Length) / 2
                   : *Along == TQvDocked::TAlong::AreaCenter ? AreaStart + (AreaLength - Length) / 2
                                                             : AreaStart;
        At = std::max(0.0f, std::min(At, Span - Length));
        for (TControl* Control : Row) {
            if (Horizontal)
                Control->SetLeft(Pixel(At));
            else
                Control->SetTop(Pixel(At));
            At += float(Horizontal ? Control->GetWidth() : Control->GetHeight()) + DockGap;
        }
    }
}

bool TQvGraph2D::AxisCrosses(const TQvAxis* Axis) const {
    if (!FZeroOrigin || !Axis || !FPrimaryXAxis || !FPrimaryYAxis) return false;
    if (Axis == FPrimaryXAxis) return SpansZero(FPrimaryYAxis) && Axis->GetParent() == this;
    if (Axis == FPrimaryYAxis) return SpansZero(FPrimaryXAxis) && Axis->GetParent() == this;
    return false;
}

// The primary axes cross where the other one has its 0, as far as the ranges contain 0.
void TQvGraph2D::MoveToZeroOrigin() {
    TQvAxis* X = FPrimaryXAxis;
    TQvAxis* Y = FPrimaryYAxis;
    const bool MoveY = AxisCrosses(Y);
    const bool MoveX = AxisCrosses(X);
    if (MoveY) {
        const float Line = std::round(X->NumberToWorld(0));
        Y->SetLeft(Pixel(std::round(Line - Y->GetAxLeft())));
    }
    if (MoveX) {
        const float Line = std::round(Y->NumberToWorld(0));
        X->SetTop(Pixel(std::round(Line - X->GetAxTop())));
    }
    // The tick and label on the crossing point would stand on the other axis.
    if (MoveY && MoveX) {
        X->RemoveTickAt(X->NumberToWorld(0));
        Y->RemoveTickAt(Y->NumberToWorld(0));
    }
}

std::optional<TQvGraph2D::TBackWall> TQvGraph2D::BackWall() {
    for (TQvSeries* Series : std::as_const(FRelatedSeries)) {
        // Flat series are passed over without making their points.
        if (!Series->SeriesVisible() || !Series->DepthOffsets()) continue;
        if (Series->NeedsPoints()) Series->CalculatePoints();
        const std::optional<TGPPointF> Depth = Series->DepthOffsets();
        if (!Depth) continue;
        const TGPRectF& A = FDrawingArea;
        const bool XAtTop = FPrimaryXAxis->GetPosition() == TQvAxisPosition::Top;
        const bool YAtLeft = FPrimaryYAxis->GetPosition() == TQvAxisPosition::Left;
        return TBackWall{std::round(Depth->X) - 1, std::round(Depth->Y),
                         std::round(XAtTop ? A.Y : A.Y + A.Height - 1),
                         std::round(YAtLeft ? A.X : A.X + A.Width)};
    }
    return std::nullopt;
}

void TQvGraph2D::PaintDataArea(TGPGraphics* Graphics, const std::optional<TBackWall>& Wall) {
    const TGPRectF& A = FDrawingArea;
    const TQvColor Color = FDataAreaColor;
    const bool Gradient = FDataAreaGradient->GetVisible();
    if (!Gradient && (Color == GetBackColor() || GetAlpha(Color) == 0)) return;
    SetHighQuality(Graphics, false);
    if (!Wall) {
        const TGPRectF Fill{A.X, A.Y, A.Width - 1, A.Height - 1};
        if (Gradient)
            Graphics->FillRectangle(*FDataAreaGradient->GetBrush(A), Fill);
        else
            Graphics->FillRectangle(TGPSolidBrush(Color), Fill);
        return;
    }
    const float Dx = Wall->Dx, Dy = Wall->Dy;
    const TGPRectF Back{A.X + Dx, A.Y - Dy, A.Width - 1, A.Height - 1};
    if (Gradient)
        Graphics->FillRectangle(*FDataAreaGradient->GetBrush(Back), Back);
    else
        Graphics->FillRectangle(
            *LinearBrush(Back, 0, 0.5f, Brighten(Color, 1.2), Color, Brighten(Color, 0.8)), Back);
    // The floor along the X axis and the side along the Y axis join the wall to the axes.
    SetHighQuality(Graphics, true);
    const float Left = A.X, Right = A.X + A.Width - 1, Top = A.Y, Bottom = A.Y + A.Height - 1;
    const TGPPointF Floor[4] = {{Left, Wall->XBase},
                                {Left + Dx, Wall->XBase - Dy},
                                {Right + Dx, Wall->XBase - Dy},
                                {Right, Wall->XBase}};
    Graphics->FillPolygon(TGPSolidBrush(Brighten(Color, 0.85)), Floor, 4);
    const TGPPointF Side[4] = {{Wall->YBase, Bottom},
                               {Wall->YBase + Dx, Bottom - Dy},
                               {Wall->YBase + Dx, Top - Dy},
                               {Wall->YBase, Top}};
    Graphics->FillPolygon(TGPSolidBrush(Brighten(Color, 0.75)), Side, 4);
}

void TQvGraph2D::PaintGrids(TGPGraphics* Graphics, const std::optional<TBackWall>& Wall) {
    SetHighQuality(Graphics, false);
    const TGPRectF& A = FDrawingArea;
    const float Right = A.X + A.Width - 1, Bottom = A.Y + A.Height - 1;
    auto Draw = [&](const TQvAxis* Axis, TQvLineSettings* Grid, bool Major) {
        if (!Axis || !Grid->GetVisible()) return;
        const std::unique_ptr<TQvPen> Pen = Grid->GetPen(A);
        // In depth, solid grid lines run obliquely and are smoothed.
        if (Wall) SetHighQuality(Graphics, Grid->GetDashStyle() == TGPDashStyle::Solid);
        for (int i = 0; i < Axis->TickCount(); ++i) {
            if (Major ? !Axis->IsMajorGridTick(i) : Axis->IsMajorTick(i)) continue;
            const float p = FDoingMetafile ? Axis->TickPixel(i) : std::round(Axis->TickPixel(i));
            const bool Vertical = Axis->GetHorizontal();
            if (!Wall) {
                if (Vertical)
                    Graphics->DrawLine(*Pen, p, A.Y, p, Bottom);
                else
                    Graphics->DrawLine(*Pen, Right, p, A.X, p);
                continue;
            }
            // One segment on the back wall, one on the face that joins it to the axis.
            const float Dx = Wall->Dx, Dy = Wall->Dy;
            if (Vertical) {
                Graphics->DrawLine(*Pen, p + Dx, A.Y - Dy, p + Dx, Bottom - Dy);
                Graphics->DrawLine(*Pen, p, Wall->XBase, p + Dx, Wall->XBase - Dy);
            } else {
                Graphics->DrawLine(*Pen, Right + Dx, p - Dy, A.X + Dx, p - Dy);
                Graphics->DrawLine(*Pen, Wall->YBase, p, Wall->YBase + Dx, p - Dy);
            }
        }
    };
    Draw(FPrimaryXAxis, FMinorGridVertical.get(), false);
    Draw(FPrimaryYAxis, FMinorGridHorizontal.get(), false);
    Draw(FPrimaryXAxis, FMajorGridVertical.get(), true);
    Draw(FPrimaryYAxis, FMajorGridHorizontal.get(), true);
    if (Wall && FDataAreaColor != GetBackColor()) PaintWallEdges(Graphics, *Wall);
    SetHighQuality(Graphics, false);
}

// The outline of the back wall where no axis line or grid line already shows it.
void TQvGraph2D::PaintWallEdges(TGPGraphics* Graphics, const TBackWall& Wall) {
    const TGPRectF& A = FDrawingArea;
    const float Left = A.X + Wall.Dx, Right = A.X + A.Width - 1 + Wall.Dx;
    const float Top = A.Y - Wall.Dy, Bottom = A.Y + A.Height - 1 - Wall.Dy;
    const std::unique_ptr<TQvPen> Pen = FMajorGridHorizontal->GetPen(A);
    const QList<TQvAxis*> Axes = ChildAxes();
    auto Any = [&Axes](const std::function<bool(const TQvAxis*)>& Test) {
        return std::any_of(Axes.begin(), Axes.end(), Test);
    };
    auto Thick = [](const TQvAxis* Axis) {
        return Axis->GetVisible() && Axis->GetAxisThicknes() > 2;
    };
    if (!Any([](const TQvAxis* Axis) { return Axis->GetPosition() == TQvAxisPosition::Right; }) &&
        !FMajorGridVertical->GetVisible())
        Graphics->DrawLine(*Pen, Right, Top, Right, Bottom);
    if (!Any([&](const TQvAxis* Axis) {
            return Axis->GetPosition() == TQvAxisPosition::Left && Thick(Axis);
        }))
        Graphics->DrawLine(*Pen, Left, Top, Left, Bottom);
    if (!Thick(FPrimaryXAxis)) Graphics->DrawLine(*Pen, Left, Bottom, Right, Bottom);
}

void TQvGraph2D::PaintAxes(TGPGraphics* Graphics) {
    for (TQvAxis* Axis : ChildAxes())
        if (Axis->GetVisible()) PaintAt(Graphics, Axis, [&] { Axis->PaintGr(Graphics); });
}

