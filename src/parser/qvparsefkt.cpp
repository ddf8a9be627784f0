#include "parser/qvparsefkt.h"

void TQvStringVariables::Register(TComponent* Owner, const QString& Name,
                                  const QString& Description, TQvStringGetter Getter) {
    TQvStringVariable Item{Owner, Name, Description, std::move(Getter)};
    for (TQvStringVariable& Existing : FItems) {
        if (Existing.Owner == Owner && Existing.Name.compare(Name, Qt::CaseInsensitive) == 0) {
            Existing = std::move(Item);
            return;
        }
    }
    FItems.append(std::move(Item));
}

void TQvStringVariables::DeRegister(const TComponent* Owner) {
    FItems.removeIf([Owner](const TQvStringVariable& Item) { return Item.Owner == Owner; });
}

const TQvStringVariable* TQvStringVariables::Find(const TComponent* Owner,
                                                  const QString& Name) const {
    for (const TQvStringVariable& Item : FItems)
        if (Item.Owner == Owner && Item.Name.compare(Name, Qt::CaseInsensitive) == 0) return &Item;
    return nullptr;
}

TQvStringVariables& StringVariables() {
    static TQvStringVariables List;
    return List;
}
