#pragma once

// Large work split in two: this thread does one part while a second thread does the other.
// Plain C++.

#include "framework/qvvectorstate.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

// True on a thread while it runs a part of RunOnBothCores.
inline thread_local bool QvOnOneOfBothCores = false;

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

// Runs Work(Item) for every item of Items, shared out to both threads in two shares of about
// the same total Weight(Item), the heaviest items placed first.
template <class Item, class WeightFn, class WorkFn>
void ShareOutOnBothCores(std::vector<Item> Items, const WeightFn& Weight, const WorkFn& Work) {
    std::stable_sort(Items.begin(), Items.end(),
                     [&](const Item& a, const Item& b) { return Weight(a) > Weight(b); });
    std::vector<Item> Shares[2];
    long long Weights[2] = {0, 0};
    for (const Item& Each : Items) {
        const int Lighter = Weights[1] < Weights[0];
        Shares[Lighter].push_back(Each);
        Weights[Lighter] += Weight(Each);
    }
    const auto Run = [&](const std::vector<Item>& Share) {
        for (const Item& Each : Share)
            Work(Each);
    };
    RunOnBothCores([&] { Run(Shares[0]); }, [&] { Run(Shares[1]); });
}
