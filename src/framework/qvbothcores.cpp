#include "framework/qvbothcores.h"

#include <atomic>
#include <chrono>
#include <mutex>

#include <pthread.h>

namespace {

// How long a thread stays awake for the other one before it sleeps.
constexpr std::chrono::microseconds Awake{1000};

// Calls Ready until it is true, for at most Awake; false if it never was.
template <class Fn> bool AwaitBriefly(const Fn& Ready) {
    const auto Start = std::chrono::steady_clock::now();
    for (unsigned k = 1;; ++k) {
        if (Ready()) return true;
        QvSpinPause();
        if (k % 64 == 0 && std::chrono::steady_clock::now() - Start > Awake) return false;
    }
}

struct TJob {
    const void* Work;
    void (*Call)(const void*);
    unsigned Ticket;
};

// The kept thread and what it is handed. It is never ended: a program that exits while it
// sleeps takes it along. A child process forked without it makes its own.
class TKeptThread {
public:
    static TKeptThread& Get() {
        static std::mutex Making;
        if (TKeptThread* Kept = FNow.load(std::memory_order_acquire)) return *Kept;
        const std::lock_guard Lock(Making);
        if (!FNow.load(std::memory_order_relaxed)) {
            static const bool Forks =
                pthread_atfork(nullptr, nullptr, [] { FNow.store(nullptr); }) == 0;
            (void)Forks;
            FNow.store(new TKeptThread, std::memory_order_release);
        }
        return *FNow.load(std::memory_order_relaxed);
    }
    // Whether this caller may hand work over now.
    bool Take() { return !FBusy.test_and_set(std::memory_order_acquire); }
    void Give() { FBusy.clear(std::memory_order_release); }
    // Hands Job over; the caller has taken the thread.
    unsigned Post(const void* Work, void (*Call)(const void*)) {
        FJob = {Work, Call, ++FLastTicket};
        FPending.store(&FJob, std::memory_order_release);
        FSignal.fetch_add(1, std::memory_order_release);
        FSignal.notify_one();
        return FJob.Ticket;
    }
    void Await(unsigned Ticket) {
        const auto Done = [&] { return FDone.load(std::memory_order_acquire) == Ticket; };
        if (AwaitBriefly(Done)) return;
        for (unsigned Now = FDone.load(std::memory_order_acquire); Now != Ticket;
             Now = FDone.load(std::memory_order_acquire))
            FDone.wait(Now, std::memory_order_acquire);
    }

private:
    TKeptThread() { std::thread([this] { Serve(); }).detach(); }
    void Serve() {
        // From 0: the first work may have come before this thread began.
        for (unsigned Seen = 0;;) {
            if (!AwaitBriefly([&] { return FSignal.load(std::memory_order_acquire) != Seen; }))
                FSignal.wait(Seen, std::memory_order_acquire);
            Seen = FSignal.load(std::memory_order_acquire);
            if (const TJob* Job = FPending.exchange(nullptr, std::memory_order_acq_rel)) {
                const unsigned Ticket = Job->Ticket;
                Job->Call(Job->Work);
                FDone.store(Ticket, std::memory_order_release);
                FDone.notify_one();
            }
        }
    }

    inline static std::atomic<TKeptThread*> FNow{nullptr};
    std::atomic_flag FBusy;
    std::atomic<unsigned> FSignal{0}, FDone{0};
    std::atomic<const TJob*> FPending{nullptr};
    // Written by the caller that has taken the thread only.
    TJob FJob{};
    unsigned FLastTicket = 0;
};

} // namespace

void TQvSecondCore::Start() {
    TKeptThread& Kept = TKeptThread::Get();
    if (Kept.Take())
        FTicket = Kept.Post(FWork, FCall);
    else
        FFresh = std::thread(FCall, FWork);
}

TQvSecondCore::~TQvSecondCore() {
    if (FFresh.joinable()) {
        FFresh.join();
        return;
    }
    TKeptThread& Kept = TKeptThread::Get();
    Kept.Await(FTicket);
    Kept.Give();
}
