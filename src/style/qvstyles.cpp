#include "style/qvstyles.h"

#include "axes/qvmath.h"

#include <algorithm>
#include <cmath>

using namespace Qvlocalize;

void TQvStyleSettings::ChangeArrowLength(float& Field, float Value, const char* PropName,
                                         const TResourceString& Caption) {
    if (!SetUndoable(FUndoStack, this, Field, Value, PropName, Caption)) return;
    Field = std::isnan(Field) ? MinArrowLength : std::clamp(Field, MinArrowLength, MaxArrowLength);
    Modified();
}

// ---- TQvGradientSettings ----

TQvGradientSettings::TQvGradientSettings(ModifiedCallback Callback)
    : TQvStyleSettings(std::move(Callback)) {}

void TQvGradientSettings::SetVisible(bool Value) {
    Change(FVisible, Value, "Visible", SGradientVisible);
}

void TQvGradientSettings::SetStyle(TQvGradientStyle Value) {
    Change(FStyle, Value, "Style", SGradientStyle);
}

void TQvGradientSettings::SetLinearAngle(float Value) {
    Change(FLinearAngle, float(Qvmath::FitTo360Degrees(Value)), "LinearAngle",
           SLinearGradientAngle);
}

void TQvGradientSettings::SetLinearCenter(float Value) {
    Change(FLinearCenter, std::clamp(Value, 0.0f, 1.0f), "LinearCenter", SLinearGradientCenter);
}

void TQvGradientSettings::SetRadialCenterX(float Value) {
    Change(FRadialCenter.X, std::clamp(Value, 0.0f, 1.0f), "RadialCenterX", SGradientCenterX);
}

void TQvGradientSettings::SetRadialCenterY(float Value) {
    Change(FRadialCenter.Y, std::clamp(Value, 0.0f, 1.0f), "RadialCenterY", SGradientCenterY);
}

void TQvGradientSettings::SetFirstColor(TQvColor Value) {
    Change(FFirstColor, Value, "FirstColor", SGradientFirstColor);
}

void TQvGradientSettings::SetMiddleColor(TQvColor Value) {
    Change(FMiddleColor, Value, "MiddleColor", SGradientMiddleColor);
}

void TQvGradientSettings::SetLastColor(TQvColor Value) {
    Change(FLastColor, Value, "LastColor", SGradientLastColor);
}

std::unique_ptr<TGPBrush> TQvGradientSettings::GetBrush(const TGPRectF& Rect, float Angle) const {
    switch (FStyle) {
    case TQvGradientStyle::Radial:
        return RadialBrush(Rect, FRadialCenter, FFirstColor, FMiddleColor, FLastColor);
    case TQvGradientStyle::Elliptical:
        return EllipticalBrush(Rect, FRadialCenter, FFirstColor, FMiddleColor, FLastColor);
    default:
        return LinearBrush(Rect, FLinearAngle + Angle, FLinearCenter, FFirstColor, FMiddleColor,
                           FLastColor);
    }
}

std::unique_ptr<TGPBrush> TQvGradientSettings::GetBrush(const TRect& Rect, float Angle) const {
    return GetBrush(TRectToRectF(Rect), Angle);
}

void TQvGradientSettings::Assign(TPersistent* Source) {
    auto* Other = qobject_cast<TQvGradientSettings*>(Source);
    if (!Other) {
        TQvStyleSettings::Assign(Source);
        return;
    }
    FVisible = Other->FVisible;
    FStyle = Other->FStyle;
    FFirstColor = Other->FFirstColor;
    FMiddleColor = Other->FMiddleColor;
    FLastColor = Other->FLastColor;
    FLinearAngle = Other->FLinearAngle;
    FLinearCenter = Other->FLinearCenter;
    FRadialCenter = Other->FRadialCenter;
    Modified();
}

// ---- line settings ----

TQvSimpleLineSettings::TQvSimpleLineSettings(ModifiedCallback Callback)
    : TQvStyleSettings(Callback), FGradient(std::make_unique<TQvGradientSettings>(Callback)) {}

TQvSimpleLineSettings::~TQvSimpleLineSettings() = default;

void TQvSimpleLineSettings::SetWidth(float Value) {
    Change(FWidth, Value, "Width", SLineWidth);
}

void TQvSimpleLineSettings::SetDashStyle(TGPDashStyle Value) {
    Change(FDashStyle, Value, "DashStyle", SLineDashStyle);
}

void TQvSimpleLineSettings::SetColor(TQvColor Value) {
    Change(FColor, Value, "Color", SLineColor);
}

void TQvSimpleLineSettings::SetUndoStack(TQvUndoRecorder* Stack) {
    TQvStyleSettings::SetUndoStack(Stack);
    FGradient->SetUndoStack(Stack);
}

std::unique_ptr<TQvPen> TQvSimpleLineSettings::GetPen(const TGPRectF& Rect, float Angle) const {
    auto Pen = FGradient->GetVisible()
                   ? std::make_unique<TQvPen>(*FGradient->GetBrush(Rect, Angle), 1)
                   : std::make_unique<TQvPen>(FColor, 1);
    Pen->SetMiterLimit(0);
    Pen->SetWidth(FWidth);
    Pen->SetDashStyle(FDashStyle);
    return Pen;
}

std::unique_ptr<TQvPen> TQvSimpleLineSettings::GetPen(const TRect& Rect, float Angle) const {
    return GetPen(TRectToRectF(Rect), Angle);
}

void TQvSimpleLineSettings::Assign(TPersistent* Source) {
    auto* Other = qobject_cast<TQvSimpleLineSettings*>(Source);
    if (!Other) {
        TQvStyleSettings::Assign(Source);
        return;
    }
    FDashStyle = Other->FDashStyle;
    FColor = Other->FColor;
    FWidth = Other->FWidth;
    FGradient->Assign(Other->FGradient.get());
}

void TQvLineSettings::SetVisible(bool Value) {
    Change(FVisible, Value, "Visible", SLineVisible);
}

void TQvLineSettings::Assign(TPersistent* Source) {
    if (auto* Other = qobject_cast<TQvLineSettings*>(Source)) SetVisible(Other->FVisible);
    TQvSimpleLineSettings::Assign(Source);
}

void TQvArrowSettings::SetPointLength(float Value) {
    ChangeArrowLength(FPointLength, Value, "PointLength", SArrowPointLength);
}

void TQvArrowSettings::SetInnerLength(float Value) {
    ChangeArrowLength(FInnerLength, Value, "InnerLength", SArrowInnerLength);
}

void TQvArrowSettings::SetPointHeight(float Value) {
    ChangeArrowLength(FPointHeight, Value, "PointHeight", SArrowPointHeight);
}

std::unique_ptr<TQvPen> TQvArrowSettings::GetPen(const TGPRectF& Rect, float Angle) const {
    auto Pen = TQvLineSettings::GetPen(Rect, Angle);
    Pen->SetCustomEndCap(ArrowPointCap(this));
    return Pen;
}

void TQvArrowSettings::Assign(TPersistent* Source) {
    if (auto* Other = qobject_cast<TQvArrowSettings*>(Source)) {
        FPointLength = Other->FPointLength;
        FInnerLength = Other->FInnerLength;
        FPointHeight = Other->FPointHeight;
    }
    TQvLineSettings::Assign(Source);
}

// ---- TQvAreaSettings ----

TQvAreaSettings::TQvAreaSettings(ModifiedCallback Callback)
    : TQvStyleSettings(Callback), FGradient(std::make_unique<TQvGradientSettings>(Callback)) {}

TQvAreaSettings::~TQvAreaSettings() = default;

void TQvAreaSettings::SetVisible(bool Value) {
    Change(FVisible, Value, "Visible", SAreaVisible);
}

void TQvAreaSettings::SetAreaStyle(TQvAreaStyle Value) {
    Change(FAreaStyle, Value, "AreaStyle", SAreaStyle);
}

void TQvAreaSettings::SetForeColor(TQvColor Value) {
    Change(FForeColor, Value, "ForeColor", SAreaForeColor);
}

void TQvAreaSettings::SetBackColor(TQvColor Value) {
    Change(FBackColor, Value, "BackColor", SAreaBackColor);
}

void TQvAreaSettings::SetUndoStack(TQvUndoRecorder* Stack) {
    TQvStyleSettings::SetUndoStack(Stack);
    FGradient->SetUndoStack(Stack);
}

std::unique_ptr<TGPBrush> TQvAreaSettings::GetBrush(const TGPRectF& Rect) const {
    if (FGradient->GetVisible()) return FGradient->GetBrush(Rect);
    return GetAreaBrush(FAreaStyle, FForeColor, FBackColor);
}

std::unique_ptr<TGPBrush> TQvAreaSettings::GetBrush(const TRect& Rect) const {
    return GetBrush(TRectToRectF(Rect));
}

void TQvAreaSettings::Assign(TPersistent* Source) {
    auto* Other = qobject_cast<TQvAreaSettings*>(Source);
    if (!Other) {
        TQvStyleSettings::Assign(Source);
        return;
    }
    FVisible = Other->FVisible;
    FAreaStyle = Other->FAreaStyle;
    FForeColor = Other->FForeColor;
    FBackColor = Other->FBackColor;
    FGradient->Assign(Other->FGradient.get());
}

// ---- TQvPointSymbolSettings ----

void TQvPointSymbolSettings::SetVisible(bool Value) {
    Change(FVisible, Value, "Visible", SSymbolVisible);
}

void TQvPointSymbolSettings::SetBorderColor(TQvColor Value) {
    Change(FBorderColor, Value, "BorderColor", SSymbolBorderColor);
}

void TQvPointSymbolSettings::SetFillColor(TQvColor Value) {
    Change(FFillColor, Value, "FillColor", SSymbolFillColor);
}

void TQvPointSymbolSettings::SetBorderLineWidth(float Value) {
    Change(FBorderLineWidth, Value, "BorderLineWidth", SSymbolBorderLineWidth);
}

void TQvPointSymbolSettings::SetSize(float Value) {
    Change(FSize, Value, "Size", SSymbolSize);
}

void TQvPointSymbolSettings::SetPointSymbol(TQvPointSymbol Value) {
    Change(FPointSymbol, Value, "PointSymbol", SSymbolSelection);
}

void TQvPointSymbolSettings::Assign(TPersistent* Source) {
    auto* Other = qobject_cast<TQvPointSymbolSettings*>(Source);
    if (!Other) {
        TQvStyleSettings::Assign(Source);
        return;
    }
    FVisible = Other->FVisible;
    FBorderColor = Other->FBorderColor;
    FFillColor = Other->FFillColor;
    FBorderLineWidth = Other->FBorderLineWidth;
    FSize = Other->FSize;
    FPointSymbol = Other->FPointSymbol;
    Modified();
}

// ---- TQvAxisArrowPoint ----

void TQvAxisArrowPoint::SetVisible(bool Value) {
    Change(FVisible, Value, "Visible", SAxisArrowVisible);
}

void TQvAxisArrowPoint::SetPointLength(float Value) {
    ChangeArrowLength(FPointLength, Value, "PointLength", SAxisArrowPointLength);
}

void TQvAxisArrowPoint::SetInnerLength(float Value) {
    ChangeArrowLength(FInnerLength, Value, "InnerLength", SAxisArrowInnerLength);
}

void TQvAxisArrowPoint::SetPointHeight(float Value) {
    ChangeArrowLength(FPointHeight, Value, "PointHeight", SAxisArrowPointHeight);
}

void TQvAxisArrowPoint::Assign(TPersistent* Source) {
    auto* Other = qobject_cast<TQvAxisArrowPoint*>(Source);
    if (!Other) {
        TQvStyleSettings::Assign(Source);
        return;
    }
    FVisible = Other->FVisible;
    FPointLength = Other->FPointLength;
    FInnerLength = Other->FInnerLength;
    FPointHeight = Other->FPointHeight;
    Modified();
}

// ---- arrow caps ----

TGPCustomLineCap ArrowPointCap(float PointLength, float InnerLength, float PointHeight) {
    const float L = PointLength, I = InnerLength, H = PointHeight;
    const TGPPointF Tip[5] = {{H, -L}, {0, 0}, {-H, -L}, {0, -I}, {H, -L}};
    TGPGraphicsPath Fill(TGPFillMode::Alternate);
    Fill.AddPolygon(Tip, 5);
    return TGPCustomLineCap(&Fill, nullptr, TGPLineCap::Flat, I);
}

TGPCustomLineCap ArrowPointCap(const TQvArrowSettings* Settings) {
    return ArrowPointCap(Settings->GetPointLength(), Settings->GetInnerLength(),
                         Settings->GetPointHeight());
}

TGPCustomLineCap ArrowPointCap(const TQvAxisArrowPoint* Settings) {
    return ArrowPointCap(Settings->GetPointLength(), Settings->GetInnerLength(),
                         Settings->GetPointHeight());
}
