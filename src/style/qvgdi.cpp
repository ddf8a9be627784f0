#include "style/qvgdi.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"
#include "style/qvfontcache.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QFontInfo>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace {
// Face names whose availability is remembered; the store starts afresh when full.
constexpr qsizetype FontNamesKept = 1024;
// Line spacings of fonts by family, size and style.
constexpr qsizetype LineSpacingsKept = 1024;

struct TFontKey {
    QString Family;
    float Size;
    int Style;
    bool operator==(const TFontKey&) const = default;
};

size_t qHash(const TFontKey& Key, size_t Seed = 0) {
    return qHashMulti(Seed, Key.Family, Key.Size, Key.Style);
}

QColor ToQColor(TQvColor Color) {
    return QColor::fromRgba(Color);
}

QGradientStops Stops(const TGPColorBlend& Blend, bool Reversed) {
    QGradientStops Result;
    for (size_t i = 0; i < Blend.Colors.size() && i < Blend.Positions.size(); ++i) {
        const qreal Position = std::clamp<qreal>(Blend.Positions[i], 0, 1);
        Result.append({Reversed ? 1 - Position : Position, ToQColor(Blend.Colors[i])});
    }
    std::stable_sort(
        Result.begin(), Result.end(),
        [](const QGradientStop& a, const QGradientStop& b) { return a.first < b.first; });
    return Result;
}

TGPColorBlend MakeBlend(const TQvColor* Colors, const float* Positions, int Count) {
    TGPColorBlend Blend;
    for (int i = 0; i < Count; ++i) {
        Blend.Colors.push_back(Colors[i]);
        Blend.Positions.push_back(Positions[i]);
    }
    return Blend;
}

// Interpolates ARGB channels without premultiplying, as the gradients of the API do.
TQvColor Lerp(TQvColor A, TQvColor B, float T) {
    TQvColor Result = 0;
    for (int Shift = 0; Shift < 32; Shift += 8) {
        const float a = float((A >> Shift) & 0xFF), b = float((B >> Shift) & 0xFF);
        Result |= TQvColor(std::lround(a + (b - a) * T)) << Shift;
    }
    return Result;
}

TQvColor BlendAt(const TGPColorBlend& Blend, float T) {
    const auto& C = Blend.Colors;
    const auto& P = Blend.Positions;
    if (C.empty()) return 0;
    if (T <= P.front()) return C.front();
    for (size_t i = 1; i < C.size(); ++i)
        if (T <= P[i])
            return P[i] > P[i - 1] ? Lerp(C[i - 1], C[i], (T - P[i - 1]) / (P[i] - P[i - 1]))
                                   : C[i];
    return C.back();
}

QGradient::Spread Spread(TGPWrapMode Mode) {
    switch (Mode) {
    case TGPWrapMode::Tile:
        return QGradient::RepeatSpread;
    case TGPWrapMode::Clamp:
        return QGradient::PadSpread;
    default:
        return QGradient::ReflectSpread;
    }
}

// Each row of each 8 x 8 hatch pattern; bit x is pixel x from the left.
constexpr std::array<std::array<std::uint8_t, 8>, QvStyle::HatchStyleCount> HatchPatterns{{
    {0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0x00}, // Horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // Vertical
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // ForwardDiagonal
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // BackwardDiagonal
    {0x08, 0x08, 0x08, 0xff, 0x08, 0x08, 0x08, 0x08}, // Cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // DiagonalCross
    {0x01, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00}, // Percent05
    {0x01, 0x00, 0x10, 0x00, 0x01, 0x00, 0x10, 0x00}, // Percent10
    {0x11, 0x00, 0x44, 0x00, 0x11, 0x00, 0x44, 0x00}, // Percent20
    {0x11, 0x44, 0x11, 0x44, 0x11, 0x44, 0x11, 0x44}, // Percent25
    {0x11, 0xaa, 0x44, 0xaa, 0x11, 0xaa, 0x44, 0xaa}, // Percent30
    {0x55, 0xaa, 0x55, 0x8a, 0x55, 0xaa, 0x55, 0xa8}, // Percent40
    {0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa}, // Percent50
    {0x77, 0xaa, 0xdd, 0xaa, 0x77, 0xaa, 0xdd, 0xaa}, // Percent60
    {0x77, 0xab, 0xdd, 0xba, 0x77, 0xab, 0xdd, 0xba}, // Percent70
    {0x77, 0xdd, 0x77, 0xdd, 0x77, 0xdd, 0x77, 0xdd}, // Percent75
    {0x77, 0xff, 0xdd, 0xff, 0x77, 0xff, 0xdd, 0xff}, // Percent80
    {0x7f, 0xff, 0xf7, 0xff, 0x7f, 0xff, 0xf7, 0xff}, // Percent90
    {0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88}, // LightDownwardDiagonal
    {0x88, 0x44, 0x22, 0x11, 0x88, 0x44, 0x22, 0x11}, // LightUpwardDiagonal
    {0x33, 0x66, 0xcc, 0x99, 0x33, 0x66, 0xcc, 0x99}, // DarkDownwardDiagonal
    {0xcc, 0x66, 0x33, 0x99, 0xcc, 0x66, 0x33, 0x99}, // DarkUpwardDiagonal
    {0x83, 0x07, 0x0e, 0x1c, 0x38, 0x70, 0xe0, 0xc1}, // WideDownwardDiagonal
    {0xc1, 0xe0, 0x70, 0x38, 0x1c, 0x0e, 0x07, 0x83}, // WideUpwardDiagonal
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11}, // LightVertical
    {0xff, 0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00}, // LightHorizontal
    {0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}, // NarrowVertical
    {0xff, 0x00, 0xff, 0x00, 0xff, 0x00, 0xff, 0x00}, // NarrowHorizontal
    {0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33}, // DarkVertical
    {0xff, 0xff, 0x00, 0x00, 0xff, 0xff, 0x00, 0x00}, // DarkHorizontal
    {0x00, 0x00, 0x11, 0x22, 0x44, 0x88, 0x00, 0x00}, // DashedDownwardDiagonal
    {0x00, 0x00, 0x88, 0x44, 0x22, 0x11, 0x00, 0x00}, // DashedUpwardDiagonal
    {0x0f, 0x00, 0x00, 0x00, 0xf0, 0x00, 0x00, 0x00}, // DashedHorizontal
    {0x01, 0x01, 0x01, 0x01, 0x10, 0x10, 0x10, 0x10}, // DashedVertical
    {0x01, 0x10, 0x02, 0x40, 0x08, 0x80, 0x04, 0x20}, // SmallConfetti
    {0x8d, 0x0c, 0xc0, 0xd8, 0x1b, 0x03, 0x30, 0xb1}, // LargeConfetti
    {0x81, 0x42, 0x24, 0x18, 0x81, 0x42, 0x24, 0x18}, // ZigZag
    {0x00, 0x18, 0xa4, 0x03, 0x00, 0x18, 0xa4, 0x03}, // Wave
    {0x80, 0x40, 0x20, 0x10, 0x18, 0x24, 0x42, 0x81}, // DiagonalBrick
    {0xff, 0x01, 0x01, 0x01, 0xff, 0x10, 0x10, 0x10}, // HorizontalBrick
    {0x11, 0x2a, 0x44, 0xa2, 0x11, 0x28, 0x44, 0x8a}, // Weave
    {0x55, 0xaa, 0x55, 0xaa, 0x0f, 0x0f, 0x0f, 0x0f}, // Plaid
    {0x04, 0x02, 0x04, 0x00, 0x40, 0x80, 0x40, 0x00}, // Divot
    {0x55, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00}, // DottedGrid
    {0x01, 0x00, 0x44, 0x00, 0x10, 0x00, 0x44, 0x00}, // DottedDiamond
    {0x03, 0x84, 0x48, 0x30, 0x0c, 0x02, 0x01, 0x01}, // Shingle
    {0xff, 0xcc, 0xff, 0x33, 0xff, 0xcc, 0xff, 0x33}, // Trellis
    {0xee, 0x91, 0xf1, 0xf1, 0xee, 0x19, 0x1f, 0x1f}, // Sphere
    {0xff, 0x11, 0x11, 0x11, 0xff, 0x11, 0x11, 0x11}, // SmallGrid
    {0x99, 0x66, 0x66, 0x99, 0x99, 0x66, 0x66, 0x99}, // SmallCheckerBoard
    {0x0f, 0x0f, 0x0f, 0x0f, 0xf0, 0xf0, 0xf0, 0xf0}, // LargeCheckerBoard
    {0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41, 0x80}, // OutlinedDiamond
    {0x08, 0x1c, 0x3e, 0x7f, 0x3e, 0x1c, 0x08, 0x00}, // SolidDiamond
}};
} // namespace

// ---- TGPMatrix ----

void TGPMatrix::Combine(const QTransform& Op, TGPMatrixOrder Order) {
    // Qt multiplies row vectors as the drawing API does: a * b applies a first.
    FTransform = Order == TGPMatrixOrder::Prepend ? Op * FTransform : FTransform * Op;
}

void TGPMatrix::Translate(float OffsetX, float OffsetY, TGPMatrixOrder Order) {
    Combine(QTransform::fromTranslate(OffsetX, OffsetY), Order);
}

void TGPMatrix::Rotate(float Angle, TGPMatrixOrder Order) {
    Combine(QTransform().rotate(Angle), Order);
}

void TGPMatrix::RotateAt(float Angle, const TGPPointF& Center, TGPMatrixOrder Order) {
    QTransform Op = QTransform::fromTranslate(-Center.X, -Center.Y);
    Op *= QTransform().rotate(Angle);
    Op *= QTransform::fromTranslate(Center.X, Center.Y);
    Combine(Op, Order);
}

void TGPMatrix::Scale(float ScaleX, float ScaleY, TGPMatrixOrder Order) {
    Combine(QTransform::fromScale(ScaleX, ScaleY), Order);
}

void TGPMatrix::Shear(float ShearX, float ShearY, TGPMatrixOrder Order) {
    Combine(QTransform(1, ShearY, ShearX, 1, 0, 0), Order);
}

void TGPMatrix::Multiply(const TGPMatrix& Matrix, TGPMatrixOrder Order) {
    Combine(Matrix.FTransform, Order);
}

bool TGPMatrix::Invert() {
    bool Invertible = false;
    const QTransform Inverse = FTransform.inverted(&Invertible);
    if (Invertible) FTransform = Inverse;
    return Invertible;
}

TGPPointF TGPMatrix::TransformPoint(const TGPPointF& Point) const {
    const QPointF P = FTransform.map(Point.ToQt());
    return {float(P.x()), float(P.y())};
}

void TGPMatrix::TransformPoints(TGPPointF* Points, int Count) const {
    for (int i = 0; i < Count; ++i)
        Points[i] = TransformPoint(Points[i]);
}

void TGPMatrix::GetElements(float Elements[6]) const {
    Elements[0] = float(FTransform.m11());
    Elements[1] = float(FTransform.m12());
    Elements[2] = float(FTransform.m21());
    Elements[3] = float(FTransform.m22());
    Elements[4] = float(FTransform.dx());
    Elements[5] = float(FTransform.dy());
}

// ---- TGPGraphicsPath ----

TGPGraphicsPath::TGPGraphicsPath(TGPFillMode FillMode) {
    SetFillMode(FillMode);
}

TGPFillMode TGPGraphicsPath::GetFillMode() const {
    return FPath.fillRule() == Qt::WindingFill ? TGPFillMode::Winding : TGPFillMode::Alternate;
}

void TGPGraphicsPath::SetFillMode(TGPFillMode FillMode) {
    FPath.setFillRule(FillMode == TGPFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

void TGPGraphicsPath::BeginShape() {
    FSingleEllipse.reset();
    FFigureOpen = false;
}

void TGPGraphicsPath::ContinueAt(const QPointF& Point) {
    FSingleEllipse.reset();
    if (FFigureOpen)
        FPath.lineTo(Point);
    else
        FPath.moveTo(Point);
    FFigureOpen = true;
}

void TGPGraphicsPath::AddLine(float X1, float Y1, float X2, float Y2) {
    ContinueAt(QPointF(X1, Y1));
    FPath.lineTo(X2, Y2);
}

void TGPGraphicsPath::AddLines(const TGPPointF* Points, int Count) {
    if (Count <= 0) return;
    ContinueAt(Points[0].ToQt());
    for (int i = 1; i < Count; ++i)
        FPath.lineTo(Points[i].ToQt());
}

// The drawing API turns angles clockwise on screen, Qt counter-clockwise: angles change sign.
void TGPGraphicsPath::AddArc(const TGPRectF& Rect, float StartAngle, float SweepAngle) {
    QPainterPath Arc;
    Arc.arcMoveTo(Rect.ToQt(), -StartAngle);
    ContinueAt(Arc.currentPosition());
    FPath.arcTo(Rect.ToQt(), -StartAngle, -SweepAngle);
}

void TGPGraphicsPath::AddBezier(const TGPPointF& P1, const TGPPointF& P2, const TGPPointF& P3,
                                const TGPPointF& P4) {
    ContinueAt(P1.ToQt());
    FPath.cubicTo(P2.ToQt(), P3.ToQt(), P4.ToQt());
}

void TGPGraphicsPath::AddEllipse(const TGPRectF& Rect) {
    const bool Empty = FPath.isEmpty();
    BeginShape();
    FPath.addEllipse(Rect.ToQt());
    if (Empty) FSingleEllipse = Rect.ToQt();
}

void TGPGraphicsPath::AddPie(const TGPRectF& Rect, float StartAngle, float SweepAngle) {
    BeginShape();
    const QRectF R = Rect.ToQt();
    FPath.moveTo(R.center());
    FPath.arcTo(R, -StartAngle, -SweepAngle);
    FPath.closeSubpath();
}

void TGPGraphicsPath::AddPolygon(const TGPPointF* Points, int Count) {
    if (Count <= 0) return;
    BeginShape();
    FPath.moveTo(Points[0].ToQt());
    for (int i = 1; i < Count; ++i)
        FPath.lineTo(Points[i].ToQt());
    FPath.closeSubpath();
}

void TGPGraphicsPath::AddRectangle(const TGPRectF& Rect) {
    BeginShape();
    FPath.addRect(Rect.ToQt());
}

void TGPGraphicsPath::AddString(const QString& Text, const QString& Family, TGPFontStyle Style,
                                float EmSize, const TGPPointF& Origin) {
    BeginShape();
    // Outlines at a large pixel size scaled down keep fractional sizes exact.
    constexpr int Reference = 256;
    QFont Font(Family);
    Font.setPixelSize(Reference);
    Font.setBold(Style.testFlag(TGPFontStyleItem::Bold));
    Font.setItalic(Style.testFlag(TGPFontStyleItem::Italic));
    Font.setUnderline(Style.testFlag(TGPFontStyleItem::Underline));
    Font.setStrikeOut(Style.testFlag(TGPFontStyleItem::Strikeout));
    QPainterPath Glyphs;
    Glyphs.addText(QPointF(0, QFontMetricsF(Font).ascent()), Font, Text);
    const qreal Scale = EmSize / Reference;
    QTransform Place = QTransform::fromScale(Scale, Scale);
    Place *= QTransform::fromTranslate(Origin.X, Origin.Y);
    FPath.addPath(Place.map(Glyphs));
}

void TGPGraphicsPath::AddPath(const TGPGraphicsPath& Path, bool Connect) {
    FSingleEllipse.reset();
    if (Connect && FFigureOpen && !Path.FPath.isEmpty()) {
        FPath.connectPath(Path.FPath);
    } else {
        FPath.addPath(Path.FPath);
    }
    FFigureOpen = Path.FFigureOpen;
}

void TGPGraphicsPath::StartFigure() {
    FFigureOpen = false;
}

void TGPGraphicsPath::CloseFigure() {
    if (FFigureOpen) FPath.closeSubpath();
    FFigureOpen = false;
}

void TGPGraphicsPath::Reset() {
    const TGPFillMode Mode = GetFillMode();
    FPath = QPainterPath();
    SetFillMode(Mode);
    BeginShape();
}

void TGPGraphicsPath::Transform(const TGPMatrix& Matrix) {
    FPath = Matrix.ToQt().map(FPath);
    FSingleEllipse.reset();
}

void TGPGraphicsPath::Widen(const TGPPen& Pen, const TGPMatrix* Matrix) {
    QPainterPathStroker Stroker(Pen.ToQt(QTransform()));
    const Qt::FillRule Rule = FPath.fillRule();
    FPath = Stroker.createStroke(FPath).simplified();
    FPath.setFillRule(Rule);
    if (Matrix) FPath = Matrix->ToQt().map(FPath);
    BeginShape();
}

TGPRectF TGPGraphicsPath::GetBounds() const {
    return TGPRectF::FromQt(FPath.boundingRect());
}

bool TGPGraphicsPath::IsVisible(float X, float Y) const {
    return FPath.contains(QPointF(X, Y));
}

// ---- TGPRegion ----

TGPRegion::TGPRegion(const TGPRectF& Rect) {
    QPainterPath Path;
    Path.addRect(Rect.ToQt());
    FPath = Path;
}

TGPRegion::TGPRegion(const TGPGraphicsPath& Path) : FPath(Path.ToQt()) {}

TGPRegion TGPRegion::FromQt(const std::optional<QPainterPath>& Path) {
    TGPRegion Result;
    Result.FPath = Path;
    return Result;
}

void TGPRegion::MakeInfinite() {
    FPath.reset();
}

void TGPRegion::MakeEmpty() {
    FPath = QPainterPath();
}

void TGPRegion::Intersect(const TGPRegion& Region) {
    if (!Region.FPath) return;
    FPath = FPath ? FPath->intersected(*Region.FPath).simplified() : *Region.FPath;
}

void TGPRegion::Union(const TGPRegion& Region) {
    if (!FPath) return;
    if (!Region.FPath)
        FPath.reset();
    else
        FPath = FPath->united(*Region.FPath).simplified();
}

void TGPRegion::Xor(const TGPRegion& Region) {
    TGPRegion Both = *this;
    Both.Intersect(Region);
    Union(Region);
    Exclude(Both);
}

void TGPRegion::Exclude(const TGPRegion& Region) {
    if (!Region.FPath) {
        MakeEmpty();
        return;
    }
    if (!FPath) {
        // Everything the surface can address, less the region.
        QPainterPath All;
        All.addRect(GetBounds().ToQt());
        FPath = All;
    }
    FPath = FPath->subtracted(*Region.FPath).simplified();
}

void TGPRegion::Complement(const TGPRegion& Region) {
    TGPRegion Result = Region;
    Result.Exclude(*this);
    *this = Result;
}

void TGPRegion::Combine(const TGPRegion& Region, TGPCombineMode Mode) {
    switch (Mode) {
    case TGPCombineMode::Replace:
        *this = Region;
        break;
    case TGPCombineMode::Intersect:
        Intersect(Region);
        break;
    case TGPCombineMode::Union:
        Union(Region);
        break;
    case TGPCombineMode::Xor:
        Xor(Region);
        break;
    case TGPCombineMode::Exclude:
        Exclude(Region);
        break;
    case TGPCombineMode::Complement:
        Complement(Region);
        break;
    }
}

void TGPRegion::Transform(const TGPMatrix& Matrix) {
    if (FPath) FPath = Matrix.ToQt().map(*FPath);
}

void TGPRegion::Translate(float Dx, float Dy) {
    if (FPath) FPath->translate(Dx, Dy);
}

bool TGPRegion::IsEmpty() const {
    return FPath && FPath->boundingRect().isEmpty();
}

bool TGPRegion::IsVisible(float X, float Y) const {
    return !FPath || FPath->contains(QPointF(X, Y));
}

TGPRectF TGPRegion::GetBounds() const {
    constexpr float Far = 4194304; // the range of 22.10 fixed-point device coordinates
    return FPath ? TGPRectF::FromQt(FPath->boundingRect()) : TGPRectF{-Far, -Far, 2 * Far, 2 * Far};
}

// ---- Brushes ----

std::unique_ptr<TGPBrush> TGPSolidBrush::Clone() const {
    return std::make_unique<TGPSolidBrush>(*this);
}

QBrush TGPSolidBrush::ToQt(const QTransform&) const {
    return QBrush(ToQColor(FColor));
}

TGPHatchBrush::TGPHatchBrush(TQvAreaStyle Style, TQvColor ForeColor, TQvColor BackColor)
    : FStyle(Style), FForeColor(ForeColor), FBackColor(BackColor) {}

std::unique_ptr<TGPBrush> TGPHatchBrush::Clone() const {
    return std::make_unique<TGPHatchBrush>(*this);
}

std::uint8_t TGPHatchBrush::PatternRow(TQvAreaStyle Style, int Y) {
    const int Index = std::clamp(int(Style), 0, QvStyle::HatchStyleCount - 1);
    return HatchPatterns[size_t(Index)][size_t(Y & 7)];
}

QBrush TGPHatchBrush::ToQt(const QTransform& World) const {
    QImage Tile(8, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y) {
        const std::uint8_t Row = PatternRow(FStyle, y);
        auto* Line = reinterpret_cast<QRgb*>(Tile.scanLine(y));
        for (int x = 0; x < 8; ++x)
            Line[x] = (Row >> x) & 1 ? FForeColor : FBackColor;
    }
    QBrush Brush(Tile);
    Brush.setTransform(World.inverted());
    return Brush;
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& Rect, TQvColor Color1,
                                               TQvColor Color2, float Angle, bool IsAngleScalable)
    : FRect(Rect) {
    // The colour lines at the ends are perpendicular to the direction and pass through the
    // corners of the rectangle.
    const double Radians = qDegreesToRadians(double(Angle));
    double Dx = std::cos(Radians), Dy = std::sin(Radians);
    if (IsAngleScalable && Rect.Width > 0 && Rect.Height > 0) {
        // The angle is taken in the unit square and stretched with the rectangle.
        const double Sx = Dx * Rect.Height, Sy = Dy * Rect.Width;
        const double Length = std::hypot(Sx, Sy);
        Dx = Sx / Length;
        Dy = Sy / Length;
    }
    const double HalfExtent = (std::abs(Rect.Width * Dx) + std::abs(Rect.Height * Dy)) / 2;
    const double Cx = Rect.X + Rect.Width / 2.0, Cy = Rect.Y + Rect.Height / 2.0;
    FStart = {float(Cx - Dx * HalfExtent), float(Cy - Dy * HalfExtent)};
    FEnd = {float(Cx + Dx * HalfExtent), float(Cy + Dy * HalfExtent)};
    FBlend.Colors = {Color1, Color2};
    FBlend.Positions = {0, 1};
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& Point1, const TGPPointF& Point2,
                                               TQvColor Color1, TQvColor Color2)
    : FStart(Point1), FEnd(Point2) {
    FRect = TGPRectF::FromQt(QRectF(Point1.ToQt(), Point2.ToQt()).normalized());
    FBlend.Colors = {Color1, Color2};
    FBlend.Positions = {0, 1};
}

void TGPLinearGradientBrush::SetInterpolationColors(const TQvColor* Colors, const float* Positions,
                                                    int Count) {
    FBlend = MakeBlend(Colors, Positions, Count);
}

void TGPLinearGradientBrush::MultiplyTransform(const TGPMatrix& Matrix, TGPMatrixOrder Order) {
    FTransform.Multiply(Matrix, Order);
}

void TGPLinearGradientBrush::TranslateTransform(float Dx, float Dy, TGPMatrixOrder Order) {
    FTransform.Translate(Dx, Dy, Order);
}

void TGPLinearGradientBrush::RotateTransform(float Angle, TGPMatrixOrder Order) {
    FTransform.Rotate(Angle, Order);
}

void TGPLinearGradientBrush::ScaleTransform(float Sx, float Sy, TGPMatrixOrder Order) {
    FTransform.Scale(Sx, Sy, Order);
}

std::unique_ptr<TGPBrush> TGPLinearGradientBrush::Clone() const {
    return std::make_unique<TGPLinearGradientBrush>(*this);
}

QBrush TGPLinearGradientBrush::ToQt(const QTransform&) const {
    QLinearGradient Gradient(FStart.ToQt(), FEnd.ToQt());
    Gradient.setStops(Stops(FBlend, false));
    Gradient.setSpread(Spread(FWrapMode));
    QBrush Brush(Gradient);
    Brush.setTransform(FTransform.ToQt());
    return Brush;
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPPointF* Points, int Count) {
    double Sx = 0, Sy = 0;
    for (int i = 0; i < Count; ++i) {
        FPoints.push_back(Points[i].ToQt());
        Sx += Points[i].X;
        Sy += Points[i].Y;
    }
    if (Count > 0) FCenterPoint = {float(Sx / Count), float(Sy / Count)};
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPGraphicsPath& Path)
    : FEllipse(Path.SingleEllipse()) {
    const QPolygonF Outline = Path.ToQt().toFillPolygon();
    FPoints.assign(Outline.begin(), Outline.end());
    if (FPoints.size() > 1 && FPoints.front() == FPoints.back()) FPoints.pop_back();
    const QPointF Center = FEllipse ? FEllipse->center() : Path.ToQt().boundingRect().center();
    FCenterPoint = {float(Center.x()), float(Center.y())};
}

void TGPPathGradientBrush::SetSurroundColors(const TQvColor* Colors, int Count) {
    if (Count <= 0) return;
    FSurroundColors.assign(Colors, Colors + Count);
}

void TGPPathGradientBrush::SetInterpolationColors(const TQvColor* Colors, const float* Positions,
                                                  int Count) {
    FBlend = MakeBlend(Colors, Positions, Count);
}

void TGPPathGradientBrush::MultiplyTransform(const TGPMatrix& Matrix, TGPMatrixOrder Order) {
    FTransform.Multiply(Matrix, Order);
}

TGPRectF TGPPathGradientBrush::GetRectangle() const {
    return TGPRectF::FromQt(
        QPolygonF(QList<QPointF>(FPoints.begin(), FPoints.end())).boundingRect());
}

std::unique_ptr<TGPBrush> TGPPathGradientBrush::Clone() const {
    return std::make_unique<TGPPathGradientBrush>(*this);
}

TQvColor TGPPathGradientBrush::BlendColor(TQvColor Boundary, float Towards) const {
    if (!FBlend.Colors.empty()) return BlendAt(FBlend, Towards);
    return Lerp(Boundary, FCenterColor, Towards);
}

std::optional<TQvColor> TGPPathGradientBrush::ColorAt(const QPointF& P) const {
    // Fan triangles from the centre point to each boundary edge; within a triangle the
    // boundary colour runs along the edge and blends to the centre colour.
    const size_t n = FPoints.size();
    const QPointF C = FCenterPoint.ToQt();
    auto Surround = [&](size_t i) {
        return FSurroundColors[std::min(i, FSurroundColors.size() - 1)];
    };
    for (size_t i = 0; i < n; ++i) {
        const QPointF A = FPoints[i], B = FPoints[(i + 1) % n];
        const double Den = (A.y() - B.y()) * (C.x() - B.x()) + (B.x() - A.x()) * (C.y() - B.y());
        if (std::abs(Den) < 1e-12) continue;
        const double Wc =
            ((A.y() - B.y()) * (P.x() - B.x()) + (B.x() - A.x()) * (P.y() - B.y())) / Den;
        const double Wa =
            ((B.y() - C.y()) * (P.x() - B.x()) + (C.x() - B.x()) * (P.y() - B.y())) / Den;
        const double Wb = 1 - Wc - Wa;
        constexpr double Slack = -1e-9;
        if (Wc < Slack || Wa < Slack || Wb < Slack) continue;
        const double Edge = Wa + Wb;
        const TQvColor Boundary =
            Edge > 0 ? Lerp(Surround(i), Surround((i + 1) % n), float(Wb / Edge)) : Surround(i);
        return BlendColor(Boundary, float(std::clamp(Wc, 0.0, 1.0)));
    }
    return std::nullopt;
}

QBrush TGPPathGradientBrush::EllipseGradient() const {
    // A circle around the origin stretched to the ellipse; the focal point is the centre point.
    const QRectF E = *FEllipse;
    const double a = E.width() / 2, b = E.height() / 2;
    const QPointF Focal((FCenterPoint.X - E.center().x()) / a,
                        (FCenterPoint.Y - E.center().y()) / b);
    QRadialGradient Gradient(QPointF(0, 0), 1, Focal);
    if (FBlend.Colors.empty())
        Gradient.setStops({{0, ToQColor(FCenterColor)}, {1, ToQColor(FSurroundColors.front())}});
    else
        Gradient.setStops(Stops(FBlend, true));
    Gradient.setSpread(QGradient::PadSpread);
    QBrush Brush(Gradient);
    QTransform Place = QTransform::fromScale(a, b);
    Place *= QTransform::fromTranslate(E.center().x(), E.center().y());
    Brush.setTransform(Place * FTransform.ToQt());
    return Brush;
}

QBrush TGPPathGradientBrush::RasterGradient(const QTransform& World) const {
    // Rendered at the device resolution over the shape's device bounds.
    const QTransform ToDevice = FTransform.ToQt() * World;
    const QRect Bounds = ToDevice.map(QPolygonF(QList<QPointF>(FPoints.begin(), FPoints.end())))
                             .boundingRect()
                             .toAlignedRect()
                             .intersected(QRect(-8192, -8192, 16384, 16384));
    if (Bounds.isEmpty()) return QBrush(Qt::NoBrush);
    bool Invertible = false;
    const QTransform ToShape = ToDevice.inverted(&Invertible);
    if (!Invertible) return QBrush(Qt::NoBrush);
    QImage Texture(Bounds.size(), QImage::Format_ARGB32);
    Texture.fill(Qt::transparent);
    for (int y = 0; y < Texture.height(); ++y) {
        auto* Line = reinterpret_cast<QRgb*>(Texture.scanLine(y));
        for (int x = 0; x < Texture.width(); ++x) {
            const QPointF Device(Bounds.x() + x + 0.5, Bounds.y() + y + 0.5);
            if (const auto Color = ColorAt(ToShape.map(Device))) Line[x] = *Color;
        }
    }
    QBrush Brush(Texture);
    Brush.setTransform(QTransform::fromTranslate(Bounds.x(), Bounds.y()) * World.inverted());
    return Brush;
}

QBrush TGPPathGradientBrush::ToQt(const QTransform& World) const {
    const bool Uniform = std::all_of(FSurroundColors.begin(), FSurroundColors.end(),
                                     [&](TQvColor c) { return c == FSurroundColors.front(); });
    if (FEllipse && Uniform && FEllipse->width() > 0 && FEllipse->height() > 0)
        return EllipseGradient();
    return RasterGradient(World);
}

// ---- Pens and caps ----

TGPCustomLineCap::TGPCustomLineCap(const TGPGraphicsPath* FillPath,
                                   const TGPGraphicsPath* StrokePath, TGPLineCap BaseCap,
                                   float BaseInset)
    : FBaseCap(BaseCap), FBaseInset(BaseInset) {
    if (FillPath) FFillPath = *FillPath;
    if (StrokePath) FStrokePath = *StrokePath;
}

TGPPen::TGPPen(TQvColor Color, float Width) : FColor(Color), FWidth(Width) {}

TGPPen::TGPPen(const TGPBrush& Brush, float Width) : FBrush(Brush.Clone()), FWidth(Width) {}

TGPPen::TGPPen(const TGPPen& Other) {
    *this = Other;
}

TGPPen& TGPPen::operator=(const TGPPen& Other) {
    if (this == &Other) return *this;
    FColor = Other.FColor;
    FBrush = Other.FBrush ? Other.FBrush->Clone() : nullptr;
    FWidth = Other.FWidth;
    FDashStyle = Other.FDashStyle;
    FDashPattern = Other.FDashPattern;
    FStartCap = Other.FStartCap;
    FEndCap = Other.FEndCap;
    FCustomStartCap = Other.FCustomStartCap
                          ? std::make_unique<TGPCustomLineCap>(*Other.FCustomStartCap)
                          : nullptr;
    FCustomEndCap =
        Other.FCustomEndCap ? std::make_unique<TGPCustomLineCap>(*Other.FCustomEndCap) : nullptr;
    FLineJoin = Other.FLineJoin;
    FMiterLimit = Other.FMiterLimit;
    return *this;
}

TGPPen::~TGPPen() = default;

void TGPPen::SetColor(TQvColor Color) {
    FColor = Color;
    FBrush.reset();
}

void TGPPen::SetBrush(const TGPBrush& Brush) {
    FBrush = Brush.Clone();
}

void TGPPen::SetDashPattern(const float* Pattern, int Count) {
    FDashPattern.assign(Pattern, Pattern + std::max(0, Count));
    FDashStyle = TGPDashStyle::Custom;
}

void TGPPen::SetLineCap(TGPLineCap StartCap, TGPLineCap EndCap) {
    FStartCap = StartCap;
    FEndCap = EndCap;
}

void TGPPen::SetCustomStartCap(const TGPCustomLineCap& Cap) {
    FCustomStartCap = std::make_unique<TGPCustomLineCap>(Cap);
    FStartCap = TGPLineCap::Custom;
}

void TGPPen::SetCustomEndCap(const TGPCustomLineCap& Cap) {
    FCustomEndCap = std::make_unique<TGPCustomLineCap>(Cap);
    FEndCap = TGPLineCap::Custom;
}

QPen TGPPen::ToQt(const QTransform& World) const {
    QPen Pen(FBrush ? FBrush->ToQt(World) : QBrush(ToQColor(FColor)), FWidth);
    // Dash lengths of the drawing API, in units of the pen width.
    static const std::vector<qreal> Dash{3, 1}, Dot{1, 1}, DashDot{3, 1, 1, 1},
        DashDotDot{3, 1, 1, 1, 1, 1};
    auto Pattern = [&](const std::vector<qreal>& P) {
        Pen.setDashPattern(QList<qreal>(P.begin(), P.end()));
    };
    switch (FDashStyle) {
    case TGPDashStyle::Solid:
        Pen.setStyle(Qt::SolidLine);
        break;
    case TGPDashStyle::Dash:
        Pattern(Dash);
        break;
    case TGPDashStyle::Dot:
        Pattern(Dot);
        break;
    case TGPDashStyle::DashDot:
        Pattern(DashDot);
        break;
    case TGPDashStyle::DashDotDot:
        Pattern(DashDotDot);
        break;
    case TGPDashStyle::Custom:
        if (FDashPattern.size() >= 2)
            Pattern(std::vector<qreal>(FDashPattern.begin(), FDashPattern.end()));
        break;
    }
    // Qt has one cap for both ends; the start cap decides, custom caps are drawn apart.
    switch (FStartCap) {
    case TGPLineCap::Square:
    case TGPLineCap::SquareAnchor:
        Pen.setCapStyle(Qt::SquareCap);
        break;
    case TGPLineCap::Round:
    case TGPLineCap::RoundAnchor:
        Pen.setCapStyle(Qt::RoundCap);
        break;
    default:
        Pen.setCapStyle(Qt::FlatCap);
        break;
    }
    switch (FLineJoin) {
    case TGPLineJoin::Bevel:
        Pen.setJoinStyle(Qt::BevelJoin);
        break;
    case TGPLineJoin::Round:
        Pen.setJoinStyle(Qt::RoundJoin);
        break;
    default:
        Pen.setJoinStyle(Qt::MiterJoin);
        break;
    }
    Pen.setMiterLimit(std::max(1.0f, FMiterLimit));
    return Pen;
}

// ---- Text ----

QStringList TGPFontFamily::InstalledFamilies() {
    return QFontDatabase::families();
}

QMetaObject::Connection QvOnFontDatabaseChanged(std::function<void()> Forget) {
    if (!qGuiApp) return {};
    return QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, std::move(Forget));
}

bool TGPFontFamily::IsAvailable() const {
    if (FName.isEmpty()) return false;
    // Asking fontconfig costs a match each time, and captions ask at every layout.
    static TQvFontCache<QString, bool> Known(FontNamesKept);
    if (const std::optional<bool> Found = Known.Find(FName)) return *Found;
    // A name that fontconfig maps to an installed face other than its last resort.
    const QString Fallback = QFontInfo(QFont(QStringLiteral("qv-no-such-family"))).family();
    const bool Available =
        QFontDatabase::hasFamily(FName) || QFontInfo(QFont(FName)).family() != Fallback;
    Known.Insert(FName, Available);
    return Available;
}

TGPFont::TGPFont(const QString& Family, float EmSize, TGPFontStyle Style)
    : FFamily(Family), FSize(EmSize), FStyle(Style) {}

QFont TGPFont::ToQt(float DpiY) const {
    QFont Font(FFamily);
    Font.setPointSizeF(std::max(0.1, FSize * 96.0 / DpiY));
    Font.setBold(FStyle.testFlag(TGPFontStyleItem::Bold));
    Font.setItalic(FStyle.testFlag(TGPFontStyleItem::Italic));
    Font.setUnderline(FStyle.testFlag(TGPFontStyleItem::Underline));
    Font.setStrikeOut(FStyle.testFlag(TGPFontStyleItem::Strikeout));
    return Font;
}

float TGPFont::GetHeight(const TGPGraphics&) const {
    // Every surface measures as one of 96 dpi. Resolving the font costs more than measuring a
    // label, and every label of an axis asks at every layout.
    static TQvFontCache<TFontKey, float> Known(LineSpacingsKept);
    const TFontKey Key{FFamily, FSize, FStyle.toInt()};
    if (const std::optional<float> Found = Known.Find(Key)) return *Found;
    static QImage Probe(1, 1, QImage::Format_ARGB32);
    const float Height = float(QFontMetricsF(ToQt(96), &Probe).lineSpacing());
    Known.Insert(Key, Height);
    return Height;
}

TGPStringFormat TGPStringFormat::GenericDefault() {
    return TGPStringFormat();
}

TGPStringFormat TGPStringFormat::GenericTypographic() {
    TGPStringFormat Format(TGPStringFormatFlag::NoFitBlackBox | TGPStringFormatFlag::LineLimit |
                           TGPStringFormatFlag::NoClip);
    Format.FTrimming = TGPStringTrimming::None;
    Format.FTypographic = true;
    return Format;
}
