// The writers and readers of records in the three forms.

#include "style/qvrecord.h"

#include "axes/qvstringfunctions.h"
#include "data/qvvectors.h"
#include "framework/qvcontrols.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvinifiles.h"
#include "framework/qvstreams.h"
#include "framework/qvxml.h"
#include "strings/qvlocalize.h"
#include "style/qvio.h"

#include <memory>
#include <optional>

using namespace Qvlocalize;

namespace QvRecord {

QString TRecord::String(const TName& Name, const QString& Current, TSetter<QString> Set) {
    return std::get<QString>(Value({Name, TKind::String}, Current, Adapt<QString>(Set)));
}

TQvColor TRecord::Color(const TName& Name, TQvColor Current, TSetter<TQvColor> Set) {
    const auto Apply = Set ? [Set](const TValue& V) { Set(TQvColor(std::get<qint64>(V))); }
                           : std::function<void(const TValue&)>();
    return TQvColor(std::get<qint64>(Value({Name, TKind::Color}, qint64(Current), Apply)));
}

int TRecord::Ordinal(const TName& Name, int Current, int Count, TSetter<int> Set, TKind Kind) {
    return Loaded<int>(Value({Name, Kind, Count}, qint64(Current), Adapt<int>(Set)));
}

void ControlVisibility(TRecord& Record, TControl* Control) {
    Record.Field({"Visible", "Properties", "Visible"}, Control->GetVisible(),
                 [Control](bool V) { Control->SetVisible(V); });
    Record.Field({"Hint", "Properties", "Hint"}, Control->GetHint(),
                 [Control](const QString& V) { Control->SetHint(V); });
    ShowHintFields(Record, Control);
}

void ShowHintFields(TRecord& Record, TControl* Control) {
    Record.Field({"ParentShowHint", "Properties", "ParentShowHint"}, Control->GetParentShowHint(),
                 [Control](bool V) { Control->SetParentShowHint(V); });
    Record.Field({"ShowHint", "Properties", "ShowHint"}, Control->GetShowHint(), [Control](bool V) {
        const bool Parent = Control->GetParentShowHint();
        Control->SetShowHint(V);
        Control->SetParentShowHint(Parent);
    });
}

void TLoaded::Apply() const {
    const TReadScope Reading;
    for (const auto& Step : FSteps)
        Step();
}

namespace {

// A settings object of any of the kinds in TSettings, passed to F as its own type.
template <class F> void WithSettings(TSettings Object, F&& Call) {
    std::visit([&](auto* S) { Call(S); }, Object);
}

template <class T>
constexpr bool NamesItsNode =
    std::is_same_v<T, TQvSimpleLineSettings*> || std::is_same_v<T, TQvFont*>;

QString Latin(const char* Text) {
    return QString::fromLatin1(Text);
}

QString ItemKey(const char* Key, qsizetype Index) {
    return Latin(Key) + u'(' + QString::number(Index) + u')';
}

} // namespace

// Readers read settings and vectors into copies; what applies later are the copies.
class TReader : public TRecord {
protected:
    explicit TReader(TLoaded& Loaded) : FLoaded(Loaded) {}

    template <class T> void Later(const std::function<void(const T&)>& Set, const T& V) {
        if (Set) FLoaded.FSteps.push_back([Set, V] { Set(V); });
    }
    template <class F> void ReadCopy(TSettings Object, const F& Read) {
        WithSettings(Object, [&](auto* Target) {
            auto Copy = std::make_shared<std::remove_pointer_t<decltype(Target)>>();
            Copy->Assign(Target);
            Read(Copy.get());
            FLoaded.FSteps.push_back([Target, Copy] { Target->Assign(Copy.get()); });
        });
    }
    // The values of a vector record that Read reads.
    template <class F> std::vector<double> ReadVector(const F& Read) {
        TQvDoubleVector Vector(nullptr);
        Read(Vector);
        const double* Values = Vector.Data();
        return std::vector<double>(Values, Values + Vector.GetCount());
    }
    void Part(const char*, const std::function<void(TRecord&)>& Visit) override { Visit(*this); }

    TLoaded& FLoaded;
};

namespace {

std::unique_ptr<TQvDoubleVector> VectorOf(const std::vector<double>& Values) {
    auto Vector = std::make_unique<TQvDoubleVector>(nullptr);
    Vector->AddRange(Values);
    return Vector;
}

// ---- binary ----

class TBinaryWriter : public TRecord {
public:
    explicit TBinaryWriter(QIODevice* Stream) : FStream(Stream) {}

    TValue Value(const TField& Field, const TValue& V,
                 const std::function<void(const TValue&)>&) override {
        using namespace QvStream;
        switch (Field.Kind) {
        case TKind::Boolean:
            WriteBoolean(FStream, std::get<bool>(V));
            break;
        case TKind::Integer:
            WriteInteger(FStream, qint32(std::get<qint64>(V)));
            break;
        case TKind::Byte:
            WriteByte(FStream, quint8(std::get<qint64>(V)));
            break;
        case TKind::Word:
            WriteWord(FStream, quint16(std::get<qint64>(V)));
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
            EncodeToStream(FStream, std::get<QString>(V));
            break;
        case TKind::String:
        case TKind::Reference:
            StringToStream(FStream, std::get<QString>(V));
            break;
        }
        return V;
    }
    void Settings(const TName&, TSettings Object) override {
        WithSettings(Object, [this](auto* S) { ToStream(FStream, S); });
    }
    QStringList List(const TName&, const char*, const QStringList& Lines,
                     const std::function<void(const QStringList&)>&) override {
        QvStream::WriteInteger(FStream, qint32(Lines.size()));
        for (const QString& Line : Lines)
            EncodeToStream(FStream, Line);
        return Lines;
    }
    std::vector<double> Vector(const TName&, int, const std::vector<double>& Values,
                               const std::function<void(const std::vector<double>&)>&) override {
        VectorOf(Values)->WriteTo(FStream);
        return Values;
    }
    void Part(const char*, const std::function<void(TRecord&)>& Visit) override { Visit(*this); }
    bool Block() override {
        QvStream::WriteByte(FStream, 1);
        return true;
    }
    void End(const char*) override { QvStream::WriteByte(FStream, 0); }

private:
    QIODevice* FStream;
};

class TBinaryReader : public TReader {
public:
    TBinaryReader(QIODevice* Stream, TLoaded& Loaded) : TReader(Loaded), FStream(Stream) {}

    TValue Value(const TField& Field, const TValue&,
                 const std::function<void(const TValue&)>& Set) override {
        using namespace QvStream;
        TValue V;
        switch (Field.Kind) {
        case TKind::Boolean:
            V = ReadBoolean(FStream);
            break;
        case TKind::Integer:
            V = qint64(ReadInteger(FStream));
            break;
        case TKind::Byte:
            V = qint64(ReadByte(FStream));
            break;
        case TKind::Word:
            V = qint64(ReadWord(FStream));
            break;
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
            V = DecodeFromStream(FStream);
            break;
        case TKind::String:
        case TKind::Reference:
            V = StringFromStream(FStream);
            break;
        }
        if (Field.Count > 0 && !(std::get<qint64>(V) >= 0 && std::get<qint64>(V) < Field.Count))
            throw EReadError(SInvalidPropertyValue.Text());
        Later(Set, V);
        return V;
    }
    void Settings(const TName&, TSettings Object) override {
        ReadCopy(Object, [this](auto* S) { FromStream(FStream, S); });
    }
    QStringList List(const TName&, const char*, const QStringList&,
                     const std::function<void(const QStringList&)>& Set) override {
        const qint32 Count = QvStream::ReadInteger(FStream);
        // Every line takes at least its 4-byte length.
        QvStream::CheckStoredCount(FStream, Count, 4);
        QStringList Lines;
        for (qint32 i = 0; i < Count; ++i)
            Lines << DecodeFromStream(FStream);
        Later(Set, Lines);
        return Lines;
    }
    std::vector<double>
    Vector(const TName&, int, const std::vector<double>&,
           const std::function<void(const std::vector<double>&)>& Set) override {
        const std::vector<double> Values =
            ReadVector([this](TQvDoubleVector& V) { V.ReadFrom(FStream); });
        Later(Set, Values);
        return Values;
    }
    bool Block() override { return ReadMarker(FStream); }
    void End(const char* Record) override { ExpectEnd(FStream, Record); }

private:
    QIODevice* FStream;
};

// ---- text forms: XML attributes and INI values ----

QString TextOf(const TField& Field, const TValue& V) {
    switch (Field.Kind) {
    case TKind::Boolean:
        return BoolText(std::get<bool>(V));
    case TKind::Integer:
    case TKind::Byte:
    case TKind::Word:
        return QString::number(std::get<qint64>(V));
    case TKind::Double:
    case TKind::Single:
        return DoubleToStr(std::get<double>(V));
    case TKind::Color:
        return ARGBToString(TQvColor(std::get<qint64>(V)));
    case TKind::Text:
    case TKind::String:
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
    case TKind::Byte:
    case TKind::Word:
        if (!TryStrToInt(Text, Number)) return std::nullopt;
        if (Field.Count > 0 && !(Number >= 0 && Number < Field.Count)) return std::nullopt;
        return qint64(Number);
    case TKind::Double:
    case TKind::Single:
        return DoubleFromStrDef(Text, std::get<double>(Current));
    case TKind::Color:
        return qint64(ColorToARGB(Text));
    case TKind::Text:
    case TKind::String:
    case TKind::Reference:
        break;
    }
    return Text;
}

// The node at a path like "Caption/Properties" below Node; "" is Node itself. Without Create
// a missing node is the null node.
IXMLNode NodeAt(IXMLNode Node, const char* Path, bool Create) {
    for (const QString& Name : Latin(Path).split(u'/', Qt::SkipEmptyParts)) {
        IXMLNode Child = Node.FindNode(Name);
        if (Child.IsNull() && Create) Child = Node.AddChild(Name);
        if (Child.IsNull()) return Child;
        Node = Child;
    }
    return Node;
}

// The Index-th vector element below Node; the null node when there is none.
IXMLNode VectorElement(const IXMLNode& Node, int Index) {
    if (Node.IsNull()) return {};
    const QString Name = QString::fromLatin1(TQvDoubleVector::staticMetaObject.className());
    for (const IXMLNode& Child : Node.ChildNodes())
        if (Child.NodeName() == Name && Index-- == 0) return Child;
    return {};
}

class TXmlWriter : public TRecord {
public:
    explicit TXmlWriter(IXMLNode Element) : FElement(Element) {}

    TValue Value(const TField& Field, const TValue& V,
                 const std::function<void(const TValue&)>&) override {
        if (Field.Name.Attribute)
            Node(Field.Name).SetAttribute(Latin(Field.Name.Attribute), TextOf(Field, V));
        return V;
    }
    void Settings(const TName& Name, TSettings Object) override {
        WithSettings(Object, [&](auto* S) {
            if constexpr (NamesItsNode<decltype(S)>)
                ToNode(Node(Name), S);
            else
                ToNode(Node(Name), S, Latin(Name.Attribute));
        });
    }
    QStringList List(const TName& Name, const char*, const QStringList& Lines,
                     const std::function<void(const QStringList&)>&) override {
        IXMLNode List = Node(Name);
        List.SetAttribute("Count", QString::number(Lines.size()));
        for (const QString& Line : Lines)
            List.AddChild("Item").SetAttribute(Latin(Name.Attribute), Line);
        return Lines;
    }
    std::vector<double> Vector(const TName& Name, int, const std::vector<double>& Values,
                               const std::function<void(const std::vector<double>&)>&) override {
        VectorOf(Values)->WriteTo(Node(Name));
        return Values;
    }
    void Part(const char* Name, const std::function<void(TRecord&)>& Visit) override {
        TXmlWriter Writer(FElement.AddChild(Latin(Name)));
        Visit(Writer);
    }
    bool Block() override { return true; }
    void End(const char*) override {}

private:
    IXMLNode Node(const TName& Name) { return NodeAt(FElement, Name.Node, true); }

    IXMLNode FElement;
};

class TXmlReader : public TReader {
public:
    TXmlReader(const IXMLNode& Element, TLoaded& Loaded) : TReader(Loaded), FElement(Element) {}

    TValue Value(const TField& Field, const TValue& Current,
                 const std::function<void(const TValue&)>& Set) override {
        const IXMLNode Node = this->Node(Field.Name);
        std::optional<TValue> V;
        if (!Field.Name.Attribute) {
            V = !Node.IsNull();
        } else {
            const QString Attribute = Latin(Field.Name.Attribute);
            if (!Node.IsNull() && Node.HasAttribute(Attribute))
                V = ValueOf(Field, Node.Attribute(Attribute), Current);
        }
        if (!V) return Current;
        Later(Set, *V);
        return *V;
    }
    void Settings(const TName& Name, TSettings Object) override {
        const IXMLNode Node = this->Node(Name);
        if (Node.IsNull()) return;
        ReadCopy(Object, [&](auto* S) {
            if constexpr (NamesItsNode<decltype(S)>)
                FromNode(Node, S);
            else
                FromNode(Node, S, Latin(Name.Attribute));
        });
    }
    // Counts in a document are not trusted: the items present are what is read.
    QStringList List(const TName& Name, const char*, const QStringList& Current,
                     const std::function<void(const QStringList&)>& Set) override {
        const IXMLNode List = Node(Name);
        if (List.IsNull()) return Current;
        QStringList Lines;
        for (const IXMLNode& Item : List.ChildNodes())
            if (Item.NodeName() == u"Item") Lines << Item.Attribute(Latin(Name.Attribute));
        Later(Set, Lines);
        return Lines;
    }
    std::vector<double>
    Vector(const TName& Name, int Index, const std::vector<double>& Current,
           const std::function<void(const std::vector<double>&)>& Set) override {
        const IXMLNode Element = VectorElement(Node(Name), Index);
        if (Element.IsNull()) return Current;
        const std::vector<double> Values =
            ReadVector([&](TQvDoubleVector& V) { V.ReadFrom(Element); });
        Later(Set, Values);
        return Values;
    }
    void Part(const char* Name, const std::function<void(TRecord&)>& Visit) override {
        if (const IXMLNode Child = FElement.FindNode(Latin(Name))) {
            TXmlReader Reader(Child, FLoaded);
            Visit(Reader);
        }
    }
    bool Block() override { return true; }
    void End(const char*) override {}

private:
    IXMLNode Node(const TName& Name) const { return NodeAt(FElement, Name.Node, false); }

    IXMLNode FElement;
};

class TIniWriter : public TRecord {
public:
    TIniWriter(TCustomIniFile* Ini, const QString& Section) : FIni(Ini), FSection(Section) {}

    TValue Value(const TField& Field, const TValue& V,
                 const std::function<void(const TValue&)>&) override {
        const QString Key = Latin(Field.Name.Key);
        if (Field.Kind == TKind::Boolean)
            FIni->WriteBool(FSection, Key, std::get<bool>(V));
        else if (Field.Kind == TKind::Text)
            FIni->WriteString(FSection, Key, EncodeForIni(std::get<QString>(V)));
        else
            FIni->WriteString(FSection, Key, TextOf(Field, V));
        return V;
    }
    void Settings(const TName& Name, TSettings Object) override {
        WithSettings(Object, [&](auto* S) { ToIni(FIni, FSection, Latin(Name.Key), S); });
    }
    QStringList List(const TName& Name, const char* CountKey, const QStringList& Lines,
                     const std::function<void(const QStringList&)>&) override {
        FIni->WriteInteger(FSection, Latin(CountKey), int(Lines.size()));
        for (qsizetype i = 0; i < Lines.size(); ++i)
            FIni->WriteString(FSection, ItemKey(Name.Key, i), EncodeForIni(Lines[i]));
        return Lines;
    }
    std::vector<double> Vector(const TName& Name, int, const std::vector<double>& Values,
                               const std::function<void(const std::vector<double>&)>&) override {
        VectorOf(Values)->WriteTo(FIni, FSection + Latin(Name.Key));
        return Values;
    }
    void Part(const char* Name, const std::function<void(TRecord&)>& Visit) override {
        TIniWriter Writer(FIni, FSection + u'.' + Latin(Name));
        Visit(Writer);
    }
    bool Block() override { return true; }
    void End(const char*) override {}

private:
    TCustomIniFile* FIni;
    QString FSection;
};

class TIniReader : public TReader {
public:
    TIniReader(TCustomIniFile* Ini, const QString& Section, TLoaded& Loaded)
        : TReader(Loaded), FIni(Ini), FSection(Section) {}

    TValue Value(const TField& Field, const TValue& Current,
                 const std::function<void(const TValue&)>& Set) override {
        const QString Key = Latin(Field.Name.Key);
        if (!FIni->ValueExists(FSection, Key)) return Current;
        QString Text = FIni->ReadString(FSection, Key, QString());
        if (Field.Kind == TKind::Text) Text = DecodeFomIni(Text);
        const std::optional<TValue> V = ValueOf(Field, Text, Current);
        if (!V) return Current;
        Later(Set, *V);
        return *V;
    }
    void Settings(const TName& Name, TSettings Object) override {
        ReadCopy(Object, [&](auto* S) { FromIni(FIni, FSection, Latin(Name.Key), S); });
    }
    // A count beyond the keys that follow ends the list.
    QStringList List(const TName& Name, const char* CountKey, const QStringList& Current,
                     const std::function<void(const QStringList&)>& Set) override {
        if (!FIni->ValueExists(FSection, Latin(CountKey))) return Current;
        const int Count = FIni->ReadInteger(FSection, Latin(CountKey), 0);
        QStringList Lines;
        for (int i = 0; i < Count && FIni->ValueExists(FSection, ItemKey(Name.Key, i)); ++i)
            Lines << DecodeFomIni(FIni->ReadString(FSection, ItemKey(Name.Key, i), QString()));
        Later(Set, Lines);
        return Lines;
    }
    std::vector<double>
    Vector(const TName& Name, int, const std::vector<double>& Current,
           const std::function<void(const std::vector<double>&)>& Set) override {
        const QString Section = FSection + Latin(Name.Key);
        if (!FIni->SectionExists(Section)) return Current;
        const std::vector<double> Values =
            ReadVector([&](TQvDoubleVector& V) { V.ReadFrom(FIni, Section); });
        Later(Set, Values);
        return Values;
    }
    void Part(const char* Name, const std::function<void(TRecord&)>& Visit) override {
        TIniReader Reader(FIni, FSection + u'.' + Latin(Name), FLoaded);
        Visit(Reader);
    }
    bool Block() override { return true; }
    void End(const char*) override {}

private:
    TCustomIniFile* FIni;
    QString FSection;
};

} // namespace

void Write(QIODevice* Stream, const TVisit& Visit) {
    TBinaryWriter Writer(Stream);
    Visit(Writer);
}

void Write(IXMLNode Element, const TVisit& Visit) {
    TXmlWriter Writer(Element);
    Visit(Writer);
}

void Write(TCustomIniFile* Ini, const QString& Section, const TVisit& Visit) {
    TIniWriter Writer(Ini, Section);
    Visit(Writer);
}

TLoaded Read(QIODevice* Stream, const TVisit& Visit) {
    TLoaded Loaded;
    TBinaryReader Reader(Stream, Loaded);
    Visit(Reader);
    return Loaded;
}

TLoaded Read(const IXMLNode& Element, const TVisit& Visit) {
    TLoaded Loaded;
    TXmlReader Reader(Element, Loaded);
    Visit(Reader);
    return Loaded;
}

TLoaded Read(TCustomIniFile* Ini, const QString& Section, const TVisit& Visit) {
    TLoaded Loaded;
    TIniReader Reader(Ini, Section, Loaded);
    Visit(Reader);
    return Loaded;
}

} // namespace QvRecord
