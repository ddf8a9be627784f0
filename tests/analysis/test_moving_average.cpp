// The moving average series on a chart: the curve through the averaged points, its settings,
// messages and records.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <analysis/qvmovingaverage.h>
#include <framework/qvexceptions.h>
#include <framework/qvinifiles.h>
#include <framework/qvxml.h>

#include <gtest/gtest.h>

#include <QBuffer>

TEST(MovingAverageSeries, CurveSettingsAndRecords) {
    TChart Chart;
    auto* S = new TQvMovingAverage(Chart.Owner.get());
    S->SetName("Average");
    // Unsorted x: the average is taken in the order of x.
    S->SetXData(Chart.NewVector("", {3, 0, 1, 2, 4, 5, 6, 7}));
    S->SetYData(Chart.NewVector("", {0, 0, 0, 0, 8, 8, 8, 8}));
    S->SetXAxis(Chart.X);
    S->SetYAxis(Chart.Y);
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
    const auto Check = [&](const TQvMovingAverage* R, const char* Form) {
        SCOPED_TRACE(Form);
        EXPECT_EQ(R->GetAveragingMethod(), TQvAveragingMethod::Simple);
        EXPECT_EQ(R->GetAveragingDirection(), TQvAveragingDirection::UpAndDownwards);
        EXPECT_EQ(R->GetN(), 2);
        EXPECT_EQ(R->GetExponentialFactorForN(), 0.75);
    };
    QBuffer In;
    In.setData(Bytes);
    In.open(QIODevice::ReadOnly);
    auto* FromBinary = new TQvMovingAverage(Chart.Owner.get());
    FromBinary->ReadFrom(&In);
    Check(FromBinary, "binary");
    TXMLDocument Document;
    S->WriteTo(Document.AddChild("Root"));
    auto* FromXml = new TQvMovingAverage(Chart.Owner.get());
    FromXml->ReadFrom(Document.DocumentElement());
    Check(FromXml, "xml");
    TMemIniFile Ini(QString{});
    S->WriteTo(&Ini, "Average");
    EXPECT_EQ(Ini.ReadString("Average", "N", {}), "2");
    auto* FromIni = new TQvMovingAverage(Chart.Owner.get());
    FromIni->ReadFrom(&Ini, "Average");
    Check(FromIni, "ini");
}
