#include "style/qvdrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {
constexpr TQvColor NoLine = 0x00FFFFFF;

// The outline of a closed symbol of half size R around (X, Y); an empty path for line symbols.
TGPGraphicsPath SymbolOutline(TQvPointSymbol Symbol, float X, float Y, float R) {
    TGPGraphicsPath Path;
    auto Polygon = [&](std::initializer_list<std::pair<float, float>> Offsets) {
        std::vector<TGPPointF> Points;
        for (const auto& [Dx, Dy] : Offsets)
            Points.push_back({X + Dx * R, Y + Dy * R});
        Path.AddPolygon(Points.data(), int(Points.size()));
    };
    constexpr float A = 1.1547f, B = 0.57735f;
    switch (Symbol) {
    case TQvPointSymbol::FiveStar:
        Polygon({{0, -1.04f},
                 {0.27f, -0.3f},
                 {1, -0.3f},
                 {0.4f, 0.12f},
                 {0.64f, 0.82f},
                 {0, 0.4f},
                 {-0.64f, 0.82f},
                 {-0.4f, 0.12f},
                 {-1, -0.3f},
                 {-0.27f, -0.3f},
                 {0, -1.04f}});
        break;
    case TQvPointSymbol::Circle:
        Path.AddEllipse({X - R, Y - R, 2 * R, 2 * R});
        break;
    case TQvPointSymbol::Square:
        Path.AddRectangle({X - R, Y - R, 2 * R, 2 * R});
        break;
    case TQvPointSymbol::Diamond:
        Polygon({{0, -1}, {1, 0}, {0, 1}, {-1, 0}, {0, -1}});
        break;
    case TQvPointSymbol::Delta:
        Polygon({{0, -A}, {1, B}, {-1, B}, {0, -A}});
        break;
    case TQvPointSymbol::Nabla:
        Polygon({{-1, -B}, {1, -B}, {0, A}, {-1, -B}});
        break;
    default:
        break;
    }
    return Path;
}

// Lines from the centre for the line symbols.
TGPGraphicsPath SymbolSpokes(TQvPointSymbol Symbol, float X, float Y, float R) {
    TGPGraphicsPath Path;
    auto Spoke = [&](float Dx, float Dy) {
        Path.StartFigure();
        Path.AddLine(X, Y, X + Dx, Y + Dy);
    };
    const bool Straight = Symbol == TQvPointSymbol::Cross || Symbol == TQvPointSymbol::Star;
    const bool Diagonal = Symbol == TQvPointSymbol::Ex || Symbol == TQvPointSymbol::Star;
    if (Straight) {
        Spoke(R, 0);
        Spoke(-R, 0);
        Spoke(0, R);
        Spoke(0, -R);
    }
    if (Diagonal) {
        const float D = Symbol == TQvPointSymbol::Star ? 0.7071067f * R : R;
        Spoke(D, D);
        Spoke(D, -D);
        Spoke(-D, D);
        Spoke(-D, -D);
    }
    return Path;
}

// The path of a rectangle with corners rounded to arcs of diameter D.
TGPGraphicsPath RoundedPath(const TGPRectF& R, float D) {
    TGPGraphicsPath Path;
    if (D <= 0) {
        Path.AddRectangle(R);
        return Path;
    }
    Path.AddArc({R.X, R.Y, D, D}, 180, 90);
    Path.AddArc({R.GetRight() - D, R.Y, D, D}, 270, 90);
    Path.AddArc({R.GetRight() - D, R.GetBottom() - D, D, D}, 0, 90);
    Path.AddArc({R.X, R.GetBottom() - D, D, D}, 90, 90);
    Path.CloseFigure();
    return Path;
}

std::unique_ptr<TGPLinearGradientBrush> ShadedBrush(const TGPRectF& Rect, TQvColor Color,
                                                    float Light, float Dark) {
    return LinearBrush(Rect, 0, 0.5f, Brighten(Color, Light), Color, Brighten(Color, Dark));
}

// The top face of a cuboid: a gradient from its corners (brightened by the factors) to a
// brighter centre.
std::unique_ptr<TGPPathGradientBrush> FaceBrush(const std::array<TGPPointF, 4>& Face,
                                                TQvColor Color) {
    auto Brush = std::make_unique<TGPPathGradientBrush>(Face.data(), 4);
    const TQvColor Corners[4] = {Brighten(Color, 1.3), Brighten(Color, 1.2), Brighten(Color, 1.1),
                                 Brighten(Color, 1.25)};
    Brush->SetSurroundColors(Corners, 4);
    Brush->SetCenterColor(Brighten(Color, 1.325));
    return Brush;
}

// The cylinder in its own coordinates: width W across, bottom at H, caps of depth Cap whose
// tops lean by Shift. The caps are ellipses sheared about their bottom lines; the sides are
// vertical tangents to both.
void DrawCylinder(TGPGraphics* Graphics, TQvColor FillColor, TQvColor LineColor, float W, float H,
                  float Cap, float Shift) {
    const float a = W / 2, b = Cap / 2;
    const float k = Cap > 0 ? Shift / Cap : 0;
    // Point t (radians, y down) of the sheared ellipse whose bottom line is at BottomY.
    auto EllipsePoint = [&](double t, float BottomY) {
        const double y = BottomY - b + b * std::sin(t);
        const double x = a + a * std::cos(t) - k * (y - BottomY);
        return TGPPointF{float(x), float(y)};
    };
    const double t0 = std::atan2(-k * b, a); // right tangent point; left is t0 + pi
    constexpr int Steps = 48;
    std::vector<TGPPointF> Outline;
    for (int i = 0; i <= Steps; ++i)
        Outline.push_back(EllipsePoint(t0 + M_PI * i / Steps, H));
    for (int i = 0; i <= Steps; ++i)
        Outline.push_back(EllipsePoint(t0 + M_PI + M_PI * i / Steps, 0));
    TGPGraphicsPath Body;
    Body.AddPolygon(Outline.data(), int(Outline.size()));

    auto BodyBrush = [&](TQvColor Color) {
        auto Brush = std::make_unique<TGPLinearGradientBrush>(TGPRectF{0, 0, W + Shift, H}, Color,
                                                              Color, 0.0f);
        const TQvColor Colors[5] = {Color, Brighten(Color, 1.4), Color, Brighten(Color, 0.6),
                                    Brighten(Color, 0.4)};
        const float Positions[5] = {0, 0.25f, 0.5f, 0.75f, 1};
        Brush->SetInterpolationColors(Colors, Positions, 5);
        return Brush;
    };
    Graphics->FillPath(*BodyBrush(FillColor), Body);
    const bool Outlined = LineColor != NoLine;
    if (Outlined) Graphics->DrawPath(TGPPen(*BodyBrush(LineColor), 1), Body);

    std::vector<TGPPointF> TopCap;
    for (int i = 0; i < 2 * Steps; ++i)
        TopCap.push_back(EllipsePoint(M_PI * i / Steps, 0));
    TGPGraphicsPath CapPath;
    CapPath.AddPolygon(TopCap.data(), int(TopCap.size()));
    const TGPRectF CapRect{0, -Cap, W, Cap};
    // The cap's own gradients follow the shear, as its outline does.
    TGPMatrix Shear(1, 0, -k, 1, 0, 0);
    TGPLinearGradientBrush CapBrush(CapRect, Brighten(FillColor, 1.4), Brighten(FillColor, 0.8),
                                    97);
    CapBrush.MultiplyTransform(Shear, TGPMatrixOrder::Append);
    Graphics->FillPath(CapBrush, CapPath);
    auto Highlight = EllipticalBrush(CapRect, {0.3f, 0.85f}, 0x00FFFFFF, 0x8CFFFFFF, 0x3CFFFFFF);
    Highlight->MultiplyTransform(Shear, TGPMatrixOrder::Append);
    Graphics->FillPath(*Highlight, CapPath);
    if (Outlined) Graphics->DrawPath(TGPPen(*BodyBrush(LineColor), 1), CapPath);
}
} // namespace

// ---- brushes ----

std::unique_ptr<TGPBrush> GetAreaBrush(TQvAreaStyle Style, TQvColor ForeColor, TQvColor BackColor) {
    if (int(Style) < 0 || int(Style) >= QvStyle::HatchStyleCount)
        return std::make_unique<TGPSolidBrush>(ForeColor);
    return std::make_unique<TGPHatchBrush>(Style, ForeColor, BackColor);
}

std::unique_ptr<TGPLinearGradientBrush> LinearBrush(const TGPRectF& Rect, float Angle, float Center,
                                                    TQvColor C1, TQvColor C2, TQvColor C3) {
    const TGPRectF Wider{Rect.X - 1, Rect.Y - 1, Rect.Width + 1, Rect.Height + 1};
    auto Brush = std::make_unique<TGPLinearGradientBrush>(Wider, C1, C3, Angle, false);
    const TQvColor Colors[3] = {C1, C2, C3};
    const float Positions[3] = {0, Center, 1};
    Brush->SetInterpolationColors(Colors, Positions, 3);
    return Brush;
}

std::unique_ptr<TGPLinearGradientBrush> LinearBrush(const TRect& Rect, float Angle, float Center,
                                                    TQvColor C1, TQvColor C2, TQvColor C3) {
    return LinearBrush(TRectToRectF(Rect), Angle, Center, C1, C2, C3);
}

namespace {
std::unique_ptr<TGPPathGradientBrush> ShapeBrush(const TGPRectF& Rect, float EllipseWidth,
                                                 float EllipseHeight, const TGPPointF& Center,
                                                 TQvColor C1, TQvColor C2, TQvColor C3) {
    TGPGraphicsPath Path;
    Path.AddEllipse({Rect.X + (Rect.Width - EllipseWidth) / 2,
                     Rect.Y + (Rect.Height - EllipseHeight) / 2, EllipseWidth, EllipseHeight});
    auto Brush = std::make_unique<TGPPathGradientBrush>(Path);
    Brush->SetCenterPoint({Rect.X + Rect.Width / 2 + (Center.X - 0.5f) * Rect.Width,
                           Rect.Y + Rect.Height / 2 + (Center.Y - 0.5f) * Rect.Height});
    const TQvColor Colors[3] = {C1, C2, C3};
    const float Positions[3] = {0, 0.5f, 1};
    Brush->SetInterpolationColors(Colors, Positions, 3);
    return Brush;
}
} // namespace

std::unique_ptr<TGPPathGradientBrush> RadialBrush(const TGPRectF& Rect, const TGPPointF& Center,
                                                  TQvColor C1, TQvColor C2, TQvColor C3) {
    const float D = 2 * std::sqrt(Rect.Width * Rect.Width / 4 + Rect.Height * Rect.Height / 4);
    return ShapeBrush(Rect, D, D, Center, C1, C2, C3);
}

std::unique_ptr<TGPPathGradientBrush> EllipticalBrush(const TGPRectF& Rect, const TGPPointF& Center,
                                                      TQvColor C1, TQvColor C2, TQvColor C3) {
    return ShapeBrush(Rect, Rect.Width * float(M_SQRT2), Rect.Height * float(M_SQRT2), Center, C1,
                      C2, C3);
}

// ---- rectangles ----

TRect OrderedRect(int X1, int Y1, int X2, int Y2) {
    return {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
}

TRect OrderedRect(const QPoint& P1, const QPoint& P2) {
    return OrderedRect(P1.x(), P1.y(), P2.x(), P2.y());
}

TGPRectF TRectToRectF(const TRect& Rect) {
    return {float(Rect.Left), float(Rect.Top), float(Rect.Width()), float(Rect.Height())};
}

bool RectanglesOverlaping(const TGPRectF& R1, const TGPRectF& R2) {
    return R1.X < R2.GetRight() && R2.X < R1.GetRight() && R1.Y < R2.GetBottom() &&
           R2.Y < R1.GetBottom();
}

// ---- symbols ----

void DrawPointSymbol(TGPGraphics* Graphics, const TGPPen* Pen, const TGPBrush* Brush, float Size,
                     float X, float Y, TQvPointSymbol Symbol) {
    if (int(Symbol) < 0 || int(Symbol) >= QvStyle::PointSymbolCount) return;
    const float W = Pen->GetWidth() > 0 ? Pen->GetWidth() : 1;
    const float R = (Size - W) / 2;
    switch (Symbol) {
    case TQvPointSymbol::Dot: {
        // On whole pixels: a dot at a fractional place, smoothed, would smear into faint
        // neighbours and vanish.
        auto Snap = [W](float c) { return std::round(c - W / 2 + 0.5f) - 0.5f; };
        Graphics->FillRectangle(TGPSolidBrush(Pen->GetColor()), Snap(X), Snap(Y), W, W);
        return;
    }
    case TQvPointSymbol::Cross:
    case TQvPointSymbol::Ex:
    case TQvPointSymbol::Star:
        Graphics->DrawPath(*Pen, SymbolSpokes(Symbol, X, Y, R));
        return;
    default: {
        const TGPGraphicsPath Outline = SymbolOutline(Symbol, X, Y, R);
        Graphics->FillPath(*Brush, Outline);
        Graphics->DrawPath(*Pen, Outline);
    }
    }
}

void ExcludeSymbolSpace(TGPGraphics* Graphics, float Size, float X, float Y,
                        TQvPointSymbol Symbol) {
    const TGPGraphicsPath Outline = SymbolOutline(Symbol, X, Y, (Size - 1) / 2);
    if (Outline.GetPointCount() > 0) Graphics->SetClip(Outline, TGPCombineMode::Exclude);
}

// ---- shadows and boxes ----

void DrawShadow(TGPGraphics* Graphics, const TGPGraphicsPath& Path, float Dx, float Dy) {
    const int Steps = int(std::lround(Dy));
    if (Steps <= 0) return;
    const TGPSolidBrush Brush(ColorToARGB(std::uint8_t(255 / Steps), 0, 0, 0));
    const TGPRegion Previous = Graphics->GetClip();
    Graphics->SetClip(Path, TGPCombineMode::Exclude);
    TGPGraphicsPath Moved = Path;
    TGPMatrix Step;
    Step.Translate(Dx / Steps, Dy / Steps);
    for (int i = 0; i <= Steps; ++i) {
        Moved.Transform(Step);
        Graphics->FillPath(Brush, Moved);
    }
    Graphics->SetClip(Previous);
}

void DrawRoundRect(TGPGraphics* Graphics, const TGPBrush* Brush, const TGPPen* Pen,
                   const TGPRectF& Rect, float Rounding, bool Frame, bool Shadow, bool Raised,
                   bool Lowered) {
    if (Frame) Raised = Lowered = false;
    const float D = std::min({Rounding, Rect.Width, Rect.Height});
    const TGPGraphicsPath Outline = RoundedPath(Rect, Rounding > 0 ? D : 0);
    if (Shadow) DrawShadow(Graphics, Outline, 4, 5);
    if (Rounding > 0) {
        Graphics->FillPath(*Brush, Outline);
        if (Frame) Graphics->DrawPath(*Pen, Outline);
    } else {
        const TGPSmoothingMode Mode = Graphics->GetSmoothingMode();
        Graphics->SetSmoothingMode(TGPSmoothingMode::None);
        Graphics->FillRectangle(*Brush, Rect);
        if (Frame) Graphics->DrawRectangle(*Pen, Rect);
        Graphics->SetSmoothingMode(Mode);
    }
    if (!Raised && !Lowered) return;
    // Bands 1.5 pixels wide inside the outline, split by the diagonal from the bottom-left to
    // the top-right corner.
    constexpr float Band = 1.5f;
    const TGPRectF Inner{Rect.X + Band, Rect.Y + Band, Rect.Width - 2 * Band,
                         Rect.Height - 2 * Band};
    TGPRegion Ring(Outline);
    Ring.Exclude(TGPRegion(RoundedPath(Inner, Rounding > 0 ? std::max(0.0f, D - 2 * Band) : 0)));
    const TGPPointF TopLeftHalf[3] = {
        {Rect.X, Rect.GetBottom()}, {Rect.X, Rect.Y}, {Rect.GetRight(), Rect.Y}};
    const TGPPointF BottomRightHalf[3] = {
        {Rect.GetRight(), Rect.Y}, {Rect.GetRight(), Rect.GetBottom()}, {Rect.X, Rect.GetBottom()}};
    auto Half = [&](const TGPPointF* Corners) {
        TGPGraphicsPath Triangle;
        Triangle.AddPolygon(Corners, 3);
        TGPRegion Part = Ring;
        Part.Intersect(TGPRegion(Triangle));
        return Part;
    };
    const TGPSolidBrush Light(0xD2FFFFFF), Dark(0x5A000000);
    if (Raised) {
        Graphics->FillRegion(Light, Half(TopLeftHalf));
        Graphics->FillRegion(Dark, Half(BottomRightHalf));
    }
    if (Lowered) {
        Graphics->FillRegion(Dark, Half(TopLeftHalf));
        Graphics->FillRegion(Light, Half(BottomRightHalf));
    }
}

// ---- bars ----

void Draw3DBar(TGPGraphics* Graphics, TQvColor FillColor, TQvColor LineColor, float GradientWidth,
               float GradientLeft, float Dx, float Dy, float X1, float Y1, float X2, float Y2) {
    const TGPRectF R{std::min(X1, X2), std::min(Y1, Y2), std::abs(X2 - X1), std::abs(Y2 - Y1)};
    const float dx = std::abs(Dx), dy = std::abs(Dy);
    TGPRectF G = R;
    if (GradientWidth > 0) {
        G.X = GradientLeft;
        G.Width = GradientWidth;
    }
    const bool Outlined = LineColor != NoLine;
    const auto Front = ShadedBrush(G, FillColor, 1.2f, 0.8f);
    if (GetAlpha(FillColor) > 254) {
        // One fill under the faces hides the seams between them.
        const TGPPointF Body[6] = {{R.X, R.GetBottom()},
                                   {R.X, R.Y},
                                   {R.X + dx, R.Y - dy},
                                   {R.GetRight() + dx, R.Y - dy},
                                   {R.GetRight() + dx, R.GetBottom() - dy},
                                   {R.GetRight(), R.GetBottom()}};
        Graphics->FillPolygon(*Front, Body, 6);
    }
    Graphics->FillRectangle(*Front, R);
    if (Outlined) Graphics->DrawRectangle(TGPPen(*ShadedBrush(G, LineColor, 1.2f, 0.8f), 1), R);

    const std::array<TGPPointF, 4> Top{
        {{R.X, R.Y}, {R.GetRight(), R.Y}, {R.GetRight() + dx, R.Y - dy}, {R.X + dx, R.Y - dy}}};
    const std::array<TGPPointF, 4> TopOfG{
        {{G.X, R.Y}, {G.GetRight(), R.Y}, {G.GetRight() + dx, R.Y - dy}, {G.X + dx, R.Y - dy}}};
    Graphics->FillPolygon(*FaceBrush(TopOfG, FillColor), Top.data(), 4);
    if (Outlined) Graphics->DrawPolygon(TGPPen(*FaceBrush(TopOfG, LineColor), 1), Top.data(), 4);

    const TGPPointF Side[4] = {{R.GetRight(), R.Y},
                               {R.GetRight() + dx, R.Y - dy},
                               {R.GetRight() + dx, R.GetBottom() - dy},
                               {R.GetRight(), R.GetBottom()}};
    const TGPRectF SideRect{R.GetRight(), R.Y, dx, R.Height};
    auto SideBrush = [&](TQvColor Color) {
        return LinearBrush(SideRect, 0, 0.5f, Brighten(Color, 0.6), Brighten(Color, 0.5),
                           Brighten(Color, 0.4));
    };
    Graphics->FillPolygon(*SideBrush(FillColor), Side, 4);
    if (Outlined) Graphics->DrawPolygon(TGPPen(*SideBrush(LineColor), 1), Side, 4);
}

void Draw3DBar(TGPGraphics* Graphics, TQvColor FillColor, TQvColor LineColor, float Dx, float Dy,
               float X1, float Y1, float X2, float Y2) {
    Draw3DBar(Graphics, FillColor, LineColor, 0, 0, Dx, Dy, X1, Y1, X2, Y2);
}

void DrawCylinderVertical(TGPGraphics* Graphics, TQvColor FillColor, TQvColor LineColor,
                          float CapDepth, float Shift, float X1, float Y1, float X2, float Y2) {
    const TGPMatrix Saved = Graphics->GetTransform();
    Graphics->TranslateTransform(std::min(X1, X2), std::min(Y1, Y2));
    DrawCylinder(Graphics, FillColor, LineColor, std::abs(X2 - X1), std::abs(Y2 - Y1), CapDepth,
                 Shift);
    Graphics->SetTransform(Saved);
}

void DrawCylinderHorizontal(TGPGraphics* Graphics, TQvColor FillColor, TQvColor LineColor,
                            float CapDepth, float Shift, float X1, float Y1, float X2, float Y2) {
    // The vertical cylinder turned so that its top cap is at the right end.
    const float Length = std::abs(X2 - X1), Across = std::abs(Y2 - Y1);
    const TGPMatrix Saved = Graphics->GetTransform();
    Graphics->TranslateTransform(std::min(X1, X2), std::min(Y1, Y2));
    Graphics->MultiplyTransform(TGPMatrix(0, 1, -1, 0, Length, 0));
    DrawCylinder(Graphics, FillColor, LineColor, Across, Length, CapDepth, Shift);
    Graphics->SetTransform(Saved);
}
