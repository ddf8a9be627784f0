// Undo and redo of one property change, with few and with many steps recorded.

#include <style/qvstyles.h>
#include <undo/qvundostack.h>

#include <benchmark/benchmark.h>

static void BM_UndoRedoOneChange(benchmark::State& State) {
    const int Steps = int(State.range(0));
    TQvUndoStack Stack(nullptr);
    Stack.SetLimit(0);
    TQvLineSettings Line;
    Line.SetUndoStack(&Stack);
    for (int i = 0; i < Steps; ++i)
        Line.SetWidth(float(i % 2 ? 1 : 2));
    for (auto _ : State) {
        Stack.Undo();
        Stack.Redo();
    }
    State.counters["steps"] = Stack.UndoCount();
}
BENCHMARK(BM_UndoRedoOneChange)->Arg(10)->Arg(10000);

BENCHMARK_MAIN();
