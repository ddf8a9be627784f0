#include "framework/qvstreams.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

namespace QvStream {

void ReadBuffer(QIODevice* Stream, void* Buffer, qint64 Count) {
    if (Count <= 0) return;
    if (!Stream || Stream->read(static_cast<char*>(Buffer), Count) != Count)
        throw EReadError(Qvlocalize::SReadError.Text());
}

void WriteBuffer(QIODevice* Stream, const void* Buffer, qint64 Count) {
    if (Count <= 0) return;
    if (!Stream || Stream->write(static_cast<const char*>(Buffer), Count) != Count)
        throw EWriteError(Qvlocalize::SWriteError.Text());
}

qint64 BytesLeft(QIODevice* Stream) {
    if (!Stream) return 0;
    if (Stream->isSequential()) return Stream->bytesAvailable();
    return qMax<qint64>(0, Stream->size() - Stream->pos());
}

void CheckStoredCount(QIODevice* Stream, int Count, int ItemSize) {
    const qint64 Left = BytesLeft(Stream);
    if (Count < 0 || qint64(Count) * ItemSize > Left)
        throw EReadError(
            Format(Qvlocalize::SStoredCountTooLarge, {Count, ItemSize, (long long)Left}));
}

void OpenFile(QFile& File) {
    if (!File.open(QIODevice::ReadOnly))
        throw EFOpenError(
            Format(Qvlocalize::SFileOpenError, {File.fileName(), File.errorString()}));
}

QStringDecoder Utf8Decoder() {
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom);
}

QString FromUtf8(QByteArrayView Bytes) {
    return Utf8Decoder()(Bytes);
}

QByteArray ReadFile(const QString& FileName) {
    QFile File(FileName);
    OpenFile(File);
    QByteArray Contents = File.readAll();
    if (File.error() != QFileDevice::NoError)
        throw EFOpenError(Format(Qvlocalize::SFileOpenError, {FileName, File.errorString()}));
    return Contents;
}

void ReadFile(const QString& FileName, const std::function<void(QIODevice* Stream)>& Read) {
    QFile File(FileName);
    OpenFile(File);
    Read(&File);
}

void SaveFile(const QString& FileName, const std::function<void(QIODevice* Stream)>& Write) {
    QSaveFile File(FileName);
    if (File.open(QIODevice::WriteOnly)) {
        try {
            Write(&File);
        } catch (...) {
            File.cancelWriting();
            throw;
        }
        if (File.commit()) return;
    }
    throw EFCreateError(Format(Qvlocalize::SFileWriteError, {FileName, File.errorString()}));
}

void SaveFile(const QString& FileName, const QByteArray& Contents) {
    SaveFile(FileName, [&](QIODevice* Stream) {
        WriteBuffer(Stream, Contents.constData(), Contents.size());
    });
}

} // namespace QvStream
