#pragma once

// The undo stack: changes of published properties, whole components, edit fields and data
// vectors are recorded as serialized records, grouped into steps with captions, and played back
// for undo and redo. Undoing a step records the inverse records as one redo step, and redoing
// records them back, so both directions nest groups the same way.

#include "framework/qvclasses.h"
#include "framework/qvstringlist.h"
#include "undo/qvundorecorder.h"

#include <QPointer>

#include <memory>
#include <vector>

class QIODevice;
class QLineEdit;
class TQvDoubleVector;
class TQvUndoStack;
class TReader;
class TWriter;

// The system folder for temporary files, ending in a separator: where the history goes unless
// it is kept in memory.
QString GetTemporaryPath();

// How a record begins, after its caption.
enum class TQvUndoToken {
    Property,
    Component,
    FreeComponent,
    EditState,
    VectorState,
    StartGroup,
    StopGroup,
};

// The captions of the recorded steps, the most recent first. Read only.
class TQvUndoList : public TStrings {
    Q_OBJECT
public:
    explicit TQvUndoList(TQvUndoStack* Stack) : FStack(Stack) {}
    // The number of steps.
    int Count() const override;
    // The caption of step Index, the most recent first.
    QString Get(int Index) const override;
    // The list is read only: raises EInvalidOperation, as Delete and Clear do.
    void Insert(int Index, const QString& S) override;
    void Delete(int Index) override;
    void Clear() override;

protected:
    virtual bool Redo() const { return false; }
    TQvUndoStack* FStack;
};

// The captions of the steps that can be redone, the most recent first. Read only.
class TQvRedoList : public TQvUndoList {
    Q_OBJECT
public:
    using TQvUndoList::TQvUndoList;

protected:
    bool Redo() const override { return true; }
};

// While one lives, whatever an undo stack of this thread records is one step on that stack, as if
// bracketed by StartGroup and StopGroup, captioned like its first record: an edit that sets the
// properties of several components undoes at once. Within an outer scope an inner one does
// nothing.
class TQvUndoGroupScope {
public:
    TQvUndoGroupScope();
    ~TQvUndoGroupScope();
    TQvUndoGroupScope(const TQvUndoGroupScope&) = delete;
    TQvUndoGroupScope& operator=(const TQvUndoGroupScope&) = delete;

private:
    friend class TQvUndoStack;
    static thread_local TQvUndoGroupScope* Outermost;
    std::vector<QPointer<TQvUndoStack>> FJoined;
};

// Records changes as steps with captions and plays them back for undo and redo.
class TQvUndoStack : public TComponent, public TQvUndoRecorder {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ GetEnabled WRITE SetEnabled)
    Q_PROPERTY(int Limit READ GetLimit WRITE SetLimit)
    Q_PROPERTY(bool ToMemoryStream READ GetToMemoryStream WRITE SetToMemoryStream)
public:
    static constexpr int DefaultLimit = 20;

    Q_INVOKABLE explicit TQvUndoStack(TComponent* AOwner);
    ~TQvUndoStack() override;

    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // Steps kept; 0 or less keeps all.
    int GetLimit() const { return FLimit; }
    void SetLimit(int Value) { FLimit = Value; }
    // False keeps the records in temporary files, deleted with the stack.
    bool GetToMemoryStream() const { return FToMemoryStream; }
    void SetToMemoryStream(bool Value);

    // Recording does nothing while disabled, while playing back, or while Obj (a component) is
    // being loaded.
    void PushProperty(QObject* Obj, const QString& Caption, const QString& PropName) override;
    // The whole component, so that undo restores its state or re-creates it.
    void PushComponent(TComponent* Component, const QString& Caption);
    // A component just created: undo frees it, redo creates it again. The stack itself and its
    // owners raise EInvalidOperation.
    void PushFreeComponent(TComponent* Component, const QString& Caption);
    // The text and selection of a line edit, so that undo puts them back.
    void PushEditState(QLineEdit* Edit, const QString& Text, int SelStart, int SelLength,
                       const QString& Caption);
    // The values of a data vector, so that undo puts them back.
    void PushVectorState(TQvDoubleVector* Vector, const QString& Caption);
    // A group started with an empty caption takes the caption of its first record.
    void StartGroup(const QString& Caption) override;
    // Ends the group; EOverflow when none is open.
    void StopGroup() override;

    // Undoes (redoes) the K + 1 most recent steps. A damaged record clears the stack and raises.
    void Undo(int K = 0);
    // Redoes the K + 1 most recent undone steps.
    void Redo(int K = 0);
    // There is a step to undo (redo).
    bool CanUndo() const { return FEnabled && FUndo.StepIndex >= 0; }
    // There is a step to redo.
    bool CanRedo() const { return FEnabled && FRedo.StepIndex >= 0; }
    // The number of steps to undo (redo).
    int UndoCount() const { return FUndo.StepIndex + 1; }
    // The number of steps to redo.
    int RedoCount() const { return FRedo.StepIndex + 1; }
    // The caption of step Index, counted from the oldest.
    QString GetUndoComment(int Index) const;
    QString GetRedoComment(int Index) const;
    // The captions of the steps to undo (redo), the most recent first.
    TQvUndoList* UndoList() const { return FUndoList.get(); }
    // The captions of the steps to redo, the most recent first.
    TQvRedoList* RedoList() const { return FRedoList.get(); }
    // Forgets every step, to undo and to redo.
    void Clear();
    // Forgets the steps to redo.
    void ClearRedo();

    const TNotifyEvent& GetOnUndo() const { return FOnUndo; }
    void SetOnUndo(const TNotifyEvent& Value) { FOnUndo = Value; }
    const TNotifyEvent& GetOnRedo() const { return FOnRedo; }
    void SetOnRedo(const TNotifyEvent& Value) { FOnRedo = Value; }

    // Bytes of recorded undo data, for tests and diagnostics.
    qint64 UndoStreamSize() const { return FUndo.End; }

private:
    // The fuzzing harness puts made-up histories into a stack through this.
    friend class TQvUndoHistoryAccess;
    friend class TQvUndoGroupScope;

    // One direction's records: their stream offsets and the first record of every step.
    struct TTrack {
        std::unique_ptr<QIODevice> Stream;
        QString FileName;
        qint64 End = 0;
        std::vector<qint64> Positions;
        std::vector<int> Steps;
        int PositionIndex = -1;
        int StepIndex = -1;
        int GroupDepth = 0;
    };

    bool Recording(const QObject* Obj) const;
    // Recording, and then part of the open group scope.
    bool Records(const QObject* Obj);
    void CreateStreams();
    std::unique_ptr<QIODevice> NewStream(QString& FileName);
    // Starts a record on Track: room at its end, a new step outside groups, the step limit.
    void Prepare(TTrack& Track, const QString& Caption);
    void DropOldestStep(TTrack& Track);
    void ResetTrack(TTrack& Track);
    void Finish(TTrack& Track, TWriter& Writer);
    // False when there was nothing to play.
    bool Play(TTrack& From, TTrack& To, int K);
    void CheckNotOwnComponent(const QObject* Object, bool Freeing) const;
    void PlayRecord(TTrack& From, qint64 Position, TTrack& To);
    QString StepCaption(const TTrack& Track, int Index) const;

    void WriteObjectRef(TWriter& Writer, QObject* Obj);
    QObject* ReadObjectRef(TReader& Reader);
    void WriteProperty(TTrack& Track, QObject* Obj, const QString& Caption,
                       const QString& PropName);
    void WriteComponent(TTrack& Track, TComponent* Component, const QString& Caption);
    void WriteFreeComponent(TTrack& Track, const QString& Ref, const QString& Caption);
    void WriteEditState(TTrack& Track, QLineEdit* Edit, const QString& Text, int SelStart,
                        int SelLength, const QString& Caption);
    void WriteVectorState(TTrack& Track, TQvDoubleVector* Vector, const QString& Caption);
    void WriteBracket(TTrack& Track, TQvUndoToken Token, const QString& Caption);

    bool FEnabled = true;
    int FLimit = DefaultLimit;
    bool FToMemoryStream = true;
    bool FBusy = false;
    QString FGroupCaption;
    TTrack FUndo, FRedo;
    std::unique_ptr<QIODevice> FScratch;
    QString FScratchFile;
    // Objects that are not named components are recorded by their place in this table.
    std::vector<QPointer<QObject>> FObjects;
    std::unique_ptr<TQvUndoList> FUndoList;
    std::unique_ptr<TQvRedoList> FRedoList;
    TNotifyEvent FOnUndo, FOnRedo;
};
