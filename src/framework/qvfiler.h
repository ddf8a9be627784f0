#pragma once

// Typed value streams: the writer puts a type tag before every value, the reader checks it,
// so a record can be read without knowing its layout in advance (lists, strings or floats).

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;
class QMetaProperty;
class QObject;
class TComponent;
class TPersistent;
class TReader;
class TWriter;

// While one lives, this thread is reading components or settings from a stream, a document or
// a file: what the read sets is not a user's edit, and undo stacks record none of it.
class TReadScope {
public:
    TReadScope();
    ~TReadScope();
    TReadScope(const TReadScope&) = delete;
    TReadScope& operator=(const TReadScope&) = delete;
    // A read scope lives in this thread.
    static bool Active();
};

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

// The base of the component writer and reader: the stream they work on.
class TFiler {
public:
    explicit TFiler(QIODevice* Stream) : FStream(Stream) {}
    virtual ~TFiler() = default;
    // The stream written or read.
    QIODevice* Stream() const { return FStream; }

    // Extra data a persistent object streams beside its published properties (for example the
    // values of a data vector): a writer calls WriteData when HasData, a reader calls ReadData
    // when the stream holds data of that name.
    virtual void DefineProperty(const QString& Name, const std::function<void(TReader*)>& ReadData,
                                const std::function<void(TWriter*)>& WriteData, bool HasData) = 0;

protected:
    QIODevice* FStream;
};

// Components are written as their class name, their name and their stored published
// properties (each as name and value, nested objects as lists), then the data their
// DefineProperties declares, and an end marker. References to other components are written by
// name (GetComponentRef) and found again by name when read.
class TWriter : public TFiler {
public:
    using TFiler::TFiler;
    void DefineProperty(const QString& Name, const std::function<void(TReader*)>& ReadData,
                        const std::function<void(TWriter*)>& WriteData, bool HasData) override;
    // Writes the whole record of Component.
    void WriteComponent(const TComponent* Component);
    // The stored properties and defined data of Instance, then the end marker.
    void WriteProperties(const TPersistent* Instance);
    // One property's value, in a form ReadProperty reads back.
    void WriteProperty(const QObject* Instance, const QMetaProperty& Property);

    // Writes a bare tag.
    void WriteValue(TValueType Value);
    // The smallest integer tag that holds Value.
    void WriteInteger(qint64 Value);
    // Writes a double.
    void WriteFloat(double Value);
    // Writes a single-precision float.
    void WriteSingle(float Value);
    // Writes a text.
    void WriteString(const QString& Value);
    // Writes an identifier, such as an enumeration's key.
    void WriteIdent(const QString& Value);
    // Writes a Boolean.
    void WriteBoolean(bool Value);
    // Writes a block of bytes.
    void WriteBinary(const QByteArray& Value);
    // Begins a list of values.
    void WriteListBegin() { WriteValue(TValueType::List); }
    // Ends a list of values.
    void WriteListEnd() { WriteValue(TValueType::Null); }
};

// Every read checks the tag: a value of another kind raises EReadError "Invalid property
// value", a stream that ends early EReadError "Stream read error".
class TReader : public TFiler {
public:
    using TFiler::TFiler;
    void DefineProperty(const QString& Name, const std::function<void(TReader*)>& ReadData,
                        const std::function<void(TWriter*)>& WriteData, bool HasData) override;
    // Reads a component record into Instance, or, when Instance is nullptr, into a new component
    // of the stored class owned by Owner. The component is in the loading state meanwhile.
    TComponent* ReadComponent(TComponent* Instance, TComponent* Owner);
    // Reads properties and defined data into Instance up to the end marker.
    void ReadProperties(TPersistent* Instance);
    // Reads one property's value as WriteProperty wrote it.
    void ReadProperty(QObject* Instance, const QMetaProperty& Property);

    // The tag of the next value, without reading it.
    TValueType NextValue();
    // Reads a bare tag.
    TValueType ReadValue();
    // Reads an integer of any size.
    qint64 ReadInt64();
    // Reads an integer that fits 32 bits.
    int ReadInteger();
    // Floats, and integers as floats.
    double ReadFloat();
    // Reads a text.
    QString ReadString();
    // Reads an identifier.
    QString ReadIdent();
    // Reads a Boolean.
    bool ReadBoolean();
    // Reads a block of bytes.
    QByteArray ReadBinary();
    // Reads the start of a list.
    void ReadListBegin();
    // Reads the end marker of a list.
    void ReadListEnd();
    // True at the end of a list (the end marker is not consumed).
    bool EndOfList() { return NextValue() == TValueType::Null; }
    // Skips one value, a list with everything in it; lists nested deeper than MaxListDepth
    // raise EReadError.
    void SkipValue();
    static constexpr int MaxListDepth = 1000;

private:
    void CheckValue(TValueType Expected);
    QByteArray ReadCounted();

    QString FPropName; // the defined property being read
    bool FPropHandled = false;
};
