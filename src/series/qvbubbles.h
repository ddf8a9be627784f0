#pragma once

// Bubbles: a circle or ellipse round each (x, y) point, its radius from a further vector. Round
// bubbles measure the radius on the Y axis and stay circles on the screen, whatever the two
// axes' scales; elliptical ones take the radius in the units of each axis.

#include "series/qvrecordedseries.h"
#include "series/qvseries.h"

class TQvBubbles : public TQvRecordedSeries<TQvSeries> {
    Q_OBJECT
    Q_MOC_INCLUDE("axes/qvaxis.h")
    Q_PROPERTY(bool Elliptical READ GetElliptical WRITE SetElliptical)
    Q_PROPERTY(TQvCustomDoubleVector* RadiusData READ GetRadius WRITE SetRadius)
    Q_PROPERTY(bool AutoUpdate READ GetAutoUpdate WRITE SetAutoUpdate)
    Q_PROPERTY(bool OutliersVisible READ GetOutliersVisible WRITE SetOutliersVisible)
    Q_PROPERTY(TQvAxis* XAxis READ GetXAxis WRITE SetXAxis)
    Q_PROPERTY(TQvAxis* YAxis READ GetYAxis WRITE SetYAxis)
    Q_PROPERTY(TQvCustomDoubleVector* XData READ GetXData WRITE SetXData)
    Q_PROPERTY(TQvCustomDoubleVector* YData READ GetYData WRITE SetYData)
    Q_PROPERTY(TQvLineSettings* Line READ GetLine WRITE SetLine)
    Q_PROPERTY(TQvAreaSettings* Area READ GetArea WRITE SetArea)
public:
    Q_INVOKABLE explicit TQvBubbles(TComponent* AOwner);

    bool GetElliptical() const { return FElliptical; }
    void SetElliptical(bool Value);
    TQvCustomDoubleVector* GetRadius() const { return FRadius; }
    void SetRadius(TQvCustomDoubleVector* Value);
    const TQvValueTransformation& GetRadiusTransformation() const { return FRadiusTransformation; }
    void SetRadiusTransformation(const TQvValueTransformation& Value);

    // The radius of bubble i, always positive.
    double GetR(int i) const;
    // X axis units per Y axis unit of a round bubble's radius; 1 for elliptical ones.
    double Ratio() const;
    // The pixel rectangle of each bubble: its centre is the screen point of the same place.
    const std::vector<TGPPointF>& Sizes() const { return FSize; }
    // The pixel rectangle of bubble k.
    TGPRectF BubbleRect(size_t k) const;

    // The smallest count of the three vectors, 0 when one is missing.
    int GetCount() const override;
    bool HasValuesAt(int i) const override;
    void CalculatePoints() override;
    void PaintGr(TGPGraphics* Graphics) override;
    void DrawListItem(const TQvLegendItemDrawArgs& Args, LegendItemStyle Style) override;
    using TQvSeries::DrawListItem;
    // The first bubble whose bounding rectangle holds (X, Y), else -1.
    int FindPoint(float X, float Y) const override;
    using TQvSeries::FindPoint;

protected:
    void VisitRecord(QvRecord::TRecord& R) override;
    void DataRange(bool X, double& Lo, double& Hi) const override;

private:
    TQvCustomDoubleVector* FRadius = nullptr;
    std::vector<TGPPointF> FSize;
    bool FElliptical = false;
    TQvValueTransformation FRadiusTransformation;
};
