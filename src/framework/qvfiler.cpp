#include "framework/qvfiler.h"

#include "framework/qvexceptions.h"
#include "framework/qvstreams.h"
#include "strings/qvlocalize.h"

#include <limits>

using namespace QvStream;

namespace {
[[noreturn]] void InvalidValue() {
    throw EReadError(Qvlocalize::SInvalidPropertyValue.Text());
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
    switch (NextValue()) {
    case TValueType::List:
        ReadListBegin();
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
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
    case TValueType::Null:
        ReadIdent();
        break;
    case TValueType::Binary:
        ReadBinary();
        break;
    default:
        InvalidValue();
    }
}
