// How a legend saves itself as a binary record, an XML node and an INI section. One list of
// fields serves the three forms: each names its INI key and its XML node and attribute.

#include "annotations/qvlegend.h"

#include "framework/qvinifiles.h"
#include "framework/qvstringlist.h"
#include "graph/qvgraph2d.h"
#include "style/qvio.h"
#include "style/qvrecord.h"

using QvRecord::Setter;
using QvRecord::TKind;
using QvRecord::TName;
using QvRecord::TRecord;

namespace {

// Every field once, in the order of the records. Enumerations are stored as Integers.
void VisitRecord(TRecord& R, TQvLegend* L) {
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
    R.Field({"ItemHeight", "Properties", "ItemHeight"}, L->GetItemHeight(),
            Setter(L, &TQvLegend::SetItemHeight));
    R.Field({"ItemWidth", "Properties", "ItemWidth"}, L->GetItemWidth(),
            Setter(L, &TQvLegend::SetItemWidth));
    R.Color({"ForeColor", "Properties", "ForeColor"}, L->GetForeColor(),
            Setter(L, &TQvLegend::SetForeColor));
    R.Color({"BackColor", "Properties", "BackColor"}, L->GetBackColor(),
            Setter(L, &TQvLegend::SetBackColor));
    R.Field({"DropShadow", "Properties", "DropShadow"}, L->GetDropShadow(),
            Setter(L, &TQvLegend::SetDropShadow));
    R.Enum({"LegendCaptionColorFrom", "Properties", "LegendCaptionColorFrom"},
           L->GetLegendCaptionColorFrom(), Setter(L, &TQvLegend::SetLegendCaptionColorFrom),
           TKind::Integer);
    R.Enum({"ItemsOrder", "Properties", "ItemsOrder"}, L->GetItemsOrder(),
           Setter(L, &TQvLegend::SetItemsOrder), TKind::Integer);
    R.Field({"Rows", "Properties", "Rows"}, L->GetRows(), Setter(L, &TQvLegend::SetRows));
    R.Field({"Columns", "Properties", "Columns"}, L->GetColumns(),
            Setter(L, &TQvLegend::SetColumns));
    R.List({"ItemsOrderList", "ItemsOrderList", "Ref"}, "ItemsOrderList.Count",
           L->GetItemsOrderList()->GetText().split(u'\n', Qt::SkipEmptyParts),
           [L](const QStringList& V) { L->GetItemsOrderList()->SetText(V.join(u'\n')); });
    R.Settings({"Font", "Properties", "Font"}, L->GetItemFont());
    R.Settings({"Frame", "", "Frame"}, L->GetFrame());
    R.Field({"CornerRounding", "Properties", "CornerRounding"}, L->GetCornerRounding(),
            Setter(L, &TQvLegend::SetCornerRounding));
    R.Field({"Distance.ItemCaption", "Distances", "ItemCaption"}, L->GetDistanceItemCaption(),
            Setter(L, &TQvLegend::SetDistanceItemCaption));
    R.Field({"Distance.BetweenLines", "Distances", "BetweenLines"}, L->GetDistanceBetweenLines(),
            Setter(L, &TQvLegend::SetDistanceBetweenLines));
    R.Field({"Distance.BetweenColumns", "Distances", "BetweenColumns"},
            L->GetDistanceBetweenColumns(), Setter(L, &TQvLegend::SetDistanceBetweenColumns));
    R.Field({"Distance.ToBorder", "Distances", "ToBorder"}, L->GetDistanceToBorder(),
            Setter(L, &TQvLegend::SetDistanceToBorder));
    R.Field({"Caption", "Caption", "Text"}, L->GetCaption(), Setter(L, &TQvLegend::SetCaption));
    R.Field({"Caption.Visible", "Caption/Properties", "Visible"}, L->GetCaptionVisible(),
            Setter(L, &TQvLegend::SetCaptionVisible));
    R.Enum({"Caption.Alignment", "Caption/Properties", "Alignment"}, L->GetCaptionAlignment(),
           Setter(L, &TQvLegend::SetCaptionAlignment), TKind::Integer);
    R.Color({"Caption.Color", "Caption/Properties", "Color"}, L->GetCaptionColor(),
            Setter(L, &TQvLegend::SetCaptionColor));
    R.Field({"Caption.DistanceBefore", "Caption/Properties", "DistanceBefore"},
            L->GetCaptionDistanceBefore(), Setter(L, &TQvLegend::SetCaptionDistanceBefore));
    R.Field({"Caption.DistanceAfter", "Caption/Properties", "DistanceAfter"},
            L->GetCaptionDistanceAfter(), Setter(L, &TQvLegend::SetCaptionDistanceAfter));
    R.Settings({"Caption.Font", "Caption/Properties", "Font"}, L->GetCaptionFont());
    R.Settings({"BackgroundGradient", "", "Gradient"}, L->GetBackgroundGradient());
    R.End("legend");
}

// Writing only reads the fields; the setters a record lists are not called.
QvRecord::TVisit Visit(const TQvLegend* Legend) {
    return [Legend](TRecord& R) { VisitRecord(R, const_cast<TQvLegend*>(Legend)); };
}

QString LegendElement(const TQvLegend* Legend) {
    return QString::fromLatin1(Legend->metaObject()->className());
}

} // namespace

void TQvLegend::WriteTo(QIODevice* Stream) const {
    StringToStream(Stream, GetComponentRef(this));
    QvRecord::Write(Stream, Visit(this));
}

void TQvLegend::ReadFrom(QIODevice* Stream) {
    // The reference, by which a document found this legend.
    StringFromStream(Stream);
    QvRecord::Read(Stream, Visit(this)).Apply();
}

void TQvLegend::WriteTo(IXMLNode Node) const {
    IXMLNode Element = Node.AddChild(LegendElement(this));
    Element.SetAttribute("Name", GetComponentRef(this));
    QvRecord::Write(Element, Visit(this));
}

void TQvLegend::ReadFrom(const IXMLNode& Node) {
    QvRecord::Read(ClassElement(Node, LegendElement(this)), Visit(this)).Apply();
}

void TQvLegend::WriteTo(TCustomIniFile* Ini, const QString& Section) const {
    Ini->WriteString(Section, "Name", GetComponentRef(this));
    QvRecord::Write(Ini, Section, Visit(this));
}

void TQvLegend::ReadFrom(TCustomIniFile* Ini, const QString& Section) {
    QvRecord::Read(Ini, Section, Visit(this)).Apply();
}
