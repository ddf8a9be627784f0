#pragma once

// Little-endian reading and writing of the value kinds that records use, on any QIODevice.
// A read that finds fewer bytes than it needs raises EReadError; a failed write EWriteError.

#include <QIODevice>
#include <QString>
#include <QStringDecoder>
#include <QtEndian>

#include <cstdint>
#include <cstring>
#include <functional>
#include <type_traits>

class QFile;

namespace QvStream {

void ReadBuffer(QIODevice* Stream, void* Buffer, qint64 Count);
void WriteBuffer(QIODevice* Stream, const void* Buffer, qint64 Count);
// Bytes between the position and the end; for sequential devices what is buffered.
qint64 BytesLeft(QIODevice* Stream);
// EReadError unless Count items of ItemSize bytes fit into the bytes left: a stored count is
// checked before anything is allocated for it.
void CheckStoredCount(QIODevice* Stream, int Count, int ItemSize);

// UTF-8 decoded as it stands: unlike QString::fromUtf8, a leading U+FEFF is kept, since at the
// start of a value or of a line within a file it is content, not a byte order mark.
QStringDecoder Utf8Decoder();
QString FromUtf8(QByteArrayView Bytes);

// The whole file; EFOpenError when it cannot be read.
QByteArray ReadFile(const QString& FileName);
// Read reads from the open file: large records go from the file into their arrays at once.
void ReadFile(const QString& FileName, const std::function<void(QIODevice* Stream)>& Read);
// Opens File for reading; EFOpenError naming it when that fails.
void OpenFile(QFile& File);
// Writes a file through a temporary file beside it that replaces the file only when Write
// finished, so an interrupted save loses nothing; EFCreateError when that fails.
void SaveFile(const QString& FileName, const std::function<void(QIODevice* Stream)>& Write);
void SaveFile(const QString& FileName, const QByteArray& Contents);

template <class T> T ReadValue(QIODevice* Stream) {
    static_assert(std::is_arithmetic_v<T>);
    unsigned char Bytes[sizeof(T)];
    ReadBuffer(Stream, Bytes, sizeof(T));
    if constexpr (std::is_floating_point_v<T>) {
        using Bits = std::conditional_t<sizeof(T) == 4, quint32, quint64>;
        const Bits Raw = qFromLittleEndian<Bits>(Bytes);
        T Value;
        std::memcpy(&Value, &Raw, sizeof(T));
        return Value;
    } else {
        return qFromLittleEndian<T>(Bytes);
    }
}

template <class T> void WriteValue(QIODevice* Stream, T Value) {
    static_assert(std::is_arithmetic_v<T>);
    unsigned char Bytes[sizeof(T)];
    if constexpr (std::is_floating_point_v<T>) {
        using Bits = std::conditional_t<sizeof(T) == 4, quint32, quint64>;
        Bits Raw;
        std::memcpy(&Raw, &Value, sizeof(T));
        qToLittleEndian(Raw, Bytes);
    } else {
        qToLittleEndian(Value, Bytes);
    }
    WriteBuffer(Stream, Bytes, sizeof(T));
}

// Booleans, enumerations and sets are one byte.
inline bool ReadBoolean(QIODevice* Stream) {
    return ReadValue<quint8>(Stream) != 0;
}
inline void WriteBoolean(QIODevice* Stream, bool Value) {
    WriteValue<quint8>(Stream, Value);
}
inline quint8 ReadByte(QIODevice* Stream) {
    return ReadValue<quint8>(Stream);
}
inline void WriteByte(QIODevice* Stream, quint8 Value) {
    WriteValue(Stream, Value);
}
inline quint16 ReadWord(QIODevice* Stream) {
    return ReadValue<quint16>(Stream);
}
inline void WriteWord(QIODevice* Stream, quint16 Value) {
    WriteValue(Stream, Value);
}
inline qint32 ReadInteger(QIODevice* Stream) {
    return ReadValue<qint32>(Stream);
}
inline void WriteInteger(QIODevice* Stream, qint32 Value) {
    WriteValue(Stream, Value);
}
inline qint64 ReadInt64(QIODevice* Stream) {
    return ReadValue<qint64>(Stream);
}
inline void WriteInt64(QIODevice* Stream, qint64 Value) {
    WriteValue(Stream, Value);
}
inline float ReadSingle(QIODevice* Stream) {
    return ReadValue<float>(Stream);
}
inline void WriteSingle(QIODevice* Stream, float Value) {
    WriteValue(Stream, Value);
}
inline double ReadDouble(QIODevice* Stream) {
    return ReadValue<double>(Stream);
}
inline void WriteDouble(QIODevice* Stream, double Value) {
    WriteValue(Stream, Value);
}
// Colours are 32-bit ARGB values.
inline std::uint32_t ReadColor(QIODevice* Stream) {
    return ReadValue<quint32>(Stream);
}
inline void WriteColor(QIODevice* Stream, std::uint32_t Value) {
    WriteValue<quint32>(Stream, Value);
}

} // namespace QvStream
