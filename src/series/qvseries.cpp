#include "series/qvseries.h"

#include "axes/qvaxis.h"
#include "framework/qvfiler.h"
#include "graph/qvgraph2d.h"
#include "undo/qvundostack.h"

#include <QRandomGenerator>

#include <limits>

using namespace Qvlocalize;

namespace {
constexpr double MaxDouble = std::numeric_limits<double>::max();

bool IsLogAxis(const TQvAxis* Axis) {
    return Axis->GetScaling() == TQvAxisScaling::Log || Axis->GetScaling() == TQvAxisScaling::LogEE;
}
} // namespace

TQvSeries::TQvSeries(TComponent* AOwner)
    : TComponent(AOwner), FAreaSettings(std::make_unique<TQvAreaSettings>()),
      FLineSettings(std::make_unique<TQvLineSettings>()),
      FPointSymbolSettings(std::make_unique<TQvPointSymbolSettings>()), FXStart(MaxDouble),
      FXStop(-MaxDouble), FYStart(MaxDouble), FYStop(-MaxDouble), FIndexer(new TQvIndexer(this)) {
    FPointSymbolSettings->SetVisible(false);
    for (TQvStyleSettings* Settings : std::initializer_list<TQvStyleSettings*>{
             FAreaSettings.get(), FLineSettings.get(), FPointSymbolSettings.get()})
        Settings->SetModifiedCallback([this] { TestVisibleChanged(); });
}

TQvSeries::~TQvSeries() {
    Destroying();
    for (TQvCustomDoubleVector* Data : {FXData, FYData})
        if (Data && Data != FIndexer) Data->RemoveRelated(this);
}

void TQvSeries::SetVisible(bool Value) {
    if (!SetUndoable(FUndoStack, this, FVisible, Value, "Visible", SSeriesVisible)) return;
    TestVisibleChanged();
    Invalidate();
}

void TQvSeries::SetOutliersVisible(bool Value) {
    if (SetUndoable(FUndoStack, this, FOutliersVisible, Value, "OutliersVisible",
                    SSeriesOutliersVisible))
        RangesModified();
}

void TQvSeries::SetLayer(int Value) {
    if (SetUndoable(FUndoStack, this, FLayer, Value, "Layer", SSeriesLayer) && FGraph)
        FGraph->Modified();
}

void TQvSeries::SetXAxis(TQvAxis* Value) {
    SetAxisReference(FXAxis, Value, "XAxis", SSeriesXAxis);
}

void TQvSeries::SetYAxis(TQvAxis* Value) {
    SetAxisReference(FYAxis, Value, "YAxis", SSeriesYAxis);
}

void TQvSeries::SetAxisReference(TQvAxis*& Field, TQvAxis* Value, const char* PropName,
                                 const TResourceString& Caption) {
    if (Field == Value) return;
    if (FUndoStack) FUndoStack->PushProperty(this, Caption.Text(), QString::fromLatin1(PropName));
    if (Field) {
        Field->RemoveRelatedSeries(this);
        Field->RangeModified();
    }
    ReplaceReference(this, Field, Value);
    TestAllAssigned();
}

void TQvSeries::SetXData(TQvCustomDoubleVector* Value) {
    SetVectorReference(FXData, Value, "XData", SSeriesXData);
}

void TQvSeries::SetYData(TQvCustomDoubleVector* Value) {
    SetVectorReference(FYData, Value, "YData", SSeriesYData);
}

void TQvSeries::SetVectorReference(TQvCustomDoubleVector*& Field, TQvCustomDoubleVector* Value,
                                   const char* PropName, const TResourceString& Caption) {
    if (Field == Value || (!Value && Field == FIndexer)) return;
    if (FUndoStack) FUndoStack->PushProperty(this, Caption.Text(), QString::fromLatin1(PropName));
    if (Field && Field != FIndexer && !Field->IsDestroying()) Field->RemoveRelated(this);
    Field = Value;
    if (Value) {
        Value->AddRelated(this);
        Value->FreeNotification(this);
    } else {
        // The indexer stands in for a missing vector only while the other one exists.
        TQvCustomDoubleVector*& Other = &Field == &FXData ? FYData : FXData;
        if (Other == FIndexer) Other = nullptr;
    }
    TestAllAssigned();
}

void TQvSeries::SetXValueTransformation(const TQvValueTransformation& Value) {
    FXTransformation = Value;
    RangesModified();
}

void TQvSeries::SetYValueTransformation(const TQvValueTransformation& Value) {
    FYTransformation = Value;
    RangesModified();
}

double TQvSeries::TransformX(int i, double v) const {
    if (!FXTransformation) return v;
    TQvTransformEventArgs Args{v, i};
    return FXTransformation(const_cast<TQvSeries*>(this), Args);
}

double TQvSeries::TransformY(int i, double v) const {
    if (!FYTransformation) return v;
    TQvTransformEventArgs Args{v, i};
    return FYTransformation(const_cast<TQvSeries*>(this), Args);
}

void TQvSeries::SetUndoStack(TQvUndoStack* Value) {
    if (!ReplaceReference(this, FUndoStack, Value)) return;
    for (TQvStyleSettings* Settings : std::initializer_list<TQvStyleSettings*>{
             FAreaSettings.get(), FLineSettings.get(), FPointSymbolSettings.get()})
        Settings->SetUndoStack(Value);
}

int TQvSeries::GetCount() const {
    FMinCount = FPointSymbolSettings->GetVisible() ? 1 : 2;
    if (!FXData || !FYData) return 0;
    return std::min(FXData->GetCount(), FYData->GetCount());
}

bool TQvSeries::HasValuesAt(int i) const {
    return FOutliersVisible || (!FXData->IsOutlier(i) && !FYData->IsOutlier(i));
}

bool TQvSeries::SeriesVisible() const {
    return FVisible && (FLineSettings->GetVisible() || FAreaSettings->GetVisible() ||
                        FPointSymbolSettings->GetVisible());
}

float TQvSeries::ExtraSpaceAt(TQvAxisPosition) const {
    if (!SeriesVisible() || !FPointSymbolSettings->GetVisible() || GetCount() < 2) return 0;
    return (FPointSymbolSettings->GetSize() + FPointSymbolSettings->GetBorderLineWidth()) / 2 + 1;
}

void TQvSeries::CheckDBVectors() {
    for (TQvCustomDoubleVector* Data : {FXData, FYData})
        if (auto* Vector = qobject_cast<TQvDoubleVector*>(Data); Vector && Vector->DBData())
            Vector->UpdateDB();
}

void TQvSeries::ValueRange(bool X, double& Lo, double& Hi) const {
    const TQvCustomDoubleVector* Data = X ? FXData : FYData;
    const TQvCustomDoubleVector* Other = X ? FYData : FXData;
    auto Transform = [this, X](int i, double v) { return X ? TransformX(i, v) : TransformY(i, v); };
    if (Data->GetCount() <= Other->GetCount()) {
        Lo = FOutliersVisible ? Data->GetMinimumIncludingOutliers() : Data->GetMinimum();
        Hi = FOutliersVisible ? Data->GetMaximumIncludingOutliers() : Data->GetMaximum();
        if (Lo > Hi || !(X ? FXTransformation : FYTransformation)) return;
        const int LoIdx =
            FOutliersVisible ? Data->GetMinimumIdxIncludingOutliers() : Data->GetMinimumIdx();
        const int HiIdx =
            FOutliersVisible ? Data->GetMaximumIdxIncludingOutliers() : Data->GetMaximumIdx();
        Lo = Transform(LoIdx, Lo);
        Hi = Transform(HiIdx, Hi);
        if (Lo > Hi) std::swap(Lo, Hi);
        return;
    }
    Lo = MaxDouble;
    Hi = -MaxDouble;
    for (int i = 0; i < FCount; ++i) {
        if (!HasValuesAt(i)) continue;
        const double v = Transform(i, Data->GetValue(i));
        Lo = std::min(Lo, v);
        Hi = std::max(Hi, v);
    }
}

void TQvSeries::Calculate() {
    if (!FXData || !FYData || !FXAxis || !FYAxis) return;
    if (FXData->GetCount() <= FLastCount && FYData->GetCount() <= FLastCount) return;
    FCount = GetCount();
    if (FLastCount >= FCount || FCount < FMinCount) return;
    for (const bool X : {true, false}) {
        double Lo, Hi;
        ValueRange(X, Lo, Hi);
        TQvAxis* Axis = X ? FXAxis : FYAxis;
        if (IsLogAxis(Axis) && Lo <= 0) {
            // The smallest positive value stands in for a logarithmic minimum.
            const TQvCustomDoubleVector* Data = X ? FXData : FYData;
            double Smallest = MaxDouble;
            for (int i = 0; i < Data->GetCount(); ++i) {
                if (!HasValuesAt(i)) continue;
                const double v =
                    X ? TransformX(i, Data->GetValue(i)) : TransformY(i, Data->GetValue(i));
                if (v > 0 && v < Smallest) Smallest = v;
            }
            if (Smallest != MaxDouble) Lo = Smallest;
        }
        double& Start = X ? FXStart : FYStart;
        double& Stop = X ? FXStop : FYStop;
        if (Lo != Start || Hi != Stop) {
            Start = Lo;
            Stop = Hi;
            Axis->RangeModified();
        }
    }
    FRecalculatePoints = true;
    Invalidate();
    FLastCount = FCount;
}

void TQvSeries::TestVisibleChanged() {
    if (!FGraph) return;
    Invalidate();
    const bool Visible = SeriesVisible();
    if (Visible == FLastVisible) return;
    FLastVisible = Visible;
    if (FYAxis && FYAxis->GetCanZoomBack()) return;
    if (FXAxis) FXAxis->RangeModified();
    if (FYAxis) FYAxis->RangeModified();
}

void TQvSeries::DetachFromGraph() {
    if (FXAxis) FXAxis->RemoveRelatedSeries(this);
    if (FYAxis) FYAxis->RemoveRelatedSeries(this);
    if (TQvGraph2D* Graph = std::exchange(FGraph, nullptr)) {
        Graph->RemoveSeries(this);
        if (TQvAxis* Y = Graph->GetPrimaryYAxis()) Y->RangeModified();
        Graph->SeriesModified();
        Graph->LegendsModified();
    }
}

void TQvSeries::TestAllAssigned() {
    if (!FXAxis || !FYAxis || (!FXData && !FYData)) {
        DetachFromGraph();
        return;
    }
    auto* Graph = qobject_cast<TQvGraph2D*>(FYAxis->GetParent());
    if (FGraph && FGraph != Graph) FGraph->RemoveSeries(this);
    FGraph = Graph;
    const bool InDesigner = IsDesigning() && !IsLoading();
    if (Graph && !Graph->ContainsSeries(this)) {
        if (InDesigner) FLayer = Graph->SeriesCount();
        Graph->AddSeries(this);
        if (!FUndoStack) SetUndoStack(Graph->GetUndoStack());
    }
    if (!Graph || Graph->IsDestroying()) return;
    if (!FXData) {
        FIndexer->SetRefVector(FYData);
        FXData = FIndexer;
    }
    if (!FYData) {
        FIndexer->SetRefVector(FXData);
        FYData = FIndexer;
    }
    FXAxis->AddRelatedSeries(this);
    FYAxis->AddRelatedSeries(this);
    if (InDesigner) FillSampleData();
    RangesModified();
    Graph->LegendsModified();
    Graph->Modified();
}

// Ten points over each axis' range, so that a new series shows something while designing.
void TQvSeries::FillSampleData() {
    auto Fill = [](TQvCustomDoubleVector* Data, const TQvAxis* Axis, double Jitter) {
        auto* Vector = qobject_cast<TQvDoubleVector*>(Data);
        if (!Vector || Vector->GetCount() > 0) return;
        const double Start = Axis->GetStart(), Stop = Axis->GetStop();
        const double Step = (Stop - Start) / 10;
        Vector->Add(Start);
        for (int j = 1; j <= 9; ++j)
            Vector->Add(Start + j * Step +
                        QRandomGenerator::global()->generateDouble() * Step * Jitter);
        Vector->Add(Stop);
    };
    FGraph->BeginUpdate();
    Fill(FXData, FXAxis, 0.2);
    Fill(FYData, FYAxis, 1.0);
    FGraph->EndUpdate();
}

void TQvSeries::GetScaledVectors(bool Horizontal, TScaledVectors& Vectors) const {
    if (auto* Vector = qobject_cast<TQvDoubleVector*>(Horizontal ? FXData : FYData))
        Vectors.Values.push_back(Vector);
}

bool TQvSeries::UsesAsYData(const TQvCustomDoubleVector* Vector) const {
    return Vector == FYData;
}

void TQvSeries::SetLastCount(int N) {
    FLastCount = std::min(FLastCount, N);
    FLastPointsCount = std::min(FLastPointsCount, FLastCount);
}

void TQvSeries::PointsModified() {
    FLastPointsCount = 0;
    FRecalculatePoints = true;
    Invalidate();
}

void TQvSeries::RangesModified() {
    if (!FXAxis || !FYAxis) return;
    FXStart = FYStart = MaxDouble;
    FXStop = FYStop = -MaxDouble;
    FLastCount = 0;
    FCount = 0;
    PointsModified();
    FXAxis->RangeModified();
    FYAxis->RangeModified();
}

void TQvSeries::Invalidate() {
    if (!FGraph) return;
    FGraph->Invalidate();
    FGraph->LegendsModified();
}

void TQvSeries::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::Remove || !AComponent) return;
    auto Is = [AComponent](const QObject* Reference) {
        return Reference && static_cast<const QObject*>(AComponent) == Reference;
    };
    if (Is(FUndoStack)) SetUndoStack(nullptr);
    if (Is(FGraph)) FGraph = nullptr;
    bool Lost = false;
    if (Is(FXAxis)) {
        FXAxis = nullptr;
        Lost = true;
    }
    if (Is(FYAxis)) {
        FYAxis = nullptr;
        Lost = true;
    }
    for (TQvCustomDoubleVector** Field : {&FXData, &FYData}) {
        if (!Is(*Field)) continue;
        *Field = nullptr;
        TQvCustomDoubleVector*& Other = Field == &FXData ? FYData : FXData;
        if (Other == FIndexer) Other = nullptr;
        Lost = true;
    }
    if (Lost && !IsDestroying()) TestAllAssigned();
}

void TQvSeries::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty(
        QStringLiteral("Layer"), [this](TReader* Reader) { FLayer = Reader->ReadInteger(); },
        [this](TWriter* Writer) { Writer->WriteInteger(FLayer); }, true);
}

TQvPointSeries::TQvPointSeries(TComponent* AOwner) : TQvLineSeries(AOwner) {
    FPointSymbolSettings->SetVisible(true);
}
