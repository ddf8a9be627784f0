#pragma once

// Large work split in two: this thread does one part while a second thread does the other.
// Plain C++.

#include "framework/qvvectorstate.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <optional>
#include <thread>
#include <type_traits>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// True on a thread while it runs a part of RunOnBothCores.
inline thread_local bool QvOnOneOfBothCores = false;

// Tells the core that this thread waits for another one.
inline void QvSpinPause() {
#ifdef __SSE2__
    _mm_pause();
#endif
}

// Work handed to the second core for as long as this object lives: to a thread kept for it,
// or to a fresh one while another caller has the kept one. Starting a thread, or waking one
// from its sleep, takes tens of microseconds; the kept thread stays awake for a while after
// its work and takes the next within a microsecond, so the parts of one paint share out at
// almost no cost.
class TQvSecondCore {
public:
    // Starts Work, which must not throw.
    template <class Fn>
    explicit TQvSecondCore(const Fn& Work)
        : FWork(&Work), FCall([](const void* W) { (*static_cast<const Fn*>(W))(); }) {
        Start();
    }
    TQvSecondCore(const TQvSecondCore&) = delete;
    TQvSecondCore& operator=(const TQvSecondCore&) = delete;
    // Returns when the work is done.
    ~TQvSecondCore();

private:
    void Start();
    const void* FWork;
    void (*FCall)(const void*);
    // The kept thread's ticket for this work, or the fresh thread.
    unsigned FTicket = 0;
    std::thread FFresh;
};

// Runs First here and Second on a second thread at the same time, and returns when both are
// done. An exception of either is thrown again then, First's before Second's. Within a part
// that already has a core to itself, both run here in turn: a third and fourth thread would
// only make the two cores take turns, after the cost of starting them.
template <class FirstFn, class SecondFn>
void RunOnBothCores(const FirstFn& First, const SecondFn& Second) {
    const auto Run = [](const auto& Part) {
        struct TMark {
            bool Before = QvOnOneOfBothCores;
            TMark() { QvOnOneOfBothCores = true; }
            ~TMark() { QvOnOneOfBothCores = Before; }
        } Mark;
        QvClearUpperVectorHalves();
        Part();
    };
    std::exception_ptr SecondFailed;
    const auto RunSecond = [&] {
        try {
            Run(Second);
        } catch (...) {
            SecondFailed = std::current_exception();
        }
    };
    if (QvOnOneOfBothCores) {
        try {
            First();
        } catch (...) {
            RunSecond();
            throw;
        }
        RunSecond();
    } else {
        const TQvSecondCore Helper(RunSecond); // waited for as it goes, also on a failure
        Run(First);
    }
    if (SecondFailed) std::rethrow_exception(SecondFailed);
}

// Runs Work(k) for every k of 0 .. Count - 1: this thread takes them from the front, the
// second one from the back, each the next that the other has not taken. Halves fixed in
// advance left one core waiting whenever the other ran slower (from its caches, or from other
// work on the machine); from the ends, each core's share still lies together. Work(k, Back)
// learns which end took k, to keep what each core makes apart.
template <class WorkFn> void ShareFromBothEnds(std::size_t Count, const WorkFn& Work) {
    const auto Do = [&](std::size_t k, bool Back) {
        if constexpr (std::is_invocable_v<const WorkFn&, std::size_t, bool>)
            Work(k, Back);
        else
            Work(k);
    };
    std::atomic<std::size_t> Taken{0}; // the join of both parts orders their work
    RunOnBothCores(
        [&] {
            for (std::size_t k = 0; Taken.fetch_add(1, std::memory_order_relaxed) < Count; ++k)
                Do(k, false);
        },
        [&] {
            for (std::size_t k = Count; Taken.fetch_add(1, std::memory_order_relaxed) < Count;)
                Do(--k, true);
        });
}

// Runs Work(Start, End) over From .. To - 1 in blocks of Block (the last may be shorter),
// shared from both ends as above.
template <class Index, class WorkFn>
void ShareBlocksFromBothEnds(Index From, Index To, Index Block, const WorkFn& Work) {
    if (To <= From) return;
    ShareFromBothEnds(std::size_t((To - From + Block - 1) / Block), [&](std::size_t b) {
        const Index Start = From + Index(b) * Block;
        Work(Start, std::min(To, Start + Block));
    });
}

// Runs Make(k) on the second thread and Use(k) after it on this one, for every k of
// 0 .. Count - 1 in order, Make at most Depth items ahead: a stage that streams values from
// memory beside one that must take them one after the other. Below From items, or within a
// part that already has a core, each Make(k) runs here just before its Use(k).
template <class MakeFn, class UseFn>
void PipeOnBothCores(std::size_t Count, std::size_t Depth, std::size_t From, const MakeFn& Make,
                     const UseFn& Use) {
    if (Count < From || QvOnOneOfBothCores) {
        for (std::size_t k = 0; k < Count; ++k) {
            Make(k);
            Use(k);
        }
        return;
    }
    std::atomic<std::size_t> Made{0}, Used{0};
    // Set by a stage that failed, so that the other one stops waiting for it.
    std::atomic<bool> Failed{false};
    // Waits until Ready; false when the other stage failed meanwhile.
    const auto Await = [&](const auto& Ready) {
        while (!Ready()) {
            if (Failed.load(std::memory_order_acquire)) return false;
            QvSpinPause();
        }
        return true;
    };
    // Runs each item of a stage once Ready(k), and counts it in Done.
    const auto Stage = [&](const auto& Ready, const auto& Run, std::atomic<std::size_t>& Done) {
        try {
            for (std::size_t k = 0; k < Count; Done.store(++k, std::memory_order_release)) {
                if (!Await([&] { return Ready(k); })) return;
                Run(k);
            }
        } catch (...) {
            Failed.store(true, std::memory_order_release);
            throw;
        }
    };
    RunOnBothCores(
        [&] {
            Stage([&](std::size_t k) { return Made.load(std::memory_order_acquire) > k; }, Use,
                  Used);
        },
        [&] {
            Stage([&](std::size_t k) { return Used.load(std::memory_order_acquire) + Depth > k; },
                  Make, Made);
        });
}

// Runs Work(Item) for every item of Items on both threads, each taking the heaviest by
// Weight(Item) of those left at its end.
template <class Item, class WeightFn, class WorkFn>
void ShareOutOnBothCores(std::vector<Item> Items, const WeightFn& Weight, const WorkFn& Work) {
    std::stable_sort(Items.begin(), Items.end(),
                     [&](const Item& a, const Item& b) { return Weight(a) > Weight(b); });
    // Heavy at both ends, light in the middle.
    std::vector<Item> Ends(Items.size());
    for (std::size_t k = 0; k < Items.size(); ++k)
        Ends[k % 2 ? Items.size() - 1 - k / 2 : k / 2] = Items[k];
    ShareFromBothEnds(Ends.size(), [&](std::size_t k) { Work(Ends[k]); });
}

// Where to cut work in two with about as much on either side: the middle of Value(k) over an
// even sample of k = 0 .. Count - 1, about Samples of them (fewer than twice as many), passing
// over the k that give no value. None when none gives one.
template <class ValueFn>
auto MiddleOfSample(std::size_t Count, std::size_t Samples, const ValueFn& Value) {
    using TValue = typename std::invoke_result_t<const ValueFn&, std::size_t>::value_type;
    std::vector<TValue> Kept;
    Kept.reserve(2 * Samples);
    for (std::size_t k = 0; k < Count; k += std::max<std::size_t>(1, Count / Samples))
        if (const std::optional<TValue> v = Value(k)) Kept.push_back(*v);
    if (Kept.empty()) return std::optional<TValue>();
    const auto Middle = Kept.begin() + std::ptrdiff_t(Kept.size() / 2);
    std::nth_element(Kept.begin(), Middle, Kept.end());
    return std::optional<TValue>(*Middle);
}
