// The shortcuts of drawing many points against plain drawing: dense symbols blended from
// stamps, long random lines thinned before the rasteriser, and the kept image of the series
// that a repaint copies, which must follow every change.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <series/qvsymbolmix.h>
#include <series/qvsymbolstamps.h>
#include <style/qvdrawing.h>
#include <style/qvthinlines.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <random>

namespace {

// How two pictures differ: pixels whose colours differ by more than Levels in a channel;
// pixels inked (a quarter darker than white or more) in one and not the other, and of those the
// strays, with no neighbour above or below inked in both; pixels inked in the reference.
struct TDifference {
    int Different = 0, InkDiffers = 0, Stray = 0, Inked = 0;
};
TDifference Compare(const QImage& Image, const QImage& Reference, int Levels) {
    const auto Ink = [](const QImage& I, int x, int y) { return qGray(I.pixel(x, y)) < 192; };
    const auto Both = [&](int x, int y) {
        return y >= 0 && y < Reference.height() && Ink(Image, x, y) && Ink(Reference, x, y);
    };
    TDifference d;
    for (int y = 0; y < Reference.height(); ++y)
        for (int x = 0; x < Reference.width(); ++x) {
            const QRgb a = Image.pixel(x, y), b = Reference.pixel(x, y);
            d.Inked += Ink(Reference, x, y);
            if (Ink(Image, x, y) != Ink(Reference, x, y)) {
                ++d.InkDiffers;
                d.Stray += !Both(x, y - 1) && !Both(x, y + 1);
            }
            d.Different += ChannelDistance(a, b) > Levels;
        }
    return d;
}

QImage White(const TQvGraph2D* Graph,
             QImage::Format Format = QImage::Format_ARGB32_Premultiplied) {
    QImage Image(Graph->GetWidth(), Graph->GetHeight(), Format);
    Image.fill(Qt::white);
    return Image;
}

// On a 16-bit image, Qt alone draws.
QImage Drawn(const TQvGraph2D* Graph, bool Smooth, const std::function<void(TGPGraphics&)>& Draw,
             QImage::Format Format = QImage::Format_ARGB32_Premultiplied) {
    QImage Image = White(Graph, Format);
    {
        TGPGraphics Graphics(&Image);
        Graphics.SetSmoothingMode(Smooth ? TGPSmoothingMode::AntiAlias : TGPSmoothingMode::None);
        Draw(Graphics);
    }
    return Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A noisy band of points across the chart, in data order.
struct TCloud {
    explicit TCloud(int n, unsigned Seed = 3) {
        std::mt19937 Random(Seed);
        std::uniform_real_distribution<double> Noise(-100, 100);
        for (int i = 0; i < n; ++i) {
            Xs.push_back(1000.0 * i / n);
            Ys.push_back(500 + 250 * std::sin(i * 12.0 / n) + Noise(Random));
        }
    }
    std::vector<double> Xs, Ys;
};

TEST(DrawingShortcuts, DenseSymbolsDrawThePixelsOfEverySymbol) {
    for (const bool Smooth : {false, true}) {
        SCOPED_TRACE(Smooth ? "antialiased" : "aliased");
        TChart Chart;
        Chart.FixAxes(0, 1000);
        Chart.Graph->SetSmoothingMode(Smooth ? TQvSmoothingMode::AntiAlias
                                             : TQvSmoothingMode::None);
        TCloud Cloud(60000);
        // Symbols far off the chart ink nothing; those across the top edge of the image are
        // cut there.
        for (const double Far : {1e30, -1e30, 1e12}) {
            Cloud.Xs.push_back(500);
            Cloud.Ys.push_back(Far);
        }
        Chart.Paint();
        for (int i = 0; i < 300; ++i) {
            Cloud.Xs.push_back(i * 3.3);
            Cloud.Ys.push_back(Chart.Y->WorldToNumber(float(i % 5) / 2));
        }
        auto* Series = Chart.NewSeriesOf<TQvPointSeries>(Cloud.Xs, Cloud.Ys);
        Series->GetLine()->SetVisible(false);
        TQvPointSymbolSettings* Symbol = Series->GetPointSymbol();
        Symbol->SetPointSymbol(TQvPointSymbol::Circle);
        Symbol->SetSize(5);
        Symbol->SetFillColor(0xFF1F77B4);
        Symbol->SetBorderColor(0xFF1F77B4);
        Chart.Paint();
        const QImage Stamped =
            Drawn(Chart.Graph, Smooth, [&](TGPGraphics& G) { Series->DrawSymbols(&G); });
        // Every symbol drawn over the ones before it, as its outline.
        const TGPPen Pen(0xFF1F77B4, 1);
        const TGPSolidBrush Brush(0xFF1F77B4);
        const QImage Plain = Drawn(Chart.Graph, Smooth, [&](TGPGraphics& G) {
            for (size_t i = 0; i < Cloud.Xs.size(); ++i)
                DrawPointSymbol(&G, &Pen, &Brush, 5, Chart.X->NumberToWorld(Cloud.Xs[i]),
                                Chart.Y->NumberToWorld(Cloud.Ys[i]), TQvPointSymbol::Circle);
        });
        // The same pixels are inked but for single pixels along the edge of the cloud, where
        // a symbol left out under a later one reached a pixel further.
        const TDifference d = Compare(Stamped, Plain, 40);
        ASSERT_GT(d.Inked, 40000);
        EXPECT_LT(d.InkDiffers, d.Inked / 100) << d.InkDiffers << " of " << d.Inked;
        EXPECT_LE(d.Stray, d.Inked / 1000) << d.Stray;
        // The stamps and the cleared plane serve the next paint, in a new colour too.
        EXPECT_EQ(Drawn(Chart.Graph, Smooth, [&](TGPGraphics& G) { Series->DrawSymbols(&G); }),
                  Stamped);
        Symbol->SetFillColor(0xFFD62728);
        Symbol->SetBorderColor(0xFFD62728);
        Chart.Paint();
        const QImage Red =
            Drawn(Chart.Graph, Smooth, [&](TGPGraphics& G) { Series->DrawSymbols(&G); });
        for (int y = 0; y < Red.height(); ++y)
            for (int x = 0; x < Red.width(); ++x)
                if (Stamped.pixel(x, y) == 0xFF1F77B4) {
                    ASSERT_LE(ChannelDistance(Red.pixel(x, y), 0xFFD62728), 1);
                }
        // The plane the stamps are blended in serves data areas of every size, smaller and
        // larger than it was made for, without a trace of one in another.
        const auto Resized = [&](int Width, int Height) {
            Chart.Graph->SetBounds(0, 0, Width, Height);
            Chart.Paint();
            return Drawn(Chart.Graph, Smooth, [&](TGPGraphics& G) { Series->DrawSymbols(&G); });
        };
        const int Width = Chart.Graph->GetWidth(), Height = Chart.Graph->GetHeight();
        const QImage Smaller = Resized(Width - 50, Height - 37);
        const QImage Larger = Resized(Width + 1400, Height + 900);
        EXPECT_EQ(Resized(Width, Height), Red);
        EXPECT_EQ(Resized(Width + 1400, Height + 900), Larger);
        EXPECT_EQ(Resized(Width - 50, Height - 37), Smaller);
        // Symbols hidden under later ones are not even kept, unless they shine through.
        const int Kept = Series->ScreenPoints().Count();
        Symbol->SetFillColor(0x801F77B4);
        Chart.Paint();
        EXPECT_LT(Kept, Series->ScreenPoints().Count() * 6 / 10);
    }
}

// Many symbols share the making of the stamps out to both cores; apart from each other, they
// draw the pixels that the stamps made one by one for each symbol in turn draw.
TEST(DrawingShortcuts, ManySymbolsDrawAsTheyDoOneByOne) {
    std::vector<TGPPointF> Points;
    for (int j = 0; j < 100; ++j)
        for (int i = 0; i < 130; ++i)
            Points.push_back({5 + 9 * i + float(i % 4) / 4, 5 + 9 * j + float(j % 4) / 4});
    const TGPPen Pen(0xFF1F77B4, 1);
    const TGPSolidBrush Brush(0xFF1F77B4);
    for (const TGPSmoothingMode Mode : {TGPSmoothingMode::None, TGPSmoothingMode::AntiAlias}) {
        const auto Drawn = [&](bool Many) {
            QImage Image(1200, 910, QImage::Format_ARGB32_Premultiplied);
            Image.fill(Qt::white);
            QPainter Painter(&Image);
            TQvSymbolStamps Stamps(&Pen, &Brush, 5, TQvPointSymbol::Circle, Mode);
            Stamps.Begin(&Painter, QTransform(), true);
            if (Many)
                Stamps.DrawMany(Points, nullptr);
            else
                for (const TGPPointF& P : Points)
                    Stamps.Draw(P);
            Stamps.End();
            return Image;
        };
        EXPECT_EQ(Drawn(true), Drawn(false));
    }
}

// Rows of every width up to two vector groups and a long one, with runs that let all through,
// nothing, and some: each vector width mixes every pixel as the rounded sum would.
TEST(DrawingShortcuts, SymbolRowsMixTheSameWithEveryVectorWidth) {
    using namespace QvSymbolMix;
    std::mt19937 Random(11);
    std::uniform_int_distribution<int> Byte(0, 255), Kind(0, 3), Run(1, 40);
    std::vector<int> Widths(70);
    std::iota(Widths.begin(), Widths.end(), 0);
    Widths.push_back(1603);
    for (const int Width : Widths) {
        std::vector<std::uint8_t> Through;
        while (int(Through.size()) < Width) {
            const int k = Kind(Random), n = Run(Random);
            for (int i = 0; i < n; ++i)
                Through.push_back(std::uint8_t(k == 0 ? 255 : k == 1 ? 0 : Byte(Random)));
        }
        std::vector<std::uint32_t> Below(std::size_t(Width + 1));
        for (std::uint32_t& Pixel : Below) {
            const int a = Byte(Random);
            Pixel = std::uint32_t(a) << 24;
            for (int c = 0; c < 24; c += 8)
                Pixel |= std::uint32_t(Byte(Random) * a / 255) << c;
        }
        const std::uint32_t Color = 0xFF1F77B4;
        std::vector<std::uint32_t> Expected = Below;
        for (int x = 0; x < Width; ++x) {
            const int t = Through[std::size_t(x)];
            std::uint32_t& Pixel = Expected[std::size_t(x)];
            std::uint32_t Mixed = 0;
            for (int c = 0; c < 32; c += 8)
                Mixed |= std::uint32_t(std::lround(
                             ((Pixel >> c & 0xFF) * t + (Color >> c & 0xFF) * (255 - t)) / 255.0))
                         << c;
            Pixel = Mixed;
        }
        for (const TVectors Vectors : {TVectors::None, TVectors::Sse2, TVectors::Avx2}) {
            if (Vectors > Widest()) continue;
            std::vector<std::uint32_t> Pixels = Below;
            MixRow(Through.data(), Pixels.data(), Width, Color, Vectors);
            ASSERT_EQ(Pixels, Expected) << Width << " " << int(Vectors);
        }
    }
}

// A random walk and a dense noisy line, drawn as a series (thinned, then written straight into
// the pixels) and as all their segments through the plain polyline. The direct rasteriser alone
// inks the plain polyline's pixels within a hundredth; thinning moves a few more along the
// edges of the line.
TEST(DrawingShortcuts, LongLinesDrawThePixelsOfThePlainPolyline) {
    std::mt19937 Random(9);
    std::uniform_real_distribution<double> Step(-4, 4);
    TChart Chart;
    Chart.FixAxes(0, 1000);
    std::vector<double> Xs{500}, Ys{500};
    for (int i = 1; i < 20000; ++i) {
        Xs.push_back(std::clamp(Xs.back() + Step(Random), 0.0, 1000.0));
        Ys.push_back(std::clamp(Ys.back() + Step(Random), 0.0, 1000.0));
    }
    const TCloud Cloud(40000);
    const TGPPen Pen(0xFF000000, 1);
    for (const bool Smooth : {true, false})
        for (const bool Walk : {true, false}) {
            SCOPED_TRACE(std::string(Walk ? "random walk" : "columns") +
                         (Smooth ? ", antialiased" : ", aliased"));
            Chart.Graph->SetSmoothingMode(Smooth ? TQvSmoothingMode::AntiAlias
                                                 : TQvSmoothingMode::None);
            const std::vector<double>& X = Walk ? Xs : Cloud.Xs;
            const std::vector<double>& Y = Walk ? Ys : Cloud.Ys;
            auto* Series = Chart.NewSeriesOf<TQvLineSeries>(X, Y);
            Series->GetLine()->SetColor(0xFF000000);
            Chart.Paint();
            ASSERT_GE(Series->ScreenPoints().Count(), 2000);
            std::vector<TGPPointF> All;
            for (size_t i = 0; i < X.size(); ++i)
                All.push_back({Chart.X->NumberToWorld(X[i]), Chart.Y->NumberToWorld(Y[i])});
            const QImage Plain = Drawn(Chart.Graph, Smooth, [&](TGPGraphics& G) {
                G.DrawLines(Pen, All.data(), int(All.size()));
            });
            const QImage Direct = Drawn(Chart.Graph, Smooth, [&](TGPGraphics& G) {
                ASSERT_TRUE(G.DrawThinLinesDirectly(Pen, All.data(), int(All.size()), false));
            });
            const TDifference d = Compare(Direct, Plain, 255);
            ASSERT_GT(d.Inked, 8000);
            EXPECT_LT(d.InkDiffers, d.Inked / 100) << d.InkDiffers << " of " << d.Inked;
            EXPECT_LE(d.Stray, d.Inked / 1000) << d.Stray;
            const auto DrawSeries = [&](TGPGraphics& G) { Series->DrawLine(&G); };
            const QImage Thinned = Drawn(Chart.Graph, Smooth, DrawSeries);
            if (Smooth) {
                const TDifference t = Compare(Thinned, Plain, 255);
                EXPECT_LT(t.InkDiffers, d.Inked * 3 / 100) << t.InkDiffers << " of " << t.Inked;
                EXPECT_LE(t.Stray, d.Inked / 100) << t.Stray;
            } else {
                // Aliased, a point merged into its neighbour moves the line by whole pixels, so
                // the series' own points are drawn by Qt to compare.
                EXPECT_EQ(Thinned, Drawn(Chart.Graph, Smooth, DrawSeries, QImage::Format_RGB16));
            }
            delete Series;
        }
    // Dense enough, smooth lines gather their coverage first and blend once per pixel: as the
    // same line in short pieces, each blended at once, within rounding (the two halves that
    // two cores gather add up rounded once more).
    std::vector<TGPPointF> Dense{{300, 300}};
    for (int i = 1; i < 100000; ++i)
        Dense.push_back({std::clamp(Dense.back().X + float(Step(Random)) / 4, 200.0f, 400.0f),
                         std::clamp(Dense.back().Y + float(Step(Random)) / 4, 200.0f, 400.0f)});
    const auto Gather = [&] {
        return Drawn(Chart.Graph, true, [&](TGPGraphics& G) {
            EXPECT_TRUE(G.DrawThinLinesDirectly(Pen, Dense.data(), int(Dense.size()), false));
        });
    };
    const QImage Gathered = Gather();
    // The coverage is cleared as it is blended: drawn again, the line adds nothing to itself.
    EXPECT_EQ(Gather(), Gathered);
    const QImage Pieces = Drawn(Chart.Graph, true, [&](TGPGraphics& G) {
        for (size_t From = 0; From + 1 < Dense.size(); From += 1000)
            G.DrawThinLinesDirectly(Pen, Dense.data() + From,
                                    int(std::min<size_t>(1001, Dense.size() - From)), false);
    });
    EXPECT_EQ(Compare(Gathered, Pieces, 3).Different, 0);
    {
        // Too sparse to gather, a smooth line blends straight into the pixels, on two cores
        // each in its own rows: as the same line drawn on one core, in pieces of one block of
        // segments each, to the last bit.
        std::vector<TGPPointF> Sparse;
        for (int i = 0; i < 3000; ++i)
            Sparse.push_back({float(Step(Random) * 80 + 500), float(Step(Random) * 80 + 400)});
        const auto DrawInPieces = [&](int Points) {
            return Drawn(Chart.Graph, true, [&](TGPGraphics& G) {
                for (size_t From = 0; From + 1 < Sparse.size(); From += size_t(Points - 1))
                    EXPECT_TRUE(G.DrawThinLinesDirectly(
                        Pen, Sparse.data() + From,
                        int(std::min(size_t(Points), Sparse.size() - From)), false));
            });
        };
        const QImage Whole = DrawInPieces(int(Sparse.size()));
        EXPECT_EQ(Whole, DrawInPieces(513));
        EXPECT_GT(Compare(Whole, White(Chart.Graph), 0).Different, 100000);
    }
    {
        // Aliased, a long walk drawn on two cores inks Qt's pixels. It is folded back into the
        // image, so that both halves lie all over it.
        const auto Fold = [](float v, int Side) {
            const float Span = float(Side - 40), t = std::fmod(std::abs(v), 2 * Span);
            return 20 + (t < Span ? t : 2 * Span - t);
        };
        std::vector<TGPPointF> Long;
        for (float x = 0, y = 0; Long.size() < 70000;
             x += float(Step(Random) * 4), y += float(Step(Random) * 4))
            Long.push_back({Fold(x, Chart.Graph->GetWidth()), Fold(y, Chart.Graph->GetHeight())});
        const QImage Shared = Drawn(Chart.Graph, false, [&](TGPGraphics& G) {
            EXPECT_TRUE(G.DrawThinLinesDirectly(Pen, Long.data(), int(Long.size()), false));
        });
        const QImage ByQt = Drawn(Chart.Graph, false, [&](TGPGraphics& G) {
            G.DrawLines(Pen, Long.data(), int(Long.size()));
        }, QImage::Format_RGB16);
        const TDifference d = Compare(Shared, ByQt, 0);
        ASSERT_GT(d.Inked, 100000);
        EXPECT_LT(d.Different, d.Inked / 1000) << d.Different;
    }
    EXPECT_GT(Compare(Gathered, White(Chart.Graph), 0).Different, 8000);
    // Ends far off the image, or not numbers, ink nothing and stay within the image.
    for (const bool Smooth : {true, false}) {
        const QImage Off = Drawn(Chart.Graph, Smooth, [&](TGPGraphics& G) {
            const TGPPointF Far[6] = {{-1e30f, 5}, {-1e29f, 6},  {NAN, 5},
                                      {5, 5},      {3e9f, 1e9f}, {4e9f, -1e9f}};
            EXPECT_TRUE(G.DrawThinLinesDirectly(Pen, Far, 6, true));
        });
        EXPECT_EQ(Off, White(Chart.Graph));
    }
}

// Smooth lines across the edges of a clip ink the pixels inside it that they ink without the
// clip, and nothing beyond it: shallow ones across its top and bottom, steep ones across its
// sides, and long ones well inside, whose columns go untested. (A line that comes in across
// the clip may round a level apart: its centre is summed from the clip's edge on.)
TEST(DrawingShortcuts, SmoothLinesKeepToTheClip) {
    TChart Chart;
    const QRect Clip(100, 80, 300, 200);
    // Zigzags of 50 points across each edge, then long lines to and fro inside.
    std::vector<TGPPointF> Line;
    const auto Side = [](int k) { return k % 2 ? 1.4f : -1.4f; };
    for (const float Edge : {80.0f, 280.0f})
        for (int k = 0; k < 50; ++k)
            Line.push_back({60 + float(k) * 9, Edge + Side(k)});
    for (const float Edge : {100.0f, 400.0f})
        for (int k = 0; k < 50; ++k)
            Line.push_back({Edge + Side(k), 40 + float(k) * 6});
    for (int k = 0; k < 50; ++k)
        Line.push_back({k % 2 ? 370.0f : 120.0f, 100 + float(k) * 3.5f});
    // Many times over, the line gathers its coverage before blending.
    std::vector<TGPPointF> Often;
    for (int Times = 0; Times < 10; ++Times)
        Often.insert(Often.end(), Line.begin(), Line.end());
    const TGPPen Pen(0xFF000000, 1);
    for (const std::vector<TGPPointF>* Points : {&Line, &Often}) {
        const auto Draw = [&](bool Clipped) {
            return Drawn(Chart.Graph, true, [&](TGPGraphics& G) {
                if (Clipped) G.SetClip(TGPRectF::FromQt(QRectF(Clip)));
                ASSERT_TRUE(
                    G.DrawThinLinesDirectly(Pen, Points->data(), int(Points->size()), false));
            });
        };
        const QImage Whole = Draw(false), Cut = Draw(true);
        int Inked = 0;
        for (int y = 0; y < Cut.height(); ++y)
            for (int x = 0; x < Cut.width(); ++x) {
                const QRgb Pixel = Cut.pixel(x, y);
                if (!Clip.contains(x, y)) {
                    ASSERT_EQ(Pixel, 0xFFFFFFFF) << x << ", " << y << " of " << Points->size();
                    continue;
                }
                ASSERT_LE(ChannelDistance(Pixel, Whole.pixel(x, y)), 1)
                    << x << ", " << y << " of " << Points->size();
                Inked += Pixel != 0xFFFFFFFF;
            }
        EXPECT_GT(Inked, 3000);
    }
}

// A smooth polyline sorts the segments of each block by the way they go, then draws them: it
// inks what its segments ink drawn one by one in turn, within rounding, blended at once or
// gathered first, over several blocks and past a point that is not a number.
TEST(DrawingShortcuts, SortedSegmentsInkWhatTheyInkInTurn) {
    TChart Chart;
    std::mt19937 Random(4);
    std::uniform_real_distribution<float> Step(-6, 6);
    const TGPPen Pen(0xFF000000, 1);
    for (const int Count : {1543, 4000}) {
        SCOPED_TRACE(Count);
        std::vector<TGPPointF> Walk{{250, 250}};
        while (int(Walk.size()) < Count)
            Walk.push_back({std::clamp(Walk.back().X + Step(Random), 100.0f, 400.0f),
                            std::clamp(Walk.back().Y + Step(Random), 100.0f, 400.0f)});
        Walk[700].Y = NAN;
        std::vector<TGPPointF> Pairs;
        for (size_t k = 0; k + 1 < Walk.size(); ++k)
            Pairs.insert(Pairs.end(), {Walk[k], Walk[k + 1]});
        const auto Draw = [&](const std::vector<TGPPointF>& Points, bool AsPairs) {
            return Drawn(Chart.Graph, true, [&](TGPGraphics& G) {
                ASSERT_TRUE(
                    G.DrawThinLinesDirectly(Pen, Points.data(), int(Points.size()), AsPairs));
            });
        };
        const TDifference d = Compare(Draw(Walk, false), Draw(Pairs, true), 2);
        ASSERT_GT(d.Inked, 5000);
        EXPECT_EQ(d.Different, 0);
    }
}

// A random walk of short and long steps, in and beyond the target, inks the same bytes with
// smooth segments worked out four at a time as one at a time: straight into the pixels and
// gathered, on one core and on two, and the gathered coverage blended 32 pixels at a time.
TEST(DrawingShortcuts, SmoothSegmentsInkTheSameFourAtATime) {
    std::mt19937 Random(26);
    std::uniform_real_distribution<float> Fraction(0, 1);
    constexpr int Width = 300, Height = 200;
    for (const int Count : {900, 1500, 3000, 20000, 9000}) {
        SCOPED_TRACE(Count);
        std::vector<TGPPointF> Walk{{150, 100}};
        while (int(Walk.size()) < Count) {
            // Mostly a few pixels, sometimes under one or past the longest span of four.
            const float Reach = Fraction(Random) < 0.1f ? 45 : Fraction(Random) < 0.2f ? 0.8f : 5;
            const TGPPointF& Last = Walk.back();
            Walk.push_back(
                {std::clamp(Last.X + Reach * (2 * Fraction(Random) - 1), -20.0f, 320.0f),
                 std::clamp(Last.Y + Reach * (2 * Fraction(Random) - 1), -20.0f, 220.0f)});
        }
        Walk[Count / 3].X = NAN;
        std::vector<std::uint32_t> Below(Width * Height);
        for (std::uint32_t& Pixel : Below)
            Pixel = 0xFF000000 | std::uint32_t(Random() & 0x00FFFFFF);
        const auto Draw = [&](bool Vectors) {
            std::vector<std::uint32_t> Pixels = Below;
            TQvThinLines Lines({Pixels.data(), Width, 2, 3, Width - 4, Height - 5}, 0xFF1F77B4,
                               true, Vectors);
            Lines.Draw(Walk.data(), Count, false, 0.25, -0.5);
            return Pixels;
        };
        const std::vector<std::uint32_t> OneAtATime = Draw(false);
        EXPECT_NE(OneAtATime, Below);
        EXPECT_EQ(Draw(true), OneAtATime);
    }
}

// A smooth dense line drawn as pixel columns, bars down each column and links between them,
// inks the pixels of its own points joined by the direct rasteriser: also where a steep line
// leaves little of one column's bar beside the next.
TEST(DrawingShortcuts, SmoothColumnsInkTheirOwnPolyline) {
    TChart Chart;
    Chart.FixAxes(0, 1000);
    Chart.Graph->SetSmoothingMode(TQvSmoothingMode::AntiAlias);
    std::vector<double> Xs, Ys;
    for (int i = 0; i < 1500; ++i) {
        Xs.push_back(1000.0 * i / 1500);
        Ys.push_back(500 + 450 * std::sin(i * 0.03) + 20 * std::sin(i * 2.1));
    }
    auto* Series = Chart.NewSeriesOf<TQvLineSeries>(Xs, Ys);
    Series->GetLine()->SetColor(0xFF000000);
    Chart.Paint();
    ASSERT_TRUE(Series->ScreenPoints().OnColumns());
    const std::vector<TGPPointF>& Own = Series->ScreenPoints().Points();
    const QImage Columns = Drawn(Chart.Graph, true, [&](TGPGraphics& G) { Series->DrawLine(&G); });
    const QImage Polyline = Drawn(Chart.Graph, true, [&](TGPGraphics& G) {
        EXPECT_TRUE(
            G.DrawThinLinesDirectly(TGPPen(0xFF000000, 1), Own.data(), int(Own.size()), false));
    });
    // The bars' runs may end a pixel sooner or later; links cut short would leave more.
    const TDifference d = Compare(Columns, Polyline, 255);
    ASSERT_GT(d.Inked, 8000);
    EXPECT_LT(d.InkDiffers, d.Inked / 90) << d.InkDiffers << " of " << d.Inked;
}

// Two series long enough to make their points, and the columns their lines are drawn as, on
// both cores: each picture is the one a new chart in that state draws, as smoothing and range
// change; drawn with other smoothing than the chart's, a line's columns are made for that.
TEST(DrawingShortcuts, ColumnsMadeWithThePointsFollowSmoothingAndRange) {
    const TCloud First(20000), Second(20000, 5);
    struct TTwoLines : TChart {
        TTwoLines(const TCloud& A, const TCloud& B, bool Smooth, double Start, double Stop) {
            FixAxes(0, 1000);
            Graph->SetBackColor(0xFFFFFFFF);
            Set(Smooth, Start, Stop);
            for (const TCloud* Cloud : {&A, &B}) {
                Lines.push_back(NewSeriesOf<TQvLineSeries>(Cloud->Xs, Cloud->Ys));
                Lines.back()->GetLine()->SetColor(Cloud == &A ? 0xFF000000 : 0xFFFF0000);
            }
        }
        void Set(bool Smooth, double Start, double Stop) {
            Graph->SetSmoothingMode(Smooth ? TQvSmoothingMode::AntiAlias : TQvSmoothingMode::None);
            Fix(X, Start, Stop);
        }
        std::vector<TQvLineSeries*> Lines;
    };
    constexpr QImage::Format Premultiplied = QImage::Format_ARGB32_Premultiplied;
    TTwoLines Chart(First, Second, true, 0, 1000);
    for (const auto& [Smooth, Start, Stop] : {std::tuple{true, 0.0, 1000.0},
                                              {false, 0.0, 1000.0},
                                              {false, 250.0, 750.0},
                                              {true, 250.0, 750.0}}) {
        SCOPED_TRACE(std::to_string(Start) + (Smooth ? ", antialiased" : ", aliased"));
        Chart.Set(Smooth, Start, Stop);
        const QImage Painted = Chart.Render(Premultiplied);
        ASSERT_TRUE(Chart.Lines[0]->ScreenPoints().OnColumns());
        TTwoLines New(First, Second, Smooth, Start, Stop);
        EXPECT_EQ(Painted, New.Render(Premultiplied));
        New.Set(!Smooth, Start, Stop);
        New.Render();
        const auto Line = [](TQvSeries* Series) {
            return [Series](TGPGraphics& G) { Series->DrawLine(&G); };
        };
        EXPECT_EQ(Drawn(Chart.Graph, !Smooth, Line(Chart.Lines[1])),
                  Drawn(New.Graph, !Smooth, Line(New.Lines[1])));
    }
}

// Aliased polylines of segments a few pixels long, turning every way, ink exactly the pixels of
// Qt's one-pixel pen, joins and turns included.
TEST(DrawingShortcuts, AliasedThinLinesInkThePixelsOfQtsPen) {
    const TGPPen Pen(0xFF000000, 1);
    std::mt19937 Random(5);
    std::uniform_real_distribution<float> Step(-20, 20);
    const auto Draw = [&](const std::vector<TGPPointF>& Points, bool Direct) {
        QImage Image(80, 80, QImage::Format_ARGB32_Premultiplied);
        Image.fill(Qt::white);
        TGPGraphics G(&Image);
        G.SetSmoothingMode(TGPSmoothingMode::None);
        if (!Direct)
            G.DrawLines(Pen, Points.data(), int(Points.size()));
        else
            EXPECT_TRUE(G.DrawThinLinesDirectly(Pen, Points.data(), int(Points.size()), false));
        return Image;
    };
    for (int Line = 0; Line < 300; ++Line) {
        std::vector<TGPPointF> Points{{40, 40}};
        while (Points.size() < 13)
            Points.push_back({std::clamp(Points.back().X + Step(Random), 2.f, 78.f),
                              std::clamp(Points.back().Y + Step(Random), 2.f, 78.f)});
        ASSERT_EQ(Draw(Points, true), Draw(Points, false)) << "polyline " << Line;
    }
    // Separate segments, as axes draw their ticks, from none to a few pixels long.
    const auto DrawPairs = [&](const std::vector<TGPPointF>& Ends, bool OneByOne) {
        QImage Image(80, 80, QImage::Format_ARGB32_Premultiplied);
        Image.fill(Qt::white);
        TGPGraphics G(&Image);
        G.SetSmoothingMode(TGPSmoothingMode::None);
        if (OneByOne)
            for (size_t k = 0; k + 1 < Ends.size(); k += 2)
                G.DrawLine(Pen, Ends[k], Ends[k + 1]);
        else
            G.DrawSegments(Pen, Ends.data(), int(Ends.size()));
        return Image;
    };
    std::uniform_real_distribution<float> At(10, 70);
    for (int Set = 0; Set < 100; ++Set) {
        std::vector<TGPPointF> Ends;
        for (int k = 0; k < 8; ++k) {
            const TGPPointF From{At(Random), At(Random)};
            const float Length = float(k % 4) * Step(Random) / 8;
            Ends.insert(Ends.end(), {From, {From.X + (k % 2 ? Length : 0), From.Y + Length}});
        }
        ASSERT_EQ(DrawPairs(Ends, false), DrawPairs(Ends, true)) << "set " << Set;
    }
}

// A chart of a noisy line, random in X, drawn into a kept image of its series.
struct TKeptChart : TChart {
    explicit TKeptChart(const TCloud& Cloud, TQvColor Color, bool Smooth) {
        FixAxes(0, 1000);
        Graph->SetBackColor(0xFFFFFFFF);
        Graph->SetSmoothingMode(Smooth ? TQvSmoothingMode::AntiAlias : TQvSmoothingMode::None);
        Series = NewSeriesOf<TQvLineSeries>(Cloud.Ys, Cloud.Xs);
        Series->GetLine()->SetColor(Color);
    }
    TQvLineSeries* Series;
};

// The kept image holds what drawing the series straight onto the chart draws.
TEST(DrawingShortcuts, TheKeptImageOfTheSeriesIsWhatTheyDraw) {
    const TCloud Cloud(40000);
    for (const bool Smooth : {false, true}) {
        SCOPED_TRACE(Smooth ? "antialiased" : "aliased");
        TKeptChart Chart(Cloud, 0xFF000000, Smooth);
        Chart.Render(); // drawn straight; the repaint keeps the image
        const QImage Kept = Chart.Render(QImage::Format_ARGB32_Premultiplied);
        const QImage Straight =
            Drawn(Chart.Graph, Smooth, [&](TGPGraphics& G) { Chart.Series->PaintGr(&G); });
        const QRect Area =
            Chart.Graph->GetDrawingArea().ToQt().toAlignedRect().adjusted(2, 2, -2, -2);
        const TDifference d = Compare(Kept.copy(Area), Straight.copy(Area), 2);
        ASSERT_GT(d.Inked, 20000);
        EXPECT_EQ(d.Different, 0);
    }
}

// Repaints copy the kept image until something it shows changes: colours, values, ranges,
// smoothing, the series itself. Each picture is the one a new chart in that state draws, and
// the repaint that keeps it differs by rounding at most.
TEST(DrawingShortcuts, TheKeptImageOfTheSeriesFollowsEveryChange) {
    constexpr QImage::Format Premultiplied = QImage::Format_ARGB32_Premultiplied;
    TCloud Cloud(40000);
    TKeptChart Chart(Cloud, 0xFF000000, true);
    const auto Shows = [&](TQvColor Color, bool Smooth, double Start, double Stop) {
        TKeptChart New(Cloud, Color, Smooth);
        TChart::Fix(New.X, Start, Stop);
        const QImage Expected = New.Render(Premultiplied), Painted = Chart.Render(Premultiplied);
        EXPECT_EQ(Painted, Expected);
        EXPECT_EQ(Compare(Chart.Render(Premultiplied), Painted, 2).Different, 0);
        return Painted;
    };
    Shows(0xFF000000, true, 0, 1000);

    Chart.Series->GetLine()->SetColor(0xFFFF0000);
    Shows(0xFFFF0000, true, 0, 1000);

    Cloud.Ys[20000] = 5;
    static_cast<TQvDoubleVector*>(Chart.Series->GetXData())->SetValue(20000, 5);
    Shows(0xFFFF0000, true, 0, 1000);

    TChart::Fix(Chart.X, 250, 750);
    Shows(0xFFFF0000, true, 250, 750);

    Chart.Graph->SetSmoothingMode(TQvSmoothingMode::None);
    Shows(0xFFFF0000, false, 250, 750);

    // A new series where the freed one lay is drawn, not the image of the old one.
    delete Chart.Series;
    const QImage Empty = Chart.Render(Premultiplied);
    auto* Next = Chart.NewSeriesOf<TQvLineSeries>(Cloud.Ys, Cloud.Xs);
    Next->GetLine()->SetColor(0xFF00FF00);
    EXPECT_NE(Shows(0xFF00FF00, false, 250, 750), Empty);
}

} // namespace
