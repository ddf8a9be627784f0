// How a marker saves itself: the writers and readers of its record in the three forms, and
// the marker's entry points that put the class name and the reference before the fields.

#include "annotations/qvmarkerrecord.h"

#include "annotations/qvmarkers.h"
#include "axes/qvstringfunctions.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvinifiles.h"
#include "framework/qvstreams.h"
#include "framework/qvxml.h"
#include "strings/qvlocalize.h"
#include "style/qvio.h"

#include <memory>
#include <optional>
#include <vector>

using namespace Qvlocalize;

namespace QvMarkerRecord {

void TRecord::Ordinal(TGroup Group, const char* Key, int Current, int Count,
                      const std::function<void(int)>& Set) {
    Value({Group, Key, TKind::Ordinal, Count}, qint64(Current),
          [Set](const TValue& V) { Set(int(std::get<qint64>(V))); });
}

void TRecord::Color(TGroup Group, const char* Key, TQvColor Current,
                    const std::function<void(TQvColor)>& Set) {
    Value({Group, Key, TKind::Color}, qint64(Current),
          [Set](const TValue& V) { Set(TQvColor(std::get<qint64>(V))); });
}

namespace {

using TPending = std::vector<std::function<void()>>;

// What a reader read, applied in order once the record is complete; nothing it sets is an
// edit to record for undo.
void Apply(const TPending& Pending, TQvMovable* Marker) {
    const TReadScope Reading;
    for (const auto& Step : Pending)
        Step();
    Marker->UpdatePosition();
}

// Readers read settings objects into copies and assign them when the record is applied.
class TReader : public TRecord {
protected:
    explicit TReader(TPending& Pending) : FPending(Pending) {}

    void Later(const std::function<void(const TValue&)>& Set, const TValue& V) {
        FPending.push_back([Set, V] { Set(V); });
    }
    // Read reads into a copy of the object, which is assigned to it when the record applies.
    template <class F> void ReadCopy(TSettings Object, const F& Read) {
        std::visit(
            [&](auto* Target) {
                auto Copy = std::make_shared<std::remove_pointer_t<decltype(Target)>>();
                Copy->Assign(Target);
                Read(Copy.get());
                FPending.push_back([Target, Copy] { Target->Assign(Copy.get()); });
            },
            Object);
    }

    TPending& FPending;
};

// ---- binary ----

class TBinaryWriter : public TRecord {
public:
    explicit TBinaryWriter(QIODevice* Stream) : FStream(Stream) {}

    void Value(const TField& Field, const TValue& V,
               std::function<void(const TValue&)>) override {
        using namespace QvStream;
        switch (Field.Kind) {
        case TKind::Boolean:
            WriteBoolean(FStream, std::get<bool>(V));
            break;
        case TKind::Integer:
            WriteInteger(FStream, qint32(std::get<qint64>(V)));
            break;
        case TKind::Ordinal:
            WriteByte(FStream, quint8(std::get<qint64>(V)));
            break;
        case TKind::Double:
            WriteDouble(FStream, std::get<double>(V));
            break;
        case TKind::Single:
            WriteSingle(FStream, float(std::get<double>(V)));
            break;
        case TKind::Color:
            WriteColor(FStream, TQvColor(std::get<qint64>(V)));
            break;
        case TKind::Text:
        case TKind::Reference:
            StringToStream(FStream, std::get<QString>(V));
            break;
        }
    }
    void Settings(TGroup, const char*, TSettings Object) override {
        std::visit([this](auto* S) { ToStream(FStream, S); }, Object);
    }
    void Part(const char*, TQvMovable* Marker) override { Marker->VisitRecord(*this); }
    void End(const char*) override { QvStream::WriteByte(FStream, 0); }

private:
    QIODevice* FStream;
};

class TBinaryReader : public TReader {
public:
    TBinaryReader(QIODevice* Stream, TPending& Pending) : TReader(Pending), FStream(Stream) {}

    void Value(const TField& Field, const TValue&,
               std::function<void(const TValue&)> Set) override {
        using namespace QvStream;
        TValue V;
        switch (Field.Kind) {
        case TKind::Boolean:
            V = ReadBoolean(FStream);
            break;
        case TKind::Integer:
            V = qint64(ReadInteger(FStream));
            break;
        case TKind::Ordinal: {
            const int Ordinal = ReadByte(FStream);
            if (Ordinal >= Field.Count) throw EReadError(SInvalidPropertyValue.Text());
            V = qint64(Ordinal);
            break;
        }
        case TKind::Double:
            V = ReadDouble(FStream);
            break;
        case TKind::Single:
            V = double(ReadSingle(FStream));
            break;
        case TKind::Color:
            V = qint64(ReadColor(FStream));
            break;
        case TKind::Text:
        case TKind::Reference:
            V = StringFromStream(FStream);
            break;
        }
        Later(Set, V);
    }
    void Settings(TGroup, const char*, TSettings Object) override {
        ReadCopy(Object, [this](auto* S) { FromStream(FStream, S); });
    }
    void Part(const char*, TQvMovable* Marker) override { Marker->VisitRecord(*this); }
    void End(const char* Name) override { ExpectEnd(FStream, Name); }

private:
    QIODevice* FStream;
};

// ---- text forms: XML attributes and INI values ----

QString TextOf(const TField& Field, const TValue& V) {
    switch (Field.Kind) {
    case TKind::Boolean:
        return BoolText(std::get<bool>(V));
    case TKind::Integer:
    case TKind::Ordinal:
        return QString::number(std::get<qint64>(V));
    case TKind::Double:
    case TKind::Single:
        return DoubleToStr(std::get<double>(V));
    case TKind::Color:
        return ARGBToString(TQvColor(std::get<qint64>(V)));
    case TKind::Text:
    case TKind::Reference:
        break;
    }
    return std::get<QString>(V);
}

// The value of a text, or nothing when it does not read as one of the field's kind.
std::optional<TValue> ValueOf(const TField& Field, const QString& Text, const TValue& Current) {
    int Number = 0;
    switch (Field.Kind) {
    case TKind::Boolean: {
        const QString Word = Text.trimmed();
        if (TryStrToInt(Word, Number)) return Number != 0;
        if (Word.compare(u"true", Qt::CaseInsensitive) == 0) return true;
        if (Word.compare(u"false", Qt::CaseInsensitive) == 0) return false;
        return std::nullopt;
    }
    case TKind::Integer:
        if (TryStrToInt(Text, Number)) return qint64(Number);
        return std::nullopt;
    case TKind::Ordinal:
        if (TryStrToInt(Text, Number) && Number >= 0 && Number < Field.Count) return qint64(Number);
        return std::nullopt;
    case TKind::Double:
    case TKind::Single:
        return DoubleFromStrDef(Text, std::get<double>(Current));
    case TKind::Color:
        return qint64(ColorToARGB(Text));
    case TKind::Text:
    case TKind::Reference:
        break;
    }
    return Text;
}

const char* GroupName(TGroup Group) {
    switch (Group) {
    case TGroup::Caption:
        return "Caption";
    case TGroup::Location:
        return "Location";
    case TGroup::Properties:
        break;
    }
    return "Properties";
}

// The simple line ("Line") and the font ("Font") name their XML node themselves.
template <class T> constexpr bool NamesItsNode =
    std::is_same_v<T, TQvSimpleLineSettings*> || std::is_same_v<T, TQvFont*>;

QString XmlName(TGroup Group, const char* Key) {
    const QString Name = QString::fromLatin1(Key);
    if (Group != TGroup::Caption) return Name;
    if (Name == u"Caption") return QStringLiteral("Text");
    return Name.mid(Name.indexOf(u'.') + 1);
}

class TXmlWriter : public TRecord {
public:
    explicit TXmlWriter(IXMLNode Element) : FElement(Element) {}

    void Value(const TField& Field, const TValue& V,
               std::function<void(const TValue&)>) override {
        Node(Field.Group).SetAttribute(XmlName(Field.Group, Field.Key), TextOf(Field, V));
    }
    void Settings(TGroup Group, const char* Key, TSettings Object) override {
        std::visit(
            [&](auto* S) {
                if constexpr (NamesItsNode<decltype(S)>) ToNode(Node(Group), S);
                else ToNode(Node(Group), S, XmlName(Group, Key));
            },
            Object);
    }
    void Part(const char* Name, TQvMovable* Marker) override {
        TXmlWriter Writer(FElement.AddChild(QString::fromLatin1(Name)));
        Marker->VisitRecord(Writer);
    }
    void End(const char*) override {}

private:
    IXMLNode Node(TGroup Group) {
        const QString Name = QString::fromLatin1(GroupName(Group));
        const IXMLNode Found = FElement.FindNode(Name);
        return Found ? Found : FElement.AddChild(Name);
    }

    IXMLNode FElement;
};

class TXmlReader : public TReader {
public:
    TXmlReader(const IXMLNode& Element, TPending& Pending) : TReader(Pending), FElement(Element) {}

    void Value(const TField& Field, const TValue& Current,
               std::function<void(const TValue&)> Set) override {
        const IXMLNode Group = Node(Field.Group);
        const QString Name = XmlName(Field.Group, Field.Key);
        if (!Group || !Group.HasAttribute(Name)) return;
        if (const auto V = ValueOf(Field, Group.Attribute(Name), Current)) Later(Set, *V);
    }
    void Settings(TGroup Group, const char* Key, TSettings Object) override {
        ReadCopy(Object, [&](auto* S) {
            if constexpr (NamesItsNode<decltype(S)>) FromNode(Node(Group), S);
            else FromNode(Node(Group), S, XmlName(Group, Key));
        });
    }
    void Part(const char* Name, TQvMovable* Marker) override {
        if (const IXMLNode Child = FElement.FindNode(QString::fromLatin1(Name))) {
            TXmlReader Reader(Child, FPending);
            Marker->VisitRecord(Reader);
        }
    }
    void End(const char*) override {}

private:
    // A missing group node reads as a node without attributes.
    IXMLNode Node(TGroup Group) const {
        return FElement.FindNode(QString::fromLatin1(GroupName(Group)));
    }

    IXMLNode FElement;
};

class TIniWriter : public TRecord {
public:
    TIniWriter(TCustomIniFile* Ini, const QString& Section) : FIni(Ini), FSection(Section) {}

    void Value(const TField& Field, const TValue& V,
               std::function<void(const TValue&)>) override {
        const QString Key = QString::fromLatin1(Field.Key);
        if (Field.Kind == TKind::Boolean)
            FIni->WriteBool(FSection, Key, std::get<bool>(V));
        else if (Field.Kind == TKind::Text)
            FIni->WriteString(FSection, Key, EncodeForIni(std::get<QString>(V)));
        else
            FIni->WriteString(FSection, Key, TextOf(Field, V));
    }
    void Settings(TGroup, const char* Key, TSettings Object) override {
        std::visit([&](auto* S) { ToIni(FIni, FSection, QString::fromLatin1(Key), S); }, Object);
    }
    void Part(const char* Name, TQvMovable* Marker) override {
        TIniWriter Writer(FIni, FSection + u'.' + QLatin1String(Name));
        Marker->VisitRecord(Writer);
    }
    void End(const char*) override {}

private:
    TCustomIniFile* FIni;
    QString FSection;
};

class TIniReader : public TReader {
public:
    TIniReader(TCustomIniFile* Ini, const QString& Section, TPending& Pending)
        : TReader(Pending), FIni(Ini), FSection(Section) {}

    void Value(const TField& Field, const TValue& Current,
               std::function<void(const TValue&)> Set) override {
        const QString Key = QString::fromLatin1(Field.Key);
        if (!FIni->ValueExists(FSection, Key)) return;
        QString Text = FIni->ReadString(FSection, Key, QString());
        if (Field.Kind == TKind::Text) Text = DecodeFomIni(Text);
        if (const auto V = ValueOf(Field, Text, Current)) Later(Set, *V);
    }
    void Settings(TGroup, const char* Key, TSettings Object) override {
        ReadCopy(Object, [&](auto* S) { FromIni(FIni, FSection, QString::fromLatin1(Key), S); });
    }
    void Part(const char* Name, TQvMovable* Marker) override {
        TIniReader Reader(FIni, FSection + u'.' + QLatin1String(Name), FPending);
        Marker->VisitRecord(Reader);
    }
    void End(const char*) override {}

private:
    TCustomIniFile* FIni;
    QString FSection;
};

QString ClassNameOf(const TQvMovable* Marker) {
    return QString::fromLatin1(Marker->metaObject()->className());
}

} // namespace
} // namespace QvMarkerRecord

using namespace QvMarkerRecord;

// Writing only reads the fields; the setters a record lists are not called.

void TQvMovable::WriteTo(QIODevice* Stream) const {
    StringToStream(Stream, ClassNameOf(this));
    StringToStream(Stream, GetComponentRef(this));
    TBinaryWriter Writer(Stream);
    const_cast<TQvMovable*>(this)->VisitRecord(Writer);
}

void TQvMovable::ReadFrom(QIODevice* Stream) {
    ExpectClass(StringFromStream(Stream), ClassNameOf(this));
    // The reference names the marker a document reader picked; it does not rename it.
    StringFromStream(Stream);
    TPending Pending;
    TBinaryReader Reader(Stream, Pending);
    VisitRecord(Reader);
    Apply(Pending, this);
}

void TQvMovable::WriteTo(IXMLNode Node) const {
    IXMLNode Element = Node.AddChild(ClassNameOf(this));
    Element.SetAttribute("Name", GetComponentRef(this));
    TXmlWriter Writer(Element);
    const_cast<TQvMovable*>(this)->VisitRecord(Writer);
}

void TQvMovable::ReadFrom(const IXMLNode& Node) {
    TPending Pending;
    TXmlReader Reader(ClassElement(Node, ClassNameOf(this)), Pending);
    VisitRecord(Reader);
    Apply(Pending, this);
}

void TQvMovable::WriteTo(TCustomIniFile* Ini, const QString& Section) const {
    Ini->WriteString(Section, "Type", ClassNameOf(this));
    Ini->WriteString(Section, "Name", GetComponentRef(this));
    TIniWriter Writer(Ini, Section);
    const_cast<TQvMovable*>(this)->VisitRecord(Writer);
}

void TQvMovable::ReadFrom(TCustomIniFile* Ini, const QString& Section) {
    if (Ini->ValueExists(Section, "Type"))
        ExpectClass(Ini->ReadString(Section, "Type", QString()), ClassNameOf(this));
    TPending Pending;
    TIniReader Reader(Ini, Section, Pending);
    VisitRecord(Reader);
    Apply(Pending, this);
}
