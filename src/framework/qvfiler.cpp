#include "framework/qvfiler.h"

#include "framework/qvclasses.h"
#include "framework/qvexceptions.h"
#include "framework/qvforms.h"
#include "framework/qvstreams.h"
#include "framework/qvstringlist.h"
#include "strings/qvlocalize.h"

#include <QBuffer>
#include <QDataStream>
#include <QMetaProperty>

#include <cfloat>
#include <cmath>

#include <limits>

using namespace QvStream;

namespace {
[[noreturn]] void InvalidValue() {
    throw EReadError(Qvlocalize::SInvalidPropertyValue.Text());
}

enum class TKind {
    Unsupported,
    Boolean,
    Integer,
    Float,
    Text,
    Enumeration,
    Flags,
    Object,
    Variant
};

TKind KindOf(const QMetaProperty& Property) {
    if (Property.isFlagType()) return TKind::Flags;
    if (Property.isEnumType()) return TKind::Enumeration;
    const QMetaType Type = Property.metaType();
    if (Type.flags().testFlag(QMetaType::PointerToQObject)) return TKind::Object;
    switch (Type.id()) {
    case QMetaType::Bool:
        return TKind::Boolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return TKind::Integer;
    case QMetaType::Float:
    case QMetaType::Double:
        return TKind::Float;
    case QMetaType::QString:
        return TKind::Text;
    default:
        return Type.hasRegisteredDataStreamOperators() ? TKind::Variant : TKind::Unsupported;
    }
}

// The properties a component stream holds: stored, readable, and writable or an object to fill.
bool IsStreamed(const QMetaProperty& Property) {
    const TKind Kind = KindOf(Property);
    if (Kind == TKind::Unsupported || !Property.isReadable() || !Property.isStored()) return false;
    return Property.isWritable() || Kind == TKind::Object;
}

// The index of the first property after QObject's objectName.
int FirstOwnProperty() {
    return QObject::staticMetaObject.propertyCount();
}
} // namespace

// ---- TWriter ----

void TWriter::WriteValue(TValueType Value) {
    WriteByte(FStream, quint8(Value));
}

void TWriter::WriteInteger(qint64 Value) {
    if (Value >= std::numeric_limits<qint8>::min() && Value <= std::numeric_limits<qint8>::max()) {
        WriteValue(TValueType::Int8);
        QvStream::WriteValue<qint8>(FStream, qint8(Value));
    } else if (Value >= std::numeric_limits<qint16>::min() &&
               Value <= std::numeric_limits<qint16>::max()) {
        WriteValue(TValueType::Int16);
        QvStream::WriteValue<qint16>(FStream, qint16(Value));
    } else if (Value >= std::numeric_limits<qint32>::min() &&
               Value <= std::numeric_limits<qint32>::max()) {
        WriteValue(TValueType::Int32);
        QvStream::WriteInteger(FStream, qint32(Value));
    } else {
        WriteValue(TValueType::Int64);
        WriteInt64(FStream, Value);
    }
}

void TWriter::WriteFloat(double Value) {
    WriteValue(TValueType::Double);
    WriteDouble(FStream, Value);
}

void TWriter::WriteSingle(float Value) {
    WriteValue(TValueType::Single);
    QvStream::WriteSingle(FStream, Value);
}

void TWriter::WriteString(const QString& Value) {
    WriteValue(TValueType::UTF8String);
    const QByteArray Bytes = Value.toUtf8();
    QvStream::WriteInteger(FStream, qint32(Bytes.size()));
    WriteBuffer(FStream, Bytes.constData(), Bytes.size());
}

void TWriter::WriteIdent(const QString& Value) {
    WriteValue(TValueType::Ident);
    const QByteArray Bytes = Value.toUtf8();
    QvStream::WriteInteger(FStream, qint32(Bytes.size()));
    WriteBuffer(FStream, Bytes.constData(), Bytes.size());
}

void TWriter::WriteBoolean(bool Value) {
    WriteValue(Value ? TValueType::True : TValueType::False);
}

void TWriter::WriteBinary(const QByteArray& Value) {
    WriteValue(TValueType::Binary);
    QvStream::WriteInteger(FStream, qint32(Value.size()));
    WriteBuffer(FStream, Value.constData(), Value.size());
}

// ---- TReader ----

TValueType TReader::NextValue() {
    char Tag = 0;
    if (!FStream || FStream->peek(&Tag, 1) != 1) throw EReadError(Qvlocalize::SReadError.Text());
    return TValueType(quint8(Tag));
}

TValueType TReader::ReadValue() {
    return TValueType(ReadByte(FStream));
}

void TReader::CheckValue(TValueType Expected) {
    if (ReadValue() != Expected) InvalidValue();
}

qint64 TReader::ReadInt64() {
    switch (ReadValue()) {
    case TValueType::Int8:
        return QvStream::ReadValue<qint8>(FStream);
    case TValueType::Int16:
        return QvStream::ReadValue<qint16>(FStream);
    case TValueType::Int32:
        return QvStream::ReadInteger(FStream);
    case TValueType::Int64:
        return QvStream::ReadInt64(FStream);
    default:
        InvalidValue();
    }
}

int TReader::ReadInteger() {
    const qint64 Value = ReadInt64();
    if (Value < std::numeric_limits<int>::min() || Value > std::numeric_limits<int>::max())
        InvalidValue();
    return int(Value);
}

double TReader::ReadFloat() {
    switch (NextValue()) {
    case TValueType::Double:
        ReadValue();
        return ReadDouble(FStream);
    case TValueType::Single:
        ReadValue();
        return QvStream::ReadSingle(FStream);
    default:
        return double(ReadInt64());
    }
}

QByteArray TReader::ReadCounted() {
    const qint32 Count = QvStream::ReadInteger(FStream);
    if (Count <= 0) return QByteArray();
    // A corrupt length must not allocate what the stream cannot hold.
    const qint64 Left = BytesLeft(FStream);
    if (Count > Left) throw EReadError(Format(Qvlocalize::SStringTooLong, {int(Count), int(Left)}));
    QByteArray Bytes(Count, Qt::Uninitialized);
    ReadBuffer(FStream, Bytes.data(), Count);
    return Bytes;
}

QString TReader::ReadString() {
    const TValueType Tag = ReadValue();
    if (Tag != TValueType::UTF8String && Tag != TValueType::String) InvalidValue();
    return QString::fromUtf8(ReadCounted());
}

QString TReader::ReadIdent() {
    switch (ReadValue()) {
    case TValueType::Ident:
        return QString::fromUtf8(ReadCounted());
    case TValueType::False:
        return QStringLiteral("False");
    case TValueType::True:
        return QStringLiteral("True");
    case TValueType::Nil:
        return QStringLiteral("nil");
    case TValueType::Null:
        return QStringLiteral("Null");
    default:
        InvalidValue();
    }
}

bool TReader::ReadBoolean() {
    switch (ReadValue()) {
    case TValueType::True:
        return true;
    case TValueType::False:
        return false;
    default:
        InvalidValue();
    }
}

QByteArray TReader::ReadBinary() {
    CheckValue(TValueType::Binary);
    return ReadCounted();
}

void TReader::ReadListBegin() {
    CheckValue(TValueType::List);
}

void TReader::ReadListEnd() {
    CheckValue(TValueType::Null);
}

void TReader::SkipValue() {
    // Lists are counted, not recursed into: nesting in a damaged stream must not exhaust the stack.
    int Depth = 0;
    do {
        switch (NextValue()) {
        case TValueType::List:
            ReadListBegin();
            if (++Depth > MaxListDepth)
                throw EReadError(Format(Qvlocalize::SValuesTooDeep, {MaxListDepth}));
            break;
        case TValueType::Null: // outside a list, the value Null
            if (Depth == 0) {
                ReadIdent();
            } else {
                ReadListEnd();
                --Depth;
            }
            break;
        case TValueType::Int8:
        case TValueType::Int16:
        case TValueType::Int32:
        case TValueType::Int64:
            ReadInt64();
            break;
        case TValueType::Single:
        case TValueType::Double:
            ReadFloat();
            break;
        case TValueType::String:
        case TValueType::UTF8String:
            ReadString();
            break;
        case TValueType::Ident:
        case TValueType::False:
        case TValueType::True:
        case TValueType::Nil:
            ReadIdent();
            break;
        case TValueType::Binary:
            ReadBinary();
            break;
        default:
            InvalidValue();
        }
    } while (Depth > 0);
}

// ---- components ----

void TWriter::DefineProperty(const QString& Name, const std::function<void(TReader*)>&,
                             const std::function<void(TWriter*)>& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    WriteString(Name);
    WriteData(this);
}

void TWriter::WriteComponent(const TComponent* Component) {
    WriteString(QString::fromLatin1(Component->metaObject()->className()));
    WriteString(Component->GetName());
    WriteProperties(Component);
}

void TWriter::WriteProperties(const TPersistent* Instance) {
    const QMetaObject* Meta = Instance->metaObject();
    const bool IsComponent = qobject_cast<const TComponent*>(Instance) != nullptr;
    for (int i = FirstOwnProperty(); i < Meta->propertyCount(); ++i) {
        const QMetaProperty Property = Meta->property(i);
        // A component's name heads its record.
        // A property that a derived class hides under the same name is the derived one's.
        if (!IsStreamed(Property) || Meta->indexOfProperty(Property.name()) != i ||
            !Instance->IsPropertyStored(Property.name()) ||
            (IsComponent && qstrcmp(Property.name(), "Name") == 0))
            continue;
        WriteString(QString::fromLatin1(Property.name()));
        WriteProperty(Instance, Property);
    }
    const_cast<TPersistent*>(Instance)->DefineProperties(this);
    WriteListEnd();
}

void TWriter::WriteProperty(const QObject* Instance, const QMetaProperty& Property) {
    const QVariant Value = Property.read(Instance);
    switch (KindOf(Property)) {
    case TKind::Boolean:
        WriteBoolean(Value.toBool());
        break;
    case TKind::Integer:
    case TKind::Flags:
        WriteInteger(Value.toLongLong());
        break;
    case TKind::Float:
        WriteFloat(Value.toDouble());
        break;
    case TKind::Text:
        WriteString(Value.toString());
        break;
    case TKind::Enumeration: {
        const char* Key = Property.enumerator().valueToKey(Value.toInt());
        if (Key)
            WriteIdent(QString::fromLatin1(Key));
        else
            WriteInteger(Value.toInt());
        break;
    }
    case TKind::Object: {
        QObject* Object = Value.value<QObject*>();
        if (!Object) {
            WriteValue(TValueType::Nil);
        } else if (auto* Component = qobject_cast<TComponent*>(Object);
                   Component && !Component->IsSubComponent()) {
            WriteIdent(GetComponentRef(Component));
        } else if (auto* Strings = qobject_cast<TStrings*>(Object)) {
            WriteListBegin();
            for (int i = 0; i < Strings->Count(); ++i)
                WriteString(Strings->Get(i));
            WriteListEnd();
        } else if (auto* Persistent = qobject_cast<TPersistent*>(Object)) {
            WriteListBegin();
            WriteProperties(Persistent);
        } else {
            WriteValue(TValueType::Nil);
        }
        break;
    }
    case TKind::Variant: {
        QByteArray Bytes;
        QDataStream Out(&Bytes, QIODevice::WriteOnly);
        Out << Value;
        WriteBinary(Bytes);
        break;
    }
    case TKind::Unsupported:
        WriteValue(TValueType::Nil);
        break;
    }
}

void TReader::DefineProperty(const QString& Name, const std::function<void(TReader*)>& ReadData,
                             const std::function<void(TWriter*)>&, bool) {
    if (FPropHandled || !ReadData || Name.compare(FPropName, Qt::CaseInsensitive) != 0) return;
    FPropHandled = true;
    ReadData(this);
}

namespace {
int& ReadDepth() {
    thread_local int Depth = 0;
    return Depth;
}
} // namespace

TReadScope::TReadScope() {
    ++ReadDepth();
}

TReadScope::~TReadScope() {
    --ReadDepth();
}

bool TReadScope::Active() {
    return ReadDepth() > 0;
}

TComponent* TReader::ReadComponent(TComponent* Instance, TComponent* Owner) {
    const TReadScope Reading;
    const QString ClassName = ReadString();
    const QString Name = ReadString();
    std::unique_ptr<TComponent> Created;
    if (!Instance) {
        Created.reset(CreateComponent(FindClass(ClassName), Owner));
        Instance = Created.get();
    }
    Instance->BeginLoading();
    try {
        if (Instance->GetName() != Name) Instance->SetName(Name);
        ReadProperties(Instance);
    } catch (...) {
        Instance->Loaded();
        throw; // a component made here goes with the exception
    }
    Instance->Loaded();
    Created.release();
    return Instance;
}

void TReader::ReadProperties(TPersistent* Instance) {
    const QMetaObject* Meta = Instance->metaObject();
    while (!EndOfList()) {
        const QString Name = ReadString();
        const int Index = Meta->indexOfProperty(Name.toLatin1().constData());
        if (Index >= FirstOwnProperty() && IsStreamed(Meta->property(Index))) {
            ReadProperty(Instance, Meta->property(Index));
            continue;
        }
        FPropName = Name;
        FPropHandled = false;
        Instance->DefineProperties(this);
        if (!FPropHandled) throw EReadError(Format(Qvlocalize::SUnknownProperty, {Name}));
    }
    ReadListEnd();
}

void TReader::ReadProperty(QObject* Instance, const QMetaProperty& Property) {
    QVariant Value;
    switch (KindOf(Property)) {
    case TKind::Boolean:
        Value = ReadBoolean();
        break;
    case TKind::Integer:
    case TKind::Flags:
        Value = ReadInt64();
        break;
    case TKind::Float: {
        // Infinities, NaN and doubles beyond a float property's range are no stored values.
        const double Number = ReadFloat();
        const bool Single = Property.metaType().id() == QMetaType::Float;
        if (!std::isfinite(Number) || (Single && std::fabs(Number) > FLT_MAX)) InvalidValue();
        Value = Number;
        break;
    }
    case TKind::Text:
        Value = ReadString();
        break;
    case TKind::Enumeration: {
        if (NextValue() != TValueType::Ident) {
            Value = ReadInteger();
            break;
        }
        bool Known = false;
        const int Number =
            Property.enumerator().keyToValue(ReadIdent().toLatin1().constData(), &Known);
        if (!Known) InvalidValue();
        Value = Number;
        break;
    }
    case TKind::Object: {
        QObject* Current = Property.read(Instance).value<QObject*>();
        switch (NextValue()) {
        case TValueType::Nil:
            ReadValue();
            Value = QVariant(Property.metaType(), nullptr);
            break;
        case TValueType::Ident: {
            TComponent* Found = GetComponentFromRef(ReadIdent());
            Value = QVariant::fromValue<QObject*>(Found);
            if (!Value.convert(Property.metaType())) Value = QVariant(Property.metaType(), nullptr);
            break;
        }
        case TValueType::List: {
            ReadListBegin();
            if (auto* Strings = qobject_cast<TStrings*>(Current)) {
                QStringList Lines;
                while (!EndOfList())
                    Lines.append(ReadString());
                ReadListEnd();
                Strings->BeginUpdate();
                Strings->Clear();
                Strings->AddStrings(Lines);
                Strings->EndUpdate();
            } else if (auto* Persistent = qobject_cast<TPersistent*>(Current)) {
                ReadProperties(Persistent);
            } else {
                while (!EndOfList())
                    SkipValue();
                ReadListEnd();
            }
            return; // filled in place
        }
        default:
            InvalidValue();
        }
        break;
    }
    case TKind::Variant: {
        const QByteArray Bytes = ReadBinary();
        QDataStream In(Bytes);
        In >> Value;
        if (In.status() != QDataStream::Ok) InvalidValue();
        break;
    }
    case TKind::Unsupported:
        SkipValue();
        return;
    }
    if (Property.isWritable()) Property.write(Instance, Value);
}
