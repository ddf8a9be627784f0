#pragma once

// The pie and donut chart: one data vector as slices of a flat or tilted pie or ring, with
// pulled-out slices, fills from a palette, labels inside the slices or in boxes beside the pie,
// and pie legends around it.

#include "data/qvvectors.h"
#include "graph/qvgraph2d.h"
#include "pie/qvpielayout.h"
#include "series/qvlabels.h"
#include "series/qvseries.h"

#include <memory>
#include <vector>

class TDataSource;
class TQvBoundStrings;
class TQvFillPalette;
class TQvFillSettings;
class TQvPieLegend;
class TStrings;

namespace QvPieChart {
Q_NAMESPACE

enum class TQvPieChartType {
    FlatPie,
    FlatDonut,
    ThreeDPie,
    ThreeDDonut
};
Q_ENUM_NS(TQvPieChartType)

enum class TQvPieLabelPosition {
    Invisible,
    InsideHorizontal,
    InsideAligned,
    Callouts
};
Q_ENUM_NS(TQvPieLabelPosition)

enum class TQvCalloutArrowVisibleMode {
    None,
    VisibleIfOverlapped,
    AllVisible
};
Q_ENUM_NS(TQvCalloutArrowVisibleMode)

} // namespace QvPieChart

using QvPieChart::TQvCalloutArrowVisibleMode;
using QvPieChart::TQvPieChartType;
using QvPieChart::TQvPieLabelPosition;

class TQvPieChart : public TQvCustomGraph, public TQvVectorUser {
    Q_OBJECT
    Q_MOC_INCLUDE("framework/qvdb.h")
    Q_MOC_INCLUDE("framework/qvstringlist.h")
    Q_MOC_INCLUDE("pie/qvfillpalette.h")
    Q_PROPERTY(TQvCustomDoubleVector* Values READ GetValues WRITE SetValues)
    Q_PROPERTY(TQvCustomDoubleVector* ExplodePercent READ GetExplodePercent WRITE SetExplodePercent)
    Q_PROPERTY(QvPieChart::TQvPieChartType PieChartType READ GetPieChartType WRITE SetPieChartType)
    Q_PROPERTY(float StartAngle READ GetStartAngle WRITE SetStartAngle)
    Q_PROPERTY(float TotalAngle READ GetTotalAngle WRITE SetTotalAngle)
    Q_PROPERTY(float DonutHoleSize READ GetDonutHoleSize WRITE SetDonutHoleSize)
    Q_PROPERTY(float ThreeDElevation READ GetThreeDElevation WRITE SetThreeDElevation)
    Q_PROPERTY(float ThreeDPieHeight READ GetThreeDPieHeight WRITE SetThreeDPieHeight)
    Q_PROPERTY(bool DropShadow READ GetDropShadow WRITE SetDropShadow)
    Q_PROPERTY(bool OrderAscending READ GetOrderAscending WRITE SetOrderAscending)
    Q_PROPERTY(bool OutliersVisible READ GetOutliersVisible WRITE SetOutliersVisible)
    Q_PROPERTY(bool AutoUpdate READ GetAutoUpdate WRITE SetAutoUpdate)
    Q_PROPERTY(float DistanceAtTop READ GetDistanceAtTop WRITE SetDistanceAtTop)
    Q_PROPERTY(float DistanceAtBottom READ GetDistanceAtBottom WRITE SetDistanceAtBottom)
    Q_PROPERTY(float DistanceAtLeft READ GetDistanceAtLeft WRITE SetDistanceAtLeft)
    Q_PROPERTY(float DistanceAtRight READ GetDistanceAtRight WRITE SetDistanceAtRight)
    Q_PROPERTY(TQvLineSettings* SegmentBorder READ GetSegmentBorder WRITE SetSegmentBorder)
    Q_PROPERTY(TQvFillPalette* SegmentSettingsPalette READ GetSegmentSettingsPalette WRITE
                   SetSegmentSettingsPalette)
    Q_PROPERTY(TQvFont* Font READ GetLabelFont WRITE SetLabelFont)
    Q_PROPERTY(
        QvPieChart::TQvPieLabelPosition LabelPosition READ GetLabelPosition WRITE SetLabelPosition)
    Q_PROPERTY(QvLabels::TQvLabelStyle LabelFrom READ GetLabelFrom WRITE SetLabelFrom)
    Q_PROPERTY(QString LabelFormat READ GetLabelFormat WRITE SetLabelFormat)
    Q_PROPERTY(float LabelSize READ GetLabelSize WRITE SetLabelSize)
    Q_PROPERTY(TQvColor LabelColor READ GetLabelColor WRITE SetLabelColor)
    Q_PROPERTY(TStrings* Captions READ GetCaptions WRITE SetCaptions)
    Q_PROPERTY(QString CaptionsField READ GetCaptionsField WRITE SetCaptionsField)
    Q_PROPERTY(TDataSource* DataSource READ GetDataSource WRITE SetDataSource)
    Q_PROPERTY(TQvArrowSettings* CalloutArrow READ GetCalloutArrow WRITE SetCalloutArrow)
    Q_PROPERTY(QvPieChart::TQvCalloutArrowVisibleMode CalloutArrowVisibleMode READ
                   GetCalloutArrowVisibleMode WRITE SetCalloutArrowVisibleMode)
    Q_PROPERTY(TQvColor CalloutBackColor READ GetCalloutBackColor WRITE SetCalloutBackColor)
    Q_PROPERTY(
        TQvGradientSettings* CalloutGradient READ GetCalloutGradient WRITE SetCalloutGradient)
    Q_PROPERTY(TQvLineSettings* CalloutFrame READ GetCalloutFrame WRITE SetCalloutFrame)
    Q_PROPERTY(bool CalloutRaised READ GetCalloutRaised WRITE SetCalloutRaised)
    Q_PROPERTY(bool CalloutLowered READ GetCalloutLowered WRITE SetCalloutLowered)
    Q_PROPERTY(bool CalloutShadow READ GetCalloutShadow WRITE SetCalloutShadow)
    Q_PROPERTY(
        float CalloutDistanceToPie READ GetCalloutDistanceToPie WRITE SetCalloutDistanceToPie)
    Q_PROPERTY(
        float CalloutSpaceToBorder READ GetCalloutSpaceToBorder WRITE SetCalloutSpaceToBorder)
    Q_PROPERTY(float CalloutRounding READ GetCalloutRounding WRITE SetCalloutRounding)
public:
    Q_INVOKABLE explicit TQvPieChart(TComponent* AOwner);
    ~TQvPieChart() override;

    TQvCustomDoubleVector* GetValues() const { return FValues; }
    void SetValues(TQvCustomDoubleVector* Value);
    TQvCustomDoubleVector* GetExplodePercent() const { return FExplodePercent; }
    void SetExplodePercent(TQvCustomDoubleVector* Value);
    const TQvValueTransformation& GetValueTransformation() const { return FValueTransformation; }
    void SetValueTransformation(const TQvValueTransformation& Value);
    const TQvValueTransformation& GetExplodePercentTransformation() const {
        return FExplodeTransformation;
    }
    void SetExplodePercentTransformation(const TQvValueTransformation& Value);
    TQvPieChartType GetPieChartType() const { return FPieChartType; }
    void SetPieChartType(TQvPieChartType Value) { Set(FPieChartType, Value); }
    float GetStartAngle() const { return FStartAngle; }
    void SetStartAngle(float Value) { Set(FStartAngle, Value); }
    float GetTotalAngle() const { return FTotalAngle; }
    void SetTotalAngle(float Value) { Set(FTotalAngle, Value); }
    float GetDonutHoleSize() const { return FDonutHoleSize; }
    // Within 0 and 100.
    void SetDonutHoleSize(float Value) { Set(FDonutHoleSize, Percentage(Value)); }
    float GetThreeDElevation() const { return FThreeDElevation; }
    // Within 1 and 100: a pie seen edge-on has no height to draw.
    void SetThreeDElevation(float Value);
    float GetThreeDPieHeight() const { return FThreeDPieHeight; }
    void SetThreeDPieHeight(float Value) { Set(FThreeDPieHeight, Percentage(Value)); }
    bool GetDropShadow() const { return FDropShadow; }
    void SetDropShadow(bool Value) { Set(FDropShadow, Value); }
    bool GetOrderAscending() const { return FOrderAscending; }
    void SetOrderAscending(bool Value) { Set(FOrderAscending, Value); }
    bool GetOutliersVisible() const { return FOutliersVisible; }
    void SetOutliersVisible(bool Value) { Set(FOutliersVisible, Value); }
    bool GetAutoUpdate() const { return FAutoUpdate; }
    void SetAutoUpdate(bool Value) { Set(FAutoUpdate, Value); }
    float GetDistanceAtTop() const { return FDistanceAtTop; }
    void SetDistanceAtTop(float Value) { Set(FDistanceAtTop, Value); }
    float GetDistanceAtBottom() const { return FDistanceAtBottom; }
    void SetDistanceAtBottom(float Value) { Set(FDistanceAtBottom, Value); }
    float GetDistanceAtLeft() const { return FDistanceAtLeft; }
    void SetDistanceAtLeft(float Value) { Set(FDistanceAtLeft, Value); }
    float GetDistanceAtRight() const { return FDistanceAtRight; }
    void SetDistanceAtRight(float Value) { Set(FDistanceAtRight, Value); }
    TQvLineSettings* GetSegmentBorder() const { return FSegmentBorder.get(); }
    void SetSegmentBorder(TQvLineSettings* Value) { FSegmentBorder->Assign(Value); }
    TQvFillPalette* GetSegmentSettingsPalette() const { return FPalette; }
    void SetSegmentSettingsPalette(TQvFillPalette* Value);
    TQvFont* GetLabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TQvFont* Value);
    TQvPieLabelPosition GetLabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TQvPieLabelPosition Value) { Set(FLabelPosition, Value); }
    TQvLabelStyle GetLabelFrom() const { return FLabelFrom; }
    void SetLabelFrom(TQvLabelStyle Value) { Set(FLabelFrom, Value); }
    const QString& GetLabelFormat() const { return FLabelFormat; }
    void SetLabelFormat(const QString& Value) { Set(FLabelFormat, Value); }
    float GetLabelSize() const { return FLabelSize; }
    void SetLabelSize(float Value) { Set(FLabelSize, std::max(Value, 0.0f)); }
    TQvColor GetLabelColor() const;
    void SetLabelColor(TQvColor Value);
    // Null while the captions come from a data set.
    TStrings* GetCaptions() const;
    void SetCaptions(TStrings* Value);
    QString GetCaptionsField() const;
    void SetCaptionsField(const QString& Value);
    TDataSource* GetDataSource() const;
    void SetDataSource(TDataSource* Value);
    TQvArrowSettings* GetCalloutArrow() const { return FCalloutArrow.get(); }
    void SetCalloutArrow(TQvArrowSettings* Value) { FCalloutArrow->Assign(Value); }
    TQvCalloutArrowVisibleMode GetCalloutArrowVisibleMode() const { return FArrowMode; }
    void SetCalloutArrowVisibleMode(TQvCalloutArrowVisibleMode Value) { Set(FArrowMode, Value); }
    TQvColor GetCalloutBackColor() const { return FCalloutBackColor; }
    void SetCalloutBackColor(TQvColor Value) { Set(FCalloutBackColor, Value); }
    TQvGradientSettings* GetCalloutGradient() const { return FCalloutGradient.get(); }
    void SetCalloutGradient(TQvGradientSettings* Value) { FCalloutGradient->Assign(Value); }
    TQvLineSettings* GetCalloutFrame() const { return FCalloutFrame.get(); }
    void SetCalloutFrame(TQvLineSettings* Value) { FCalloutFrame->Assign(Value); }
    bool GetCalloutRaised() const { return FCalloutRaised; }
    void SetCalloutRaised(bool Value) { Set(FCalloutRaised, Value); }
    bool GetCalloutLowered() const { return FCalloutLowered; }
    void SetCalloutLowered(bool Value) { Set(FCalloutLowered, Value); }
    bool GetCalloutShadow() const { return FCalloutShadow; }
    void SetCalloutShadow(bool Value) { Set(FCalloutShadow, Value); }
    float GetCalloutDistanceToPie() const { return FCalloutDistanceToPie; }
    void SetCalloutDistanceToPie(float Value) { Set(FCalloutDistanceToPie, Value); }
    float GetCalloutSpaceToBorder() const { return FCalloutSpaceToBorder; }
    void SetCalloutSpaceToBorder(float Value) { Set(FCalloutSpaceToBorder, Value); }
    float GetCalloutRounding() const { return FCalloutRounding; }
    void SetCalloutRounding(float Value) { Set(FCalloutRounding, std::max(Value, 0.0f)); }
    const TQvGetLabelEventHandler& GetOnGetLabel() const { return FOnGetLabel; }
    void SetOnGetLabel(const TQvGetLabelEventHandler& Value);
    const TQvPenEventHandler& GetOnGetPen() const { return FOnGetPen; }
    void SetOnGetPen(const TQvPenEventHandler& Value);
    const TQvBrushEventHandler& GetOnGetBrush() const { return FOnGetBrush; }
    void SetOnGetBrush(const TQvBrushEventHandler& Value);

    // ---- The calculated pie, valid until the next change ----
    int SegmentCount() const;
    // Segment k as calculated.
    const QvPie::TSegment& Segment(int k) const;
    // The order the segments are painted in.
    const std::vector<int>& DrawingOrder() const;
    // Left, top, width and height of the pie's ellipse in pixels; the thickness of a 3-D pie.
    const TGPRectF& PieRect() const;
    // The thickness of a 3-D pie in pixels.
    float Thickness() const;
    // The explode offset of segment k in pixels.
    TGPPointF ExplodeOffset(int k) const;
    // The label of segment k, placed; nullptr when labels are invisible or this one was left
    // out for want of room.
    const TQvRichCaptionObject* SegmentLabel(int k) const;
    // The box of the callout of segment k in pixels (empty without callouts) and whether it was
    // moved off another box.
    TGPRectF CalloutRect(int k) const;
    // The callout of segment k was moved off another box.
    bool CalloutOverlapped(int k) const;

    // The value index of segment k.
    int GetLegendItemIndex(int k) const;
    // The label text of the value at ValueIndex in Style and Format.
    QString GetSegmentCaption(int ValueIndex, TQvLabelStyle Style, const QString& Format) const;
    // The fill of segment k: the palette's entry k modulo its count, or a default fill.
    const TQvFillSettings* PaletteItem(int k) const;

    // Pie legends that place themselves around this chart.
    void AddPieLegend(TQvPieLegend* Legend);
    // Takes a legend off the list.
    void RemovePieLegend(TQvPieLegend* Legend);

    // The pie is to be calculated anew; repaints the chart and its legends.
    void Modified() override;
    void Calculate() override;
    void PaintGr(TGPGraphics* Graphics) override;
    void Paint(QPainter& Canvas) override;
    bool IsPropertyStored(const char* Name) const override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The vectors tell of new values.
    void PointsModified() override;

private:
    template <class T> void Set(T& Field, const T& Value) {
        if (Field == Value) return;
        Field = Value;
        Modified();
    }
    static float Percentage(float Value);
    bool ThreeD() const;
    bool Donut() const;
    // The aspect of the pie's ellipse: 1 when flat.
    double Aspect() const;
    void SetVector(TQvCustomDoubleVector*& Field, TQvCustomDoubleVector* Value);
    void CheckDBVectors();
    double Transformed(int i) const;
    std::vector<QvPie::TIndexedValue> TakingPart() const;
    void ApplyExplode(QvPie::TExtents& Extents);
    QString LabelOf(int ValueIndex) const;
    void MakeLabels(QvPie::TExtents& Extents);
    void ReserveLegends(float& Left, float& Top, float& Right, float& Bottom) const;
    void PlaceLegends(float Left, float Top, float Right, float Bottom) const;
    TGPPointF ToPixels(const QvPie::TUnitPoint& P) const;
    void LeaveOutCrowdedLabels();
    bool ArrowVisible(int k) const;

    // Painting.
    std::unique_ptr<TGPBrush> SegmentBrush(int k) const;
    std::unique_ptr<TGPPen> SegmentPen(int k) const;
    TGPRectF HoleRect(const TGPPointF& Offset) const;
    TGPGraphicsPath TopPath(int k) const;
    TGPGraphicsPath OutlinePath() const;
    void PaintShadow(TGPGraphics* Graphics) const;
    void PaintSides(TGPGraphics* Graphics, int k) const;
    void PaintTop(TGPGraphics* Graphics, int k) const;
    void PaintEmpty(TGPGraphics* Graphics) const;
    void PaintLabels(TGPGraphics* Graphics);

    // First, for the settings below report changes while they are made.
    std::vector<TQvPieLegend*> FLegends;
    TQvCustomDoubleVector* FValues = nullptr;
    TQvCustomDoubleVector* FExplodePercent = nullptr;
    TQvValueTransformation FValueTransformation;
    TQvValueTransformation FExplodeTransformation;
    TQvPieChartType FPieChartType = TQvPieChartType::FlatPie;
    float FStartAngle = 0;
    float FTotalAngle = 360;
    float FDonutHoleSize = 35;
    float FThreeDElevation = 50;
    float FThreeDPieHeight = 10;
    bool FDropShadow = true;
    bool FOrderAscending = false;
    bool FOutliersVisible = false;
    bool FAutoUpdate = true;
    float FDistanceAtTop = 0;
    float FDistanceAtBottom = 0;
    float FDistanceAtLeft = 0;
    float FDistanceAtRight = 0;
    std::unique_ptr<TQvLineSettings> FSegmentBorder;
    TQvFillPalette* FPalette = nullptr;
    std::unique_ptr<TQvFont> FLabelFont;
    TQvPieLabelPosition FLabelPosition = TQvPieLabelPosition::Invisible;
    TQvLabelStyle FLabelFrom = TQvLabelStyle::Value;
    QString FLabelFormat;
    float FLabelSize = 3.5f;
    std::unique_ptr<TQvBoundStrings> FCaptions;
    std::unique_ptr<TQvArrowSettings> FCalloutArrow;
    TQvCalloutArrowVisibleMode FArrowMode = TQvCalloutArrowVisibleMode::VisibleIfOverlapped;
    TQvColor FCalloutBackColor;
    std::unique_ptr<TQvGradientSettings> FCalloutGradient;
    std::unique_ptr<TQvLineSettings> FCalloutFrame;
    bool FCalloutRaised = false;
    bool FCalloutLowered = false;
    bool FCalloutShadow = false;
    float FCalloutDistanceToPie = 0;
    float FCalloutSpaceToBorder = 10;
    float FCalloutRounding = 0;
    TQvGetLabelEventHandler FOnGetLabel;
    TQvPenEventHandler FOnGetPen;
    TQvBrushEventHandler FOnGetBrush;
    std::unique_ptr<TQvFillSettings> FDefaultFill;

    // The calculated state.
    std::vector<QvPie::TSegment> FSegments;
    std::vector<int> FOrder;
    std::vector<QvPie::TCallout> FCallouts;
    std::vector<std::unique_ptr<TQvRichCaptionObject>> FLabels;
    std::vector<bool> FLabelShown;
    double FTotal = 0;
    bool FExploded = false;
    TGPRectF FPieRect;
    float FThickness = 0;
};
