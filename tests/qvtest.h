#pragma once

// Readable GoogleTest output for Qt value types.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QLocale>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdlib>
#include <ostream>

// Makes Locale the default for one scope.
class TLocaleScope {
public:
    explicit TLocaleScope(const QLocale& Locale) { QLocale::setDefault(Locale); }
    ~TLocaleScope() { QLocale::setDefault(FSaved); }

private:
    QLocale FSaved;
};

inline const QLocale English(QLocale::English, QLocale::UnitedStates);
inline const QLocale German(QLocale::German, QLocale::Germany);

// The message of the exception of type E that Action raises, or "<no exception>".
template <typename E, typename F> QString MessageOf(F&& Action) {
    try {
        Action();
    } catch (const E& Error) {
        return Error.Message();
    }
    return QStringLiteral("<no exception>");
}

// The largest difference of two colours in one channel, of red, green and blue, and with Alpha
// of the alpha channel too.
inline int ChannelDistance(QRgb A, QRgb B, bool Alpha = false) {
    int Result = 0;
    for (int Shift = 0; Shift < (Alpha ? 32 : 24); Shift += 8)
        Result = std::max(Result, std::abs(int(A >> Shift & 0xFF) - int(B >> Shift & 0xFF)));
    return Result;
}

inline void PrintTo(const QString& Value, std::ostream* Out) {
    *Out << '"' << Value.toStdString() << '"';
}

inline void PrintTo(const QByteArray& Value, std::ostream* Out) {
    *Out << '"' << Value.toStdString() << '"';
}

inline void PrintTo(const QStringList& Value, std::ostream* Out) {
    *Out << '{';
    for (qsizetype i = 0; i < Value.size(); ++i)
        *Out << (i ? ", \"" : "\"") << Value[i].toStdString() << '"';
    *Out << '}';
}

inline void PrintTo(const QColor& Value, std::ostream* Out) {
    *Out << Value.name(QColor::HexArgb).toStdString();
}

inline void PrintTo(const QRect& Value, std::ostream* Out) {
    *Out << "QRect(" << Value.x() << ", " << Value.y() << ", " << Value.width() << " x "
         << Value.height() << ')';
}

inline void PrintTo(const QPoint& Value, std::ostream* Out) {
    *Out << "QPoint(" << Value.x() << ", " << Value.y() << ')';
}

// The bytes Write puts into a fresh stream.
template <class F> QByteArray Written(F&& Write) {
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    Write(static_cast<QIODevice*>(&Buffer));
    return Bytes;
}

// The binary record Object writes; Args go to its WriteTo after the stream.
template <class T, class... TArgs> QByteArray Binary(const T* Object, TArgs... Args) {
    return Written([&](QIODevice* Stream) { Object->WriteTo(Stream, Args...); });
}

// Whether a strict reader (Qt's) accepts the XML text.
template <class T> bool IsWellFormed(const T& Xml) {
    QXmlStreamReader Reader(Xml);
    while (!Reader.atEnd())
        Reader.readNext();
    return !Reader.hasError();
}

// Reads the binary record Bytes into Object; Args go to its ReadFrom after the stream.
template <class T, class... TArgs> void ReadBinary(T* Object, QByteArray Bytes, TArgs... Args) {
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::ReadOnly);
    Object->ReadFrom(&Buffer, Args...);
}

// Hex digits written with blanks between the fields, as toHex gives them without.
inline QByteArray Hex(const char* Spaced) {
    return QByteArray(Spaced).replace(' ', QByteArray());
}
