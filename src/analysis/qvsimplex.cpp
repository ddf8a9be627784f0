#include "analysis/qvsimplex.h"

#include <algorithm>

namespace QvSimplex {

namespace {

constexpr double Stretch = 2.05;
constexpr double Reflection = 1.0;
constexpr double Expansion = -2.0;
constexpr double Contraction = -0.5;
// Steps per vertex without a better best vertex after which the search counts as stalled.
constexpr int StagnantStepsPerVertex = 10;

} // namespace

void TDownhillSimplex::Begin(std::span<const double> Start, const TError& Error) {
    const std::size_t n = Start.size();
    FVertices.assign(n + 1, std::vector<double>(Start.begin(), Start.end()));
    FValues.assign(n + 1, 0.0);
    FCentroid.assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        FVertices[i][i] *= Stretch;
    for (std::size_t v = 0; v <= n; ++v)
        FValues[v] = Error(FVertices[v]);
    FStagnantSteps = 0;
    Rank();
}

void TDownhillSimplex::Rank() {
    const std::size_t Count = FValues.size();
    FLow = FHigh = 0;
    for (std::size_t v = 0; v < Count; ++v) {
        if (FValues[v] < FValues[FHigh]) {
            if (FValues[v] <= FValues[FLow]) FLow = v;
        } else {
            FHigh = v;
        }
    }
    FNextHigh = FLow;
    for (std::size_t v = 0; v < Count; ++v)
        if (v != FHigh && FValues[v] >= FValues[FNextHigh]) FNextHigh = v;
}

double TDownhillSimplex::Move(double Factor, const TError& Error) {
    std::vector<double>& Worst = FVertices[FHigh];
    for (std::size_t j = 0; j < Worst.size(); ++j)
        Worst[j] = FCentroid[j] + Factor * (FCentroid[j] - Worst[j]);
    return FValues[FHigh] = Error(Worst);
}

void TDownhillSimplex::Step(const TError& Error) {
    const std::size_t n = FCentroid.size();
    const double Best = FValues[FLow];
    for (std::size_t j = 0; j < n; ++j) {
        double Sum = 0;
        for (std::size_t v = 0; v <= n; ++v)
            if (v != FHigh) Sum += FVertices[v][j];
        FCentroid[j] = Sum / double(n);
    }
    const double Reflected = Move(Reflection, Error);
    if (Reflected < FValues[FLow]) {
        const std::vector<double> Trial = FVertices[FHigh];
        if (!(Move(Expansion, Error) < Reflected)) {
            FVertices[FHigh] = Trial;
            FValues[FHigh] = Reflected;
        }
    } else if (Reflected > FValues[FNextHigh]) {
        if (!(Move(Contraction, Error) > FValues[FNextHigh])) {
            for (std::size_t v = 0; v <= n; ++v) {
                if (v == FLow) continue;
                for (std::size_t j = 0; j < n; ++j)
                    FVertices[v][j] = (FVertices[v][j] + FVertices[FLow][j]) / 2;
                FValues[v] = Error(FVertices[v]);
            }
        }
    }
    Rank();
    FStagnantSteps = FValues[FLow] < Best ? 0 : FStagnantSteps + 1;
}

bool TDownhillSimplex::Stalled() const {
    return FStagnantSteps >= StagnantStepsPerVertex * int(FValues.size());
}

} // namespace QvSimplex
