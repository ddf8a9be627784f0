// Function series through a small model (the mean of Y plus a slope): ranges that follow the
// data or widen the X axis, the Y-extent clipping rule, calculation errors with and without a
// handler, sampling on linear and logarithmic axes, hit tests on the curve, and the records.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../seriesrecords.h"

#include <framework/qvexceptions.h>
#include <parser/qvparsefkt.h>
#include <series/qvfunctionseries.h>
#include <strings/qvlocalize.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

class TMeanCalculation : public TQvCalculation {
public:
    using TQvCalculation::TQvCalculation;
    void Calculate() override {
        CheckVectors();
        ++Runs;
        double Sum = 0;
        int n = 0;
        for (int i = 0; i < PointCount(); ++i)
            if (IsValid(i)) {
                Sum += Yi(i);
                ++n;
            }
        if (n < 2) throw EMathError(Qvlocalize::SNotEnoughPoints.Text());
        Mean = Sum / n;
    }
    double Mean = 0;
    int Runs = 0;
};

// y = Mean + Slope * x.
class TMeanLine : public TQvFunctionSeries {
public:
    explicit TMeanLine(TComponent* Owner) : TQvFunctionSeries(Owner), Calc(this) {
        SetCalculation(&Calc);
    }
    double GetY(double X) const override { return Calc.Mean + Slope * X; }
    QString GetFormula() const override { return QStringLiteral("Y=mean+s*X"); }
    TMeanCalculation Calc;
    double Slope = 0;
};

struct TFunctionChart : TChart {
    TMeanLine* Line(const std::vector<double>& Xs, const std::vector<double>& Ys) {
        return NewSeriesOf<TMeanLine>(Xs, Ys);
    }
};

TEST(FunctionSeries, RangesFollowTheDataOrWidenTheXAxis) {
    TFunctionChart Chart;
    TMeanLine* S = Chart.Line({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {2, 4, 6, 8, 10, 2, 4, 6, 8, 10});
    S->Slope = 1;
    S->SetName("Mean");
    int Calculated = 0;
    S->SetOnCalculated([&](TObject* Sender) {
        EXPECT_EQ(Sender, S);
        ++Calculated;
    });
    Chart.Paint();
    EXPECT_EQ(Calculated, 1);
    // Captions and formulas quote the ranges and the formula.
    const QString Ref = GetComponentRef(S);
    EXPECT_EQ(ParseVariables("<%" + Ref + ".Formula%> over <%" + Ref + ".CalculationStart%>.." +
                                 "<%" + Ref + ".DisplayStop%>",
                             nullptr),
              "Y=mean+s*X over 1..10");
    EXPECT_DOUBLE_EQ(S->GetCalcStart(), 1);
    EXPECT_DOUBLE_EQ(S->GetCalcStop(), 10);
    EXPECT_DOUBLE_EQ(S->GetDisplayStart(), 1);
    EXPECT_DOUBLE_EQ(S->GetDisplayStop(), 10);
    // The Y extent is sampled from the curve: 6 + x over 1 .. 10.
    EXPECT_DOUBLE_EQ(S->GetYStart(), 7);
    EXPECT_DOUBLE_EQ(S->GetYStop(), 16);
    // The curve spans the data area, one point per pixel column and one more.
    const std::vector<TGPPointF>& Curve = S->ScreenPoints().Points();
    ASSERT_EQ(Curve.size(), size_t(std::lround(Chart.X->GetAxLength())) + 1);
    EXPECT_FLOAT_EQ(Curve.front().X, Chart.X->NumberToWorld(1));
    EXPECT_FLOAT_EQ(Curve.back().X, Chart.X->NumberToWorld(10));
    EXPECT_EQ(S->Calc.Runs, 1);
    // A repaint with nothing changed does not calculate again.
    Chart.Paint();
    EXPECT_EQ(S->Calc.Runs, 1);

    // A display range of its own beyond the data widens the X axis, and the automatic
    // calculation range with it.
    S->SetCoupleCalculationAndDisplay(false);
    S->SetDisplayAutoStart(false);
    S->SetDisplayAutoStop(false);
    S->SetDisplayStart(0);
    S->SetDisplayStop(20);
    Chart.Paint();
    EXPECT_EQ(S->Calc.Runs, 2);
    EXPECT_EQ(Ends(Chart.X), TEnds(0, 20));
    EXPECT_DOUBLE_EQ(S->GetCalcStop(), 20);
    EXPECT_FLOAT_EQ(S->ScreenPoints().Points().back().X, Chart.X->NumberToWorld(20));

    // A calculation range narrower than the data: the points outside take no part.
    S->SetAutoStop(false);
    S->SetCalcStop(4.5);
    Chart.Paint();
    EXPECT_DOUBLE_EQ(S->Calc.Mean, 5);

    // Switching a range back to automatic is one undo step with the value it replaces.
    TQvUndoStack Undo(Chart.Owner.get());
    S->SetUndoStack(&Undo);
    S->SetAutoStop(true);
    Chart.Paint();
    EXPECT_DOUBLE_EQ(S->GetCalcStop(), 20);
    Undo.Undo();
    EXPECT_FALSE(S->GetAutoStop());
    EXPECT_DOUBLE_EQ(S->GetCalcStop(), 4.5);
    S->SetUndoStack(nullptr);
}

TEST(FunctionSeries, TheCurveLeavesAnAxisSharedWithOrdinarySeriesAlone) {
    TFunctionChart Chart;
    TMeanLine* S = Chart.Line({0, 10}, {100, 300});
    S->Slope = 10;
    Chart.Paint();
    // Alone, it sets the Y range from the curve, 200 + 10 x, clipping or not.
    EXPECT_EQ(Ends(Chart.Y), TEnds(200, 300));
    // Beside a point series, a clipping curve reports nothing.
    Chart.NewSeries(Chart.NewVector("", {0, 10}), Chart.NewVector("", {0, 50}));
    Chart.Paint();
    EXPECT_GT(S->GetYStart(), S->GetYStop());
    EXPECT_DOUBLE_EQ(Chart.Y->GetStop(), 50);
    S->SetClipYValues(false);
    Chart.Paint();
    EXPECT_DOUBLE_EQ(Chart.Y->GetStop(), 300);
}

TEST(FunctionSeries, CalculationErrorsReachTheHandlerOrTheCaller) {
    TFunctionChart Chart;
    // Two points, one of them an outlier: too few for the model.
    TMeanLine* S = Chart.Line({1, 2, 3}, {5, 6, 7});
    static_cast<TQvDoubleVector*>(S->GetYData())->AddOutlier(1);
    static_cast<TQvDoubleVector*>(S->GetYData())->AddOutlier(2);
    EXPECT_EQ(MessageOf<EMathError>([&] { Chart.Paint(); }),
              "Not enough data points to calculate function");
    QStringList Reported;
    S->SetOnCalculationError([&](TObject* Sender, const Exception& E) {
        EXPECT_EQ(Sender, S);
        Reported << E.Message();
    });
    S->SetLastCount(0);
    const QImage Image = Chart.Render();
    EXPECT_EQ(Reported, QStringList{"Not enough data points to calculate function"});
    EXPECT_EQ(S->ScreenPoints().Count(), 0);
    // The same data do not fail again at every paint.
    Chart.Paint();
    EXPECT_EQ(Reported.size(), 1);
    // Vectors missing, and the formula of the base.
    TMeanCalculation Bare;
    EXPECT_THROW(Bare.Calculate(), EMathError);
    EXPECT_THROW(S->TQvFunctionSeries::GetFormula(), EMethodNotFound);
}

TEST(FunctionSeries, CurvesOnLogarithmicAxesAndTheirHitTests) {
    TFunctionChart Chart;
    Chart.X->SetScaling(TQvAxisScaling::Log);
    TMeanLine* S = Chart.Line({1, 10, 100, 1000}, {1, 2, 3, 4});
    S->Slope = 0.01;
    Chart.Paint();
    // Equal steps in decades: the pixels of the curve lie evenly spaced.
    const std::vector<TGPPointF>& Curve = S->ScreenPoints().Points();
    ASSERT_GT(Curve.size(), 100u);
    for (size_t k = 1; k < Curve.size(); ++k)
        ASSERT_NEAR(Curve[k].X - Curve[k - 1].X, Curve[1].X - Curve[0].X, 1e-3);
    // Hits on the curve have no data index.
    const TGPPointF P = Curve[Curve.size() / 2];
    EXPECT_EQ(S->FindPoint(P.X + 1, P.Y, 2), 0);
    EXPECT_EQ(S->FindPoint(P.X, P.Y + 50, 2), -1);
    const TQvNearestPointResult Near = S->NearestPoint({P.X, P.Y - 3});
    ASSERT_TRUE(Near.Found);
    EXPECT_EQ(Near.Index, -1);
    EXPECT_NEAR(Near.X, Chart.X->WorldToNumber(P.X), 1e-9);
    EXPECT_DOUBLE_EQ(Near.Y, S->GetY(Near.X));
}

TEST(FunctionSeries, RecordsRoundTripInEveryForm) {
    TFunctionChart Chart;
    TMeanLine* S = Chart.Line({1, 2, 3}, {4, 5, 6});
    TQvDoubleVector* Weight = Chart.NewVector("Weights", {1, 2, 3});
    S->SetName("Mean");
    S->SetWeight(Weight);
    S->SetAutoStart(false);
    S->SetCalcStart(1.25);
    S->SetCoupleCalculationAndDisplay(false);
    S->SetDisplayAutoStop(false);
    S->SetDisplayStop(7.5);
    S->SetClipYValues(false);

    // The own record closes the series record: weight reference, six flags, four ranges.
    const QByteArray Bytes = Binary(S);
    const QByteArray Ranges = Bytes.right(32);
    double Values[4];
    std::memcpy(Values, Ranges.constData(), sizeof Values);
    EXPECT_EQ(Values[0], 1.25);
    EXPECT_EQ(Values[3], 7.5);
    EXPECT_EQ(Bytes.mid(Bytes.size() - 38, 6), QByteArray("\x00\x01\x01\x00\x00\x00", 6));

    // A copy in each form has the weight and writes the same flags and ranges.
    for (TRecordForm Form : RecordForms) {
        SCOPED_TRACE(FormName(Form));
        auto* Read = new TMeanLine(Chart.Owner.get());
        CopyRecord(S, Read, Form);
        EXPECT_EQ(Read->GetWeight(), Weight);
        EXPECT_EQ(Binary(Read).right(38), Bytes.right(38));
    }

    // A record cut inside the own part changes nothing.
    auto* Untouched = new TMeanLine(Chart.Owner.get());
    EXPECT_THROW(ReadBinary(Untouched, Bytes.left(Bytes.size() - 10)), EReadError);
    EXPECT_EQ(Untouched->GetWeight(), nullptr);
    EXPECT_TRUE(Untouched->GetClipYValues());
}

TEST(FunctionSeries, ANewWeightVectorGetsTenOnesWhileDesigning) {
    TFunctionChart Chart;
    TMeanLine* S = Chart.Line({1, 2}, {3, 4});
    TQvDoubleVector* Empty = Chart.NewVector("", {});
    S->SetDesigning(true);
    S->SetWeight(Empty);
    ASSERT_EQ(Empty->GetCount(), 10);
    EXPECT_EQ(Empty->GetValue(9), 1.0);
}

} // namespace
