// Saving and loading a series: the byte layout of the binary record, round trips through
// stream, file, XML and INI with every value and reference, and damaged or foreign records.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../seriesrecords.h"

#include <framework/qvexceptions.h>
#include <framework/qvinifiles.h>
#include <framework/qvxml.h>
#include <style/qvio.h>

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// A chart whose point series S has every stored value away from its default, with references
// to vectors, axes and two further series.
struct TStoredChart : TChart {
    TStoredChart() {
        XData = NewVector("XVec", {1, 2, 3});
        YData = NewVector("YVec", {4, 5, 6, 7});
        Other = NewSeries(nullptr, NewVector("OtherY", {1, 2}));
        Other->SetName("Other");
        S = NewSeries(XData, YData);
        S->SetName("S");
        S->SetCaption(QString::fromUtf8("Druck µ\rkPa"));
        S->SetVisible(false);
        S->SetOutliersVisible(true);
        S->SetIncludeInLegend(false);
        S->SetAutoUpdate(false);
        S->SetLayer(258);
        S->GetLine()->SetColor(0xFF102030);
        S->GetLine()->SetWidth(2.5f);
        S->GetArea()->SetVisible(true);
        S->GetArea()->SetForeColor(0x80405060);
        S->SetMergeLegendItemWith(Other);
        S->SetDrawBandTo(Other);
        S->SetRangeFromFunction(Other);
        SetSymbol(S->GetPointSymbol(), false, 7.5f, 1.5f, 0x11223344, 0x55667788,
                  TQvPointSymbol::Diamond);
        SetSymbol(S->GetOutOfRangePointSymbol(), true, 3, 0.25f, 0xFF000001, 0xFF000002,
                  TQvPointSymbol::Nabla);
    }

    static void SetSymbol(TQvPointSymbolSettings* P, bool Visible, float Size, float Border,
                          TQvColor BorderColor, TQvColor Fill, TQvPointSymbol Symbol) {
        P->SetVisible(Visible);
        P->SetSize(Size);
        P->SetBorderLineWidth(Border);
        P->SetBorderColor(BorderColor);
        P->SetFillColor(Fill);
        P->SetPointSymbol(Symbol);
    }

    // A point series of default values on no axes, ready to be read into.
    TQvPointSeries* Blank(const QString& Name = "T") {
        auto* Series = new TQvPointSeries(Owner.get());
        Series->SetName(Name);
        return Series;
    }

    QString Ref(const QString& Name) const { return Owner->GetName() + "." + Name; }

    TQvDoubleVector *XData, *YData;
    TQvPointSeries *Other, *S;
};

template <class T> QByteArray Settings(const T* Object) {
    return Written([&](QIODevice* Stream) { ToStream(Stream, Object); });
}

// Walks a record the way a foreign reader would.
struct TCursor {
    QByteArray Bytes;
    qsizetype Pos = 0;
    QByteArray Raw(qsizetype n) {
        Pos += n;
        return Bytes.mid(Pos - n, n);
    }
    quint8 Byte() { return quint8(Raw(1)[0]); }
    QString Str() {
        const qint32 n = qFromLittleEndian<qint32>(Raw(4).constData());
        return QString::fromUtf8(Raw(n));
    }
};

// The record after the class and the name: every stored value and reference (the layout test
// pins each byte, so equal bytes mean equal values).
QByteArray Stored(const TQvSeries* Series) {
    TCursor C{Binary(Series)};
    C.Str();
    C.Str();
    return C.Bytes.mid(C.Pos);
}

TEST(SeriesIO, BinaryLayout) {
    TStoredChart Chart;
    TCursor C{Binary(Chart.S)};
    EXPECT_EQ(C.Str(), "TQvPointSeries");
    EXPECT_EQ(C.Str(), Chart.Ref("S"));
    EXPECT_EQ(C.Str(), QString::fromUtf8("Druck µ\rkPa"));  // its length counts UTF-8 bytes
    EXPECT_EQ(C.Raw(4), QByteArray("\x00\x01\x00\x00", 4)); // Visible, OutliersVisible, ...
    EXPECT_EQ(C.Raw(4), QByteArray("\x02\x01\x00\x00", 4)); // Layer 258
    const QByteArray Line = Settings(Chart.S->GetLine()), Area = Settings(Chart.S->GetArea());
    EXPECT_EQ(C.Raw(Line.size()), Line);
    EXPECT_EQ(C.Raw(Area.size()), Area);
    for (const char* Name : {"XVec", "YVec", "Graph1X", "Graph1Y"})
        EXPECT_EQ(C.Str(), Chart.Ref(Name));
    EXPECT_EQ(C.Byte(), 1);
    EXPECT_EQ(C.Str(), Chart.Ref("Other"));
    EXPECT_EQ(C.Str(), Chart.Ref("Other"));
    EXPECT_EQ(C.Byte(), 0);
    // Visible, Size 7.5, BorderLineWidth 1.5, colours ARGB little-endian, Diamond.
    EXPECT_EQ(C.Raw(18), QByteArray("\x00\x00\x00\xF0\x40\x00\x00\xC0\x3F"
                                    "\x44\x33\x22\x11\x88\x77\x66\x55\x07",
                                    18));
    EXPECT_EQ(C.Byte(), 1);
    EXPECT_EQ(C.Raw(18), QByteArray("\x01\x00\x00\x40\x40\x00\x00\x80\x3E"
                                    "\x01\x00\x00\xFF\x02\x00\x00\xFF\x09",
                                    18));
    EXPECT_EQ(C.Str(), Chart.Ref("Other"));
    EXPECT_EQ(C.Byte(), 0);
    EXPECT_EQ(C.Pos, C.Bytes.size());

    // The own indexer is stored as an empty reference; a line series stops after its end byte.
    auto* Line2 = Chart.NewSeries<TQvLineSeries>(nullptr, Chart.YData);
    ASSERT_EQ(Line2->GetXData(), Line2->GetIndexer());
    TCursor L{Stored(Line2)};
    L.Str(); // caption
    L.Raw(8 + Line.size() + Area.size());
    EXPECT_EQ(L.Str(), "");
    EXPECT_EQ(L.Str(), Chart.Ref("YVec"));
    L.Raw(2 * (4 + Chart.Ref("Graph1X").size()));
    // Marker, two empty references, end byte.
    EXPECT_EQ(L.Raw(10), QByteArray("\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00", 10));
    EXPECT_EQ(L.Pos, L.Bytes.size());
}

TEST(SeriesIO, RoundTripsInEveryForm) {
    TStoredChart Chart;
    QTemporaryDir Dir;
    const QString File = Dir.filePath("series.bin");
    std::vector<std::pair<const char*, std::function<void(TQvSeries*)>>> Forms = {
        {"file",
         [&](TQvSeries* T) {
             Chart.S->WriteTo(File);
             T->ReadFrom(File);
         }},
    };
    for (TRecordForm Form : RecordForms)
        Forms.emplace_back(FormName(Form),
                           [&Chart, Form](TQvSeries* T) { CopyRecord(Chart.S, T, Form); });
    // Reading is not recorded for undo; later changes are.
    auto* Undo = new TQvUndoStack(Chart.Owner.get());
    Undo->SetName("Undo");
    for (const auto& [Form, Read] : Forms) {
        SCOPED_TRACE(Form);
        TQvPointSeries* T = Chart.Blank(Form);
        T->SetUndoStack(Undo);
        const int Steps = Undo->UndoCount();
        Read(T);
        EXPECT_EQ(Stored(T), Stored(Chart.S));
        EXPECT_FALSE(T->IsLoading());
        EXPECT_TRUE(Chart.Graph->ContainsSeries(T));
        EXPECT_EQ(T->GetLine()->GetUndoStack(), Undo);
        EXPECT_EQ(Undo->UndoCount(), Steps);
        T->SetLayer(1);
        EXPECT_EQ(Undo->UndoCount(), Steps + 1);
    }

    // An empty data reference is the own indexer, pointing at the new other vector.
    TQvPointSeries* YOnly = Chart.NewSeries(nullptr, Chart.XData);
    TQvPointSeries* T = Chart.NewSeries(Chart.XData, Chart.YData);
    for (int Pass = 0; Pass < 2; ++Pass) {
        ReadBinary(T, Binary(YOnly));
        EXPECT_EQ(T->GetXData(), T->GetIndexer());
        EXPECT_EQ(T->GetYData(), YOnly->GetYData());
        EXPECT_EQ(T->GetCount(), YOnly->GetYData()->GetCount())
            << "the indexer follows the Y vector it stands in for";
        YOnly->SetYData(Chart.YData);
    }
}

// The names in XML and INI records; references to nothing or to the wrong kind of component,
// and foreign nodes and sections.
TEST(SeriesIO, XmlAndIniNamesAndForeignReferences) {
    TStoredChart Chart;
    TXMLDocument Doc;
    Chart.S->WriteTo(Doc.AddChild("Root"));
    IXMLNode E = Doc.DocumentElement().FindNode("TQvPointSeries");
    ASSERT_FALSE(E.IsNull());
    EXPECT_EQ(E.Attribute("Name"), Chart.Ref("S"));
    EXPECT_EQ(E.Attribute("RangeFromFunction"), Chart.Ref("Other"));
    const IXMLNode P = E.FindNode("Properties");
    EXPECT_EQ(P.AttributeNames(), QStringList({"Visible", "OutliersVisible", "AutoUpdate",
                                               "IncludeInLegend", "Layer"}));
    EXPECT_EQ(P.Attribute("Layer"), "258");
    IXMLNode Links = E.FindNode("Links");
    EXPECT_EQ(Links.Attribute("YAxis"), Chart.Ref("Graph1Y"));
    const IXMLNode Symbol = E.FindNode("PointSymbol");
    EXPECT_EQ(Symbol.Attribute("Size"), "7.5");
    EXPECT_EQ(Symbol.Attribute("Symbol"), "7");
    for (const char* Name : {"Line", "Area", "OutOfRangeSymbol"})
        EXPECT_TRUE(ContainsNode(E, Name)) << Name;

    TQvPointSeries* T = Chart.Blank();
    Links.SetAttribute("XData", Chart.Ref("Graph1X"));
    Links.SetAttribute("MergeLegendItemWith", Chart.Ref("XVec"));
    Links.SetAttribute("DrawBandTo", "NoModule.Other");
    E.SetAttribute("RangeFromFunction", Chart.Ref("Nothing"));
    T->ReadFrom(E);
    EXPECT_EQ(T->GetXData(), T->GetIndexer());
    EXPECT_EQ(T->GetYData(), Chart.YData);
    EXPECT_EQ(T->GetMergeLegendItemWith(), nullptr);
    EXPECT_EQ(T->GetDrawBandTo(), nullptr);
    EXPECT_EQ(T->GetRangeFromFunction(), nullptr);
    EXPECT_EQ(MessageOf<EReadError>([&] { T->ReadFrom(Links); }),
              "XML node \"Links\" holds no TQvPointSeries record");

    TMemIniFile Ini("");
    Chart.S->WriteTo(&Ini, "S");
    QStringList Keys;
    for (const QString& Key : Ini.ReadSection("S"))
        if (!Key.startsWith("Line.") && !Key.startsWith("Area.")) Keys << Key;
    EXPECT_EQ(Keys.join(' '),
              "Type Name Caption Visible OutliersVisible AutoUpdate IncludeInLegend Layer XData "
              "YData XAxis YAxis MergeLegendItemWith DrawBandTo PointSymbol.Visible "
              "PointSymbol.Size PointSymbol.BorderLineWidth PointSymbol.BorderColor "
              "PointSymbol.FillColor PointSymbol.Symbol RangeFromFunction "
              "OutOfRangeSymbol.Visible OutOfRangeSymbol.Size OutOfRangeSymbol.BorderLineWidth "
              "OutOfRangeSymbol.BorderColor OutOfRangeSymbol.FillColor OutOfRangeSymbol.Symbol");
    EXPECT_EQ(Ini.ReadString("S", "Caption", ""), QString::fromUtf8("Druck µ@\\rkPa"));
    EXPECT_EQ(Ini.ReadString("S", "OutOfRangeSymbol.BorderLineWidth", ""), "0.25");
    Ini.WriteString("S", "Type", "TQvBars");
    EXPECT_EQ(MessageOf<EReadError>([&] { T->ReadFrom(&Ini, "S"); }),
              "The stored record is of class \"TQvBars\" and cannot be read into a "
              "TQvPointSeries");
    // Missing keys keep the current values; a missing section changes nothing.
    Ini.DeleteKey("S", "Type");
    Ini.DeleteKey("S", "YData");
    Ini.WriteString("S", "XData", "");
    T->SetYData(Chart.XData);
    T->ReadFrom(&Ini, "S");
    EXPECT_EQ(T->GetXData(), T->GetIndexer());
    EXPECT_EQ(T->GetYData(), Chart.XData);
    T->ReadFrom(&Ini, "Nowhere");
    EXPECT_EQ(T->GetYData(), Chart.XData);
}

TEST(SeriesIO, DamagedRecordsChangeNothing) {
    TStoredChart Chart;
    const QByteArray Bytes = Binary(Chart.S);
    TQvPointSeries* T = Chart.Blank();
    const QByteArray Before = Binary(T);
    auto Cut = [&](qsizetype n) {
        return MessageOf<EReadError>([&] { ReadBinary(T, Bytes.left(n)); });
    };
    EXPECT_EQ(Cut(2), "Stream read error");
    EXPECT_EQ(Cut(20), "Stream read error") << "inside a length field";
    for (qsizetype n = 0; n < Bytes.size(); ++n) {
        ASSERT_NE(Cut(n), "<no exception>") << "cut at " << n;
        ASSERT_EQ(Binary(T).mid(18), Before.mid(18)) << "cut at " << n;
    }
    EXPECT_FALSE(T->IsLoading());

    // A foreign class, an unknown block, a symbol out of range.
    auto* Line = new TQvLineSeries(Chart.Owner.get());
    EXPECT_EQ(MessageOf<EReadError>([&] { ReadBinary(T, Binary(Line)); }),
              "The stored record is of class \"TQvLineSeries\" and cannot be read into a "
              "TQvPointSeries");
    const qsizetype SeriesEnd = Bytes.size() - 1 - 18 - 1 - 18 - (4 + Chart.Ref("Other").size());
    ASSERT_EQ(Bytes[SeriesEnd - 1], 0);
    for (auto [At, Record] :
         {std::pair{SeriesEnd - 1, "series"}, {Bytes.size() - 1, "point series"}}) {
        QByteArray Marked = Bytes;
        Marked[At] = 2;
        EXPECT_EQ(MessageOf<EReadError>([&] { ReadBinary(T, Marked); }),
                  QString("Unknown extension block in a stored %1 record").arg(Record));
    }
    QByteArray BadSymbol = Bytes;
    BadSymbol[SeriesEnd + 17] = 10;
    EXPECT_EQ(MessageOf<EReadError>([&] { ReadBinary(T, BadSymbol); }), "Invalid property value");
    EXPECT_EQ(Binary(T).mid(18), Before.mid(18));

    // Records without the extension blocks keep the values those blocks would carry.
    const qsizetype Refs = 2 * (4 + Chart.Ref("Other").size());
    QByteArray Old = Bytes.left(SeriesEnd - Refs - 2) + QByteArray(1, 0) +
                     Bytes.mid(SeriesEnd, 18) + QByteArray(1, 0);
    ReadBinary(T, Old);
    EXPECT_EQ(T->GetCaption(), Chart.S->GetCaption());
    EXPECT_EQ(T->GetYAxis(), Chart.Y);
    EXPECT_EQ(T->GetMergeLegendItemWith(), nullptr);
    EXPECT_EQ(T->GetRangeFromFunction(), nullptr);
    EXPECT_EQ(T->GetPointSymbol()->GetSize(), 7.5f);
    EXPECT_EQ(T->GetPointSymbol()->GetPointSymbol(), TQvPointSymbol::Diamond);
    EXPECT_TRUE(T->GetOutOfRangePointSymbol()->GetVisible()) << "the point series default";
}

} // namespace
