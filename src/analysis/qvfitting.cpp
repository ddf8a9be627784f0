#include "analysis/qvfitting.h"

#include "analysis/qvfitvariables.h"
#include "axes/qvaxis.h"
#include "axes/qvstringfunctions.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvinifiles.h"
#include "framework/qvstreams.h"
#include "framework/qvxml.h"
#include "parser/qvparsefkt.h"
#include "strings/qvlocalize.h"
#include "style/qvio.h"
#include "undo/qvundostack.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qvlocalize;

namespace {

// Documents create fitted lines by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvFittedLine>();
    return true;
}();

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double StartCoefficient = 0.5;
// A start coefficient of 0 would give the simplex no extent in its direction.
constexpr double ZeroStart = 1.0;
constexpr int DefaultIterations = 300;

// A letter stands alone in a formula between these.
const QString Before = QStringLiteral("+-*/^(");
const QString After = QStringLiteral("+-*/^)");

bool Present(const QString& Text, QChar Letter) {
    for (qsizetype i = Text.indexOf(Letter); i >= 0; i = Text.indexOf(Letter, i + 1))
        if ((i == 0 || Before.contains(Text[i - 1])) &&
            (i + 1 == Text.size() || After.contains(Text[i + 1])))
            return true;
    return false;
}

const QString FitNode = QStringLiteral("Fit");
const QString CoefficientsNode = QStringLiteral("Coefficients");
const QString NoCoefficients = QStringLiteral("None");

} // namespace

// ---- The calculation ----

TQvSimplexFit::TQvSimplexFit(TObject* TransformationSender)
    : TQvCalculation(TransformationSender), Sender(this) {}

TQvSimplexFit::~TQvSimplexFit() = default;

void TQvSimplexFit::Use(std::span<const double> Coefficients) {
    FArgs.Coefficients = Coefficients;
    const size_t n = std::min(Coefficients.size(), FLetters.size());
    std::copy_n(Coefficients.begin(), n, FLetters.begin());
    std::fill(FLetters.begin() + std::ptrdiff_t(n), FLetters.end(), NaN);
}

void TQvSimplexFit::SetOrder(int Value) {
    FOrder = std::max(Value, 0);
    FCurrent.resize(size_t(FOrder), StartCoefficient);
    Use(FCurrent);
}

void TQvSimplexFit::SetCoefs(std::span<const double> Value) {
    if (int(Value.size()) != FOrder) SetOrder(int(Value.size()));
    std::copy(Value.begin(), Value.end(), FCurrent.begin());
    Use(FCurrent);
}

void TQvSimplexFit::SetExpression(const QString& Value) {
    if (Value == FExpression) return;
    // A formula that fails its checks is not taken.
    if (!FFittingFunction && !Value.isEmpty()) CheckExpression(Value);
    FExpression = Value;
}

void TQvSimplexFit::SetFittingFkt(const TQvFittingFunctionHandler& Value) {
    FFittingFunction = Value;
    if (!Value && !FExpression.isEmpty()) CheckExpression(FExpression);
}

void TQvSimplexFit::PrepareParser() {
    if (FParser) return;
    FParser = std::make_unique<TQvFunctionParser>();
    AddVariableToList(QStringLiteral("X"), SFitXVariable.Text(), &FArgs.X, FParser->VariablesList);
    for (int k = 0; k < MaxOrder; ++k) {
        const QChar Letter(u'A' + k);
        AddVariableToList(Letter, Format(SFitCoefficientVariable, {QString(Letter.toLower())}),
                          &FLetters[size_t(k)], FParser->VariablesList);
    }
}

void TQvSimplexFit::CheckExpression(const QString& Expression) {
    PrepareParser();
    const QString Text = Expression.toUpper().remove(u' ');
    if (!Present(Text, u'X')) throw EMathError(SFitNoX.Text());
    int Found = 0;
    for (int k = MaxOrder - 1; k >= 0 && !Found; --k)
        if (Present(Text, QChar(u'A' + k))) Found = k + 1;
    if (!Found && Iterations > 0) throw EMathError(SFitNoCoefficient.Text());
    FParser->SetExpression(Expression);
    if (Found) SetOrder(Found);
}

double TQvSimplexFit::Evaluate(double x) {
    FArgs.X = x;
    if (FFittingFunction) return FFittingFunction(Sender, FArgs);
    if (!FParser || !FParser->HasValidExpression()) return NaN;
    return FParser->GetResult();
}

double TQvSimplexFit::GetY(double x) {
    return Evaluate(x);
}

std::vector<TQvSimplexFit::TPoint> TQvSimplexFit::ValidPoints() const {
    std::vector<TPoint> Points;
    const int n = PointCount();
    for (int i = 0; i < n; ++i)
        if (IsValid(i)) Points.push_back({Xi(i), Yi(i), Wi(i)});
    return Points;
}

double TQvSimplexFit::ErrorSum(std::span<const double> Vertex) {
    Use(Vertex);
    if (OnNewCorner) OnNewCorner(Sender, std::vector<double>(Vertex.begin(), Vertex.end()));
    double Sum = 0;
    try {
        for (size_t i = 0; i < FPoints.size(); ++i) {
            const TPoint& P = FPoints[i];
            const double f = Evaluate(P.X);
            if (DoCovariance)
                Sum += P.W * std::abs((P.X - XAtHeight(int(i), f)) * (P.Y - f));
            else
                Sum += P.W * (P.Y - f) * (P.Y - f);
        }
    } catch (const EMathError&) {
        // Coefficients for which the function overflows or divides by zero are no candidates.
        return Infinity;
    }
    return std::isnan(Sum) ? Infinity : Sum;
}

void TQvSimplexFit::PrepareSegments() {
    FSegments.clear();
    FSegmentEnds.clear();
    std::vector<double> X, Y;
    for (const TPoint& P : FPoints) {
        X.push_back(P.X);
        Y.push_back(P.Y);
    }
    if (X.size() < 3) throw EMathError(SFitCovariancePoints.Text());
    QvSplines::SortAndMerge(X, Y, nullptr);
    // Neighbours at one height become one point at their mean x.
    for (size_t i = X.size() - 1; i-- > 0;)
        if (Y[i] == Y[i + 1]) {
            X[i] = (X[i] + X[i + 1]) / 2;
            X.erase(X.begin() + std::ptrdiff_t(i) + 1);
            Y.erase(Y.begin() + std::ptrdiff_t(i) + 1);
        }
    if (X.size() < 3) throw EMathError(SFitCovariancePoints.Text());
    // Runs of rising or falling y, neighbouring runs sharing their turning point; each is a
    // spline of x over y.
    const size_t n = X.size();
    for (size_t Start = 0; Start + 1 < n;) {
        const bool Rising = Y[Start + 1] > Y[Start];
        size_t End = Start + 1;
        while (End + 1 < n && (Y[End + 1] > Y[End]) == Rising)
            ++End;
        std::vector<double> Heights(Y.begin() + std::ptrdiff_t(Start),
                                    Y.begin() + std::ptrdiff_t(End) + 1);
        std::vector<double> Places(X.begin() + std::ptrdiff_t(Start),
                                   X.begin() + std::ptrdiff_t(End) + 1);
        if (Heights.size() < 3) {
            Heights.push_back(2 * Heights[1] - Heights[0]);
            Places.push_back(2 * Places[1] - Places[0]);
        }
        if (!Rising) {
            std::reverse(Heights.begin(), Heights.end());
            std::reverse(Places.begin(), Places.end());
        }
        FSegments.emplace_back().Akima(Heights, Places);
        FSegmentEnds.push_back(int(End));
        Start = End;
    }
}

double TQvSimplexFit::XAtHeight(int Point, double y) const {
    // Points are counted in the order of x, which is their order in data sorted by x.
    const auto Segment = std::lower_bound(FSegmentEnds.begin(), FSegmentEnds.end(), Point);
    const size_t k = Segment == FSegmentEnds.end() ? FSegments.size() - 1
                                                   : size_t(Segment - FSegmentEnds.begin());
    return FSegments[k].Value(y);
}

void TQvSimplexFit::Statistics() {
    double SumW = 0, SumWX = 0, SumWY = 0;
    for (const TPoint& P : FPoints) {
        SumW += P.W;
        SumWX += P.W * P.X;
        SumWY += P.W * P.Y;
    }
    if (SumW > 0) {
        AverageX = SumWX / SumW;
        AverageY = SumWY / SumW;
    }
    double Sxx = 0, Syy = 0;
    for (const TPoint& P : FPoints) {
        Sxx += P.W * (P.X - AverageX) * (P.X - AverageX);
        Syy += P.W * (P.Y - AverageY) * (P.Y - AverageY);
    }
    r2 = 1 - SumOfResiduals / (DoCovariance ? std::sqrt(Sxx * Syy) : Syy);
    VarianceX = Sxx / (SumW - 1);
    VarianceY = Syy / (SumW - 1);
}

void TQvSimplexFit::Calculate() {
    if (Iterations > 0) CheckVectors();
    if (!FFittingFunction && FExpression.isEmpty()) throw EMathError(SFitNoFunction.Text());
    FRemaining = Iterations;
    FStop = false;
    if (Iterations <= 0) return;
    if (FOrder <= 0) throw EMathError(SFitNoOrder.Text());
    FPoints = ValidPoints();
    if (FOrder > int(FPoints.size())) throw EMathError(SNotEnoughPoints.Text());
    if (DoCovariance) {
        try {
            PrepareSegments();
        } catch (...) {
            DoCovariance = false;
            throw EMathError(SFitCovarianceIndefinite.Text());
        }
    }
    for (double& c : FCurrent)
        if (c == 0) c = ZeroStart;
    const QvSimplex::TError Error = [this](std::span<const double> Vertex) {
        return ErrorSum(Vertex);
    };
    FSimplex.Begin(FCurrent, Error);
    do {
        if (RestartWhenStalled && FSimplex.Stalled()) FSimplex.Begin(FCurrent, Error);
        FSimplex.Step(Error);
        SumOfResiduals = FSimplex.BestValue();
        const std::span<const double> Best = FSimplex.Best();
        std::copy(Best.begin(), Best.end(), FCurrent.begin());
        Use(FCurrent);
        if (OnIteration) OnIteration(Sender);
        --FRemaining;
    } while (!FStop && FRemaining >= 0 && SumOfResiduals != 0);
    Statistics();
}

// ---- The series ----

TQvFittedLine::TQvFittedLine(TComponent* AOwner) : TQvFunctionSeries(AOwner), FCalc(this) {
    SetCalculation(&FCalc);
    FCalc.Iterations = DefaultIterations;
    FMinCount = 0;
    AddFitStatistics(this, FCalc);
    AddArrayToList(
        QStringLiteral("Coefficients"), SLeastSquaresCoefficientsArray.Text(), this,
        [this](int i) { return GetCoeff(i); }, GlobalArrayList());
    NameCaption();
}

TQvFittedLine::~TQvFittedLine() = default;

void TQvFittedLine::Changed(const char* PropName, const TResourceString& Caption) {
    if (FUndoStack) FUndoStack->PushProperty(this, Caption.Text(), QString::fromLatin1(PropName));
}

void TQvFittedLine::SetOrder(int Value) {
    Changed("Coefficients", SFitOrder);
    FCalc.SetOrder(Value);
    SetLastCount(0);
    Invalidate();
}

void TQvFittedLine::SetIterations(int Value) {
    if (Value == FCalc.Iterations) return;
    Changed("Iterations", SFitIterations);
    FCalc.Iterations = Value;
    SetLastCount(0);
    Invalidate();
}

void TQvFittedLine::SetExpression(const QString& Value) {
    if (Value == FCalc.GetExpression()) return;
    Changed("Expression", SFitExpression);
    FCalc.SetExpression(Value);
    if (!FCalc.FromExpression()) {
        UpdateVariablesObjects(FObjectsToUpdate);
        return;
    }
    SetLastCount(0);
    Invalidate();
}

void TQvFittedLine::SetDoCovariance(bool Value) {
    if (Value == FCalc.DoCovariance) return;
    Changed("DoCovariance", SFitCovariance);
    FCalc.DoCovariance = Value;
    SetLastCount(0);
    Invalidate();
}

void TQvFittedLine::SetRestartWhenStalled(bool Value) {
    if (Value == FCalc.RestartWhenStalled) return;
    Changed("RestartWhenStalled", SFitRestart);
    FCalc.RestartWhenStalled = Value;
    SetLastCount(0);
    Invalidate();
}

void TQvFittedLine::SetCoefficients(std::span<const double> Value) {
    Changed("Coefficients", SFitOrder);
    FCalc.SetCoefs(Value);
    SetLastCount(0);
    Invalidate();
}

QList<double> TQvFittedLine::GetCoefficientList() const {
    const std::span<const double> C = FCalc.GetCoefficients();
    return QList<double>(C.begin(), C.end());
}

void TQvFittedLine::SetCoefficientList(const QList<double>& Value) {
    SetCoefficients(std::vector<double>(Value.begin(), Value.end()));
}

void TQvFittedLine::SetFittingFunction(const TQvFittingFunctionHandler& Value) {
    FCalc.SetFittingFkt(Value);
    SetLastCount(0);
    Invalidate();
}

double TQvFittedLine::GetCoeff(int i) const {
    if (i >= 0 && i < FCalc.GetOrder()) return FCalc.GetCoefficients()[size_t(i)];
    if (IsDesigning()) return 0;
    throw ERangeError(SFitIndex.Text());
}

double TQvFittedLine::GetY(double X) const {
    if (IsDesigning()) {
        if (!FYAxis) return 0;
        const double Start = FYAxis->GetStart(), Stop = FYAxis->GetStop();
        return (std::sin(FDesignPhase + X) + 1) * (Stop - Start) / 2 + Start;
    }
    try {
        return FCalc.GetY(X);
    } catch (const EMathError&) {
        return NaN; // a gap where the function has no value
    }
}

QString TQvFittedLine::GetFormula() const {
    return FCalc.GetExpression();
}

void TQvFittedLine::CalculateFunction() {
    if (FCount < FMinCount && FCalc.Iterations != 0) return;
    SetLimits();
    PrepareCalculation();
    FCalc.Sender = this;
    if (!IsDesigning()) {
        if (FCalc.FromExpression() && FCalc.GetExpression().isEmpty())
            throw EMathError(SFitNoFunction.Text());
        FCalc.Calculate();
    }
    SampleYExtent(FSampledLo, FSampledHi);
    ReportYExtent();
    if (FOnCalculated) FOnCalculated(this);
}

void TQvFittedLine::CalculatePoints() {
    if (IsDesigning()) ++FDesignPhase;
    TQvFunctionSeries::CalculatePoints();
}

void TQvFittedLine::DefineProperties(TFiler* Filer) {
    TQvFunctionSeries::DefineProperties(Filer);
    Filer->DefineProperty(
        "Coeffs",
        [this](TReader* Reader) {
            std::vector<double> Read;
            Reader->ReadListBegin();
            while (!Reader->EndOfList())
                Read.push_back(Reader->ReadFloat());
            Reader->ReadListEnd();
            FCalc.SetCoefs(Read);
        },
        [this](TWriter* Writer) {
            Writer->WriteListBegin();
            for (const double c : FCalc.GetCoefficients())
                Writer->WriteFloat(c);
            Writer->WriteListEnd();
        },
        FCalc.GetOrder() >= 1);
}

// ---- Records ----

TQvFittedLine::TSettings TQvFittedLine::Settings() const {
    const std::span<const double> C = FCalc.GetCoefficients();
    return {FCalc.DoCovariance, FCalc.RestartWhenStalled, FCalc.Iterations,
            std::vector<double>(C.begin(), C.end()), FCalc.GetExpression()};
}

TQvSeries::TApplyRecord TQvFittedLine::Applying(TApplyRecord Inherited, TSettings Read) {
    return [this, Inherited = std::move(Inherited), Read = std::move(Read)] {
        if (Inherited) Inherited();
        SetDoCovariance(Read.DoCovariance);
        SetRestartWhenStalled(Read.RestartWhenStalled);
        SetIterations(Read.Iterations);
        SetCoefficients(Read.Coefficients);
        SetExpression(Read.Expression);
    };
}

void TQvFittedLine::WriteOwnRecord(QIODevice* Stream) const {
    TQvFunctionSeries::WriteOwnRecord(Stream);
    const TSettings S = Settings();
    QvStream::WriteBoolean(Stream, S.DoCovariance);
    QvStream::WriteInteger(Stream, S.Iterations);
    QvStream::WriteInteger(Stream, qint32(S.Coefficients.size()));
    for (const double c : S.Coefficients)
        QvStream::WriteDouble(Stream, c);
    StringToStream(Stream, S.Expression);
    // A block of what came later: the restart.
    QvStream::WriteByte(Stream, 1);
    QvStream::WriteBoolean(Stream, S.RestartWhenStalled);
    QvStream::WriteByte(Stream, 0);
}

TQvSeries::TApplyRecord TQvFittedLine::ReadOwnRecord(QIODevice* Stream) {
    TApplyRecord Inherited = TQvFunctionSeries::ReadOwnRecord(Stream);
    TSettings S = Settings();
    S.DoCovariance = QvStream::ReadBoolean(Stream);
    S.Iterations = QvStream::ReadInteger(Stream);
    const qint32 Count = QvStream::ReadInteger(Stream);
    QvStream::CheckStoredCount(Stream, Count, 8);
    if (Count > TQvSimplexFit::MaxOrder) throw EReadError(SInvalidPropertyValue.Text());
    S.Coefficients.resize(size_t(Count));
    for (double& c : S.Coefficients)
        c = QvStream::ReadDouble(Stream);
    S.Expression = StringFromStream(Stream);
    if (ReadMarker(Stream)) {
        S.RestartWhenStalled = QvStream::ReadBoolean(Stream);
        ExpectEnd(Stream, "fitted line");
    }
    return Applying(std::move(Inherited), std::move(S));
}

void TQvFittedLine::WriteOwnRecord(IXMLNode Element) const {
    TQvFunctionSeries::WriteOwnRecord(Element);
    const TSettings S = Settings();
    IXMLNode Fit = Element.AddChild(FitNode);
    Fit.SetAttribute("DoCovariance", BoolText(S.DoCovariance));
    Fit.SetAttribute("RestartWhenStalled", BoolText(S.RestartWhenStalled));
    Fit.SetAttribute("Iterations", QString::number(S.Iterations));
    Fit.SetAttribute("Expression", S.Expression);
    IXMLNode List = Fit.AddChild(CoefficientsNode);
    List.SetAttribute("Count", QString::number(S.Coefficients.size()));
    for (const double c : S.Coefficients)
        List.AddChild(QStringLiteral("Item")).SetText(DoubleToStr(c));
}

TQvSeries::TApplyRecord TQvFittedLine::ReadOwnRecord(const IXMLNode& Element) {
    TApplyRecord Inherited = TQvFunctionSeries::ReadOwnRecord(Element);
    TSettings S = Settings();
    if (const IXMLNode Fit = Element.FindNode(FitNode)) {
        S.DoCovariance = AttrBool(Fit, "DoCovariance", S.DoCovariance);
        S.RestartWhenStalled = AttrBool(Fit, "RestartWhenStalled", S.RestartWhenStalled);
        S.Iterations = AttrInt(Fit, "Iterations", S.Iterations);
        if (Fit.HasAttribute("Expression")) S.Expression = Fit.Attribute("Expression");
        if (const IXMLNode List = Fit.FindNode(CoefficientsNode)) {
            const int Count = std::clamp(List.Attribute("Count").toInt(), 0,
                                         std::min(List.ChildCount(), TQvSimplexFit::MaxOrder));
            S.Coefficients.resize(size_t(Count));
            for (int i = 0; i < Count; ++i)
                S.Coefficients[size_t(i)] = DoubleFromStr(List.Child(i).Text());
        }
    }
    return Applying(std::move(Inherited), std::move(S));
}

void TQvFittedLine::WriteOwnRecord(TCustomIniFile* Ini, const QString& Section) const {
    TQvFunctionSeries::WriteOwnRecord(Ini, Section);
    const TSettings S = Settings();
    Ini->WriteBool(Section, "DoCovariance", S.DoCovariance);
    Ini->WriteBool(Section, "RestartWhenStalled", S.RestartWhenStalled);
    Ini->WriteInteger(Section, "Iterations", S.Iterations);
    Ini->WriteString(Section, "Expression", S.Expression);
    Ini->WriteInteger(Section, "Order", int(S.Coefficients.size()));
    QStringList Texts;
    for (const double c : S.Coefficients)
        Texts << DoubleToStr(c);
    Ini->WriteString(Section, "Coefficients",
                     S.Coefficients.empty() ? NoCoefficients : Texts.join(u' '));
}

TQvSeries::TApplyRecord TQvFittedLine::ReadOwnRecord(TCustomIniFile* Ini, const QString& Section) {
    TApplyRecord Inherited = TQvFunctionSeries::ReadOwnRecord(Ini, Section);
    TSettings S = Settings();
    S.DoCovariance = Ini->ReadBool(Section, "DoCovariance", S.DoCovariance);
    S.RestartWhenStalled = Ini->ReadBool(Section, "RestartWhenStalled", S.RestartWhenStalled);
    S.Iterations = Ini->ReadInteger(Section, "Iterations", S.Iterations);
    S.Expression = Ini->ReadString(Section, "Expression", S.Expression);
    const QString Texts = Ini->ReadString(Section, "Coefficients", NoCoefficients);
    if (Texts != NoCoefficients) {
        const QStringList Parts = Texts.split(u' ', Qt::SkipEmptyParts);
        if (Parts.size() > TQvSimplexFit::MaxOrder) throw EReadError(SInvalidPropertyValue.Text());
        S.Coefficients.clear();
        for (const QString& Part : Parts)
            S.Coefficients.push_back(DoubleFromStr(Part));
    }
    return Applying(std::move(Inherited), std::move(S));
}
