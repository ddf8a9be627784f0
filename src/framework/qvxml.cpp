#include "framework/qvxml.h"

#include "framework/qvexceptions.h"
#include "framework/qvstreams.h"
#include "strings/qvlocalize.h"

#include <QIODevice>
#include <QStringConverter>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <pugixml.hpp>

#include <utility>

struct TXMLDocumentData {
    pugi::xml_document Doc;
    // Removed nodes move here instead of being freed, so their handles stay valid. It is a
    // child of the document node that neither the tree nor the output shows.
    pugi::xml_node_struct* Trash = nullptr;
    // Makes loops over Child(i) linear: the last element found and the last count, valid
    // while no element was added or removed.
    quint64 Version = 0;
    pugi::xml_node_struct* CountParent = nullptr;
    quint64 CountVersion = 0;
    int Count = 0;
    pugi::xml_node_struct* ChildParent = nullptr;
    quint64 ChildVersion = 0;
    int ChildIndex = 0;
    pugi::xml_node_struct* ChildNode = nullptr;
};

namespace {

constexpr unsigned ParseOptions =
    pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_fragment;

pugi::xml_node Wrap(pugi::xml_node_struct* Node) {
    return pugi::xml_node(Node);
}

bool IsElement(const pugi::xml_node& Node) {
    return Node.type() == pugi::node_element;
}

bool IsText(const pugi::xml_node& Node) {
    return Node.type() == pugi::node_pcdata || Node.type() == pugi::node_cdata;
}

pugi::xml_node FirstElement(pugi::xml_node Node) {
    while (Node && !IsElement(Node))
        Node = Node.next_sibling();
    return Node;
}

void AppendText(const pugi::xml_node& Node, QByteArray& Bytes) {
    for (pugi::xml_node C = Node.first_child(); C; C = C.next_sibling())
        if (IsText(C)) Bytes.append(C.value());
}

bool IsNameStart(char32_t C) {
    return C == ':' || C == '_' || (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') ||
           (C >= 0xC0 && C <= 0xD6) || (C >= 0xD8 && C <= 0xF6) || (C >= 0xF8 && C <= 0x2FF) ||
           (C >= 0x370 && C <= 0x37D) || (C >= 0x37F && C <= 0x1FFF) ||
           (C >= 0x200C && C <= 0x200D) || (C >= 0x2070 && C <= 0x218F) ||
           (C >= 0x2C00 && C <= 0x2FEF) || (C >= 0x3001 && C <= 0xD7FF) ||
           (C >= 0xF900 && C <= 0xFDCF) || (C >= 0xFDF0 && C <= 0xFFFD) ||
           (C >= 0x10000 && C <= 0xEFFFF);
}

bool IsNameChar(char32_t C) {
    return IsNameStart(C) || C == '-' || C == '.' || (C >= '0' && C <= '9') || C == 0xB7 ||
           (C >= 0x300 && C <= 0x36F) || (C >= 0x203F && C <= 0x2040);
}

bool IsValidName(const QString& Name) {
    if (Name.isEmpty()) return false;
    for (qsizetype I = 0; I < Name.size(); ++I) {
        const bool First = I == 0;
        char32_t C = Name[I].unicode();
        if (Name[I].isHighSurrogate() && I + 1 < Name.size() && Name[I + 1].isLowSurrogate()) {
            C = QChar::surrogateToUcs4(Name[I], Name[I + 1]);
            ++I;
        } else if (Name[I].isSurrogate()) {
            return false;
        }
        if (!(First ? IsNameStart(C) : IsNameChar(C))) return false;
    }
    return true;
}

QByteArray NameBytes(const QString& Name) {
    if (!IsValidName(Name)) throw EXMLDocError(Format(Qvlocalize::SXMLInvalidName, {Name}));
    return Name.toUtf8();
}

// Text as XML 1.0 can carry it.
QByteArray CleanText(const QString& Value) {
    QString Result;
    Result.reserve(Value.size());
    for (qsizetype I = 0; I < Value.size(); ++I) {
        const QChar C = Value[I];
        const char16_t U = C.unicode();
        if ((U < 0x20 && U != u'\t' && U != u'\n' && U != u'\r') || U == 0xFFFE || U == 0xFFFF)
            continue;
        if (C.isHighSurrogate() && I + 1 < Value.size() && Value[I + 1].isLowSurrogate()) {
            Result += C;
            Result += Value[++I];
        } else if (C.isSurrogate()) {
            Result += QChar(QChar::ReplacementCharacter);
        } else {
            Result += C;
        }
    }
    return Result.toUtf8();
}

// Escapes what would not read back as itself: markup characters, and CR, LF and TAB in
// attributes (which readers turn into spaces) and CR in texts (which readers turn into LF).
// Characters XML 1.0 cannot carry are dropped, even if a lenient parse let them in.
void AppendEscaped(QByteArray& Out, const char* Text, bool Attribute) {
    const char* Run = Text;
    auto Flush = [&](const char* End) { Out.append(Run, End - Run); };
    const char* P = Text;
    for (; *P; ++P) {
        const unsigned char C = static_cast<unsigned char>(*P);
        const char* Replacement = nullptr;
        int Skip = 0;
        switch (C) {
        case '&':
            Replacement = "&amp;";
            break;
        case '<':
            Replacement = "&lt;";
            break;
        case '>':
            Replacement = "&gt;";
            break;
        case '"':
            if (Attribute) Replacement = "&quot;";
            break;
        case '\r':
            Replacement = "&#13;";
            break;
        case '\n':
            if (Attribute) Replacement = "&#10;";
            break;
        case '\t':
            if (Attribute) Replacement = "&#9;";
            break;
        case 0xEF: // U+FFFE and U+FFFF
            if (static_cast<unsigned char>(P[1]) == 0xBF &&
                (static_cast<unsigned char>(P[2]) & 0xFE) == 0xBE)
                Skip = 3;
            break;
        default:
            if (C < 0x20) Skip = 1;
        }
        if (!Replacement && !Skip) continue;
        Flush(P);
        if (Replacement) Out.append(Replacement);
        P += Skip ? Skip - 1 : 0;
        Run = P + 1;
    }
    Flush(P);
}

// Indentation stops growing at some depth: deep documents would otherwise be quadratic.
void AppendIndent(QByteArray& Out, int Depth) {
    constexpr int MaxDepth = 64;
    Out.append(2 * qMin(Depth, MaxDepth), ' ');
}

void AppendStartTag(QByteArray& Out, const pugi::xml_node& Node) {
    Out.append('<');
    Out.append(Node.name());
    for (pugi::xml_attribute A = Node.first_attribute(); A; A = A.next_attribute()) {
        Out.append(' ');
        Out.append(A.name());
        Out.append("=\"");
        AppendEscaped(Out, A.value(), true);
        Out.append('"');
    }
}

// Without recursion, so that deep documents cannot exhaust the stack. An element with both
// texts and child elements is written on one line, so that no indentation enters its text.
void AppendElement(QByteArray& Out, const pugi::xml_node& Root) {
    pugi::xml_node Node = Root;
    pugi::xml_node InlineRoot;
    int Depth = 0;
    for (;;) {
        bool Descend = false;
        if (IsElement(Node)) {
            if (!InlineRoot) AppendIndent(Out, Depth);
            AppendStartTag(Out, Node);
            bool HasElement = false, HasText = false;
            for (pugi::xml_node C = Node.first_child(); C; C = C.next_sibling()) {
                HasElement = HasElement || IsElement(C);
                HasText = HasText || IsText(C);
            }
            if (!HasElement && !HasText) {
                Out.append("/>");
            } else if (!HasElement) {
                Out.append('>');
                for (pugi::xml_node C = Node.first_child(); C; C = C.next_sibling())
                    if (IsText(C)) AppendEscaped(Out, C.value(), false);
                Out.append("</");
                Out.append(Node.name());
                Out.append('>');
            } else {
                Out.append('>');
                if (HasText && !InlineRoot) InlineRoot = Node;
                if (!InlineRoot) Out.append('\n');
                Descend = true;
            }
            if (!Descend && !InlineRoot) Out.append('\n');
        } else if (IsText(Node)) {
            AppendEscaped(Out, Node.value(), false);
        }
        if (Descend) {
            Node = Node.first_child();
            ++Depth;
            continue;
        }
        while (Node != Root && !Node.next_sibling()) {
            Node = Node.parent();
            --Depth;
            if (!InlineRoot) AppendIndent(Out, Depth);
            Out.append("</");
            Out.append(Node.name());
            Out.append('>');
            if (Node == InlineRoot) InlineRoot = pugi::xml_node();
            if (!InlineRoot) Out.append('\n');
        }
        if (Node == Root) return;
        Node = Node.next_sibling();
    }
}

// 1-based line and column (in characters) of a byte offset into UTF-8 text.
std::pair<int, int> TextPosition(const QByteArray& Text, qsizetype Offset) {
    Offset = qBound(qsizetype(0), Offset, Text.size());
    int Line = 1, Column = 1;
    qsizetype I = Text.startsWith("\xEF\xBB\xBF") && Offset >= 3 ? 3 : 0;
    for (; I < Offset; ++I) {
        const char C = Text[I];
        if (C == '\n' || (C == '\r' && (I + 1 >= Text.size() || Text[I + 1] != '\n'))) {
            ++Line;
            Column = 1;
        } else if (C != '\r' && (static_cast<unsigned char>(C) & 0xC0) != 0x80) {
            ++Column;
        }
    }
    return {Line, Column};
}

[[noreturn]] void RaiseParseError(const QByteArray& Text, qsizetype Offset,
                                  const QString& Description) {
    const auto [Line, Column] = TextPosition(Text, Offset);
    throw EXMLDocError(Format(Qvlocalize::SXMLParseError, {Line, Column, Description}));
}

} // namespace

// IXMLNode

IXMLNode::IXMLNode(std::shared_ptr<TXMLDocumentData> Data, pugi::xml_node_struct* Node)
    : FData(Node ? std::move(Data) : nullptr), FNode(Node) {}

pugi::xml_node_struct* IXMLNode::Need() const {
    if (!FNode) throw EXMLDocError(Qvlocalize::SXMLNullNode.Text());
    return FNode;
}

QString IXMLNode::NodeName() const {
    return FNode ? QvStream::FromUtf8(Wrap(FNode).name()) : QString();
}

IXMLNode IXMLNode::AddChild(const QString& Name) {
    pugi::xml_node Node = Wrap(Need());
    const QByteArray Bytes = NameBytes(Name);
    pugi::xml_node Child = Node.append_child(pugi::node_element);
    Child.set_name(Bytes.constData());
    ++FData->Version;
    return IXMLNode(FData, Child.internal_object());
}

IXMLNode IXMLNode::FindNode(const QString& Name) const {
    if (!FNode) return {};
    const QByteArray Bytes = Name.toUtf8();
    for (pugi::xml_node C = FirstElement(Wrap(FNode).first_child()); C;
         C = FirstElement(C.next_sibling()))
        if (Bytes == C.name()) return IXMLNode(FData, C.internal_object());
    return {};
}

int IXMLNode::ChildCount() const {
    if (!FNode) return 0;
    TXMLDocumentData& D = *FData;
    if (D.CountParent != FNode || D.CountVersion != D.Version) {
        int Count = 0;
        for (pugi::xml_node C = FirstElement(Wrap(FNode).first_child()); C;
             C = FirstElement(C.next_sibling()))
            ++Count;
        D.CountParent = FNode;
        D.CountVersion = D.Version;
        D.Count = Count;
    }
    return D.Count;
}

IXMLNode IXMLNode::Child(int Index) const {
    if (Index < 0 || Index >= ChildCount())
        throw ERangeError(Format(Qvlocalize::SListIndexError, {Index}));
    TXMLDocumentData& D = *FData;
    pugi::xml_node C;
    int I = 0;
    if (D.ChildParent == FNode && D.ChildVersion == D.Version && D.ChildIndex <= Index) {
        C = Wrap(D.ChildNode);
        I = D.ChildIndex;
    } else {
        C = FirstElement(Wrap(FNode).first_child());
    }
    for (; I < Index; ++I)
        C = FirstElement(C.next_sibling());
    D.ChildParent = FNode;
    D.ChildVersion = D.Version;
    D.ChildIndex = Index;
    D.ChildNode = C.internal_object();
    return IXMLNode(FData, C.internal_object());
}

QList<IXMLNode> IXMLNode::ChildNodes() const {
    QList<IXMLNode> Result;
    if (!FNode) return Result;
    for (pugi::xml_node C = FirstElement(Wrap(FNode).first_child()); C;
         C = FirstElement(C.next_sibling()))
        Result.append(IXMLNode(FData, C.internal_object()));
    return Result;
}

IXMLNode IXMLNode::ParentNode() const {
    if (!FNode) return {};
    const pugi::xml_node Parent = Wrap(FNode).parent();
    if (!IsElement(Parent) || Parent.internal_object() == FData->Trash) return {};
    return IXMLNode(FData, Parent.internal_object());
}

void IXMLNode::RemoveChild(const IXMLNode& Child) {
    Need();
    Child.Need();
    if (Child.ParentNode() != *this)
        throw EXMLDocError(Format(Qvlocalize::SXMLNotAChild, {Child.NodeName(), NodeName()}));
    TXMLDocumentData& D = *FData;
    if (!D.Trash) D.Trash = D.Doc.append_child(pugi::node_element).internal_object();
    Wrap(D.Trash).append_move(Wrap(Child.FNode));
    ++D.Version;
}

bool IXMLNode::HasAttribute(const QString& Name) const {
    return FNode && Wrap(FNode).attribute(Name.toUtf8().constData());
}

QString IXMLNode::Attribute(const QString& Name, const QString& Default) const {
    if (!FNode) return Default;
    const pugi::xml_attribute A = Wrap(FNode).attribute(Name.toUtf8().constData());
    return A ? QvStream::FromUtf8(A.value()) : Default;
}

void IXMLNode::SetAttribute(const QString& Name, const QString& Value) {
    pugi::xml_node Node = Wrap(Need());
    const QByteArray Bytes = NameBytes(Name);
    pugi::xml_attribute A = Node.attribute(Bytes.constData());
    if (!A) A = Node.append_attribute(Bytes.constData());
    A.set_value(CleanText(Value).constData());
}

QStringList IXMLNode::AttributeNames() const {
    QStringList Result;
    if (!FNode) return Result;
    for (pugi::xml_attribute A = Wrap(FNode).first_attribute(); A; A = A.next_attribute())
        Result.append(QvStream::FromUtf8(A.name()));
    return Result;
}

QString IXMLNode::Text() const {
    if (!FNode) return {};
    QByteArray Bytes;
    AppendText(Wrap(FNode), Bytes);
    return QvStream::FromUtf8(Bytes);
}

void IXMLNode::ForEachChildText(const QString& Name,
                                const std::function<void(QStringView)>& Visit) const {
    if (!FNode) return;
    const QByteArray Wanted = Name.toUtf8();
    // Decoded as Text does, into buffers that live across the items.
    QStringDecoder Decoder = QvStream::Utf8Decoder();
    QByteArray Bytes;
    QVarLengthArray<QChar, 64> Wide;
    for (pugi::xml_node C = FirstElement(Wrap(FNode).first_child()); C;
         C = FirstElement(C.next_sibling())) {
        if (Wanted != C.name()) continue;
        Bytes.resize(0);
        AppendText(C, Bytes);
        Wide.resize(Decoder.requiredSpace(Bytes.size()));
        const QChar* End = Decoder.appendToBuffer(Wide.data(), Bytes);
        Visit(QStringView(Wide.data(), End));
    }
}

void IXMLNode::SetText(const QString& Value) {
    pugi::xml_node Node = Wrap(Need());
    for (pugi::xml_node C = Node.first_child(); C;) {
        const pugi::xml_node Next = C.next_sibling();
        if (IsText(C)) Node.remove_child(C);
        C = Next;
    }
    const QByteArray Bytes = CleanText(Value);
    if (!Bytes.isEmpty()) Node.prepend_child(pugi::node_pcdata).set_value(Bytes.constData());
    ++FData->Version;
}

// TXMLDocument

TXMLDocument::TXMLDocument() : FData(std::make_shared<TXMLDocumentData>()) {}

TXMLDocument::~TXMLDocument() = default;

TXMLDocument::TXMLDocument(TXMLDocument&& Other) noexcept = default;

TXMLDocument& TXMLDocument::operator=(TXMLDocument&& Other) noexcept = default;

void TXMLDocument::LoadFromBytes(const QByteArray& Input) {
    QByteArray Bytes = Input;
    // pugixml reports offsets into the buffer it parsed, so other Unicode forms become UTF-8
    // first; 8-bit encodings named in the declaration are left to pugixml.
    const auto Encoding = QStringConverter::encodingForData(Input, u'<');
    if (Encoding && *Encoding != QStringConverter::Utf8) {
        QStringDecoder Decoder(*Encoding);
        Bytes = QString(Decoder(Input)).toUtf8();
    }
    auto Data = std::make_shared<TXMLDocumentData>();
    const pugi::xml_parse_result Result = Data->Doc.load_buffer(
        Bytes.constData(), size_t(Bytes.size()), ParseOptions, pugi::encoding_auto);
    if (Result.encoding == pugi::encoding_latin1) Bytes = QString::fromLatin1(Bytes).toUtf8();
    if (!Result) RaiseParseError(Bytes, Result.offset, QvStream::FromUtf8(Result.description()));

    // Parsed as a fragment so that stray top-level content can be reported, not dropped.
    pugi::xml_node Root;
    for (pugi::xml_node C = Data->Doc.first_child(); C; C = C.next_sibling()) {
        if (IsElement(C)) {
            if (Root)
                RaiseParseError(Bytes, C.offset_debug() - 1, Qvlocalize::SXMLMultipleRoots.Text());
            Root = C;
        } else if (IsText(C)) {
            const char* Value = C.value();
            qsizetype Blanks = 0;
            while (Value[Blanks] == ' ' || Value[Blanks] == '\t' || Value[Blanks] == '\n' ||
                   Value[Blanks] == '\r')
                ++Blanks;
            if (Value[Blanks])
                RaiseParseError(Bytes, C.offset_debug() + Blanks,
                                Qvlocalize::SXMLTextOutsideRoot.Text());
        }
    }
    if (!Root) throw EXMLDocError(Qvlocalize::SXMLNoDocumentElement.Text());
    FData = std::move(Data);
}

void TXMLDocument::LoadFromXML(const QString& Xml) {
    LoadFromBytes(Xml.toUtf8());
}

void TXMLDocument::LoadFromFile(const QString& FileName) {
    LoadFromBytes(QvStream::ReadFile(FileName));
}

void TXMLDocument::LoadFromStream(QIODevice* Stream) {
    if (!Stream || !Stream->isReadable()) throw EStreamError(Qvlocalize::SReadError.Text());
    LoadFromBytes(Stream->readAll());
}

QByteArray TXMLDocument::SaveToBytes() const {
    QByteArray Out("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    if (const IXMLNode Root = DocumentElement()) AppendElement(Out, Wrap(Root.FNode));
    return Out;
}

QString TXMLDocument::SaveToXML() const {
    return QString::fromUtf8(SaveToBytes());
}

void TXMLDocument::SaveToFile(const QString& FileName) const {
    QvStream::SaveFile(FileName, SaveToBytes());
}

void TXMLDocument::SaveToStream(QIODevice* Stream) const {
    if (!Stream || !Stream->isWritable()) throw EStreamError(Qvlocalize::SWriteError.Text());
    const QByteArray Bytes = SaveToBytes();
    if (Stream->write(Bytes) != Bytes.size()) throw EStreamError(Qvlocalize::SWriteError.Text());
}

IXMLNode TXMLDocument::DocumentElement() const {
    if (!FData) return {};
    for (pugi::xml_node C = FirstElement(FData->Doc.first_child()); C;
         C = FirstElement(C.next_sibling()))
        if (C.internal_object() != FData->Trash) return IXMLNode(FData, C.internal_object());
    return {};
}

IXMLNode TXMLDocument::AddChild(const QString& Name) {
    const QByteArray Bytes = NameBytes(Name);
    if (DocumentElement()) throw EXMLDocError(Qvlocalize::SXMLDocumentElementExists.Text());
    if (!FData) FData = std::make_shared<TXMLDocumentData>();
    pugi::xml_node Root = FData->Doc.append_child(pugi::node_element);
    Root.set_name(Bytes.constData());
    ++FData->Version;
    return IXMLNode(FData, Root.internal_object());
}

void TXMLDocument::Clear() {
    // A fresh data block: handles into the old tree keep it alive and stay valid.
    FData = std::make_shared<TXMLDocumentData>();
}
