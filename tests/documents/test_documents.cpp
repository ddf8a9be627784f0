// Whole graphs saved and read back: the binary layout, the lookup-or-create rules, reads that
// fail and leave the graph as it was, saves that never lose the old file.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <annotations/qvlegend.h>
#include <annotations/qvmarkers.h>
#include <framework/qvexceptions.h>
#include <framework/qvinifiles.h>
#include <framework/qvstreams.h>
#include <framework/qvxml.h>
#include <graph/qvgraphdocument.h>
#include <style/qvio.h>

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

// A chart with one of everything a document holds.
struct TFullChart : TChart {
    TFullChart() {
        FixAxes(0, 10);
        Xs = NewVector("Xs", {1, 2, 3, 4});
        Ys = NewVector("Ys", {2, 8, 4, 6});
        Line = NewSeries<TQvLineSeries>(Xs, Ys);
        Line->SetName("Line");
        Line->SetCaption("Measured");
        Legend = new TQvLegend(Owner.get());
        Legend->SetName("Legend");
        Legend->SetParent(Graph);
        Legend->SetGraph(Graph);
        Marker = new TQvHorizontalMarker(Owner.get());
        Marker->SetName("Level");
        Marker->SetParent(Graph);
        Marker->SetYAxis(Y);
        Marker->SetY(5);
        Graph->SetBounds(0, 0, 320, 240);
        Graph->SetCaption("Document");
        Graph->SetCaptionVisible(true);
    }
    TQvDoubleVector *Xs, *Ys;
    TQvLineSeries* Line;
    TQvLegend* Legend;
    TQvHorizontalMarker* Marker;
};

// Stops with an error in the middle of its record, as a full disk would.
class TFailingSeries : public TQvLineSeries {
public:
    using TQvLineSeries::TQvLineSeries;

protected:
    using TQvLineSeries::WriteOwnRecord;
    void WriteOwnRecord(QIODevice*) const override { throw EWriteError("disk full"); }
};

QStringList ComponentNames(const TComponent* Owner) {
    QStringList Names;
    for (int i = 0; i < Owner->ComponentCount(); ++i)
        Names << Owner->Components(i)->GetName() + ':' +
                     Owner->Components(i)->metaObject()->className();
    return Names;
}

} // namespace

TEST(GraphDocument, BinaryLayoutByteForByte) {
    TChart Chart;
    delete Chart.X;
    delete Chart.Y;
    QBuffer Expected;
    Expected.open(QIODevice::WriteOnly);
    using namespace QvStream;
    TQvGraph2D* G = Chart.Graph;
    StringToStream(&Expected, GetComponentRef(G));
    WriteBoolean(&Expected, false);
    for (int List = 0; List < 4; ++List) // axes, series, legends, markers; no vector count
        WriteInteger(&Expected, 0);
    WriteBoolean(&Expected, G->GetVisible());
    WriteByte(&Expected, quint8(G->GetAnchors().toInt()));
    WriteByte(&Expected, quint8(G->GetAlign()));
    for (int Value : {G->GetTop(), G->GetLeft(), G->GetWidth(), G->GetHeight()})
        WriteInteger(&Expected, Value);
    WriteByte(&Expected, quint8(G->GetBorderStyle()));
    StringToStream(&Expected, G->GetHint());
    WriteBoolean(&Expected, G->GetParentShowHint());
    WriteBoolean(&Expected, G->GetShowHint());
    WriteColor(&Expected, G->GetBackColor());
    WriteColor(&Expected, G->GetDataAreaColor());
    WriteBoolean(&Expected, G->GetZeroOrigin());
    StringToStream(&Expected, QString());
    StringToStream(&Expected, QString());
    for (float Distance : {G->GetDistanceBorderAxisTop(), G->GetDistanceBorderAxisBottom(),
                           G->GetDistanceBorderAxisLeft(), G->GetDistanceBorderAxisRight()})
        WriteSingle(&Expected, Distance);
    EncodeToStream(&Expected, G->GetCaption());
    WriteByte(&Expected, quint8(G->GetCaptionAlignment()));
    WriteColor(&Expected, G->GetCaptionColor());
    WriteSingle(&Expected, G->GetCaptionDistanceBefore());
    WriteSingle(&Expected, G->GetCaptionDistanceAfter());
    ToStream(&Expected, G->GetCaptionFont());
    const TQvZoomSettings* Z = G->GetZoom();
    for (bool Flag : {Z->GetAuto(), Z->GetOptimizeSeries(), Z->GetBackOnClickBeside(),
                      Z->GetResetOnDoubleClickBeside(), Z->GetResetOnRightBottomLeftTopFrame(),
                      Z->GetHScrollbarVisible(), Z->GetVScrollbarVisible()})
        WriteBoolean(&Expected, Flag);
    for (TShiftState Keys : {Z->GetStartZoom(), Z->GetStartPanning()}) {
        const quint16 Bits = quint16(Keys.toInt());
        Expected.write(reinterpret_cast<const char*>(&Bits), 2);
    }
    for (const TQvLineSettings* Grid : {G->GetMajorGridHorizontal(), G->GetMajorGridVertical(),
                                        G->GetMinorGridHorizontal(), G->GetMinorGridVertical()})
        ToStream(&Expected, Grid);
    const qint64 AfterGrids = Expected.pos();
    WriteByte(&Expected, 1);
    ToStream(&Expected, G->GetBackgroundGradient());
    ToStream(&Expected, G->GetDataAreaGradient());
    WriteByte(&Expected, 1);
    WriteByte(&Expected, quint8(Z->GetBufferType()));
    WriteByte(&Expected, 1);
    WriteBoolean(&Expected, G->GetCaptionVisible());
    WriteByte(&Expected, 1);
    ToStream(&Expected, G->GetDataAreaFrame());
    WriteByte(&Expected, 1);
    WriteBoolean(&Expected, Z->GetBackOnRightBottomLeftTopFrame());
    // The library's own block: smoothing, wheel and keys, scroll steps.
    WriteByte(&Expected, 1);
    WriteByte(&Expected, quint8(G->GetSmoothingMode()));
    WriteBoolean(&Expected, Z->GetWheelZoom());
    WriteBoolean(&Expected, Z->GetKeyZoom());
    WriteByte(&Expected, quint8(Z->GetScrollSmallIncrement()));
    WriteByte(&Expected, quint8(Z->GetScrollLargeIncrement()));
    WriteByte(&Expected, 0);
    const QByteArray Written = Binary(G, false);
    EXPECT_EQ(Written.toHex(), Expected.data().toHex());

    // A document that ends right after the grids keeps everything the later blocks hold.
    QByteArray Short = Written.left(AfterGrids);
    Short.append('\0');
    G->GetBackgroundGradient()->SetFirstColor(0xFF123456);
    G->GetZoom()->SetBufferType(TQvZoomBufferType(1));
    G->SetCaptionVisible(!G->GetCaptionVisible());
    G->GetDataAreaFrame()->SetWidth(7);
    G->GetZoom()->SetBackOnRightBottomLeftTopFrame(!Z->GetBackOnRightBottomLeftTopFrame());
    G->SetSmoothingMode(TQvSmoothingMode(0));
    const QByteArray Changed = Binary(G, false);
    ReadBinary(G, Short);
    EXPECT_EQ(Binary(G, false), Changed);
}

TEST(GraphDocument, RoundTripsInEveryEncodingIntoFreshOwners) {
    QByteArray Bytes;
    QString Xml;
    QStringList Ini;
    QImage Original;
    QString OwnerName;
    {
        TFullChart Chart;
        TQvPointSeries* Unnamed = Chart.NewSeries(Chart.Xs, Chart.Ys);
        // Unnamed series are neither counted nor written.
        TXMLDocument WithUnnamed;
        Chart.Graph->WriteTo(WithUnnamed.AddChild("Root"), true);
        const IXMLNode Related =
            WithUnnamed.DocumentElement().FindNode("TQvGraph2D").FindNode("RelatedSeries");
        EXPECT_EQ(Related.Attribute("Count"), "1");
        EXPECT_EQ(Related.ChildCount(), 1);
        delete Unnamed;

        Original = Chart.Render();
        OwnerName = Chart.Owner->GetName();
        Bytes = Binary(Chart.Graph, true);
        TXMLDocument Document;
        Chart.Graph->WriteTo(Document.AddChild("Root"), true);
        Xml = Document.SaveToXML();
        TMemIniFile File(QString{});
        Chart.Graph->WriteTo(&File, "Chart", true);
        File.GetStrings(Ini);
    }
    const auto Fresh = [&](const std::function<void(TQvGraph2D*)>& Read) {
        auto Owner = std::make_unique<TDataModule>(nullptr);
        Owner->SetName(OwnerName);
        auto* Graph = new TQvGraph2D(Owner.get());
        Graph->SetName("Graph1");
        Read(Graph);
        EXPECT_EQ(ComponentNames(Owner.get()),
                  QStringList({"Graph1:TQvGraph2D", "Xs:TQvDoubleVector", "Ys:TQvDoubleVector",
                               "Graph1X:TQvAxis", "Graph1Y:TQvAxis", "Line:TQvLineSeries",
                               "Legend:TQvLegend", "Level:TQvHorizontalMarker"}));
        EXPECT_TRUE(Painted(Graph) == Original); // painting sets the ranges the bytes hold
        EXPECT_EQ(Binary(Graph, true), Bytes);
    };
    Fresh([&](TQvGraph2D* Graph) { ReadBinary(Graph, Bytes); });
    Fresh([&](TQvGraph2D* Graph) {
        TXMLDocument Document;
        Document.LoadFromXML(Xml);
        Graph->ReadFrom(Document.DocumentElement());
    });
    Fresh([&](TQvGraph2D* Graph) {
        TMemIniFile File(QString{});
        File.SetStrings(Ini);
        Graph->ReadFrom(&File, "Chart");
    });
}

TEST(GraphDocument, ReplacesSeriesOfAnotherClassAndAllMarkers) {
    TFullChart Chart;
    const QByteArray Bytes = Binary(Chart.Graph, true);
    // Same name, other class; a new named marker and an unnamed one.
    delete Chart.Line;
    TQvPointSeries* Points = Chart.NewSeries(Chart.Xs, Chart.Ys);
    Points->SetName("Line");
    auto* Extra = new TQvVerticalMarker(Chart.Owner.get());
    Extra->SetName("Extra");
    Extra->SetParent(Chart.Graph);
    (new TQvVerticalMarker(Chart.Owner.get()))->SetParent(Chart.Graph);
    QPointer<TComponent> OldSeries(Points), OldMarker(Chart.Marker), Unnamed(Extra);
    ReadBinary(Chart.Graph, Bytes);
    EXPECT_TRUE(OldSeries.isNull());
    EXPECT_TRUE(OldMarker.isNull());
    EXPECT_TRUE(Unnamed.isNull());
    ASSERT_EQ(Chart.Graph->SeriesCount(), 1);
    EXPECT_STREQ(Chart.Graph->Series(0)->metaObject()->className(), "TQvLineSeries");
    int Markers = 0;
    for (int i = 0; i < Chart.Graph->ControlCount(); ++i)
        Markers += qobject_cast<TQvMovable*>(Chart.Graph->Controls(i)) != nullptr;
    EXPECT_EQ(Markers, 1);
    EXPECT_EQ(Binary(Chart.Graph, true), Bytes);
}

TEST(GraphDocument, FailedReadLeavesTheGraphAsItWas) {
    TFullChart Source;
    Source.Line->SetName("Second"); // a series the target lacks: the read creates it
    auto* Extra = new TQvVerticalMarker(Source.Owner.get());
    Extra->SetName("Extra");
    Extra->SetParent(Source.Graph);
    Source.Xs->Add(9);
    TFullChart Target;
    Source.Owner->SetName("SourceModule");
    Target.Owner->SetName("TargetModule");
    Target.Graph->SetCaption("Before");
    (new TQvVerticalMarker(Target.Owner.get()))->SetParent(Target.Graph);
    const QByteArray Good = Binary(Source.Graph, true);
    const QByteArray Before = Binary(Target.Graph, true);
    const QStringList Names = ComponentNames(Target.Owner.get());
    // Documents of another owner resolve into the target's module.
    QByteArray Doc = Good;
    Doc.replace("SourceModule", "TargetModule");
    for (qsizetype Length = 0; Length < Doc.size(); Length += 7) {
        EXPECT_THROW(ReadBinary(Target.Graph, Doc.left(Length)), EReadError) << Length;
        ASSERT_EQ(Binary(Target.Graph, true), Before) << Length;
        ASSERT_EQ(ComponentNames(Target.Owner.get()), Names) << Length;
        ASSERT_EQ(Target.Graph->ControlCount(), 5) << Length; // two axes, legend, two markers
    }
    // A class that is not registered is named, and nothing changes.
    QByteArray Unknown = Doc;
    Unknown.replace("TQvLineSeries", "TQvFakeSeries");
    EXPECT_EQ(MessageOf<Exception>([&] { ReadBinary(Target.Graph, Unknown); }),
              "Class TQvFakeSeries not found");
    EXPECT_EQ(Binary(Target.Graph, true), Before);
    // A reference to a component of the wrong kind is refused, not freed.
    QByteArray Wrong = Doc;
    Wrong.replace("Second", "Graph1");
    EXPECT_THAT(MessageOf<EReadError>([&] { ReadBinary(Target.Graph, Wrong); }).toStdString(),
                ::testing::HasSubstr("is a TQvGraph2D here, not a TQvSeries"));
    EXPECT_EQ(ComponentNames(Target.Owner.get()), Names);
    // And the complete document reads.
    ReadBinary(Target.Graph, Doc);
    EXPECT_EQ(Target.Xs->GetCount(), 5);
    EXPECT_EQ(Target.Graph->SeriesCount(), 2);
}

TEST(GraphDocument, FilesAreReplacedWholeAndRecognisedByContent) {
    QTemporaryDir Dir;
    TFullChart Chart;
    const QString Path = Dir.filePath("chart.qvg");
    Chart.Graph->WriteTo(Path, true);
    const QByteArray Saved = QvStream::ReadFile(Path);
    // A component that fails half-way through its record leaves the old file as it was.
    auto* Failing = Chart.NewSeries<TFailingSeries>(Chart.Xs, Chart.Ys);
    Failing->SetName("Failing");
    EXPECT_THROW(Chart.Graph->WriteTo(Path, true), EWriteError);
    EXPECT_EQ(QvStream::ReadFile(Path), Saved);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList({"chart.qvg"}));
    delete Failing;
    EXPECT_THAT(MessageOf<Exception>([&] {
                    Chart.Graph->WriteTo(Dir.filePath("no/x.qvg"), true);
                }).toStdString(),
                ::testing::HasSubstr("no/x.qvg"));

    for (TQvDocumentFormat Format :
         {TQvDocumentFormat::Binary, TQvDocumentFormat::Xml, TQvDocumentFormat::Ini}) {
        const QString File = Dir.filePath(QStringLiteral("doc%1").arg(int(Format)));
        TQvGraphDocument(Chart.Graph).Save(File, true, Format);
        EXPECT_EQ(TQvGraphDocument::DetectFormat(QvStream::ReadFile(File)), Format);
        const QByteArray Before = Binary(Chart.Graph, true);
        Chart.Ys->Clear();
        Chart.Graph->ReadFrom(File);
        EXPECT_EQ(Binary(Chart.Graph, true), Before) << int(Format);
    }
}
