#pragma once

// Data binding: a TDataSource presents any QAbstractItemModel as a data set (rows are records,
// columns are fields named by their horizontal header), and data links bound to it hear of
// every change of the data set.

#include "framework/qvclasses.h"

#include <QAbstractItemModel>
#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QVariant>

#include <memory>

class TDataSource;
class TDataLink;

using TBookmark = QPersistentModelIndex;

// The cursor over the records of a data source's model.
class TDataSet : public QObject {
    Q_OBJECT
public:
    TDataSet(TDataSource* Source, QAbstractItemModel* Model);

    // The model presented.
    QAbstractItemModel* Model() const { return FModel; }
    // The model still exists.
    bool Active() const { return !FModel.isNull(); }
    // The number of records: the model's rows.
    int RecordCount() const;
    // Current record (0-based), -1 when there is none.
    int RecNo() const { return FRow; }
    // True once a move went past the last record, after Last, and on an empty data set.
    bool Eof() const { return FEof; }
    // True once a move went before the first record, after First, and on an empty data set.
    bool Bof() const { return FBof; }
    // Moves to the first record.
    void First();
    // Moves to the last record.
    void Last();
    // Moves to the next record, or sets Eof at the last.
    void Next();
    // Moves to the previous record, or sets Bof at the first.
    void Prior();

    // Column of the field whose header is FieldName (case-insensitive), or -1.
    int FieldIndex(const QString& FieldName) const;
    // The names of the fields, in column order.
    QStringList FieldNames() const;
    // Values of the current record; EDatabaseError when there is no current record.
    QVariant FieldValue(int Field) const;
    // The value of Field in the current record is null.
    bool FieldIsNull(int Field) const;

    TBookmark GetBookmark() const;
    // Moves to the record of Bookmark, when it belongs to this model.
    void GotoBookmark(const TBookmark& Bookmark);

    // While controls are disabled, links hear nothing; the last EnableControls reports what
    // happened meanwhile as one event.
    void DisableControls();
    // Ends what DisableControls began.
    void EnableControls();
    // Links hear nothing for now.
    bool ControlsDisabled() const { return FDisableCount > 0; }

private:
    void FetchAll();
    void Resync();
    void DataEvent(TDataEvent Event, int Info);
    void Move(int Row);

    TDataSource* FSource;
    QPointer<QAbstractItemModel> FModel;
    int FRow = -1;
    bool FEof = true;
    bool FBof = true;
    bool FFetching = false;
    int FDisableCount = 0;
    TDataEvent FEnableEvent = TDataEvent::DataSetScroll;
};

// Presents a model as a data set and tells its data links of every change.
class TDataSource : public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TDataSource(TComponent* AOwner);
    ~TDataSource() override;

    QAbstractItemModel* GetModel() const;
    // The model is not owned; when it is destroyed the data set becomes inactive.
    void SetModel(QAbstractItemModel* Model);
    // nullptr while no model is set.
    TDataSet* DataSet() const { return FDataSet.get(); }
    // The number of data links bound to this source.
    int DataLinkCount() const { return int(FDataLinks.size()); }

private:
    friend class TDataLink;
    friend class TDataSet;
    void NotifyDataLinks(TDataEvent Event, int Info);
    void NotifyActiveChanged();

    std::unique_ptr<TDataSet> FDataSet;
    QList<TDataLink*> FDataLinks;
    QMetaObject::Connection FModelDestroyed;
};

// A link to a data source that hears of the changes of its data set.
class TDataLink : public TPersistent {
    Q_OBJECT
public:
    TDataLink() = default;
    ~TDataLink() override;

    TDataSource* GetDataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* ADataSource);
    // The data set of the bound source; nullptr without one.
    TDataSet* DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }
    // The link has a data set.
    bool Active() const { return DataSet() != nullptr; }

protected:
    friend class TDataSource;
    // Info is the field of a FieldChange; -1 otherwise.
    virtual void DataEvent(TDataEvent Event, int Info);
    virtual void ActiveChanged();
    virtual void DataSetChanged();
    virtual void DataSetScrolled(int Distance);
    virtual void LayoutChanged();
    // Field is -1 when the whole record (or data set) changed.
    virtual void RecordChanged(int Field);

private:
    TDataSource* FDataSource = nullptr;
};

// A link to one field of the data set.
class TFieldDataLink : public TDataLink {
    Q_OBJECT
public:
    const QString& GetFieldName() const { return FFieldName; }
    void SetFieldName(const QString& Value);
    // Column of the field, -1 when the data set is inactive or has no such field.
    int Field() const { return FField; }

    // The data set, the current record or this link's field changed.
    const TNotifyEvent& GetOnDataChange() const { return FOnDataChange; }
    void SetOnDataChange(const TNotifyEvent& Value) { FOnDataChange = Value; }
    const TNotifyEvent& GetOnActiveChange() const { return FOnActiveChange; }
    void SetOnActiveChange(const TNotifyEvent& Value) { FOnActiveChange = Value; }

protected:
    void ActiveChanged() override;
    void LayoutChanged() override;
    void RecordChanged(int Field) override;

private:
    void UpdateField();

    QString FFieldName;
    int FField = -1;
    TNotifyEvent FOnDataChange;
    TNotifyEvent FOnActiveChange;
};

// Calls Visit on every record from the first to the end of data with the data set's controls
// disabled, then returns to the current record (or the last one when there was none).
void ScanRecords(TDataSet* Set, const std::function<void()>& Visit);
