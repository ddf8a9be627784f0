// The threading rule: graphs that share no components render in several threads at once
// exactly as they do one after the other.

#include "../chartfixture.h"

#include <style/qvfontcache.h>

#include <QFontDatabase>

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

namespace {

// A chart built and rendered entirely by the calling thread: a title quoting a variable, a
// line series and labels on both axes.
QImage RenderChart(int Kind) {
    TChart Chart(QStringLiteral("Threaded%1").arg(Kind));
    Chart.Graph->SetBounds(0, 0, 320, 200);
    Chart.Graph->SetCaption(QStringLiteral("Wave \\b%1\\b <%2*%1;0.0%>").arg(Kind));
    Chart.Graph->SetCaptionVisible(true);
    Chart.X->SetEndRounding(TQvAxisEndRounding::RndToMajor);
    Chart.Y->SetEndRounding(TQvAxisEndRounding::RndToMajor);
    auto* Values = Chart.NewVector(QStringLiteral("Values"), {});
    for (int i = 0; i < 500; ++i)
        Values->Add(std::sin(i * 0.02 * Kind) * Kind);
    auto* Series = Chart.NewSeries<TQvLineSeries>(nullptr, Values);
    Series->GetLine()->SetColor(0xFF2060A0); // not the next colour of the shared cycle
    return Chart.Render();
}

} // namespace

TEST(Threads, SeparateGraphsRenderAtOnceAsOneAfterTheOther) {
    const QImage First = RenderChart(1);
    const QImage Second = RenderChart(2);
    ASSERT_NE(First, Second);
    for (int Round = 0; Round < 3; ++Round) {
        QImage InFirst, InSecond;
        std::thread A([&] { InFirst = RenderChart(1); });
        std::thread B([&] { InSecond = RenderChart(2); });
        A.join();
        B.join();
        EXPECT_EQ(InFirst, First);
        EXPECT_EQ(InSecond, Second);
    }
}

TEST(Threads, FontCachesForgetWhenFontsComeAndGo) {
    TQvFontCache<QString, int> Cache(2);
    Cache.Insert("a", 1);
    Cache.Insert("b", 2);
    EXPECT_EQ(Cache.Find("a"), 1);
    Cache.Insert("c", 3); // full: starts afresh
    EXPECT_EQ(Cache.Size(), 1);
    EXPECT_EQ(Cache.Find("c"), 3);
    const int Id =
        QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    ASSERT_GE(Id, 0);
    EXPECT_EQ(Cache.Find("c"), std::nullopt);
    Cache.Insert("d", 4);
    QFontDatabase::removeApplicationFont(Id);
    EXPECT_EQ(Cache.Size(), 0);
}
