#pragma once

// Large work split in two: this thread does one part while a second thread does the other.
// Plain C++.

#include <exception>
#include <thread>

// Runs First here and Second on a second thread at the same time, and returns when both are
// done. An exception of either is thrown again then, First's before Second's.
template <class FirstFn, class SecondFn>
void RunOnBothCores(const FirstFn& First, const SecondFn& Second) {
    std::exception_ptr SecondFailed;
    std::thread Helper([&] {
        try {
            Second();
        } catch (...) {
            SecondFailed = std::current_exception();
        }
    });
    try {
        First();
    } catch (...) {
        Helper.join();
        throw;
    }
    Helper.join();
    if (SecondFailed) std::rethrow_exception(SecondFailed);
}
