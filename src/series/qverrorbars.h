#pragma once

// Points with error bars: four optional vectors give each point's bar to the right, left, top
// and bottom; the bars end in caps as wide as the symbol and widen the ranges the axes show.

#include "series/qvrecordedseries.h"
#include "series/qvseries.h"

#include <array>

class TQvPointWithErrorSeries : public TQvRecordedSeries<TQvPointSeries> {
    Q_OBJECT
    Q_PROPERTY(TQvLineSettings* ErrorIndicator READ GetErrorIndicator WRITE SetErrorIndicator)
    Q_PROPERTY(TQvCustomDoubleVector* DeltaXPlus READ GetDeltaXPlus WRITE SetDeltaXPlus)
    Q_PROPERTY(TQvCustomDoubleVector* DeltaXMinus READ GetDeltaXMinus WRITE SetDeltaXMinus)
    Q_PROPERTY(TQvCustomDoubleVector* DeltaYPlus READ GetDeltaYPlus WRITE SetDeltaYPlus)
    Q_PROPERTY(TQvCustomDoubleVector* DeltaYMinus READ GetDeltaYMinus WRITE SetDeltaYMinus)
public:
    // The four bars of a point, in the order of their vectors.
    enum TBar {
        XPlus,
        XMinus,
        YPlus,
        YMinus
    };
    static constexpr std::array<TBar, 4> AllBars{XPlus, XMinus, YPlus, YMinus};
    // X bars run along the X axis.
    static constexpr bool Horizontal(TBar Bar) { return Bar == XPlus || Bar == XMinus; }

    Q_INVOKABLE explicit TQvPointWithErrorSeries(TComponent* AOwner);

    TQvLineSettings* GetErrorIndicator() const { return FErrorIndicator.get(); }
    void SetErrorIndicator(TQvLineSettings* Value) { FErrorIndicator->Assign(Value); }

    TQvCustomDoubleVector* GetDeltaXPlus() const { return FDelta[XPlus]; }
    void SetDeltaXPlus(TQvCustomDoubleVector* Value);
    TQvCustomDoubleVector* GetDeltaXMinus() const { return FDelta[XMinus]; }
    void SetDeltaXMinus(TQvCustomDoubleVector* Value);
    TQvCustomDoubleVector* GetDeltaYPlus() const { return FDelta[YPlus]; }
    void SetDeltaYPlus(TQvCustomDoubleVector* Value);
    TQvCustomDoubleVector* GetDeltaYMinus() const { return FDelta[YMinus]; }
    void SetDeltaYMinus(TQvCustomDoubleVector* Value);

    const TQvValueTransformation& GetDxPlusTransformation() const { return FTransform[XPlus]; }
    void SetDxPlusTransformation(const TQvValueTransformation& Value);
    const TQvValueTransformation& GetDxMinusTransformation() const { return FTransform[XMinus]; }
    void SetDxMinusTransformation(const TQvValueTransformation& Value);
    const TQvValueTransformation& GetDyPlusTransformation() const { return FTransform[YPlus]; }
    void SetDyPlusTransformation(const TQvValueTransformation& Value);
    const TQvValueTransformation& GetDyMinusTransformation() const { return FTransform[YMinus]; }
    void SetDyMinusTransformation(const TQvValueTransformation& Value);

    // The style of each point's bars; the handler may change pen and visibility.
    const TQvPenEventHandler& GetOnGetIndicatorsPen() const { return FOnGetIndicatorsPen; }
    void SetOnGetIndicatorsPen(const TQvPenEventHandler& Value);

    // The length of bar Bar at data index i, always positive; 0 where its vector is too short.
    double GetDelta(TBar Bar, int i) const;
    double GetDxPlus(int i) const { return GetDelta(XPlus, i); }
    double GetDxMinus(int i) const { return GetDelta(XMinus, i); }
    double GetDyPlus(int i) const { return GetDelta(YPlus, i); }
    double GetDyMinus(int i) const { return GetDelta(YMinus, i); }

    // The pixel where bar Bar of screen point k ends; NaN where the point has no such bar.
    // The X bars end on the X axis, the Y bars on the Y axis.
    const std::vector<float>& BarEnds(TBar Bar) const { return FEnds[Bar]; }
    // The pixel where a bar of Length from Value ends; NaN for ends that are not finite.
    float EndPixel(TBar Bar, double Value, double Length) const;

    bool HasValuesAt(int i) const override;
    // Bars alone also show the series.
    bool SeriesVisible() const override;
    void CalculatePoints() override;
    void PaintGr(TGPGraphics* Graphics) override;
    void DrawLine(TGPGraphics* Graphics) override;
    void DrawListItem(const TQvLegendItemDrawArgs& Args, LegendItemStyle Style) override;
    using TQvSeries::DrawListItem;
    float LegendSampleHeight() const override;
    void SetUndoStack(TQvUndoStack* Value) override;

protected:
    void VisitRecord(QvRecord::TRecord& R) override;
    void DataRange(bool X, double& Lo, double& Hi) const override;
    QvPointStages::TAlike DrawsAlike() const override;

private:
    void SetDelta(TBar Bar, TQvCustomDoubleVector* Value);
    void SetTransform(TBar Bar, const TQvValueTransformation& Value);
    void IndicatorChanged();
    // Bars are drawn and widen the ranges: visible, with at least one vector.
    bool BarsShown() const;
    // The bars of every screen point, caps (Size - 1) / 2 to either side of each end.
    void DrawIndicators(TGPGraphics* Graphics);
    // Many thin plain bars on a raster: filled as whole-pixel runs.
    bool CanDrawRuns(TGPGraphics* Graphics) const;
    void DrawRuns(TGPGraphics* Graphics);
    // The runs of the bars, pixel k covering Offset + k to Offset + k + 1.
    std::vector<TGPRectF> MakeRuns(float Offset) const;

    std::unique_ptr<TQvLineSettings> FErrorIndicator;
    bool FLastIndicatorsVisible = true;
    std::unique_ptr<TQvPen> FErrorIndicatorsPen;
    std::array<TQvCustomDoubleVector*, 4> FDelta{};
    std::array<std::vector<float>, 4> FEnds;
    std::array<TQvValueTransformation, 4> FTransform;
    // The runs last filled, as made for one generation of the screen points, one data area and
    // one pixel grid.
    struct TRuns {
        std::vector<TGPRectF> Rects;
        std::uint64_t Generation = 0;
        TGPRectF Area{0, 0, 0, 0};
        float Offset = 0;
    } FRuns;
    TQvPenEventHandler FOnGetIndicatorsPen;
};
