#include "analysis/qvinterpolation.h"

#include "framework/qvdialogs.h"
#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"
#include "style/qvrecord.h"

using namespace Qvlocalize;
using QvSplines::TPiecewiseCubic;

namespace {

// Documents create interpolations by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvInterpolation>();
    return true;
}();

constexpr double TinyElasticity = 1e-300;

const TResourceString& MessageOf(QvSplines::TFailure Failure) {
    switch (Failure) {
    case QvSplines::TFailure::MatrixTooSmall:
        return SMatrixTooSmall;
    case QvSplines::TFailure::NotTridiagonal:
        return SMatrixNotTridiagonal;
    case QvSplines::TFailure::NonPositiveDimension:
        return SMatrixDimension;
    case QvSplines::TFailure::NotEnoughPoints:
        break;
    }
    return SNotEnoughPoints;
}

void TellNoSmoothing() {
    MessageDlg(SSplineNeedsNoSmoothing.Text(), TMsgDlgType::Information, TMsgDlgBtn::OK);
}

} // namespace

// ---- The calculation ----

TQvInterpolationCalculation::TQvInterpolationCalculation(TObject* TransformationSender)
    : TQvCalculation(TransformationSender) {}

void TQvInterpolationCalculation::MarkDirty() {
    FCoefficientsDirty = true;
    FExtrema.Dirty = FSlopeExtrema.Dirty = FIntegralExtrema.Dirty = true;
}

void TQvInterpolationCalculation::SetInterpolationMethod(TQvInterpolationMethod Value) {
    if (Value == FMethod) return;
    FMethod = Value;
    if (Value == TQvInterpolationMethod::ApproximativeSpline && FDoSmoothing) {
        TellNoSmoothing();
        FDoSmoothing = false;
    }
    MarkDirty();
}

void TQvInterpolationCalculation::SetDoSmoothing(bool Value) {
    if (Value == FDoSmoothing) return;
    if (Value && FMethod == TQvInterpolationMethod::ApproximativeSpline) {
        TellNoSmoothing();
        return;
    }
    FDoSmoothing = Value;
    FCoefficientsDirty = true;
}

void TQvInterpolationCalculation::SetSmoothM(double Value) {
    if (Value == FSmoothM) return;
    FSmoothM = Value;
    if (FMethod != TQvInterpolationMethod::ApproximativeSpline) FCoefficientsDirty = true;
}

void TQvInterpolationCalculation::SetElasticityFactor(double Value) {
    if (Value == FElasticityFactor) return;
    FElasticityFactor = Value > 0 ? Value : TinyElasticity;
    if (FMethod == TQvInterpolationMethod::ApproximativeSpline) FCoefficientsDirty = true;
}

void TQvInterpolationCalculation::Calculate() {
    CheckVectors();
    MarkDirty();
    const bool Approximative = FMethod == TQvInterpolationMethod::ApproximativeSpline;
    const int n = PointCount();
    // The buffers of the last calculation are filled again: no allocation for data of one size.
    std::vector<double>&X = FXs, &Y = FYs, &W = FWs;
    X.clear();
    Y.clear();
    W.clear();
    for (int i = 0; i < n; ++i) {
        if (!IsValid(i) || !(Wi(i) > 0)) continue;
        X.push_back(Xi(i));
        Y.push_back(Yi(i));
        if (Approximative) W.push_back(Wi(i) * FElasticityFactor);
    }
    // Equal x would make a step of zero width: such points are merged, sorted data too.
    QvSplines::SortAndMerge(X, Y, Approximative ? &W : nullptr);
    if (X.size() < (Approximative ? 6u : 3u)) throw EMathError(SNotEnoughPoints.Text());
    try {
        switch (FMethod) {
        case TQvInterpolationMethod::Akima:
            if (FDoSmoothing) QvSplines::Smooth(X, Y, FSmoothM, SmoothLog);
            FFunction.Akima(X, Y);
            break;
        case TQvInterpolationMethod::CubicSpline:
            if (FDoSmoothing) QvSplines::Smooth(X, Y, FSmoothM, SmoothLog);
            FFunction.CubicSpline(X, Y);
            break;
        case TQvInterpolationMethod::ApproximativeSpline:
            FFunction.Smoothing(X, Y, W);
            break;
        }
    } catch (const QvSplines::ESplineError& E) {
        FFunction = TPiecewiseCubic();
        throw EMathError(MessageOf(E.Failure()).Text());
    }
    FCoefficientsDirty = false;
}

const TPiecewiseCubic& TQvInterpolationCalculation::Function() const {
    if (FCoefficientsDirty) const_cast<TQvInterpolationCalculation*>(this)->Calculate();
    return FFunction;
}

int TQvInterpolationCalculation::Count() const {
    return FFunction.Count();
}

int TQvInterpolationCalculation::FindIndex(double x) const {
    return Function().FindIndex(x);
}

double TQvInterpolationCalculation::Interpolate(double x) const {
    return Function().Value(x);
}

double TQvInterpolationCalculation::Slope(double x) const {
    return Function().Slope(x);
}

double TQvInterpolationCalculation::Curvature(double x) const {
    return Function().Curvature(x);
}

double TQvInterpolationCalculation::Integral(double x) const {
    return Function().Integral(x);
}

const TQvInterpolationCalculation::TExtrema& TQvInterpolationCalculation::Current(
    TExtrema& Extrema, void (TPiecewiseCubic::*Find)(std::vector<TQvExtremum>&,
                                                     std::vector<TQvExtremum>&) const) const {
    const TPiecewiseCubic& F = Function();
    if (Extrema.Dirty) {
        (F.*Find)(Extrema.Minima, Extrema.Maxima);
        Extrema.Dirty = false;
    }
    return Extrema;
}

const std::vector<TQvExtremum>& TQvInterpolationCalculation::GetMinima() const {
    return Current(FExtrema, &TPiecewiseCubic::Extrema).Minima;
}

const std::vector<TQvExtremum>& TQvInterpolationCalculation::GetMaxima() const {
    return Current(FExtrema, &TPiecewiseCubic::Extrema).Maxima;
}

const std::vector<TQvExtremum>& TQvInterpolationCalculation::GetDiffMinima() const {
    return Current(FSlopeExtrema, &TPiecewiseCubic::SlopeExtrema).Minima;
}

const std::vector<TQvExtremum>& TQvInterpolationCalculation::GetDiffMaxima() const {
    return Current(FSlopeExtrema, &TPiecewiseCubic::SlopeExtrema).Maxima;
}

const std::vector<TQvExtremum>& TQvInterpolationCalculation::GetIntMinima() const {
    return Current(FIntegralExtrema, &TPiecewiseCubic::IntegralExtrema).Minima;
}

const std::vector<TQvExtremum>& TQvInterpolationCalculation::GetIntMaxima() const {
    return Current(FIntegralExtrema, &TPiecewiseCubic::IntegralExtrema).Maxima;
}

// ---- The series ----

TQvInterpolation::TQvInterpolation(TComponent* AOwner) : TQvRecordedSeries(AOwner), FCalc(this) {
    SetCalculation(&FCalc);
    FMinCount = 3;
    AddVariableToList(
        QStringLiteral("SmoothingRange"), SInterpolationSmoothingRangeVariable.Text(), this,
        [this] { return FCalc.GetSmoothM(); }, GlobalVariableList());
    AddVariableToList(
        QStringLiteral("ElasticityFactor"), SInterpolationElasticityVariable.Text(), this,
        [this] { return FCalc.GetElasticityFactor(); }, GlobalVariableList());
    // The i-th extremum's X or Y; 0 past the last.
    const auto Extrema = [this](bool Maxima, bool Y) {
        return [this, Maxima, Y](int i) {
            const std::vector<TQvExtremum>& List = Maxima ? FCalc.GetMaxima() : FCalc.GetMinima();
            if (i < 0 || size_t(i) >= List.size()) return 0.0;
            return Y ? List[size_t(i)].Y : List[size_t(i)].X;
        };
    };
    for (const bool Maxima : {true, false})
        for (const bool Y : {false, true})
            AddArrayToList(QString::fromLatin1(Maxima ? "Maxima." : "Minima.") + (Y ? u'Y' : u'X'),
                           SInterpolationExtremaVariable.Text(), this, Extrema(Maxima, Y),
                           GlobalArrayList());
    NameCaption();
}

TQvInterpolation::~TQvInterpolation() = default;

void TQvInterpolation::SetInterpolationMethod(TQvInterpolationMethod Value) {
    ChangeSetting(GetInterpolationMethod(), Value, "InterpolationMethod", SInterpolationMethod,
                  [&] { FCalc.SetInterpolationMethod(Value); });
}

void TQvInterpolation::SetSmoothPoints(bool Value) {
    ChangeSetting(GetSmoothPoints(), Value, "SmoothPoints", SInterpolationSmoothPoints,
                  [&] { FCalc.SetDoSmoothing(Value); });
}

void TQvInterpolation::SetSmoothingRange(double Value) {
    ChangeSetting(GetSmoothingRange(), Value, "SmoothingRange", SInterpolationSmoothingRange,
                  [&] { FCalc.SetSmoothM(Value); });
}

void TQvInterpolation::SetElasticityFactor(double Value) {
    ChangeSetting(GetElasticityFactor(), Value, "ElasticityFactor", SInterpolationElasticity,
                  [&] { FCalc.SetElasticityFactor(Value); });
}

double TQvInterpolation::GetY(double X) const {
    return FCalc.Interpolate(X);
}

QString TQvInterpolation::GetFormula() const {
    switch (GetInterpolationMethod()) {
    case TQvInterpolationMethod::CubicSpline:
        return SInterpolationCubicSpline.Text();
    case TQvInterpolationMethod::ApproximativeSpline:
        return SInterpolationApproximativeSpline.Text();
    case TQvInterpolationMethod::Akima:
        break;
    }
    return SInterpolationAkima.Text();
}

void TQvInterpolation::CalculateFunction() {
    FCalc.Invalidate();
    TQvRecordedSeries::CalculateFunction();
}

void TQvInterpolation::VisitRecord(QvRecord::TRecord& R) {
    using QvRecord::Setter;
    R.Enum({"InterpolationMethod", "Interpolation", "InterpolationMethod"},
           GetInterpolationMethod(), Setter(this, &TQvInterpolation::SetInterpolationMethod));
    R.Field({"SmoothPoints", "Interpolation", "SmoothPoints"}, GetSmoothPoints(),
            Setter(this, &TQvInterpolation::SetSmoothPoints));
    R.Field({"SmoothingRange", "Interpolation", "SmoothingRange"}, GetSmoothingRange(),
            Setter(this, &TQvInterpolation::SetSmoothingRange));
    R.Field({"ElasticityFactor", "Interpolation", "ElasticityFactor"}, GetElasticityFactor(),
            Setter(this, &TQvInterpolation::SetElasticityFactor));
    R.End("interpolation");
}
