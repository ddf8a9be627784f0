// Drawing primitives: symbol geometry in pixels, clip exclusion, brushes, shadows and boxes.

#include "../qvtest.h"

#include <style/qvdrawing.h>

#include <gtest/gtest.h>

namespace {
constexpr TQvColor White = 0xFFFFFFFF, Black = 0xFF000000, Red = 0xFFFF0000, Blue = 0xFF0000FF;

// Draws on a white 40 x 40 bitmap and hands back its pixels.
QImage Render(const std::function<void(TGPGraphics*)>& Draw, int W = 40, int H = 40) {
    TGPBitmap Bitmap(W, H);
    {
        TGPGraphics G(&Bitmap);
        G.Clear(White);
        Draw(&G);
    }
    return Bitmap.Image().convertToFormat(QImage::Format_ARGB32);
}

QImage Symbol(TQvPointSymbol Kind, float Size, float PenWidth = 1, bool Smooth = false) {
    return Render([&](TGPGraphics* G) {
        if (Smooth) G->SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        const TGPPen Pen(Black, PenWidth);
        const TGPSolidBrush Brush(Red);
        DrawPointSymbol(G, &Pen, &Brush, Size, 20, 20, Kind);
    });
}

struct TPixel {
    int X, Y;
    QRgb Color;
};

void ExpectPixels(const QImage& Image, std::initializer_list<TPixel> Pixels) {
    for (const TPixel& P : Pixels)
        EXPECT_EQ(Image.pixel(P.X, P.Y), P.Color) << P.X << "," << P.Y;
}

// The pixels of Image that are not white, as a set of points.
QSet<QPair<int, int>> Ink(const QImage& Image) {
    QSet<QPair<int, int>> Result;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            if (Image.pixel(x, y) != White) Result.insert({x, y});
    return Result;
}
} // namespace

TEST(Drawing, SymbolsSitWhereTheirGeometryPutsThem) {
    // Size 11 with a 1-pixel pen: an outline of radius 5 around the point.
    const QImage Circle = Symbol(TQvPointSymbol::Circle, 11);
    ExpectPixels(Circle, {{25, 20, Black}, {15, 20, Black}, {20, 15, Black}, {20, 25, Black}});
    ExpectPixels(Circle, {{20, 20, Red}, {26, 20, White}, {14, 20, White}});
    ExpectPixels(Symbol(TQvPointSymbol::Square, 11),
                 {{15, 15, Black}, {25, 25, Black}, {22, 18, Red}, {26, 25, White}});

    // A dot is a square of the pen width in the pen colour, whatever the size.
    EXPECT_EQ(Ink(Symbol(TQvPointSymbol::Dot, 30)), (QSet<QPair<int, int>>{{20, 20}}));
    EXPECT_EQ(Ink(Symbol(TQvPointSymbol::Dot, 30, 3)).size(), 9);
    EXPECT_EQ(Symbol(TQvPointSymbol::Dot, 30, 3).pixel(21, 21), Black);
    // Smoothed at a fractional place, still whole pixels of full ink.
    const QImage Dot = Render([](TGPGraphics* G) {
        G->SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        const TGPPen Pen(Black, 1);
        const TGPSolidBrush Brush(Red);
        DrawPointSymbol(G, &Pen, &Brush, 5, 20.4f, 19.7f, TQvPointSymbol::Dot);
    });
    EXPECT_EQ(Ink(Dot), (QSet<QPair<int, int>>{{20, 20}}));
    EXPECT_EQ(Dot.pixel(20, 20), Black);

    // A cross reaches r = (Size - w) / 2 from the centre in the four directions; like any
    // fill, the stroke covers the pixels from its start up to, not including, its far edge.
    const auto Cross = Ink(Symbol(TQvPointSymbol::Cross, 11));
    auto Extent = [](const QSet<QPair<int, int>>& Points) {
        QRect Box;
        for (const auto& P : Points)
            Box |= QRect(P.first, P.second, 1, 1);
        return Box;
    };
    EXPECT_EQ(Extent(Cross), QRect(15, 15, 10, 10));
    EXPECT_EQ(Cross.size(), 19);
    const auto Ex = Ink(Symbol(TQvPointSymbol::Ex, 11));
    EXPECT_TRUE(Ex.contains({22, 22}) && Ex.contains({17, 17}) && !Ex.contains({23, 20}));
    const auto Star = Ink(Symbol(TQvPointSymbol::Star, 11));
    EXPECT_EQ(Extent(Star), QRect(15, 15, 10, 10));
    EXPECT_TRUE(Star.contains({22, 22}) && !Star.contains({24, 24}));

    // Delta and Nabla mirror each other about the horizontal line through the centre: smooth
    // pixel rows 20 - d and 20 + d match.
    const QImage Up = Symbol(TQvPointSymbol::Delta, 21, 1, true);
    const QImage Down = Symbol(TQvPointSymbol::Nabla, 21, 1, true);
    int Worst = 0;
    for (int y = 1; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            for (int Shift : {0, 8, 16})
                Worst = std::max(Worst, std::abs(int((Up.pixel(x, y) >> Shift) & 0xFF) -
                                                 int((Down.pixel(x, 40 - y) >> Shift) & 0xFF)));
    EXPECT_LE(Worst, 8); // the smooth rasteriser samples coverage coarsely
    // The apex 1.1547 r above the centre, the base 0.57735 r below.
    ExpectPixels(Symbol(TQvPointSymbol::Delta, 21),
                 {{20, 8, Black}, {20, 7, White}, {20, 25, Black}, {20, 26, White}, {20, 20, Red}});

    // Out-of-range symbols draw nothing; line symbols ignore the brush.
    EXPECT_TRUE(Ink(Symbol(TQvPointSymbol(10), 11)).isEmpty());
    for (auto Kind : {TQvPointSymbol::Cross, TQvPointSymbol::Ex, TQvPointSymbol::Star})
        for (const auto& P : Ink(Symbol(Kind, 15)))
            ASSERT_NE(Symbol(Kind, 15).pixel(P.first, P.second), Red);
}

TEST(Drawing, ExcludedSymbolSpaceStaysFree) {
    // A line through the symbol's place leaves its inside free; a cross has no inside.
    for (auto Kind : {TQvPointSymbol::Circle, TQvPointSymbol::Square, TQvPointSymbol::Diamond,
                      TQvPointSymbol::Delta, TQvPointSymbol::Nabla, TQvPointSymbol::FiveStar,
                      TQvPointSymbol::Cross}) {
        const QImage Image = Render([&](TGPGraphics* G) {
            ExcludeSymbolSpace(G, 15, 20, 20, Kind);
            G->DrawLine(TGPPen(Blue, 3), 0, 20, 40, 20);
        });
        EXPECT_EQ(Image.pixel(20, 20), Kind == TQvPointSymbol::Cross ? Blue : White) << int(Kind);
        EXPECT_EQ(Image.pixel(2, 20), Blue) << int(Kind);
    }
}

TEST(Drawing, BrushesAndRectangles) {
    EXPECT_NE(dynamic_cast<TGPSolidBrush*>(GetAreaBrush(TQvAreaStyle::Total, Red, Blue).get()),
              nullptr);
    auto Hatch = GetAreaBrush(TQvAreaStyle::DiagonalCross, Red, Blue);
    auto* H = dynamic_cast<TGPHatchBrush*>(Hatch.get());
    ASSERT_NE(H, nullptr);
    EXPECT_EQ(H->GetHatchStyle(), TQvAreaStyle::DiagonalCross);
    EXPECT_EQ(H->GetForegroundColor(), Red);
    EXPECT_EQ(H->GetBackgroundColor(), Blue);

    // The linear brush spans the rectangle widened by a pixel towards the top-left.
    auto Linear = LinearBrush(TGPRectF{0, 0, 10, 10}, 0, 0.3f, Red, 0xFF00FF00, Blue);
    EXPECT_EQ(Linear->GetRectangle(), (TGPRectF{-1, -1, 11, 11}));
    EXPECT_EQ(Linear->GetInterpolationColors().Positions, (std::vector<float>{0, 0.3f, 1}));
    const QImage Band = Render(
        [](TGPGraphics* G) {
            G->FillRectangle(*LinearBrush(TGPRectF{0, 0, 100, 10}, 0, 0.3f, Red, 0xFF00FF00, Blue),
                             0, 0, 100, 10);
        },
        100, 10);
    EXPECT_GT(qGreen(Band.pixel(29, 5)), 240); // the middle colour where Center puts it
    EXPECT_GT(qRed(Band.pixel(0, 5)), 240);
    EXPECT_GT(qBlue(Band.pixel(99, 5)), 240);

    // The radial brush's circle passes through the corners; its centre colour sits at Center.
    auto Radial = RadialBrush(TGPRectF{0, 0, 40, 30}, {0.25f, 0.5f}, Red, 0xFF00FF00, Blue);
    EXPECT_EQ(Radial->GetCenterPoint(), (TGPPointF{10, 15}));
    EXPECT_EQ(Radial->GetRectangle(), (TGPRectF{-5, -10, 50, 50}));
    auto Elliptical = EllipticalBrush(TGPRectF{0, 0, 40, 30}, {0.5f, 0.5f}, Red, 0xFF00FF00, Blue);
    EXPECT_NEAR(Elliptical->GetRectangle().Width, 40 * M_SQRT2, 0.01);
    EXPECT_NEAR(Elliptical->GetRectangle().Height, 30 * M_SQRT2, 0.01);
    EXPECT_EQ(Elliptical->ColorAt({20, 15}).value_or(0), Blue);

    EXPECT_EQ(OrderedRect(10, 2, 3, 8), (TRect{3, 2, 10, 8}));
    EXPECT_EQ(OrderedRect(QPoint(1, 9), QPoint(4, -1)), (TRect{1, -1, 4, 9}));
    EXPECT_EQ(TRectToRectF({3, 2, 10, 8}), (TGPRectF{3, 2, 7, 6}));
    EXPECT_TRUE(RectanglesOverlaping({0, 0, 10, 10}, {9, 9, 5, 5}));
    EXPECT_FALSE(RectanglesOverlaping({0, 0, 10, 10}, {10, 0, 5, 5}));
}

TEST(Drawing, ShadowsBoxesAndBars) {
    // The soft shadow darkens towards the shape but never the shape itself.
    const QImage Shadow = Render([](TGPGraphics* G) {
        TGPGraphicsPath Box;
        Box.AddRectangle({5, 5, 20, 20});
        DrawShadow(G, Box, 4, 5);
    });
    ExpectPixels(Shadow, {{15, 15, White}, {3, 3, White}});
    EXPECT_LT(qGray(Shadow.pixel(26, 15)), qGray(Shadow.pixel(29, 15)));
    EXPECT_LT(qGray(Shadow.pixel(15, 26)), 255);

    // A raised box is light along the top and left, dark along the bottom and right.
    const TGPSolidBrush Grey(0xFF808080);
    const TGPPen Pen(Black, 1);
    const QImage Raised = Render([&](TGPGraphics* G) {
        DrawRoundRect(G, &Grey, &Pen, {5, 5, 30, 30}, 0, false, false, true, false);
    });
    EXPECT_GT(qGray(Raised.pixel(20, 5)), 0x80);
    EXPECT_LT(qGray(Raised.pixel(20, 34)), 0x80);
    EXPECT_EQ(Raised.pixel(20, 20), 0xFF808080u);
    // A frame switches the bands off and outlines the box.
    const QImage Framed = Render([&](TGPGraphics* G) {
        DrawRoundRect(G, &Grey, &Pen, {5, 5, 30, 30}, 8, true, false, true, true);
    });
    ExpectPixels(Framed, {{20, 5, Black}, {5, 5, White}}); // the rounded corner is cut

    // A cuboid bar: the front in the fill colour's shades, top and side faces above and beside.
    const QImage Bar =
        Render([](TGPGraphics* G) { Draw3DBar(G, Red, 0x00FFFFFF, 6, 6, 10, 35, 25, 12); });
    EXPECT_GT(qRed(Bar.pixel(17, 25)), 200);
    EXPECT_LT(qGreen(Bar.pixel(17, 25)), 60);
    EXPECT_NE(Bar.pixel(20, 9), White);  // top face
    EXPECT_NE(Bar.pixel(28, 25), White); // side face
    EXPECT_LT(qRed(Bar.pixel(28, 25)), qRed(Bar.pixel(17, 25)));
    EXPECT_EQ(Bar.pixel(9, 25), White);

    // Cylinders stand inside their rectangle, with the top cap above it.
    const QImage Upright =
        Render([](TGPGraphics* G) { DrawCylinderVertical(G, Blue, Black, 6, 0, 10, 35, 30, 12); });
    EXPECT_NE(Upright.pixel(20, 20), White);
    EXPECT_NE(Upright.pixel(20, 8), White);
    EXPECT_EQ(Upright.pixel(5, 20), White);
    const QImage Lying =
        Render([](TGPGraphics* G) { DrawCylinderHorizontal(G, Blue, Black, 6, 2, 5, 10, 30, 30); });
    EXPECT_NE(Lying.pixel(15, 20), White);
    EXPECT_NE(Lying.pixel(32, 20), White);
    EXPECT_EQ(Lying.pixel(15, 5), White);
}
