#pragma once

// Fits of any function y = F(x; a, b, ...) with up to 16 coefficients by the downhill simplex:
// F comes from the application (FittingFunction) or is a formula in X and A..P. The calculation
// searches; the series draws F with the coefficients found.

#include "analysis/qvsimplex.h"
#include "analysis/qvsplines.h"
#include "series/qvcalculation.h"
#include "series/qvfunctionseries.h"

#include <array>
#include <memory>
#include <span>
#include <vector>

class TQvFunctionParser;

// What a fitting function is asked for: its value at X with the given coefficients.
struct TQvFittingFunctionArgs {
    double X;
    // The coefficients being tried, or the current ones.
    std::span<const double> Coefficients;
};
using TQvFittingFunctionHandler =
    std::function<double(TObject* Sender, const TQvFittingFunctionArgs& e)>;
// A vertex about to be evaluated, as a copy.
using TQvFittingCornerHandler =
    std::function<void(TObject* Sender, const std::vector<double>& Coefficients)>;

// Fits the coefficients of any function to weighted data by the downhill simplex.
class TQvSimplexFit : public TQvCalculation {
    Q_OBJECT
public:
    // Coefficients a formula may use, A to P.
    static constexpr int MaxOrder = 16;

    explicit TQvSimplexFit(TObject* TransformationSender = nullptr);
    ~TQvSimplexFit() override;

    // The error sum is the covariance of the distances in X and Y from each point to the
    // curve, instead of the squared distances in Y.
    bool DoCovariance = false;
    // Once the simplex has collapsed, it starts again around its best vertex while iterations
    // remain, instead of waiting there.
    bool RestartWhenStalled = false;
    int Iterations = 300;
    // Passed to the handlers: the owning series once it has calculated, else this.
    TObject* Sender;
    double SumOfResiduals = 1, AverageX = 1, AverageY = 1, VarianceX = 1, VarianceY = 1, r2 = 1;
    TNotifyEvent OnIteration;
    TQvFittingCornerHandler OnNewCorner;

    // The number of coefficients; -1 until an expression or SetOrder sets it.
    int GetOrder() const { return FOrder; }
    // At least 0; new coefficients start at 0.5.
    void SetOrder(int Value);
    std::span<const double> GetCoefficients() const { return FArgs.Coefficients; }
    // Takes the length of Value as the order.
    void SetCoefs(std::span<const double> Value);
    const QString& GetExpression() const { return FExpression; }
    // Without a fitting function, a new expression is parsed and sets the order: EMathError
    // when it lacks X or every coefficient.
    void SetExpression(const QString& Value);
    const TQvFittingFunctionHandler& GetFittingFunction() const { return FFittingFunction; }
    void SetFittingFkt(const TQvFittingFunctionHandler& Value);
    // F is the parsed expression, not the application's fitting function.
    bool FromExpression() const { return !FFittingFunction; }
    // Ends a running search after its current step.
    void StopIterations() { FStop = true; }
    // Steps left of the last search.
    int Remaining() const { return FRemaining; }

    // F at x with the current coefficients.
    double GetY(double x);
    // Runs the search from the current coefficients; raises EMathError with the messages of
    // the checks.
    void Calculate() override;

private:
    void PrepareParser();
    // Parses Expression and takes its order: EMathError when it lacks X or every coefficient,
    // or does not parse.
    void CheckExpression(const QString& Expression);
    // The coefficients F sees.
    void Use(std::span<const double> Coefficients);
    double Evaluate(double x);
    double ErrorSum(std::span<const double> Vertex);
    // The valid points, read once for every evaluation of a search.
    struct TPoint {
        double X, Y, W;
    };
    std::vector<TPoint> ValidPoints() const;
    // Runs of rising or falling y of the data, each an Akima spline of x over y.
    void PrepareSegments();
    // The X at which the data reach height y near the point of ordinal Point.
    double XAtHeight(int Point, double y) const;
    void Statistics();

    int FOrder = -1;
    bool FStop = false;
    int FRemaining = 0;
    std::vector<double> FCurrent;
    QString FExpression;
    std::unique_ptr<TQvFunctionParser> FParser;
    TQvFittingFunctionHandler FFittingFunction;
    TQvFittingFunctionArgs FArgs{0, {}};
    // The coefficients as the formula reads them, A to P, NaN beyond the order.
    std::array<double, MaxOrder> FLetters{};
    QvSimplex::TDownhillSimplex FSimplex;
    std::vector<TPoint> FPoints;
    std::vector<QvSplines::TPiecewiseCubic> FSegments;
    std::vector<int> FSegmentEnds;
};

// The curve of a fitted function across the display range.
class TQvFittedLine : public TQvFunctionSeries {
    Q_OBJECT
    Q_PROPERTY(int Order READ GetOrder WRITE SetOrder)
    Q_PROPERTY(int Iterations READ GetIterations WRITE SetIterations)
    Q_PROPERTY(QString Expression READ GetExpression WRITE SetExpression)
    Q_PROPERTY(bool DoCovariance READ GetDoCovariance WRITE SetDoCovariance)
    Q_PROPERTY(bool RestartWhenStalled READ GetRestartWhenStalled WRITE SetRestartWhenStalled)
    // Streamed as the extra property "Coeffs".
    Q_PROPERTY(
        QList<double> Coefficients READ GetCoefficientList WRITE SetCoefficientList STORED false)
public:
    Q_INVOKABLE explicit TQvFittedLine(TComponent* AOwner);
    ~TQvFittedLine() override;

    int GetOrder() const { return FCalc.GetOrder(); }
    void SetOrder(int Value);
    int GetIterations() const { return FCalc.Iterations; }
    void SetIterations(int Value);
    const QString& GetExpression() const { return FCalc.GetExpression(); }
    void SetExpression(const QString& Value);
    bool GetDoCovariance() const { return FCalc.DoCovariance; }
    void SetDoCovariance(bool Value);
    bool GetRestartWhenStalled() const { return FCalc.RestartWhenStalled; }
    void SetRestartWhenStalled(bool Value);
    std::span<const double> GetCoefficients() const { return FCalc.GetCoefficients(); }
    void SetCoefficients(std::span<const double> Value);
    QList<double> GetCoefficientList() const;
    void SetCoefficientList(const QList<double>& Value);
    const TQvFittingFunctionHandler& GetFittingFunction() const {
        return FCalc.GetFittingFunction();
    }
    void SetFittingFunction(const TQvFittingFunctionHandler& Value);
    const TNotifyEvent& GetOnIteration() const { return FCalc.OnIteration; }
    void SetOnIteration(const TNotifyEvent& Value) { FCalc.OnIteration = Value; }
    const TQvFittingCornerHandler& GetOnNewCorner() const { return FCalc.OnNewCorner; }
    void SetOnNewCorner(const TQvFittingCornerHandler& Value) { FCalc.OnNewCorner = Value; }
    // Ends a running search after its current step.
    void StopIterations() { FCalc.StopIterations(); }

    // Coefficient i; beyond the order ERangeError, while designing 0.
    double GetCoeff(int i) const;
    double GetAverageX() const { return FCalc.AverageX; }
    double GetAverageY() const { return FCalc.AverageY; }
    double GetVarianceX() const { return FCalc.VarianceX; }
    double GetVarianceY() const { return FCalc.VarianceY; }
    // The coefficient of determination r2.
    double Getr2() const { return FCalc.r2; }
    double GetSumOfResiduals() const { return FCalc.SumOfResiduals; }
    const TQvSimplexFit& GetFit() const { return FCalc; }

    // While designing a sine across the Y axis that moves with every repaint.
    double GetY(double X) const override;
    QString GetFormula() const override;
    void CalculateFunction() override;
    void CalculatePoints() override;
    void DefineProperties(TFiler* Filer) override;

protected:
    void WriteOwnRecord(QIODevice* Stream) const override;
    TApplyRecord ReadOwnRecord(QIODevice* Stream) override;
    void WriteOwnRecord(IXMLNode Element) const override;
    TApplyRecord ReadOwnRecord(const IXMLNode& Element) override;
    void WriteOwnRecord(TCustomIniFile* Ini, const QString& Section) const override;
    TApplyRecord ReadOwnRecord(TCustomIniFile* Ini, const QString& Section) override;

private:
    // The settings a record holds, applied through the setters in this order.
    struct TSettings {
        bool DoCovariance, RestartWhenStalled;
        int Iterations;
        std::vector<double> Coefficients;
        QString Expression;
    };
    TSettings Settings() const;
    TApplyRecord Applying(TApplyRecord Inherited, TSettings Read);
    void Changed(const char* PropName, const TResourceString& Caption);

    mutable TQvSimplexFit FCalc;
    int FDesignPhase = 0;
};
