#pragma once

// The texts that components publish under their component reference for formulas and
// captions: each entry has an owner, a name, a description for pick lists and a getter that
// yields the current text.

#include <QList>
#include <QString>

#include <functional>

class TComponent;

using TQvStringGetter = std::function<QString()>;

struct TQvStringVariable {
    TComponent* Owner;
    QString Name;
    QString Description;
    TQvStringGetter Getter;
};

class TQvStringVariables {
public:
    // Replaces an entry of the same owner and name (case-insensitive).
    void Register(TComponent* Owner, const QString& Name, const QString& Description,
                  TQvStringGetter Getter);
    // Removes every entry of Owner.
    void DeRegister(const TComponent* Owner);
    // nullptr when Owner has published no text of that name.
    const TQvStringVariable* Find(const TComponent* Owner, const QString& Name) const;
    int Count() const { return int(FItems.size()); }

private:
    QList<TQvStringVariable> FItems;
};

// The process-wide list.
TQvStringVariables& StringVariables();
