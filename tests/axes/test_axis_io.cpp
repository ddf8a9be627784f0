// The axis record: its byte layout, round trips in the binary, XML, INI and file forms, reading
// without the range, records of older writers that end at a marker, and damaged records.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../seriesrecords.h"

#include <annotations/qvmarkers.h>
#include <framework/qvdb.h>
#include <framework/qvexceptions.h>
#include <framework/qvinifiles.h>
#include <framework/qvstreams.h>
#include <framework/qvstringlist.h>
#include <framework/qvxml.h>
#include <style/qvio.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

namespace {

// A record built by hand, row by row.
class TRecordBytes {
public:
    TRecordBytes() {
        FBuffer.setBuffer(&FBytes);
        FBuffer.open(QIODevice::WriteOnly);
    }
    TRecordBytes& Text(const QString& S) {
        return Add([&] { StringToStream(&FBuffer, S); });
    }
    TRecordBytes& Bool(bool V) {
        return Add([&] { QvStream::WriteBoolean(&FBuffer, V); });
    }
    TRecordBytes& Byte(int V) {
        return Add([&] { QvStream::WriteByte(&FBuffer, quint8(V)); });
    }
    TRecordBytes& Int(int V) {
        return Add([&] { QvStream::WriteInteger(&FBuffer, V); });
    }
    TRecordBytes& Single(float V) {
        return Add([&] { QvStream::WriteSingle(&FBuffer, V); });
    }
    TRecordBytes& Double(double V) {
        return Add([&] { QvStream::WriteDouble(&FBuffer, V); });
    }
    TRecordBytes& Color(TQvColor V) {
        return Add([&] { QvStream::WriteColor(&FBuffer, V); });
    }
    TRecordBytes& Font(const TQvFont* V) {
        return Add([&] { ToStream(&FBuffer, V); });
    }
    const QByteArray& Bytes() const { return FBytes; }

private:
    template <class F> TRecordBytes& Add(const F& Write) {
        Write();
        return *this;
    }
    QByteArray FBytes;
    QBuffer FBuffer;
};

// The fields of a binary record, after the reference.
QByteArray Fields(const TQvAxis* Axis) {
    const QByteArray Bytes = Binary(Axis);
    return Bytes.mid(4 + GetComponentRef(Axis).toUtf8().size());
}

QStringList Ini(const TQvAxis* Axis) {
    return IniLines(Axis, "Axis");
}

// Reads the INI lines into Axis without the range.
void ReadIni(TQvAxis* Axis, const QStringList& Lines, bool ApplyRange = false) {
    TMemIniFile File(QString{});
    File.SetStrings(Lines);
    Axis->ReadFrom(&File, "Axis", ApplyRange);
}

// The seven date-time formats have no setters: they are read in, Stem followed by 0 to 6.
QStringList SetDateTimeFormats(TQvAxis* Axis, const QString& Stem) {
    QStringList Formats, Lines = {"[Axis]"};
    for (const char* Key :
         {"ShortMonth", "LongMonth", "Day", "DayAndHour", "Minute", "Second", "MilliSecond"}) {
        Formats << Stem + QString::number(Formats.size());
        Lines << QStringLiteral("DateTimeFormat.%1=%2").arg(Key, Formats.back());
    }
    ReadIni(Axis, Lines);
    return Formats;
}

// What ApplyRange covers, as far as an axis shows it.
struct TRange {
    double Start, Stop, ValuesStart, ValuesStop, FirstStageStart, FirstStageStop;
    int Stages, Stage;
    bool operator==(const TRange&) const = default;
};

TRange RangeOf(const TQvAxis* Axis) {
    return {Axis->GetStart(),          Axis->GetStop(),
            Axis->GetValuesStart(),    Axis->GetValuesStop(),
            Axis->GetScrollStart(),    Axis->GetScrollStop(),
            Axis->GetZoomBufferSize(), Axis->GetCurrentZoomStage()};
}

void PrintTo(const TRange& R, std::ostream* Out) {
    *Out << R.Start << ".." << R.Stop << " values " << R.ValuesStart << ".." << R.ValuesStop
         << " stage " << R.Stage << '/' << R.Stages << " from " << R.FirstStageStart << ".."
         << R.FirstStageStop;
}

// Every stored value away from its default, on the top axis of a chart, with a master below,
// a series whose data gave the value range, and three zoom stages, the second shown.
TQvAxis* Customize(TChart& Chart) {
    TQvAxis* Axis = Chart.NewAxis(TQvAxisPosition::Top, "Stored");
    auto* Master = Chart.NewAxis(TQvAxisPosition::Bottom, "Master");
    Chart.NewSeries(Chart.NewVector("", {2, 50}), Chart.NewVector("", {1, 2}), Axis);
    Axis->SetVisible(false);
    Axis->SetHint("Axis hint");
    Axis->SetShowHint(true);
    Axis->SetAutoSize(false);
    Axis->SetBounds(5, 7, 300, 40);
    Axis->SetAxisThicknes(2.5f);
    Axis->SetMajorTickThicknes(1.5f);
    Axis->SetTickThicknes(0.5f);
    Axis->SetMajorTickLength(12);
    Axis->SetTickLength(4);
    Axis->SetForeColor(0xFF102030);
    Axis->SetMajorTickColor(0xFF405060);
    Axis->SetTickColor(0xFF708090);
    Axis->SetCaption("Time\r\\bs\\b");
    Axis->SetCaptionVisible(false);
    Axis->SetCaptionHorizontalOnVerticalAxis(true);
    Axis->SetCaptionAlignment(TAlignment::taLeftJustify);
    Axis->SetCaptionDistanceBefore(3);
    Axis->SetCaptionDistanceAfter(4);
    Axis->GetCaptionFont()->SetSizeF(15.5f);
    Axis->SetCaptionColor(0xFF00A000);
    Axis->SetScaling(TQvAxisScaling::Log);
    Axis->SetLogToNormalScalingLevel(2);
    Axis->SetTicksPointToData(true);
    Axis->SetTwisted(true);
    Axis->SetNumbersVisible(false);
    Axis->SetNumbersColor(0xFFAA5500);
    Axis->SetRubricsAngle(30);
    Axis->SetMovingSlitWidth(5);
    Axis->SetMovingSlitIncrement(1);
    Axis->SetExtraDigits(2);
    Axis->SetMaxForExtraExponent(1e4);
    Axis->SetMinForExtraExponent(1e-4);
    Axis->SetAutoTickParts(false);
    Axis->SetLabelPart(2);
    Axis->SetMajorPart(0.25);
    Axis->SetTickPart(0.125);
    Axis->GetNumbersFont()->SetName("Times New Roman");
    Axis->GetRubrics()->AddStrings({"Jan", " two  words ", ""});
    SetDateTimeFormats(Axis, "yyyy-mm-dd ");
    Axis->GetArrowPoint()->SetVisible(true);
    Axis->GetArrowPoint()->SetPointLength(9);
    Axis->GetArrowPoint()->SetInnerLength(6);
    Axis->GetArrowPoint()->SetPointHeight(4);
    Axis->SetDistanceValuesAxis(1);
    Axis->SetDistanceAxisLabels(2);
    Axis->SetDistanceAxisExtraExponent(11);
    Axis->SetLabelDistanceFactor(2);
    Axis->SetMajorGridMode(TQvMajorGridMode::AtMajorTick);
    Axis->SetStartPadding(0.5);
    Axis->SetStopPadding(0.75);
    Chart.Paint();
    Axis->ZoomIn(3, 40);
    Axis->ZoomIn(4, 30);
    Axis->ZoomBack();
    Axis->SetEndRounding(TQvAxisEndRounding::RndToMinor);
    Axis->SetStartEnd(TQvAxisEnd::Fixed);
    Axis->SetStopEnd(TQvAxisEnd::FirstSet);
    // A slave follows its master's range from the next calculation on.
    Axis->SetMasterAxis(Master);
    Axis->SetSlaveOffset(-1.5);
    Axis->SetSlaveSlope(3);
    // Values no calculation gives, so that a recomputed range shows.
    Axis->SetStartStop(3.25, 40.5);
    return Axis;
}

} // namespace

// A default axis writes the rows of its record in order and size; without zoom stages the zoom
// row is a single 0, and the three markers and the end byte stand where the rows put them.
TEST(AxisRecord, DefaultAxisLayout) {
    TChart Chart;
    auto* Axis = new TQvAxis(Chart.Owner.get());
    Axis->SetName("Plain");
    const QStringList Formats = SetDateTimeFormats(Axis, "F");
    const TQvColor Black = 0xFF000000;
    TRecordBytes E;
    E.Text(GetComponentRef(Axis));
    E.Bool(true).Text("").Bool(true).Bool(false); // visible, hint, parent's hint, hint shown
    E.Byte(0).Int(0).Int(0).Bool(true).Int(400).Int(20);
    E.Single(1).Single(1).Single(1).Single(10).Single(6).Color(Black).Color(Black).Color(Black);
    E.Text("").Bool(true).Bool(false).Byte(int(TAlignment::taCenter)).Color(0xFF8B0000);
    E.Single(0).Single(0).Font(Axis->GetCaptionFont());
    E.Byte(0).Double(0).Bool(false).Bool(false).Bool(true).Color(0xFF00008B).Single(0);
    E.Double(0).Double(0).Int(0).Double(1000).Double(0.001);
    E.Bool(true).Double(1).Double(0.5).Double(0.1).Font(Axis->GetNumbersFont());
    E.Double(0).Double(10).Byte(0).Byte(0).Byte(0);
    E.Bool(false).Int(0); // no binding, no rubrics
    for (const QString& Format : Formats)
        E.Text(Format);
    E.Bool(false).Text("").Double(0).Double(1);
    E.Bool(false).Single(7).Single(5).Single(3).Single(0).Single(0).Single(10);
    E.Bool(false);       // no zoom buffer
    E.Byte(1).Single(1); // label distance factor
    for (double Part : {1.0, 0.5, 0.2, 0.5, 0.5, 0.1, 0.1, 0.1, 0.02})
        E.Double(Part);
    E.Byte(1).Byte(0); // major grid at the labels
    E.Byte(1).Double(0).Double(10).Double(0).Double(0);
    E.Byte(1).Double(0).Double(10); // the range as asked for
    E.Byte(0);

    const QByteArray Bytes = Binary(Axis);
    EXPECT_EQ(Bytes.toHex(), E.Bytes().toHex());
    // Offsets after the reference, summed from the sizes of the rows.
    const qsizetype R = 4 + GetComponentRef(Axis).size();
    ASSERT_EQ(Bytes.size(), R + 526);
    EXPECT_EQ(qFromLittleEndian<qint32>(Bytes.constData() + R + 17), 400);
    const auto DoubleAt = [&](qsizetype At) {
        return qFromLittleEndian<double>(Bytes.data() + At);
    };
    EXPECT_EQ(DoubleAt(R + 291), 10);  // Stop
    EXPECT_EQ(DoubleAt(R + 401), 1.0); // the first candidate label step
    EXPECT_EQ(DoubleAt(R + 484), 10);  // the value range's stop
    for (const auto& [At, Byte] : std::vector<std::pair<qsizetype, char>>{
             {R + 395, 0}, {R + 396, 1}, {R + 473, 1}, {R + 475, 1}, {R + 508, 1}, {R + 525, 0}})
        EXPECT_EQ(Bytes[At], Byte) << At - R;
}

// Each form carries every field: an axis that read a record writes it again byte for byte, and
// the names are those of the documents. The rubrics bound to a data source, the master axis and
// the zoom stages come back; so does the whole record through a file.
TEST(AxisRecord, RoundTripsEveryFieldInEveryForm) {
    TChart Chart;
    TQvAxis* Stored = Customize(Chart);
    const TRange Range = RangeOf(Stored);
    ASSERT_EQ(Range.Stages, 3);
    ASSERT_EQ(Range.Stage, 1);
    ASSERT_EQ(Range.ValuesStart, 2);

    auto* Source = new TDataSource(Chart.Owner.get());
    Source->SetName("Months");
    QTemporaryDir Dir;
    const QString FileName = Dir.filePath("axis.bin");
    for (const bool Bound : {false, true}) {
        SCOPED_TRACE(Bound ? "bound" : "lines");
        if (Bound) {
            Stored->SetRubricsField("Name");
            Stored->SetDataSource(Source);
        }
        const QByteArray Expected = Fields(Stored);
        const QStringList Section = Ini(Stored);
        TXMLDocument Document;
        Stored->WriteTo(Document.AddChild("Root"));
        Stored->WriteTo(FileName);

        int Count = 0;
        // Off the graph: a new scaling would reset the zoom of the graph's axes.
        const auto Fresh = [&] {
            auto* Axis = new TQvAxis(Chart.Owner.get());
            Axis->SetName(QStringLiteral("Read%1%2").arg(int(Bound)).arg(++Count));
            Axis->GetRubrics()->Add("Old");
            return Axis;
        };
        TQvAxis* FromBinary = Fresh();
        ReadBinary(FromBinary, Binary(Stored), true);
        TQvAxis* FromXml = Fresh();
        FromXml->ReadFrom(Document.DocumentElement(), true);
        TQvAxis* FromIni = Fresh();
        ReadIni(FromIni, Section, true);
        TQvAxis* FromFile = Fresh();
        FromFile->ReadFrom(FileName, true);
        for (TQvAxis* Read : {FromBinary, FromXml, FromIni, FromFile}) {
            SCOPED_TRACE(Read->GetName().toStdString());
            EXPECT_EQ(Fields(Read).toHex(), Expected.toHex());
            EXPECT_EQ(Read->GetMasterAxis(), Stored->GetMasterAxis());
            EXPECT_EQ(Read->GetDataSource(), Bound ? Source : nullptr);
            EXPECT_FALSE(Read->GetRedoRange());
            EXPECT_EQ(RangeOf(Read), Range);
        }
    }
    // The keys and values of the section, fonts and zoom vectors aside.
    const QStringList Section = Ini(Stored);
    for (const QString& Line :
         {QStringLiteral("Rubrics.FromDatabase=1"), "Rubrics.DataSource=" + GetComponentRef(Source),
          QStringLiteral("Rubrics.RubricsField=Name"), QStringLiteral("[Axis.Zoom.Start]")})
        EXPECT_TRUE(Section.contains(Line)) << Line.toStdString();
    Stored->SetDataSource(nullptr);
    QStringList Fields = Ini(Stored);
    Fields.erase(std::remove_if(Fields.begin(), Fields.end(),
                                [](const QString& Line) {
                                    return Line.startsWith("Font.") || Line.contains(".Font.");
                                }),
                 Fields.end());
    const QString Ref = GetComponentRef(Stored).section('.', 0, 0);
    EXPECT_EQ(
        Fields.mid(1, Fields.indexOf("Ends.StopPadding=0.75")).join('|'),
        QString(
            "Name=%1.Stored|Visible=0|Hint=Axis hint|ParentShowHint=0|ShowHint=1|Position=2|"
            "Top=7|Left=5|AutoSize=0|Width=300|Height=40|AxisThicknes=2.5|MajorTickThicknes=1.5|"
            "TickThicknes=0.5|MajorTickLength=12|TickLength=4|AxisColor=$FF102030|"
            "MajorTickColor=$FF405060|TickColor=SlateGray|Caption=Time@\\r\\bs\\b|"
            "Caption.Visible=0|Caption.HorizontalOnVerticalAxis=1|Caption.Alignment=0|"
            "Caption.Color=$FF00A000|Caption.DistanceBefore=3|Caption.DistanceAfter=4|Scaling=1|"
            "LogToNormalScalingLevel=2|TicksPointToData=1|Twisted=1|Numbers.Visible=0|"
            "Numbers.Color=$FFAA5500|RubricsAngle=30|MovingSlit.Width=5|MovingSlit.Increment=1|"
            "ExtraDigits=2|MaxForExtraExponent=10000|MinForExtraExponent=0.0001|TickParts.Auto=0|"
            "TickParts.Label=2|TickParts.Major=0.25|TickParts.Minor=0.125|Ends.Start=3.25|"
            "Ends.Stop=40.5|Ends.Rounding=4|Ends.StartEnd=2|Ends.StopEnd=1|"
            "Rubrics.FromDatabase=0|Rubrics.Count=3|Captions(0)=Jan|Captions(1)=\" two  words \"|"
            "Captions(2)=|DateTimeFormat.ShortMonth=yyyy-mm-dd 0|"
            "DateTimeFormat.LongMonth=yyyy-mm-dd 1|DateTimeFormat.Day=yyyy-mm-dd 2|"
            "DateTimeFormat.DayAndHour=yyyy-mm-dd 3|DateTimeFormat.Minute=yyyy-mm-dd 4|"
            "DateTimeFormat.Second=yyyy-mm-dd 5|DateTimeFormat.MilliSecond=yyyy-mm-dd 6|"
            "SlaveAxis=1|MasterAxis=%1.Master|Slave.Offset=-1.5|Slave.Slope=3|Arrow.Visible=1|"
            "Arrow.PointLength=9|Arrow.InnerLength=6|Arrow.PointHeight=4|Distance.ValuesAxis=1|"
            "Distance.AxisLabels=2|Distance.AxisExtraExponent=11|Zoom=1|Zoom.Idx=1|"
            "LabelDistanceFactor=2|LabelParts.0=1|LabelParts.1=0.5|LabelParts.2=0.2|"
            "MajorParts.0=0.5|MajorParts.1=0.5|MajorParts.2=0.1|MinorParts.0=0.1|"
            "MinorParts.1=0.1|MinorParts.2=0.02|TickParts.MajorGridMode=1|Ends.ValuesStart=2|"
            "Ends.ValuesStop=50|Ends.StartPadding=0.5|Ends.StopPadding=0.75")
            .arg(Ref));
    TXMLDocument Document;
    Stored->WriteTo(Document.AddChild("Root"));
    const IXMLNode Element = Document.DocumentElement().FindNode("TQvAxis");
    EXPECT_EQ(Element.Attribute("Name"), GetComponentRef(Stored));
    EXPECT_EQ(Element.FindNode("Properties").Attribute("AxisColor"), ARGBToString(0xFF102030));
    EXPECT_EQ(Element.FindNode("Scaling").Attribute("NumbersVisible"), "false");
    EXPECT_EQ(Element.FindNode("Rubrics").FindNode("Captions").Child(1).Attribute("Text"),
              " two  words ");
    EXPECT_FALSE(Element.FindNode("Caption").FindNode("Properties").FindNode("Font").IsNull());
    EXPECT_EQ(Element.FindNode("Zoom").ChildCount(), 2);
}

// Without ApplyRange the range, the zoom buffer and the value range stay, and the whole record
// is read: the byte behind it comes next. A record that ends at one of its markers keeps the
// later fields.
TEST(AxisRecord, KeepsTheRangeAndReadsOlderRecords) {
    TChart Chart;
    TQvAxis* Stored = Customize(Chart);
    const QByteArray Bytes = Binary(Stored);

    TQvAxis* Reader = Chart.X;
    Chart.FixAxes(-5, 5);
    Chart.Paint();
    Reader->ZoomIn(-1, 1);
    const TRange Before = RangeOf(Reader);
    QBuffer Buffer;
    Buffer.setData(Bytes + "Z");
    Buffer.open(QIODevice::ReadOnly);
    Reader->ReadFrom(&Buffer, false);
    EXPECT_EQ(QvStream::ReadByte(&Buffer), 'Z');
    EXPECT_EQ(Reader->GetCaption(), "Time\r\\bs\\b");
    EXPECT_EQ(RangeOf(Reader), Before);
    ReadIni(Reader, Ini(Stored), false);
    EXPECT_EQ(RangeOf(Reader), Before);

    // The three markers, counted back from the end: 130, 53 and 51 bytes.
    for (const qsizetype FromEnd : {130, 53, 51}) {
        TQvAxis* Older =
            Chart.NewAxis(TQvAxisPosition::Bottom, QStringLiteral("Older%1").arg(FromEnd));
        const TRange Kept = RangeOf(Older);
        ASSERT_EQ(Bytes[Bytes.size() - FromEnd], 1);
        ReadBinary(Older, Bytes.left(Bytes.size() - FromEnd) + '\0', true);
        EXPECT_EQ(Older->GetCaption(), "Time\r\\bs\\b");
        EXPECT_EQ(Older->GetStopPadding(), 0);
        EXPECT_EQ(Older->GetValuesStop(), Kept.ValuesStop);
        EXPECT_EQ(Older->GetLabelDistanceFactor(), FromEnd == 130 ? 1 : 2);
        EXPECT_EQ(Older->GetMajorGridMode(),
                  FromEnd == 51 ? TQvMajorGridMode::AtMajorTick : TQvMajorGridMode::AtLabel);
    }
}

// A cut record, an ordinal beyond its enumeration, a count beyond the bytes left and a zoom
// stage outside the buffer raise EReadError, and the axis keeps every value it had.
TEST(AxisRecord, DamagedRecordsChangeNothing) {
    TChart Chart;
    const TQvAxis* Stored = Customize(Chart);
    const QByteArray Bytes = Binary(Stored);
    TQvAxis* Untouched = Chart.Y;
    const QStringList Before = Ini(Untouched);
    for (qsizetype n = 0; n < Bytes.size(); ++n)
        EXPECT_THROW(ReadBinary(Untouched, Bytes.left(n), true), EReadError) << n;

    const qsizetype R = 4 + GetComponentRef(Stored).size();
    const auto Damaged = [&](qsizetype At, const QByteArray& With) {
        QByteArray Copy = Bytes;
        Copy.replace(At, With.size(), With);
        return MessageOf<EReadError>([&] { ReadBinary(Untouched, Copy, true); });
    };
    // The position, behind the visibility and the hint "Axis hint".
    EXPECT_EQ(Damaged(R + 16, "\x04"), "Invalid property value");
    // The count of the three rubric lines, "Jan" the first.
    const qsizetype Count = Bytes.indexOf(QByteArray::fromHex("03000000030000004a616e"));
    ASSERT_GT(Count, 0);
    EXPECT_TRUE(Damaged(Count, QByteArray::fromHex("ffffff00")).startsWith("A stored count of"));
    // The stage index behind the two vector records of three stages.
    const qsizetype Stage = Bytes.size() - 130 - 4;
    EXPECT_EQ(Damaged(Stage, QByteArray::fromHex("03000000")),
              "The stored zoom buffer of the axis does not match its stage index");
    EXPECT_EQ(Ini(Untouched), Before);
}

// Pixel sizes and digits from a record are not trusted: distances beyond any screen, or not
// numbers at all, leave a data area that pixels reach and labels of bounded length (found by
// fuzzing: a marker on such a graph placed itself 1e31 pixels away, or beyond the integers).
TEST(AxisRecord, SizesFromARecordStayBounded) {
    TChart Chart;
    auto* Marker = new TQvHorizontalMarker(Chart.Owner.get());
    Marker->SetYAxis(Chart.Y);
    Marker->SetParent(Chart.Graph);
    ReadIni(Chart.X,
            {"[Axis]", "Distance.ValuesAxis=1.8497378647180427E31", "Distance.AxisLabels=NAN",
             "TickLength=-1e30", "Caption.DistanceBefore=1e38", "ExtraDigits=2147483647",
             "Arrow.Visible=1", "Arrow.PointLength=7.0375737087005455E28", "AutoSize=0",
             "Left=2147483647", "Height=2147483647"});
    EXPECT_EQ(Chart.X->GetDistanceValuesAxis(), TQvAxis::MaxPixelOffset);
    EXPECT_EQ(Chart.X->GetDistanceAxisLabels(), 0);
    EXPECT_EQ(Chart.X->GetTickLength(), -TQvAxis::MaxPixelOffset);
    EXPECT_EQ(Chart.X->GetExtraDigits(), 17);
    EXPECT_EQ(Chart.X->GetArrowPoint()->GetPointLength(), MaxArrowLength);
    EXPECT_EQ(Chart.X->GetLeft(), TQvAxis::MaxPixelOffset);
    EXPECT_EQ(Chart.X->GetHeight(), TQvAxis::MaxPixelOffset);
    Chart.Paint();
    const TGPRectF& Area = Chart.Graph->GetDrawingArea();
    for (const float Edge : {Area.X, Area.Y, Area.Width, Area.Height})
        EXPECT_LE(std::abs(Edge), 4 * TQvAxis::MaxPixelOffset);
    ASSERT_GT(Chart.X->Labels().Count(), 0);
    for (int i = 0; i < Chart.X->Labels().Count(); ++i)
        EXPECT_LE(Chart.X->Labels().Get(i)->GetCaption().size(), 40);
}
