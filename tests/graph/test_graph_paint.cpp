// Pixels of whole charts: the data area where the layout puts it, a series clipped at a zoomed
// axis, symbols above the axes and legends above all, a transparent background, a back wall for
// series in depth, coupled graphs, partial paints, and the default series colours.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <framework/qvcontrols.h>

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr QRgb White = 0xFFFFFFFF, Red = 0xFFFF0000, Blue = 0xFF0000FF, Green = 0xFF00FF00;

// A chart with fixed axes 0 .. 100 and a series along y = 50 across the whole range.
struct TPaintedChart : TChart {
    TPaintedChart() {
        Graph->SetBounds(0, 0, 500, 300);
        Graph->SetBackColor(White);
        Graph->SetDataAreaColor(0xFFEEEEEE);
        FixAxes(0, 100);
        Series =
            NewSeries(NewVector("", {0, 25, 50, 75, 100}), NewVector("", {50, 50, 50, 50, 50}));
        Series->GetPointSymbol()->SetVisible(false);
        Series->GetLine()->SetColor(Blue);
        Series->GetLine()->SetWidth(3);
    }

    int Row() const { return int(std::round(Y->NumberToWorld(50))); }

    TQvPointSeries* Series;
};

TEST(GraphPaint, DataAreaWhereTheLayoutPutsItAndSeriesClippedToIt) {
    TPaintedChart Chart;
    const QImage Image = Chart.Render();
    const TGPRectF Area = Chart.Graph->GetDrawingArea();
    ASSERT_GT(Area.X, 20);
    ASSERT_LT(Area.Y + Area.Height, 290);
    // The data area colour fills the area and stops at its edges.
    EXPECT_EQ(Image.pixel(int(Area.X) + 5, int(Area.Y) + 5), 0xFFEEEEEEu);
    EXPECT_EQ(Image.pixel(int(Area.X + Area.Width) - 5, int(Area.Y + Area.Height) - 5),
              0xFFEEEEEEu);
    EXPECT_EQ(Image.pixel(int(Area.X + Area.Width) + 4, int(Area.Y) + 5), White);
    EXPECT_EQ(Image.pixel(int(Area.X) + 5, 2), White);
    // The line along y = 50 from edge to edge of the data area.
    for (double x : {5.0, 50.0, 95.0})
        EXPECT_EQ(Image.pixel(int(Chart.X->NumberToWorld(x)), Chart.Row()), Blue) << x;
    EXPECT_EQ(Image.pixel(int(Chart.X->NumberToWorld(50)), Chart.Row() + 8), 0xFFEEEEEEu);
    // The black X axis line along the bottom of the data area (the grid lines on their ticks show
    // in the test of the back wall).
    const int LineY = Chart.X->GetTop() + int(Chart.X->GetAxTop());
    EXPECT_EQ(Image.pixel(int(Area.X + Area.Width / 3), LineY), 0xFF000000u);

    // Zoomed in, the line would go on to x = 100 right of the data area: nothing is drawn there.
    Chart.X->ZoomIn(20, 40);
    const QImage Zoomed = Chart.Render();
    const TGPRectF Inner = Chart.Graph->GetDrawingArea();
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), 20);
    EXPECT_EQ(Zoomed.pixel(int(Inner.X + Inner.Width / 2), Chart.Row()), Blue);
    for (int x = int(Inner.X + Inner.Width) + 3; x < Chart.Graph->GetWidth(); x += 7)
        EXPECT_NE(Zoomed.pixel(x, Chart.Row()), Blue) << x;
    EXPECT_NE(Zoomed.pixel(int(Inner.X) - 6, Chart.Row()), Blue);

    // A fixed range narrower than the data clips the same way, with no zoom at all.
    TPaintedChart Fixed;
    Fixed.X->SetStart(20);
    Fixed.X->SetStop(80);
    const QImage Narrow = Fixed.Render();
    const TGPRectF Cut = Fixed.Graph->GetDrawingArea();
    EXPECT_EQ(Narrow.pixel(int(Cut.X + Cut.Width / 2), Fixed.Row()), Blue);
    for (int x = 0; x < Fixed.Graph->GetWidth(); ++x) {
        if (x < Cut.X - 1 || x > Cut.X + Cut.Width) {
            EXPECT_NE(Narrow.pixel(x, Fixed.Row()), Blue) << x;
        }
    }

    // Only the series beyond its range is cut: the symbols of a series on its own axes, at the
    // top corners of the data area, keep their overhang beside and above it.
    TPaintedChart Two;
    Two.X->SetStop(80);
    TQvAxis* Right = Two.NewAxis(TQvAxisPosition::Right, "Right");
    TChart::Fix(Right, 0, 10);
    TQvPointSeries* Dots =
        Two.NewSeries(Two.NewVector("", {0, 80}), Two.NewVector("", {10, 10}), Two.X, Right);
    Dots->GetLine()->SetVisible(false);
    Dots->GetPointSymbol()->SetVisible(true);
    Dots->GetPointSymbol()->SetPointSymbol(TQvPointSymbol::Square);
    Dots->GetPointSymbol()->SetSize(12);
    Dots->GetPointSymbol()->SetBorderColor(Green);
    Dots->GetPointSymbol()->SetFillColor(Green);
    const QImage Corners = Two.Render();
    const TGPRectF Box = Two.Graph->GetDrawingArea();
    const int Top = int(std::round(Right->NumberToWorld(10)));
    for (double x : {0.0, 80.0}) {
        const int Column = int(std::round(Two.X->NumberToWorld(x)));
        for (int d : {-4, 4})
            EXPECT_EQ(Corners.pixel(Column + d, Top - 4), Green) << x << " " << d;
    }
    for (int x = int(Box.X + Box.Width) + 8; x < Two.Graph->GetWidth(); x += 5)
        EXPECT_NE(Corners.pixel(x, Two.Row()), Blue) << x;
}

// A legend stand-in that fills its rectangle.
class TFilledLegend : public TGraphicControl, public TQvGraphDrawn {
public:
    using TGraphicControl::TGraphicControl;
    void PaintGr(TGPGraphics* Graphics) override {
        Graphics->FillRectangle(TGPSolidBrush(Red),
                                TGPRectF{0, 0, float(GetWidth()), float(GetHeight())});
    }
};

TEST(GraphPaint, SymbolsLieAboveTheAxesAndLegendsAboveEverything) {
    TPaintedChart Chart;
    TQvPointSymbolSettings* Symbol = Chart.Series->GetPointSymbol();
    Symbol->SetVisible(true);
    Symbol->SetPointSymbol(TQvPointSymbol::Square);
    Symbol->SetSize(12);
    Symbol->SetBorderColor(Green);
    Symbol->SetFillColor(Green);
    // A legend of no size yet.
    auto* Legend = new TFilledLegend(Chart.Owner.get());
    Legend->SetParent(Chart.Graph);
    Chart.Graph->AddRelatedLegend(Legend);
    // The point at x = 0 sits on the Y axis line.
    const QImage Image = Chart.Render();
    const int AxisLineX = Chart.Y->GetLeft() + int(Chart.Y->GetWidth()) - 1;
    const int x0 = int(std::round(Chart.X->NumberToWorld(0)));
    ASSERT_LE(std::abs(AxisLineX - x0), 2);
    EXPECT_EQ(Image.pixel(x0, Chart.Row()), Green);
    EXPECT_EQ(Image.pixel(x0 - 3, Chart.Row() - 3), Green);
    // Away from the symbol the axis line is drawn.
    EXPECT_NE(Image.pixel(x0, Chart.Row() - 40), Green);

    // The legend moved over the symbol at x = 50 is drawn there, in its own coordinates.
    const int x = int(std::round(Chart.X->NumberToWorld(50))), y = Chart.Row();
    Legend->SetBounds(x - 10, y - 10, 20, 20);
    const QImage Covered = Chart.Render();
    EXPECT_EQ(Covered.pixel(x, y), Red);
    EXPECT_EQ(Covered.pixel(x - 9, y - 9), Red);
    EXPECT_NE(Covered.pixel(x - 12, y), Red);
    // A hidden legend is not drawn.
    Legend->SetVisible(false);
    EXPECT_EQ(Chart.Render().pixel(x, y), Green);
}

// A parent that paints itself red.
class TRedPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
    void Paint(QPainter& Canvas) override { Canvas.fillRect(GetClientRect(), Qt::red); }
};

TEST(GraphPaint, TransparentBackgroundStaysTransparentAndShowsTheParent) {
    TPaintedChart Chart;
    Chart.Graph->SetBackColor(0x00FFFFFF);
    Chart.Graph->SetDataAreaColor(0x00FFFFFF);
    const QImage Image = Chart.Render(QImage::Format_ARGB32_Premultiplied);
    const TGPRectF Area = Chart.Graph->GetDrawingArea();
    EXPECT_EQ(qAlpha(Image.pixel(2, 2)), 0);
    EXPECT_EQ(qAlpha(Image.pixel(int(Area.X) + 5, int(Area.Y) + 5)), 0);
    EXPECT_EQ(Image.pixel(int(Chart.X->NumberToWorld(50)), Chart.Row()), Blue);
    // Half transparent: the alpha survives in the 32-bit image.
    Chart.Graph->SetBackColor(0x80FF0000);
    EXPECT_EQ(qAlpha(Chart.Render().pixel(2, 2)), 0x80);

    // On screen the parent shows through, below the series; an opaque back colour hides it.
    Chart.Graph->SetBackColor(0x00FFFFFF);
    auto* Parent = new TRedPanel(Chart.Owner.get());
    Parent->SetBounds(0, 0, 600, 400);
    Chart.Graph->SetParent(Parent);
    Chart.Graph->SetBounds(50, 50, 500, 300);
    const QImage Shot = Parent->Widget()->grab().toImage();
    EXPECT_EQ(Shot.pixel(55, 53), Red);
    EXPECT_EQ(Shot.pixel(50 + int(Chart.X->NumberToWorld(50)), 50 + Chart.Row()), Blue);
    Chart.Graph->SetBackColor(White);
    EXPECT_EQ(Parent->Widget()->grab().toImage().pixel(55, 53), White);
}

// Counts the paint events of a widget.
struct TPaintCounter : QObject {
    explicit TPaintCounter(QWidget* Widget) { Widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* Event) override {
        Paints += Event->type() == QEvent::Paint;
        return false;
    }
    int Paints = 0;
};

TEST(GraphPaint, ChangesInOneTurnOfTheEventLoopPaintOnce) {
    TPaintedChart Chart;
    auto* Parent = new TRedPanel(Chart.Owner.get());
    Parent->SetBounds(0, 0, 600, 400);
    Chart.Graph->SetParent(Parent);
    Chart.Graph->SetBounds(50, 50, 500, 300);
    Parent->Widget()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Parent->Widget()));
    // Paints until nothing more is asked for.
    const auto Settle = [] {
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
    };
    Settle();
    auto* XData = qobject_cast<TQvDoubleVector*>(Chart.Series->GetXData());
    auto* YData = qobject_cast<TQvDoubleVector*>(Chart.Series->GetYData());
    for (const bool Bracketed : {false, true}) {
        SCOPED_TRACE(Bracketed ? "between BeginUpdate and EndUpdate" : "plain");
        TPaintCounter GraphPaints(Chart.Graph->Widget()), ParentPaints(Parent->Widget());
        if (Bracketed) Chart.Graph->BeginUpdate();
        for (int i = 0; i < 3; ++i) {
            XData->Add(100 + i);
            YData->Add(60 + i);
        }
        if (Bracketed) Chart.Graph->EndUpdate();
        Settle();
        EXPECT_EQ(GraphPaints.Paints, 1);
        EXPECT_EQ(ParentPaints.Paints, 0);
    }
}

// A series drawn in depth, as bars will be.
class TDeepSeries : public TQvLineSeries {
public:
    using TQvLineSeries::TQvLineSeries;
    std::optional<TGPPointF> DepthOffsets() const override { return TGPPointF{11, 6}; }
};

TEST(GraphPaint, SeriesInDepthStandBeforeABackWall) {
    TPaintedChart Chart;
    const TQvColor AreaColor = 0xFF8080C0;
    Chart.Graph->SetDataAreaColor(AreaColor);
    Chart.Graph->GetMajorGridVertical()->SetColor(Red);
    Chart.Graph->GetMajorGridVertical()->SetVisible(true);
    const QImage Flat = Chart.Render();
    Chart.NewSeries<TDeepSeries>(nullptr, Chart.NewVector("", {10, 20}));
    const QImage Image = Chart.Render();
    const TGPRectF A = Chart.Graph->GetDrawingArea();
    const float Dx = 10, Dy = 6, XBase = std::round(A.Y + A.Height - 1), YBase = std::round(A.X);
    const int Mid = int(A.X + A.Width / 2), Upper = int(A.Y + A.Height / 4);
    // The wall is the data area moved up and right, shaded from left to right.
    EXPECT_LE(ChannelDistance(Image.pixel(Mid, Upper), AreaColor), 12);
    EXPECT_EQ(Image.pixel(Mid, int(A.Y - Dy) + 2), Image.pixel(Mid, int(A.Y) + 2));
    EXPECT_EQ(Flat.pixel(Mid, int(A.Y - Dy) + 2), White);
    EXPECT_GT(qRed(Image.pixel(int(A.X + Dx) + 3, Upper)),
              qRed(Image.pixel(int(A.X + A.Width) + 2, Upper)));
    // The floor along the X axis and the side along the Y axis, darker.
    EXPECT_EQ(Image.pixel(Mid, int(XBase - Dy / 2)), Brighten(AreaColor, 0.85));
    EXPECT_EQ(Image.pixel(int(YBase + Dx / 2), Upper), Brighten(AreaColor, 0.75));
    // A grid line on the wall, moved by the depth, and its foot on the floor.
    for (int i = 0; i < Chart.X->TickCount(); ++i) {
        if (!Chart.X->IsMajorGridTick(i)) continue;
        const float p = std::round(Chart.X->TickPixel(i));
        if (p < A.X + 20 || p > A.X + A.Width - 20) continue;
        EXPECT_EQ(Flat.pixel(int(p), Upper), Red);
        EXPECT_EQ(Image.pixel(int(p + Dx), Upper), Red) << p;
        EXPECT_NE(Image.pixel(int(p), Upper), Red) << p;
    }
}

TEST(GraphPaint, CoupledGraphsShareTheirDataAreaEdges) {
    // The lower graph has other Y labels and a right axis: both data areas take the larger left
    // edge and the smaller right edge.
    TPaintedChart Upper;
    Upper.Y->SetStop(1);
    TQvAxis* Wide;
    TQvGraph2D* Lower = Upper.NewCoupledGraph(&Wide);
    Lower->SetBounds(0, 0, 500, 300);
    TChart::Fix(Wide, 0, 123456789);
    auto* Right = new TQvAxis(Upper.Owner.get());
    Right->SetPosition(TQvAxisPosition::Right);
    Right->SetParent(Lower);
    TQvPointSeries* Below = Upper.NewSeries(Upper.NewVector("", {0, 50, 100}),
                                            Upper.NewVector("", {0, 1e8, 5e7}), Upper.X, Wide);
    for (int i = 0; i < 2; ++i) {
        Painted(Lower);
        Upper.Render();
    }
    Painted(Lower);
    const TGPRectF A = Upper.Graph->GetDrawingArea(), B = Lower->GetDrawingArea();
    EXPECT_EQ(A.X, B.X);
    EXPECT_EQ(A.Width, B.Width);
    EXPECT_LT(A.X + A.Width, 480) << "the right axis of the lower graph narrows both";
    // The shared X axis spans the common area; the lower Y axis line borders it.
    EXPECT_FLOAT_EQ(Upper.X->GetAxLeft(), A.X);
    EXPECT_FLOAT_EQ(Upper.X->NumberToWorld(100), A.X + A.Width - 1);
    EXPECT_NEAR(float(Wide->GetLeft()) + Wide->GetAxLeft(), B.X - Wide->GetDistanceValuesAxis(), 1);
    // Series of both graphs map X through it.
    EXPECT_FLOAT_EQ(Below->ScreenPoints().Points()[2].X, A.X + A.Width - 1);
}

// The series of a coupled graph widen the shared X axis from the first paint of the graph
// that owns it on, not only after the coupled graph has painted.
TEST(GraphPaint, CoupledSeriesWidenTheSharedAxisAtOnce) {
    TChart Chart;
    Chart.Graph->SetBounds(0, 0, 400, 300);
    Chart.X->SetEndRounding(TQvAxisEndRounding::RndNothing);
    Chart.NewSeries(Chart.NewVector("", {0, 10}), Chart.NewVector("", {1, 2}));
    TQvAxis* LowerY;
    Chart.NewCoupledGraph(&LowerY)->SetBounds(0, 0, 400, 200);
    Chart.NewSeries(Chart.NewVector("", {0, 30}), Chart.NewVector("", {5, 6}), Chart.X, LowerY);
    Chart.Render();
    EXPECT_DOUBLE_EQ(Chart.X->GetStop(), 30);
    Chart.Render();
    EXPECT_DOUBLE_EQ(Chart.X->GetStop(), 30);
}

TEST(GraphPaint, PartialPaintsOfDeviceLinesAreFollowedByAFullOne) {
    TPaintedChart Chart;
    Chart.Graph->SetSmoothingMode(TQvSmoothingMode::None);
    TQvDoubleVector* Many = Chart.NewVector("", {});
    for (int i = 0; i < 200; ++i)
        Many->AddRange({double(i % 7)});
    TQvPointSeries* Long = Chart.NewSeries(nullptr, Many);
    Long->GetPointSymbol()->SetVisible(false);
    ASSERT_TRUE(Long->CanDoCanvasDraw());
    QImage Image(500, 300, QImage::Format_ARGB32_Premultiplied);
    // Invalidations asked for by a paint clipped to Clip.
    auto Paint = [&](const QRect& Clip) {
        const int Before = Chart.Graph->Invalidations;
        QPainter Painter(&Image);
        Painter.setClipRect(Clip);
        Chart.Graph->Paint(Painter);
        return Chart.Graph->Invalidations - Before;
    };
    Paint(QRect(0, 0, 500, 300));
    EXPECT_EQ(Paint(QRect(100, 0, 200, 100)), 0) << "inside the last clip";
    EXPECT_EQ(Paint(QRect(50, 0, 200, 100)), 1) << "further left";
    EXPECT_EQ(Paint(QRect(50, 0, 200, 150)), 1) << "further down";
    EXPECT_EQ(Paint(QRect(50, 0, 200, 150)), 0);
    // Hatched areas need it whenever the clip moves sideways; a solid one never.
    Long->GetLine()->SetDashStyle(TGPDashStyle::Dash);
    Long->GetLine()->SetWidth(2);
    ASSERT_FALSE(Long->CanDoCanvasDraw());
    Long->GetArea()->SetVisible(true);
    Paint(QRect(0, 0, 500, 300));
    EXPECT_EQ(Paint(QRect(60, 0, 300, 150)), 0) << "solid fill";
    Long->GetArea()->SetAreaStyle(TQvAreaStyle::Cross);
    Paint(QRect(0, 0, 500, 300));
    EXPECT_EQ(Paint(QRect(0, 0, 300, 300)), 1) << "right edge moved";
}

TEST(GraphPaint, NewSeriesTakeTheDefaultColoursInTurn) {
    TChart Chart;
    std::vector<TQvLineSeries*> Series;
    for (int i = 0; i < 7; ++i)
        Series.push_back(new TQvLineSeries(Chart.Owner.get()));
    for (int i = 0; i < 6; ++i)
        for (int j = i + 1; j < 6; ++j)
            EXPECT_NE(Series[i]->GetLine()->GetColor(), Series[j]->GetLine()->GetColor());
    EXPECT_EQ(Series[6]->GetLine()->GetColor(), Series[0]->GetLine()->GetColor());
    EXPECT_EQ(Series[6]->GetPointSymbol()->GetPointSymbol(),
              Series[0]->GetPointSymbol()->GetPointSymbol());
}

// Series that share no vector make their points, and vectors their statistics, two cores at a
// time before the paint: the same as one after the other. Series sharing a vector wait.
TEST(GraphPaint, SeriesMadeOnTwoCoresAsOneAfterTheOther) {
    TChart Chart;
    Chart.Graph->SetBounds(0, 0, 500, 300);
    Chart.X->SetStartEnd(TQvAxisEnd::AutoRange);
    Chart.X->SetStopEnd(TQvAxisEnd::AutoRange);
    Chart.Y->SetStartEnd(TQvAxisEnd::AutoRange);
    Chart.Y->SetStopEnd(TQvAxisEnd::AutoRange);
    const auto Wave = [](int n, int k) {
        std::vector<double> Xs(static_cast<size_t>(n)), Ys(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            Xs[size_t(i)] = i;
            Ys[size_t(i)] = std::sin(i * 0.001 * (k + 1)) * (k + 1) + std::sin(i * 7.1) * 0.3;
        }
        return std::pair{Xs, Ys};
    };
    std::vector<TQvSeries*> Series;
    std::vector<std::vector<double>> Values;
    for (int k = 0; k < 5; ++k) {
        const auto [Xs, Ys] = Wave(20000 + 3000 * k, k);
        Series.push_back(Chart.NewSeriesOf<TQvLineSeries>(Xs, Ys));
        Values.push_back(Xs);
        Values.push_back(Ys);
    }
    // Two more on one X vector, one of them with symbols.
    TQvCustomDoubleVector* Shared = Series[0]->GetXData();
    for (int k = 5; k < 7; ++k) {
        auto* Ys = Chart.NewVector("", Wave(20000, k).second);
        Series.push_back(Chart.NewSeries(Shared, Ys));
    }
    Chart.Render();
    // Every vector's statistics as a new vector of the same values has them.
    for (size_t v = 0; v < Values.size(); ++v) {
        const TQvCustomDoubleVector* Made =
            v % 2 ? Series[v / 2]->GetYData() : Series[v / 2]->GetXData();
        const TQvDoubleVector* Fresh = Chart.NewVector("", Values[v]);
        EXPECT_EQ(Made->GetMinimumIdx(), Fresh->GetMinimumIdx()) << v;
        EXPECT_EQ(Made->GetMaximumIdx(), Fresh->GetMaximumIdx()) << v;
        EXPECT_EQ(Made->GetOnlyAscending(), Fresh->GetOnlyAscending()) << v;
    }
    // Every series' points as it makes them alone.
    for (TQvSeries* Each : Series) {
        const std::vector<TGPPointF> Made = Each->ScreenPoints().Points();
        ASSERT_GT(Made.size(), 500u);
        Each->PointsModified();
        const std::vector<TGPPointF>& Alone = Each->CurrentScreenPoints().Points();
        ASSERT_EQ(Made.size(), Alone.size());
        EXPECT_TRUE(std::equal(
            Made.begin(), Made.end(), Alone.begin(),
            [](const TGPPointF& a, const TGPPointF& b) { return a.X == b.X && a.Y == b.Y; }));
    }
}

} // namespace
