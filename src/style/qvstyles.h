#pragma once

// Style settings: the lines, fills, gradients, point symbols and arrow tips that the visual
// objects of the library are described with. Each reports every change to its owner through a
// callback and records the old value on the owner's undo stack first.

#include "framework/qvclasses.h"
#include "style/qvdrawing.h"
#include "undo/qvundorecorder.h"

#include <functional>
#include <memory>

using ModifiedCallback = std::function<void()>;

// Lengths of an arrow tip, in units of the line width, from 0.00001 to 10000.
inline constexpr float MinArrowLength = 0.00001f;
inline constexpr float MaxArrowLength = 10000.0f;

// What every settings object shares: the owner's callback, its undo stack and the setter.
class TQvStyleSettings : public TPersistent {
    Q_OBJECT
public:
    explicit TQvStyleSettings(ModifiedCallback Callback) : mModifiedCallBack(std::move(Callback)) {}

    TQvUndoRecorder* GetUndoStack() const { return FUndoStack; }
    virtual void SetUndoStack(TQvUndoRecorder* Stack) { FUndoStack = Stack; }
    const ModifiedCallback& GetModifiedCallback() const { return mModifiedCallBack; }
    void SetModifiedCallback(ModifiedCallback Callback) { mModifiedCallBack = std::move(Callback); }

protected:
    void Modified() const {
        if (mModifiedCallBack) mModifiedCallBack();
    }
    // The setter pattern: nothing when equal; else record, store and tell the owner.
    template <class T>
    void Change(T& Field, const T& Value, const char* PropName, const TResourceString& Caption) {
        if (SetUndoable(FUndoStack, this, Field, Value, PropName, Caption)) Modified();
    }
    // Arrow lengths are recorded when they differ and stored within MinArrowLength and
    // MaxArrowLength (NaN as MinArrowLength), whatever a record brings.
    void ChangeArrowLength(float& Field, float Value, const char* PropName,
                           const TResourceString& Caption);

    TQvUndoRecorder* FUndoStack = nullptr;

private:
    ModifiedCallback mModifiedCallBack;
};

// A linear or radial colour gradient through a first, a middle and a last colour.
class TQvGradientSettings : public TQvStyleSettings {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(QvStyle::TQvGradientStyle Style READ GetStyle WRITE SetStyle)
    Q_PROPERTY(float LinearAngle READ GetLinearAngle WRITE SetLinearAngle)
    Q_PROPERTY(float LinearCenter READ GetLinearCenter WRITE SetLinearCenter)
    Q_PROPERTY(float RadialCenterX READ GetRadialCenterX WRITE SetRadialCenterX)
    Q_PROPERTY(float RadialCenterY READ GetRadialCenterY WRITE SetRadialCenterY)
    Q_PROPERTY(TQvColor FirstColor READ GetFirstColor WRITE SetFirstColor)
    Q_PROPERTY(TQvColor MiddleColor READ GetMiddleColor WRITE SetMiddleColor)
    Q_PROPERTY(TQvColor LastColor READ GetLastColor WRITE SetLastColor)
public:
    explicit TQvGradientSettings(ModifiedCallback Callback = {});

    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    TQvGradientStyle GetStyle() const { return FStyle; }
    void SetStyle(TQvGradientStyle Value);
    float GetLinearAngle() const { return FLinearAngle; }
    // Normalised into [0, 360) first.
    void SetLinearAngle(float Value);
    float GetLinearCenter() const { return FLinearCenter; }
    // Clamped into [0, 1] first, as are the centre coordinates.
    void SetLinearCenter(float Value);
    float GetRadialCenterX() const { return FRadialCenter.X; }
    void SetRadialCenterX(float Value);
    float GetRadialCenterY() const { return FRadialCenter.Y; }
    void SetRadialCenterY(float Value);
    TQvColor GetFirstColor() const { return FFirstColor; }
    void SetFirstColor(TQvColor Value);
    TQvColor GetMiddleColor() const { return FMiddleColor; }
    void SetMiddleColor(TQvColor Value);
    TQvColor GetLastColor() const { return FLastColor; }
    void SetLastColor(TQvColor Value);

    // A new brush for Rect, the linear gradient turned further by Angle degrees.
    std::unique_ptr<TGPBrush> GetBrush(const TGPRectF& Rect, float Angle = 0) const;
    std::unique_ptr<TGPBrush> GetBrush(const TRect& Rect, float Angle = 0) const;
    void Assign(TPersistent* Source) override;

private:
    bool FVisible = false;
    TQvGradientStyle FStyle = TQvGradientStyle::Linear;
    float FLinearAngle = 0;
    float FLinearCenter = 0.5f;
    TGPPointF FRadialCenter{0.5f, 0.5f};
    TQvColor FFirstColor = 0xFFD3D3D3;
    TQvColor FMiddleColor = 0xFFB0B0B0;
    TQvColor FLastColor = 0xFF808080;
};

// A line's width, dash style and colour, or a gradient instead of the colour.
class TQvSimpleLineSettings : public TQvStyleSettings {
    Q_OBJECT
    Q_PROPERTY(float Width READ GetWidth WRITE SetWidth)
    Q_PROPERTY(Gdip::TGPDashStyle DashStyle READ GetDashStyle WRITE SetDashStyle)
    Q_PROPERTY(TQvColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(TQvGradientSettings* Gradient READ GetGradient WRITE SetGradient)
public:
    explicit TQvSimpleLineSettings(ModifiedCallback Callback = {});
    ~TQvSimpleLineSettings() override;

    float GetWidth() const { return FWidth; }
    void SetWidth(float Value);
    TGPDashStyle GetDashStyle() const { return FDashStyle; }
    void SetDashStyle(TGPDashStyle Value);
    TQvColor GetColor() const { return FColor; }
    void SetColor(TQvColor Value);
    TQvGradientSettings* GetGradient() const { return FGradient.get(); }
    // Copies the values into the own gradient.
    void SetGradient(TQvGradientSettings* Value) { FGradient->Assign(Value); }

    void SetUndoStack(TQvUndoRecorder* Stack) override;
    // A new pen: from the gradient's brush for Rect when the gradient is visible, else from
    // Color; then Width and DashStyle.
    virtual std::unique_ptr<TQvPen> GetPen(const TGPRectF& Rect, float Angle = 0) const;
    std::unique_ptr<TQvPen> GetPen(const TRect& Rect, float Angle = 0) const;
    void Assign(TPersistent* Source) override;

private:
    float FWidth = 1;
    TGPDashStyle FDashStyle = TGPDashStyle::Solid;
    TQvColor FColor = 0xFFFF0000;
    std::unique_ptr<TQvGradientSettings> FGradient;
};

// Line settings that can also hide the line.
class TQvLineSettings : public TQvSimpleLineSettings {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
public:
    explicit TQvLineSettings(ModifiedCallback Callback = {})
        : TQvSimpleLineSettings(std::move(Callback)) {}

    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    // Visible through its setter, so that it is recorded; the rest as a simple line.
    void Assign(TPersistent* Source) override;

private:
    bool FVisible = true;
};

// Line settings with an arrow tip at the line's end.
class TQvArrowSettings : public TQvLineSettings {
    Q_OBJECT
    Q_PROPERTY(float PointLength READ GetPointLength WRITE SetPointLength)
    Q_PROPERTY(float InnerLength READ GetInnerLength WRITE SetInnerLength)
    Q_PROPERTY(float PointHeight READ GetPointHeight WRITE SetPointHeight)
public:
    explicit TQvArrowSettings(ModifiedCallback Callback = {})
        : TQvLineSettings(std::move(Callback)) {}

    float GetPointLength() const { return FPointLength; }
    void SetPointLength(float Value);
    float GetInnerLength() const { return FInnerLength; }
    void SetInnerLength(float Value);
    float GetPointHeight() const { return FPointHeight; }
    void SetPointHeight(float Value);

    // The line pen with the arrow tip as its end cap.
    std::unique_ptr<TQvPen> GetPen(const TGPRectF& Rect, float Angle = 0) const override;
    using TQvSimpleLineSettings::GetPen;
    void Assign(TPersistent* Source) override;

private:
    float FPointLength = 5;
    float FInnerLength = 3;
    float FPointHeight = 2;
};

// How an area is filled: solid, hatched or with a gradient, or not at all.
class TQvAreaSettings : public TQvStyleSettings {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(QvStyle::TQvAreaStyle AreaStyle READ GetAreaStyle WRITE SetAreaStyle)
    Q_PROPERTY(TQvGradientSettings* Gradient READ GetGradient WRITE SetGradient)
    Q_PROPERTY(TQvColor ForeColor READ GetForeColor WRITE SetForeColor)
    Q_PROPERTY(TQvColor BackColor READ GetBackColor WRITE SetBackColor)
public:
    explicit TQvAreaSettings(ModifiedCallback Callback = {});
    ~TQvAreaSettings() override;

    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    TQvAreaStyle GetAreaStyle() const { return FAreaStyle; }
    void SetAreaStyle(TQvAreaStyle Value);
    TQvGradientSettings* GetGradient() const { return FGradient.get(); }
    void SetGradient(TQvGradientSettings* Value) { FGradient->Assign(Value); }
    TQvColor GetForeColor() const { return FForeColor; }
    void SetForeColor(TQvColor Value);
    TQvColor GetBackColor() const { return FBackColor; }
    void SetBackColor(TQvColor Value);
    // The fill is solid, not hatched.
    bool Solid() const { return FAreaStyle == TQvAreaStyle::Total; }

    void SetUndoStack(TQvUndoRecorder* Stack) override;
    // The gradient's brush when it is visible, else the solid or hatch brush.
    std::unique_ptr<TGPBrush> GetBrush(const TGPRectF& Rect) const;
    std::unique_ptr<TGPBrush> GetBrush(const TRect& Rect) const;
    void Assign(TPersistent* Source) override;

private:
    bool FVisible = false;
    TQvAreaStyle FAreaStyle = TQvAreaStyle::Total;
    std::unique_ptr<TQvGradientSettings> FGradient;
    TQvColor FForeColor = 0xFFD3D3D3;
    TQvColor FBackColor = 0xFFA9A9A9;
};

// The symbol drawn at a point: its shape, size, border and fill.
class TQvPointSymbolSettings : public TQvStyleSettings {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(TQvColor BorderColor READ GetBorderColor WRITE SetBorderColor)
    Q_PROPERTY(TQvColor FillColor READ GetFillColor WRITE SetFillColor)
    Q_PROPERTY(float BorderLineWidth READ GetBorderLineWidth WRITE SetBorderLineWidth)
    Q_PROPERTY(float Size READ GetSize WRITE SetSize)
    Q_PROPERTY(QvStyle::TQvPointSymbol PointSymbol READ GetPointSymbol WRITE SetPointSymbol)
public:
    explicit TQvPointSymbolSettings(ModifiedCallback Callback = {})
        : TQvStyleSettings(std::move(Callback)) {}

    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    TQvColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TQvColor Value);
    TQvColor GetFillColor() const { return FFillColor; }
    void SetFillColor(TQvColor Value);
    float GetBorderLineWidth() const { return FBorderLineWidth; }
    void SetBorderLineWidth(float Value);
    float GetSize() const { return FSize; }
    void SetSize(float Value);
    TQvPointSymbol GetPointSymbol() const { return FPointSymbol; }
    void SetPointSymbol(TQvPointSymbol Value);

    void Assign(TPersistent* Source) override;

private:
    bool FVisible = true;
    TQvColor FBorderColor = 0xFF0000FF;
    TQvColor FFillColor = 0xFF0000FF;
    float FBorderLineWidth = 1;
    float FSize = 11;
    TQvPointSymbol FPointSymbol = TQvPointSymbol::Circle;
};

// The arrow at the end of an axis line.
class TQvAxisArrowPoint : public TQvStyleSettings {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(float PointLength READ GetPointLength WRITE SetPointLength)
    Q_PROPERTY(float InnerLength READ GetInnerLength WRITE SetInnerLength)
    Q_PROPERTY(float PointHeight READ GetPointHeight WRITE SetPointHeight)
public:
    explicit TQvAxisArrowPoint(ModifiedCallback Callback = {})
        : TQvStyleSettings(std::move(Callback)) {}

    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    float GetPointLength() const { return FPointLength; }
    void SetPointLength(float Value);
    float GetInnerLength() const { return FInnerLength; }
    void SetInnerLength(float Value);
    float GetPointHeight() const { return FPointHeight; }
    void SetPointHeight(float Value);

    void Assign(TPersistent* Source) override;

private:
    bool FVisible = false;
    float FPointLength = 7;
    float FInnerLength = 5;
    float FPointHeight = 3;
};

// The end cap of an arrow tip: I = L gives a plain triangle, I < L a swept-back arrow.
TGPCustomLineCap ArrowPointCap(float PointLength, float InnerLength, float PointHeight);
TGPCustomLineCap ArrowPointCap(const TQvArrowSettings* Settings);
TGPCustomLineCap ArrowPointCap(const TQvAxisArrowPoint* Settings);
