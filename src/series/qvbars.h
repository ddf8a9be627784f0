#pragma once

// Bar charts: one bar per class, vertical or horizontal, flat or as cuboids or cylinders, with
// labels. Bar series of one graph share each class side by side or pile up; the first visible
// one paints them all, class by class, so that bars in depth overlap in the right order.

#include "series/qvlabels.h"
#include "series/qvrecordedseries.h"
#include "series/qvseries.h"

#include <QPointer>

class TDataSource;
class TQvBoundStrings;
class TQvFont;
class TQvRichCaptionObject;
class TStrings;

namespace QvBars {
Q_NAMESPACE

enum class TQvBarStyle {
    Flat,
    Cuboid,
    Cylinder
};
Q_ENUM_NS(TQvBarStyle)

enum class TQvBarsOverlayStyle {
    Shift,
    Stack
};
Q_ENUM_NS(TQvBarsOverlayStyle)

enum class TQvBarLabelPosition {
    Invisible,
    OnBottom,
    Centered,
    GoldenCut,
    ThreeFourth,
    InTop,
    OnTopOfBar
};
Q_ENUM_NS(TQvBarLabelPosition)

} // namespace QvBars

using QvBars::TQvBarLabelPosition;
using QvBars::TQvBarsOverlayStyle;
using QvBars::TQvBarStyle;

class TQvBars : public TQvRecordedSeries<TQvSeries> {
    Q_OBJECT
    Q_MOC_INCLUDE("axes/qvaxis.h")
    Q_MOC_INCLUDE("framework/qvdb.h")
    Q_MOC_INCLUDE("framework/qvstringlist.h")
    Q_MOC_INCLUDE("style/qvfont.h")
    Q_PROPERTY(QString CaptionsField READ GetCaptionsField WRITE SetCaptionsField)
    Q_PROPERTY(TDataSource* DataSource READ GetDataSource WRITE SetDataSource)
    Q_PROPERTY(QvBars::TQvBarsOverlayStyle OverlayStyle READ GetOverlayStyle WRITE SetOverlayStyle)
    Q_PROPERTY(bool BarsHorizontal READ GetBarsHorizontal WRITE SetBarsHorizontal)
    Q_PROPERTY(QvBars::TQvBarStyle BarStyle READ GetBarStyle WRITE SetBarStyle)
    Q_PROPERTY(double Depth3D READ GetDepth3D WRITE SetDepth3D)
    Q_PROPERTY(double ClassesDistance READ GetClassesDistance WRITE SetClassesDistance)
    Q_PROPERTY(TStrings* Captions READ GetCaptions WRITE SetCaptionsList)
    Q_PROPERTY(TQvFont* Font READ GetFont WRITE SetFont)
    Q_PROPERTY(TQvColor LabelColor READ GetLabelColor WRITE SetLabelColor)
    Q_PROPERTY(QString LabelFormat READ GetLabelFormat WRITE SetLabelFormat)
    Q_PROPERTY(QvLabels::TQvLabelStyle LabelFrom READ GetLabelFrom WRITE SetLabelFrom)
    Q_PROPERTY(
        QvBars::TQvBarLabelPosition LabelPosition READ GetLabelPosition WRITE SetLabelPosition)
    Q_PROPERTY(float LabelSize READ GetLabelSize WRITE SetLabelSize)
    Q_PROPERTY(bool LabelVertical READ GetLabelVertical WRITE SetLabelVertical)
    Q_PROPERTY(bool AutoUpdate READ GetAutoUpdate WRITE SetAutoUpdate)
    Q_PROPERTY(bool OutliersVisible READ GetOutliersVisible WRITE SetOutliersVisible)
    Q_PROPERTY(TQvAxis* XAxis READ GetXAxis WRITE SetXAxis)
    Q_PROPERTY(TQvAxis* YAxis READ GetYAxis WRITE SetYAxis)
    Q_PROPERTY(TQvCustomDoubleVector* XData READ GetXData WRITE SetXData)
    Q_PROPERTY(TQvCustomDoubleVector* YData READ GetYData WRITE SetYData)
    Q_PROPERTY(TQvLineSettings* Line READ GetLine WRITE SetLine)
    Q_PROPERTY(TQvAreaSettings* Area READ GetArea WRITE SetArea)
public:
    Q_INVOKABLE explicit TQvBars(TComponent* AOwner);
    ~TQvBars() override;

    // ---- Properties ----
    bool GetBarsHorizontal() const { return FBarsHorizontal; }
    void SetBarsHorizontal(bool Value);
    TQvBarStyle GetBarStyle() const { return FBarStyle; }
    void SetBarStyle(TQvBarStyle Value);
    TQvBarsOverlayStyle GetOverlayStyle() const { return FOverlayStyle; }
    void SetOverlayStyle(TQvBarsOverlayStyle Value);
    // Depth as a share of the bar width, in percent.
    double GetDepth3D() const { return F3DDepth; }
    void SetDepth3D(double Value);
    // The gap between classes, in percent of the class width.
    double GetClassesDistance() const { return FClassesDistance; }
    void SetClassesDistance(double Value);

    // ---- Class captions: a list, or a field of a data set ----
    // nullptr while bound to a data set.
    TStrings* GetCaptions() const;
    // The series uses List (not owned) and hears of its changes; raises while bound.
    void SetCaptionsList(TStrings* List);
    QString GetCaptionsField() const;
    void SetCaptionsField(const QString& Value);
    TDataSource* GetDataSource() const;
    void SetDataSource(TDataSource* Value);
    // The caption of class i, also while bound; empty when missing.
    QString Caption(int i) const;

    // ---- Labels ----
    TQvFont* GetFont() const { return FFont.get(); }
    void SetFont(TQvFont* Value);
    TQvColor GetLabelColor() const;
    void SetLabelColor(TQvColor Value);
    const QString& GetLabelFormat() const { return FLabelFormat; }
    void SetLabelFormat(const QString& Value);
    TQvLabelStyle GetLabelFrom() const { return FLabelFrom; }
    void SetLabelFrom(TQvLabelStyle Value);
    TQvBarLabelPosition GetLabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TQvBarLabelPosition Value);
    // The label font size in percent of the narrowest bar width.
    float GetLabelSize() const { return FLabelSize; }
    void SetLabelSize(float Value);
    bool GetLabelVertical() const { return FLabelVertical; }
    void SetLabelVertical(bool Value);
    const TQvGetLabelEventHandler& GetOnGetLabel() const { return FOnGetLabel; }
    void SetOnGetLabel(const TQvGetLabelEventHandler& Value);
    // FormatFloat(Format, Value), or the general format for an empty Format.

    // ---- Classes and values ----
    // The classes: values of the value vector (Y, X for horizontal bars), the other vector
    // holding class boundaries.
    int GetCount() const override;
    // Boundary i (category coordinate) and the value end of class i (value coordinate, with
    // the values of the stacked series below), transformed.
    double Get_X(int i) const;
    // The value end of class i, above the stacked series below it, transformed.
    double Get_Y(int i) const;
    // The vector of the bar values: Y, or X for horizontal bars.
    TQvCustomDoubleVector* ValueData() const { return FBarsHorizontal ? FXData : FYData; }
    // The vector of the class boundaries: X, or Y for horizontal bars.
    TQvCustomDoubleVector* BoundaryData() const { return FBarsHorizontal ? FYData : FXData; }
    // The axis of the bar values.
    TQvAxis* ValueAxis() const { return FBarsHorizontal ? FXAxis : FYAxis; }
    // The axis of the class boundaries.
    TQvAxis* CategoryAxis() const { return FBarsHorizontal ? FYAxis : FXAxis; }
    // No stacked bar series lies on this one.
    bool GetTopMost() const { return FTopMost; }

    // ---- Bars on the screen (after CalculatePoints) ----

    // A bar as placed on the screen, in pixels.
    struct TBar {
        int Index; // the class
        TGPPointF TopLeft, BottomRight;
        float Base; // where the bar starts along its value axis, in pixels
    };
    // The bars as CalculatePoints placed them.
    const std::vector<TBar>& Bars() const { return FBars; }
    // How many bars a paint draws: one per pixel column when the bars are thinner.
    int PaintedBars() const { return int(FColumns.empty() ? FBars.size() : FColumns.size()); }
    // The label of the k-th bar, or nullptr without labels.
    const TQvRichCaptionObject* Label(int k) const;
    float GetDepthX() const { return FDepthX; }
    float GetDepthY() const { return FDepthY; }

    void Calculate() override;
    void CalculatePoints() override;
    void CheckDBVectors() override;
    void PaintGr(TGPGraphics* Graphics) override;
    // Bars draw no symbols.
    void DrawSymbols(TGPGraphics*) override {}
    std::optional<TGPPointF> DepthOffsets() const override;
    float ExtraSpaceAt(TQvAxisPosition Position) const override;
    void DrawListItem(const TQvLegendItemDrawArgs& Args) override;
    // The class of the first bar whose rectangle holds (X, Y), else -1.
    int FindPoint(float X, float Y) const override;
    int FindPoint(float X, float Y, float Tolerance) const override;
    // Bar widths, slots and stacks depend on the set and order of the graph's bar series.
    void LayersSorted() override;
    // Forgets a component that goes, the source of the bar captions among them.
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void VisitRecord(QvRecord::TRecord& R) override;

private:
    struct TGroup;

    // The transformed value of class i, 0 without one.
    double OwnValue(int i) const;
    bool HasClass(int i) const { return i < GetCount() && HasValuesAt(i); }
    // The stacked bar series below this one, and registration with their value vectors.
    void FindPartners();
    TGroup ShiftGroup() const;
    void MakeLabels(float NarrowestWidth);
    void PlaceLabel(int k);
    QString LabelText(int i, double Sum) const;
    // The visit that writes or reads the record; writing changes nothing.
    void PaintBar(TGPGraphics* Graphics, const TBar& Bar);
    void ReduceToColumns();

    bool FBarsHorizontal = false;
    bool FTopMost = true;
    TQvBarStyle FBarStyle = TQvBarStyle::Flat;
    double F3DDepth = 50;
    double FClassesDistance = 0;
    TQvBarsOverlayStyle FOverlayStyle = TQvBarsOverlayStyle::Shift;
    std::vector<QPointer<TQvBars>> FOtherBars;
    // The graph's bar series in order, when the layers were last sorted.
    std::vector<const TQvBars*> FBarSeriesSeen;
    std::vector<QPointer<TQvCustomDoubleVector>> FPartnerVectors;
    std::vector<TBar> FBars;
    // Bars thinner than a pixel column, one per column at their extremes; empty otherwise.
    std::vector<TBar> FColumns;
    float FDepthX = 1, FDepthY = 1, FZylShift = 0;
    float FLabelSize = 20;
    std::unique_ptr<TQvFont> FFont;
    QString FLabelFormat;
    bool FLabelVertical = false;
    std::unique_ptr<TQvBoundStrings> FCaptions;
    std::vector<std::unique_ptr<TQvRichCaptionObject>> FLabels;
    TQvLabelStyle FLabelFrom = TQvLabelStyle::Value;
    TQvBarLabelPosition FLabelPosition = TQvBarLabelPosition::Invisible;
    TQvGetLabelEventHandler FOnGetLabel;
};
