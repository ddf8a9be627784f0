// XML documents and node handles: building, saving, loading, errors and odd input.

#include "../qvtest.h"

#include <framework/qvexceptions.h>
#include <framework/qvxml.h>

#include <QBuffer>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <random>

namespace {

TXMLDocument Reloaded(const TXMLDocument& Doc) {
    TXMLDocument Result;
    Result.LoadFromXML(Doc.SaveToXML());
    return Result;
}

// Loads through a stream, as bytes from elsewhere arrive.
void LoadBytes(TXMLDocument& Doc, const QByteArray& Bytes) {
    QBuffer Buffer;
    Buffer.setData(Bytes);
    Buffer.open(QIODevice::ReadOnly);
    Doc.LoadFromStream(&Buffer);
}

} // namespace

TEST(XML, BuildsSavesAndLoadsBack) {
    TXMLDocument Doc;
    EXPECT_TRUE(Doc.DocumentElement().IsNull());
    IXMLNode Root = Doc.AddChild("graph");
    Root.SetAttribute("version", "2");
    IXMLNode Axis = Root.AddChild("axis");
    Axis.SetAttribute("name", "X");
    Axis.SetAttribute("min", "0");
    Axis.AddChild("title").SetText("Time [s]");
    Root.AddChild("series");
    IXMLNode Mixed = Root.AddChild("caption");
    Mixed.AddChild("b").SetText("bold");
    Mixed.SetText("  lead ");
    const QString Expected = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<graph version=\"2\">\n"
                             "  <axis name=\"X\" min=\"0\">\n"
                             "    <title>Time [s]</title>\n"
                             "  </axis>\n"
                             "  <series/>\n"
                             "  <caption>  lead <b>bold</b></caption>\n"
                             "</graph>\n";
    EXPECT_EQ(Doc.SaveToXML(), Expected);

    QTemporaryDir Dir;
    const QString Path = Dir.filePath("doc.xml");
    Doc.SaveToFile(Path);
    TXMLDocument File;
    File.LoadFromFile(Path);
    EXPECT_EQ(File.SaveToXML(), Expected);

    QBuffer Buffer;
    Buffer.open(QIODevice::ReadWrite);
    Doc.SaveToStream(&Buffer);
    EXPECT_EQ(Buffer.data(), Expected.toUtf8());

    // Other encodings and foreign files: UTF-16 with a mark, Latin-1 by declaration, CRLF.
    QStringEncoder Utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    LoadBytes(File, Utf16.encode(QString("<a t=\"ä\"/>")));
    EXPECT_EQ(File.DocumentElement().Attribute("t"), "ä");
    LoadBytes(File, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a t=\"\xE4\"/>");
    EXPECT_EQ(File.DocumentElement().Attribute("t"), "ä");
    File.LoadFromXML("<?xml version=\"1.0\"?>\r\n<!-- c -->\r\n<a>x\r\ny<![CDATA[<&]]></a>");
    EXPECT_EQ(File.DocumentElement().Text(), "x\ny<&");
}

TEST(XML, OddCharactersRoundTrip) {
    const QStringList Values = {"cr\rlf\ncrlf\r\nend",
                                "\n",
                                "   ",
                                "\"quoted\" 'single'",
                                "  padded  ",
                                "<tag> & </tag> ]]>",
                                "&amp; &#10; %s",
                                "tab\there",
                                "Größe µm – 温度 😀",
                                QString(QChar(0xFEFF)) + "bom"};
    TXMLDocument Doc;
    IXMLNode Root = Doc.AddChild("r");
    for (int I = 0; I < Values.size(); ++I) {
        IXMLNode Item = Root.AddChild("item");
        Item.SetAttribute("v", Values[I]);
        Item.SetText(Values[I]);
    }
    const QString Xml = Doc.SaveToXML();
    EXPECT_TRUE(IsWellFormed(Xml));
    TXMLDocument Back = Reloaded(Doc);
    ASSERT_EQ(Back.DocumentElement().ChildCount(), Values.size());
    for (int I = 0; I < Values.size(); ++I) {
        EXPECT_EQ(Back.DocumentElement().Child(I).Attribute("v"), Values[I]) << I;
        EXPECT_EQ(Back.DocumentElement().Child(I).Text(), Values[I]) << I;
    }
    // The visitor for long lists decodes as Text does, and passes other elements by.
    Back.DocumentElement().AddChild("other").SetText("skipped");
    QStringList Visited;
    Back.DocumentElement().ForEachChildText(
        "item", [&](QStringView Text) { Visited.append(Text.toString()); });
    EXPECT_EQ(Visited, Values);

    // What XML 1.0 cannot carry is dropped at once, so memory and file agree.
    const QString Bad = QString("a") + QChar(0) + "\x01\x1F" + QChar(0xFFFF) + QChar(0xD800) + "b";
    const QString Kept = QString("a") + QChar(QChar::ReplacementCharacter) + "b";
    IXMLNode Odd = Root.AddChild("odd");
    Odd.SetAttribute("v", Bad);
    Odd.SetText(Bad);
    EXPECT_EQ(Odd.Attribute("v"), Kept);
    EXPECT_EQ(Odd.Text(), Kept);
    EXPECT_TRUE(IsWellFormed(Doc.SaveToXML()));
    EXPECT_EQ(Reloaded(Doc).DocumentElement().FindNode("odd").Text(), Kept);
    // A lenient parse lets such references in; they are not written out again.
    Doc.LoadFromXML("<a v=\"x&#1;y\">&#2;z</a>");
    EXPECT_EQ(Doc.SaveToXML(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a v=\"xy\">z</a>\n");
}

TEST(XML, NavigatesAndEditsTheTree) {
    TXMLDocument Doc;
    Doc.LoadFromXML("<r a='1' b='2'>text<x/><y k='v'/><x id='2'/></r>");
    IXMLNode R = Doc.DocumentElement();
    EXPECT_EQ(R.AttributeNames(), QStringList({"a", "b"}));
    EXPECT_TRUE(R.HasAttribute("b"));
    EXPECT_EQ(R.Attribute("c", "none"), "none");
    EXPECT_EQ(R.Text(), "text");
    ASSERT_EQ(R.ChildCount(), 3);
    EXPECT_EQ(R.Child(1).NodeName(), "y");
    EXPECT_EQ(R.FindNode("x"), R.Child(0));
    EXPECT_TRUE(R.FindNode("z").IsNull());
    EXPECT_EQ(R.Child(2).ParentNode(), R);
    EXPECT_TRUE(R.ParentNode().IsNull());
    EXPECT_EQ(MessageOf<ERangeError>([&] { R.Child(3); }), "List index out of bounds (3)");
    EXPECT_EQ(MessageOf<ERangeError>([&] { R.Child(-1); }), "List index out of bounds (-1)");

    // Index lookups follow every change of the children.
    IXMLNode Y = R.Child(1);
    R.AddChild("w");
    EXPECT_EQ(R.Child(3).NodeName(), "w");
    R.RemoveChild(Y);
    ASSERT_EQ(R.ChildCount(), 3);
    EXPECT_EQ(R.Child(1).Attribute("id"), "2");
    // The removed node lives on outside the tree.
    EXPECT_TRUE(Y.ParentNode().IsNull());
    EXPECT_EQ(Y.Attribute("k"), "v");
    Y.AddChild("inner");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { R.RemoveChild(Y); }),
              "XML node \"y\" is not a child of node \"r\"");
    R.SetAttribute("a", "changed");
    R.SetText("");
    EXPECT_EQ(Doc.SaveToXML(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<r a=\"changed\" b=\"2\">\n  <x/>\n  <x id=\"2\"/>\n  <w/>\n</r>\n");
}

TEST(XML, NullNodesAndInvalidNames) {
    IXMLNode Null;
    EXPECT_FALSE(Null);
    EXPECT_TRUE(Null.NodeName().isEmpty());
    EXPECT_EQ(Null.ChildCount(), 0);
    EXPECT_TRUE(Null.FindNode("a").IsNull());
    EXPECT_TRUE(Null.ChildNodes().isEmpty());
    EXPECT_EQ(Null.Attribute("a", "d"), "d");
    EXPECT_TRUE(Null.Text().isEmpty());
    const QString NullMessage = "Operation on an empty XML node";
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Null.AddChild("a"); }), NullMessage);
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Null.SetAttribute("a", "b"); }), NullMessage);
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Null.SetText("a"); }), NullMessage);

    TXMLDocument Doc;
    IXMLNode Root = Doc.AddChild("root");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Root.RemoveChild(Null); }), NullMessage);
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Doc.AddChild("second"); }),
              "The XML document already has a document element");
    for (const QString Name : {"", "1a", "a b", "a<", "-a", "a\"", "a\u00A0b"})
        EXPECT_EQ(MessageOf<EXMLDocError>([&] { Root.AddChild(Name); }),
                  "Invalid XML name \"" + Name + "\"");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Root.SetAttribute("a=b", "v"); }),
              "Invalid XML name \"a=b\"");
    for (const QString Name : {"_a", "ns:a", "a-b.c1", "Größe", "温度", "a\U00010000"})
        EXPECT_EQ(Root.AddChild(Name).NodeName(), Name);
}

TEST(XML, ReportsErrorsAndKeepsContent) {
    TXMLDocument Doc;
    Doc.LoadFromXML("<keep/>");
    const QString Before = Doc.SaveToXML();
    const QList<std::pair<QByteArray, QString>> Cases = {
        {"<root>\n  <a>1</a>\n  <b>2</c>\n</root>", "line 3, column 9: Start-end tags mismatch"},
        {"\xEF\xBB\xBF<root>\r\n  <a>1</a>\r\n  <b>2</c>\r\n</root>",
         "line 3, column 9: Start-end tags mismatch"},
        {"<r>\n<ä ö=\"1\" ü></r>", "line 2, column 12: Error parsing element attribute"},
        {"<a/>\n  <b/>", "line 2, column 3: More than one document element"},
        {"<a/>\n  text", "line 2, column 3: Text outside the document element"},
        {"<root>\n  <a>", "line 2, column 5: Start-end tags mismatch"}};
    for (const auto& Case : Cases)
        EXPECT_EQ(MessageOf<EXMLDocError>([&] { LoadBytes(Doc, Case.first); }),
                  "XML error at " + Case.second);
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Doc.LoadFromXML(""); }),
              "The XML document has no document element");
    EXPECT_EQ(Doc.SaveToXML(), Before);

    // File errors read as in the INI tests; here only that they leave the content alone.
    QTemporaryDir Dir;
    EXPECT_THROW(Doc.LoadFromFile(Dir.filePath("missing.xml")), EFOpenError);
    EXPECT_THROW(Doc.SaveToFile(Dir.filePath("no/dir.xml")), EFCreateError);
    EXPECT_THROW(Doc.LoadFromStream(nullptr), EStreamError);
    EXPECT_EQ(Doc.SaveToXML(), Before);
}

TEST(XML, GarbageAndDeepNestingNeitherCrashNorHang) {
    // Token soup, often valid, with bytes changed at random in half of the rounds.
    const QByteArrayList Tokens =
        QByteArray("<a>|</a>|<b x='1'>|</b>|<c/>|text| |\n|\r\n|\t|&amp;|&#13;|&#x1F600;|&lt;|"
                   "<![CDATA[<&]]>|<!-- c -->|\xC3\xA4|<d y=\"&#10;&#9;\" z='\"'/>|&bogus;|]]>|>")
            .split('|');
    std::mt19937 Random(99);
    int Loaded = 0;
    for (int Round = 0; Round < 1000; ++Round) {
        QByteArray Bytes = "<r>";
        for (int I = int(Random() % 30); I > 0; --I)
            Bytes += Tokens[Random() % Tokens.size()];
        Bytes += "</r>";
        for (int I = Round % 2 ? int(Random() % 4) : 0; I > 0; --I)
            Bytes[Random() % Bytes.size()] = char(Random());
        TXMLDocument Doc;
        try {
            Doc.LoadFromXML(QString::fromUtf8(Bytes));
        } catch (const EXMLDocError&) {
            continue;
        }
        ++Loaded;
        // Whatever loads, saves to text that loads back alike.
        const QString Xml = Doc.SaveToXML();
        // Qt's reader follows older name rules, so only unchanged soup is checked with it.
        if (Round % 2 == 0) {
            ASSERT_TRUE(IsWellFormed(Xml)) << Xml.toStdString();
        }
        ASSERT_EQ(Reloaded(Doc).SaveToXML(), Xml) << Bytes.toStdString();
    }
    EXPECT_GT(Loaded, 100);

    const int Depth = 100000;
    TXMLDocument Deep;
    Deep.LoadFromXML(QString("<a>").repeated(Depth) + "x" + QString("</a>").repeated(Depth));
    IXMLNode Node = Deep.DocumentElement();
    int Levels = 1;
    while (Node.ChildCount() > 0) {
        Node = Node.Child(0);
        ++Levels;
    }
    EXPECT_EQ(Levels, Depth);
    EXPECT_EQ(Node.Text(), "x");
    const QString Xml = Deep.SaveToXML();
    EXPECT_EQ(Reloaded(Deep).SaveToXML(), Xml);
    EXPECT_THROW(Deep.LoadFromXML(QString("<a>").repeated(Depth)), EXMLDocError);
}

TEST(XML, NodesOutliveTheirDocument) {
    IXMLNode Kept;
    {
        TXMLDocument Doc;
        Doc.LoadFromXML("<root><child a='1'/></root>");
        Kept = Doc.DocumentElement().FindNode("child");
        TXMLDocument Moved(std::move(Doc));
        EXPECT_EQ(Moved.DocumentElement().FindNode("child"), Kept);
        Moved.Clear();
        EXPECT_TRUE(Moved.DocumentElement().IsNull());
        EXPECT_EQ(Kept.ParentNode().NodeName(), "root");
    }
    EXPECT_EQ(Kept.Attribute("a"), "1");
    Kept.AddChild("grand").SetText("still here");
    EXPECT_EQ(Kept.ParentNode().FindNode("child").FindNode("grand").Text(), "still here");
}
