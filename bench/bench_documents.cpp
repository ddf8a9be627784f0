// Saving and loading whole graph documents with large vectors, beside writing and reading the
// same number of raw bytes: the binary document should cost at most twice the raw transfer,
// XML and INI should grow linearly with the points.
//
// Text documents are timed as a program's first load: freed memory goes back to the system
// before each run. Otherwise buffers under the allocator's 32 MB mapping threshold come back
// warm from the previous run while larger ones are mapped afresh each time, and on a machine
// with costly page faults that difference, not the library, dominates the ratio of the sizes.

#include "benchmain.h"
#include "benchmemory.h"

#include <axes/qvaxis.h>
#include <data/qvvectors.h>
#include <framework/qvforms.h>
#include <framework/qvstreams.h>
#include <graph/qvgraph2d.h>
#include <graph/qvgraphdocument.h>
#include <series/qvseries.h>

#include <QDir>
#include <QFile>

#include <cmath>
#ifdef __GLIBC__
#endif
#include <memory>

namespace {

// A named chart, so that everything goes into its document: two vectors, two axes, a line.
struct TDocumentChart {
    explicit TDocumentChart(int Points) : Owner(std::make_unique<TDataModule>(nullptr)) {
        Owner->SetName(QStringLiteral("Bench"));
        Graph = new TQvGraph2D(Owner.get());
        Graph->SetName(QStringLiteral("Graph"));
        Graph->SetBounds(0, 0, 800, 600);
        auto* X = NewAxis(QStringLiteral("X"), TQvAxisPosition::Bottom);
        auto* Y = NewAxis(QStringLiteral("Y"), TQvAxisPosition::Left);
        auto* Xs = NewVector(QStringLiteral("Xs"));
        auto* Ys = NewVector(QStringLiteral("Ys"));
        TQvValueArray XValues(Points), YValues(Points);
        for (int i = 0; i < Points; ++i) {
            XValues[i] = i * 0.001;
            YValues[i] = std::sin(i * 0.01) + (i % 7) * 0.01;
        }
        Xs->SetValues(std::move(XValues));
        Ys->SetValues(std::move(YValues));
        auto* Series = new TQvLineSeries(Owner.get());
        Series->SetName(QStringLiteral("Line"));
        Series->SetXData(Xs);
        Series->SetYData(Ys);
        Series->SetXAxis(X);
        Series->SetYAxis(Y);
    }
    TQvAxis* NewAxis(const QString& Name, TQvAxisPosition Position) {
        auto* Axis = new TQvAxis(Owner.get());
        Axis->SetName(Name);
        Axis->SetPosition(Position);
        Axis->SetParent(Graph);
        return Axis;
    }
    TQvDoubleVector* NewVector(const QString& Name) {
        auto* Vector = new TQvDoubleVector(Owner.get());
        Vector->SetName(Name);
        return Vector;
    }

    std::unique_ptr<TDataModule> Owner;
    TQvGraph2D* Graph;
};

QString FilePath(const char* Name) {
    return QDir::temp().filePath(QString::fromLatin1(Name));
}

qint64 RawBytes(int Points) {
    return 2 * qint64(Points) * qint64(sizeof(double));
}

} // namespace

// Through a temporary file and a rename, as every save of the library goes.
static void BM_RawWrite(benchmark::State& State) {
    const QByteArray Bytes(RawBytes(int(State.range(0))), 'x');
    for (auto _ : State)
        QvStream::SaveFile(FilePath("qv-raw.bin"), Bytes);
    State.SetBytesProcessed(State.iterations() * Bytes.size());
}
BENCHMARK(BM_RawWrite)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_RawRead(benchmark::State& State) {
    const QByteArray Bytes(RawBytes(int(State.range(0))), 'x');
    QFile Out(FilePath("qv-raw.bin"));
    Out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    Out.write(Bytes);
    Out.close();
    for (auto _ : State) {
        QFile File(FilePath("qv-raw.bin"));
        File.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(File.readAll().size());
    }
    State.SetBytesProcessed(State.iterations() * Bytes.size());
}
BENCHMARK(BM_RawRead)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

template <TQvDocumentFormat Format> static void BM_SaveDocument(benchmark::State& State) {
    TDocumentChart Chart(int(State.range(0)));
    for (auto _ : State) {
        ReturnFreedMemory(State);
        TQvGraphDocument(Chart.Graph).Save(FilePath("qv-doc"), true, Format);
    }
    State.SetBytesProcessed(State.iterations() * RawBytes(int(State.range(0))));
}

// Reads into the graph that wrote the document: every component exists and is kept aside
// in case the read fails, the dearer case.
template <TQvDocumentFormat Format> static void BM_LoadDocument(benchmark::State& State) {
    TDocumentChart Chart(int(State.range(0)));
    TQvGraphDocument(Chart.Graph).Save(FilePath("qv-doc"), true, Format);
    for (auto _ : State) {
        ReturnFreedMemory(State);
        Chart.Graph->ReadFrom(FilePath("qv-doc"));
    }
    State.SetBytesProcessed(State.iterations() * RawBytes(int(State.range(0))));
}

BENCHMARK(BM_SaveDocument<TQvDocumentFormat::Binary>)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_LoadDocument<TQvDocumentFormat::Binary>)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
static void TextSizes(benchmark::internal::Benchmark* Bench) {
    for (const int Points : {100'000, 300'000, 1'000'000, 2'000'000})
        Bench->Arg(Points);
}

BENCHMARK(BM_SaveDocument<TQvDocumentFormat::Xml>)
    ->Apply(TextSizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_LoadDocument<TQvDocumentFormat::Xml>)
    ->Apply(TextSizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SaveDocument<TQvDocumentFormat::Ini>)
    ->Apply(TextSizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_LoadDocument<TQvDocumentFormat::Ini>)
    ->Apply(TextSizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
