#include "analysis/qvlinearregression.h"

#include "analysis/qvfitvariables.h"
#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "framework/qvdialogs.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvinifiles.h"
#include "framework/qvstreams.h"
#include "framework/qvxml.h"
#include "graph/qvgraph2d.h"
#include "strings/qvlocalize.h"
#include "style/qvio.h"
#include "undo/qvundostack.h"

#include <typeinfo>

using namespace Qvlocalize;
using Qvmath::MaxDouble;

namespace {

// The points of a calculation as the fit reads them.
struct TCalculationPoints {
    const TQvLinearRegressionCalculation& Calculation;
    int n;
    int Count() const { return n; }
    bool Valid(int i) const { return Calculation.IsValid(i); }
    double X(int i) const { return Calculation.Xi(i); }
    double Y(int i) const { return Calculation.Yi(i); }
    double W(int i) const { return Calculation.Wi(i); }
};

// The same points read straight from the vectors' storage, for when no transformation is
// set: a virtual call or two per value made the general path six times slower.
struct TStoredPoints {
    const TQvLinearRegressionCalculation& Calculation;
    const double *Xs, *Ys, *Ws;
    int n;
    double Start, Stop;
    bool LogX, LogY;
    // Some vector marks points that are to be left out.
    bool Outliers;
    int Count() const { return n; }
    bool Valid(int i) const {
        if (!(Xs[i] >= Start && Xs[i] <= Stop)) return false;
        if (Outliers && (Calculation.XData->IsOutlier(i) || Calculation.YData->IsOutlier(i) ||
                         (Ws && Calculation.Weight->IsOutlier(i))))
            return false;
        return std::isfinite(X(i)) && std::isfinite(Y(i)) && std::isfinite(W(i));
    }
    double X(int i) const { return LogX ? std::log10(Xs[i]) : Xs[i]; }
    double Y(int i) const { return LogY ? std::log10(Ys[i]) : Ys[i]; }
    double W(int i) const { return Ws ? std::abs(Ws[i]) : 1.0; }
};

} // namespace

TQvLinearRegressionCalculation::TQvLinearRegressionCalculation(TObject* TransformationSender)
    : TQvCalculation(TransformationSender), Slope(1), DeltaSlope(1), Offset(1), DeltaOffset(1),
      AverageX(1), AverageY(1), VarianceX(1), VarianceY(1), r2(1), R(1), SumOfResiduals(1) {}

double TQvLinearRegressionCalculation::Xi(int i) const {
    const double x = TQvCalculation::Xi(i);
    return LogX ? std::log10(x) : x;
}

double TQvLinearRegressionCalculation::Yi(int i) const {
    const double y = TQvCalculation::Yi(i);
    return LogY ? std::log10(y) : y;
}

void TQvLinearRegressionCalculation::Calculate() {
    CheckVectors();
    const int n = PointCount();
    const double* Ws = Weight ? Weight->Data() : nullptr;
    // A derived class may map the values in Xi or Yi.
    const bool Stored = typeid(*this) == typeid(TQvLinearRegressionCalculation) &&
                        !XValueTransformation && !YValueTransformation &&
                        !WeightValueTransformation && XData->Data() && YData->Data() &&
                        (!Weight || Ws);
    const bool Outliers = !OutliersVisible && (XData->GetAnyOutliers() || YData->GetAnyOutliers() ||
                                               (Weight && Weight->GetAnyOutliers()));
    const QvRegression::TLinearFit Fit =
        Stored ? QvRegression::FitLine(TStoredPoints{*this, XData->Data(), YData->Data(), Ws, n,
                                                     Start, Stop, LogX, LogY, Outliers},
                                       FixedOffset, Offset)
               : QvRegression::FitLine(TCalculationPoints{*this, n}, FixedOffset, Offset);
    SumX = Fit.SumX;
    SumY = Fit.SumY;
    SumW = Fit.SumW;
    SumXX0 = Fit.SumXX0;
    SumXY0 = Fit.SumXY0;
    Sxy = Fit.Sxy;
    Sxx = Fit.Sxx;
    Syy = Fit.Syy;
    Slope = Fit.Slope;
    DeltaSlope = Fit.DeltaSlope;
    Offset = Fit.Offset;
    DeltaOffset = Fit.DeltaOffset;
    AverageX = Fit.AverageX;
    AverageY = Fit.AverageY;
    VarianceX = Fit.VarianceX;
    VarianceY = Fit.VarianceY;
    r2 = Fit.r2;
    R = Fit.R;
    SumOfResiduals = Fit.SumOfResiduals;
    if (!Fit.Enough) throw EMathError(SNotEnoughPoints.Text());
}

double TQvLinearRegressionCalculation::Confidence(double x, double t) const {
    const double dx = x - AverageX;
    return std::sqrt((1 / SumW + dx * dx / Sxx) * Syy / (SumW - 2) * t);
}

// ---- The series ----

namespace {

// The band's line and fill take the line colour with these alphas.
constexpr quint32 BandLineAlpha = 100;
constexpr quint32 BandAreaAlpha = 10;

TQvColor WithAlpha(TQvColor Color, quint32 Alpha) {
    return (Color & 0x00FFFFFFu) | (Alpha << 24);
}

const QString RegressionNode = QStringLiteral("LinearRegression");
const QString BandLineName = QStringLiteral("ConfidenceIntervalLine");
const QString BandAreaName = QStringLiteral("ConfidenceIntervalArea");

[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvLinearRegression>();
    return true;
}();

} // namespace

TQvLinearRegression::TQvLinearRegression(TComponent* AOwner)
    : TQvFunctionSeries(AOwner), FCalc(this), FBandLine(std::make_unique<TQvLineSettings>()),
      FBandArea(std::make_unique<TQvAreaSettings>()) {
    SetCalculation(&FCalc);
    // A fixed offset starts at 0, whatever the calculation starts from.
    FCalc.Offset = 0;
    const TQvColor Line = FLineSettings->GetColor();
    FBandLine->SetColor(WithAlpha(Line, BandLineAlpha));
    FBandLine->SetDashStyle(TGPDashStyle::Dash);
    FBandLine->SetVisible(false);
    FBandArea->SetForeColor(WithAlpha(Line, BandAreaAlpha));
    FBandArea->SetVisible(false);
    for (TQvStyleSettings* Settings :
         std::initializer_list<TQvStyleSettings*>{FBandLine.get(), FBandArea.get()})
        Settings->SetModifiedCallback([this] { TestVisibleChanged(); });
    using C = TQvLinearRegressionCalculation;
    AddFitVariables<C>(this, FCalc,
                       {{"Offset", SRegressionOffsetVariable, &C::Offset},
                        {"Slope", SRegressionSlopeVariable, &C::Slope},
                        {"DeltaSlope", SRegressionDeltaSlopeVariable, &C::DeltaSlope},
                        {"DeltaOffset", SRegressionDeltaOffsetVariable, &C::DeltaOffset},
                        {"Correlation", SRegressionCorrelationVariable, &C::R}});
    AddFitStatistics(this, FCalc);
}

TQvLinearRegression::~TQvLinearRegression() = default;

bool TQvLinearRegression::LogX() const {
    return FXAxis && FXAxis->GetHasLogScaling();
}

bool TQvLinearRegression::LogY() const {
    return FYAxis && FYAxis->GetHasLogScaling();
}

double TQvLinearRegression::ToFit(double X) const {
    return LogX() ? std::log10(X) : X;
}

double TQvLinearRegression::FromFit(double V, bool Log) const {
    return Log ? Qvmath::Exp10(V) : V;
}

void TQvLinearRegression::SetFixedOffset(bool Value) {
    if (Value == FCalc.FixedOffset) return;
    if (FUndoStack) FUndoStack->PushProperty(this, SRegressionFixedOffset.Text(), "FixedOffset");
    FCalc.FixedOffset = Value;
    SetLastCount(0);
    Invalidate();
}

void TQvLinearRegression::SetOffset(double Value) {
    if (Value == FCalc.Offset) return;
    if (IsDesigning() && !IsLoading() && !FCalc.FixedOffset &&
        MessageDlg(SRegressionSetFixedOffset.Text(), TMsgDlgType::Confirmation,
                   TMsgDlgBtn::Yes | TMsgDlgBtn::No) == mrYes)
        SetFixedOffset(true);
    if (FCalc.FixedOffset && FUndoStack)
        FUndoStack->PushProperty(this, SRegressionOffset.Text(), "Offset");
    FCalc.Offset = Value;
    SetLastCount(0);
    Invalidate();
}

double TQvLinearRegression::GetY(double X) const {
    return FromFit(FCalc.Slope * ToFit(X) + FCalc.Offset, LogY());
}

double TQvLinearRegression::Confidence(double X) const {
    return FCalc.Confidence(ToFit(X), FT95);
}

QString TQvLinearRegression::GetFormula() const {
    return QString(LogY() ? "lg(Y)=a+b(" : "Y=a+b(") + (LogX() ? "lg(X))" : "X)");
}

bool TQvLinearRegression::BandVisible() const {
    return FBandLine->GetVisible() || FBandArea->GetVisible();
}

void TQvLinearRegression::TestVisibleChanged() {
    TQvFunctionSeries::TestVisibleChanged();
    if (!FBandLine || !FBandArea) return;
    const bool Visible = BandVisible();
    if (Visible == FLastBandVisible) return;
    FLastBandVisible = Visible;
    RangesModified();
    Invalidate();
}

void TQvLinearRegression::CalculateFunction() {
    if (FCount < FMinCount) return;
    // Levels of linear scaling within a logarithmic axis would bend the line.
    for (const auto& [Axis, Message] :
         {std::pair{FXAxis, &SRegressionLogX}, std::pair{FYAxis, &SRegressionLogY}}) {
        if (!Axis->GetHasLogScaling() || Axis->GetLogToNormalScalingLevel() <= 0) continue;
        MessageDlg(Message->Text(), TMsgDlgType::Warning, TMsgDlgBtn::OK);
        Axis->SetLogToNormalScalingLevel(0);
    }
    SetLimits();
    PrepareCalculation();
    FCalc.LogX = LogX();
    FCalc.LogY = LogY();
    FCalc.Calculate();
    // The extent of the line, or of the band around it, at both ends of the display range.
    const bool Band = BandVisible();
    if (Band) FT95 = Qvmath::T95Percent(FCalc.SumW);
    FSampledLo = MaxDouble;
    FSampledHi = -MaxDouble;
    for (const double X : {FDisplayStart, FDisplayStop}) {
        const double y = FCalc.Slope * ToFit(X) + FCalc.Offset;
        const double c = Band ? Confidence(X) : 0;
        for (const double v : {FromFit(y - c, LogY()), FromFit(y + c, LogY())}) {
            if (!std::isfinite(v)) continue;
            FSampledLo = std::min(FSampledLo, v);
            FSampledHi = std::max(FSampledHi, v);
        }
    }
    ReportYExtent();
    if (FOnCalculated) FOnCalculated(this);
}

void TQvLinearRegression::CalculatePoints() {
    FUpper.clear();
    FLower.clear();
    FBandPolygon.clear();
    if (!FXAxis || !FYAxis) return;
    FScreen.Invalidate();
    FScreen.Begin(FXAxis->Mapping(), FYAxis->Mapping());
    const double From = std::max(FDisplayStart, FXAxis->GetStart());
    const double To = std::min(FDisplayStop, FXAxis->GetStop());
    if (FCalculated && FCount > 1 && From <= To) {
        QvPointStages::TPointList& Out = FScreen.Output();
        // Two points make the line: straight in the axes' space, whatever their scaling.
        for (const double X : {From, To}) {
            const TGPPointF P = ScreenPoint(X, GetY(X));
            if (std::isfinite(P.X) && std::isfinite(P.Y)) Out.Add(P, -1);
        }
        if (BandVisible() && FCount > 2) {
            // In decades on a logarithmic X axis, as the curve is sampled.
            const bool Log = LogX();
            double A = Log ? std::log10(From) : From, B = Log ? std::log10(To) : To;
            if (FClipYValues) {
                // Beyond the display range on both sides, so that the clip cuts the band's ends.
                const double Margin = 0.1 * (B - A);
                A -= Margin;
                B += Margin;
            }
            Sample(A, B, Log, [&](double X) {
                const double y = FCalc.Slope * ToFit(X) + FCalc.Offset, c = Confidence(X);
                const TGPPointF Up = ScreenPoint(X, FromFit(y + c, LogY()));
                const TGPPointF Down = ScreenPoint(X, FromFit(y - c, LogY()));
                if (!std::isfinite(Up.X + Up.Y + Down.X + Down.Y)) return;
                FUpper.push_back(Up);
                FLower.push_back(Down);
            });
            FBandPolygon = FUpper;
            FBandPolygon.insert(FBandPolygon.end(), FLower.rbegin(), FLower.rend());
        }
    }
    FScreen.End(FCount, false);
}

void TQvLinearRegression::DrawLine(TGPGraphics* Graphics) {
    if (FBandPolygon.size() > 2) {
        const TGPRectF& Area = FGraph->GetDrawingArea();
        // The fill first, so that it does not veil the band's borders.
        if (FBandArea->GetVisible()) {
            const std::unique_ptr<TGPBrush> Brush = FBandArea->GetBrush(Area);
            Graphics->FillPolygon(*Brush, FBandPolygon.data(), int(FBandPolygon.size()));
        }
        if (FBandLine->GetVisible()) {
            const std::unique_ptr<TQvPen> Pen = FBandLine->GetPen(Area);
            Graphics->DrawLines(*Pen, FUpper.data(), int(FUpper.size()));
            Graphics->DrawLines(*Pen, FLower.data(), int(FLower.size()));
        }
    }
    TQvFunctionSeries::DrawLine(Graphics);
}

// ---- Records ----

namespace {
struct TRegressionValues {
    explicit TRegressionValues(const TQvLinearRegression* S)
        : FixedOffset(S->GetFixedOffset()), Offset(S->GetOffset()) {
        Line.Assign(S->GetConfidenceIntervalLine());
        Area.Assign(S->GetConfidenceIntervalArea());
    }
    void ApplyTo(TQvLinearRegression* S) const {
        S->SetFixedOffset(FixedOffset);
        if (FixedOffset) S->SetOffset(Offset);
        S->SetConfidenceIntervalLine(const_cast<TQvLineSettings*>(&Line));
        S->SetConfidenceIntervalArea(const_cast<TQvAreaSettings*>(&Area));
    }
    bool FixedOffset;
    double Offset;
    TQvLineSettings Line;
    TQvAreaSettings Area;
};
} // namespace

void TQvLinearRegression::WriteOwnRecord(QIODevice* Stream) const {
    TQvFunctionSeries::WriteOwnRecord(Stream);
    QvStream::WriteBoolean(Stream, FCalc.FixedOffset);
    if (FCalc.FixedOffset) QvStream::WriteDouble(Stream, FCalc.Offset);
    ToStream(Stream, FBandLine.get());
    ToStream(Stream, FBandArea.get());
    QvStream::WriteByte(Stream, 0);
}

TQvSeries::TApplyRecord TQvLinearRegression::ReadOwnRecord(QIODevice* Stream) {
    const TApplyRecord Base = TQvFunctionSeries::ReadOwnRecord(Stream);
    auto V = std::make_shared<TRegressionValues>(this);
    V->FixedOffset = QvStream::ReadBoolean(Stream);
    if (V->FixedOffset) V->Offset = QvStream::ReadDouble(Stream);
    FromStream(Stream, &V->Line);
    FromStream(Stream, &V->Area);
    QvStream::ReadByte(Stream);
    return [this, Base, V] {
        Base();
        V->ApplyTo(this);
    };
}

void TQvLinearRegression::WriteOwnRecord(IXMLNode Element) const {
    TQvFunctionSeries::WriteOwnRecord(Element);
    IXMLNode Node = Element.AddChild(RegressionNode);
    Node.SetAttribute("FixedOffset", BoolText(FCalc.FixedOffset));
    if (FCalc.FixedOffset) Node.SetAttribute("Offset", DoubleToStr(FCalc.Offset));
    ToNode(Node, FBandLine.get(), BandLineName);
    ToNode(Node, FBandArea.get(), BandAreaName);
}

TQvSeries::TApplyRecord TQvLinearRegression::ReadOwnRecord(const IXMLNode& Element) {
    const TApplyRecord Base = TQvFunctionSeries::ReadOwnRecord(Element);
    auto V = std::make_shared<TRegressionValues>(this);
    if (const IXMLNode Node = Element.FindNode(RegressionNode); !Node.IsNull()) {
        V->FixedOffset = AttrBool(Node, "FixedOffset", V->FixedOffset);
        if (V->FixedOffset) V->Offset = AttrDouble(Node, "Offset", V->Offset);
        FromNode(Node, &V->Line, BandLineName);
        FromNode(Node, &V->Area, BandAreaName);
    }
    return [this, Base, V] {
        Base();
        V->ApplyTo(this);
    };
}

void TQvLinearRegression::WriteOwnRecord(TCustomIniFile* Ini, const QString& Section) const {
    TQvFunctionSeries::WriteOwnRecord(Ini, Section);
    Ini->WriteBool(Section, "FixedOffset", FCalc.FixedOffset);
    if (FCalc.FixedOffset) Ini->WriteString(Section, "Offset", DoubleToStr(FCalc.Offset));
    ToIni(Ini, Section, BandLineName, FBandLine.get());
    ToIni(Ini, Section, BandAreaName, FBandArea.get());
}

TQvSeries::TApplyRecord TQvLinearRegression::ReadOwnRecord(TCustomIniFile* Ini,
                                                           const QString& Section) {
    const TApplyRecord Base = TQvFunctionSeries::ReadOwnRecord(Ini, Section);
    auto V = std::make_shared<TRegressionValues>(this);
    V->FixedOffset = Ini->ReadBool(Section, "FixedOffset", V->FixedOffset);
    if (V->FixedOffset) V->Offset = ReadIniDouble(Ini, Section, "Offset", V->Offset);
    FromIni(Ini, Section, BandLineName, &V->Line);
    FromIni(Ini, Section, BandAreaName, &V->Area);
    return [this, Base, V] {
        Base();
        V->ApplyTo(this);
    };
}
