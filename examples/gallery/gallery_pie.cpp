// Pies: a flat pie with percent labels, a tilted pie with a slice pulled out, a donut with
// callouts, pies with legends at several positions, and a pie read from an SQLite table.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <data/qvvectors.h>
#include <framework/qvdb.h>
#include <framework/qvstringlist.h>
#include <graph/qvtheme.h>
#include <pie/qvfillpalette.h>
#include <pie/qvpiechart.h>
#include <pie/qvpielegend.h>
#include <style/qvfont.h>

#include <initializer_list>

namespace {

// The theme's colours as the segments' fills, one palette for the page.
TQvFillPalette* ThemePalette(TComponent* Owner) {
    auto* Palette = new TQvFillPalette(Owner);
    Palette->SetName(QStringLiteral("ThemePalette"));
    for (int i = 0; i < 6; ++i)
        Palette->Add()->SetForeColor(ThemeColor(i));
    Palette->Add()->SetForeColor(0xFF999999);
    return Palette;
}

TQvPieChart* NewPie(TComponent* Owner, TWinControl* Panel, TQvFillPalette* Palette,
                    const QString& Title, int Left, int Top, int Width, int Height) {
    const TQvTheme& Theme = TQvTheme::Default();
    auto* Pie = new TQvPieChart(Owner);
    Pie->SetParent(Panel);
    Pie->SetBounds(Left, Top, Width, Height);
    Pie->SetBackColor(Theme.BackColor);
    Pie->SetCaption(Title);
    Pie->SetCaptionVisible(true);
    Pie->GetCaptionFont()->SetName(Theme.FontName);
    Pie->GetCaptionFont()->SetSizeF(Theme.TitleSize);
    Pie->GetCaptionFont()->SetStyle(TFontStyle::Bold);
    Pie->SetCaptionColor(Theme.TextColor);
    Pie->SetCaptionDistanceBefore(Theme.TitleDistance);
    Pie->SetCaptionDistanceAfter(2 * Theme.TitleDistance);
    for (auto Set : {&TQvPieChart::SetDistanceAtLeft, &TQvPieChart::SetDistanceAtRight,
                     &TQvPieChart::SetDistanceAtBottom})
        (Pie->*Set)(12);
    Pie->GetLabelFont()->SetName(Theme.FontName);
    Pie->GetSegmentBorder()->SetColor(0xFFFFFFFF);
    Pie->SetSegmentSettingsPalette(Palette);
    return Pie;
}

TQvPieLegend* NewLegend(TComponent* Owner, TQvPieChart* Pie, TQvPieLegendPosition Position) {
    auto* Legend = new TQvPieLegend(Owner);
    Legend->SetParent(Pie);
    Legend->SetPieChart(Pie);
    TQvTheme::Default().Apply(Legend);
    Legend->SetItemWidth(14);
    Legend->SetDistanceToBorder(6);
    Legend->SetPosition(Position);
    return Legend;
}

void SetNames(TQvPieChart* Pie, std::initializer_list<const char*> List) {
    for (const char* Name : List)
        Pie->GetCaptions()->Add(QString::fromUtf8(Name));
}

void AddFlat(TComponent* Owner, TWinControl* Panel, TQvFillPalette* Palette) {
    TQvPieChart* Pie = NewPie(Owner, Panel, Palette, "Flat pie with labels", 5, 5, 325, 330);
    Pie->SetValues(Vector(Owner, {38, 24, 17, 12, 9}));
    Pie->SetStartAngle(-90);
    Pie->SetLabelPosition(TQvPieLabelPosition::InsideHorizontal);
    Pie->SetLabelFrom(TQvLabelStyle::Percent);
    Pie->SetLabelSize(5.5f);
    Pie->SetLabelColor(0xFFFFFFFF);
}

void AddThreeD(TComponent* Owner, TWinControl* Panel, TQvFillPalette* Palette) {
    TQvPieChart* Pie =
        NewPie(Owner, Panel, Palette, "3-D pie, one slice pulled out", 337, 5, 325, 330);
    Pie->SetPieChartType(TQvPieChartType::ThreeDPie);
    Pie->SetValues(Vector(Owner, {30, 25, 20, 15, 10}));
    Pie->SetExplodePercent(Vector(Owner, {0, 0, 25}));
    Pie->SetLabelPosition(TQvPieLabelPosition::InsideAligned);
    Pie->SetLabelSize(5);
    Pie->SetLabelColor(0xFFFFFFFF);
}

void AddDonut(TComponent* Owner, TWinControl* Panel, TQvFillPalette* Palette) {
    TQvPieChart* Pie = NewPie(Owner, Panel, Palette, "Donut with callouts", 669, 5, 325, 330);
    Pie->SetPieChartType(TQvPieChartType::FlatDonut);
    Pie->SetDonutHoleSize(50);
    Pie->SetValues(Vector(Owner, {46, 21, 14, 8, 5, 3, 2, 1}));
    SetNames(Pie, {"Rent", "Food", "Travel", "Leisure", "Books", "Gifts", "Phone", "Post"});
    Pie->SetLabelPosition(TQvPieLabelPosition::Callouts);
    Pie->SetLabelFrom(TQvLabelStyle::CaptionAndPercent);
    Pie->SetLabelSize(5.5f);
    Pie->SetCalloutArrowVisibleMode(TQvCalloutArrowVisibleMode::AllVisible);
    Pie->SetCalloutBackColor(0xFFF7F7F7);
    Pie->GetCalloutFrame()->SetColor(0xFFBDC3CA);
    Pie->SetCalloutRounding(4);
    Pie->SetCalloutDistanceToPie(20);
    Pie->GetCalloutArrow()->SetColor(0xFF737373);
}

void AddLegends(TComponent* Owner, TWinControl* Panel, TQvFillPalette* Palette) {
    const auto Fruit = {"Apples", "Pears", "Plums", "Cherries", "Quinces"};
    TQvPieChart* Right = NewPie(Owner, Panel, Palette, "Legend at the right", 5, 342, 325, 300);
    Right->SetValues(Vector(Owner, {35, 25, 20, 12, 8}));
    SetNames(Right, Fruit);
    NewLegend(Owner, Right, TQvPieLegendPosition::RightCenter);

    TQvPieChart* Below =
        NewPie(Owner, Panel, Palette, "3-D donut, legend below", 337, 342, 325, 300);
    Below->SetPieChartType(TQvPieChartType::ThreeDDonut);
    Below->SetValues(Vector(Owner, {35, 25, 20, 12, 8}));
    SetNames(Below, Fruit);
    NewLegend(Owner, Below, TQvPieLegendPosition::CenterBottom)->SetRows(2);

    TQvPieChart* Left =
        NewPie(Owner, Panel, Palette, "Half pie, legend top left", 669, 342, 325, 300);
    Left->SetStartAngle(180);
    Left->SetTotalAngle(180);
    Left->SetValues(Vector(Owner, {35, 25, 20, 12, 8}));
    SetNames(Left, Fruit);
    TQvPieLegend* Legend = NewLegend(Owner, Left, TQvPieLegendPosition::LeftTop);
    Legend->SetLabelsFrom(TQvLabelStyle::CaptionAndPercent);
}

// Values and captions come from a table, read through the framework's data binding.
void AddFromTable(TComponent* Owner, TWinControl* Panel, TQvFillPalette* Palette) {
    TDataSource* Source =
        SqliteSource(Owner, QStringLiteral("gallerypie"), QStringLiteral("Energy"),
                     {QStringLiteral("CREATE TABLE Energy (Id INTEGER PRIMARY KEY, Source TEXT, "
                                     "Share REAL)"),
                      QStringLiteral("INSERT INTO Energy (Source, Share) VALUES ('Wind', 31.5), "
                                     "('Solar', 14.2), ('Biomass', 8.4), ('Hydro', 3.4), "
                                     "('Gas', 13.8), ('Coal', 22.1), ('Other', 6.6)")});

    TQvPieChart* Pie =
        NewPie(Owner, Panel, Palette, "Shares read from an SQLite table", 5, 649, 989, 330);
    auto* Shares = new TQvDoubleVector(Owner);
    Shares->SetDataField(QStringLiteral("Share"));
    Shares->SetDataSource(Source);
    Pie->SetValues(Shares);
    Pie->SetCaptionsField(QStringLiteral("Source"));
    Pie->SetDataSource(Source);
    Pie->SetPieChartType(TQvPieChartType::ThreeDPie);
    Pie->SetStartAngle(-90);
    Pie->SetLabelPosition(TQvPieLabelPosition::Callouts);
    Pie->SetLabelFrom(TQvLabelStyle::CaptionAndValue);
    Pie->SetLabelFormat(QStringLiteral("0.0' %'"));
    Pie->SetLabelSize(3.2f);
    Pie->SetCalloutBackColor(0xFFF7F7F7);
    Pie->GetCalloutFrame()->SetColor(0xFFBDC3CA);
    Pie->SetCalloutDistanceToPie(15);
    Pie->SetCalloutArrowVisibleMode(TQvCalloutArrowVisibleMode::AllVisible);
    Pie->GetCalloutArrow()->SetColor(0xFF737373);
    NewLegend(Owner, Pie, TQvPieLegendPosition::RightCenter);
}

TWinControl* BuildPiePage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("PiePanel"));
    Panel->SetBounds(0, 0, 1000, 985);
    TQvFillPalette* Palette = ThemePalette(Owner);
    AddFlat(Owner, Panel, Palette);
    AddThreeD(Owner, Panel, Palette);
    AddDonut(Owner, Panel, Palette);
    AddLegends(Owner, Panel, Palette);
    AddFromTable(Owner, Panel, Palette);
    return Panel;
}

} // namespace

void AddPiePages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back(
        {QStringLiteral("pie"), QStringLiteral("Pies"),
         QStringLiteral("Pie and donut charts: a flat pie with percent labels, a 3-D pie with "
                        "a slice pulled out, a donut with callouts, pies with legends at "
                        "several positions, and a 3-D pie whose values and names are read "
                        "from an SQLite table."),
         BuildPiePage});
}
