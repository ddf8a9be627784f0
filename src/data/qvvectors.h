#pragma once

// Data vectors: growable arrays of doubles that are components of their own. They cache
// their statistics and fold in only values no query has seen yet, tell the components that
// use them of every change, and can take their values from a field of a data set.

#include "data/qvauxiliaryvectors.h"
#include "data/qvlargeallocator.h"
#include "data/qvminmax.h"
#include "framework/qvclasses.h"
#include "framework/qvdb.h"

#include <QString>

#include <initializer_list>
#include <memory>
#include <span>
#include <unordered_set>
#include <vector>

// The storage of vector values; a filled array is handed to a vector without a copy.
using TQvValueArray = std::vector<double, TQvLargeAllocator<double>>;

class IXMLNode;
class QIODevice;
class TCustomIniFile;
class TFiler;
class TReader;
class TWriter;
class TQvCustomDoubleVector;

// Implemented by the components that use vectors (series, the pie chart): the vector tells
// them of its changes. A series answers with its kind so that the vector picks the right call.
class TQvVectorUser {
public:
    virtual ~TQvVectorUser() = default;
    enum class TKind {
        Other,
        Series,
        FunctionSeries
    };
    // What kind of user this is, which decides how the vector tells it of changes.
    virtual TKind VectorUserKind() const { return TKind::Other; }
    // The user reads Vector as its Y data.
    virtual bool UsesAsYData(const TQvCustomDoubleVector* /*Vector*/) const { return false; }
    // Forget cached ranges beyond N values.
    virtual void SetLastCount(int /*N*/) {}
    // Values changed or were added: what was drawn from them is stale.
    virtual void PointsModified() {}
    // The value at Index of Vector changed in place; the indices of the others stand.
    virtual void ValueChanged(const TQvCustomDoubleVector* /*Vector*/, int /*Index*/) {
        PointsModified();
    }
    // The values changed throughout: extents must be found anew.
    virtual void RangesModified() {}
    // The Y data was cleared; for markers linked to its points.
    virtual void ClearLinkedMarkers() {}
    // Value Index of the Y data was deleted; for markers linked to its points.
    virtual void DeleteLinkedMarkers(int /*Index*/) {}
    // A value was inserted at Index of the Y data; for markers linked to its points.
    virtual void ValueInsertedLinkedMarkers(int /*Index*/) {}
    // The vector changed, for users that are not series.
    virtual void Modified() {}
};

// Steps through the values of a vector: MoveNext advances, GetCurrent gives the value.
class TQvCustomDoubleVectorEnum {
public:
    explicit TQvCustomDoubleVectorEnum(const TQvCustomDoubleVector* Vector) : FVector(Vector) {}
    // Advances to the next value; false past the last.
    bool MoveNext();
    double GetCurrent() const;

private:
    int FIndex = -1;
    const TQvCustomDoubleVector* FVector;
};

// The base of all data vectors: values, cached statistics, outliers and the users to notify.
class TQvCustomDoubleVector : public TComponent {
    Q_OBJECT
public:
    using TIterator = TQvVectorIterator<TQvCustomDoubleVector, double>;

    Q_INVOKABLE explicit TQvCustomDoubleVector(TComponent* AOwner);
    ~TQvCustomDoubleVector() override;

    virtual int GetCount() const;
    // Folds the values no query has seen yet into the statistics.
    virtual void CheckMinMax() const;
    // Statistics, outliers excluded unless the name says otherwise. An empty vector reports
    // +MaxDouble / -MaxDouble, indices -1, sums 0 and ascending.
    virtual double GetMinimum() const;
    virtual double GetMaximum() const;
    virtual double GetMinimumIncludingOutliers() const;
    virtual double GetMaximumIncludingOutliers() const;
    virtual int GetMinimumIdx() const;
    virtual int GetMaximumIdx() const;
    virtual int GetMinimumIdxIncludingOutliers() const;
    virtual int GetMaximumIdxIncludingOutliers() const;
    // Strictly increasing.
    virtual bool GetOnlyAscending() const;
    virtual double GetSum() const;
    virtual double GetSumIncludingOutliers() const;
    // ERangeError "i=%d index out of range" for i outside 0 .. Count-1.
    virtual double GetValue(int i) const;
    // Writing at or beyond the end extends the vector.
    virtual void SetValue(int i, double Value);
    // Values exist that no statistics query has seen yet.
    virtual bool IsChanged() const;
    // The values for fast reading, Count of them; nullptr when they are computed.
    virtual const double* Data() const;
    // The min/max hierarchy of the stored values, made current; from now on the statistics
    // pass keeps it current as it goes. Only for vectors whose Data() is not nullptr.
    const TQvMinMaxHierarchy& MinMaxHierarchy() const;
    // The statistics pass keeps the hierarchy from the start: a series asks before its first
    // values arrive, so that they are scanned once.
    void KeepMinMaxHierarchy();

    double operator[](int i) const { return GetValue(i); }
    // Return the new count.
    int Add(double Value);
    // ERangeError for i > Count.
    int Insert(int i, double Value);
    // Beyond the end nothing happens.
    void Delete(int i, bool NotifyMarkers = true);
    // Keeps capacity and storage.
    void Clear(bool NotifyMarkers = true);
    // Makes room for N values and raises the count to N if it is smaller.
    void CheckCount(int N);

    // The capacity grows in steps of Increment; the storage underneath grows geometrically.
    int GetCapacity() const { return FCapacity; }
    // Acts only above the count; reserves the room at once.
    void SetCapacity(int N);
    int GetIncrement() const { return FIncrement; }
    // Values below 128 are ignored.
    void SetIncrement(int N);

    bool IsOutlier(int i) const;
    // Marks value i as an outlier.
    void AddOutlier(int i);
    // Takes the outlier mark off value i.
    void RemoveOutlier(int i);
    void SetOutlier(int i, bool Value);
    // Takes every outlier mark off.
    void ClearOutlieres();
    bool GetAnyOutliers() const { return FAnyOutliers; }
    // The marked indices in the order they were marked.
    const TQvIntegerVector& GetOutlierIndices() const { return FOutliers; }

    // Forgets the statistics; the next query rescans everything.
    void ResetRanges();
    // Forgets the statistics and tells the users that everything changed.
    void OutOfRange();
    // Tells the users that every value may have changed.
    void ResetRelatedSeries();
    // Tells the users that value Changed changed in place.
    void InvalidateRelatedSeries(int Changed);

    // User must also be a TQvVectorUser, else nothing happens. A user may be added more than
    // once (a series using the vector as X and as Y); each RemoveRelated takes one entry away.
    void AddRelated(TComponent* User);
    // Takes one entry of User off the list of users.
    void RemoveRelated(TComponent* User);
    // The number of user entries.
    int RelatedCount() const { return int(FRelatedSeries.size()); }
    TComponent* GetRelated(int Index) const;

    TQvCustomDoubleVectorEnum GetEnumerator() const { return TQvCustomDoubleVectorEnum(this); }
    // Iterators over the values, for range-for.
    TIterator begin() const { return TIterator(this, 0); }
    TIterator end() const { return TIterator(this, GetCount()); }

    // Forgets a user that goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    struct TRelated {
        TComponent* Component;
        TQvVectorUser* User;
    };

    // Storage growth without notifications, for bulk loads that notify once at the end.
    void AppendQuietly(double Value);
    void MarkOutlierQuietly(int i);
    void ClearOutliersQuietly();
    // SetCapacity without reserving, for counts read from untrusted input.
    void ApplyCapacity(int N, bool Reserve);

    int FCount = 0;
    int FCapacity = 128;
    int FIncrement = 128;
    mutable int FLastCount = 0;
    mutable int FMinimumIdx = -1;
    mutable int FMaximumIdx = -1;
    mutable int FMinimumIncludingOutliersIdx = -1;
    mutable int FMaximumIncludingOutliersIdx = -1;
    mutable double FMinimum;
    mutable double FMaximum;
    mutable double FMinimumIncludingOutliers;
    mutable double FMaximumIncludingOutliers;
    mutable double FSum = 0;
    mutable double FSumIncludingOutliers = 0;
    mutable int FSummed = 0; // values added up in the sums
    mutable TQvMinMaxHierarchy FHierarchy;
    mutable bool FKeepsHierarchy = false;
    mutable bool FOnlyAscending = true;
    bool FAnyOutliers = false;
    // Holds at least Count values; slots past the count keep what they held, 0 when fresh.
    TQvValueArray FArray;
    TQvIntegerVector FOutliers;
    std::vector<TRelated> FRelatedSeries;

private:
    void CheckSums() const;
    bool IsExtremeIndex(int i) const;
    // Whether Value in the scanned slot i would move an extreme to i or end the ascent.
    bool SpoilsStatistics(int i, double Value) const;
    int PreviousRegular(int i) const;
    void SyncOutlierSet();

    // Mirrors FOutliers for constant-time lookup during scans and bulk reads.
    std::unordered_set<int> FOutlierSet;
};

// The link of a vector to a field of a data set, which reports changes of the data.
class TQvListLink : public TFieldDataLink {
    Q_OBJECT
public:
    // The record count seen at the last data set change.
    int GetLastCount() const { return FLastCount; }
    // Runs when the data set's record count changed or a field or record was edited.
    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

protected:
    void DataEvent(TDataEvent Event, int Info) override;

private:
    int FLastCount = 0;
    TNotifyEvent FOnChange;
};

// The data vector that stores its values and can load them from a data set field or a record.
class TQvDoubleVector : public TQvCustomDoubleVector {
    Q_OBJECT
    Q_PROPERTY(bool PersistentValues READ GetPersistentValues WRITE SetPersistentValues)
    Q_PROPERTY(int Capacity READ GetCapacity WRITE SetCapacity)
    Q_PROPERTY(int Increment READ GetIncrement WRITE SetIncrement)
    Q_PROPERTY(QString DataField READ GetDataField WRITE SetDataField)
    Q_PROPERTY(TDataSource* DataSource READ GetDataSource WRITE SetDataSource)
public:
    Q_INVOKABLE explicit TQvDoubleVector(TComponent* AOwner);
    ~TQvDoubleVector() override;

    bool GetPersistentValues() const { return FPersistentValues; }
    void SetPersistentValues(bool Value) { FPersistentValues = Value; }
    QString GetDataField() const;
    void SetDataField(const QString& Value);
    TDataSource* GetDataSource() const;
    void SetDataSource(TDataSource* Value);
    // Bound to a data set field, and the values must be reloaded before the next use.
    bool DBData() const { return FDBData; }
    // The values of the data set field must be reloaded before the next use.
    bool NeedsUpdateDB() const { return FUpdateDB; }
    // The link to the bound data set field.
    TQvListLink* DataLink() const { return FDataLink.get(); }

    // Takes Values as the storage, without a copy: count and capacity become its length.
    void SetValues(TQvValueArray Values);
    void SetValues(const std::vector<double>& Values);
    // Appends Values.
    void AddRange(std::span<const double> Values);
    // Appends single-precision values.
    void AddRange(std::span<const float> Values);
    // Appends whole numbers.
    void AddRange(std::span<const int> Values);
    // Appends the values of a braced list.
    void AddRange(std::initializer_list<double> Values);

    // Reloads the values from the data set when they are stale.
    void UpdateDB();
    // The link's change handler: marks the values stale, reads nothing.
    void DBChanged(TObject* Sender);

    // Binary record; ReadFrom raises EReadError for a record that ends early or whose counts
    // do not fit the bytes left.
    void WriteTo(QIODevice* Stream) const;
    // Reads the binary record.
    void ReadFrom(QIODevice* Stream);
    // The binary record as a file, replaced only once it is written completely.
    void WriteTo(const QString& FileName) const;
    // Reads the binary record from a file.
    void ReadFrom(const QString& FileName);
    // Adds a child "TQvDoubleVector". ReadFrom takes that element or a node holding it;
    // malformed numbers raise EConvertError.
    void WriteTo(IXMLNode Node) const;
    // Reads the values from the element "TQvDoubleVector".
    void ReadFrom(const IXMLNode& Node);
    // Malformed numbers raise EConvertError.
    void WriteTo(TCustomIniFile* Ini, const QString& Section) const;
    // Reads the values from Section of the INI file.
    void ReadFrom(TCustomIniFile* Ini, const QString& Section);

    // Streams the values with the form as the extra property "Values".
    void DefineProperties(TFiler* Filer) override;
    // Reads the values of the extra property "Values".
    void LoadVariables(TReader* Reader);
    // Writes the extra property "Values": the values when they persist, else none.
    void StoreVariables(TWriter* Writer) const;

    // Forgets a data source that goes, and with it the binding.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TDataSource* SourceFromRef(const QString& Ref) const;

    bool FPersistentValues = false;
    bool FDBData = false;
    bool FUpdateDB = false;
    bool FSetting = false;
    std::unique_ptr<TQvListLink> FDataLink;
    // The link forgets its source before the source's free notification arrives.
    TComponent* FBoundSource = nullptr;
};

// The read-only vector whose value i is i, standing in for a missing X or Y vector; its
// length follows a reference vector.
class TQvIndexer : public TQvCustomDoubleVector {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQvIndexer(TComponent* AOwner);

    TQvCustomDoubleVector* GetRefVector() const { return FRefVector; }
    void SetRefVector(TQvCustomDoubleVector* Value);

    int GetCount() const override;
    double GetMinimum() const override;
    double GetMaximum() const override;
    double GetMinimumIncludingOutliers() const override;
    double GetMaximumIncludingOutliers() const override;
    int GetMinimumIdx() const override;
    int GetMaximumIdx() const override;
    int GetMinimumIdxIncludingOutliers() const override;
    int GetMaximumIdxIncludingOutliers() const override;
    bool GetOnlyAscending() const override;
    double GetSum() const override;
    double GetSumIncludingOutliers() const override;
    double GetValue(int i) const override;
    // Raises EExternal "TQvIndexer is not supposed to set values!".
    void SetValue(int i, double Value) override;
    bool IsChanged() const override;
    const double* Data() const override { return nullptr; }

    // Forgets a reference vector that goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TQvCustomDoubleVector* FRefVector = nullptr;
};
