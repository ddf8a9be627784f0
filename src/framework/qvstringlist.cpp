#include "framework/qvstringlist.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

#include <QRegularExpression>

using namespace Qvlocalize;

// ---- TStrings ----

void TStrings::Put(int Index, const QString& S) {
    BeginUpdate();
    Delete(Index);
    Insert(Index, S);
    EndUpdate();
}

int TStrings::Add(const QString& S) {
    const int Index = Count();
    Insert(Index, S);
    return Index;
}

void TStrings::AddStrings(const QStringList& List) {
    BeginUpdate();
    for (const QString& S : List)
        Add(S);
    EndUpdate();
}

int TStrings::IndexOf(const QString& S) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (Get(i).compare(S, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QStringList TStrings::ToStringList() const {
    QStringList Result;
    Result.reserve(Count());
    for (int i = 0, n = Count(); i < n; ++i)
        Result.append(Get(i));
    return Result;
}

QString TStrings::GetText() const {
    QString Result;
    for (int i = 0, n = Count(); i < n; ++i)
        Result += Get(i) + u'\n';
    return Result;
}

void TStrings::SetText(const QString& Text) {
    static const QRegularExpression LineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList Lines = Text.split(LineBreak);
    if (!Lines.isEmpty() && Lines.last().isEmpty()) Lines.removeLast();
    BeginUpdate();
    Clear();
    AddStrings(Lines);
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(TPersistent* Source) {
    if (auto* Other = qobject_cast<TStrings*>(Source)) {
        if (Other == this) return;
        BeginUpdate();
        Clear();
        AddStrings(Other->ToStringList());
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

void TStrings::CheckIndex(int Index, int Limit) const {
    if (Index < 0 || Index > Limit) throw EStringListError(Format(SListIndexError, {Index}));
}

// ---- TStringList ----

QString TStringList::Get(int Index) const {
    CheckIndex(Index, Count() - 1);
    return FList[Index];
}

void TStringList::Put(int Index, const QString& S) {
    CheckIndex(Index, Count() - 1);
    Changing();
    FList[Index] = S;
    Changed();
}

void TStringList::Insert(int Index, const QString& S) {
    CheckIndex(Index, Count());
    Changing();
    FList.insert(Index, S);
    Changed();
}

void TStringList::Delete(int Index) {
    CheckIndex(Index, Count() - 1);
    Changing();
    FList.removeAt(Index);
    Changed();
}

void TStringList::Clear() {
    if (FList.isEmpty()) return;
    Changing();
    FList.clear();
    Changed();
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && FOnChanging) FOnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && FOnChange) FOnChange(this);
}
