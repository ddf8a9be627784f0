#pragma once

// Persistent objects, components with owners, names and free notification, and the class
// registry that constructs components by class name.

#include "framework/qvframeworktypes.h"

#include <QList>
#include <QObject>
#include <QString>

class TComponent;
class TFiler;

class TPersistent : public QObject {
    Q_OBJECT
public:
    TPersistent() = default;

    // Copies Source into this object; raises EConvertError unless one of the two knows how.
    virtual void Assign(TPersistent* Source);
    // Declares data streamed beside the published properties (TFiler::DefineProperty).
    virtual void DefineProperties(TFiler* Filer);
    // Whether the published property Name is written when the object is stored; for values
    // that are stored only in some states.
    virtual bool IsPropertyStored(const char* Name) const;

protected:
    virtual void AssignTo(TPersistent* Dest);
};

// Threads: a component, everything it owns and every component it refers to (a graph with its
// axes, series, vectors, undo stack and their owner) belong to one thread at a time. Groups that
// share no components may be built, calculated, rendered into images and saved in different
// threads at once. Windows and widgets stay in the application's main thread. What the whole
// process shares locks itself: the class registry, the parser's registries of functions and
// variables, the list of forms and data modules, and the font and text caches.
class TComponent : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ GetName WRITE SetName)
public:
    Q_INVOKABLE explicit TComponent(TComponent* AOwner);
    // Notifies every component that references this one before any memory goes, then frees
    // the owned components and leaves the owner.
    ~TComponent() override;

    const QString& GetName() const { return FName; }
    virtual void SetName(const QString& NewName);

    TComponent* GetOwner() const { return FOwner; }
    // The number of components this one owns.
    int ComponentCount() const { return int(FComponents.size()); }
    // The owned component Index.
    TComponent* Components(int Index) const;
    // The position of this component among its owner's components.
    int ComponentIndex() const;
    // Case-insensitive lookup among the owned components; nullptr when absent.
    TComponent* FindComponent(const QString& AName) const;
    // Makes this component the owner of AComponent.
    void InsertComponent(TComponent* AComponent);
    // Releases AComponent from this owner.
    void RemoveComponent(TComponent* AComponent);

    // Links this component and AComponent so that each learns of the other's destruction
    // through Notification. Components of one owner need no link: the owner tells them all.
    void FreeNotification(TComponent* AComponent);
    // Ends the link that FreeNotification made.
    void RemoveFreeNotification(TComponent* AComponent);

    // The state flags: loading, designing, destroying.
    TComponentState ComponentState() const { return FComponentState; }
    bool IsLoading() const { return FComponentState.testFlag(TComponentStateItem::Loading); }
    bool IsDesigning() const { return FComponentState.testFlag(TComponentStateItem::Designing); }
    bool IsDestroying() const { return FComponentState.testFlag(TComponentStateItem::Destroying); }
    void SetDesigning(bool Value, bool SetChildren = true);
    // Marks the component as being read; Loaded ends that state.
    void BeginLoading();
    // Ends the loading state once the component has been read.
    virtual void Loaded();

    // Sets Destroying on this component and everything it owns.
    void Destroying();

    // A part of its owner published as one of the owner's properties: streamed with the
    // owner's properties instead of by reference.
    bool IsSubComponent() const { return FSubComponent; }
    void SetSubComponent(bool Value) { FSubComponent = Value; }

    // AComponent is being inserted or removed: a component forgets its references to one that goes.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

protected:
    void ValidateRename(TComponent* AComponent, const QString& CurName,
                        const QString& NewName) const;

private:
    void InsertOwned(TComponent* AComponent);
    void RemoveOwned(TComponent* AComponent);
    void SendRemoveNotifications();

    TComponent* FOwner = nullptr;
    QString FName;
    QList<TComponent*> FComponents;
    QList<TComponent*> FFreeNotifies;
    TComponentState FComponentState;
    bool FSubComponent = false;
};

bool IsValidIdent(const QString& Ident);

// Points Field at Value and moves the free-notification link from the old component to the new
// one; false when Field already is Value.
template <class T> bool ReplaceReference(TComponent* Self, T*& Field, T* Value) {
    if (Field == Value) return false;
    if (Field) Field->RemoveFreeNotification(Self);
    Field = Value;
    if (Value) Value->FreeNotification(Self);
    return true;
}

// Removes AComponent from a list of references when its free notification arrives; entries are
// compared as components only, since the object is already partly destroyed. True when found.
template <class T> bool RemoveReferences(QList<T*>& List, const TComponent* AComponent) {
    return List.removeIf([AComponent](T* Item) {
        return static_cast<const TComponent*>(Item) == AComponent;
    }) > 0;
}

// Class registry: components are created by class name through their Q_INVOKABLE
// constructor taking the owner.
using TComponentClass = const QMetaObject*;

void RegisterClass(TComponentClass AClass);
template <class T> void RegisterClass() {
    RegisterClass(&T::staticMetaObject);
}
void UnRegisterClass(TComponentClass AClass);
// nullptr when no class of that name is registered.
TComponentClass GetClass(const QString& ClassName);
// Raises EClassNotFound when no class of that name is registered.
TComponentClass FindClass(const QString& ClassName);
TComponent* CreateComponent(TComponentClass AClass, TComponent* AOwner);
