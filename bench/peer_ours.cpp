// The side-by-side speed comparison with other chart libraries: the same noisy signal, drawn
// into a W x H image, timed the same way, one JSON line per run.
// Usage: peer_ours N W H [aa|noaa]

#include "benchchart.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Repetitions = 5;

struct TSignal {
    std::vector<double> X, Y;
};

// x = i; y = sin(i * 1e-4) + 0.3 * noise, noise in [-1, 1) from a 32-bit LCG seeded 12345.
TSignal MakeSignal(long long n) {
    TSignal s;
    s.X.resize(size_t(n));
    s.Y.resize(size_t(n));
    std::uint32_t State = 12345u;
    for (long long i = 0; i < n; ++i) {
        State = State * 1664525u + 1013904223u;
        const double Noise = double(State) * (2.0 / 4294967296.0) - 1.0;
        s.X[size_t(i)] = double(i);
        s.Y[size_t(i)] = std::sin(double(i) * 1e-4) + 0.3 * Noise;
    }
    return s;
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

std::string PngPath(const std::string& Mode, long long n, const char* Suffix) {
    const char* Dir = std::getenv("PEER_BENCH_OUT");
    return std::string(Dir && *Dir ? Dir : ".") + "/ours-" + Mode + "-" + std::to_string(n) +
           Suffix + ".png";
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    const long long n = argc >= 4 ? std::atoll(argv[1]) : 0;
    const int w = argc >= 4 ? std::atoi(argv[2]) : 0, h = argc >= 4 ? std::atoi(argv[3]) : 0;
    const std::string Mode = argc >= 5 ? argv[4] : "aa";
    if (n < 2 || w < 64 || h < 64 || (Mode != "aa" && Mode != "noaa")) {
        std::fprintf(stderr, "usage: %s N W H [aa|noaa]\n", argv[0]);
        return 2;
    }
    const TSignal Data = MakeSignal(n);
    const double ZoomLo = 0.25 * double(n - 1), ZoomHi = 0.75 * double(n - 1);

    std::unique_ptr<TBenchChart> Chart;
    std::vector<double> First, Repaint, Zoom;
    for (int Rep = 0; Rep < Repetitions; ++Rep) {
        // Building the chart, staging the data in the vectors' own storage type and tearing
        // down stay off the clock; handing the data over counts.
        Chart.reset();
        Chart = std::make_unique<TBenchChart>(w, h, Mode == "aa");
        TQvValueArray X(Data.X.begin(), Data.X.end()), Y(Data.Y.begin(), Data.Y.end());
        First.push_back(ElapsedMs([&] {
            Chart->Load(std::move(X), std::move(Y));
            Chart->Render();
        }));
        if (Rep == 0) Chart->Image().save(QString::fromStdString(PngPath(Mode, n, "")));
    }
    for (int Rep = 0; Rep < Repetitions; ++Rep)
        Repaint.push_back(ElapsedMs([&] { Chart->Render(); }));
    for (int Rep = 0; Rep < Repetitions; ++Rep) {
        if (Rep > 0) Chart->AutoXRange();
        Zoom.push_back(ElapsedMs([&] {
            Chart->SetXRange(ZoomLo, ZoomHi);
            Chart->Render();
        }));
    }
    Chart->Image().save(QString::fromStdString(PngPath(Mode, n, "-zoom")));
    std::printf("{\"peer\":\"ours\",\"mode\":\"%s\",\"n\":%lld,\"w\":%d,\"h\":%d,"
                "\"first_ms\":%.3f,\"zoom_ms\":%.3f,\"repaint_ms\":%.3f}\n",
                Mode.c_str(), n, w, h, Median(First), Median(Zoom), Median(Repaint));
    return 0;
}
