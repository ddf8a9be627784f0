// The fields of a pie legend's record in the three forms.

#include "annotations/qvlegendrecord.h"
#include "pie/qvpiechart.h"
#include "pie/qvpielegend.h"
#include "style/qvrecord.h"

using QvRecord::Setter;
using QvRecord::TKind;

void TQvPieLegend::RecordFields(QvRecord::TRecord& R) {
    TQvPieLegend* L = this;
    R.Reference<TWinControl>({"Parent", "Properties", "Parent"}, L->GetParent(),
                             [L](TWinControl* V) {
                                 if (V) L->SetParent(V);
                             });
    R.Field({"Visible", "Properties", "Visible"}, L->GetVisible(),
            Setter(L, &TQvPieLegend::SetVisible));
    R.Field({"Hint", "Properties", "Hint"}, L->GetHint(), Setter(L, &TQvPieLegend::SetHint));
    QvRecord::ShowHintFields(R, L);
    R.Reference<TQvPieChart>({"PieChart", "Properties", "PieChart"}, L->GetPieChart(),
                             Setter(L, &TQvPieLegend::SetPieChart));
    R.Enum({"Position", "Properties", "Position"}, L->GetPosition(),
           Setter(L, &TQvPieLegend::SetPosition), TKind::Integer);
    R.Field({"AutoSize", "Properties", "AutoSize"}, L->GetAutoSize(),
            Setter(L, &TQvPieLegend::SetAutoSize));
    R.Field({"Width", "Properties", "Width"}, L->GetWidth(), Setter(L, &TQvPieLegend::SetWidth));
    R.Field({"Height", "Properties", "Height"}, L->GetHeight(),
            Setter(L, &TQvPieLegend::SetHeight));
    R.Enum({"LabelsFrom", "Labels", "From"}, L->GetLabelsFrom(),
           Setter(L, &TQvPieLegend::SetLabelsFrom), TKind::Integer);
    R.String({"LabelFormat", "Labels", "Format"}, L->GetLabelFormat(),
             Setter(L, &TQvPieLegend::SetLabelFormat));
    QvLegendRecord::SizeFields(R, L);
    R.Color({"ForeColor", "Labels", "Color"}, L->GetForeColor(),
            Setter(L, &TQvPieLegend::SetForeColor));
    R.Color({"BackColor", "Properties", "BackColor"}, L->GetBackColor(),
            Setter(L, &TQvPieLegend::SetBackColor));
    R.Field({"DropShadow", "Properties", "DropShadow"}, L->GetDropShadow(),
            Setter(L, &TQvPieLegend::SetDropShadow));
    QvLegendRecord::LayoutFields(R, L);
    R.Field({"Distance.ToPie", "Distances", "ToPie"}, L->GetDistanceToPie(),
            Setter(L, &TQvPieLegend::SetDistanceToPie));
    QvLegendRecord::BoxFields(R, L);
    R.End("pie legend");
}
