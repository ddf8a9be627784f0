#pragma once

// The screen points of a series and what they were made from: the points with their data
// indices and runs, how many values they cover and the axis mappings they were made with.

#include "axes/qvaxistypes.h"
#include "series/qvpointstages.h"

#include <cstdint>
#include <span>

class TQvScreenPoints {
public:
    // The points in pixels.
    const std::vector<TGPPointF>& Points() const { return FList.Points; }
    // The data index of each point.
    const std::vector<int>& Index() const { return FList.Index; }
    // The number of points.
    int Count() const { return int(FList.Points.size()); }
    // Calls Visit(First, Count) for each run of points joined by the line.
    template <class Fn> void ForEachRun(const Fn& Visit) const { FList.ForEachRun(Visit); }
    // Every point stands on the centre of its pixel column, up to four per column.
    bool OnColumns() const { return FOnColumns; }
    // The points follow each other with X never falling (rising): hit tests search them by X.
    bool AscendingX() const { return FAscendingX; }
    // The points follow each other with X never rising.
    bool DescendingX() const { return FDescendingX; }
    // The points must be made anew before use.
    bool Stale() const { return FStale; }
    // Changes whenever points are made, so that what is drawn from them can be kept till then.
    std::uint64_t Generation() const { return FGeneration; }
    // The points were made with these axis mappings, and of symbols that cover what lies under
    // them only the topmost of each pixel is kept, or not.
    bool MadeFor(const TQvAxisMapping& X, const TQvAxisMapping& Y, bool TopmostOnly = false) const {
        return X == FXMapping && Y == FYMapping && TopmostOnly == FTopmostOnly;
    }
    // Dense symbols were reduced to those not hidden under later ones.
    bool TopmostOnly() const { return FTopmostOnly; }

    // The points are made anew at the next use; those of values before From may stay.
    void Invalidate(int From = 0);

    // ---- For the series that makes them ----
    // Starts a pass with these mappings; returns the first value to add points for.
    int Begin(const TQvAxisMapping& X, const TQvAxisMapping& Y, bool TopmostOnly = false);
    // The list the pass adds its points to.
    QvPointStages::TPointList& Output() { return FList; }
    // Ends the pass: the points cover Count values, and those added stand on column centres
    // or not.
    void End(int Count, bool AddedOnColumns);

private:
    QvPointStages::TPointList FList;
    TQvAxisMapping FXMapping{}, FYMapping{};
    int FCovered = 0;
    std::size_t FCountBefore = 0; // points before the pass
    bool FStale = true;
    bool FOnColumns = false;
    bool FAscendingX = false;
    bool FDescendingX = false;
    bool FTopmostOnly = false;
    std::uint64_t FGeneration = 0;
};
