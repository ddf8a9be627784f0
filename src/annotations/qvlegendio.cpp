// How a legend saves itself as a binary record, an XML node and an INI section. One list of
// fields serves the three forms: each names its INI key and its XML node and attribute.

#include "annotations/qvlegend.h"

#include "axes/qvstringfunctions.h"
#include "framework/qvexceptions.h"
#include "framework/qvinifiles.h"
#include "framework/qvstreams.h"
#include "framework/qvstringlist.h"
#include "style/qvio.h"

using namespace Qvlocalize;

namespace {

// Everything a record holds, taken from the legend so that absent parts keep their values,
// and applied only once the whole record was read.
struct TLegendValues {
    explicit TLegendValues(const TQvLegend* L)
        : Parent(GetComponentRef(L->GetParent())), Visible(L->GetVisible()),
          Graph(GetComponentRef(L->GetGraph())), Position(int(L->GetPosition())),
          Top(L->GetTop()), Left(L->GetLeft()), AutoSize(L->GetAutoSize()), Width(L->GetWidth()),
          Height(L->GetHeight()), Hint(L->GetHint()), ParentShowHint(L->GetParentShowHint()),
          ShowHint(L->GetShowHint()), ItemHeight(L->GetItemHeight()),
          ItemWidth(L->GetItemWidth()), ForeColor(L->GetForeColor()),
          BackColor(L->GetBackColor()), DropShadow(L->GetDropShadow()),
          CaptionColorFrom(int(L->GetLegendCaptionColorFrom())),
          ItemsOrder(int(L->GetItemsOrder())), Rows(L->GetRows()), Columns(L->GetColumns()),
          OrderList(L->GetItemsOrderList()->GetText().split(u'\n', Qt::SkipEmptyParts)),
          CornerRounding(L->GetCornerRounding()), ItemCaption(L->GetDistanceItemCaption()),
          BetweenLines(L->GetDistanceBetweenLines()),
          BetweenColumns(L->GetDistanceBetweenColumns()), ToBorder(L->GetDistanceToBorder()),
          Caption(L->GetCaption()), CaptionVisible(L->GetCaptionVisible()),
          CaptionAlignment(int(L->GetCaptionAlignment())), CaptionColor(L->GetCaptionColor()),
          CaptionBefore(L->GetCaptionDistanceBefore()), CaptionAfter(L->GetCaptionDistanceAfter()) {
        Font.Assign(L->GetItemFont());
        Frame.Assign(L->GetFrame());
        CaptionFont.Assign(L->GetCaptionFont());
        Gradient.Assign(L->GetBackgroundGradient());
    }

    // Every field once, in the order of the records.
    template <class V> void Visit(V& F) {
        F.Field("Parent", "Properties", "Parent", Parent);
        F.Field("Visible", "Properties", "Visible", Visible);
        F.Field("Graph", "Properties", "Graph", Graph);
        F.Field("Position", "Properties", "Position", Position);
        F.Field("Top", "Properties", "Top", Top);
        F.Field("Left", "Properties", "Left", Left);
        F.Field("AutoSize", "Properties", "AutoSize", AutoSize);
        F.Field("Width", "Properties", "Width", Width);
        F.Field("Height", "Properties", "Height", Height);
        F.Field("Hint", "Properties", "Hint", Hint);
        F.Field("ParentShowHint", "Properties", "ParentShowHint", ParentShowHint);
        F.Field("ShowHint", "Properties", "ShowHint", ShowHint);
        F.Field("ItemHeight", "Properties", "ItemHeight", ItemHeight);
        F.Field("ItemWidth", "Properties", "ItemWidth", ItemWidth);
        F.Field("ForeColor", "Properties", "ForeColor", ForeColor);
        F.Field("BackColor", "Properties", "BackColor", BackColor);
        F.Field("DropShadow", "Properties", "DropShadow", DropShadow);
        F.Field("LegendCaptionColorFrom", "Properties", "LegendCaptionColorFrom",
                CaptionColorFrom);
        F.Field("ItemsOrder", "Properties", "ItemsOrder", ItemsOrder);
        F.Field("Rows", "Properties", "Rows", Rows);
        F.Field("Columns", "Properties", "Columns", Columns);
        F.List("ItemsOrderList", OrderList);
        F.Style("Font", "Properties", "Font", Font);
        F.Style("Frame", "", "Frame", Frame);
        F.Field("CornerRounding", "Properties", "CornerRounding", CornerRounding);
        F.Field("Distance.ItemCaption", "Distances", "ItemCaption", ItemCaption);
        F.Field("Distance.BetweenLines", "Distances", "BetweenLines", BetweenLines);
        F.Field("Distance.BetweenColumns", "Distances", "BetweenColumns", BetweenColumns);
        F.Field("Distance.ToBorder", "Distances", "ToBorder", ToBorder);
        F.Field("Caption", "Caption", "Text", Caption);
        F.Field("Caption.Visible", "Caption/Properties", "Visible", CaptionVisible);
        F.Field("Caption.Alignment", "Caption/Properties", "Alignment", CaptionAlignment);
        F.Field("Caption.Color", "Caption/Properties", "Color", CaptionColor);
        F.Field("Caption.DistanceBefore", "Caption/Properties", "DistanceBefore", CaptionBefore);
        F.Field("Caption.DistanceAfter", "Caption/Properties", "DistanceAfter", CaptionAfter);
        F.Style("Caption.Font", "Caption/Properties", "Font", CaptionFont);
        F.Style("BackgroundGradient", "", "Gradient", Gradient);
    }

    void ApplyTo(TQvLegend* L) const {
        if (auto* Owner = qobject_cast<TWinControl*>(GetComponentFromRef(Parent)))
            L->SetParent(Owner);
        L->SetVisible(Visible);
        L->SetGraph(qobject_cast<TQvGraph2D*>(GetComponentFromRef(Graph)));
        L->SetPosition(TQvLegendPosition(Position));
        L->SetAutoSize(AutoSize);
        L->SetBounds(Left, Top, Width, Height);
        L->SetHint(Hint);
        L->SetParentShowHint(ParentShowHint);
        L->SetShowHint(ShowHint);
        L->SetItemHeight(ItemHeight);
        L->SetItemWidth(ItemWidth);
        L->SetItemFont(const_cast<TQvFont*>(&Font));
        L->SetForeColor(ForeColor);
        L->SetBackColor(BackColor);
        L->SetDropShadow(DropShadow);
        L->SetLegendCaptionColorFrom(TQvLegendCaptionColorFrom(CaptionColorFrom));
        L->SetItemsOrder(TQvItemsOrder(ItemsOrder));
        L->SetRows(Rows);
        L->SetColumns(Columns);
        L->GetItemsOrderList()->SetText(OrderList.join(u'\n'));
        L->SetFrame(const_cast<TQvLineSettings*>(&Frame));
        L->SetCornerRounding(CornerRounding);
        L->SetDistanceItemCaption(ItemCaption);
        L->SetDistanceBetweenLines(BetweenLines);
        L->SetDistanceBetweenColumns(BetweenColumns);
        L->SetDistanceToBorder(ToBorder);
        L->SetCaption(Caption);
        L->SetCaptionVisible(CaptionVisible);
        L->SetCaptionAlignment(TAlignment(CaptionAlignment));
        L->SetCaptionFont(const_cast<TQvFont*>(&CaptionFont));
        L->SetCaptionColor(CaptionColor);
        L->SetCaptionDistanceBefore(CaptionBefore);
        L->SetCaptionDistanceAfter(CaptionAfter);
        L->SetBackgroundGradient(const_cast<TQvGradientSettings*>(&Gradient));
    }

    // Enumerations that name nothing are refused, as a corrupt record.
    void Check() const {
        const auto Within = [](int Value, int Count) { return Value >= 0 && Value < Count; };
        if (!Within(Position, int(TQvLegendPosition::FreeFloating) + 1) ||
            !Within(CaptionColorFrom, 3) || !Within(ItemsOrder, 2) || !Within(CaptionAlignment, 3))
            throw EReadError(SInvalidPropertyValue.Text());
    }

    QString Parent;
    bool Visible;
    QString Graph;
    int Position, Top, Left;
    bool AutoSize;
    int Width, Height;
    QString Hint;
    bool ParentShowHint, ShowHint;
    float ItemHeight, ItemWidth;
    TQvColor ForeColor, BackColor;
    bool DropShadow;
    int CaptionColorFrom, ItemsOrder, Rows, Columns;
    QStringList OrderList;
    TQvFont Font;
    TQvLineSettings Frame;
    float CornerRounding, ItemCaption, BetweenLines, BetweenColumns, ToBorder;
    QString Caption;
    bool CaptionVisible;
    int CaptionAlignment;
    TQvColor CaptionColor;
    float CaptionBefore, CaptionAfter;
    TQvFont CaptionFont;
    TQvGradientSettings Gradient;
};

// ---- binary ----

struct TStreamWriter {
    QIODevice* S;
    void Field(const char*, const char*, const char*, bool V) { QvStream::WriteBoolean(S, V); }
    void Field(const char*, const char*, const char*, int V) { QvStream::WriteInteger(S, V); }
    void Field(const char*, const char*, const char*, float V) { QvStream::WriteSingle(S, V); }
    void Field(const char*, const char*, const char*, TQvColor V) { QvStream::WriteColor(S, V); }
    void Field(const char*, const char*, const char*, const QString& V) { EncodeToStream(S, V); }
    void List(const char*, const QStringList& V) {
        QvStream::WriteInteger(S, qint32(V.size()));
        for (const QString& Item : V)
            StringToStream(S, Item);
    }
    template <class T> void Style(const char*, const char*, const char*, const T& V) {
        ToStream(S, &V);
    }
};

struct TStreamReader {
    QIODevice* S;
    void Field(const char*, const char*, const char*, bool& V) { V = QvStream::ReadBoolean(S); }
    void Field(const char*, const char*, const char*, int& V) { V = QvStream::ReadInteger(S); }
    void Field(const char*, const char*, const char*, float& V) { V = QvStream::ReadSingle(S); }
    void Field(const char*, const char*, const char*, TQvColor& V) { V = QvStream::ReadColor(S); }
    void Field(const char*, const char*, const char*, QString& V) { V = DecodeFromStream(S); }
    void List(const char*, QStringList& V) {
        const qint32 n = QvStream::ReadInteger(S);
        // Every item takes at least its 4-byte length.
        if (n < 0 || n > (S->size() - S->pos()) / 4) throw EReadError(SInvalidPropertyValue.Text());
        V.clear();
        for (qint32 i = 0; i < n; ++i)
            V << StringFromStream(S);
    }
    template <class T> void Style(const char*, const char*, const char*, T& V) {
        FromStream(S, &V);
    }
};

// ---- XML ----

// The node at a path like "Caption/Properties" below Node; "" is Node itself.
IXMLNode NodeAt(IXMLNode Node, const char* Path, bool Create) {
    for (const QString& Name : QString::fromLatin1(Path).split(u'/', Qt::SkipEmptyParts)) {
        IXMLNode Child = Node.FindNode(Name);
        if (Child.IsNull() && Create) Child = Node.AddChild(Name);
        if (Child.IsNull()) return Child;
        Node = Child;
    }
    return Node;
}

struct TNodeWriter {
    IXMLNode N;
    void Set(const char* Path, const char* Attr, const QString& Text) {
        NodeAt(N, Path, true).SetAttribute(QString::fromLatin1(Attr), Text);
    }
    void Field(const char*, const char* P, const char* A, bool V) { Set(P, A, BoolText(V)); }
    void Field(const char*, const char* P, const char* A, int V) {
        Set(P, A, QString::number(V));
    }
    void Field(const char*, const char* P, const char* A, float V) { Set(P, A, DoubleToStr(V)); }
    void Field(const char*, const char* P, const char* A, TQvColor V) {
        Set(P, A, ARGBToString(V));
    }
    void Field(const char*, const char* P, const char* A, const QString& V) { Set(P, A, V); }
    void List(const char* Name, const QStringList& V) {
        IXMLNode List = N.AddChild(QString::fromLatin1(Name));
        List.SetAttribute("Count", QString::number(V.size()));
        for (const QString& Item : V)
            List.AddChild("Item").SetAttribute("Ref", Item);
    }
    void Style(const char*, const char* P, const char*, const TQvFont& V) {
        ToNode(NodeAt(N, P, true), &V);
    }
    void Style(const char*, const char* P, const char* A, const TQvLineSettings& V) {
        ToNode(NodeAt(N, P, true), &V, QString::fromLatin1(A));
    }
    void Style(const char*, const char* P, const char* A, const TQvGradientSettings& V) {
        ToNode(NodeAt(N, P, true), &V, QString::fromLatin1(A));
    }
};

struct TNodeReader {
    IXMLNode N;
    IXMLNode At(const char* Path) const { return NodeAt(N, Path, false); }
    void Field(const char*, const char* P, const char* A, bool& V) {
        if (const IXMLNode Node = At(P); !Node.IsNull()) V = AttrBool(Node, A, V);
    }
    void Field(const char*, const char* P, const char* A, int& V) {
        if (const IXMLNode Node = At(P); !Node.IsNull()) V = AttrInt(Node, A, V);
    }
    void Field(const char*, const char* P, const char* A, float& V) {
        if (const IXMLNode Node = At(P); !Node.IsNull()) V = AttrFloat(Node, A, V);
    }
    void Field(const char*, const char* P, const char* A, TQvColor& V) {
        if (const IXMLNode Node = At(P); !Node.IsNull()) V = AttrColor(Node, A, V);
    }
    void Field(const char*, const char* P, const char* A, QString& V) {
        const IXMLNode Node = At(P);
        if (!Node.IsNull() && Node.HasAttribute(A)) V = Node.Attribute(A);
    }
    void List(const char* Name, QStringList& V) {
        const IXMLNode List = N.FindNode(QString::fromLatin1(Name));
        if (List.IsNull()) return;
        V.clear();
        for (int i = 0; i < List.ChildCount(); ++i)
            V << List.Child(i).Attribute("Ref");
    }
    void Style(const char*, const char* P, const char*, TQvFont& V) {
        if (const IXMLNode Node = At(P); !Node.IsNull()) FromNode(Node, &V);
    }
    template <class T> void Style(const char*, const char* P, const char* A, T& V) {
        if (const IXMLNode Node = At(P); !Node.IsNull()) FromNode(Node, &V, QString::fromLatin1(A));
    }
};

// ---- INI ----

struct TIniWriter {
    TCustomIniFile* Ini;
    QString Section;
    void Field(const char* K, const char*, const char*, bool V) { Ini->WriteBool(Section, K, V); }
    void Field(const char* K, const char*, const char*, int V) {
        Ini->WriteInteger(Section, K, V);
    }
    void Field(const char* K, const char*, const char*, float V) {
        Ini->WriteString(Section, K, DoubleToStr(V));
    }
    void Field(const char* K, const char*, const char*, TQvColor V) {
        Ini->WriteString(Section, K, ARGBToString(V));
    }
    void Field(const char* K, const char*, const char*, const QString& V) {
        Ini->WriteString(Section, K, EncodeForIni(V));
    }
    void List(const char* Name, const QStringList& V) {
        const QString Key = QString::fromLatin1(Name);
        Ini->WriteInteger(Section, Key + ".Count", int(V.size()));
        for (qsizetype i = 0; i < V.size(); ++i)
            Ini->WriteString(Section, Key + '(' + QString::number(i) + ')', V[i]);
    }
    template <class T> void Style(const char* K, const char*, const char*, const T& V) {
        ToIni(Ini, Section, QString::fromLatin1(K), &V);
    }
};

struct TIniReader {
    TCustomIniFile* Ini;
    QString Section;
    void Field(const char* K, const char*, const char*, bool& V) {
        V = Ini->ReadBool(Section, K, V);
    }
    void Field(const char* K, const char*, const char*, int& V) {
        V = Ini->ReadInteger(Section, K, V);
    }
    void Field(const char* K, const char*, const char*, float& V) {
        V = ReadIniFloat(Ini, Section, K, V);
    }
    void Field(const char* K, const char*, const char*, TQvColor& V) {
        V = ReadIniColor(Ini, Section, K, V);
    }
    void Field(const char* K, const char*, const char*, QString& V) {
        if (Ini->ValueExists(Section, K)) V = DecodeFomIni(Ini->ReadString(Section, K, {}));
    }
    void List(const char* Name, QStringList& V) {
        const QString Key = QString::fromLatin1(Name);
        if (!Ini->ValueExists(Section, Key + ".Count")) return;
        V.clear();
        const int n = Ini->ReadInteger(Section, Key + ".Count", 0);
        for (int i = 0; i < n; ++i) {
            const QString Item = Key + '(' + QString::number(i) + ')';
            // A count beyond the keys that follow ends the list.
            if (!Ini->ValueExists(Section, Item)) break;
            V << Ini->ReadString(Section, Item, {});
        }
    }
    template <class T> void Style(const char* K, const char*, const char*, T& V) {
        FromIni(Ini, Section, QString::fromLatin1(K), &V);
    }
};

} // namespace

void TQvLegend::WriteTo(QIODevice* Stream) const {
    StringToStream(Stream, GetComponentRef(this));
    TLegendValues Values(this);
    TStreamWriter Writer{Stream};
    Values.Visit(Writer);
    QvStream::WriteByte(Stream, 0);
}

void TQvLegend::ReadFrom(QIODevice* Stream) {
    // The reference, by which a document found this legend.
    StringFromStream(Stream);
    TLegendValues Values(this);
    TStreamReader Reader{Stream};
    Values.Visit(Reader);
    ExpectEnd(Stream, "legend");
    Values.Check();
    Values.ApplyTo(this);
}

void TQvLegend::WriteTo(IXMLNode Node) const {
    IXMLNode Element = Node.AddChild(QString::fromLatin1(metaObject()->className()));
    Element.SetAttribute("Name", GetComponentRef(this));
    TLegendValues Values(this);
    TNodeWriter Writer{Element};
    Values.Visit(Writer);
}

void TQvLegend::ReadFrom(const IXMLNode& Node) {
    TLegendValues Values(this);
    TNodeReader Reader{ClassElement(Node, QString::fromLatin1(metaObject()->className()))};
    Values.Visit(Reader);
    Values.Check();
    Values.ApplyTo(this);
}

void TQvLegend::WriteTo(TCustomIniFile* Ini, const QString& Section) const {
    Ini->WriteString(Section, "Name", GetComponentRef(this));
    TLegendValues Values(this);
    TIniWriter Writer{Ini, Section};
    Values.Visit(Writer);
}

void TQvLegend::ReadFrom(TCustomIniFile* Ini, const QString& Section) {
    TLegendValues Values(this);
    TIniReader Reader{Ini, Section};
    Values.Visit(Reader);
    Values.Check();
    Values.ApplyTo(this);
}
