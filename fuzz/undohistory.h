#pragma once

// An undo history as bytes: every record as a flag byte (1: it starts a step), its length in two
// bytes (little-endian) and its content. The fuzzer plays such histories; the seed writer takes
// them from stacks that recorded real changes.

#include <undo/qvundostack.h>

#include <QByteArray>
#include <QIODevice>

#include <algorithm>

class TQvUndoHistoryAccess {
public:
    static QByteArray History(TQvUndoStack& Stack) {
        QByteArray Bytes;
        const auto& Track = Stack.FUndo;
        for (size_t i = 0; i < Track.Positions.size(); ++i) {
            const qint64 Begin = Track.Positions[i];
            const qint64 End = i + 1 < Track.Positions.size() ? Track.Positions[i + 1] : Track.End;
            Track.Stream->seek(Begin);
            const QByteArray Record = Track.Stream->read(End - Begin);
            const bool StartsStep =
                std::find(Track.Steps.begin(), Track.Steps.end(), int(i)) != Track.Steps.end();
            Bytes += char(StartsStep);
            Bytes += char(Record.size() & 0xFF);
            Bytes += char(Record.size() >> 8);
            Bytes += Record;
        }
        return Bytes;
    }

    // Replaces the stack's history by the records in Bytes; a record cut short takes what is left.
    static void SetHistory(TQvUndoStack& Stack, const QByteArray& Bytes) {
        Stack.Clear();
        Stack.CreateStreams();
        auto& Track = Stack.FUndo;
        qsizetype At = 0;
        while (At + 3 <= Bytes.size()) {
            const bool StartsStep = Bytes[At] & 1 || Track.Steps.empty();
            const qsizetype Length =
                std::min<qsizetype>(quint8(Bytes[At + 1]) | quint8(Bytes[At + 2]) << 8,
                                    Bytes.size() - At - 3);
            Track.Positions.push_back(Track.End);
            if (StartsStep) Track.Steps.push_back(int(Track.Positions.size()) - 1);
            Track.Stream->seek(Track.End);
            Track.End += Track.Stream->write(Bytes.constData() + At + 3, Length);
            At += 3 + Length;
        }
        Track.PositionIndex = int(Track.Positions.size()) - 1;
        Track.StepIndex = int(Track.Steps.size()) - 1;
    }
};
