#pragma once

// Process-wide caches of what fonts decide (availability, text boxes). Shared by every thread:
// lookups and inserts lock, the value itself is made outside the lock. Emptied whenever the set
// of installed fonts changes, since every value depends on it.

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QObject>

#include <functional>
#include <optional>

// Calls Forget whenever fonts are added to or removed from the application, until the
// connection returned is broken.
QMetaObject::Connection QvOnFontDatabaseChanged(std::function<void()> Forget);

// A cache of values by key, shared by all threads and emptied when the installed fonts change.
template <class TKey, class TValue> class TQvFontCache {
public:
    // Holds at most Limit values; when full, it starts again empty.
    explicit TQvFontCache(qsizetype Limit)
        : FLimit(Limit), FWatch(QvOnFontDatabaseChanged([this] { Clear(); })) {}
    ~TQvFontCache() { QObject::disconnect(FWatch); }
    TQvFontCache(const TQvFontCache&) = delete;
    TQvFontCache& operator=(const TQvFontCache&) = delete;

    // The value kept for Key, if any.
    std::optional<TValue> Find(const TKey& Key) const {
        const QMutexLocker Lock(&FGuard);
        const auto Found = FValues.constFind(Key);
        if (Found == FValues.cend()) return std::nullopt;
        return *Found;
    }

    // Keeps Value for Key, emptying the cache first when it is full.
    void Insert(const TKey& Key, const TValue& Value) {
        const QMutexLocker Lock(&FGuard);
        if (FValues.size() >= FLimit) FValues.clear();
        FValues.insert(Key, Value);
    }

    // Forgets every value.
    void Clear() {
        const QMutexLocker Lock(&FGuard);
        FValues.clear();
    }

    // The number of values kept.
    qsizetype Size() const {
        const QMutexLocker Lock(&FGuard);
        return FValues.size();
    }

private:
    qsizetype FLimit;
    QMetaObject::Connection FWatch;
    mutable QMutex FGuard;
    QHash<TKey, TValue> FValues;
};
