#pragma once

// The records of markers. Each marker class lists its fields once, in record order, to a
// TRecord; the writers and readers of the three forms (binary stream, XML element, INI
// section) are TRecords. Readers keep what they read and apply it only after the whole record
// was read, so that a damaged record changes nothing.
//
// A field is named by its INI key; in XML it is an attribute of the node of its group, named
// by the key without the group's prefix ("Caption.DeltaX" is "DeltaX" of the node "Caption").

#include "framework/qvforms.h"
#include "style/qvcolors.h"

#include <QString>

#include <functional>
#include <type_traits>
#include <variant>

class TComponent;
class TQvFont;
class TQvGradientSettings;
class TQvLineSettings;
class TQvMovable;
class TQvSimpleLineSettings;

namespace QvMarkerRecord {

enum class TGroup {
    Properties,
    Caption,
    Location
};

// How a value is stored. Ordinals (enumerations and sets) take one byte and lie below the
// field's count; a reference is the component reference as text.
enum class TKind {
    Boolean,
    Integer,
    Ordinal,
    Double,
    Single,
    Color,
    Text,
    Reference
};

struct TField {
    TGroup Group;
    const char* Key;
    TKind Kind;
    int Count = 0;
};

// Booleans, whole numbers (integers, ordinals, colours), floating-point numbers, texts.
using TValue = std::variant<bool, qint64, double, QString>;

// The settings objects a record holds whole, each in its own record format.
using TSettings = std::variant<TQvSimpleLineSettings*, TQvLineSettings*, TQvGradientSettings*,
                               TQvFont*>;

template <class T> constexpr TKind KindOf() {
    if constexpr (std::is_same_v<T, bool>) return TKind::Boolean;
    else if constexpr (std::is_same_v<T, int>) return TKind::Integer;
    else if constexpr (std::is_same_v<T, double>) return TKind::Double;
    else if constexpr (std::is_same_v<T, float>) return TKind::Single;
    else return TKind::Text;
}

class TRecord {
public:
    virtual ~TRecord() = default;

    // Current is what the marker holds; a reader passes what it read to Set.
    virtual void Value(const TField& Field, const TValue& Current,
                       std::function<void(const TValue&)> Set) = 0;
    virtual void Settings(TGroup Group, const char* Key, TSettings Object) = 0;
    // The record of a marker that belongs to this one, under Name.
    virtual void Part(const char* Name, TQvMovable* Marker) = 0;
    // The fields of one class end here; Name names the record in messages.
    virtual void End(const char* Name) = 0;

    // A Boolean, integer, double, single or text field, as its type says.
    template <class T>
    void Field(TGroup Group, const char* Key, const T& Current,
               std::type_identity_t<std::function<void(T)>> Set) {
        Value({Group, Key, KindOf<T>()}, Stored(Current),
              [Set](const TValue& V) { Set(Loaded<T>(V)); });
    }
    void Ordinal(TGroup Group, const char* Key, int Current, int Count,
                 const std::function<void(int)>& Set);
    void Color(TGroup Group, const char* Key, TQvColor Current,
               const std::function<void(TQvColor)>& Set);
    // A reference that names no component of class T reads as none.
    template <class T>
    void Reference(TGroup Group, const char* Key, const T* Current,
                   const std::function<void(T*)>& Set) {
        Value({Group, Key, TKind::Reference}, GetComponentRef(Current), [Set](const TValue& V) {
            const QString& Ref = std::get<QString>(V);
            Set(Ref.isEmpty() ? nullptr : qobject_cast<T*>(GetComponentFromRef(Ref)));
        });
    }

private:
    template <class T> static TValue Stored(const T& Value) {
        if constexpr (std::is_same_v<T, int>) return qint64(Value);
        else if constexpr (std::is_same_v<T, float>) return double(Value);
        else return Value;
    }
    template <class T> static T Loaded(const TValue& Value) {
        if constexpr (std::is_same_v<T, int>) return int(std::get<qint64>(Value));
        else if constexpr (std::is_same_v<T, float>) return float(std::get<double>(Value));
        else return std::get<T>(Value);
    }
};

} // namespace QvMarkerRecord
