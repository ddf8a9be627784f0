// The bars' own part of a series record, in the three forms: after the series' fields, an XML
// node "Bars", INI keys with the prefix "Bars.".

#include "series/qvbars.h"

#include "data/qvboundstrings.h"
#include "framework/qvclasses.h"
#include "framework/qvdb.h"
#include "framework/qvstringlist.h"
#include "framework/qvxml.h"
#include "style/qvfont.h"
#include "style/qvrecord.h"

using QvRecord::Setter;

namespace {

// Documents create bar series by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvBars>();
    return true;
}();

} // namespace

void TQvBars::VisitRecord(QvRecord::TRecord& R) {
    R.Field({"Bars.Horizontal", "Bars", "Horizontal"}, FBarsHorizontal,
            Setter(this, &TQvBars::SetBarsHorizontal));
    R.Enum({"Bars.Style", "Bars", "Style"}, FBarStyle, Setter(this, &TQvBars::SetBarStyle));
    R.Enum({"Bars.OverlayStyle", "Bars", "OverlayStyle"}, FOverlayStyle,
           Setter(this, &TQvBars::SetOverlayStyle));
    R.Field({"Bars.Depth3D", "Bars", "Depth3D"}, F3DDepth, Setter(this, &TQvBars::SetDepth3D));
    R.Field({"Bars.ClassesDistance", "Bars", "ClassesDistance"}, FClassesDistance,
            Setter(this, &TQvBars::SetClassesDistance));
    R.Enum({"Bars.LabelFrom", "Bars/Labels", "From"}, FLabelFrom,
           Setter(this, &TQvBars::SetLabelFrom));
    R.Enum({"Bars.LabelPosition", "Bars/Labels", "Position"}, FLabelPosition,
           Setter(this, &TQvBars::SetLabelPosition));
    R.Field({"Bars.LabelSize", "Bars/Labels", "Size"}, FLabelSize,
            Setter(this, &TQvBars::SetLabelSize));
    R.Field({"Bars.LabelVertical", "Bars/Labels", "Vertical"}, FLabelVertical,
            Setter(this, &TQvBars::SetLabelVertical));
    R.Field({"Bars.LabelFormat", "Bars/Labels", "Format"}, FLabelFormat,
            Setter(this, &TQvBars::SetLabelFormat));
    R.Settings({"Bars.Font", "Bars", "Font"}, FFont.get());
    // Captions: the binding to a data source's field, or the lines themselves.
    if (R.Field({"Bars.Captions.FromDatabase", "Bars/Captions", "Database"}, FCaptions->Bound())) {
        R.Reference<TDataSource>({"Bars.Captions.DataSource", "Bars/Captions", "DataSource"},
                                 GetDataSource(), [this](TDataSource* V) { SetDataSource(V); });
        R.String({"Bars.Captions.Field", "Bars/Captions", "Field"}, GetCaptionsField(),
                 Setter(this, &TQvBars::SetCaptionsField));
    } else {
        R.List({"Bars.Captions", "Bars/Captions", "Text"}, "Bars.Captions.Count",
               FCaptions->Lines()->ToStringList(),
               [this](const QStringList& Lines) { FCaptions->SetLines(Lines); });
    }
    R.End("bars");
}
