#pragma once

// Legends: a framed list of items, each a sample drawn by its series and a rich caption.
// TQvCustomLegend holds what every legend shares (frame, background, heading, fonts, the grid
// of items); TQvLegend lists the series of one graph, docked at a side of its layout or
// floating where the user drags it.

#include "annotations/qvrichlabel.h"
#include "graph/qvgraph2d.h"
#include "series/qvseries.h"
#include "style/qvcolors.h"
#include "style/qvfont.h"
#include "style/qvstyles.h"

#include "framework/qvxml.h"

#include <memory>
#include <vector>

class QIODevice;
class TCustomIniFile;
class TStringList;
class TStrings;
namespace QvRecord {
class TRecord;
}

namespace QvLegends {
Q_NAMESPACE

enum class TQvItemsOrder {
    ByColumn,
    ByRow
};
Q_ENUM_NS(TQvItemsOrder)

enum class TQvLegendPosition {
    BottomCenterOfGraph,
    BottomCenterOfAxis,
    LeftCenterOfGraph,
    LeftCenterOfAxis,
    LeftTopOfAxis,
    TopCenterOfGraph,
    TopCenterOfAxis,
    RightCenterOfGraph,
    RightCenterOfAxis,
    RightTopOfAxis,
    FreeFloating
};
Q_ENUM_NS(TQvLegendPosition)

enum class TQvLegendCaptionColorFrom {
    LegendForeColor,
    SeriesLineColor,
    SeriesAreaForeColor
};
Q_ENUM_NS(TQvLegendCaptionColorFrom)

} // namespace QvLegends

using QvLegends::TQvItemsOrder;
using QvLegends::TQvLegendCaptionColorFrom;
using QvLegends::TQvLegendPosition;

// Replaces the drawing of an item's sample.
using TQvLegendItemDrawHandler =
    std::function<void(TObject* Sender, const TQvLegendItemDrawArgs& Args)>;
// May replace the caption of an item.
using TQvLegendItemCaptionEventHandler =
    std::function<void(TObject* Sender, int Index, TQvRichCaption& Caption)>;

class TQvCustomLegend : public TGraphicControl, public TQvGraphDrawn {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(bool CaptionVisible READ GetCaptionVisible WRITE SetCaptionVisible)
    Q_PROPERTY(
        Framework::TAlignment CaptionAlignment READ GetCaptionAlignment WRITE SetCaptionAlignment)
    Q_PROPERTY(TQvColor CaptionColor READ GetCaptionColor WRITE SetCaptionColor)
    Q_PROPERTY(TQvFont* CaptionFont READ GetCaptionFont WRITE SetCaptionFont)
    Q_PROPERTY(
        float CaptionDistanceBefore READ GetCaptionDistanceBefore WRITE SetCaptionDistanceBefore)
    Q_PROPERTY(
        float CaptionDistanceAfter READ GetCaptionDistanceAfter WRITE SetCaptionDistanceAfter)
    Q_PROPERTY(TQvFont* ItemFont READ GetItemFont WRITE SetItemFont)
    Q_PROPERTY(TQvColor ForeColor READ GetForeColor WRITE SetForeColor)
    Q_PROPERTY(TQvColor BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(TQvGradientSettings* BackgroundGradient READ GetBackgroundGradient WRITE
                   SetBackgroundGradient)
    Q_PROPERTY(TQvLineSettings* Frame READ GetFrame WRITE SetFrame)
    Q_PROPERTY(bool DropShadow READ GetDropShadow WRITE SetDropShadow)
    Q_PROPERTY(bool BorderRaised READ GetBorderRaised WRITE SetBorderRaised)
    Q_PROPERTY(bool BorderLowered READ GetBorderLowered WRITE SetBorderLowered)
    Q_PROPERTY(float CornerRounding READ GetCornerRounding WRITE SetCornerRounding)
    Q_PROPERTY(int Columns READ GetColumns WRITE SetColumns)
    Q_PROPERTY(int Rows READ GetRows WRITE SetRows)
    Q_PROPERTY(QvLegends::TQvItemsOrder ItemsOrder READ GetItemsOrder WRITE SetItemsOrder)
    Q_PROPERTY(float ItemHeight READ GetItemHeight WRITE SetItemHeight)
    Q_PROPERTY(float ItemWidth READ GetItemWidth WRITE SetItemWidth)
    Q_PROPERTY(
        float DistanceItemCaption READ GetDistanceItemCaption WRITE SetDistanceItemCaption)
    Q_PROPERTY(
        float DistanceBetweenLines READ GetDistanceBetweenLines WRITE SetDistanceBetweenLines)
    Q_PROPERTY(float DistanceBetweenColumns READ GetDistanceBetweenColumns WRITE
                   SetDistanceBetweenColumns)
    Q_PROPERTY(float DistanceToBorder READ GetDistanceToBorder WRITE SetDistanceToBorder)
    Q_PROPERTY(bool AutoSize READ GetAutoSize WRITE SetAutoSize)
public:
    explicit TQvCustomLegend(TComponent* AOwner);
    ~TQvCustomLegend() override;

    const TQvRichCaption& GetCaption() const { return FHeading->GetCaption(); }
    void SetCaption(const TQvRichCaption& Value);
    bool GetCaptionVisible() const { return FCaptionVisible; }
    void SetCaptionVisible(bool Value) { Set(FCaptionVisible, Value); }
    TAlignment GetCaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TAlignment Value) { Set(FCaptionAlignment, Value); }
    TQvColor GetCaptionColor() const { return FCaptionFont->GetFillColor(); }
    void SetCaptionColor(TQvColor Value) { FCaptionFont->SetFillColor(Value); }
    TQvFont* GetCaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(TQvFont* Value) { FCaptionFont->Assign(Value); }
    float GetCaptionDistanceBefore() const { return FCaptionDistanceBefore; }
    void SetCaptionDistanceBefore(float Value) { Set(FCaptionDistanceBefore, Value); }
    float GetCaptionDistanceAfter() const { return FCaptionDistanceAfter; }
    void SetCaptionDistanceAfter(float Value) { Set(FCaptionDistanceAfter, Value); }
    // The font of the item captions.
    TQvFont* GetItemFont() const { return FItemFont.get(); }
    void SetItemFont(TQvFont* Value) { FItemFont->Assign(Value); }
    TQvColor GetForeColor() const { return FItemFont->GetFillColor(); }
    void SetForeColor(TQvColor Value) { FItemFont->SetFillColor(Value); }
    TQvColor GetBackColor() const { return FBackColor; }
    void SetBackColor(TQvColor Value) { Set(FBackColor, Value); }
    TQvGradientSettings* GetBackgroundGradient() const { return FBackgroundGradient.get(); }
    void SetBackgroundGradient(TQvGradientSettings* Value) { FBackgroundGradient->Assign(Value); }
    TQvLineSettings* GetFrame() const { return FFrame.get(); }
    void SetFrame(TQvLineSettings* Value) { FFrame->Assign(Value); }
    bool GetDropShadow() const { return FDropShadow; }
    void SetDropShadow(bool Value) { Set(FDropShadow, Value); }
    bool GetBorderRaised() const { return FBorderRaised; }
    void SetBorderRaised(bool Value) { Set(FBorderRaised, Value); }
    bool GetBorderLowered() const { return FBorderLowered; }
    void SetBorderLowered(bool Value) { Set(FBorderLowered, Value); }
    float GetCornerRounding() const { return FCornerRounding; }
    void SetCornerRounding(float Value) { Set(FCornerRounding, Value); }
    int GetColumns() const { return FColumns; }
    // At least 1.
    void SetColumns(int Value) { Set(FColumns, std::max(Value, 1)); }
    int GetRows() const { return FRows; }
    void SetRows(int Value) { Set(FRows, std::max(Value, 1)); }
    TQvItemsOrder GetItemsOrder() const { return FItemsOrder; }
    void SetItemsOrder(TQvItemsOrder Value) { Set(FItemsOrder, Value); }
    float GetItemHeight() const { return FItemHeight; }
    void SetItemHeight(float Value) { Set(FItemHeight, Value); }
    float GetItemWidth() const { return FItemWidth; }
    void SetItemWidth(float Value) { Set(FItemWidth, Value); }
    float GetDistanceItemCaption() const { return FDistanceItemCaption; }
    void SetDistanceItemCaption(float Value) { Set(FDistanceItemCaption, Value); }
    float GetDistanceBetweenLines() const { return FDistanceBetweenLines; }
    void SetDistanceBetweenLines(float Value) { Set(FDistanceBetweenLines, Value); }
    float GetDistanceBetweenColumns() const { return FDistanceBetweenColumns; }
    void SetDistanceBetweenColumns(float Value) { Set(FDistanceBetweenColumns, Value); }
    float GetDistanceToBorder() const { return FDistanceToBorder; }
    void SetDistanceToBorder(float Value) { Set(FDistanceToBorder, Value); }
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { Set(FAutoSize, Value); }

    const TQvLegendItemDrawHandler& GetOnDrawLegendItem() const { return FOnDrawLegendItem; }
    void SetOnDrawLegendItem(const TQvLegendItemDrawHandler& Value);
    const TQvLegendItemCaptionEventHandler& GetOnGetLegendItemCaption() const {
        return FOnGetLegendItemCaption;
    }
    void SetOnGetLegendItemCaption(const TQvLegendItemCaptionEventHandler& Value);

    // ---- Items ----
    int ItemCount() const;
    // Where item Index lies in the legend's coordinates: its sample and its caption.
    QRect ItemRect(int Index) const;
    // The item at (X, Y) in the legend's coordinates, else -1.
    int ItemAt(int X, int Y) const;
    // The caption of item Index, parsed and measured.
    const TQvRichCaptionObject* ItemCaption(int Index) const;
    // Lists and measures the items again, and sizes the control to them when AutoSize is on.
    void UpdateItems();

    void PaintGr(TGPGraphics* Graphics) override;
    void Paint(QPainter& Canvas) override;

    // The record of the legend as a binary stream, an XML node and an INI section; a read that
    // fails leaves the legend as it was.
    void WriteTo(QIODevice* Stream) const;
    // Reads the binary record.
    void ReadFrom(QIODevice* Stream);
    // Adds the legend's element below Node.
    void WriteTo(IXMLNode Node) const;
    // Reads the legend's element at or below Node.
    void ReadFrom(const IXMLNode& Node);
    // Writes the legend to Section of the INI file.
    void WriteTo(TCustomIniFile* Ini, const QString& Section) const;
    // Reads the legend from Section of the INI file.
    void ReadFrom(TCustomIniFile* Ini, const QString& Section);
    // Every field of the record once, in the order of the records.
    virtual void RecordFields(QvRecord::TRecord& R) = 0;

protected:
    // What a legend lists: the items are collected first, then counted, each with its caption
    // and sample.
    virtual void CollectItems() {}
    virtual int CountItems() const = 0;
    virtual TQvRichCaption ItemText(int Index) const = 0;
    // The caption's colour, 0 for the font's.
    virtual TQvColor ItemTextColor(int Index) const;
    virtual void DrawSample(const TQvLegendItemDrawArgs& Args) const = 0;
    // The least height the samples need.
    virtual float SampleHeight() const { return 0; }
    // Something that changes the size or the items changed.
    virtual void Changed();
    // Setter pattern of the plain properties.
    template <class T> void Set(T& Field, const T& Value) {
        if (Field == Value) return;
        Field = Value;
        Changed();
    }

private:
    struct TItemPlace {
        float Left = 0, Top = 0, Width = 0, Height = 0;
    };
    float HeadingHeight() const;
    void PlaceItems();
    void PlaceByColumn(float Left, float Top, std::vector<float>& Extent);
    void PlaceByRow(float Left, float Top, std::vector<float>& Extent);

    std::unique_ptr<TQvFont> FCaptionFont;
    std::unique_ptr<TQvFont> FItemFont;
    std::unique_ptr<TQvRichCaptionObject> FHeading;
    std::unique_ptr<TQvGradientSettings> FBackgroundGradient;
    std::unique_ptr<TQvLineSettings> FFrame;
    bool FCaptionVisible = false;
    TAlignment FCaptionAlignment = TAlignment::taCenter;
    float FCaptionDistanceBefore = 0;
    float FCaptionDistanceAfter = 0;
    TQvColor FBackColor;
    bool FDropShadow = false;
    bool FBorderRaised = false;
    bool FBorderLowered = false;
    float FCornerRounding = 0;
    int FColumns = 1;
    int FRows = 1;
    TQvItemsOrder FItemsOrder = TQvItemsOrder::ByColumn;
    float FItemHeight = 0;
    float FItemWidth = 80;
    float FDistanceItemCaption = 4;
    float FDistanceBetweenLines = 3;
    float FDistanceBetweenColumns = 10;
    float FDistanceToBorder = 8;
    bool FAutoSize = true;
    TQvLegendItemDrawHandler FOnDrawLegendItem;
    TQvLegendItemCaptionEventHandler FOnGetLegendItemCaption;
    TQvRichCaptionObjects FCaptions;
    std::vector<TItemPlace> FPlaces;
    // The height of every item row: the tallest of captions, samples and ItemHeight.
    float FEffectiveItemHeight = 0;
    bool FItemsValid = false;
};

// The legend of the series of one graph.
class TQvLegend : public TQvCustomLegend, public TQvDocked {
    Q_OBJECT
    Q_MOC_INCLUDE("framework/qvstringlist.h")
    Q_PROPERTY(TQvGraph2D* Graph READ GetGraph WRITE SetGraph)
    Q_PROPERTY(TStrings* ItemsOrderList READ GetItemsOrderList WRITE SetItemsOrderList)
    Q_PROPERTY(QvLegends::TQvLegendPosition Position READ GetPosition WRITE SetPosition)
    Q_PROPERTY(Framework::TShiftState StartFreeFloatingMovingKeys READ
                   GetStartFreeFloatingMovingKeys WRITE SetStartFreeFloatingMovingKeys)
public:
    Q_INVOKABLE explicit TQvLegend(TComponent* AOwner);
    ~TQvLegend() override;

    TQvGraph2D* GetGraph() const { return FGraph; }
    void SetGraph(TQvGraph2D* Value);
    // References of series that come first, in this order.
    TStrings* GetItemsOrderList() const;
    void SetItemsOrderList(TStrings* Value);
    TQvLegendPosition GetPosition() const { return FPosition; }
    // Docked positions lay rows along the top and bottom and columns along the sides.
    void SetPosition(TQvLegendPosition Value);
    TShiftState GetStartFreeFloatingMovingKeys() const { return FMovingKeys; }
    void SetStartFreeFloatingMovingKeys(TShiftState Value) { FMovingKeys = Value; }
    TQvLegendCaptionColorFrom GetLegendCaptionColorFrom() const { return FCaptionColorFrom; }
    void SetLegendCaptionColorFrom(TQvLegendCaptionColorFrom Value) { Set(FCaptionColorFrom, Value); }
    const TNotifyEvent& GetOnStartFreeFloating() const { return FOnStartFreeFloating; }
    void SetOnStartFreeFloating(const TNotifyEvent& Value) { FOnStartFreeFloating = Value; }
    TQvUndoStack* GetUndoStack() const { return FUndoStack; }
    void SetUndoStack(TQvUndoStack* Value);

    // The series of item Index.
    TQvSeries* ItemSeries(int Index) const;
    bool GetDragging() const { return FDragging; }


    std::optional<TDock> Dock() const override;
    void FitContent() override { UpdateItems(); }

    // Forgets the graph or undo stack that goes, and lists the items anew.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The graph lists its series anew: so does the legend.
    void Repaint() override;

protected:
    void RecordFields(QvRecord::TRecord& R) override;
    void CollectItems() override;
    int CountItems() const override;
    TQvRichCaption ItemText(int Index) const override;
    TQvColor ItemTextColor(int Index) const override;
    void DrawSample(const TQvLegendItemDrawArgs& Args) const override;
    float SampleHeight() const override;
    void Changed() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // The items in order: each the series it names, followed by the series merged into it.
    std::vector<std::vector<TQvSeries*>> ListSeries() const;
    void OrderListChanged(TObject* Sender);

    TQvGraph2D* FGraph = nullptr;
    std::unique_ptr<TStringList> FItemsOrderList;
    TQvLegendPosition FPosition = TQvLegendPosition::FreeFloating;
    TShiftState FMovingKeys = TShiftStateItem::Left;
    TQvLegendCaptionColorFrom FCaptionColorFrom = TQvLegendCaptionColorFrom::LegendForeColor;
    TNotifyEvent FOnStartFreeFloating;
    TQvUndoStack* FUndoStack = nullptr;
    std::vector<std::vector<TQvSeries*>> FItems;
    bool FDragging = false;
    QPoint FDragOrigin;
};
