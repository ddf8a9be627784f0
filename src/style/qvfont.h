#pragma once

// The font of every caption: a framework font with a fractional size, an ARGB fill colour, an
// optional gradient, at most one draw effect and a text rendering hint.

#include "framework/qvgraphics.h"
#include "style/qvstyles.h"

#include <memory>
#include <optional>

using TQvTextRenderingHint = TGPTextRenderingHint;

class TQvFont;

// A new font of the face Name and the size Size, bold or not, with its fill colour when one is
// given.
std::unique_ptr<TQvFont> NewFont(const char* Name, float Size, bool Bold,
                                 std::optional<TQvColor> Fill = {}, ModifiedCallback Callback = {});

// The drawing-surface style of a framework font style.
TGPFontStyle GPFontStyle(TFontStyles Style);

class TQvFont : public TFont {
    Q_OBJECT
    Q_PROPERTY(float Size READ GetSizeF WRITE SetSizeF)
    Q_PROPERTY(TQvColor FillColor READ GetFillColor WRITE SetFillColor)
    Q_PROPERTY(TQvGradientSettings* Gradient READ GetGradient WRITE SetGradient)
    Q_PROPERTY(QvStyle::TQvCharDrawEffects DrawEffects READ GetDrawEffects WRITE SetDrawEffects)
    Q_PROPERTY(
        Gdip::TGPTextRenderingHint RenderingHint READ GetRenderingHint WRITE SetRenderingHint)
public:
    explicit TQvFont(ModifiedCallback Callback = {});
    ~TQvFont() override;

    // Largest size in points; larger sizes are taken as this, negative ones and NaN as 0.
    static constexpr float MaxSize = 4000.0f;
    // The fractional size when one is set, else the framework's whole points.
    float GetSizeF() const;
    void SetSizeF(float Value);
    int GetSize() const override;
    void SetSize(int Value) override;
    void SetHeight(int Value) override;
    // Setting either colour sets the other: the framework colour is the fill colour without
    // alpha, the fill colour the framework colour made opaque.
    void SetColor(TColor Value) override;
    TQvColor GetFillColor() const { return FFillColor; }
    void SetFillColor(TQvColor Value);
    TQvGradientSettings* GetGradient() const { return FGradient.get(); }
    void SetGradient(TQvGradientSettings* Value) { FGradient->Assign(Value); }
    TQvCharDrawEffects GetDrawEffects() const { return FDrawEffects; }
    // Keeps at most one effect: the lowest one of Value other than the current effect, or
    // Value itself when it holds no other (so an empty Value clears the effect).
    void SetDrawEffects(TQvCharDrawEffects Value);
    TQvTextRenderingHint GetRenderingHint() const { return FRenderingHint; }
    void SetRenderingHint(TQvTextRenderingHint Value);

    const ModifiedCallback& GetModifiedCallback() const { return FCallback; }
    void SetModifiedCallback(ModifiedCallback Callback);
    // Records name, style, size, colour, effects and the gradient as one undo step.
    void PushToUndoStack(TQvUndoRecorder* Stack, const QString& Caption);
    // A drawing-surface font of this face, size and style.
    TGPFont GetGPFont() const;

    // Copies everything from another caption font, the framework part from a plain font.
    void Assign(TPersistent* Source) override;

protected:
    void Changed() override;

private:
    float FSize = 0; // 0: the framework's whole points apply
    TQvColor FFillColor = 0xFF000000;
    TQvCharDrawEffects FDrawEffects;
    TQvTextRenderingHint FRenderingHint = TQvTextRenderingHint::SystemDefault;
    std::unique_ptr<TQvGradientSettings> FGradient;
    ModifiedCallback FCallback;
};
