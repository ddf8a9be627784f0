#include "style/qvio.h"

#include "axes/qvstringfunctions.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvforms.h"
#include "framework/qvinifiles.h"
#include "framework/qvstreams.h"
#include "strings/qvlocalize.h"

using namespace QvStream;

namespace {
// ---- binary helpers ----

[[noreturn]] void InvalidValue() {
    throw EReadError(Qvlocalize::SInvalidPropertyValue.Text());
}

template <class E> E ReadEnum(QIODevice* Stream, int Count) {
    const int Value = ReadByte(Stream);
    if (Value >= Count) InvalidValue();
    return E(Value);
}

constexpr int GradientStyles = 3, DashStyles = 6, AreaStyles = int(TQvAreaStyle::Total) + 1,
              RenderingHints = 6;

// ---- XML helpers ----

template <class E> E AttrEnum(const IXMLNode& Node, const QString& Name, E Current, int Count) {
    const int Value = AttrInt(Node, Name, int(Current));
    return Value >= 0 && Value < Count ? E(Value) : Current;
}

// ---- INI helpers ----

template <class E>
E ReadIniEnum(TCustomIniFile* Ini, const QString& Section, const QString& Key, E Current,
              int Count) {
    const int Value = Ini->ReadInteger(Section, Key, int(Current));
    return Value >= 0 && Value < Count ? E(Value) : Current;
}

// The line fields shared by simple and visible lines, in their record order.
void LineFieldsToStream(QIODevice* Stream, const TQvSimpleLineSettings* Settings) {
    WriteColor(Stream, Settings->GetColor());
    WriteSingle(Stream, Settings->GetWidth());
    WriteByte(Stream, quint8(Settings->GetDashStyle()));
    WriteByte(Stream, 1);
    ToStream(Stream, Settings->GetGradient());
    WriteByte(Stream, 0);
}

void LineFieldsFromStream(QIODevice* Stream, TQvSimpleLineSettings* Settings, const char* Record) {
    Settings->SetColor(ReadColor(Stream));
    Settings->SetWidth(ReadSingle(Stream));
    Settings->SetDashStyle(ReadEnum<TGPDashStyle>(Stream, DashStyles));
    if (!ReadMarker(Stream)) return;
    FromStream(Stream, Settings->GetGradient());
    ExpectEnd(Stream, Record);
}

void LineAttributes(IXMLNode Node, const TQvSimpleLineSettings* Settings) {
    Node.SetAttribute("Color", ARGBToString(Settings->GetColor()));
    Node.SetAttribute("Width", DoubleToStr(Settings->GetWidth()));
    Node.SetAttribute("DashStyle", QString::number(int(Settings->GetDashStyle())));
}

void ReadLineAttributes(const IXMLNode& Node, TQvSimpleLineSettings* Settings) {
    Settings->SetColor(AttrColor(Node, "Color", Settings->GetColor()));
    Settings->SetWidth(AttrFloat(Node, "Width", Settings->GetWidth()));
    Settings->SetDashStyle(AttrEnum(Node, "DashStyle", Settings->GetDashStyle(), DashStyles));
}
} // namespace

// ---- markers and single values ----

bool ReadMarker(QIODevice* Stream) {
    return ReadByte(Stream) != 0;
}

void ExpectEnd(QIODevice* Stream, const char* Record) {
    if (ReadMarker(Stream)) throw EReadError(Format(Qvlocalize::SUnknownRecordBlock, {Record}));
}

QString BoolText(bool Value) {
    return Value ? QStringLiteral("true") : QStringLiteral("false");
}

bool AttrBool(const IXMLNode& Node, const QString& Name, bool Current) {
    const QString Text = Node.Attribute(Name).trimmed();
    if (Text.compare(u"true", Qt::CaseInsensitive) == 0 || Text == u"1") return true;
    if (Text.compare(u"false", Qt::CaseInsensitive) == 0 || Text == u"0") return false;
    return Current;
}

int AttrInt(const IXMLNode& Node, const QString& Name, int Current) {
    int Value = 0;
    return TryStrToInt(Node.Attribute(Name), Value) ? Value : Current;
}

double AttrDouble(const IXMLNode& Node, const QString& Name, double Current) {
    return DoubleFromStrDef(Node.Attribute(Name), Current);
}

float AttrFloat(const IXMLNode& Node, const QString& Name, float Current) {
    return float(AttrDouble(Node, Name, Current));
}

TQvColor AttrColor(const IXMLNode& Node, const QString& Name, TQvColor Current) {
    return Node.HasAttribute(Name) ? ColorToARGB(Node.Attribute(Name)) : Current;
}

double ReadIniDouble(TCustomIniFile* Ini, const QString& Section, const QString& Key,
                     double Current) {
    return DoubleFromStrDef(Ini->ReadString(Section, Key, QString()), Current);
}

float ReadIniFloat(TCustomIniFile* Ini, const QString& Section, const QString& Key, float Current) {
    return float(ReadIniDouble(Ini, Section, Key, Current));
}

TQvColor ReadIniColor(TCustomIniFile* Ini, const QString& Section, const QString& Key,
                      TQvColor Current) {
    return Ini->ValueExists(Section, Key) ? ColorToARGB(Ini->ReadString(Section, Key, QString()))
                                          : Current;
}

// ---- strings ----

void StringToStream(QIODevice* Stream, const QString& S) {
    const QByteArray Bytes = S.toUtf8();
    WriteInteger(Stream, qint32(Bytes.size()));
    WriteBuffer(Stream, Bytes.constData(), Bytes.size());
}

QString StringFromStream(QIODevice* Stream) {
    const qint32 Count = ReadInteger(Stream);
    if (Count < 1) return QString();
    const qint64 Left = BytesLeft(Stream);
    if (Count > Left) throw EReadError(Format(Qvlocalize::SStringTooLong, {int(Count), int(Left)}));
    QByteArray Bytes(Count, Qt::Uninitialized);
    ReadBuffer(Stream, Bytes.data(), Count);
    return QString::fromUtf8(Bytes);
}

void EncodeToStream(QIODevice* Stream, const QString& S) {
    StringToStream(Stream, S);
}

QString DecodeFromStream(QIODevice* Stream) {
    return StringFromStream(Stream);
}

QString EncodeForIni(const QString& S) {
    QString Result = S;
    return Result.replace(QLatin1Char('\r'), QLatin1String("@\\r"));
}

QString DecodeFomIni(const QString& S) {
    QString Result = S;
    return Result.replace(QLatin1String("@\\r"), QLatin1String("\r"));
}

bool ContainsNode(const IXMLNode& Node, const QString& Name) {
    return !Node.FindNode(Name).IsNull();
}

void ExpectClass(const QString& Stored, const QString& Class) {
    if (Stored != Class)
        throw EReadError(Format(Qvlocalize::SSeriesClassMismatch, {Stored, Class}));
}

IXMLNode ClassElement(const IXMLNode& Node, const QString& Class) {
    IXMLNode Element;
    if (!Node.IsNull()) Element = Node.NodeName() == Class ? Node : Node.FindNode(Class);
    if (Element.IsNull())
        throw EReadError(Format(Qvlocalize::SSeriesNoXMLRecord,
                                {Node.IsNull() ? QString() : Node.NodeName(), Class}));
    return Element;
}

// ---- binary records ----

// Each reader opens a read scope: what it sets is not a user's edit and is not recorded for undo.

void ToStream(QIODevice* Stream, const TQvGradientSettings* Settings) {
    WriteBoolean(Stream, Settings->GetVisible());
    WriteByte(Stream, quint8(Settings->GetStyle()));
    WriteColor(Stream, Settings->GetFirstColor());
    WriteColor(Stream, Settings->GetMiddleColor());
    WriteColor(Stream, Settings->GetLastColor());
    WriteSingle(Stream, Settings->GetLinearAngle());
    WriteSingle(Stream, Settings->GetLinearCenter());
    WriteSingle(Stream, Settings->GetRadialCenterX());
    WriteSingle(Stream, Settings->GetRadialCenterY());
    WriteByte(Stream, 0);
}

void FromStream(QIODevice* Stream, TQvGradientSettings* Settings) {
    const TReadScope Reading;
    Settings->SetVisible(ReadBoolean(Stream));
    Settings->SetStyle(ReadEnum<TQvGradientStyle>(Stream, GradientStyles));
    Settings->SetFirstColor(ReadColor(Stream));
    Settings->SetMiddleColor(ReadColor(Stream));
    Settings->SetLastColor(ReadColor(Stream));
    Settings->SetLinearAngle(ReadSingle(Stream));
    Settings->SetLinearCenter(ReadSingle(Stream));
    Settings->SetRadialCenterX(ReadSingle(Stream));
    Settings->SetRadialCenterY(ReadSingle(Stream));
    ExpectEnd(Stream, "gradient");
}

void ToStream(QIODevice* Stream, const TQvSimpleLineSettings* Settings) {
    LineFieldsToStream(Stream, Settings);
}

void FromStream(QIODevice* Stream, TQvSimpleLineSettings* Settings) {
    const TReadScope Reading;
    LineFieldsFromStream(Stream, Settings, "line");
}

void ToStream(QIODevice* Stream, const TQvLineSettings* Settings) {
    WriteBoolean(Stream, Settings->GetVisible());
    LineFieldsToStream(Stream, Settings);
}

void FromStream(QIODevice* Stream, TQvLineSettings* Settings) {
    const TReadScope Reading;
    Settings->SetVisible(ReadBoolean(Stream));
    LineFieldsFromStream(Stream, Settings, "line");
}

void ToStream(QIODevice* Stream, const TQvAreaSettings* Settings) {
    WriteBoolean(Stream, Settings->GetVisible());
    WriteColor(Stream, Settings->GetForeColor());
    WriteColor(Stream, Settings->GetBackColor());
    WriteByte(Stream, quint8(Settings->GetAreaStyle()));
    WriteByte(Stream, 1);
    ToStream(Stream, Settings->GetGradient());
    WriteByte(Stream, 0);
}

void FromStream(QIODevice* Stream, TQvAreaSettings* Settings) {
    const TReadScope Reading;
    Settings->SetVisible(ReadBoolean(Stream));
    Settings->SetForeColor(ReadColor(Stream));
    Settings->SetBackColor(ReadColor(Stream));
    Settings->SetAreaStyle(ReadEnum<TQvAreaStyle>(Stream, AreaStyles));
    if (!ReadMarker(Stream)) return;
    FromStream(Stream, Settings->GetGradient());
    ExpectEnd(Stream, "area");
}

void ToStream(QIODevice* Stream, const TQvFont* Font) {
    StringToStream(Stream, Font->GetName());
    WriteInteger(Stream, Font->GetSize());
    WriteByte(Stream, quint8(Font->GetStyle().toInt()));
    WriteByte(Stream, 1);
    WriteByte(Stream, quint8(Font->GetDrawEffects().toInt()));
    WriteByte(Stream, quint8(Font->GetRenderingHint()));
    WriteColor(Stream, Font->GetFillColor());
    ToStream(Stream, Font->GetGradient());
    WriteByte(Stream, 1);
    WriteSingle(Stream, Font->GetSizeF());
    WriteByte(Stream, 0);
}

void FromStream(QIODevice* Stream, TQvFont* Font) {
    const TReadScope Reading;
    Font->SetName(StringFromStream(Stream));
    Font->SetSize(ReadInteger(Stream));
    Font->SetStyle(TFontStyles::fromInt(ReadByte(Stream) & 0x0F));
    if (!ReadMarker(Stream)) return;
    Font->SetDrawEffects(TQvCharDrawEffects::fromInt(ReadByte(Stream) & 0x0F));
    Font->SetRenderingHint(ReadEnum<TQvTextRenderingHint>(Stream, RenderingHints));
    Font->SetFillColor(ReadColor(Stream));
    FromStream(Stream, Font->GetGradient());
    if (!ReadMarker(Stream)) return;
    // The exact size overrides the whole points.
    Font->SetSizeF(ReadSingle(Stream));
    ExpectEnd(Stream, "font");
}

// ---- XML ----

void ToNode(IXMLNode Node, const TQvGradientSettings* Settings, const QString& Name) {
    IXMLNode Child = Node.AddChild(Name);
    Child.SetAttribute("Visible", BoolText(Settings->GetVisible()));
    Child.SetAttribute("Style", QString::number(int(Settings->GetStyle())));
    Child.SetAttribute("FirstColor", ARGBToString(Settings->GetFirstColor()));
    Child.SetAttribute("MiddleColor", ARGBToString(Settings->GetMiddleColor()));
    Child.SetAttribute("LastColor", ARGBToString(Settings->GetLastColor()));
    Child.SetAttribute("LinearAngle", DoubleToStr(Settings->GetLinearAngle()));
    Child.SetAttribute("LinearCenter", DoubleToStr(Settings->GetLinearCenter()));
    Child.SetAttribute("RadialCenterX", DoubleToStr(Settings->GetRadialCenterX()));
    Child.SetAttribute("RadialCenterY", DoubleToStr(Settings->GetRadialCenterY()));
}

void FromNode(const IXMLNode& Node, TQvGradientSettings* Settings, const QString& Name) {
    const TReadScope Reading;
    const IXMLNode Child = Node.FindNode(Name);
    if (Child.IsNull()) return;
    Settings->SetVisible(AttrBool(Child, "Visible", Settings->GetVisible()));
    Settings->SetStyle(AttrEnum(Child, "Style", Settings->GetStyle(), GradientStyles));
    Settings->SetFirstColor(AttrColor(Child, "FirstColor", Settings->GetFirstColor()));
    Settings->SetMiddleColor(AttrColor(Child, "MiddleColor", Settings->GetMiddleColor()));
    Settings->SetLastColor(AttrColor(Child, "LastColor", Settings->GetLastColor()));
    Settings->SetLinearAngle(AttrFloat(Child, "LinearAngle", Settings->GetLinearAngle()));
    Settings->SetLinearCenter(AttrFloat(Child, "LinearCenter", Settings->GetLinearCenter()));
    Settings->SetRadialCenterX(AttrFloat(Child, "RadialCenterX", Settings->GetRadialCenterX()));
    Settings->SetRadialCenterY(AttrFloat(Child, "RadialCenterY", Settings->GetRadialCenterY()));
}

void ToNode(IXMLNode Node, const TQvSimpleLineSettings* Settings) {
    LineAttributes(Node.AddChild("Line"), Settings);
}

void FromNode(const IXMLNode& Node, TQvSimpleLineSettings* Settings) {
    const TReadScope Reading;
    const IXMLNode Child = Node.FindNode("Line");
    if (!Child.IsNull()) ReadLineAttributes(Child, Settings);
}

void ToNode(IXMLNode Node, const TQvLineSettings* Settings, const QString& Name) {
    IXMLNode Child = Node.AddChild(Name);
    Child.SetAttribute("Visible", BoolText(Settings->GetVisible()));
    LineAttributes(Child, Settings);
}

void FromNode(const IXMLNode& Node, TQvLineSettings* Settings, const QString& Name) {
    const TReadScope Reading;
    const IXMLNode Child = Node.FindNode(Name);
    if (Child.IsNull()) return;
    Settings->SetVisible(AttrBool(Child, "Visible", Settings->GetVisible()));
    ReadLineAttributes(Child, Settings);
}

void ToNode(IXMLNode Node, const TQvAreaSettings* Settings, const QString& Name) {
    IXMLNode Child = Node.AddChild(Name);
    Child.SetAttribute("Visible", BoolText(Settings->GetVisible()));
    Child.SetAttribute("ForeColor", ARGBToString(Settings->GetForeColor()));
    Child.SetAttribute("BackColor", ARGBToString(Settings->GetBackColor()));
    Child.SetAttribute("AreaStyle", QString::number(int(Settings->GetAreaStyle())));
    ToNode(Child, Settings->GetGradient(), "Gradient");
}

void FromNode(const IXMLNode& Node, TQvAreaSettings* Settings, const QString& Name) {
    const TReadScope Reading;
    const IXMLNode Child = Node.FindNode(Name);
    if (Child.IsNull()) return;
    Settings->SetVisible(AttrBool(Child, "Visible", Settings->GetVisible()));
    Settings->SetForeColor(AttrColor(Child, "ForeColor", Settings->GetForeColor()));
    Settings->SetBackColor(AttrColor(Child, "BackColor", Settings->GetBackColor()));
    Settings->SetAreaStyle(AttrEnum(Child, "AreaStyle", Settings->GetAreaStyle(), AreaStyles));
    FromNode(Child, Settings->GetGradient(), "Gradient");
}

void ToNode(IXMLNode Node, const TQvFont* Font) {
    IXMLNode Child = Node.AddChild("Font");
    Child.SetAttribute("Name", Font->GetName());
    Child.SetAttribute("Size", DoubleToStr(Font->GetSizeF()));
    Child.SetAttribute("Style", QString::number(Font->GetStyle().toInt()));
    Child.SetAttribute("DrawEffects", QString::number(Font->GetDrawEffects().toInt()));
    Child.SetAttribute("RenderingHint", QString::number(int(Font->GetRenderingHint())));
    Child.SetAttribute("FillColor", ARGBToString(Font->GetFillColor()));
    ToNode(Child, Font->GetGradient(), "Gradient");
}

void FromNode(const IXMLNode& Node, TQvFont* Font) {
    const TReadScope Reading;
    const IXMLNode Child = Node.FindNode("Font");
    if (Child.IsNull()) return;
    if (Child.HasAttribute("Name")) Font->SetName(Child.Attribute("Name"));
    Font->SetSizeF(AttrFloat(Child, "Size", Font->GetSizeF()));
    Font->SetStyle(TFontStyles::fromInt(AttrInt(Child, "Style", Font->GetStyle().toInt()) & 0x0F));
    Font->SetDrawEffects(TQvCharDrawEffects::fromInt(
        AttrInt(Child, "DrawEffects", Font->GetDrawEffects().toInt()) & 0x0F));
    Font->SetRenderingHint(
        AttrEnum(Child, "RenderingHint", Font->GetRenderingHint(), RenderingHints));
    Font->SetFillColor(AttrColor(Child, "FillColor", Font->GetFillColor()));
    FromNode(Child, Font->GetGradient(), "Gradient");
}

// ---- INI ----

void ToIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
           const TQvGradientSettings* Settings) {
    Ini->WriteBool(Section, Name + ".Visible", Settings->GetVisible());
    Ini->WriteInteger(Section, Name + ".Style", int(Settings->GetStyle()));
    Ini->WriteString(Section, Name + ".FirstColor", ARGBToString(Settings->GetFirstColor()));
    Ini->WriteString(Section, Name + ".MiddleColor", ARGBToString(Settings->GetMiddleColor()));
    Ini->WriteString(Section, Name + ".LastColor", ARGBToString(Settings->GetLastColor()));
    Ini->WriteString(Section, Name + ".LinearAngle", DoubleToStr(Settings->GetLinearAngle()));
    Ini->WriteString(Section, Name + ".LinearCenter", DoubleToStr(Settings->GetLinearCenter()));
    Ini->WriteString(Section, Name + ".RadialCenterX", DoubleToStr(Settings->GetRadialCenterX()));
    Ini->WriteString(Section, Name + ".RadialCenterY", DoubleToStr(Settings->GetRadialCenterY()));
}

void FromIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
             TQvGradientSettings* Settings) {
    const TReadScope Reading;
    Settings->SetVisible(Ini->ReadBool(Section, Name + ".Visible", Settings->GetVisible()));
    Settings->SetStyle(
        ReadIniEnum(Ini, Section, Name + ".Style", Settings->GetStyle(), GradientStyles));
    Settings->SetFirstColor(
        ReadIniColor(Ini, Section, Name + ".FirstColor", Settings->GetFirstColor()));
    Settings->SetMiddleColor(
        ReadIniColor(Ini, Section, Name + ".MiddleColor", Settings->GetMiddleColor()));
    Settings->SetLastColor(
        ReadIniColor(Ini, Section, Name + ".LastColor", Settings->GetLastColor()));
    Settings->SetLinearAngle(
        ReadIniFloat(Ini, Section, Name + ".LinearAngle", Settings->GetLinearAngle()));
    Settings->SetLinearCenter(
        ReadIniFloat(Ini, Section, Name + ".LinearCenter", Settings->GetLinearCenter()));
    Settings->SetRadialCenterX(
        ReadIniFloat(Ini, Section, Name + ".RadialCenterX", Settings->GetRadialCenterX()));
    Settings->SetRadialCenterY(
        ReadIniFloat(Ini, Section, Name + ".RadialCenterY", Settings->GetRadialCenterY()));
}

void ToIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
           const TQvSimpleLineSettings* Settings) {
    Ini->WriteString(Section, Name + ".Color", ARGBToString(Settings->GetColor()));
    Ini->WriteString(Section, Name + ".Width", DoubleToStr(Settings->GetWidth()));
    Ini->WriteInteger(Section, Name + ".DashStyle", int(Settings->GetDashStyle()));
}

void FromIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
             TQvSimpleLineSettings* Settings) {
    const TReadScope Reading;
    Settings->SetColor(ReadIniColor(Ini, Section, Name + ".Color", Settings->GetColor()));
    Settings->SetWidth(ReadIniFloat(Ini, Section, Name + ".Width", Settings->GetWidth()));
    Settings->SetDashStyle(
        ReadIniEnum(Ini, Section, Name + ".DashStyle", Settings->GetDashStyle(), DashStyles));
}

void ToIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
           const TQvLineSettings* Settings) {
    Ini->WriteBool(Section, Name + ".Visible", Settings->GetVisible());
    ToIni(Ini, Section, Name, static_cast<const TQvSimpleLineSettings*>(Settings));
}

void FromIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
             TQvLineSettings* Settings) {
    const TReadScope Reading;
    Settings->SetVisible(Ini->ReadBool(Section, Name + ".Visible", Settings->GetVisible()));
    FromIni(Ini, Section, Name, static_cast<TQvSimpleLineSettings*>(Settings));
}

void ToIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
           const TQvAreaSettings* Settings) {
    Ini->WriteBool(Section, Name + ".Visible", Settings->GetVisible());
    Ini->WriteString(Section, Name + ".ForeColor", ARGBToString(Settings->GetForeColor()));
    Ini->WriteString(Section, Name + ".BackColor", ARGBToString(Settings->GetBackColor()));
    Ini->WriteInteger(Section, Name + ".Style", int(Settings->GetAreaStyle()));
    ToIni(Ini, Section, Name + ".Gradient", Settings->GetGradient());
}

void FromIni(TCustomIniFile* Ini, const QString& Section, const QString& Name,
             TQvAreaSettings* Settings) {
    const TReadScope Reading;
    Settings->SetVisible(Ini->ReadBool(Section, Name + ".Visible", Settings->GetVisible()));
    Settings->SetForeColor(
        ReadIniColor(Ini, Section, Name + ".ForeColor", Settings->GetForeColor()));
    Settings->SetBackColor(
        ReadIniColor(Ini, Section, Name + ".BackColor", Settings->GetBackColor()));
    Settings->SetAreaStyle(
        ReadIniEnum(Ini, Section, Name + ".Style", Settings->GetAreaStyle(), AreaStyles));
    FromIni(Ini, Section, Name + ".Gradient", Settings->GetGradient());
}

void ToIni(TCustomIniFile* Ini, const QString& Section, const QString& Name, const TQvFont* Font) {
    Ini->WriteString(Section, Name + ".Name", Font->GetName());
    Ini->WriteString(Section, Name + ".Size", DoubleToStr(Font->GetSizeF()));
    Ini->WriteInteger(Section, Name + ".Style", Font->GetStyle().toInt());
    Ini->WriteInteger(Section, Name + ".DrawEffects", Font->GetDrawEffects().toInt());
    Ini->WriteInteger(Section, Name + ".RenderingHint", int(Font->GetRenderingHint()));
    Ini->WriteString(Section, Name + ".FillColor", ARGBToString(Font->GetFillColor()));
    ToIni(Ini, Section, Name + ".Gradient", Font->GetGradient());
}

void FromIni(TCustomIniFile* Ini, const QString& Section, const QString& Name, TQvFont* Font) {
    const TReadScope Reading;
    Font->SetName(Ini->ReadString(Section, Name + ".Name", Font->GetName()));
    Font->SetSizeF(ReadIniFloat(Ini, Section, Name + ".Size", Font->GetSizeF()));
    Font->SetStyle(TFontStyles::fromInt(
        Ini->ReadInteger(Section, Name + ".Style", Font->GetStyle().toInt()) & 0x0F));
    Font->SetDrawEffects(TQvCharDrawEffects::fromInt(
        Ini->ReadInteger(Section, Name + ".DrawEffects", Font->GetDrawEffects().toInt()) & 0x0F));
    Font->SetRenderingHint(ReadIniEnum(Ini, Section, Name + ".RenderingHint",
                                       Font->GetRenderingHint(), RenderingHints));
    Font->SetFillColor(ReadIniColor(Ini, Section, Name + ".FillColor", Font->GetFillColor()));
    FromIni(Ini, Section, Name + ".Gradient", Font->GetGradient());
}

// ---- floats in typed streams ----

void StoreFloatToString(TWriter* Writer, double Value) {
    Writer->WriteString(DoubleToStr(Value));
}

double GetFloatFromStringOrFloat(TReader* Reader) {
    const TValueType Next = Reader->NextValue();
    if (Next == TValueType::String || Next == TValueType::UTF8String)
        return DoubleFromStr(Reader->ReadString());
    return Reader->ReadFloat();
}
