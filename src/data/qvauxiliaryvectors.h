#pragma once

// Small growable vectors used inside series for indices, flags and screen points: no
// component, no notifications, no statistics.

#include "style/qvgditypes.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <iterator>
#include <type_traits>
#include <vector>

// Raises ERangeError "i=%d index out of range".
[[noreturn]] void QvRaiseIndexOutOfRange(int i);

// The capacity after growing to hold N values: Increment is added at least once and until
// the capacity reaches N. Computed in one step, so huge counts neither loop nor overflow.
inline int QvGrowCapacity(int Capacity, int Increment, int N) {
    const qint64 Step = std::max(Increment, 1);
    const qint64 Steps = std::max<qint64>(1, (qint64(N) - Capacity + Step - 1) / Step);
    return int(std::min<qint64>(Capacity + Steps * Step, INT_MAX));
}

// Reads a vector by index through GetValue, so range-for sees what GetValue sees.
template <class TVector, class T> class TQvVectorIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = T;

    TQvVectorIterator(const TVector* Vector, int Index) : FVector(Vector), FIndex(Index) {}
    T operator*() const { return FVector->GetValue(FIndex); }
    TQvVectorIterator& operator++() {
        ++FIndex;
        return *this;
    }
    TQvVectorIterator operator++(int) {
        TQvVectorIterator Old = *this;
        ++FIndex;
        return Old;
    }
    bool operator==(const TQvVectorIterator& Other) const { return FIndex == Other.FIndex; }

private:
    const TVector* FVector;
    int FIndex;
};

// The shared body of the auxiliary vectors. The array length is the capacity; it grows in
// steps of the increment while std::vector reallocates geometrically underneath, so appending
// stays amortised O(1).
template <class T> class TQvAuxiliaryVector {
public:
    // bool is stored as bytes: std::vector<bool> has no contiguous storage.
    using TStorage = std::conditional_t<std::is_same_v<T, bool>, unsigned char, T>;
    using TIterator = TQvVectorIterator<TQvAuxiliaryVector, T>;

    TQvAuxiliaryVector() : TQvAuxiliaryVector(0) {}
    explicit TQvAuxiliaryVector(int Increment)
        : FCapacity(Increment >= 1 ? Increment : 128), FIncrement(FCapacity),
          FArray(std::size_t(FCapacity)) {}

    int GetCount() const { return FCount; }
    int GetCapacity() const { return FCapacity; }
    int GetIncrement() const { return FIncrement; }

    void SetCount(int N) {
        N = std::max(N, 0);
        if (N == FCapacity && N == FCount) return;
        FCapacity = N;
        FArray.resize(std::size_t(N));
        FCount = N;
    }
    // Makes room for N values and raises the count to N if it is smaller.
    void CheckCount(int N) {
        if (N >= FCapacity) {
            FCapacity = QvGrowCapacity(FCapacity, FIncrement, N);
            FArray.resize(std::size_t(FCapacity));
        }
        if (N >= FCount) FCount = N;
    }
    void SetCapacity(int N) {
        if (N < FCapacity) return;
        FCapacity = N;
        FArray.resize(std::size_t(N));
    }

    T GetValue(int i) const {
        CheckIndex(i);
        return T(FArray[std::size_t(i)]);
    }
    void SetValue(int i, T Value) {
        if (i < 0) QvRaiseIndexOutOfRange(i);
        CheckCount(i + 1);
        FArray[std::size_t(i)] = TStorage(Value);
    }
    // Returns the new count.
    int Add(T Value) {
        SetValue(FCount, Value);
        return FCount;
    }
    // Keeps capacity and storage.
    void Clear() { FCount = 0; }
    // Beyond the end nothing happens.
    void Delete(int i) {
        if (i < 0 || i >= FCount) return;
        std::copy(FArray.begin() + i + 1, FArray.begin() + FCount, FArray.begin() + i);
        --FCount;
    }

    // The values, Count of them, for fast reading.
    const TStorage* Data() const { return FArray.data(); }
    // Iterators over the values, for range-for.
    TIterator begin() const { return TIterator(this, 0); }
    TIterator end() const { return TIterator(this, FCount); }

protected:
    void CheckIndex(int i) const {
        if (unsigned(i) >= unsigned(FCount)) QvRaiseIndexOutOfRange(i);
    }

    int FCount = 0;
    int FCapacity;
    int FIncrement;
    std::vector<TStorage> FArray;
};

class TQvBooleanVector : private TQvAuxiliaryVector<bool> {
public:
    using TQvAuxiliaryVector::Add, TQvAuxiliaryVector::CheckCount, TQvAuxiliaryVector::Clear,
        TQvAuxiliaryVector::Delete, TQvAuxiliaryVector::GetCapacity, TQvAuxiliaryVector::GetCount,
        TQvAuxiliaryVector::GetIncrement, TQvAuxiliaryVector::GetValue,
        TQvAuxiliaryVector::SetCount, TQvAuxiliaryVector::SetValue, TQvAuxiliaryVector::begin,
        TQvAuxiliaryVector::end;
    using TQvAuxiliaryVector::TQvAuxiliaryVector;
};

// Integer and single vectors also hand out their storage and take a capacity.
template <class T> class TQvNumberVector : private TQvAuxiliaryVector<T> {
    using TBase = TQvAuxiliaryVector<T>;

public:
    using TBase::Add, TBase::CheckCount, TBase::Clear, TBase::Data, TBase::Delete,
        TBase::GetCapacity, TBase::GetCount, TBase::GetIncrement, TBase::GetValue,
        TBase::SetCapacity, TBase::SetCount, TBase::SetValue, TBase::begin, TBase::end;
    using TBase::TBase;
};

using TQvIntegerVector = TQvNumberVector<int>;
using TQvSingleVector = TQvNumberVector<float>;

class TQvPointVector;

// Steps through the points of a point vector: MoveNext advances, GetCurrent gives the point.
class TQvPointVectorEnum {
public:
    explicit TQvPointVectorEnum(const TQvPointVector* Vector) : FVector(Vector) {}
    // Advances to the next point; false past the last.
    bool MoveNext();
    TGPPointF GetCurrent() const;

private:
    int FIndex = -1;
    const TQvPointVector* FVector;
};

// A growable vector of screen points, with access to each coordinate.
class TQvPointVector : private TQvAuxiliaryVector<TGPPointF> {
public:
    using TQvAuxiliaryVector::CheckCount, TQvAuxiliaryVector::Clear, TQvAuxiliaryVector::Data,
        TQvAuxiliaryVector::GetCapacity, TQvAuxiliaryVector::GetCount,
        TQvAuxiliaryVector::GetIncrement, TQvAuxiliaryVector::GetValue,
        TQvAuxiliaryVector::SetCapacity, TQvAuxiliaryVector::SetValue, TQvAuxiliaryVector::begin,
        TQvAuxiliaryVector::end;
    using TQvAuxiliaryVector::TQvAuxiliaryVector;

    // Appends a point; returns the new count.
    int Add(TGPPointF Value) { return TQvAuxiliaryVector::Add(Value); }
    // Appends the point (X, Y); returns the new count.
    int Add(float X, float Y) { return TQvAuxiliaryVector::Add(TGPPointF{X, Y}); }
    float GetX(int i) const {
        CheckIndex(i);
        return FArray[std::size_t(i)].X;
    }
    float GetY(int i) const {
        CheckIndex(i);
        return FArray[std::size_t(i)].Y;
    }
    void SetX(int i, float X) {
        if (i < 0) QvRaiseIndexOutOfRange(i);
        CheckCount(i + 1);
        FArray[std::size_t(i)].X = X;
    }
    void SetY(int i, float Y) {
        if (i < 0) QvRaiseIndexOutOfRange(i);
        CheckCount(i + 1);
        FArray[std::size_t(i)].Y = Y;
    }
    TQvPointVectorEnum GetEnumerator() const { return TQvPointVectorEnum(this); }
};

inline bool TQvPointVectorEnum::MoveNext() {
    if (FIndex >= FVector->GetCount() - 1) return false;
    ++FIndex;
    return true;
}

inline TGPPointF TQvPointVectorEnum::GetCurrent() const {
    return FVector->GetValue(FIndex);
}
