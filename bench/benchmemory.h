#pragma once

// Memory freed by earlier iterations goes back to the system off the clock, so that every
// iteration meets fresh pages as a program's first run does. On this kind of machine a fresh
// page costs more than the work done in it.

#include <benchmark/benchmark.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

inline void ReturnFreedMemory(benchmark::State& State) {
#ifdef __GLIBC__
    State.PauseTiming();
    malloc_trim(0);
    State.ResumeTiming();
#else
    (void)State;
#endif
}
