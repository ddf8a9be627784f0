#pragma once

// What an undoable setter needs of an undo stack, and the setter pattern itself: compare,
// record the old value, store.

#include "strings/qvlocalize.h"

#include <QObject>
#include <QString>

class TQvUndoRecorder {
public:
    virtual ~TQvUndoRecorder() = default;
    // Records the current value of the published property PropName of Obj before it changes.
    virtual void PushProperty(QObject* Obj, const QString& Caption, const QString& PropName) = 0;
    // Everything recorded between the two is one step, undone as a whole.
    virtual void StartGroup(const QString& Caption) = 0;
    // Ends the group that StartGroup began.
    virtual void StopGroup() = 0;
};

// Stores Value in Field unless they are equal, recording the old value on Undo first; true
// when the value changed.
template <class T>
bool SetUndoable(TQvUndoRecorder* Undo, QObject* Obj, T& Field, const T& Value,
                 const char* PropName, const TResourceString& Caption) {
    if (Field == Value) return false;
    if (Undo) Undo->PushProperty(Obj, Caption.Text(), QString::fromLatin1(PropName));
    Field = Value;
    return true;
}
