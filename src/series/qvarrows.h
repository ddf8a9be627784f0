#pragma once

// Arrows: from each (x, y) point an arrow by the displacement (dx, dy) of two further vectors,
// drawn with the arrow settings' pen, whose end cap is the head.

#include "series/qvrecordedseries.h"
#include "series/qvseries.h"

class TQvArrows : public TQvRecordedSeries<TQvSeries> {
    Q_OBJECT
    Q_MOC_INCLUDE("axes/qvaxis.h")
    Q_PROPERTY(bool AutoUpdate READ GetAutoUpdate WRITE SetAutoUpdate)
    Q_PROPERTY(bool OutliersVisible READ GetOutliersVisible WRITE SetOutliersVisible)
    Q_PROPERTY(TQvAxis* XAxis READ GetXAxis WRITE SetXAxis)
    Q_PROPERTY(TQvAxis* YAxis READ GetYAxis WRITE SetYAxis)
    Q_PROPERTY(TQvCustomDoubleVector* XData READ GetXData WRITE SetXData)
    Q_PROPERTY(TQvCustomDoubleVector* YData READ GetYData WRITE SetYData)
    Q_PROPERTY(TQvArrowSettings* Arrow READ GetArrow WRITE SetArrow)
    Q_PROPERTY(TQvCustomDoubleVector* DeltaX READ GetDeltaX WRITE SetDeltaX)
    Q_PROPERTY(TQvCustomDoubleVector* DeltaY READ GetDeltaY WRITE SetDeltaY)
public:
    Q_INVOKABLE explicit TQvArrows(TComponent* AOwner);

    // The line settings of the series, with the head's lengths.
    TQvArrowSettings* GetArrow() const;
    void SetArrow(TQvArrowSettings* Value) { FLineSettings->Assign(Value); }
    TQvCustomDoubleVector* GetDeltaX() const { return FdX; }
    void SetDeltaX(TQvCustomDoubleVector* Value);
    TQvCustomDoubleVector* GetDeltaY() const { return FdY; }
    void SetDeltaY(TQvCustomDoubleVector* Value);
    const TQvValueTransformation& GetXDeltaTransformation() const { return FXDeltaTransformation; }
    void SetXDeltaTransformation(const TQvValueTransformation& Value);
    const TQvValueTransformation& GetYDeltaTransformation() const { return FYDeltaTransformation; }
    void SetYDeltaTransformation(const TQvValueTransformation& Value);

    // The displacement of arrow i, through its transformation.
    double GetDx(int i) const;
    double GetDy(int i) const;
    // The pixel of each arrow's tip; its tail is the screen point of the same place.
    const std::vector<TGPPointF>& Tips() const { return FTips; }

    // The smallest count of the four vectors, 0 when one is missing.
    int GetCount() const override;
    bool HasValuesAt(int i) const override;
    bool SeriesVisible() const override;
    void CalculatePoints() override;
    void PaintGr(TGPGraphics* Graphics) override;

protected:
    void VisitRecord(QvRecord::TRecord& R) override;
    void DataRange(bool X, double& Lo, double& Hi) const override;

private:
    // The tip of arrow i in data units.
    double TipX(int i) const { return ValueX(i) + GetDx(i); }
    double TipY(int i) const { return ValueY(i) + GetDy(i); }

    TQvCustomDoubleVector* FdX = nullptr;
    TQvCustomDoubleVector* FdY = nullptr;
    std::vector<TGPPointF> FTips;
    TQvValueTransformation FXDeltaTransformation, FYDeltaTransformation;
};
