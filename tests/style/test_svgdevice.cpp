// The SVG device: its documents rendered by librsvg (which, unlike QSvgRenderer, draws clip
// paths and patterns) against the same painting on a QImage.

#include "../qvtest.h"

#include <style/qvsvgdevice.h>

#include <gtest/gtest.h>

#include <QBitmap>
#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <array>
#include <functional>

namespace {

using TPaint = std::function<void(QPainter&)>;

QString Rsvg() {
    return QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
}

#define REQUIRE_RSVG()                                                                             \
    if (Rsvg().isEmpty()) GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed"

QImage RenderSvg(const QByteArray& Svg) {
    QTemporaryDir Dir;
    QFile In(Dir.filePath("in.svg"));
    if (!In.open(QIODevice::WriteOnly) || In.write(Svg) != Svg.size()) return {};
    In.close();
    QProcess Process;
    Process.start(Rsvg(), {"-f", "png", "-o", Dir.filePath("out.png"), In.fileName()});
    if (!Process.waitForFinished(30000) || Process.exitCode() != 0) return {};
    const QImage Png(Dir.filePath("out.png"));
    QImage Result(Png.size(), QImage::Format_ARGB32);
    Result.fill(Qt::white);
    QPainter(&Result).drawImage(0, 0, Png);
    return Result;
}

struct TRendered {
    QByteArray Svg;
    QImage Vector; // the document as librsvg draws it
    QImage Raster; // the same painting by Qt
};

TRendered Render(const QSize& Size, const TPaint& Paint, bool Antialias = true) {
    const auto Run = [&](QPaintDevice* Device) {
        QPainter Painter(Device);
        Painter.setRenderHint(QPainter::Antialiasing, Antialias);
        Painter.fillRect(QRect(QPoint(0, 0), Size), Qt::white);
        Paint(Painter);
    };
    TRendered Result;
    TQvSvgDevice Device(Size);
    Run(&Device);
    Result.Svg = Device.Svg();
    Result.Raster = QImage(Size, QImage::Format_ARGB32);
    Run(&Result.Raster);
    Result.Vector = RenderSvg(Result.Svg);
    return Result;
}

// The share of pixels in Area (by default all) that differ by more than antialiasing and
// rounding explain.
double Mismatch(const TRendered& R, int Tolerance = 48, QRect Area = QRect()) {
    if (R.Vector.size() != R.Raster.size()) return 1;
    Area = Area.isNull() ? R.Raster.rect() : Area & R.Raster.rect();
    int Count = 0;
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x)
            Count += ChannelDistance(R.Vector.pixel(x, y), R.Raster.pixel(x, y)) > Tolerance;
    return double(Count) / (Area.width() * Area.height());
}

bool Near(QRgb Actual, QColor Expected, int Tolerance = 40) {
    return ChannelDistance(Actual, Expected.rgb()) <= Tolerance;
}

// The bounding box of the pixels that are not white.
QRect Ink(const QImage& Image) {
    QRect Box;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            if (ChannelDistance(Image.pixel(x, y), qRgb(255, 255, 255)) > 96)
                Box |= QRect(x, y, 1, 1);
    return Box;
}

// The attributes of the first element named Name.
QXmlStreamAttributes FirstElement(const QByteArray& Svg, const QString& Name,
                                  QString* Text = nullptr) {
    QXmlStreamReader Reader(Svg);
    while (!Reader.atEnd()) {
        if (Reader.readNext() != QXmlStreamReader::StartElement || Reader.name() != Name) continue;
        QXmlStreamAttributes Attributes = Reader.attributes();
        if (Text) *Text = Reader.readElementText();
        return Attributes;
    }
    return {};
}

} // namespace

TEST(SvgDevice, DocumentIsWellFormedCompactAndRobust) {
    TQvSvgDevice Device(QSize(120, 80), QStringLiteral("Q & A <\"chart\">"));
    QPainter Painter(&Device);
    QLinearGradient Gradient(0, 0, 100, 0);
    Gradient.setColorAt(0, Qt::red);
    Gradient.setColorAt(1, Qt::blue);
    Painter.fillRect(QRectF(10, 10, 40.5, 20.25), Gradient);
    Painter.fillRect(QRectF(60, 10, 12.34567, 20), Gradient); // the same gradient again
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    const QPointF Polygon[] = {
        {1, 1}, {NaN, 5}, {30, 40}, {5, std::numeric_limits<double>::infinity()}};
    Painter.drawPolyline(Polygon, 4);
    Painter.drawPath(QPainterPath());
    Painter.drawText(QPointF(5, 70), QStringLiteral("a<b & \"c\"\x01"));
    Painter.end();
    const QByteArray Before = Device.Svg();
    Device.paintEngine()->drawPath(QPainterPath(QPointF(1, 1))); // after end: ignored
    Device.paintEngine()->drawRects(std::array{QRectF(0, 0, 5, 5)}.data(), 1);
    const QByteArray Svg = Device.Svg();
    EXPECT_EQ(Svg, Before);

    EXPECT_TRUE(IsWellFormed(Svg));
    EXPECT_TRUE(QSvgRenderer(Svg).isValid());
    EXPECT_TRUE(
        Svg.contains("version=\"1.1\" width=\"120px\" height=\"80px\" viewBox=\"0 0 120 80\">"));
    QString Title, Text;
    FirstElement(Svg, "title", &Title);
    EXPECT_EQ(Title, QStringLiteral("Q & A <\"chart\">"));
    FirstElement(Svg, "text", &Text);
    EXPECT_EQ(Text, QStringLiteral("a<b & \"c\""));
    EXPECT_EQ(Svg.count("<linearGradient"), 1);
    EXPECT_TRUE(Svg.contains("M10 10L50.5 10L50.5 30.25L10 30.25Z")) << Svg.left(2000).data();
    EXPECT_TRUE(Svg.contains("L72.346 10"));       // three decimals at most
    EXPECT_TRUE(Svg.contains("d=\"M1 1L30 40\"")); // points that are not finite are dropped
    EXPECT_FALSE(Svg.contains("nan"));
    EXPECT_FALSE(Svg.contains("inf"));

    // A long polyline streams into one compact path.
    TQvSvgDevice Large(QSize(100, 100));
    Painter.begin(&Large);
    QPolygonF Long;
    for (int i = 0; i < 200000; ++i)
        Long << QPointF(i * 0.0005, 50 + 40 * std::sin(i * 0.001));
    Painter.drawPolyline(Long);
    Painter.end();
    const QByteArray Huge = Large.Svg();
    EXPECT_GT(Huge.size(), 2000000);
    EXPECT_LT(Huge.size(), 5000000);
    EXPECT_TRUE(IsWellFormed(Huge));
}

TEST(SvgDevice, ClipsStayInDeviceSpaceAndCombine) {
    REQUIRE_RSVG();
    const QSize Size(100, 80);
    const QRect All(-1000, -1000, 3000, 3000);
    struct TCase {
        const char* Name;
        QPoint Inside, Outside;
        TPaint Paint;
    };
    const TCase Cases[] = {
        {"intersection",
         {40, 20},
         {20, 20},
         [&](QPainter& P) {
             P.setClipRect(QRect(10, 10, 40, 40));
             P.setClipRect(QRectF(30, 0, 40, 30), Qt::IntersectClip);
             P.fillRect(All, Qt::red);
         }},
        {"transform changed after the clip",
         {45, 40},
         {55, 20},
         [&](QPainter& P) {
             P.translate(10, 5);
             P.scale(2, 1.5);
             P.setClipRect(QRectF(5, 5, 15, 20)); // device 20,12.5 .. 50,42.5
             P.resetTransform();
             P.rotate(30);
             P.fillRect(All, Qt::red);
         }},
        {"ellipse path",
         {55, 45},
         {55, 15},
         [&](QPainter& P) {
             P.translate(40, 30);
             P.rotate(45);
             QPainterPath Ellipse;
             Ellipse.addEllipse(QPointF(0, 0), 35, 10);
             P.setClipPath(Ellipse);
             P.resetTransform();
             P.fillRect(All, Qt::red);
         }},
        {"disabled and enabled again",
         {20, 30},
         {60, 30},
         [&](QPainter& P) {
             P.setClipRect(QRect(0, 0, 40, 60));
             P.setClipping(false);
             P.fillRect(QRect(0, 50, 80, 10), Qt::blue);
             P.setClipping(true);
             P.fillRect(All, Qt::red);
             P.setClipRect(QRect(), Qt::NoClip);
             P.fillRect(QRect(0, 0, 80, 5), Qt::blue);
         }},
        {"region and restore",
         {60, 40},
         {40, 20},
         [&](QPainter& P) {
             P.setClipRegion(QRegion(0, 0, 30, 30) + QRegion(50, 30, 30, 30));
             P.save();
             P.setClipRect(QRect(0, 0, 10, 10), Qt::IntersectClip);
             P.fillRect(All, Qt::blue);
             P.restore();
             P.setOpacity(0.5);
             P.fillRect(All, Qt::red);
         }},
        {"a replayed picture",
         {50, 40},
         {70, 40},
         [&](QPainter& P) {
             QPicture Picture;
             QPainter Recorder(&Picture);
             Recorder.translate(5, 5);
             Recorder.setClipRect(QRect(0, 0, 50, 40));
             Recorder.fillRect(QRect(-20, -20, 200, 200), QColor(200, 200, 255));
             QPainterPath Ellipse;
             Ellipse.addEllipse(QRectF(20, 10, 50, 40));
             Recorder.setClipPath(Ellipse, Qt::IntersectClip);
             Recorder.scale(2, 2);
             Recorder.fillRect(QRect(-20, -20, 200, 200), Qt::red);
             Recorder.save();
             Recorder.setClipping(false);
             Recorder.fillRect(QRect(30, 0, 5, 40), Qt::darkGreen);
             Recorder.restore();
             Recorder.fillRect(QRect(0, 18, 100, 4), Qt::black);
             Recorder.end();
             P.drawPicture(QPointF(10, 10), Picture);
         }},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        const TRendered R = Render(Size, Case.Paint);
        EXPECT_LT(Mismatch(R), 0.006); // 48 pixels, as before on 80 x 60
        EXPECT_TRUE(Near(R.Vector.pixel(Case.Inside), R.Raster.pixel(Case.Inside), 4));
        EXPECT_TRUE(Near(R.Vector.pixel(Case.Outside), Qt::white));
    }
}

TEST(SvgDevice, TextureBrushesArePatterns) {
    REQUIRE_RSVG();
    QImage Hatch(8, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            Hatch.setPixel(x, y, (x + y) % 4 == 0 ? qRgb(0, 0, 160) : qRgb(255, 255, 200));
    // Fixed to device pixels under a translated and scaled world.
    const TRendered Fixed = Render(QSize(60, 50), [&](QPainter& P) {
        P.translate(3, 5);
        P.scale(1.5, 1.25);
        QBrush Brush(Hatch);
        Brush.setTransform(P.worldTransform().inverted());
        P.fillRect(QRectF(4, 4, 30, 15), Brush);
        P.fillRect(QRectF(4, 19, 30, 15), Brush);
    });
    EXPECT_EQ(Fixed.Svg.count("<pattern"), 1);
    EXPECT_FALSE(Fixed.Svg.contains("<image"));
    EXPECT_LT(Mismatch(Fixed, 8), 0.02);
    for (int x = 12; x < 40; ++x)
        EXPECT_EQ(Fixed.Vector.pixel(x, 20), Hatch.pixel(x % 8, 20 % 8)) << x;

    // The brush origin, a bitmap drawn in the brush colour, Qt's own patterns, a texture too
    // large for rectangles and a tiled pixmap.
    QImage Large(40, 30, QImage::Format_ARGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            Large.setPixel(x, y, qRgb(x * 6, y * 8, 128));
    const TRendered Others = Render(QSize(120, 90), [&](QPainter& P) {
        P.setBrushOrigin(3, 2);
        P.fillRect(QRect(0, 0, 40, 30), QBrush(Hatch));
        P.setBrushOrigin(0, 0);
        QBrush Masked(Qt::darkGreen);
        Masked.setTexture(QBitmap::fromImage(Hatch.createMaskFromColor(qRgb(0, 0, 160))));
        P.fillRect(QRect(40, 0, 40, 30), Masked);
        P.fillRect(QRect(80, 0, 40, 30), QBrush(Qt::red, Qt::DiagCrossPattern));
        P.fillRect(QRect(0, 30, 120, 30), QBrush(Large));
        P.drawTiledPixmap(QRect(0, 60, 120, 30), QPixmap::fromImage(Large), QPoint(5, 7));
    });
    EXPECT_TRUE(Others.Svg.contains("data:image/png;base64,"));
    EXPECT_LT(Mismatch(Others, 16), 0.02);
}

TEST(SvgDevice, GradientsKeepBrushTransforms) {
    REQUIRE_RSVG();
    // A unit circle stretched to an ellipse around (60, 40) with an off-centre focal point.
    QRadialGradient Radial(QPointF(0, 0), 1, QPointF(0.5, 0.3));
    Radial.setColorAt(0, Qt::red);
    Radial.setColorAt(1, Qt::blue);
    QBrush Elliptic(Radial);
    Elliptic.setTransform(QTransform::fromScale(40, 20) * QTransform::fromTranslate(60, 40));
    QLinearGradient Linear(0, 0, 20, 0);
    Linear.setColorAt(0, Qt::yellow);
    Linear.setColorAt(1, Qt::darkCyan);
    Linear.setSpread(QGradient::ReflectSpread);
    QBrush Sheared(Linear);
    Sheared.setTransform(QTransform().shear(0.8, 0));
    // QPainter converts object bounding gradients and rasterises conical ones for the device.
    QLinearGradient Box(0, 0, 1, 1);
    Box.setCoordinateMode(QGradient::ObjectBoundingMode);
    Box.setColorAt(0, Qt::white);
    Box.setColorAt(1, Qt::darkMagenta);
    QConicalGradient Cone(QPointF(90, 140), 30);
    Cone.setColorAt(0, Qt::green);
    Cone.setColorAt(1, Qt::black);
    const TRendered R = Render(QSize(120, 160), [&](QPainter& P) {
        P.setPen(Qt::NoPen);
        P.setBrush(Elliptic);
        P.drawEllipse(QPointF(60, 40), 40, 20);
        P.translate(0, 70);
        P.fillRect(QRect(0, 0, 120, 50), Sheared);
        P.resetTransform();
        P.fillRect(QRect(0, 120, 60, 40), Box);
        P.setClipRect(QRect(60, 130, 50, 30));
        P.fillRect(QRect(60, 120, 60, 40), Cone);
    });
    EXPECT_TRUE(R.Svg.contains("gradientTransform=\"matrix(40 0 0 20 60 40)\""));
    EXPECT_LT(Mismatch(R, 24), 0.02);
    EXPECT_TRUE(Near(R.Vector.pixel(80, 46), Qt::red)); // the focal point
    EXPECT_TRUE(Near(R.Vector.pixel(60, 40), R.Raster.pixel(60, 40), 16));
    EXPECT_TRUE(Near(R.Vector.pixel(98, 40), Qt::blue, 60)); // near the rim
    EXPECT_TRUE(Near(R.Vector.pixel(22, 40), Qt::blue, 60));
    EXPECT_TRUE(Near(R.Vector.pixel(60, 90), R.Raster.pixel(60, 90), 16));
    EXPECT_TRUE(Near(R.Vector.pixel(115, 125), Qt::white));
}

TEST(SvgDevice, PensMatchQt) {
    REQUIRE_RSVG();
    for (const bool Antialias : {true, false}) {
        SCOPED_TRACE(Antialias ? "antialiased" : "aliased");
        const TRendered R = Render(
            QSize(100, 80),
            [&](QPainter& P) {
                P.setPen(QPen(Qt::black, 1, Qt::DotLine));
                P.drawLine(2, 5, 95, 5);
                P.setPen(QPen(Qt::blue, 0, Qt::DashLine));
                P.drawRect(QRect(2, 10, 40, 10));
                QPen Wide(Qt::darkGreen, 4, Qt::DashDotLine, Qt::RoundCap, Qt::RoundJoin);
                Wide.setDashOffset(1.5);
                P.setPen(Wide);
                P.drawLine(50, 15, 95, 15);
                P.save();
                P.scale(3, 2);
                P.setPen(QPen(Qt::red, 0)); // one device pixel under any scale
                P.drawLine(1, 14, 30, 14);
                P.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
                P.drawPolyline(QPolygonF({{2, 18}, {15, 24}, {28, 18}}));
                P.restore();
                QLinearGradient Gradient(0, 0, 100, 0);
                Gradient.setColorAt(0, Qt::red);
                Gradient.setColorAt(1, Qt::blue);
                P.setPen(QPen(QBrush(Gradient), 5));
                P.drawLine(5, 70, 95, 70);
            },
            Antialias);
        // Aliased wide lines fall on whole pixels in Qt only.
        EXPECT_LT(Mismatch(R), Antialias ? 0.015 : 0.05);
        EXPECT_TRUE(R.Svg.contains("stroke-dasharray=\"1,2\""));
        EXPECT_TRUE(R.Svg.contains("vector-effect=\"non-scaling-stroke\""));
        EXPECT_TRUE(R.Svg.contains("stroke-linejoin=\"round\""));
        EXPECT_TRUE(R.Svg.contains("stroke=\"url(#"));
        // The scaled hairline is one pixel high: rows 27 and 28 share it when antialiased.
        const int Row = Antialias ? 27 : 28;
        EXPECT_TRUE(Near(R.Vector.pixel(50, Row), R.Raster.pixel(50, Row), 60));
        EXPECT_TRUE(Near(R.Vector.pixel(50, 26), Qt::white));
        EXPECT_TRUE(Near(R.Vector.pixel(50, 30), Qt::white));
    }
}

TEST(SvgDevice, TextIsText) {
    REQUIRE_RSVG();
    QFont Font(QStringLiteral("Liberation Sans"));
    Font.setPixelSize(20);
    Font.setBold(true);
    Font.setItalic(true);
    Font.setUnderline(true);
    Font.setStrikeOut(true);
    const QPointF Origin(10, 40);
    const TRendered R = Render(QSize(160, 60), [&](QPainter& P) {
        P.translate(5, 0);
        P.setFont(Font);
        P.setPen(QColor(0, 0, 200, 128));
        P.drawText(Origin, QStringLiteral("Wave <&>"));
    });
    QString Text;
    const QXmlStreamAttributes A = FirstElement(R.Svg, "text", &Text);
    EXPECT_EQ(Text, QStringLiteral("Wave <&>"));
    EXPECT_EQ(A.value("x"), QStringLiteral("10"));
    EXPECT_EQ(A.value("y"), QStringLiteral("40"));
    EXPECT_EQ(A.value("transform"), QStringLiteral("matrix(1 0 0 1 5 0)"));
    EXPECT_TRUE(A.value("font-family").contains(QStringLiteral("Liberation Sans")));
    EXPECT_EQ(A.value("font-size"), QStringLiteral("20"));
    EXPECT_EQ(A.value("font-weight"), QStringLiteral("bold"));
    EXPECT_EQ(A.value("font-style"), QStringLiteral("italic"));
    EXPECT_EQ(A.value("text-decoration"), QStringLiteral("underline line-through"));
    EXPECT_EQ(A.value("fill"), QStringLiteral("#0000c8"));
    EXPECT_EQ(A.value("fill-opacity"), QStringLiteral("0.502"));
    EXPECT_EQ(A.value("xml:space"), QStringLiteral("preserve"));
    // QPainter's own decoration lines would draw the decorations twice.
    EXPECT_EQ(R.Svg.count("<path"), 1);
    const QRect Expected = Ink(R.Raster), Actual = Ink(R.Vector);
    EXPECT_FALSE(Expected.isEmpty());
    // Each edge within three pixels.
    EXPECT_TRUE(Actual.adjusted(-3, -3, 3, 3).contains(Expected));
    EXPECT_TRUE(Expected.adjusted(-3, -3, 3, 3).contains(Actual));

    // A point size is in points at 96 dots per inch.
    TQvSvgDevice Device(QSize(50, 50));
    QPainter Painter(&Device);
    Painter.setFont(QFont(QStringLiteral("Liberation Serif"), 12));
    Painter.drawText(QPointF(0, 20), QStringLiteral("x"));
    Painter.end();
    EXPECT_EQ(FirstElement(Device.Svg(), "text").value("font-size"), QStringLiteral("16"));
}

TEST(SvgDevice, ImagesArePlacedAndCropped) {
    REQUIRE_RSVG();
    QImage Quads(4, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            Quads.setPixel(x, y,
                           x < 2 ? (y < 2 ? qRgb(255, 0, 0) : qRgb(0, 160, 0))
                                 : (y < 2 ? qRgb(0, 0, 255) : qRgb(230, 200, 0)));
    QImage Photo(30, 20, QImage::Format_ARGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            Photo.setPixel(x, y, qRgba(x * 8, y * 12, (x * y) % 256, 128 + x * 4));
    QBitmap Mask(8, 8);
    Mask.fill(Qt::color0);
    QPainter(&Mask).fillRect(2, 2, 4, 4, Qt::color1);
    const TRendered R = Render(QSize(100, 60), [&](QPainter& P) {
        P.drawImage(QRectF(5, 5, 40, 40), Quads, QRectF(2, 0, 2, 4)); // the right half only
        P.translate(50, 0);
        P.drawImage(QPointF(0, 0), Photo); // unscaled, to compare pixels
        P.translate(0, 25);
        P.rotate(10);
        P.drawImage(QRectF(0, 0, 20, 20), Quads);
        P.resetTransform();
        P.setOpacity(0.5);
        P.setPen(Qt::magenta);
        P.drawPixmap(QPoint(85, 45), Mask);
    });
    EXPECT_EQ(R.Svg.count("<image"), 4);
    EXPECT_LT(Mismatch(R, 16, QRect(50, 0, 30, 20)), 0.01);
    EXPECT_LT(Mismatch(R, 16, QRect(85, 45, 8, 8)), 0.01);
    // librsvg smooths scaled images whatever image-rendering says: probe away from edges.
    EXPECT_TRUE(Near(R.Vector.pixel(15, 15), Qt::blue));
    EXPECT_TRUE(Near(R.Vector.pixel(35, 35), QColor(230, 200, 0)));
    EXPECT_TRUE(Near(R.Vector.pixel(3, 25), Qt::white));
    EXPECT_TRUE(Near(R.Vector.pixel(47, 25), Qt::white));
    EXPECT_TRUE(Near(R.Vector.pixel(52, 28), R.Raster.pixel(52, 28), 24));
    EXPECT_TRUE(Near(R.Vector.pixel(60, 40), R.Raster.pixel(60, 40), 24));
}
