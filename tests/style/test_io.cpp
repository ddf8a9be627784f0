// Persistence primitives: strings, byte-exact style records, XML and INI forms, component
// references and floats in typed streams, also under a German locale.

#include "../qvtest.h"

#include <axes/qvstringfunctions.h>
#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>
#include <framework/qvforms.h>
#include <framework/qvinifiles.h>
#include <style/qvio.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include <clocale>
#include <cstring>
#include <limits>

namespace {
template <class F> void ReadAll(const QByteArray& Data, F&& Read) {
    QByteArray Copy = Data;
    QBuffer Buffer(&Copy);
    Buffer.open(QIODevice::ReadOnly);
    Read(&Buffer);
    EXPECT_TRUE(Buffer.atEnd());
}

// The binary record of a settings object, and a whole record read into one.
template <class T> QByteArray Record(const T* Settings) {
    return Written([&](QIODevice* S) { ToStream(S, Settings); });
}
template <class T> void Read(const QByteArray& Data, T* Settings) {
    ReadAll(Data, [&](QIODevice* S) { FromStream(S, Settings); });
}

// German number text for the process and for Qt while alive.
struct TGermanLocale {
    TGermanLocale() : FSaved(QLocale()) {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
    ~TGermanLocale() {
        QLocale::setDefault(FSaved);
        std::setlocale(LC_ALL, "C");
    }
    QLocale FSaved;
};
} // namespace

TEST(Io, StringsInStreamsAndIniValues) {
    EXPECT_EQ(Written([](QIODevice* S) { StringToStream(S, ""); }).toHex(), "00000000");
    const QByteArray Greeting = Written([](QIODevice* S) { StringToStream(S, "Grüße"); });
    EXPECT_EQ(Greeting.toHex(), "07000000" + QByteArray("Grüße").toHex());
    ReadAll(Greeting, [](QIODevice* S) { EXPECT_EQ(StringFromStream(S), "Grüße"); });
    ReadAll(QByteArray("\xfe\xff\xff\xff", 4),
            [](QIODevice* S) { EXPECT_EQ(StringFromStream(S), ""); });
    QByteArray Short("\x10\x00\x00\x00"
                     "abc",
                     7);
    QBuffer Buffer(&Short);
    Buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(MessageOf<EReadError>([&] { DecodeFromStream(&Buffer); }),
              "A stored text of 16 bytes is longer than the 3 bytes left in the stream");

    EXPECT_EQ(EncodeForIni("a\rb"), "a@\\rb");
    EXPECT_EQ(DecodeFomIni("a@\\rb"), "a\rb");
    EXPECT_EQ(DecodeFomIni(EncodeForIni("\r\rx\r")), "\r\rx\r");
}

TEST(Io, StyleRecordsAreByteExact) {
    TQvGradientSettings Gradient;
    Gradient.SetVisible(true);
    Gradient.SetStyle(TQvGradientStyle::Radial);
    Gradient.SetLinearAngle(90);
    // Distinct values in the fields of one type, so that a swapped pair shows.
    Gradient.SetLinearCenter(0.25f);
    Gradient.SetRadialCenterX(0.75f);
    Gradient.SetRadialCenterY(0.125f);
    const QByteArray GradientBytes = Record(&Gradient);
    EXPECT_EQ(GradientBytes.toHex(),
              Hex("01 01 d3d3d3ff b0b0b0ff 808080ff 0000b442 0000803e 0000403f 0000003e 00"));
    TQvGradientSettings GradientCopy;
    Read(GradientBytes, &GradientCopy);
    EXPECT_EQ(Record(&GradientCopy), GradientBytes);

    TQvLineSettings Line;
    Line.SetVisible(false);
    Line.SetWidth(2);
    Line.SetDashStyle(TGPDashStyle::Dot);
    const QByteArray LineBytes = Record(&Line);
    EXPECT_EQ(LineBytes.left(11).toHex(), Hex("00 0000ffff 00000040 02 01"));
    EXPECT_EQ(LineBytes.mid(11, GradientBytes.size()), Record(Line.GetGradient()));
    EXPECT_EQ(LineBytes.size(), 11 + GradientBytes.size() + 1);
    TQvSimpleLineSettings Simple;
    EXPECT_EQ(Record(&Simple).left(10).toHex(), Hex("0000ffff 0000803f 00 01"));

    // A line record from a writer without the gradient block leaves the gradient alone.
    TQvLineSettings Target;
    Target.GetGradient()->SetLastColor(0xFF123456);
    Read(LineBytes.left(10) + QByteArray(1, 0), &Target);
    EXPECT_FALSE(Target.GetVisible());
    EXPECT_EQ(Target.GetWidth(), 2.0f);
    EXPECT_EQ(Target.GetDashStyle(), TGPDashStyle::Dot);
    EXPECT_EQ(Target.GetGradient()->GetLastColor(), 0xFF123456u);
    Read(LineBytes, &Target);
    EXPECT_EQ(Record(&Target), LineBytes);

    TQvAreaSettings Area;
    Area.SetAreaStyle(TQvAreaStyle::Plaid);
    Area.GetGradient()->SetVisible(true);
    const QByteArray AreaBytes = Record(&Area);
    EXPECT_EQ(AreaBytes.left(11).toHex(), Hex("00 d3d3d3ff a9a9a9ff 29 01"));
    TQvAreaSettings AreaCopy;
    Read(AreaBytes, &AreaCopy);
    EXPECT_EQ(Record(&AreaCopy), AreaBytes);

    TQvFont Font;
    Font.SetName("Arial");
    Font.SetSizeF(10.5f);
    Font.SetStyle(TFontStyle::Bold | TFontStyle::Underline);
    Font.SetDrawEffects(TQvCharDrawEffect::Raised);
    Font.SetRenderingHint(TQvTextRenderingHint::AntiAlias);
    Font.SetFillColor(0x80102030);
    const QByteArray FontBytes = Record(&Font);
    EXPECT_EQ(FontBytes.left(21).toHex(),
              "05000000" + QByteArray("Arial").toHex() + Hex("0a000000 05 01 08 04 30201080"));
    EXPECT_EQ(FontBytes.right(6).toHex(), Hex("01 00002841 00")); // the exact size, then the end
    TQvFont FontCopy;
    Read(FontBytes, &FontCopy);
    EXPECT_EQ(Record(&FontCopy), FontBytes);
    // An older font record ends after the style: size 10 in whole points, nothing else.
    TQvFont Old;
    Old.SetFillColor(0xFF00FF00);
    Read(FontBytes.left(14) + QByteArray(1, 0), &Old);
    EXPECT_EQ(Old.GetSizeF(), 10.0f);
    EXPECT_EQ(Old.GetFillColor(), 0xFF00FF00u);

    // Corrupt records raise instead of storing nonsense.
    QByteArray BadEnum = GradientBytes;
    BadEnum[1] = 7;
    EXPECT_EQ(MessageOf<EReadError>([&] { Read(BadEnum, &Gradient); }), "Invalid property value");
    QByteArray Unknown = LineBytes;
    Unknown[Unknown.size() - 1] = 1;
    EXPECT_EQ(MessageOf<EReadError>([&] { Read(Unknown, &Target); }),
              "Unknown extension block in a stored line record");
    EXPECT_THROW(Read(FontBytes.left(20), &Old), EReadError);
}

TEST(Io, XmlFormsKeepTheirNamesAndSurviveBadValues) {
    TXMLDocument Doc;
    IXMLNode Root = Doc.AddChild("Root");
    TQvLineSettings Line;
    Line.SetColor(0x80FF0000);
    Line.SetWidth(1.5f);
    TQvSimpleLineSettings Simple;
    TQvAreaSettings Area;
    Area.SetVisible(true);
    Area.GetGradient()->SetLinearAngle(45);
    TQvFont Font;
    Font.SetName("Liberation Serif");
    Font.SetSizeF(9.25f);
    Font.SetFillColor(0xFF0000FF);
    ToNode(Root, &Line, "Frame");
    ToNode(Root, &Simple);
    ToNode(Root, &Area, "Fill");
    ToNode(Root, &Font);
    ToNode(Root, Line.GetGradient(), "Shade");

    EXPECT_EQ(Root.FindNode("Frame").AttributeNames(),
              (QStringList{"Visible", "Color", "Width", "DashStyle"}));
    EXPECT_EQ(Root.FindNode("Line").AttributeNames(), (QStringList{"Color", "Width", "DashStyle"}));
    EXPECT_EQ(Root.FindNode("Fill").AttributeNames(),
              (QStringList{"Visible", "ForeColor", "BackColor", "AreaStyle"}));
    EXPECT_TRUE(ContainsNode(Root.FindNode("Fill"), "Gradient"));
    EXPECT_EQ(Root.FindNode("Font").AttributeNames(),
              (QStringList{"Name", "Size", "Style", "DrawEffects", "RenderingHint", "FillColor"}));
    EXPECT_EQ(Root.FindNode("Shade").AttributeNames(),
              (QStringList{"Visible", "Style", "FirstColor", "MiddleColor", "LastColor",
                           "LinearAngle", "LinearCenter", "RadialCenterX", "RadialCenterY"}));
    EXPECT_EQ(Root.FindNode("Frame").Attribute("Color"), "$80FF0000");
    EXPECT_EQ(Root.FindNode("Frame").Attribute("Width"), "1.5");
    EXPECT_EQ(Root.FindNode("Font").Attribute("FillColor"), "Blue");
    EXPECT_EQ(Root.FindNode("Frame").Attribute("Visible"), "true");

    TXMLDocument Back;
    Back.LoadFromXML(Doc.SaveToXML());
    TQvLineSettings LineCopy;
    TQvAreaSettings AreaCopy;
    TQvFont FontCopy;
    FromNode(Back.DocumentElement(), &LineCopy, "Frame");
    FromNode(Back.DocumentElement(), &AreaCopy, "Fill");
    FromNode(Back.DocumentElement(), &FontCopy);
    EXPECT_EQ(Record(&LineCopy), Record(&Line));
    EXPECT_EQ(Record(&AreaCopy), Record(&Area));
    EXPECT_EQ(Record(&FontCopy), Record(&Font));

    // Bad numbers keep the current value, a bad colour name gives 0, a missing node nothing.
    IXMLNode Frame = Back.DocumentElement().FindNode("Frame");
    Frame.SetAttribute("Width", "wide");
    Frame.SetAttribute("DashStyle", "99");
    Frame.SetAttribute("Color", "NoSuchColour");
    TQvLineSettings Guarded;
    Guarded.SetWidth(3);
    FromNode(Back.DocumentElement(), &Guarded, "Frame");
    EXPECT_EQ(Guarded.GetWidth(), 3.0f);
    EXPECT_EQ(Guarded.GetDashStyle(), TGPDashStyle::Solid);
    EXPECT_EQ(Guarded.GetColor(), 0u);
    FromNode(Back.DocumentElement(), &Guarded, "Missing");
    EXPECT_EQ(Guarded.GetWidth(), 3.0f);
}

TEST(Io, IniFormsWrittenUnderAGermanLocaleReadBackEverywhere) {
    QTemporaryDir Dir;
    const QString File = Dir.filePath("styles.ini");
    {
        TGermanLocale German;
        EXPECT_EQ(FloatToStr(1.5), "1,5"); // the locale really is German here
        TMemIniFile Ini(File);
        TQvAreaSettings Area;
        Area.SetForeColor(0x80FF0000);
        Area.GetGradient()->SetLinearCenter(0.25f);
        ToIni(&Ini, "Graph", "Fill", &Area);
        TQvLineSettings Line;
        Line.SetWidth(2.5f);
        ToIni(&Ini, "Graph", "Grid", &Line);
        TQvFont Font;
        Font.SetSizeF(10.5f);
        ToIni(&Ini, "Graph", "Caption.Font", &Font);
        Ini.UpdateFile();
    }
    TMemIniFile Ini(File);
    EXPECT_EQ(Ini.ReadSection("Graph").mid(0, 4),
              (QStringList{"Fill.Visible", "Fill.ForeColor", "Fill.BackColor", "Fill.Style"}));
    EXPECT_EQ(Ini.ReadString("Graph", "Fill.Gradient.LinearCenter", ""), "0.25");
    EXPECT_EQ(Ini.ReadString("Graph", "Grid.Width", ""), "2.5");
    EXPECT_EQ(Ini.ReadString("Graph", "Caption.Font.Size", ""), "10.5");
    EXPECT_TRUE(Ini.ValueExists("Graph", "Caption.Font.Gradient.RadialCenterY"));
    EXPECT_EQ(Ini.ReadSection("Graph").filter("Grid.").size(), 4);

    TQvAreaSettings Area;
    FromIni(&Ini, "Graph", "Fill", &Area);
    EXPECT_EQ(Area.GetForeColor(), 0x80FF0000u);
    EXPECT_EQ(Area.GetGradient()->GetLinearCenter(), 0.25f);
    TQvFont Font;
    FromIni(&Ini, "Graph", "Caption.Font", &Font);
    EXPECT_EQ(Font.GetSizeF(), 10.5f);
    // Missing keys leave the current values.
    TQvLineSettings Line;
    Line.SetColor(0xFF010203);
    FromIni(&Ini, "Other", "Grid", &Line);
    EXPECT_EQ(Line.GetColor(), 0xFF010203u);
    Ini.WriteString("Graph", "Grid.Width", "2,5");
    FromIni(&Ini, "Graph", "Grid", &Line);
    EXPECT_EQ(Line.GetWidth(), 1.0f); // not a number in a file: the current value stays
}

TEST(Io, ComponentReferencesFollowOwnerChains) {
    auto* Form = new TForm(Application());
    Form->SetName("Form1");
    auto* Graph = new TComponent(Form);
    Graph->SetName("Graph1");
    auto* Series = new TComponent(Graph);
    Series->SetName("Series1");
    EXPECT_EQ(GetComponentRef(Series), "Form1.Graph1.Series1");
    EXPECT_EQ(GetComponentFromRef("Form1.Graph1.Series1"), Series);
    EXPECT_EQ(GetComponentFromRef("form1.GRAPH1"), Graph);
    for (const char* Missing : {"Form1.Graph2.Series1", "", ".Graph1"})
        EXPECT_EQ(GetComponentFromRef(Missing), nullptr) << Missing;
    EXPECT_EQ(GetComponentRef(nullptr), "");
    EXPECT_EQ(GetComponentRef(new TComponent(Graph)), ""); // unnamed

    // An unnamed owner in the chain gives no reference.
    auto* Anonymous = new TComponent(Form);
    auto* Child = new TComponent(Anonymous);
    Child->SetName("Child");
    EXPECT_EQ(GetComponentRef(Child), "");

    // Data modules come before forms of the same name.
    auto* Module = new TDataModule(Application());
    Module->SetName("Shared");
    auto* Other = new TForm(nullptr);
    Other->SetName("Shared");
    EXPECT_EQ(GetComponentFromRef("Shared"), Module);

    EXPECT_EQ(OwnerName("Form1.Graph1.Series1"), "Form1.Graph1");
    EXPECT_EQ(ComponentName("Form1.Graph1.Series1"), "Series1");
    EXPECT_EQ(OwnerName("Series1"), "");
    EXPECT_EQ(ComponentName("Series1"), "Series1");
    EXPECT_EQ(RefOwner("Form1.Graph1.Series9"), Graph);
    EXPECT_EQ(RefOwner("Form9"), Application());
    EXPECT_EQ(RefOwner("Nowhere.Series1"), nullptr);

    (new TComponent(Graph))->SetName("XAxis1");
    (new TComponent(Graph))->SetName("XAxis2");
    EXPECT_EQ(UniqueName(Graph, "XAxis"), "XAxis3");
    EXPECT_EQ(UniqueName(Graph, "YAxis"), "YAxis1");
    EXPECT_EQ(UniqueName(nullptr, "QvUndoStack"), "QvUndoStack1");
    delete Other;
    delete Module;
    delete Form;
}

TEST(Io, FloatsInTypedStreamsAreLocaleIndependent) {
    QByteArray Data;
    {
        TGermanLocale German;
        QBuffer Buffer(&Data);
        Buffer.open(QIODevice::WriteOnly);
        TWriter Writer(&Buffer);
        StoreFloatToString(&Writer, 0.1);
        StoreFloatToString(&Writer, -1e-300);
        Writer.WriteFloat(2.5);
        Writer.WriteInteger(7);
    }
    EXPECT_TRUE(Data.contains("0.1"));
    QBuffer Buffer(&Data);
    Buffer.open(QIODevice::ReadOnly);
    TReader Reader(&Buffer);
    EXPECT_EQ(GetFloatFromStringOrFloat(&Reader), 0.1);
    EXPECT_EQ(GetFloatFromStringOrFloat(&Reader), -1e-300);
    EXPECT_EQ(GetFloatFromStringOrFloat(&Reader), 2.5);
    EXPECT_EQ(GetFloatFromStringOrFloat(&Reader), 7.0);
}

TEST(Io, FontSizesOutsideAnyPageAreClampedInEveryForm) {
    // A record claiming 1.1e24 points, and NaN, in each form; the font stays usable.
    TQvFont Written10;
    Written10.SetSizeF(10.5f);
    QByteArray Bytes = Written([&](QIODevice* S) { ToStream(S, &Written10); });
    const float Huge = 1.1e24f;
    std::memcpy(Bytes.data() + Bytes.size() - 5, &Huge, sizeof Huge);
    TQvFont Binary;
    ReadAll(Bytes, [&](QIODevice* S) { FromStream(S, &Binary); });
    EXPECT_EQ(Binary.GetSizeF(), TQvFont::MaxSize);
    EXPECT_EQ(Binary.GetSize(), 4000);

    TXMLDocument Doc;
    Doc.LoadFromXML("<Root><Font Name=\"Arial\" Size=\"1.1e24\"/></Root>");
    TQvFont Xml;
    FromNode(Doc.DocumentElement(), &Xml);
    EXPECT_EQ(Xml.GetSizeF(), TQvFont::MaxSize);

    TMemIniFile Ini("");
    Ini.WriteString("S", "Font.Size", "-1e30");
    TQvFont FromIniFile;
    FromIni(&Ini, "S", "Font", &FromIniFile);
    EXPECT_EQ(FromIniFile.GetSizeF(), float(FromIniFile.GetSize())) << "negative: no own size";

    TQvFont Direct;
    Direct.SetSizeF(std::numeric_limits<float>::quiet_NaN());
    Direct.SetHeight(std::numeric_limits<int>::min());
    EXPECT_EQ(Direct.GetSizeF(), TQvFont::MaxSize);
    EXPECT_GT(Direct.GetGPFont().GetSize(), 0.0f);
}
