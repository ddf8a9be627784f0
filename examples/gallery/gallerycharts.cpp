#include "gallerycharts.h"

#include <data/qvvectors.h>
#include <framework/qvdb.h>
#include <framework/qvforms.h>
#include <graph/qvtheme.h>

#include <QPainter>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlTableModel>

void TWhitePanel::Paint(QPainter& Canvas) {
    Canvas.fillRect(GetClientRect(), Qt::white);
}

TQvGraph2D* NewGraph(TComponent* Owner, TWinControl* Parent, const QString& Name,
                     const QString& Title, int Left, int Top, int Width, int Height) {
    auto* Graph = new TQvGraph2D(Owner);
    Graph->SetName(Name);
    Graph->SetParent(Parent);
    Graph->SetBounds(Left, Top, Width, Height);
    Graph->SetCaption(Title);
    Graph->SetCaptionVisible(true);
    Graph->ApplyTheme();
    return Graph;
}

TQvLegend* NewLegend(TComponent* Owner, TQvGraph2D* Graph, TQvLegendPosition Position,
                     int ItemWidth) {
    auto* Legend = new TQvLegend(Owner);
    Legend->SetParent(Graph);
    Legend->SetGraph(Graph);
    Legend->SetItemWidth(ItemWidth);
    Legend->SetDistanceToBorder(5);
    Legend->GetFrame()->SetVisible(true);
    Legend->SetPosition(Position);
    return Legend;
}

TQvAxis* NewAxis(TComponent* Owner, TQvGraph2D* Graph, TQvAxisPosition Position,
                 TQvAxisScaling Scaling, double Start, double Stop, const QString& Caption) {
    auto* Axis = new TQvAxis(Owner);
    Axis->SetPosition(Position);
    Axis->SetScaling(Scaling);
    if (Start != Stop) {
        Axis->SetStartEnd(TQvAxisEnd::Fixed);
        Axis->SetStopEnd(TQvAxisEnd::Fixed);
        Axis->SetStart(Start);
        Axis->SetStop(Stop);
    }
    Axis->SetCaption(Caption);
    TQvTheme::Default().Apply(Axis);
    Axis->SetParent(Graph);
    if (!Graph->GetPrimaryXAxis() && Axis->GetHorizontal()) Graph->SetPrimaryXAxis(Axis);
    if (!Graph->GetPrimaryYAxis() && !Axis->GetHorizontal()) Graph->SetPrimaryYAxis(Axis);
    return Axis;
}

TWinControl* BuildPage(const TGalleryPage& Page, TComponent* Owner) {
    TWinControl* Control = Page.Build(Owner);
    for (int i = 0; i < Owner->ComponentCount(); ++i) {
        TComponent* Component = Owner->Components(i);
        if (!Component->GetName().isEmpty()) continue;
        QString Base = QString::fromLatin1(Component->metaObject()->className());
        Base.remove(0, Base.startsWith(u"TQv") ? 3 : 1);
        Component->SetName(UniqueName(Owner, Base));
    }
    return Control;
}

QList<TQvGraph2D*> PageGraphs(const TComponent* Owner) {
    QList<TQvGraph2D*> Graphs;
    for (int i = 0; i < Owner->ComponentCount(); ++i)
        if (auto* Graph = qobject_cast<TQvGraph2D*>(Owner->Components(i));
            Graph && !Graph->GetName().isEmpty())
            Graphs.append(Graph);
    return Graphs;
}

TQvColor ThemeColor(int Index, uint8_t Alpha) {
    return (TQvTheme::Default().SeriesColor(Index) & 0x00FFFFFFu) | uint32_t(Alpha) << 24;
}

std::vector<TGalleryPage> GalleryPages() {
    std::vector<TGalleryPage> Pages;
    for (auto Add : {AddStylesPages, AddFrameworkPages, AddCaptionsPages, AddAxesPages,
                     AddSeriesPages, AddAnalysisPages, AddZoomPages, AddLegendsPages,
                     AddMarkersPages, AddBarsPages, AddPiePages, AddSmoothingPages, AddFitsPages,
                     AddErrorBarsPages, AddFinancePages, AddControlsPages})
        Add(Pages);
    return Pages;
}

TDataSource* SqliteSource(TComponent* Owner, const QString& Connection, const QString& Table,
                          const QStringList& Fill) {
    QSqlDatabase Db = QSqlDatabase::contains(Connection)
                          ? QSqlDatabase::database(Connection)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
    Db.setDatabaseName(QStringLiteral(":memory:"));
    Db.open();
    QSqlQuery Query(Db);
    Query.exec(QStringLiteral("DROP TABLE IF EXISTS ") + Table);
    for (const QString& Statement : Fill)
        Query.exec(Statement);
    auto* Model = new QSqlTableModel(Owner, Db);
    Model->setTable(Table);
    Model->select();
    auto* Source = new TDataSource(Owner);
    Source->SetModel(Model);
    return Source;
}

TQvDoubleVector* Vector(TComponent* Owner, const std::vector<double>& Values) {
    auto* Result = new TQvDoubleVector(Owner);
    Result->SetValues(Values);
    return Result;
}
