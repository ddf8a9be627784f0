#pragma once

// A series that is a part of another: the owner gives it its data and keeps it in its own
// record, the user chooses how it looks, whether it shows and on which Y axis.

#include "series/qvseries.h"

class TQvChildSeries : public TQvSeries {
    Q_OBJECT
    Q_MOC_INCLUDE("axes/qvaxis.h")
    Q_PROPERTY(TQvAxis* YAxis READ GetYAxis WRITE SetYAxis)
    Q_PROPERTY(TQvLineSettings* Line READ GetLine WRITE SetLine)
    Q_PROPERTY(TQvPointSymbolSettings* PointSymbol READ GetPointSymbol WRITE SetPointSymbol)
public:
    explicit TQvChildSeries(TComponent* AOwner);

    bool DataFromOwner() const override { return true; }
};
