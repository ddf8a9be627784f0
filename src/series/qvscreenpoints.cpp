#include "series/qvscreenpoints.h"

#include <algorithm>

void TQvScreenPoints::Invalidate(int From) {
    FStale = true;
    // Points made from later values may stand for earlier ones: only appending keeps them.
    if (From < FCovered) FCovered = 0;
}

int TQvScreenPoints::Begin(const TQvAxisMapping& X, const TQvAxisMapping& Y, bool TopmostOnly) {
    if (!MadeFor(X, Y, TopmostOnly)) FCovered = 0;
    FXMapping = X;
    FYMapping = Y;
    FTopmostOnly = TopmostOnly;
    if (FCovered == 0) {
        FList.Clear();
        FOnColumns = true;
        FAscendingX = FDescendingX = true;
    }
    FCountBefore = FList.Points.size();
    return FCovered;
}

void TQvScreenPoints::End(int Count, bool AddedOnColumns) {
    if (FList.Points.size() > FCountBefore) FOnColumns = FOnColumns && AddedOnColumns;
    const std::vector<TGPPointF>& P = FList.Points;
    // Block by block, each a sum of comparisons without a branch, which the compiler vectorises.
    constexpr std::size_t Block = 512;
    for (std::size_t k = std::max<std::size_t>(FCountBefore, 1);
         k < P.size() && (FAscendingX || FDescendingX); k += Block) {
        const std::size_t End = std::min(P.size(), k + Block);
        int Up = 0, Down = 0;
        for (std::size_t j = k; j < End; ++j) {
            Up += P[j].X >= P[j - 1].X;
            Down += P[j].X <= P[j - 1].X;
        }
        FAscendingX = FAscendingX && std::size_t(Up) == End - k;
        FDescendingX = FDescendingX && std::size_t(Down) == End - k;
    }
    FCovered = Count;
    FStale = false;
    ++FGeneration;
}
