#include "series/qvseries.h"

#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "framework/qvfiler.h"
#include "framework/qvforms.h"
#include "graph/qvgraph2d.h"
#include "parser/qvparsefkt.h"
#include "series/qvsymbolstamps.h"
#include "undo/qvundostack.h"

#include <QRandomGenerator>

#include <atomic>
#include <limits>

using namespace Qvlocalize;
using Qvmath::MaxDouble;

namespace {
// Unique across all series, so that a series made where a freed one lay never matches it.
std::uint64_t NextPaintVersion() {
    static std::atomic<std::uint64_t> Counter{0};
    return ++Counter;
}
} // namespace

namespace {

// The default styles new series take in turn: line colour, symbol, symbol border, symbol fill.
struct TDefaultStyle {
    TQvColor Line;
    TQvPointSymbol Symbol;
    TQvColor Border;
    TQvColor Fill;
};
constexpr TDefaultStyle DefaultStyles[] = {
    {0xFFFF0000, TQvPointSymbol::Circle, 0xFF0000FF, 0xFFADD8E6},
    {0xFF008000, TQvPointSymbol::Square, 0xFF8B0000, 0xFFF08080},
    {0xFF0000FF, TQvPointSymbol::Diamond, 0xFF006400, 0xFF90EE90},
    {0xFF800000, TQvPointSymbol::FiveStar, 0xFFD2691E, 0xFFFFFF00},
    {0xFF006400, TQvPointSymbol::Delta, 0xFFA52A2A, 0xFFDEB887},
    {0xFF00008B, TQvPointSymbol::Nabla, 0xFF008B8B, 0xFFE0FFFF},
};
constexpr int DefaultStyleCount = int(std::size(DefaultStyles));
// Counts the series made so far, in any thread; the next one takes the style it points to.
std::atomic<unsigned> SeriesMade = 0;
// The out-of-range symbols: grey.
constexpr TQvColor OutOfRangeBorder = 0xFF696969;
constexpr TQvColor OutOfRangeFill = 0xFFD3D3D3;

bool IsLogAxis(const TQvAxis* Axis) {
    return Axis->GetScaling() == TQvAxisScaling::Log || Axis->GetScaling() == TQvAxisScaling::LogEE;
}
} // namespace

TQvSeries::TQvSeries(TComponent* AOwner)
    : TComponent(AOwner), FAreaSettings(std::make_unique<TQvAreaSettings>()),
      FLineSettings(std::make_unique<TQvLineSettings>()),
      FPointSymbolSettings(std::make_unique<TQvPointSymbolSettings>()), FXStart(MaxDouble),
      FXStop(-MaxDouble), FYStart(MaxDouble), FYStop(-MaxDouble), FIndexer(new TQvIndexer(this)),
      FOutOfRangeSymbolSettings(std::make_unique<TQvPointSymbolSettings>()) {
    const TDefaultStyle& Style = DefaultStyles[SeriesMade++ % DefaultStyleCount];
    FLineSettings->SetColor(Style.Line);
    FPointSymbolSettings->SetVisible(false);
    FPointSymbolSettings->SetPointSymbol(Style.Symbol);
    FPointSymbolSettings->SetBorderColor(Style.Border);
    FPointSymbolSettings->SetFillColor(Style.Fill);
    FOutOfRangeSymbolSettings->SetVisible(false);
    FOutOfRangeSymbolSettings->SetPointSymbol(Style.Symbol);
    FOutOfRangeSymbolSettings->SetBorderColor(OutOfRangeBorder);
    FOutOfRangeSymbolSettings->SetFillColor(OutOfRangeFill);
    FSymbolPen = std::make_unique<TQvPen>(Style.Border, 1.0f);
    FSymbolBrush = std::make_unique<TGPSolidBrush>(Style.Fill);
    FOutOfRangePen = std::make_unique<TQvPen>(OutOfRangeBorder, 1.0f);
    FOutOfRangeBrush = std::make_unique<TGPSolidBrush>(OutOfRangeFill);
    FLastSymbolSize = FPointSymbolSettings->GetSize();
    for (TQvStyleSettings* Settings : std::initializer_list<TQvStyleSettings*>{
             FAreaSettings.get(), FLineSettings.get(), FPointSymbolSettings.get(),
             FOutOfRangeSymbolSettings.get()})
        Settings->SetModifiedCallback([this] { TestVisibleChanged(); });
    RegisterVariables();
    FPaintVersion = NextPaintVersion();
}

TQvSeries::~TQvSeries() {
    Destroying();
    RemoveFromVariablesList(this, GlobalVariableList());
    RemoveFromStringList(this, GlobalStringList());
    RemoveFromArrayList(this, GlobalArrayList());
    for (TQvCustomDoubleVector* Data : DataVectors())
        if (Data && Data != FIndexer) Data->RemoveRelated(this);
}

std::vector<TQvCustomDoubleVector*> TQvSeries::DataVectors() const {
    std::vector<TQvCustomDoubleVector*> Vectors{FXData, FYData};
    for (const TFurtherVector& Further : FFurtherVectors)
        Vectors.push_back(*Further.Field);
    return Vectors;
}

void TQvSeries::AddFurtherVector(TQvCustomDoubleVector*& Field, bool Horizontal, bool Difference) {
    FFurtherVectors.push_back({&Field, Horizontal, Difference});
}

bool TQvSeries::FurtherOutlierAt(int i) const {
    for (const TFurtherVector& Further : FFurtherVectors) {
        const TQvCustomDoubleVector* Vector = *Further.Field;
        if (Vector && Vector->GetAnyOutliers() && i < Vector->GetCount() && Vector->IsOutlier(i))
            return true;
    }
    return false;
}

void TQvSeries::NameCaption() {
    FCaption = UniqueName(GetOwner(), QString::fromLatin1(metaObject()->className()).mid(1));
}

void TQvSeries::RegisterVariables() {
    AddStringToList(
        QStringLiteral("Name"), SSeriesNameVariable.Text(), this, [this] { return GetName(); },
        GlobalStringList());
    AddStringToList(
        QStringLiteral("Caption"), SSeriesCaptionVariable.Text(), this, [this] { return FCaption; },
        GlobalStringList());
}

void TQvSeries::AddObjectToUpdate(TComponent* Object) {
    if (!Object || Object == this || FObjectsToUpdate.contains(Object)) return;
    FObjectsToUpdate.append(Object);
    Object->FreeNotification(this);
}

void TQvSeries::SetCaption(const QString& Value) {
    if (!SetUndoable(FUndoStack, this, FCaption, TrimRight(Value), "Caption", SSeriesCaption))
        return;
    if (FGraph) FGraph->LegendsModified();
    UpdateVariablesObjects(FObjectsToUpdate);
}

void TQvSeries::SetIncludeInLegend(bool Value) {
    if (SetUndoable(FUndoStack, this, FIncludeInLegend, Value, "IncludeInLegend",
                    SSeriesIncludeInLegend) &&
        FGraph)
        FGraph->LegendsModified();
}

void TQvSeries::SetMergeLegendItemWith(TQvSeries* Value) {
    if (Value == this || !ReplaceReference(this, FMergeLegendItemWith, Value)) return;
    if (FGraph) FGraph->LegendsModified();
}

void TQvSeries::SetDrawBandTo(TQvSeries* Value) {
    if (Value == this || !ReplaceReference(this, FDrawBandTo, Value)) return;
    // A band is an area that ends at the other line.
    if (Value) FAreaSettings->SetVisible(true);
    Invalidate();
}

void TQvSeries::SetRangeFromFunction(TQvSeries* Value) {
    if (Value == this || !ReplaceReference(this, FRangeFromFunction, Value)) return;
    Invalidate();
}

double TQvSeries::GetCalculationStart() const {
    return -std::numeric_limits<double>::infinity();
}

double TQvSeries::GetCalculationStop() const {
    return std::numeric_limits<double>::infinity();
}

void TQvSeries::SetOnGetPen(const TQvPenEventHandler& Value) {
    FOnGetPen = Value;
    Invalidate();
}

void TQvSeries::SetOnGetBrush(const TQvBrushEventHandler& Value) {
    FOnGetBrush = Value;
    Invalidate();
}

void TQvSeries::SetOnGetPointSymbol(const PointSymbolEventHandler& Value) {
    FOnGetPointSymbol = Value;
    Invalidate();
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
    // Dense lines are reduced from the hierarchy of their Y values.
    if (FYData && FYData->Data()) FYData->KeepMinMaxHierarchy();
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
    } else if (&Field == &FXData || &Field == &FYData) {
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
    return Transformed(FXTransformation, this, i, v);
}

double TQvSeries::TransformY(int i, double v) const {
    return Transformed(FYTransformation, this, i, v);
}

void TQvSeries::TakeThemeColor(TQvColor Color, TQvColor Light) {
    FLineSettings->SetColor(Color);
    FPointSymbolSettings->SetBorderColor(Color);
    FPointSymbolSettings->SetFillColor(Light);
}

void TQvSeries::SetUndoStack(TQvUndoStack* Value) {
    if (!ReplaceReference(this, FUndoStack, Value)) return;
    for (TQvStyleSettings* Settings : std::initializer_list<TQvStyleSettings*>{
             FAreaSettings.get(), FLineSettings.get(), FPointSymbolSettings.get(),
             FOutOfRangeSymbolSettings.get()})
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
    for (TQvCustomDoubleVector* Data : DataVectors())
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
        if (Lo > Hi) return;
        // Infinities take no part in ranges: with one among the extremes, the values are walked.
        if (std::isfinite(Lo) && std::isfinite(Hi)) {
            if (!(X ? FXTransformation : FYTransformation)) return;
            const int LoIdx =
                FOutliersVisible ? Data->GetMinimumIdxIncludingOutliers() : Data->GetMinimumIdx();
            const int HiIdx =
                FOutliersVisible ? Data->GetMaximumIdxIncludingOutliers() : Data->GetMaximumIdx();
            Lo = Transform(LoIdx, Lo);
            Hi = Transform(HiIdx, Hi);
            if (Lo > Hi) std::swap(Lo, Hi);
            return;
        }
    }
    Lo = MaxDouble;
    Hi = -MaxDouble;
    for (int i = 0; i < FCount; ++i) {
        if (!HasValuesAt(i)) continue;
        const double v = Transform(i, Data->GetValue(i));
        if (!std::isfinite(v)) continue;
        Lo = std::min(Lo, v);
        Hi = std::max(Hi, v);
    }
}

bool TQvSeries::LogAxis(bool X) const {
    return IsLogAxis(X ? FXAxis : FYAxis);
}

void TQvSeries::DataRange(bool X, double& Lo, double& Hi) const {
    ValueRange(X, Lo, Hi);
    if (!LogAxis(X) || Lo > 0) return;
    // The smallest positive value stands in for a logarithmic minimum.
    const TQvCustomDoubleVector* Data = X ? FXData : FYData;
    double Smallest = MaxDouble;
    for (int i = 0; i < Data->GetCount(); ++i) {
        if (!HasValuesAt(i)) continue;
        const double v = X ? TransformX(i, Data->GetValue(i)) : TransformY(i, Data->GetValue(i));
        if (v > 0 && v < Smallest) Smallest = v;
    }
    if (Smallest != MaxDouble) Lo = Smallest;
}

void TQvSeries::Calculate() {
    if (!FXData || !FYData || !FXAxis || !FYAxis) return;
    if (FXData->GetCount() <= FLastCount && FYData->GetCount() <= FLastCount) return;
    FCount = GetCount();
    if (FLastCount >= FCount || FCount < FMinCount) return;
    for (const bool X : {true, false}) {
        double Lo, Hi;
        DataRange(X, Lo, Hi);
        TQvAxis* Axis = X ? FXAxis : FYAxis;
        double& Start = X ? FXStart : FYStart;
        double& Stop = X ? FXStop : FYStop;
        if (Lo != Start || Hi != Stop) {
            Start = Lo;
            Stop = Hi;
            Axis->RangeModified();
        }
    }
    FScreen.Invalidate(FLastCount);
    Invalidate();
    FLastCount = FCount;
}

void TQvSeries::TestVisibleChanged() {
    if (!FGraph) {
        Invalidate();
        return;
    }
    TQvPointSymbolSettings* Symbols = FPointSymbolSettings.get();
    FSymbolPen->SetColor(Symbols->GetBorderColor());
    FSymbolPen->SetWidth(Symbols->GetBorderLineWidth());
    FSymbolBrush->SetColor(Symbols->GetFillColor());
    FOutOfRangePen->SetColor(FOutOfRangeSymbolSettings->GetBorderColor());
    FOutOfRangePen->SetWidth(FOutOfRangeSymbolSettings->GetBorderLineWidth());
    FOutOfRangeBrush->SetColor(FOutOfRangeSymbolSettings->GetFillColor());
    // Symbols change the point reduction and the room the axes leave.
    if (Symbols->GetSize() != FLastSymbolSize || Symbols->GetVisible() != FLastSymbolsVisible) {
        FLastSymbolSize = Symbols->GetSize();
        FLastSymbolsVisible = Symbols->GetVisible();
        PointsModified();
        FGraph->Modified();
    }
    FPen.reset();
    FBrush.reset();
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
    // The indexer counts whichever vector stands beside it now.
    if (!FXData || FXData == FIndexer) {
        FIndexer->SetRefVector(FYData);
        FXData = FIndexer;
    } else if (!FYData || FYData == FIndexer) {
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
    for (const TFurtherVector& Further : FFurtherVectors)
        if (auto* Vector = qobject_cast<TQvDoubleVector*>(*Further.Field);
            Vector && Further.Horizontal == Horizontal)
            (Further.Difference ? Vectors.Differences : Vectors.Values).push_back(Vector);
}

bool TQvSeries::UsesAsYData(const TQvCustomDoubleVector* Vector) const {
    return Vector == FYData;
}

void TQvSeries::SetLastCount(int N) {
    FLastCount = std::min(FLastCount, N);
    FScreen.Invalidate(N);
}

void TQvSeries::PointsModified() {
    FScreen.Invalidate();
    Invalidate();
}

void TQvSeries::ValueChanged(const TQvCustomDoubleVector*, int) {
    FScreen.Invalidate();
    Invalidate();
}

void TQvSeries::RangesModified() {
    if (!FXAxis || !FYAxis) return;
    FXStart = FYStart = MaxDouble;
    FXStop = FYStop = -MaxDouble;
    FLastCount = 0;
    FCount = 0;
    FScreen.Invalidate(0);
    Invalidate();
    FXAxis->RangeModified();
    FYAxis->RangeModified();
}

void TQvSeries::Invalidate() {
    FPaintVersion = NextPaintVersion();
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
    if (Is(FMergeLegendItemWith)) FMergeLegendItemWith = nullptr;
    if (Is(FDrawBandTo)) FDrawBandTo = nullptr;
    if (Is(FRangeFromFunction)) FRangeFromFunction = nullptr;
    FObjectsToUpdate.removeAll(AComponent);
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
    for (const TFurtherVector& Further : FFurtherVectors)
        if (Is(*Further.Field)) {
            *Further.Field = nullptr;
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

TQvLineSeries::TQvLineSeries(TComponent* AOwner) : TQvSeries(AOwner) {
    NameCaption();
}

TQvPointSeries::TQvPointSeries(TComponent* AOwner) : TQvLineSeries(AOwner) {
    FPointSymbolSettings->SetVisible(true);
    FOutOfRangeSymbolSettings->SetVisible(true);
    FLastSymbolsVisible = true;
    FDoPointSettingsStorage = true;
    NameCaption();
}
