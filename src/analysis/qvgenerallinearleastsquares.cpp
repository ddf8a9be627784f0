#include "analysis/qvgenerallinearleastsquares.h"

#include "analysis/qvfitvariables.h"
#include "analysis/qvleastsquares.h"
#include "analysis/qvlinearregression.h"
#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"
#include "style/qvrecord.h"

#include <cmath>

using namespace Qvlocalize;

namespace {

// Documents create fits by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvGeneralLinearLeastSquares>();
    RegisterClass<TQvPolynomial>();
    return true;
}();

constexpr int DefaultOrder = 2;
// Terms a polynomial's formula writes out before it skips to the last.
constexpr int WrittenTerms = 5;

const TResourceString& MessageOf(QvLeastSquares::TFailure Failure) {
    switch (Failure) {
    case QvLeastSquares::TFailure::VectorDimension:
        return SSvdVectorDimension;
    case QvLeastSquares::TFailure::OutputMatrixDimension:
        return SSvdOutputMatrixDimension;
    case QvLeastSquares::TFailure::MatrixDimension:
        break;
    }
    return SSvdMatrixDimension;
}

} // namespace

// ---- The calculation ----

TQvCustomGeneralLinearLeastSquaresCalculation::TQvCustomGeneralLinearLeastSquaresCalculation(
    TObject* TransformationSender)
    : TQvCalculation(TransformationSender), Coefficients(DefaultOrder + 1, 1.0),
      DeltaCoefficients(DefaultOrder + 1, 1.0) {}

void TQvCustomGeneralLinearLeastSquaresCalculation::SetOrder(int Value) {
    if (Value == FOrder) return;
    FOrder = std::max(Value, Polynomial ? 2 : 0);
    Coefficients.assign(size_t(FOrder) + 1, 1.0);
    DeltaCoefficients.assign(size_t(FOrder) + 1, 1.0);
}

double TQvCustomGeneralLinearLeastSquaresCalculation::Basis(double x, int j) const {
    return BasisFunction ? BasisFunction(Owner, {x, j}) : std::pow(x, j);
}

double TQvCustomGeneralLinearLeastSquaresCalculation::GetFnWithCoeffs(double x) const {
    if (!BasisFunction) return Qvmath::Polynom(x, Coefficients);
    double Sum = 0;
    for (int j = 0; j <= FOrder; ++j)
        Sum += BasisFunction(Owner, {x, j}) * Coefficients[size_t(j)];
    return Sum;
}

void TQvCustomGeneralLinearLeastSquaresCalculation::Calculate() {
    CheckVectors();
    if (!BasisFunction && Owner && !Owner->IsDesigning() && !Polynomial)
        throw EMathError(SNoBasisFunction.Text());
    const int n = PointCount();
    AverageX = AverageY = VarianceX = VarianceY = QRel = SumOfResiduals = 0;

    // The points that take part: valid, with a positive weight.
    std::vector<int> Used;
    QvRegression::TSum SumWX, SumWY, SumW;
    for (int i = 0; i < n; ++i) {
        const double w = Wi(i);
        if (!IsValid(i) || !(w > 0)) continue;
        Used.push_back(i);
        SumWX.Add(w * Xi(i));
        SumWY.Add(w * Yi(i));
        SumW.Add(w);
    }
    AverageX = SumWX.Value() / SumW.Value();
    AverageY = SumWY.Value() / SumW.Value();
    const int Columns = FOrder + 1;
    const int Count = int(Used.size());
    if (Columns > Count) throw EMathError(SNotEnoughPoints.Text());
    if (Columns == Count) {
        // As many points as coefficients: two at one X leave the fit undetermined.
        std::vector<double> Xs;
        for (const int i : Used)
            Xs.push_back(Xi(i));
        std::sort(Xs.begin(), Xs.end());
        if (std::adjacent_find(Xs.begin(), Xs.end()) != Xs.end())
            throw EMathError(SNotEnoughPoints.Text());
    }

    QvLeastSquares::TMatrix A(Count, Columns);
    std::vector<double> b(static_cast<size_t>(Count));
    for (int r = 0; r < Count; ++r) {
        const int i = Used[size_t(r)];
        const double s = std::sqrt(Wi(i)), x = Xi(i);
        for (int j = 0; j < Columns; ++j)
            A(r, j) = s * Basis(x, j);
        b[size_t(r)] = s * Yi(i);
    }
    try {
        QvLeastSquares::TSolution Solution = QvLeastSquares::Solve(std::move(A), b);
        Coefficients = std::move(Solution.Coefficients);
        DeltaCoefficients = std::move(Solution.Deviations);
    } catch (const QvLeastSquares::ELeastSquaresError& E) {
        throw EMathError(MessageOf(E.Failure()).Text());
    }

    QvRegression::TSum Sxx, Syy, Residuals;
    for (int i = 0; i < n; ++i) {
        if (!IsValid(i)) continue;
        const double w = Wi(i), x = Xi(i), y = Yi(i);
        Sxx.Add(w * (x - AverageX) * (x - AverageX));
        Syy.Add(w * (y - AverageY) * (y - AverageY));
        const double Residual = y - GetFnWithCoeffs(x);
        Residuals.Add(w * Residual * Residual);
    }
    SumOfResiduals = Residuals.Value();
    r2 = Syy.Value() > 0 ? 1 - SumOfResiduals / Syy.Value() : 1;
    VarianceY = Syy.Value() / (SumW.Value() - 1);
    VarianceX = Sxx.Value() / (SumW.Value() - 1);
    QRel = std::sqrt(SumOfResiduals / (SumW.Value() - FOrder));
}

// ---- The series ----

TQvCustomGeneralLinearLeastSquares::TQvCustomGeneralLinearLeastSquares(TComponent* AOwner)
    : TQvRecordedSeries(AOwner), FCalc(this) {
    SetCalculation(&FCalc);
    FMinCount = DefaultOrder + 1;
    AddFitStatistics(this, FCalc);
    AddFitVariables<TQvCustomGeneralLinearLeastSquaresCalculation>(
        this, FCalc,
        {{"QRel", SLeastSquaresQRelVariable,
          &TQvCustomGeneralLinearLeastSquaresCalculation::QRel}});
    AddArrayToList(
        QStringLiteral("Coefficients"), SLeastSquaresCoefficientsArray.Text(), this,
        [this](int i) { return GetCoeff(i); }, GlobalArrayList());
    AddArrayToList(
        QStringLiteral("DeltaCoefficients"), SLeastSquaresDeltaArray.Text(), this,
        [this](int i) { return GetDeltaCoeff(i); }, GlobalArrayList());
}

TQvCustomGeneralLinearLeastSquares::~TQvCustomGeneralLinearLeastSquares() = default;

void TQvCustomGeneralLinearLeastSquares::SetOrder(int Value) {
    ChangeSetting(FCalc.GetOrder(), Value, "Order", SLeastSquaresOrder, [&] {
        FCalc.SetOrder(Value);
        FMinCount = FCalc.GetOrder() + 1;
    });
}

double TQvCustomGeneralLinearLeastSquares::Element(const std::vector<double>& Values, int i) const {
    if (i >= 0 && i <= FCalc.GetOrder()) return Values[size_t(i)];
    if (IsDesigning()) return 0;
    throw ERangeError(SLeastSquaresIndex.Text());
}

double TQvCustomGeneralLinearLeastSquares::GetCoeff(int i) const {
    return Element(FCalc.Coefficients, i);
}

double TQvCustomGeneralLinearLeastSquares::GetDeltaCoeff(int i) const {
    return Element(FCalc.DeltaCoefficients, i);
}

double TQvCustomGeneralLinearLeastSquares::GetY(double X) const {
    return FCalc.GetFnWithCoeffs(X);
}

void TQvCustomGeneralLinearLeastSquares::CalculateFunction() {
    FCalc.Owner = this;
    TQvRecordedSeries::CalculateFunction();
}

void TQvCustomGeneralLinearLeastSquares::VisitRecord(QvRecord::TRecord& R) {
    R.Field<int>({"Order", RecordNode(), "Order"}, FCalc.GetOrder(),
                 QvRecord::Setter(this, &TQvCustomGeneralLinearLeastSquares::SetOrder));
    R.End("least squares");
}

TQvGeneralLinearLeastSquares::TQvGeneralLinearLeastSquares(TComponent* AOwner)
    : TQvCustomGeneralLinearLeastSquares(AOwner) {
    NameCaption();
}

void TQvGeneralLinearLeastSquares::SetBasisFunction(const TQvGeneralLinearFittingHandler& Value) {
    FCalc.BasisFunction = Value;
    SetLastCount(0);
    Invalidate();
}

QString TQvGeneralLinearLeastSquares::GetFormula() const {
    return SLeastSquaresFormula.Text();
}

TQvPolynomial::TQvPolynomial(TComponent* AOwner) : TQvCustomGeneralLinearLeastSquares(AOwner) {
    FCalc.Polynomial = true;
    NameCaption();
}

QString TQvPolynomial::GetFormula() const {
    const int Order = GetOrder();
    const auto Term = [](int k) {
        return IndexToAlphabet(k + 1).toLower() + QStringLiteral("X\\+") + QString::number(k) +
               QStringLiteral("\\+");
    };
    QString Formula = QStringLiteral("Y=a+bX");
    for (int k = 2; k <= (Order <= WrittenTerms ? Order : WrittenTerms - 1); ++k)
        Formula += u'+' + Term(k);
    if (Order > WrittenTerms) Formula += QStringLiteral("+...+") + Term(Order);
    return Formula;
}
