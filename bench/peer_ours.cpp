// The side-by-side speed comparison with other chart libraries: the same data drawn into a
// W x H image and timed the same way as the peers of the comparison harness, one JSON line
// per run. The data start in standard vectors and reach the library through the copying
// call on the clock; before every timed zoom the full view is drawn off the clock.
// Usage: peer_ours N W H [aa|noaa] [line|scatter|xy|multi]

#include "benchchart.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Repetitions = 5;
constexpr int MultiSeries = 20;
// Series k is drawn in Palette[k % 10].
constexpr TQvColor Palette[10] = {0xFF1F77B4, 0xFFFF7F0E, 0xFF2CA02C, 0xFFD62728, 0xFF9467BD,
                                  0xFF8C564B, 0xFFE377C2, 0xFF7F7F7F, 0xFFBCBD22, 0xFF17BECF};

struct TArgs {
    long long N = 0;
    int W = 0, H = 0;
    std::string Mode = "aa", Workload = "line";
};

struct TSeriesData {
    std::vector<double> X, Y;
};

// Noise in [-1, 1) from a 32-bit LCG, seed 12345.
class TNoise {
public:
    double Next() {
        FState = FState * 1664525u + 1013904223u;
        return double(FState) * (2.0 / 4294967296.0) - 1.0;
    }

private:
    std::uint32_t FState = 12345u;
};

// x = i; y = sin(i * 1e-4) + 0.3 * noise_i.
TSeriesData MakeSignal(long long n) {
    TSeriesData s;
    s.X.resize(size_t(n));
    s.Y.resize(size_t(n));
    TNoise Noise;
    for (size_t i = 0; i < size_t(n); ++i) {
        const double e = Noise.Next();
        s.X[i] = double(i);
        s.Y[i] = std::sin(double(i) * 1e-4) + 0.3 * e;
    }
    return s;
}

std::vector<TSeriesData> MakeData(const TArgs& a) {
    if (a.Workload == "xy") { // a random walk: x sums the even draws, y the odd ones
        TSeriesData s;
        TNoise Noise;
        double x = 0, y = 0;
        for (long long i = 0; i < a.N; ++i) {
            x += Noise.Next();
            y += Noise.Next();
            s.X.push_back(x);
            s.Y.push_back(y);
        }
        return {s};
    }
    if (a.Workload == "multi") { // the signal cut in 20 pieces, piece k raised by 0.5 k
        const size_t m = size_t(a.N / MultiSeries);
        const TSeriesData All = MakeSignal((long long)m * MultiSeries);
        std::vector<TSeriesData> Data(MultiSeries);
        for (size_t k = 0; k < Data.size(); ++k) {
            Data[k].X.assign(All.X.begin(), All.X.begin() + long(m));
            Data[k].Y.assign(All.Y.begin() + long(k * m), All.Y.begin() + long((k + 1) * m));
            for (double& v : Data[k].Y)
                v += 0.5 * double(k);
        }
        return Data;
    }
    return {MakeSignal(a.N)};
}

QString Title(const TArgs& a) {
    const char* What = a.Workload == "scatter" ? "Scatter"
                       : a.Workload == "xy"    ? "Random walk"
                       : a.Workload == "multi" ? "20 series"
                                               : "Noisy signal";
    return QStringLiteral("%1, N = %2").arg(QLatin1String(What)).arg(a.N);
}

std::unique_ptr<TBenchChart> EmptyChart(const TArgs& a, size_t SeriesCount) {
    auto Chart = std::make_unique<TBenchChart>(a.W, a.H, a.Mode == "aa", Title(a));
    Chart->RemoveFirstSeries();
    for (size_t k = 0; k < SeriesCount; ++k)
        Chart->AddSeries(Palette[k % 10], a.Workload == "scatter");
    return Chart;
}

template <class F> double ElapsedMs(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : 0.5 * (v[m - 1] + v[m]);
}

void Save(const TBenchChart& Chart, const TArgs& a, const char* Suffix) {
    const char* Dir = std::getenv("PEER_BENCH_OUT");
    const std::string Path = std::string(Dir && *Dir ? Dir : ".") + "/ours-" + a.Workload + "-" +
                             a.Mode + "-" + std::to_string(a.N) + Suffix + ".png";
    Chart.Image().save(QString::fromStdString(Path));
}

bool Parse(int argc, char** argv, TArgs& a) {
    if (argc < 4) return false;
    a.N = std::atoll(argv[1]);
    a.W = std::atoi(argv[2]);
    a.H = std::atoi(argv[3]);
    if (argc >= 5) a.Mode = argv[4];
    if (argc >= 6) a.Workload = argv[5];
    const bool Known = a.Workload == "line" || a.Workload == "scatter" || a.Workload == "xy" ||
                       a.Workload == "multi";
    const long long MinN = a.Workload == "multi" ? 2 * MultiSeries : 2;
    return Known && a.N >= MinN && a.W >= 64 && a.H >= 64 && (a.Mode == "aa" || a.Mode == "noaa");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    TArgs a;
    if (!Parse(argc, argv, a)) {
        std::fprintf(stderr, "usage: %s N W H [aa|noaa] [line|scatter|xy|multi]\n", argv[0]);
        return 2;
    }
    const std::vector<TSeriesData> Data = MakeData(a);
    double XMin = Data[0].X[0], XMax = XMin;
    for (const TSeriesData& s : Data) {
        const auto [Lo, Hi] = std::minmax_element(s.X.begin(), s.X.end());
        XMin = std::min(XMin, *Lo);
        XMax = std::max(XMax, *Hi);
    }
    const double ZoomLo = XMin + 0.25 * (XMax - XMin), ZoomHi = XMin + 0.75 * (XMax - XMin);

    std::unique_ptr<TBenchChart> Chart;
    std::vector<double> First, Repaint, Zoom;
    for (int Rep = 0; Rep < Repetitions; ++Rep) {
        Chart.reset(); // tearing down stays off the clock
        Chart = EmptyChart(a, Data.size());
        First.push_back(ElapsedMs([&] {
            for (size_t k = 0; k < Data.size(); ++k)
                Chart->Copy(Data[k].X, Data[k].Y, int(k));
            Chart->Render();
        }));
        if (Rep == 0) Save(*Chart, a, "");
    }
    for (int Rep = 0; Rep < Repetitions; ++Rep)
        Repaint.push_back(ElapsedMs([&] { Chart->Render(); }));
    for (int Rep = 0; Rep < Repetitions; ++Rep) {
        Chart->AutoXRange();
        Chart->Render();
        Zoom.push_back(ElapsedMs([&] {
            Chart->SetXRange(ZoomLo, ZoomHi);
            Chart->Render();
        }));
    }
    Save(*Chart, a, "-zoom");
    std::printf("{\"peer\":\"ours\",\"workload\":\"%s\",\"mode\":\"%s\",\"n\":%lld,\"w\":%d,"
                "\"h\":%d,\"first_ms\":%.3f,\"zoom_ms\":%.3f,\"repaint_ms\":%.3f}\n",
                a.Workload.c_str(), a.Mode.c_str(), a.N, a.W, a.H, Median(First), Median(Zoom),
                Median(Repaint));
    return 0;
}
