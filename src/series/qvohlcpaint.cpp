// Drawing price bars: OHLC bars with their ticks, candlesticks coloured by direction, the style
// events per bar, and the legend samples.

#include "series/qvohlc.h"

#include "graph/qvgraph2d.h"
#include "undo/qvundostack.h"

#include <algorithm>
#include <cmath>
#include <optional>

using namespace Qvlocalize;

namespace {

// A flat candle is drawn in opaque black.
constexpr TQvColor FlatColor = 0xFF000000;

// Bars stand on whole pixels, pixel centres being whole coordinates: the centre on a pixel
// centre and an odd number of pixels wide, so that wicks, ticks and outlines of one pixel are
// sharp.
float OddWidth(float W) {
    return std::max(1.0f, 2 * std::floor((W - 1) / 2) + 1);
}

TQvCustomOHLC::TBar OnPixels(TQvCustomOHLC::TBar Bar) {
    for (float* v : {&Bar.X, &Bar.Open, &Bar.High, &Bar.Low, &Bar.Close})
        *v = std::round(*v);
    return Bar;
}

TGPRectF LegendRect(const TQvLegendItemDrawArgs& Args) {
    return {float(Args.Rect.Left), float(Args.Rect.Top), float(Args.Rect.Right),
            float(Args.Rect.Bottom)};
}

} // namespace

void TQvCustomOHLC::PaintGr(TGPGraphics* Graphics) {
    if (!FXAxis || !FYAxis || !FGraph || !SeriesVisible()) return;
    CurrentScreenPoints();
    PrepareStyles();
    // Bars are filled with plain colours.
    if (FAreaSettings->GetGradient()->GetVisible())
        FBrush = std::make_unique<TGPSolidBrush>(FAreaSettings->GetForeColor());
    const float W = OddWidth(FDrawnWidth), Tick = std::round(FDrawnTick);
    for (size_t k = 0; k < FBars.size(); ++k)
        PaintBar(Graphics, k, OnPixels(FBars[k]), W, Tick);
}

bool TQvCustomOHLC::BarBrush(size_t k, TGPBrush*& Brush) {
    if (!FOnGetBrush) return FAreaSettings->GetVisible();
    const int i = FScreen.Index()[k];
    TQvBrushEventArgs Args{i, ValueX(i), ValueY(i), Brush, FAreaSettings->GetVisible()};
    FOnGetBrush(this, Args);
    Brush = Args.Brush;
    return Args.Visible && Brush;
}

bool TQvCustomOHLC::BarPen(size_t k, TQvPen*& Pen) {
    if (!FOnGetPen) return FLineSettings->GetVisible();
    const int i = FScreen.Index()[k];
    TQvPenEventArgs Args{i, ValueX(i), ValueY(i), Pen, FLineSettings->GetVisible()};
    FOnGetPen(this, Args);
    Pen = Args.Pen;
    return Args.Visible && Pen;
}

// ---- OHLC bars ----

TQvOHLC::TQvOHLC(TComponent* AOwner) : TQvCustomOHLC(AOwner) {
    FLineSettings->SetColor(ColorToARGB(QStringLiteral("DarkBlue")));
    FAreaSettings->SetForeColor(FLineSettings->GetColor());
    FAreaSettings->SetVisible(true);
    NameCaption();
}

void TQvOHLC::TakeThemeColor(TQvColor Color, TQvColor) {
    FLineSettings->SetColor(Color);
    FAreaSettings->SetForeColor(Color);
}

void TQvOHLC::SetIndicatorLength(float Value) {
    if (!SetUndoable(FUndoStack, this, FIndicatorLength, Value, "IndicatorLength",
                     SOHLCIndicatorLength))
        return;
    Invalidate();
    if (FGraph) FGraph->Modified();
}

void TQvOHLC::PaintBar(TGPGraphics* Graphics, size_t k, const TBar& Bar, float W, float Tick) {
    TGPBrush* Brush = FBrush.get();
    if (BarBrush(k, Brush))
        Graphics->FillRectangle(*Brush, TGPRectF{Bar.X - W / 2, std::min(Bar.High, Bar.Low) - 0.5f,
                                                 W, std::abs(Bar.Low - Bar.High) + 1});
    TQvPen* Pen = FPen.get();
    if (!BarPen(k, Pen)) return;
    const float Left = Bar.X - (W - 1) / 2, Right = Bar.X + (W - 1) / 2;
    if (W > 1)
        Graphics->DrawRectangle(
            *Pen, TGPRectF{Left, std::min(Bar.High, Bar.Low), W - 1, std::abs(Bar.Low - Bar.High)});
    else
        Graphics->DrawLine(*Pen, Bar.X, Bar.High, Bar.X, Bar.Low);
    // Bars of whole pixel columns stand side by side without ticks.
    if (Tick <= 0) return;
    Graphics->DrawLine(*Pen, Left - Tick, Bar.Open, Left, Bar.Open);
    Graphics->DrawLine(*Pen, Right, Bar.Close, Right + Tick, Bar.Close);
}

// The bar keeps its set width up to a third of the step; the ticks share the rest.
void TQvOHLC::SplitStep(float Step, float& Bar, float& Tick) const {
    Bar = std::min(FBarWidth, Step / 3);
    Tick = (Step - Bar) / 2;
}

// A bar through the whole height, the open tick at two thirds, the close tick at one third.
void TQvOHLC::DrawListItem(const TQvLegendItemDrawArgs& Args) {
    const TGPRectF R = LegendRect(Args);
    const float X = R.X + R.Width / 2, W = std::min(FBarWidth, R.Width / 4);
    const float L = std::min(FIndicatorLength, R.Width / 3);
    const TGPRectF Bar{X - W / 2, R.Y, W, R.Height};
    if (FAreaSettings->GetVisible())
        Args.Graphics->FillRectangle(TGPSolidBrush(FAreaSettings->GetForeColor()), Bar);
    if (!FLineSettings->GetVisible()) return;
    const std::unique_ptr<TQvPen> Pen = FLineSettings->GetPen(R);
    Args.Graphics->DrawRectangle(*Pen, Bar);
    Args.Graphics->DrawLine(*Pen, Bar.X - L, R.Y + R.Height * 2 / 3, Bar.X, R.Y + R.Height * 2 / 3);
    Args.Graphics->DrawLine(*Pen, Bar.X + W, R.Y + R.Height / 3, Bar.X + W + L, R.Y + R.Height / 3);
}

// ---- Candlesticks ----

TQvCandleSticks::TQvCandleSticks(TComponent* AOwner)
    : TQvCustomOHLC(AOwner), FBullColor(ColorToARGB(QStringLiteral("Green"))),
      FBearColor(ColorToARGB(QStringLiteral("Red"))) {
    FLineSettings->SetColor(ColorToARGB(QStringLiteral("Black")));
    FBarWidth = 6;
    NameCaption();
}

void TQvCandleSticks::SetBullColor(TQvColor Value) {
    if (SetUndoable(FUndoStack, this, FBullColor, Value, "BullColor", SCandlesBullColor))
        Invalidate();
}

void TQvCandleSticks::SetBearColor(TQvColor Value) {
    if (SetUndoable(FUndoStack, this, FBearColor, Value, "BearColor", SCandlesBearColor))
        Invalidate();
}

void TQvCandleSticks::SetShadowsSameColorAsFill(bool Value) {
    if (SetUndoable(FUndoStack, this, FShadowsSameColorAsFill, Value, "ShadowsSameColorAsFill",
                    SCandlesShadowsSameColor))
        Invalidate();
}

TQvColor TQvCandleSticks::BodyColor(int Direction) const {
    return Direction > 0 ? FBullColor : Direction < 0 ? FBearColor : FlatColor;
}

void TQvCandleSticks::PaintBar(TGPGraphics* Graphics, size_t k, const TBar& Bar, float W, float) {
    const TQvColor Fill = BodyColor(Bar.Direction);
    TQvPen* Pen = FPen.get();
    std::optional<TQvPen> Same;
    if (FShadowsSameColorAsFill) {
        Same.emplace(*FPen);
        Same->SetColor(Fill);
        Pen = &*Same;
    }
    const bool Outline = BarPen(k, Pen);
    DrawCandle(Graphics, Bar.X, W, Bar.High, std::min(Bar.Open, Bar.Close),
               std::max(Bar.Open, Bar.Close), Bar.Low, Fill, Outline ? Pen : nullptr);
}

void TQvCandleSticks::DrawCandle(TGPGraphics* Graphics, float X, float W, float High, float Top,
                                 float Bottom, float Low, TQvColor Fill, TQvPen* Pen) {
    Graphics->FillRectangle(TGPSolidBrush(Fill),
                            TGPRectF{X - W / 2, Top - 0.5f, W, Bottom - Top + 1});
    if (!Pen) return;
    if (Bottom - Top < 1)
        Graphics->DrawLine(*Pen, X - W / 2, Top, X + W / 2, Top);
    else if (W > 2) // a thinner outline would cover the body's colour
        Graphics->DrawRectangle(*Pen, TGPRectF{X - (W - 1) / 2, Top, W - 1, Bottom - Top});
    Graphics->DrawLine(*Pen, X, Bottom, X, Low);
    Graphics->DrawLine(*Pen, X, Top, X, High);
}

// A rising candle: its body over the middle half, wicks to the top and the bottom.
void TQvCandleSticks::DrawListItem(const TQvLegendItemDrawArgs& Args) {
    const TGPRectF R = LegendRect(Args);
    const std::unique_ptr<TQvPen> Line = FLineSettings->GetPen(R);
    TQvPen Same(*Line);
    Same.SetColor(FBullColor);
    TQvPen* Pen = FShadowsSameColorAsFill ? &Same : Line.get();
    DrawCandle(Args.Graphics, std::round(R.X + R.Width / 2),
               OddWidth(std::min(FBarWidth, R.Width / 2)), R.Y, std::round(R.Y + R.Height / 4),
               std::round(R.Y + R.Height * 3 / 4), R.Y + R.Height, FBullColor,
               FLineSettings->GetVisible() ? Pen : nullptr);
}
