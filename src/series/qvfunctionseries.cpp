#include "series/qvfunctionseries.h"

#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "framework/qvexceptions.h"
#include "framework/qvinifiles.h"
#include "framework/qvstreams.h"
#include "framework/qvxml.h"
#include "graph/qvgraph2d.h"
#include "strings/qvlocalize.h"
#include "style/qvio.h"
#include "undo/qvundostack.h"

#include <cmath>

using namespace Qvlocalize;
using Qvmath::MaxDouble;

namespace {

// Samples of the Y extent while the X axis has no length yet.
constexpr int UnlaidSamples = 512;
// Weights a new weight vector gets while designing.
constexpr int DesignWeights = 10;

const QString RecordNode = QStringLiteral("FunctionSeries");

} // namespace

TQvFunctionSeries::TQvFunctionSeries(TComponent* AOwner) : TQvLineSeries(AOwner) {
    FMinCount = 2;
    AddStringToList(
        QStringLiteral("Formula"), SFormulaVariable.Text(), this, [this] { return GetFormula(); },
        GlobalStringList());
    const std::pair<const char*, std::pair<const TResourceString*, const double*>> Ranges[] = {
        {"CalculationStart", {&SCalculationStartVariable, &FCalcStart}},
        {"CalculationStop", {&SCalculationStopVariable, &FCalcStop}},
        {"DisplayStart", {&SDisplayStartVariable, &FDisplayStart}},
        {"DisplayStop", {&SDisplayStopVariable, &FDisplayStop}}};
    for (const auto& Range : Ranges) {
        const double* Field = Range.second.second;
        AddVariableToList(
            QString::fromLatin1(Range.first), Range.second.first->Text(), this,
            [Field] { return *Field; }, GlobalVariableList());
    }
}

TQvFunctionSeries::~TQvFunctionSeries() {
    if (FWeight) FWeight->RemoveRelated(this);
}

QString TQvFunctionSeries::GetFormula() const {
    throw EMethodNotFound(SFormulaNotOverridden.Text());
}

// ---- Properties ----

void TQvFunctionSeries::SetWeight(TQvCustomDoubleVector* Value) {
    if (Value == FWeight) return;
    if (FUndoStack) FUndoStack->PushProperty(this, SFunctionWeight.Text(), "Weight");
    if (FWeight && !FWeight->IsDestroying()) FWeight->RemoveRelated(this);
    FWeight = Value;
    if (Value) {
        Value->AddRelated(this);
        Value->FreeNotification(this);
        auto* Vector = qobject_cast<TQvDoubleVector*>(Value);
        if (IsDesigning() && Vector && Vector->GetCount() == 0)
            Vector->AddRange(std::vector<double>(DesignWeights, 1.0));
    }
    SetLastCount(0);
    Invalidate();
}

void TQvFunctionSeries::SetAutoFlag(bool& Field, bool Value, const char* Flag,
                                    std::initializer_list<const char*> Follows,
                                    const TResourceString& Caption) {
    if (Field == Value) return;
    if (FUndoStack) {
        // Switching on changes the values that follow the data: one step with them.
        if (Value) FUndoStack->StartGroup(Caption.Text());
        if (Value)
            for (const char* Name : Follows)
                FUndoStack->PushProperty(this, Caption.Text(), QString::fromLatin1(Name));
        FUndoStack->PushProperty(this, Caption.Text(), QString::fromLatin1(Flag));
        if (Value) FUndoStack->StopGroup();
    }
    Field = Value;
    if (Value) SetLastCount(0);
    Invalidate();
}

void TQvFunctionSeries::SetAutoStart(bool Value) {
    SetAutoFlag(FAutoStart, Value, "AutoStart", {"CalculationStart"}, SFunctionAutoStart);
}

void TQvFunctionSeries::SetAutoStop(bool Value) {
    SetAutoFlag(FAutoStop, Value, "AutoStop", {"CalculationStop"}, SFunctionAutoStop);
}

void TQvFunctionSeries::SetDisplayAutoStart(bool Value) {
    SetAutoFlag(FDisplayAutoStart, Value, "DisplayAutoStart", {"DisplayStart"},
                SFunctionDisplayAutoStart);
}

void TQvFunctionSeries::SetDisplayAutoStop(bool Value) {
    SetAutoFlag(FDisplayAutoStop, Value, "DisplayAutoStop", {"DisplayStop"},
                SFunctionDisplayAutoStop);
}

void TQvFunctionSeries::SetCoupleCalculationAndDisplay(bool Value) {
    const bool Changed = Value != FCoupleCalculationAndDisplay;
    SetAutoFlag(FCoupleCalculationAndDisplay, Value, "CoupleCalculationAndDisplay",
                {"DisplayStop", "DisplayStart"}, SFunctionCouple);
    if (Changed) SetLastCount(0);
}

void TQvFunctionSeries::SetClipYValues(bool Value) {
    if (!SetUndoable(FUndoStack, this, FClipYValues, Value, "ClipYValues", SFunctionClipYValues))
        return;
    SetLastCount(0);
    Invalidate();
}

void TQvFunctionSeries::SetRangeValue(double& Field, double Value, const char* PropName,
                                      const TResourceString& Caption) {
    if (!SetUndoable(FUndoStack, this, Field, Value, PropName, Caption)) return;
    SetLastCount(0);
    PointsModified();
}

void TQvFunctionSeries::SetCalcStart(double Value) {
    SetRangeValue(FCalcStart, Value, "CalculationStart", SFunctionCalcStart);
}

void TQvFunctionSeries::SetCalcStop(double Value) {
    SetRangeValue(FCalcStop, Value, "CalculationStop", SFunctionCalcStop);
}

void TQvFunctionSeries::SetDisplayStart(double Value) {
    SetRangeValue(FDisplayStart, Value, "DisplayStart", SFunctionDisplayStart);
}

void TQvFunctionSeries::SetDisplayStop(double Value) {
    SetRangeValue(FDisplayStop, Value, "DisplayStop", SFunctionDisplayStop);
}

void TQvFunctionSeries::SetWeightValueTransformation(const TQvValueTransformation& Value) {
    FWeightTransformation = Value;
    RangesModified();
}

void TQvFunctionSeries::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == TOperation::Remove && AComponent == FWeight) {
        FWeight = nullptr;
        SetLastCount(0);
    }
    TQvLineSeries::Notification(AComponent, Operation);
}

// ---- Calculation ----

void TQvFunctionSeries::SetLimits() {
    if (FAutoStart) FCalcStart = FXStart;
    if (FAutoStop) FCalcStop = FXStop;
    if (FCoupleCalculationAndDisplay) {
        FDisplayStart = FCalcStart;
        FDisplayStop = FCalcStop;
        return;
    }
    if (FDisplayAutoStart) FDisplayStart = FXStart;
    if (FDisplayAutoStop) FDisplayStop = FXStop;
}

void TQvFunctionSeries::PrepareCalculation() {
    TQvCalculation* C = FCalculation;
    C->OutliersVisible = FOutliersVisible;
    C->XData = FXData;
    C->YData = FYData;
    C->Weight = FWeight;
    C->Start = FCalcStart;
    C->Stop = FCalcStop;
    const bool Designing = IsDesigning();
    C->XValueTransformation = Designing ? TQvValueTransformation() : FXTransformation;
    C->YValueTransformation = Designing ? TQvValueTransformation() : FYTransformation;
    C->WeightValueTransformation = Designing ? TQvValueTransformation() : FWeightTransformation;
}

bool TQvFunctionSeries::AnyOtherSeries() const {
    for (int i = 0; i < FYAxis->RelatedSeriesCount(); ++i) {
        const TQvSeries* Series = FYAxis->RelatedSeries(i);
        if (Series != this && Series->SeriesVisible() &&
            !qobject_cast<const TQvFunctionSeries*>(Series))
            return true;
    }
    return false;
}

int TQvFunctionSeries::SampleCount() const {
    const int Pixels = int(std::lround(FXAxis->GetAxLength()));
    return Pixels > 0 ? Pixels : UnlaidSamples;
}

void TQvFunctionSeries::Sample(double A, double B, bool Log,
                               const std::function<void(double)>& Visit) const {
    const int n = SampleCount();
    for (int k = 0; k <= n; ++k) {
        const double u = A + (B - A) * k / n;
        Visit(Log ? Qvmath::Exp10(u) : u);
    }
}

void TQvFunctionSeries::SampleYExtent(double& Lo, double& Hi) const {
    Lo = MaxDouble;
    Hi = -MaxDouble;
    Sample(FDisplayStart, FDisplayStop, false, [&](double x) {
        const double y = GetY(x);
        if (!std::isfinite(y)) return;
        Lo = std::min(Lo, y);
        Hi = std::max(Hi, y);
    });
}

void TQvFunctionSeries::ReportYExtent() {
    double Lo = FSampledLo, Hi = FSampledHi;
    if (FClipYValues && AnyOtherSeries()) {
        Lo = MaxDouble;
        Hi = -MaxDouble;
    }
    if (Lo == FYStart && Hi == FYStop) return;
    FYStart = Lo;
    FYStop = Hi;
    FYAxis->RangeModified();
}

void TQvFunctionSeries::CalculateFunction() {
    if (FCount < FMinCount || !FCalculation) return;
    SetLimits();
    PrepareCalculation();
    FCalculation->Calculate();
    SampleYExtent(FSampledLo, FSampledHi);
    ReportYExtent();
    if (FOnCalculated) FOnCalculated(this);
}

void TQvFunctionSeries::Calculate() {
    if (!FXData || !FYData || !FXAxis || !FYAxis) return;
    if (FXData->GetCount() <= FLastCount && FYData->GetCount() <= FLastCount) {
        // Series that came or went on the Y axis may change what the curve reports.
        if (FCalculated) ReportYExtent();
        return;
    }
    FCount = GetCount();
    FCalculated = false;
    try {
        double Lo, Hi;
        DataRange(true, Lo, Hi);
        // A display range beyond the data widens the X axis.
        if (!FCoupleCalculationAndDisplay) {
            if (!FDisplayAutoStart && FDisplayStart < Lo) Lo = FDisplayStart;
            if (!FDisplayAutoStop && FDisplayStop > Hi) Hi = FDisplayStop;
        }
        if (Lo != FXStart || Hi != FXStop) {
            FXStart = Lo;
            FXStop = Hi;
            FXAxis->RangeModified();
        }
        CalculateFunction();
        FCalculated = FCount >= FMinCount;
        if (!FObjectsToUpdate.isEmpty()) UpdateVariablesObjects(FObjectsToUpdate);
    } catch (const Exception& E) {
        // The same data fail again: no new attempt before they change.
        FLastCount = FCount;
        FSampledLo = MaxDouble;
        FSampledHi = -MaxDouble;
        ReportYExtent();
        FScreen.Invalidate();
        if (!FOnCalculationError) throw;
        FOnCalculationError(this, E);
        return;
    }
    FYAxis->RangeModified();
    FScreen.Invalidate();
    FLastCount = FCount;
    Invalidate();
}

// ---- Curve ----

void TQvFunctionSeries::CalculatePoints() {
    if (!FXAxis || !FYAxis) return;
    // A curve is sampled anew every time: nothing of it is kept.
    FScreen.Invalidate();
    FScreen.Begin(FXAxis->Mapping(), FYAxis->Mapping());
    QvPointStages::TPointList& Out = FScreen.Output();
    const double From = std::max(FDisplayStart, FXAxis->GetStart());
    const double To = std::min(FDisplayStop, FXAxis->GetStop());
    const bool Log = FXAxis->GetHasLogScaling();
    if (FCalculated && From <= To && (!Log || From > 0)) {
        const double A = Log ? std::log10(From) : From, B = Log ? std::log10(To) : To;
        Sample(A, B, Log, [&](double x) {
            const TGPPointF P = ScreenPoint(x, GetY(x));
            if (std::isfinite(P.X) && std::isfinite(P.Y))
                Out.Add(P, -1);
            else
                Out.Break();
        });
    }
    FScreen.End(FCount, false);
}

void TQvFunctionSeries::PaintGr(TGPGraphics* Graphics) {
    if (!FClipYValues || !FGraph || !SeriesVisible()) {
        TQvLineSeries::PaintGr(Graphics);
        return;
    }
    const TGPRegion Saved = Graphics->GetClip();
    Graphics->IntersectClip(FGraph->GetDrawingArea());
    TQvLineSeries::PaintGr(Graphics);
    Graphics->SetClip(Saved);
}

int TQvFunctionSeries::FindPoint(float X, float Y, float Tolerance) const {
    if (FScreen.Stale()) return -1;
    // Along the curve, not only at its samples: a straight line has two.
    const std::vector<TGPPointF>& P = FScreen.Points();
    bool Hit = false;
    FScreen.ForEachRun([&](size_t First, size_t n) {
        for (size_t k = First; k < First + n && !Hit; ++k) {
            const TGPPointF& A = P[k];
            const TGPPointF& B = k + 1 < First + n ? P[k + 1] : A;
            const float dx = B.X - A.X, dy = B.Y - A.Y, Length2 = dx * dx + dy * dy;
            const float t =
                Length2 > 0 ? std::clamp(((X - A.X) * dx + (Y - A.Y) * dy) / Length2, 0.0f, 1.0f)
                            : 0.0f;
            Hit = std::hypot(A.X + t * dx - X, A.Y + t * dy - Y) <= Tolerance;
        }
    });
    return Hit ? 0 : -1;
}

// ---- Records ----

namespace {
struct TFunctionValues {
    explicit TFunctionValues(const TQvFunctionSeries* S)
        : Weight(S->GetWeight()), AutoStart(S->GetAutoStart()), AutoStop(S->GetAutoStop()),
          DisplayAutoStart(S->GetDisplayAutoStart()), DisplayAutoStop(S->GetDisplayAutoStop()),
          Couple(S->GetCoupleCalculationAndDisplay()), ClipYValues(S->GetClipYValues()),
          CalcStart(S->GetCalcStart()), CalcStop(S->GetCalcStop()),
          DisplayStart(S->GetDisplayStart()), DisplayStop(S->GetDisplayStop()) {}

    // Ranges before the flags, so that a range read back is not replaced by the data's.
    void ApplyTo(TQvFunctionSeries* S) const {
        S->SetWeight(Weight);
        S->SetCalcStart(CalcStart);
        S->SetCalcStop(CalcStop);
        S->SetDisplayStart(DisplayStart);
        S->SetDisplayStop(DisplayStop);
        S->SetAutoStart(AutoStart);
        S->SetAutoStop(AutoStop);
        S->SetDisplayAutoStart(DisplayAutoStart);
        S->SetDisplayAutoStop(DisplayAutoStop);
        S->SetCoupleCalculationAndDisplay(Couple);
        S->SetClipYValues(ClipYValues);
    }

    TQvCustomDoubleVector* Weight;
    bool AutoStart, AutoStop, DisplayAutoStart, DisplayAutoStop, Couple, ClipYValues;
    double CalcStart, CalcStop, DisplayStart, DisplayStop;
};

TQvCustomDoubleVector* VectorOf(const QString& Ref) {
    return Ref.isEmpty() ? nullptr : qobject_cast<TQvCustomDoubleVector*>(GetComponentFromRef(Ref));
}
} // namespace

void TQvFunctionSeries::WriteOwnRecord(QIODevice* Stream) const {
    StringToStream(Stream, GetComponentRef(FWeight));
    for (const bool Flag : {FAutoStart, FAutoStop, FDisplayAutoStart, FDisplayAutoStop,
                            FCoupleCalculationAndDisplay, FClipYValues})
        QvStream::WriteBoolean(Stream, Flag);
    for (const double Value : {FCalcStart, FCalcStop, FDisplayStart, FDisplayStop})
        QvStream::WriteDouble(Stream, Value);
}

TQvSeries::TApplyRecord TQvFunctionSeries::ReadOwnRecord(QIODevice* Stream) {
    TFunctionValues V(this);
    V.Weight = VectorOf(StringFromStream(Stream));
    for (bool* Flag : {&V.AutoStart, &V.AutoStop, &V.DisplayAutoStart, &V.DisplayAutoStop,
                       &V.Couple, &V.ClipYValues})
        *Flag = QvStream::ReadBoolean(Stream);
    for (double* Value : {&V.CalcStart, &V.CalcStop, &V.DisplayStart, &V.DisplayStop})
        *Value = QvStream::ReadDouble(Stream);
    return [this, V] { V.ApplyTo(this); };
}

void TQvFunctionSeries::WriteOwnRecord(IXMLNode Element) const {
    IXMLNode Node = Element.AddChild(RecordNode);
    Node.SetAttribute("Weight", GetComponentRef(FWeight));
    Node.SetAttribute("AutoStart", BoolText(FAutoStart));
    Node.SetAttribute("AutoStop", BoolText(FAutoStop));
    Node.SetAttribute("DisplayAutoStart", BoolText(FDisplayAutoStart));
    Node.SetAttribute("DisplayAutoStop", BoolText(FDisplayAutoStop));
    Node.SetAttribute("CoupleCalculationAndDisplay", BoolText(FCoupleCalculationAndDisplay));
    Node.SetAttribute("ClipYValues", BoolText(FClipYValues));
    Node.SetAttribute("CalculationStart", DoubleToStr(FCalcStart));
    Node.SetAttribute("CalculationStop", DoubleToStr(FCalcStop));
    Node.SetAttribute("DisplayStart", DoubleToStr(FDisplayStart));
    Node.SetAttribute("DisplayStop", DoubleToStr(FDisplayStop));
}

TQvSeries::TApplyRecord TQvFunctionSeries::ReadOwnRecord(const IXMLNode& Element) {
    TFunctionValues V(this);
    const IXMLNode Node = Element.FindNode(RecordNode);
    if (!Node.IsNull()) {
        if (Node.HasAttribute("Weight")) V.Weight = VectorOf(Node.Attribute("Weight"));
        V.AutoStart = AttrBool(Node, "AutoStart", V.AutoStart);
        V.AutoStop = AttrBool(Node, "AutoStop", V.AutoStop);
        V.DisplayAutoStart = AttrBool(Node, "DisplayAutoStart", V.DisplayAutoStart);
        V.DisplayAutoStop = AttrBool(Node, "DisplayAutoStop", V.DisplayAutoStop);
        V.Couple = AttrBool(Node, "CoupleCalculationAndDisplay", V.Couple);
        V.ClipYValues = AttrBool(Node, "ClipYValues", V.ClipYValues);
        V.CalcStart = AttrDouble(Node, "CalculationStart", V.CalcStart);
        V.CalcStop = AttrDouble(Node, "CalculationStop", V.CalcStop);
        V.DisplayStart = AttrDouble(Node, "DisplayStart", V.DisplayStart);
        V.DisplayStop = AttrDouble(Node, "DisplayStop", V.DisplayStop);
    }
    return [this, V] { V.ApplyTo(this); };
}

void TQvFunctionSeries::WriteOwnRecord(TCustomIniFile* Ini, const QString& Section) const {
    Ini->WriteString(Section, "Weight", GetComponentRef(FWeight));
    Ini->WriteBool(Section, "AutoStart", FAutoStart);
    Ini->WriteBool(Section, "AutoStop", FAutoStop);
    Ini->WriteBool(Section, "DisplayAutoStart", FDisplayAutoStart);
    Ini->WriteBool(Section, "DisplayAutoStop", FDisplayAutoStop);
    Ini->WriteBool(Section, "CoupleCalculationAndDisplay", FCoupleCalculationAndDisplay);
    Ini->WriteBool(Section, "ClipYValues", FClipYValues);
    Ini->WriteString(Section, "CalculationStart", DoubleToStr(FCalcStart));
    Ini->WriteString(Section, "CalculationStop", DoubleToStr(FCalcStop));
    Ini->WriteString(Section, "DisplayStart", DoubleToStr(FDisplayStart));
    Ini->WriteString(Section, "DisplayStop", DoubleToStr(FDisplayStop));
}

TQvSeries::TApplyRecord TQvFunctionSeries::ReadOwnRecord(TCustomIniFile* Ini,
                                                         const QString& Section) {
    TFunctionValues V(this);
    if (Ini->ValueExists(Section, "Weight"))
        V.Weight = VectorOf(Ini->ReadString(Section, "Weight", {}));
    V.AutoStart = Ini->ReadBool(Section, "AutoStart", V.AutoStart);
    V.AutoStop = Ini->ReadBool(Section, "AutoStop", V.AutoStop);
    V.DisplayAutoStart = Ini->ReadBool(Section, "DisplayAutoStart", V.DisplayAutoStart);
    V.DisplayAutoStop = Ini->ReadBool(Section, "DisplayAutoStop", V.DisplayAutoStop);
    V.Couple = Ini->ReadBool(Section, "CoupleCalculationAndDisplay", V.Couple);
    V.ClipYValues = Ini->ReadBool(Section, "ClipYValues", V.ClipYValues);
    V.CalcStart = ReadIniDouble(Ini, Section, "CalculationStart", V.CalcStart);
    V.CalcStop = ReadIniDouble(Ini, Section, "CalculationStop", V.CalcStop);
    V.DisplayStart = ReadIniDouble(Ini, Section, "DisplayStart", V.DisplayStart);
    V.DisplayStop = ReadIniDouble(Ini, Section, "DisplayStop", V.DisplayStop);
    return [this, V] { V.ApplyTo(this); };
}
