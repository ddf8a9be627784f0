// Component ownership and binary stream helpers.

#include <framework/qvclasses.h>
#include <framework/qvstreams.h>

#include <QBuffer>

#include <benchmark/benchmark.h>

// Freeing an owner tells each remaining component of every removal.
static void BM_OwnerFreesComponents(benchmark::State& State) {
    const int Count = int(State.range(0));
    for (auto _ : State) {
        auto* Owner = new TComponent(nullptr);
        for (int i = 0; i < Count; ++i)
            new TComponent(Owner);
        delete Owner;
    }
    State.SetComplexityN(Count);
}
BENCHMARK(BM_OwnerFreesComponents)->RangeMultiplier(4)->Range(16, 1024)->Complexity();

static void BM_FindComponent(benchmark::State& State) {
    TComponent Owner(nullptr);
    const int Count = int(State.range(0));
    for (int i = 0; i < Count; ++i)
        (new TComponent(&Owner))->SetName(QStringLiteral("Series%1").arg(i));
    const QString Last = QStringLiteral("series%1").arg(Count - 1);
    for (auto _ : State)
        benchmark::DoNotOptimize(Owner.FindComponent(Last));
}
BENCHMARK(BM_FindComponent)->Arg(10)->Arg(100)->Arg(1000);

static void BM_WriteDoubles(benchmark::State& State) {
    const int Count = int(State.range(0));
    for (auto _ : State) {
        QBuffer Buffer;
        Buffer.open(QIODevice::WriteOnly);
        for (int i = 0; i < Count; ++i)
            QvStream::WriteDouble(&Buffer, i * 0.5);
        benchmark::DoNotOptimize(Buffer.size());
    }
    State.SetBytesProcessed(State.iterations() * Count * 8);
}
BENCHMARK(BM_WriteDoubles)->Arg(1000000);

static void BM_ReadDoubles(benchmark::State& State) {
    const int Count = int(State.range(0));
    QByteArray Data;
    {
        QBuffer Buffer(&Data);
        Buffer.open(QIODevice::WriteOnly);
        for (int i = 0; i < Count; ++i)
            QvStream::WriteDouble(&Buffer, i * 0.5);
    }
    for (auto _ : State) {
        QBuffer Buffer(&Data);
        Buffer.open(QIODevice::ReadOnly);
        double Sum = 0;
        for (int i = 0; i < Count; ++i)
            Sum += QvStream::ReadDouble(&Buffer);
        benchmark::DoNotOptimize(Sum);
    }
    State.SetBytesProcessed(State.iterations() * Count * 8);
}
BENCHMARK(BM_ReadDoubles)->Arg(1000000);

BENCHMARK_MAIN();
