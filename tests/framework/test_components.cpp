// Ownership, names, free notification, component states and the class registry.

#include <framework/qvclasses.h>
#include <framework/qvexceptions.h>
#include <framework/qvforms.h>

#include "../qvtest.h"

#include <gtest/gtest.h>

#include <QPointer>

#include <algorithm>
#include <array>

namespace {
// Holds a reference to another component and records what it hears.
class TReferrer : public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TReferrer(TComponent* AOwner) : TComponent(AOwner) {}

    void SetReference(TComponent* Value) {
        FReference = Value;
        if (Value) Value->FreeNotification(this);
    }
    TComponent* Reference() const { return FReference; }

    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::Remove) WhileDestroying.append(IsDestroying());
        if (Operation != TOperation::Remove || AComponent != FReference) return;
        // The referenced component is still readable here: its memory has not gone yet.
        Heard.append(AComponent->GetName());
        if (Log) Log->append(AComponent->GetName());
        FReference = nullptr;
    }

    QStringList Heard;
    QStringList* Log = nullptr;
    QList<bool> WhileDestroying; // for every removal heard of

private:
    TComponent* FReference = nullptr;
};

TComponent* Named(TComponent* Owner, const QString& Name) {
    auto* c = new TComponent(Owner);
    c->SetName(Name);
    return c;
}
} // namespace

TEST(Components, OwnerFreesWhatItOwnsAndNamesAreUniquePerOwner) {
    QPointer<TComponent> A, B;
    {
        TComponent Owner(nullptr);
        A = Named(&Owner, "Series1");
        B = Named(&Owner, "Series2");
        EXPECT_EQ(Owner.Components(1), B.data());
        EXPECT_EQ(B->ComponentIndex(), 1);
        EXPECT_EQ(Owner.FindComponent("SERIES1"), A.data());
        EXPECT_EQ(Owner.FindComponent(""), nullptr);

        EXPECT_EQ(MessageOf<EComponentError>([&] { B->SetName("series1"); }),
                  "A component named series1 already exists");
        EXPECT_EQ(B->GetName(), "Series2");
        EXPECT_THROW(A->SetName("1Series"), EComponentError);
        A->SetName("SERIES1"); // a change of case is no clash with itself
        EXPECT_EQ(A->GetName(), "SERIES1");

        // Another owner may use the same name; moving it in would clash.
        TComponent Other(nullptr);
        TComponent* C = Named(&Other, "Series2");
        EXPECT_THROW(Owner.InsertComponent(C), EComponentError);
        EXPECT_EQ(C->GetOwner(), &Other);
        C->SetName("Series3");
        Owner.InsertComponent(C);
        EXPECT_EQ(C->GetOwner(), &Owner);
        EXPECT_EQ(Other.ComponentCount(), 0);
        EXPECT_EQ(Owner.ComponentCount(), 3);

        delete A.data();
        EXPECT_EQ(Owner.ComponentCount(), 2);
        EXPECT_THROW(Owner.Components(2), ERangeError);
    }
    EXPECT_TRUE(B.isNull());
}

TEST(Components, ReferenceIsClearedWhicheverIsDeletedFirst) {
    // F owns the referrer R, D owns the target T: every order of deleting the four.
    std::array<int, 4> Order{0, 1, 2, 3};
    int Orders = 0;
    do {
        auto* F = new TComponent(nullptr);
        auto* D = new TComponent(nullptr);
        auto* R = new TReferrer(F);
        TComponent* T = Named(D, "Target");
        R->SetReference(T);
        QPointer<TComponent> Alive[4] = {F, D, R, T};
        for (int Step : Order) {
            if (!Alive[Step]) continue;
            delete Alive[Step].data();
            if (!Alive[2]) continue;
            if (Alive[3]) {
                EXPECT_EQ(R->Reference(), T);
                EXPECT_TRUE(R->Heard.isEmpty());
            } else {
                EXPECT_EQ(R->Reference(), nullptr);
                EXPECT_EQ(R->Heard, QStringList{"Target"});
            }
        }
        ++Orders;
    } while (std::next_permutation(Order.begin(), Order.end()));
    EXPECT_EQ(Orders, 24);
}

TEST(Components, OwnerTellsItsComponentsWhateverTheDeletionOrder) {
    // Referrer and target on one owner need no link: the owner broadcasts each removal. The
    // owner frees from the last component to the first, so try both creation orders.
    for (bool TargetFirst : {true, false}) {
        QStringList Log;
        auto* Owner = new TComponent(nullptr);
        TComponent* T = TargetFirst ? Named(Owner, "Target") : nullptr;
        auto* R = new TReferrer(Owner);
        R->Log = &Log;
        if (!T) T = Named(Owner, "Target");
        R->SetReference(T);
        delete Owner;
        EXPECT_EQ(Log, TargetFirst ? QStringList{} : QStringList{"Target"});
    }
    // A target deleted directly is reported exactly once, even when it joined the referrer's
    // owner after the link was made.
    TComponent Form(nullptr), Module(nullptr);
    auto* R3 = new TReferrer(&Form);
    TComponent* T3 = Named(&Module, "Moved");
    R3->SetReference(T3);
    Form.InsertComponent(T3);
    delete T3;
    EXPECT_EQ(R3->Heard, QStringList{"Moved"});
    EXPECT_EQ(R3->Reference(), nullptr);
}

TEST(Components, StatesPropagateToOwnedComponents) {
    TComponent Owner(nullptr);
    auto* Early = new TComponent(&Owner);
    Owner.SetDesigning(true);
    EXPECT_TRUE(Early->IsDesigning());
    auto* Late = new TComponent(&Owner);
    EXPECT_TRUE(Late->IsDesigning());
    Owner.SetDesigning(false, false);
    EXPECT_FALSE(Owner.IsDesigning());
    EXPECT_TRUE(Late->IsDesigning());

    // A component told of a sibling's removal knows whether it is itself being freed.
    TComponent Owner2(nullptr);
    auto* Watcher = new TReferrer(&Owner2);
    delete new TComponent(&Owner2);
    EXPECT_EQ(Watcher->WhileDestroying, QList<bool>{false});
    Owner2.Destroying(); // what the owner's destructor does first
    EXPECT_TRUE(Watcher->IsDestroying());
    delete new TComponent(&Owner2);
    EXPECT_EQ(Watcher->WhileDestroying, (QList<bool>{false, true}));
}

TEST(Components, RegistryCreatesComponentsByClassName) {
    RegisterClass<TReferrer>();
    TComponent Owner(nullptr);
    TComponent* Created = CreateComponent(FindClass("TReferrer"), &Owner);
    ASSERT_NE(qobject_cast<TReferrer*>(Created), nullptr);
    EXPECT_EQ(Created->GetOwner(), &Owner);

    // Classes the registry cannot construct are refused at registration.
    EXPECT_THROW(RegisterClass(&TPersistent::staticMetaObject), EComponentError);
    UnRegisterClass(&TReferrer::staticMetaObject);
    EXPECT_EQ(MessageOf<EClassNotFound>([] { FindClass("TReferrer"); }),
              "Class TReferrer not found");
}

TEST(Components, ScreenListsFormsAndDataModules) {
    const int Forms = Screen()->FormCount();
    auto* Form = new TForm(Application());
    Form->SetName("Form1");
    auto* Module = new TDataModule(Application());
    EXPECT_EQ(Screen()->FormCount(), Forms + 1);
    EXPECT_EQ(Screen()->Forms(Forms), Form);
    EXPECT_EQ(Screen()->DataModules(Screen()->DataModuleCount() - 1), Module);
    EXPECT_EQ(Application()->FindComponent("Form1"), Form);
    delete Form;
    delete Module;
    EXPECT_EQ(Screen()->FormCount(), Forms);
    EXPECT_EQ(Application()->FindComponent("Form1"), nullptr);
}

#include "test_components.moc"
