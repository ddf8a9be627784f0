// Data vectors saved and read back: binary records and files, XML, INI and the "Values"
// property streamed with forms.

#include "../qvtest.h"
#include "vectortestusers.h"

#include <data/qvvectors.h>
#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>
#include <framework/qvforms.h>
#include <framework/qvinifiles.h>
#include <framework/qvxml.h>
#include <style/qvio.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace {
std::vector<int> OutliersOf(const TQvCustomDoubleVector& Vector) {
    const TQvIntegerVector& Marked = Vector.GetOutlierIndices();
    return std::vector<int>(Marked.begin(), Marked.end());
}

// The bytes Write puts out through a writer.
QByteArray WrittenBy(const std::function<void(TWriter&)>& Write) {
    return Written([&](QIODevice* Stream) {
        TWriter Writer(Stream);
        Write(Writer);
    });
}

// A reader over a copy of some bytes.
struct TReading {
    explicit TReading(const QByteArray& Data) : Bytes(Data) { Buffer.open(QIODevice::ReadOnly); }
    QByteArray Bytes;
    QBuffer Buffer{&Bytes};
    TReader Reader{&Buffer};
};

// A vector with values of every kind, two outliers and its own increment and capacity.
void MakeSample(TQvDoubleVector& V) {
    V.SetName("Vec1");
    V.SetIncrement(256);
    V.SetCapacity(1000);
    constexpr double Inf = std::numeric_limits<double>::infinity();
    V.AddRange({1.5, -0.0, 1e300, Inf, -Inf, 5e-324, 0.1});
    V.AddOutlier(3);
    V.AddOutlier(1);
}

// Text keeps every value but writes -0 as 0; binary records keep the bits.
void ExpectSameAsSample(const TQvDoubleVector& R, const TQvDoubleVector& V, bool Bitwise = true) {
    ASSERT_EQ(R.GetCount(), V.GetCount());
    if (Bitwise)
        EXPECT_EQ(std::memcmp(R.Data(), V.Data(), sizeof(double) * V.GetCount()), 0);
    else
        EXPECT_EQ(ValuesOf(R), ValuesOf(V));
    EXPECT_EQ(OutliersOf(R), (std::vector<int>{3, 1}));
    EXPECT_EQ(R.GetIncrement(), 256);
    EXPECT_EQ(R.GetCapacity(), 1000);
    EXPECT_EQ(R.GetMaximum(), 1e300);
    EXPECT_EQ(R.GetMaximumIncludingOutliers(), std::numeric_limits<double>::infinity());
}

class TRecordingFiler : public TFiler {
public:
    using TFiler::TFiler;
    void DefineProperty(const QString& Name, const std::function<void(TReader*)>&,
                        const std::function<void(TWriter*)>& WriteData, bool HasData) override {
        Names << Name;
        Has.push_back(HasData);
        Write = WriteData;
    }
    QStringList Names;
    std::vector<bool> Has;
    std::function<void(TWriter*)> Write;
};

// A data module with a data source and a bound vector, found again by reference.
struct TBoundSample {
    TBoundSample() {
        Module.SetName("VectorData");
        Source = new TDataSource(&Module);
        Source->SetName("Source1");
        Vector = new TQvDoubleVector(&Module);
        Vector->SetName("Vec");
        Vector->SetDataSource(Source);
        Vector->SetDataField("Value");
        Vector->AddOutlier(2);
    }
    void Check(const TQvDoubleVector& R) const {
        EXPECT_TRUE(R.DBData());
        EXPECT_EQ(R.GetDataSource(), Source);
        EXPECT_EQ(R.GetDataField(), "Value");
        EXPECT_EQ(OutliersOf(R), std::vector<int>{2});
    }
    TDataModule Module{nullptr};
    TDataSource* Source;
    TQvDoubleVector* Vector;
};
} // namespace

TEST(VectorPersistence, BinaryRecordLayout) {
    TQvDoubleVector Empty(nullptr);
    Empty.SetName("Vec1");
    // Name, increment, capacity, the binding flag, the values, the outliers and the end.
    EXPECT_EQ(Binary(&Empty).toHex(), Hex("04000000 56656331 80000000 80000000 00 00000000 00 00"));

    TQvDoubleVector V(nullptr);
    V.SetIncrement(256);
    V.SetCapacity(1000);
    V.Add(1.5);
    V.AddOutlier(0);
    EXPECT_EQ(
        Binary(&V).toHex(),
        Hex("00000000 00010000 e8030000 00 01000000 000000000000f83f 01 01000000 00000000 00"));
}

TEST(VectorPersistence, DamagedRecordsRaiseAndKeepTheValues) {
    TQvDoubleVector Empty(nullptr);
    Empty.SetName("Vec1");
    const QByteArray Good = Binary(&Empty);
    TQvDoubleVector Kept(nullptr);
    Kept.AddRange({1.0, 2.0});
    auto ReadDamaged = [&](QByteArray Bytes) {
        return MessageOf<EReadError>([&] { ReadBinary(&Kept, Bytes); });
    };
    // The value count sits after name, increment, capacity and flag.
    QByteArray Bytes = Good;
    Bytes.replace(17, 4, QByteArray::fromHex("e8030000"));
    EXPECT_EQ(ReadDamaged(Bytes),
              "A stored count of 1000 items of 8 bytes does not fit into the 2 bytes left in the "
              "stream");
    Bytes.replace(17, 4, QByteArray::fromHex("ffffffff"));
    EXPECT_EQ(ReadDamaged(Bytes),
              "A stored count of -1 items of 8 bytes does not fit into the 2 bytes left in the "
              "stream");
    Bytes = Good.left(21) + QByteArray::fromHex("01 05000000 00");
    EXPECT_EQ(ReadDamaged(Bytes),
              "A stored count of 5 items of 4 bytes does not fit into the 1 bytes left in the "
              "stream");
    EXPECT_EQ(ReadDamaged(Good.chopped(1)), "Stream read error");
    EXPECT_EQ(ReadDamaged(Good.left(10)), "Stream read error");
    EXPECT_EQ(ValuesOf(Kept), (std::vector<double>{1, 2}));
}

TEST(VectorPersistence, BinaryFileRoundTripAndBoundVectors) {
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString Path = Dir.filePath("vector.bin");
    TQvDoubleVector V(nullptr);
    MakeSample(V);
    V.WriteTo(Path);
    // What the vector held before is replaced.
    TQvDoubleVector R(nullptr);
    R.AddRange({7.0, 8.0});
    R.AddOutlier(0);
    R.ReadFrom(Path);
    ExpectSameAsSample(R, V);
    EXPECT_THROW(R.ReadFrom(Dir.filePath("missing.bin")), EFOpenError);

    // A bound vector stores where its values come from, not the values.
    TBoundSample Bound;
    const QByteArray Record = Binary(Bound.Vector);
    EXPECT_TRUE(Record.contains("VectorData.Source1"));
    EXPECT_TRUE(Record.contains("Value"));
    TQvDoubleVector B(nullptr);
    ReadBinary(&B, Record);
    Bound.Check(B);
}

TEST(VectorPersistence, XmlElementRoundTrip) {
    TQvDoubleVector V(nullptr);
    V.SetName("Vec1");
    V.SetIncrement(256);
    V.AddRange({1.5, -2.0, 0.1});
    V.AddOutlier(1);
    TXMLDocument Doc;
    IXMLNode Root = Doc.AddChild("Graph");
    V.WriteTo(Root);
    EXPECT_EQ(Doc.SaveToXML(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<Graph>\n"
              "  <TQvDoubleVector Name=\"Vec1\" Increment=\"256\" Capacity=\"128\">\n"
              "    <Values Count=\"3\">\n"
              "      <Item>1.5</Item>\n"
              "      <Item>-2</Item>\n"
              "      <Item>0.1</Item>\n"
              "    </Values>\n"
              "    <Outliers Count=\"1\">\n"
              "      <Item>1</Item>\n"
              "    </Outliers>\n"
              "  </TQvDoubleVector>\n"
              "</Graph>\n");
    const IXMLNode Element = Root.FindNode("TQvDoubleVector");
    const IXMLNode Values = Element.FindNode("Values");
    const IXMLNode Outliers = Element.FindNode("Outliers");

    TQvDoubleVector R(nullptr);
    R.ReadFrom(Root);
    EXPECT_EQ(ValuesOf(R), ValuesOf(V));
    EXPECT_EQ(OutliersOf(R), std::vector<int>{1});
    EXPECT_EQ(R.GetIncrement(), 256);
    TQvDoubleVector S(nullptr);
    S.ReadFrom(Element);
    EXPECT_EQ(ValuesOf(S), ValuesOf(V));

    // Bad numbers raise and change nothing; a node without the element changes nothing.
    Values.Child(1).SetText("abc");
    EXPECT_EQ(MessageOf<EConvertError>([&] { R.ReadFrom(Root); }),
              "\"abc\" is not a valid floating point value");
    Values.Child(1).SetText("-2");
    Outliers.Child(0).SetText("x1");
    EXPECT_EQ(MessageOf<EConvertError>([&] { R.ReadFrom(Root); }),
              "\"x1\" is not a valid integer value");
    R.ReadFrom(Root.AddChild("Empty"));
    EXPECT_EQ(ValuesOf(R), ValuesOf(V));
    EXPECT_EQ(OutliersOf(R), std::vector<int>{1});

    TBoundSample Bound;
    TXMLDocument BoundDoc;
    Bound.Vector->WriteTo(BoundDoc.AddChild("Graph"));
    const IXMLNode Database =
        BoundDoc.DocumentElement().FindNode("TQvDoubleVector").FindNode("Database");
    EXPECT_EQ(Database.Attribute("DataSource"), "VectorData.Source1");
    EXPECT_EQ(Database.Attribute("DataField"), "Value");
    TQvDoubleVector B(nullptr);
    B.ReadFrom(BoundDoc.DocumentElement());
    Bound.Check(B);
}

TEST(VectorPersistence, IniKeysInOrderAndRoundTrip) {
    TQvDoubleVector V(nullptr);
    V.SetName("Vec1");
    V.SetIncrement(256);
    V.AddRange({1.5, -2.0, 0.1});
    V.AddOutlier(2);
    V.AddOutlier(0);
    TQvDoubleVector Empty(nullptr);
    TMemIniFile Ini("");
    V.WriteTo(&Ini, "Vec");
    Empty.WriteTo(&Ini, "Empty");
    EXPECT_EQ(Ini.ReadSectionValues("Vec"),
              (QStringList{"Name=Vec1", "Increment=256", "Capacity=128", "FromDatabase=0",
                           "Values=1.5 -2 0.1", "Outliers=2 0"}));
    EXPECT_EQ(Ini.ReadSectionValues("Empty"),
              (QStringList{"Name=", "Increment=128", "Capacity=128", "FromDatabase=0",
                           "Values=None", "Outliers=None"}));

    // Every kind of double survives the text; a bad number changes nothing; an empty section
    // empties the vector.
    TQvDoubleVector Sample(nullptr);
    MakeSample(Sample);
    Sample.WriteTo(&Ini, "Sample");
    TQvDoubleVector R(nullptr);
    R.ReadFrom(&Ini, "Sample");
    ExpectSameAsSample(R, Sample, false);
    Ini.WriteString("Vec", "Values", "1.5 1e999");
    EXPECT_EQ(MessageOf<EConvertError>([&] { R.ReadFrom(&Ini, "Vec"); }),
              "Error during floating point number extraction");
    EXPECT_EQ(R.GetCount(), Sample.GetCount());
    R.ReadFrom(&Ini, "Empty");
    EXPECT_EQ(R.GetCount(), 0);
    EXPECT_FALSE(R.GetAnyOutliers());

    TBoundSample Bound;
    Bound.Vector->WriteTo(&Ini, "Bound");
    EXPECT_EQ(Ini.ReadSectionValues("Bound"),
              (QStringList{"Name=VectorData.Vec", "Increment=128", "Capacity=128", "FromDatabase=1",
                           "DataSource=VectorData.Source1", "DataField=Value", "Outliers=2"}));
    TQvDoubleVector B(nullptr);
    B.ReadFrom(&Ini, "Bound");
    Bound.Check(B);
}

TEST(VectorPersistence, ValuesPropertyStreamedWithForms) {
    TQvDoubleVector V(nullptr);
    TRecordingFiler Filer(nullptr);
    V.DefineProperties(&Filer);
    V.SetPersistentValues(true);
    V.DefineProperties(&Filer);
    V.AddRange({1.5, 2.0});
    V.SetPersistentValues(false);
    V.DefineProperties(&Filer);
    V.SetPersistentValues(true);
    V.DefineProperties(&Filer);
    EXPECT_EQ(Filer.Names, (QStringList{"Values", "Values", "Values", "Values"}));
    EXPECT_EQ(Filer.Has, (std::vector<bool>{false, false, false, true}));

    const QByteArray Bytes = WrittenBy([&](TWriter& Writer) {
        Filer.Write(&Writer);
        // Floats written as floats are read as well.
        Writer.WriteListBegin();
        Writer.WriteFloat(3.25);
        StoreFloatToString(&Writer, 4);
        Writer.WriteListEnd();
    });
    TReading Text(Bytes);
    Text.Reader.ReadListBegin();
    EXPECT_EQ(Text.Reader.ReadString(), "1.5");
    EXPECT_EQ(Text.Reader.ReadString(), "2");

    TReading In(Bytes);
    TQvDoubleVector R(nullptr);
    R.Add(1);
    R.LoadVariables(&In.Reader);
    R.LoadVariables(&In.Reader);
    EXPECT_EQ(ValuesOf(R), (std::vector<double>{1, 1.5, 2, 3.25, 4}));
    EXPECT_EQ(In.Buffer.bytesAvailable(), 0);

    V.SetPersistentValues(false);
    EXPECT_EQ(WrittenBy([&](TWriter& Writer) { V.StoreVariables(&Writer); }).toHex(), "0100");
}

TEST(VectorPersistence, WholeComponentThroughTheComponentWriter) {
    TComponent Owner(nullptr);
    auto* V = new TQvDoubleVector(&Owner);
    V->SetName("Samples");
    V->SetIncrement(512);
    V->SetPersistentValues(true);
    V->AddRange({0.1, -7.0, 3e300});
    TReading In(WrittenBy([&](TWriter& Writer) { Writer.WriteComponent(V); }));
    delete V;
    TComponent Other(nullptr);
    auto* Back = qobject_cast<TQvDoubleVector*>(In.Reader.ReadComponent(nullptr, &Other));
    ASSERT_NE(Back, nullptr);
    EXPECT_EQ(Back->GetName(), "Samples");
    EXPECT_EQ(Back->GetOwner(), &Other);
    EXPECT_EQ(Back->GetIncrement(), 512);
    EXPECT_TRUE(Back->GetPersistentValues());
    EXPECT_EQ(ValuesOf(*Back), (std::vector<double>{0.1, -7.0, 3e300}));
    EXPECT_FALSE(Back->IsLoading());

    // A property the class does not know is reported by name.
    TReading Strange(WrittenBy([](TWriter& Writer) {
        Writer.WriteString("TQvDoubleVector");
        Writer.WriteString("Odd");
        Writer.WriteString("Colour");
        Writer.WriteInteger(1);
        Writer.WriteListEnd();
    }));
    EXPECT_EQ(MessageOf<EReadError>([&] { Strange.Reader.ReadComponent(nullptr, &Other); }),
              "Property Colour does not exist");
    EXPECT_EQ(Other.FindComponent("Odd"), nullptr);
}
