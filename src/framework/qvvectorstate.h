#pragma once

// The processor's vectors: which of them code may use, and what state they are in. Plain C++.

// True where the processor has AVX2, for code built for it in files of its own.
inline bool QvHasAvx2() {
#if defined(__x86_64__)
    static const bool Has = __builtin_cpu_supports("avx2");
    return Has;
#else
    return false;
#endif
}

// Code built for SSE runs at about two thirds of its speed on some processors while the upper
// halves of the AVX registers hold something, as AVX code elsewhere (the C library's memset,
// say) may leave them.

// Clears those upper halves, where the processor has them, before a long stretch of work.
inline void QvClearUpperVectorHalves() {
#if defined(__x86_64__) && !defined(__AVX__)
    static const bool HasAvx = __builtin_cpu_supports("avx");
    if (HasAvx) asm volatile("vzeroupper");
#endif
}
