#include "framework/qvclasses.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

#include <QHash>
#include <QMetaObject>
#include <QMutex>

using namespace Qvlocalize;

// ---- TPersistent ----

void TPersistent::Assign(TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError(Format(SAssignError, {"nil", metaObject()->className()}));
}

bool TPersistent::IsPropertyStored(const char*) const {
    return true;
}

void TPersistent::DefineProperties(TFiler*) {}

void TPersistent::AssignTo(TPersistent* Dest) {
    throw EConvertError(Format(
        SAssignError, {metaObject()->className(), Dest ? Dest->metaObject()->className() : "nil"}));
}

// ---- TComponent ----

bool IsValidIdent(const QString& Ident) {
    if (Ident.isEmpty()) return false;
    auto IsAlpha = [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
    };
    if (!IsAlpha(Ident[0])) return false;
    for (QChar c : Ident)
        if (!IsAlpha(c) && !(c >= u'0' && c <= u'9')) return false;
    return true;
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    SendRemoveNotifications();
    while (!FComponents.isEmpty()) {
        TComponent* Instance = FComponents.last();
        RemoveComponent(Instance);
        delete Instance;
    }
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SendRemoveNotifications() {
    while (!FFreeNotifies.isEmpty()) {
        TComponent* Partner = FFreeNotifies.takeLast();
        Partner->FFreeNotifies.removeAll(this);
        // Components of the same owner hear of the removal from the owner instead.
        if (!FOwner || Partner->FOwner != FOwner) Partner->Notification(this, TOperation::Remove);
    }
}

void TComponent::SetName(const QString& NewName) {
    if (FName == NewName) return;
    if (!NewName.isEmpty() && !IsValidIdent(NewName))
        throw EComponentError(Format(SInvalidName, {NewName}));
    if (FOwner) FOwner->ValidateRename(this, FName, NewName);
    FName = NewName;
    setObjectName(NewName);
}

void TComponent::ValidateRename(TComponent* AComponent, const QString& CurName,
                                const QString& NewName) const {
    if (AComponent && CurName.compare(NewName, Qt::CaseInsensitive) != 0 &&
        AComponent->FOwner == this && FindComponent(NewName))
        throw EComponentError(Format(SDuplicateName, {NewName}));
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= FComponents.size())
        throw ERangeError(Format(SListIndexError, {Index}));
    return FComponents[Index];
}

int TComponent::ComponentIndex() const {
    return FOwner ? int(FOwner->FComponents.indexOf(const_cast<TComponent*>(this))) : -1;
}

TComponent* TComponent::FindComponent(const QString& AName) const {
    if (AName.isEmpty()) return nullptr;
    for (TComponent* c : FComponents)
        if (c->FName.compare(AName, Qt::CaseInsensitive) == 0) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner == this) return;
    if (FindComponent(AComponent->FName))
        throw EComponentError(Format(SDuplicateName, {AComponent->FName}));
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    InsertOwned(AComponent);
    if (IsDesigning()) AComponent->SetDesigning(true);
    Notification(AComponent, TOperation::Insert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner != this) return;
    Notification(AComponent, TOperation::Remove);
    RemoveOwned(AComponent);
}

void TComponent::InsertOwned(TComponent* AComponent) {
    FComponents.append(AComponent);
    AComponent->FOwner = this;
}

void TComponent::RemoveOwned(TComponent* AComponent) {
    FComponents.removeOne(AComponent);
    AComponent->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this || FFreeNotifies.contains(AComponent)) return;
    FFreeNotifies.append(AComponent);
    AComponent->FFreeNotifies.append(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    FFreeNotifies.removeAll(AComponent);
    AComponent->FFreeNotifies.removeAll(this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == TOperation::Remove) RemoveFreeNotification(AComponent);
    // Receivers may free components of this owner; walk from the end and re-check the bound.
    qsizetype i = FComponents.size() - 1;
    while (i >= 0) {
        FComponents[i]->Notification(AComponent, Operation);
        if (--i >= FComponents.size()) i = FComponents.size() - 1;
    }
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    FComponentState.setFlag(TComponentStateItem::Designing, Value);
    if (SetChildren)
        for (TComponent* c : FComponents)
            c->SetDesigning(Value, true);
}

void TComponent::BeginLoading() {
    FComponentState |= TComponentStateItem::Loading;
}

void TComponent::Loaded() {
    FComponentState &= ~TComponentState(TComponentStateItem::Loading);
}

void TComponent::Destroying() {
    if (IsDestroying()) return;
    FComponentState |= TComponentStateItem::Destroying;
    for (TComponent* c : FComponents)
        c->Destroying();
}

// ---- class registry ----

namespace {
// Both live as long as the process, for components that go after static objects.
QHash<QString, TComponentClass>& ClassList() {
    static auto* List = new QHash<QString, TComponentClass>;
    return *List;
}
QMutex& ClassListGuard() {
    static auto* Guard = new QMutex;
    return *Guard;
}
} // namespace

void RegisterClass(TComponentClass AClass) {
    const QString Name = QString::fromLatin1(AClass->className());
    if (!AClass->inherits(&TComponent::staticMetaObject))
        throw EComponentError(Format(SNotAComponentClass, {Name}));
    const QByteArray Ctor =
        QMetaObject::normalizedSignature(QByteArray(AClass->className()) + "(TComponent*)");
    if (AClass->indexOfConstructor(Ctor.constData()) < 0)
        throw EComponentError(Format(SNoOwnerConstructor, {Name}));
    const QMutexLocker Lock(&ClassListGuard());
    ClassList().insert(Name, AClass);
}

void UnRegisterClass(TComponentClass AClass) {
    const QMutexLocker Lock(&ClassListGuard());
    ClassList().remove(QString::fromLatin1(AClass->className()));
}

TComponentClass GetClass(const QString& ClassName) {
    const QMutexLocker Lock(&ClassListGuard());
    return ClassList().value(ClassName, nullptr);
}

TComponentClass FindClass(const QString& ClassName) {
    TComponentClass Result = GetClass(ClassName);
    if (!Result) throw EClassNotFound(Format(SClassNotFound, {ClassName}));
    return Result;
}

TComponent* CreateComponent(TComponentClass AClass, TComponent* AOwner) {
    QObject* Instance = AClass->newInstance(Q_ARG(TComponent*, AOwner));
    if (!Instance)
        throw EComponentError(
            Format(SNoOwnerConstructor, {QString::fromLatin1(AClass->className())}));
    return static_cast<TComponent*>(Instance);
}
