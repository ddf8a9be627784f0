#include "framework/qvgraphics.h"

#include <algorithm>
#include <cmath>
#include <utility>

void TFont::SetName(const QString& Value) {
    if (FName == Value) return;
    FName = Value;
    Changed();
}

void TFont::SetSize(int Value) {
    if (FSize == Value) return;
    FSize = Value;
    Changed();
}

int TFont::GetHeight() const {
    return -int(std::lround(GetSize() * double(PixelsPerInch) / 72));
}

void TFont::SetHeight(int Value) {
    SetSize(int(std::lround(std::abs(Value) * 72.0 / PixelsPerInch)));
}

void TFont::SetStyle(TFontStyles Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    Changed();
}

void TFont::SetCharset(int Value) {
    if (FCharset == Value) return;
    FCharset = Value;
    Changed();
}

void TFont::Assign(TPersistent* Source) {
    auto* Other = qobject_cast<TFont*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    // One change report for the whole copy.
    const TNotifyEvent Saved = std::exchange(FOnChange, TNotifyEvent());
    SetName(Other->FName);
    SetSize(Other->GetSize());
    SetStyle(Other->FStyle);
    SetColor(Other->FColor);
    SetCharset(Other->FCharset);
    FOnChange = Saved;
    Changed();
}

QFont TFont::ToQt() const {
    QFont Font(FName);
    Font.setPixelSize(std::max(1, -GetHeight()));
    Font.setBold(FStyle.testFlag(TFontStyle::Bold));
    Font.setItalic(FStyle.testFlag(TFontStyle::Italic));
    Font.setUnderline(FStyle.testFlag(TFontStyle::Underline));
    Font.setStrikeOut(FStyle.testFlag(TFontStyle::StrikeOut));
    return Font;
}

void TFont::Changed() {
    if (FOnChange) FOnChange(this);
}
