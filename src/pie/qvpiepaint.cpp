// How a pie chart paints: the shadow, the sides and rims of a tilted pie back to front, the
// tops with their highlights, then the labels and their callout boxes.

#include "pie/qvfillpalette.h"
#include "pie/qvpiechart.h"

#include <QPainter>

#include <cmath>
#include <numbers>

namespace {

TGPRectF Moved(const TGPRectF& R, float Dx, float Dy) {
    return {R.X + Dx, R.Y + Dy, R.Width, R.Height};
}

// The point at Degrees on the ellipse in R.
TGPPointF OnEllipse(const TGPRectF& R, double Degrees) {
    const double a = Degrees * std::numbers::pi / 180;
    return {float(R.X + R.Width / 2 * (1 + std::cos(a))),
            float(R.Y + R.Height / 2 * (1 + std::sin(a)))};
}

// The parts of the sweep from Start over Sweep degrees that fall within From .. From + 180,
// also one turn later: the sweep may pass 360.
std::vector<std::pair<double, double>> HalfTurnParts(double Start, double Sweep, double From) {
    std::vector<std::pair<double, double>> Parts;
    for (const double Turn : {-360.0, 0.0, 360.0}) {
        const double a = std::max(Start, From + Turn),
                     b = std::min(Start + Sweep, From + 180 + Turn);
        if (b > a) Parts.emplace_back(a, b);
    }
    return Parts;
}

// A band between the arc from A to B on the ellipse R and the same arc Thickness lower.
TGPGraphicsPath Band(const TGPRectF& R, double A, double B, float Thickness) {
    TGPGraphicsPath Path;
    Path.AddArc(R, float(A), float(B - A));
    Path.AddArc(Moved(R, 0, Thickness), float(B), float(A - B));
    Path.CloseFigure();
    return Path;
}

// Translucent black over a face of a tilted pie, so that it reads as turned away from the light.
void Shade(TGPGraphics* Graphics, const TGPGraphicsPath& Path, std::uint8_t Alpha) {
    Graphics->FillPath(TGPSolidBrush(ColorToARGB(Alpha, 0, 0, 0)), Path);
}

} // namespace

std::unique_ptr<TGPBrush> TQvPieChart::SegmentBrush(int k) const {
    std::unique_ptr<TGPBrush> Brush = PaletteItem(k)->GetBrush();
    if (!FOnGetBrush) return Brush;
    const QvPie::TSegment& S = Segment(k);
    TQvBrushEventArgs Args{S.ValueIndex, S.Value, FTotal > 0 ? S.Value * 100 / FTotal : 0,
                           Brush.get(), true};
    FOnGetBrush(const_cast<TQvPieChart*>(this), Args);
    if (!Args.Visible) return nullptr;
    if (Args.Brush != Brush.get()) return Args.Brush->Clone();
    return Brush;
}

std::unique_ptr<TGPPen> TQvPieChart::SegmentPen(int k) const {
    std::unique_ptr<TGPPen> Pen = FSegmentBorder->GetPen(FPieRect);
    bool Visible = FSegmentBorder->GetVisible();
    if (FOnGetPen) {
        const QvPie::TSegment& S = Segment(k);
        TQvPenEventArgs Args{S.ValueIndex, S.Value, FTotal > 0 ? S.Value * 100 / FTotal : 0,
                             Pen.get(), Visible};
        FOnGetPen(const_cast<TQvPieChart*>(this), Args);
        Visible = Args.Visible;
        if (Args.Pen != Pen.get()) Pen = std::make_unique<TGPPen>(*Args.Pen);
    }
    return Visible ? std::move(Pen) : nullptr;
}

TGPRectF TQvPieChart::HoleRect(const TGPPointF& Offset) const {
    const float w = 0.01f * FDonutHoleSize * FPieRect.Width;
    const float h = 0.01f * FDonutHoleSize * FPieRect.Height;
    return {FPieRect.X + (FPieRect.Width - w) / 2 + Offset.X,
            FPieRect.Y + (FPieRect.Height - h) / 2 + Offset.Y, w, h};
}

// The top of segment k: a slice, or a slice of the ring.
TGPGraphicsPath TQvPieChart::TopPath(int k) const {
    const QvPie::TSegment& S = Segment(k);
    const TGPPointF Offset = ExplodeOffset(k);
    const TGPRectF R = Moved(FPieRect, Offset.X, Offset.Y);
    TGPGraphicsPath Path;
    if (!Donut()) {
        Path.AddPie(R, float(S.Start), float(S.Sweep));
        return Path;
    }
    Path.AddArc(R, float(S.Start), float(S.Sweep));
    Path.AddArc(HoleRect(Offset), float(S.Start + S.Sweep), float(-S.Sweep));
    Path.CloseFigure();
    return Path;
}

// The whole pie's outline for its shadow: every slice where it stands, with its thickness.
TGPGraphicsPath TQvPieChart::OutlinePath() const {
    TGPGraphicsPath Path(TGPFillMode::Winding);
    for (int k = 0; k < SegmentCount(); ++k) {
        TGPGraphicsPath Top = TopPath(k);
        Path.AddPath(Top, false);
        if (FThickness <= 0) continue;
        TGPMatrix Down;
        Down.Translate(0, FThickness);
        Top.Transform(Down);
        Path.AddPath(Top, false);
        const QvPie::TSegment& S = Segment(k);
        const TGPPointF Offset = ExplodeOffset(k);
        for (const auto& [A, B] : HalfTurnParts(S.Start, S.Sweep, 0))
            Path.AddPath(Band(Moved(FPieRect, Offset.X, Offset.Y), A, B, FThickness), false);
    }
    return Path;
}

void TQvPieChart::PaintShadow(TGPGraphics* Graphics) const {
    const float Reach = 0.02f * FPieRect.Width;
    DrawShadow(Graphics, OutlinePath(), Reach, Reach);
}

// The faces below the top of segment k: its two cut faces, the inner wall of a ring where it
// faces the viewer (the back half), and the outer rim where it faces the viewer (the front).
void TQvPieChart::PaintSides(TGPGraphics* Graphics, int k) const {
    const QvPie::TSegment& S = Segment(k);
    const std::unique_ptr<TGPBrush> Brush = SegmentBrush(k);
    const std::unique_ptr<TGPPen> Pen = SegmentPen(k);
    const TGPPointF Offset = ExplodeOffset(k);
    const TGPRectF R = Moved(FPieRect, Offset.X, Offset.Y);
    const TGPRectF Hole = HoleRect(Offset);
    const TGPPointF Center{R.X + R.Width / 2, R.Y + R.Height / 2};
    const auto Face = [&](const TGPGraphicsPath& Path, std::uint8_t Darker) {
        if (Brush) Graphics->FillPath(*Brush, Path);
        Shade(Graphics, Path, Darker);
        if (Pen) Graphics->DrawPath(*Pen, Path);
    };
    for (const double a : {S.Start, S.Start + S.Sweep}) {
        const TGPPointF Outer = OnEllipse(R, a);
        const TGPPointF Inner = Donut() ? OnEllipse(Hole, a) : Center;
        const TGPPointF Quad[] = {
            Inner, Outer, {Outer.X, Outer.Y + FThickness}, {Inner.X, Inner.Y + FThickness}};
        TGPGraphicsPath Path;
        Path.AddPolygon(Quad, 4);
        Face(Path, 70);
    }
    if (Donut())
        for (const auto& [A, B] : HalfTurnParts(S.Start, S.Sweep, 180))
            Face(Band(Hole, A, B, FThickness), 90);
    for (const auto& [A, B] : HalfTurnParts(S.Start, S.Sweep, 0))
        Face(Band(R, A, B, FThickness), 40);
}

void TQvPieChart::PaintTop(TGPGraphics* Graphics, int k) const {
    const TGPGraphicsPath Path = TopPath(k);
    if (const std::unique_ptr<TGPBrush> Brush = SegmentBrush(k)) Graphics->FillPath(*Brush, Path);
    if (ThreeD()) {
        const TGPPointF Offset = ExplodeOffset(k);
        const TGPRectF R = Moved(FPieRect, Offset.X, Offset.Y);
        // Light from the top left; strong enough to model the top, faint enough to keep the
        // fill's colour readable.
        Graphics->FillPath(*LinearBrush(R, 120, 0.5f, ColorToARGB(96, 255, 255, 255),
                                        ColorToARGB(24, 128, 128, 128), ColorToARGB(48, 0, 0, 0)),
                           Path);
        Graphics->FillPath(*EllipticalBrush(R, {0.5f, 0.5f}, ColorToARGB(72, 255, 255, 255),
                                            ColorToARGB(40, 255, 255, 255),
                                            ColorToARGB(16, 255, 255, 255)),
                           Path);
    }
    if (const std::unique_ptr<TGPPen> Pen = SegmentPen(k)) Graphics->DrawPath(*Pen, Path);
}

// No value makes a segment: the outline of the pie, and of its rim when tilted.
void TQvPieChart::PaintEmpty(TGPGraphics* Graphics) const {
    const TGPPen Pen(FSegmentBorder->GetVisible() ? FSegmentBorder->GetColor() : 0xFF000000, 1);
    if (FThickness > 0) Graphics->DrawPath(Pen, Band(FPieRect, 0, 180, FThickness));
    Graphics->DrawEllipse(Pen, FPieRect);
    if (Donut()) Graphics->DrawEllipse(Pen, HoleRect({0, 0}));
}

bool TQvPieChart::ArrowVisible(int k) const {
    return FArrowMode == TQvCalloutArrowVisibleMode::AllVisible ||
           (FArrowMode == TQvCalloutArrowVisibleMode::VisibleIfOverlapped && CalloutOverlapped(k));
}

void TQvPieChart::PaintLabels(TGPGraphics* Graphics) {
    if (FLabels.empty()) return;
    if (!FCalloutArrow->GetVisible()) FArrowMode = TQvCalloutArrowVisibleMode::None;
    const bool Callouts = !FCallouts.empty();
    for (int k = 0; k < SegmentCount(); ++k) {
        if (!SegmentLabel(k) || !Callouts) continue;
        const TGPRectF Box = CalloutRect(k);
        if (ArrowVisible(k)) {
            // From the edge of the box to the segment, the tip at the segment.
            const TGPPointF Tip = ToPixels(FCallouts[size_t(k)].Anchor);
            const TGPPointF Middle{Box.X + Box.Width / 2, Box.Y + Box.Height / 2};
            const float Dx = Middle.X - Tip.X, Dy = Middle.Y - Tip.Y;
            const float Inside = std::min(Dx != 0 ? Box.Width / 2 / std::abs(Dx) : 1e9f,
                                          Dy != 0 ? Box.Height / 2 / std::abs(Dy) : 1e9f);
            if (Inside < 1)
                Graphics->DrawLine(*FCalloutArrow->GetPen(Box),
                                   {Middle.X - Dx * Inside, Middle.Y - Dy * Inside}, Tip);
        }
        const bool Gradient = FCalloutGradient->GetVisible();
        const std::unique_ptr<TGPBrush> Brush =
            Gradient ? FCalloutGradient->GetBrush(Box)
                     : std::make_unique<TGPSolidBrush>(FCalloutBackColor);
        const bool Shadow = FCalloutShadow && (Gradient || qAlpha(FCalloutBackColor) >= 200);
        DrawRoundRect(Graphics, Brush.get(), FCalloutFrame->GetPen(Box).get(), Box,
                      FCalloutRounding, FCalloutFrame->GetVisible(), Shadow, FCalloutRaised,
                      FCalloutLowered);
    }
    for (int k = 0; k < SegmentCount(); ++k)
        if (SegmentLabel(k)) FLabels[size_t(k)]->PaintGr(Graphics);
}

void TQvPieChart::PaintGr(TGPGraphics* Graphics) {
    if (FRecalculate) Calculate();
    PaintBackground(Graphics);
    SetHighQuality(Graphics, true);
    if (GetCaptionVisible()) FTitleRec->PaintGr(Graphics);
    if (FSegments.empty()) {
        PaintEmpty(Graphics);
    } else {
        if (FDropShadow) PaintShadow(Graphics);
        if (ThreeD())
            for (const int k : FOrder)
                PaintSides(Graphics, k);
        for (const int k : FOrder)
            PaintTop(Graphics, k);
        PaintLabels(Graphics);
    }
    PaintDrawnControls(Graphics, nullptr);
}

void TQvPieChart::Paint(QPainter& Canvas) {
    {
        TGPGraphics Graphics(&Canvas);
        PaintGr(&Graphics);
    }
    TQvCustomGraph::Paint(Canvas); // the border above the background
}
