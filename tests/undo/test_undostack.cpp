// The undo stack: every property kind, groups, the step limit, components that come and go,
// edit fields, vectors, temporary files and damaged histories.

#include "../qvtest.h"

#include <data/qvvectors.h>
#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>
#include <framework/qvforms.h>
#include <framework/qvinifiles.h>
#include <framework/qvxml.h>
#include <style/qvio.h>
#include <style/qvstyles.h>
#include <undo/qvundostack.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

namespace {
// A component with a property of every kind the stack records.
class TSample : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Flag MEMBER FFlag)
    Q_PROPERTY(int Number MEMBER FNumber)
    Q_PROPERTY(qint64 Big MEMBER FBig)
    Q_PROPERTY(double Value MEMBER FValue)
    Q_PROPERTY(float Small MEMBER FSmall)
    Q_PROPERTY(QString Text MEMBER FText)
    Q_PROPERTY(TQvColor Color MEMBER FColor)
    Q_PROPERTY(Framework::TAlign Align MEMBER FAlign)
    Q_PROPERTY(Framework::TAnchors Anchors MEMBER FAnchors)
    Q_PROPERTY(TComponent* Partner MEMBER FPartner)
    Q_PROPERTY(TStringList* Lines READ GetLines)
    Q_PROPERTY(TQvLineSettings* Line READ GetLine)
    Q_PROPERTY(QList<double> Samples MEMBER FSamples)
public:
    Q_INVOKABLE explicit TSample(TComponent* AOwner) : TComponent(AOwner) {}
    TStringList* GetLines() const { return FLines.get(); }
    TQvLineSettings* GetLine() const { return FLine.get(); }

    bool FFlag = false;
    int FNumber = 0;
    qint64 FBig = 0;
    double FValue = 0;
    float FSmall = 0;
    QString FText;
    TQvColor FColor = 0;
    TAlign FAlign = TAlign::None;
    TAnchors FAnchors;
    TComponent* FPartner = nullptr;
    std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
    std::unique_ptr<TQvLineSettings> FLine = std::make_unique<TQvLineSettings>();
    QList<double> FSamples;
};

// Sets a property through the stack as a setter would: record, then store.
void Change(TQvUndoStack& Stack, QObject* Obj, const char* Name, const QVariant& Value,
            const QString& Caption = "change") {
    Stack.PushProperty(Obj, Caption, Name);
    Obj->setProperty(Name, Value);
}

// A property whose setter fails with an exception of the standard library.
class TFailing : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Number READ GetNumber WRITE SetNumber)
public:
    using TComponent::TComponent;
    int GetNumber() const { return FNumber; }
    void SetNumber(int Value) {
        if (Fail) throw std::runtime_error("setter failed");
        FNumber = Value;
    }
    bool Fail = false;
    int FNumber = 0;
};

struct TFormFixture : ::testing::Test {
    void SetUp() override {
        RegisterClass<TSample>();
        Form = new TForm(Application());
        Form->SetName("UndoForm");
        Stack = new TQvUndoStack(Form);
    }
    void TearDown() override { delete Form; }
    TForm* Form = nullptr;
    TQvUndoStack* Stack = nullptr;
};
} // namespace

TEST_F(TFormFixture, EveryPropertyKindUndoesAndRedoes) {
    auto* Sample = new TSample(Form);
    Sample->SetName("Sample1");
    auto* Partner = new TSample(Form);
    Partner->SetName("Partner1");
    Sample->FLines->SetText("a\nb\n");
    // Each property with its value before and after the change.
    const std::vector<std::tuple<const char*, QVariant, QVariant>> Cases{
        {"Flag", false, true},
        {"Number", 0, -123456},
        {"Big", qint64(0), qint64(1) << 50},
        {"Value", 0.0, 0.1},
        {"Small", 0.0f, 2.5f},
        {"Text", QString(), "Grüße\r\nzwei"},
        {"Color", 0u, 0x80FF0000u},
        {"Align", QVariant::fromValue(TAlign::None), QVariant::fromValue(TAlign::Client)},
        {"Anchors", QVariant::fromValue(TAnchors()),
         QVariant::fromValue(TAnchors(TAnchorKind::Right))},
        {"Partner", QVariant::fromValue<TComponent*>(nullptr),
         QVariant::fromValue<TComponent*>(Partner)},
        {"Samples", QVariant::fromValue(QList<double>{}),
         QVariant::fromValue(QList<double>{1.5, -2})}};
    for (const auto& [Name, Old, New] : Cases)
        Change(*Stack, Sample, Name, New);
    Stack->PushProperty(Sample, "lines", "Lines");
    Sample->FLines->SetText("x\n");
    Stack->PushProperty(Sample->GetLine(), "line colour", "Color");
    Sample->GetLine()->SetColor(0xFF00FF00);
    ASSERT_EQ(Stack->UndoCount(), 13);

    Stack->Undo(12);
    EXPECT_EQ(Stack->UndoCount(), 0);
    EXPECT_EQ(Stack->RedoCount(), 13);
    for (const auto& [Name, Old, New] : Cases)
        EXPECT_EQ(Sample->property(Name), Old) << Name;
    EXPECT_EQ(Sample->FLines->ToStringList(), (QStringList{"a", "b"}));
    EXPECT_EQ(Sample->GetLine()->GetColor(), 0xFFFF0000u);

    Stack->Redo(12);
    EXPECT_EQ(Stack->UndoCount(), 13);
    for (const auto& [Name, Old, New] : Cases)
        EXPECT_EQ(Sample->property(Name), New) << Name;
    EXPECT_EQ(Sample->FLines->ToStringList(), QStringList{"x"});
    EXPECT_EQ(Sample->GetLine()->GetColor(), 0xFF00FF00u);

    EXPECT_EQ(MessageOf<EFilerError>([&] { Stack->PushProperty(Sample, "x", "NoSuchProperty"); }),
              "Property: \"NoSuchProperty\" not found");
}

TEST_F(TFormFixture, StepsGroupsLimitAndRedoHistory) {
    auto* Sample = new TSample(Form);
    Sample->SetName("Sample1");
    // Five changes in one group are one step with the group's caption.
    Stack->StartGroup("Five at once");
    for (int i = 1; i <= 5; ++i)
        Change(*Stack, Sample, "Number", i, QString("set %1").arg(i));
    Stack->StartGroup("nested");
    Change(*Stack, Sample, "Text", "inner");
    Stack->StopGroup();
    Stack->StopGroup();
    EXPECT_EQ(Stack->UndoCount(), 1);
    EXPECT_EQ(Stack->GetUndoComment(0), "Five at once");
    EXPECT_EQ(MessageOf<EOverflow>([&] { Stack->StopGroup(); }),
              "Undo stack has too many StopGroup statements");
    Stack->Undo();
    EXPECT_EQ(Sample->FNumber, 0);
    EXPECT_EQ(Sample->FText, "");
    EXPECT_EQ(Stack->RedoList()->Strings(0), "Five at once");
    Stack->Redo();
    EXPECT_EQ(Sample->FNumber, 5);
    EXPECT_EQ(Sample->FText, "inner");
    Stack->Undo();
    // Recording after an undo clears the redo history.
    Change(*Stack, Sample, "Flag", true, "flag");
    EXPECT_FALSE(Stack->CanRedo());

    // With the limit of 20, the 21st step drops the first; the stream shrinks with it.
    Stack->Clear();
    for (int i = 1; i <= 20; ++i)
        Change(*Stack, Sample, "Number", i, QString("step %1").arg(i, 2, 10, QChar('0')));
    const qint64 Full = Stack->UndoStreamSize();
    Change(*Stack, Sample, "Number", 21, "step 21");
    EXPECT_EQ(Stack->UndoCount(), 20);
    EXPECT_EQ(Stack->UndoStreamSize(), Full); // records of equal size: one in, one out
    EXPECT_EQ(Stack->GetUndoComment(0), "step 02");
    EXPECT_EQ(Stack->UndoList()->Strings(0), "step 21");
    Stack->Undo(19);
    EXPECT_EQ(Sample->FNumber, 1);
    EXPECT_FALSE(Stack->CanUndo());
    Stack->Redo(2);
    EXPECT_EQ(Sample->FNumber, 4);
    EXPECT_EQ(Stack->RedoCount(), 17);
    EXPECT_THROW(Stack->UndoList()->Add("x"), EInvalidOperation);

    // Nothing is recorded while disabled, playing back or loading.
    const int Count = Stack->UndoCount();
    Stack->SetEnabled(false);
    Change(*Stack, Sample, "Number", 99);
    Stack->SetEnabled(true);
    Sample->BeginLoading();
    Change(*Stack, Sample, "Number", 98);
    Sample->Loaded();
    EXPECT_EQ(Stack->UndoCount(), Count);
}

TEST_F(TFormFixture, ComponentsComeBackWithTheirNameAndState) {
    // Undoing a creation frees the component; redoing makes it again with its name.
    auto* Created = new TSample(Form);
    Created->SetName("Created1");
    Created->FNumber = 42;
    Created->GetLine()->SetWidth(3);
    Stack->PushFreeComponent(Created, "Create sample");
    Stack->Undo();
    EXPECT_EQ(Form->FindComponent("Created1"), nullptr);
    Stack->Redo();
    auto* Again = qobject_cast<TSample*>(Form->FindComponent("Created1"));
    ASSERT_NE(Again, nullptr);
    EXPECT_EQ(Again->FNumber, 42);
    EXPECT_EQ(Again->GetLine()->GetWidth(), 3.0f);

    // Undoing a deletion re-creates the component, references to others included.
    auto* Partner = new TSample(Form);
    Partner->SetName("Partner1");
    Again->FPartner = Partner;
    Again->FLines->SetText("one\ntwo\n");
    Stack->PushComponent(Again, "Delete sample");
    delete Again;
    Stack->Undo();
    auto* Restored = qobject_cast<TSample*>(Form->FindComponent("Created1"));
    ASSERT_NE(Restored, nullptr);
    EXPECT_EQ(Restored->FPartner, Partner);
    EXPECT_EQ(Restored->FLines->ToStringList(), (QStringList{"one", "two"}));
    Stack->Redo();
    EXPECT_EQ(Form->FindComponent("Created1"), nullptr);

    auto* Unnamed = new TSample(Form);
    EXPECT_EQ(MessageOf<EStreamError>([&] { Stack->PushFreeComponent(Unnamed, "x"); }),
              "Component does not have a name");
}

TEST_F(TFormFixture, EditFieldsAndVectors) {
    QLineEdit Edit;
    Edit.setText("Title");
    Edit.setSelection(1, 2);
    Stack->PushEditState(&Edit, Edit.text(), Edit.selectionStart(), 2, "Edit caption");
    Edit.setText("Changed title");
    Stack->Undo();
    EXPECT_EQ(Edit.text(), "Title");
    EXPECT_EQ(Edit.selectedText(), "it");
    Stack->Redo();
    EXPECT_EQ(Edit.text(), "Changed title");

    auto* Vector = new TQvDoubleVector(Form);
    Vector->SetName("Values1");
    Vector->AddRange({3.0, 1.0, 2.0});
    Stack->PushVectorState(Vector, "Edit data");
    Vector->Clear(true);
    Vector->Add(7);
    auto Values = [&] { return std::vector<double>(Vector->begin(), Vector->end()); };
    Stack->Undo();
    EXPECT_EQ(Values(), (std::vector<double>{3, 1, 2}));
    EXPECT_EQ(Vector->GetMaximum(), 3.0);
    Stack->Redo();
    EXPECT_EQ(Values(), std::vector<double>{7});

    // An object gone meanwhile is skipped, not touched; there is nothing to redo then.
    auto* Line = new TQvLineSettings;
    Stack->PushProperty(Line, "line", "Width");
    delete Line;
    const int Before = Stack->UndoCount();
    Stack->Undo();
    EXPECT_EQ(Stack->UndoCount(), Before - 1);
    EXPECT_EQ(Stack->RedoCount(), 0);
}

TEST_F(TFormFixture, TemporaryFilesGoWithTheStackAndDamageClearsIt) {
    const QDir Temp(GetTemporaryPath());
    auto Files = [&] { return Temp.entryList({"*.QvUndoStack.*"}).size(); };
    const qsizetype Before = Files();
    {
        TQvUndoStack Disk(nullptr);
        Disk.SetToMemoryStream(false);
        TQvLineSettings Line;
        Disk.PushProperty(&Line, "width", "Width");
        Line.SetWidth(4);
        EXPECT_EQ(Files(), Before + 3);
        Disk.Undo();
        EXPECT_EQ(Line.GetWidth(), 1.0f);
    }
    EXPECT_EQ(Files(), Before);

    // A record that cannot be played back (its class is no longer known) clears the history
    // and raises; the stack then works on.
    auto* Doomed = new TSample(Form);
    Doomed->SetName("Doomed1");
    Stack->PushComponent(Doomed, "Delete");
    delete Doomed;
    UnRegisterClass(&TSample::staticMetaObject);
    EXPECT_EQ(MessageOf<EReadError>([&] { Stack->Undo(); }),
              "The undo history is damaged and has been cleared: Class TSample not found");
    EXPECT_EQ(Stack->UndoCount(), 0);
    EXPECT_EQ(Stack->RedoCount(), 0);
    EXPECT_EQ(Form->FindComponent("Doomed1"), nullptr);
    TQvLineSettings Line;
    Stack->PushProperty(&Line, "width", "Width");
    Line.SetWidth(2);
    Stack->Undo();
    EXPECT_EQ(Line.GetWidth(), 1.0f);
}

TEST_F(TFormFixture, NeverFreesOrRestoresItselfOrItsOwners) {
    // The stack sits two owners deep; the component records below name, once their components
    // are gone, the stack itself and its direct owner.
    auto* Inner = new TComponent(Form);
    Inner->SetName("Inner");
    auto* Own = new TQvUndoStack(Inner);
    Own->SetName("Own");
    const QString SelfMessage =
        "The undo stack cannot free or restore itself or a component that owns it: ";
    EXPECT_EQ(MessageOf<EInvalidOperation>([&] { Own->PushFreeComponent(Own, "New"); }),
              SelfMessage + "\"UndoForm.Inner.Own\"");
    EXPECT_EQ(MessageOf<EInvalidOperation>([&] { Own->PushFreeComponent(Form, "New"); }),
              SelfMessage + "\"UndoForm\"");

    auto* Created = new TSample(Inner);
    Created->SetName("Created");
    Own->PushFreeComponent(Created, "New sample");
    delete Created;
    Own->SetName("Created"); // the record now names the stack
    EXPECT_EQ(MessageOf<EReadError>([&] { Own->Undo(); }),
              "The undo history is damaged and has been cleared: " + SelfMessage +
                  "\"UndoForm.Inner.Created\"");
    EXPECT_EQ(Own->UndoCount(), 0);

    auto* Sibling = new TSample(Form);
    Sibling->SetName("Sibling");
    Own->PushFreeComponent(Sibling, "New sibling");
    delete Sibling;
    Inner->SetName("Sibling"); // now the stack's owner
    EXPECT_THROW(Own->Undo(), EReadError);
    EXPECT_EQ(Form->FindComponent("Sibling"), Inner);

    // Whole-component records of the stack itself are refused when played back.
    Own->PushComponent(Own, "Stack settings");
    EXPECT_THROW(Own->Undo(), EReadError);
    EXPECT_TRUE(Own->GetEnabled());
}

TEST_F(TFormFixture, PlaybackFailuresOfAnyKindLeaveAWorkingStack) {
    int Undos = 0, Redos = 0;
    Stack->SetOnUndo([&](TObject* Sender) { Undos += Sender == Stack; });
    Stack->SetOnRedo([&](TObject* Sender) { Redos += Sender == Stack; });
    Stack->Undo();
    Stack->Redo();
    EXPECT_EQ(Undos + Redos, 0) << "nothing was there to play";

    auto* Failing = new TFailing(Form);
    Failing->SetName("Failing");
    Stack->PushProperty(Failing, "number", "Number");
    Failing->SetNumber(5);
    Failing->Fail = true;
    EXPECT_THROW(Stack->Undo(), std::runtime_error);
    EXPECT_EQ(Undos, 0);
    EXPECT_EQ(Stack->UndoCount(), 0) << "half-played steps are dropped";

    // Still recording.
    Failing->Fail = false;
    Stack->PushProperty(Failing, "number", "Number");
    Failing->SetNumber(7);
    EXPECT_EQ(Stack->UndoCount(), 1);
    Stack->Undo();
    EXPECT_EQ(Failing->GetNumber(), 5);
    Stack->Redo();
    EXPECT_EQ(Failing->GetNumber(), 7);
    EXPECT_EQ(Undos, 1);
    EXPECT_EQ(Redos, 1);
}

#include "test_undostack.moc"

TEST_F(TFormFixture, NothingReadIsRecorded) {
    auto* Sample = new TSample(Form);
    Sample->SetName("Sample1");
    TQvLineSettings* Line = Sample->GetLine();
    Line->SetUndoStack(Stack);
    TQvLineSettings Stored;
    Stored.SetWidth(7);

    // A settings record in each form.
    QBuffer Buffer;
    Buffer.open(QIODevice::ReadWrite);
    ToStream(&Buffer, &Stored);
    Buffer.seek(0);
    FromStream(&Buffer, Line);
    Stored.SetWidth(8);
    TXMLDocument Doc;
    ToNode(Doc.AddChild("Root"), &Stored, "Line");
    FromNode(Doc.DocumentElement(), Line, "Line");
    QTemporaryDir Dir;
    TMemIniFile Ini(Dir.filePath("line.ini"));
    Stored.SetWidth(9);
    ToIni(&Ini, "Sample", "Line", &Stored);
    FromIni(&Ini, "Sample", "Line", Line);
    EXPECT_EQ(Line->GetWidth(), 9);

    // A component whose settings are read with it.
    QBuffer Component;
    Component.open(QIODevice::ReadWrite);
    TWriter(&Component).WriteComponent(Sample);
    Line->SetWidth(3);
    ASSERT_EQ(Stack->UndoCount(), 1); // an edit is recorded
    Component.seek(0);
    TReader(&Component).ReadComponent(Sample, Form);
    EXPECT_EQ(Line->GetWidth(), 9);
    EXPECT_EQ(Stack->UndoCount(), 1);
}
