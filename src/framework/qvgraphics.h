#pragma once

// The framework's colours and fonts: the platform colour of the desktop framework the library
// was first written for (kept so that stored values and system-colour references stay
// compatible) and the font object that controls and captions share.

#include "framework/qvclasses.h"

#include <QFont>

#include <cstdint>

// 0x00BBGGRR (red in the low byte). A negative value is a system-colour reference:
// 0xFF000000 | the classic Windows COLOR_* index.
using TColor = std::int32_t;

inline constexpr TColor clSystemColor = TColor(0xFF000000u);

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clScrollBar = clSystemColor | 0;
inline constexpr TColor clBackground = clSystemColor | 1;
inline constexpr TColor clActiveCaption = clSystemColor | 2;
inline constexpr TColor clInactiveCaption = clSystemColor | 3;
inline constexpr TColor clMenu = clSystemColor | 4;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowFrame = clSystemColor | 6;
inline constexpr TColor clMenuText = clSystemColor | 7;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clCaptionText = clSystemColor | 9;
inline constexpr TColor clActiveBorder = clSystemColor | 10;
inline constexpr TColor clInactiveBorder = clSystemColor | 11;
inline constexpr TColor clAppWorkSpace = clSystemColor | 12;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor | 19;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;
inline constexpr TColor clInfoText = clSystemColor | 23;
inline constexpr TColor clInfoBk = clSystemColor | 24;
inline constexpr TColor clHotLight = clSystemColor | 26;
inline constexpr TColor clGradientActiveCaption = clSystemColor | 27;
inline constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
inline constexpr TColor clMenuHighlight = clSystemColor | 29;
inline constexpr TColor clMenuBar = clSystemColor | 30;

// A font by face name, size in points, style and colour; reports changes through OnChange.
class TFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ GetName WRITE SetName)
    Q_PROPERTY(int Size READ GetSize WRITE SetSize)
    Q_PROPERTY(int Height READ GetHeight WRITE SetHeight)
    Q_PROPERTY(Framework::TFontStyles Style READ GetStyle WRITE SetStyle)
    Q_PROPERTY(int Color READ GetColor WRITE SetColor)
    Q_PROPERTY(int Charset READ GetCharset WRITE SetCharset)
public:
    static inline const char* const DefaultName = "Arial";
    static constexpr int DefaultSize = 8;
    // Sizes and heights convert at this resolution, as on a 96 dpi screen.
    static constexpr int PixelsPerInch = 96;

    TFont() = default;

    const QString& GetName() const { return FName; }
    virtual void SetName(const QString& Value);
    virtual int GetSize() const { return FSize; }
    virtual void SetSize(int Value);
    // The negative character height in pixels, as the framework counts it.
    int GetHeight() const;
    virtual void SetHeight(int Value);
    TFontStyles GetStyle() const { return FStyle; }
    virtual void SetStyle(TFontStyles Value);
    TColor GetColor() const { return FColor; }
    virtual void SetColor(TColor Value);
    int GetCharset() const { return FCharset; }
    void SetCharset(int Value);

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

    void Assign(TPersistent* Source) override;
    // The Qt font for a 96 dpi screen: the face, the pixel height and the styles.
    QFont ToQt() const;

protected:
    virtual void Changed();
    // For derived fonts that keep a value of their own beside these: no change report.
    void StoreSize(int Value) { FSize = Value; }
    void StoreColor(TColor Value) { FColor = Value; }

private:
    QString FName = QString::fromLatin1(DefaultName);
    int FSize = DefaultSize;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    int FCharset = 1; // the default charset
    TNotifyEvent FOnChange;
};
