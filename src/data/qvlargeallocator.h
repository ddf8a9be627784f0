#pragma once

// Storage for large value arrays. Blocks of several megabytes come straight from the system
// and ask for huge pages where the system offers them on request, so that filling millions of
// values costs a few page faults instead of one per 4 KB.

#include <cstddef>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

template <class T> struct TQvLargeAllocator {
    using value_type = T;

    TQvLargeAllocator() = default;
    template <class U> TQvLargeAllocator(const TQvLargeAllocator<U>&) {}

    T* allocate(std::size_t Count) {
        const std::size_t Bytes = Count * sizeof(T);
#ifdef __linux__
        if (Bytes >= Threshold) {
            void* Block = mmap(nullptr, Rounded(Bytes), PROT_READ | PROT_WRITE,
                               MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (Block == MAP_FAILED) throw std::bad_alloc();
            madvise(Block, Rounded(Bytes), MADV_HUGEPAGE);
            return static_cast<T*>(Block);
        }
#endif
        return static_cast<T*>(::operator new(Bytes));
    }

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

    template <class U> bool operator==(const TQvLargeAllocator<U>&) const {
        return true;
    }

private:
    static constexpr std::size_t HugePage = std::size_t(2) << 20;
    static constexpr std::size_t Threshold = 2 * HugePage;
    static std::size_t Rounded(std::size_t Bytes) {
        return (Bytes + HugePage - 1) / HugePage * HugePage;
    }
};
