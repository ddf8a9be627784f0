#include "framework/qvdb.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

// ---- TDataSet ----

TDataSet::TDataSet(TDataSource* Source, QAbstractItemModel* Model)
    : FSource(Source), FModel(Model) {
    auto Changed = [this] { Resync(); };
    connect(Model, &QAbstractItemModel::modelReset, this, Changed);
    connect(Model, &QAbstractItemModel::layoutChanged, this, Changed);
    connect(Model, &QAbstractItemModel::rowsMoved, this, Changed);
    connect(Model, &QAbstractItemModel::rowsRemoved, this, Changed);
    connect(Model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (!FFetching) Resync();
    });
    connect(Model, &QAbstractItemModel::headerDataChanged, this,
            [this] { DataEvent(TDataEvent::LayoutChange, -1); });
    connect(Model, &QAbstractItemModel::columnsInserted, this,
            [this] { DataEvent(TDataEvent::LayoutChange, -1); });
    connect(Model, &QAbstractItemModel::columnsRemoved, this,
            [this] { DataEvent(TDataEvent::LayoutChange, -1); });
    connect(Model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& TopLeft, const QModelIndex& BottomRight) {
                for (int Column = TopLeft.column(); Column <= BottomRight.column(); ++Column)
                    DataEvent(TDataEvent::FieldChange, Column);
            });
    FetchAll();
    FRow = RecordCount() > 0 ? 0 : -1;
    FEof = FRow < 0;
}

void TDataSet::FetchAll() {
    // Models such as SQL query models load rows lazily; a data set counts all records.
    FFetching = true;
    while (FModel && FModel->canFetchMore(QModelIndex()))
        FModel->fetchMore(QModelIndex());
    FFetching = false;
}

void TDataSet::Resync() {
    FetchAll();
    const int Count = RecordCount();
    if (Count == 0) {
        FRow = -1;
        FEof = FBof = true;
    } else {
        FRow = qBound(0, FRow, Count - 1);
        FEof = FBof = false;
    }
    DataEvent(TDataEvent::DataSetChange, -1);
}

int TDataSet::RecordCount() const {
    return FModel ? FModel->rowCount() : 0;
}

void TDataSet::Move(int Row) {
    const int Distance = Row - FRow;
    FRow = Row;
    if (Distance != 0) DataEvent(TDataEvent::DataSetScroll, Distance);
}

void TDataSet::First() {
    FBof = true;
    FEof = RecordCount() == 0;
    Move(FEof ? -1 : 0);
}

void TDataSet::Last() {
    FEof = true;
    FBof = RecordCount() == 0;
    Move(RecordCount() - 1);
}

void TDataSet::Next() {
    if (FRow + 1 < RecordCount()) {
        FBof = false;
        Move(FRow + 1);
    } else {
        FEof = true;
    }
}

void TDataSet::Prior() {
    if (FRow > 0) {
        FEof = false;
        Move(FRow - 1);
    } else {
        FBof = true;
    }
}

int TDataSet::FieldIndex(const QString& FieldName) const {
    if (!FModel || FieldName.isEmpty()) return -1;
    for (int Column = 0, n = FModel->columnCount(); Column < n; ++Column)
        if (FModel->headerData(Column, Qt::Horizontal)
                .toString()
                .compare(FieldName, Qt::CaseInsensitive) == 0)
            return Column;
    return -1;
}

QStringList TDataSet::FieldNames() const {
    QStringList Result;
    if (FModel)
        for (int Column = 0, n = FModel->columnCount(); Column < n; ++Column)
            Result.append(FModel->headerData(Column, Qt::Horizontal).toString());
    return Result;
}

QVariant TDataSet::FieldValue(int Field) const {
    if (!FModel || FRow < 0 || FRow >= RecordCount())
        throw EDatabaseError(Qvlocalize::SDataSetNoCurrentRecord.Text());
    return FModel->data(FModel->index(FRow, Field));
}

bool TDataSet::FieldIsNull(int Field) const {
    return FieldValue(Field).isNull();
}

TBookmark TDataSet::GetBookmark() const {
    return FModel && FRow >= 0 ? TBookmark(FModel->index(FRow, 0)) : TBookmark();
}

void TDataSet::GotoBookmark(const TBookmark& Bookmark) {
    if (Bookmark.isValid() && Bookmark.model() == FModel) {
        FEof = FBof = false;
        Move(Bookmark.row());
    }
}

void TDataSet::DisableControls() {
    if (FDisableCount++ == 0) FEnableEvent = TDataEvent::DataSetScroll;
}

void TDataSet::EnableControls() {
    if (FDisableCount == 0) return;
    if (--FDisableCount == 0) DataEvent(FEnableEvent, -1);
}

void TDataSet::DataEvent(TDataEvent Event, int Info) {
    if (ControlsDisabled()) {
        if (Event != TDataEvent::DataSetScroll) FEnableEvent = TDataEvent::DataSetChange;
        return;
    }
    FSource->NotifyDataLinks(Event, Info);
}

// ---- TDataSource ----

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
    FDataSet.reset();
    while (!FDataLinks.isEmpty())
        FDataLinks.last()->SetDataSource(nullptr);
}

QAbstractItemModel* TDataSource::GetModel() const {
    return FDataSet ? FDataSet->Model() : nullptr;
}

void TDataSource::SetModel(QAbstractItemModel* Model) {
    if (GetModel() == Model) return;
    disconnect(FModelDestroyed);
    FDataSet.reset(Model ? new TDataSet(this, Model) : nullptr);
    if (Model) {
        FModelDestroyed = connect(Model, &QObject::destroyed, this, [this] {
            FDataSet.reset();
            NotifyActiveChanged();
        });
    }
    NotifyActiveChanged();
}

void TDataSource::NotifyDataLinks(TDataEvent Event, int Info) {
    // A link may leave the source while it is told: walk a copy and skip those gone.
    const QList<TDataLink*> Links = FDataLinks;
    for (TDataLink* Link : Links)
        if (FDataLinks.contains(Link)) Link->DataEvent(Event, Info);
}

void TDataSource::NotifyActiveChanged() {
    const QList<TDataLink*> Links = FDataLinks;
    for (TDataLink* Link : Links)
        if (FDataLinks.contains(Link)) Link->ActiveChanged();
}

// ---- TDataLink ----

TDataLink::~TDataLink() {
    if (FDataSource) FDataSource->FDataLinks.removeOne(this);
}

void TDataLink::SetDataSource(TDataSource* ADataSource) {
    if (FDataSource == ADataSource) return;
    if (FDataSource) FDataSource->FDataLinks.removeOne(this);
    FDataSource = ADataSource;
    if (FDataSource) FDataSource->FDataLinks.append(this);
    ActiveChanged();
}

void TDataLink::DataEvent(TDataEvent Event, int Info) {
    switch (Event) {
    case TDataEvent::FieldChange:
        RecordChanged(Info);
        break;
    case TDataEvent::RecordChange:
        RecordChanged(-1);
        break;
    case TDataEvent::DataSetChange:
        DataSetChanged();
        break;
    case TDataEvent::DataSetScroll:
        DataSetScrolled(Info);
        break;
    case TDataEvent::LayoutChange:
        LayoutChanged();
        break;
    default:
        break;
    }
}

void TDataLink::ActiveChanged() {}

void TDataLink::DataSetChanged() {
    RecordChanged(-1);
}

void TDataLink::DataSetScrolled(int) {
    DataSetChanged();
}

void TDataLink::LayoutChanged() {
    DataSetChanged();
}

void TDataLink::RecordChanged(int) {}

// ---- TFieldDataLink ----

void TFieldDataLink::SetFieldName(const QString& Value) {
    if (FFieldName == Value) return;
    FFieldName = Value;
    UpdateField();
}

void TFieldDataLink::UpdateField() {
    const int Field = DataSet() ? DataSet()->FieldIndex(FFieldName) : -1;
    if (Field == FField) return;
    FField = Field;
    RecordChanged(-1);
}

void TFieldDataLink::ActiveChanged() {
    UpdateField();
    if (FOnActiveChange) FOnActiveChange(this);
}

void TFieldDataLink::LayoutChanged() {
    UpdateField();
    TDataLink::LayoutChanged();
}

void TFieldDataLink::RecordChanged(int Field) {
    if ((Field < 0 || Field == FField) && FOnDataChange) FOnDataChange(this);
}

void ScanRecords(TDataSet* Set, const std::function<void()>& Visit) {
    const TBookmark Mark = Set->GetBookmark();
    Set->DisableControls();
    try {
        for (Set->First(); !Set->Eof(); Set->Next())
            Visit();
        if (Mark.isValid())
            Set->GotoBookmark(Mark);
        else
            Set->Last();
    } catch (...) {
        Set->EnableControls();
        throw;
    }
    Set->EnableControls();
}
