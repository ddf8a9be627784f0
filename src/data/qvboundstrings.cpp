#include "data/qvboundstrings.h"

#include "data/qvvectors.h"
#include "framework/qvdb.h"
#include "framework/qvexceptions.h"

TQvBoundStrings::TQvBoundStrings(TComponent* Holder, std::function<void()> Changing,
                                 std::function<void()> Changed)
    : FChanging(std::move(Changing)), FChanged(std::move(Changed)),
      FOwn(std::make_unique<TStringList>()), FLink(std::make_unique<TQvListLink>()),
      FHolder(Holder) {
    FOwn->SetOnChanging([this](TObject* Sender) { ListChanging(Sender); });
    FOwn->SetOnChange([this](TObject* Sender) { ListChanged(Sender); });
    FLink->SetOnChange([this](TObject*) {
        if (FHolder->IsLoading() || FHolder->IsDestroying()) return;
        if (FBound && !FReading && FLink->DataSet()) FStale = true;
    });
}

TQvBoundStrings::~TQvBoundStrings() {
    Release();
}

bool TQvBoundStrings::Set(TStrings* Value, const QString& BoundMessage) {
    if (FBound && Value) throw Exception(BoundMessage);
    if (!Value) {
        Lines()->Clear();
        return false;
    }
    if (Value == Lines()) return false;
    Release();
    if (auto* List = qobject_cast<TStringList*>(Value)) {
        FSavedChange = List->GetOnChange();
        FSavedChanging = List->GetOnChanging();
        List->SetOnChanging([this](TObject* Sender) { ListChanging(Sender); });
        List->SetOnChange([this](TObject* Sender) { ListChanged(Sender); });
    }
    FList = Value;
    return true;
}

// Gives a foreign list its own handlers back.
void TQvBoundStrings::Release() {
    if (auto* List = qobject_cast<TStringList*>(FList.data())) {
        List->SetOnChange(FSavedChange);
        List->SetOnChanging(FSavedChanging);
    }
    FSavedChange = {};
    FSavedChanging = {};
    FList = nullptr;
}

void TQvBoundStrings::ListChanging(TObject* Sender) {
    if (!FReading && FChanging) FChanging();
    if (FList && FSavedChanging) FSavedChanging(Sender);
}

void TQvBoundStrings::ListChanged(TObject* Sender) {
    if (FChanged) FChanged();
    if (FList && FSavedChange) FSavedChange(Sender);
}

void TQvBoundStrings::SetLines(const QStringList& Lines) {
    if (FBound) SetDataSource(nullptr);
    TStrings* List = this->Lines();
    if (List->ToStringList() == Lines) return;
    List->BeginUpdate();
    List->Clear();
    List->AddStrings(Lines);
    List->EndUpdate();
}

QString TQvBoundStrings::GetField() const {
    return FLink->GetFieldName();
}

void TQvBoundStrings::SetField(const QString& Value) {
    FLink->SetFieldName(Value);
    FBound = true;
    FStale = true;
}

TDataSource* TQvBoundStrings::GetDataSource() const {
    return FLink->GetDataSource();
}

void TQvBoundStrings::SetDataSource(TDataSource* Value) {
    if (FSource && FSource != Value) FSource->RemoveFreeNotification(FHolder);
    FLink->SetDataSource(Value);
    FSource = Value;
    FBound = Value != nullptr;
    if (!Value) return;
    Value->FreeNotification(FHolder);
    FStale = true;
}

void TQvBoundStrings::SourceFreed(const TComponent* Component) {
    if (!FSource || Component != FSource) return;
    FBound = false;
    FLink->SetDataSource(nullptr);
    FSource = nullptr;
}

void TQvBoundStrings::Update() {
    if (!FBound || !FStale || FReading) return;
    TDataSet* Set = FLink->DataSet();
    const int Field = FLink->Field();
    if (!FLink->GetDataSource() || !Set || Field < 0) {
        FBound = false;
    } else if (Set->Active() && !Set->ControlsDisabled()) {
        TStrings* List = Lines();
        FReading = true;
        List->BeginUpdate();
        try {
            List->Clear();
            if (auto* Strings = qobject_cast<TStringList*>(List))
                Strings->SetCapacity(Set->RecordCount());
            ScanRecords(Set, [&] {
                List->Add(Set->FieldIsNull(Field) ? QString() : Set->FieldValue(Field).toString());
            });
        } catch (...) {
            List->EndUpdate();
            FReading = false;
            throw;
        }
        List->EndUpdate();
        FReading = false;
    }
    FStale = false;
}
