// Expression parser: evaluating a parsed formula, the inner loop of function series and fits.

#include <parser/qvparsefkt.h>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {
constexpr int Values = 1'000'000;

// Seconds per item, printed with an SI prefix (for example "4.2n" for 4.2 ns).
benchmark::Counter PerItem(double Items) {
    return benchmark::Counter(Items, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Evaluate(benchmark::State& State, const QString& Expression) {
    double X = 0;
    TQvFunctionParser Parser;
    AddVariableToList(
        "X", "X-Value", nullptr, [&X] { return X; }, Parser.VariablesList);
    Parser.SetExpression(Expression);
    for (auto _ : State) {
        double Sum = 0;
        for (int i = 0; i < Values; ++i) {
            X = i * 0.001;
            Sum += Parser.GetResult();
        }
        benchmark::DoNotOptimize(Sum);
    }
    State.counters["per_evaluation"] = PerItem(double(Values) * double(State.iterations()));
}
} // namespace

// The formula of the function series example.
static void BM_EvaluateFormula(benchmark::State& State) {
    Evaluate(State, "sin(X)*exp(-X/10)+X^2");
}
BENCHMARK(BM_EvaluateFormula)->Unit(benchmark::kMillisecond);

// The same computed directly: what the tree walk adds.
static void BM_EvaluateNative(benchmark::State& State) {
    for (auto _ : State) {
        double Sum = 0;
        for (int i = 0; i < Values; ++i) {
            const double X = i * 0.001;
            benchmark::DoNotOptimize(X);
            Sum += std::sin(X) * std::exp(-X / 10) + std::pow(X, 2.0);
        }
        benchmark::DoNotOptimize(Sum);
    }
    State.counters["per_evaluation"] = PerItem(double(Values) * double(State.iterations()));
}
BENCHMARK(BM_EvaluateNative)->Unit(benchmark::kMillisecond);

// Parsing once per formula change.
static void BM_Parse(benchmark::State& State) {
    TQvFunctionParser Parser;
    AddVariableToList(
        "X", "X-Value", nullptr, [] { return 0.0; }, Parser.VariablesList);
    const QString Expressions[2] = {"sin(X)*exp(-X/10)+X^2", "sin(X)*exp(-X/10)+X^3"};
    int i = 0;
    for (auto _ : State)
        Parser.SetExpression(Expressions[i++ & 1]);
}
BENCHMARK(BM_Parse)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
