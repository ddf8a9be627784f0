#include "framework/qvstreams.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

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

} // namespace QvStream
