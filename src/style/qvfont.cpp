#include "style/qvfont.h"

#include <algorithm>
#include <cmath>

TQvFont::TQvFont(ModifiedCallback Callback)
    : FGradient(std::make_unique<TQvGradientSettings>(Callback)), FCallback(std::move(Callback)) {
    StoreColor(clBlack);
}

TQvFont::~TQvFont() = default;

void TQvFont::SetModifiedCallback(ModifiedCallback Callback) {
    FCallback = Callback;
    FGradient->SetModifiedCallback(std::move(Callback));
}

float TQvFont::GetSizeF() const {
    return FSize > 0 ? FSize : float(TFont::GetSize());
}

void TQvFont::SetSizeF(float Value) {
    // Sizes beyond any page, and NaN, would not fit the framework font's integer size.
    Value = std::isnan(Value) ? 0.0f : std::clamp(Value, 0.0f, MaxSize);
    if (FSize == Value) return;
    FSize = Value;
    StoreSize(int(std::nearbyint(Value))); // halves to even, as the framework rounds
    Changed();
}

int TQvFont::GetSize() const {
    return TFont::GetSize();
}

void TQvFont::SetSize(int Value) {
    SetSizeF(float(Value));
}

void TQvFont::SetHeight(int Value) {
    SetSizeF(float(std::abs(double(Value)) * 72.0 / PixelsPerInch));
}

void TQvFont::SetColor(TColor Value) {
    const TQvColor Fill = TColorToARGB(Value);
    if (GetColor() == Value && FFillColor == Fill) return;
    FFillColor = Fill;
    StoreColor(Value);
    Changed();
}

void TQvFont::SetFillColor(TQvColor Value) {
    if (FFillColor == Value) return;
    FFillColor = Value;
    StoreColor(ARGBToTColor(Value));
    Changed();
}

void TQvFont::SetDrawEffects(TQvCharDrawEffects Value) {
    if (FDrawEffects == Value) return;
    const TQvCharDrawEffect Order[] = {TQvCharDrawEffect::Shadow, TQvCharDrawEffect::Outline,
                                       TQvCharDrawEffect::Lowered, TQvCharDrawEffect::Raised};
    TQvCharDrawEffects Result = Value;
    for (TQvCharDrawEffect Effect : Order) {
        if (Value.testFlag(Effect) && !FDrawEffects.testFlag(Effect)) {
            Result = Effect;
            break;
        }
    }
    FDrawEffects = Result;
    Changed();
}

void TQvFont::SetRenderingHint(TQvTextRenderingHint Value) {
    if (FRenderingHint == Value) return;
    FRenderingHint = Value;
    Changed();
}

void TQvFont::PushToUndoStack(TQvUndoRecorder* Stack, const QString& Caption) {
    if (!Stack) return;
    Stack->StartGroup(Caption);
    for (const char* Name : {"Name", "Style", "Size", "FillColor", "DrawEffects"})
        Stack->PushProperty(this, Caption, QString::fromLatin1(Name));
    for (const char* Name : {"Visible", "Style", "FirstColor", "MiddleColor", "LastColor",
                             "LinearAngle", "LinearCenter", "RadialCenterX", "RadialCenterY"})
        Stack->PushProperty(FGradient.get(), Caption, QString::fromLatin1(Name));
    Stack->StopGroup();
}

std::unique_ptr<TQvFont> NewFont(const char* Name, float Size, bool Bold,
                                 std::optional<TQvColor> Fill, ModifiedCallback Callback) {
    auto Font = std::make_unique<TQvFont>(std::move(Callback));
    Font->SetName(QString::fromLatin1(Name));
    Font->SetSizeF(Size);
    if (Bold) Font->SetStyle(TFontStyle::Bold);
    if (Fill) Font->SetFillColor(*Fill);
    return Font;
}

TGPFontStyle GPFontStyle(TFontStyles Style) {
    TGPFontStyle Result;
    Result.setFlag(TGPFontStyleItem::Bold, Style.testFlag(TFontStyle::Bold));
    Result.setFlag(TGPFontStyleItem::Italic, Style.testFlag(TFontStyle::Italic));
    Result.setFlag(TGPFontStyleItem::Underline, Style.testFlag(TFontStyle::Underline));
    Result.setFlag(TGPFontStyleItem::Strikeout, Style.testFlag(TFontStyle::StrikeOut));
    return Result;
}

TGPFont TQvFont::GetGPFont() const {
    return TGPFont(GetName(), GetSizeF(), GPFontStyle(GetStyle()));
}

void TQvFont::Assign(TPersistent* Source) {
    auto* Other = qobject_cast<TQvFont*>(Source);
    if (!Other) {
        TFont::Assign(Source); // a plain font: its colour sets the fill colour
        return;
    }
    const ModifiedCallback Saved = std::exchange(FCallback, ModifiedCallback());
    TFont::Assign(Source);
    FSize = Other->FSize;
    FFillColor = Other->FFillColor;
    FDrawEffects = Other->FDrawEffects;
    FRenderingHint = Other->FRenderingHint;
    FGradient->Assign(Other->FGradient.get());
    FCallback = Saved;
    Changed();
}

void TQvFont::Changed() {
    TFont::Changed();
    if (FCallback) FCallback();
}
