#pragma once

// The label-with-arrow marker: a caption with an arrow that points at a position in data
// coordinates. The arrow runs from its end (ArrowDeltaX, ArrowDeltaY away from the point) to
// the point; from its end a straight piece BentLength long runs level, away from the point,
// under the caption, which stands on it. Three grips, shown while the mouse is over the marker,
// reshape it: the arrow end, the end of the level piece and the caption.

#include "annotations/qvmarkers.h"

#include <array>

class TQvLabelWithArrowMarker;

// A small square the user drags to reshape a label-with-arrow marker. It sits on a point of
// the marker, relative to the marker's hot spot.
class TQvMarkerGrip : public TGraphicControl {
    Q_OBJECT
public:
    // The marker the grip reshapes.
    TQvLabelWithArrowMarker* Marker() const { return FMarker; }
    // Where the grip sits, relative to the marker's hot spot.
    virtual QPoint Spot() const = 0;
    // The dragging option that allows the grip.
    TQvArrowMarkerDraggingOption Option() const { return FOption; }
    bool GetDragging() const { return FDragging; }
    // Centres the grip on its spot.
    void Place();
    void Paint(QPainter& Canvas) override;

protected:
    // A drag records the marker's Properties as one undo step when it starts.
    TQvMarkerGrip(TQvLabelWithArrowMarker* Marker, TQvArrowMarkerDraggingOption Option,
                  const QStringList& Properties);

    // Reshapes the marker so that the grip's spot becomes Spot.
    virtual void MoveTo(const QPoint& Spot) = 0;
    // After each move, and when the drag ends.
    virtual void Moved() {}
    virtual void Released() {}

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    TQvLabelWithArrowMarker* FMarker;
    TQvArrowMarkerDraggingOption FOption;
    QStringList FProperties;
    bool FDragging = false;
    QPoint FDragOrigin, FDragSpot;
};

// At the arrow end: moves it, the point staying.
class TQvArrowGrip : public TQvMarkerGrip {
    Q_OBJECT
public:
    explicit TQvArrowGrip(TQvLabelWithArrowMarker* Marker);
    QPoint Spot() const override;

protected:
    void MoveTo(const QPoint& Spot) override;
    // OnArrowEndMoving and OnArrowEndMoved of the marker.
    void Moved() override;
    void Released() override;
};

// At the end of the level piece: lengthens or shortens it.
class TQvBentLengthGrip : public TQvMarkerGrip {
    Q_OBJECT
public:
    explicit TQvBentLengthGrip(TQvLabelWithArrowMarker* Marker);
    QPoint Spot() const override;

protected:
    void MoveTo(const QPoint& Spot) override;
};

// At the caption box's top-left corner: moves the caption.
class TQvCaptionGrip : public TQvMarkerGrip {
    Q_OBJECT
public:
    explicit TQvCaptionGrip(TQvLabelWithArrowMarker* Marker);
    QPoint Spot() const override;

protected:
    void MoveTo(const QPoint& Spot) override;
};

// A caption with a bent arrow that points at a position in data coordinates.
class TQvLabelWithArrowMarker : public TQvPointMarker {
    Q_OBJECT
    Q_PROPERTY(TQvArrowSettings* Arrow READ GetArrow WRITE SetArrow)
    Q_PROPERTY(float ArrowAngle READ GetArrowAngle)
    Q_PROPERTY(float ArrowLength READ GetArrowLength)
    Q_PROPERTY(int ArrowDeltaX READ GetArrowDeltaX WRITE SetArrowDeltaX)
    Q_PROPERTY(int ArrowDeltaY READ GetArrowDeltaY WRITE SetArrowDeltaY)
    Q_PROPERTY(int BentLength READ GetBentLength WRITE SetBentLength)
    Q_PROPERTY(int ArrowEndGripCursor READ GetArrowEndGripCursor WRITE SetArrowEndGripCursor)
    Q_PROPERTY(
        int BentLengthGripCursor READ GetBentLengthGripCursor WRITE SetBentLengthGripCursor)
    Q_PROPERTY(int CaptionGripCursor READ GetCaptionGripCursor WRITE SetCaptionGripCursor)
    Q_PROPERTY(bool HoverGrips READ GetHoverGrips WRITE SetHoverGrips)
    Q_PROPERTY(QvMarkers::TQvArrowMarkerDraggingOptions DraggingOptions READ GetDraggingOptions
                   WRITE SetDraggingOptions)
public:
    Q_INVOKABLE explicit TQvLabelWithArrowMarker(TComponent* AOwner);

    // The arrow's line and tip; also the marker's line.
    TQvArrowSettings* GetArrow() const;
    void SetArrow(TQvArrowSettings* Value) { GetArrow()->Assign(Value); }
    // Direction from the point to the arrow end, in degrees counter-clockwise from the right,
    // and the arrow's length in pixels.
    float GetArrowAngle() const;
    float GetArrowLength() const;
    // Where the arrow ends, in pixels from the point (screen direction: negative is up).
    int GetArrowDeltaX() const { return FArrowDelta.x(); }
    void SetArrowDeltaX(int Value);
    int GetArrowDeltaY() const { return FArrowDelta.y(); }
    void SetArrowDeltaY(int Value);
    int GetBentLength() const { return FBentLength; }
    // Not below 0.
    void SetBentLength(int Value);
    TCursor GetArrowEndGripCursor() const { return FArrowGrip->GetCursor(); }
    void SetArrowEndGripCursor(TCursor Value) { FArrowGrip->SetCursor(Value); }
    TCursor GetBentLengthGripCursor() const { return FBentGrip->GetCursor(); }
    void SetBentLengthGripCursor(TCursor Value) { FBentGrip->SetCursor(Value); }
    TCursor GetCaptionGripCursor() const { return FCaptionGrip->GetCursor(); }
    void SetCaptionGripCursor(TCursor Value) { FCaptionGrip->SetCursor(Value); }
    // The grips show only while the mouse is over the marker; else they always show.
    bool GetHoverGrips() const { return FHoverGrips; }
    void SetHoverGrips(bool Value);
    TQvArrowMarkerDraggingOptions GetDraggingOptions() const { return FDraggingOptions; }
    void SetDraggingOptions(TQvArrowMarkerDraggingOptions Value);
    const TNotifyEvent& GetOnArrowEndMoving() const { return FOnArrowEndMoving; }
    void SetOnArrowEndMoving(const TNotifyEvent& Value) { FOnArrowEndMoving = Value; }
    const TNotifyEvent& GetOnArrowEndMoved() const { return FOnArrowEndMoved; }
    void SetOnArrowEndMoved(const TNotifyEvent& Value) { FOnArrowEndMoved = Value; }

    // The grip at the arrow end.
    TQvArrowGrip* ArrowGrip() const { return FArrowGrip; }
    // The grip at the end of the level piece.
    TQvBentLengthGrip* BentLengthGrip() const { return FBentGrip; }
    // The grip at the caption box.
    TQvCaptionGrip* CaptionGrip() const { return FCaptionGrip; }

    // The arrow end and the end of the level piece, relative to the point.
    QPoint ArrowEnd() const { return FArrowDelta; }
    // The end of the level piece, relative to the point.
    QPoint BentEnd() const;
    QRectF CaptionBox() const override;

    // ---- For the grips ----
    // The mouse is over the marker or one of its grips.
    void SetHovered(bool Value);
    // Reshaping without undo, while a grip is dragged.
    void MoveArrowEnd(const QPoint& Delta);
    // Sets the length of the level piece.
    void MoveBentEnd(int Length);
    // A grip drag shows the marker moving like a drag of the marker itself.
    void BeginDrag() override;

    void UpdatePosition() override;
    void SetVisible(bool Value) override;
    void SetParent(TWinControl* AParent) override;
    void VisitRecord(QvRecord::TRecord& Record) override;

protected:
    bool CanDragHotSpot() const override;
    QRect ShapeRect() const override;
    bool HitsShape(const QPoint& P) const override;
    QRect ShapeExtent() const override;
    void PaintShape(TGPGraphics* Graphics) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    std::array<TQvMarkerGrip*, 3> Grips() const;
    // Shows the grips that may show now.
    void ShowGrips();
    // +1 when the level piece runs right, -1 when left.
    int Direction() const { return FArrowDelta.x() < 0 ? -1 : 1; }

    QPoint FArrowDelta{50, -50};
    int FBentLength = 40;
    bool FHoverGrips = true;
    TQvArrowMarkerDraggingOptions FDraggingOptions =
        TQvArrowMarkerDraggingOption::Hotspot | TQvArrowMarkerDraggingOption::ArrowEnd |
        TQvArrowMarkerDraggingOption::BentGrip | TQvArrowMarkerDraggingOption::CaptionGrip;
    bool FHovered = false;
    // While the graph keeps the chart painted without the marker, grips stay out of it.
    bool FGripsHidden = false;
    TQvArrowGrip* FArrowGrip;
    TQvBentLengthGrip* FBentGrip;
    TQvCaptionGrip* FCaptionGrip;
    TNotifyEvent FOnArrowEndMoving, FOnArrowEndMoved;
};
