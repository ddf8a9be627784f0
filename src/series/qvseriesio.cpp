// How a series saves itself: the binary record (also used for files), the XML element and the
// INI section. Every reader first collects the whole record, starting from the current values,
// and only then applies it through the property setters, so a damaged record changes nothing.

#include "series/qvseries.h"

#include "axes/qvaxis.h"
#include "axes/qvstringfunctions.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvforms.h"
#include "framework/qvinifiles.h"
#include "framework/qvstreams.h"
#include "framework/qvxml.h"
#include "strings/qvlocalize.h"
#include "style/qvcolors.h"
#include "style/qvio.h"
#include "undo/qvundostack.h"

#include <QBuffer>

using namespace Qvlocalize;

namespace {

// Documents create series by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvLineSeries>();
    RegisterClass<TQvPointSeries>();
    return true;
}();

QString ClassNameOf(const TQvSeries* Series) {
    return QString::fromLatin1(Series->metaObject()->className());
}

// A reference that names nothing, or a component of another class, gives nullptr.
template <class T> T* Resolve(const QString& Ref) {
    return Ref.isEmpty() ? nullptr : qobject_cast<T*>(GetComponentFromRef(Ref));
}

struct TSymbolValues {
    explicit TSymbolValues(const TQvPointSymbolSettings* Settings)
        : Visible(Settings->GetVisible()), Size(Settings->GetSize()),
          BorderLineWidth(Settings->GetBorderLineWidth()), BorderColor(Settings->GetBorderColor()),
          FillColor(Settings->GetFillColor()), Symbol(Settings->GetPointSymbol()) {}

    void ApplyTo(TQvPointSymbolSettings* Settings) const {
        Settings->SetVisible(Visible);
        Settings->SetSize(Size);
        Settings->SetBorderLineWidth(BorderLineWidth);
        Settings->SetBorderColor(BorderColor);
        Settings->SetFillColor(FillColor);
        Settings->SetPointSymbol(Symbol);
    }

    bool Visible;
    float Size, BorderLineWidth;
    TQvColor BorderColor, FillColor;
    TQvPointSymbol Symbol;
};

// Everything a record holds, taken from the series so that absent parts keep their values.
struct TSeriesValues {
    explicit TSeriesValues(const TQvSeries* Series)
        : Caption(Series->GetCaption()), Visible(Series->GetVisible()),
          OutliersVisible(Series->GetOutliersVisible()),
          IncludeInLegend(Series->GetIncludeInLegend()), AutoUpdate(Series->GetAutoUpdate()),
          Layer(Series->GetLayer()), XData(Own(Series, Series->GetXData())),
          YData(Own(Series, Series->GetYData())), XAxis(Series->GetXAxis()),
          YAxis(Series->GetYAxis()), MergeLegendItemWith(Series->GetMergeLegendItemWith()),
          DrawBandTo(Series->GetDrawBandTo()), PointSymbol(Series->GetPointSymbol()),
          OutOfRangeSymbol(Series->GetOutOfRangePointSymbol()),
          RangeFromFunction(Series->GetRangeFromFunction()) {
        Line.Assign(Series->GetLine());
        Area.Assign(Series->GetArea());
    }

    // The own indexer is stored as no vector.
    static TQvCustomDoubleVector* Own(const TQvSeries* Series, TQvCustomDoubleVector* Data) {
        return Data == Series->GetIndexer() ? nullptr : Data;
    }

    void ApplyTo(TQvSeries* Series, bool Symbols) {
        Series->SetCaption(Caption);
        Series->SetVisible(Visible);
        Series->SetOutliersVisible(OutliersVisible);
        Series->SetIncludeInLegend(IncludeInLegend);
        Series->SetAutoUpdate(AutoUpdate);
        Series->SetLayer(Layer);
        Series->SetLine(&Line);
        Series->SetArea(&Area);
        Series->SetXAxis(XAxis);
        Series->SetYAxis(YAxis);
        if (!Series->DataFromOwner()) {
            // Vectors first, missing ones after, so that the indexer ends up beside a vector.
            if (XData) Series->SetXData(XData);
            if (YData) Series->SetYData(YData);
            if (!XData) Series->SetXData(nullptr);
            if (!YData) Series->SetYData(nullptr);
        }
        Series->SetMergeLegendItemWith(MergeLegendItemWith);
        Series->SetDrawBandTo(DrawBandTo);
        if (!Symbols) return;
        PointSymbol.ApplyTo(Series->GetPointSymbol());
        OutOfRangeSymbol.ApplyTo(Series->GetOutOfRangePointSymbol());
        Series->SetRangeFromFunction(RangeFromFunction);
    }

    QString Caption;
    bool Visible, OutliersVisible, IncludeInLegend, AutoUpdate;
    int Layer;
    TQvLineSettings Line;
    TQvAreaSettings Area;
    TQvCustomDoubleVector *XData, *YData;
    TQvAxis *XAxis, *YAxis;
    TQvSeries *MergeLegendItemWith, *DrawBandTo;
    TSymbolValues PointSymbol, OutOfRangeSymbol;
    TQvSeries* RangeFromFunction;
};

// While a record is applied the series counts as loading, so that the layer is not renumbered,
// and nothing it sets is recorded for undo.
class TReading {
public:
    explicit TReading(TQvSeries* Series) : FSeries(Series), FBegan(!Series->IsLoading()) {
        if (FBegan) Series->BeginLoading();
    }
    ~TReading() {
        if (FBegan) FSeries->Loaded();
    }
    TReading(const TReading&) = delete;
    TReading& operator=(const TReading&) = delete;

private:
    const TReadScope FScope;
    TQvSeries* FSeries;
    bool FBegan;
};

// ---- binary ----

void SymbolToStream(QIODevice* Stream, const TQvPointSymbolSettings* Settings) {
    QvStream::WriteBoolean(Stream, Settings->GetVisible());
    QvStream::WriteSingle(Stream, Settings->GetSize());
    QvStream::WriteSingle(Stream, Settings->GetBorderLineWidth());
    QvStream::WriteColor(Stream, Settings->GetBorderColor());
    QvStream::WriteColor(Stream, Settings->GetFillColor());
    QvStream::WriteByte(Stream, quint8(Settings->GetPointSymbol()));
}

void SymbolFromStream(QIODevice* Stream, TSymbolValues& Values) {
    Values.Visible = QvStream::ReadBoolean(Stream);
    Values.Size = QvStream::ReadSingle(Stream);
    Values.BorderLineWidth = QvStream::ReadSingle(Stream);
    Values.BorderColor = QvStream::ReadColor(Stream);
    Values.FillColor = QvStream::ReadColor(Stream);
    const int Symbol = QvStream::ReadByte(Stream);
    if (Symbol >= QvStyle::PointSymbolCount) throw EReadError(SInvalidPropertyValue.Text());
    Values.Symbol = TQvPointSymbol(Symbol);
}

void ValuesFromStream(QIODevice* Stream, TSeriesValues& Values, bool Symbols) {
    Values.Caption = DecodeFromStream(Stream);
    Values.Visible = QvStream::ReadBoolean(Stream);
    Values.OutliersVisible = QvStream::ReadBoolean(Stream);
    Values.IncludeInLegend = QvStream::ReadBoolean(Stream);
    Values.AutoUpdate = QvStream::ReadBoolean(Stream);
    Values.Layer = QvStream::ReadInteger(Stream);
    FromStream(Stream, &Values.Line);
    FromStream(Stream, &Values.Area);
    Values.XData = Resolve<TQvCustomDoubleVector>(StringFromStream(Stream));
    Values.YData = Resolve<TQvCustomDoubleVector>(StringFromStream(Stream));
    Values.XAxis = Resolve<TQvAxis>(StringFromStream(Stream));
    Values.YAxis = Resolve<TQvAxis>(StringFromStream(Stream));
    if (ReadMarker(Stream)) {
        Values.MergeLegendItemWith = Resolve<TQvSeries>(StringFromStream(Stream));
        Values.DrawBandTo = Resolve<TQvLineSeries>(StringFromStream(Stream));
        ExpectEnd(Stream, "series");
    }
    if (!Symbols) return;
    SymbolFromStream(Stream, Values.PointSymbol);
    if (!ReadMarker(Stream)) return;
    SymbolFromStream(Stream, Values.OutOfRangeSymbol);
    Values.RangeFromFunction = Resolve<TQvSeries>(StringFromStream(Stream));
    ExpectEnd(Stream, "point series");
}

// ---- XML ----

const QString PropertiesNode = QStringLiteral("Properties");
const QString LinksNode = QStringLiteral("Links");
const QString PointSymbolName = QStringLiteral("PointSymbol");
const QString OutOfRangeSymbolName = QStringLiteral("OutOfRangeSymbol");
const QString RangeFromFunctionName = QStringLiteral("RangeFromFunction");

TQvPointSymbol ValidSymbol(int Value, TQvPointSymbol Current) {
    return Value >= 0 && Value < QvStyle::PointSymbolCount ? TQvPointSymbol(Value) : Current;
}

template <class T, class F> void AttrRef(const IXMLNode& Node, const QString& Name, F*& Value) {
    if (Node.HasAttribute(Name)) Value = Resolve<T>(Node.Attribute(Name));
}

void SymbolToNode(IXMLNode Node, const TQvPointSymbolSettings* Settings, const QString& Name) {
    IXMLNode Child = Node.AddChild(Name);
    Child.SetAttribute("Visible", BoolText(Settings->GetVisible()));
    Child.SetAttribute("Size", DoubleToStr(Settings->GetSize()));
    Child.SetAttribute("BorderLineWidth", DoubleToStr(Settings->GetBorderLineWidth()));
    Child.SetAttribute("BorderColor", ARGBToString(Settings->GetBorderColor()));
    Child.SetAttribute("FillColor", ARGBToString(Settings->GetFillColor()));
    Child.SetAttribute("Symbol", QString::number(int(Settings->GetPointSymbol())));
}

void SymbolFromNode(const IXMLNode& Node, TSymbolValues& Values, const QString& Name) {
    const IXMLNode Child = Node.FindNode(Name);
    if (Child.IsNull()) return;
    Values.Visible = AttrBool(Child, "Visible", Values.Visible);
    Values.Size = AttrFloat(Child, "Size", Values.Size);
    Values.BorderLineWidth = AttrFloat(Child, "BorderLineWidth", Values.BorderLineWidth);
    Values.BorderColor = AttrColor(Child, "BorderColor", Values.BorderColor);
    Values.FillColor = AttrColor(Child, "FillColor", Values.FillColor);
    Values.Symbol = ValidSymbol(AttrInt(Child, "Symbol", int(Values.Symbol)), Values.Symbol);
}

// ---- INI ----

void SymbolToIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
                 const TQvPointSymbolSettings* Settings) {
    Ini->WriteBool(Section, Name + ".Visible", Settings->GetVisible());
    Ini->WriteString(Section, Name + ".Size", DoubleToStr(Settings->GetSize()));
    Ini->WriteString(Section, Name + ".BorderLineWidth",
                     DoubleToStr(Settings->GetBorderLineWidth()));
    Ini->WriteString(Section, Name + ".BorderColor", ARGBToString(Settings->GetBorderColor()));
    Ini->WriteString(Section, Name + ".FillColor", ARGBToString(Settings->GetFillColor()));
    Ini->WriteInteger(Section, Name + ".Symbol", int(Settings->GetPointSymbol()));
}

void SymbolFromIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
                   TSymbolValues& Values) {
    Values.Visible = Ini->ReadBool(Section, Name + ".Visible", Values.Visible);
    Values.Size = ReadIniFloat(Ini, Section, Name + ".Size", Values.Size);
    Values.BorderLineWidth =
        ReadIniFloat(Ini, Section, Name + ".BorderLineWidth", Values.BorderLineWidth);
    Values.BorderColor = ReadIniColor(Ini, Section, Name + ".BorderColor", Values.BorderColor);
    Values.FillColor = ReadIniColor(Ini, Section, Name + ".FillColor", Values.FillColor);
    Values.Symbol =
        ValidSymbol(Ini->ReadInteger(Section, Name + ".Symbol", int(Values.Symbol)), Values.Symbol);
}

template <class T, class F>
void IniRef(TCustomIniFile* Ini, const QString& Section, const QString& Key, F*& Value) {
    if (Ini->ValueExists(Section, Key)) Value = Resolve<T>(Ini->ReadString(Section, Key, {}));
}

} // namespace

QString TQvSeries::DataRef(const TQvCustomDoubleVector* Vector) const {
    return Vector == FIndexer || DataFromOwner() ? QString() : GetComponentRef(Vector);
}

// ---- binary ----

void TQvSeries::WriteTo(QIODevice* Stream) const {
    StringToStream(Stream, ClassNameOf(this));
    StringToStream(Stream, GetComponentRef(this));
    WriteToInner(Stream);
}

void TQvSeries::ReadFrom(QIODevice* Stream) {
    ExpectClass(StringFromStream(Stream), ClassNameOf(this));
    // The reference names the series a document reader picked; it does not rename it.
    StringFromStream(Stream);
    TReading Reading(this);
    ReadFromInner(Stream);
}

void TQvSeries::WriteToInner(QIODevice* Stream) const {
    EncodeToStream(Stream, FCaption);
    QvStream::WriteBoolean(Stream, FVisible);
    QvStream::WriteBoolean(Stream, FOutliersVisible);
    QvStream::WriteBoolean(Stream, FIncludeInLegend);
    QvStream::WriteBoolean(Stream, FAutoUpdate);
    QvStream::WriteInteger(Stream, FLayer);
    ToStream(Stream, FLineSettings.get());
    ToStream(Stream, FAreaSettings.get());
    StringToStream(Stream, DataRef(FXData));
    StringToStream(Stream, DataRef(FYData));
    StringToStream(Stream, GetComponentRef(FXAxis));
    StringToStream(Stream, GetComponentRef(FYAxis));
    QvStream::WriteByte(Stream, 1);
    StringToStream(Stream, GetComponentRef(FMergeLegendItemWith));
    StringToStream(Stream, GetComponentRef(FDrawBandTo));
    QvStream::WriteByte(Stream, 0);
    if (FDoPointSettingsStorage) {
        SymbolToStream(Stream, FPointSymbolSettings.get());
        QvStream::WriteByte(Stream, 1);
        SymbolToStream(Stream, FOutOfRangeSymbolSettings.get());
        StringToStream(Stream, GetComponentRef(FRangeFromFunction));
        QvStream::WriteByte(Stream, 0);
    }
    WriteOwnRecord(Stream);
}

void TQvSeries::ReadFromInner(QIODevice* Stream) {
    TSeriesValues Values(this);
    ValuesFromStream(Stream, Values, FDoPointSettingsStorage);
    const TApplyRecord Own = ReadOwnRecord(Stream);
    Values.ApplyTo(this, FDoPointSettingsStorage);
    if (Own) Own();
}

void TQvSeries::WriteOwnRecord(QIODevice*) const {}

TQvSeries::TApplyRecord TQvSeries::ReadOwnRecord(QIODevice*) {
    return {};
}

void TQvSeries::WriteOwnRecord(IXMLNode) const {}

TQvSeries::TApplyRecord TQvSeries::ReadOwnRecord(const IXMLNode&) {
    return {};
}

void TQvSeries::WriteOwnRecord(TCustomIniFile*, const QString&) const {}

TQvSeries::TApplyRecord TQvSeries::ReadOwnRecord(TCustomIniFile*, const QString&) {
    return {};
}

// ---- file ----

void TQvSeries::WriteTo(const QString& FileName) const {
    QvStream::SaveFile(FileName, [this](QIODevice* Stream) { WriteTo(Stream); });
}

void TQvSeries::ReadFrom(const QString& FileName) {
    QvStream::ReadFile(FileName, [this](QIODevice* Stream) { ReadFrom(Stream); });
}

// ---- XML ----

void TQvSeries::WriteTo(IXMLNode Node) const {
    IXMLNode Element = Node.AddChild(ClassNameOf(this));
    Element.SetAttribute("Name", GetComponentRef(this));
    Element.SetAttribute("Caption", FCaption);
    IXMLNode Properties = Element.AddChild(PropertiesNode);
    Properties.SetAttribute("Visible", BoolText(FVisible));
    Properties.SetAttribute("OutliersVisible", BoolText(FOutliersVisible));
    Properties.SetAttribute("AutoUpdate", BoolText(FAutoUpdate));
    Properties.SetAttribute("IncludeInLegend", BoolText(FIncludeInLegend));
    Properties.SetAttribute("Layer", QString::number(FLayer));
    ToNode(Element, FLineSettings.get(), "Line");
    ToNode(Element, FAreaSettings.get(), "Area");
    IXMLNode Links = Element.AddChild(LinksNode);
    Links.SetAttribute("XData", DataRef(FXData));
    Links.SetAttribute("YData", DataRef(FYData));
    Links.SetAttribute("XAxis", GetComponentRef(FXAxis));
    Links.SetAttribute("YAxis", GetComponentRef(FYAxis));
    Links.SetAttribute("MergeLegendItemWith", GetComponentRef(FMergeLegendItemWith));
    Links.SetAttribute("DrawBandTo", GetComponentRef(FDrawBandTo));
    if (FDoPointSettingsStorage) {
        Element.SetAttribute(RangeFromFunctionName, GetComponentRef(FRangeFromFunction));
        SymbolToNode(Element, FPointSymbolSettings.get(), PointSymbolName);
        SymbolToNode(Element, FOutOfRangeSymbolSettings.get(), OutOfRangeSymbolName);
    }
    WriteOwnRecord(Element);
}

void TQvSeries::ReadFrom(const IXMLNode& Node) {
    const IXMLNode Element = ClassElement(Node, ClassNameOf(this));
    TSeriesValues Values(this);
    if (Element.HasAttribute("Caption")) Values.Caption = Element.Attribute("Caption");
    if (const IXMLNode Properties = Element.FindNode(PropertiesNode)) {
        Values.Visible = AttrBool(Properties, "Visible", Values.Visible);
        Values.OutliersVisible = AttrBool(Properties, "OutliersVisible", Values.OutliersVisible);
        Values.AutoUpdate = AttrBool(Properties, "AutoUpdate", Values.AutoUpdate);
        Values.IncludeInLegend = AttrBool(Properties, "IncludeInLegend", Values.IncludeInLegend);
        Values.Layer = AttrInt(Properties, "Layer", Values.Layer);
    }
    FromNode(Element, &Values.Line, "Line");
    FromNode(Element, &Values.Area, "Area");
    if (const IXMLNode Links = Element.FindNode(LinksNode)) {
        AttrRef<TQvCustomDoubleVector>(Links, "XData", Values.XData);
        AttrRef<TQvCustomDoubleVector>(Links, "YData", Values.YData);
        AttrRef<TQvAxis>(Links, "XAxis", Values.XAxis);
        AttrRef<TQvAxis>(Links, "YAxis", Values.YAxis);
        AttrRef<TQvSeries>(Links, "MergeLegendItemWith", Values.MergeLegendItemWith);
        AttrRef<TQvLineSeries>(Links, "DrawBandTo", Values.DrawBandTo);
    }
    if (FDoPointSettingsStorage) {
        SymbolFromNode(Element, Values.PointSymbol, PointSymbolName);
        SymbolFromNode(Element, Values.OutOfRangeSymbol, OutOfRangeSymbolName);
        AttrRef<TQvSeries>(Element, RangeFromFunctionName, Values.RangeFromFunction);
    }
    const TApplyRecord Own = ReadOwnRecord(Element);
    TReading Reading(this);
    Values.ApplyTo(this, FDoPointSettingsStorage);
    if (Own) Own();
}

// ---- INI ----

void TQvSeries::WriteTo(TCustomIniFile* Ini, const QString& Section) const {
    Ini->WriteString(Section, "Type", ClassNameOf(this));
    Ini->WriteString(Section, "Name", GetComponentRef(this));
    Ini->WriteString(Section, "Caption", EncodeForIni(FCaption));
    Ini->WriteBool(Section, "Visible", FVisible);
    Ini->WriteBool(Section, "OutliersVisible", FOutliersVisible);
    Ini->WriteBool(Section, "AutoUpdate", FAutoUpdate);
    Ini->WriteBool(Section, "IncludeInLegend", FIncludeInLegend);
    Ini->WriteInteger(Section, "Layer", FLayer);
    ToIni(Ini, Section, "Line", FLineSettings.get());
    ToIni(Ini, Section, "Area", FAreaSettings.get());
    Ini->WriteString(Section, "XData", DataRef(FXData));
    Ini->WriteString(Section, "YData", DataRef(FYData));
    Ini->WriteString(Section, "XAxis", GetComponentRef(FXAxis));
    Ini->WriteString(Section, "YAxis", GetComponentRef(FYAxis));
    Ini->WriteString(Section, "MergeLegendItemWith", GetComponentRef(FMergeLegendItemWith));
    Ini->WriteString(Section, "DrawBandTo", GetComponentRef(FDrawBandTo));
    if (FDoPointSettingsStorage) {
        SymbolToIni(Ini, Section, PointSymbolName, FPointSymbolSettings.get());
        Ini->WriteString(Section, RangeFromFunctionName, GetComponentRef(FRangeFromFunction));
        SymbolToIni(Ini, Section, OutOfRangeSymbolName, FOutOfRangeSymbolSettings.get());
    }
    WriteOwnRecord(Ini, Section);
}

void TQvSeries::ReadFrom(TCustomIniFile* Ini, const QString& Section) {
    if (Ini->ValueExists(Section, "Type"))
        ExpectClass(Ini->ReadString(Section, "Type", QString()), ClassNameOf(this));
    TSeriesValues Values(this);
    if (Ini->ValueExists(Section, "Caption"))
        Values.Caption = DecodeFomIni(Ini->ReadString(Section, "Caption", QString()));
    Values.Visible = Ini->ReadBool(Section, "Visible", Values.Visible);
    Values.OutliersVisible = Ini->ReadBool(Section, "OutliersVisible", Values.OutliersVisible);
    Values.AutoUpdate = Ini->ReadBool(Section, "AutoUpdate", Values.AutoUpdate);
    Values.IncludeInLegend = Ini->ReadBool(Section, "IncludeInLegend", Values.IncludeInLegend);
    Values.Layer = Ini->ReadInteger(Section, "Layer", Values.Layer);
    FromIni(Ini, Section, "Line", &Values.Line);
    FromIni(Ini, Section, "Area", &Values.Area);
    IniRef<TQvCustomDoubleVector>(Ini, Section, "XData", Values.XData);
    IniRef<TQvCustomDoubleVector>(Ini, Section, "YData", Values.YData);
    IniRef<TQvAxis>(Ini, Section, "XAxis", Values.XAxis);
    IniRef<TQvAxis>(Ini, Section, "YAxis", Values.YAxis);
    IniRef<TQvSeries>(Ini, Section, "MergeLegendItemWith", Values.MergeLegendItemWith);
    IniRef<TQvLineSeries>(Ini, Section, "DrawBandTo", Values.DrawBandTo);
    if (FDoPointSettingsStorage) {
        SymbolFromIni(Ini, Section, PointSymbolName, Values.PointSymbol);
        IniRef<TQvSeries>(Ini, Section, RangeFromFunctionName, Values.RangeFromFunction);
        SymbolFromIni(Ini, Section, OutOfRangeSymbolName, Values.OutOfRangeSymbol);
    }
    const TApplyRecord Own = ReadOwnRecord(Ini, Section);
    TReading Reading(this);
    Values.ApplyTo(this, FDoPointSettingsStorage);
    if (Own) Own();
}
