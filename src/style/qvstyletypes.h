#pragma once

// Enumerations of the style settings and drawing primitives.

#include <QObject>

namespace QvStyle {
Q_NAMESPACE

enum class TQvPointSymbol {
    Dot,
    Cross,
    Ex,
    Star,
    FiveStar,
    Circle,
    Square,
    Diamond,
    Delta,
    Nabla
};
Q_ENUM_NS(TQvPointSymbol)
inline constexpr int PointSymbolCount = 10;

// The hatch styles of the drawing surface, then Total for a solid fill.
enum class TQvAreaStyle {
    Horizontal,
    Vertical,
    ForwardDiagonal,
    BackwardDiagonal,
    Cross,
    DiagonalCross,
    Percent05,
    Percent10,
    Percent20,
    Percent25,
    Percent30,
    Percent40,
    Percent50,
    Percent60,
    Percent70,
    Percent75,
    Percent80,
    Percent90,
    LightDownwardDiagonal,
    LightUpwardDiagonal,
    DarkDownwardDiagonal,
    DarkUpwardDiagonal,
    WideDownwardDiagonal,
    WideUpwardDiagonal,
    LightVertical,
    LightHorizontal,
    NarrowVertical,
    NarrowHorizontal,
    DarkVertical,
    DarkHorizontal,
    DashedDownwardDiagonal,
    DashedUpwardDiagonal,
    DashedHorizontal,
    DashedVertical,
    SmallConfetti,
    LargeConfetti,
    ZigZag,
    Wave,
    DiagonalBrick,
    HorizontalBrick,
    Weave,
    Plaid,
    Divot,
    DottedGrid,
    DottedDiamond,
    Shingle,
    Trellis,
    Sphere,
    SmallGrid,
    SmallCheckerBoard,
    LargeCheckerBoard,
    OutlinedDiamond,
    SolidDiamond,
    Total,
};
Q_ENUM_NS(TQvAreaStyle)
inline constexpr int HatchStyleCount = int(TQvAreaStyle::Total);

enum class TQvGradientStyle {
    Linear,
    Radial,
    Elliptical
};
Q_ENUM_NS(TQvGradientStyle)

// Effects a caption font draws its text with; a font holds at most one.
enum class TQvCharDrawEffect {
    Shadow = 1 << 0,
    Outline = 1 << 1,
    Lowered = 1 << 2,
    Raised = 1 << 3
};
Q_DECLARE_FLAGS(TQvCharDrawEffects, TQvCharDrawEffect)
Q_FLAG_NS(TQvCharDrawEffects)

} // namespace QvStyle

Q_DECLARE_OPERATORS_FOR_FLAGS(QvStyle::TQvCharDrawEffects)

using QvStyle::TQvAreaStyle;
using QvStyle::TQvCharDrawEffect;
using QvStyle::TQvCharDrawEffects;
using QvStyle::TQvGradientStyle;
using QvStyle::TQvPointSymbol;
