// A theme: one font family at sizes that rank, a colour cycle people tell apart, series that
// take it as they come, and one undo step back to the components' own defaults.

#include "../chartfixture.h"

#include <graph/qvtheme.h>

#include <QFontInfo>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// CIE L*a*b* of an sRGB colour, D65 white.
std::array<double, 3> Lab(TQvColor Color) {
    auto Linear = [](uint32_t c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double r = Linear(Color >> 16 & 0xFF), g = Linear(Color >> 8 & 0xFF),
                 b = Linear(Color & 0xFF);
    const double X = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double Y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double Z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(Y) - 16, 500 * (f(X) - f(Y)), 200 * (f(Y) - f(Z))};
}

TEST(Theme, OneFamilyRankedSizesDistinctColoursAndUnthemedGraphsUntouched) {
    TChart Fresh;
    const QString DefaultFamily = Fresh.Graph->GetCaptionFont()->GetName();

    TChart Chart;
    auto* Stack = Chart.NewUndoStack();
    TQvAxis* Right = Chart.NewAxis(TQvAxisPosition::Right, "Graph1R");
    TQvPointSeries* First = Chart.NewSeries(nullptr, Chart.NewVector("", {1, 2, 3}));
    const TQvColor OwnColor = First->GetLine()->GetColor();
    const TQvTheme& Theme = TQvTheme::Default();
    Chart.Graph->ApplyTheme();
    TQvPointSeries* Second =
        Chart.NewSeries(nullptr, Chart.NewVector("", {3, 2, 1}), nullptr, Right);

    // One family everywhere, one the machine has; the title above the axis titles above the
    // tick labels.
    const TQvFont* Title = Chart.Graph->GetCaptionFont();
    EXPECT_EQ(QFontInfo(QFont(Theme.FontName)).family(), Theme.FontName);
    EXPECT_EQ(Title->GetName(), Theme.FontName);
    for (TQvAxis* Axis : {Chart.X, Chart.Y, Right}) {
        EXPECT_EQ(Axis->GetCaptionFont()->GetName(), Theme.FontName) << qPrintable(Axis->GetName());
        EXPECT_EQ(Axis->GetNumbersFont()->GetName(), Theme.FontName) << qPrintable(Axis->GetName());
        EXPECT_GT(Title->GetSizeF(), Axis->GetCaptionFont()->GetSizeF());
        EXPECT_GT(Axis->GetCaptionFont()->GetSizeF(), Axis->GetNumbersFont()->GetSizeF());
    }
    EXPECT_TRUE(Chart.Graph->GetMajorGridHorizontal()->GetVisible());
    EXPECT_FALSE(Chart.Graph->GetMinorGridVertical()->GetVisible());

    // The cycle's colours lie far apart, and far from the white background.
    const QList<TQvColor>& Colors = Theme.SeriesColors;
    ASSERT_GE(Colors.size(), 6);
    for (qsizetype i = 0; i < Colors.size(); ++i) {
        const auto a = Lab(Colors[i]);
        EXPECT_LT(a[0], 80) << i;
        for (qsizetype j = i + 1; j < Colors.size(); ++j) {
            const auto b = Lab(Colors[j]);
            EXPECT_GT(std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]), 25) << i << " " << j;
        }
    }
    // The connected series took the first colour, the later one the next.
    EXPECT_EQ(First->GetLine()->GetColor(), Colors[0]);
    EXPECT_EQ(First->GetPointSymbol()->GetBorderColor(), Colors[0]);
    EXPECT_EQ(Second->GetLine()->GetColor(), Colors[1]);
    EXPECT_EQ(Theme.SeriesColor(int(Colors.size()) + 1), Colors[1]);

    // One undo step takes the theme back.
    Stack->Undo();
    EXPECT_EQ(Title->GetName(), DefaultFamily);
    EXPECT_EQ(First->GetLine()->GetColor(), OwnColor);
    EXPECT_NE(DefaultFamily, Theme.FontName);
}

} // namespace
