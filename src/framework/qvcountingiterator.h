#pragma once

// Positions counted off as a random-access iterator, for the standard searches and containers
// that take ranges. Plain C++.

#include <cstddef>
#include <iterator>
#include <type_traits>

// Each position reads as itself, or, for a Value it does not convert to, as Value{}: a range of
// those only counts.
template <class Index, class Value = Index> struct TQvCountingIterator {
    using iterator_category = std::random_access_iterator_tag;
    using value_type = Value;
    using difference_type = std::ptrdiff_t;
    using pointer = const Value*;
    using reference = Value;
    Index i;
    Value operator*() const {
        if constexpr (std::is_convertible_v<Index, Value>)
            return i;
        else
            return Value{};
    }
    TQvCountingIterator& operator++() { return *this += 1; }
    TQvCountingIterator& operator--() { return *this += -1; }
    TQvCountingIterator& operator+=(difference_type n) {
        i = Index(difference_type(i) + n);
        return *this;
    }
    friend difference_type operator-(TQvCountingIterator a, TQvCountingIterator b) {
        return difference_type(a.i) - difference_type(b.i);
    }
    friend bool operator==(TQvCountingIterator, TQvCountingIterator) = default;
};
