// The drawing surface: pixels of small bitmaps, transforms, clips, text and image files.

#include "../qvtest.h"

#include <framework/qvcontrols.h>
#include <framework/qvexceptions.h>
#include <framework/qvprinters.h>
#include <style/qvgdi.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

namespace {
constexpr TQvColor White = 0xFFFFFFFF, Black = 0xFF000000, Red = 0xFFFF0000, Blue = 0xFF0000FF;

struct TCanvas {
    explicit TCanvas(int W = 40, int H = 40) : Bitmap(W, H) {
        Graphics = std::make_unique<TGPGraphics>(&Bitmap);
        Graphics->Clear(White);
    }
    TQvColor At(int X, int Y) {
        Graphics.reset(); // finish painting before reading
        return Bitmap.GetPixel(X, Y);
    }
    TGPBitmap Bitmap;
    std::unique_ptr<TGPGraphics> Graphics;
};

// Finishes both paintings and compares them pixel for pixel.
void ExpectSamePixels(TCanvas& A, TCanvas& B) {
    A.Graphics.reset();
    B.Graphics.reset();
    for (int y = 0; y < A.Bitmap.GetHeight(); ++y)
        for (int x = 0; x < A.Bitmap.GetWidth(); ++x)
            ASSERT_EQ(B.Bitmap.GetPixel(x, y), A.Bitmap.GetPixel(x, y)) << x << "," << y;
}

struct TPixel {
    int X, Y;
    TQvColor Color;
};

// Finishes painting and checks the given pixels, exactly or to within Tolerance per channel.
void ExpectPixels(TCanvas& C, std::initializer_list<TPixel> Pixels, int Tolerance = 0) {
    C.Graphics.reset();
    for (const TPixel& P : Pixels)
        EXPECT_LE(ChannelDistance(C.Bitmap.GetPixel(P.X, P.Y), P.Color, true), Tolerance)
            << P.X << "," << P.Y << ": " << std::hex << C.Bitmap.GetPixel(P.X, P.Y);
}
} // namespace

TEST(Gdi, IntegerCoordinatesArePixelCentres) {
    // A 1-pixel line at y = 10 covers row 10 only, smoothed or not; a rectangle outline lies on
    // the pixels of its edges.
    for (auto Mode : {TGPSmoothingMode::None, TGPSmoothingMode::AntiAlias}) {
        TCanvas C;
        C.Graphics->SetSmoothingMode(Mode);
        C.Graphics->DrawLine(TGPPen(Black, 1), 5, 10, 30, 10);
        C.Graphics->DrawRectangle(TGPPen(Blue, 1), 5, 20, 10, 10);
        ExpectPixels(C, {{15, 10, Black}, {15, 9, White}, {15, 11, White}});
        ExpectPixels(C, {{5, 25, Blue}, {15, 25, Blue}, {10, 30, Blue}, {10, 25, White}});
    }
    // A filled rectangle 0..10 covers the pixels 0 to 9.
    TCanvas F;
    F.Graphics->FillRectangle(TGPSolidBrush(Red), 0, 0, 10, 10);
    ExpectPixels(F, {{9, 9, Red}, {10, 9, White}});
}

TEST(Gdi, RectanglesFillTheSamePixelsOneByOneOrTogether) {
    // Whole-pixel rectangles take a faster way than fractional ones; both must match single
    // fills, smoothed or not, with a translation. Those of whole and half pixels take the
    // fastest, unless they lie too far out for it: as the others, whole within a thousandth
    // of a pixel, or not at all.
    const TGPRectF Rects[] = {
        {2.5f, 3.5f, 1, 20}, {4, 3, 1, 7},           {6.25f, 4.6f, 2.5f, 9.3f}, {-5, 3, 4, 5},
        {9.0002f, 3, 1, 7},  {11, 2.9998f, 1, 7.5f}, {-3e6f, 8, 3e6f + 14, 2},  {13.5f, 4, 2.5f, 3},
        {16, 5.5f, 1, 2e6f}};
    for (auto Mode : {TGPSmoothingMode::None, TGPSmoothingMode::AntiAlias})
        for (int Clipping : {0, 1, 2}) {
            TCanvas One, Many;
            for (TCanvas* C : {&One, &Many}) {
                C->Graphics->SetSmoothingMode(Mode);
                C->Graphics->TranslateTransform(3, 1);
                // No clip, one rectangle, two rectangles.
                if (Clipping > 0) C->Graphics->SetClip(TGPRectF{0, 6, 30, 10});
                if (Clipping > 1)
                    C->Graphics->SetClip(TGPRectF{0.5f, 6.5f, 30, 10}, TGPCombineMode::Union);
            }
            for (const TGPRectF& R : Rects)
                One.Graphics->FillRectangle(TGPSolidBrush(Blue), R);
            // One at a time, so that each takes its own way: the first lies on whole device
            // pixels when smoothed, the second and the last, partly off the device, when not.
            for (const TGPRectF& R : Rects)
                Many.Graphics->FillRectangles(TGPSolidBrush(Blue), &R, 1);
            ExpectSamePixels(One, Many);
        }
    // One-pixel columns side by side, as dense lines draw them, are filled a row at a time
    // across 16 of them: a short run, overlapping columns, columns far apart, which end the
    // list; clipped or not. Enough of them from left to right fill on both cores.
    std::vector<TGPRectF> Columns;
    for (int x = 0; x < 700; ++x) {
        const float Top = x < 22 || x > 40 ? float(5 + x % 3) : float(x % 2 ? 2 : 30);
        if (x != 5) Columns.push_back({float(x), Top, 1, float(3 + x % 5)});
    }
    for (bool Clipped : {false, true}) {
        TCanvas One(720, 40), Many(720, 40);
        for (TCanvas* C : {&One, &Many}) {
            C->Graphics->SetSmoothingMode(TGPSmoothingMode::None);
            if (Clipped) C->Graphics->SetClip(TGPRectF{0, 6, 710, 26});
        }
        for (const TGPRectF& R : Columns)
            One.Graphics->FillRectangle(TGPSolidBrush(Blue), R);
        Many.Graphics->FillRectangles(TGPSolidBrush(Blue), Columns.data(), int(Columns.size()));
        ExpectSamePixels(One, Many);
    }
    // A large opaque background goes straight into the image, on both cores, white by the
    // library's widest stores: moved, clipped and cut at the image's edge as Qt fills it, and
    // nothing beside it.
    for (const TQvColor Color : {Blue, White})
        for (const bool Clipped : {false, true}) {
            TCanvas Direct(400, 300);
            Direct.Graphics->Clear(Red);
            QImage Reference(400, 300, QImage::Format_ARGB32_Premultiplied);
            Reference.fill(QColor::fromRgba(Red));
            QPainter Painter(&Reference);
            Direct.Graphics->TranslateTransform(3, 1);
            Painter.translate(3, 1);
            if (Clipped) {
                Direct.Graphics->SetClip(TGPRectF{10, 20, 300, 250});
                Painter.setClipRect(QRectF(10, 20, 300, 250));
            }
            Direct.Graphics->FillRectangle(TGPSolidBrush(Color), TGPRectF{-20, 5, 380, 290});
            Painter.fillRect(QRectF(-20, 5, 380, 290), QColor::fromRgba(Color));
            Painter.end();
            Direct.Graphics.reset();
            for (int y = 0; y < 300; ++y)
                for (int x = 0; x < 400; ++x)
                    ASSERT_EQ(Direct.Bitmap.GetPixel(x, y), Reference.pixel(x, y)) << x << "," << y;
        }
}

TEST(Gdi, PiesTurnClockwiseAndTransformsPrepend) {
    TCanvas C(100, 100);
    C.Graphics->FillPie(TGPSolidBrush(Red), {0, 0, 100, 100}, 0, 90);
    // Below the centre on the right: clockwise from the x axis.
    ExpectPixels(C, {{75, 60, Red}, {75, 40, White}, {25, 60, White}});

    TGPMatrix M;
    M.Scale(2, 2);
    M.Translate(10, 0); // prepended: translate first, then scale
    EXPECT_EQ(M.TransformPoint({0, 0}), (TGPPointF{20, 0}));
    M.Translate(1, 1, TGPMatrixOrder::Append);
    EXPECT_EQ(M.TransformPoint({0, 0}), (TGPPointF{21, 1}));
    TGPMatrix R;
    R.RotateAt(90, {10, 10});
    const TGPPointF P = R.TransformPoint({20, 10});
    EXPECT_NEAR(P.X, 10, 1e-5);
    EXPECT_NEAR(P.Y, 20, 1e-5); // clockwise on screen
    EXPECT_TRUE(R.Invert());
    EXPECT_FALSE(TGPMatrix(0, 0, 0, 0, 1, 1).Invert());

    TCanvas T;
    T.Graphics->ScaleTransform(2, 2);
    T.Graphics->TranslateTransform(5, 5);
    T.Graphics->FillRectangle(TGPSolidBrush(Blue), 0, 0, 2, 2); // device 10..14
    ExpectPixels(T, {{10, 10, Blue}, {13, 13, Blue}, {14, 14, White}});
}

TEST(Gdi, ClipsCombineAndStayOnTheDevice) {
    TCanvas C;
    C.Graphics->SetClip(TGPRectF{0, 0, 20, 20});
    C.Graphics->SetClip(TGPRectF{10, 10, 20, 20}, TGPCombineMode::Intersect);
    C.Graphics->ExcludeClip(TGPRectF{12, 12, 2, 2});
    C.Graphics->TranslateTransform(100, 100); // the clip does not move with the transform
    C.Graphics->ResetTransform();
    EXPECT_EQ(C.Graphics->GetClipBounds(), (TGPRectF{10, 10, 10, 10}));
    C.Graphics->FillRectangle(TGPSolidBrush(Red), 0, 0, 40, 40);
    ExpectPixels(C, {{15, 15, Red}, {9, 15, White}, {20, 15, White}, {12, 13, White}});

    TCanvas D;
    TGPGraphicsPath Hole;
    Hole.AddEllipse({10, 10, 20, 20});
    D.Graphics->SetClip(Hole, TGPCombineMode::Exclude);
    EXPECT_FALSE(D.Graphics->GetClip().IsVisible(20, 20));
    EXPECT_TRUE(D.Graphics->GetClip().IsVisible(2, 2));
    D.Graphics->ResetClip();
    EXPECT_TRUE(D.Graphics->GetClip().IsInfinite());
    D.Graphics->SetClip(Hole, TGPCombineMode::Exclude);
    D.Graphics->FillRectangle(TGPSolidBrush(Blue), 0, 0, 40, 40);
    ExpectPixels(D, {{20, 20, White}, {2, 2, Blue}});

    // Regions: exclusion and complements.
    TGPRegion Region(TGPRectF{0, 0, 10, 10});
    Region.Exclude(TGPRegion(TGPRectF{0, 0, 5, 10}));
    EXPECT_EQ(Region.GetBounds(), (TGPRectF{5, 0, 5, 10}));
    TGPRegion Outside(TGPRectF{0, 0, 10, 10});
    Outside.Complement(TGPRegion(TGPRectF{0, 0, 20, 10}));
    EXPECT_EQ(Outside.GetBounds(), (TGPRectF{10, 0, 10, 10}));
    TGPRegion Empty;
    Empty.MakeEmpty();
    EXPECT_TRUE(Empty.IsEmpty());
}

TEST(Gdi, SurfaceOnAControlPaintKeepsTheControlsPlaceAndClip) {
    // A graphic child draws in its own coordinates and never beyond its bounds, even after
    // resetting the surface's clip.
    struct TChild : TGraphicControl {
        using TGraphicControl::TGraphicControl;
        void Paint(QPainter& Canvas) override {
            TGPGraphics G(&Canvas);
            G.ResetClip();
            G.FillRectangle(TGPSolidBrush(Red), -50, -50, 200, 200);
            G.FillRectangle(TGPSolidBrush(Blue), 0, 0, 1, 1);
        }
    };
    TComponent Owner(nullptr);
    TCustomPanel Panel(&Owner);
    Panel.SetBounds(0, 0, 40, 40);
    auto* Child = new TChild(&Owner);
    Child->SetParent(&Panel);
    Child->SetBounds(10, 12, 8, 6);
    QImage Image(40, 40, QImage::Format_ARGB32);
    Image.fill(Qt::white);
    {
        QPainter Painter(&Image);
        Panel.PaintTo(Painter, 0, 0);
    }
    EXPECT_EQ(Image.pixel(10, 12), Blue);
    EXPECT_EQ(Image.pixel(17, 17), Red);
    EXPECT_EQ(Image.pixel(18, 17), White);
    EXPECT_EQ(Image.pixel(9, 12), White);
}

TEST(Gdi, HatchPatternsAreFixedToDevicePixels) {
    for (int Style = 0; Style < QvStyle::HatchStyleCount; ++Style) {
        TCanvas C(16, 16);
        // A translation must not move the pattern: it is tied to the device.
        C.Graphics->TranslateTransform(3, 5);
        C.Graphics->FillRectangle(TGPHatchBrush(TQvAreaStyle(Style), Blue, White), -3, -5, 16, 16);
        C.Graphics.reset();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const bool Fore =
                    (TGPHatchBrush::PatternRow(TQvAreaStyle(Style), y) >> (x & 7)) & 1;
                ASSERT_EQ(C.Bitmap.GetPixel(x, y), Fore ? Blue : White)
                    << "style " << Style << " at " << x << "," << y;
            }
    }
    // Named shapes: a horizontal line, a vertical line, the two diagonals, checkerboards.
    EXPECT_EQ(TGPHatchBrush::PatternRow(TQvAreaStyle::Horizontal, 3), 0xFF);
    EXPECT_EQ(TGPHatchBrush::PatternRow(TQvAreaStyle::Horizontal, 4), 0x00);
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(TGPHatchBrush::PatternRow(TQvAreaStyle::Vertical, y), 0x08);
        EXPECT_EQ(TGPHatchBrush::PatternRow(TQvAreaStyle::ForwardDiagonal, y), 1 << y);
        EXPECT_EQ(TGPHatchBrush::PatternRow(TQvAreaStyle::BackwardDiagonal, y), 0x80 >> y);
        EXPECT_EQ(TGPHatchBrush::PatternRow(TQvAreaStyle::Percent50, y) ^
                      TGPHatchBrush::PatternRow(TQvAreaStyle::Percent50, y + 1),
                  0xFF);
    }
    // The percentages grow denser step by step.
    int Previous = 0;
    for (int Style = int(TQvAreaStyle::Percent05); Style <= int(TQvAreaStyle::Percent90); ++Style) {
        int Bits = 0;
        for (int y = 0; y < 8; ++y)
            Bits += std::popcount(TGPHatchBrush::PatternRow(TQvAreaStyle(Style), y));
        EXPECT_GT(Bits, Previous) << Style;
        Previous = Bits;
    }
}

TEST(Gdi, GradientsPutTheirColoursWhereTheGeometrySays) {
    // Linear: colour lines through the corners; red at the start, blue at the end.
    TCanvas C(101, 10);
    TGPLinearGradientBrush Linear(TGPRectF{0, 0, 100, 10}, Red, Blue, 0);
    C.Graphics->FillRectangle(Linear, 0, 0, 101, 10);
    ExpectPixels(C, {{0, 5, Red}, {100, 5, Blue}, {50, 5, 0xFF800080}}, 3);

    // At 90 degrees the gradient runs downwards.
    TCanvas V(10, 101);
    V.Graphics->FillRectangle(TGPLinearGradientBrush(TGPRectF{0, 0, 10, 100}, Red, Blue, 90), 0, 0,
                              10, 101);
    ExpectPixels(V, {{5, 0, Red}, {5, 100, Blue}}, 2);

    // Path gradient on an ellipse: the centre colour at the centre point, the surround colour
    // at the boundary, off-centre centre points allowed.
    TGPGraphicsPath Circle;
    Circle.AddEllipse({0, 0, 40, 40});
    TGPPathGradientBrush Radial(Circle);
    Radial.SetCenterColor(Red);
    const TQvColor Surround = Blue;
    Radial.SetSurroundColors(&Surround, 1);
    Radial.SetCenterPoint({30, 20});
    TCanvas R;
    R.Graphics->FillEllipse(Radial, 0, 0, 40, 40);
    ExpectPixels(R, {{30, 20, Red}, {1, 20, Blue}}, 20);

    // Polygon with a colour per corner: each corner keeps its colour, the centre its own.
    const TGPPointF Square[4] = {{0, 0}, {40, 0}, {40, 40}, {0, 40}};
    TGPPathGradientBrush Corners(Square, 4);
    const TQvColor CornerColors[4] = {Red, 0xFF00FF00, Blue, Black};
    Corners.SetSurroundColors(CornerColors, 4);
    Corners.SetCenterColor(White);
    EXPECT_EQ(Corners.GetCenterPoint(), (TGPPointF{20, 20}));
    EXPECT_EQ(Corners.ColorAt({20, 20}).value_or(0), White);
    EXPECT_EQ(Corners.ColorAt({40, 40}).value_or(0), Blue);
    EXPECT_EQ(Corners.ColorAt({20, 0}).value_or(0), 0xFF808000);
    TCanvas P;
    P.Graphics->FillPolygon(Corners, Square, 4);
    ExpectPixels(P, {{20, 20, White}}, 8);
    ExpectPixels(P, {{1, 1, Red}}, 24);
}

TEST(Gdi, CustomCapsEndLinesWithTheirShape) {
    // An arrow cap: tip at the line end, wings 5 widths back, the line stopping at the notch.
    const TGPPointF Tip[5] = {{2, -5}, {0, 0}, {-2, -5}, {0, -3}, {2, -5}};
    TGPGraphicsPath Shape;
    Shape.AddPolygon(Tip, 5);
    TGPPen Pen(Black, 2);
    Pen.SetCustomEndCap(TGPCustomLineCap(&Shape, nullptr, TGPLineCap::Flat, 3));
    TCanvas C(60, 40);
    C.Graphics->DrawLine(Pen, 10, 20, 50, 20);
    // Inside the tip, a wing, beyond the tip, the line and beside it.
    ExpectPixels(
        C, {{48, 20, Black}, {42, 22, Black}, {52, 20, White}, {20, 20, Black}, {20, 23, White}});
}

TEST(Gdi, TextIsMeasuredWithOrWithoutPadding) {
    EXPECT_TRUE(TGPFontFamily("Arial").IsAvailable());
    EXPECT_FALSE(TGPFontFamily("No Such Face 12345").IsAvailable());
    EXPECT_TRUE(TGPFontFamily::InstalledFamilies().contains("DejaVu Sans"));

    TCanvas C(200, 60);
    const TGPFont Font("Arial", 12);
    const TGPRectF Default = C.Graphics->MeasureString("Axis", Font, TGPPointF{10, 5},
                                                       TGPStringFormat::GenericDefault());
    const TGPRectF Tight = C.Graphics->MeasureString("Axis", Font, TGPPointF{10, 5},
                                                     TGPStringFormat::GenericTypographic());
    // 12 pt is 16 pixels; the default format adds a sixth of that on both sides.
    EXPECT_NEAR(Default.Width - Tight.Width, 16.0 / 3, 0.5);
    EXPECT_NEAR(Tight.X, 10, 0.01);
    EXPECT_NEAR(Tight.Height, Font.GetHeight(*C.Graphics), 0.01);
    // Trailing blanks count only when asked.
    TGPStringFormat Trailing = TGPStringFormat::GenericTypographic();
    EXPECT_NEAR(C.Graphics->MeasureString("Axis   ", Font, TGPPointF{}, Trailing).Width,
                Tight.Width, 0.01);
    Trailing.SetFormatFlags(Trailing.GetFormatFlags() | TGPStringFormatFlag::MeasureTrailingSpaces);
    EXPECT_GT(C.Graphics->MeasureString("Axis   ", Font, TGPPointF{}, Trailing).Width,
              Tight.Width + 5);

    // Centred at a point, text is drawn evenly on both sides of it.
    TGPStringFormat Centred = TGPStringFormat::GenericTypographic();
    Centred.SetAlignment(TGPStringAlignment::Center);
    C.Graphics->DrawString("WWWW", Font, TGPPointF{100, 10}, Centred, TGPSolidBrush(Black));
    C.Graphics.reset();
    int Left = 200, Right = -1;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 60; ++y)
            if (qGray(C.Bitmap.GetPixel(x, y)) < 128) {
                Left = std::min(Left, x);
                Right = std::max(Right, x);
            }
    EXPECT_NEAR((Left + Right) / 2.0, 100, 2);

    // Text drawn from a point is laid out once and kept: it inks the painter's own pixels, in
    // every style, smoothed or not, drawn anew or from what was kept.
    using enum TGPFontStyleItem;
    for (const TGPFontStyle Style : {TGPFontStyle{}, Bold | Italic, Underline | Strikeout})
        for (const bool Smooth : {true, false}) {
            const TGPFont Styled("DejaVu Sans", 11, Style);
            QImage Ours(120, 30, QImage::Format_ARGB32_Premultiplied), Theirs = Ours;
            Ours.fill(Qt::white);
            Theirs.fill(Qt::white);
            TGPGraphics G(&Ours), Reference(&Theirs);
            G.SetTextRenderingHint(Smooth ? TGPTextRenderingHint::AntiAlias
                                          : TGPTextRenderingHint::SingleBitPerPixel);
            QPainter* P = Reference.GetHDC();
            QFont Font = Styled.ToQt(G.GetDpiY());
            if (!Smooth) Font.setStyleStrategy(QFont::NoAntialias);
            P->setRenderHint(QPainter::TextAntialiasing, Smooth);
            P->setFont(Font);
            P->setPen(QColor(Qt::black));
            for (int Pass = 0; Pass < 2; ++Pass) {
                const float X = 3.25f + 60 * float(Pass);
                G.DrawString("Ax 1.5", Styled, TGPPointF{X, 4.5f},
                             TGPStringFormat::GenericTypographic(), TGPSolidBrush(Black));
                P->drawText(QRectF(X, 4.5, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                            "Ax 1.5");
            }
            Reference.ReleaseHDC(P);
            EXPECT_TRUE(Ours == Theirs) << int(Style) << Smooth;
        }
}

TEST(Gdi, ImagesSaveInEveryFormatAndMetafilesReplay) {
    TGPBitmap Bitmap(37, 21, TGPPixelFormat::Format24bppRGB);
    {
        TGPGraphics G(&Bitmap);
        G.Clear(White);
        G.FillRectangle(TGPSolidBrush(Red), 2, 2, 10, 10);
    }
    QTemporaryDir Dir;
    for (const QString& Mime : TGPBitmap::EncoderMimeTypes()) {
        const QString File = Dir.filePath("chart." + Mime.mid(6));
        Bitmap.Save(File, Mime);
        QImageReader Reader(File);
        const QImage Back = Reader.read();
        ASSERT_FALSE(Back.isNull())
            << Mime.toStdString() << ": " << Reader.errorString().toStdString();
        EXPECT_EQ(Back.size(), QSize(37, 21)) << Mime.toStdString();
        EXPECT_LE(ChannelDistance(Back.pixel(5, 5), Red, true), 40) << Mime.toStdString();
    }
    EXPECT_EQ(MessageOf<EConvertError>([&] { Bitmap.Save(Dir.filePath("x"), "image/xyz"); }),
              "Image format \"image/xyz\" is not supported");
    QBuffer ReadOnly;
    ReadOnly.open(QIODevice::ReadOnly);
    EXPECT_THROW(Bitmap.Save(&ReadOnly, "image/png"), EWriteError);

    // A metafile replays exactly as the same drawing made directly.
    auto Draw = [](TGPGraphics& G) {
        G.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        G.FillEllipse(TGPSolidBrush(Blue), 5, 5, 20, 12);
        G.DrawLine(TGPPen(Red, 3), 0, 30, 40, 0);
    };
    TGPMetafile Metafile(40, 40);
    {
        TGPGraphics G(&Metafile);
        Draw(G);
    }
    TCanvas Direct, Replayed;
    Draw(*Direct.Graphics);
    Replayed.Graphics->DrawImage(Metafile, 0, 0);
    Direct.Graphics.reset();
    Replayed.Graphics.reset();
    EXPECT_EQ(Replayed.Bitmap.Image(), Direct.Bitmap.Image());
    const QByteArray Svg = Metafile.ToSvg("chart");
    QSvgRenderer Renderer(Svg);
    EXPECT_TRUE(Renderer.isValid());
    EXPECT_EQ(Renderer.viewBoxF(), QRectF(0, 0, 40, 40));
    EXPECT_TRUE(Svg.contains("<title>chart</title>"));

    // A printer page is a surface as well.
    TPrinter Printer;
    Printer.SetOutputFileName(Dir.filePath("page.pdf"));
    Printer.BeginDoc();
    {
        TGPGraphics G(Printer.Canvas());
        EXPECT_GT(G.GetDpiY(), 96);
        Draw(G);
    }
    Printer.EndDoc();
    EXPECT_GT(QFileInfo(Dir.filePath("page.pdf")).size(), 500);
}
