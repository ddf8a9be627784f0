#pragma once

// Records that a class describes once and that are stored in three forms: a binary stream, an
// XML element and an INI section. The class lists its record in order as calls on a TRecord;
// the writers and readers of the three forms are TRecords:
//
//     void TThing::VisitRecord(QvRecord::TRecord& R) {
//         using QvRecord::Setter;
//         R.Field({"Caption.Visible", "Caption", "Visible"}, FVisible,
//                 Setter(this, &TThing::SetVisible));
//         R.Enum({"Style", "Properties", "Style"}, FStyle, Setter(this, &TThing::SetStyle));
//         if (R.Field({"FromDatabase", "Data", "Database"}, FBound))  // decides what follows
//             R.String({"DataField", "Data", "Field"}, GetField(), Setter(this,
//             &TThing::SetField));
//         R.Field({"Range.Start", "Range", "Start"}, FStart);  // read, and dropped
//         if (!R.Block()) return;  // extension block: older records end here
//         R.Settings({"Font", "", "Font"}, FFont.get());
//         R.End("thing");
//     }
//     QvRecord::Write(Stream, [this](QvRecord::TRecord& R) { VisitRecord(R); });
//     QvRecord::Read(Stream, [this](QvRecord::TRecord& R) { VisitRecord(R); }).Apply();
//
// Readers keep what they read and apply it only when the whole record was read (TLoaded), so a
// damaged record changes nothing; a setter left empty reads the value and drops it. Every call
// returns the value the reader read (or the current value, for writers and for values a text
// form lacks), so that a record can branch on a value it holds.
//
// Binary: Boolean and Byte fields take one byte (a Byte field's ordinal lies below its Count,
// else EReadError), Integer and Single four bytes little-endian, Double eight, colours four
// (ARGB), texts a 4-byte byte count and UTF-8. A block marker is a byte 1; a byte 0 in its
// place ends the record, and what follows keeps its current value. A record ends with a byte 0.
// XML: an attribute of a node below the record's element; unreadable or missing attributes
// keep the current value. INI: one key of the section, current values as defaults.

#include "framework/qvforms.h"
#include "style/qvcolors.h"

#include <QMetaEnum>
#include <QString>
#include <QStringList>

#include <functional>
#include <type_traits>
#include <variant>
#include <vector>

class IXMLNode;
class QIODevice;
class TCustomIniFile;
class TControl;
class TQvAreaSettings;
class TQvFont;
class TQvGradientSettings;
class TQvLineSettings;
class TQvSimpleLineSettings;

namespace QvRecord {

// Where a value lives in each form: its INI key, the path of its XML node below the record's
// element ("" is the element itself, "Caption/Properties" a node below a node) and its XML
// attribute. A Boolean without an attribute is, in XML, whether its node exists.
struct TName {
    const char* Key;
    const char* Node;
    const char* Attribute;
};

// How a value is stored. Text is an encoded string (line breaks escaped in INI values), String
// a plain one; a Reference is a component reference as a plain string. An Integer or a Word
// (two bytes) with a Count lies below it, as a Byte does.
enum class TKind {
    Boolean,
    Integer,
    Byte,
    Word,
    Double,
    Single,
    Color,
    Text,
    String,
    Reference
};

// A field of a record: where it lives, how it is stored and, for ordinals, how many values it has.
struct TField {
    TName Name;
    TKind Kind;
    int Count = 0;
};

// Booleans, whole numbers (integers, ordinals, colours), floating-point numbers, texts.
using TValue = std::variant<bool, qint64, double, QString>;

// The settings objects a record holds whole, each in its own record format. In XML the simple
// line ("Line") and the font ("Font") name their node themselves, the others take the name's
// attribute; in INI the name's key is the prefix of their keys.
using TSettings = std::variant<TQvSimpleLineSettings*, TQvLineSettings*, TQvAreaSettings*,
                               TQvGradientSettings*, TQvFont*>;

template <class T> using TSetter = std::type_identity_t<std::function<void(T)>>;

// The visitor a record is described to: writers store each field, readers read it.
class TRecord {
public:
    virtual ~TRecord() = default;

    // Current is what the object holds; a reader passes what it read to Set when the record
    // applies.
    virtual TValue Value(const TField& Field, const TValue& Current,
                         const std::function<void(const TValue&)>& Set) = 0;
    // Readers read into a copy, which is assigned to Object when the record applies.
    virtual void Settings(const TName& Name, TSettings Object) = 0;
    // Lines of text. Binary: a 4-byte count and the encoded lines. XML: the node Name.Node with
    // the attribute "Count" and a child "Item" per line, the line in its attribute
    // Name.Attribute. INI: the key CountKey and the keys Name.Key + "(0)", "(1)", ...
    virtual QStringList List(const TName& Name, const char* CountKey, const QStringList& Current,
                             const std::function<void(const QStringList&)>& Set = {}) = 0;
    // Values in the record of a TQvDoubleVector. XML: the Index-th vector element below the
    // node Name.Node. INI: the section named by the record's section followed by Name.Key.
    // Malformed numbers in these two raise EConvertError, as the vector's own readers do.
    virtual std::vector<double>
    Vector(const TName& Name, int Index, const std::vector<double>& Current,
           const std::function<void(const std::vector<double>&)>& Set = {}) = 0;
    // The record of a part: in line in a stream, the child element Name in XML, the section
    // followed by "." and Name in INI.
    virtual void Part(const char* Name, const std::function<void(TRecord&)>& Visit) = 0;
    // A block marker. False only for a stream whose record ends here: the caller returns.
    virtual bool Block() = 0;
    // The end of a record's fields; a reader raises EReadError naming Record when a block
    // follows that this version does not know.
    virtual void End(const char* Record) = 0;

    // A Boolean, Integer, Double, Single or Text field, as its type says.
    template <class T> T Field(const TName& Name, const T& Current, TSetter<T> Set = {}) {
        return Loaded<T>(Value({Name, KindOf<T>()}, Stored(Current), Adapt<T>(Set)));
    }
    // A String field: a plain text.
    QString String(const TName& Name, const QString& Current, TSetter<QString> Set = {});
    // A colour field.
    TQvColor Color(const TName& Name, TQvColor Current, TSetter<TQvColor> Set = {});
    // An ordinal of Count values (an enumeration or a set of at most 8 elements), in one byte or
    // as an Integer.
    int Ordinal(const TName& Name, int Current, int Count, TSetter<int> Set = {},
                TKind Kind = TKind::Byte);
    // An enumeration as an Ordinal of its number of keys.
    template <class E>
    E Enum(const TName& Name, E Current, TSetter<E> Set = {}, TKind Kind = TKind::Byte) {
        return E(Ordinal(Name, int(Current), QMetaEnum::fromType<E>().keyCount(),
                         Set ? [Set](int V) { Set(E(V)); } : std::function<void(int)>(), Kind));
    }
    // A reference that names no component of class T reads as none.
    template <class T> T* Reference(const TName& Name, const T* Current, TSetter<T*> Set = {}) {
        const QString Ref = std::get<QString>(
            Value({Name, TKind::Reference}, GetComponentRef(Current),
                  Set ? [Set](const TValue& V) { Set(Resolve<T>(std::get<QString>(V))); }
                      : std::function<void(const TValue&)>()));
        return Resolve<T>(Ref);
    }

private:
    template <class T> static constexpr TKind KindOf() {
        if constexpr (std::is_same_v<T, bool>)
            return TKind::Boolean;
        else if constexpr (std::is_same_v<T, int>)
            return TKind::Integer;
        else if constexpr (std::is_same_v<T, double>)
            return TKind::Double;
        else if constexpr (std::is_same_v<T, float>)
            return TKind::Single;
        else
            return TKind::Text;
    }
    template <class T> static TValue Stored(const T& Value) {
        if constexpr (std::is_same_v<T, int>)
            return qint64(Value);
        else if constexpr (std::is_same_v<T, float>)
            return double(Value);
        else
            return Value;
    }
    template <class T> static T Loaded(const TValue& Value) {
        if constexpr (std::is_same_v<T, int>)
            return int(std::get<qint64>(Value));
        else if constexpr (std::is_same_v<T, float>)
            return float(std::get<double>(Value));
        else
            return std::get<T>(Value);
    }
    template <class T> static std::function<void(const TValue&)> Adapt(const TSetter<T>& Set) {
        if (!Set) return {};
        return [Set](const TValue& V) { Set(Loaded<T>(V)); };
    }
    template <class T> static T* Resolve(const QString& Ref) {
        return Ref.isEmpty() ? nullptr : qobject_cast<T*>(GetComponentFromRef(Ref));
    }
};

// The setter Member of Object, for a field: R.Field(Name, X, Setter(this, &TThing::SetX)).
template <class O, class M> auto Setter(O* Object, M Member) {
    return [Object, Member](auto Value) { (Object->*Member)(Value); };
}

// The visibility and hint fields of a control in the node "Properties": "Visible", "Hint",
// "ParentShowHint", "ShowHint".
void ControlVisibility(TRecord& Record, TControl* Control);
// "ParentShowHint" and "ShowHint" alone; setting ShowHint ends the parent's hint setting, so
// the parent setting read stays.
void ShowHintFields(TRecord& Record, TControl* Control);

using TVisit = std::function<void(TRecord&)>;

// What a reader read. Apply runs the setters in record order, in a read scope: nothing they set
// is an edit that undo records.
class TLoaded {
public:
    // Runs the setters of what was read.
    void Apply() const;

private:
    friend class TReader;
    std::vector<std::function<void()>> FSteps;
};

void Write(QIODevice* Stream, const TVisit& Visit);
void Write(IXMLNode Element, const TVisit& Visit);
void Write(TCustomIniFile* Ini, const QString& Section, const TVisit& Visit);
// EReadError for a damaged binary record; nothing is applied before TLoaded::Apply.
TLoaded Read(QIODevice* Stream, const TVisit& Visit);
TLoaded Read(const IXMLNode& Element, const TVisit& Visit);
TLoaded Read(TCustomIniFile* Ini, const QString& Section, const TVisit& Visit);

} // namespace QvRecord
