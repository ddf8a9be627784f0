// The regression series on a chart: a power law fitted on log-log axes, the confidence band
// in pixels and in the Y range, captions that quote the fit, the questions and warnings it
// asks, and its records.

#include "../chartfixture.h"
#include "../dialogs.h"
#include "../qvtest.h"
#include "../seriesrecords.h"

#include <analysis/qvlinearregression.h>
#include <framework/qvdialogs.h>
#include <framework/qvfiler.h>
#include <style/qvio.h>

#include <gtest/gtest.h>

#include <QBuffer>

#include <cmath>

namespace {

TQvLinearRegression* Regression(TChart& Chart, const std::vector<double>& Xs,
                                const std::vector<double>& Ys) {
    return Chart.NewSeriesOf<TQvLinearRegression>(Xs, Ys, "Fit");
}

TEST(RegressionSeries, PowerLawOnLogLogAxesIsAStraightLine) {
    TChart Chart;
    Chart.X->SetScaling(TQvAxisScaling::Log);
    Chart.Y->SetScaling(TQvAxisScaling::Log);
    std::vector<double> Xs, Ys;
    for (int i = 0; i < 40; ++i) {
        const double x = std::pow(10.0, i / 13.0);
        Xs.push_back(x);
        Ys.push_back(3 * x * x * (1 + 0.05 * std::sin(i)));
    }
    // A point the axes cannot show takes no part.
    Xs.push_back(-1);
    Ys.push_back(5);
    TQvLinearRegression* S = Regression(Chart, Xs, Ys);
    Chart.Paint();
    EXPECT_NEAR(S->GetSlope(), 2, 0.01);
    EXPECT_NEAR(S->GetOffset(), std::log10(3.0), 0.01);
    EXPECT_EQ(S->GetRegression().SumW, 40);
    EXPECT_EQ(S->GetFormula(), "lg(Y)=a+b(lg(X))");
    EXPECT_DOUBLE_EQ(S->GetY(10), std::pow(10.0, S->GetOffset() + S->GetSlope()));
    // Two points make the line, from the first to the last X.
    const std::vector<TGPPointF>& Line = S->ScreenPoints().Points();
    ASSERT_EQ(Line.size(), 2u);
    EXPECT_FLOAT_EQ(Line[0].X, Chart.X->NumberToWorld(1));
    EXPECT_FLOAT_EQ(Line[1].Y, Chart.Y->NumberToWorld(S->GetY(Xs[39])));
}

TEST(RegressionSeries, TheBandWidensTheRangeAndCaptionsQuoteTheFit) {
    TChart Chart;
    std::vector<double> Xs, Ys;
    for (int i = 0; i <= 20; ++i) {
        Xs.push_back(i);
        Ys.push_back(2 + 0.5 * i + (i % 3 - 1));
    }
    TQvLinearRegression* S = Regression(Chart, Xs, Ys);
    Chart.Graph->SetCaption("m = <%" + GetComponentRef(S) + ".Slope;0.000%> ± <%" +
                            GetComponentRef(S) + ".DeltaSlope;0.000%>, R = <%" +
                            GetComponentRef(S) + ".Correlation;0.00%>");
    Chart.Paint();
    const double Top = Chart.Y->GetStop();
    EXPECT_EQ(S->UpperBand().size(), 0u);
    const QString Expected = QString("m = %1 ± %2, R = %3")
                                 .arg(S->GetSlope(), 0, 'f', 3)
                                 .arg(S->GetDeltaSlope(), 0, 'f', 3)
                                 .arg(S->GetR(), 0, 'f', 2);
    EXPECT_EQ(Chart.Graph->CaptionAsString(), Expected);

    // Alone on its axis, the band's ends set the Y range.
    S->GetConfidenceIntervalLine()->SetVisible(true);
    S->GetConfidenceIntervalArea()->SetVisible(true);
    Chart.Paint();
    const double t = Qvmath::T95Percent(21);
    EXPECT_DOUBLE_EQ(S->Confidence(10), S->GetRegression().Confidence(10, t));
    EXPECT_GT(Chart.Y->GetStop(), Top);
    EXPECT_DOUBLE_EQ(Chart.Y->GetStop(), S->GetY(20) + S->Confidence(20));
    // The borders lie the half-width above and below the line at every sample.
    ASSERT_GT(S->UpperBand().size(), 100u);
    for (size_t k = 0; k < S->UpperBand().size(); k += 37) {
        const double x = Chart.X->WorldToNumber(S->UpperBand()[k].X);
        EXPECT_NEAR(S->UpperBand()[k].Y, Chart.Y->NumberToWorld(S->GetY(x) + S->Confidence(x)),
                    0.01);
        EXPECT_NEAR(S->LowerBand()[k].Y, Chart.Y->NumberToWorld(S->GetY(x) - S->Confidence(x)),
                    0.01);
    }
    // Shaded between the borders, in the line's colour with little alpha.
    const QImage Image = Chart.Render();
    const QPoint Inside(int(Chart.X->NumberToWorld(3)),
                        int(Chart.Y->NumberToWorld(S->GetY(3))) - 3);
    EXPECT_GT(qAlpha(Image.pixel(Inside)), 0);
}

TEST(RegressionSeries, FixedOffsetQuestionsAndWarnings) {
    TChart Chart;
    TQvLinearRegression* S = Regression(Chart, {1, 2, 3, 4}, {3, 5, 7, 9.5});
    {
        // While designing, setting the offset asks to fix it; No still stores the value.
        TDialogs No(mrNo);
        S->SetDesigning(true);
        S->SetOffset(1);
        EXPECT_EQ(No.Asked, QStringList{"The offset should only be set with fixed offset\r"
                                        "Dou You want to set it to True?"});
        EXPECT_FALSE(S->GetFixedOffset());
        EXPECT_EQ(S->GetOffset(), 1);
        TDialogs Yes(mrYes);
        S->SetOffset(0.5);
        EXPECT_TRUE(S->GetFixedOffset());
        S->SetDesigning(false);
    }
    Chart.Paint();
    // The offset stays; the slope fits y - 0.5 = m x through the origin.
    EXPECT_EQ(S->GetOffset(), 0.5);
    EXPECT_DOUBLE_EQ(S->GetSlope(), (2.5 + 9 + 19.5 + 36) / 30);
    EXPECT_EQ(S->GetDeltaOffset(), 0);
    EXPECT_EQ(S->GetR(), 0);

    // A logarithmic axis with linear levels is set back, with a warning.
    TDialogs Warned(mrOk);
    Chart.Y->SetScaling(TQvAxisScaling::Log);
    Chart.Y->SetLogToNormalScalingLevel(2);
    S->SetLastCount(0);
    Chart.Paint();
    EXPECT_EQ(Warned.Asked, QStringList{"Log Y-Axis with regression and "
                                        "LogToNormalScalingLevel>0 not possible\rSetting to 0"});
    EXPECT_EQ(Chart.Y->GetLogToNormalScalingLevel(), 0);
}

TEST(RegressionSeries, RecordsRoundTripInEveryForm) {
    TChart Chart;
    TQvLinearRegression* S = Regression(Chart, {1, 2, 3}, {2, 4, 7});
    S->SetFixedOffset(true);
    S->SetOffset(-0.25);
    S->GetConfidenceIntervalLine()->SetVisible(true);
    S->GetConfidenceIntervalArea()->SetForeColor(0x20123456);
    // The record ends: fixed offset, the offset, the two style records, a closing 0.
    QBuffer Tail;
    Tail.open(QIODevice::WriteOnly);
    const double Offset = -0.25;
    Tail.write("\x01", 1);
    Tail.write(reinterpret_cast<const char*>(&Offset), 8);
    ToStream(&Tail, S->GetConfidenceIntervalLine());
    ToStream(&Tail, S->GetConfidenceIntervalArea());
    Tail.write("\x00", 1);
    EXPECT_TRUE(Binary(S).endsWith(Tail.data()));
    for (TRecordForm Form : RecordForms) {
        auto* Read = new TQvLinearRegression(Chart.Owner.get());
        CopyRecord(S, Read, Form);
        EXPECT_TRUE(Binary(Read).endsWith(Tail.data())) << FormName(Form);
    }
    // Documents find the class by its name.
    EXPECT_NE(FindClass("TQvLinearRegression"), nullptr);
}

} // namespace
