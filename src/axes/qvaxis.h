#pragma once

// One scale of a chart: a child control of the graph that maps data values to pixels and back,
// finds its range from the data of its series or from its settings, rounds the range ends, can
// follow a master axis and keeps a zoom buffer of earlier ranges.

#include "annotations/qvrichlabel.h"
#include "axes/qvaxismapsteps.h"
#include "axes/qvaxistypes.h"
#include "axes/qvscale.h"
#include "axes/qvticks.h"
#include "framework/qvcontrols.h"
#include "framework/qvxml.h"
#include "style/qvcolors.h"
#include "style/qvfont.h"
#include "style/qvstyles.h"

#include <QList>
#include <QPointer>
#include <QScopedValueRollback>

#include <limits>
#include <memory>
#include <span>
#include <vector>

class QIODevice;
class TCustomIniFile;
class TDataSource;
class TQvGraph2D;
class TQvBoundStrings;
class TQvSeries;
class TQvUndoStack;
class TStringList;
class TStrings;
namespace QvRecord {
class TRecord;
}

// The value of a scale label and its text, which a handler may replace.
struct TQvScaleLabelEventArgs {
    double Value;
    TQvRichCaption Caption;
};
// May replace the text of a scale label.
using TQvScaleLabelEventHandler = std::function<void(TObject* Sender, TQvScaleLabelEventArgs& e)>;

// An axis of a graph: maps data values to pixels and back and draws its line, ticks and labels.
class TQvAxis : public TGraphicControl, private TQvScaleLabels {
    Q_OBJECT
    Q_MOC_INCLUDE("framework/qvdb.h")
    Q_MOC_INCLUDE("framework/qvstringlist.h")
    Q_PROPERTY(TQvAxisArrowPoint* ArrowPoint READ GetArrowPoint WRITE SetArrowPoint)
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(
        Framework::TAlignment CaptionAlignment READ GetCaptionAlignment WRITE SetCaptionAlignment)
    Q_PROPERTY(TQvColor CaptionColor READ GetCaptionColor WRITE SetCaptionColor)
    Q_PROPERTY(
        float CaptionDistanceAfter READ GetCaptionDistanceAfter WRITE SetCaptionDistanceAfter)
    Q_PROPERTY(
        float CaptionDistanceBefore READ GetCaptionDistanceBefore WRITE SetCaptionDistanceBefore)
    Q_PROPERTY(TQvFont* CaptionFont READ GetCaptionFont WRITE SetCaptionFont)
    Q_PROPERTY(bool CaptionVisible READ GetCaptionVisible WRITE SetCaptionVisible)
    Q_PROPERTY(bool CaptionHorizontalOnVerticalAxis READ GetCaptionHorizontalOnVerticalAxis WRITE
                   SetCaptionHorizontalOnVerticalAxis)
    Q_PROPERTY(int ExtraDigits READ GetExtraDigits WRITE SetExtraDigits)
    Q_PROPERTY(TQvColor ForeColor READ GetForeColor WRITE SetForeColor)
    Q_PROPERTY(TQvColor NumbersColor READ GetNumbersColor WRITE SetNumbersColor)
    Q_PROPERTY(float RubricsAngle READ GetRubricsAngle WRITE SetRubricsAngle)
    Q_PROPERTY(QvAxes::TQvAxisScaling Scaling READ GetScaling WRITE SetScaling)
    Q_PROPERTY(double LogToNormalScalingLevel READ GetLogToNormalScalingLevel WRITE
                   SetLogToNormalScalingLevel)
    Q_PROPERTY(double MovingSlitWidth READ GetMovingSlitWidth WRITE SetMovingSlitWidth)
    Q_PROPERTY(double MovingSlitIncrement READ GetMovingSlitIncrement WRITE SetMovingSlitIncrement)
    Q_PROPERTY(TStrings* Rubrics READ GetRubrics WRITE SetRubrics)
    Q_PROPERTY(QString RubricsField READ GetRubricsField WRITE SetRubricsField)
    Q_PROPERTY(TDataSource* DataSource READ GetDataSource WRITE SetDataSource)
    Q_PROPERTY(bool NumbersVisible READ GetNumbersVisible WRITE SetNumbersVisible)
    Q_PROPERTY(QvAxes::TQvAxisPosition Position READ GetPosition WRITE SetPosition)
    Q_PROPERTY(bool AutoSize READ GetAutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool AutoTickParts READ GetAutoTickParts WRITE SetAutoTickParts)
    Q_PROPERTY(float LabelDistanceFactor READ GetLabelDistanceFactor WRITE SetLabelDistanceFactor)
    Q_PROPERTY(double LabelPart READ GetLabelPart WRITE SetLabelPart)
    Q_PROPERTY(double MajorTickPart READ GetMajorTickPart WRITE SetMajorPart)
    Q_PROPERTY(double TickPart READ GetTickPart WRITE SetTickPart)
    Q_PROPERTY(QvAxes::TQvMajorGridMode MajorGridMode READ GetMajorGridMode WRITE SetMajorGridMode)
    Q_PROPERTY(float AxisThicknes READ GetAxisThicknes WRITE SetAxisThicknes)
    Q_PROPERTY(float MajorTickThicknes READ GetMajorTickThicknes WRITE SetMajorTickThicknes)
    Q_PROPERTY(float TickThicknes READ GetTickThicknes WRITE SetTickThicknes)
    Q_PROPERTY(float TickLength READ GetTickLength WRITE SetTickLength)
    Q_PROPERTY(float MajorTickLength READ GetMajorTickLength WRITE SetMajorTickLength)
    Q_PROPERTY(TQvColor MajorTickColor READ GetMajorTickColor WRITE SetMajorTickColor)
    Q_PROPERTY(TQvColor TickColor READ GetTickColor WRITE SetTickColor)
    Q_PROPERTY(bool TicksPointToData READ GetTicksPointToData WRITE SetTicksPointToData)
    Q_PROPERTY(bool Twisted READ GetTwisted WRITE SetTwisted)
    Q_PROPERTY(bool IsSlaveAxis READ GetIsSlaveAxis WRITE SetIsSlaveAxis)
    Q_PROPERTY(double SlaveSlope READ GetSlaveSlope WRITE SetSlaveSlope)
    Q_PROPERTY(double SlaveOffset READ GetSlaveOffset WRITE SetSlaveOffset)
    Q_PROPERTY(TQvAxis* MasterAxis READ GetMasterAxis WRITE SetMasterAxis)
    // Streamed as the extra properties "AStart" and "AStop".
    Q_PROPERTY(double Start READ GetStart WRITE SetStart STORED false)
    Q_PROPERTY(double Stop READ GetStop WRITE SetStop STORED false)
    Q_PROPERTY(QvAxes::TQvAxisEnd StartEnd READ GetStartEnd WRITE SetStartEnd)
    Q_PROPERTY(QvAxes::TQvAxisEnd StopEnd READ GetStopEnd WRITE SetStopEnd)
    Q_PROPERTY(double StartPadding READ GetStartPadding WRITE SetStartPadding)
    Q_PROPERTY(double StopPadding READ GetStopPadding WRITE SetStopPadding)
    Q_PROPERTY(QvAxes::TQvAxisEndRounding EndRounding READ GetEndRounding WRITE SetEndRounding)
    Q_PROPERTY(double MaxForExtraExponent READ GetMaxForExtraExponent WRITE SetMaxForExtraExponent)
    Q_PROPERTY(double MinForExtraExponent READ GetMinForExtraExponent WRITE SetMinForExtraExponent)
    Q_PROPERTY(float DistanceValuesAxis READ GetDistanceValuesAxis WRITE SetDistanceValuesAxis)
    Q_PROPERTY(float DistanceAxisLabels READ GetDistanceAxisLabels WRITE SetDistanceAxisLabels)
    Q_PROPERTY(float DistanceAxisExtraExponent READ GetDistanceAxisExtraExponent WRITE
                   SetDistanceAxisExtraExponent)
    // Views on the two caption distances, by position.
    Q_PROPERTY(float DistanceNumbersCaption READ GetDistanceNumbersCaption WRITE
                   SetDistanceNumbersCaption STORED false)
    Q_PROPERTY(
        float DistanceToBorder READ GetDistanceToBorder WRITE SetDistanceToBorder STORED false)
public:
    // Values are clamped to this many pixels around the axis origin.
    static constexpr double MaxPixelOffset = 100000.0;

    Q_INVOKABLE explicit TQvAxis(TComponent* AOwner);
    ~TQvAxis() override;

    // ---- Appearance ----
    TQvAxisArrowPoint* GetArrowPoint() const { return FArrowPoint.get(); }
    void SetArrowPoint(TQvAxisArrowPoint* Value) { FArrowPoint->Assign(Value); }
    const TQvRichCaption& GetCaption() const { return FCaptionRec->GetCaption(); }
    // Trailing blanks are removed.
    void SetCaption(const TQvRichCaption& Value);
    TAlignment GetCaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TAlignment Value);
    // The fill colour of the caption font.
    TQvColor GetCaptionColor() const { return FCaptionFont->GetFillColor(); }
    void SetCaptionColor(TQvColor Value);
    float GetCaptionDistanceAfter() const { return FCaptionDistanceAfter; }
    void SetCaptionDistanceAfter(float Value);
    float GetCaptionDistanceBefore() const { return FCaptionDistanceBefore; }
    void SetCaptionDistanceBefore(float Value);
    TQvFont* GetCaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(TQvFont* Value);
    bool GetCaptionVisible() const { return FCaptionVisible; }
    void SetCaptionVisible(bool Value);
    bool GetCaptionHorizontalOnVerticalAxis() const { return FCaptionHorizontalOnVerticalAxis; }
    void SetCaptionHorizontalOnVerticalAxis(bool Value);
    int GetExtraDigits() const { return FExtraDigits; }
    void SetExtraDigits(int Value);
    // The font of the scale numbers and of the extra exponent.
    TQvFont* GetNumbersFont() const;
    void SetFont(TFont* Value) override;
    TQvColor GetForeColor() const { return FForeColor; }
    // The tick colours follow until they are set themselves.
    void SetForeColor(TQvColor Value);
    TQvColor GetNumbersColor() const { return FNumbersColor; }
    void SetNumbersColor(TQvColor Value);
    float GetRubricsAngle() const { return FRubricsAngle; }
    // Normalised into [0, 360).
    void SetRubricsAngle(float Value);
    bool GetNumbersVisible() const { return FNumbersVisible; }
    void SetNumbersVisible(bool Value);
    TQvAxisPosition GetPosition() const { return FPosition; }
    void SetPosition(TQvAxisPosition Value);
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TQvMajorGridMode GetMajorGridMode() const { return FMajorGridMode; }
    void SetMajorGridMode(TQvMajorGridMode Value);
    float GetAxisThicknes() const { return FAxisThicknes; }
    void SetAxisThicknes(float Value);
    float GetMajorTickThicknes() const { return FMajorTickThicknes; }
    void SetMajorTickThicknes(float Value);
    float GetTickThicknes() const { return FTickThicknes; }
    void SetTickThicknes(float Value);
    float GetTickLength() const { return FTickLength; }
    void SetTickLength(float Value);
    float GetMajorTickLength() const { return FMajorTickLength; }
    void SetMajorTickLength(float Value);
    TQvColor GetMajorTickColor() const { return FMajorTickColor; }
    void SetMajorTickColor(TQvColor Value);
    TQvColor GetTickColor() const { return FTickColor; }
    void SetTickColor(TQvColor Value);
    bool GetTicksPointToData() const { return FTicksPointToData; }
    void SetTicksPointToData(bool Value);
    bool GetTwisted() const { return FTwisted; }
    void SetTwisted(bool Value);
    double GetMaxForExtraExponent() const { return FMaxForExtraExponent; }
    void SetMaxForExtraExponent(double Value);
    double GetMinForExtraExponent() const { return FMinForExtraExponent; }
    void SetMinForExtraExponent(double Value);
    float GetDistanceValuesAxis() const { return FDistanceValuesAxis; }
    void SetDistanceValuesAxis(float Value);
    float GetDistanceAxisLabels() const { return FDistanceAxisLabels; }
    void SetDistanceAxisLabels(float Value);
    float GetDistanceAxisExtraExponent() const { return FDistanceAxisExtraExponent; }
    void SetDistanceAxisExtraExponent(float Value);
    float GetDistanceNumbersCaption() const;
    void SetDistanceNumbersCaption(float Value);
    float GetDistanceToBorder() const;
    void SetDistanceToBorder(float Value);
    void SetVisible(bool Value) override;

    // ---- Tick partition ----
    bool GetAutoTickParts() const { return FAutoTickParts; }
    // Only linear and logarithmic scalings can switch it off.
    void SetAutoTickParts(bool Value);
    float GetLabelDistanceFactor() const override { return FLabelDistanceFactor; }
    // Clamped to [0.1, 10].
    void SetLabelDistanceFactor(float Value);
    double GetLabelPart() const { return FScaleState.Parts.LabelPart; }
    double GetMajorTickPart() const { return FScaleState.Parts.MajorTickPart; }
    double GetTickPart() const { return FScaleState.Parts.TickPart; }
    // Ignored while AutoTickParts is on; the absolute value is stored, 0 as 0.001.
    void SetLabelPart(double Value);
    void SetMajorPart(double Value);
    void SetTickPart(double Value);

    // ---- Range and scaling ----
    TQvAxisScaling GetScaling() const { return FScaling; }
    void SetScaling(TQvAxisScaling Value);
    double GetLogToNormalScalingLevel() const { return FLogToNormalScalingLevel; }
    // Negative values are stored as 0.
    void SetLogToNormalScalingLevel(double Value);
    double GetMovingSlitWidth() const { return FMovingSlitWidth; }
    void SetMovingSlitWidth(double Value);
    double GetMovingSlitIncrement() const { return FMovingSlitIncrement; }
    void SetMovingSlitIncrement(double Value);
    double GetStart() const { return FStart; }
    double GetStop() const { return FStop; }
    // The range the user sets; date-time values are clamped to the calendar first.
    void SetStart(double Value);
    void SetStop(double Value);
    // Both ends at once, without undo, as zooming and scrolling set them.
    void SetStartStop(double AStart, double AStop);
    TQvAxisEnd GetStartEnd() const { return FStartEnd; }
    // MovingSlit is stored as Fixed.
    void SetStartEnd(TQvAxisEnd Value);
    TQvAxisEnd GetStopEnd() const { return FStopEnd; }
    void SetStopEnd(TQvAxisEnd Value);
    double GetStartPadding() const { return FStartPadding; }
    double GetStopPadding() const { return FStopPadding; }
    // Values not above 0 are ignored.
    void SetStartPadding(double Value);
    void SetStopPadding(double Value);
    TQvAxisEndRounding GetEndRounding() const { return FEndRounding; }
    void SetEndRounding(TQvAxisEndRounding Value);

    // ---- Slave axes ----
    bool GetIsSlaveAxis() const { return FIsSlaveAxis; }
    void SetIsSlaveAxis(bool Value);
    double GetSlaveSlope() const { return FSlaveSlope; }
    void SetSlaveSlope(double Value);
    double GetSlaveOffset() const { return FSlaveOffset; }
    void SetSlaveOffset(double Value);
    TQvAxis* GetMasterAxis() const { return FMasterAxis; }
    // Refuses, silently, this axis, an axis of the other orientation and a slave.
    void SetMasterAxis(TQvAxis* Value);

    // ---- Rubrics and their database binding ----
    // nullptr while the binding is set.
    TStrings* GetRubrics() const;
    // Takes the list over (a string list reports its changes to the axis); nil empties it.
    void SetRubrics(TStrings* Value);
    QString GetRubricsField() const;
    void SetRubricsField(const QString& Value);
    TDataSource* GetDataSource() const;
    void SetDataSource(TDataSource* Value);
    // Reloads the rubrics from the bound field when its data changed.
    void UpdateDB();

    // ---- Ticks and labels ----
    // Ticks in pixels along the axis, with their major and grid flags.
    int TickCount() const { return int(FTicks.size()); }
    // The pixel of tick Index along the axis.
    float TickPixel(int Index) const { return FTicks[size_t(Index)]; }
    bool IsMajorTick(int Index) const { return FMajorTick[size_t(Index)]; }
    bool IsMajorGridTick(int Index) const { return FMajorGridTick[size_t(Index)]; }
    // The tick labels as placed by the last tick calculation.
    const TQvRichCaptionObjects& Labels() const { return FAxLabels; }
    // The axis caption as a rich caption object.
    const TQvRichCaptionObject* CaptionObject() const { return FCaptionRec.get(); }
    // The power of ten shown once beside the labels when they are divided by it.
    const TQvRichCaptionObject* ExtraExponentObject() const { return FExtraExponentRec.get(); }
    // The labels are divided by 10^MaxExponent, which is shown once beside them.
    bool GetAdditionalExponent() const { return FAdditionalExponent; }
    int GetMaxExponent() const { return FMaxExponent; }
    int GetDisplayDigits() const { return FDisplayDigits; }
    float GetMaxNumberLabelWidth() const { return FMaxNumberLabelWidth; }
    float GetMaxNumberLabelHeight() const { return FMaxNumberLabelHeight; }
    // The text of a linear scale label.
    QString NormalCaption(double Value) const override;
    // The width of a label along the axis, estimated from its text.
    float ApproxLen(double Value, const QString& Text) const override;
    // Places ticks and labels for the current range and length.
    void CalculateTicks();
    // Drops the tick at Pixel and a label standing on it.
    void RemoveTickAt(float Pixel);

    const TQvScaleLabelEventHandler& GetOnGetScaleLabel() const { return FOnGetScaleLabel; }
    void SetOnGetScaleLabel(const TQvScaleLabelEventHandler& Value) { FOnGetScaleLabel = Value; }
    // At the start of every tick calculation.
    const TNotifyEvent& GetOnGetTicks() const { return FOnGetTicks; }
    void SetOnGetTicks(const TNotifyEvent& Value) { FOnGetTicks = Value; }
    // At the end of the graph's calculation pass.
    const TNotifyEvent& GetOnCalculated() const { return FOnCalculated; }
    void SetOnCalculated(const TNotifyEvent& Value) { FOnCalculated = Value; }

    // ---- Geometry and drawing ----
    // The caption's extent across (height) and along (width) a horizontal axis; 0 when hidden.
    float CaptionHeight() const;
    // The caption's extent along a horizontal axis.
    float CaptionWidth() const;
    // The room the axis needs across its direction.
    float Thickness() const;
    // Puts the axis line across the control for a thickness.
    void PlaceAxisLine(float Thickness);
    // Room needed beyond the left (bottom) and the right (top) end of the axis for labels,
    // symbols and the arrow; a twisted axis counts its ends where they are drawn.
    float StartSpace() const;
    // Room needed beyond the right (top) end of the axis.
    float EndSpace() const;
    // An axis crossing the other one at its 0 has its caption beyond the end of its values
    // (past the arrow) and keeps its outer labels inside the data area. This is the room the
    // caption takes there; 0 for other axes.
    float CaptionBeyondEnd() const;
    // Moves that caption across the axis into [Low, High] of the graph's coordinates.
    void KeepCaptionWithin(float Low, float High);
    // Draws the axis in its own coordinates.
    void PaintGr(TGPGraphics* Graphics);
    void Paint(QPainter& Canvas) override;

    // ---- Undo ----
    TQvUndoStack* GetUndoStack() const { return FUndoStack; }
    void SetUndoStack(TQvUndoStack* Value);

    // ---- Mapping ----
    bool GetHorizontal() const;
    // Pixel of Value in the graph's drawing space, clamped to MaxPixelOffset around the origin.
    float NumberToWorld(double Value) const;
    // NumberToWorld of every value into Pixels[k * Stride]; values that are not finite, or not
    // above 0 on a logarithmic axis, give NaN.
    void NumbersToWorld(std::span<const double> Values, float* Pixels, std::size_t Stride) const;
    // The value at Pixel of the graph's drawing space; the inverse of NumberToWorld.
    double WorldToNumber(float Pixel) const;
    // What the scales need to map values to pixels: range start, scale and axis geometry.
    TQvAxisMapping Mapping() const {
        return {FStart,   FScaleState.LogStart, FNormalizeConst, FAxLeft,        FAxTop, FAxLength,
                FScaling, FHasLogScaling,       FTwisted,        GetHorizontal()};
    }
    // Data units (decades with logarithmic mapping) per pixel.
    double GetNormalizeConst() const { return FNormalizeConst; }
    bool GetHasLogScaling() const { return FHasLogScaling; }
    int GetRangeExponent() const { return FScaleState.Parts.RangeExponent; }
    // Pixel origin and length of the axis in the graph's drawing space.
    float GetAxLeft() const { return FAxLeft; }
    float GetAxTop() const { return FAxTop; }
    float GetAxLength() const { return FAxLength; }
    void SetAxisGeometry(float AxLeft, float AxTop, float AxLength);
    // The data extent of the axis' series as last computed.
    double GetValuesStart() const { return FValuesStart; }
    double GetValuesStop() const { return FValuesStop; }
    // The extent of the visible series' values, whatever the ends; start above stop without.
    double GetDataStart() const { return FDataStart; }
    double GetDataStop() const { return FDataStop; }
    // Zoomed or scrolled inside the data extent.
    bool GetIsClipped() const;
    // Distance between major (minor) ticks in data units.
    double MajorIncrement() const;
    // Distance between minor ticks in data units.
    double MinorIncrement() const;
    const QvTicks::TQvDtParameters& GetDtParameters() const { return FScaleState.Dt; }
    const QvTicks::TQvSecParameters& GetSecParameters() const { return FScaleState.Sec; }

    // ---- Update cycle ----
    // The axis needs a new calculation pass.
    void Modified();
    // The series' data changed: the range is found again from their extents.
    void RangeModified();
    // The axis waits for a calculation pass.
    bool NeedsRecalculate() const { return FRecalculate; }
    bool GetRedoRange() const { return FRedoRange; }
    // Auto-range from the series' extents; acts only after RangeModified.
    void GetNewRanges();
    // Value rounded to the major (minor) partition, up or down.
    double RoundEnd(double Value, bool Up, bool Major) const;
    // Makes the range ends usable, chooses the partition and rounds the ends to it.
    void RoundEnds(double& AStart, double& AStop);
    // The calculation pass: for a graph's axis over all axes of the graph, else for this one.
    void Calculate();
    // Outside a calculation pass the automatic ends go back to the last computed range.
    void CheckResize();
    // Maps the data vectors of the related series onto a new range, while designing.
    void DsgnRescaleSeriesVectors();

    // ---- Persistence ----
    // The axis's whole state as a binary record, an XML element "TQvAxis" and an INI section.
    // Start, Stop, the zoom buffer and the stored value range are applied only with ApplyRange;
    // without it the record is still read to its end.
    void WriteTo(QIODevice* Stream) const;
    // Reads the binary record.
    void ReadFrom(QIODevice* Stream, bool ApplyRange);
    // Adds the element "TQvAxis" below Node.
    void WriteTo(IXMLNode Node) const;
    // Reads the element "TQvAxis" at or below Node.
    void ReadFrom(const IXMLNode& Node, bool ApplyRange);
    // Writes the axis to Section of the INI file.
    void WriteTo(TCustomIniFile* Ini, const QString& Section) const;
    // Reads the axis from Section of the INI file.
    void ReadFrom(TCustomIniFile* Ini, const QString& Section, bool ApplyRange);
    // Saves the binary record as a file.
    void WriteTo(const QString& FileName) const;
    // Reads the binary record from a file.
    void ReadFrom(const QString& FileName, bool ApplyRange);

    // ---- Series ----
    int RelatedSeriesCount() const { return int(FRelatedSeries.size()); }
    // The series Index that uses this axis.
    TQvSeries* RelatedSeries(int Index) const { return FRelatedSeries.at(Index); }
    // Maintained by the series.
    void AddRelatedSeries(TQvSeries* Series);
    // Takes a series off the axis.
    void RemoveRelatedSeries(TQvSeries* Series);

    // ---- Zoom buffer: stage 0 is the range before the first zoom ----
    void ZoomIn(double AStart, double AStop);
    // Returns to the previous zoom stage.
    void ZoomBack();
    // Goes forward to the next zoom stage.
    void RedoZoom();
    // Goes to the zoom stage Index; outside the buffer nothing happens.
    void ZoomToStage(int Index);
    // Forgets every zoom stage.
    void ZoomClearBuffer();
    bool GetCanZoomBack() const { return !FLastZoomStart.empty(); }
    int GetCurrentZoomStage() const { return FZoomIdx; }
    int GetZoomBufferSize() const { return int(FLastZoomStart.size()); }
    // The range of stage 0, else the current range.
    double GetScrollStart() const;
    double GetScrollStop() const;
    static constexpr int ScrollSteps = 10000;
    // Share of the scroll range, 0 to ScrollSteps.
    int ScrollRangeSize(double AStart, double AStop) const;
    // The scroll position of Value, 0 to ScrollSteps over the scroll range.
    int ScrollPosition(double Value) const;
    // Scrolling, panning and the wheel count in these units: decades on a logarithmic axis.
    double ScrollUnits(double Value) const { return Scale().ScrollUnits(Value); }
    // The value at a number of scroll units; the inverse of ScrollUnits.
    double FromScrollUnits(double Units) const { return Scale().FromScrollUnits(Units); }
    // The scroll range in scroll units.
    double ScrollSpan() const;
    // Moves the range by Delta scroll units within the scroll limits and keeps its width;
    // RecordStage makes it a zoom stage. Unless Tracking a thumb, ends rounded to ticks stay
    // on ticks.
    void ScrollBy(double Delta, bool Tracking, bool RecordStage);

    void SetParent(TWinControl* AParent) override;
    // Places and sizes stay within MaxPixelOffset, whatever a record brings.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Forgets a master axis, undo stack, data source or series that goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler* Filer) override;

protected:
    void Resize() override;
    void FontChanged() override;

private:
    TQvGraph2D* ParentGraph() const;
    bool InDesigner() const;
    bool CaptionBeforeFacesData() const;
    bool Crosses() const;
    // A calculation pass over this axis (and its graph's other axes) is running.
    bool PassRunning() const;
    [[nodiscard]] QScopedValueRollback<bool> MarkPass();
    void RecordProperties(const TResourceString& Caption, std::initializer_list<const char*> Names);
    // The scale of the scaling, as the range was last found to map.
    const TQvScale& Scale() const { return TQvScale::Of(FScaling, FHasLogScaling); }
    void LoadZoomStage();
    void SetRangeEnd(bool AtStart, double Value);
    void SetSlitProperty(double& Field, double Value, const char* Name,
                         const TResourceString& Caption);
    void MovingSlitEnds(double& AStart, double& AStop);
    // The slave rules and the rounding of one calculation pass.
    void CalculateRange();
    // The steps of RoundEnds: the requested ends made usable (and the mapping chosen), padded,
    // and rounded to the partition.
    void ClampEnds(double& AStart, double& AStop);
    void PadEnds(double& AStart, double& AStop) const;
    void RoundToPartition(double& AStart, double& AStop) const;
    enum class TEndRounding {
        None,
        Minor,
        Major
    };
    // None while panning.
    TEndRounding EndRounding() const;
    bool GraphPanning() const;
    double SmallestPositiveValue(double Below) const;
    // What the scales ask about labels; the partition searches fit them into AxisPixels.
    float AxisPixels() const override;
    void FitExponent(double AStart, double AStop) override;
    void FitDigits(double AStart, double AStop, const QvTicks::TParts& Parts) override;
    QString DateTimeFormat(QvTicks::TDtLabelFormat Format) const override;
    std::optional<QString> Rubric(long Index) const override;
    QString LabelText(double Value, const QString& Text) const;
    // The label base line across the axis.
    float LabelBase() const;
    float HalfLabelStep() const;
    // Sets label Index (the next one) up for Value at Pixel.
    void AddLabel(TGPGraphics* Graphics, int Index, const QString& Text, float Pixel, double Value);
    void PlaceExtraExponent(TGPGraphics* Graphics);
    void PlaceCaption(TGPGraphics* Graphics);
    void PlaceCaptionBeyondEnd();
    void KeepLabelsInside();
    float TickDirection() const;
    float SpaceBeyond(bool AtStart) const;
    void DrawTicks(TGPGraphics* Graphics, bool Major);
    void DrawLine(TGPGraphics* Graphics);
    void InitDateTimeFormats();
    // The record of the axis in order. A reader reads the range it carries (Start, Stop, the
    // zoom buffer and the value range) into Range, or drops it without one.
    struct TRangeState;
    void VisitRecord(QvRecord::TRecord& Record, TRangeState* Range);
    std::function<void(QvRecord::TRecord&)> Visit(TRangeState* Range) const;
    template <class TRead> void ReadRecord(bool ApplyRange, const TRead& Read);

    TQvUndoStack* FUndoStack = nullptr;
    std::unique_ptr<TQvAxisArrowPoint> FArrowPoint;
    TAlignment FCaptionAlignment = TAlignment::taCenter;
    float FCaptionDistanceAfter = 0;
    float FCaptionDistanceBefore = 0;
    std::unique_ptr<TQvFont> FCaptionFont;
    // The caption, and the numbers' extra exponent in the numbers' font.
    std::unique_ptr<TQvRichCaptionObject> FCaptionRec;
    std::unique_ptr<TQvRichCaptionObject> FExtraExponentRec;
    bool FCaptionVisible = true;
    bool FCaptionHorizontalOnVerticalAxis = false;
    bool FCaptionSet = false;
    int FExtraDigits = 0;
    TQvColor FForeColor;
    TQvColor FNumbersColor;
    TQvColor FMajorTickColor;
    TQvColor FTickColor;
    bool FMajorForeColor = true;
    bool FMinorForeColor = true;
    float FRubricsAngle = 0;
    float FRubricsSin = 0;
    float FRubricsCos = 1;
    TQvAxisScaling FScaling = TQvAxisScaling::Normal;
    double FLogToNormalScalingLevel = 0;
    double FMovingSlitWidth = 0;
    double FMovingSlitIncrement = 0;
    std::unique_ptr<TQvBoundStrings> FRubrics;
    bool FNumbersVisible = true;
    TQvAxisPosition FPosition = TQvAxisPosition::Bottom;
    bool FAutoSize = true;
    bool FAutoTickParts = true;
    float FLabelDistanceFactor = 1;
    TQvMajorGridMode FMajorGridMode = TQvMajorGridMode::AtLabel;
    float FAxisThicknes = 1;
    float FMajorTickThicknes = 1;
    float FTickThicknes = 1;
    float FTickLength = 6;
    float FMajorTickLength = 10;
    bool FTicksPointToData = false;
    bool FTwisted = false;
    bool FIsSlaveAxis = false;
    double FSlaveSlope = 1;
    double FSlaveOffset = 0;
    TQvAxis* FMasterAxis = nullptr;
    double FStart = 0;
    double FStop = 10;
    TQvAxisEnd FStartEnd = TQvAxisEnd::AutoRange;
    TQvAxisEnd FStopEnd = TQvAxisEnd::AutoRange;
    double FStartPadding = 0;
    double FStopPadding = 0;
    TQvAxisEndRounding FEndRounding = TQvAxisEndRounding::RndToMajorZoomToMinor;
    double FMaxForExtraExponent = 1000.0;
    double FMinForExtraExponent = 0.001;
    float FDistanceValuesAxis = 0;
    float FDistanceAxisLabels = 0;
    float FDistanceAxisExtraExponent = 10;

    bool FValuesRounded = false;
    bool FRecalculate = true;
    bool FRedoRange = false;
    bool FAdditionalExponent = false;
    bool FHasLogScaling = false;
    double FInitialStart = 0;
    double FInitialStop = 10;
    double FLastStart = 0;
    double FLastStop = 10;
    double FValuesStart = 0;
    double FValuesStop = 10;
    double FDataStart = std::numeric_limits<double>::max();
    double FDataStop = -std::numeric_limits<double>::max();
    double FNormalizeConst = 1;
    TQvScaleState FScaleState;
    float FAxLength = 400;
    float FAxLeft = 0;
    float FAxTop = 0;
    int FMaxExponent = 0;
    int FDisplayDigits = 0;
    float FFontSize = 20;
    float FMaxNumberLabelHeight = 0;
    float FMaxNumberLabelWidth = 0;
    std::vector<float> FTicks;
    std::vector<bool> FMajorTick;
    std::vector<bool> FMajorGridTick;
    TQvRichCaptionObjects FAxLabels;
    QString FShortMonthFormat, FLongMonthFormat, FDayFormat, FMinuteFormat, FDayAndHourFormat,
        FSecondFormat, FMilliSecondFormat;
    TQvScaleLabelEventHandler FOnGetScaleLabel;
    TNotifyEvent FOnGetTicks, FOnCalculated;
    int FZoomIdx = 0;
    std::vector<double> FLastZoomStart;
    std::vector<double> FLastZoomStop;
    bool FPassRunning = false;
    QList<TQvSeries*> FRelatedSeries;
};

// An axis's mapping as it stands, kept to map many values: the pixels and numbers of
// NumberToWorld and WorldToNumber, a linear scale worked out in place instead of through a call
// per value. It goes stale when the axis changes.
class TQvAxisMapper {
public:
    explicit TQvAxisMapper(const TQvAxis& Axis)
        : FMap(Axis.Mapping()), FScale(TQvScale::Of(FMap.Scaling, FMap.HasLogScaling)),
          FLinear(FScale.LinearOffset()) {}

    bool Linear() const { return FLinear; }
    // Values that are not finite, or not above 0 on a logarithmic axis, have no pixel.
    bool Maps(double Value) const {
        return std::isfinite(Value) && !(FMap.HasLogScaling && Value <= 0);
    }
    float Pixel(double Value) const {
        return FLinear ? LinearPixel(Value) : PixelAt(FScale.Offset(Value, FMap));
    }
    // Pixel on a linear scale.
    float LinearPixel(double Value) const {
        return PixelAt(TQvScale::LinearOffsetOf(Value, FMap));
    }
    // The same for four values at a time.
    QvAxisMapSteps::TLinearMap LinearMap() const {
        return {FMap.Start, FMap.NormalizeConst, Origin(), FMap.AxLength, TQvAxis::MaxPixelOffset,
                Forward(),  FMap.HasLogScaling};
    }
    double Number(float Pixel) const {
        const double p = double(Pixel) - (FMap.Horizontal ? FMap.AxLeft : FMap.AxTop);
        const double Offset = FMap.Horizontal != FMap.Twisted ? p : FMap.AxLength - p;
        return FLinear ? TQvScale::LinearValueAt(Offset, FMap) : FScale.ValueAt(Offset, FMap);
    }

private:
    // The pixel d pixels from the start of the range along the axis.
    float PixelAt(double d) const {
        if (d > -TQvAxis::MaxPixelOffset && d < TQvAxis::MaxPixelOffset)
            return float(Forward() ? Origin() + d : Origin() + (FMap.AxLength - d));
        const bool Before = (Forward() && d < 0) || (!Forward() && d >= 0);
        return float(Before ? Origin() - TQvAxis::MaxPixelOffset
                            : Origin() + TQvAxis::MaxPixelOffset);
    }
    double Origin() const { return FMap.Horizontal ? FMap.AxLeft : FMap.AxTop; }
    bool Forward() const { return FMap.Horizontal != FMap.Twisted; }

    TQvAxisMapping FMap;
    const TQvScale& FScale;
    bool FLinear;
};
