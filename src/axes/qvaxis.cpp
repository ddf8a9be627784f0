// An axis as a component: construction, its properties with their undo steps, the rubrics
// and their database binding, its place among the graph's children, and its streaming.

#include "axes/qvaxis.h"

#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "data/qvboundstrings.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvstringlist.h"
#include "graph/qvgraph2d.h"
#include "series/qvseries.h"
#include "style/qvio.h"
#include "undo/qvundostack.h"

#include <algorithm>
#include <cmath>

using namespace Qvlocalize;

namespace {

// Lengths and distances in pixels, also from records, stay within the pixels an axis reaches;
// NaN is 0.
float PixelSize(float Value) {
    constexpr auto Reach = float(TQvAxis::MaxPixelOffset);
    return std::isnan(Value) ? 0 : std::clamp(Value, -Reach, Reach);
}

} // namespace

TQvAxis::TQvAxis(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FArrowPoint(std::make_unique<TQvAxisArrowPoint>([this] { Modified(); })),
      FCaptionFont(NewFont("Times New Roman", 14, true, ColorToARGB(QStringLiteral("DarkRed")))),
      FForeColor(ColorToARGB(QStringLiteral("Black"))),
      FNumbersColor(ColorToARGB(QStringLiteral("DarkBlue"))), FMajorTickColor(FForeColor),
      FTickColor(FForeColor),
      FRubrics(std::make_unique<TQvBoundStrings>(
          this,
          [this] {
              if (FUndoStack) FUndoStack->PushProperty(this, SAxisRubrics.Text(), "Rubrics");
          },
          [this] { Modified(); })) {
    FCaptionRec =
        std::make_unique<TQvRichCaptionObject>(FCaptionFont.get(), [this] { Modified(); });
    FCaptionFont->SetModifiedCallback([this] { FCaptionRec->FontChanged(); });
    TQvFont* NumbersFont =
        NewFont("Arial", 12, true, ColorToARGB(QStringLiteral("DarkBlue"))).release();
    FExtraExponentRec = std::make_unique<TQvRichCaptionObject>(NumbersFont, [this] { Modified(); });
    ReplaceFont(std::unique_ptr<TFont>(NumbersFont));
    SetParentFont(false);
    FFontSize = NumbersFont->GetSizeF();
    InitDateTimeFormats();
    SetBounds(0, 0, 400, 20);
}

TQvAxis::~TQvAxis() {
    Destroying();
    if (TQvGraph2D* Graph = ParentGraph(); Graph && !Graph->IsDestroying()) {
        Graph->ForgetAxis(this);
        Graph->Modified();
    }
}

TQvGraph2D* TQvAxis::ParentGraph() const {
    return qobject_cast<TQvGraph2D*>(GetParent());
}

bool TQvAxis::InDesigner() const {
    return IsDesigning() && !IsLoading();
}

void TQvAxis::RecordProperties(const TResourceString& Caption,
                               std::initializer_list<const char*> Names) {
    if (!FUndoStack) return;
    const QString Text = Caption.Text();
    FUndoStack->StartGroup(Text);
    for (const char* Name : Names)
        FUndoStack->PushProperty(this, Text, QString::fromLatin1(Name));
    FUndoStack->StopGroup();
}

// ---- Appearance ----

void TQvAxis::SetCaption(const TQvRichCaption& Value) {
    const QString Trimmed = TrimRight(Value);
    if (Trimmed == GetCaption()) return;
    if (FUndoStack) FUndoStack->PushProperty(this, SAxisCaption.Text(), "Caption");
    FCaptionRec->SetCaption(Trimmed);
    FCaptionSet = true;
    Modified();
}

void TQvAxis::SetCaptionAlignment(TAlignment Value) {
    if (SetUndoable(FUndoStack, this, FCaptionAlignment, Value, "CaptionAlignment",
                    SAxisCaptionAlignment))
        Modified();
}

void TQvAxis::SetCaptionColor(TQvColor Value) {
    if (Value == FCaptionFont->GetFillColor()) return;
    if (FUndoStack) FUndoStack->PushProperty(this, SAxisCaptionColor.Text(), "CaptionColor");
    FCaptionFont->SetFillColor(Value);
}

void TQvAxis::SetCaptionDistanceAfter(float Value) {
    if (SetUndoable(FUndoStack, this, FCaptionDistanceAfter, PixelSize(Value),
                    "CaptionDistanceAfter", SAxisCaptionDistanceAfter))
        Modified();
}

void TQvAxis::SetCaptionDistanceBefore(float Value) {
    if (SetUndoable(FUndoStack, this, FCaptionDistanceBefore, PixelSize(Value),
                    "CaptionDistanceBefore", SAxisCaptionDistanceBefore))
        Modified();
}

void TQvAxis::SetCaptionFont(TQvFont* Value) {
    if (!Value || Value == FCaptionFont.get()) return;
    FCaptionFont->PushToUndoStack(FUndoStack, SAxisCaptionFont.Text());
    FCaptionFont->Assign(Value);
}

void TQvAxis::SetCaptionVisible(bool Value) {
    if (SetUndoable(FUndoStack, this, FCaptionVisible, Value, "CaptionVisible",
                    SAxisCaptionVisible))
        Modified();
}

void TQvAxis::SetCaptionHorizontalOnVerticalAxis(bool Value) {
    if (SetUndoable(FUndoStack, this, FCaptionHorizontalOnVerticalAxis, Value,
                    "CaptionHorizontalOnVerticalAxis", SAxisCaptionHorizontal))
        Modified();
}

// Digits beyond the precision of a double show nothing.
void TQvAxis::SetExtraDigits(int Value) {
    constexpr int MaxDigits = std::numeric_limits<double>::max_digits10;
    if (SetUndoable(FUndoStack, this, FExtraDigits, std::clamp(Value, -MaxDigits, MaxDigits),
                    "ExtraDigits", SAxisExtraDigits))
        Modified();
}

TQvFont* TQvAxis::GetNumbersFont() const {
    return static_cast<TQvFont*>(GetFont());
}

void TQvAxis::SetFont(TFont* Value) {
    if (!Value || Value == GetFont()) return;
    GetNumbersFont()->PushToUndoStack(FUndoStack, SAxisFont.Text());
    GetFont()->Assign(Value);
}

void TQvAxis::SetForeColor(TQvColor Value) {
    if (!SetUndoable(FUndoStack, this, FForeColor, Value, "ForeColor", SAxisForeColor)) return;
    if (FMajorForeColor) FMajorTickColor = Value;
    if (FMinorForeColor) FTickColor = Value;
    Modified();
}

void TQvAxis::SetNumbersColor(TQvColor Value) {
    if (SetUndoable(FUndoStack, this, FNumbersColor, Value, "NumbersColor", SAxisNumbersColor))
        Modified();
}

void TQvAxis::SetRubricsAngle(float Value) {
    const float Angle = float(Qvmath::FitTo360Degrees(Value));
    if (!SetUndoable(FUndoStack, this, FRubricsAngle, Angle, "RubricsAngle", SAxisRubricsAngle))
        return;
    const double Radians = qDegreesToRadians(double(Angle));
    FRubricsSin = float(std::abs(std::sin(Radians)));
    FRubricsCos = float(std::abs(std::cos(Radians)));
    Modified();
}

void TQvAxis::SetNumbersVisible(bool Value) {
    if (SetUndoable(FUndoStack, this, FNumbersVisible, Value, "NumbersVisible",
                    SAxisNumbersVisible))
        Modified();
}

void TQvAxis::SetPosition(TQvAxisPosition Value) {
    if (SetUndoable(FUndoStack, this, FPosition, Value, "Position", SAxisPosition)) Modified();
}

void TQvAxis::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    if (Value) Modified();
}

void TQvAxis::SetMajorGridMode(TQvMajorGridMode Value) {
    if (SetUndoable(FUndoStack, this, FMajorGridMode, Value, "MajorGridMode", SAxisMajorGridMode))
        Modified();
}

void TQvAxis::SetAxisThicknes(float Value) {
    if (SetUndoable(FUndoStack, this, FAxisThicknes, PixelSize(Value), "AxisThicknes",
                    SAxisThickness))
        Modified();
}

void TQvAxis::SetMajorTickThicknes(float Value) {
    if (SetUndoable(FUndoStack, this, FMajorTickThicknes, PixelSize(Value), "MajorTickThicknes",
                    SAxisMajorTickThickness))
        Modified();
}

void TQvAxis::SetTickThicknes(float Value) {
    if (SetUndoable(FUndoStack, this, FTickThicknes, PixelSize(Value), "TickThicknes",
                    SAxisTickThickness))
        Modified();
}

void TQvAxis::SetTickLength(float Value) {
    if (SetUndoable(FUndoStack, this, FTickLength, PixelSize(Value), "TickLength", SAxisTickLength))
        Modified();
}

void TQvAxis::SetMajorTickLength(float Value) {
    if (SetUndoable(FUndoStack, this, FMajorTickLength, PixelSize(Value), "MajorTickLength",
                    SAxisMajorTickLength))
        Modified();
}

void TQvAxis::SetMajorTickColor(TQvColor Value) {
    FMajorForeColor = false;
    if (SetUndoable(FUndoStack, this, FMajorTickColor, Value, "MajorTickColor",
                    SAxisMajorTickColor))
        Modified();
}

void TQvAxis::SetTickColor(TQvColor Value) {
    FMinorForeColor = false;
    if (SetUndoable(FUndoStack, this, FTickColor, Value, "TickColor", SAxisTickColor)) Modified();
}

void TQvAxis::SetTicksPointToData(bool Value) {
    if (SetUndoable(FUndoStack, this, FTicksPointToData, Value, "TicksPointToData",
                    SAxisTicksPointToData))
        Modified();
}

void TQvAxis::SetTwisted(bool Value) {
    if (SetUndoable(FUndoStack, this, FTwisted, Value, "Twisted", SAxisTwisted)) Modified();
}

void TQvAxis::SetMaxForExtraExponent(double Value) {
    Value = std::abs(Value);
    if (FMaxForExtraExponent == Value) return;
    FMaxForExtraExponent = Value;
    Modified();
}

void TQvAxis::SetMinForExtraExponent(double Value) {
    Value = std::abs(Value);
    if (FMinForExtraExponent == Value) return;
    FMinForExtraExponent = Value;
    Modified();
}

void TQvAxis::SetDistanceValuesAxis(float Value) {
    if (SetUndoable(FUndoStack, this, FDistanceValuesAxis, PixelSize(Value), "DistanceValuesAxis",
                    SAxisDistanceValuesAxis))
        Modified();
}

void TQvAxis::SetDistanceAxisLabels(float Value) {
    if (SetUndoable(FUndoStack, this, FDistanceAxisLabels, PixelSize(Value), "DistanceAxisLabels",
                    SAxisDistanceAxisLabels))
        Modified();
}

void TQvAxis::SetDistanceAxisExtraExponent(float Value) {
    if (SetUndoable(FUndoStack, this, FDistanceAxisExtraExponent, PixelSize(Value),
                    "DistanceAxisExtraExponent", SAxisDistanceExtraExponent))
        Modified();
}

// Towards the data area lies the caption distance "before" on bottom and right axes.
bool TQvAxis::CaptionBeforeFacesData() const {
    return FPosition == TQvAxisPosition::Bottom || FPosition == TQvAxisPosition::Right;
}

float TQvAxis::GetDistanceNumbersCaption() const {
    return CaptionBeforeFacesData() ? FCaptionDistanceBefore : FCaptionDistanceAfter;
}

void TQvAxis::SetDistanceNumbersCaption(float Value) {
    float& Field = CaptionBeforeFacesData() ? FCaptionDistanceBefore : FCaptionDistanceAfter;
    if (SetUndoable(FUndoStack, this, Field, PixelSize(Value), "DistanceNumbersCaption",
                    SAxisDistanceNumbersCaption))
        Modified();
}

float TQvAxis::GetDistanceToBorder() const {
    return CaptionBeforeFacesData() ? FCaptionDistanceAfter : FCaptionDistanceBefore;
}

void TQvAxis::SetDistanceToBorder(float Value) {
    float& Field = CaptionBeforeFacesData() ? FCaptionDistanceAfter : FCaptionDistanceBefore;
    if (SetUndoable(FUndoStack, this, Field, PixelSize(Value), "DistanceToBorder",
                    SAxisDistanceToBorder))
        Modified();
}

void TQvAxis::SetVisible(bool Value) {
    if (Value == GetVisible()) return;
    if (FUndoStack) FUndoStack->PushProperty(this, SAxisVisible.Text(), "Visible");
    TGraphicControl::SetVisible(Value);
    if (TQvGraph2D* Graph = ParentGraph()) Graph->Modified();
}

// ---- Tick partition ----

void TQvAxis::SetAutoTickParts(bool Value) {
    if (FAutoTickParts == Value || !Scale().HasUserParts()) return;
    if (Value) {
        if (FUndoStack) FUndoStack->PushProperty(this, SAxisAutoTickParts.Text(), "AutoTickParts");
    } else {
        RecordProperties(SAxisAutoTickParts,
                         {"LabelPart", "MajorTickPart", "TickPart", "AutoTickParts"});
    }
    FAutoTickParts = Value;
    Modified();
}

void TQvAxis::SetLabelDistanceFactor(float Value) {
    constexpr float MinFactor = 0.1f, MaxFactor = 10.0f;
    if (SetUndoable(FUndoStack, this, FLabelDistanceFactor, std::clamp(Value, MinFactor, MaxFactor),
                    "LabelDistanceFactor", SAxisLabelDistanceFactor))
        Modified();
}

namespace {
// Parts are steps: never negative, never 0.
double PartValue(double Value) {
    constexpr double SmallestPart = 0.001;
    return Value == 0 ? SmallestPart : std::abs(Value);
}
} // namespace

void TQvAxis::SetLabelPart(double Value) {
    if (FAutoTickParts) return;
    if (FUndoStack) FUndoStack->PushProperty(this, SAxisLabelPart.Text(), "LabelPart");
    FScaleState.Parts.LabelPart = PartValue(Value);
    Modified();
}

void TQvAxis::SetMajorPart(double Value) {
    if (FAutoTickParts) return;
    if (FUndoStack) FUndoStack->PushProperty(this, SAxisMajorTickPart.Text(), "MajorTickPart");
    FScaleState.Parts.MajorTickPart = PartValue(Value);
    Modified();
}

void TQvAxis::SetTickPart(double Value) {
    if (FAutoTickParts) return;
    if (FUndoStack) FUndoStack->PushProperty(this, SAxisTickPart.Text(), "TickPart");
    FScaleState.Parts.TickPart = PartValue(Value);
    Modified();
}

// ---- Slave axes ----

void TQvAxis::SetIsSlaveAxis(bool Value) {
    if (FIsSlaveAxis == Value) return;
    if (Value && FMasterAxis)
        RecordProperties(SAxisIsSlave, {"Start", "Stop", "Scaling", "IsSlaveAxis"});
    else if (FUndoStack)
        FUndoStack->PushProperty(this, SAxisIsSlave.Text(), "IsSlaveAxis");
    FIsSlaveAxis = Value;
    Modified();
}

void TQvAxis::SetSlaveSlope(double Value) {
    if (SetUndoable(FUndoStack, this, FSlaveSlope, Value, "SlaveSlope", SAxisSlaveSlope))
        Modified();
}

void TQvAxis::SetSlaveOffset(double Value) {
    if (SetUndoable(FUndoStack, this, FSlaveOffset, Value, "SlaveOffset", SAxisSlaveOffset))
        Modified();
}

void TQvAxis::SetMasterAxis(TQvAxis* Value) {
    if (FMasterAxis == Value) return;
    if (Value &&
        (Value == this || Value->GetHorizontal() != GetHorizontal() || Value->FIsSlaveAxis))
        return;
    if (!FIsSlaveAxis)
        RecordProperties(SAxisMaster, {"Start", "Stop", "Scaling", "IsSlaveAxis", "MasterAxis"});
    else if (FUndoStack)
        FUndoStack->PushProperty(this, SAxisMaster.Text(), "MasterAxis");
    ReplaceReference(this, FMasterAxis, Value);
    FIsSlaveAxis = Value != nullptr;
    Modified();
}

// ---- Rubrics ----

TStrings* TQvAxis::GetRubrics() const {
    return FRubrics->Get();
}

void TQvAxis::SetRubrics(TStrings* Value) {
    if (FRubrics->Set(Value, SAxisRubricsWithDB.Text())) Modified();
}

QString TQvAxis::GetRubricsField() const {
    return FRubrics->GetField();
}

void TQvAxis::SetRubricsField(const QString& Value) {
    FRubrics->SetField(Value);
    if (FScaling == TQvAxisScaling::Rubrics) Modified();
}

TDataSource* TQvAxis::GetDataSource() const {
    return FRubrics->GetDataSource();
}

void TQvAxis::SetDataSource(TDataSource* Value) {
    FRubrics->SetDataSource(Value);
    if (Value && FScaling == TQvAxisScaling::Rubrics) Modified();
}

void TQvAxis::UpdateDB() {
    FRubrics->Update();
}

// ---- Undo ----

void TQvAxis::SetUndoStack(TQvUndoStack* Value) {
    if (ReplaceReference(this, FUndoStack, Value)) FArrowPoint->SetUndoStack(Value);
}

void TQvAxis::Resize() {
    TGraphicControl::Resize();
    CheckResize();
}

void TQvAxis::FontChanged() {
    FFontSize = GetNumbersFont()->GetSizeF();
    FExtraExponentRec->FontChanged();
}

// ---- Series ----

void TQvAxis::AddRelatedSeries(TQvSeries* Series) {
    if (!FRelatedSeries.contains(Series)) FRelatedSeries.append(Series);
}

void TQvAxis::RemoveRelatedSeries(TQvSeries* Series) {
    FRelatedSeries.removeAll(Series);
}

// ---- Framework ----

void TQvAxis::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    constexpr int Reach = int(MaxPixelOffset);
    TGraphicControl::SetBounds(std::clamp(ALeft, -Reach, Reach), std::clamp(ATop, -Reach, Reach),
                               std::clamp(AWidth, 0, Reach), std::clamp(AHeight, 0, Reach));
}

void TQvAxis::SetParent(TWinControl* AParent) {
    const bool Dropped = AParent && AParent != GetParent() && InDesigner();
    TGraphicControl::SetParent(AParent);
    TQvGraph2D* Graph = ParentGraph();
    if (!Graph) {
        Modified();
        return;
    }
    if (Dropped) {
        // The side nearest to the drop point, judged by the graph's two diagonals.
        const double W = Graph->GetWidth(), H = Graph->GetHeight();
        const double x = GetLeft(), y = GetTop();
        const bool AboveFalling = W > 0 && y < x * H / W;    // from the top-left corner
        const bool AboveRising = W > 0 && y < H - x * H / W; // from the bottom-left corner
        if (AboveFalling && AboveRising)
            SetPosition(TQvAxisPosition::Top);
        else if (!AboveFalling && !AboveRising)
            SetPosition(TQvAxisPosition::Bottom);
        else if (AboveFalling)
            SetPosition(TQvAxisPosition::Right);
        else
            SetPosition(TQvAxisPosition::Left);
        if (GetHorizontal())
            SetWidth(Graph->GetWidth());
        else
            SetHeight(Graph->GetHeight());
        Calculate();
        if (!FUndoStack) SetUndoStack(Graph->GetUndoStack());
    }
    Modified();
    Graph->Modified();
}

void TQvAxis::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != TOperation::Remove || !AComponent) return;
    FRubrics->SourceFreed(AComponent);
    if (FMasterAxis && AComponent == static_cast<TComponent*>(FMasterAxis)) {
        FMasterAxis = nullptr;
        FIsSlaveAxis = false;
    }
    if (FUndoStack && AComponent == static_cast<TComponent*>(FUndoStack)) SetUndoStack(nullptr);
    if (RemoveReferences(FRelatedSeries, AComponent)) RangeModified();
}

void TQvAxis::DefineProperties(TFiler* Filer) {
    TGraphicControl::DefineProperties(Filer);
    Filer->DefineProperty(
        QStringLiteral("AStart"),
        [this](TReader* Reader) { SetStart(GetFloatFromStringOrFloat(Reader)); },
        [this](TWriter* Writer) { StoreFloatToString(Writer, FStart); }, true);
    Filer->DefineProperty(
        QStringLiteral("AStop"),
        [this](TReader* Reader) { SetStop(GetFloatFromStringOrFloat(Reader)); },
        [this](TWriter* Writer) { StoreFloatToString(Writer, FStop); }, true);
}
