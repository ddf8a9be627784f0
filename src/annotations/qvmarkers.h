#pragma once

// Markers: movable controls on a graph that point at a position in data coordinates - a
// horizontal line at a Y value, a vertical line at an X value, a cross-hair at a point. They
// are placed through the graph's axes, so they follow zoom and pan, and the user drags them
// with the mouse, optionally snapping to the nearest data point of the graph's series. Each
// shows a rich caption in a box of its own and publishes its position as variables that
// captions can quote.
//
// A marker's control is centred on its hot spot, the pixel it points at, and reaches as far
// to every side as its drawing does to the farthest side.

#include "annotations/qvrichlabel.h"
#include "framework/qvcontrols.h"
#include "graph/qvgraph2d.h"
#include "parser/qvparsefkt.h"
#include "style/qvstyles.h"

#include <QRect>

#include <array>
#include <memory>

class IXMLNode;
class QIODevice;
class TCustomIniFile;
class TQvAxis;
class TQvCrossHair;
class TQvSeries;
class TQvUndoStack;

namespace QvRecord {
class TRecord;
}

namespace QvMarkers {
Q_NAMESPACE

// Where the caption of a cross-hair stands beside its point.
enum class TQvXHairCaptionPosition {
    RightTop,
    RightBottom,
    LeftBottom,
    LeftTop
};
Q_ENUM_NS(TQvXHairCaptionPosition)

// The parts of a label-with-arrow marker that the user may drag.
enum class TQvArrowMarkerDraggingOption {
    Hotspot = 1 << 0,
    ArrowEnd = 1 << 1,
    BentGrip = 1 << 2,
    CaptionGrip = 1 << 3
};
Q_DECLARE_FLAGS(TQvArrowMarkerDraggingOptions, TQvArrowMarkerDraggingOption)
Q_FLAG_NS(TQvArrowMarkerDraggingOptions)

} // namespace QvMarkers

Q_DECLARE_OPERATORS_FOR_FLAGS(QvMarkers::TQvArrowMarkerDraggingOptions)

using QvMarkers::TQvArrowMarkerDraggingOption;
using QvMarkers::TQvArrowMarkerDraggingOptions;
using QvMarkers::TQvXHairCaptionPosition;

class TQvMovable : public TGraphicControl,
                   public TQvGraphDrawn,
                   public TQvVariablesContainer,
                   public TQvVariablesUser {
    Q_OBJECT
    Q_MOC_INCLUDE("axes/qvaxis.h")
    Q_MOC_INCLUDE("series/qvseries.h")
    Q_MOC_INCLUDE("undo/qvundostack.h")
    Q_PROPERTY(TQvUndoStack* UndoStack READ GetUndoStack WRITE SetUndoStack)
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(bool CaptionVisible READ GetCaptionVisible WRITE SetCaptionVisible)
    Q_PROPERTY(bool CaptionVertical READ GetCaptionVertical WRITE SetCaptionVertical)
    Q_PROPERTY(int CaptionDeltaX READ GetCaptionDeltaX WRITE SetCaptionDeltaX)
    Q_PROPERTY(int CaptionDeltaY READ GetCaptionDeltaY WRITE SetCaptionDeltaY)
    Q_PROPERTY(TQvColor ForeColor READ GetForeColor WRITE SetForeColor)
    Q_PROPERTY(bool ClipToData READ GetClipToData WRITE SetClipToData)
    Q_PROPERTY(bool MouseDrag READ GetMouseDrag WRITE SetMouseDrag)
    Q_PROPERTY(Framework::TShiftState StartMovingKeys READ GetStartMovingKeys WRITE
                   SetStartMovingKeys)
    Q_PROPERTY(bool SnapToSeriesValues READ GetSnapToSeriesValues WRITE SetSnapToSeriesValues)
    Q_PROPERTY(bool SnapToFunctions READ GetSnapToFunctions WRITE SetSnapToFunctions)
    Q_PROPERTY(TQvColor CaptionBackColor READ GetCaptionBackColor WRITE SetCaptionBackColor)
    Q_PROPERTY(TQvGradientSettings* CaptionBackGradient READ GetCaptionBackGradient WRITE
                   SetCaptionBackGradient)
    Q_PROPERTY(
        TQvLineSettings* CaptionBackFrame READ GetCaptionBackFrame WRITE SetCaptionBackFrame)
    Q_PROPERTY(bool CaptionBackRaised READ GetCaptionBackRaised WRITE SetCaptionBackRaised)
    Q_PROPERTY(bool CaptionBackLowered READ GetCaptionBackLowered WRITE SetCaptionBackLowered)
    Q_PROPERTY(bool CaptionBackShadow READ GetCaptionBackShadow WRITE SetCaptionBackShadow)
    Q_PROPERTY(float CaptionBackSpaceToBorder READ GetCaptionBackSpaceToBorder WRITE
                   SetCaptionBackSpaceToBorder)
    Q_PROPERTY(
        float CaptionBackRounding READ GetCaptionBackRounding WRITE SetCaptionBackRounding)
public:
    // Whatever a record or a drag asks for, a marker reaches no farther than this from its hot
    // spot: no screen shows more, and pixel arithmetic stays in range.
    static constexpr int MaxReach = 1 << 20;

    ~TQvMovable() override;

    // ---- Caption ----
    const TQvRichCaption& GetCaption() const { return FCaptionRec->GetCaption(); }
    // Trailing blanks are removed.
    void SetCaption(const TQvRichCaption& Value);
    bool GetCaptionVisible() const { return FCaptionVisible; }
    void SetCaptionVisible(bool Value);
    // Turned by 90 degrees, reading upwards.
    bool GetCaptionVertical() const { return FCaptionVertical; }
    void SetCaptionVertical(bool Value);
    // The caption's offset from where it stands by default, in pixels.
    int GetCaptionDeltaX() const { return FCaptionDeltaX; }
    void SetCaptionDeltaX(int Value);
    int GetCaptionDeltaY() const { return FCaptionDeltaY; }
    void SetCaptionDeltaY(int Value);
    // Face, size, style and effects of the caption; its colour is ForeColor.
    TQvFont* GetCaptionFont() const;
    void SetFont(TFont* Value) override;
    TQvColor GetCaptionBackColor() const { return FCaptionBackColor; }
    void SetCaptionBackColor(TQvColor Value);
    TQvGradientSettings* GetCaptionBackGradient() const { return FCaptionBackGradient.get(); }
    void SetCaptionBackGradient(TQvGradientSettings* Value) { FCaptionBackGradient->Assign(Value); }
    TQvLineSettings* GetCaptionBackFrame() const { return FCaptionBackFrame.get(); }
    void SetCaptionBackFrame(TQvLineSettings* Value) { FCaptionBackFrame->Assign(Value); }
    bool GetCaptionBackRaised() const { return FCaptionBackRaised; }
    void SetCaptionBackRaised(bool Value);
    bool GetCaptionBackLowered() const { return FCaptionBackLowered; }
    void SetCaptionBackLowered(bool Value);
    bool GetCaptionBackShadow() const { return FCaptionBackShadow; }
    void SetCaptionBackShadow(bool Value);
    // The padding of the box, in percent of the caption's line height.
    float GetCaptionBackSpaceToBorder() const { return FCaptionBackSpaceToBorder; }
    void SetCaptionBackSpaceToBorder(float Value);
    float GetCaptionBackRounding() const { return FCaptionBackRounding; }
    void SetCaptionBackRounding(float Value);
    // The caption as a rich caption object.
    const TQvRichCaptionObject* CaptionObject() const { return FCaptionRec.get(); }

    // ---- Appearance and behaviour ----
    // The colour of line and caption; the line takes it.
    TQvColor GetForeColor() const { return FForeColor; }
    void SetForeColor(TQvColor Value);
    TQvSimpleLineSettings* GetLine() const { return FLine.get(); }
    void SetLine(TQvSimpleLineSettings* Value) { FLine->Assign(Value); }
    bool GetClipToData() const { return FClipToData; }
    void SetClipToData(bool Value);
    bool GetMouseDrag() const { return FMouseDrag; }
    void SetMouseDrag(bool Value);
    // The exact keys and buttons of a mouse-down that starts a drag.
    TShiftState GetStartMovingKeys() const { return FStartMovingKeys; }
    void SetStartMovingKeys(TShiftState Value);
    bool GetSnapToSeriesValues() const { return FSnapToSeriesValues; }
    void SetSnapToSeriesValues(bool Value);
    bool GetSnapToFunctions() const { return FSnapToFunctions; }
    void SetSnapToFunctions(bool Value);
    // The marker's own stack, else its graph's.
    TQvUndoStack* GetUndoStack() const;
    void SetUndoStack(TQvUndoStack* Value);

    // ---- Position ----
    double GetX() const { return FX; }
    double GetY() const { return FY; }
    TQvAxis* GetXAxis() const { return FXAxis; }
    TQvAxis* GetYAxis() const { return FYAxis; }
    // The series and data index of the point the last snap found (-1 on a curve or for none).
    TQvSeries* GetSnappedSeries() const { return FSnappedSeries; }
    void SetSnappedSeries(TQvSeries* Value);
    int GetSnappedIdx() const { return FSnappedIdx; }
    void SetSnappedIdx(int Value) { FSnappedIdx = Value; }
    // Snapping asks only the series snapped to last.
    bool GetKeepSnappedSeries() const { return FKeepSnappedSeries; }
    void SetKeepSnappedSeries(bool Value) { FKeepSnappedSeries = Value; }
    bool GetMoving() const { return FMoving; }
    // The pixel the marker points at, in the graph's client coordinates: the control's centre.
    QPoint HotSpot() const { return QPoint(FLeft + FWidth / 2, FTop + FHeight / 2); }
    // The graph the marker sits on, if any.
    TQvGraph2D* ParentGraph() const;
    // Puts the hot spot on the pixel of the values; the graph calls it after each layout.
    virtual void UpdatePosition();
    // Takes the axis and value of Other in X and (or) in Y, without undo: linked markers
    // follow each other so.
    void TakePosition(const TQvMovable& Other, bool InX, bool InY);
    // Which values a drag changes: a horizontal line does not move in X, a vertical one not in
    // Y.
    virtual bool MovesX() const { return true; }
    // A drag changes the Y value.
    virtual bool MovesY() const { return true; }

    // ---- Dragging, of the marker or of a part of it ----
    // Records the named properties as the one undo step of a drag.
    void RecordDrag(const QStringList& Properties);
    // From now on the graph shows the marker moving over the chart as painted without it.
    virtual void BeginDrag();
    // Ends the drag: the graph paints the marker with the rest again.
    void EndDrag();
    // The graph pixel nearest to P.
    QPoint ClampToGraph(const QPoint& P) const;
    // The caption's offset, set while a grip is dragged (the drag records the undo step).
    void MoveCaption(const QPoint& Delta);
    // Takes the values of the series point nearest to the graph pixel P (by X alone or by Y
    // alone for a marker with one axis); false, leaving the values, when no series has one.
    bool SearchSeriesSnap(const QPoint& P);

    const TNotifyEvent& GetOnMarkerMoving() const { return FOnMarkerMoving; }
    void SetOnMarkerMoving(const TNotifyEvent& Value) { FOnMarkerMoving = Value; }
    const TNotifyEvent& GetOnMarkerMoved() const { return FOnMarkerMoved; }
    void SetOnMarkerMoved(const TNotifyEvent& Value) { FOnMarkerMoved = Value; }

    // ---- Painting and hit testing ----
    // Draws the marker in its own coordinates.
    void PaintGr(TGPGraphics* Graphics) override;
    // Line, shape and caption relative to the hot spot, clipped as ClipToData says.
    void Draw(TGPGraphics* Graphics);
    // The graph draws its markers; elsewhere the marker draws itself.
    void Paint(QPainter& Canvas) override;
    // With a caption only the line (or the marker's shape) and the caption box.
    bool HitTest(const QPoint& P) const override;

    // ---- Persistence: class name and reference, then the fields class by class ----
    void WriteTo(QIODevice* Stream) const;
    // Reads the binary record; a damaged record changes nothing.
    void ReadFrom(QIODevice* Stream);
    // Adds an element named after the marker's class below Node.
    void WriteTo(IXMLNode Node) const;
    // Reads the marker's element at or below Node.
    void ReadFrom(const IXMLNode& Node);
    // Writes the marker to Section of the INI file.
    void WriteTo(TCustomIniFile* Ini, const QString& Section) const;
    // Reads the marker from Section of the INI file.
    void ReadFrom(TCustomIniFile* Ini, const QString& Section);
    // Lists the fields of the record in order, each level ending with an end mark.
    virtual void VisitRecord(QvRecord::TRecord& Record);

    // ---- Framework ----
    void SetParent(TWinControl* AParent) override;
    // Forgets an axis, the snapped series, the undo stack or a caption user that goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Components whose captions or formulas use this marker's variables.
    void AddObjectToUpdate(TComponent* Object) override;
    // A variable that the caption quotes changed.
    void UpdateVariables() override;

protected:
    // The line settings are the subclass's: an arrow for a label-with-arrow marker.
    TQvMovable(TComponent* AOwner, std::unique_ptr<TQvSimpleLineSettings> Line);

    void SetXAxis(TQvAxis* Value);
    void SetYAxis(TQvAxis* Value);
    void SetX(double Value);
    void SetY(double Value);

    // The caption box's alignment, for the subclasses that publish or derive it.
    TQvContentAlignment GetCaptionAlign() const { return FCaptionAlign; }
    void SetCaptionAlign(TQvContentAlignment Value);
    // What the record's "Caption.Position" holds: the alignment, unless a marker has a
    // position kind of its own.
    virtual int CaptionPositionOrdinal() const { return int(FCaptionAlign); }
    virtual int CaptionPositionCount() const;
    virtual void SetCaptionPositionOrdinal(int Value);

    // The pixel of the values; a coordinate without an axis keeps where it is.
    virtual QPoint PlacedHotSpot() const;
    // The caption box relative to the hot spot.
    virtual QRectF CaptionBox() const = 0;
    // The rectangle of the line or shape that the mouse grabs, relative to the hot spot.
    virtual QRect ShapeRect() const = 0;
    virtual bool HitsShape(const QPoint& P) const { return ShapeRect().contains(P); }
    // What the marker draws besides its caption, relative to the hot spot.
    virtual QRect ShapeExtent() const { return ShapeRect(); }
    virtual void PaintShape(TGPGraphics* Graphics) = 0;
    // The values changed: the caption is laid out anew, the control moves, the parts follow.
    virtual void PointChanged();
    // The line settings changed.
    virtual void LineChanged();
    // The shape changed: the marker covers another area.
    void Reshaped();
    // The setter pattern on the marker's undo stack; true when the value changed.
    template <class T>
    bool Change(T& Field, const T& Value, const char* PropName, const TResourceString& Caption) {
        return SetUndoable(UndoRecorder(), this, Field, Value, PropName, Caption);
    }
    // The control the graph shows moving during a drag: the whole cross-hair for its lines.
    virtual TControl* DragControl() { return this; }
    // A drag of the hot spot may start.
    virtual bool CanDragHotSpot() const { return FMouseDrag; }
    // Moves the hot spot to the graph pixel P, clamped to the graph, snapping if asked.
    void DragHotSpotTo(QPoint P);

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void FontChanged() override;

    // Moves the control so that its hot spot lies on P, sized to its drawing.
    void PlaceAt(const QPoint& P);
    // X rounded up to whole pixels within MaxReach (NaN gives 0).
    static int WholePixels(double X);
    // An offset in pixels within MaxReach.
    static int Offset(int Pixels);
    // The caption shows and has text.
    bool CaptionShows() const { return FCaptionVisible && !GetCaption().isEmpty(); }
    // The caption's size on the screen (turned when vertical), parsing it first when stale.
    QSizeF CaptionSize() const;
    // The padding of the caption box in pixels, and the box's size.
    float Padding() const;
    QSizeF CaptionBoxSize() const;
    QPointF CaptionDelta() const;
    // Smoothing as the graph's SmoothingMode allows, or none.
    void Smooth(TGPGraphics* Graphics, bool On) const;
    // The gap between a line and a caption beside it.
    float LineGap() const;
    // The data area relative to the hot spot.
    QRectF AreaFromHotSpot() const;
    // A caption box of Size whose corner or edge middle named by Align lies on P.
    static QRectF AlignedBox(const QPointF& P, const QSizeF& Size, TQvContentAlignment Align);

    std::unique_ptr<TQvSimpleLineSettings> FLine;

private:
    TQvUndoRecorder* UndoRecorder() const;
    void PaintCaption(TGPGraphics* Graphics);
    void RegisterVariables();
    // Marks the caption for a new layout and places the marker anew.
    void CaptionChanged();
    // Series that a snap may find: shown, on the marker's axes, functions when allowed.
    bool SnapsTo(const TQvSeries* Series) const;

    TQvAxis* FXAxis = nullptr;
    TQvAxis* FYAxis = nullptr;
    double FX = 0;
    double FY = 0;
    TQvSeries* FSnappedSeries = nullptr;
    int FSnappedIdx = -1;
    QPoint FDragOrigin, FDragStart;
    // The hot spot the control was last placed on: geometry is relative to it.
    QPoint FHot;
    bool FMoving = false;
    bool FKeepSnappedSeries = false;
    TQvUndoStack* FUndoStack = nullptr;
    std::unique_ptr<TQvRichCaptionObject> FCaptionRec;
    mutable bool FCaptionStale = true;
    bool FCaptionVisible = false;
    bool FCaptionVertical = false;
    int FCaptionDeltaX = 0;
    int FCaptionDeltaY = 0;
    TQvContentAlignment FCaptionAlign = TQvContentAlignment::TopRight;
    TQvColor FForeColor;
    bool FClipToData = true;
    bool FMouseDrag = true;
    TShiftState FStartMovingKeys = TShiftStateItem::Left;
    bool FSnapToSeriesValues = false;
    bool FSnapToFunctions = true;
    TQvColor FCaptionBackColor;
    std::unique_ptr<TQvGradientSettings> FCaptionBackGradient;
    std::unique_ptr<TQvLineSettings> FCaptionBackFrame;
    bool FCaptionBackRaised = false;
    bool FCaptionBackLowered = false;
    bool FCaptionBackShadow = false;
    float FCaptionBackSpaceToBorder = 40;
    float FCaptionBackRounding = 0;
    TNotifyEvent FOnMarkerMoving, FOnMarkerMoved;
    QList<TComponent*> FObjectsToUpdate;
};

// A marker that shows a value of one axis as a line across the data area.
class TQvLineMarker : public TQvMovable {
    Q_OBJECT
    Q_PROPERTY(TQvSimpleLineSettings* Line READ GetLine WRITE SetLine)
    Q_PROPERTY(QvCaptions::TQvContentAlignment CaptionPosition READ GetCaptionPosition WRITE
                   SetCaptionPosition)
    Q_PROPERTY(TQvSeries* SnappedSeries READ GetSnappedSeries WRITE SetSnappedSeries)
    Q_PROPERTY(int SnappedIdx READ GetSnappedIdx WRITE SetSnappedIdx)
public:
    // Where the caption stands: at the start, the middle or the end of the line, and before
    // it, on it or after it, as the alignment names them for a horizontal line.
    TQvContentAlignment GetCaptionPosition() const { return GetCaptionAlign(); }
    void SetCaptionPosition(TQvContentAlignment Value) { SetCaptionAlign(Value); }

    // The cross-hair whose line this is, which draws it with itself.
    TQvCrossHair* CrossHair() const;
    void PaintGr(TGPGraphics* Graphics) override;

protected:
    explicit TQvLineMarker(TComponent* AOwner);

    // Horizontal: the line runs along X; the caption's horizontal alignment picks the end.
    virtual bool Horizontal() const = 0;
    QPoint PlacedHotSpot() const override;
    QRectF CaptionBox() const override;
    QRect ShapeRect() const override;
    void PaintShape(TGPGraphics* Graphics) override;
    void PointChanged() override;
    TControl* DragControl() override;
};

// A horizontal line across the data area at a Y value, dragged up and down.
class TQvHorizontalMarker : public TQvLineMarker {
    Q_OBJECT
    Q_PROPERTY(TQvAxis* YAxis READ GetYAxis WRITE SetYAxis)
    Q_PROPERTY(double Y READ GetY WRITE SetY)
public:
    Q_INVOKABLE explicit TQvHorizontalMarker(TComponent* AOwner);
    using TQvMovable::SetY;
    using TQvMovable::SetYAxis;

protected:
    bool Horizontal() const override { return true; }
    bool MovesX() const override { return false; }
};

// A vertical line across the data area at an X value, dragged left and right.
class TQvVerticalMarker : public TQvLineMarker {
    Q_OBJECT
    Q_PROPERTY(TQvAxis* XAxis READ GetXAxis WRITE SetXAxis)
    Q_PROPERTY(double X READ GetX WRITE SetX)
public:
    Q_INVOKABLE explicit TQvVerticalMarker(TComponent* AOwner);
    using TQvMovable::SetX;
    using TQvMovable::SetXAxis;

protected:
    bool Horizontal() const override { return false; }
    bool MovesY() const override { return false; }
};

// A marker at a point of both axes: the X and Y values are published by the subclasses, and
// the record keeps both.
class TQvPointMarker : public TQvMovable {
    Q_OBJECT
    Q_PROPERTY(TQvAxis* XAxis READ GetXAxis WRITE SetXAxis)
    Q_PROPERTY(double X READ GetX WRITE SetX)
    Q_PROPERTY(TQvAxis* YAxis READ GetYAxis WRITE SetYAxis)
    Q_PROPERTY(double Y READ GetY WRITE SetY)
    Q_PROPERTY(TQvSeries* SnappedSeries READ GetSnappedSeries WRITE SetSnappedSeries)
    Q_PROPERTY(int SnappedIdx READ GetSnappedIdx WRITE SetSnappedIdx)
public:
    using TQvMovable::SetX;
    using TQvMovable::SetXAxis;
    using TQvMovable::SetY;
    using TQvMovable::SetYAxis;

protected:
    TQvPointMarker(TComponent* AOwner, std::unique_ptr<TQvSimpleLineSettings> Line)
        : TQvMovable(AOwner, std::move(Line)) {}
};

// A point marked by a horizontal and a vertical line through it, each of which can be dragged
// alone; the cross-hair itself is the small square where they cross, with the caption.
class TQvCrossHair : public TQvPointMarker {
    Q_OBJECT
    Q_PROPERTY(QvMarkers::TQvXHairCaptionPosition CaptionPosition READ GetCaptionPosition WRITE
                   SetCaptionPosition)
    Q_PROPERTY(int HorizontalCursor READ GetHorizontalCursor WRITE SetHorizontalCursor)
    Q_PROPERTY(int VerticalCursor READ GetVerticalCursor WRITE SetVerticalCursor)
    Q_PROPERTY(TQvSimpleLineSettings* Line READ GetLine WRITE SetLine)
    Q_PROPERTY(TQvHorizontalMarker* HorizontalMarker READ GetHorizontalMarker)
    Q_PROPERTY(TQvVerticalMarker* VerticalMarker READ GetVerticalMarker)
public:
    Q_INVOKABLE explicit TQvCrossHair(TComponent* AOwner);

    TQvXHairCaptionPosition GetCaptionPosition() const { return FCaptionPosition; }
    void SetCaptionPosition(TQvXHairCaptionPosition Value);
    TCursor GetHorizontalCursor() const;
    void SetHorizontalCursor(TCursor Value);
    TCursor GetVerticalCursor() const;
    void SetVerticalCursor(TCursor Value);
    TQvHorizontalMarker* GetHorizontalMarker() const { return FHorizontalMarker; }
    TQvVerticalMarker* GetVerticalMarker() const { return FVerticalMarker; }

    // A line was moved: the cross-hair takes its value.
    void FollowLine(const TQvLineMarker* Line);
    // The lines first, so that the square and the caption lie above them.
    void SetParent(TWinControl* AParent) override;
    void PaintGr(TGPGraphics* Graphics) override;
    void VisitRecord(QvRecord::TRecord& Record) override;

protected:
    int CaptionPositionOrdinal() const override { return int(FCaptionPosition); }
    int CaptionPositionCount() const override;
    void SetCaptionPositionOrdinal(int Value) override;
    QRectF CaptionBox() const override;
    QRect ShapeRect() const override;
    void PaintShape(TGPGraphics* Graphics) override;
    // The values and the line pass on to the two lines.
    void PointChanged() override;
    void LineChanged() override;

private:
    std::array<TQvLineMarker*, 2> Lines() const;

    TQvXHairCaptionPosition FCaptionPosition = TQvXHairCaptionPosition::RightTop;
    TQvHorizontalMarker* FHorizontalMarker;
    TQvVerticalMarker* FVerticalMarker;
    // The cross-hair and its lines are passing values on: no echo.
    bool FSyncing = false;
};
