#pragma once

// Typed value streams: the writer puts a type tag before every value, the reader checks it,
// so a record can be read without knowing its layout in advance (lists, strings or floats).

#include <QByteArray>
#include <QString>

class QIODevice;

// Tags in the numbering of the desktop framework's component streams.
enum class TValueType : quint8 {
    Null = 0, // end of a list
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Nil = 13,
    Single = 15,
    Int64 = 19,
    UTF8String = 20,
    Double = 21,
};

class TFiler {
public:
    explicit TFiler(QIODevice* Stream) : FStream(Stream) {}
    QIODevice* Stream() const { return FStream; }

protected:
    QIODevice* FStream;
};

class TWriter : public TFiler {
public:
    using TFiler::TFiler;
    void WriteValue(TValueType Value);
    // The smallest integer tag that holds Value.
    void WriteInteger(qint64 Value);
    void WriteFloat(double Value);
    void WriteSingle(float Value);
    void WriteString(const QString& Value);
    void WriteIdent(const QString& Value);
    void WriteBoolean(bool Value);
    void WriteBinary(const QByteArray& Value);
    void WriteListBegin() { WriteValue(TValueType::List); }
    void WriteListEnd() { WriteValue(TValueType::Null); }
};

// Every read checks the tag: a value of another kind raises EReadError "Invalid property
// value", a stream that ends early EReadError "Stream read error".
class TReader : public TFiler {
public:
    using TFiler::TFiler;
    // The tag of the next value, without reading it.
    TValueType NextValue();
    TValueType ReadValue();
    qint64 ReadInt64();
    int ReadInteger();
    // Floats, and integers as floats.
    double ReadFloat();
    QString ReadString();
    QString ReadIdent();
    bool ReadBoolean();
    QByteArray ReadBinary();
    void ReadListBegin();
    void ReadListEnd();
    // True at the end of a list (the end marker is not consumed).
    bool EndOfList() { return NextValue() == TValueType::Null; }
    void SkipValue();

private:
    void CheckValue(TValueType Expected);
    QByteArray ReadCounted();
};
