#pragma once

// String lists: TStrings is the abstract list that other classes present (for example the
// captions of undo steps); TStringList stores its strings and reports changes.

#include "framework/qvclasses.h"

#include <QStringList>

class TStrings : public TPersistent {
    Q_OBJECT
public:
    // The number of strings.
    virtual int Count() const = 0;
    // String Index.
    virtual QString Get(int Index) const = 0;
    // Replaces string Index by S.
    virtual void Put(int Index, const QString& S);
    // Inserts S at Index.
    virtual void Insert(int Index, const QString& S) = 0;
    // Removes string Index.
    virtual void Delete(int Index) = 0;
    // Removes every string.
    virtual void Clear() = 0;
    // Appends S; returns its index.
    virtual int Add(const QString& S);

    // String Index, as Get gives it.
    QString Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const QString& S) { Put(Index, S); }
    // Appends the strings of List as one update.
    void AddStrings(const QStringList& List);
    // Case-insensitive, as list lookups of the framework are; -1 when absent.
    int IndexOf(const QString& S) const;
    // The strings as a QStringList.
    QStringList ToStringList() const;

    // Lines joined by line feeds, each line terminated; setting splits at CR, LF and CR LF.
    QString GetText() const;
    void SetText(const QString& Text);

    // Changing is reported once when the outermost update begins, Changed when it ends.
    void BeginUpdate();
    // Ends an update begun with BeginUpdate.
    void EndUpdate();

    void Assign(TPersistent* Source) override;

protected:
    virtual void SetUpdateState(bool Updating);
    int UpdateCount() const { return FUpdateCount; }
    void CheckIndex(int Index, int Limit) const;

private:
    int FUpdateCount = 0;
};

// A list that stores its strings and reports each change.
class TStringList : public TStrings {
    Q_OBJECT
public:
    TStringList() = default;

    int Count() const override { return int(FList.size()); }
    QString Get(int Index) const override;
    void Put(int Index, const QString& S) override;
    void Insert(int Index, const QString& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void SetCapacity(int Capacity) { FList.reserve(Capacity); }

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
    const TNotifyEvent& GetOnChanging() const { return FOnChanging; }
    void SetOnChanging(const TNotifyEvent& Value) { FOnChanging = Value; }

protected:
    void SetUpdateState(bool Updating) override;
    virtual void Changing();
    virtual void Changed();

private:
    QStringList FList;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnChanging;
};
