// The moving average series on a chart: the curve through the averaged points, its settings,
// messages and records.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../seriesrecords.h"

#include <analysis/qvmovingaverage.h>
#include <framework/qvexceptions.h>

#include <gtest/gtest.h>

TEST(MovingAverageSeries, CurveSettingsAndRecords) {
    TChart Chart;
    // Unsorted x: the average is taken in the order of x.
    auto* S = Chart.NewSeriesOf<TQvMovingAverage>({3, 0, 1, 2, 4, 5, 6, 7},
                                                  {0, 0, 0, 0, 8, 8, 8, 8}, "Average");
    S->SetAveragingMethod(TQvAveragingMethod::Simple);
    S->SetN(2);
    Chart.Paint();
    // The curve passes the averaged points: downwards only, it lags behind the step.
    EXPECT_DOUBLE_EQ(S->GetY(3), 0);
    EXPECT_DOUBLE_EQ(S->GetY(4), 8.0 / 3);
    EXPECT_DOUBLE_EQ(S->GetY(6), 8);
    EXPECT_EQ(S->GetAverage().AveragedX()->GetCount(), 8);
    EXPECT_EQ(S->GetFormula(), "Simple moving average (all values equally weighted)");
    S->SetAveragingDirection(TQvAveragingDirection::UpAndDownwards);
    Chart.Paint();
    EXPECT_DOUBLE_EQ(S->GetY(3), 16.0 / 5);
    S->SetExponentialFactorForN(-3);
    EXPECT_EQ(S->GetExponentialFactorForN(), 1);
    S->SetExponentialFactorForN(0.75);

    TQvMovingAverageCalculation Calc;
    EXPECT_EQ(MessageOf<EMathError>([&] { Calc.Calculate(); }),
              "No X vector defined for calculation");

    // Method, direction, range method, N, factor, a closing 0.
    QByteArray Tail("\x00\x01\x00", 3);
    for (const double v : {2.0, 0.75})
        Tail.append(reinterpret_cast<const char*>(&v), 8);
    Tail.append('\0');
    const QByteArray Bytes = Binary(S);
    EXPECT_TRUE(Bytes.endsWith(Tail));
    for (TRecordForm Form : RecordForms) {
        auto* Read = new TQvMovingAverage(Chart.Owner.get());
        CopyRecord(S, Read, Form);
        EXPECT_TRUE(Binary(Read).endsWith(Tail)) << FormName(Form);
    }
    TMemIniFile Ini(QString{});
    S->WriteTo(&Ini, "Average");
    EXPECT_EQ(Ini.ReadString("Average", "N", {}), "2");
}
