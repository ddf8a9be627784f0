// How a legend saves itself as a binary record, an XML node and an INI section. One list of
// fields serves the three forms: each names its INI key and its XML node and attribute.

#include "annotations/qvlegend.h"
#include "annotations/qvlegendrecord.h"

#include "framework/qvinifiles.h"
#include "framework/qvstringlist.h"
#include "graph/qvgraph2d.h"
#include "style/qvio.h"
#include "style/qvrecord.h"

using QvRecord::Setter;
using QvRecord::TKind;
using QvRecord::TName;
using QvRecord::TRecord;

namespace QvLegendRecord {

void SizeFields(TRecord& R, TQvCustomLegend* L) {
    R.Field({"ItemHeight", "Properties", "ItemHeight"}, L->GetItemHeight(),
            Setter(L, &TQvCustomLegend::SetItemHeight));
    R.Field({"ItemWidth", "Properties", "ItemWidth"}, L->GetItemWidth(),
            Setter(L, &TQvCustomLegend::SetItemWidth));
}

void LayoutFields(TRecord& R, TQvCustomLegend* L) {
    R.Enum({"ItemsOrder", "Properties", "ItemsOrder"}, L->GetItemsOrder(),
           Setter(L, &TQvCustomLegend::SetItemsOrder), TKind::Integer);
    R.Field({"Rows", "Properties", "Rows"}, L->GetRows(), Setter(L, &TQvCustomLegend::SetRows));
    R.Field({"Columns", "Properties", "Columns"}, L->GetColumns(),
            Setter(L, &TQvCustomLegend::SetColumns));
}

void BoxFields(TRecord& R, TQvCustomLegend* L) {
    R.Settings({"Font", "Properties", "Font"}, L->GetItemFont());
    R.Settings({"Frame", "", "Frame"}, L->GetFrame());
    R.Field({"CornerRounding", "Properties", "CornerRounding"}, L->GetCornerRounding(),
            Setter(L, &TQvCustomLegend::SetCornerRounding));
    R.Field({"Distance.ItemCaption", "Distances", "ItemCaption"}, L->GetDistanceItemCaption(),
            Setter(L, &TQvCustomLegend::SetDistanceItemCaption));
    R.Field({"Distance.BetweenLines", "Distances", "BetweenLines"}, L->GetDistanceBetweenLines(),
            Setter(L, &TQvCustomLegend::SetDistanceBetweenLines));
    R.Field({"Distance.BetweenColumns", "Distances", "BetweenColumns"},
            L->GetDistanceBetweenColumns(), Setter(L, &TQvCustomLegend::SetDistanceBetweenColumns));
    R.Field({"Distance.ToBorder", "Distances", "ToBorder"}, L->GetDistanceToBorder(),
            Setter(L, &TQvCustomLegend::SetDistanceToBorder));
    R.Field({"Caption", "Caption", "Text"}, L->GetCaption(),
            Setter(L, &TQvCustomLegend::SetCaption));
    R.Field({"Caption.Visible", "Caption/Properties", "Visible"}, L->GetCaptionVisible(),
            Setter(L, &TQvCustomLegend::SetCaptionVisible));
    R.Enum({"Caption.Alignment", "Caption/Properties", "Alignment"}, L->GetCaptionAlignment(),
           Setter(L, &TQvCustomLegend::SetCaptionAlignment), TKind::Integer);
    R.Color({"Caption.Color", "Caption/Properties", "Color"}, L->GetCaptionColor(),
            Setter(L, &TQvCustomLegend::SetCaptionColor));
    R.Field({"Caption.DistanceBefore", "Caption/Properties", "DistanceBefore"},
            L->GetCaptionDistanceBefore(), Setter(L, &TQvCustomLegend::SetCaptionDistanceBefore));
    R.Field({"Caption.DistanceAfter", "Caption/Properties", "DistanceAfter"},
            L->GetCaptionDistanceAfter(), Setter(L, &TQvCustomLegend::SetCaptionDistanceAfter));
    R.Settings({"Caption.Font", "Caption/Properties", "Font"}, L->GetCaptionFont());
    R.Settings({"BackgroundGradient", "", "Gradient"}, L->GetBackgroundGradient());
}

} // namespace QvLegendRecord

namespace {} // namespace

// Every field once, in the order of the records. Enumerations are stored as Integers.
void TQvLegend::RecordFields(TRecord& R) {
    TQvLegend* L = this;
    R.Reference<TWinControl>({"Parent", "Properties", "Parent"}, L->GetParent(),
                             [L](TWinControl* V) {
                                 if (V) L->SetParent(V);
                             });
    R.Field({"Visible", "Properties", "Visible"}, L->GetVisible(),
            Setter(L, &TQvLegend::SetVisible));
    R.Reference<TQvGraph2D>({"Graph", "Properties", "Graph"}, L->GetGraph(),
                            Setter(L, &TQvLegend::SetGraph));
    R.Enum({"Position", "Properties", "Position"}, L->GetPosition(),
           Setter(L, &TQvLegend::SetPosition), TKind::Integer);
    R.Field({"Top", "Properties", "Top"}, L->GetTop(), Setter(L, &TQvLegend::SetTop));
    R.Field({"Left", "Properties", "Left"}, L->GetLeft(), Setter(L, &TQvLegend::SetLeft));
    R.Field({"AutoSize", "Properties", "AutoSize"}, L->GetAutoSize(),
            Setter(L, &TQvLegend::SetAutoSize));
    R.Field({"Width", "Properties", "Width"}, L->GetWidth(), Setter(L, &TQvLegend::SetWidth));
    R.Field({"Height", "Properties", "Height"}, L->GetHeight(), Setter(L, &TQvLegend::SetHeight));
    R.Field({"Hint", "Properties", "Hint"}, L->GetHint(), Setter(L, &TQvLegend::SetHint));
    QvRecord::ShowHintFields(R, L);
    QvLegendRecord::SizeFields(R, L);
    R.Color({"ForeColor", "Properties", "ForeColor"}, L->GetForeColor(),
            Setter(L, &TQvLegend::SetForeColor));
    R.Color({"BackColor", "Properties", "BackColor"}, L->GetBackColor(),
            Setter(L, &TQvLegend::SetBackColor));
    R.Field({"DropShadow", "Properties", "DropShadow"}, L->GetDropShadow(),
            Setter(L, &TQvLegend::SetDropShadow));
    R.Enum({"LegendCaptionColorFrom", "Properties", "LegendCaptionColorFrom"},
           L->GetLegendCaptionColorFrom(), Setter(L, &TQvLegend::SetLegendCaptionColorFrom),
           TKind::Integer);
    QvLegendRecord::LayoutFields(R, L);
    R.List({"ItemsOrderList", "ItemsOrderList", "Ref"}, "ItemsOrderList.Count",
           L->GetItemsOrderList()->GetText().split(u'\n', Qt::SkipEmptyParts),
           [L](const QStringList& V) { L->GetItemsOrderList()->SetText(V.join(u'\n')); });
    QvLegendRecord::BoxFields(R, L);
    R.End("legend");
}

namespace {

// Writing only reads the fields; the setters a record lists are not called.
QvRecord::TVisit Visit(const TQvCustomLegend* Legend) {
    return [Legend](TRecord& R) { const_cast<TQvCustomLegend*>(Legend)->RecordFields(R); };
}

QString LegendElement(const TQvCustomLegend* Legend) {
    return QString::fromLatin1(Legend->metaObject()->className());
}

} // namespace

void TQvCustomLegend::WriteTo(QIODevice* Stream) const {
    StringToStream(Stream, GetComponentRef(this));
    QvRecord::Write(Stream, Visit(this));
}

void TQvCustomLegend::ReadFrom(QIODevice* Stream) {
    // The reference, by which a document found this legend.
    StringFromStream(Stream);
    QvRecord::Read(Stream, Visit(this)).Apply();
}

void TQvCustomLegend::WriteTo(IXMLNode Node) const {
    IXMLNode Element = Node.AddChild(LegendElement(this));
    Element.SetAttribute("Name", GetComponentRef(this));
    QvRecord::Write(Element, Visit(this));
}

void TQvCustomLegend::ReadFrom(const IXMLNode& Node) {
    QvRecord::Read(ClassElement(Node, LegendElement(this)), Visit(this)).Apply();
}

void TQvCustomLegend::WriteTo(TCustomIniFile* Ini, const QString& Section) const {
    Ini->WriteString(Section, "Name", GetComponentRef(this));
    QvRecord::Write(Ini, Section, Visit(this));
}

void TQvCustomLegend::ReadFrom(TCustomIniFile* Ini, const QString& Section) {
    QvRecord::Read(Ini, Section, Visit(this)).Apply();
}
