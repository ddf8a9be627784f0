#pragma once

// Value types and enumerations of the drawing surface. Ordinals follow the 2-D drawing API
// the library was first written for, so that stored values stay compatible.

#include "style/qvcolors.h"
#include "style/qvstyletypes.h"

#include <QFlags>
#include <QObject>
#include <QPointF>
#include <QRectF>

namespace Gdip {
Q_NAMESPACE

enum class TGPSmoothingMode {
    Default = 0,
    HighSpeed = 1,
    HighQuality = 2,
    None = 3,
    AntiAlias = 4
};
Q_ENUM_NS(TGPSmoothingMode)

enum class TGPTextRenderingHint {
    SystemDefault,
    SingleBitPerPixelGridFit,
    SingleBitPerPixel,
    AntiAliasGridFit,
    AntiAlias,
    ClearTypeGridFit,
};
Q_ENUM_NS(TGPTextRenderingHint)

enum class TGPDashStyle {
    Solid,
    Dash,
    Dot,
    DashDot,
    DashDotDot,
    Custom
};
Q_ENUM_NS(TGPDashStyle)

enum class TGPLineCap {
    Flat = 0,
    Square = 1,
    Round = 2,
    Triangle = 3,
    NoAnchor = 0x10,
    SquareAnchor = 0x11,
    RoundAnchor = 0x12,
    DiamondAnchor = 0x13,
    ArrowAnchor = 0x14,
    Custom = 0xff,
};
Q_ENUM_NS(TGPLineCap)

enum class TGPLineJoin {
    Miter,
    Bevel,
    Round,
    MiterClipped
};
Q_ENUM_NS(TGPLineJoin)

enum class TGPFillMode {
    Alternate,
    Winding
};
Q_ENUM_NS(TGPFillMode)

enum class TGPCombineMode {
    Replace,
    Intersect,
    Union,
    Xor,
    Exclude,
    Complement
};
Q_ENUM_NS(TGPCombineMode)

enum class TGPMatrixOrder {
    Prepend,
    Append
};
Q_ENUM_NS(TGPMatrixOrder)

enum class TGPWrapMode {
    Tile,
    TileFlipX,
    TileFlipY,
    TileFlipXY,
    Clamp
};
Q_ENUM_NS(TGPWrapMode)

enum class TGPStringAlignment {
    Near,
    Center,
    Far
};
Q_ENUM_NS(TGPStringAlignment)

enum class TGPStringTrimming {
    None,
    Character,
    Word,
    EllipsisCharacter,
    EllipsisWord,
    EllipsisPath
};
Q_ENUM_NS(TGPStringTrimming)

enum class TGPStringFormatFlag {
    DirectionRightToLeft = 0x0001,
    DirectionVertical = 0x0002,
    NoFitBlackBox = 0x0004,
    DisplayFormatControl = 0x0020,
    NoFontFallback = 0x0400,
    MeasureTrailingSpaces = 0x0800,
    NoWrap = 0x1000,
    LineLimit = 0x2000,
    NoClip = 0x4000,
};
Q_DECLARE_FLAGS(TGPStringFormatFlags, TGPStringFormatFlag)
Q_FLAG_NS(TGPStringFormatFlags)

enum class TGPFontStyleItem {
    Bold = 1,
    Italic = 2,
    Underline = 4,
    Strikeout = 8
};
Q_DECLARE_FLAGS(TGPFontStyle, TGPFontStyleItem)
Q_FLAG_NS(TGPFontStyle)

enum class TGPPixelFormat {
    Format24bppRGB,
    Format32bppARGB
};
Q_ENUM_NS(TGPPixelFormat)

} // namespace Gdip

Q_DECLARE_OPERATORS_FOR_FLAGS(Gdip::TGPStringFormatFlags)
Q_DECLARE_OPERATORS_FOR_FLAGS(Gdip::TGPFontStyle)

using Gdip::TGPCombineMode;
using Gdip::TGPDashStyle;
using Gdip::TGPFillMode;
using Gdip::TGPFontStyle;
using Gdip::TGPFontStyleItem;
using Gdip::TGPLineCap;
using Gdip::TGPLineJoin;
using Gdip::TGPMatrixOrder;
using Gdip::TGPPixelFormat;
using Gdip::TGPSmoothingMode;
using Gdip::TGPStringAlignment;
using Gdip::TGPStringFormatFlag;
using Gdip::TGPStringFormatFlags;
using Gdip::TGPStringTrimming;
using Gdip::TGPTextRenderingHint;
using Gdip::TGPWrapMode;

// A point in pixels of the drawing surface.
struct TGPPointF {
    float X = 0;
    float Y = 0;
    // The point as a Qt point.
    QPointF ToQt() const { return QPointF(X, Y); }
    bool operator==(const TGPPointF&) const = default;
};

// A width and a height in pixels.
struct TGPSizeF {
    float Width = 0;
    float Height = 0;
    bool operator==(const TGPSizeF&) const = default;
};

// A rectangle in pixels: the top left corner, the width and the height.
struct TGPRectF {
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;

    // A rectangle from a Qt rectangle.
    static TGPRectF FromQt(const QRectF& R) {
        return {float(R.x()), float(R.y()), float(R.width()), float(R.height())};
    }
    // The rectangle as a Qt rectangle.
    QRectF ToQt() const { return QRectF(X, Y, Width, Height); }
    float GetLeft() const { return X; }
    float GetTop() const { return Y; }
    float GetRight() const { return X + Width; }
    float GetBottom() const { return Y + Height; }
    bool IsEmptyArea() const { return Width <= 0 || Height <= 0; }
    bool operator==(const TGPRectF&) const = default;
};

// Integer rectangle of the drawing API: X, Y, width and height.
struct TGPRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    // The rectangle in floating point.
    TGPRectF ToRectF() const { return {float(X), float(Y), float(Width), float(Height)}; }
    bool operator==(const TGPRect&) const = default;
};
