#include "graph/qvtheme.h"

#include "annotations/qvlegend.h"

#include "axes/qvaxis.h"
#include "graph/qvgraph2d.h"
#include "series/qvseries.h"
#include "style/qvfont.h"
#include "undo/qvundostack.h"

using namespace Qvlocalize;

namespace {
// Symbols are filled with their line colour half mixed into white, so the outline shows.
TQvColor Lighter(TQvColor Color) {
    auto Mix = [](uint32_t c) { return (c + 255) / 2; };
    return 0xFF000000u | Mix((Color >> 16) & 0xFF) << 16 | Mix((Color >> 8) & 0xFF) << 8 |
           Mix(Color & 0xFF);
}

void SetFont(TQvFont* Font, const QString& Name, float Size, bool Bold) {
    Font->SetName(Name);
    Font->SetSizeF(Size);
    Font->SetStyle(Bold ? TFontStyles(TFontStyle::Bold) : TFontStyles());
}
} // namespace

const TQvTheme& TQvTheme::Default() {
    static const TQvTheme Theme;
    return Theme;
}

TQvColor TQvTheme::SeriesColor(int Index) const {
    if (SeriesColors.isEmpty()) return 0xFF000000;
    const int n = int(SeriesColors.size());
    return SeriesColors.at(((Index % n) + n) % n);
}

void TQvTheme::Apply(TQvGraph2D* Graph) const {
    TQvUndoStack* Stack = Graph->GetUndoStack();
    if (Stack) Stack->StartGroup(SGraphApplyTheme.Text());
    Graph->BeginUpdate();
    Graph->SetBackColor(BackColor);
    Graph->SetDataAreaColor(DataAreaColor);
    TQvFont* Title = Graph->GetCaptionFont();
    Title->PushToUndoStack(Stack, SGraphTitleFont.Text());
    SetFont(Title, FontName, TitleSize, TitleBold);
    Graph->SetCaptionColor(TextColor);
    Graph->SetCaptionDistanceBefore(TitleDistance);
    Graph->SetCaptionDistanceAfter(TitleDistance);
    Graph->SetDistanceBorderAxisLeft(BorderDistance);
    Graph->SetDistanceBorderAxisRight(BorderDistance);
    Graph->SetDistanceBorderAxisTop(BorderDistance);
    Graph->SetDistanceBorderAxisBottom(BorderDistance);
    for (TQvLineSettings* Grid : {Graph->GetMajorGridHorizontal(), Graph->GetMajorGridVertical()}) {
        Grid->SetColor(GridColor);
        Grid->SetDashStyle(TGPDashStyle::Solid);
        Grid->SetWidth(1);
        Grid->SetVisible(true);
    }
    for (TQvLineSettings* Grid : {Graph->GetMinorGridHorizontal(), Graph->GetMinorGridVertical()})
        Grid->SetVisible(false);
    Graph->GetDataAreaFrame()->SetColor(FrameColor);
    Graph->GetDataAreaFrame()->SetWidth(1);
    Graph->GetDataAreaFrame()->SetVisible(true);
    for (TQvAxis* Axis : Graph->ChildAxes())
        Apply(Axis);
    for (int i = 0; i < Graph->ControlCount(); ++i)
        if (auto* Legend = qobject_cast<TQvCustomLegend*>(Graph->Controls(i))) Apply(Legend);
    Graph->TakeSeriesColors(*this);
    Graph->EndUpdate();
    if (Stack) Stack->StopGroup();
}

void TQvTheme::Apply(TQvCustomLegend* Legend) const {
    SetFont(Legend->GetCaptionFont(), FontName, AxisTitleSize, true);
    Legend->SetCaptionColor(TextColor);
    SetFont(Legend->GetItemFont(), FontName, TickLabelSize, false);
    Legend->SetForeColor(TextColor);
    Legend->SetBackColor(BackColor);
    Legend->GetFrame()->SetColor(FrameColor);
}

void TQvTheme::Apply(TQvAxis* Axis) const {
    TQvFont* Caption = Axis->GetCaptionFont();
    Caption->PushToUndoStack(Axis->GetUndoStack(), SAxisCaptionFont.Text());
    SetFont(Caption, FontName, AxisTitleSize, false);
    Axis->SetCaptionColor(TextColor);
    TQvFont* Numbers = Axis->GetNumbersFont();
    Numbers->PushToUndoStack(Axis->GetUndoStack(), SAxisFont.Text());
    SetFont(Numbers, FontName, TickLabelSize, false);
    Axis->SetNumbersColor(TickLabelColor);
    Axis->SetForeColor(AxisColor);
}

void TQvTheme::Apply(TQvSeries* Series, int Index) const {
    const TQvColor Color = SeriesColor(Index);
    Series->TakeThemeColor(Color, Lighter(Color));
}
