#pragma once

// The graph controls. TQvCustomGraph holds what every chart control shares: title, background,
// smoothing, the update counter and the undo stack. TQvGraph2D is the x/y chart: primary axes,
// data area, grids, zoom settings and the registries of the series, axes and coupled graphs
// drawn on it. A change of numbers or geometry ends in Modified, which recalculates before the
// next paint; a change of colours only repaints.

#include "annotations/qvrichlabel.h"
#include "axes/qvaxistypes.h"
#include "framework/qvcontrols.h"
#include "framework/qvxml.h"
#include "graph/qvserieslayer.h"
#include "parser/qvparsefkt.h"
#include "style/qvcolors.h"
#include "style/qvfont.h"
#include "style/qvgdi.h"
#include "style/qvstyles.h"

#include <QElapsedTimer>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QScrollBar>

#include <functional>
#include <memory>
#include <optional>

// Qt's guard that gives a variable back its old value at the end of a scope.
template <typename T> class QScopedValueRollback;
class QIODevice;
class TCustomIniFile;
class TQvAxis;
class TQvDoubleVector;
class TQvGraph2D;
class TQvSeries;
class TQvTheme;
class TQvUndoStack;

namespace QvGraph {
Q_NAMESPACE

enum class TQvSmoothingMode {
    None,
    HighSpeed,
    AntiAlias,
    HighQuality
};
Q_ENUM_NS(TQvSmoothingMode)

// How zoom back and redo move through the stages: a stack stops at both ends.
enum class TQvZoomBufferType {
    AsCircularBuffer,
    AsStack
};
Q_ENUM_NS(TQvZoomBufferType)

// The step of a scroll-bar arrow or track click.
enum class TQvScrollIncrement {
    Page,
    MajorTick,
    MinorTick,
    Pixel
};
Q_ENUM_NS(TQvScrollIncrement)

// What a scroll bar asks for: an arrow, a click in the track, the thumb dragged (Track) and
// let go (Position).
enum class TQvScrollCode {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    Position,
    Track
};
Q_ENUM_NS(TQvScrollCode)

// The file formats of an image of the chart. EMF is the vector image, written as SVG; PDF
// writes it as a page of the image's size.
enum class TQvImageFileFormat {
    EMF,
    BMP,
    JPEG,
    PNG,
    GIF,
    TIFF,
    EXIF,
    Icon,
    PDF
};
Q_ENUM_NS(TQvImageFileFormat)

} // namespace QvGraph

using QvGraph::TQvImageFileFormat;
using QvGraph::TQvScrollCode;
using QvGraph::TQvScrollIncrement;
using QvGraph::TQvSmoothingMode;
using QvGraph::TQvZoomBufferType;

// The title may quote variables of other components, and the graph publishes its own.
class TPrinter;

class TQvCustomGraph : public TCustomPanel, public TQvVariablesContainer, public TQvVariablesUser {
    Q_OBJECT
    Q_MOC_INCLUDE("undo/qvundostack.h")
    Q_PROPERTY(TQvUndoStack* UndoStack READ GetUndoStack WRITE SetUndoStack)
    Q_PROPERTY(TQvColor BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(TQvGradientSettings* BackgroundGradient READ GetBackgroundGradient WRITE
                   SetBackgroundGradient)
    Q_PROPERTY(QvGraph::TQvSmoothingMode SmoothingMode READ GetSmoothingMode WRITE SetSmoothingMode)
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
public:
    Q_INVOKABLE explicit TQvCustomGraph(TComponent* AOwner);
    ~TQvCustomGraph() override;

    TQvUndoStack* GetUndoStack() const { return FUndoStack; }
    virtual void SetUndoStack(TQvUndoStack* Value);
    TQvColor GetBackColor() const { return FBackColor; }
    void SetBackColor(TQvColor Value);
    TQvGradientSettings* GetBackgroundGradient() const { return FBackgroundGradient.get(); }
    void SetBackgroundGradient(TQvGradientSettings* Value) { FBackgroundGradient->Assign(Value); }
    TQvSmoothingMode GetSmoothingMode() const { return FSmoothingMode; }
    void SetSmoothingMode(TQvSmoothingMode Value);

    const TQvRichCaption& GetCaption() const { return FTitleRec->GetCaption(); }
    // Trailing blanks are removed; from then on renaming leaves the caption alone.
    void SetCaption(const TQvRichCaption& Value);
    // The title as plain text, or the name when the title is empty.
    QString CaptionAsString() const;
    // The title as a rich caption object, parsed and measured.
    const TQvRichCaptionObject* TitleObject() const { return FTitleRec.get(); }
    QString GetNameAsString() const { return GetName(); }
    TAlignment GetCaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TAlignment Value);
    // The fill colour of the title font.
    TQvColor GetCaptionColor() const;
    void SetCaptionColor(TQvColor Value);
    float GetCaptionDistanceAfter() const { return FCaptionDistanceAfter; }
    void SetCaptionDistanceAfter(float Value);
    float GetCaptionDistanceBefore() const { return FCaptionDistanceBefore; }
    void SetCaptionDistanceBefore(float Value);
    // The title font, which is also the control's font.
    TQvFont* GetCaptionFont() const;
    void SetCaptionFont(TQvFont* Value);
    void SetFont(TFont* Value) override;
    virtual bool GetStoreFont() const { return true; }
    // The title font is stored once, as CaptionFont, when GetStoreFont says so.
    bool IsPropertyStored(const char* Name) const override;
    bool GetCaptionVisible() const { return FCaptionVisible; }
    void SetCaptionVisible(bool Value);

    // Calculation waits until the outermost EndUpdate, which repaints when one is owed.
    void BeginUpdate() { ++FUpdateCount; }
    // Ends an update begun with BeginUpdate.
    void EndUpdate();
    // An update is under way: calculation waits.
    bool Updating() const { return FUpdateCount > 0; }
    bool GetDoingImage() const { return FDoingImage; }
    // Painting a vector image: positions as computed, not rounded; scroll bars not counted.
    bool GetDoingMetafile() const { return FDoingMetafile; }
    // The numbers are to be recalculated before the next paint.
    bool NeedsRecalculate() const { return FRecalculate; }
    // Smoothing as SmoothingMode says, or none.
    void SetHighQuality(TGPGraphics* Graphics, bool HighQuality) const;
    // The smoothing that SmoothingMode says.
    TGPSmoothingMode HighQualityMode() const;

    // AControl is one of the components the graph owns.
    bool Contains(const TControl* AControl) const;
    // The numbers must be recalculated before the next paint.
    virtual void Modified() {}
    // Recalculates the numbers: ranges, layout and points.
    virtual void Calculate() {}

    void SetName(const QString& NewName) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Forgets a component that goes: the undo stack, or one that uses the graph's variables.
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Components whose captions or formulas use this graph's variables.
    void AddObjectToUpdate(TComponent* Object) override;
    // The components told when this graph's variables change.
    const QList<TComponent*>& ObjectsToUpdate() const { return FObjectsToUpdate; }
    // A variable that the title quotes changed.
    void UpdateVariables() override { ParseCaption(); }

    // The full paint onto any surface.
    virtual void PaintGr(TGPGraphics* Graphics) { PaintBackground(Graphics); }

    // ---- Images of the chart ----
    // Pixels cut away at the left of an image, and the image's height.
    virtual int ImageGraphLeft() { return 0; }
    // The height of an image of the chart.
    virtual int ImgageGraphHeight() { return ClientHeight(); }
    // Paints the chart for an image onto Graphics shifted by (Dx, Dy).
    virtual void PaintToImage(TGPGraphics* Graphics, float Dx, float Dy);
    // Paints the chart for an image onto Image shifted by (Dx, Dy).
    void PaintToImage(TGPImage* Image, float Dx, float Dy);
    // The chart as a bitmap of Scale times its size, drawn at that resolution: 24-bit on the
    // exchange colour (made opaque) without transparency, else 32-bit on transparent white.
    std::unique_ptr<TGPBitmap> AsBitmap(bool RemoveTransparency = false,
                                        TQvColor TransparentExchangeColor = 0xFFFFFFFF,
                                        double Scale = 1);
    // An opaque image in which the pixels of TransparentColor are made transparent.
    QImage AsTBitmap(TQvColor TransparentColor);
    // The chart recorded as vectors, for drawing at any size.
    std::unique_ptr<TGPMetafile> AsTMetafile();
    // EMF writes SVG, PDF a PDF page, both with text as text; EXIF and Icon have no encoder and
    // raise EConvertError.
    virtual void SaveImage(QIODevice* Stream, TQvImageFileFormat Format,
                           bool RemoveTransparency = false,
                           TQvColor TransparentExchangeColor = 0xFFFFFFFF, double Scale = 1);
    // Creates or overwrites the file; a failed export leaves no file behind.
    void SaveImage(const QString& FileName, TQvImageFileFormat Format,
                   bool RemoveTransparency = false, TQvColor TransparentExchangeColor = 0xFFFFFFFF,
                   double Scale = 1);
    // The format from the name's extension: .png, .jpg or .jpeg, .bmp, .gif, .tif or .tiff,
    // .svg, .pdf; another extension raises EConvertError naming the file.
    void SaveImage(const QString& FileName, double Scale = 1);
    // The image format that the extension of FileName stands for; EConvertError for others.
    static TQvImageFileFormat ImageFormatOf(const QString& FileName);
    // Draws the chart as vectors into Rect (device pixels) of the printer's current page. The
    // caller begins and ends the job; without a job under way nothing happens.
    virtual void PrintTo(TPrinter* Printer, const QRect& Rect);
    // Where a chart of Size goes in Target: as large as fits with its aspect kept, centred
    // across a relatively wider target, else across the whole width from the top.
    static QRectF PrintRect(const QRect& Target, const QSizeF& Size);
    // The chart on the clipboard as SVG, with an image beside it for programs that take none.
    virtual void CopyToClipboard();

protected:
    // Paints this chart alone for an image.
    void PaintForImage(TGPGraphics* Graphics, bool Metafile);
    // The image as vectors on Device, Scale times its size.
    void PaintVectorImage(QPaintDevice* Device, double Scale);
    // Before the size changes.
    virtual void BoundsChanged() {}
    // Publishes "Name" and "Caption" for formulas and captions.
    void RegisterVariables();
    void DeRegisterVariables();
    // Lays out the title anew.
    void ParseCaption();
    // Parses and measures the title on a scratch surface.
    void MeasureTitle() const;
    // Anchors the title at the x its alignment picks of the three.
    void PlaceTitle(float LeftX, float CenterX, float RightX);
    // The client filled with the background colour, then the background gradient.
    void PaintBackground(TGPGraphics* Graphics) const;
    // The children that draw onto this surface, in child order, but Skipped.
    void PaintDrawnControls(TGPGraphics* Graphics, const TControl* Skipped);
    // Paint with the surface moved to the control's place on the graph.
    static void PaintAt(TGPGraphics* Graphics, const TControl* Control,
                        const std::function<void()>& Paint);

    bool FOnce = true;
    bool FRecalculate = false;
    bool FDoingImage = false;
    bool FDoingMetafile = false;
    int FUpdateCount = 0;
    TQvUndoStack* FUndoStack = nullptr;
    std::unique_ptr<TQvGradientSettings> FBackgroundGradient;
    std::unique_ptr<TQvRichCaptionObject> FTitleRec;

private:
    TAlignment FCaptionAlignment = TAlignment::taCenter;
    float FCaptionDistanceAfter = 0;
    float FCaptionDistanceBefore = 0;
    bool FCaptionVisible = false;
    bool FCaptionSet = false;
    TQvColor FBackColor;
    TQvSmoothingMode FSmoothingMode = TQvSmoothingMode::HighQuality;
    QList<TComponent*> FObjectsToUpdate;
};

// Zoom and pan settings of a graph. Changes are recorded on the graph's undo stack but neither
// recalculate nor repaint.
class TQvZoomSettings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(bool Auto READ GetAuto WRITE SetAuto)
    Q_PROPERTY(QvGraph::TQvZoomBufferType BufferType READ GetBufferType WRITE SetBufferType)
    Q_PROPERTY(bool OptimizeSeries READ GetOptimizeSeries WRITE SetOptimizeSeries)
    Q_PROPERTY(bool BackOnClickBeside READ GetBackOnClickBeside WRITE SetBackOnClickBeside)
    Q_PROPERTY(bool BackOnRightBottomLeftTopFrame READ GetBackOnRightBottomLeftTopFrame WRITE
                   SetBackOnRightBottomLeftTopFrame)
    Q_PROPERTY(bool ResetOnDoubleClickBeside READ GetResetOnDoubleClickBeside WRITE
                   SetResetOnDoubleClickBeside)
    Q_PROPERTY(bool ResetOnRightBottomLeftTopFrame READ GetResetOnRightBottomLeftTopFrame WRITE
                   SetResetOnRightBottomLeftTopFrame)
    Q_PROPERTY(Framework::TShiftState StartZoom READ GetStartZoom WRITE SetStartZoom)
    Q_PROPERTY(Framework::TShiftState StartPanning READ GetStartPanning WRITE SetStartPanning)
    Q_PROPERTY(int PanningCursor READ GetPanningCursor WRITE SetPanningCursor)
    Q_PROPERTY(bool HScrollbarVisible READ GetHScrollbarVisible WRITE SetHScrollbarVisible)
    Q_PROPERTY(bool VScrollbarVisible READ GetVScrollbarVisible WRITE SetVScrollbarVisible)
    Q_PROPERTY(QvGraph::TQvScrollIncrement ScrollSmallIncrement READ GetScrollSmallIncrement WRITE
                   SetScrollSmallIncrement)
    Q_PROPERTY(QvGraph::TQvScrollIncrement ScrollLargeIncrement READ GetScrollLargeIncrement WRITE
                   SetScrollLargeIncrement)
    Q_PROPERTY(bool WheelZoom READ GetWheelZoom WRITE SetWheelZoom)
    Q_PROPERTY(bool KeyZoom READ GetKeyZoom WRITE SetKeyZoom)
public:
    explicit TQvZoomSettings(TQvGraph2D* Graph);

    bool GetAuto() const { return FAuto; }
    void SetAuto(bool Value);
    TQvZoomBufferType GetBufferType() const { return FBufferType; }
    void SetBufferType(TQvZoomBufferType Value) { FBufferType = Value; }
    bool GetOptimizeSeries() const { return FOptimizeSeries; }
    void SetOptimizeSeries(bool Value);
    bool GetBackOnClickBeside() const { return FBackOnClickBeside; }
    void SetBackOnClickBeside(bool Value);
    bool GetBackOnRightBottomLeftTopFrame() const { return FBackOnRightBottomLeftTopFrame; }
    void SetBackOnRightBottomLeftTopFrame(bool Value);
    bool GetResetOnDoubleClickBeside() const { return FResetOnDoubleClickBeside; }
    void SetResetOnDoubleClickBeside(bool Value);
    bool GetResetOnRightBottomLeftTopFrame() const { return FResetOnRightBottomLeftTopFrame; }
    void SetResetOnRightBottomLeftTopFrame(bool Value);
    // The exact shift state of a mouse-down that starts a zoom frame (panning); the two may
    // not be equal.
    TShiftState GetStartZoom() const { return FZoomShift; }
    void SetStartZoom(TShiftState Value);
    TShiftState GetStartPanning() const { return FPanningShift; }
    void SetStartPanning(TShiftState Value);
    TCursor GetPanningCursor() const { return FPanningCursor; }
    void SetPanningCursor(TCursor Value) { FPanningCursor = Value; }
    bool GetHScrollbarVisible() const { return FHScrollbarVisible; }
    void SetHScrollbarVisible(bool Value);
    bool GetVScrollbarVisible() const { return FVScrollbarVisible; }
    void SetVScrollbarVisible(bool Value);
    TQvScrollIncrement GetScrollSmallIncrement() const { return FScrollSmallIncrement; }
    void SetScrollSmallIncrement(TQvScrollIncrement Value);
    TQvScrollIncrement GetScrollLargeIncrement() const { return FScrollLargeIncrement; }
    void SetScrollLargeIncrement(TQvScrollIncrement Value);
    // The mouse wheel zooms around the cursor; a burst of notches is one stage.
    bool GetWheelZoom() const { return FWheelZoom; }
    void SetWheelZoom(bool Value);
    // Backspace zooms back and Home resets while the graph has the focus.
    bool GetKeyZoom() const { return FKeyZoom; }
    void SetKeyZoom(bool Value);

    // Forwarded to the graph.
    bool GetCanZoomBack() const;
    bool GetCanRedoZoom() const;
    int GetZoomStage() const;
    int GetZoomBufferSize() const;
    const TNotifyEvent& GetOnBeginZoom() const;
    void SetOnBeginZoom(const TNotifyEvent& Value);
    const TNotifyEvent& GetOnEndZoom() const;
    void SetOnEndZoom(const TNotifyEvent& Value);
    const TNotifyEvent& GetOnBeginPanning() const;
    void SetOnBeginPanning(const TNotifyEvent& Value);
    const TNotifyEvent& GetOnEndPanning() const;
    void SetOnEndPanning(const TNotifyEvent& Value);

    TQvUndoStack* GetUndoStack() const { return FUndoStack; }
    void SetUndoStack(TQvUndoStack* Value) { FUndoStack = Value; }
    void Assign(TPersistent* Source) override;

private:
    TQvGraph2D* FParentGraph;
    TQvUndoStack* FUndoStack = nullptr;
    bool FAuto = true;
    TQvZoomBufferType FBufferType = TQvZoomBufferType::AsStack;
    bool FOptimizeSeries = false;
    bool FBackOnClickBeside = true;
    bool FBackOnRightBottomLeftTopFrame = false;
    bool FResetOnDoubleClickBeside = true;
    bool FResetOnRightBottomLeftTopFrame = false;
    TShiftState FZoomShift = TShiftStateItem::Left;
    TShiftState FPanningShift = TShiftStateItem::Shift | TShiftStateItem::Left;
    TCursor FPanningCursor = crHandPoint;
    bool FHScrollbarVisible = true;
    bool FVScrollbarVisible = true;
    TQvScrollIncrement FScrollSmallIncrement = TQvScrollIncrement::MinorTick;
    TQvScrollIncrement FScrollLargeIncrement = TQvScrollIncrement::Page;
    bool FWheelZoom = true;
    bool FKeyZoom = true;
};

// A control that draws itself onto its graph's surface, in its own coordinates: the graph
// paints its legends and markers through this, above everything else, in child order.
class TQvGraphDrawn {
public:
    virtual ~TQvGraphDrawn() = default;
    // Paints the control onto the graph's surface.
    virtual void PaintGr(TGPGraphics* Graphics) = 0;
};

// A control that the graph docks at a side of its layout (a legend): the data area shrinks by
// it.
class TQvDocked {
public:
    enum class TSide {
        Bottom,
        Left,
        Top,
        Right
    };
    // Along its side: centred on the graph, centred on the data area, or at the data area's
    // start (its top on the left and right).
    enum class TAlong {
        GraphCenter,
        AreaCenter,
        AreaStart
    };
    // Where a docked control sits: its side and its place along that side.
    struct TDock {
        TSide Side;
        TAlong Along;
    };
    virtual ~TQvDocked() = default;
    // None while the control floats.
    virtual std::optional<TDock> Dock() const = 0;
    // Sizes the control to its content before it is placed.
    virtual void FitContent() = 0;
};

// The point FindSeriesPoint found: the series, its data index (-1 on a curve) and the values.
struct TQvFindSeriesPointResult {
    bool Found = false;
    TQvSeries* InSeries = nullptr;
    int Index = -1;
    double X = 0;
    double Y = 0;
};

// The x/y chart: axes, data area, grids, zoom and the series drawn on it.
class TQvGraph2D : public TQvCustomGraph {
    Q_OBJECT
    Q_MOC_INCLUDE("axes/qvaxis.h")
    Q_PROPERTY(TQvZoomSettings* Zoom READ GetZoom WRITE SetZoom)
    Q_PROPERTY(TQvLineSettings* DataAreaFrame READ GetDataAreaFrame WRITE SetDataAreaFrame)
    Q_PROPERTY(TQvColor DataAreaColor READ GetDataAreaColor WRITE SetDataAreaColor)
    Q_PROPERTY(
        TQvGradientSettings* DataAreaGradient READ GetDataAreaGradient WRITE SetDataAreaGradient)
    Q_PROPERTY(
        float DistanceBorderAxisTop READ GetDistanceBorderAxisTop WRITE SetDistanceBorderAxisTop)
    Q_PROPERTY(float DistanceBorderAxisBottom READ GetDistanceBorderAxisBottom WRITE
                   SetDistanceBorderAxisBottom)
    Q_PROPERTY(
        float DistanceBorderAxisLeft READ GetDistanceBorderAxisLeft WRITE SetDistanceBorderAxisLeft)
    Q_PROPERTY(float DistanceBorderAxisRight READ GetDistanceBorderAxisRight WRITE
                   SetDistanceBorderAxisRight)
    Q_PROPERTY(TQvAxis* PrimaryXAxis READ GetPrimaryXAxis WRITE SetPrimaryXAxis)
    Q_PROPERTY(TQvAxis* PrimaryYAxis READ GetPrimaryYAxis WRITE SetPrimaryYAxis)
    Q_PROPERTY(TQvLineSettings* MajorGridHorizontal READ GetMajorGridHorizontal WRITE
                   SetMajorGridHorizontal)
    Q_PROPERTY(TQvLineSettings* MinorGridHorizontal READ GetMinorGridHorizontal WRITE
                   SetMinorGridHorizontal)
    Q_PROPERTY(
        TQvLineSettings* MajorGridVertical READ GetMajorGridVertical WRITE SetMajorGridVertical)
    Q_PROPERTY(
        TQvLineSettings* MinorGridVertical READ GetMinorGridVertical WRITE SetMinorGridVertical)
    Q_PROPERTY(bool ZeroOrigin READ GetZeroOrigin WRITE SetZeroOrigin)
public:
    Q_INVOKABLE explicit TQvGraph2D(TComponent* AOwner);
    ~TQvGraph2D() override;

    TQvZoomSettings* GetZoom() const { return FZoom.get(); }
    void SetZoom(TQvZoomSettings* Value) { FZoom->Assign(Value); }
    TQvLineSettings* GetDataAreaFrame() const { return FDataAreaFrame.get(); }
    void SetDataAreaFrame(TQvLineSettings* Value) { FDataAreaFrame->Assign(Value); }
    TQvColor GetDataAreaColor() const { return FDataAreaColor; }
    void SetDataAreaColor(TQvColor Value);
    TQvGradientSettings* GetDataAreaGradient() const { return FDataAreaGradient.get(); }
    void SetDataAreaGradient(TQvGradientSettings* Value) { FDataAreaGradient->Assign(Value); }
    float GetDistanceBorderAxisTop() const { return FDistanceBorderAxisTop; }
    void SetDistanceBorderAxisTop(float Value);
    float GetDistanceBorderAxisBottom() const { return FDistanceBorderAxisBottom; }
    void SetDistanceBorderAxisBottom(float Value);
    float GetDistanceBorderAxisLeft() const { return FDistanceBorderAxisLeft; }
    void SetDistanceBorderAxisLeft(float Value);
    float GetDistanceBorderAxisRight() const { return FDistanceBorderAxisRight; }
    void SetDistanceBorderAxisRight(float Value);
    TQvAxis* GetPrimaryXAxis() const { return FPrimaryXAxis; }
    void SetPrimaryXAxis(TQvAxis* Value);
    TQvAxis* GetPrimaryYAxis() const { return FPrimaryYAxis; }
    void SetPrimaryYAxis(TQvAxis* Value);
    TQvLineSettings* GetMajorGridHorizontal() const { return FMajorGridHorizontal.get(); }
    void SetMajorGridHorizontal(TQvLineSettings* Value) { FMajorGridHorizontal->Assign(Value); }
    TQvLineSettings* GetMinorGridHorizontal() const { return FMinorGridHorizontal.get(); }
    void SetMinorGridHorizontal(TQvLineSettings* Value) { FMinorGridHorizontal->Assign(Value); }
    TQvLineSettings* GetMajorGridVertical() const { return FMajorGridVertical.get(); }
    void SetMajorGridVertical(TQvLineSettings* Value) { FMajorGridVertical->Assign(Value); }
    TQvLineSettings* GetMinorGridVertical() const { return FMinorGridVertical.get(); }
    void SetMinorGridVertical(TQvLineSettings* Value) { FMinorGridVertical->Assign(Value); }
    bool GetZeroOrigin() const { return FZeroOrigin; }
    void SetZeroOrigin(bool Value);
    // Axis is a primary axis drawn across the data area at the other primary axis' 0.
    bool AxisCrosses(const TQvAxis* Axis) const;
    bool GetStoreFont() const override { return !GetParentFont(); }

    // Fonts, colours, grid and frame of the graph and its axes from Theme, and the colours of
    // the series drawn on it; series connected later take the next colours of its cycle.
    void ApplyTheme(const TQvTheme& Theme);
    // Applies the default theme.
    void ApplyTheme();
    // The connected series take Theme's colour cycle in layer order, and later ones go on
    // with it. Called by TQvTheme::Apply.
    void TakeSeriesColors(const TQvTheme& Theme);

    const TNotifyEvent& GetOnBeginZoom() const { return FOnBeginZoom; }
    void SetOnBeginZoom(const TNotifyEvent& Value) { FOnBeginZoom = Value; }
    const TNotifyEvent& GetOnEndZoom() const { return FOnEndZoom; }
    void SetOnEndZoom(const TNotifyEvent& Value) { FOnEndZoom = Value; }
    const TNotifyEvent& GetOnBeginPanning() const { return FOnBeginPanning; }
    void SetOnBeginPanning(const TNotifyEvent& Value) { FOnBeginPanning = Value; }
    const TNotifyEvent& GetOnEndPanning() const { return FOnEndPanning; }
    void SetOnEndPanning(const TNotifyEvent& Value) { FOnEndPanning = Value; }

    bool GetZooming() const { return FZoomDragging; }
    bool GetPanning() const { return FPanDragging; }
    bool GetDoingPrimary() const { return FDoingPrimary; }
    // Reading from a store; the axes keep their ranges meanwhile.
    bool GetLoading() const { return FLoding; }
    void SetLoading(bool Value) { FLoding = Value; }
    bool GetIsCoupledGraph() const { return FIsCoupledGraph; }
    bool GetHasChildGraphs() const { return FHasChildGraphs; }

    // ---- Images: the graphs coupled to this one's X axis stacked above their root ----
    // Past the vertical scroll bars, when one shows.
    int ImageGraphLeft() override;
    // The heights of the group's graphs, horizontal scroll bars left out.
    int ImgageGraphHeight() override;
    // The last coupled graph at the top, the group's root at the bottom.
    void PaintToImage(TGPGraphics* Graphics, float Dx, float Dy) override;
    using TQvCustomGraph::PaintToImage;

    // ---- Registries ----
    int SeriesCount() const { return int(FRelatedSeries.size()); }
    // In layer order after a calculation.
    TQvSeries* Series(int Index) const { return FRelatedSeries.at(Index); }
    // The series is registered with this graph.
    bool ContainsSeries(const TQvSeries* Series) const;
    // Maintained by the series.
    void AddSeries(TQvSeries* Series);
    // Takes the series out of the registry.
    void RemoveSeries(TQvSeries* Series);
    // Legends that show this graph's series repaint when the series change.
    void AddRelatedLegend(TControl* Legend);
    // Takes the legend out of the list of related legends.
    void RemoveRelatedLegend(TControl* Legend);
    // The legends that repaint when this graph's series change.
    const QList<TControl*>& RelatedLegends() const { return FRelatedLegends; }
    // An axis being destroyed leaves this graph and its coupled graphs at once, before the
    // components that use it hear of it and ask the graph for its axes.
    void ForgetAxis(const TComponent* Axis);
    // The axes that are child controls, in child order.
    QList<TQvAxis*> ChildAxes() const;
    // The axes used by this graph (its children, and the shared X axis of a coupled graph),
    // as the last calculation found them.
    const QList<TQvAxis*>& Axes() const { return FAxes; }
    // The graphs coupled to this graph's X axis.
    const QList<TQvGraph2D*>& ChildGraphs() const { return FChildGraphs; }
    // The graph whose child is this graph's primary X axis, for a coupled graph.
    TQvGraph2D* ParentOfXAxis() const;
    // The distinct named X and Y data vectors of the named series, X before Y, in layer order.
    // The caller owns the list.
    std::unique_ptr<QList<TQvDoubleVector*>> GetVectorsList() const;

    // ---- Documents: the graph with its components (see TQvGraphDocument) ----
    void WriteTo(const QString& FileName, bool IncludeVectors) const;
    // Reads any of the three encodings, recognised from the file's content.
    void ReadFrom(const QString& FileName);
    // Writes the graph with its components to a binary stream.
    void WriteTo(QIODevice* Stream, bool IncludeVectors) const;
    // Reads the graph with its components from a binary stream.
    void ReadFrom(QIODevice* Stream);
    // Writes the graph with its components as an element below Node.
    void WriteTo(IXMLNode Node, bool IncludeVectors) const;
    // Reads the graph with its components from its element at or below Node.
    void ReadFrom(const IXMLNode& Node);
    // Writes the graph to Section of the INI file, its components to sections of their own.
    void WriteTo(TCustomIniFile* Ini, const QString& Section, bool IncludeVectors) const;
    // Reads the graph and its components from the INI file.
    void ReadFrom(TCustomIniFile* Ini, const QString& Section);

    // ---- Update cycle ----
    void Modified() override;
    // Recalculates the axes, the layout and the series before a paint.
    void Calculate() override;
    // The series' screen points are stale.
    void SeriesModified();
    // Repaints the legends of this graph and of its coupled graphs.
    void LegendsModified();
    // Lets the series recalculate their extents and the axes their ranges.
    void TestSeriesAndAxis();
    // Puts the series into layer order and renumbers the layers densely.
    void SortLayers();
    // Finds the axes of this graph and the graphs coupled to its X axis.
    void CheckCoupled();
    // The graph whose group an image shows: this one, or the parent of a coupled graph's axis.
    TQvGraph2D* ImageRoot();
    // The height this graph adds to an image of its group.
    int ImagePartHeight() const;
    // Creates the primary axes that are missing.
    void TestPrimaryAxis();
    // Records the data of every series vector as one undo step.
    void UndoPushSeriesVectors();
    // Repaints the graphs coupled to this graph's X axis at once.
    void RepaintChildGraphs();
    // Draws the chart; the first paint creates missing primary axes.
    void PaintGr(TGPGraphics* Graphics) override;
    void Paint(QPainter& Canvas) override;
    bool PaintsOpaque() const override;
    // Puts the title's anchor where its alignment says.
    void PlaceTitle();
    // Stacks the axes around the data area and derives the data area from them.
    void LayoutAxes();
    // Marks an axis calculation pass over this graph's axes for as long as the guard lives.
    [[nodiscard]] QScopedValueRollback<bool> AxisPass();
    // An axis calculation pass is under way.
    bool AxisPassRunning() const { return FAxisPassRunning; }
    // The data area in client pixels.
    const TGPRectF& GetDrawingArea() const { return FDrawingArea; }

    // ---- Zoom stages, for all axes of this graph and of its coupled graphs ----
    bool GetCanZoomBack() const;
    bool GetCanRedoZoom() const;
    int GetZoomStage() const;
    int GetZoomBufferSize() const;
    // Returns to the previous zoom stage.
    void ZoomBack();
    // Goes forward to the zoom stage left by ZoomBack.
    void RedoZoom();
    // Goes to the zoom stage Index.
    void ZoomToStage(int Index);
    // Back to the full ranges.
    void ZoomReset();
    // Zooms every axis to the pixel rectangle spanned by P1 and P2, clamped to the data area;
    // with OptimizeSeries to the data points inside it (an axis without one keeps its range).
    void ZoomTo(const TGPPointF& P1, const TGPPointF& P2);
    // After this graph recorded a stage, the axes of the coupled graphs record their current
    // ranges, so that every graph of the group counts the same stages.
    void FixChildZoomStack();
    // While a legend or marker is dragged, it moves over the chart as painted without it: the
    // move repaints nothing else.
    void BeginControlDrag(TControl* Control);
    // Ends the drag begun with BeginControlDrag and repaints.
    void EndControlDrag();
    // The point of the topmost series near the pixel (X, Y); on a curve, the curve's value at
    // the pixel's X.
    TQvFindSeriesPointResult FindSeriesPoint(float X, float Y) const;
    // The mouse cursor lies in the data area, borders included.
    bool MouseInDataArea() const;
    // Moves the primary axis of the bar, and every axis of its orientation by the same share
    // of its scroll range. Arrows and the dragged thumb change the ranges in place; the other
    // codes record a zoom stage.
    void Scroll(Qt::Orientation Bar, TQvScrollCode Code, int ScrollPos);
    // The scroll bars, which exist while the graph is shown in a widget outside the designer.
    QScrollBar* GetHorizontalScrollBar() const { return FHScrollBar; }
    QScrollBar* GetVerticalScrollbar() const { return FVScrollbar; }

    void SetUndoStack(TQvUndoStack* Value) override;
    void SetName(const QString& NewName) override;
    // Forgets a series, legend, coupled graph or axis that goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void BoundsChanged() override;
    // Zoom frames, panning, and clicks beside the data area.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Click() override;
    void DblClick() override;
    // The wheel zooms, Backspace and Home zoom back and reset, Escape drops a zoom frame.
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, const QPoint& MousePos) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void HostCreated(QWidget* Host) override;

private:
    // The point P lies in the data area, borders included.
    bool InDataArea(const QPoint& P) const;
    // Every axis to its range at the drag start shifted by the mouse's way since.
    void Pan(int X, int Y);
    // Scales every axis around the values at P; Notches > 0 zoom in.
    void WheelZoom(const QPoint& P, double Notches);
    // The rectangle the zoom frame covers on the screen, its outline included.
    QRect FrameRect() const;
    // Reserves room for the scroll bars that the clipped axes need (insets grow).
    void ReserveScrollBars(float& Bottom, float& Left);
    // Puts the scroll bars along the data area and shows where the primary axes stand.
    void PlaceScrollBars();

    // Runs Operation on every axis of this graph and of the graphs coupled with it, never
    // twice on the shared X axis, and tells each graph's series.
    void ForAllCoupledAxes(const std::function<void(TQvAxis*)>& Operation);
    // The other graphs of the group that shares this graph's X axis.
    void ForOtherCoupledGraphs(const std::function<void(TQvGraph2D*)>& Visit) const;
    void RepaintLegends();
    void StyleChanged();
    void SetPrimaryAxis(TQvAxis*& Field, TQvAxis* Value, const char* PropName,
                        const TResourceString& Caption);
    TQvAxis* CreatePrimaryAxis(TQvAxisPosition Position, const QString& BaseName,
                               const QString& Caption);
    void MoveToZeroOrigin();
    // Coupled graphs share one data area left and right edge, so that their X values line up.
    void AlignCoupledGraphs();
    void TakeCoupledSpan(float Left, float Right);
    // The back wall that series drawn in depth (bars) stand before: the depth offsets in
    // pixels and the base lines of the X and Y axes.
    struct TBackWall {
        float Dx, Dy, XBase, YBase;
    };
    std::optional<TBackWall> BackWall();
    void PaintDataArea(TGPGraphics* Graphics, const std::optional<TBackWall>& Wall);
    void PaintGrids(TGPGraphics* Graphics, const std::optional<TBackWall>& Wall);
    void PaintWallEdges(TGPGraphics* Graphics, const TBackWall& Wall);
    // Series in layer order, each clipped to where it may draw.
    // One pass over the series, Paint being PaintGr or DrawSymbols, through Layer.
    void PaintSeries(TGPGraphics* Graphics, TQvSeriesLayer& Layer,
                     void (TQvSeries::*Paint)(TGPGraphics*));
    // Folds the values no statistics pass has seen into the statistics of the vectors that
    // store them (with their min/max hierarchy where one is kept) before the axes ask: vectors
    // too short to use both cores on their own are shared out to two cores, as each pass reads
    // and writes its own vector alone.
    void SummarizeVectors();
    // Makes the owed points of series that make them alone and share no vector, shared out to
    // two cores, before any series is drawn.
    void MakeOwedPoints();
    std::optional<TGPRectF> SeriesClip(const TQvSeries* Series) const;
    void PaintAxes(TGPGraphics* Graphics);
    // The visible docked controls among the children, in child order.
    std::vector<std::pair<TControl*, TQvDocked::TDock>> DockedControls() const;
    // Reserves the room of the docked controls at their sides (insets grow), and places them
    // across their sides.
    void ReserveDocked(const std::vector<std::pair<TControl*, TQvDocked::TDock>>& Docked,
                       float& Left, float& Right, float& Top, float& Bottom);
    // Places them along their sides once the data area is known.
    void PlaceDockedAlong(const std::vector<std::pair<TControl*, TQvDocked::TDock>>& Docked);
    TQvColor FDataAreaColor;
    std::unique_ptr<TQvLineSettings> FDataAreaFrame;
    std::unique_ptr<TQvGradientSettings> FDataAreaGradient;
    bool FZeroOrigin = false;
    bool FZoomDragging = false;
    bool FPanDragging = false;
    // Where the mouse went down, and where it is.
    QPoint FDragStart, FLastDrag;
    // The axes' ranges when panning began, in their scroll units.
    std::vector<double> FInitialStarts, FInitialStops;
    TCursor FOldCursor = crDefault;
    // The chart as it was when a zoom frame or the drag of a control began (without that
    // control): the frame or the control moves over it without a repaint of series or axes.
    QImage FFrameBackground;
    TControl* FDraggedControl = nullptr;
    // Made with the widget; the widget takes them with it.
    QPointer<QScrollBar> FHScrollBar, FVScrollbar;
    bool FDoHScrollBar = false;
    bool FDoVScrollBar = false;
    // The stage the last burst of wheel notches recorded, and when its last notch came.
    int FWheelStage = -1;
    QElapsedTimer FLastWheel;
    bool FDoingPrimary = false;
    bool FLoding = false;
    bool FHasChildGraphs = false;
    bool FIsCoupledGraph = false;
    // An axis calculation pass over this graph's axes is running.
    bool FAxisPassRunning = false;
    std::unique_ptr<TQvLineSettings> FMajorGridHorizontal;
    std::unique_ptr<TQvLineSettings> FMinorGridHorizontal;
    std::unique_ptr<TQvLineSettings> FMajorGridVertical;
    std::unique_ptr<TQvLineSettings> FMinorGridVertical;
    TQvAxis* FPrimaryXAxis = nullptr;
    TQvAxis* FPrimaryYAxis = nullptr;
    float FDistanceBorderAxisTop = 0;
    float FDistanceBorderAxisBottom = 0;
    float FDistanceBorderAxisLeft = 0;
    float FDistanceBorderAxisRight = 0;
    std::unique_ptr<TQvZoomSettings> FZoom;
    TGPRectF FDrawingArea{0, 0, 0, 0};
    // The series' lines and areas, and their symbols, as last drawn.
    TQvSeriesLayer FLineLayer, FSymbolLayer;
    // The data area as this graph's own axes leave it, before coupled graphs align theirs.
    TGPRectF FOwnArea{0, 0, 0, 0};
    // The horizontal extent the parent of a coupled group gave every graph of it.
    std::optional<std::pair<float, float>> FCoupledSpan;
    // The clip of the previous screen paint, and whether a full repaint is owed.
    QRect FLastClip{0, 0, 0, 0};
    bool FDoRepaint = false;
    TNotifyEvent FOnBeginZoom, FOnEndZoom, FOnBeginPanning, FOnEndPanning;
    QList<TQvSeries*> FRelatedSeries;
    // The theme whose colour cycle new series take, from the next colour on; none by default.
    std::unique_ptr<TQvTheme> FTheme;
    int FNextSeriesColor = 0;
    QList<TQvAxis*> FAxes;
    QList<TQvGraph2D*> FChildGraphs;
    QList<TControl*> FRelatedLegends;
};
