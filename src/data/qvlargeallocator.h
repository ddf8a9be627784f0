#pragma once

// Storage for large value arrays. Blocks of several megabytes come straight from the system
// and ask for huge pages where the system offers them on request, so that filling millions of
// values costs a few page faults instead of one per 4 KB.

#include "framework/qvcountingiterator.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#endif

// Asks TQvLargeAllocator to leave a value unset, for storage that is written in full at once.
struct TQvUnset {};

// An allocator for std::vector that takes large blocks straight from the system.
template <class T> struct TQvLargeAllocator {
    using value_type = T;

    TQvLargeAllocator() = default;
    template <class U> TQvLargeAllocator(const TQvLargeAllocator<U>&) {}

    // Room for Count values: large blocks from the system, aligned for huge pages.
    T* allocate(std::size_t Count) {
        const std::size_t Bytes = Count * sizeof(T);
#ifdef __linux__
        if (Bytes >= Threshold) {
            // Huge pages need a start on a huge page boundary: a huge page more is reserved
            // and what lies before and after the aligned block is given back. The block's
            // last part takes small pages, so that no more is used than the values need.
            const std::size_t Size = Rounded(Bytes), Reserved = Size + HugePage;
            void* Space = mmap(nullptr, Reserved, PROT_READ | PROT_WRITE,
                               MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (Space == MAP_FAILED) throw std::bad_alloc();
            char* const First = static_cast<char*>(Space);
            const std::size_t Skip =
                (HugePage - reinterpret_cast<std::uintptr_t>(First) % HugePage) % HugePage;
            char* const Block = First + Skip;
            if (Skip) munmap(First, Skip);
            if (First + Reserved > Block + Size)
                munmap(Block + Size, std::size_t(First + Reserved - (Block + Size)));
            madvise(Block, Size, MADV_HUGEPAGE);
            // The small pages of the last part come in one call rather than a fault each.
            const std::size_t Whole = Size / HugePage * HugePage;
            if (Whole < Size) madvise(Block + Whole, Size - Whole, MADV_POPULATE_WRITE);
            return reinterpret_cast<T*>(Block);
        }
#endif
        return static_cast<T*>(::operator new(Bytes));
    }

    // Gives back a block that allocate returned for Count values.
    void deallocate(T* Block, std::size_t Count) {
        const std::size_t Bytes = Count * sizeof(T);
#ifdef __linux__
        if (Bytes >= Threshold) {
            munmap(Block, Rounded(Bytes));
            return;
        }
#endif
        ::operator delete(Block);
    }

    template <class U, class... Args> void construct(U* At, Args&&... Values) {
        ::new (static_cast<void*>(At)) U(std::forward<Args>(Values)...);
    }
    template <class U> void construct(U* At, TQvUnset) {
        ::new (static_cast<void*>(At)) U;
    }

    template <class U> bool operator==(const TQvLargeAllocator<U>&) const {
        return true;
    }

private:
    static constexpr std::size_t HugePage = std::size_t(2) << 20;
    static constexpr std::size_t Threshold = HugePage;
    static constexpr std::size_t SmallPage = 4096;
    // Whole small pages.
    static std::size_t Rounded(std::size_t Bytes) {
        return (Bytes + SmallPage - 1) / SmallPage * SmallPage;
    }
};

// Count values of storage that the caller writes before anything reads them: filling it with
// zeros first would cost a pass over memory of its own.
template <class T> std::vector<T, TQvLargeAllocator<T>> QvUnsetArray(std::size_t Count) {
    using TUnsetValues = TQvCountingIterator<std::size_t, TQvUnset>;
    return std::vector<T, TQvLargeAllocator<T>>(TUnsetValues{0}, TUnsetValues{Count});
}
