#pragma once

// Price bars: open, high, low and close at each X. OHLC bars draw a high-low bar with the open
// ticked to the left and the close to the right; candlesticks a body from open to close,
// coloured by direction, with wicks up to the high and down to the low. The close values are
// the series' Y data. More bars than pixel columns draw as one bar per column.

#include "data/qvminmax.h"
#include "series/qvrecordedseries.h"
#include "series/qvseries.h"

class TQvCustomOHLC : public TQvRecordedSeries<TQvSeries> {
    Q_OBJECT
    Q_MOC_INCLUDE("axes/qvaxis.h")
    Q_PROPERTY(float BarWidth READ GetBarWidth WRITE SetBarWidth)
    Q_PROPERTY(TQvCustomDoubleVector* OpenData READ GetOpenData WRITE SetOpenData)
    // The Y data under their own name; stored once, as YData.
    Q_PROPERTY(TQvCustomDoubleVector* CloseData READ GetYData WRITE SetCloseData STORED false)
    Q_PROPERTY(TQvCustomDoubleVector* HighData READ GetHighData WRITE SetHighData)
    Q_PROPERTY(TQvCustomDoubleVector* LowData READ GetLowData WRITE SetLowData)
    Q_PROPERTY(bool AutoUpdate READ GetAutoUpdate WRITE SetAutoUpdate)
    Q_PROPERTY(bool OutliersVisible READ GetOutliersVisible WRITE SetOutliersVisible)
    Q_PROPERTY(TQvAxis* XAxis READ GetXAxis WRITE SetXAxis)
    Q_PROPERTY(TQvAxis* YAxis READ GetYAxis WRITE SetYAxis)
    Q_PROPERTY(TQvCustomDoubleVector* XData READ GetXData WRITE SetXData)
    Q_PROPERTY(TQvCustomDoubleVector* YData READ GetYData WRITE SetYData)
    Q_PROPERTY(TQvLineSettings* Line READ GetLine WRITE SetLine)
public:
    explicit TQvCustomOHLC(TComponent* AOwner);

    // In pixels; on a date-time X axis the bars take the width of their time step instead.
    float GetBarWidth() const { return FBarWidth; }
    void SetBarWidth(float Value);
    TQvCustomDoubleVector* GetOpenData() const { return FOpenData; }
    void SetOpenData(TQvCustomDoubleVector* Value);
    TQvCustomDoubleVector* GetHighData() const { return FHighData; }
    void SetHighData(TQvCustomDoubleVector* Value);
    TQvCustomDoubleVector* GetLowData() const { return FLowData; }
    void SetLowData(TQvCustomDoubleVector* Value);
    // YData, set as one undo step under the close data's caption.
    void SetCloseData(TQvCustomDoubleVector* Value);

    const TQvValueTransformation& GetLowValueTransformation() const { return FLowTransformation; }
    void SetLowValueTransformation(const TQvValueTransformation& Value);
    const TQvValueTransformation& GetOpenValueTransformation() const { return FOpenTransformation; }
    void SetOpenValueTransformation(const TQvValueTransformation& Value);
    const TQvValueTransformation& GetHighValueTransformation() const { return FHighTransformation; }
    void SetHighValueTransformation(const TQvValueTransformation& Value);
    const TQvValueTransformation& GetCloseValueTransformation() const {
        return GetYValueTransformation();
    }
    void SetCloseValueTransformation(const TQvValueTransformation& Value) {
        SetYValueTransformation(Value);
    }

    // The values of bar i through their transformations.
    double GetLow(int i) const;
    double GetOpen(int i) const;
    double GetHigh(int i) const;
    double GetClose(int i) const { return ValueY(i); }

    // ---- Bars on the screen (after CalculatePoints), one per screen point ----
    // A bar as placed on the screen: its column and prices in pixels.
    struct TBar {
        float X, Open, High, Low, Close; // pixels
        // The close lies above the open in value (1), below it (-1) or equals it (0).
        int Direction;
    };
    // The bars as CalculatePoints placed them.
    const std::vector<TBar>& Bars() const { return FBars; }
    // The width the bars are drawn with and the length of their ticks, in pixels.
    float DrawnBarWidth() const { return FDrawnWidth; }
    // The length of the open and close ticks as drawn.
    float DrawnTickLength() const { return FDrawnTick; }
    // Each screen bar stands for all the bars of its pixel column.
    bool OnColumns() const { return FScreen.OnColumns(); }

    int GetCount() const override;
    bool HasValuesAt(int i) const override;
    void Calculate() override;
    void CalculatePoints() override;
    void PaintGr(TGPGraphics* Graphics) override;
    void DrawSymbols(TGPGraphics*) override {}
    float ExtraSpaceAt(TQvAxisPosition Position) const override;
    // The data index of the first bar whose rectangle holds (X, Y), else -1.
    int FindPoint(float X, float Y) const override;
    int FindPoint(float X, float Y, float Tolerance) const override;

    void SetLastCount(int N) override;
    void ValueChanged(const TQvCustomDoubleVector* Vector, int Index) override;
    // The values changed throughout: the extremes of lows and highs are found anew too.
    void RangesModified() override;

protected:
    void VisitRecord(QvRecord::TRecord& R) override;
    // The fields of a kind of price bars, at the end of the record.
    virtual void VisitKindRecord(QvRecord::TRecord&) {}
    // The ticks beside a bar of the set width.
    virtual float TickLength() const { return 0; }
    // How the width of a time step splits into the bar and a tick on either side.
    virtual void SplitStep(float Step, float& Bar, float& Tick) const {
        Bar = Step;
        Tick = 0;
    }
    // Draws bar k of the screen, Bar on whole pixels, W pixels wide with ticks of Tick.
    virtual void PaintBar(TGPGraphics* Graphics, size_t k, const TBar& Bar, float W,
                          float Tick) = 0;
    // The brush and pen an event handler may change for bar k; false when it hides the part.
    bool BarBrush(size_t k, TGPBrush*& Brush);
    bool BarPen(size_t k, TQvPen*& Pen);

    float FBarWidth = 4;

private:
    // The extent of the lows and highs, or of X, over the bars with values.
    void PriceRange(double& Lo, double& Hi) const;
    bool CanUseColumns(int Start, int Stop) const;
    void AddBar(int i);
    void AddColumn(int c, int First, int Last);
    float StepWidth(int Start, int Stop) const;

    TQvCustomDoubleVector* FLowData = nullptr;
    TQvCustomDoubleVector* FOpenData = nullptr;
    TQvCustomDoubleVector* FHighData = nullptr;
    TQvValueTransformation FLowTransformation, FOpenTransformation, FHighTransformation;
    std::vector<TBar> FBars;
    float FDrawnWidth = 4;
    float FDrawnTick = 0;
    // The extremes of the lows and the highs over any range of bars, for bars by columns.
    TQvMinMaxHierarchy FLowHierarchy, FHighHierarchy;
};

// Price bars drawn as a high-low bar with the open ticked left and the close ticked right.
class TQvOHLC : public TQvCustomOHLC {
    Q_OBJECT
    Q_PROPERTY(float IndicatorLength READ GetIndicatorLength WRITE SetIndicatorLength)
    Q_PROPERTY(TQvAreaSettings* Area READ GetArea WRITE SetArea)
public:
    Q_INVOKABLE explicit TQvOHLC(TComponent* AOwner);

    // The open and close ticks, in pixels.
    float GetIndicatorLength() const { return FIndicatorLength; }
    void SetIndicatorLength(float Value);
    void DrawListItem(const TQvLegendItemDrawArgs& Args) override;
    // Bar and outline in the theme's colour.
    void TakeThemeColor(TQvColor Color, TQvColor Light) override;

protected:
    void VisitKindRecord(QvRecord::TRecord& R) override;
    float TickLength() const override { return FIndicatorLength; }
    void SplitStep(float Step, float& Bar, float& Tick) const override;
    void PaintBar(TGPGraphics* Graphics, size_t k, const TBar& Bar, float W, float Tick) override;

private:
    float FIndicatorLength = 5;
};

// Price bars drawn as candlesticks: a body from open to close, coloured by direction, and wicks.
class TQvCandleSticks : public TQvCustomOHLC {
    Q_OBJECT
    Q_PROPERTY(TQvColor BullColor READ GetBullColor WRITE SetBullColor)
    Q_PROPERTY(TQvColor BearColor READ GetBearColor WRITE SetBearColor)
    Q_PROPERTY(
        bool ShadowsSameColorAsFill READ GetShadowsSameColorAsFill WRITE SetShadowsSameColorAsFill)
public:
    Q_INVOKABLE explicit TQvCandleSticks(TComponent* AOwner);

    TQvColor GetBullColor() const { return FBullColor; }
    void SetBullColor(TQvColor Value);
    TQvColor GetBearColor() const { return FBearColor; }
    void SetBearColor(TQvColor Value);
    // Wicks and outline take the body's colour instead of the line's.
    bool GetShadowsSameColorAsFill() const { return FShadowsSameColorAsFill; }
    void SetShadowsSameColorAsFill(bool Value);
    // The body colour of a bar rising (1), falling (-1) or flat (0).
    TQvColor BodyColor(int Direction) const;
    // Bodies are filled whatever the line and area settings say.
    bool SeriesVisible() const override { return FVisible; }
    // Direction colours and black wicks stay whatever the theme.
    void TakeThemeColor(TQvColor, TQvColor) override {}
    void DrawListItem(const TQvLegendItemDrawArgs& Args) override;

protected:
    void VisitKindRecord(QvRecord::TRecord& R) override;
    void PaintBar(TGPGraphics* Graphics, size_t k, const TBar& Bar, float W, float Tick) override;

private:
    // One candle on whole pixels, its body from Top to Bottom, wicks from High to Low; without
    // a pen, the body alone.
    void DrawCandle(TGPGraphics* Graphics, float X, float W, float High, float Top, float Bottom,
                    float Low, TQvColor Fill, TQvPen* Pen);

    TQvColor FBullColor;
    TQvColor FBearColor;
    bool FShadowsSameColorAsFill = false;
};
