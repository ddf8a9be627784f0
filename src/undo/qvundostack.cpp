#include "undo/qvundostack.h"

#include "data/qvvectors.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvforms.h"
#include "strings/qvlocalize.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMetaProperty>
#include <QScopedValueRollback>

using namespace Qvlocalize;

namespace {
QMetaProperty FindProperty(const QObject* Obj, const QString& PropName) {
    const QMetaObject* Meta = Obj->metaObject();
    const int Index = Meta->indexOfProperty(PropName.toLatin1().constData());
    return Index < 0 ? QMetaProperty() : Meta->property(Index);
}

void Truncate(QIODevice* Stream) {
    if (auto* Buffer = qobject_cast<QBuffer*>(Stream))
        Buffer->buffer().clear();
    else if (auto* File = qobject_cast<QFile*>(Stream))
        File->resize(0);
    Stream->seek(0);
}

// Skips a component record whose component cannot be made again.
void SkipComponent(TReader& Reader) {
    Reader.ReadString();
    Reader.ReadString();
    while (!Reader.EndOfList()) {
        Reader.ReadString();
        Reader.SkipValue();
    }
    Reader.ReadListEnd();
}
} // namespace

// ---- lists ----

int TQvUndoList::Count() const {
    return Redo() ? FStack->RedoCount() : FStack->UndoCount();
}

QString TQvUndoList::Get(int Index) const {
    CheckIndex(Index, Count() - 1);
    const int Step = Count() - 1 - Index;
    return Redo() ? FStack->GetRedoComment(Step) : FStack->GetUndoComment(Step);
}

void TQvUndoList::Insert(int, const QString&) {
    throw EInvalidOperation(SUndoReadOnlyList.Text());
}

void TQvUndoList::Delete(int) {
    throw EInvalidOperation(SUndoReadOnlyList.Text());
}

void TQvUndoList::Clear() {
    throw EInvalidOperation(SUndoReadOnlyList.Text());
}

// ---- the stack ----

TQvUndoStack::TQvUndoStack(TComponent* AOwner)
    : TComponent(AOwner), FUndoList(std::make_unique<TQvUndoList>(this)),
      FRedoList(std::make_unique<TQvRedoList>(this)) {}

TQvUndoStack::~TQvUndoStack() {
    SetToMemoryStream(FToMemoryStream); // closes and deletes the temporary files
}

void TQvUndoStack::SetToMemoryStream(bool Value) {
    FToMemoryStream = Value;
    // The records live in the streams: a new kind of stream starts an empty history.
    ResetTrack(FUndo);
    ResetTrack(FRedo);
    for (TTrack* Track : {&FUndo, &FRedo}) {
        Track->Stream.reset();
        if (!Track->FileName.isEmpty()) QFile::remove(std::exchange(Track->FileName, QString()));
    }
    FScratch.reset();
    if (!FScratchFile.isEmpty()) QFile::remove(std::exchange(FScratchFile, QString()));
}

bool TQvUndoStack::Recording(const QObject* Obj) const {
    if (!FEnabled || FBusy || IsLoading() || TReadScope::Active()) return false;
    const auto* Component = qobject_cast<const TComponent*>(Obj);
    return !Component || !Component->IsLoading();
}

bool TQvUndoStack::Records(const QObject* Obj) {
    if (!Recording(Obj)) return false;
    TQvUndoGroupScope* Scope = TQvUndoGroupScope::Outermost;
    if (Scope &&
        std::find(Scope->FJoined.begin(), Scope->FJoined.end(), this) == Scope->FJoined.end()) {
        Scope->FJoined.emplace_back(this);
        StartGroup(QString());
    }
    return true;
}

thread_local TQvUndoGroupScope* TQvUndoGroupScope::Outermost = nullptr;

TQvUndoGroupScope::TQvUndoGroupScope() {
    if (!Outermost) Outermost = this;
}

TQvUndoGroupScope::~TQvUndoGroupScope() {
    if (Outermost != this) return;
    Outermost = nullptr;
    for (const QPointer<TQvUndoStack>& Stack : FJoined)
        if (Stack && Stack->FUndo.GroupDepth > 0) Stack->StopGroup();
}

QString GetTemporaryPath() {
    return QDir::toNativeSeparators(QDir::tempPath() + u'/').left(256);
}

std::unique_ptr<QIODevice> TQvUndoStack::NewStream(QString& FileName) {
    if (FToMemoryStream) {
        auto Buffer = std::make_unique<QBuffer>();
        Buffer->open(QIODevice::ReadWrite);
        return Buffer;
    }
    QString Exe = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (Exe.size() > 4 && Exe[Exe.size() - 4] == u'.') Exe.chop(4);
    const QString Base = GetTemporaryPath() + Exe + QStringLiteral(".QvUndoStack.");
    int k = 0;
    while (QFile::exists(Base + QString::number(k)))
        ++k;
    FileName = Base + QString::number(k);
    auto File = std::make_unique<QFile>(FileName);
    if (!File->open(QIODevice::ReadWrite | QIODevice::Truncate))
        throw EFCreateError(Format(SUndoTemporaryFile, {FileName, File->errorString()}));
    return File;
}

void TQvUndoStack::CreateStreams() {
    if (!FUndo.Stream) FUndo.Stream = NewStream(FUndo.FileName);
    if (!FRedo.Stream) FRedo.Stream = NewStream(FRedo.FileName);
    if (!FScratch) FScratch = NewStream(FScratchFile);
}

void TQvUndoStack::ResetTrack(TTrack& Track) {
    Track.End = 0;
    Track.Positions.clear();
    Track.Steps.clear();
    Track.PositionIndex = Track.StepIndex = -1;
    Track.GroupDepth = 0;
    if (Track.Stream) Truncate(Track.Stream.get());
}

void TQvUndoStack::Clear() {
    ResetTrack(FUndo);
    ResetTrack(FRedo);
    FObjects.clear();
}

void TQvUndoStack::ClearRedo() {
    ResetTrack(FRedo);
}

void TQvUndoStack::Prepare(TTrack& Track, const QString& Caption) {
    CreateStreams();
    // A group opened without a caption is named by its first record with one.
    if (&Track == &FUndo && !FBusy && Track.GroupDepth > 0 && FGroupCaption.isEmpty())
        FGroupCaption = Caption;
    // Steps that were undone make room for the new record.
    if (int(Track.Positions.size()) > Track.PositionIndex + 1) {
        Track.End = Track.Positions[size_t(Track.PositionIndex + 1)];
        Track.Positions.resize(size_t(Track.PositionIndex + 1));
        Track.Steps.resize(size_t(Track.StepIndex + 1));
    }
    if (&Track == &FUndo && !FBusy) ClearRedo();
    Track.Positions.push_back(Track.End);
    ++Track.PositionIndex;
    if (Track.GroupDepth == 0) {
        ++Track.StepIndex;
        Track.Steps.push_back(Track.PositionIndex);
    }
    if (FLimit > 0 && Track.StepIndex >= FLimit) DropOldestStep(Track);
    Track.Stream->seek(Track.End);
}

void TQvUndoStack::DropOldestStep(TTrack& Track) {
    const int g = Track.Steps[1];
    const qint64 p = Track.Positions[size_t(g)];
    for (int& Step : Track.Steps)
        Step -= g;
    for (qint64& Position : Track.Positions)
        Position -= p;
    Track.Steps.erase(Track.Steps.begin());
    --Track.StepIndex;
    Track.Positions.erase(Track.Positions.begin(), Track.Positions.begin() + g);
    Track.PositionIndex = int(Track.Positions.size()) - 1;
    // The records from p on move to the start of the stream.
    Track.Stream->seek(p);
    const QByteArray Kept = Track.Stream->read(Track.End - p);
    Truncate(FScratch.get());
    FScratch->write(Kept);
    FScratch->seek(0);
    Track.Stream->seek(0);
    Track.Stream->write(FScratch->readAll());
    Track.End -= p;
}

void TQvUndoStack::Finish(TTrack& Track, TWriter&) {
    Track.End = Track.Stream->pos();
}

// ---- records ----

void TQvUndoStack::WriteObjectRef(TWriter& Writer, QObject* Obj) {
    const QString Ref = GetComponentRef(qobject_cast<TComponent*>(Obj));
    Writer.WriteString(Ref);
    if (!Ref.isEmpty()) return;
    // Other objects by their place in the table, which forgets them when they go.
    int Index = -1;
    for (size_t i = 0; i < FObjects.size() && Index < 0 && Obj; ++i)
        if (FObjects[i] == Obj) Index = int(i);
    if (Index < 0 && Obj) {
        Index = int(FObjects.size());
        FObjects.emplace_back(Obj);
    }
    Writer.WriteInteger(Index);
}

QObject* TQvUndoStack::ReadObjectRef(TReader& Reader) {
    const QString Ref = Reader.ReadString();
    if (!Ref.isEmpty()) return GetComponentFromRef(Ref);
    const int Index = Reader.ReadInteger();
    return Index >= 0 && Index < int(FObjects.size()) ? FObjects[size_t(Index)].data() : nullptr;
}

void TQvUndoStack::WriteProperty(TTrack& Track, QObject* Obj, const QString& Caption,
                                 const QString& PropName) {
    const QMetaProperty Property = FindProperty(Obj, PropName);
    if (!Property.isValid()) throw EFilerError(Format(SUndoPropertyNotFound, {PropName}));
    Prepare(Track, Caption);
    TWriter Writer(Track.Stream.get());
    Writer.WriteString(Caption);
    Writer.WriteInteger(int(TQvUndoToken::Property));
    WriteObjectRef(Writer, Obj);
    Writer.WriteString(PropName);
    Writer.WriteProperty(Obj, Property);
    Finish(Track, Writer);
}

void TQvUndoStack::WriteComponent(TTrack& Track, TComponent* Component, const QString& Caption) {
    Prepare(Track, Caption);
    TWriter Writer(Track.Stream.get());
    Writer.WriteString(Caption);
    Writer.WriteInteger(int(TQvUndoToken::Component));
    Writer.WriteString(GetComponentRef(Component));
    Writer.WriteComponent(Component);
    Finish(Track, Writer);
}

void TQvUndoStack::WriteFreeComponent(TTrack& Track, const QString& Ref, const QString& Caption) {
    Prepare(Track, Caption);
    TWriter Writer(Track.Stream.get());
    Writer.WriteString(Caption);
    Writer.WriteInteger(int(TQvUndoToken::FreeComponent));
    Writer.WriteString(Ref);
    Finish(Track, Writer);
}

void TQvUndoStack::WriteEditState(TTrack& Track, QLineEdit* Edit, const QString& Text, int SelStart,
                                  int SelLength, const QString& Caption) {
    Prepare(Track, Caption);
    TWriter Writer(Track.Stream.get());
    Writer.WriteString(Caption);
    Writer.WriteInteger(int(TQvUndoToken::EditState));
    WriteObjectRef(Writer, Edit);
    Writer.WriteString(Text);
    Writer.WriteInteger(SelStart);
    Writer.WriteInteger(SelLength);
    Finish(Track, Writer);
}

void TQvUndoStack::WriteVectorState(TTrack& Track, TQvDoubleVector* Vector,
                                    const QString& Caption) {
    QByteArray Content;
    if (Vector) {
        QBuffer Buffer(&Content);
        Buffer.open(QIODevice::WriteOnly);
        Vector->WriteTo(&Buffer);
    }
    Prepare(Track, Caption);
    TWriter Writer(Track.Stream.get());
    Writer.WriteString(Caption);
    Writer.WriteInteger(int(TQvUndoToken::VectorState));
    WriteObjectRef(Writer, Vector);
    Writer.WriteBinary(Content);
    Finish(Track, Writer);
}

void TQvUndoStack::WriteBracket(TTrack& Track, TQvUndoToken Token, const QString& Caption) {
    Prepare(Track, Caption);
    TWriter Writer(Track.Stream.get());
    Writer.WriteString(Caption);
    Writer.WriteInteger(int(Token));
    Finish(Track, Writer);
    Track.GroupDepth += Token == TQvUndoToken::StartGroup ? 1 : -1;
}

// ---- recording ----

void TQvUndoStack::PushProperty(QObject* Obj, const QString& Caption, const QString& PropName) {
    if (Obj && Records(Obj)) WriteProperty(FUndo, Obj, Caption, PropName);
}

void TQvUndoStack::PushComponent(TComponent* Component, const QString& Caption) {
    if (Component && Records(Component)) WriteComponent(FUndo, Component, Caption);
}

void TQvUndoStack::PushFreeComponent(TComponent* Component, const QString& Caption) {
    if (!Component || !Records(Component)) return;
    const QString Ref = GetComponentRef(Component);
    if (Ref.isEmpty()) throw EStreamError(SUndoNoComponentName.Text());
    CheckNotOwnComponent(Component, true);
    WriteFreeComponent(FUndo, Ref, Caption);
}

// Freeing the stack or an owner of it, or setting the stack's own properties, would pull the
// streams from under playback.
void TQvUndoStack::CheckNotOwnComponent(const QObject* Object, bool Freeing) const {
    for (const TComponent* Owned = this; Owned; Owned = Freeing ? Owned->GetOwner() : nullptr)
        if (Owned == Object)
            throw EInvalidOperation(Format(SUndoOwnComponent, {GetComponentRef(Owned)}));
}

void TQvUndoStack::PushEditState(QLineEdit* Edit, const QString& Text, int SelStart, int SelLength,
                                 const QString& Caption) {
    if (Edit && Records(Edit)) WriteEditState(FUndo, Edit, Text, SelStart, SelLength, Caption);
}

void TQvUndoStack::PushVectorState(TQvDoubleVector* Vector, const QString& Caption) {
    if (Vector && Records(Vector)) WriteVectorState(FUndo, Vector, Caption);
}

void TQvUndoStack::StartGroup(const QString& Caption) {
    if (!Records(nullptr)) return;
    if (FUndo.GroupDepth == 0) FGroupCaption = Caption;
    WriteBracket(FUndo, TQvUndoToken::StartGroup, Caption);
}

void TQvUndoStack::StopGroup() {
    if (!Recording(nullptr)) return;
    if (FUndo.GroupDepth <= 0) throw EOverflow(SUndoTooManyStopGroups.Text());
    WriteBracket(FUndo, TQvUndoToken::StopGroup, FGroupCaption);
}

// ---- playback ----

void TQvUndoStack::Undo(int K) {
    if (Play(FUndo, FRedo, K) && FOnUndo) FOnUndo(this);
}

void TQvUndoStack::Redo(int K) {
    if (Play(FRedo, FUndo, K) && FOnRedo) FOnRedo(this);
}

bool TQvUndoStack::Play(TTrack& From, TTrack& To, int K) {
    if (!FEnabled || From.StepIndex < 0) return false;
    const QScopedValueRollback Busy(FBusy, true);
    try {
        const int FirstStep = std::max(0, From.StepIndex - std::max(0, K));
        const int First = From.Steps[size_t(FirstStep)];
        const int Last = From.StepIndex + 1 < int(From.Steps.size())
                             ? From.Steps[size_t(From.StepIndex + 1)] - 1
                             : int(From.Positions.size()) - 1;
        for (int r = Last; r >= First; --r)
            PlayRecord(From, From.Positions[size_t(r)], To);
        From.StepIndex = FirstStep - 1;
        From.PositionIndex = First - 1;
    } catch (const Exception& Error) {
        Clear();
        throw EReadError(Format(SUndoCorrupt, {Error.Message()}));
    } catch (...) {
        Clear(); // the steps are half played
        throw;
    }
    return true;
}

void TQvUndoStack::PlayRecord(TTrack& From, qint64 Position, TTrack& To) {
    From.Stream->seek(Position);
    TReader Reader(From.Stream.get());
    const QString Caption = Reader.ReadString();
    switch (TQvUndoToken(Reader.ReadInteger())) {
    case TQvUndoToken::Property: {
        QObject* Obj = ReadObjectRef(Reader);
        CheckNotOwnComponent(Obj, false);
        const QString PropName = Reader.ReadString();
        const QMetaProperty Property = Obj ? FindProperty(Obj, PropName) : QMetaProperty();
        if (!Property.isValid()) {
            Reader.SkipValue(); // the object has gone: nothing to restore
            return;
        }
        WriteProperty(To, Obj, Caption, PropName);
        Reader.ReadProperty(Obj, Property);
        return;
    }
    case TQvUndoToken::Component: {
        const QString Ref = Reader.ReadString();
        TComponent* Component = GetComponentFromRef(Ref);
        CheckNotOwnComponent(Component, false);
        TComponent* Owner = Component ? Component->GetOwner() : RefOwner(Ref);
        if (Component)
            WriteComponent(To, Component, Caption);
        else
            WriteFreeComponent(To, Ref, Caption);
        if (Component || Owner)
            Reader.ReadComponent(Component, Owner);
        else
            SkipComponent(Reader);
        return;
    }
    case TQvUndoToken::FreeComponent: {
        const QString Ref = Reader.ReadString();
        if (TComponent* Component = GetComponentFromRef(Ref)) {
            CheckNotOwnComponent(Component, true);
            WriteComponent(To, Component, Caption);
            delete Component;
        } else {
            WriteFreeComponent(To, Ref, Caption);
        }
        return;
    }
    case TQvUndoToken::EditState: {
        auto* Edit = qobject_cast<QLineEdit*>(ReadObjectRef(Reader));
        const QString Text = Reader.ReadString();
        const int SelStart = Reader.ReadInteger();
        const int SelLength = Reader.ReadInteger();
        // Without a selection the cursor is the start of an empty one.
        const bool Selected = Edit && Edit->hasSelectedText();
        WriteEditState(To, Edit, Edit ? Edit->text() : QString(),
                       Selected ? Edit->selectionStart()
                       : Edit   ? Edit->cursorPosition()
                                : 0,
                       Selected ? int(Edit->selectedText().size()) : 0, Caption);
        if (Edit) {
            Edit->setText(Text);
            Edit->setSelection(SelStart, SelLength);
        }
        return;
    }
    case TQvUndoToken::VectorState: {
        auto* Vector = qobject_cast<TQvDoubleVector*>(ReadObjectRef(Reader));
        QByteArray Content = Reader.ReadBinary();
        WriteVectorState(To, Vector, Caption);
        if (Vector) {
            QBuffer Buffer(&Content);
            Buffer.open(QIODevice::ReadOnly);
            Vector->ReadFrom(&Buffer);
        }
        return;
    }
    case TQvUndoToken::StartGroup:
        WriteBracket(To, TQvUndoToken::StopGroup, Caption);
        return;
    case TQvUndoToken::StopGroup:
        WriteBracket(To, TQvUndoToken::StartGroup, Caption);
        return;
    }
    throw EReadError(SInvalidPropertyValue.Text());
}

QString TQvUndoStack::StepCaption(const TTrack& Track, int Index) const {
    if (Index < 0 || Index >= int(Track.Steps.size()) || !Track.Stream) return QString();
    const auto CaptionAt = [&Track](int Record) {
        Track.Stream->seek(Track.Positions[size_t(Record)]);
        TReader Reader(Track.Stream.get());
        return Reader.ReadString();
    };
    const QString Caption = CaptionAt(Track.Steps[size_t(Index)]);
    if (!Caption.isEmpty()) return Caption;
    // A group opened without a caption carries the one it took on its closing record.
    return CaptionAt(Index + 1 < int(Track.Steps.size()) ? Track.Steps[size_t(Index + 1)] - 1
                                                         : int(Track.Positions.size()) - 1);
}

QString TQvUndoStack::GetUndoComment(int Index) const {
    return StepCaption(FUndo, Index);
}

QString TQvUndoStack::GetRedoComment(int Index) const {
    return StepCaption(FRedo, Index);
}
