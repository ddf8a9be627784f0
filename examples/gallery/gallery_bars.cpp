// Bars: grouped and stacked bars, horizontal bars with labels, cuboids and cylinders in front
// of the back wall, class captions from an SQLite table, and bars a month wide on a date-time
// axis.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <axes/qvdatetime.h>
#include <data/qvvectors.h>
#include <framework/qvdb.h>
#include <framework/qvstringlist.h>
#include <series/qvbars.h>
#include <style/qvfont.h>

#include <initializer_list>

namespace {

using P = TQvAxisPosition;
using S = TQvAxisScaling;

TQvBars* NewBars(TComponent* Owner, TQvGraph2D* Graph, TQvCustomDoubleVector* Boundaries,
                 TQvCustomDoubleVector* Data, int Color, const QString& Caption) {
    auto* Bars = new TQvBars(Owner);
    Bars->SetCaption(Caption);
    Bars->SetXData(Boundaries);
    Bars->SetYData(Data);
    Bars->SetXAxis(Graph->GetPrimaryXAxis());
    Bars->SetYAxis(Graph->GetPrimaryYAxis());
    Bars->GetArea()->SetForeColor(ThemeColor(Color));
    Bars->GetLine()->SetColor(ThemeColor(Color));
    Bars->GetFont()->SetName(QStringLiteral("Arial"));
    Bars->SetLabelColor(0xFF202020);
    return Bars;
}

// Rubric i names the band from i to i + 1, where class i of bars without boundaries stands.
TQvAxis* Quarters(TComponent* Owner, TQvGraph2D* Graph, P Position) {
    TQvAxis* Axis = NewAxis(Owner, Graph, Position, S::Rubrics, 0, 4, "Quarter");
    Axis->GetRubrics()->AddStrings({"Q1", "Q2", "Q3", "Q4"});
    return Axis;
}

void AddGrouped(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph = NewGraph(Owner, Panel, "Grouped",
                                 "Grouped bars: three series share each class", 5, 5, 490, 320);
    Quarters(Owner, Graph, P::Bottom);
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Sales / k€");
    TQvDoubleVector* X = nullptr;
    NewBars(Owner, Graph, X, Vector(Owner, {12, 15, 11, 18}), 0, "North")->SetClassesDistance(30);
    NewBars(Owner, Graph, X, Vector(Owner, {9, 13, 14, 16}), 1, "South");
    NewBars(Owner, Graph, X, Vector(Owner, {5, 7, 9, 12}), 2, "West");
    // Which series is which: a legend right of the data area shows each series' bar.
    NewLegend(Owner, Graph, TQvLegendPosition::RightTopOfAxis, 16);
}

void AddStacked(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Stacked", "Stacked bars: three sources pile up", 505, 5, 490, 320);
    Quarters(Owner, Graph, P::Bottom);
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Energy / GWh");
    for (auto [Data, Color, Caption] : {std::tuple{Vector(Owner, {6, 8, 7, 9}), 0, "Wind"},
                                        std::tuple{Vector(Owner, {3, 4, 6, 2}), 1, "Solar"},
                                        std::tuple{Vector(Owner, {2, 2, 1, 3}), 3, "Hydro"}}) {
        TQvBars* Bars = NewBars(Owner, Graph, nullptr, Data, Color, Caption);
        Bars->SetOverlayStyle(TQvBarsOverlayStyle::Stack);
        Bars->SetClassesDistance(40);
        Bars->SetLabelPosition(TQvBarLabelPosition::Centered);
        Bars->SetLabelSize(22);
        Bars->SetLabelColor(0xFFFFFFFF);
    }
    NewLegend(Owner, Graph, TQvLegendPosition::RightTopOfAxis, 16);
}

void AddHorizontal(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Horizontal", "Horizontal bars with their values", 5, 335, 490, 320);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 0, "Share / %");
    TQvAxis* Languages = NewAxis(Owner, Graph, P::Left, S::Rubrics, 0, 5, "");
    Languages->GetRubrics()->AddStrings({"C++", "Python", "Rust", "Go", "Julia"});
    TQvBars* Bars = NewBars(Owner, Graph, Vector(Owner, {38, 27, 14, 12, 9}), nullptr, 4, "Share");
    Bars->SetBarsHorizontal(true);
    Bars->SetClassesDistance(35);
    Bars->SetLabelPosition(TQvBarLabelPosition::OnTopOfBar);
    Bars->SetLabelFormat(QStringLiteral("0\" %\""));
    Bars->SetLabelSize(40);
}

void AddCuboids(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Cuboids", "Cuboids in front of the back wall", 505, 335, 490, 320);
    Graph->SetDataAreaColor(0xFFF2F4F8);
    Quarters(Owner, Graph, P::Bottom);
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Output / t");
    TQvDoubleVector* X = nullptr;
    for (auto [Data, Color, Caption] : {std::tuple{Vector(Owner, {4, 6, 5, 8}), 0, "Plant A"},
                                        std::tuple{Vector(Owner, {3, 5, 7, 6}), 1, "Plant B"}}) {
        TQvBars* Bars = NewBars(Owner, Graph, X, Data, Color, Caption);
        Bars->SetBarStyle(TQvBarStyle::Cuboid);
        Bars->SetClassesDistance(30);
        Bars->GetLine()->SetVisible(false);
    }
}

void AddCylinders(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Cylinders", "Cylinders with labels on top", 5, 665, 490, 320);
    Graph->SetDataAreaColor(0xFFF2F4F8);
    Quarters(Owner, Graph, P::Bottom);
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Rainfall / mm");
    TQvBars* Bars =
        NewBars(Owner, Graph, nullptr, Vector(Owner, {182, 96, 74, 151}), 0, "Rainfall");
    Bars->SetBarStyle(TQvBarStyle::Cylinder);
    Bars->SetClassesDistance(45);
    Bars->GetLine()->SetVisible(false);
    Bars->SetLabelPosition(TQvBarLabelPosition::OnTopOfBar);
    Bars->SetLabelSize(22);
}

// The class captions come from a table, read through the framework's data binding.
void AddFromTable(TComponent* Owner, TWinControl* Panel) {
    TDataSource* Source =
        SqliteSource(Owner, QStringLiteral("gallerybars"), QStringLiteral("Fruit"),
                     {QStringLiteral("CREATE TABLE Fruit (Id INTEGER PRIMARY KEY, Name TEXT)"),
                      QStringLiteral("INSERT INTO Fruit (Name) VALUES ('Apples'), ('Pears'), "
                                     "('Plums'), ('Cherries'), ('Quinces')")});

    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "FromTable", "Captions from an SQLite table", 505, 665, 490, 320);
    NewAxis(Owner, Graph, P::Bottom, S::Normal, 0, 5, "Fruit, named by the table")
        ->SetNumbersVisible(false);
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Crates");
    TQvBars* Bars = NewBars(Owner, Graph, nullptr, Vector(Owner, {42, 35, 28, 19, 7}), 2, "Crates");
    Bars->SetClassesDistance(15);
    Bars->SetCaptionsField(QStringLiteral("Name"));
    Bars->SetDataSource(Source);
    Bars->SetLabelFrom(TQvLabelStyle::CaptionsList);
    Bars->SetLabelPosition(TQvBarLabelPosition::InTop);
    Bars->SetLabelSize(17);
    Bars->SetLabelColor(0xFFFFFFFF);
}

void AddMonths(TComponent* Owner, TWinControl* Panel) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Months", "Bars a month wide on a date-time axis", 5, 995, 990, 320);
    NewAxis(Owner, Graph, P::Bottom, S::DateTime, EncodeDate(2026, 1, 1), EncodeDate(2027, 1, 1),
            "2026");
    NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Visitors / 1000");
    auto* Months = new TQvDoubleVector(Owner);
    for (int Month = 1; Month <= 13; ++Month)
        Months->Add(Month <= 12 ? EncodeDate(2026, Month, 1) : EncodeDate(2027, 1, 1));
    TQvBars* Bars =
        NewBars(Owner, Graph, Months,
                Vector(Owner, {21, 24, 33, 41, 52, 66, 78, 74, 55, 40, 27, 30}), 5, "Visitors");
    Bars->SetClassesDistance(20);
    Bars->SetLabelPosition(TQvBarLabelPosition::InTop);
    Bars->SetLabelColor(0xFFFFFFFF);
}

TWinControl* BuildBarsPage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("BarsPanel"));
    Panel->SetBounds(0, 0, 1000, 1320);
    AddGrouped(Owner, Panel);
    AddStacked(Owner, Panel);
    AddHorizontal(Owner, Panel);
    AddCuboids(Owner, Panel);
    AddCylinders(Owner, Panel);
    AddFromTable(Owner, Panel);
    AddMonths(Owner, Panel);
    return Panel;
}

} // namespace

void AddBarsPages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back(
        {QStringLiteral("bars"), QStringLiteral("Bars"),
         QStringLiteral("Bar series: three series grouped in each class, three stacked series "
                        "with their values inside, horizontal bars with their values, "
                        "cuboids and cylinders in front of the back wall, class captions read "
                        "from an SQLite table, and bars a month wide on a date-time axis."),
         BuildBarsPage});
}
