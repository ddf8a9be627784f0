// The zoom settings of a graph: plain values recorded on the undo stack, and what the graph
// answers about its zoom stages.

#include "framework/qvexceptions.h"
#include "graph/qvgraph2d.h"
#include "undo/qvundostack.h"

using namespace Qvlocalize;

TQvZoomSettings::TQvZoomSettings(TQvGraph2D* Graph) : FParentGraph(Graph) {}

void TQvZoomSettings::SetAuto(bool Value) {
    SetUndoable(FUndoStack, this, FAuto, Value, "Auto", SZoomAuto);
}

void TQvZoomSettings::SetOptimizeSeries(bool Value) {
    SetUndoable(FUndoStack, this, FOptimizeSeries, Value, "OptimizeSeries", SZoomOptimizeSeries);
}

void TQvZoomSettings::SetBackOnClickBeside(bool Value) {
    SetUndoable(FUndoStack, this, FBackOnClickBeside, Value, "BackOnClickBeside",
                SZoomBackClickBeside);
}

void TQvZoomSettings::SetBackOnRightBottomLeftTopFrame(bool Value) {
    SetUndoable(FUndoStack, this, FBackOnRightBottomLeftTopFrame, Value,
                "BackOnRightBottomLeftTopFrame", SZoomBackClickBeside);
}

void TQvZoomSettings::SetResetOnDoubleClickBeside(bool Value) {
    SetUndoable(FUndoStack, this, FResetOnDoubleClickBeside, Value, "ResetOnDoubleClickBeside",
                SZoomResetDoubleClick);
}

void TQvZoomSettings::SetResetOnRightBottomLeftTopFrame(bool Value) {
    SetUndoable(FUndoStack, this, FResetOnRightBottomLeftTopFrame, Value,
                "ResetOnRightBottomLeftTopFrame", SZoomResetFrame);
}

void TQvZoomSettings::SetStartZoom(TShiftState Value) {
    if (Value == FZoomShift) return;
    if (Value == FPanningShift) throw Exception(SZoomPanSameKeys.Text());
    SetUndoable(FUndoStack, this, FZoomShift, Value, "StartZoom", SZoomStartKeys);
}

void TQvZoomSettings::SetStartPanning(TShiftState Value) {
    if (Value == FPanningShift) return;
    if (Value == FZoomShift) throw Exception(SZoomPanSameKeys.Text());
    SetUndoable(FUndoStack, this, FPanningShift, Value, "StartPanning", SPanningStartKeys);
}

void TQvZoomSettings::SetHScrollbarVisible(bool Value) {
    SetUndoable(FUndoStack, this, FHScrollbarVisible, Value, "HScrollbarVisible",
                SZoomHScrollbarVisible);
}

void TQvZoomSettings::SetVScrollbarVisible(bool Value) {
    SetUndoable(FUndoStack, this, FVScrollbarVisible, Value, "VScrollbarVisible",
                SZoomVScrollbarVisible);
}

void TQvZoomSettings::SetScrollSmallIncrement(TQvScrollIncrement Value) {
    SetUndoable(FUndoStack, this, FScrollSmallIncrement, Value, "ScrollSmallIncrement",
                SZoomSmallIncrement);
}

void TQvZoomSettings::SetScrollLargeIncrement(TQvScrollIncrement Value) {
    SetUndoable(FUndoStack, this, FScrollLargeIncrement, Value, "ScrollLargeIncrement",
                SZoomLargeIncrement);
}

void TQvZoomSettings::SetWheelZoom(bool Value) {
    SetUndoable(FUndoStack, this, FWheelZoom, Value, "WheelZoom", SZoomWheel);
}

void TQvZoomSettings::SetKeyZoom(bool Value) {
    SetUndoable(FUndoStack, this, FKeyZoom, Value, "KeyZoom", SZoomKeys);
}

bool TQvZoomSettings::GetCanZoomBack() const {
    return FParentGraph->GetCanZoomBack();
}

bool TQvZoomSettings::GetCanRedoZoom() const {
    return FParentGraph->GetCanRedoZoom();
}

int TQvZoomSettings::GetZoomStage() const {
    return FParentGraph->GetZoomStage();
}

int TQvZoomSettings::GetZoomBufferSize() const {
    return FParentGraph->GetZoomBufferSize();
}

const TNotifyEvent& TQvZoomSettings::GetOnBeginZoom() const {
    return FParentGraph->GetOnBeginZoom();
}

void TQvZoomSettings::SetOnBeginZoom(const TNotifyEvent& Value) {
    FParentGraph->SetOnBeginZoom(Value);
}

const TNotifyEvent& TQvZoomSettings::GetOnEndZoom() const {
    return FParentGraph->GetOnEndZoom();
}

void TQvZoomSettings::SetOnEndZoom(const TNotifyEvent& Value) {
    FParentGraph->SetOnEndZoom(Value);
}

const TNotifyEvent& TQvZoomSettings::GetOnBeginPanning() const {
    return FParentGraph->GetOnBeginPanning();
}

void TQvZoomSettings::SetOnBeginPanning(const TNotifyEvent& Value) {
    FParentGraph->SetOnBeginPanning(Value);
}

const TNotifyEvent& TQvZoomSettings::GetOnEndPanning() const {
    return FParentGraph->GetOnEndPanning();
}

void TQvZoomSettings::SetOnEndPanning(const TNotifyEvent& Value) {
    FParentGraph->SetOnEndPanning(Value);
}

void TQvZoomSettings::Assign(TPersistent* Source) {
    auto* Other = qobject_cast<TQvZoomSettings*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    // Fields, not setters: the two start states may pass through equal values on the way.
    FAuto = Other->FAuto;
    FBufferType = Other->FBufferType;
    FOptimizeSeries = Other->FOptimizeSeries;
    FBackOnClickBeside = Other->FBackOnClickBeside;
    FBackOnRightBottomLeftTopFrame = Other->FBackOnRightBottomLeftTopFrame;
    FResetOnDoubleClickBeside = Other->FResetOnDoubleClickBeside;
    FResetOnRightBottomLeftTopFrame = Other->FResetOnRightBottomLeftTopFrame;
    FZoomShift = Other->FZoomShift;
    FPanningShift = Other->FPanningShift;
    FPanningCursor = Other->FPanningCursor;
    FHScrollbarVisible = Other->FHScrollbarVisible;
    FVScrollbarVisible = Other->FVScrollbarVisible;
    FScrollSmallIncrement = Other->FScrollSmallIncrement;
    FScrollLargeIncrement = Other->FScrollLargeIncrement;
    FWheelZoom = Other->FWheelZoom;
    FKeyZoom = Other->FKeyZoom;
}

