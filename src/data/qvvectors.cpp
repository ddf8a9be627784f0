#include "data/qvvectors.h"

#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "framework/qvbothcores.h"
#include "framework/qvexceptions.h"
#include "framework/qvfiler.h"
#include "framework/qvforms.h"
#include "framework/qvinifiles.h"
#include "framework/qvstreams.h"
#include "framework/qvxml.h"
#include "strings/qvlocalize.h"
#include "style/qvio.h"

#include <QBuffer>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

using namespace Qvlocalize;
using Qvmath::MaxDouble;

namespace {

const QString VectorElement = QStringLiteral("TQvDoubleVector");
const QString NoneText = QStringLiteral("None");

// From this many values a copy goes on both cores, in blocks: each core also takes the page
// faults of its blocks, and the system's clearing of fresh pages costs more than the copy.
constexpr std::size_t CopyOnBothCoresFrom = std::size_t(1) << 15;

TQvValueArray CopyOf(std::span<const double> Values) {
    if (Values.size() < CopyOnBothCoresFrom) return TQvValueArray(Values.begin(), Values.end());
    TQvValueArray Copy = QvUnsetArray<double>(Values.size());
    ShareBlocksFromBothEnds(std::size_t(0), Values.size(), CopyOnBothCoresFrom / 4,
                            [&](std::size_t From, std::size_t To) {
                                std::copy(Values.begin() + std::ptrdiff_t(From),
                                          Values.begin() + std::ptrdiff_t(To),
                                          Copy.begin() + std::ptrdiff_t(From));
                            });
    return Copy;
}

// Documents and forms create vectors by class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvDoubleVector>();
    return true;
}();

bool IsSeries(const TQvVectorUser* User) {
    return User->VectorUserKind() != TQvVectorUser::TKind::Other;
}

int IntFromText(QStringView Text) {
    bool Ok = false;
    const int Value = Text.trimmed().toInt(&Ok);
    if (!Ok) throw EConvertError(Format(SInvalidInteger, {Text.toString()}));
    return Value;
}

} // namespace

void QvRaiseIndexOutOfRange(int i) {
    throw ERangeError(Format(SIndexOutOfRange, {i}));
}

// ---- TQvCustomDoubleVectorEnum ----

bool TQvCustomDoubleVectorEnum::MoveNext() {
    if (FIndex >= FVector->GetCount() - 1) return false;
    ++FIndex;
    return true;
}

double TQvCustomDoubleVectorEnum::GetCurrent() const {
    return FVector->GetValue(FIndex);
}

// ---- TQvCustomDoubleVector ----

TQvCustomDoubleVector::TQvCustomDoubleVector(TComponent* AOwner) : TComponent(AOwner) {
    ResetRanges();
}

TQvCustomDoubleVector::~TQvCustomDoubleVector() = default;

int TQvCustomDoubleVector::GetCount() const {
    return FCount;
}

void TQvCustomDoubleVector::CheckMinMax() const {
    const int Count = GetCount();
    const double* V = FArray.data();
    TQvValueSummary Regular{FMinimum, FMaximum, FMinimumIdx, FMaximumIdx, FOnlyAscending};
    TQvValueSummary All{FMinimumIncludingOutliers, FMaximumIncludingOutliers,
                        FMinimumIncludingOutliersIdx, FMaximumIncludingOutliersIdx};
    if (!FAnyOutliers) {
        // One pass over the new values, on both cores when they are many; it folds them into
        // the min/max hierarchy too when one is kept from the same count on.
        const std::span<const double> Values(V, std::size_t(Count));
        if (FKeepsHierarchy && FHierarchy.Count() == std::size_t(FLastCount))
            FHierarchy.Extend(Values, &Regular);
        else
            Regular.Fold(Values, std::size_t(FLastCount), std::size_t(Count));
        All = Regular;
    } else {
        // The marked indices of the new part in ascending order, walked beside the values.
        std::vector<int> Marked;
        for (int Index : FOutliers)
            if (Index >= FLastCount && Index < Count) Marked.push_back(Index);
        std::sort(Marked.begin(), Marked.end());
        auto NextMarked = Marked.begin();
        int Previous = PreviousRegular(FLastCount);
        for (int i = FLastCount; i < Count; ++i) {
            const double X = V[i];
            All.Take(X, i, X, i);
            if (NextMarked != Marked.end() && *NextMarked == i) {
                ++NextMarked;
                continue;
            }
            Regular.Take(X, i, X, i);
            if (Previous >= 0) Regular.Ascending = Regular.Ascending && X > V[Previous];
            Previous = i;
        }
    }
    FMinimum = Regular.Min;
    FMaximum = Regular.Max;
    FMinimumIdx = int(Regular.MinIndex);
    FMaximumIdx = int(Regular.MaxIndex);
    FOnlyAscending = Regular.Ascending;
    FMinimumIncludingOutliers = All.Min;
    FMaximumIncludingOutliers = All.Max;
    FMinimumIncludingOutliersIdx = int(All.MinIndex);
    FMaximumIncludingOutliersIdx = int(All.MaxIndex);
    FLastCount = Count;
}

// Sums are not needed to draw: they are added up, in index order, only when asked for.
void TQvCustomDoubleVector::CheckSums() const {
    const int Count = GetCount();
    for (int i = FSummed; i < Count; ++i) {
        const double X = FArray[std::size_t(i)];
        FSumIncludingOutliers += X;
        if (!FAnyOutliers || !IsOutlier(i)) FSum += X;
    }
    FSummed = Count;
}

const TQvMinMaxHierarchy& TQvCustomDoubleVector::MinMaxHierarchy() const {
    FKeepsHierarchy = true;
    FHierarchy.Extend(std::span(FArray.data(), std::size_t(GetCount())));
    return FHierarchy;
}

void TQvCustomDoubleVector::KeepMinMaxHierarchy() {
    FKeepsHierarchy = true;
}

double TQvCustomDoubleVector::GetMinimum() const {
    if (FLastCount < FCount) CheckMinMax();
    return FMinimum;
}

double TQvCustomDoubleVector::GetMaximum() const {
    if (FLastCount < FCount) CheckMinMax();
    return FMaximum;
}

double TQvCustomDoubleVector::GetMinimumIncludingOutliers() const {
    if (FLastCount < FCount) CheckMinMax();
    return FMinimumIncludingOutliers;
}

double TQvCustomDoubleVector::GetMaximumIncludingOutliers() const {
    if (FLastCount < FCount) CheckMinMax();
    return FMaximumIncludingOutliers;
}

int TQvCustomDoubleVector::GetMinimumIdx() const {
    if (FLastCount < FCount) CheckMinMax();
    return FMinimumIdx;
}

int TQvCustomDoubleVector::GetMaximumIdx() const {
    if (FLastCount < FCount) CheckMinMax();
    return FMaximumIdx;
}

int TQvCustomDoubleVector::GetMinimumIdxIncludingOutliers() const {
    if (FLastCount < FCount) CheckMinMax();
    return FMinimumIncludingOutliersIdx;
}

int TQvCustomDoubleVector::GetMaximumIdxIncludingOutliers() const {
    if (FLastCount < FCount) CheckMinMax();
    return FMaximumIncludingOutliersIdx;
}

bool TQvCustomDoubleVector::GetOnlyAscending() const {
    if (FLastCount < FCount) CheckMinMax();
    return FOnlyAscending;
}

double TQvCustomDoubleVector::GetSum() const {
    if (FLastCount < FCount) CheckMinMax();
    if (FSummed < FCount) CheckSums();
    return FSum;
}

double TQvCustomDoubleVector::GetSumIncludingOutliers() const {
    if (FLastCount < FCount) CheckMinMax();
    if (FSummed < FCount) CheckSums();
    return FSumIncludingOutliers;
}

double TQvCustomDoubleVector::GetValue(int i) const {
    if (unsigned(i) >= unsigned(FCount)) QvRaiseIndexOutOfRange(i);
    return FArray[std::size_t(i)];
}

void TQvCustomDoubleVector::SetValue(int i, double Value) {
    if (i < 0) QvRaiseIndexOutOfRange(i);
    CheckCount(i + 1);
    double& Slot = FArray[std::size_t(i)];
    if (i <= FLastCount && Value == Slot) return;
    // Beside the extremes, a tie at an earlier index or a broken ascent also needs a rescan.
    const bool Rebuild = i < FLastCount && (IsExtremeIndex(i) || Value < FMinimum ||
                                            Value > FMaximum || SpoilsStatistics(i, Value));
    if (!Rebuild && i < FSummed) {
        const double Change = Value - Slot;
        FSumIncludingOutliers += Change;
        if (!FAnyOutliers)
            FSum = FSumIncludingOutliers;
        else if (!IsOutlier(i))
            FSum += Change;
    }
    Slot = Value;
    if (Rebuild) {
        OutOfRange();
    } else {
        FHierarchy.Update(std::span(FArray.data(), std::size_t(FCount)), std::size_t(i));
        InvalidateRelatedSeries(i);
    }
}

bool TQvCustomDoubleVector::IsChanged() const {
    return FLastCount < FCount;
}

const double* TQvCustomDoubleVector::Data() const {
    return FArray.data();
}

int TQvCustomDoubleVector::Add(double Value) {
    SetValue(GetCount(), Value);
    return GetCount();
}

int TQvCustomDoubleVector::Insert(int i, double Value) {
    if (i < 0 || i > FCount) QvRaiseIndexOutOfRange(i);
    if (i == FCount) return Add(Value);
    if (FAnyOutliers) {
        for (int k = 0; k < FOutliers.GetCount(); ++k)
            if (FOutliers.GetValue(k) >= i) FOutliers.SetValue(k, FOutliers.GetValue(k) + 1);
        SyncOutlierSet();
    }
    const int OldCount = FCount;
    CheckCount(FCount + 1);
    std::copy_backward(FArray.begin() + i, FArray.begin() + OldCount,
                       FArray.begin() + OldCount + 1);
    FArray[std::size_t(i)] = 0;
    for (int* Index :
         {&FMinimumIdx, &FMaximumIdx, &FMinimumIncludingOutliersIdx, &FMaximumIncludingOutliersIdx})
        if (*Index >= i) ++*Index;
    const bool Scanned = i < FLastCount;
    if (Scanned) ++FLastCount;
    if (i < FSummed) ++FSummed; // a 0 in its place, until SetValue below
    FHierarchy.Truncate(std::size_t(i));
    // SetValue passes over a 0 that equals the placeholder, so check that case here.
    const bool ZeroSpoils =
        Scanned && Value == 0 && (0 < FMinimum || 0 > FMaximum || SpoilsStatistics(i, 0));
    SetValue(i, Value);
    if (ZeroSpoils) OutOfRange();
    for (std::size_t k = 0; k < FRelatedSeries.size(); ++k) {
        TQvVectorUser* User = FRelatedSeries[k].User;
        if (!IsSeries(User)) {
            User->Modified();
            continue;
        }
        User->SetLastCount(i); // the values from i on moved
        if (User->UsesAsYData(this)) User->ValueInsertedLinkedMarkers(i);
    }
    return GetCount();
}

void TQvCustomDoubleVector::Delete(int i, bool NotifyMarkers) {
    if (i < 0 || i >= FCount) return;
    const double Old = FArray[std::size_t(i)];
    // Sums cover only the values added up so far.
    if (i < FSummed) {
        FSumIncludingOutliers -= Old;
        if (!FAnyOutliers)
            FSum = FSumIncludingOutliers;
        else if (!IsOutlier(i))
            FSum -= Old;
        --FSummed;
    }
    if (FAnyOutliers) {
        for (int k = FOutliers.GetCount() - 1; k >= 0; --k)
            if (FOutliers.GetValue(k) == i) FOutliers.Delete(k);
        for (int k = 0; k < FOutliers.GetCount(); ++k)
            if (FOutliers.GetValue(k) > i) FOutliers.SetValue(k, FOutliers.GetValue(k) - 1);
        FAnyOutliers = FOutliers.GetCount() > 0;
        SyncOutlierSet();
    }
    std::copy(FArray.begin() + i + 1, FArray.begin() + FCount, FArray.begin() + i);
    if (NotifyMarkers)
        for (std::size_t k = 0; k < FRelatedSeries.size(); ++k) {
            TQvVectorUser* User = FRelatedSeries[k].User;
            if (IsSeries(User) && User->UsesAsYData(this)) User->DeleteLinkedMarkers(i);
        }
    --FCount;
    if (i < FLastCount) --FLastCount;
    FHierarchy.Truncate(std::size_t(i));
    const bool WasExtreme = IsExtremeIndex(i);
    for (int* Index :
         {&FMinimumIdx, &FMaximumIdx, &FMinimumIncludingOutliersIdx, &FMaximumIncludingOutliersIdx})
        if (*Index > i) --*Index;
    if (WasExtreme)
        OutOfRange();
    else
        ResetRelatedSeries();
}

void TQvCustomDoubleVector::Clear(bool NotifyMarkers) {
    FCount = 0;
    ClearOutliersQuietly();
    ResetRanges();
    for (std::size_t k = 0; k < FRelatedSeries.size(); ++k) {
        TQvVectorUser* User = FRelatedSeries[k].User;
        if (IsSeries(User)) {
            if (NotifyMarkers && User->UsesAsYData(this)) User->ClearLinkedMarkers();
            User->RangesModified();
        } else {
            User->Modified();
        }
    }
}

void TQvCustomDoubleVector::CheckCount(int N) {
    if (N >= FCapacity) FCapacity = QvGrowCapacity(FCapacity, FIncrement, N);
    if (std::size_t(std::max(N, 0)) > FArray.size()) FArray.resize(std::size_t(N));
    if (N >= FCount) FCount = N;
}

void TQvCustomDoubleVector::SetCapacity(int N) {
    ApplyCapacity(N, true);
}

void TQvCustomDoubleVector::ApplyCapacity(int N, bool Reserve) {
    if (N <= FCount || N == FCapacity) return;
    FCapacity = N;
    // Slots beyond a smaller capacity are gone; they come back as 0.
    if (FArray.size() > std::size_t(N)) FArray.resize(std::size_t(N));
    if (Reserve) FArray.reserve(std::size_t(N));
}

void TQvCustomDoubleVector::SetIncrement(int N) {
    if (N >= 128) FIncrement = N;
}

bool TQvCustomDoubleVector::IsOutlier(int i) const {
    return FAnyOutliers && FOutlierSet.count(i) > 0;
}

void TQvCustomDoubleVector::AddOutlier(int i) {
    if (IsOutlier(i)) return;
    MarkOutlierQuietly(i);
    OutOfRange();
}

void TQvCustomDoubleVector::RemoveOutlier(int i) {
    for (int k = FOutliers.GetCount() - 1; k >= 0; --k)
        if (FOutliers.GetValue(k) == i) {
            FOutliers.Delete(k);
            FOutlierSet.erase(i);
            FAnyOutliers = FOutliers.GetCount() > 0;
            OutOfRange();
        }
}

void TQvCustomDoubleVector::SetOutlier(int i, bool Value) {
    if (Value)
        AddOutlier(i);
    else
        RemoveOutlier(i);
}

void TQvCustomDoubleVector::ClearOutlieres() {
    if (!FAnyOutliers) return;
    ClearOutliersQuietly();
    OutOfRange();
}

void TQvCustomDoubleVector::ResetRanges() {
    FLastCount = 0;
    FMinimum = FMinimumIncludingOutliers = MaxDouble;
    FMaximum = FMaximumIncludingOutliers = -MaxDouble;
    FMinimumIdx = FMaximumIdx = FMinimumIncludingOutliersIdx = FMaximumIncludingOutliersIdx = -1;
    FSum = FSumIncludingOutliers = 0;
    FSummed = 0;
    FOnlyAscending = true;
    // Statistics start over when values may have changed anywhere: so does the hierarchy.
    FHierarchy.Truncate(0);
}

void TQvCustomDoubleVector::OutOfRange() {
    ResetRanges();
    ResetRelatedSeries();
}

void TQvCustomDoubleVector::ResetRelatedSeries() {
    // By index: a user may leave the list while it is told.
    for (std::size_t k = 0; k < FRelatedSeries.size(); ++k) {
        TQvVectorUser* User = FRelatedSeries[k].User;
        if (IsSeries(User))
            User->SetLastCount(0);
        else
            User->Modified();
    }
}

void TQvCustomDoubleVector::InvalidateRelatedSeries(int Changed) {
    for (std::size_t k = 0; k < FRelatedSeries.size(); ++k) {
        TQvVectorUser* User = FRelatedSeries[k].User;
        switch (User->VectorUserKind()) {
        case TQvVectorUser::TKind::FunctionSeries:
            User->SetLastCount(0);
            break;
        case TQvVectorUser::TKind::Series:
            User->ValueChanged(this, Changed);
            break;
        case TQvVectorUser::TKind::Other:
            User->Modified();
            break;
        }
    }
}

void TQvCustomDoubleVector::AddRelated(TComponent* User) {
    auto* AsUser = dynamic_cast<TQvVectorUser*>(User);
    if (!AsUser) return;
    FRelatedSeries.push_back({User, AsUser});
    FreeNotification(User);
}

void TQvCustomDoubleVector::RemoveRelated(TComponent* User) {
    // The free-notification link stays: the user may hold its own reference to this vector.
    auto Found = std::find_if(FRelatedSeries.begin(), FRelatedSeries.end(),
                              [User](const TRelated& R) { return R.Component == User; });
    if (Found != FRelatedSeries.end()) FRelatedSeries.erase(Found);
}

TComponent* TQvCustomDoubleVector::GetRelated(int Index) const {
    if (Index < 0 || Index >= RelatedCount()) throw ERangeError(Format(SListIndexError, {Index}));
    return FRelatedSeries[std::size_t(Index)].Component;
}

void TQvCustomDoubleVector::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    // Only the TComponent part of a user still exists here: compare that pointer alone.
    if (Operation == TOperation::Remove)
        std::erase_if(FRelatedSeries,
                      [AComponent](const TRelated& R) { return R.Component == AComponent; });
}

void TQvCustomDoubleVector::AppendQuietly(double Value) {
    CheckCount(FCount + 1);
    FArray[std::size_t(FCount - 1)] = Value;
}

void TQvCustomDoubleVector::MarkOutlierQuietly(int i) {
    FAnyOutliers = true;
    FOutliers.Add(i);
    FOutlierSet.insert(i);
}

void TQvCustomDoubleVector::ClearOutliersQuietly() {
    FAnyOutliers = false;
    FOutliers.Clear();
    FOutlierSet.clear();
}

bool TQvCustomDoubleVector::IsExtremeIndex(int i) const {
    return i == FMinimumIdx || i == FMaximumIdx || i == FMinimumIncludingOutliersIdx ||
           i == FMaximumIncludingOutliersIdx;
}

bool TQvCustomDoubleVector::SpoilsStatistics(int i, double Value) const {
    if (Value < FMinimumIncludingOutliers || Value > FMaximumIncludingOutliers ||
        (Value == FMinimumIncludingOutliers && i < FMinimumIncludingOutliersIdx) ||
        (Value == FMaximumIncludingOutliers && i < FMaximumIncludingOutliersIdx))
        return true;
    if (IsOutlier(i)) return false;
    if ((Value == FMinimum && i < FMinimumIdx) || (Value == FMaximum && i < FMaximumIdx))
        return true;
    if (!FOnlyAscending) return false;
    const int Previous = PreviousRegular(i);
    if (Previous >= 0 && !(Value > FArray[std::size_t(Previous)])) return true;
    int Next = i + 1;
    while (Next < FLastCount && IsOutlier(Next))
        ++Next;
    return Next < FLastCount && !(FArray[std::size_t(Next)] > Value);
}

int TQvCustomDoubleVector::PreviousRegular(int i) const {
    int Previous = i - 1;
    while (Previous >= 0 && IsOutlier(Previous))
        --Previous;
    return Previous;
}

void TQvCustomDoubleVector::SyncOutlierSet() {
    FOutlierSet.clear();
    for (int Index : FOutliers)
        FOutlierSet.insert(Index);
}

// ---- TQvListLink ----

void TQvListLink::DataEvent(TDataEvent Event, int Info) {
    TFieldDataLink::DataEvent(Event, Info);
    switch (Event) {
    case TDataEvent::DataSetChange:
        if (DataSet() && DataSet()->RecordCount() != FLastCount) {
            FLastCount = DataSet()->RecordCount();
            if (FOnChange) FOnChange(this);
        }
        break;
    case TDataEvent::FieldChange:
    case TDataEvent::UpdateRecord:
        if (FOnChange) FOnChange(this);
        break;
    default:
        break;
    }
}

// ---- TQvDoubleVector ----

TQvDoubleVector::TQvDoubleVector(TComponent* AOwner)
    : TQvCustomDoubleVector(AOwner), FDataLink(std::make_unique<TQvListLink>()) {
    FDataLink->SetOnChange([this](TObject* Sender) { DBChanged(Sender); });
}

TQvDoubleVector::~TQvDoubleVector() = default;

QString TQvDoubleVector::GetDataField() const {
    return FDataLink->GetFieldName();
}

void TQvDoubleVector::SetDataField(const QString& Value) {
    FDataLink->SetFieldName(Value);
    FDBData = true;
    FUpdateDB = true;
    Clear(true);
}

TDataSource* TQvDoubleVector::GetDataSource() const {
    return FDataLink->GetDataSource();
}

void TQvDoubleVector::SetDataSource(TDataSource* Value) {
    FDataLink->SetDataSource(Value);
    FBoundSource = Value;
    if (Value) {
        FDBData = true;
        FUpdateDB = true;
        Clear(true);
        FreeNotification(Value);
    } else {
        FDBData = false;
    }
}

void TQvDoubleVector::SetValues(TQvValueArray Values) {
    FCount = int(Values.size());
    FCapacity = FCount;
    FArray = std::move(Values);
    OutOfRange();
}

void TQvDoubleVector::SetValues(const std::vector<double>& Values) {
    SetValues(CopyOf(Values));
}

void TQvDoubleVector::AddRange(std::span<const double> Values) {
    const int Old = FCount;
    // Storage that must grow for the first values is their copy, made as SetValues makes it.
    const bool Fresh = Old == 0 && FArray.size() < Values.size();
    if (Fresh) FArray = CopyOf(Values);
    CheckCount(Old + int(Values.size()));
    if (!Fresh) std::copy(Values.begin(), Values.end(), FArray.begin() + Old);
    OutOfRange();
}

void TQvDoubleVector::AddRange(std::span<const float> Values) {
    const int Old = FCount;
    CheckCount(Old + int(Values.size()));
    std::copy(Values.begin(), Values.end(), FArray.begin() + Old);
    OutOfRange();
}

void TQvDoubleVector::AddRange(std::span<const int> Values) {
    const int Old = FCount;
    CheckCount(Old + int(Values.size()));
    std::copy(Values.begin(), Values.end(), FArray.begin() + Old);
    OutOfRange();
}

void TQvDoubleVector::AddRange(std::initializer_list<double> Values) {
    AddRange(std::span<const double>(Values.begin(), Values.size()));
}

void TQvDoubleVector::UpdateDB() {
    if (!FDBData || !FUpdateDB || FSetting) return;
    TDataSet* Set = FDataLink->DataSet();
    const int Field = FDataLink->Field();
    if (!FDataLink->GetDataSource() || !Set || Field < 0) {
        FDBData = false;
        return;
    }
    if (!Set->Active() || Set->ControlsDisabled()) return;
    const int n = Set->RecordCount();
    FSetting = true;
    FCount = 0;
    ClearOutliersQuietly();
    if (FCapacity < n) SetCapacity(n);
    try {
        // Stored without a notification per value: the users hear once at the end.
        ScanRecords(Set, [&] {
            if (!Set->FieldIsNull(Field)) {
                AppendQuietly(Set->FieldValue(Field).toDouble());
            } else if (FCount < n - 1) {
                AppendQuietly(0);
                MarkOutlierQuietly(FCount - 1);
            }
        });
    } catch (...) {
        ResetRanges();
        FSetting = false;
        throw;
    }
    ResetRanges();
    ResetRelatedSeries();
    FSetting = false;
    FUpdateDB = false;
}

void TQvDoubleVector::DBChanged(TObject*) {
    if (IsDestroying()) return;
    if (FDBData && !FUpdateDB && !FSetting && FDataLink->DataSet()) FUpdateDB = true;
}

void TQvDoubleVector::WriteTo(QIODevice* Stream) const {
    StringToStream(Stream, GetComponentRef(this));
    QvStream::WriteInteger(Stream, FIncrement);
    QvStream::WriteInteger(Stream, FCapacity);
    QvStream::WriteBoolean(Stream, FDBData);
    if (FDBData) {
        StringToStream(Stream, GetComponentRef(GetDataSource()));
        StringToStream(Stream, GetDataField());
    } else {
        QvStream::WriteInteger(Stream, FCount);
        // Stored little-endian: on such machines the values go out as they lie in memory.
        if constexpr (std::endian::native == std::endian::little) {
            QvStream::WriteBuffer(Stream, FArray.data(), qint64(FCount) * 8);
        } else {
            QByteArray Bytes(qsizetype(FCount) * 8, Qt::Uninitialized);
            for (int i = 0; i < FCount; ++i) {
                quint64 Raw;
                std::memcpy(&Raw, &FArray[std::size_t(i)], 8);
                qToLittleEndian(Raw, Bytes.data() + qsizetype(i) * 8);
            }
            QvStream::WriteBuffer(Stream, Bytes.constData(), Bytes.size());
        }
    }
    QvStream::WriteBoolean(Stream, FAnyOutliers);
    if (FAnyOutliers) {
        QvStream::WriteInteger(Stream, FOutliers.GetCount());
        for (int Index : FOutliers)
            QvStream::WriteInteger(Stream, Index);
    }
    QvStream::WriteByte(Stream, 0);
}

void TQvDoubleVector::ReadFrom(QIODevice* Stream) {
    // Everything is read before anything is applied, so a damaged record changes nothing.
    StringFromStream(Stream);
    const int Increment = QvStream::ReadInteger(Stream);
    const int Capacity = QvStream::ReadInteger(Stream);
    const bool FromDatabase = QvStream::ReadBoolean(Stream);
    QString SourceRef, Field;
    TQvValueArray Values;
    if (FromDatabase) {
        SourceRef = StringFromStream(Stream);
        Field = StringFromStream(Stream);
    } else {
        const int n = QvStream::ReadInteger(Stream);
        QvStream::CheckStoredCount(Stream, n, 8);
        Values.resize(std::size_t(n));
        QvStream::ReadBuffer(Stream, Values.data(), qint64(n) * 8);
        if constexpr (std::endian::native != std::endian::little)
            for (double& Value : Values) {
                quint64 Raw;
                std::memcpy(&Raw, &Value, 8);
                Raw = qFromLittleEndian(Raw);
                std::memcpy(&Value, &Raw, 8);
            }
    }
    std::vector<int> Marked;
    if (QvStream::ReadBoolean(Stream)) {
        const int m = QvStream::ReadInteger(Stream);
        QvStream::CheckStoredCount(Stream, m, 4);
        Marked.resize(std::size_t(m));
        for (int& Index : Marked)
            Index = QvStream::ReadInteger(Stream);
    }
    QvStream::ReadByte(Stream);

    Clear(true);
    SetIncrement(Increment);
    FDBData = FromDatabase;
    if (FromDatabase) {
        SetDataSource(SourceFromRef(SourceRef));
        SetDataField(Field);
    } else {
        SetValues(std::move(Values));
    }
    ApplyCapacity(Capacity, false);
    for (int Index : Marked)
        AddOutlier(Index);
}

void TQvDoubleVector::WriteTo(const QString& FileName) const {
    QvStream::SaveFile(FileName, [this](QIODevice* Stream) { WriteTo(Stream); });
}

void TQvDoubleVector::ReadFrom(const QString& FileName) {
    QvStream::ReadFile(FileName, [this](QIODevice* Stream) { ReadFrom(Stream); });
}

void TQvDoubleVector::WriteTo(IXMLNode Node) const {
    IXMLNode Element = Node.AddChild(VectorElement);
    Element.SetAttribute("Name", GetComponentRef(this));
    Element.SetAttribute("Increment", QString::number(FIncrement));
    Element.SetAttribute("Capacity", QString::number(FCapacity));
    if (FDBData) {
        IXMLNode Database = Element.AddChild("Database");
        Database.SetAttribute("DataSource", GetComponentRef(GetDataSource()));
        Database.SetAttribute("DataField", GetDataField());
    } else {
        IXMLNode Values = Element.AddChild("Values");
        Values.SetAttribute("Count", QString::number(FCount));
        for (int i = 0; i < FCount; ++i)
            Values.AddChild("Item").SetText(DoubleToStr(FArray[std::size_t(i)]));
    }
    if (FAnyOutliers) {
        IXMLNode Outliers = Element.AddChild("Outliers");
        Outliers.SetAttribute("Count", QString::number(FOutliers.GetCount()));
        for (int Index : FOutliers)
            Outliers.AddChild("Item").SetText(QString::number(Index));
    }
}

void TQvDoubleVector::ReadFrom(const IXMLNode& Node) {
    const IXMLNode Element = Node.NodeName() == VectorElement ? Node : Node.FindNode(VectorElement);
    if (!Element) return;
    // Counts in the document are not trusted: the items present are what is read.
    std::vector<double> Values;
    Element.FindNode("Values").ForEachChildText(
        "Item", [&](QStringView Text) { Values.push_back(DoubleFromStr(Text.trimmed())); });
    std::vector<int> Marked;
    Element.FindNode("Outliers").ForEachChildText("Item", [&](QStringView Text) {
        Marked.push_back(IntFromText(Text));
    });
    bool Ok = false;
    Clear(true);
    if (const int Increment = Element.Attribute("Increment").toInt(&Ok); Ok)
        SetIncrement(Increment);
    if (const int Capacity = Element.Attribute("Capacity").toInt(&Ok); Ok)
        ApplyCapacity(Capacity, false);
    const IXMLNode Database = Element.FindNode("Database");
    FDBData = !Database.IsNull();
    if (FDBData) {
        SetDataSource(SourceFromRef(Database.Attribute("DataSource")));
        SetDataField(Database.Attribute("DataField"));
    } else if (!Values.empty()) {
        AddRange(Values);
    }
    for (int Index : Marked)
        AddOutlier(Index);
}

void TQvDoubleVector::WriteTo(TCustomIniFile* Ini, const QString& Section) const {
    Ini->WriteString(Section, "Name", GetComponentRef(this));
    Ini->WriteInteger(Section, "Increment", FIncrement);
    Ini->WriteInteger(Section, "Capacity", FCapacity);
    Ini->WriteBool(Section, "FromDatabase", FDBData);
    if (FDBData) {
        Ini->WriteString(Section, "DataSource", GetComponentRef(GetDataSource()));
        Ini->WriteString(Section, "DataField", GetDataField());
    } else {
        QString Text;
        for (int i = 0; i < FCount; ++i) {
            if (i > 0) Text += u' ';
            Text += DoubleToStr(FArray[std::size_t(i)]);
        }
        Ini->WriteString(Section, "Values", FCount > 0 ? Text : NoneText);
    }
    QString Text;
    for (int Index : FOutliers) {
        if (!Text.isEmpty()) Text += u' ';
        Text += QString::number(Index);
    }
    Ini->WriteString(Section, "Outliers", FAnyOutliers ? Text : NoneText);
}

void TQvDoubleVector::ReadFrom(TCustomIniFile* Ini, const QString& Section) {
    // Numbers are taken apart before anything is applied, so bad text changes nothing.
    const bool FromDatabase = Ini->ReadBool(Section, "FromDatabase", FDBData);
    std::vector<double> Values;
    if (!FromDatabase) {
        const QString Text = Ini->ReadString(Section, "Values", NoneText);
        if (QStringView Rest = QStringView(Text).trimmed(); Rest != NoneText)
            while (!Rest.trimmed().isEmpty())
                Values.push_back(ExtractOneDouble(Rest));
    }
    std::vector<int> Marked;
    const QString Text = Ini->ReadString(Section, "Outliers", NoneText);
    if (QStringView Rest = QStringView(Text).trimmed(); Rest != NoneText)
        while (!Rest.trimmed().isEmpty())
            Marked.push_back(ExtractOneInt(Rest));

    Clear(true);
    SetIncrement(Ini->ReadInteger(Section, "Increment", FIncrement));
    ApplyCapacity(Ini->ReadInteger(Section, "Capacity", FCapacity), false);
    FDBData = FromDatabase;
    if (FromDatabase) {
        const QString SourceRef =
            Ini->ReadString(Section, "DataSource", GetComponentRef(GetDataSource()));
        SetDataSource(SourceFromRef(SourceRef));
        SetDataField(Ini->ReadString(Section, "DataField", GetDataField()));
    } else if (!Values.empty()) {
        AddRange(Values);
    }
    for (int Index : Marked)
        AddOutlier(Index);
}

void TQvDoubleVector::DefineProperties(TFiler* Filer) {
    TQvCustomDoubleVector::DefineProperties(Filer);
    Filer->DefineProperty(
        "Values", [this](TReader* Reader) { LoadVariables(Reader); },
        [this](TWriter* Writer) { StoreVariables(Writer); }, FPersistentValues && GetCount() > 0);
}

void TQvDoubleVector::LoadVariables(TReader* Reader) {
    Reader->ReadListBegin();
    while (!Reader->EndOfList())
        Add(GetFloatFromStringOrFloat(Reader));
    Reader->ReadListEnd();
}

void TQvDoubleVector::StoreVariables(TWriter* Writer) const {
    Writer->WriteListBegin();
    if (FPersistentValues)
        for (int i = 0; i < FCount; ++i)
            StoreFloatToString(Writer, FArray[std::size_t(i)]);
    Writer->WriteListEnd();
}

void TQvDoubleVector::Notification(TComponent* AComponent, TOperation Operation) {
    TQvCustomDoubleVector::Notification(AComponent, Operation);
    if (Operation == TOperation::Remove && AComponent && AComponent == FBoundSource) {
        FDBData = false;
        FDataLink->SetDataSource(nullptr);
        FBoundSource = nullptr;
    }
}

TDataSource* TQvDoubleVector::SourceFromRef(const QString& Ref) const {
    auto* Source = Ref.isEmpty() ? nullptr : qobject_cast<TDataSource*>(GetComponentFromRef(Ref));
    return Source ? Source : GetDataSource();
}

// ---- TQvIndexer ----

TQvIndexer::TQvIndexer(TComponent* AOwner) : TQvCustomDoubleVector(AOwner) {}

void TQvIndexer::SetRefVector(TQvCustomDoubleVector* Value) {
    FRefVector = Value;
    if (Value) FreeNotification(Value);
}

int TQvIndexer::GetCount() const {
    return FRefVector ? FRefVector->GetCount() : 0;
}

double TQvIndexer::GetMinimum() const {
    FLastCount = GetCount();
    return 0;
}

double TQvIndexer::GetMaximum() const {
    FLastCount = GetCount();
    return std::max(FLastCount - 1, 0);
}

double TQvIndexer::GetMinimumIncludingOutliers() const {
    return GetMinimum();
}

double TQvIndexer::GetMaximumIncludingOutliers() const {
    return GetMaximum();
}

int TQvIndexer::GetMinimumIdx() const {
    return GetCount() >= 1 ? 0 : -1;
}

int TQvIndexer::GetMaximumIdx() const {
    return GetCount() >= 1 ? GetCount() - 1 : -1;
}

int TQvIndexer::GetMinimumIdxIncludingOutliers() const {
    return GetMinimumIdx();
}

int TQvIndexer::GetMaximumIdxIncludingOutliers() const {
    return GetMaximumIdx();
}

bool TQvIndexer::GetOnlyAscending() const {
    return true;
}

double TQvIndexer::GetSum() const {
    const int Count = GetCount();
    return (Count - 1) / 2.0 * Count;
}

double TQvIndexer::GetSumIncludingOutliers() const {
    return GetSum();
}

double TQvIndexer::GetValue(int i) const {
    return FRefVector ? double(i) : 0.0;
}

void TQvIndexer::SetValue(int, double) {
    throw EExternal(SIndexerSetValue.Text());
}

bool TQvIndexer::IsChanged() const {
    return FRefVector && FRefVector->IsChanged();
}

void TQvIndexer::Notification(TComponent* AComponent, TOperation Operation) {
    TQvCustomDoubleVector::Notification(AComponent, Operation);
    if (Operation == TOperation::Remove && AComponent == FRefVector) FRefVector = nullptr;
}
