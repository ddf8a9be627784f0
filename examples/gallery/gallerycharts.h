#pragma once

// Building blocks shared by the chart pages: a white page, a graph in the default theme, an
// axis with a fixed range, and the theme's series colours.

#include "gallerypage.h"

#include <annotations/qvlegend.h>
#include <axes/qvaxis.h>
#include <framework/qvcontrols.h>
#include <graph/qvgraph2d.h>
#include <series/qvseries.h>

#include <vector>

class TDataSource;
class TQvDoubleVector;

class TWhitePanel : public TCustomPanel {
public:
    explicit TWhitePanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
    void Paint(QPainter& Canvas) override;
};

TQvGraph2D* NewGraph(TComponent* Owner, TWinControl* Parent, const QString& Name,
                     const QString& Title, int Left, int Top, int Width, int Height);

// Start == Stop leaves both ends automatic.
TQvAxis* NewAxis(TComponent* Owner, TQvGraph2D* Graph, TQvAxisPosition Position,
                 TQvAxisScaling Scaling, double Start, double Stop, const QString& Caption);

// Builds Page with Owner and names every component it left unnamed after its class, so that
// documents hold the whole chart ("LineSeries1", "DoubleVector3", ...).
TWinControl* BuildPage(const TGalleryPage& Page, TComponent* Owner);

// The named graphs a page built, in the order they were made.
QList<TQvGraph2D*> PageGraphs(const TComponent* Owner);

// A data source over the table Table of an SQLite database in memory, which the statements
// Fill create and fill; Connection names the database (made once, reused by later pages).
TDataSource* SqliteSource(TComponent* Owner, const QString& Connection, const QString& Table,
                          const QStringList& Fill);

// A data vector of the page holding Values.
TQvDoubleVector* Vector(TComponent* Owner, const std::vector<double>& Values);

// Colour Index of the default theme's cycle, with the opacity Alpha.
TQvColor ThemeColor(int Index, uint8_t Alpha = 255);

// A framed legend of the graph's series at Position, samples ItemWidth pixels wide.
TQvLegend* NewLegend(TComponent* Owner, TQvGraph2D* Graph, TQvLegendPosition Position,
                     int ItemWidth);

// A series of class T of the data Xs, Ys on the axes, drawn with a line of 2 pixels in the
// theme's colour Color.
template <class T>
T* NewCurve(TComponent* Owner, TQvAxis* X, TQvAxis* Y, TQvCustomDoubleVector* Xs,
            TQvCustomDoubleVector* Ys, int Color, const QString& Caption) {
    auto* Curve = new T(Owner);
    Curve->SetCaption(Caption);
    Curve->SetXData(Xs);
    Curve->SetYData(Ys);
    Curve->SetXAxis(X);
    Curve->SetYAxis(Y);
    Curve->GetLine()->SetColor(ThemeColor(Color));
    Curve->GetLine()->SetWidth(2);
    return Curve;
}
