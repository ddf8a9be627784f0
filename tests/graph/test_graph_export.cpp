// Images of a chart: pixels equal to the painted chart (a graph and a pie chart), every raster
// format read back, a scaled export drawn at its resolution, the stacked group of coupled
// graphs, SVG and PDF with their text, the failures, which leave no file behind, a printed page,
// the clipboard, and screens of more than one device pixel per pixel.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <framework/qvclipbrd.h>
#include <framework/qvexceptions.h>
#include <framework/qvprinters.h>
#include <pie/qvpiechart.h>

#include <QBuffer>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr QRgb Blue = 0xFF0000FF;

// A 300 × 200 chart titled "Export" with a blue line of one pixel along y = 50, unsmoothed.
struct TExportChart : TChart {
    TExportChart() {
        Graph->SetBounds(0, 0, 300, 200);
        Graph->SetCaption(QStringLiteral("Export"));
        Graph->SetCaptionVisible(true);
        Graph->SetSmoothingMode(TQvSmoothingMode::None);
        FixAxes(0, 100);
        TQvPointSeries* Line = NewSeries(NewVector("", {0, 50, 100}), NewVector("", {50, 50, 50}));
        Line->GetPointSymbol()->SetVisible(false);
        Line->GetLine()->SetColor(Blue);
        Line->GetLine()->SetWidth(1);
    }
    QImage Exported(TQvImageFileFormat Format, double Scale = 1) {
        return QImage::fromData(Written([&](QIODevice* Stream) {
            Graph->SaveImage(Stream, Format, false, 0xFFFFFFFF, Scale);
        }));
    }
    // The rows of the line's colour in the column at x = 50.
    static int LineRows(const QImage& Image, int Column) {
        int Rows = 0;
        for (int y = 0; y < Image.height(); ++y)
            Rows += Image.pixel(Column, y) == Blue;
        return Rows;
    }
};

} // namespace

TEST(GraphExport, PixelsFormatsAndScale) {
    TExportChart Chart;
    const QImage Painted =
        Chart.Render(QImage::Format_ARGB32_Premultiplied).convertToFormat(QImage::Format_ARGB32);
    const QImage Png =
        Chart.Exported(TQvImageFileFormat::PNG).convertToFormat(QImage::Format_ARGB32);
    EXPECT_TRUE(Png == Painted);
    // Every raster format reads back at the chart's size.
    for (TQvImageFileFormat Format : {TQvImageFileFormat::BMP, TQvImageFileFormat::JPEG,
                                      TQvImageFileFormat::GIF, TQvImageFileFormat::TIFF}) {
        const QImage Image = Chart.Exported(Format);
        EXPECT_EQ(Image.size(), QSize(300, 200)) << int(Format);
    }
    // Twice the pixels, and the line drawn two pixels thick rather than a bitmap enlarged.
    const int Column = int(Chart.X->NumberToWorld(50));
    const QImage Double =
        Chart.Exported(TQvImageFileFormat::PNG, 2).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(Double.size(), QSize(600, 400));
    EXPECT_EQ(TExportChart::LineRows(Png, Column), 1);
    EXPECT_EQ(TExportChart::LineRows(Double, 2 * Column), 2);
    EXPECT_FALSE(Double == Png.scaled(600, 400));
    // Pie charts export alike.
    auto* Pie = new TQvPieChart(Chart.Owner.get());
    Pie->SetBounds(0, 0, 240, 160);
    auto* Shares = Chart.NewVector("", {3, 2, 1});
    Pie->SetValues(Shares);
    QImage PiePainted(240, 160, QImage::Format_ARGB32_Premultiplied);
    PiePainted.fill(Qt::transparent);
    {
        TGPGraphics Graphics(&PiePainted);
        Pie->PaintGr(&Graphics);
    }
    const QByteArray PiePng =
        Written([&](QIODevice* Stream) { Pie->SaveImage(Stream, TQvImageFileFormat::PNG); });
    EXPECT_TRUE(QImage::fromData(PiePng).convertToFormat(QImage::Format_ARGB32) ==
                PiePainted.convertToFormat(QImage::Format_ARGB32));
    // The platform bitmap with a transparent colour, and the recorded vectors.
    Chart.Graph->SetBackColor(0xFFFFFFFF);
    const QImage Keyed = Chart.Graph->AsTBitmap(0xFFFFFFFF);
    EXPECT_EQ(Keyed.pixel(1, 1), 0u);
    EXPECT_EQ(Keyed.pixel(Column, Chart.Y->NumberToWorld(50)), Blue);
    const std::unique_ptr<TGPMetafile> Vectors = Chart.Graph->AsTMetafile();
    EXPECT_EQ(QSize(Vectors->GetWidth(), Vectors->GetHeight()), QSize(300, 200));
    EXPECT_TRUE(Vectors->ToSvg().contains(">Export</text>"));
    // Without transparency the background is the exchange colour.
    Chart.Graph->SetBackColor(0x00FFFFFF);
    const QByteArray Opaque = Written([&](QIODevice* Stream) {
        Chart.Graph->SaveImage(Stream, TQvImageFileFormat::PNG, true, 0x0000FF00);
    });
    EXPECT_EQ(QImage::fromData(Opaque).pixel(1, 1), 0xFF00FF00u);
    EXPECT_EQ(Chart.Exported(TQvImageFileFormat::PNG).pixel(1, 1) >> 24, 0u);
}

TEST(GraphExport, CoupledGraphsStackAboveTheRoot) {
    TExportChart Chart;
    Chart.Graph->SetBackColor(0xFFFF0000);
    TQvAxis* Y;
    TQvGraph2D* Upper = Chart.NewCoupledGraph(&Y);
    Upper->SetBounds(0, 0, 300, 120);
    Upper->SetBackColor(0xFF00FF00);
    Chart.NewSeries(Chart.NewVector("", {0, 100}), Chart.NewVector("", {1, 2}), Chart.X, Y);
    Chart.Render();
    EXPECT_EQ(Chart.Graph->ImgageGraphHeight(), 320);
    EXPECT_EQ(Upper->ImgageGraphHeight(), 320);
    const QImage Image = Chart.Exported(TQvImageFileFormat::PNG);
    EXPECT_EQ(Image.size(), QSize(300, 320));
    EXPECT_EQ(Image.pixel(2, 2), 0xFF00FF00u);
    EXPECT_EQ(Image.pixel(2, 317), 0xFFFF0000u);
}

TEST(GraphExport, SvgAndFailures) {
    TExportChart Chart;
    const QByteArray Svg = Written(
        [&](QIODevice* Stream) { Chart.Graph->SaveImage(Stream, TQvImageFileFormat::EMF); });
    EXPECT_TRUE(Svg.contains(">Export</text>"));

    QTemporaryDir Dir;
    // The PDF page keeps the title and the tick labels as text.
    const QString Pdf = Dir.filePath("chart.pdf");
    Chart.Graph->SaveImage(Pdf);
    QProcess Text;
    Text.start("pdftotext", {"-layout", Pdf, "-"});
    ASSERT_TRUE(Text.waitForFinished());
    const QString Extracted = QString::fromUtf8(Text.readAllStandardOutput());
    EXPECT_TRUE(Extracted.contains("Export")) << qPrintable(Extracted);
    EXPECT_TRUE(Extracted.contains("100")) << qPrintable(Extracted);
    QFile::remove(Pdf);
    const QString Good = Dir.filePath("chart.svg");
    Chart.Graph->SaveImage(Good);
    EXPECT_TRUE(QFileInfo(Good).size() > 0);
    const QString Unknown = Dir.filePath("chart.xyz");
    EXPECT_EQ(
        MessageOf<EConvertError>([&] { Chart.Graph->SaveImage(Unknown); }),
        QStringLiteral("Cannot tell the image format of \"%1\" from its extension").arg(Unknown));
    const QString Nowhere = Dir.filePath("missing/chart.png");
    EXPECT_TRUE(
        MessageOf<EFCreateError>([&] { Chart.Graph->SaveImage(Nowhere); }).contains(Nowhere));
    // No encoder: nothing written, no file left.
    const QString Exif = Dir.filePath("chart.exif");
    EXPECT_EQ(
        MessageOf<EConvertError>([&] { Chart.Graph->SaveImage(Exif, TQvImageFileFormat::EXIF); }),
        "Image format \"EXIF\" is not supported");
    EXPECT_FALSE(QFileInfo::exists(Exif));
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{"chart.svg"});
}

TEST(GraphExport, PrintingTheClipboardAndHighDensityScreens) {
    // A wider target centres the chart; a narrower one gets its whole width from the top.
    EXPECT_EQ(TQvGraph2D::PrintRect(QRect(100, 50, 600, 200), QSizeF(300, 200)),
              QRectF(250, 50, 300, 200));
    EXPECT_EQ(TQvGraph2D::PrintRect(QRect(10, 20, 150, 400), QSizeF(300, 200)),
              QRectF(10, 20, 150, 100));

    TExportChart Chart;
    QTemporaryDir Dir;
    TPrinter Printer;
    Chart.Graph->PrintTo(&Printer, QRect(0, 0, 100, 100)); // no job: nothing happens
    Printer.SetOutputFileName(Dir.filePath("printed.pdf"));
    Printer.BeginDoc();
    Chart.Graph->PrintTo(&Printer, QRect(0, 0, Printer.PageWidth(), Printer.PageHeight()));
    Printer.EndDoc();
    QProcess Text;
    Text.start("pdftotext", {Dir.filePath("printed.pdf"), "-"});
    ASSERT_TRUE(Text.waitForFinished());
    const QString Printed = QString::fromUtf8(Text.readAllStandardOutput());
    EXPECT_TRUE(Printed.contains("Export") && Printed.contains("100")) << qPrintable(Printed);

    Clipboard()->Clear();
    Chart.Graph->CopyToClipboard();
    EXPECT_TRUE(Clipboard()->HasPicture());
    EXPECT_TRUE(Clipboard()->GetPicture().contains(">Export</text>"));
    EXPECT_EQ(Clipboard()->GetImage().size(), QSize(300, 200));

    // On a screen of two device pixels per pixel the line is drawn two pixels thick.
    QImage Dense(600, 400, QImage::Format_ARGB32);
    Dense.setDevicePixelRatio(2);
    Dense.fill(Qt::transparent);
    QPainter Painter(&Dense);
    Chart.Graph->PaintTo(Painter, 0, 0);
    Painter.end();
    EXPECT_EQ(TExportChart::LineRows(Dense, 2 * int(Chart.X->NumberToWorld(50))), 2);
}
