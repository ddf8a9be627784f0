#include "axes/qvaxis.h"

#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "data/qvvectors.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvstringlist.h"
#include "graph/qvgraph2d.h"
#include "series/qvseries.h"
#include "style/qvio.h"
#include "undo/qvundostack.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

using namespace Qvlocalize;
using Qvmath::MaxDouble;
using Qvmath::SaturatingRound;

namespace {

// Beyond this many steps the moving slit is advanced by one multiplication.
constexpr double MaxSlitSteps = 1e6;
// A moving slit without an increment advances by a third of its width.
constexpr double SlitStepsPerWidth = 3;

TQvFont* NewFont(const char* Name, float Size, const char* FillColor) {
    auto* Font = new TQvFont();
    Font->SetName(QString::fromLatin1(Name));
    Font->SetSizeF(Size);
    Font->SetStyle(TFontStyle::Bold);
    Font->SetFillColor(ColorToARGB(QString::fromLatin1(FillColor)));
    return Font;
}

// These scalings start out mapped logarithmically.
bool IsLogScaling(TQvAxisScaling Scaling) {
    return Scaling == TQvAxisScaling::Log || Scaling == TQvAxisScaling::LogEE;
}

} // namespace

TQvAxis::TQvAxis(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FArrowPoint(std::make_unique<TQvAxisArrowPoint>([this] { Modified(); })),
      FCaptionFont(NewFont("Times New Roman", 14, "DarkRed")),
      FForeColor(ColorToARGB(QStringLiteral("Black"))),
      FNumbersColor(ColorToARGB(QStringLiteral("DarkBlue"))), FMajorTickColor(FForeColor),
      FTickColor(FForeColor), FOwnRubrics(std::make_unique<TStringList>()),
      FDataLink(std::make_unique<TQvListLink>()) {
    FCaptionRec =
        std::make_unique<TQvRichCaptionObject>(FCaptionFont.get(), [this] { Modified(); });
    FCaptionFont->SetModifiedCallback([this] { FCaptionRec->FontChanged(); });
    TQvFont* NumbersFont = NewFont("Arial", 12, "DarkBlue");
    FExtraExponentRec = std::make_unique<TQvRichCaptionObject>(NumbersFont, [this] { Modified(); });
    ReplaceFont(std::unique_ptr<TFont>(NumbersFont));
    SetParentFont(false);
    FRubrics = FOwnRubrics.get();
    FOwnRubrics->SetOnChanging([this](TObject* Sender) { RubricsChanging(Sender); });
    FOwnRubrics->SetOnChange([this](TObject* Sender) { RubricsChanged(Sender); });
    FDataLink->SetOnChange([this](TObject* Sender) { DataLinkChanged(Sender); });
    FFontSize = NumbersFont->GetSizeF();
    InitDateTimeFormats();
    SetBounds(0, 0, 400, 20);
}

TQvAxis::~TQvAxis() {
    Destroying();
    ReleaseRubrics();
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
    if (SetUndoable(FUndoStack, this, FCaptionDistanceAfter, Value, "CaptionDistanceAfter",
                    SAxisCaptionDistanceAfter))
        Modified();
}

void TQvAxis::SetCaptionDistanceBefore(float Value) {
    if (SetUndoable(FUndoStack, this, FCaptionDistanceBefore, Value, "CaptionDistanceBefore",
                    SAxisCaptionDistanceBefore))
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

void TQvAxis::SetExtraDigits(int Value) {
    if (SetUndoable(FUndoStack, this, FExtraDigits, Value, "ExtraDigits", SAxisExtraDigits))
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
    if (SetUndoable(FUndoStack, this, FAxisThicknes, Value, "AxisThicknes", SAxisThickness))
        Modified();
}

void TQvAxis::SetMajorTickThicknes(float Value) {
    if (SetUndoable(FUndoStack, this, FMajorTickThicknes, Value, "MajorTickThicknes",
                    SAxisMajorTickThickness))
        Modified();
}

void TQvAxis::SetTickThicknes(float Value) {
    if (SetUndoable(FUndoStack, this, FTickThicknes, Value, "TickThicknes", SAxisTickThickness))
        Modified();
}

void TQvAxis::SetTickLength(float Value) {
    if (SetUndoable(FUndoStack, this, FTickLength, Value, "TickLength", SAxisTickLength))
        Modified();
}

void TQvAxis::SetMajorTickLength(float Value) {
    if (SetUndoable(FUndoStack, this, FMajorTickLength, Value, "MajorTickLength",
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
    if (SetUndoable(FUndoStack, this, FDistanceValuesAxis, Value, "DistanceValuesAxis",
                    SAxisDistanceValuesAxis))
        Modified();
}

void TQvAxis::SetDistanceAxisLabels(float Value) {
    if (SetUndoable(FUndoStack, this, FDistanceAxisLabels, Value, "DistanceAxisLabels",
                    SAxisDistanceAxisLabels))
        Modified();
}

void TQvAxis::SetDistanceAxisExtraExponent(float Value) {
    if (SetUndoable(FUndoStack, this, FDistanceAxisExtraExponent, Value,
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
    if (SetUndoable(FUndoStack, this, Field, Value, "DistanceNumbersCaption",
                    SAxisDistanceNumbersCaption))
        Modified();
}

float TQvAxis::GetDistanceToBorder() const {
    return CaptionBeforeFacesData() ? FCaptionDistanceAfter : FCaptionDistanceBefore;
}

void TQvAxis::SetDistanceToBorder(float Value) {
    float& Field = CaptionBeforeFacesData() ? FCaptionDistanceAfter : FCaptionDistanceBefore;
    if (SetUndoable(FUndoStack, this, Field, Value, "DistanceToBorder", SAxisDistanceToBorder))
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

// ---- Range and scaling ----

void TQvAxis::SetScaling(TQvAxisScaling Value) {
    if (!SetUndoable(FUndoStack, this, FScaling, Value, "Scaling", SAxisScaling)) return;
    FHasLogScaling = IsLogScaling(Value);
    if (!Scale().HasUserParts()) FAutoTickParts = true;
    if (TQvGraph2D* Graph = ParentGraph()) Graph->ZoomReset();
    Modified();
}

void TQvAxis::SetLogToNormalScalingLevel(double Value) {
    if (!SetUndoable(FUndoStack, this, FLogToNormalScalingLevel, std::max(Value, 0.0),
                     "LogToNormalScalingLevel", SAxisLogToNormalLevel))
        return;
    if (IsLogScaling(FScaling)) Modified();
}

void TQvAxis::SetMovingSlitWidth(double Value) {
    if (FMovingSlitWidth == Value) return;
    RecordProperties(SAxisMovingSlitWidth, {"Start", "Stop", "MovingSlitWidth"});
    FMovingSlitWidth = Value;
    if (InDesigner()) SetStopEnd(TQvAxisEnd::MovingSlit);
    RangeModified();
}

void TQvAxis::SetMovingSlitIncrement(double Value) {
    if (FMovingSlitIncrement == Value) return;
    RecordProperties(SAxisMovingSlitIncrement, {"Start", "Stop", "MovingSlitIncrement"});
    FMovingSlitIncrement = Value;
    if (InDesigner()) SetStopEnd(TQvAxisEnd::MovingSlit);
    RangeModified();
}

void TQvAxis::SetStart(double Value) {
    Value = Scale().ClampValue(Value);
    if (!SetUndoable(FUndoStack, this, FStart, Value, "Start", SAxisStart)) return;
    FInitialStart = FLastStart = Value;
    if (InDesigner()) DsgnRescaleSeriesVectors();
    Modified();
}

void TQvAxis::SetStop(double Value) {
    Value = Scale().ClampValue(Value);
    if (!SetUndoable(FUndoStack, this, FStop, Value, "Stop", SAxisStop)) return;
    FInitialStop = FLastStop = Value;
    if (InDesigner()) DsgnRescaleSeriesVectors();
    Modified();
}

void TQvAxis::SetStartStop(double AStart, double AStop) {
    FStart = FLastStart = AStart;
    FStop = FLastStop = AStop;
    Modified();
}

void TQvAxis::SetStartEnd(TQvAxisEnd Value) {
    if (Value == TQvAxisEnd::MovingSlit) Value = TQvAxisEnd::Fixed;
    if (FStartEnd == Value) return;
    RecordProperties(SAxisStartEnd, {"Start", "Stop", "StartEnd"});
    FStartEnd = Value;
    if (Value == TQvAxisEnd::AutoRange)
        RangeModified();
    else
        Modified();
}

void TQvAxis::SetStopEnd(TQvAxisEnd Value) {
    if (FStopEnd == Value) return;
    TQvGraph2D* Graph = ParentGraph();
    TQvZoomSettings* Zoom = Graph ? Graph->GetZoom() : nullptr;
    // One step with the range and the zoom settings that a moving slit switches off.
    const QString Caption = SAxisStopEnd.Text();
    if (FUndoStack) {
        FUndoStack->StartGroup(Caption);
        for (const char* Name : {"Start", "Stop", "StartEnd", "StopEnd"})
            FUndoStack->PushProperty(this, Caption, QString::fromLatin1(Name));
    }
    FStopEnd = Value;
    if (Value == TQvAxisEnd::MovingSlit) {
        FStartEnd = TQvAxisEnd::Fixed;
        if (Zoom) {
            Zoom->SetAuto(false);
            if (GetHorizontal())
                Zoom->SetHScrollbarVisible(false);
            else
                Zoom->SetVScrollbarVisible(false);
        }
    }
    if (FUndoStack) FUndoStack->StopGroup();
    if (Value == TQvAxisEnd::AutoRange || Value == TQvAxisEnd::MovingSlit)
        RangeModified();
    else
        Modified();
}

void TQvAxis::SetStartPadding(double Value) {
    if (Value <= 0 || FStartPadding == Value) return;
    FStartPadding = Value;
    Modified();
}

void TQvAxis::SetStopPadding(double Value) {
    if (Value <= 0 || FStopPadding == Value) return;
    FStopPadding = Value;
    Modified();
}

void TQvAxis::SetEndRounding(TQvAxisEndRounding Value) {
    if (FEndRounding == Value) return;
    RecordProperties(SAxisEndRounding, {"Start", "Stop", "EndRounding"});
    FEndRounding = Value;
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
    if (FDBData) return nullptr;
    return FRubrics ? FRubrics.data() : FOwnRubrics.get();
}

void TQvAxis::SetRubrics(TStrings* Value) {
    if (FDBData && Value) throw Exception(SAxisRubricsWithDB.Text());
    TStrings* Current = FRubrics ? FRubrics.data() : FOwnRubrics.get();
    if (!Value) {
        Current->Clear();
        return;
    }
    if (Value == Current) return;
    ReleaseRubrics();
    if (auto* List = qobject_cast<TStringList*>(Value)) {
        FSavedRubricsChange = List->GetOnChange();
        FSavedRubricsChanging = List->GetOnChanging();
        List->SetOnChanging([this](TObject* Sender) { RubricsChanging(Sender); });
        List->SetOnChange([this](TObject* Sender) { RubricsChanged(Sender); });
    }
    FRubrics = Value;
    FOwnsRubrics = false;
    Modified();
}

// Gives a foreign list its own handlers back.
void TQvAxis::ReleaseRubrics() {
    if (FOwnsRubrics) return;
    if (auto* List = qobject_cast<TStringList*>(FRubrics.data())) {
        List->SetOnChange(FSavedRubricsChange);
        List->SetOnChanging(FSavedRubricsChanging);
    }
    FSavedRubricsChange = {};
    FSavedRubricsChanging = {};
    FRubrics = FOwnRubrics.get();
    FOwnsRubrics = true;
}

void TQvAxis::RubricsChanging(TObject* Sender) {
    if (FUndoStack && !FSetting) FUndoStack->PushProperty(this, SAxisRubrics.Text(), "Rubrics");
    if (!FOwnsRubrics && FSavedRubricsChanging) FSavedRubricsChanging(Sender);
}

void TQvAxis::RubricsChanged(TObject* Sender) {
    Modified();
    if (!FOwnsRubrics && FSavedRubricsChange) FSavedRubricsChange(Sender);
}

QString TQvAxis::GetRubricsField() const {
    return FDataLink->GetFieldName();
}

void TQvAxis::SetRubricsField(const QString& Value) {
    FDataLink->SetFieldName(Value);
    FDBData = true;
    FDBModified = true;
    if (FScaling == TQvAxisScaling::Rubrics) Modified();
}

TDataSource* TQvAxis::GetDataSource() const {
    return FDataLink->GetDataSource();
}

void TQvAxis::SetDataSource(TDataSource* Value) {
    if (FBoundSource && FBoundSource != Value) FBoundSource->RemoveFreeNotification(this);
    FDataLink->SetDataSource(Value);
    FBoundSource = Value;
    if (!Value) {
        FDBData = false;
        return;
    }
    Value->FreeNotification(this);
    FDBData = true;
    FDBModified = true;
    if (FScaling == TQvAxisScaling::Rubrics) Modified();
}

void TQvAxis::DataLinkChanged(TObject*) {
    if (IsLoading() || IsDestroying()) return;
    if (FDBData && !FSetting && FDataLink->DataSet()) FDBModified = true;
}

void TQvAxis::UpdateDB() {
    if (!FDBData || !FDBModified || FSetting) return;
    TDataSet* Set = FDataLink->DataSet();
    const int Field = FDataLink->Field();
    if (!FDataLink->GetDataSource() || !Set || Field < 0) {
        FDBData = false;
    } else if (Set->Active() && !Set->ControlsDisabled()) {
        TStrings* List = FRubrics ? FRubrics.data() : FOwnRubrics.get();
        FSetting = true;
        List->BeginUpdate();
        try {
            List->Clear();
            if (auto* Strings = qobject_cast<TStringList*>(List))
                Strings->SetCapacity(Set->RecordCount());
            ScanRecords(Set, [&] {
                List->Add(Set->FieldIsNull(Field) ? QString() : Set->FieldValue(Field).toString());
            });
        } catch (...) {
            List->EndUpdate();
            FSetting = false;
            throw;
        }
        List->EndUpdate();
        FSetting = false;
    }
    FDBModified = false;
}

// ---- Undo ----

void TQvAxis::SetUndoStack(TQvUndoStack* Value) {
    if (ReplaceReference(this, FUndoStack, Value)) FArrowPoint->SetUndoStack(Value);
}

// ---- Mapping ----

bool TQvAxis::GetHorizontal() const {
    return FPosition == TQvAxisPosition::Bottom || FPosition == TQvAxisPosition::Top;
}

float TQvAxis::NumberToWorld(double Value) const {
    const TQvAxisMapping Map = Mapping();
    const double Origin = Map.Horizontal ? Map.AxLeft : Map.AxTop;
    const bool Forward = Map.Horizontal != Map.Twisted;
    const double d = Scale().Offset(Value, Map);
    if (d > -MaxPixelOffset && d < MaxPixelOffset)
        return float(Forward ? Origin + d : Origin + (Map.AxLength - d));
    const bool Before = (Forward && d < 0) || (!Forward && d >= 0);
    return float(Before ? Origin - MaxPixelOffset : Origin + MaxPixelOffset);
}

double TQvAxis::WorldToNumber(float Pixel) const {
    const TQvAxisMapping Map = Mapping();
    const double p = double(Pixel) - (Map.Horizontal ? Map.AxLeft : Map.AxTop);
    return Scale().ValueAt(Map.Horizontal != Map.Twisted ? p : Map.AxLength - p, Map);
}

void TQvAxis::SetAxisGeometry(float AxLeft, float AxTop, float AxLength) {
    FAxLeft = AxLeft;
    FAxTop = AxTop;
    FAxLength = AxLength;
}

bool TQvAxis::GetIsClipped() const {
    if (FRedoRange) return false;
    const TQvGraph2D* Graph = ParentGraph();
    if (!Graph || Graph->SeriesCount() == 0 || FValuesStart >= FValuesStop) return false;
    const double Eps = (FStop - FStart) * 1e-8;
    // A fixed end counts as set before any zoom, so that zooming into it clips.
    const bool Zoomed = !FLastZoomStart.empty();
    const double Lo = FStartEnd != TQvAxisEnd::Fixed ? FValuesStart
                      : Zoomed                       ? FLastZoomStart.front()
                                                     : FStart;
    const double Hi = FStopEnd != TQvAxisEnd::Fixed ? FValuesStop
                      : Zoomed                      ? FLastZoomStop.front()
                                                    : FStop;
    return FStart - Eps > Lo || FStop + Eps < Hi;
}

double TQvAxis::MajorIncrement() const {
    return Scale().MajorIncrement(FScaleState);
}

double TQvAxis::MinorIncrement() const {
    return Scale().MinorIncrement(FScaleState);
}

// ---- Update cycle ----

void TQvAxis::Modified() {
    FRecalculate = true;
    FValuesRounded = false;
    Invalidate();
}

void TQvAxis::RangeModified() {
    const TQvGraph2D* Graph = ParentGraph();
    if ((Graph && Graph->GetLoading()) || IsDestroying()) return;
    if (!FLastZoomStart.empty()) {
        if (FStartEnd != TQvAxisEnd::AutoRange) SetStart(FLastZoomStart.front());
        if (FStopEnd != TQvAxisEnd::AutoRange) SetStop(FLastZoomStop.front());
    }
    if (FRelatedSeries.isEmpty()) {
        Modified();
        return;
    }
    FValuesStart = MaxDouble;
    FValuesStop = -MaxDouble;
    ZoomClearBuffer();
    FRedoRange = true;
    // The new range is found at the next paint.
    Invalidate();
}

void TQvAxis::GetNewRanges() {
    if (!FRedoRange) return;
    const bool Horizontal = GetHorizontal();
    double Lo = MaxDouble, Hi = -MaxDouble;
    for (const TQvSeries* Series : std::as_const(FRelatedSeries)) {
        if (!Series->SeriesVisible()) continue;
        const double a = Horizontal ? Series->GetXStart() : Series->GetYStart();
        const double b = Horizontal ? Series->GetXStop() : Series->GetYStop();
        if (a > b) continue;
        Lo = std::min(Lo, a);
        Hi = std::max(Hi, b);
    }
    FDataStart = Lo;
    FDataStop = Hi;
    if (Hi >= Lo && Lo == FValuesStart && Hi == FValuesStop) {
        FRedoRange = false;
        return;
    }
    if (Hi < Lo) {
        Lo = FInitialStart;
        Hi = FInitialStop;
    }
    FValuesStart = Lo;
    FValuesStop = Hi;

    // The requested range, before padding and rounding, is kept in FLastStart / FLastStop so
    // that every calculation pass rounds from the same values.
    double s = FValuesStart, e = FValuesStop;
    if (FStopEnd != TQvAxisEnd::MovingSlit) {
        if (FStartEnd == TQvAxisEnd::FirstSet) {
            s = std::min(FValuesStart, FLastStart);
        } else if (FStartEnd == TQvAxisEnd::Fixed) {
            s = FValuesStart = FLastStart;
        }
        if (FStopEnd == TQvAxisEnd::FirstSet) {
            e = std::max(FValuesStop, FLastStop);
        } else if (FStopEnd == TQvAxisEnd::Fixed) {
            e = FValuesStop = FLastStop;
        }
    } else if (InDesigner()) {
        s = FLastStart;
        e = FLastStop;
    } else {
        if (FMovingSlitWidth <= 0) FMovingSlitWidth = FInitialStop - FInitialStart;
        if (FMovingSlitIncrement <= 0 || FMovingSlitIncrement > FMovingSlitWidth)
            FMovingSlitIncrement = FMovingSlitWidth / SlitStepsPerWidth;
        double Slit = FInitialStart + FMovingSlitWidth;
        const double Step = FMovingSlitIncrement;
        if (Step > 0 && std::isfinite(Step) && Slit < FValuesStop) {
            const double Steps = std::ceil((FValuesStop - Slit) / Step);
            if (Steps > MaxSlitSteps) Slit += (Steps - 1) * Step;
            while (Slit < FValuesStop)
                Slit += Step;
        }
        e = Slit;
        s = Slit - FMovingSlitWidth > FValuesStart ? Slit - FMovingSlitWidth : FInitialStart;
    }
    FLastStart = s;
    FLastStop = e;
    RoundEnds(s, e);
    FStart = s;
    FStop = e;
    Modified();
    FRedoRange = false;
}

double TQvAxis::RoundEnd(double Value, bool Up, bool Major) const {
    return Scale().RoundEnd(Value, Up, Major, FScaleState);
}

void TQvAxis::RoundEnds(double& AStart, double& AStop) {
    FAdditionalExponent = false;
    ClampEnds(AStart, AStop);
    const bool Panning = GraphPanning();
    if (FAutoTickParts && !Panning) {
        PadEnds(AStart, AStop);
        Scale().ChoosePartition(AStart, AStop, FScaleState, *this);
    } else {
        Scale().KeepPartition(AStart, AStop, FScaleState);
    }
    RoundToPartition(AStart, AStop);
    Scale().SettleEnds(AStart, AStop, FScaleState, *this);
}

// The scale of the scaling decides how the usable range maps.
void TQvAxis::ClampEnds(double& AStart, double& AStop) {
    const TQvEndRules Rules{FStartEnd == TQvAxisEnd::AutoRange, FStopEnd == TQvAxisEnd::AutoRange,
                            FValuesStart,
                            [this](double Below) { return SmallestPositiveValue(Below); }};
    Scale().ClampEnds(AStart, AStop, Rules);
    FHasLogScaling =
        Scale().MapsLogarithmically(AStart, AStop, FLogToNormalScalingLevel, FScaleState);
}

void TQvAxis::PadEnds(double& AStart, double& AStop) const {
    if (!Scale().Pads()) return;
    const double r = AStop - AStart;
    AStart -= r * FStartPadding;
    AStop += r * FStopPadding;
}

bool TQvAxis::GraphPanning() const {
    const TQvGraph2D* Graph = ParentGraph();
    return Graph && Graph->GetPanning();
}

TQvAxis::TEndRounding TQvAxis::EndRounding() const {
    if (GraphPanning()) return TEndRounding::None;
    const bool Zoomed = !FLastZoomStart.empty();
    switch (FEndRounding) {
    case TQvAxisEndRounding::RndToMajorZoomToMinor:
        return Zoomed ? TEndRounding::Minor : TEndRounding::Major;
    case TQvAxisEndRounding::RndToMajorZoomToNothing:
        return Zoomed ? TEndRounding::None : TEndRounding::Major;
    case TQvAxisEndRounding::RndToMajor:
        return TEndRounding::Major;
    case TQvAxisEndRounding::RndToMinorZoomToNothing:
        return Zoomed ? TEndRounding::None : TEndRounding::Minor;
    case TQvAxisEndRounding::RndToMinor:
        return TEndRounding::Minor;
    case TQvAxisEndRounding::RndNothing:
        break;
    }
    return TEndRounding::None;
}

// Ends near the largest or smallest double would round beyond it: they stay.
void TQvAxis::RoundToPartition(double& AStart, double& AStop) const {
    const TEndRounding Rounding = EndRounding();
    if (Rounding == TEndRounding::None) return;
    const bool Major = Rounding == TEndRounding::Major;
    const double Start = RoundEnd(AStart, false, Major);
    const double Stop = RoundEnd(AStop, true, Major);
    if (Scale().Maps(Start)) AStart = Start;
    if (Scale().Maps(Stop)) AStop = Stop;
}

// The smallest value above 0 and below Below among all points of the related series; 0 when
// there is none.
double TQvAxis::SmallestPositiveValue(double Below) const {
    const bool Horizontal = GetHorizontal();
    double Result = MaxDouble;
    for (const TQvSeries* Series : std::as_const(FRelatedSeries)) {
        const TQvCustomDoubleVector* Data = Horizontal ? Series->GetXData() : Series->GetYData();
        if (!Data) continue;
        const int n = Series->GetCount();
        for (int i = 0; i < n; ++i) {
            const double v = Horizontal ? Series->TransformX(i, Data->GetValue(i))
                                        : Series->TransformY(i, Data->GetValue(i));
            if (v > 0 && v < Below && v < Result) Result = v;
        }
    }
    return Result == MaxDouble ? 0 : Result;
}

// Rounds the requested range of this pass once.
void TQvAxis::CalculateRange() {
    TQvAxis* Master = FMasterAxis;
    if (FIsSlaveAxis && Master && Master->FStart <= Master->FStop) {
        FScaling = Master->FScaling;
        if (!Master->FValuesRounded) Master->CalculateRange();
        const double MasterStart = Master->FStart, MasterStop = Master->FStop;
        const double s = MasterStart * FSlaveSlope + FSlaveOffset;
        const double e = MasterStop * FSlaveSlope + FSlaveOffset;
        // The partition comes from the rounded range, the ends always follow the master.
        double a = std::min(s, e), b = std::max(s, e);
        RoundEnds(a, b);
        FStart = s;
        FStop = e;
        if (FSlaveSlope == 1 && FSlaveOffset == 0) {
            const QvTicks::TParts& MasterParts = Master->FScaleState.Parts;
            FScaleState.Parts.TickPart = MasterParts.TickPart;
            FScaleState.Parts.MajorTickPart = MasterParts.MajorTickPart;
            FScaleState.Parts.LabelPart = MasterParts.LabelPart;
        }
        Scale().MapEnds(s, e, FScaleState);
    } else {
        double s = FLastStart, e = FLastStop;
        RoundEnds(s, e);
        FStart = s;
        FStop = e;
    }
    FValuesRounded = true;
}

void TQvAxis::Calculate() {
    TQvGraph2D* Graph = ParentGraph();
    const QList<TQvAxis*> Axes = Graph ? Graph->ChildAxes() : QList<TQvAxis*>{this};
    const QScopedValueRollback<bool> Guard = MarkPass();
    for (TQvAxis* Axis : Axes) {
        // Each pass rounds every axis anew: a slave follows its master, and a resized axis
        // gets the partition of its new length.
        Axis->FValuesRounded = false;
        Axis->UpdateDB();
        Axis->FFontSize = Axis->GetNumbersFont()->GetSizeF();
        // The partition fits the labels into the length the axis will span.
        if (Graph && Axis->FAutoSize) {
            if (Axis->GetHorizontal())
                Axis->SetWidth(Graph->ClientWidth());
            else
                Axis->SetHeight(Graph->ClientHeight());
        }
    }
    for (TQvAxis* Axis : Axes) {
        if (!Axis->FValuesRounded) Axis->CalculateRange();
        Axis->FAxLeft = 0;
        Axis->FAxTop = 0;
        Axis->FAxLength = Axis->AxisPixels();
        Axis->CalculateTicks();
    }
    if (Graph) Graph->LayoutAxes();
    for (TQvAxis* Axis : Axes)
        Axis->FRecalculate = false;
    for (TQvAxis* Axis : Axes)
        if (Axis->FOnCalculated) Axis->FOnCalculated(Axis);
}

// A graph's axes share its pass; a lone axis keeps its own.
QScopedValueRollback<bool> TQvAxis::MarkPass() {
    if (TQvGraph2D* Graph = ParentGraph()) return Graph->AxisPass();
    return QScopedValueRollback<bool>(FPassRunning, true);
}

bool TQvAxis::PassRunning() const {
    const TQvGraph2D* Graph = ParentGraph();
    return Graph ? Graph->AxisPassRunning() : FPassRunning;
}

void TQvAxis::DsgnRescaleSeriesVectors() {
    const double Span = FValuesStop - FValuesStart;
    if (!(Span != 0) || !std::isfinite(Span)) return;
    const double r = (FStop - FStart) / Span;
    std::vector<TQvDoubleVector*> Done;
    auto Rescale = [&](TQvDoubleVector* Vector, bool IsDifference) {
        if (!Vector || Vector->GetPersistentValues()) return;
        if (std::find(Done.begin(), Done.end(), Vector) != Done.end()) return;
        Done.push_back(Vector);
        for (int i = 0; i < Vector->GetCount(); ++i) {
            const double v = Vector->GetValue(i);
            Vector->SetValue(i, IsDifference ? v * r : (v - FValuesStart) * r + FStart);
        }
    };
    const bool Horizontal = GetHorizontal();
    for (const TQvSeries* Series : std::as_const(FRelatedSeries)) {
        TQvSeries::TScaledVectors Vectors;
        Series->GetScaledVectors(Horizontal, Vectors);
        for (TQvDoubleVector* Vector : Vectors.Values)
            Rescale(Vector, false);
        for (TQvDoubleVector* Vector : Vectors.Differences)
            Rescale(Vector, true);
    }
}

void TQvAxis::CheckResize() {
    if (PassRunning()) return;
    if (FStartEnd == TQvAxisEnd::AutoRange) FStart = FLastStart;
    if (FStopEnd == TQvAxisEnd::AutoRange) FStop = FLastStop;
    Modified();
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

// ---- Zoom buffer ----

void TQvAxis::ZoomIn(double AStart, double AStop) {
    if (FLastZoomStart.empty()) {
        FLastZoomStart.push_back(FStart);
        FLastZoomStop.push_back(FStop);
        FZoomIdx = 0;
    }
    // An end outside both the data and the unzoomed range is kept.
    const double Lo = std::min({FValuesStart, FLastZoomStart.front(), FLastZoomStop.front()});
    const double Hi = std::max({FValuesStop, FLastZoomStart.front(), FLastZoomStop.front()});
    if (AStart >= Lo && AStart <= Hi) FStart = FLastStart = AStart;
    if (AStop >= Lo && AStop <= Hi) FStop = FLastStop = AStop;
    ++FZoomIdx;
    FLastZoomStart.resize(size_t(FZoomIdx));
    FLastZoomStop.resize(size_t(FZoomIdx));
    FLastZoomStart.push_back(FStart);
    FLastZoomStop.push_back(FStop);
    Modified();
}

void TQvAxis::LoadZoomStage() {
    FStart = FLastStart = FLastZoomStart[size_t(FZoomIdx)];
    FStop = FLastStop = FLastZoomStop[size_t(FZoomIdx)];
    Modified();
}

void TQvAxis::ZoomBack() {
    if (FLastZoomStart.empty()) return;
    if (--FZoomIdx < 0) FZoomIdx = GetZoomBufferSize() - 1;
    LoadZoomStage();
}

void TQvAxis::RedoZoom() {
    if (FLastZoomStart.empty()) return;
    if (++FZoomIdx >= GetZoomBufferSize()) FZoomIdx = 0;
    LoadZoomStage();
}

void TQvAxis::ZoomToStage(int Index) {
    if (Index < 0 || Index >= GetZoomBufferSize()) return;
    FZoomIdx = Index;
    LoadZoomStage();
}

void TQvAxis::ZoomClearBuffer() {
    FLastZoomStart.clear();
    FLastZoomStop.clear();
    FZoomIdx = 0;
}

double TQvAxis::GetScrollStart() const {
    return FLastZoomStart.empty() ? FStart : FLastZoomStart.front();
}

double TQvAxis::GetScrollStop() const {
    return FLastZoomStop.empty() ? FStop : FLastZoomStop.front();
}

// Scroll arithmetic runs in the scale's units: decades on a logarithmic axis.
double TQvAxis::ScrollSpan() const {
    const TQvScale& Scale = this->Scale();
    const double Span = Scale.ScrollUnits(GetScrollStop()) - Scale.ScrollUnits(GetScrollStart());
    return Span > 0 ? Span : Scale.ScrollUnits(FStop) - Scale.ScrollUnits(FStart);
}

int TQvAxis::ScrollRangeSize(double AStart, double AStop) const {
    const TQvScale& Scale = this->Scale();
    const double Size = ScrollSteps * (Scale.ScrollUnits(AStop) - Scale.ScrollUnits(AStart)) /
                        ScrollSpan();
    if (!std::isfinite(Size)) return ScrollSteps;
    return SaturatingRound(std::clamp(Size, 0.0, double(ScrollSteps)));
}

int TQvAxis::ScrollPosition(double Value) const {
    const TQvScale& Scale = this->Scale();
    const double Position =
        ScrollSteps * (Scale.ScrollUnits(Value) - Scale.ScrollUnits(GetScrollStart())) /
        ScrollSpan();
    return std::isfinite(Position) ? SaturatingRound(Position) : 0;
}

// ---- Framework ----

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
    if (AComponent == FBoundSource) {
        FDBData = false;
        FDataLink->SetDataSource(nullptr);
        FBoundSource = nullptr;
    }
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
