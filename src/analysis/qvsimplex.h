#pragma once

// The downhill simplex search of Nelder and Mead in the fixed form the fitted line uses: start
// vertices stretched by 2.05, reflection 1, expansion 2, contraction 0.5, shrink halfway to the
// best vertex, ranking in which ties go to the later vertex, and no convergence test of its
// own. Plain C++: the simplex fit calls it.

#include <functional>
#include <span>
#include <vector>

namespace QvSimplex {

// The error sum of a vertex.
using TError = std::function<double(std::span<const double> Vertex)>;

class TDownhillSimplex {
public:
    // Vertex n is Start, vertex i < n is Start with its component i times 2.05; each is
    // evaluated, then ranked.
    void Begin(std::span<const double> Start, const TError& Error);
    // Reflects the worst vertex through the centroid of the others, then expands, contracts or
    // shrinks, and ranks again.
    void Step(const TError& Error);
    // The best vertex has not improved for ten steps per vertex: the simplex has collapsed or
    // goes round in circles.
    bool Stalled() const;

    // The best vertex and its value.
    std::span<const double> Best() const { return FVertices[FLow]; }
    // The error of the best vertex.
    double BestValue() const { return FValues[FLow]; }
    // Vertex v and its value.
    std::span<const double> Vertex(int v) const { return FVertices[std::size_t(v)]; }
    // The error of vertex v.
    double Value(int v) const { return FValues[std::size_t(v)]; }
    // The ranks: the best, the worst and the second worst vertex.
    int Lowest() const { return int(FLow); }
    // The worst vertex.
    int Highest() const { return int(FHigh); }
    // The second worst vertex.
    int NextHighest() const { return int(FNextHigh); }

private:
    void Rank();
    // Vertex High := Centroid + Factor (Centroid - vertex High), evaluated.
    double Move(double Factor, const TError& Error);

    std::vector<std::vector<double>> FVertices;
    std::vector<double> FValues, FCentroid;
    std::size_t FLow = 0, FHigh = 0, FNextHigh = 0;
    int FStagnantSteps = 0;
};

} // namespace QvSimplex
