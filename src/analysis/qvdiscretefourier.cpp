#include "analysis/qvdiscretefourier.h"

#include "analysis/qvfourier.h"
#include "axes/qvaxis.h"
#include "framework/qvinifiles.h"
#include "framework/qvxml.h"
#include "strings/qvlocalize.h"
#include "style/qvcolors.h"
#include "undo/qvundostack.h"

#include <QPointer>

#include <algorithm>
#include <cmath>

using namespace Qvlocalize;

namespace {

// Documents create spectra by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvDiscreteFourier>();
    return true;
}();

// Samples taken from data whose X values are not equidistant.
constexpr int ResampledCount = 1024;

const QString PhaseName = QStringLiteral("Phase");
const QString PhaseColor = QStringLiteral("Green");

} // namespace

// ---- The calculation ----

TQvDiscreteFourierCalculation::TQvDiscreteFourierCalculation(TObject* TransformationSender)
    : TQvCalculation(TransformationSender), FAmplitude(std::make_unique<TQvDoubleVector>(nullptr)),
      FPhase(std::make_unique<TQvDoubleVector>(nullptr)), FResampler(TransformationSender) {}

TQvDiscreteFourierCalculation::~TQvDiscreteFourierCalculation() = default;

bool TQvDiscreteFourierCalculation::Equidistant(std::span<const double> X) const {
    if (qobject_cast<const TQvIndexer*>(XData) && !XValueTransformation) return true;
    return QvFourier::Equidistant(X);
}

void TQvDiscreteFourierCalculation::Calculate() {
    CheckVectors();
    TQvValueArray& X = FX;
    QvFourier::TComplexArray& Samples = FSamples;
    X.clear();
    Samples.clear();
    const int Points = PointCount();
    X.reserve(size_t(Points));
    Samples.reserve(size_t(Points));
    for (int i = 0; i < Points; ++i)
        if (IsValid(i) && Wi(i) > 0) {
            X.push_back(Xi(i));
            Samples.emplace_back(Yi(i));
        }
    double XMin = 0, XMax = 0;
    if (!X.empty()) {
        const auto [Lo, Hi] = std::minmax_element(X.begin(), X.end());
        XMin = *Lo;
        XMax = *Hi;
    }
    if (!XData->GetOnlyAscending() || !Equidistant(X)) {
        FResampler.TakeInputsFrom(*this);
        FResampler.Calculate();
        Samples.resize(ResampledCount);
        for (int k = 0; k < ResampledCount; ++k)
            Samples[size_t(k)] = FResampler.Interpolate(XMin + k * (XMax - XMin) / ResampledCount);
    }
    FTransform.Run(Samples);
    // The X values are done with: their buffer takes the amplitudes.
    TQvValueArray& Amplitudes = FX;
    Amplitudes.resize(Samples.size());
    FPhases.resize(Samples.size());
    QvFourier::Spectrum(Samples, Amplitudes, FPhases);
    // Points at a single X have no spacing: their frequencies count in steps of 1. The step
    // is set first, as the phases' series reads it when told of its new values.
    FFrequencyStep = XMax > XMin ? 1 / (XMax - XMin) : 1;
    // Refilled in their storage: a spectrum of the same length takes no fresh memory.
    for (const auto& [Vector, Values] :
         {std::pair{FAmplitude.get(), &Amplitudes}, std::pair{FPhase.get(), &FPhases}}) {
        Vector->Clear();
        Vector->AddRange(*Values);
    }
}

// ---- The series ----

TQvDiscreteFourier::TQvDiscreteFourier(TComponent* AOwner)
    : TQvFunctionSeries(AOwner), FCalc(this), FPhase(new TQvChildSeries(this)) {
    SetCalculation(&FCalc);
    FClipYValues = false;
    FDoPointSettingsStorage = true;
    FPhase->SetName(PhaseName);
    FPhase->SetCaption(PhaseName);
    FPhase->SetYData(FCalc.Phase());
    FPhase->SetXValueTransformation(
        [this](TObject*, TQvTransformEventArgs& e) { return Frequency(e.Index); });
    FPhase->SetVisible(false);
    FPhase->GetLine()->SetColor(ColorToARGB(PhaseColor));
    NameCaption();
}

TQvDiscreteFourier::~TQvDiscreteFourier() {
    // The phases read a vector of the calculation, which goes before the owned components.
    delete FPhase;
    FPhase = nullptr;
}

double TQvDiscreteFourier::ValueX(int k) const {
    return FCalc.Frequency(k);
}

double TQvDiscreteFourier::ValueY(int k) const {
    return FCalc.Amplitude()->GetValue(k);
}

double TQvDiscreteFourier::GetY(double X) const {
    const int n = FCalc.Count();
    if (n == 0 || std::isnan(X)) return std::numeric_limits<double>::quiet_NaN();
    const double Position = std::clamp(X / FCalc.FrequencyStep(), 0.0, double(n - 1));
    const int k = int(Position);
    const int Next = std::min(k + 1, n - 1);
    const double Here = ValueY(k);
    return Here + (ValueY(Next) - Here) * (Position - k);
}

QString TQvDiscreteFourier::GetFormula() const {
    return SFourierFormula.Text();
}

void TQvDiscreteFourier::CalculateFunction() {
    if (FCount < FMinCount) return;
    SetLimits();
    PrepareCalculation();
    FCalc.Calculate();
    const int n = FCalc.Count();
    FXStart = Frequency(0);
    FXStop = Frequency(std::max(n - 1, 0));
    FXAxis->RangeModified();
    FSampledLo = FCalc.Amplitude()->GetMinimum();
    FSampledHi = FCalc.Amplitude()->GetMaximum();
    ReportYExtent();
    if (FOnCalculated) FOnCalculated(this);
    if (!FPhase->GetYAxis()) FPhase->SetYAxis(FYAxis);
    if (FPhase->GetVisible()) {
        FPhase->SetLastCount(0);
        FPhase->Calculate();
    }
}

void TQvDiscreteFourier::CalculatePoints() {
    if (!FXAxis || !FYAxis) return;
    FScreen.Invalidate();
    FScreen.Begin(FXAxis->Mapping(), FYAxis->Mapping());
    const int n = FCalculated ? FCalc.Count() : 0;
    std::vector<TGPPointF> Mapped;
    std::vector<int> Index;
    Mapped.reserve(size_t(n));
    Index.reserve(size_t(n));
    for (int k = 0; k < n; ++k) {
        Mapped.push_back(ScreenPoint(k));
        Index.push_back(k);
    }
    ReducePoints(FScreen.Output(), Mapped, Index, FPointSymbolSettings->GetVisible());
    FScreen.End(n, false);
}

void TQvDiscreteFourier::DrawSymbols(TGPGraphics* Graphics) {
    TQvSeries::DrawSymbols(Graphics);
}

int TQvDiscreteFourier::FindPoint(float X, float Y, float Tolerance) const {
    return TQvSeries::FindPoint(X, Y, Tolerance);
}

void TQvDiscreteFourier::InOneStep(const TResourceString& Caption,
                                   const std::function<void()>& Change) {
    // The change may give the series its graph's stack: the group closes where it opened.
    TQvUndoStack* Stack = FUndoStack;
    if (Stack) Stack->StartGroup(Caption.Text());
    Change();
    if (Stack) Stack->StopGroup();
}

void TQvDiscreteFourier::SetXAxis(TQvAxis* Value) {
    if (Value == FXAxis && (!FPhase || Value == FPhase->GetXAxis())) return;
    InOneStep(SSeriesXAxis, [&] {
        TQvFunctionSeries::SetXAxis(Value);
        if (FPhase) FPhase->SetXAxis(Value);
    });
}

void TQvDiscreteFourier::SetYAxis(TQvAxis* Value) {
    if (Value == FYAxis && (!FPhase || Value == FPhase->GetYAxis())) return;
    InOneStep(SSeriesYAxis, [&] {
        TQvFunctionSeries::SetYAxis(Value);
        if (FPhase) FPhase->SetYAxis(Value);
    });
}

void TQvDiscreteFourier::SetUndoStack(TQvUndoStack* Value) {
    TQvFunctionSeries::SetUndoStack(Value);
    if (FPhase) FPhase->SetUndoStack(Value);
}

// ---- Records ----

// The phases' record is read and applied before this series' own values, which set the
// phases' axes too: the Y axis the phases were stored with is put back last.
TQvSeries::TApplyRecord TQvDiscreteFourier::AfterPhaseRead(TApplyRecord Inherited) {
    const QPointer<TQvAxis> PhaseAxis = FPhase->GetYAxis();
    return [this, Inherited = std::move(Inherited), PhaseAxis] {
        if (Inherited) Inherited();
        FPhase->SetYAxis(PhaseAxis);
    };
}

void TQvDiscreteFourier::WriteOwnRecord(QIODevice* Stream) const {
    TQvFunctionSeries::WriteOwnRecord(Stream);
    FPhase->WriteTo(Stream);
}

TQvSeries::TApplyRecord TQvDiscreteFourier::ReadOwnRecord(QIODevice* Stream) {
    TApplyRecord Inherited = TQvFunctionSeries::ReadOwnRecord(Stream);
    FPhase->ReadFrom(Stream);
    return AfterPhaseRead(std::move(Inherited));
}

void TQvDiscreteFourier::WriteOwnRecord(IXMLNode Element) const {
    TQvFunctionSeries::WriteOwnRecord(Element);
    FPhase->WriteTo(Element);
}

TQvSeries::TApplyRecord TQvDiscreteFourier::ReadOwnRecord(const IXMLNode& Element) {
    TApplyRecord Inherited = TQvFunctionSeries::ReadOwnRecord(Element);
    const IXMLNode Phase =
        Element.FindNode(QString::fromLatin1(TQvChildSeries::staticMetaObject.className()));
    if (!Phase.IsNull()) FPhase->ReadFrom(Phase);
    return AfterPhaseRead(std::move(Inherited));
}

void TQvDiscreteFourier::WriteOwnRecord(TCustomIniFile* Ini, const QString& Section) const {
    TQvFunctionSeries::WriteOwnRecord(Ini, Section);
    FPhase->WriteTo(Ini, Section + u'.' + PhaseName);
}

TQvSeries::TApplyRecord TQvDiscreteFourier::ReadOwnRecord(TCustomIniFile* Ini,
                                                          const QString& Section) {
    TApplyRecord Inherited = TQvFunctionSeries::ReadOwnRecord(Ini, Section);
    const QString PhaseSection = Section + u'.' + PhaseName;
    if (Ini->SectionExists(PhaseSection)) FPhase->ReadFrom(Ini, PhaseSection);
    return AfterPhaseRead(std::move(Inherited));
}
